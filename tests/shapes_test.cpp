// The shaping tools: exact samples of each shape and transform at lengths 2, 32 and 64, the
// identities between transforms, the harmonic series in the harmonic tone's level mapping, and the
// model operations that take a whole array.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "editor/wave_editor_model.h"
#include "editor/wave_morph.h"
#include "editor/wave_shapes.h"
#include "formats/wave_depth.h"
#include "formats/wave_length.h"

namespace {

using Values = std::vector<int>;

// Sample index -> expected value.
using Picks = std::map<int, int>;

SignedWave Wave(const Values& values) {
  return SignedWave(values.begin(), values.end());
}

Values Ints(const SignedWave& wave) {
  return Values(wave.begin(), wave.end());
}

TEST(ShapesTest, ShapesHaveTheirExactSamples) {
  struct Case {
    WaveShape shape;
    int length;
    Picks picks;
  };
  const std::vector<Case> cases = {
      {WaveShape::kSine, 2, {{0, 0}, {1, 0}}},  // both samples fall on zero crossings
      {WaveShape::kSine, 32, {{0, 0}, {1, 24}, {4, 90}, {8, 127}, {16, 0}, {17, -25}, {24, -128}}},
      {WaveShape::kSine, 64, {{3, 37}, {16, 127}, {48, -128}, {63, -13}}},
      {WaveShape::kTriangle, 2, {{0, 0}, {1, 0}}},
      {WaveShape::kTriangle, 32, {{1, 15}, {4, 63}, {8, 127}, {12, 63}, {17, -16}, {24, -128}}},
      {WaveShape::kTriangle, 64, {{16, 127}, {32, 0}, {48, -128}, {63, -8}}},
      {WaveShape::kSawtooth, 2, {{0, -128}, {1, 0}}},
      {WaveShape::kSawtooth, 32, {{0, -128}, {1, -120}, {16, 0}, {31, 120}}},
      {WaveShape::kSawtooth, 64, {{0, -128}, {63, 124}}},
      {WaveShape::kSquare, 2, {{0, 127}, {1, -128}}},
      {WaveShape::kSquare, 32, {{0, 127}, {15, 127}, {16, -128}, {31, -128}}},
      {WaveShape::kSquare, 64, {{31, 127}, {32, -128}}},
      {WaveShape::kPulse25, 2, {{0, 127}, {1, -128}}},  // at least one sample high
      {WaveShape::kPulse25, 32, {{7, 127}, {8, -128}}},
      {WaveShape::kPulse25, 64, {{15, 127}, {16, -128}, {63, -128}}},
      {WaveShape::kPulse12, 2, {{0, 127}, {1, -128}}},
      {WaveShape::kPulse12, 32, {{3, 127}, {4, -128}}},
      {WaveShape::kPulse12, 64, {{7, 127}, {8, -128}}},
  };
  for (const Case& c : cases) {
    const SignedWave wave = MakeShape(c.shape, c.length);
    ASSERT_EQ(wave.size(), static_cast<size_t>(c.length));
    for (auto [index, value] : c.picks) {
      EXPECT_EQ(wave[index], value)
          << static_cast<int>(c.shape) << " n " << c.length << " @" << index;
    }
  }
  // Square and pulses hold only the two extremes.
  for (WaveShape shape : {WaveShape::kSquare, WaveShape::kPulse25, WaveShape::kPulse12}) {
    for (int8_t v : MakeShape(shape, 64)) EXPECT_TRUE(v == 127 || v == -128);
  }
}

TEST(ShapesTest, NoiseFollowsItsSeed) {
  EXPECT_EQ(MakeShape(WaveShape::kNoise, 32, 7), MakeShape(WaveShape::kNoise, 32, 7));
  EXPECT_NE(MakeShape(WaveShape::kNoise, 32, 7), MakeShape(WaveShape::kNoise, 32, 8));
  // The top byte of the first draws of the standard's mt19937 with seed 5489 (its default):
  // 3499211612, 581869302, 3890346734, 3586334585.
  EXPECT_EQ(Ints(MakeShape(WaveShape::kNoise, 4, 5489)), (Values{-48, 34, -25, -43}));
}

TEST(ShapesTest, TransformsHaveTheirExactResults) {
  struct Case {
    WaveTransform transform;
    Values in;
    Values out;
  };
  const std::vector<Case> cases = {
      {WaveTransform::kInvert, {-128, 127}, {127, -128}},
      {WaveTransform::kInvert, {0, -1, 5, -6}, {-1, 0, -6, 5}},
      {WaveTransform::kReverse, {1, 2, 3, 4}, {4, 3, 2, 1}},
      {WaveTransform::kRotateLeft, {1, 2, 3, 4}, {2, 3, 4, 1}},
      {WaveTransform::kRotateRight, {1, 2, 3, 4}, {4, 1, 2, 3}},
      {WaveTransform::kRotateLeft, {1, 2}, {2, 1}},
      {WaveTransform::kNormalize, {64, -32, 0, 1}, {127, -64, 0, 2}},
      {WaveTransform::kNormalize, {-3, 1}, {-128, 43}},  // 128 / 3 = 42.67
      {WaveTransform::kNormalize, {0, 0}, {0, 0}},
      {WaveTransform::kNormalize, {-128, 127}, {-128, 127}},
      {WaveTransform::kRemoveDc, {10, 20, 30, 40}, {-15, -5, 5, 15}},  // mean 25
      {WaveTransform::kRemoveDc, {1, 2}, {-1, 0}},                     // mean 1.5 rounds to 2
      {WaveTransform::kRemoveDc, {-1, -2}, {1, 0}},                    // -1.5 rounds to -2
      {WaveTransform::kRemoveDc, {127, 127, 127, -128}, {64, 64, 64, -128}},  // mean 63, clamped
      {WaveTransform::kSmooth, {0, 0, 90, 0}, {0, 30, 30, 30}},
      {WaveTransform::kSmooth, {10, 0}, {3, 7}},  // (0 + 10 + 0) / 3, (10 + 0 + 10) / 3
      {WaveTransform::kSmooth, {-1, -1, 0, 0}, {-1, -1, 0, 0}},  // -2 / 3 rounds to -1
      {WaveTransform::kLouder, {100, -100, 3, -3}, {127, -128, 6, -6}},
      {WaveTransform::kQuieter, {127, -128, 3, -3, -1, 1}, {63, -64, 1, -2, -1, 0}},
      {WaveTransform::kHalfLength, {1, 2, 3, 4}, {1, 3}},
      {WaveTransform::kDoubleLength, {1, 2}, {1, 1, 2, 2}},
  };
  for (const Case& c : cases) {
    const auto result = ApplyTransform(c.transform, Wave(c.in));
    ASSERT_TRUE(result.has_value()) << static_cast<int>(c.transform);
    EXPECT_EQ(Ints(*result), c.out) << static_cast<int>(c.transform);
  }
}

TEST(ShapesTest, TransformsKeepTheirLengthsAndHalfAndDoubleStayInTheList) {
  const SignedWave saw64 = MakeShape(WaveShape::kSawtooth, 64);
  for (int t = 0; t <= static_cast<int>(WaveTransform::kQuieter); ++t) {
    for (int length : {2, 32, 64}) {
      const auto result = ApplyTransform(static_cast<WaveTransform>(t), SignedWave(length, 5));
      ASSERT_TRUE(result.has_value());
      EXPECT_EQ(result->size(), static_cast<size_t>(length)) << t;
    }
  }
  EXPECT_FALSE(ApplyTransform(WaveTransform::kHalfLength, SignedWave{1, 2}).has_value());
  EXPECT_FALSE(ApplyTransform(WaveTransform::kDoubleLength, saw64).has_value());
  EXPECT_FALSE(TransformApplies(WaveTransform::kHalfLength, 2));
  EXPECT_TRUE(TransformApplies(WaveTransform::kHalfLength, 4));
  EXPECT_TRUE(TransformApplies(WaveTransform::kDoubleLength, 32));
  EXPECT_FALSE(TransformApplies(WaveTransform::kDoubleLength, 64));
  EXPECT_EQ(ApplyTransform(WaveTransform::kHalfLength, saw64)->size(), 32u);

  // The same rule as the length list.
  WaveEditorModel model;
  model.SetLength(64);
  ASSERT_TRUE(model.SetSamples(SampleSlots(saw64)));
  model.SetLength(32);
  EXPECT_EQ(SignedSamples(model.Samples()), *ApplyTransform(WaveTransform::kHalfLength, saw64));
  model.SetLength(64);
  EXPECT_EQ(SignedSamples(model.Samples()),
            *ApplyTransform(WaveTransform::kDoubleLength,
                            *ApplyTransform(WaveTransform::kHalfLength, saw64)));
}

TEST(ShapesTest, InverseTransformsGiveTheWaveBack) {
  for (int length : {2, 32, 64}) {
    for (uint32_t seed : {1u, 2u}) {
      const SignedWave wave = MakeShape(WaveShape::kNoise, length, seed);
      auto twice = [&](WaveTransform first, WaveTransform second) {
        return *ApplyTransform(second, *ApplyTransform(first, wave));
      };
      EXPECT_EQ(twice(WaveTransform::kInvert, WaveTransform::kInvert), wave);
      EXPECT_EQ(twice(WaveTransform::kReverse, WaveTransform::kReverse), wave);
      EXPECT_EQ(twice(WaveTransform::kRotateLeft, WaveTransform::kRotateRight), wave);
      EXPECT_EQ(twice(WaveTransform::kRotateRight, WaveTransform::kRotateLeft), wave);
      EXPECT_EQ(twice(WaveTransform::kInvert, WaveTransform::kQuieter),
                twice(WaveTransform::kQuieter, WaveTransform::kInvert));
    }
  }
}

TEST(ShapesTest, HarmonicSeriesUseTheHarmonicTonesLevels) {
  // Weight 127 - a nearest to 127 / k (sawtooth), odd 127 / k (square), odd 127 / k^2
  // (triangle); 127 / 2 = 63.5 takes the louder weight 64.
  struct Case {
    HarmonicSeries series;
    int count;
    std::vector<uint8_t> expected;
  };
  const std::vector<Case> cases = {
      {HarmonicSeries::kSine, 2, {0, 127}},
      {HarmonicSeries::kSawtooth, 2, {0, 63}},
      {HarmonicSeries::kSawtooth, 8, {0, 63, 85, 95, 102, 106, 109, 111}},
      {HarmonicSeries::kSquare, 8, {0, 127, 85, 127, 102, 127, 109, 127}},
      {HarmonicSeries::kTriangle, 8, {0, 127, 113, 127, 122, 127, 124, 127}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MakeHarmonics(c.series, c.count), c.expected) << static_cast<int>(c.series);
  }
  const std::vector<uint8_t> saw64 = MakeHarmonics(HarmonicSeries::kSawtooth, 64);
  ASSERT_EQ(saw64.size(), 64u);
  EXPECT_EQ(saw64[31], 123);  // 127 / 32 = 3.97
  EXPECT_EQ(saw64[63], 125);  // 127 / 64 = 1.98
  const std::vector<uint8_t> sine32 = MakeHarmonics(HarmonicSeries::kSine, 32);
  EXPECT_EQ(std::count(sine32.begin(), sine32.end(), 127), 31);
  EXPECT_EQ(AttenuationFor(2.0), 0);
  EXPECT_EQ(AttenuationFor(-1.0), 127);
}

TEST(ShapesTest, ModelTakesWholeArraysOfItsLengthOnly) {
  WaveEditorModel model;  // length 32
  int redraws = 0;
  model.SetRedrawHandler([&] { ++redraws; });
  EXPECT_FALSE(model.SetSamples(std::vector<uint16_t>(16, 1)));
  EXPECT_FALSE(model.SetAmplitudes(std::vector<uint8_t>(64, 1)));
  EXPECT_EQ(model.Samples(), std::vector<uint16_t>(32, 0));
  EXPECT_EQ(redraws, 0);

  EXPECT_TRUE(model.SetSamples(SampleSlots(MakeShape(WaveShape::kSquare, 32))));
  std::string square;
  for (int i = 0; i < 32; ++i) square += i < 16 ? "7f" : "80";
  EXPECT_EQ(model.GetPlayer().GetWaveText(), square);
  EXPECT_EQ(redraws, 1);
  EXPECT_TRUE(model.SetSamples(model.Samples()));  // unchanged: no hand-over, no redraw
  EXPECT_EQ(redraws, 1);

  EXPECT_TRUE(model.SetAmplitudes(MakeHarmonics(HarmonicSeries::kSquare, 32)));
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText().substr(0, 20), "   0, 127,  85, 127,");
  EXPECT_EQ(redraws, 2);
}

// `length` samples of a sine of amplitude `peak` starting at `phase` radians.
SignedWave Sine(int length, double peak, double phase) {
  SignedWave wave;
  for (int i = 0; i < length; ++i) {
    wave.push_back(static_cast<int8_t>(
        std::lround(peak * std::sin(2 * std::numbers::pi * i / length + phase))));
  }
  return wave;
}

int Peak(const SignedWave& wave) {
  int peak = 0;
  for (const int8_t v : wave) peak = std::max(peak, std::abs(int{v}));
  return peak;
}

SignedWave Snapped(const SignedWave& wave, int bits) {
  SignedWave snapped;
  for (const int8_t v : wave) snapped.push_back(static_cast<int8_t>(SnapToDepth(v, bits)));
  return snapped;
}

TEST(MorphTest, StepsCountEndsAndLevels) {
  const SignedWave square = MakeShape(WaveShape::kSquare, 32);
  const SignedWave saw = MakeShape(WaveShape::kSawtooth, 32);
  struct Case {
    MorphKind kind;
    int steps;
    int levels;
    int bits;
  };
  const std::vector<Case> cases = {
      {MorphKind::kLinear, 1, 256, 8},   {MorphKind::kLinear, 254, 256, 8},
      {MorphKind::kSpectral, 6, 256, 8}, {MorphKind::kLinear, 3, 16, 4},
      {MorphKind::kSpectral, 3, 32, 5},  {MorphKind::kSpectral, 254, 64, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.steps << " steps at " << c.levels);
    const std::vector<SignedWave> waves = MorphWaves(square, saw, c.steps, c.kind, c.levels);
    ASSERT_EQ(waves.size(), static_cast<size_t>(c.steps) + 2);
    EXPECT_EQ(waves.front(), Snapped(square, c.bits));
    EXPECT_EQ(waves.back(), Snapped(saw, c.bits));
    for (const SignedWave& wave : waves) {
      ASSERT_EQ(wave.size(), 32u);
      EXPECT_EQ(wave, Snapped(wave, c.bits));
    }
    if (c.kind != MorphKind::kLinear || c.levels != 256) continue;
    for (int k = 1; k <= c.steps; ++k) {
      for (size_t i = 0; i < 32; ++i) {
        const double t = static_cast<double>(k) / (c.steps + 1);
        ASSERT_EQ(waves[k][i], std::lround(square[i] + (saw[i] - square[i]) * t)) << k << " " << i;
      }
    }
  }
  // One step halfway: 127 and -128 meet at -0.5, rounded away from zero.
  EXPECT_EQ(MorphWaves(square, saw, 1, MorphKind::kLinear, 256)[1][0], -1);
  // Different lengths: the shorter is brought to the longer by the length rule first.
  const SignedWave shortSquare = MakeShape(WaveShape::kSquare, 16);
  const std::vector<SignedWave> mixed = MorphWaves(shortSquare, saw, 2, MorphKind::kSpectral, 256);
  ASSERT_EQ(mixed.size(), 4u);
  EXPECT_EQ(mixed.front(), ResampleToLength(shortSquare, 32));
  EXPECT_EQ(mixed[1].size(), 32u);
  // Outside the ranges: nothing.
  EXPECT_TRUE(MorphWaves(square, saw, 0, MorphKind::kLinear, 256).empty());
  EXPECT_TRUE(MorphWaves(square, saw, 255, MorphKind::kLinear, 256).empty());
  EXPECT_TRUE(MorphWaves(square, saw, 3, MorphKind::kSpectral, 128).empty());
  EXPECT_TRUE(MorphWaves({}, saw, 3, MorphKind::kLinear, 256).empty());
}

TEST(MorphTest, SpectralTurnsPhasesAndPutsPeaksOnTheLine) {
  // A sine to a sine a quarter turn later: halfway the spectral step is the sine an eighth turn
  // later at full height, where the linear step is the same sine at 1/sqrt(2) of the height.
  const SignedWave a = Sine(32, 127, 0);
  const SignedWave b = Sine(32, 127, std::numbers::pi / 2);
  const SignedWave spectral = MorphWaves(a, b, 1, MorphKind::kSpectral, 256)[1];
  const SignedWave eighth = Sine(32, 127, std::numbers::pi / 4);
  for (size_t i = 0; i < 32; ++i) EXPECT_LE(std::abs(spectral[i] - eighth[i]), 1) << i;
  EXPECT_EQ(Peak(spectral), 127);
  EXPECT_EQ(Peak(MorphWaves(a, b, 1, MorphKind::kLinear, 256)[1]), 90);
  // Phases go the shorter way round: from 0 to 3/4 turn through -1/8 turn, not +3/8.
  const SignedWave late = Sine(32, 127, 3 * std::numbers::pi / 2);
  const SignedWave back = MorphWaves(a, late, 1, MorphKind::kSpectral, 256)[1];
  const SignedWave minusEighth = Sine(32, 127, -std::numbers::pi / 4);
  for (size_t i = 0; i < 32; ++i) EXPECT_LE(std::abs(back[i] - minusEighth[i]), 1) << i;

  // Peaks on the straight line between A's and B's, whatever the shapes.
  const SignedWave small = Sine(64, 31, 1.0);
  const SignedWave square = MakeShape(WaveShape::kSquare, 64);
  for (const SignedWave& to : {small, square}) {
    const std::vector<SignedWave> waves =
        MorphWaves(Sine(64, 127, 0), to, 3, MorphKind::kSpectral, 256);
    for (int k = 1; k <= 3; ++k) {
      EXPECT_EQ(Peak(waves[k]), std::lround(127 + (Peak(to) - 127) * k / 4.0)) << k;
    }
  }
}

}  // namespace
