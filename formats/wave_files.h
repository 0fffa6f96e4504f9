// One wave as a file of another tool, as bytes (no file access here): Furnace's .fuw and the Game
// Boy trackers' .ugw.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "formats/wave_formats.h"

// .fuw, little-endian: "-Furnace waveta-", int16 version (kFuwVersion), int16 0, "WAVE", uint32
// size of the rest of the block, the name and a zero byte, int32 length, int32 min (0), int32 max
// (255), then length int32 values v + 128: a wave of height 256 holding our samples exactly.
constexpr int16_t kFuwVersion = 143;
std::vector<uint8_t> WriteFuw(const std::vector<int8_t>& samples, std::string_view name);
// Reads a .fuw of any height: values 0..max, levels of a depth when max + 1 is a power of two
// (as FromLevel), otherwise scaled to the nearest 8-bit value. A wrong magic, a min other than 0,
// a max outside 1..255, a length outside 1..256, a value outside 0..max or a file cut short is
// refused with a message. format is kFurnace.
WaveReadResult ReadFuw(const std::vector<uint8_t>& bytes);

// .ugw: 32 bytes, each a 4-bit level 0..15; other lengths are resampled to 32.
std::vector<uint8_t> WriteUgw(const std::vector<int8_t>& samples);
// Refuses a file of another size than 32 bytes, or a byte above 15. format is kGb.
WaveReadResult ReadUgw(const std::vector<uint8_t>& bytes);
