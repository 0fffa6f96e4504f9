#include "formats/wave_files.h"

#include <algorithm>
#include <cstring>

#include "formats/text_message.h"
#include "formats/wave_depth.h"

namespace {

constexpr char kContext[] = "WaveFile";
constexpr char kFuwMagic[] = "-Furnace waveta-";  // 16 bytes, no zero byte in the file
constexpr char kWaveMagic[] = "WAVE";
constexpr size_t kUgwSize = 32;
constexpr int32_t kMaxFileLength = 256;
constexpr uint8_t kDmwNewVariant = 255;

void PutU16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value & 0xff));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// Reads little-endian fields from the front of the bytes, never past their end.
class ByteReader {
 public:
  explicit ByteReader(const std::vector<uint8_t>& bytes) : bytes(bytes) {}
  bool Take(size_t count, const uint8_t*& data) {
    if (bytes.size() - position < count) return false;
    data = bytes.data() + position;
    position += count;
    return true;
  }
  std::optional<int32_t> Int32() {
    const uint8_t* data = nullptr;
    if (!Take(4, data)) return std::nullopt;
    const uint32_t value = uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
                           uint32_t{data[3]} << 24;
    return static_cast<int32_t>(value);
  }
  std::optional<uint8_t> Byte() {
    const uint8_t* data = nullptr;
    if (!Take(1, data)) return std::nullopt;
    return *data;
  }
  // Reads a zero-terminated string; nothing when no zero byte is left.
  std::optional<std::string> String() {
    const size_t start = position;
    while (position < bytes.size()) {
      if (bytes[position++] == 0) {
        return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                           bytes.begin() + static_cast<std::ptrdiff_t>(position - 1));
      }
    }
    return std::nullopt;
  }

 private:
  const std::vector<uint8_t>& bytes;
  size_t position = 0;
};

TextMessage Truncated(const char* tool) {
  return TextMessage(kContext, QT_TRANSLATE_NOOP("WaveFile", "The %1 wave file is cut short."),
                     {tool});
}

TextMessage OutOfRange(size_t position, int64_t value, int64_t min, int64_t max) {
  return TextMessage(
      kContext,
      QT_TRANSLATE_NOOP("WaveFile", "Value %1 (%2) is out of range; the wave takes %3 to %4."),
      {std::to_string(position), std::to_string(value), std::to_string(min), std::to_string(max)});
}

// Levels 0 .. fileHeight − 1 (at most 256 of them) as our samples, at the height the editor takes:
// the file's own when it is one of ours, otherwise 256 (a power of two's levels as FromLevel,
// others scaled to the nearest 8-bit value).
WaveReadResult FromFileLevels(const std::vector<int32_t>& levels, int32_t fileHeight,
                              WaveFormatId format) {
  int32_t bits = 0;
  for (int32_t b = 1; b <= 8; ++b) bits = fileHeight == (1 << b) ? b : bits;
  const int32_t max = fileHeight - 1;
  std::vector<int8_t> samples;
  samples.reserve(levels.size());
  for (const int32_t level : levels) {
    samples.push_back(static_cast<int8_t>(bits > 0 ? FromLevel(level, bits)
                                                   : (level * 255 + max / 2) / max - 128));
  }
  return Accepted(std::move(samples), format, IsWaveHeight(fileHeight) ? fileHeight : kFullHeight);
}

}  // namespace

std::vector<uint8_t> WriteFuw(const std::vector<int8_t>& samples, int32_t height,
                              const FuwHeader& header) {
  if (!IsWaveHeight(height)) height = kFullHeight;
  // A name cannot hold the zero byte that ends it: it ends at the first one.
  const std::string_view name = std::string_view(header.name).substr(0, header.name.find('\0'));
  std::vector<uint8_t> out(kFuwMagic, kFuwMagic + 16);
  PutU16(out, static_cast<uint16_t>(header.version));
  PutU16(out, 0);
  out.insert(out.end(), kWaveMagic, kWaveMagic + 4);
  const size_t blockSize = name.size() + 1 + 12 + 4 * samples.size();
  PutU32(out, static_cast<uint32_t>(blockSize));
  out.insert(out.end(), name.begin(), name.end());
  out.push_back(0);
  PutU32(out, static_cast<uint32_t>(samples.size()));
  PutU32(out, 0);
  PutU32(out, static_cast<uint32_t>(height - 1));
  for (const int8_t v : samples) PutU32(out, static_cast<uint32_t>(ToHeightLevel(v, height)));
  return out;
}

WaveReadResult ReadFuw(const std::vector<uint8_t>& bytes, FuwHeader* header) {
  constexpr WaveFormatId kFormat = WaveFormatId::kFurnace;
  ByteReader reader(bytes);
  const uint8_t* magic = nullptr;
  if (!reader.Take(16, magic) || std::memcmp(magic, kFuwMagic, 16) != 0) {
    return Refused(
        kFormat,
        TextMessage(kContext, QT_TRANSLATE_NOOP("WaveFile", "This is no Furnace wave file.")));
  }
  const uint8_t* version = nullptr;
  const uint8_t* skipped = nullptr;
  const uint8_t* block = nullptr;
  // Version and reserved field, the block's magic and its size (which Furnace does not rely on).
  if (!reader.Take(2, version) || !reader.Take(2, skipped) || !reader.Take(4, block)) {
    return Refused(kFormat, Truncated("Furnace"));
  }
  if (std::memcmp(block, kWaveMagic, 4) != 0) {
    return Refused(
        kFormat,
        TextMessage(kContext, QT_TRANSLATE_NOOP("WaveFile", "The Furnace file holds no wave.")));
  }
  std::optional<std::string> name;
  if (!reader.Take(4, skipped) || !(name = reader.String())) {
    return Refused(kFormat, Truncated("Furnace"));
  }
  const std::optional<int32_t> length = reader.Int32();
  const std::optional<int32_t> min = reader.Int32();
  const std::optional<int32_t> max = reader.Int32();
  if (!length || !min || !max) return Refused(kFormat, Truncated("Furnace"));
  const int64_t height = int64_t{*max} - *min + 1;
  if (*length < 1 || *length > kMaxFileLength || height < 2 || height > kFullHeight) {
    return Refused(
        kFormat,
        TextMessage(kContext,
                    QT_TRANSLATE_NOOP("WaveFile",
                                      "The Furnace wave has length %1, min %2 and max %3; this "
                                      "editor reads lengths 1 to 256 and at most 256 levels "
                                      "from min to max."),
                    {std::to_string(*length), std::to_string(*min), std::to_string(*max)}));
  }
  std::vector<int32_t> levels;
  for (int32_t i = 0; i < *length; ++i) {
    const std::optional<int32_t> value = reader.Int32();
    if (!value) return Refused(kFormat, Truncated("Furnace"));
    if (*value < *min || *value > *max) {
      return Refused(kFormat, OutOfRange(static_cast<size_t>(i) + 1, *value, *min, *max));
    }
    levels.push_back(*value - *min);
  }
  if (header != nullptr) {
    header->version = version[0] | version[1] << 8;
    header->name = *name;
  }
  return FromFileLevels(levels, static_cast<int32_t>(height), kFormat);
}

std::vector<uint8_t> WriteDmw(const std::vector<int8_t>& samples, int32_t height) {
  height = std::clamp(height, 2, kDmwMaxHeight);
  const auto length = static_cast<uint32_t>(samples.size());
  std::vector<uint8_t> bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back((length >> shift) & 0xff);
  bytes.push_back(static_cast<uint8_t>(height - 1));
  for (const int8_t v : samples) bytes.push_back(static_cast<uint8_t>(ToHeightLevel(v, height)));
  return bytes;
}

WaveReadResult ReadDmw(const std::vector<uint8_t>& bytes) {
  constexpr WaveFormatId kFormat = WaveFormatId::kFurnace;
  ByteReader reader(bytes);
  const std::optional<int32_t> length = reader.Int32();
  std::optional<uint8_t> top = reader.Byte();
  if (!length || !top) return Refused(kFormat, Truncated("DefleMask"));
  if (*length < 1 || *length > kMaxFileLength) {
    return Refused(kFormat, TextMessage(kContext,
                                        QT_TRANSLATE_NOOP("WaveFile",
                                                          "The DefleMask wave has length %1; "
                                                          "this editor reads lengths 1 to 256."),
                                        {std::to_string(*length)}));
  }
  const bool newVariant = *top == kDmwNewVariant;
  if (!newVariant && bytes.size() != static_cast<size_t>(*length) + 5) {
    return Refused(kFormat, TextMessage(kContext,
                                        QT_TRANSLATE_NOOP("WaveFile",
                                                          "This is no DefleMask wave file: %1 "
                                                          "values need %2 bytes; it has %3."),
                                        {std::to_string(*length), std::to_string(*length + 5),
                                         std::to_string(bytes.size())}));
  }
  if (newVariant && (!reader.Byte() || !(top = reader.Byte()))) {
    return Refused(kFormat, Truncated("DefleMask"));
  }
  std::vector<int32_t> levels;
  for (int32_t i = 0; i < *length; ++i) {
    std::optional<int32_t> value;
    if (newVariant) {
      value = reader.Int32();
    } else if (const std::optional<uint8_t> byte = reader.Byte()) {
      value = *byte;
    }
    if (!value) return Refused(kFormat, Truncated("DefleMask"));
    if (*value < 0 || *value > *top) {
      return Refused(kFormat, OutOfRange(static_cast<size_t>(i) + 1, *value, 0, *top));
    }
    levels.push_back(*value);
  }
  if (*top == 0) levels.assign(levels.size(), 0);  // a height of 1: silence
  return FromFileLevels(levels, std::max(*top + 1, 2), kFormat);
}

std::vector<uint8_t> WriteUgw(const std::vector<int8_t>& samples) {
  const std::vector<int8_t> wave =
      samples.size() == kUgwSize ? samples : ResampleWave(samples, kUgwSize);
  std::vector<uint8_t> out;
  out.reserve(kUgwSize);
  for (const int8_t v : wave) out.push_back(static_cast<uint8_t>(ToLevel(v, 4)));
  return out;
}

WaveReadResult ReadUgw(const std::vector<uint8_t>& bytes) {
  constexpr WaveFormatId kFormat = WaveFormatId::kGb;
  if (bytes.size() < kUgwSize) {
    return Refused(kFormat,
                   TextMessage(kContext,
                               QT_TRANSLATE_NOOP("WaveFile",
                                                 "A Game Boy wave file has 32 bytes; this one "
                                                 "has %1."),
                               {std::to_string(bytes.size())}));
  }
  std::vector<int32_t> levels;
  for (size_t i = 0; i < kUgwSize; ++i) {
    if (bytes[i] > 15) return Refused(kFormat, OutOfRange(i + 1, bytes[i], 0, 15));
    levels.push_back(bytes[i]);
  }
  WaveReadResult result = FromFileLevels(levels, 16, kFormat);
  if (bytes.size() > kUgwSize) {
    result.note = TextMessage(kContext,
                              QT_TRANSLATE_NOOP("WaveFile",
                                                "The Game Boy wave file has %1 bytes; the first "
                                                "32 were read, as the trackers read it."),
                              {std::to_string(bytes.size())});
  }
  return result;
}
