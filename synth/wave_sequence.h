// A bank of waves played as a sequence: every wave's cycle table prepared before a run, and the
// cursor that steps through them at a tick rate, switching waves at exact sample positions.
//
// Threads (README's vocabulary): WaveSequence is built on the UI thread and read, unchanged, by
// the render thread; SequenceCursor and SequenceOscillator belong to the thread that renders.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "units/oscillator.h"

class SampledWaveOscillator;

// Every wave's cycle table, built as the sampled-wave unit builds its own. Immutable once built.
class WaveSequence {
 public:
  static constexpr int32_t kCycleSteps = 3600;
  using Cycle = std::array<int32_t, kCycleSteps>;

  // The tables of `waves` (hex texts of 2..64 samples) in `mode` (1 hold, 2 poly), built through
  // `builder`, which ends with the last wave's table. Null when a text is not such a wave or
  // there are none or more than 256. [UI]
  static std::unique_ptr<const WaveSequence> Build(const std::vector<std::string>& waves,
                                                   uint16_t mode, SampledWaveOscillator& builder);

  int32_t Count() const { return static_cast<int32_t>(cycles.size()); }
  // [any]
  const Cycle& At(int32_t wave) const { return cycles[static_cast<size_t>(wave)]; }

 private:
  std::vector<Cycle> cycles;
};

// What PlaySequence asks for: waves first..last of the bank, `rate` ticks a second, looping or
// once (then the last wave holds until the sound stops).
struct SequenceOrder {
  int32_t rate = 60;
  int32_t first = 0;
  int32_t last = 0;
  bool loop = true;
};

// Steps through a sequence one sample at a time: wave k of the run (counted from the first) starts
// at sample round(k × 44100 / rate) after the start. [render]
class SequenceCursor {
 public:
  void Start(const SequenceOrder& order);
  // The wave (a place in the bank) for the next sample, then one sample on; the wave is held to
  // the bank's last when the bank has shrunk meanwhile.
  int32_t Step(int32_t waveCount);

 private:
  int64_t SwitchAt(int64_t tick) const;

  SequenceOrder order;
  int64_t position = 0;  // samples since the start
  int64_t tick = 0;      // ticks since the start
  int64_t nextSwitch = 0;
  int32_t wave = 0;  // the place in the bank of the current tick's wave
};

// An oscillator that sounds whichever prepared cycle it is pointed at, with the parameters of the
// wave tone; the phase runs on from the sample index, so a switch keeps it. [render]
class SequenceOscillator : public Oscillator {
 public:
  SequenceOscillator(const UnitParams& params, const PitchTables* tables);
  void Point(const WaveSequence::Cycle* cycle) { this->cycle = cycle; }
  int32_t Waveform(int32_t phase) const override {
    return cycle != nullptr ? (*cycle)[static_cast<size_t>(phase)] : 0;
  }
  SoundUnit* Clone() override;

 private:
  const WaveSequence::Cycle* cycle = nullptr;
};
