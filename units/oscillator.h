// Common base of the oscillators: turns an absolute sample index into a phase (no accumulator),
// applies phase modulation, feedback, duty warp and attenuation, and asks the subclass for the
// waveform value at that phase.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "units/sound_unit.h"
#include "units/unit_params.h"

class PitchTables;

class Oscillator : public SoundUnit {
 public:
  Oscillator();

  // [render] Unclipped result, full scale 8000. Silence (0, with the input still rendered
  // and no state changed) when the unit cannot lay out a cycle: no pitch tables, a sample rate
  // of 0 or below, a frequency of 0, a frequency above the sample rate (no whole sample per
  // cycle), a duty of 0, or a negative index. An attenuation above 127 is silent like 127, and a
  // feedback above 9 acts as 9.
  int32_t Render(int32_t index, int32_t aux) override;
  uint16_t LinkPosition() override { return params.link; }
  // [render], or [UI, not while playing].
  void SetFixedFrequency(int32_t frequency) override;
  void SetNote(int32_t note, int32_t cents) override;
  void SetDuty(int32_t percent) override;
  void SetPhaseContinuity(uint8_t flag) override;

  // values[k] = Render(start + k, aux) for k < count; returns count. [render]
  int32_t RenderBlock(int32_t start, int32_t aux, int32_t* values, int32_t count);

  // Table value at a phase step 0..3599. [any]: every value read while the UI thread rebuilds
  // the table belongs to the table before or after the rebuild.
  virtual int32_t Waveform(int32_t phase) const = 0;

  // [UI]
  const UnitParams& Params() const { return params; }

 protected:
  // One cycle, a value per phase step, as Waveform reads it.
  using PhaseTable = std::array<std::atomic<int32_t>, 3600>;
  // What every oscillator's Clone gives its copy: the parameters, id and pitch tables, and the
  // values of `from` in `to`. [UI, not while playing]
  void CloneInto(Oscillator& copy, const PhaseTable& from, PhaseTable& to) const;

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

 private:
  // The cycle that holds a sample index: its number, first sample and length in samples.
  struct Cycle {
    uint32_t number = 0;
    uint32_t start = 0;
    uint32_t length = 0;
  };
  // Brings `current` to the cycle holding index for frequency c (tenths of a hertz), d whole
  // samples per cycle (at least 1) and remainder e.
  void FindCycle(uint32_t index, uint32_t c, uint32_t d, uint32_t e);

  // Cycle of the last rendered index, kept so that the next index usually needs no search.
  // Valid only for the frequency, whole and remainder it was found with, and only below
  // stepLimit, under which no product cycle x remainder exceeds 32 bits and stepping one cycle
  // on lands exactly where the search would.
  bool stepValid = false;
  uint32_t stepIndex = 0;
  uint32_t stepFrequency = 0;
  uint32_t stepWhole = 0;
  uint32_t stepRemainder = 0;
  uint32_t stepLimit = 0;
  uint32_t stepNext = 0;  // first sample of the cycle after the current one
  Cycle current;
};
