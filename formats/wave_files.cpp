#include "formats/wave_files.h"

#include <cstring>
#include <optional>
#include <string>

#include "formats/text_message.h"
#include "formats/wave_depth.h"

namespace {

constexpr char kContext[] = "WaveFile";
constexpr char kFuwMagic[] = "-Furnace waveta-";  // 16 bytes, no zero byte in the file
constexpr char kWaveMagic[] = "WAVE";
constexpr size_t kUgwSize = 32;
constexpr int32_t kFuwMaxLength = 256;

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
  // Skips a zero-terminated string; false when no zero byte is left.
  bool SkipString() {
    while (position < bytes.size()) {
      if (bytes[position++] == 0) return true;
    }
    return false;
  }

 private:
  const std::vector<uint8_t>& bytes;
  size_t position = 0;
};

TextMessage Truncated() {
  return TextMessage(kContext,
                     QT_TRANSLATE_NOOP("WaveFile", "The Furnace wave file is cut short."));
}

WaveReadResult Accepted(std::vector<int8_t> samples, WaveFormatId format) {
  WaveReadResult result;
  result.ok = true;
  result.format = format;
  result.givenCount = samples.size();
  const size_t length = NearestWaveLength(samples.size());
  result.resampled = length != samples.size();
  result.samples = result.resampled ? ResampleWave(samples, length) : std::move(samples);
  return result;
}

// Our sample of a level 0..max: a depth's level when max + 1 is a power of two, otherwise the
// nearest 8-bit value of level / max.
int8_t FromHeight(int32_t level, int32_t max) {
  for (int32_t bits = 1; bits <= 8; ++bits) {
    if (max == (1 << bits) - 1) return static_cast<int8_t>(FromLevel(level, bits));
  }
  return static_cast<int8_t>((level * 255 + max / 2) / max - 128);
}

}  // namespace

std::vector<uint8_t> WriteFuw(const std::vector<int8_t>& samples, std::string_view name) {
  // A name cannot hold the zero byte that ends it: it ends at the first one.
  name = name.substr(0, name.find('\0'));
  std::vector<uint8_t> out(kFuwMagic, kFuwMagic + 16);
  PutU16(out, static_cast<uint16_t>(kFuwVersion));
  PutU16(out, 0);
  out.insert(out.end(), kWaveMagic, kWaveMagic + 4);
  const size_t blockSize = name.size() + 1 + 12 + 4 * samples.size();
  PutU32(out, static_cast<uint32_t>(blockSize));
  out.insert(out.end(), name.begin(), name.end());
  out.push_back(0);
  PutU32(out, static_cast<uint32_t>(samples.size()));
  PutU32(out, 0);
  PutU32(out, 255);
  for (const int8_t v : samples) PutU32(out, static_cast<uint32_t>(v + 128));
  return out;
}

WaveReadResult ReadFuw(const std::vector<uint8_t>& bytes) {
  constexpr WaveFormatId kFormat = WaveFormatId::kFurnace;
  ByteReader reader(bytes);
  const uint8_t* magic = nullptr;
  if (!reader.Take(16, magic) || std::memcmp(magic, kFuwMagic, 16) != 0) {
    return Refused(
        kFormat,
        TextMessage(kContext, QT_TRANSLATE_NOOP("WaveFile", "This is no Furnace wave file.")));
  }
  const uint8_t* skipped = nullptr;
  const uint8_t* block = nullptr;
  // Version and reserved field, the block's magic and its size (which Furnace does not rely on).
  if (!reader.Take(4, skipped) || !reader.Take(4, block)) return Refused(kFormat, Truncated());
  if (std::memcmp(block, kWaveMagic, 4) != 0) {
    return Refused(
        kFormat,
        TextMessage(kContext, QT_TRANSLATE_NOOP("WaveFile", "The Furnace file holds no wave.")));
  }
  if (!reader.Take(4, skipped) || !reader.SkipString()) return Refused(kFormat, Truncated());
  const std::optional<int32_t> length = reader.Int32();
  const std::optional<int32_t> min = reader.Int32();
  const std::optional<int32_t> max = reader.Int32();
  if (!length || !min || !max) return Refused(kFormat, Truncated());
  if (*length < 1 || *length > kFuwMaxLength || *min != 0 || *max < 1 || *max > 255) {
    return Refused(
        kFormat,
        TextMessage(kContext,
                    QT_TRANSLATE_NOOP("WaveFile",
                                      "The Furnace wave has length %1, min %2 and max %3; this "
                                      "editor reads lengths 1 to 256, min 0 and max 1 to 255."),
                    {std::to_string(*length), std::to_string(*min), std::to_string(*max)}));
  }
  std::vector<int8_t> samples;
  samples.reserve(static_cast<size_t>(*length));
  for (int32_t i = 0; i < *length; ++i) {
    const std::optional<int32_t> value = reader.Int32();
    if (!value) return Refused(kFormat, Truncated());
    if (*value < 0 || *value > *max) {
      return Refused(
          kFormat,
          TextMessage(kContext,
                      QT_TRANSLATE_NOOP("WaveFile",
                                        "Value %1 (%2) is out of range; the wave "
                                        "takes 0 to %3."),
                      {std::to_string(i + 1), std::to_string(*value), std::to_string(*max)}));
    }
    samples.push_back(FromHeight(*value, *max));
  }
  return Accepted(std::move(samples), kFormat);
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
  if (bytes.size() != kUgwSize) {
    return Refused(kFormat,
                   TextMessage(kContext,
                               QT_TRANSLATE_NOOP("WaveFile",
                                                 "A Game Boy wave file has 32 bytes; this one "
                                                 "has %1."),
                               {std::to_string(bytes.size())}));
  }
  std::vector<int8_t> samples;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] > 15) {
      return Refused(kFormat,
                     TextMessage(kContext,
                                 QT_TRANSLATE_NOOP("WaveFile",
                                                   "Value %1 (%2) is out of range; the wave "
                                                   "takes 0 to %3."),
                                 {std::to_string(i + 1), std::to_string(bytes[i]), "15"}));
    }
    samples.push_back(static_cast<int8_t>(FromLevel(bytes[i], 4)));
  }
  return Accepted(std::move(samples), kFormat);
}
