// Cost of whole banks: morphing a bank of 256 waves of 64 samples (A, 254 steps, B) sample by
// sample and through the spectrum, and writing and reading such a bank as text, one wave a line.
#include <benchmark/benchmark.h>

#include <string>

#include "editor/wave_morph.h"
#include "editor/wave_shapes.h"
#include "formats/wave_bank.h"

namespace {

constexpr int32_t kLength = 64;

WaveBank MorphedBank(MorphKind kind) {
  return {MorphWaves(MakeShape(WaveShape::kSquare, kLength), MakeShape(WaveShape::kSine, kLength),
                     kMaxMorphSteps, kind, 256)};
}

// Range 0: linear, 1: spectral. Items are waves.
void BM_Morph256Waves(benchmark::State& state) {
  const SignedWave a = MakeShape(WaveShape::kSquare, kLength);
  const SignedWave b = MakeShape(WaveShape::kSine, kLength);
  const MorphKind kind = state.range(0) == 0 ? MorphKind::kLinear : MorphKind::kSpectral;
  for (auto _ : state) benchmark::DoNotOptimize(MorphWaves(a, b, kMaxMorphSteps, kind, 256));
  state.SetItemsProcessed(state.iterations() * (kMaxMorphSteps + 2));
}
BENCHMARK(BM_Morph256Waves)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Range: the format (WaveFormatId).
void BM_Write256WaveBankText(benchmark::State& state) {
  const WaveBank bank = MorphedBank(MorphKind::kSpectral);
  const auto format = static_cast<WaveFormatId>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(WriteBankText(bank, format));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bank.waves.size()));
}
BENCHMARK(BM_Write256WaveBankText)
    ->Arg(static_cast<int>(WaveFormatId::kHex))
    ->Arg(static_cast<int>(WaveFormatId::kFurnace))
    ->Unit(benchmark::kMillisecond);

void BM_Read256WaveBankText(benchmark::State& state) {
  const std::string text =
      WriteBankText(MorphedBank(MorphKind::kSpectral), static_cast<WaveFormatId>(state.range(0)));
  for (auto _ : state) {
    const BankReadResult read = ReadBankText(text);
    if (!read.ok || read.bank.waves.size() != 256)
      state.SkipWithError("the bank did not read back");
    benchmark::DoNotOptimize(read);
  }
  state.SetItemsProcessed(state.iterations() * 256);
}
BENCHMARK(BM_Read256WaveBankText)
    ->Arg(static_cast<int>(WaveFormatId::kHex))
    ->Arg(static_cast<int>(WaveFormatId::kFurnace))
    ->Unit(benchmark::kMillisecond);

}  // namespace
