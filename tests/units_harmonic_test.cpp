// HarmonicOscillator: the table built from attenuation bytes, its text, set-up and clone.
#include "units/harmonic_oscillator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "synth/pitch_tables.h"

namespace {

constexpr int kSteps = 3600;

class HarmonicOscillatorTest : public ::testing::Test {
 protected:
  void SetUp() override { tables.Build(); }

  // A unit set up the way the tone table does it.
  std::unique_ptr<HarmonicOscillator> Make(const std::vector<uint8_t>& amplitudes,
                                           bool rebuild = true) {
    auto unit = std::make_unique<HarmonicOscillator>();
    const uint32_t count = static_cast<uint32_t>(amplitudes.size());
    unit->Setup(UnitParams{}, count, amplitudes, 1, &tables, rebuild);
    return unit;
  }

  static std::vector<int32_t> Table(const HarmonicOscillator& unit) {
    std::vector<int32_t> values(kSteps);
    for (int j = 0; j < kSteps; ++j) values[j] = unit.Waveform(j);
    return values;
  }

  int32_t S(int j) const { return tables.Sine(j % kSteps); }

  PitchTables tables;
};

TEST_F(HarmonicOscillatorTest, FullScaleHarmonicsAreTheSineTableItself) {
  auto fundamental = Make({0});
  auto second = Make({127, 0});
  for (int j = 0; j < kSteps; ++j) {
    ASSERT_EQ(fundamental->Waveform(j), S(j)) << j;
    ASSERT_EQ(second->Waveform(j), S(2 * j)) << j;
  }
  EXPECT_EQ(fundamental->Waveform(900), 7999);
  EXPECT_EQ(second->Waveform(450), 7999);
  EXPECT_EQ(second->Waveform(1350), -7999);
}

TEST_F(HarmonicOscillatorTest, LoudHarmonicsAddUpUnclipped) {
  auto unit = Make({0, 0});
  int32_t expectedMax = 0;
  int32_t expectedMin = 0;
  for (int j = 0; j < kSteps; ++j) {
    const int32_t sum = S(j) + S(2 * j);
    ASSERT_EQ(unit->Waveform(j), sum) << j;
    expectedMax = std::max(expectedMax, sum);
    expectedMin = std::min(expectedMin, sum);
  }
  const auto table = Table(*unit);
  EXPECT_EQ(*std::max_element(table.begin(), table.end()), expectedMax);
  EXPECT_EQ(*std::min_element(table.begin(), table.end()), expectedMin);
  // sin x + sin 2x peaks at about 1.76.
  EXPECT_GT(expectedMax, 8000);
  EXPECT_NEAR(expectedMax, 1.76 * 8000, 40);
}

TEST_F(HarmonicOscillatorTest, WeightIsTheEightBitDifferenceAndEachTermIsTruncated) {
  // Byte 126 weighs 1/127: every entry where |S| < 127 rounds to 0.
  auto faint = Make({126});
  int zeroed = 0;
  for (int j = 0; j < kSteps; ++j) {
    ASSERT_EQ(faint->Waveform(j), S(j) / 127) << j;
    if (S(j) > -127 && S(j) < 127) {
      ASSERT_EQ(faint->Waveform(j), 0) << j;
      if (S(j) != 0) ++zeroed;
    }
  }
  EXPECT_GT(zeroed, 0);
  EXPECT_EQ(faint->Waveform(900), 62);    // 7999 / 127
  EXPECT_EQ(faint->Waveform(2700), -62);  // toward zero

  // Byte 128 weighs 255/127: louder than full scale.
  auto loud = Make({128});
  EXPECT_EQ(loud->Waveform(900), 7999 * 255 / 127);
  EXPECT_EQ(loud->Waveform(900), 16060);
  EXPECT_EQ(loud->Waveform(2700), -16060);
  // Byte 255 weighs 128/127.
  EXPECT_EQ(Make({255})->Waveform(900), 7999 * 128 / 127);

  // Two half-loud harmonics: each term is truncated on its own, not their sum.
  auto half = Make({64, 64});
  int differsFromTruncatedSum = 0;
  for (int j = 0; j < kSteps; ++j) {
    const int32_t expected = S(j) * 63 / 127 + S(2 * j) * 63 / 127;
    ASSERT_EQ(half->Waveform(j), expected) << j;
    if (expected != (S(j) + S(2 * j)) * 63 / 127) ++differsFromTruncatedSum;
  }
  EXPECT_GT(differsFromTruncatedSum, 0);
}

TEST_F(HarmonicOscillatorTest, SilentAndEmptyArraysGiveASilentTableAndNoText) {
  for (const auto& amplitudes : {std::vector<uint8_t>{}, std::vector<uint8_t>(64, 127)}) {
    auto unit = Make({0});
    unit->SetAmplitudes(amplitudes, true);
    EXPECT_EQ(Table(*unit), std::vector<int32_t>(kSteps, 0));
    EXPECT_EQ(unit->AmplitudeText(), "");
    EXPECT_EQ(unit->HarmonicCount(), amplitudes.size());
  }
}

TEST_F(HarmonicOscillatorTest, SetupKeepsTheGivenCountAndACopyOfTheArray) {
  HarmonicOscillator unit;
  EXPECT_EQ(unit.Kind(), kKindHarmonic);
  EXPECT_EQ(unit.HarmonicCount(), 0u);
  EXPECT_EQ(unit.AmplitudeText(), "");
  EXPECT_EQ(Table(unit), std::vector<int32_t>(kSteps, 0));

  UnitParams params;
  params.attenuation = 12;
  params.link = 3;
  const uint32_t count = 7;  // not the array's size: Setup stores it as given
  std::vector<uint8_t> amplitudes = {127, 0};
  EXPECT_TRUE(unit.Setup(params, count, amplitudes, 9, &tables, false));
  amplitudes[1] = 5;  // the caller's array, changed after the call
  EXPECT_EQ(unit.HarmonicCount(), 7u);
  EXPECT_EQ(unit.Id(), 9);
  EXPECT_EQ(unit.LinkPosition(), 3);
  EXPECT_EQ(unit.Params().attenuation, 12);
  EXPECT_EQ(unit.Amplitudes(), std::vector<uint8_t>({127, 0}));
  EXPECT_EQ(unit.AmplitudeText(), " 127,   0");
  EXPECT_EQ(Table(unit), std::vector<int32_t>(kSteps, 0));  // no rebuild asked for
  unit.BuildTable();
  EXPECT_EQ(unit.Waveform(450), 7999);
}

TEST_F(HarmonicOscillatorTest, SetAmplitudesWithoutRebuildLeavesTheTable) {
  auto unit = Make({0});
  const auto sine = Table(*unit);
  unit->SetAmplitudes({127, 0, 200}, false);
  EXPECT_EQ(unit->HarmonicCount(), 3u);
  EXPECT_EQ(unit->AmplitudeText(), " 127,   0, 200");
  EXPECT_EQ(Table(*unit), sine);

  unit->BuildTable();
  for (int j = 0; j < kSteps; ++j) {
    ASSERT_EQ(unit->Waveform(j), S(2 * j) + S(3 * j) * 183 / 127) << j;
  }
  unit->SetAmplitudes({0}, true);
  EXPECT_EQ(Table(*unit), sine);
  EXPECT_EQ(unit->HarmonicCount(), 1u);
}

TEST_F(HarmonicOscillatorTest, WithoutPitchTablesTheTableIsLeftAlone) {
  HarmonicOscillator unit;
  const uint32_t count = 1;
  unit.Setup(UnitParams{}, count, {0}, 1, nullptr, true);
  EXPECT_EQ(Table(unit), std::vector<int32_t>(kSteps, 0));
  EXPECT_EQ(unit.AmplitudeText(), "   0");
}

TEST_F(HarmonicOscillatorTest, CloneCopiesTableAndParametersButNotAmplitudes) {
  UnitParams params;
  params.ratio = 20;
  params.link = 2;
  const uint32_t count = 2;
  HarmonicOscillator original;
  original.Setup(params, count, {0, 64}, 4, &tables, true);
  HarmonicOscillator other;
  original.SetInput(&other);

  std::unique_ptr<SoundUnit> copy(original.Clone());
  auto* clone = dynamic_cast<HarmonicOscillator*>(copy.get());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->Kind(), kKindHarmonic);
  EXPECT_EQ(clone->Id(), 4);
  EXPECT_EQ(clone->HarmonicCount(), 2u);
  EXPECT_EQ(clone->Params().ratio, 20u);
  EXPECT_EQ(clone->LinkPosition(), 2);
  EXPECT_EQ(clone->Input(), nullptr);
  EXPECT_TRUE(clone->Amplitudes().empty());
  EXPECT_EQ(clone->AmplitudeText(), "");
  EXPECT_EQ(Table(*clone), Table(original));

  // The copy has its own table, and the pitch tables to rebuild it from.
  original.SetAmplitudes({127}, true);
  EXPECT_NE(Table(*clone), Table(original));
  clone->SetAmplitudes({0}, true);
  EXPECT_EQ(clone->Waveform(900), 7999);
}

TEST_F(HarmonicOscillatorTest, AReaderDuringRebuildsSeesOnlyFinishedEntries) {
  // Many loud harmonics make a rebuild long enough for a reader to land inside it.
  const std::vector<uint8_t> bright(24, 0);
  std::vector<uint8_t> pure(24, 127);
  pure.back() = 0;
  const auto brightTable = Table(*Make(bright));
  const auto pureTable = Table(*Make(pure));

  auto unit = Make(bright);
  std::atomic<bool> done{false};
  std::thread editor([&] {
    for (int rebuild = 0; rebuild < 400; ++rebuild) {
      unit->SetAmplitudes(rebuild % 2 == 0 ? pure : bright, true);
    }
    done = true;
  });
  int mismatches = 0;
  // Reads for as long as the rebuilds go on (and at least once more after them).
  for (bool last = false; !last;) {
    last = done.load();
    for (int j = 0; j < kSteps; ++j) {
      const int32_t value = unit->Waveform(j);
      if (value != brightTable[j] && value != pureTable[j]) ++mismatches;
    }
  }
  editor.join();
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
