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

  // UI thread, before rendering starts. count is taken by reference as the creation call hands it.
  bool Setup(const UnitParams& params, const uint32_t& count, const std::vector<uint8_t>& amplitudes,
             uint16_t id, const PitchTables* pitchTables, bool rebuild);
  // UI thread; may run while the render thread plays this unit. The new table is computed aside
  // and then stored whole, so the render thread never hears a partial sum.
  void SetAmplitudes(const std::vector<uint8_t>& amplitudes, bool rebuild);
  std::string AmplitudeText() const;
  uint32_t HarmonicCount() const { return harmonicCount; }
  const std::vector<uint8_t>& Amplitudes() const { return amplitudes; }
  void BuildTable();

  int32_t Waveform(int32_t phase) const override {
    return table[phase].load(std::memory_order_relaxed);
  }
  SoundUnit* Clone() override;

 private:
  uint32_t harmonicCount = 0;
  std::array<std::atomic<int32_t>, 3600> table{};
  std::vector<uint8_t> amplitudes;
};
