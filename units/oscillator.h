// Common base of the oscillators: turns an absolute sample index into a phase (no accumulator),
// applies phase modulation, feedback, duty warp and attenuation, and asks the subclass for the
// waveform value at that phase.
#pragma once

#include <cstdint>

#include "units/sound_unit.h"
#include "units/unit_params.h"

class PitchTables;

class Oscillator : public SoundUnit {
 public:
  Oscillator();

  // Render thread. Unclipped result, full scale 8000; 0 (silence) whenever the frequency set-up
  // leaves no whole sample per cycle (rate 0, frequency 0 or too high) or duty is 0.
  int32_t Render(int32_t index, int32_t aux) override;
  uint16_t LinkPosition() override { return params.link; }
  void SetFixedFrequency(int32_t frequency) override;
  void SetNote(int32_t note, int32_t cents) override;
  void SetDuty(int32_t percent) override;
  void SetPhaseContinuity(uint8_t flag) override;

  // values[k] = Render(start + k, aux) for k < count; returns count. Render thread.
  int32_t RenderBlock(int32_t start, int32_t aux, int32_t* values, int32_t count);

  // Table value at a phase step 0..3599. Safe to call while the UI thread rebuilds the table:
  // every value read belongs to the table before or after the rebuild.
  virtual int32_t Waveform(int32_t phase) const = 0;

  const UnitParams& Params() const { return params; }

 protected:
  UnitParams params;
  uint32_t fixedFrequency = 0;
  int32_t note = 0;
  int32_t detune = 0;
  int32_t lastPhase = 0;
  int32_t phaseOffset = 0;
  bool continuity = false;
  int32_t duty = 50;
  int32_t lastOutput = 0;
  int32_t previousOutput = 0;
  int32_t cachedNote = 0;
  int32_t cachedDetune = 0;
  uint32_t cachedFrequency = 0;
  uint32_t cachedWhole = 0;
  uint32_t cachedRemainder = 0;
  const PitchTables* pitchTables = nullptr;  // not owned
};
