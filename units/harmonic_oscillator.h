// Oscillator whose cycle is a sum of sines, one per harmonic, weighted by attenuation bytes
// (0 loudest, 127 silent).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "units/oscillator.h"

class HarmonicOscillator : public Oscillator {
 public:
  HarmonicOscillator();

  // count is taken by reference as the creation call hands it. [UI, not while playing]
  bool Setup(const UnitParams& params, const uint32_t& count,
             const std::vector<uint8_t>& amplitudes, uint16_t id, const PitchTables* pitchTables,
             bool rebuild);
  // [UI], also while the render thread plays this unit. The new table is computed aside and then
  // stored entry by entry, so every entry the render thread reads is a finished value (from
  // before or after the rebuild), never a partial sum.
  void SetAmplitudes(const std::vector<uint8_t>& amplitudes, bool rebuild);
  // [UI]
  std::string AmplitudeText() const;
  uint32_t HarmonicCount() const { return harmonicCount; }
  const std::vector<uint8_t>& Amplitudes() const { return amplitudes; }
  // Leaves the table unchanged while the unit has no pitch tables to take the sine from. [UI],
  // also while the render thread reads the table (see SetAmplitudes).
  void BuildTable();

  // One table entry, the value before or after a rebuild. [any]
  int32_t Waveform(int32_t phase) const override {
    return table[phase].load(std::memory_order_relaxed);
  }
  // The parameters, count, table, id and pitch tables; no amplitudes, no input. [UI, not while
  // playing]
  SoundUnit* Clone() override;

 private:
  uint32_t harmonicCount = 0;
  std::array<std::atomic<int32_t>, 3600> table{};
  std::vector<uint8_t> amplitudes;
  // Where BuildTable forms the new sums before it stores them into table (UI thread only).
  std::array<int64_t, 3600> scratch{};
};
