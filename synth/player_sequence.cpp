// The player's wave sequences: the prepared sets handed to the render thread without a lock, and
// the step that chooses each sample's wave, shared by the render thread and RenderSequence.
#include <algorithm>

#include "synth/player.h"
#include "synth/render_step.h"
#include "units/sampled_wave_oscillator.h"

namespace {

// The packed order: rate − 1 in bits 0..9, first in 10..17, last in 18..25, loop in bit 26, on in
// bit 27, the serial above, so that every order differs from the one before.
constexpr uint64_t kByte = 0xff;
constexpr uint64_t kRateBits = 0x3ff;
constexpr int kFirstShift = 10;
constexpr int kLastShift = 18;
constexpr uint64_t kLoopBit = uint64_t{1} << 26;
constexpr uint64_t kOnBit = uint64_t{1} << 27;
constexpr int kSerialShift = 28;

}  // namespace

uint64_t Player::PackOrder(const SequenceOrder& order, bool on, uint64_t serial) {
  return static_cast<uint64_t>(order.rate - 1) |
         (static_cast<uint64_t>(order.first) << kFirstShift) |
         (static_cast<uint64_t>(order.last) << kLastShift) | (order.loop ? kLoopBit : 0) |
         (on ? kOnBit : 0) | (serial << kSerialShift);
}

SequenceOrder Player::UnpackOrder(uint64_t packed) {
  SequenceOrder order;
  order.rate = static_cast<int32_t>(packed & kRateBits) + 1;
  order.first = static_cast<int32_t>((packed >> kFirstShift) & kByte);
  order.last = static_cast<int32_t>((packed >> kLastShift) & kByte);
  order.loop = (packed & kLoopBit) != 0;
  return order;
}

bool Player::ValidOrder(const SequenceOrder& order) const {
  return sequenceSet != nullptr && order.rate >= kMinSequenceRate &&
         order.rate <= kMaxSequenceRate && order.first >= 0 && order.first <= order.last &&
         order.last < sequenceSet->Count();
}

bool Player::SetSequence(const std::vector<std::string>& waves, uint16_t mode) {
  SampledWaveOscillator* wave = toneTable.GetSampledWaveOscillator(1);
  if (wave == nullptr || sequenceTone == nullptr) return false;
  // A copy of the wave tone's unit builds the cycles, exactly as that unit builds its own.
  const std::unique_ptr<SampledWaveOscillator> builder(
      static_cast<SampledWaveOscillator*>(wave->Clone()));
  std::unique_ptr<const WaveSequence> built = WaveSequence::Build(waves, mode, *builder);
  if (built == nullptr) return false;
  publishedSet.store(built.get(), std::memory_order_seq_cst);
  if (sequenceSet != nullptr) retiredSets.push_back(std::move(sequenceSet));
  sequenceSet = std::move(built);
  FreeRetiredSequences();
  return true;
}

int32_t Player::SequenceLength() const {
  return sequenceSet != nullptr ? sequenceSet->Count() : 0;
}

void Player::FreeRetiredSequences() {
  // A set the render thread may still read is the one it marked, and only while it runs; one it
  // has not marked yet it will not read, since it checks the published set after marking.
  const bool running = IsPlaying();
  const WaveSequence* inUse = setInUse.load(std::memory_order_seq_cst);
  std::erase_if(retiredSets, [&](const std::unique_ptr<const WaveSequence>& set) {
    return !running || set.get() != inUse;
  });
}

bool Player::PlaySequence(int32_t rate, bool loop, int32_t first, int32_t last) {
  SequenceOrder order{rate, first, last < 0 ? SequenceLength() - 1 : last, loop};
  if (!ValidOrder(order)) return false;
  sequenceOrder.store(PackOrder(order, true, ++orderSerial), std::memory_order_release);
  sequenceOrdered = true;
  FreeRetiredSequences();
  Play();
  if (!IsPlaying()) {
    // The last run still drains: nothing starts, and no later Play may find the order waiting.
    StopSequence();
    return false;
  }
  return true;
}

void Player::StopSequence() {
  if (!sequenceOrdered) return;
  sequenceOrdered = false;
  sequenceOrder.store(PackOrder(SequenceOrder{}, false, ++orderSerial), std::memory_order_release);
}

bool Player::IsSequencePlaying() const {
  return sequenceOrdered && IsPlaying();
}

const WaveSequence* Player::TakeSequence() {
  const WaveSequence* seen = publishedSet.load(std::memory_order_seq_cst);
  for (;;) {
    setInUse.store(seen, std::memory_order_seq_cst);
    const WaveSequence* again = publishedSet.load(std::memory_order_seq_cst);
    if (again == seen) return seen;
    seen = again;
  }
}

void Player::BeginSequence(SequenceRun& run, uint64_t packed, int32_t note) {
  run = SequenceRun{};
  run.seenOrder = packed;
  if (sequenceTone == nullptr) return;
  render_step::StartTone(*sequenceTone, std::max(note, 0));
  run.on = (packed & kOnBit) != 0;
  if (!run.on) return;
  run.cursor.Start(UnpackOrder(packed));
  run.waves = TakeSequence();
}

Tone* Player::SequenceStep(SequenceRun& run, Tone* tone, int32_t sounding, uint64_t packed) {
  if (sequenceTone == nullptr) return tone;
  if (packed != run.seenOrder) {
    // A new order: from this sample on the sequence starts afresh, or the run's tone comes back,
    // at the note sounding and going on from the phase that tone last had.
    run.seenOrder = packed;
    const bool wasOn = run.on;
    run.on = (packed & kOnBit) != 0;
    if (run.on) run.cursor.Start(UnpackOrder(packed));
    if (run.on != wasOn && sounding >= 0) {
      Tone& next = run.on ? *sequenceTone : *tone;
      if (next.Output() != nullptr) next.Output()->SetPhaseContinuity(1);
      next.SetNote(sounding, 0);
    }
  }
  if (!run.on) return tone;
  if (publishedSet.load(std::memory_order_relaxed) != run.waves) run.waves = TakeSequence();
  if (run.waves == nullptr) return tone;
  sequenceUnit->Point(&run.waves->At(run.cursor.Step(run.waves->Count())));
  return sequenceTone.get();
}

std::vector<int16_t> Player::RenderSequence(int32_t noteNumber, const SequenceOrder& order,
                                            int32_t sampleCount) {
  std::vector<int16_t> pcm;
  // The units keep per-note state that the render thread uses too.
  if (IsPlaying() || sampleCount <= 0 || !ValidOrder(order) || sequenceTone == nullptr) return pcm;
  const uint64_t packed = PackOrder(order, true, 0);
  SequenceRun run;
  BeginSequence(run, packed, noteNumber);
  pcm.reserve(static_cast<size_t>(sampleCount));
  int32_t index = 0;
  int32_t sounding = noteNumber;
  for (int32_t i = 0; i < sampleCount; ++i) {
    Tone* voice = SequenceStep(run, sequenceTone.get(), sounding, packed);
    pcm.push_back(render_step::NextLiveSample(*voice, index, sounding, noteNumber));
  }
  return pcm;
}
