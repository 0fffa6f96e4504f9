// The lengths a wave can have (2, 4, 8, 16, 32 or 64 samples) and the one rule by which a wave
// changes its length: new sample i is old sample i × old length / new length, so doubling repeats
// every sample and halving keeps the even ones.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Every wave length, shortest first: the length list's items.
inline constexpr std::array<int32_t, 6> kWaveLengths = {2, 4, 8, 16, 32, 64};

// Whether a wave can have `count` samples.
constexpr bool IsWaveLength(int64_t count) {
  return count >= 2 && count <= 64 && (count & (count - 1)) == 0;
}

// The wave length nearest to `count` values; of two as near, the longer.
constexpr size_t NearestWaveLength(size_t count) {
  size_t best = 2;
  for (const size_t length : {2, 4, 8, 16, 32, 64}) {
    const size_t distance = length > count ? length - count : count - length;
    const size_t bestDistance = best > count ? best - count : count - best;
    if (distance <= bestDistance) best = length;  // a tie goes to the longer
  }
  return best;
}

// Index of `length` in kWaveLengths; -1 for a count that is no wave length.
constexpr int32_t WaveLengthIndex(int64_t length) {
  for (size_t index = 0; index < kWaveLengths.size(); ++index) {
    if (kWaveLengths[index] == length) return static_cast<int32_t>(index);
  }
  return -1;
}

// The length a list of `count` values needs when the wave has `length` samples: `length` when
// they fit, otherwise the shortest wave length that holds them (64 for anything longer).
constexpr int32_t LengthHolding(size_t count, int32_t length) {
  if (count <= static_cast<size_t>(length)) return length;
  for (const int32_t candidate : kWaveLengths) {
    if (count <= static_cast<size_t>(candidate)) return candidate;
  }
  return kWaveLengths.back();
}

// `samples` brought to `count` entries by the length rule; count zeros when there are none.
template <typename Sample>
std::vector<Sample> ResampleToLength(const std::vector<Sample>& samples, size_t count) {
  std::vector<Sample> result(count);
  if (samples.empty()) return result;
  const uint64_t oldLength = samples.size();
  for (uint64_t i = 0; i < count; ++i) result[i] = samples[i * oldLength / count];
  return result;
}
