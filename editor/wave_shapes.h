// The pane's shaping tools without any window: ready-made wave shapes, transforms of a wave and
// harmonic series, each a formula on signed 8-bit samples or on attenuations.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// A wave as signed sample values, -128..127 (full scale). The model keeps the same values as the
// low bytes of its uint16 slots; SignedSamples and SampleSlots convert.
//
// Every function returns values already in range. Snapping to the levels a chip can play is left to
// the caller, who applies it to the result (so a tool never depends on a target).
using SignedWave = std::vector<int8_t>;

enum class WaveShape { kSine, kTriangle, kSawtooth, kSquare, kPulse25, kPulse12, kNoise };

enum class WaveTransform {
  kInvert,
  kReverse,
  kRotateLeft,
  kRotateRight,
  kNormalize,
  kRemoveDc,
  kSmooth,
  kLouder,
  kQuieter,
  kHalfLength,
  kDoubleLength,
};

enum class HarmonicSeries { kSine, kSawtooth, kSquare, kTriangle };

// `length` samples (1 or more) of `shape`, one cycle starting at index 0. Only kNoise reads
// `seed`: the same seed gives the same samples on every platform.
SignedWave MakeShape(WaveShape shape, int32_t length, uint32_t seed = 0);

// Whether `transform` applies to a wave of `length` samples: Half Length needs a result of 2 or
// more, Double Length one of 64 or less; every other transform applies to any length.
bool TransformApplies(WaveTransform transform, int32_t length);
// `wave` transformed; nothing when the transform does not apply to its length.
std::optional<SignedWave> ApplyTransform(WaveTransform transform, const SignedWave& wave);

// `count` harmonic attenuations (harmonic 1 first; 0 loudest, 127 silent) for `series`, in the
// level mapping of the harmonic tone: harmonic k weighs 127 - attenuation (out of 127), so each
// gets the attenuation whose weight lies closest to 127 x its relative amplitude.
std::vector<uint8_t> MakeHarmonics(HarmonicSeries series, int32_t count);
// The attenuation whose weight is closest to 127 x `relative` (0..1, clamped); ties take the
// louder.
uint8_t AttenuationFor(double relative);

// The samples as signed values: the low byte of each slot.
SignedWave SignedSamples(const std::vector<uint16_t>& slots);
// The samples as the model's slots: the 8-bit code of each value in the low byte.
std::vector<uint16_t> SampleSlots(const SignedWave& wave);
