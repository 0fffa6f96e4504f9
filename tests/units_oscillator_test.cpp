// The common oscillator: cycle layout and phase, modulation, feedback, duty, level, the frequency
// cache, the chain operations and the silent limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "synth/pitch_tables.h"
#include "units/oscillator.h"
#include "units/sound_unit.h"
#include "units/unit_params.h"

namespace {

// Oscillator whose waveform is the phase step itself less a bias, so that with no attenuation its
// output is the phase it looked up.
class PhaseProbe : public Oscillator {
 public:
  explicit PhaseProbe(const PitchTables* tables, int32_t bias = 0) : bias(bias) {
    pitchTables = tables;
  }
  int32_t Waveform(int32_t phase) const override { return phase - bias; }
  SoundUnit* Clone() override { return new PhaseProbe(pitchTables, bias); }
  UnitParams& MutableParams() { return params; }

 private:
  int32_t bias;
};

// Unit with a constant output that records how it was rendered.
class ConstantUnit : public SoundUnit {
 public:
  explicit ConstantUnit(int32_t value) : value(value) {}
  int32_t Render(int32_t index, int32_t aux) override {
    ++renders;
    lastIndex = index;
    lastAux = aux;
    return value;
  }
  uint16_t LinkPosition() override { return 0; }
  SoundUnit* Clone() override { return new ConstantUnit(value); }

  int32_t value;
  int32_t renders = 0;
  int32_t lastIndex = -1;
  int32_t lastAux = 0;
};

class OscillatorTest : public ::testing::Test {
 protected:
  void SetUp() override { tables.Build(); }

  // At 36000 Hz a fixed 10.0 Hz makes one cycle 3600 samples long: the phase equals the index.
  static void OneStepPerSample(Oscillator& unit) {
    unit.SetSampleRate(36000);
    unit.SetFixedFrequency(100);
  }

  PitchTables tables;
};

// The cycle search written out plainly: cycle k starts at k*d + floor(k*e / c) with 32-bit
// unsigned products; start from index / d and step back until the start is not after the index.
uint32_t ReferencePhase(uint32_t index, uint32_t c, uint32_t rate) {
  const uint32_t span = rate * 10;
  const uint32_t d = span / c;
  const uint32_t e = span % c;
  uint32_t f = index / d;
  while (f * d + f * e / c > index) {
    const uint32_t gap = f * d + f * e / c - index;
    if (gap > d + 1) {
      f -= gap / (d + 1);
    } else {
      f -= 1;
    }
  }
  const uint32_t start = f * d + f * e / c;
  const uint32_t length = (f + 1) * e / c > f * e / c ? d + 1 : d;
  return (index - start) * 3600 / length % 3600;
}

TEST_F(OscillatorTest, CycleExamplesAtNote45) {
  PhaseProbe unit(&tables);
  unit.SetSampleRate(44100);
  unit.SetNote(45, 0);
  EXPECT_EQ(unit.Render(0, 0), 0);
  EXPECT_EQ(unit.Render(50, 0), 1800);
  EXPECT_EQ(unit.Render(450, 0), 1782);   // cycle 4 starts at 400 and is 101 samples long
  EXPECT_EQ(unit.Render(1000, 0), 3528);  // cycle 9 starts at 902
  EXPECT_EQ(unit.Render(99, 0), 3564);
  EXPECT_EQ(unit.Render(100, 0), 0);
  EXPECT_EQ(unit.Render(500, 0), 3564);  // 100 * 3600 / 101
  EXPECT_EQ(unit.Render(501, 0), 0);
}

TEST_F(OscillatorTest, CyclesOfNote45AddUpToTenSeconds) {
  PhaseProbe unit(&tables);
  unit.SetSampleRate(44100);
  unit.SetNote(45, 0);
  // A cycle starts exactly where the phase is 0 (a cycle is far shorter than 3600 samples).
  std::vector<int32_t> starts;
  for (int32_t i = 0; i < 441000; ++i) {
    if (unit.Render(i, 0) == 0) starts.push_back(i);
  }
  ASSERT_EQ(starts.size(), 4400u);
  EXPECT_EQ(unit.Render(441000, 0), 0);  // cycle 4400 starts right after ten seconds
  starts.push_back(441000);
  int32_t longCycles = 0;
  for (size_t k = 1; k < starts.size(); ++k) {
    const int32_t length = starts[k] - starts[k - 1];
    EXPECT_TRUE(length == 100 || length == 101) << "cycle " << k - 1 << " is " << length;
    longCycles += length == 101;
  }
  EXPECT_EQ(longCycles, 1000);
  EXPECT_EQ(unit.Render(441001, 0), 36);
}

// Stepping the cycle along with consecutive indexes must land exactly where a fresh search
// from the index lands, over the player's whole index range and after arbitrary jumps.
TEST_F(OscillatorTest, PhaseMatchesPlainSearchOverLongRunsAndJumps) {
  struct Case {
    int32_t rate;
    int32_t note;
  };
  const std::vector<Case> cases = {{44100, 14}, {44100, 45}, {44100, 69}, {44100, 95},
                                   {48000, 69}, {8000, 95},  {22050, 33}};
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << "rate " << test.rate << " note " << test.note);
    PhaseProbe unit(&tables);
    unit.SetSampleRate(test.rate);
    unit.SetNote(test.note, 0);
    const uint32_t c = static_cast<uint32_t>(tables.Pitch(test.note));

    int32_t mismatches = 0;
    for (int32_t i = 0; i <= 3145728 && mismatches < 5; ++i) {
      const int32_t expected = static_cast<int32_t>(ReferencePhase(i, c, test.rate));
      const int32_t actual = unit.Render(i, 0);
      if (actual != expected) {
        ++mismatches;
        ADD_FAILURE() << "index " << i << ": " << actual << " instead of " << expected;
      }
    }

    std::mt19937 random(test.note * 7919 + test.rate);
    std::uniform_int_distribution<int32_t> anyIndex(0, 3145728);
    std::uniform_int_distribution<int32_t> runLength(0, 300);
    std::uniform_int_distribution<int32_t> small(-2, 2);
    for (int32_t jump = 0; jump < 3000 && mismatches < 5; ++jump) {
      int32_t i = anyIndex(random);
      if (jump % 3 == 0) i = std::max(0, i % 4096 + small(random));  // near the start
      const int32_t run = runLength(random);
      for (int32_t k = 0; k <= run; ++k, ++i) {
        // Now and then render the same index again or step back one.
        if (k > 0 && small(random) == 2) i = std::max(0, i - 1 - (small(random) == 2));
        const int32_t expected = static_cast<int32_t>(ReferencePhase(i, c, test.rate));
        const int32_t actual = unit.Render(i, 0);
        if (actual != expected) {
          ++mismatches;
          ADD_FAILURE() << "after a jump, index " << i << ": " << actual << " instead of "
                        << expected;
        }
      }
    }
  }
}

TEST_F(OscillatorTest, FrequencyCacheKeyedOnNoteAndDetune) {
  PhaseProbe unit(&tables);
  unit.SetSampleRate(44100);
  unit.SetNote(45, 0);
  EXPECT_EQ(unit.Render(50, 0), 1800);

  // A new sample rate is not seen while note and detune stay the same.
  unit.SetSampleRate(22050);
  unit.SetNote(45, 0);
  EXPECT_EQ(unit.Render(50, 0), 1800);

  // A new note fills the cache again, now at 22050 Hz: 50 samples per cycle.
  unit.SetNote(46, 0);
  unit.Render(0, 0);
  unit.SetNote(45, 0);
  EXPECT_EQ(unit.Render(25, 0), 1800);
  EXPECT_EQ(unit.Render(50, 0), 0);

  // The detune is part of the key: 45 + 100 cents is 4661, 47 samples per cycle at 22050 Hz
  // (220500 / 4661 leaves 1433, so the first cycle is 47 long).
  unit.SetNote(45, 100);
  EXPECT_EQ(unit.Render(47, 0), 0);
  EXPECT_EQ(unit.Render(46, 0), 46 * 3600 / 47);
}

TEST_F(OscillatorTest, RatioAndParameterCentsScaleTheFrequency) {
  PhaseProbe doubled(&tables);
  doubled.MutableParams().ratio = 20;  // 880.0 Hz: 50 samples, remainder 500
  doubled.SetSampleRate(44100);
  doubled.SetNote(45, 0);
  EXPECT_EQ(doubled.Render(25, 0), 1800);
  EXPECT_EQ(doubled.Render(50, 0), 0);

  PhaseProbe bent(&tables);
  bent.MutableParams().cents = 150;  // added to the detune of SetNote
  bent.SetSampleRate(44100);
  bent.SetNote(45, -50);  // 100 cents in all: 4661, so 94 samples per cycle
  EXPECT_EQ(bent.Render(94, 0), 0);
  EXPECT_EQ(bent.Render(47, 0), 1800);
}

TEST_F(OscillatorTest, FixedFrequencyOverridesTheNote) {
  PhaseProbe unit(&tables);
  unit.SetSampleRate(44100);
  unit.SetNote(45, 0);
  unit.SetFixedFrequency(8820);  // 50 samples per cycle exactly
  EXPECT_EQ(unit.Render(25, 0), 1800);
  EXPECT_EQ(unit.Render(50, 0), 0);
  unit.SetFixedFrequency(0);  // back to the note
  EXPECT_EQ(unit.Render(50, 0), 1800);
}

TEST_F(OscillatorTest, DutyWarp) {
  PhaseProbe unit(&tables);
  OneStepPerSample(unit);
  EXPECT_EQ(unit.Render(900, 0), 900);
  EXPECT_EQ(unit.Render(2700, 0), 2700);

  unit.SetDuty(25);
  EXPECT_EQ(unit.Render(900, 0), 1800);
  EXPECT_EQ(unit.Render(450, 0), 900);
  EXPECT_EQ(unit.Render(901, 0), 1800);  // 1 * 1800 / 2700 + 1800
  EXPECT_EQ(unit.Render(2250, 0), 2700);
  EXPECT_EQ(unit.Render(3599, 0), 3599);

  unit.SetDuty(75);
  EXPECT_EQ(unit.Render(2700, 0), 1800);
  EXPECT_EQ(unit.Render(1350, 0), 900);
  EXPECT_EQ(unit.Render(3150, 0), 2700);

  unit.SetDuty(100);  // the first half of the waveform over the whole cycle
  EXPECT_EQ(unit.Render(3599, 0), 1799);
  EXPECT_EQ(unit.Render(1800, 0), 900);
}

TEST_F(OscillatorTest, PhaseModulationThroughInput) {
  PhaseProbe unit(&tables);
  OneStepPerSample(unit);
  ConstantUnit modulator(0);
  EXPECT_EQ(unit.SetInput(&modulator), &modulator);

  struct Case {
    int32_t input;
    int32_t index;
    int32_t phase;
  };
  const std::vector<Case> cases = {
      {8000, 100, 100},                        // +7200, two whole cycles
      {-8000, 100, 100},                       // -7200
      {4000, 100, 100},                        // +3600
      {1000, 100, 1000},                       // +900
      {-1000, 100, 2800},                      // -900, wrapped
      {10, 100, 109},                          // 72000 / 8000 = 9
      {1, 100, 100},                           // 7200 / 8000 truncates to 0
      {-3, 0, 3598},                           // -21600 / 8000 truncates toward zero to -2
      {-8000, 3599, 3599}, {5000, 3599, 899},  // 3599 + 4500 = 8099
  };
  for (const Case& test : cases) {
    modulator.value = test.input;
    EXPECT_EQ(unit.Render(test.index, 77), test.phase) << "input " << test.input;
    EXPECT_EQ(modulator.lastIndex, test.index);
    EXPECT_EQ(modulator.lastAux, 77);  // aux reaches the input unchanged
  }
  EXPECT_EQ(modulator.renders, static_cast<int32_t>(cases.size()));
}

TEST_F(OscillatorTest, FeedbackFromTheLastTwoOutputs) {
  // Outputs are phase - 1800, so they can be negative; the phase equals the index.
  PhaseProbe unit(&tables, 1800);
  OneStepPerSample(unit);
  unit.MutableParams().feedback = 1;  // average >> 8, then * 14400 / 8000
  EXPECT_EQ(unit.Render(0, 0), -1800);
  // Average -900; -900 >> 8 = -4 (rounds down), -4 * 14400 / 8000 = -7: phase 1 - 7 wraps to 3594.
  EXPECT_EQ(unit.Render(1, 0), 1794);
  // Average (1794 - 1800) / 2 = -3; -3 >> 8 = -1 (a division would give 0); -14400 / 8000 = -1.
  EXPECT_EQ(unit.Render(2, 0), -1799);
  // Average (-1799 + 1794) / 2 = -2 (toward zero); >> 8 = -1; phase 3 - 1.
  EXPECT_EQ(unit.Render(3, 0), -1798);
  // Average (-1798 - 1799) / 2 = -1798; >> 8 = -8; * 1.8 = -14.4 -> -14.
  EXPECT_EQ(unit.Render(4, 0), 3590 - 1800);

  // The same index again: same phase, but the history has moved on.
  // Average (1790 - 1798) / 2 = -4; >> 8 = -1 -> -1: phase 3.
  EXPECT_EQ(unit.Render(4, 0), -1797);

  // Index 0 clears the history.
  EXPECT_EQ(unit.Render(0, 0), -1800);
  EXPECT_EQ(unit.Render(1, 0), 1794);
}

TEST_F(OscillatorTest, FeedbackStrengths) {
  // With a waveform that is the phase, feedback 7 moves the phase by (average >> 2) * 1.8.
  PhaseProbe unit(&tables);
  OneStepPerSample(unit);
  unit.MutableParams().feedback = 7;
  EXPECT_EQ(unit.Render(0, 0), 0);
  EXPECT_EQ(unit.Render(1000, 0), 1000);  // average 0
  // Average 500; 500 >> 2 = 125; * 1.8 = 225.
  EXPECT_EQ(unit.Render(1001, 0), 1226);
  // Average (1226 + 1000) / 2 = 1113; >> 2 = 278; * 1.8 = 500.4 -> 500.
  EXPECT_EQ(unit.Render(1002, 0), 1502);

  PhaseProbe strongest(&tables);
  OneStepPerSample(strongest);
  strongest.MutableParams().feedback = 9;  // no shift: average * 1.8
  EXPECT_EQ(strongest.Render(0, 0), 0);
  EXPECT_EQ(strongest.Render(1000, 0), 1000);
  // Average 500 * 1.8 = 900.
  EXPECT_EQ(strongest.Render(1001, 0), 1901);

  // Beyond the range, feedback acts as its strongest setting instead of shifting by a negative
  // count.
  PhaseProbe beyond(&tables);
  OneStepPerSample(beyond);
  beyond.MutableParams().feedback = 12;
  EXPECT_EQ(beyond.Render(0, 0), 0);
  EXPECT_EQ(beyond.Render(1000, 0), 1000);
  EXPECT_EQ(beyond.Render(1001, 0), 1901);
}

TEST_F(OscillatorTest, PhaseContinuity) {
  PhaseProbe unit(&tables);
  OneStepPerSample(unit);
  for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(unit.Render(i, 0), i);

  // The next sample repeats the last phase; the offset carries the following ones on from there.
  unit.SetPhaseContinuity(1);
  EXPECT_EQ(unit.Render(100, 0), 9);
  EXPECT_EQ(unit.Render(101, 0), 10);
  EXPECT_EQ(unit.Render(3691, 0), 0);  // 3691 - 91 = 3600

  // A flag of 0 drops the offset: the index gives the phase again.
  unit.SetPhaseContinuity(0);
  EXPECT_EQ(unit.Render(102, 0), 102);

  // Continuity backwards: the offset is positive and the phase wraps.
  unit.SetPhaseContinuity(1);
  EXPECT_EQ(unit.Render(3500, 0), 102);
  EXPECT_EQ(unit.Render(3510, 0), 112);
  EXPECT_EQ(unit.Render(7000, 0), 2);     // phase 3400 of the next cycle
  EXPECT_EQ(unit.Render(3000, 0), 3202);  // 3000 - 3398 wraps
}

TEST_F(OscillatorTest, AttenuationScalesByLevel) {
  PhaseProbe unit(&tables, 1000);  // output phase - 1000
  OneStepPerSample(unit);
  EXPECT_EQ(unit.Render(3000, 0), 2000);

  unit.MutableParams().attenuation = 1;   // level 126: 7509
  EXPECT_EQ(unit.Render(3000, 0), 1877);  // 2000 * 7509 / 8000 = 1877.25
  EXPECT_EQ(unit.Render(0, 0), -938);     // -1000 * 7509 / 8000 = -938.6
  unit.MutableParams().attenuation = 31;  // level 96: 852
  EXPECT_EQ(unit.Render(3000, 0), 213);   // 2000 * 852 / 8000
  unit.MutableParams().attenuation = 85;  // level 42: 1
  EXPECT_EQ(unit.Render(3000, 0), 0);
  EXPECT_EQ(unit.Render(1000, 0), 0);
}

TEST_F(OscillatorTest, FullAttenuationSilencesButRendersInput) {
  PhaseProbe unit(&tables, 1000);
  OneStepPerSample(unit);
  ConstantUnit modulator(1000);
  unit.SetInput(&modulator);
  for (const uint16_t attenuation : {127, 128, 65535}) {
    unit.MutableParams().attenuation = attenuation;
    const int32_t before = modulator.renders;
    for (int32_t i = 0; i < 3600; i += 7) EXPECT_EQ(unit.Render(i, 0), 0) << "index " << i;
    EXPECT_EQ(modulator.renders - before, 515);
  }
}

TEST_F(OscillatorTest, LimitsGiveSilenceAndStillRenderInput) {
  ConstantUnit modulator(4000);

  PhaseProbe noRate(&tables, -1000);  // would output at least 1000 if it played
  noRate.SetInput(&modulator);
  noRate.SetNote(45, 0);
  EXPECT_EQ(noRate.Render(50, 0), 0);
  EXPECT_EQ(modulator.renders, 1);
  // The sample rate is seen once it is set, as nothing was cached.
  noRate.SetSampleRate(44100);
  EXPECT_EQ(noRate.Render(50, 0), 1800 + 1000);

  PitchTables empty;  // not built: every frequency is 0
  PhaseProbe noFrequency(&empty, -1000);
  noFrequency.SetInput(&modulator);
  noFrequency.SetSampleRate(44100);
  noFrequency.SetNote(45, 0);
  EXPECT_EQ(noFrequency.Render(50, 0), 0);

  PhaseProbe tooHigh(&tables, -1000);
  tooHigh.SetInput(&modulator);
  tooHigh.SetSampleRate(44100);
  tooHigh.SetFixedFrequency(441001);  // no whole sample per cycle
  EXPECT_EQ(tooHigh.Render(50, 0), 0);
  tooHigh.SetFixedFrequency(441000);  // one sample per cycle: always phase 0, plus 3600
  EXPECT_EQ(tooHigh.Render(50, 0), 1000);
  tooHigh.SetFixedFrequency(-5);
  EXPECT_EQ(tooHigh.Render(50, 0), 0);

  PhaseProbe lowNote(&tables, -1000);  // 7902 Hz is below note 95's 7902.1 Hz
  lowNote.SetSampleRate(7902);
  lowNote.SetNote(95, 0);
  EXPECT_EQ(lowNote.Render(1, 0), 0);

  PhaseProbe noDuty(&tables, -1000);
  noDuty.SetInput(&modulator);
  OneStepPerSample(noDuty);
  noDuty.SetDuty(0);
  EXPECT_EQ(noDuty.Render(0, 0), 0);
  EXPECT_EQ(noDuty.Render(1000, 0), 0);

  PhaseProbe noTables(nullptr, -1000);
  noTables.SetInput(&modulator);
  OneStepPerSample(noTables);
  EXPECT_EQ(noTables.Render(10, 0), 0);

  PhaseProbe negative(&tables, -1000);
  negative.SetInput(&modulator);
  OneStepPerSample(negative);
  EXPECT_EQ(negative.Render(-1, 0), 0);
  EXPECT_EQ(negative.Render(-2147483647 - 1, 0), 0);

  EXPECT_EQ(modulator.renders, 11);
}

TEST_F(OscillatorTest, OddDutiesStayInsideTheCycle) {
  PhaseProbe unit(&tables);
  OneStepPerSample(unit);
  for (const int32_t duty : {-2147483647 - 1, -1000, -1, 1, 99, 101, 1000, 2147483647}) {
    unit.SetDuty(duty);
    for (int32_t i = 0; i < 3600; i += 13) {
      const int32_t u = unit.Render(i, 0);
      EXPECT_GE(u, 0) << "duty " << duty << " index " << i;
      EXPECT_LT(u, 3600) << "duty " << duty << " index " << i;
    }
  }
  unit.SetDuty(1);  // 36 steps play the first half
  EXPECT_EQ(unit.Render(18, 0), 900);
  EXPECT_EQ(unit.Render(36, 0), 1800);
  EXPECT_EQ(unit.Render(1818, 0), 2700);
}

TEST_F(OscillatorTest, RenderBlockMatchesRender) {
  PhaseProbe block(&tables, 1800);
  PhaseProbe single(&tables, 1800);
  ConstantUnit modulator(123);
  block.SetInput(&modulator);
  single.SetInput(&modulator);
  for (PhaseProbe* unit : {&block, &single}) {
    unit->SetSampleRate(44100);
    unit->SetNote(57, 0);
    unit->MutableParams().feedback = 5;
    unit->SetDuty(30);
  }
  std::vector<int32_t> values(700, -99999);
  EXPECT_EQ(block.RenderBlock(0, 0, values.data(), 300), 300);
  EXPECT_EQ(block.RenderBlock(300, 0, values.data() + 300, 400), 400);
  for (int32_t i = 0; i < 700; ++i) EXPECT_EQ(values[i], single.Render(i, 0)) << "index " << i;
  EXPECT_EQ(block.RenderBlock(0, 0, values.data(), 0), 0);
}

TEST_F(OscillatorTest, SettersPassDownTheChain) {
  PhaseProbe source(&tables);
  PhaseProbe output(&tables);
  output.SetInput(&source);
  EXPECT_EQ(output.Input(), &source);

  output.SetSampleRate(36000);
  EXPECT_EQ(source.SampleRate(), 36000);
  output.SetFixedFrequency(100);
  output.SetDuty(25);
  EXPECT_EQ(source.Render(900, 0), 1800);

  output.SetFixedFrequency(0);
  output.SetSampleRate(44100);
  output.SetNote(45, 0);
  output.SetDuty(50);
  EXPECT_EQ(source.Render(450, 0), 1782);

  output.SetPhaseContinuity(1);
  EXPECT_EQ(source.Render(50, 0), 1782);
  output.SetPhaseContinuity(0);
  EXPECT_EQ(source.Render(50, 0), 1800);

  // The output of the source moves the output's phase: 1800 * 7200 / 8000 = 1620.
  EXPECT_EQ(output.Render(50, 0), 3420);

  EXPECT_EQ(output.SetInput(nullptr), nullptr);
  EXPECT_EQ(output.Input(), nullptr);
  output.SetSampleRate(22050);
  EXPECT_EQ(source.SampleRate(), 44100);
}

TEST_F(OscillatorTest, CheckChainFindsLoops) {
  PhaseProbe a(&tables);
  PhaseProbe b(&tables);
  PhaseProbe c(&tables);

  EXPECT_TRUE(a.CheckChain());
  EXPECT_FALSE(a.CheckChain());  // still marked
  a.ClearMark();
  EXPECT_TRUE(a.CheckChain());
  a.ClearMark();

  // c -> b -> a: no loop, and every unit of the chain is left marked.
  c.SetInput(&b);
  b.SetInput(&a);
  EXPECT_TRUE(c.CheckChain());
  EXPECT_FALSE(a.CheckChain());
  EXPECT_FALSE(b.CheckChain());
  // ClearMark clears only its own unit.
  c.ClearMark();
  EXPECT_FALSE(c.CheckChain());
  for (PhaseProbe* unit : {&a, &b, &c}) unit->ClearMark();
  EXPECT_TRUE(c.CheckChain());
  for (PhaseProbe* unit : {&a, &b, &c}) unit->ClearMark();

  // a -> c closes the loop.
  a.SetInput(&c);
  EXPECT_FALSE(c.CheckChain());
  for (PhaseProbe* unit : {&a, &b, &c}) unit->ClearMark();
  EXPECT_FALSE(b.CheckChain());
}

TEST_F(OscillatorTest, KindLinkAndMultiInputDefaults) {
  PhaseProbe unit(&tables);
  EXPECT_EQ(unit.Kind(), kKindOscillator);
  EXPECT_EQ(unit.LinkPosition(), 0);
  unit.MutableParams().link = 3;
  EXPECT_EQ(unit.LinkPosition(), 3);

  // Only units of kind 3 list links or take extra inputs.
  std::vector<uint16_t> positions = {7, 8};
  unit.ListLinks(positions);
  EXPECT_EQ(positions, (std::vector<uint16_t>{7, 8}));
  PhaseProbe other(&tables);
  unit.AddInput(&other);
  EXPECT_EQ(unit.Input(), nullptr);
}

TEST_F(OscillatorTest, DefaultsAtConstruction) {
  PhaseProbe unit(&tables);
  EXPECT_EQ(unit.Id(), 0);
  EXPECT_EQ(unit.SampleRate(), 0);
  EXPECT_EQ(unit.Input(), nullptr);
  const UnitParams& params = unit.Params();
  EXPECT_EQ(params.shape, 1);
  EXPECT_EQ(params.ratio, 10u);
  EXPECT_EQ(params.reserved1, 1);
  EXPECT_EQ(params.cents, 0);
  EXPECT_EQ(params.attenuation, 0);
  EXPECT_EQ(params.feedback, 0);
  EXPECT_EQ(params.reserved2, 0);
  EXPECT_EQ(params.link, 0);
}

}  // namespace
