// Cost of one output sample: Render of a sampled-wave oscillator over consecutive indexes, as the
// render thread asks for them (note 45, 44100 Hz, the default 32-sample wave).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "synth/player.h"

#include "tables/pitch_tables.h"
#include "units/sampled_wave_oscillator.h"
#include "units/unit_params.h"

namespace {

constexpr int32_t kIndexWrap = 3145728;  // the player's index range

void SetUpUnit(SampledWaveOscillator& unit, const PitchTables& tables, uint16_t mode,
               int32_t note) {
  WaveFormat format;
  format.mode = mode;
  format.bitsPerSample = 8;
  format.length = 32;
  unit.Setup(UnitParams{}, format, "80808080808080807f7f7f7f7f7f7f7f", 1, &tables, true);
  unit.SetSampleRate(44100);
  unit.SetNote(note, 0);
}

// Items processed are samples, so the report's rate is samples per second.
void RunConsecutive(benchmark::State& state, SampledWaveOscillator& unit) {
  int32_t index = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(unit.Render(index, 0));
    if (++index == kIndexWrap) index = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_RenderSampledWaveNote45(benchmark::State& state) {
  PitchTables tables;
  tables.Build();
  SampledWaveOscillator unit;
  SetUpUnit(unit, tables, static_cast<uint16_t>(state.range(0)), 45);
  RunConsecutive(state, unit);
}
BENCHMARK(BM_RenderSampledWaveNote45)->Arg(1)->Arg(2);

// Note 95 leaves the stepped path where the 32-bit cycle products wrap and searches every sample.
void BM_RenderSampledWaveNote95(benchmark::State& state) {
  PitchTables tables;
  tables.Build();
  SampledWaveOscillator unit;
  SetUpUnit(unit, tables, 1, 95);
  RunConsecutive(state, unit);
}
BENCHMARK(BM_RenderSampledWaveNote95);

// A whole block at a time, through RenderBlock.
void BM_RenderBlockNote45(benchmark::State& state) {
  PitchTables tables;
  tables.Build();
  SampledWaveOscillator unit;
  SetUpUnit(unit, tables, 1, 45);
  int32_t values[2500];
  int32_t start = 0;
  for (auto _ : state) {
    unit.RenderBlock(start, 0, values, 2500);
    benchmark::DoNotOptimize(values);
    start += 2500;
    if (start >= kIndexWrap) start = 0;
  }
  state.SetItemsProcessed(state.iterations() * 2500);
}
BENCHMARK(BM_RenderBlockNote45);

// The player's per-sample step as the render thread takes it (through the offline renders, which
// share it): one second of the wave tone at note 45, without a sequence and with a 60 Hz sequence
// of 16 waves of 32 samples looping, so that the two differ only by the switching.
constexpr int32_t kSecond = 44100;

void BM_PlayerStepWave(benchmark::State& state) {
  Player player;
  player.BuildDefaultTones();
  for (auto _ : state) benchmark::DoNotOptimize(player.RenderPcm(1, 45, kSecond));
  state.SetItemsProcessed(state.iterations() * kSecond);
}
BENCHMARK(BM_PlayerStepWave);

void BM_PlayerStepSequence60Hz(benchmark::State& state) {
  Player player;
  player.BuildDefaultTones();
  std::vector<std::string> waves;
  for (int w = 0; w < 16; ++w) {
    std::string text;
    for (int k = 0; k < 32; ++k) {
      const char* hex = "0123456789abcdef";
      const int code = (k * 8 + w * 13) & 0xff;
      text += hex[code >> 4];
      text += hex[code & 15];
    }
    waves.push_back(text);
  }
  player.SetSequence(waves, 1);
  const SequenceOrder order{60, 0, 15, true};
  for (auto _ : state) benchmark::DoNotOptimize(player.RenderSequence(45, order, kSecond));
  state.SetItemsProcessed(state.iterations() * kSecond);
}
BENCHMARK(BM_PlayerStepSequence60Hz);

}  // namespace
