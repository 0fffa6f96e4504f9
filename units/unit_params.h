// Creation record shared by every oscillator, and the unit kind codes.
#pragma once

#include <cstdint>

// Kind codes reported by SoundUnit::Kind().
enum UnitKind : uint16_t {
  kKindOscillator = 1,
  kKindMultiInput = 3,
  kKindSampledWave = 4,
  kKindHarmonic = 5,
};

// Parameters a unit receives when the tone table creates it; each oscillator keeps its own copy.
struct UnitParams {
  uint16_t shape = 1;        // unread; SampledWaveOscillator::SetMode copies its mode here
  uint32_t ratio = 10;       // frequency multiplier in tenths (10 = x1.0)
  uint16_t reserved1 = 1;    // not read
  int16_t cents = 0;         // detune in cents, added to the detune given by SetNote
  uint16_t attenuation = 0;  // 0 loudest .. 127 silent
  uint16_t feedback = 0;     // self-feedback 0..9, 0 off
  uint16_t reserved2 = 0;    // not read
  uint16_t link = 0;         // 1-based position of the input unit within the tone, 0 none
};
