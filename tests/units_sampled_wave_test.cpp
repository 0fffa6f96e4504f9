// The sampled-wave oscillator: reading wave text, building the hold and linear tables, set-up,
// mode and text changes, cloning, playing, and rebuilding while another thread reads the table.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "synth/pitch_tables.h"
#include "units/sampled_wave_oscillator.h"
#include "units/unit_params.h"

namespace {

const std::string kDefaultText = "80808080808080807f7f7f7f7f7f7f7f";

WaveFormat Format(uint16_t mode, uint32_t length, uint16_t bits = 8) {
  WaveFormat format;
  format.mode = mode;
  format.bitsPerSample = bits;
  format.length = length;
  return format;
}

std::array<int32_t, 3600> TableOf(const SampledWaveOscillator& unit) {
  std::array<int32_t, 3600> table{};
  for (int32_t i = 0; i < 3600; ++i) table[i] = unit.Waveform(i);
  return table;
}

// A unit set up with the given text and format, table built.
std::unique_ptr<SampledWaveOscillator> Built(const std::string& text, const WaveFormat& format) {
  auto unit = std::make_unique<SampledWaveOscillator>();
  unit->Setup(UnitParams{}, format, text, 1, nullptr, true);
  return unit;
}

// Expects every entry in [from, to) to be value.
void ExpectRun(const SampledWaveOscillator& unit, int32_t from, int32_t to, int32_t value) {
  for (int32_t i = from; i < to; ++i) ASSERT_EQ(unit.Waveform(i), value) << "position " << i;
}

TEST(SampledWaveTest, DefaultTextHold) {
  const auto unit = Built(kDefaultText, Format(1, 32));
  ExpectRun(*unit, 0, 900, -8000);
  ExpectRun(*unit, 900, 1800, 7937);
  ExpectRun(*unit, 1800, 3600, 0);
}

TEST(SampledWaveTest, DefaultTextLinear) {
  const auto unit = Built(kDefaultText, Format(2, 32));
  EXPECT_EQ(unit->Waveform(0), -8000);
  EXPECT_EQ(unit->Waveform(787), -8000);  // sample 7
  EXPECT_EQ(unit->Waveform(843), -103);
  EXPECT_EQ(unit->Waveform(899), 7795);
  EXPECT_EQ(unit->Waveform(900), 7937);   // sample 8
  EXPECT_EQ(unit->Waveform(1687), 7937);  // sample 15
  EXPECT_EQ(unit->Waveform(1800), 0);     // sample 16, the first missing one
  ExpectRun(*unit, 1800, 3488, 0);
  EXPECT_EQ(unit->Waveform(3488), -70);  // closing segment from 0 at 3487 to -8000 at 3600
  EXPECT_EQ(unit->Waveform(3599), -7929);
  // Between samples 0..7 the line is flat at -8000.
  ExpectRun(*unit, 0, 788, -8000);
}

TEST(SampledWaveTest, SampleValues) {
  // Seven pairs, the eighth sample missing; 8 samples sit 450 positions apart.
  const auto unit = Built("80c0ff0001407f", Format(1, 8));
  const std::vector<int32_t> expected = {-8000, -4000, -62, 0, 62, 4000, 7937, 0};
  for (int32_t k = 0; k < 8; ++k) ExpectRun(*unit, 450 * k, 450 * (k + 1), expected[k]);
}

TEST(SampledWaveTest, FourPairsInThirtyTwoSamples) {
  const auto unit = Built("80007f00", Format(1, 32));
  // Samples sit at floor(k * 3600 / 32): 0, 112, 225, 337, ...
  ExpectRun(*unit, 0, 112, -8000);
  ExpectRun(*unit, 112, 225, 0);
  ExpectRun(*unit, 225, 337, 7937);
  ExpectRun(*unit, 337, 3600, 0);
}

TEST(SampledWaveTest, OnlyTheFirstLengthSamplesAreRead) {
  std::string text;
  for (int32_t k = 0; k < 32; ++k) text += "40";
  for (int32_t k = 0; k < 32; ++k) text += "80";
  const auto unit = Built(text, Format(1, 32));
  ExpectRun(*unit, 0, 3600, 4000);
  EXPECT_EQ(unit->WaveText(), text);
}

TEST(SampledWaveTest, TwoSamplesLinear) {
  // Rises from -8000 at 0 to 4000 at 1800 and falls back to -8000 at 3600.
  const auto unit = Built("8040", Format(2, 2));
  EXPECT_EQ(unit->Waveform(0), -8000);
  EXPECT_EQ(unit->Waveform(1), -7994);  // 12000 / 1800 = 6.67, truncated
  EXPECT_EQ(unit->Waveform(900), -2000);
  EXPECT_EQ(unit->Waveform(1799), 3993);
  EXPECT_EQ(unit->Waveform(1800), 4000);
  EXPECT_EQ(unit->Waveform(1801), 3994);  // -12000 / 1800 truncated toward zero
  EXPECT_EQ(unit->Waveform(2700), -2000);
  EXPECT_EQ(unit->Waveform(3599), -7993);
  for (int32_t i = 1; i <= 1800; ++i) EXPECT_GT(unit->Waveform(i), unit->Waveform(i - 1));
  for (int32_t i = 1801; i < 3600; ++i) EXPECT_LT(unit->Waveform(i), unit->Waveform(i - 1));

  // Falling first, each entry from its own ends: 7937 down to -62.
  const auto falling = Built("7fff", Format(2, 2));
  EXPECT_EQ(falling->Waveform(0), 7937);
  EXPECT_EQ(falling->Waveform(900), 3938);  // 7937 + (-7999 * 900 / 1800 = -3999)
  EXPECT_EQ(falling->Waveform(1800), -62);
  EXPECT_EQ(falling->Waveform(2700), 3937);  // -62 + 3999
}

TEST(SampledWaveTest, HoldRunsTheLastSampleToTheEnd) {
  const auto unit = Built("00000040", Format(1, 4));
  ExpectRun(*unit, 0, 2700, 0);
  ExpectRun(*unit, 2700, 3600, 4000);

  const auto single = Built("c0", Format(1, 1));
  ExpectRun(*single, 0, 3600, -4000);
  const auto singleLinear = Built("c0", Format(2, 1));
  ExpectRun(*singleLinear, 0, 3600, -4000);
}

TEST(SampledWaveTest, DigitsAreReadLikeHexNumbers) {
  // Upper case reads the same as lower case.
  EXPECT_EQ(TableOf(*Built("7F7f", Format(2, 2))), TableOf(*Built("7f7f", Format(2, 2))));
  EXPECT_EQ(TableOf(*Built("C0aB", Format(2, 2))), TableOf(*Built("c0Ab", Format(2, 2))));

  // An odd text reads its last digit alone: 8 is 8, giving 500.
  const auto odd = Built("808", Format(1, 2));
  ExpectRun(*odd, 0, 1800, -8000);
  ExpectRun(*odd, 1800, 3600, 500);

  // Leading hex digits count; a pair that does not start with one is 0.
  const auto partial = Built("1gg1 7-1", Format(1, 4));
  ExpectRun(*partial, 0, 900, 62);  // "1g" is 1
  ExpectRun(*partial, 900, 3600, 0);
}

TEST(SampledWaveTest, OtherSampleWidthsAreSilent) {
  for (const uint16_t bits : {4, 16, 0}) {
    for (const uint16_t mode : {1, 2}) {
      const auto unit = Built(kDefaultText, Format(mode, 32, bits));
      ExpectRun(*unit, 0, 3600, 0);
    }
  }
  // A unit that played a wave goes silent when set up again with another width.
  auto unit = Built(kDefaultText, Format(1, 32));
  unit->Setup(UnitParams{}, Format(1, 32, 4), kDefaultText, 1, nullptr, true);
  ExpectRun(*unit, 0, 3600, 0);
}

TEST(SampledWaveTest, OtherModesWriteOnlySamplePositions) {
  auto unit = Built("80", Format(1, 4));  // -8000, then 0 from 900 on
  unit->SetMode(3, false);
  unit->SetWaveText("40404040", true);
  for (int32_t i = 0; i < 3600; ++i) {
    const int32_t expected = i % 900 == 0 ? 4000 : (i < 900 ? -8000 : 0);
    ASSERT_EQ(unit->Waveform(i), expected) << "position " << i;
  }
}

TEST(SampledWaveTest, SetModeWithoutRebuildChangesNothingAudible) {
  PitchTables tables;
  tables.Build();
  SampledWaveOscillator unit;
  unit.Setup(UnitParams{}, Format(1, 32), kDefaultText, 1, &tables, true);
  unit.SetSampleRate(44100);
  unit.SetNote(45, 0);
  std::vector<int32_t> before;
  for (int32_t i = 0; i < 300; ++i) before.push_back(unit.Render(i, 0));

  EXPECT_TRUE(unit.SetMode(2, false));
  EXPECT_EQ(unit.Format().mode, 2);
  EXPECT_EQ(unit.Params().shape, 2);
  for (int32_t i = 0; i < 300; ++i) EXPECT_EQ(unit.Render(i, 0), before[i]) << "index " << i;

  // The next rebuild uses the new mode.
  EXPECT_TRUE(unit.SetWaveText(kDefaultText, true));
  EXPECT_EQ(TableOf(unit), TableOf(*Built(kDefaultText, Format(2, 32))));
  EXPECT_TRUE(unit.SetMode(1, true));
  EXPECT_EQ(TableOf(unit), TableOf(*Built(kDefaultText, Format(1, 32))));
}

TEST(SampledWaveTest, WaveTextIsKeptAsGiven) {
  auto unit = Built(kDefaultText, Format(1, 32));
  EXPECT_EQ(unit->WaveText(), kDefaultText);
  const std::string shortText = "7f";
  EXPECT_TRUE(unit->SetWaveText(shortText, false));
  EXPECT_EQ(unit->WaveText(), shortText);
  ExpectRun(*unit, 0, 900, -8000);  // no rebuild yet
  const std::string longText(200, 'c');
  unit->SetWaveText(longText, true);
  EXPECT_EQ(unit->WaveText(), longText);
  ExpectRun(*unit, 0, 3600, -3250);  // 0xcc is -52: -52 * 256 * 8000 / 32767 = -3250.1
}

TEST(SampledWaveTest, SetupCopiesAndBuildsOnRequest) {
  PitchTables tables;
  UnitParams params;
  params.ratio = 20;
  params.attenuation = 5;
  params.link = 2;
  SampledWaveOscillator unit;
  EXPECT_EQ(unit.Kind(), kKindSampledWave);
  EXPECT_EQ(unit.Format().mode, 1);
  EXPECT_EQ(unit.Format().bitsPerSample, 4);
  EXPECT_EQ(unit.Format().length, 16u);
  EXPECT_EQ(unit.WaveText(), "");
  ExpectRun(unit, 0, 3600, 0);

  EXPECT_TRUE(unit.Setup(params, Format(1, 32), kDefaultText, 3, &tables, false));
  EXPECT_EQ(unit.Id(), 3);
  EXPECT_EQ(unit.Params().ratio, 20u);
  EXPECT_EQ(unit.Params().attenuation, 5);
  EXPECT_EQ(unit.LinkPosition(), 2);
  EXPECT_EQ(unit.Format().length, 32u);
  EXPECT_EQ(unit.WaveText(), kDefaultText);
  ExpectRun(unit, 0, 3600, 0);  // no rebuild asked for

  unit.BuildTable();
  ExpectRun(unit, 0, 900, -8000);
}

TEST(SampledWaveTest, LengthsOutsideTheTableLeaveItAlone) {
  // 3600 samples or more: Setup builds nothing and a rebuild keeps the table.
  const auto tooLong = Built(kDefaultText, Format(1, 3600));
  ExpectRun(*tooLong, 0, 3600, 0);

  auto unit = Built(kDefaultText, Format(1, 32));
  unit->SetLength(3600);
  unit->SetWaveText("40", true);
  ExpectRun(*unit, 0, 900, -8000);
  ExpectRun(*unit, 900, 1800, 7937);

  // No samples at all: the table stays as it was.
  unit->SetLength(0);
  unit->SetWaveText("40", true);
  unit->SetMode(2, true);
  ExpectRun(*unit, 0, 900, -8000);
  ExpectRun(*unit, 900, 1800, 7937);
  const auto empty = Built(kDefaultText, Format(1, 0));
  ExpectRun(*empty, 0, 3600, 0);

  // The longest length that builds: every position is a sample.
  std::string text;
  for (int32_t k = 0; k < 3599; ++k) text += k % 2 == 0 ? "40" : "c0";
  const auto densest = Built(text, Format(1, 3599));
  // Sample k sits at floor(k * 3600 / 3599) = k, and sample 3598 holds through 3599.
  for (int32_t i = 0; i < 3599; ++i) {
    ASSERT_EQ(densest->Waveform(i), i % 2 == 0 ? 4000 : -4000) << "position " << i;
  }
  EXPECT_EQ(densest->Waveform(3599), 4000);
}

TEST(SampledWaveTest, SetLengthChangesTheSampleCount) {
  auto unit = Built("80c0ff0001407f", Format(1, 32));
  unit->SetLength(4);
  EXPECT_EQ(unit->Format().length, 4u);
  unit->SetWaveText("80c0ff0001407f", true);
  ExpectRun(*unit, 0, 900, -8000);
  ExpectRun(*unit, 900, 1800, -4000);
  ExpectRun(*unit, 1800, 2700, -62);
  ExpectRun(*unit, 2700, 3600, 0);
}

TEST(SampledWaveTest, CloneCopiesTableAndParameters) {
  PitchTables tables;
  tables.Build();
  UnitParams params;
  params.attenuation = 1;
  params.link = 4;
  SampledWaveOscillator unit;
  unit.Setup(params, Format(2, 32), kDefaultText, 7, &tables, true);
  SampledWaveOscillator source;
  unit.SetInput(&source);
  unit.SetSampleRate(22050);

  std::unique_ptr<SoundUnit> clone(unit.Clone());
  auto* copy = dynamic_cast<SampledWaveOscillator*>(clone.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Kind(), kKindSampledWave);
  EXPECT_EQ(copy->Id(), 7);
  EXPECT_EQ(copy->Params().attenuation, 1);
  EXPECT_EQ(copy->LinkPosition(), 4);
  EXPECT_EQ(copy->Format().mode, 2);
  EXPECT_EQ(copy->Format().bitsPerSample, 8);
  EXPECT_EQ(copy->Format().length, 32u);
  EXPECT_EQ(copy->WaveText(), "");
  EXPECT_EQ(copy->Input(), nullptr);
  EXPECT_EQ(copy->SampleRate(), 0);
  const auto table = TableOf(unit);
  EXPECT_EQ(TableOf(*copy), table);

  // The copy plays with the original's pitch tables and level.
  copy->SetSampleRate(44100);
  copy->SetNote(45, 0);
  EXPECT_EQ(copy->Render(0, 0), -7509);  // -8000 at level 126
  EXPECT_EQ(copy->Render(25, 0), 7937 * 7509 / 8000);

  // The copy's table is its own.
  unit.SetWaveText("7f", true);
  EXPECT_EQ(TableOf(*copy), table);
}

TEST(SampledWaveTest, PlaysTheDefaultTone) {
  PitchTables tables;
  tables.Build();
  SampledWaveOscillator unit;
  unit.Setup(UnitParams{}, Format(1, 32), kDefaultText, 1, &tables, true);
  unit.SetSampleRate(44100);
  unit.SetNote(45, 0);
  // 100 samples per cycle at first: phase = index * 36.
  EXPECT_EQ(unit.Render(0, 0), -8000);
  EXPECT_EQ(unit.Render(24, 0), -8000);
  EXPECT_EQ(unit.Render(25, 0), 7937);
  EXPECT_EQ(unit.Render(49, 0), 7937);
  EXPECT_EQ(unit.Render(50, 0), 0);
  EXPECT_EQ(unit.Render(99, 0), 0);
  EXPECT_EQ(unit.Render(100, 0), -8000);
  // Cycle 4 starts at 400 and is 101 samples long: 425 has phase 891, 426 phase 926.
  EXPECT_EQ(unit.Render(425, 0), -8000);
  EXPECT_EQ(unit.Render(426, 0), 7937);
}

// The render thread may read the table while the UI thread rebuilds it: every value read must
// belong to the table before or after a rebuild, never to a cleared or half-drawn one.
TEST(SampledWaveTest, ConcurrentReadsSeeOldOrNewEntries) {
  const std::string first = "80ff7f00c0403f20";
  const std::string second = "7f2080c0000140ee";
  const auto firstTable = TableOf(*Built(first, Format(2, 8)));
  const auto secondTable = TableOf(*Built(second, Format(2, 8)));
  auto unit = Built(first, Format(2, 8));

  std::atomic<bool> done{false};
  std::atomic<int32_t> foreign{0};
  std::atomic<int32_t> passes{0};
  std::thread reader([&] {
    while (!done.load() || passes.load() < 20) {
      for (int32_t i = 0; i < 3600; ++i) {
        const int32_t value = unit->Waveform(i);
        if (value != firstTable[i] && value != secondTable[i]) foreign.fetch_add(1);
      }
      passes.fetch_add(1);
    }
  });
  for (int32_t k = 0; k < 2000; ++k) unit->SetWaveText(k % 2 == 0 ? second : first, true);
  done.store(true);
  reader.join();
  EXPECT_EQ(foreign.load(), 0);
  EXPECT_EQ(TableOf(*unit), firstTable);
}

}  // namespace
