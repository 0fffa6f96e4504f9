// Cost of whole banks: morphing a bank of 256 waves of 64 samples (A, 254 steps, B) sample by
// sample and through the spectrum, and writing and reading such a bank as text, one wave a line.
// With the editor's files (the UI build): opening, morphing and saving a document of such a bank
// the way Open, Morph… and Save do it.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/wave_morph.h"
#include "editor/wave_shapes.h"
#include "formats/wave_bank.h"

#if ZP_BENCH_FILES
#include <QTemporaryDir>

#include "editor/edit_session.h"
#include "files/wave_file.h"
#endif

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

#if ZP_BENCH_FILES

// A session without sound or clipboard holding 256 waves of 64 samples: a square, the 254 waves of
// the spectral morph, a sine.
class BankOnDisk {
 public:
  BankOnDisk() {
    session.Perform(QStringLiteral("Setup"), [this] {
      WaveEditorModel& model = session.Model();
      model.SetLength(kLength);
      model.ReplaceWave(MakeShape(WaveShape::kSquare, kLength));
      const WaveState a = model.State();
      model.ReplaceWave(MakeShape(WaveShape::kSine, kLength));
      session.PutBank({a, model.State()}, 0);
    });
    session.MorphFill(0, 1, kMaxMorphSteps, MorphKind::kSpectral);
    path = folder.filePath(QStringLiteral("bank.zpwave"));
  }
  // What Open does with a document: the files' reading, the bank put in as one step, and the read
  // back that tells whether the wave is still what its file holds.
  bool Open() {
    const WaveFileReadResult read = ReadWaveFileOfKind(path);
    if (!read.ok || read.document.waves.size() != 256) return false;
    session.Perform(QStringLiteral("Open"), [this, &read] {
      session.TakeDocumentTarget(read.document.target, read.height);
      session.PutBank(read.document.waves, read.document.current);
      session.Model().Restore(read.document.state);
    });
    session.MarkClean(FileMatchesWave(path, session.Model().State()));
    return session.WaveCount() == 256;
  }
  // Morph… between the first and the last wave: the 254 waves between them anew, as one step.
  bool Morph(MorphKind kind) { return session.MorphFill(0, 255, kMaxMorphSteps, kind); }
  // What Save does: the document of the session's bank written atomically into the temporary
  // folder (a temporary file, fsync, rename), and the read back.
  bool Save() {
    WaveDocument document;
    document.state = session.Model().State();
    document.target = session.DocumentTarget();
    document.waves = session.Waves();
    document.current = session.CurrentWave();
    if (!SaveWaveFileOfKind(path, document, session.Model().WaveHeight()).written.ok) return false;
    session.MarkClean(FileMatchesWave(path, session.Model().State()));
    return true;
  }
  EditSession& Session() { return session; }

 private:
  EditSession session{nullptr, nullptr};
  QTemporaryDir folder;
  QString path;
};

void BM_Open256WaveBank(benchmark::State& state) {
  BankOnDisk bank;
  if (!bank.Save()) state.SkipWithError("the bank was not saved");
  for (auto _ : state) {
    if (!bank.Open()) state.SkipWithError("the bank did not open");
  }
}
BENCHMARK(BM_Open256WaveBank)->Unit(benchmark::kMillisecond);

// Range 0: linear, 1: spectral. Every morph is undone again outside the timing, so that the history
// does not grow.
void BM_MorphInSession256WaveBank(benchmark::State& state) {
  BankOnDisk bank;
  const MorphKind kind = state.range(0) == 0 ? MorphKind::kLinear : MorphKind::kSpectral;
  for (auto _ : state) {
    if (!bank.Morph(kind)) state.SkipWithError("the bank was not morphed");
    state.PauseTiming();
    bank.Session().Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MorphInSession256WaveBank)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Save256WaveBank(benchmark::State& state) {
  BankOnDisk bank;
  for (auto _ : state) {
    if (!bank.Save()) state.SkipWithError("the bank was not saved");
  }
}
BENCHMARK(BM_Save256WaveBank)->Unit(benchmark::kMillisecond);

// The three in a row, as a user opens a bank, morphs it through the spectrum and saves it.
void BM_OpenMorphSave256WaveBank(benchmark::State& state) {
  BankOnDisk bank;
  if (!bank.Save()) state.SkipWithError("the bank was not saved");
  for (auto _ : state) {
    if (!bank.Open() || !bank.Morph(MorphKind::kSpectral) || !bank.Save()) {
      state.SkipWithError("open, morph or save failed");
    }
  }
}
BENCHMARK(BM_OpenMorphSave256WaveBank)->Unit(benchmark::kMillisecond);

#endif

}  // namespace
