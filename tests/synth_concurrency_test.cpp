// Edits rebuild the cycle tables while the render thread reads them: every value the reader sees
// must come from a table that was published whole, never from a half-built one.

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "synth/pitch_tables.h"
#include "synth/player.h"
#include "tests/support/synth_reference.h"
#include "units/harmonic_oscillator.h"
#include "units/sampled_wave_oscillator.h"

namespace {

struct WaveEdit {
  std::vector<uint8_t> codes;
  uint16_t mode;
};

std::vector<WaveEdit> WaveEdits() {
  std::vector<WaveEdit> edits;
  // A rising ramp of 32 held samples.
  std::vector<uint8_t> ramp;
  for (int k = 0; k < 32; ++k) ramp.push_back(static_cast<uint8_t>(k * 8 - 128));
  edits.push_back({ramp, 1});
  // 16 samples alternating between top and bottom, joined by lines.
  std::vector<uint8_t> zigzag;
  for (int k = 0; k < 16; ++k) zigzag.push_back(k % 2 == 0 ? 0x7f : 0x80);
  edits.push_back({zigzag, 2});
  // 64 held samples of a falling pattern with a few spikes.
  std::vector<uint8_t> fall;
  for (int k = 0; k < 64; ++k)
    fall.push_back(static_cast<uint8_t>(k % 9 == 0 ? 0x60 : 0x70 - 3 * k));
  edits.push_back({fall, 1});
  // The shortest wave: two samples joined by lines.
  edits.push_back({{0x7f, 0x80}, 2});
  return edits;
}

std::vector<std::vector<uint8_t>> HarmonicEdits() {
  return {
      {0},                           // the sine itself
      {127, 0},                      // the second harmonic alone
      {0, 0, 0, 0},                  // four loud harmonics
      {128, 64, 128, 127, 10},       // weights beyond full scale and some quiet ones
      {},                            // silence
      {127, 127, 127, 127, 127, 0},  // the sixth harmonic alone
  };
}

// For every phase, the values that one of the tables holds there.
std::vector<std::set<int32_t>> AllowedValues(const std::vector<reference::Table>& tables) {
  std::vector<std::set<int32_t>> allowed(3600);
  for (const reference::Table& table : tables) {
    for (int32_t p = 0; p < 3600; ++p) allowed[p].insert(table[p]);
  }
  return allowed;
}

TEST(SynthConcurrency, RenderSeesOnlyWholePublishedTablesWhileEditsRebuildThem) {
  Player player;
  player.BuildDefaultTones();
  SampledWaveOscillator* wave = player.Tones().GetSampledWaveOscillator(1);
  HarmonicOscillator* harmonics = player.Tones().GetHarmonicOscillator(1);
  ASSERT_NE(wave, nullptr);
  ASSERT_NE(harmonics, nullptr);

  const std::vector<WaveEdit> waveEdits = WaveEdits();
  const std::vector<std::vector<uint8_t>> harmonicEdits = HarmonicEdits();
  std::vector<std::string> waveTexts;
  for (const WaveEdit& edit : waveEdits) waveTexts.push_back(reference::WaveText(edit.codes));

  // Every table a reader may legally see: the defaults and each edit, computed here from the
  // sample codes and the sine table.
  PitchTables sine;
  sine.Build();
  std::vector<reference::Table> waveTables;
  std::vector<uint8_t> defaultCodes(32, 0);
  for (int k = 0; k < 8; ++k) defaultCodes[k] = 0x80;
  for (int k = 8; k < 16; ++k) defaultCodes[k] = 0x7f;
  waveTables.push_back(reference::WaveTable(defaultCodes, 1));
  for (const WaveEdit& edit : waveEdits)
    waveTables.push_back(reference::WaveTable(edit.codes, edit.mode));
  std::vector<reference::Table> harmonicTables;
  for (const auto& amplitudes : harmonicEdits) {
    harmonicTables.push_back(reference::HarmonicTable(sine, amplitudes));
  }
  const auto waveAllowed = AllowedValues(waveTables);
  const auto harmonicAllowed = AllowedValues(harmonicTables);

  // Single-threaded first: each edit alone yields exactly its table, so the sets above are the
  // right ones and the race below is judged against real tables.
  for (size_t t = 0; t < waveEdits.size(); ++t) {
    ASSERT_TRUE(player.SetWave(waveTexts[t], waveEdits[t].mode));
    for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(wave->Waveform(p), waveTables[t + 1][p]) << p;
  }
  for (size_t t = 0; t < harmonicEdits.size(); ++t) {
    player.SetHarmonics(harmonicEdits[t]);
    for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(harmonics->Waveform(p), harmonicTables[t][p]) << p;
  }
  player.SetWave(waveTexts[0], waveEdits[0].mode);
  player.SetHarmonics(harmonicEdits[0]);

  // The render side sounds both units at o4a, as the render thread does before its first sample.
  wave->SetSampleRate(44100);
  wave->SetNote(45, 0);
  harmonics->SetSampleRate(44100);
  harmonics->SetNote(45, 0);
  const reference::Clock clock(4400);

  // The editor runs from before the first read until after the last, and the reader keeps reading
  // until it has lived through this many publications of each table.
  constexpr int kMinRebuilds = 400;
  std::atomic<int> rebuilds{0};
  std::atomic<bool> readerDone{false};

  std::thread editor([&] {
    for (size_t n = 0; !readerDone.load(std::memory_order_acquire); ++n) {
      const size_t w = n % waveEdits.size();
      player.SetWave(waveTexts[w], waveEdits[w].mode);
      player.SetHarmonics(harmonicEdits[n % harmonicEdits.size()]);
      rebuilds.fetch_add(1, std::memory_order_release);
    }
  });

  int64_t reads = 0;
  int64_t badWave = 0;
  int64_t badHarmonic = 0;
  for (int32_t index = 0; rebuilds.load(std::memory_order_acquire) < kMinRebuilds || index < 44100;
       ++index) {
    const int32_t phase = clock.Phase(index);
    const int32_t fromWave = wave->Render(index, 0);
    const int32_t fromHarmonics = harmonics->Render(index, 0);
    const int32_t rawPhase = index % 3600;
    const int32_t rawWave = wave->Waveform(rawPhase);
    const int32_t rawHarmonics = harmonics->Waveform(rawPhase);
    badWave += waveAllowed[phase].count(fromWave) == 0;
    badWave += waveAllowed[rawPhase].count(rawWave) == 0;
    badHarmonic += harmonicAllowed[phase].count(fromHarmonics) == 0;
    badHarmonic += harmonicAllowed[rawPhase].count(rawHarmonics) == 0;
    reads += 4;
  }
  readerDone.store(true, std::memory_order_release);
  editor.join();

  EXPECT_EQ(badWave, 0) << "wave values outside every published table, of " << reads;
  EXPECT_EQ(badHarmonic, 0) << "harmonic values outside every published table, of " << reads;
}

}  // namespace
