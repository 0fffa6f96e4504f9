// Pitch, level and sine tables and the pitch lookup with its one-entry cache.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "synth/pitch_tables.h"

namespace {

PitchTables BuiltTables() {
  PitchTables tables;
  tables.Build();
  return tables;
}

TEST(PitchTablesTest, PitchRows) {
  const PitchTables tables = BuiltTables();
  const std::vector<int32_t> first = {327, 346, 367, 388, 412, 436, 462, 489, 519, 550, 582, 617};
  const std::vector<int32_t> fourth = {2616, 2771, 2936, 3111, 3296, 3492,
                                       3699, 3919, 4153, 4400, 4661, 4938};
  for (int32_t j = 0; j < 12; ++j) {
    EXPECT_EQ(tables.Pitch(j), first[j]) << "note " << j;
    EXPECT_EQ(tables.Pitch(36 + j), fourth[j]) << "note " << 36 + j;
  }
  EXPECT_EQ(tables.Pitch(95), 79021);

  // The ten notes of the pitch list.
  const std::vector<std::pair<int32_t, int32_t>> listed = {
      {14, 734},  {21, 1100}, {26, 1468}, {33, 2200},  {38, 2936},
      {45, 4400}, {50, 5873}, {57, 8800}, {62, 11746}, {69, 17600}};
  for (const auto& [note, pitch] : listed) EXPECT_EQ(tables.Pitch(note), pitch) << "note " << note;

  // Every A is exact and every other entry is A * 2^((j - 9) / 12), truncated.
  for (int32_t k = 0; k < 8; ++k) {
    const double a = 550.0 * std::pow(2.0, k);
    EXPECT_EQ(tables.Pitch(12 * k + 9), static_cast<int32_t>(a));
    for (int32_t j = 0; j < 12; ++j) {
      EXPECT_EQ(tables.Pitch(12 * k + j), static_cast<int32_t>(a * std::exp2((j - 9) / 12.0)))
          << "note " << 12 * k + j;
    }
  }
}

TEST(PitchTablesTest, LevelRows) {
  const PitchTables tables = BuiltTables();
  for (int32_t l = 0; l <= 41; ++l) EXPECT_EQ(tables.Level(l), 0) << "level " << l;
  const std::vector<std::pair<int32_t, int32_t>> rows = {{42, 1},     {48, 3},     {64, 33},
                                                         {80, 198},   {96, 852},   {112, 2926},
                                                         {120, 5082}, {126, 7509}, {127, 8000}};
  for (const auto& [level, gain] : rows) EXPECT_EQ(tables.Level(level), gain) << "level " << level;
  for (int32_t l = 1; l < 128; ++l) EXPECT_GE(tables.Level(l), tables.Level(l - 1));
}

TEST(PitchTablesTest, SineEntries) {
  const PitchTables tables = BuiltTables();
  EXPECT_EQ(tables.Sine(0), 0);
  for (int32_t i = 891; i <= 909; ++i) EXPECT_EQ(tables.Sine(i), 7999) << "entry " << i;
  EXPECT_EQ(tables.Sine(890), 7998);
  EXPECT_EQ(tables.Sine(910), 7998);
  EXPECT_EQ(tables.Sine(1799), 14);
  EXPECT_EQ(tables.Sine(1800), 0);
  EXPECT_EQ(tables.Sine(1801), -13);
  EXPECT_EQ(tables.Sine(2700), -7999);
  EXPECT_EQ(tables.Sine(3599), -15);

  int32_t highest = 0;
  int32_t lowest = 0;
  for (int32_t i = 0; i < 3600; ++i) {
    highest = std::max(highest, tables.Sine(i));
    lowest = std::min(lowest, tables.Sine(i));
  }
  EXPECT_EQ(highest, 7999);
  EXPECT_EQ(lowest, -7999);
}

TEST(PitchTablesTest, FrequencyLookup) {
  const PitchTables tables = BuiltTables();
  EXPECT_EQ(tables.Frequency(45, 0), 4400);
  EXPECT_EQ(tables.Frequency(0, 0), 327);
  EXPECT_EQ(tables.Frequency(95, 0), 79021);

  // Whole semitones of the detune move the index.
  EXPECT_EQ(tables.Frequency(45, 100), 4661);
  EXPECT_EQ(tables.Frequency(46, 0), 4661);

  // The rest bends up or down from the entry; -150 is one semitone down and 50 cents down.
  EXPECT_EQ(tables.Frequency(45, 50), 4528);
  EXPECT_EQ(tables.Frequency(45, -50), 4274);
  EXPECT_EQ(tables.Frequency(45, -150), 4034);

  // Below the table the index stops at 0.
  EXPECT_EQ(tables.Frequency(-3, 0), 327);
  EXPECT_EQ(tables.Frequency(0, -250), 317);
}

TEST(PitchTablesTest, FrequencyAboveTableUsesLastNote) {
  const PitchTables tables = BuiltTables();
  EXPECT_EQ(tables.Frequency(96, 0), 79021);
  EXPECT_EQ(tables.Frequency(95, 200), 79021);
  EXPECT_EQ(tables.Frequency(200, 50), 81336);
  EXPECT_EQ(tables.Frequency(1000000, -99), 74628);
  // INT32_MAX cents is 21474836 semitones and 47 cents.
  EXPECT_EQ(tables.Frequency(2147483647, 2147483647), 81195);
  // INT32_MIN cents is -21474836 semitones and -48 cents.
  EXPECT_EQ(tables.Frequency(-2147483647 - 1, -2147483647 - 1), 318);
}

TEST(PitchTablesTest, FrequencyCache) {
  // Fresh tables are empty, so the answer is 0 and that 0 is remembered. Build forgets it.
  PitchTables tables;
  EXPECT_EQ(tables.Frequency(45, 0), 0);
  EXPECT_EQ(tables.Frequency(45, 0), 0);
  tables.Build();
  EXPECT_EQ(tables.Frequency(45, 0), 4400);
  EXPECT_EQ(tables.Frequency(45, 0), 4400);

  // The cache is keyed on both the note and the detune.
  EXPECT_EQ(tables.Frequency(45, 50), 4528);
  EXPECT_EQ(tables.Frequency(57, 50), 9057);
  EXPECT_EQ(tables.Frequency(57, 0), 8800);
  EXPECT_EQ(tables.Frequency(45, 0), 4400);

  // Right after Build the cache holds note -1 and detune 0 but no result, so that pair is
  // computed (index 0) rather than answered from the cache.
  PitchTables rebuilt;
  rebuilt.Build();
  EXPECT_EQ(rebuilt.Frequency(-1, 0), 327);
  EXPECT_EQ(rebuilt.Frequency(-1, 0), 327);
}

}  // namespace
