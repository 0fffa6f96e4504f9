#include "synth/wave_sequence.h"

#include <algorithm>
#include <cctype>

#include "formats/wave_bank.h"
#include "units/sampled_wave_oscillator.h"

namespace {

constexpr int64_t kRate = 44100;
constexpr size_t kMinHexDigits = 4;
constexpr size_t kMaxHexDigits = 128;

bool IsHexWave(const std::string& text) {
  return text.size() % 2 == 0 && text.size() >= kMinHexDigits && text.size() <= kMaxHexDigits &&
         std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isxdigit(c) != 0; });
}

}  // namespace

std::unique_ptr<const WaveSequence> WaveSequence::Build(const std::vector<std::string>& waves,
                                                        uint16_t mode,
                                                        SampledWaveOscillator& builder) {
  if (waves.empty() || waves.size() > kMaxBankWaves ||
      !std::all_of(waves.begin(), waves.end(), IsHexWave))
    return nullptr;
  auto sequence = std::make_unique<WaveSequence>();
  sequence->cycles.resize(waves.size());
  builder.SetMode(mode, false);
  for (size_t w = 0; w < waves.size(); ++w) {
    // The same steps as the player's SetWave, so that each wave sounds as it does on its own.
    builder.SetLength(static_cast<uint32_t>(waves[w].size() / 2));
    builder.SetWaveText(waves[w], true);
    for (int32_t p = 0; p < kCycleSteps; ++p)
      sequence->cycles[w][static_cast<size_t>(p)] = builder.Waveform(p);
  }
  return sequence;
}

void SequenceCursor::Start(const SequenceOrder& wanted) {
  order = wanted;
  position = 0;
  tick = 0;
  wave = wanted.first;
  nextSwitch = SwitchAt(1);
}

int64_t SequenceCursor::SwitchAt(int64_t k) const {
  // round(k × 44100 / rate), halves up, in whole numbers.
  return (2 * k * kRate + order.rate) / (2 * int64_t{order.rate});
}

int32_t SequenceCursor::Step(int32_t waveCount) {
  if (position >= nextSwitch) {
    // A tick: the wave is worked out here only, not for every sample.
    while (position >= nextSwitch) {
      ++tick;
      nextSwitch = SwitchAt(tick + 1);
    }
    const int64_t span = int64_t{order.last} - order.first + 1;
    const int64_t step = order.loop ? tick % span : std::min(tick, span - 1);
    wave = order.first + static_cast<int32_t>(step);
  }
  ++position;
  return std::clamp<int32_t>(wave, 0, waveCount - 1);
}

SequenceOscillator::SequenceOscillator(const UnitParams& unitParams, const PitchTables* tables) {
  params = unitParams;
  pitchTables = tables;
}

SoundUnit* SequenceOscillator::Clone() {
  auto* copy = new SequenceOscillator(params, pitchTables);
  copy->cycle = cycle;
  return copy;
}
