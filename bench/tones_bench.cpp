// Cost of one output sample of each of the player's two default tones, through its tone table, as
// the render thread asks for them: consecutive indexes at note 45 and 44100 Hz. The report's
// time per iteration is the time per sample.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "synth/player.h"
#include "synth/tone.h"

namespace {

void RenderTone(benchmark::State& state, int32_t toneNumber) {
  Player player;
  player.BuildDefaultTones();
  Tone* tone = player.Tones().GetTone(toneNumber);
  tone->SetSampleRate(Player::kSampleRate);
  tone->SetNote(45, 0);
  int32_t index = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tone->Render(index, 0));
    if (++index > Player::kLastIndex) index = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

// Tone 1: the sampled wave.
void BM_RenderWaveTone(benchmark::State& state) {
  RenderTone(state, 1);
}
BENCHMARK(BM_RenderWaveTone);

// Tone 2: the sum of harmonics.
void BM_RenderHarmonicsTone(benchmark::State& state) {
  RenderTone(state, 2);
}
BENCHMARK(BM_RenderHarmonicsTone);

}  // namespace
