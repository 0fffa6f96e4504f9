#include "units/oscillator.h"

#include <algorithm>
#include <limits>

#include "tables/pitch_tables.h"

namespace {
constexpr int32_t kFullScale = 8000;
constexpr int32_t kCycleSteps = 3600;
constexpr int32_t kTopLevel = 127;
constexpr int32_t kMaxFeedback = 9;
}  // namespace

Oscillator::Oscillator() {
  kind = kKindOscillator;
}

void Oscillator::CloneInto(Oscillator& copy, const PhaseTable& from, PhaseTable& to) const {
  copy.params = params;
  for (size_t i = 0; i < from.size(); ++i) {
    to[i].store(from[i].load(std::memory_order_relaxed), std::memory_order_relaxed);
  }
  copy.id = id;
  copy.pitchTables = pitchTables;
}

void Oscillator::SetFixedFrequency(int32_t frequency) {
  fixedFrequency = static_cast<uint32_t>(frequency);
  SoundUnit::SetFixedFrequency(frequency);
}

void Oscillator::SetNote(int32_t note, int32_t cents) {
  this->note = note;
  detune = cents;
  SoundUnit::SetNote(note, cents);
}

void Oscillator::SetDuty(int32_t percent) {
  duty = percent;
  SoundUnit::SetDuty(percent);
}

void Oscillator::SetPhaseContinuity(uint8_t flag) {
  continuity = flag != 0;
  if (flag == 0) phaseOffset = 0;
  SoundUnit::SetPhaseContinuity(flag);
}

int32_t Oscillator::RenderBlock(int32_t start, int32_t aux, int32_t* values, int32_t count) {
  for (int32_t k = 0; k < count; ++k) {
    values[k] = Render(static_cast<int32_t>(static_cast<uint32_t>(start) + k), aux);
  }
  return count;
}

// Cycle k starts at sample k*d + floor(k*e / c), so cycles are d or d + 1 samples long and
// average exactly (rate*10)/c. The products k*e are 32-bit unsigned: for the notes the pitch
// list offers they never wrap over the player's index range; for the highest notes they can,
// and then the layout is followed exactly as those products give it.
void Oscillator::FindCycle(uint32_t index, uint32_t c, uint32_t d, uint32_t e) {
  const bool sameLayout = stepValid && c == stepFrequency && d == stepWhole && e == stepRemainder;
  if (sameLayout && index == stepIndex + 1 && index < stepLimit) {
    // Below stepLimit cycle starts grow strictly, so the next index lies in the current cycle
    // or is the first sample of the next one.
    if (index == stepNext) {
      const uint32_t following = current.number + 2;
      current.number += 1;
      current.start = stepNext;
      stepNext = following * d + following * e / c;
      current.length = stepNext - current.start;
    }
    stepIndex = index;
    return;
  }

  const auto start = [c, d, e](uint32_t k) -> uint32_t { return k * d + k * e / c; };
  const uint64_t longest = static_cast<uint64_t>(d) + 1;
  uint32_t f = index / d;
  for (uint32_t s = start(f); s > index; s = start(f)) {
    const uint32_t gap = s - index;
    f -= gap > longest ? static_cast<uint32_t>(gap / longest) : 1;
  }
  current.number = f;
  current.start = start(f);
  current.length = (f + 1) * e / c > f * e / c ? d + 1 : d;

  if (!sameLayout) {
    // Largest cycle number whose product with e still fits in 32 bits, turned into the first
    // index whose cycle search could meet a wrapped product.
    const uint64_t lastCycle =
        e == 0 ? std::numeric_limits<uint32_t>::max() : std::numeric_limits<uint32_t>::max() / e;
    stepLimit = static_cast<uint32_t>(
        std::min<uint64_t>(lastCycle * d, uint64_t{std::numeric_limits<int32_t>::max()} + 1));
    stepFrequency = c;
    stepWhole = d;
    stepRemainder = e;
  }
  stepValid = true;
  stepIndex = index;
  stepNext = current.start + current.length;
}

int32_t Oscillator::Render(int32_t index, int32_t aux) {
  // The input is rendered every time, whatever the flags say.
  const int32_t m = input != nullptr ? input->Render(index, aux) : 0;
  if (bypass) return m;
  if (mute) return 0;
  if (pitchTables == nullptr || index < 0) return 0;

  // A full-scale input moves the phase by two cycles.
  const int64_t pm = int64_t{m} * 7200 / kFullScale;

  // Frequency c, whole samples per cycle d and remainder e.
  uint32_t c = 0;
  uint32_t d = 0;
  uint32_t e = 0;
  if (fixedFrequency != 0) {
    if (sampleRate <= 0) return 0;
    const uint32_t span = static_cast<uint32_t>(sampleRate) * 10u;
    c = fixedFrequency;
    d = span / c;
    e = span % c;
  } else if (cachedFrequency != 0 && cachedNote == note && cachedDetune == detune) {
    // Keyed on note and detune only: a new sample rate is not seen while they stay.
    c = cachedFrequency;
    d = cachedWhole;
    e = cachedRemainder;
  } else {
    if (sampleRate <= 0) return 0;
    const int32_t cents =
        static_cast<int32_t>(static_cast<uint32_t>(params.cents) + static_cast<uint32_t>(detune));
    const uint32_t f = static_cast<uint32_t>(pitchTables->Frequency(note, cents));
    c = params.ratio * f / 10u;
    cachedNote = note;
    cachedDetune = detune;
    cachedFrequency = c;  // 0 leaves the cache empty
    if (c == 0) return 0;
    const uint32_t span = static_cast<uint32_t>(sampleRate) * 10u;
    d = span / c;
    e = span % c;
    cachedWhole = d;
    cachedRemainder = e;
  }
  if (d == 0 || duty == 0) return 0;

  // The cycle that holds the index, and the phase within it.
  const uint32_t sample = static_cast<uint32_t>(index);
  FindCycle(sample, c, d, e);
  const uint32_t phase0 =
      (sample - current.start) * static_cast<uint32_t>(kCycleSteps) / current.length;

  // Phase continuity: hold the last phase once and keep the difference as an offset. The sums
  // wrap like the 32-bit registers they model, so no input can make them overflow.
  int32_t phase;
  if (continuity) {
    phaseOffset = static_cast<int32_t>(static_cast<uint32_t>(lastPhase) - phase0);
    phase = lastPhase;
    continuity = false;
  } else {
    phase = static_cast<int32_t>(phase0 + static_cast<uint32_t>(phaseOffset));
  }
  lastPhase = phase;

  // Feedback from the average of the last two outputs; >> rounds toward minus infinity.
  if (index == 0) {
    lastOutput = 0;
    previousOutput = 0;
  }
  const int64_t average = (int64_t{lastOutput} + previousOutput) / 2;
  previousOutput = lastOutput;
  int64_t feedbackPhase = 0;
  if (params.feedback != 0) {
    const int32_t shift = kMaxFeedback - std::min<int32_t>(params.feedback, kMaxFeedback);
    feedbackPhase = (average >> shift) * 14400 / kFullScale;
  }

  // Wrap into one cycle.
  int64_t u = (int64_t{phase} + feedbackPhase + pm) % kCycleSteps;
  if (u < 0) u += kCycleSteps;

  // Duty warp: the first duty percent of the cycle plays the first half of the waveform.
  if (duty != 50) {
    const int64_t s = int64_t{duty} * 36;
    if (u <= s) {
      u = u * 1800 / s;
    } else {
      u = (u - s) * 1800 / (kCycleSteps - s) + 1800;
    }
  }

  // Look up and scale by the level of the attenuation.
  const int32_t w = Waveform(static_cast<int32_t>(u));
  const int32_t levelIndex = params.attenuation >= kTopLevel ? 0 : kTopLevel - params.attenuation;
  const int32_t out =
      static_cast<int32_t>(int64_t{w} * pitchTables->Level(levelIndex) / kFullScale);
  lastOutput = out;
  return out;
}
