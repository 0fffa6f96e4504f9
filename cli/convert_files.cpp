// zpwave convert: one wave text or file to another, or many files into a folder.
#include "cli/convert_files.h"

#include <filesystem>

#include "cli/zpwave_io.h"
#include "cli/zpwave_options.h"
#include "fileio/atomic_write.h"
#include "fileio/file_read.h"
#include "files/wave_document.h"
#include "formats/wave_files.h"

namespace {

// Far more than any wave file or document needs.
constexpr int64_t kMaxWaveFileBytes = int64_t{1} << 20;

std::string Extension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  for (char& ch : extension) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return extension;
}

bool LooksLikeDocument(const std::string& bytes) {
  size_t start = bytes.compare(0, 3, "\xef\xbb\xbf") == 0 ? 3 : 0;
  while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\t')) ++start;
  return bytes.compare(start, 6, "zpwave") == 0;
}

void NoteRead(const WaveReadResult& read, const char* what, LoadedWave& wave) {
  if (read.heightChosen) {
    wave.notes.push_back("read as " + std::string(WaveFormatOf(read.format).name) + " at height " +
                         std::to_string(read.height));
  }
  if (read.resampled) {
    const std::string name = what != nullptr ? what : WaveFormatOf(read.format).name;
    wave.notes.push_back("the " + name + " wave has " + std::to_string(read.givenCount) +
                         " values; resampled to " + std::to_string(read.samples.size()));
  }
  if (!read.note.Empty()) wave.notes.push_back(EnglishText(read.note));
}

LoadedWave FromRead(const WaveReadResult& read, const char* what) {
  LoadedWave wave;
  if (!read.ok) {
    wave.error = EnglishText(read.error);
    return wave;
  }
  wave.ok = true;
  wave.samples = read.samples;
  wave.height = read.height;
  NoteRead(read, what, wave);
  return wave;
}

LoadedWave FromDocument(const std::string& text) {
  LoadedWave wave;
  const DocumentReadResult read = ReadWaveDocument(text);
  if (!read.ok) {
    wave.error = EnglishText(read.error);
    return wave;
  }
  wave.ok = true;
  for (const uint16_t code : read.document.state.samples) {
    wave.samples.push_back(static_cast<int8_t>(code & 0xff));
  }
  wave.height = read.document.height;
  return wave;
}

std::string DocumentText(const LoadedWave& wave, int32_t height) {
  WaveDocument document;
  WaveState& state = document.state;
  state.length = static_cast<int32_t>(wave.samples.size());
  for (const int8_t v : wave.samples) {
    state.samples.push_back(static_cast<uint16_t>(static_cast<uint8_t>(SnapToHeight(v, height))));
  }
  state.amplitudes.assign(wave.samples.size(), 127);
  state.mode = 2;
  document.height = height;
  return WriteWaveDocument(document);
}

}  // namespace

LoadedWave LoadWaveText(const std::string& text, const std::optional<std::string>& from,
                        const WaveReadOptions& options) {
  if (!from) return FromRead(ReadWaveAnyFormat(text, options), nullptr);
  const std::optional<WaveFormatId> format = FindWaveFormat(*from);
  if (!format) {
    LoadedWave wave;
    wave.error = "unknown format " + Quoted(*from) + " (see zpwave formats)";
    return wave;
  }
  return FromRead(ReadWave(text, *format, options), nullptr);
}

LoadedWave LoadWaveFile(const std::string& path, const std::optional<std::string>& from,
                        const WaveReadOptions& options) {
  LoadedWave wave;
  const FileReadResult read = ReadFileBytes(path, kMaxWaveFileBytes);
  if (!read.ok) {
    wave.error = EnglishText(read.error);
    wave.errorNamesFile = true;
    return wave;
  }
  const std::string& bytes = read.bytes;
  const std::vector<uint8_t> data(bytes.begin(), bytes.end());
  std::optional<WaveFileType> type = from ? WaveFileTypeOfExtension(*from) : std::nullopt;
  const bool document = from ? *from == "zpwave" : LooksLikeDocument(bytes);
  // Told by the content; a file that is none of them but named like one gets that reader's word.
  if (!from && !document) type = DetectWaveFileType(data);
  if (!from && !document && !type) type = WaveFileTypeOfExtension(Extension(path));
  if (document) return FromDocument(bytes);
  if (type == WaveFileType::kFuw) {
    FuwHeader header;
    wave = FromRead(ReadFuw(data, &header), "fuw");
    wave.fuwHeader = header;
    return wave;
  }
  if (type) return FromRead(ReadWaveFile(data, *type), WaveFileExtension(*type));
  return LoadWaveText(bytes, from, options);
}

bool IsOutputType(const std::string& name) {
  return FindWaveFormat(name) || name == "zpwave" || name == "fuw" || name == "ugw" ||
         name == "dmw";
}

std::string SaveWave(const std::string& path, const std::optional<std::string>& to,
                     const LoadedWave& wave, int32_t height, std::vector<std::string>& notes) {
  const std::string type = to ? *to : Extension(path);
  if (!IsOutputType(type)) {
    return "cannot tell the type of " + Quoted(path) + " from its extension; name it with --to";
  }
  std::string bytes;
  if (const std::optional<WaveFormatId> format = FindWaveFormat(type)) {
    bytes = WriteWave(wave.samples, *format, height) + "\n";
  } else if (type == "zpwave") {
    bytes = DocumentText(wave, height);
  } else {
    FuwHeader header;
    header.name = std::filesystem::path(path).stem().string();
    if (wave.fuwHeader) header = *wave.fuwHeader;
    const WaveFileWriting file =
        WriteWaveFile(wave.samples, height, *WaveFileTypeOfExtension(type), header);
    if (!file.change.Empty()) notes.push_back(EnglishText(file.change));
    bytes.assign(file.bytes.begin(), file.bytes.end());
  }
  const FileResult written = WriteFileAtomic(path, bytes);
  return written.ok ? std::string() : EnglishText(written.error);
}

int ConvertIntoFolder(const std::vector<std::string>& inputs, const std::string& folder,
                      const std::optional<std::string>& from, const std::string& to, int32_t height,
                      const WaveReadOptions& options) {
  const std::string extension = FindWaveFormat(to) ? "txt" : to;
  int status = 0;
  for (const std::string& input : inputs) {
    const LoadedWave wave = LoadWaveFile(input, from, options);
    std::vector<std::string> notes = wave.notes;
    std::string error = wave.error;
    if (wave.ok) {
      const std::filesystem::path out =
          std::filesystem::path(folder) /
          std::filesystem::path(input).filename().replace_extension(extension);
      error = SaveWave(out.string(), to, wave, height != 0 ? height : wave.height, notes);
    }
    for (const std::string& note : notes) Note(input + ": " + note);
    if (!error.empty()) {
      fprintf(stderr, "zpwave: %s\n", OneLine(input + ": " + error).c_str());
      status = 2;
    }
  }
  return status;
}

int RunConvert(const Options& options) {
  WaveReadOptions reading;
  reading.height = options.height;
  if (options.inputs.size() > 1 || (!options.out.empty() && options.out.back() == '/')) {
    if (!std::filesystem::is_directory(options.out)) {
      Fail("several --in files need --out DIR/, an existing folder");
    }
    // A text without --from went to the bank's convert; one named by --from would write nothing.
    if (options.inputs.empty())
      Fail("a text goes into --out DIR/ without --from, or give --in FILE");
    return ConvertIntoFolder(options.inputs, options.out, options.from, *options.to, options.height,
                             reading);
  }
  LoadedWave wave;
  std::string source;
  if (options.inputs.empty()) {
    wave = LoadWaveText(*options.wave == "-" ? ReadStandardInput() : *options.wave, options.from,
                        reading);
  } else {
    wave = LoadWaveFile(options.inputs.front(), options.from, reading);
    source = options.inputs.front() + ": ";
  }
  if (!wave.ok) Fail((wave.errorNamesFile ? std::string() : source) + wave.error);
  std::vector<std::string> notes = wave.notes;
  const int32_t height = options.height != 0 ? options.height : wave.height;
  if (!options.out.empty()) {
    const std::string error = SaveWave(options.out, options.to, wave, height, notes);
    for (const std::string& note : notes) Note(source + note);
    if (!error.empty()) Fail(error);
    return 0;
  }
  for (const std::string& note : notes) Note(source + note);
  const std::optional<WaveFormatId> format =
      options.to ? FindWaveFormat(*options.to) : std::nullopt;
  if (!format) {
    Fail("--to " + (options.to ? *options.to : std::string("FORMAT")) +
         " writes a file: give --out FILE");
  }
  Print(WriteWave(wave.samples, *format, height) + '\n');
  return 0;
}
