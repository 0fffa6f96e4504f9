// The wave files by type: their extensions, telling them by content, and writing a wave into one
// with a word on what it could not hold.
#include <algorithm>
#include <cctype>
#include <string>

#include "formats/wave_files.h"

namespace {

constexpr char kContext[] = "WaveFile";
constexpr size_t kUgwSize = 32;

int32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<int32_t>(uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 |
                              uint32_t{bytes[at + 2]} << 16 | uint32_t{bytes[at + 3]} << 24);
}

bool IsDmw(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 6) return false;
  const int64_t length = Le32(bytes, 0);
  if (length < 1 || length > 256) return false;
  if (bytes[4] == 255) return bytes.size() >= 7 + 4 * static_cast<size_t>(length);
  return bytes.size() == static_cast<size_t>(length) + 5;
}

TextMessage Change(const char* extension, const WaveFileWriting& file, size_t oldLength) {
  const std::string length = std::to_string(file.length);
  const std::string height = std::to_string(file.height);
  if (file.resampled && file.reduced) {
    return TextMessage(kContext,
                       QT_TRANSLATE_NOOP("WaveFile",
                                         "A .%1 file holds %2 samples of %3 levels: the wave was "
                                         "resampled from %4 to %2 samples and reduced to %3 "
                                         "levels."),
                       {extension, length, height, std::to_string(oldLength)});
  }
  if (file.resampled) {
    return TextMessage(
        kContext,
        QT_TRANSLATE_NOOP("WaveFile",
                          "A .%1 file holds %2 samples: the wave was resampled from %3 to %2."),
        {extension, length, std::to_string(oldLength)});
  }
  if (file.reduced) {
    return TextMessage(
        kContext,
        QT_TRANSLATE_NOOP("WaveFile",
                          "The .%1 file holds %2 levels: the wave was reduced to %2 levels."),
        {extension, height});
  }
  return {};
}

}  // namespace

std::optional<WaveFileType> WaveFileTypeOfExtension(std::string_view extension) {
  std::string lower(extension);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  for (const WaveFileType type : {WaveFileType::kFuw, WaveFileType::kDmw, WaveFileType::kUgw}) {
    if (lower == WaveFileExtension(type)) return type;
  }
  return std::nullopt;
}

const char* WaveFileExtension(WaveFileType type) {
  switch (type) {
    case WaveFileType::kFuw:
      return "fuw";
    case WaveFileType::kDmw:
      return "dmw";
    case WaveFileType::kUgw:
      return "ugw";
  }
  return "";
}

std::optional<WaveFileType> DetectWaveFileType(const std::vector<uint8_t>& bytes) {
  static constexpr std::string_view kFuwMagic = "-Furnace waveta-";
  if (bytes.size() >= kFuwMagic.size() &&
      std::equal(kFuwMagic.begin(), kFuwMagic.end(), bytes.begin())) {
    return WaveFileType::kFuw;
  }
  if (IsDmw(bytes)) return WaveFileType::kDmw;
  if (bytes.size() >= kUgwSize &&
      std::all_of(bytes.begin(), bytes.begin() + kUgwSize, [](uint8_t b) { return b <= 15; })) {
    return WaveFileType::kUgw;
  }
  return std::nullopt;
}

WaveReadResult ReadWaveFile(const std::vector<uint8_t>& bytes, WaveFileType type) {
  switch (type) {
    case WaveFileType::kFuw:
      return ReadFuw(bytes);
    case WaveFileType::kDmw:
      return ReadDmw(bytes);
    case WaveFileType::kUgw:
      break;
  }
  return ReadUgw(bytes);
}

WaveFileWriting WriteWaveFile(const std::vector<int8_t>& samples, int32_t height, WaveFileType type,
                              const FuwHeader& header) {
  WaveFileWriting file;
  if (!IsWaveHeight(height)) height = kFullHeight;
  file.ok = true;
  file.length = type == WaveFileType::kUgw ? kUgwSize : samples.size();
  file.height = type == WaveFileType::kUgw   ? 16
                : type == WaveFileType::kDmw ? std::min(height, kDmwMaxHeight)
                                             : height;
  file.resampled = file.length != samples.size();
  file.reduced = std::any_of(samples.begin(), samples.end(),
                             [&](int8_t v) { return SnapToHeight(v, file.height) != v; });
  switch (type) {
    case WaveFileType::kUgw:
      file.bytes = WriteUgw(samples);
      break;
    case WaveFileType::kDmw:
      file.bytes = WriteDmw(samples, file.height);
      break;
    case WaveFileType::kFuw:
      file.bytes = WriteFuw(samples, height, header);
      break;
  }
  file.change = Change(WaveFileExtension(type), file, samples.size());
  return file;
}
