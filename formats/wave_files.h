// One wave as a file of another tool, as bytes (no file access here): Furnace's .fuw, DefleMask's
// .dmw and the Game Boy trackers' .ugw; the type of a file by its extension or its content, and
// what a file that holds less than the wave changed in it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/wave_formats.h"

// .fuw, little-endian: "-Furnace waveta-", int16 version, int16 0, "WAVE", uint32 size of the rest
// of the block, the name and a zero byte, int32 length, int32 min, int32 max, then length int32
// values min..max.
constexpr int16_t kFuwVersion = 143;
struct FuwHeader {
  int32_t version = kFuwVersion;
  std::string name;
};
// Written with min 0 and max height − 1, the values as levels of that height (16, 32, 64, 256).
std::vector<uint8_t> WriteFuw(const std::vector<int8_t>& samples, int32_t height,
                              const FuwHeader& header);
// Reads a .fuw of any length 1..256 and any min < max (height max − min + 1, at most 256):
// levels of that height; a height other than 16, 32, 64 and 256 is read at 256 (levels of a
// power of two as FromLevel, others scaled to the nearest 8-bit value). A wrong magic, a bad
// length or range, a value outside min..max or a file cut short is refused with a message.
// format is kFurnace; `header`, when given, receives the version and the name.
WaveReadResult ReadFuw(const std::vector<uint8_t>& bytes, FuwHeader* header = nullptr);

// .dmw, as Furnace reads it: int32 length 1..256, a byte height − 1, then one byte per value when
// the file is exactly length + 5 bytes; or that byte 255, a version byte, the byte height − 1 and
// length int32 values. format is kFurnace.
WaveReadResult ReadDmw(const std::vector<uint8_t>& bytes);
// The most levels a written .dmw holds: its plain variant keeps height − 1 in a byte in which 255
// marks the newer variant, and the tracker's chips have at most 64.
inline constexpr int32_t kDmwMaxHeight = 64;
// .dmw in its plain variant: int32 length, the byte height − 1 (height at most kDmwMaxHeight),
// then each sample as a level 0 .. height − 1 in one byte.
std::vector<uint8_t> WriteDmw(const std::vector<int8_t>& samples, int32_t height);

// .ugw: 32 bytes, each a 4-bit level 0..15; other lengths are resampled to 32.
std::vector<uint8_t> WriteUgw(const std::vector<int8_t>& samples);
// Reads the first 32 bytes of a file of at least 32 (a longer one with a note, as early versions
// of the tracker wrote 33); a shorter file or a byte above 15 is refused. format is kGb.
WaveReadResult ReadUgw(const std::vector<uint8_t>& bytes);

enum class WaveFileType { kFuw, kDmw, kUgw };

// The type of a file name's extension ("fuw", any case, without the dot); nothing for others.
std::optional<WaveFileType> WaveFileTypeOfExtension(std::string_view extension);
// The extension of a type, without the dot: "fuw", "dmw", "ugw".
const char* WaveFileExtension(WaveFileType type);
// The type the bytes are: the Furnace magic, a .dmw's sizes, or at least 32 bytes 0..15.
std::optional<WaveFileType> DetectWaveFileType(const std::vector<uint8_t>& bytes);
WaveReadResult ReadWaveFile(const std::vector<uint8_t>& bytes, WaveFileType type);

// A wave as a file's bytes, and what the file could not hold.
struct WaveFileWriting {
  bool ok = false;  // false: nothing to write
  std::vector<uint8_t> bytes;
  size_t length = 0;       // samples the file holds
  int32_t height = 0;      // levels the file holds
  bool resampled = false;  // the wave's length was changed to `length`
  bool reduced = false;    // some samples were moved to the nearest of `height` levels
  TextMessage change;      // says both, when either; empty otherwise
};
// Writes samples (2..64) at `height` (a .ugw always at 32 samples of 16 levels, a .dmw at most
// kDmwMaxHeight levels).
WaveFileWriting WriteWaveFile(const std::vector<int8_t>& samples, int32_t height, WaveFileType type,
                              const FuwHeader& header = {});
