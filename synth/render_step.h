// The per-sample step every run of the player goes through, on the render thread and in the
// offline renders alike: one home for how a sample is made and how a note change takes over.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "synth/player.h"
#include "synth/tone.h"
#include "units/sound_unit.h"

namespace render_step {

// A result beyond 16 bits is held at the nearest full-scale value instead of wrapping round.
inline int16_t Saturate(int32_t value) {
  return static_cast<int16_t>(std::clamp<int32_t>(value, std::numeric_limits<int16_t>::min(),
                                                  std::numeric_limits<int16_t>::max()));
}

// One output sample as the stream receives it: the tone's value at index, held to 16 bits; the
// index then moves on, from the last index back to 0. The one home of the per-sample step for the
// render thread and for RenderPcm.
inline int16_t NextSample(Tone& tone, int32_t& index) {
  const int16_t sample = Saturate(tone.Render(index, 0));
  ++index;
  if (index > Player::kLastIndex) index = 0;
  return sample;
}

// Readies a tone for a run from sample index 0: the rate, no phase carried over from an earlier
// run, and the first note.
inline void StartTone(Tone& tone, int32_t note) {
  tone.SetSampleRate(Player::kSampleRate);
  if (tone.Output() != nullptr) tone.Output()->SetPhaseContinuity(0);
  tone.SetNote(note, 0);
}

// One output sample of a run whose note may change: a new note takes over at this very sample,
// going on from the phase the tone last had; while silent the stream gets 0, the index moves on
// and the tone keeps its phase. The one home of the note change for the render thread and for
// RenderNotes.
inline int16_t NextLiveSample(Tone& tone, int32_t& index, int32_t& sounding, int32_t wanted) {
  if (wanted != sounding) {
    if (wanted >= 0) {
      if (tone.Output() != nullptr) tone.Output()->SetPhaseContinuity(1);
      tone.SetNote(wanted, 0);
    }
    sounding = wanted;
  }
  if (sounding >= 0) return NextSample(tone, index);
  ++index;
  if (index > Player::kLastIndex) index = 0;
  return 0;
}

}  // namespace render_step
