#include "units/harmonic_oscillator.h"

#include <algorithm>
#include <limits>

#include "formats/text_formats.h"
#include "tables/pitch_tables.h"

namespace {
constexpr int32_t kTableSize = 3600;
}

HarmonicOscillator::HarmonicOscillator() {
  kind = kKindHarmonic;
}

bool HarmonicOscillator::Setup(const UnitParams& params, const uint32_t& count,
                               const std::vector<uint8_t>& amplitudes, uint16_t id,
                               const PitchTables* pitchTables, bool rebuild) {
  this->params = params;
  harmonicCount = count;
  this->id = id;
  this->pitchTables = pitchTables;
  this->amplitudes = amplitudes;
  if (rebuild) BuildTable();
  return true;
}

void HarmonicOscillator::SetAmplitudes(const std::vector<uint8_t>& amplitudes, bool rebuild) {
  this->amplitudes = amplitudes;
  harmonicCount = static_cast<uint32_t>(amplitudes.size());
  if (rebuild) BuildTable();
}

std::string HarmonicOscillator::AmplitudeText() const {
  return WriteAmplitudeText(amplitudes);
}

void HarmonicOscillator::BuildTable() {
  // Without the sine table there is nothing to build from; the table stays as it is.
  if (pitchTables == nullptr) return;

  // The sums are formed aside. Each term is truncated by itself; the 64-bit sums cannot
  // overflow, and only absurd arrays (over 130000 loud harmonics) reach the saturation below.
  std::array<int64_t, kTableSize>& sums = scratch;
  sums.fill(0);
  for (size_t i = 0; i < amplitudes.size(); ++i) {
    // The weight is the 8-bit difference 127 - a: byte 0 weighs 127, 127 nothing, 128 weighs 255.
    const int32_t weight = static_cast<uint8_t>(127 - amplitudes[i]);
    if (weight == 0) continue;
    // Harmonic n steps through the sine table n entries per phase step.
    const int32_t step = static_cast<int32_t>((i + 1) % kTableSize);
    int32_t index = 0;
    for (int32_t j = 0; j < kTableSize; ++j) {
      sums[j] += pitchTables->Sine(index) * weight / 127;
      index += step;
      if (index >= kTableSize) index -= kTableSize;
    }
  }

  // Publish: every entry receives its final value in one store, so a concurrent Waveform sees
  // each entry either as before or as after the rebuild, never a partial sum.
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  for (int32_t j = 0; j < kTableSize; ++j) {
    table[j].store(static_cast<int32_t>(std::clamp(sums[j], kMin, kMax)),
                   std::memory_order_relaxed);
  }
}

SoundUnit* HarmonicOscillator::Clone() {
  auto* copy = new HarmonicOscillator;
  copy->harmonicCount = harmonicCount;
  CloneInto(*copy, table, copy->table);
  return copy;
}
