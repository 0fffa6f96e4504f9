#include "cli/convert_files.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "files/wave_document.h"
#include "formats/wave_files.h"

namespace {

// Far more than any wave file or document needs.
constexpr std::uintmax_t kMaxInputBytes = 1 << 20;

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
  if (!read.note.Empty()) wave.notes.push_back(read.note.Text());
}

LoadedWave FromRead(const WaveReadResult& read, const char* what) {
  LoadedWave wave;
  if (!read.ok) {
    wave.error = read.error.Text();
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
    wave.error = read.error.Text();
    return wave;
  }
  wave.ok = true;
  for (const uint16_t code : read.document.state.samples) {
    wave.samples.push_back(static_cast<int8_t>(code & 0xff));
  }
  wave.height = read.document.height;
  return wave;
}

// Writes the bytes beside `path` first and renames them over it, so a failure leaves the old file.
std::string WriteAtomically(const std::string& path, const std::string& bytes) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return "cannot create " + path + ": " + std::strerror(errno);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) break;
    done += static_cast<size_t>(wrote);
  }
  const int writeError = done == bytes.size() ? 0 : errno;
  const bool synced = writeError == 0 && fsync(fd) == 0;
  const int syncError = synced ? 0 : errno;
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  if (close(fd) != 0 || !synced || std::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = writeError != 0 ? writeError : syncError != 0 ? syncError : errno;
    std::remove(temporary.c_str());
    return "cannot write " + path + ": " + std::strerror(error != 0 ? error : EIO);
  }
  return {};
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
    wave.error = "unknown format \"" + *from + "\" (see zpwave formats)";
    return wave;
  }
  return FromRead(ReadWave(text, *format, options), nullptr);
}

LoadedWave LoadWaveFile(const std::string& path, const std::optional<std::string>& from,
                        const WaveReadOptions& options) {
  LoadedWave wave;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    wave.error = "cannot read: " + error.message();
    return wave;
  }
  if (size > kMaxInputBytes) {
    wave.error = "the file has " + std::to_string(size) + " bytes; a wave file has at most 1 MiB";
    return wave;
  }
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    wave.error = std::string("cannot read: ") + std::strerror(errno);
    return wave;
  }
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
  return FindWaveFormat(name) || name == "zpwave" || name == "fuw" || name == "ugw";
}

std::string SaveWave(const std::string& path, const std::optional<std::string>& to,
                     const LoadedWave& wave, int32_t height, std::vector<std::string>& notes) {
  const std::string type = to ? *to : Extension(path);
  if (type == "dmw") return "zpwave reads .dmw files but does not write them";
  if (!IsOutputType(type)) {
    return "cannot tell the type of \"" + path + "\" from its extension; name it with --to";
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
    if (!file.change.Empty()) notes.push_back(file.change.Text());
    bytes.assign(file.bytes.begin(), file.bytes.end());
  }
  return WriteAtomically(path, bytes);
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
    for (const std::string& note : notes)
      std::cerr << "zpwave: note: " << input << ": " << note << '\n';
    if (!error.empty()) {
      std::cerr << "zpwave: " << input << ": " << error << '\n';
      status = 2;
    }
  }
  return status;
}
