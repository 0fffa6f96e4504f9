// Synthesis engine: pitch tables, tones and the tone table, the player and its render thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "synth/player.h"
#include "synth/tone.h"
#include "synth/tone_table.h"
#include "tables/pitch_tables.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/fake_audio_device.h"
#include "tests/support/player_rest.h"
#include "tests/support/synth_reference.h"
#include "tests/support/watched_audio_device.h"
#include "units/harmonic_oscillator.h"
#include "units/sampled_wave_oscillator.h"
#include "units/sound_unit.h"
#include "units/unit_params.h"

// Pitch, level and sine tables and the pitch lookup with its one-entry cache.
namespace pitch_table_tests {

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

}  // namespace pitch_table_tests

// ToneTable and Tone: numbering, ownership, placing and linking units, and the default tones.
namespace tone_table_tests {

namespace {

const std::string kDefaultWave = "80808080808080807f7f7f7f7f7f7f7f";

// A unit that takes several inputs; records how the link step wires it and when it is deleted.
class MultiInputUnit : public SoundUnit {
 public:
  MultiInputUnit(std::vector<uint16_t> links, int* deletions)
      : links(std::move(links)), deletions(deletions) {
    kind = kKindMultiInput;
  }
  ~MultiInputUnit() override {
    if (deletions != nullptr) ++*deletions;
  }
  int32_t Render(int32_t, int32_t) override { return 0; }
  // A single link that the link step must not follow for this kind.
  uint16_t LinkPosition() override { return 1; }
  SoundUnit* Clone() override { return new MultiInputUnit(links, nullptr); }
  void ListLinks(std::vector<uint16_t>& positions) override {
    handedNonEmptyArray = handedNonEmptyArray || !positions.empty();
    positions.assign(links.begin(), links.end());
  }
  void AddInput(SoundUnit* unit) override { inputs.push_back(unit); }

  std::vector<uint16_t> links;
  std::vector<SoundUnit*> inputs;
  bool handedNonEmptyArray = false;
  int* deletions;
};

class ToneTableTest : public ::testing::Test {
 protected:
  void SetUp() override { tables.Build(); }

  // The two default tones, built the way the player builds them.
  void BuildDefaultTones() {
    toneTable.Init(&tables);
    const UnitParams params{1, 10, 1, 0, 0, 0, 0, 0};
    const WaveFormat format{1, 8, 32};
    toneTable.AddSampledWaveOscillator(1, 1, params, format, kDefaultWave, true);
    toneTable.ToneAt(1)->Link();
    toneTable.AddHarmonicOscillator(2, 1, params, 1, std::vector<uint8_t>{0}, true);
    toneTable.ToneAt(2)->Link();
  }

  // A harmonic unit (full-scale sine) whose input comes from the given position.
  HarmonicOscillator* Harmonic(uint16_t link) {
    UnitParams params;
    params.link = link;
    return toneTable.CreateHarmonicOscillator(params, 1, {0}, true);
  }

  PitchTables tables;
  ToneTable toneTable;
};

TEST_F(ToneTableTest, DefaultTonesHoldOneUnitEach) {
  BuildDefaultTones();
  EXPECT_EQ(toneTable.ToneCount(), 2);
  Tone* wave = toneTable.GetTone(1);
  Tone* harmonics = toneTable.GetTone(2);
  ASSERT_NE(wave, nullptr);
  ASSERT_NE(harmonics, nullptr);
  EXPECT_EQ(toneTable.GetTone(3), nullptr);
  EXPECT_EQ(toneTable.GetTone(0), nullptr);
  EXPECT_EQ(toneTable.GetTone(-1), nullptr);

  EXPECT_EQ(wave->UnitCount(), 1);
  EXPECT_EQ(harmonics->UnitCount(), 1);
  EXPECT_EQ(wave->Output(), wave->GetUnit(1));
  EXPECT_EQ(harmonics->Output(), harmonics->GetUnit(1));
  EXPECT_EQ(wave->GetUnit(2), nullptr);
  EXPECT_EQ(wave->GetUnit(0), nullptr);

  SampledWaveOscillator* sampled = toneTable.GetSampledWaveOscillator(1);
  HarmonicOscillator* harmonic = toneTable.GetHarmonicOscillator(1);
  EXPECT_EQ(static_cast<SoundUnit*>(sampled), wave->GetUnit(1));
  EXPECT_EQ(static_cast<SoundUnit*>(harmonic), harmonics->GetUnit(1));
  EXPECT_EQ(toneTable.GetSampledWaveOscillator(2), nullptr);
  EXPECT_EQ(toneTable.GetSampledWaveOscillator(0), nullptr);
  EXPECT_EQ(toneTable.GetHarmonicOscillator(2), nullptr);
  EXPECT_EQ(toneTable.GetHarmonicOscillator(-3), nullptr);

  for (int kind : {1, 2, 3, 6}) EXPECT_TRUE(toneTable.UnitsOfKind(kind).empty()) << kind;
  EXPECT_EQ(toneTable.UnitsOfKind(4).size(), 1u);
  EXPECT_EQ(toneTable.UnitsOfKind(5).size(), 1u);
  EXPECT_TRUE(toneTable.UnitsOfKind(0).empty());
  EXPECT_TRUE(toneTable.UnitsOfKind(7).empty());

  // Each unit was set up with its id, the pitch tables and its data, and has no input.
  ASSERT_NE(sampled, nullptr);
  ASSERT_NE(harmonic, nullptr);
  EXPECT_EQ(sampled->Kind(), kKindSampledWave);
  EXPECT_EQ(harmonic->Kind(), kKindHarmonic);
  EXPECT_EQ(sampled->Id(), 1);
  EXPECT_EQ(harmonic->Id(), 1);
  EXPECT_EQ(sampled->Input(), nullptr);
  EXPECT_EQ(harmonic->Input(), nullptr);
  EXPECT_EQ(sampled->LinkPosition(), 0);
  EXPECT_EQ(sampled->WaveText(), kDefaultWave);
  EXPECT_EQ(sampled->Format().length, 32u);
  EXPECT_EQ(sampled->Waveform(0), -8000);
  EXPECT_EQ(sampled->Waveform(900), 7937);
  EXPECT_EQ(sampled->Waveform(1800), 0);
  EXPECT_EQ(harmonic->HarmonicCount(), 1u);
  EXPECT_EQ(harmonic->AmplitudeText(), "   0");
  for (int j = 0; j < 3600; ++j) ASSERT_EQ(harmonic->Waveform(j), tables.Sine(j)) << j;
}

TEST_F(ToneTableTest, TonesPlayThroughTheirOutputUnit) {
  BuildDefaultTones();
  // Note 45 at 44100 Hz: 100 samples per cycle, so index i has phase 36 i.
  for (int n : {1, 2}) {
    Tone* tone = toneTable.GetTone(n);
    tone->SetSampleRate(44100);
    tone->SetNote(45, 0);
    EXPECT_EQ(tone->Output()->SampleRate(), 44100);
  }
  Tone* wave = toneTable.GetTone(1);
  Tone* harmonics = toneTable.GetTone(2);
  EXPECT_EQ(wave->Render(0, 0), -8000);
  EXPECT_EQ(wave->Render(25, 0), 7937);
  EXPECT_EQ(wave->Render(50, 0), 0);
  EXPECT_EQ(harmonics->Render(0, 0), 0);
  EXPECT_EQ(harmonics->Render(25, 0), 7999);
  EXPECT_EQ(harmonics->Render(75, 0), -7999);
}

TEST_F(ToneTableTest, ToneAtGrowsTheListWithEmptySlots) {
  BuildDefaultTones();
  Tone* first = toneTable.GetTone(1);
  EXPECT_EQ(toneTable.ToneAt(1), first);  // an existing tone is kept
  EXPECT_EQ(first->UnitCount(), 1);

  Tone* fourth = toneTable.ToneAt(4);
  ASSERT_NE(fourth, nullptr);
  EXPECT_EQ(toneTable.ToneCount(), 4);
  EXPECT_EQ(toneTable.GetTone(3), nullptr);
  EXPECT_EQ(toneTable.GetTone(4), fourth);
  EXPECT_EQ(fourth->UnitCount(), 0);
  EXPECT_EQ(toneTable.ToneAt(4), fourth);

  Tone* third = toneTable.ToneAt(3);  // an empty slot gets a new tone
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(toneTable.GetTone(3), third);
  EXPECT_EQ(toneTable.ToneCount(), 4);

  EXPECT_EQ(toneTable.ToneAt(0), nullptr);
  EXPECT_EQ(toneTable.ToneCount(), 4);
}

TEST_F(ToneTableTest, PlaceFillsOnlyFreePositions) {
  toneTable.Init(&tables);
  Tone tone;
  HarmonicOscillator* u = Harmonic(0);
  EXPECT_TRUE(tone.Place(3, u));
  EXPECT_EQ(tone.UnitCount(), 3);
  EXPECT_EQ(tone.GetUnit(1), nullptr);
  EXPECT_EQ(tone.GetUnit(2), nullptr);
  EXPECT_EQ(tone.GetUnit(3), u);
  EXPECT_EQ(tone.GetUnit(4), nullptr);
  EXPECT_EQ(tone.Output(), nullptr);
  tone.Link();
  EXPECT_EQ(tone.Output(), u);

  std::unique_ptr<HarmonicOscillator> other(Harmonic(0));
  EXPECT_FALSE(tone.Place(3, other.get()));  // taken: the slot keeps its unit
  EXPECT_EQ(tone.GetUnit(3), u);
  EXPECT_FALSE(tone.Place(0, other.get()));
  EXPECT_FALSE(tone.Place(-1, other.get()));
  EXPECT_FALSE(tone.Place(65536, other.get()));
  EXPECT_EQ(tone.UnitCount(), 3);
  EXPECT_TRUE(tone.Place(1, other.release()));
  EXPECT_FALSE(tone.Place(1, u));
  EXPECT_EQ(tone.GetUnit(1)->Kind(), kKindHarmonic);
  EXPECT_NE(tone.GetUnit(1), u);
}

TEST_F(ToneTableTest, AddingAtATakenPositionKeepsTheUnitRegisteredButOutOfTheTone) {
  BuildDefaultTones();
  SoundUnit* placed = toneTable.GetTone(2)->GetUnit(1);
  EXPECT_FALSE(toneTable.AddHarmonicOscillator(2, 1, UnitParams{}, 1, {64}, true));
  EXPECT_FALSE(toneTable.AddSampledWaveOscillator(1, 1, UnitParams{}, WaveFormat{}, "00", true));
  EXPECT_EQ(toneTable.GetTone(2)->UnitCount(), 1);
  EXPECT_EQ(toneTable.GetTone(2)->GetUnit(1), placed);
  HarmonicOscillator* orphan = toneTable.GetHarmonicOscillator(2);
  ASSERT_NE(orphan, nullptr);
  EXPECT_EQ(orphan->Id(), 2);
  EXPECT_EQ(orphan->AmplitudeText(), "  64");
  ASSERT_NE(toneTable.GetSampledWaveOscillator(2), nullptr);
  EXPECT_EQ(toneTable.GetSampledWaveOscillator(2)->WaveText(), "00");

  // A tone number below 1 names no tone: the unit is kept the same way.
  EXPECT_FALSE(toneTable.AddHarmonicOscillator(0, 1, UnitParams{}, 1, {0}, true));
  EXPECT_EQ(toneTable.UnitsOfKind(5).size(), 3u);
  EXPECT_EQ(toneTable.ToneCount(), 2);

  // A free position in a new tone succeeds and numbers the unit after the others.
  EXPECT_TRUE(toneTable.AddHarmonicOscillator(5, 2, UnitParams{}, 1, {0}, true));
  EXPECT_EQ(toneTable.ToneCount(), 5);
  EXPECT_EQ(toneTable.GetTone(5)->UnitCount(), 2);
  EXPECT_EQ(toneTable.GetTone(5)->GetUnit(2), toneTable.GetHarmonicOscillator(4));
  EXPECT_EQ(toneTable.GetHarmonicOscillator(4)->Id(), 4);
  // The orphans go with Clear (the sanitizer build checks that nothing leaks).
  toneTable.Clear();
}

TEST_F(ToneTableTest, AnEmptyLastSlotLeavesTheToneWithoutOutput) {
  toneTable.Init(&tables);
  Tone* tone = toneTable.ToneAt(1);
  tone->Link();
  EXPECT_EQ(tone->Output(), nullptr);  // no units at all

  ASSERT_TRUE(tone->Place(1, Harmonic(0)));
  ASSERT_TRUE(tone->Place(2, Harmonic(0)));
  EXPECT_TRUE(tone->Place(3, nullptr));  // an empty slot at the end
  EXPECT_EQ(tone->UnitCount(), 3);
  tone->Link();
  EXPECT_EQ(tone->Output(), nullptr);
  // Without an output the tone is silent.
  tone->SetSampleRate(44100);
  tone->SetNote(45, 0);
  EXPECT_EQ(tone->Render(25, 0), 0);
  EXPECT_EQ(tone->GetUnit(1)->SampleRate(), 0);
}

TEST_F(ToneTableTest, LinkWiresEachUnitToThePositionItNames) {
  toneTable.Init(&tables);
  Tone* tone = toneTable.ToneAt(1);
  HarmonicOscillator* first = Harmonic(3);   // a later position
  HarmonicOscillator* second = Harmonic(9);  // beyond UnitCount
  HarmonicOscillator* third = Harmonic(0);   // no link
  HarmonicOscillator* fourth = Harmonic(2);  // an earlier position
  for (int p = 1; SoundUnit * unit : std::vector<SoundUnit*>{first, second, third, fourth}) {
    ASSERT_TRUE(tone->Place(p++, unit));
  }
  second->SetInput(third);
  third->SetInput(second);
  tone->Link();
  EXPECT_EQ(first->Input(), third);
  EXPECT_EQ(second->Input(), nullptr);  // cleared
  EXPECT_EQ(third->Input(), second);    // link 0 leaves the input alone
  EXPECT_EQ(fourth->Input(), second);
  EXPECT_EQ(tone->Output(), fourth);

  // A second run sets the same single inputs again.
  tone->Link();
  EXPECT_EQ(first->Input(), third);
  EXPECT_EQ(second->Input(), nullptr);
  EXPECT_EQ(fourth->Input(), second);
  EXPECT_EQ(tone->Output(), fourth);
}

TEST_F(ToneTableTest, MultiInputUnitsGetEveryListedInputAgainOnEachLink) {
  toneTable.Init(&tables);
  Tone* tone = toneTable.ToneAt(1);
  HarmonicOscillator* first = Harmonic(0);
  HarmonicOscillator* second = Harmonic(0);
  auto* mixer = new MultiInputUnit({2, 0, 1, 9, 2}, nullptr);
  ASSERT_TRUE(tone->Place(1, first));
  ASSERT_TRUE(tone->Place(2, second));
  ASSERT_TRUE(tone->Place(3, mixer));

  tone->Link();
  const std::vector<SoundUnit*> once = {second, first, nullptr, second};
  EXPECT_EQ(mixer->inputs, once);
  EXPECT_EQ(mixer->Input(), nullptr);  // its single link is not followed
  EXPECT_FALSE(mixer->handedNonEmptyArray);
  EXPECT_EQ(tone->Output(), mixer);

  tone->Link();
  std::vector<SoundUnit*> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(mixer->inputs, twice);
  EXPECT_FALSE(mixer->handedNonEmptyArray);
}

TEST_F(ToneTableTest, TonesDeleteTheirUnitsAndClearEmptiesEverything) {
  int deletions = 0;
  {
    Tone tone;
    ASSERT_TRUE(tone.Place(1, new MultiInputUnit({}, &deletions)));
    ASSERT_TRUE(tone.Place(4, new MultiInputUnit({}, &deletions)));
    MultiInputUnit refused({}, &deletions);
    EXPECT_FALSE(tone.Place(1, &refused));  // stays the caller's
  }
  EXPECT_EQ(deletions, 3);  // two through the tone, one by its own scope

  deletions = 0;
  BuildDefaultTones();
  toneTable.ToneAt(2)->Place(2, new MultiInputUnit({}, &deletions));
  toneTable.ToneAt(3)->Place(1, new MultiInputUnit({}, &deletions));
  toneTable.Clear();
  EXPECT_EQ(deletions, 2);
  EXPECT_EQ(toneTable.ToneCount(), 0);
  EXPECT_EQ(toneTable.GetTone(1), nullptr);
  EXPECT_EQ(toneTable.GetSampledWaveOscillator(1), nullptr);
  EXPECT_EQ(toneTable.GetHarmonicOscillator(1), nullptr);
  for (int kind = 1; kind <= 6; ++kind) EXPECT_TRUE(toneTable.UnitsOfKind(kind).empty()) << kind;

  toneTable.Clear();
  EXPECT_EQ(deletions, 2);
  EXPECT_EQ(toneTable.ToneCount(), 0);

  // The table can be filled again; numbering starts over.
  BuildDefaultTones();
  EXPECT_EQ(toneTable.ToneCount(), 2);
  EXPECT_EQ(toneTable.GetSampledWaveOscillator(1)->Id(), 1);
  EXPECT_EQ(toneTable.GetHarmonicOscillator(2), nullptr);
}

TEST_F(ToneTableTest, CreatedUnitsAreNumberedWithinTheirKind) {
  toneTable.Init(&tables);
  const WaveFormat format{2, 8, 4};
  SampledWaveOscillator* a =
      toneTable.CreateSampledWaveOscillator(UnitParams{}, format, "7f", true);
  HarmonicOscillator* h = toneTable.CreateHarmonicOscillator(UnitParams{}, 3, {0}, false);
  SampledWaveOscillator* b =
      toneTable.CreateSampledWaveOscillator(UnitParams{}, format, "80", false);
  Tone* tone = toneTable.ToneAt(1);
  ASSERT_TRUE(tone->Place(1, a));
  ASSERT_TRUE(tone->Place(2, h));
  ASSERT_TRUE(tone->Place(3, b));
  EXPECT_EQ(a->Id(), 1);
  EXPECT_EQ(b->Id(), 2);
  EXPECT_EQ(h->Id(), 1);
  EXPECT_EQ(toneTable.GetSampledWaveOscillator(2), b);
  EXPECT_EQ(toneTable.GetHarmonicOscillator(1), h);
  EXPECT_EQ(h->HarmonicCount(), 3u);
  EXPECT_EQ(a->Format().mode, 2);
  EXPECT_EQ(a->Waveform(0), 7937);  // rebuilt
  EXPECT_EQ(b->Waveform(0), 0);     // not rebuilt
  EXPECT_EQ(h->Waveform(900), 0);   // not rebuilt
}

}  // namespace

}  // namespace tone_table_tests

// Player: the default tones and what the editing pane hands over, and Play/Stop with the render
// thread, checked sample by sample against the output computed here from the wave's sample codes.
namespace player_tests {

namespace {

using reference::Clock;
using reference::Table;

constexpr int32_t kRunLength = 3145729;  // sample indexes 0..3145728, then 0 again
constexpr int32_t kBlockSamples = 2500;
const Clock kO4a(4400);  // note 45, 440.0 Hz
const Clock kO5a(8800);  // note 57, 880.0 Hz

// n distinct sample codes spread over the whole range, negative ones included.
std::vector<uint8_t> Codes(int n) {
  std::vector<uint8_t> codes;
  for (int k = 0; k < n; ++k) codes.push_back(static_cast<uint8_t>(k * 53 + 17));
  return codes;
}

// The samples the render thread must write for indexes first, first + 1, ... of a table.
std::vector<int16_t> Expected(const Table& table, const Clock& clock, int64_t first, size_t count) {
  std::vector<int16_t> samples;
  for (size_t k = 0; k < count; ++k) {
    const int64_t index = (first + static_cast<int64_t>(k)) % kRunLength;
    samples.push_back(reference::Saturate(table[clock.Phase(index)]));
  }
  return samples;
}

// Number of positions where two sample runs differ (the shorter length counts).
size_t Mismatches(const std::vector<int16_t>& got, const std::vector<int16_t>& want) {
  size_t bad = 0;
  for (size_t i = 0; i < std::min(got.size(), want.size()); ++i) bad += got[i] != want[i];
  return bad;
}

// Waits (bounded) for the render thread to end after a stop.
bool WaitUntilStopped(Player& player) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (player.IsPlaying()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

bool WaitFor(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

TEST(Player, ConstructionAndDefaultTones) {
  Player player;
  EXPECT_EQ(player.CurrentTone(), 1);
  EXPECT_EQ(player.Note(), 0);
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_EQ(player.Tones().ToneCount(), 0);
  EXPECT_EQ(player.GetWaveText(), "");
  EXPECT_FALSE(player.SetWave("00", 1));

  player.BuildDefaultTones();
  ToneTable& tones = player.Tones();
  ASSERT_EQ(tones.ToneCount(), 2);
  SampledWaveOscillator* wave = tones.GetSampledWaveOscillator(1);
  HarmonicOscillator* harmonics = tones.GetHarmonicOscillator(1);
  ASSERT_NE(wave, nullptr);
  ASSERT_NE(harmonics, nullptr);
  EXPECT_EQ(tones.GetSampledWaveOscillator(2), nullptr);
  EXPECT_EQ(tones.GetHarmonicOscillator(2), nullptr);
  EXPECT_EQ(tones.GetTone(1)->Output(), wave);
  EXPECT_EQ(tones.GetTone(2)->Output(), harmonics);
  EXPECT_EQ(tones.GetTone(1)->UnitCount(), 1);
  EXPECT_EQ(tones.GetTone(2)->UnitCount(), 1);
  EXPECT_EQ(wave->Input(), nullptr);
  EXPECT_EQ(harmonics->Input(), nullptr);

  for (const Oscillator* unit :
       {static_cast<Oscillator*>(wave), static_cast<Oscillator*>(harmonics)}) {
    const UnitParams& params = unit->Params();
    EXPECT_EQ(params.shape, 1);
    EXPECT_EQ(params.ratio, 10u);
    EXPECT_EQ(params.reserved1, 1);
    EXPECT_EQ(params.cents, 0);
    EXPECT_EQ(params.attenuation, 0);
    EXPECT_EQ(params.feedback, 0);
    EXPECT_EQ(params.reserved2, 0);
    EXPECT_EQ(params.link, 0);
    EXPECT_EQ(unit->Id(), 1);
  }
  EXPECT_EQ(wave->Format().mode, 1);
  EXPECT_EQ(wave->Format().bitsPerSample, 8);
  EXPECT_EQ(wave->Format().length, 32u);
  EXPECT_EQ(player.GetWaveText(), "80808080808080807f7f7f7f7f7f7f7f");
  // 8 samples at the bottom, 8 at the top, then the text runs out and 16 samples are 0.
  std::vector<uint8_t> defaultCodes(32, 0);
  std::fill(defaultCodes.begin(), defaultCodes.begin() + 8, 0x80);
  std::fill(defaultCodes.begin() + 8, defaultCodes.begin() + 16, 0x7f);
  const Table defaultWave = reference::WaveTable(defaultCodes, 1);
  for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(wave->Waveform(p), defaultWave[p]) << p;

  // Tone 2: one harmonic at attenuation 0, a full-scale sine.
  EXPECT_EQ(harmonics->HarmonicCount(), 1u);
  EXPECT_EQ(harmonics->Amplitudes(), std::vector<uint8_t>{0});
  EXPECT_EQ(player.GetHarmonicsText(), "   0");
  PitchTables sine;
  sine.Build();
  for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(harmonics->Waveform(p), sine.Sine(p)) << p;

  player.ReleaseTones();
  EXPECT_EQ(player.Tones().ToneCount(), 0);
  EXPECT_EQ(player.Tones().GetSampledWaveOscillator(1), nullptr);
  EXPECT_EQ(player.GetWaveText(), "");
  EXPECT_EQ(player.GetHarmonicsText(), "");
  player.SetHarmonics({0, 0});  // nothing to hand to; must not crash
  player.ReleaseTones();
  EXPECT_EQ(player.Tones().ToneCount(), 0);
}

TEST(Player, HandOverAndSelection) {
  Player player;
  player.BuildDefaultTones();
  SampledWaveOscillator* wave = player.Tones().GetSampledWaveOscillator(1);
  HarmonicOscillator* harmonics = player.Tones().GetHarmonicOscillator(1);

  // The wave text comes back as handed over, and the unit plays exactly that many samples.
  const std::string text16 = reference::WaveText(Codes(16));
  EXPECT_TRUE(player.SetWave(text16, 2));
  EXPECT_EQ(player.GetWaveText(), text16);
  EXPECT_EQ(wave->Format().length, 16u);
  EXPECT_EQ(wave->Format().mode, 2);
  EXPECT_EQ(wave->Params().shape, 2);
  const Table poly16 = reference::WaveTable(Codes(16), 2);
  for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(wave->Waveform(p), poly16[p]) << p;
  // Shorter and longer texts are held to 2..64 samples.
  EXPECT_TRUE(player.SetWave("7", 1));
  EXPECT_EQ(player.GetWaveText(), "7");
  EXPECT_EQ(wave->Format().length, 2u);
  const std::string text65 = reference::WaveText(Codes(65));
  EXPECT_TRUE(player.SetWave(text65, 1));
  EXPECT_EQ(player.GetWaveText(), text65);
  EXPECT_EQ(wave->Format().length, 64u);
  const Table hold64 = reference::WaveTable(Codes(64), 1);
  for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(wave->Waveform(p), hold64[p]) << p;

  player.SetHarmonics({127, 0, 64});
  EXPECT_EQ(player.GetHarmonicsText(), " 127,   0,  64");
  EXPECT_EQ(harmonics->HarmonicCount(), 3u);
  PitchTables sine;
  sine.Build();
  const Table expected = reference::HarmonicTable(sine, {127, 0, 64});
  for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(harmonics->Waveform(p), expected[p]) << p;

  EXPECT_FALSE(player.SetCurrentTone(0));
  EXPECT_FALSE(player.SetCurrentTone(3));
  EXPECT_FALSE(player.SetCurrentTone(-1));
  EXPECT_EQ(player.CurrentTone(), 1);
  EXPECT_TRUE(player.SetCurrentTone(2));
  EXPECT_EQ(player.CurrentTone(), 2);
  EXPECT_FALSE(player.SetCurrentTone(3));
  EXPECT_EQ(player.CurrentTone(), 2);
  EXPECT_TRUE(player.SetCurrentTone(1));
  EXPECT_EQ(player.CurrentTone(), 1);
  player.SetNote(57);
  EXPECT_EQ(player.Note(), 57);
  player.SetNote(-5);  // stored unchecked
  EXPECT_EQ(player.Note(), -5);
}

// The wave tone sounds exactly the pane's samples whatever their number: every captured sample
// equals the held sample at the phase of its index at o4a.
TEST(PlayerPlayback, WaveToneSoundsExactlyThePaneSamplesForEveryLength) {
  for (int length : {2, 16, 32, 64}) {
    SCOPED_TRACE(length);
    CaptureAudioDevice device;
    Player player(&device);
    player.BuildDefaultTones();
    const std::vector<uint8_t> codes = Codes(length);
    ASSERT_TRUE(player.SetWave(reference::WaveText(codes), 1));
    player.SetNote(45);
    player.Play();
    ASSERT_TRUE(device.WaitForBytes(3 * 2 * kBlockSamples, 30000));
    player.Stop();
    ASSERT_TRUE(WaitUntilStopped(player));

    const std::vector<int16_t> got = reference::Samples(device.Captured());
    ASSERT_GE(got.size(), 3u * kBlockSamples);
    const std::vector<int16_t> want = Expected(reference::WaveTable(codes, 1), kO4a, 0, got.size());
    EXPECT_EQ(Mismatches(got, want), 0u);
    // Each full block carries 2500 samples; only the last one may be partial.
    const std::vector<uint32_t> lengths = device.BlockLengths();
    ASSERT_FALSE(lengths.empty());
    for (size_t b = 0; b + 1 < lengths.size(); ++b) EXPECT_EQ(lengths[b], 5000u) << b;
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(device.OpenCount(), 1);
  }
}

TEST(PlayerPlayback, PlayWhilePlayingChangesNothingAndStopBeforePlayIsHarmless) {
  CaptureAudioDevice device;
  WatchedAudioDevice watched(device);
  Player player(&watched);
  player.BuildDefaultTones();
  const std::vector<uint8_t> codes = Codes(32);
  player.SetWave(reference::WaveText(codes), 1);
  player.SetNote(45);

  // A stop with nothing playing is forgotten by the next Play.
  player.Stop();
  player.Play();
  EXPECT_TRUE(player.IsPlaying());
  // Again at once (before any block reached the device) and again later: no second thread, no
  // reopened stream, no restart of the sample index.
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(2 * 2 * kBlockSamples, 30000));
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(6 * 2 * kBlockSamples, 30000));
  player.Play();
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));

  EXPECT_EQ(device.OpenCount(), 1);
  EXPECT_EQ(device.CloseCount(), 1);
  const std::vector<int16_t> got = reference::Samples(device.Captured());
  ASSERT_GE(got.size(), 6u * kBlockSamples);
  EXPECT_EQ(Mismatches(got, Expected(reference::WaveTable(codes, 1), kO4a, 0, got.size())), 0u);
  // The stream was reset by the end of playback.
  ASSERT_TRUE(watched.KnowsStream());
  EXPECT_FALSE(watched.StopRequested());
  EXPECT_FALSE(watched.Active());
  EXPECT_EQ(watched.LiveBlocks(), 0);
}

TEST(PlayerPlayback, NoteAndToneChangesAreHeardFromTheNextPlay) {
  CaptureAudioDevice device;
  Player player(&device);
  player.BuildDefaultTones();
  const std::vector<uint8_t> codes = Codes(32);
  player.SetWave(reference::WaveText(codes), 1);
  player.SetNote(45);
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(2 * 2 * kBlockSamples, 30000));
  player.SetNote(57);
  EXPECT_TRUE(player.SetCurrentTone(2));
  const uint64_t changedAt = device.TotalBytes() / 2;
  ASSERT_TRUE(device.WaitForBytes(2 * (changedAt + 4 * kBlockSamples), 30000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));
  const size_t firstRun = device.Captured().size() / 2;

  player.Play();
  ASSERT_TRUE(device.WaitForBytes(2 * (firstRun + 3 * kBlockSamples), 30000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));

  const std::vector<int16_t> got = reference::Samples(device.Captured());
  ASSERT_GE(got.size(), firstRun + 3 * kBlockSamples);
  // The first run is tone 1 at o4a throughout, also after the changes.
  const std::vector<int16_t> first(got.begin(), got.begin() + firstRun);
  EXPECT_EQ(Mismatches(first, Expected(reference::WaveTable(codes, 1), kO4a, 0, firstRun)), 0u);
  // The second run is tone 2 (the sine) at o5a, from sample index 0.
  PitchTables sine;
  sine.Build();
  const std::vector<int16_t> second(got.begin() + firstRun, got.end());
  const std::vector<int16_t> want =
      Expected(reference::HarmonicTable(sine, {0}), kO5a, 0, second.size());
  EXPECT_EQ(Mismatches(second, want), 0u);
  EXPECT_EQ(device.OpenCount(), 2);
}

// While the device plays nothing the render thread stops 9 blocks ahead (8 queued, 1 being filled)
// and a stop waits for the device; a Play meanwhile is refused. What was rendered is all heard.
TEST(PlayerPlayback, StaysAtMostNineBlocksAheadAndRefusesPlayUntilTheThreadEnded) {
  CaptureAudioDevice device;
  device.SetPaused(true);
  device.SetPace(CaptureAudioDevice::Pace::kFixed, 5);
  WatchedAudioDevice watched(device);
  Player player(&watched);
  player.BuildDefaultTones();
  const std::vector<uint8_t> codes = Codes(64);
  player.SetWave(reference::WaveText(codes), 1);
  player.SetNote(45);

  std::atomic<int32_t> mostAlive{0};
  std::atomic<bool> watching{true};
  auto note = [&](int32_t alive) {
    int32_t seen = mostAlive.load();
    while (alive > seen && !mostAlive.compare_exchange_weak(seen, alive)) {
    }
  };
  device.SetObserver([&](uint64_t, const uint8_t*, uint32_t) { note(watched.LiveBlocks()); });
  std::thread watcher([&] {
    while (watching.load()) {
      note(watched.LiveBlocks());
      std::this_thread::yield();
    }
  });

  player.Play();
  ASSERT_TRUE(WaitFor([&] { return watched.LiveBlocks() == 9; }));
  EXPECT_EQ(device.PendingCount(), 8);
  player.Stop();
  player.Play();  // refused: the render thread still waits for the device
  EXPECT_TRUE(player.IsPlaying());
  device.SetPaused(false);
  ASSERT_TRUE(WaitUntilStopped(player));
  EXPECT_EQ(device.OpenCount(), 1);
  // The stop was seen once a block came back; the partly filled block still reached the device.
  const std::vector<uint32_t> lengths = device.BlockLengths();
  ASSERT_EQ(lengths.size(), 9u);
  for (size_t b = 0; b < 8; ++b) EXPECT_EQ(lengths[b], 5000u);
  EXPECT_EQ(lengths[8], 2u);
  EXPECT_EQ(device.DiscardedBlocks(), 0u);

  // Now a long run at a steady pace, still never more than 9 blocks alive.
  player.Play();
  EXPECT_TRUE(player.IsPlaying());
  ASSERT_TRUE(device.WaitForBytes(2 * (8 * kBlockSamples + 1 + 40 * kBlockSamples), 60000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));
  watching = false;
  watcher.join();
  device.SetObserver(nullptr);

  EXPECT_EQ(mostAlive.load(), 9);
  EXPECT_LE(device.MaxPending(), 8);
  const std::vector<int16_t> got = reference::Samples(device.Captured());
  const size_t firstRun = 8 * kBlockSamples + 1;
  const Table table = reference::WaveTable(codes, 1);
  const std::vector<int16_t> first(got.begin(), got.begin() + firstRun);
  EXPECT_EQ(Mismatches(first, Expected(table, kO4a, 0, firstRun)), 0u);
  const std::vector<int16_t> second(got.begin() + firstRun, got.end());
  EXPECT_EQ(Mismatches(second, Expected(table, kO4a, 0, second.size())), 0u);
}

// One run is 3145729 samples: after index 3145728 the render thread starts again at index 0.
TEST(PlayerPlayback, SampleIndexWrapsAfterTheLastIndex) {
  CaptureAudioDevice device;
  constexpr uint64_t kMargin = 3000;
  const uint64_t wrapByte = 2ull * kRunLength;
  device.SetWindows({{0, 2 * kMargin}, {wrapByte - 2 * kMargin, wrapByte + 2 * kMargin}});
  Player player(&device);
  player.BuildDefaultTones();
  const std::vector<uint8_t> codes = Codes(64);
  player.SetWave(reference::WaveText(codes), 1);
  player.SetNote(45);
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(wrapByte + 2 * kMargin, 300000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));

  const Table table = reference::WaveTable(codes, 1);
  const std::vector<int16_t> start = reference::Samples(device.WindowBytes(0));
  const std::vector<int16_t> around = reference::Samples(device.WindowBytes(1));
  ASSERT_EQ(start.size(), kMargin);
  ASSERT_EQ(around.size(), 2 * kMargin);
  EXPECT_EQ(Mismatches(start, Expected(table, kO4a, 0, kMargin)), 0u);
  const std::vector<int16_t> want = Expected(table, kO4a, kRunLength - kMargin, 2 * kMargin);
  EXPECT_EQ(Mismatches(around, want), 0u);

  // The samples right at the wrap are those of indexes 3145727, 3145728, 0 and 1, as the tone
  // itself renders them.
  Tone* tone = player.Tones().GetTone(1);
  EXPECT_EQ(around[kMargin - 2], tone->Render(3145727, 0));
  EXPECT_EQ(around[kMargin - 1], tone->Render(3145728, 0));
  EXPECT_EQ(around[kMargin], tone->Render(0, 0));
  EXPECT_EQ(around[kMargin + 1], tone->Render(1, 0));
  // Without the wrap the samples after it would differ: the check above can tell.
  std::vector<int16_t> unwrapped;
  for (uint64_t k = 0; k < kMargin; ++k) {
    unwrapped.push_back(reference::Saturate(table[kO4a.Phase(kRunLength + k)]));
  }
  EXPECT_NE(unwrapped, std::vector<int16_t>(want.begin() + kMargin, want.end()));
}

// Harmonics that add up beyond 16 bits are held at full scale in the output; Render itself
// still gives the unclipped sum.
TEST(PlayerPlayback, OutputSaturatesWhereRenderExceedsSixteenBits) {
  CaptureAudioDevice device;
  Player player(&device);
  player.BuildDefaultTones();
  // Eight harmonics of byte 128 (weight 255) peak far beyond the 16-bit range.
  const std::vector<uint8_t> loud(8, 128);
  player.SetHarmonics(loud);
  ASSERT_TRUE(player.SetCurrentTone(2));
  player.SetNote(45);
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(2 * 2 * kBlockSamples, 30000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));

  PitchTables sine;
  sine.Build();
  const Table table = reference::HarmonicTable(sine, loud);
  const std::vector<int16_t> got = reference::Samples(device.Captured());
  ASSERT_GE(got.size(), 2u * kBlockSamples);
  Tone* tone = player.Tones().GetTone(2);
  size_t above = 0;
  size_t below = 0;
  size_t bad = 0;
  for (size_t i = 0; i < got.size(); ++i) {
    const int32_t sum = table[kO4a.Phase(static_cast<int64_t>(i))];
    if (sum > 32767) {
      ++above;
      bad += got[i] != 32767;
      bad += tone->Render(static_cast<int32_t>(i), 0) != sum;
    } else if (sum < -32768) {
      ++below;
      bad += got[i] != -32768;
      bad += tone->Render(static_cast<int32_t>(i), 0) != sum;
    } else {
      bad += got[i] != sum;
    }
  }
  EXPECT_EQ(bad, 0u);
  EXPECT_GT(above, 100u);
  EXPECT_GT(below, 100u);
}

// The offline render gives, sample for sample, what Play sends to the device for the same tone
// and note, for the wave tone in Poly and for the harmonics tone.
TEST(PlayerPlayback, RenderPcmEqualsWhatPlaySends) {
  for (int32_t tone : {1, 2}) {
    SCOPED_TRACE(tone);
    CaptureAudioDevice device;
    Player player(&device);
    player.BuildDefaultTones();
    ASSERT_TRUE(player.SetWave(reference::WaveText(Codes(16)), 2));
    player.SetHarmonics({0, 64, 127, 10});
    ASSERT_TRUE(player.SetCurrentTone(tone));
    player.SetNote(57);
    player.Play();
    EXPECT_TRUE(player.RenderPcm(tone, 57, 10).empty());  // not while playing
    ASSERT_TRUE(device.WaitForBytes(3 * 2 * kBlockSamples, 30000));
    player.Stop();
    ASSERT_TRUE(WaitUntilStopped(player));

    const std::vector<int16_t> got = reference::Samples(device.Captured());
    ASSERT_GE(got.size(), 3u * kBlockSamples);
    const std::vector<int16_t> rendered =
        player.RenderPcm(tone, 57, static_cast<int32_t>(got.size()));
    EXPECT_EQ(Mismatches(got, rendered), 0u);
    EXPECT_EQ(rendered.size(), got.size());
  }
}

// Live notes: a note pressed over a held one takes over at the next sample with the phase held (no
// new cycle), releasing it brings back the note still held, the last release falls silent; every
// sample is where a render of the same notes puts it. A note after the rest takes the tone chosen
// during it.
TEST(PlayerPlayback, LiveNotesChangeAtTheNextSampleKeepingThePhase) {
  struct Case {
    int32_t tone;
    bool lowLatency;
  };
  for (const Case& c : {Case{1, false}, Case{2, true}}) {
    SCOPED_TRACE(c.tone);
    CaptureAudioDevice device;
    device.SetPaused(true);
    WatchedAudioDevice watched(device);
    Player player(&watched);
    player.BuildDefaultTones();
    ASSERT_TRUE(player.SetWave(reference::WaveText(Codes(16)), 1));
    player.SetHarmonics({0, 64, 127, 10});
    ASSERT_TRUE(player.SetCurrentTone(c.tone));
    player.SetLowLatency(c.lowLatency);
    EXPECT_FALSE(player.PlayNote(96));
    EXPECT_FALSE(player.IsPlaying());

    ASSERT_TRUE(player.PlayNote(36));
    std::vector<Player::NoteChange> changes = {{0, 36}};
    const std::vector<std::pair<bool, int32_t>> steps = {{true, 48}, {false, 48}, {false, 36}};
    for (const auto& [press, note] : steps) {
      const int32_t at = PauseAtRest(device, watched, player);
      ASSERT_GE(at, 0);
      if (press) {
        ASSERT_TRUE(player.PlayNote(note));
      } else {
        player.ReleaseNote(note);
      }
      changes.push_back({at, player.SoundingNote()});
      device.SetPaused(false);
      ASSERT_TRUE(device.WaitForBytes(2 * (uint64_t(at) + 6000), 30000));
    }
    EXPECT_EQ(changes[1].note, 48);
    EXPECT_EQ(changes[2].note, 36);
    EXPECT_EQ(changes[3].note, Player::kSilent);
    EXPECT_TRUE(player.IsPlaying());  // a silent run keeps the stream open
    EXPECT_FALSE(player.IsSounding());
    // After the rest a note sounds the tone chosen meanwhile, from where its run would be.
    const int32_t other = 3 - c.tone;
    ASSERT_TRUE(player.SetCurrentTone(other));
    const int32_t resumed = PauseAtRest(device, watched, player);
    ASSERT_GE(resumed, 0);
    ASSERT_TRUE(player.PlayNote(40));
    device.SetPaused(false);
    ASSERT_TRUE(device.WaitForBytes(2 * (uint64_t(resumed) + 6000), 30000));
    player.Stop();
    ASSERT_TRUE(WaitUntilStopped(player));

    std::vector<int16_t> got = reference::Samples(device.Captured());
    const std::vector<int16_t> otherTone =
        player.RenderPcm(other, 40, static_cast<int32_t>(got.size()));
    EXPECT_EQ(Mismatches({got.begin() + resumed, got.end()},
                         {otherTone.begin() + resumed, otherTone.end()}),
              0u);
    got.resize(static_cast<size_t>(resumed));
    const auto count = static_cast<int32_t>(got.size());
    EXPECT_EQ(Mismatches(got, player.RenderNotes(c.tone, changes, count)), 0u);
    // Up to the change the first note as Play sounds it; at the change the phase is held, so the
    // new note's first sample repeats the last one of the old.
    const int32_t first = changes[1].index;
    const std::vector<int16_t> single = player.RenderPcm(c.tone, 36, count);
    EXPECT_EQ(Mismatches({got.begin(), got.begin() + first}, single), 0u);
    EXPECT_NE(Mismatches({got.begin() + first, got.end()}, {single.begin() + first, single.end()}),
              0u);
    EXPECT_EQ(got[first], got[first - 1]);
    EXPECT_EQ(std::count(got.begin() + changes[3].index, got.end(), 0), count - changes[3].index);
  }
}

// A sequence: the device receives exactly the offline render, and sample i is the sample the run
// of wave k alone has there, k being the tick round(k × 44100 / rate) <= i, counted once through
// the range (the last wave then holding) or round and round. A set handed over while the sequence
// plays sounds from the next sample on, the position running on; a bad set or order changes
// nothing.
TEST(PlayerPlayback, SequenceSwitchesWavesAtExactSamplesAsTheOfflineRender) {
  struct Case {
    int32_t rate;
    bool loop;
    int32_t first;
    int32_t last;
    int32_t count;
  };
  const std::vector<std::string> waves = {reference::WaveText(Codes(16)), "7f80", "40c0407f"};
  const std::vector<std::string> edited = {"c040", "10f0", reference::WaveText(Codes(32))};
  for (const Case& c :
       {Case{60, true, 0, 2, 6000}, Case{13, false, 0, 2, 12000}, Case{1000, true, 1, 2, 3000}}) {
    SCOPED_TRACE(c.rate);
    CaptureAudioDevice device;
    WatchedAudioDevice watched(device);
    Player player(&watched);
    player.BuildDefaultTones();
    EXPECT_FALSE(player.SetSequence({"7f8", "zz"}, 1));
    EXPECT_FALSE(player.PlaySequence(60, true));  // no set yet
    ASSERT_TRUE(player.SetSequence(waves, 1));
    for (const SequenceOrder& bad : {SequenceOrder{0, 0, 2, true}, SequenceOrder{1001, 0, 2, true},
                                     SequenceOrder{60, 2, 1, true}, SequenceOrder{60, 0, 3, true}})
      EXPECT_FALSE(player.PlaySequence(bad.rate, bad.loop, bad.first, bad.last));
    EXPECT_FALSE(player.IsPlaying());
    player.SetNote(45);
    const SequenceOrder order{c.rate, c.first, c.last, c.loop};
    const std::vector<int16_t> offline = player.RenderSequence(45, order, c.count);
    ASSERT_EQ(offline.size(), static_cast<size_t>(c.count));

    // Each wave on its own, as Play sounds it.
    std::vector<std::vector<int16_t>> alone;
    for (const std::string& text : waves) {
      ASSERT_TRUE(player.SetWave(text, 1));
      alone.push_back(player.RenderPcm(1, 45, c.count));
    }
    size_t bad = 0;
    int64_t tick = 0;
    const int32_t span = c.last - c.first + 1;
    for (int64_t i = 0; i < c.count; ++i) {
      while (std::llround(static_cast<double>(tick + 1) * 44100 / c.rate) <= i) ++tick;
      const int64_t step = c.loop ? tick % span : std::min<int64_t>(tick, span - 1);
      bad += offline[static_cast<size_t>(i)] !=
             alone[static_cast<size_t>(c.first + step)][static_cast<size_t>(i)];
    }
    EXPECT_EQ(bad, 0u);

    ASSERT_TRUE(player.PlaySequence(c.rate, c.loop, c.first, c.last));
    EXPECT_TRUE(player.IsSequencePlaying());
    ASSERT_TRUE(device.WaitForBytes(2 * uint64_t(c.count), 30000));
    const int32_t at = PauseAtRest(device, watched, player);
    ASSERT_GE(at, c.count);
    ASSERT_TRUE(player.SetSequence(edited, 2));
    device.SetPaused(false);
    ASSERT_TRUE(device.WaitForBytes(2 * (uint64_t(at) + 3000), 30000));
    player.Stop();
    ASSERT_TRUE(WaitUntilStopped(player));
    EXPECT_FALSE(player.IsSequencePlaying());
    const std::vector<int16_t> got = reference::Samples(device.Captured());
    EXPECT_EQ(Mismatches(got, offline), 0u);
    const std::vector<int16_t> after = player.RenderSequence(45, order, at + 3000);
    EXPECT_EQ(Mismatches({got.begin() + at, got.end()}, {after.begin() + at, after.end()}), 0u);
  }
}

TEST(PlayerPlayback, EndingWhilePlayingJoinsTheRenderThreadFirst) {
  // Destruction in the middle of playback: everything rendered is played out, then the device is
  // closed; the render thread never touches the destroyed player.
  CaptureAudioDevice device;
  device.SetPace(CaptureAudioDevice::Pace::kFixed, 10);
  const std::vector<uint8_t> codes = Codes(16);
  {
    auto player = std::make_unique<Player>(&device);
    player->BuildDefaultTones();
    player->SetWave(reference::WaveText(codes), 1);
    player->SetNote(45);
    player->Play();
    ASSERT_TRUE(device.WaitForBytes(3 * 2 * kBlockSamples, 30000));
    player.reset();
  }
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(device.CloseCount(), 1);
  EXPECT_EQ(device.DiscardedBlocks(), 0u);
  EXPECT_EQ(device.PendingCount(), 0);
  const std::vector<int16_t> got = reference::Samples(device.Captured());
  EXPECT_EQ(Mismatches(got, Expected(reference::WaveTable(codes, 1), kO4a, 0, got.size())), 0u);

  // ReleaseTones while playing: the thread ends before the units go; a later Play finds no tone
  // and winds the stream down at once.
  CaptureAudioDevice second;
  Player player(&second);
  player.BuildDefaultTones();
  player.Play();
  ASSERT_TRUE(second.WaitForBytes(2 * kBlockSamples, 30000));
  player.ReleaseTones();
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_FALSE(second.IsOpen());
  EXPECT_EQ(player.Tones().ToneCount(), 0);
  const uint64_t played = second.TotalBytes();
  player.Play();
  ASSERT_TRUE(WaitUntilStopped(player));
  EXPECT_EQ(second.TotalBytes(), played);
  EXPECT_EQ(second.OpenCount(), 2);
  EXPECT_EQ(second.CloseCount(), 2);
}

TEST(PlayerPlayback, RefusingDevicesNeitherHangNorKeepTheThreadAlive) {
  {  // The device does not take the format: nothing is opened, Stop still ends the thread.
    FakeAudioDevice device;
    device.SetFormatSupported(false);
    Player player(&device);
    player.BuildDefaultTones();
    player.Play();
    EXPECT_TRUE(player.IsPlaying());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    player.Stop();
    ASSERT_TRUE(WaitUntilStopped(player));
    EXPECT_EQ(device.OpenCount(), 0);
    EXPECT_EQ(device.QueueCalls(), 0);
  }
  {  // Every block is refused: samples are lost, Stop ends the thread and closes the device.
    FakeAudioDevice device;
    device.RefuseQueue(0);
    Player player(&device);
    player.BuildDefaultTones();
    player.SetNote(45);
    player.Play();
    ASSERT_TRUE(WaitFor([&] { return device.QueueCalls() >= 2; }));
    player.Stop();
    ASSERT_TRUE(WaitUntilStopped(player));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_TRUE(device.QueuedLengths().empty());
    // The device accepts again: the next Play plays from index 0.
    device.RefuseQueue(-1);
    player.Play();
    ASSERT_TRUE(device.WaitForPending(1, 30000));
    player.Stop();
    ASSERT_TRUE(WaitFor([&] { return device.ReturnAll() >= 0 && !player.IsPlaying(); }));
    const std::vector<int16_t> got = reference::Samples(device.QueuedBytes());
    std::vector<uint8_t> defaultCodes(32, 0);
    std::fill(defaultCodes.begin(), defaultCodes.begin() + 8, 0x80);
    std::fill(defaultCodes.begin() + 8, defaultCodes.begin() + 16, 0x7f);
    ASSERT_GE(got.size(), static_cast<size_t>(kBlockSamples));
    EXPECT_EQ(Mismatches(got, Expected(reference::WaveTable(defaultCodes, 1), kO4a, 0, got.size())),
              0u);
  }
}

// The low-latency preview plays the same samples in blocks of 256 and stays at most 3 blocks
// ahead; switching back gives the default stream again at the next Play.
TEST(PlayerPlayback, LowLatencyPreviewPlaysTheSameSamplesInSmallBlocks) {
  CaptureAudioDevice device;
  device.SetPace(CaptureAudioDevice::Pace::kFixed, 2);
  Player player(&device);
  player.BuildDefaultTones();
  const std::vector<uint8_t> codes = Codes(32);
  ASSERT_TRUE(player.SetWave(reference::WaveText(codes), 1));
  player.SetNote(45);
  player.SetLowLatency(true);
  EXPECT_TRUE(player.IsLowLatency());
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(2 * 3 * kBlockSamples, 30000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));

  const std::vector<int16_t> got = reference::Samples(device.Captured());
  ASSERT_GE(got.size(), 3u * kBlockSamples);
  EXPECT_EQ(Mismatches(got, Expected(reference::WaveTable(codes, 1), kO4a, 0, got.size())), 0u);
  const std::vector<uint32_t> lengths = device.BlockLengths();
  ASSERT_GE(lengths.size(), 15u);
  for (size_t b = 0; b + 1 < lengths.size(); ++b) ASSERT_EQ(lengths[b], 512u) << b;
  EXPECT_LE(device.MaxPending(), Player::kLowLatencyWaitAboveLiveBlocks + 1);
  EXPECT_FALSE(player.TakeLatencyFallback());

  player.SetLowLatency(false);
  device.ClearCaptured();
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(2 * 2 * kBlockSamples, 30000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));
  EXPECT_EQ(device.BlockLengths().front(), 5000u);
}

// An underrun in the low-latency preview makes the render thread keep further ahead, and is told
// once; the default stream takes no notice of underruns.
TEST(PlayerPlayback, AnUnderrunInTheLowLatencyPreviewFallsBackToALongerLeadOnce) {
  FakeAudioDevice device;  // keeps every block until the test returns it
  WatchedAudioDevice watched(device);
  Player player(&watched);
  player.BuildDefaultTones();
  player.SetNote(45);
  player.SetLowLatency(true);
  player.Play();
  const int32_t lead = Player::kLowLatencyWaitAboveLiveBlocks;
  ASSERT_TRUE(WaitFor([&] { return watched.LiveBlocks() == lead + 1; }));
  EXPECT_EQ(device.PendingCount(), lead);

  // A returned block wakes the render thread, which finds the underrun.
  device.ReportEvents(kEventUnderrun);
  ASSERT_TRUE(device.ReturnNext());
  ASSERT_TRUE(device.WaitForPending(Player::kFallbackWaitAboveLiveBlocks, 30000));
  EXPECT_TRUE(player.TakeLatencyFallback());
  EXPECT_FALSE(player.TakeLatencyFallback());
  // A second underrun is not told again.
  device.ReportEvents(kEventUnderrun);
  ASSERT_TRUE(device.ReturnNext());
  ASSERT_TRUE(
      WaitFor([&] { return watched.LiveBlocks() == Player::kFallbackWaitAboveLiveBlocks + 1; }));
  EXPECT_FALSE(player.TakeLatencyFallback());
  player.Stop();
  ASSERT_TRUE(WaitFor([&] { return device.ReturnAll() >= 0 && !player.IsPlaying(); }));
  EXPECT_EQ(device.QueuedLengths().front(), Player::kLowLatencyBlockBytes);

  // The default stream: an underrun changes nothing.
  player.SetLowLatency(false);
  player.Play();
  ASSERT_TRUE(device.WaitForPending(Player::kWaitAboveLiveBlocks, 30000));
  device.ReportEvents(kEventUnderrun);
  ASSERT_TRUE(device.ReturnNext());
  ASSERT_TRUE(WaitFor([&] { return watched.LiveBlocks() == Player::kWaitAboveLiveBlocks + 1; }));
  EXPECT_EQ(device.PendingCount(), Player::kWaitAboveLiveBlocks);
  EXPECT_FALSE(player.TakeLatencyFallback());
  player.Stop();
  ASSERT_TRUE(WaitFor([&] { return device.ReturnAll() >= 0 && !player.IsPlaying(); }));
}

// Why a Play found no usable output is told once, as the device or the stream saw it.
TEST(PlayerPlayback, APlayWithoutUsableOutputTellsWhyOnce) {
  struct Case {
    const char* what;
    bool hasDevice;
    bool formatSupported;
    bool openSucceeds;
    uint32_t eventsWhilePlaying;
    OutputProblem expected;
  };
  const Case cases[] = {
      {"a device that works", true, true, true, 0, OutputProblem::kNone},
      {"no device", false, true, true, 0, OutputProblem::kNoDevice},
      {"format refused", true, false, true, 0, OutputProblem::kFormatRefused},
      {"open failed", true, true, false, 0, OutputProblem::kOpenFailed},
      {"output lost while playing", true, true, true, kEventOutputLost, OutputProblem::kServerLost},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeAudioDevice device;
    device.SetFormatSupported(c.formatSupported);
    device.SetOpenSucceeds(c.openSucceeds);
    Player player(c.hasDevice ? &device : nullptr);
    player.BuildDefaultTones();
    player.Play();
    // The render thread has been through the open once it tells a problem or that the output
    // worked.
    OutputProblem told = OutputProblem::kNone;
    ASSERT_TRUE(WaitFor([&] {
      told = player.TakeOutputProblem();
      return told != OutputProblem::kNone || player.TakeOutputWorked();
    }));
    if (c.eventsWhilePlaying != 0) {
      // The render thread looks at the device's events when a returned block wakes it.
      ASSERT_TRUE(device.WaitForPending(Player::kWaitAboveLiveBlocks, 30000));
      device.ReportEvents(c.eventsWhilePlaying);
      ASSERT_TRUE(device.ReturnNext());
      ASSERT_TRUE(WaitFor([&] {
        told = player.TakeOutputProblem();
        return told != OutputProblem::kNone;
      }));
      EXPECT_EQ(told, c.expected);
    } else {
      EXPECT_EQ(told, c.expected);
    }
    EXPECT_EQ(player.TakeOutputProblem(), OutputProblem::kNone);
    player.Stop();
    ASSERT_TRUE(WaitFor([&] { return device.ReturnAll() >= 0 && !player.IsPlaying(); }));
  }
}

}  // namespace

}  // namespace player_tests

// Edits rebuild the cycle tables while the render thread reads them: every value the reader sees
// must come from a table that was published whole, never from a half-built one.
namespace concurrency_tests {

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

}  // namespace concurrency_tests

// A long run through the sample-index wrap: the player renders indexes 0 … 3145728 and then
// starts again at 0. The capturing device returns blocks as fast as they come, so a whole run of
// 3145729 samples (71 s of sound) passes in a few seconds. The samples around the wrap must be
// exactly what an independent tone, set up the same way, renders for those indexes.
namespace long_run_tests {

namespace {

constexpr int64_t kRun = 3145729;  // indexes 0 … 3145728
constexpr int64_t kMargin = 2500;  // samples kept on each side of the wrap

// 64 held samples from the bottom to the top: the wrap from the last index back to 0 lands
// somewhere inside the cycle, so the jump is audible and the check below can tell.
std::string RampText() {
  std::vector<uint8_t> codes;
  for (int k = 0; k < 64; ++k) codes.push_back(static_cast<uint8_t>(k * 4 - 128));
  return reference::WaveText(codes);
}

// Strong low harmonics whose sum goes beyond 16 bits, where the written samples saturate.
const std::vector<uint8_t> kLoudHarmonics = {0, 0, 0, 0, 0, 20, 127, 0};

// A tone table of its own, built with the parameters the player gives its default tones.
class IndependentTones {
 public:
  IndependentTones(const std::string& waveText, const std::vector<uint8_t>& amplitudes) {
    tables.Build();
    toneTable.Init(&tables);
    UnitParams params;
    params.shape = 1;
    params.ratio = 10;
    params.reserved1 = 1;
    params.cents = 0;
    params.attenuation = 0;
    WaveFormat format;
    format.mode = 1;
    format.bitsPerSample = 8;
    format.length = static_cast<uint32_t>(waveText.size() / 2);
    toneTable.AddSampledWaveOscillator(1, 1, params, format, waveText, true);
    toneTable.ToneAt(1)->Link();
    toneTable.AddHarmonicOscillator(2, 1, params, static_cast<uint32_t>(amplitudes.size()),
                                    amplitudes, true);
    toneTable.ToneAt(2)->Link();
  }

  // What the tone renders for an index, as 16 bits held at full scale.
  int16_t Sample(int32_t tone, int32_t note, int64_t index) {
    Tone* t = toneTable.GetTone(tone);
    t->SetSampleRate(44100);
    t->SetNote(note, 0);
    return reference::Saturate(t->Render(static_cast<int32_t>(index), 0));
  }

 private:
  PitchTables tables;
  ToneTable toneTable;
};

bool WaitUntilStopped(Player& player) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (player.IsPlaying()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Plays `tone` through one whole run and a little of the next, keeping the samples around the
// wrap: the last kMargin of the run and the first kMargin of the next.
std::vector<int16_t> AroundTheWrap(Player& player, CaptureAudioDevice& device, int32_t tone) {
  const uint64_t wrapByte = 2 * kRun;
  device.ClearCaptured();
  device.SetWindows({{wrapByte - 2 * kMargin, wrapByte + 2 * kMargin}});
  player.SetCurrentTone(tone);
  player.Play();
  const bool reached = device.WaitForBytes(wrapByte + 2 * kMargin, 600000);
  player.Stop();
  EXPECT_TRUE(WaitUntilStopped(player));
  EXPECT_TRUE(reached);
  return reference::Samples(device.WindowBytes(0));
}

TEST(LongRun, BothTonesPlayThroughTheIndexWrapExactly) {
  const std::string wave = RampText();
  CaptureAudioDevice device;  // kImmediate: blocks come back as soon as they are queued
  Player player(&device);
  player.BuildDefaultTones();
  player.SetWave(wave, 1);
  player.SetHarmonics(kLoudHarmonics);
  player.SetNote(45);
  IndependentTones independent(wave, kLoudHarmonics);

  for (int32_t tone : {1, 2}) {
    SCOPED_TRACE("tone " + std::to_string(tone));
    const std::vector<int16_t> got = AroundTheWrap(player, device, tone);
    ASSERT_EQ(got.size(), static_cast<size_t>(2 * kMargin));

    // Right at the wrap: indexes 3145727 and 3145728, then 0 and 1.
    EXPECT_EQ(got[kMargin - 2], independent.Sample(tone, 45, 3145727));
    EXPECT_EQ(got[kMargin - 1], independent.Sample(tone, 45, 3145728));
    EXPECT_EQ(got[kMargin], independent.Sample(tone, 45, 0));
    EXPECT_EQ(got[kMargin + 1], independent.Sample(tone, 45, 1));

    // And every sample around it.
    size_t mismatches = 0;
    size_t differsFromUnwrapped = 0;
    for (int64_t k = 0; k < 2 * kMargin; ++k) {
      const int64_t index = (kRun - kMargin + k) % kRun;
      mismatches += got[static_cast<size_t>(k)] != independent.Sample(tone, 45, index);
      // Had the index gone on to 3145729 …, the samples after the wrap would differ.
      if (k >= kMargin) {
        differsFromUnwrapped +=
            got[static_cast<size_t>(k)] != independent.Sample(tone, 45, kRun - kMargin + k);
      }
    }
    EXPECT_EQ(mismatches, 0u);
    EXPECT_GT(differsFromUnwrapped, static_cast<size_t>(kMargin / 2));
  }

  // The loud harmonics really go beyond 16 bits somewhere, so saturation was part of the check.
  int32_t loudest = 0;
  for (int32_t i = 0; i < 200; ++i) {
    const int32_t value = player.Tones().GetTone(2)->Render(i, 0);
    loudest = std::max(loudest, value < 0 ? -value : value);
  }
  EXPECT_GT(loudest, 32767);
}

}  // namespace

}  // namespace long_run_tests
