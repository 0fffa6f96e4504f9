// ToneTable and Tone: numbering, ownership, placing and linking units, and the default tones.
#include "synth/tone_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "synth/pitch_tables.h"
#include "synth/tone.h"
#include "units/harmonic_oscillator.h"
#include "units/sampled_wave_oscillator.h"

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
