// Sound units: the common oscillator, the sampled-wave oscillator and the harmonic oscillator.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tables/pitch_tables.h"
#include "units/harmonic_oscillator.h"
#include "units/oscillator.h"
#include "units/sampled_wave_oscillator.h"
#include "units/sound_unit.h"
#include "units/unit_params.h"

// The common oscillator: cycle layout and phase, modulation, feedback, duty, level, the frequency
// cache, the chain operations and the silent limits.
namespace oscillator_tests {

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

}  // namespace oscillator_tests

// The sampled-wave oscillator: reading wave text, building the hold and linear tables, set-up,
// mode and text changes, cloning, playing, and rebuilding while another thread reads the table.
namespace sampled_wave_tests {

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

}  // namespace sampled_wave_tests

// HarmonicOscillator: the table built from attenuation bytes, its text, set-up and clone.
namespace harmonic_tests {

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

}  // namespace harmonic_tests
