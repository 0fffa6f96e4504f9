// The heights a wave can have, as trackers store them: 16, 32, 64 or 256 levels (4, 5, 6 or 8
// bits). One home for the levels of a height, snapping to them and the height a text's values
// need; a chip implies its own height (ChipHeight in chip_target.h).
#pragma once

#include <array>
#include <cstdint>

#include "formats/wave_depth.h"

// Every height, smallest first; 256 holds our 8-bit samples exactly.
inline constexpr std::array<int32_t, 4> kWaveHeights = {16, 32, 64, 256};
inline constexpr int32_t kFullHeight = 256;

constexpr bool IsWaveHeight(int64_t height) {
  return height == 16 || height == 32 || height == 64 || height == 256;
}

// The bits of a height: 4, 5, 6 or 8 (any other height counts as 8).
constexpr int32_t HeightBits(int32_t height) {
  return height == 16 ? 4 : height == 32 ? 5 : height == 64 ? 6 : 8;
}

// The level 0 .. height − 1 of sample v (−128..127).
constexpr int32_t ToHeightLevel(int32_t v, int32_t height) {
  return ToLevel(v, HeightBits(height));
}

// The sample −128..127 of a level 0 .. height − 1.
constexpr int32_t FromHeightLevel(int32_t level, int32_t height) {
  return FromLevel(level, HeightBits(height));
}

// The nearest value a wave of that height can hold.
constexpr int32_t SnapToHeight(int32_t v, int32_t height) {
  return FromHeightLevel(ToHeightLevel(v, height), height);
}

// The smallest height whose levels 0 .. height − 1 hold `highest`; 0 when none does.
constexpr int32_t SmallestHeightHolding(int64_t highest) {
  for (const int32_t height : kWaveHeights) {
    if (highest < height) return height;
  }
  return 0;
}

// The smallest height whose signed levels −height/2 .. height/2 − 1 hold both values; 0 when none.
constexpr int32_t SmallestSignedHeightHolding(int64_t lowest, int64_t highest) {
  for (const int32_t height : kWaveHeights) {
    if (lowest >= -height / 2 && highest < height / 2) return height;
  }
  return 0;
}

// The height to read values needing `needed` at: the target's when it is at least as high,
// otherwise the one needed (0, none, stays 0).
constexpr int32_t PreferredHeight(int32_t needed, int32_t targetHeight) {
  return needed != 0 && IsWaveHeight(targetHeight) && targetHeight >= needed ? targetHeight
                                                                             : needed;
}

static_assert(SmallestHeightHolding(15) == 16 && SmallestHeightHolding(16) == 32);
static_assert(SmallestHeightHolding(255) == 256 && SmallestHeightHolding(256) == 0);
static_assert(SmallestSignedHeightHolding(-8, 7) == 16 && SmallestSignedHeightHolding(-9, 0) == 32);
static_assert(SnapToHeight(0, 16) == 8 && SnapToHeight(5, 256) == 5);
