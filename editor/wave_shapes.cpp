#include "editor/wave_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <random>

#include "formats/wave_length.h"

namespace {

constexpr int32_t kMin = -128;
constexpr int32_t kMax = 127;

int8_t Clamped(int64_t value) {
  return static_cast<int8_t>(std::clamp<int64_t>(value, kMin, kMax));
}

// numerator / denominator (denominator > 0) rounded to the nearest integer, halves away from zero.
int64_t RoundedDiv(int64_t numerator, int64_t denominator) {
  const int64_t magnitude = (2 * std::abs(numerator) + denominator) / (2 * denominator);
  return numerator < 0 ? -magnitude : magnitude;
}

// A level x in -1..1 on the full 8-bit scale: floor(127.5 x + 128) - 128, so -1 gives -128, 1 gives
// 127 and 0 gives 0.
int8_t FullScale(double x) {
  return Clamped(static_cast<int64_t>(std::floor(127.5 * x + 128.0)) - 128);
}

// Samples high for `high` of `length` samples (at least one), then low.
SignedWave Pulse(int32_t length, int32_t high) {
  SignedWave wave(static_cast<size_t>(length), static_cast<int8_t>(kMin));
  std::fill_n(wave.begin(), std::clamp(high, 1, length), static_cast<int8_t>(kMax));
  return wave;
}

}  // namespace

SignedWave MakeShape(WaveShape shape, int32_t length, uint32_t seed) {
  length = std::max(length, 1);
  const auto n = static_cast<size_t>(length);
  SignedWave wave(n);
  switch (shape) {
    case WaveShape::kSine:
      // FullScale(sin(2 pi i / n)).
      for (size_t i = 0; i < n; ++i) {
        wave[i] = FullScale(
            std::sin(2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n)));
      }
      return wave;
    case WaveShape::kTriangle:
      // Rises from 0 to the top at a quarter, falls to the bottom at three quarters, rises back:
      // FullScale of 4t, 2 - 4t, 4t - 4 with t = i / n (exact in binary for every list length).
      for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(n);
        wave[i] = FullScale(t < 0.25 ? 4 * t : t < 0.75 ? 2 - 4 * t : 4 * t - 4);
      }
      return wave;
    case WaveShape::kSawtooth:
      // Rises in equal integer steps from the bottom: -128 + 256 i / n.
      for (size_t i = 0; i < n; ++i) {
        wave[i] = Clamped(kMin + static_cast<int64_t>(256 * i / n));
      }
      return wave;
    case WaveShape::kSquare:
      // The first half at the top, the second at the bottom.
      return Pulse(length, length / 2);
    case WaveShape::kPulse25:
      // The first quarter at the top (at least one sample), the rest at the bottom.
      return Pulse(length, length / 4);
    case WaveShape::kPulse12:
      // The first eighth at the top (at least one sample), the rest at the bottom.
      return Pulse(length, length / 8);
    case WaveShape::kNoise: {
      // The top byte of each draw of a Mersenne twister seeded with `seed`, as a signed value.
      std::mt19937 generator(seed);
      for (size_t i = 0; i < n; ++i) wave[i] = static_cast<int8_t>(generator() >> 24);
      return wave;
    }
  }
  return wave;
}

bool TransformApplies(WaveTransform transform, int32_t length) {
  switch (transform) {
    case WaveTransform::kHalfLength:
      return length / 2 >= 2;
    case WaveTransform::kDoubleLength:
      return length >= 1 && length * 2 <= 64;
    default:
      return length >= 1;
  }
}

std::optional<SignedWave> ApplyTransform(WaveTransform transform, const SignedWave& wave) {
  const auto length = static_cast<int32_t>(wave.size());
  if (!TransformApplies(transform, length)) return std::nullopt;
  const size_t n = wave.size();
  SignedWave result = wave;
  switch (transform) {
    case WaveTransform::kInvert:
      // v -> -1 - v: the bottom and the top swap, and twice is the identity.
      for (int8_t& v : result) v = static_cast<int8_t>(-1 - v);
      break;
    case WaveTransform::kReverse:
      std::reverse(result.begin(), result.end());
      break;
    case WaveTransform::kRotateLeft:
      // new[i] = old[i + 1], the first sample moving to the end.
      std::rotate(result.begin(), result.begin() + 1, result.end());
      break;
    case WaveTransform::kRotateRight:
      // new[i] = old[i - 1], the last sample moving to the front.
      std::rotate(result.begin(), result.end() - 1, result.end());
      break;
    case WaveTransform::kNormalize: {
      // v x 128 / m, m the largest magnitude, rounded (halves away from zero) and clamped: the
      // largest value reaches 127 or -128. An all-zero wave stays.
      int64_t largest = 0;
      for (int8_t v : wave) largest = std::max<int64_t>(largest, std::abs(int64_t{v}));
      if (largest == 0) break;
      for (int8_t& v : result) v = Clamped(RoundedDiv(int64_t{v} * 128, largest));
      break;
    }
    case WaveTransform::kRemoveDc: {
      // v - mean, the mean rounded (halves away from zero), clamped.
      int64_t sum = 0;
      for (int8_t v : wave) sum += v;
      const int64_t mean = RoundedDiv(sum, static_cast<int64_t>(n));
      for (int8_t& v : result) v = Clamped(v - mean);
      break;
    }
    case WaveTransform::kSmooth:
      // (old[i - 1] + old[i] + old[i + 1]) / 3 around the cycle, rounded to the nearest.
      for (size_t i = 0; i < n; ++i) {
        const int64_t sum = int64_t{wave[(i + n - 1) % n]} + wave[i] + wave[(i + 1) % n];
        result[i] = Clamped(RoundedDiv(sum, 3));
      }
      break;
    case WaveTransform::kLouder:
      // 2 v, saturating at -128 and 127.
      for (int8_t& v : result) v = Clamped(2 * int64_t{v});
      break;
    case WaveTransform::kQuieter:
      // floor(v / 2): negative odd values round down (-1 stays -1, -3 gives -2), so Quieter and
      // Invert commute.
      for (int8_t& v : result) v = static_cast<int8_t>(v >> 1);
      break;
    case WaveTransform::kHalfLength:
      return ResampleToLength(wave, static_cast<size_t>(length / 2));
    case WaveTransform::kDoubleLength:
      return ResampleToLength(wave, static_cast<size_t>(length * 2));
  }
  return result;
}

uint8_t AttenuationFor(double relative) {
  // Weight 127 - a (out of 127) is the harmonic tone's level for attenuation a; the nearest weight
  // to 127 x relative is that rounded, halves up to the louder weight.
  const double clamped = std::clamp(relative, 0.0, 1.0);
  const auto weight = static_cast<int32_t>(std::floor(127.0 * clamped + 0.5));
  return static_cast<uint8_t>(127 - weight);
}

std::vector<uint8_t> MakeHarmonics(HarmonicSeries series, int32_t count) {
  std::vector<uint8_t> attenuations(static_cast<size_t>(std::max(count, 0)));
  for (size_t i = 0; i < attenuations.size(); ++i) {
    const double k = static_cast<double>(i + 1);  // the harmonic's number
    const bool odd = i % 2 == 0;
    double relative = 0;
    switch (series) {
      case HarmonicSeries::kSine:  // the fundamental alone
        relative = i == 0 ? 1 : 0;
        break;
      case HarmonicSeries::kSawtooth:  // every harmonic at 1 / k
        relative = 1 / k;
        break;
      case HarmonicSeries::kSquare:  // odd harmonics at 1 / k
        relative = odd ? 1 / k : 0;
        break;
      case HarmonicSeries::kTriangle:  // odd harmonics at 1 / k^2
        relative = odd ? 1 / (k * k) : 0;
        break;
    }
    attenuations[i] = AttenuationFor(relative);
  }
  return attenuations;
}

SignedWave SignedSamples(const std::vector<uint16_t>& slots) {
  SignedWave wave(slots.size());
  for (size_t i = 0; i < slots.size(); ++i) wave[i] = static_cast<int8_t>(slots[i] & 0xff);
  return wave;
}

std::vector<uint16_t> SampleSlots(const SignedWave& wave) {
  std::vector<uint16_t> slots(wave.size());
  for (size_t i = 0; i < wave.size(); ++i) slots[i] = static_cast<uint8_t>(wave[i]);
  return slots;
}
