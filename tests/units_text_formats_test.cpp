// Wave text and amplitude text: writing, splitting and lenient reading.
#include "editor/text_formats.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<int32_t> Parse(const std::string& text) {
  std::vector<int32_t> values;
  ParseDecimalList(text, values);
  return values;
}

using Values = std::vector<int32_t>;
using Tokens = std::vector<std::string>;

TEST(WaveTextTest, TwoLowerCaseDigitsPerSampleFromTheLowByte) {
  // -1, 0, +127, -128 as the pane keeps them in 16-bit slots.
  EXPECT_EQ(WriteWaveText({0xffff, 0x0000, 0x007f, 0xff80}), "ff007f80");
  // Only the low byte counts, and letters are lower case.
  EXPECT_EQ(WriteWaveText({0x12ab, 0xabcd, 0x0001}), "abcd01");
  EXPECT_EQ(WriteWaveText({}), "");
  EXPECT_EQ(WriteWaveText(std::vector<uint16_t>(32, 0)), std::string(64, '0'));

  std::vector<uint16_t> samples(64);
  std::string expected;
  for (int i = 0; i < 64; ++i) {
    samples[i] = static_cast<uint16_t>(i * 4 - 128);
    const char* digits = "0123456789abcdef";
    const unsigned code = static_cast<unsigned>(i * 4 - 128) & 0xff;
    expected += digits[code / 16];
    expected += digits[code % 16];
  }
  const std::string text = WriteWaveText(samples);
  EXPECT_EQ(text.size(), 128u);
  EXPECT_EQ(text, expected);
  EXPECT_EQ(text.substr(0, 6), "808488");
}

TEST(AmplitudeTextTest, FourCharacterItemsUpToTheLastValueThatIsNot127) {
  EXPECT_EQ(WriteAmplitudeText({0, 127, 64, 127, 127, 127}), "   0, 127,  64");
  EXPECT_EQ(WriteAmplitudeText({127, 0}), " 127,   0");
  EXPECT_EQ(WriteAmplitudeText({5}), "   5");
  EXPECT_EQ(WriteAmplitudeText({255, 128, 10}), " 255, 128,  10");

  std::vector<uint8_t> rising = {0, 1, 2, 3};
  rising.resize(64, 127);
  const std::string text = WriteAmplitudeText(rising);
  EXPECT_EQ(text, "   0,   1,   2,   3");
  EXPECT_EQ(text.size(), 19u);

  std::vector<uint8_t> full(64, 0);
  EXPECT_EQ(WriteAmplitudeText(full).size(), 5u * 64 - 1);
}

TEST(AmplitudeTextTest, SilentOrEmptyArraysGiveTheEmptyText) {
  EXPECT_EQ(WriteAmplitudeText({}), "");
  EXPECT_EQ(WriteAmplitudeText({127}), "");
  EXPECT_EQ(WriteAmplitudeText(std::vector<uint8_t>(64, 127)), "");
}

TEST(SplitListTest, TokensAreTrimmedAndAnEmptyTokenEndsTheList) {
  EXPECT_FALSE(SplitList("").has_value());
  EXPECT_FALSE(SplitList(",1,2").has_value());
  EXPECT_EQ(SplitList("1,,2"), Tokens({"1"}));
  EXPECT_EQ(SplitList("1, ,2"), Tokens({"1", "", "2"}));
  EXPECT_EQ(SplitList("1,2,"), Tokens({"1", "2"}));
  EXPECT_EQ(SplitList(" a\t,\r\nb \v\f"), Tokens({"a", "b"}));
  EXPECT_EQ(SplitList(" "), Tokens({""}));
  EXPECT_EQ(SplitList("5 apples"), Tokens({"5 apples"}));
  EXPECT_EQ(SplitList("   0, 127,  64"), Tokens({"0", "127", "64"}));
}

TEST(ParseDecimalListTest, LeadingNumberOfEveryToken) {
  EXPECT_EQ(Parse(",1,2"), Values{});
  EXPECT_EQ(Parse(""), Values{});
  EXPECT_EQ(Parse("1,,2"), Values({1}));
  EXPECT_EQ(Parse("1, ,2"), Values({1, 0, 2}));
  EXPECT_EQ(Parse("5 apples"), Values({5}));
  EXPECT_EQ(Parse("-1"), Values({-1}));
  EXPECT_EQ(Parse("300"), Values({300}));
  EXPECT_EQ(Parse("   0, 127,  64"), Values({0, 127, 64}));
  EXPECT_EQ(Parse("+7,x,-,--3,12abc,0x10,-0"), Values({7, 0, 0, 0, 12, 0, 0}));
  EXPECT_EQ(Parse("\t42\n, 3 4"), Values({42, 3}));
}

TEST(ParseDecimalListTest, NumbersBeyond32BitsSaturate) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(Parse("2147483647,2147483648,99999999999999999999999999"), Values({kMax, kMax, kMax}));
  EXPECT_EQ(Parse("-2147483648,-2147483649,-99999999999999999999999999"),
            Values({kMin, kMin, kMin}));
  EXPECT_EQ(Parse("00000000000000000000000000012"), Values({12}));
}

TEST(ParseDecimalListTest, EmptiesTheArrayFirst) {
  std::vector<int32_t> values = {9, 9, 9};
  ParseDecimalList(",1", values);
  EXPECT_TRUE(values.empty());
  values = {9, 9, 9};
  ParseDecimalList("4", values);
  EXPECT_EQ(values, Values({4}));
}

TEST(AmplitudeTextTest, EveryWrittenTextReadsBackToItsValues) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> length(0, 64);
  std::uniform_int_distribution<int> byte(0, 255);
  std::bernoulli_distribution silent(0.4);
  for (int round = 0; round < 5000; ++round) {
    std::vector<uint8_t> amplitudes(length(random));
    for (auto& a : amplitudes) a = silent(random) ? 127 : static_cast<uint8_t>(byte(random));
    Values expected(amplitudes.begin(), amplitudes.end());
    while (!expected.empty() && expected.back() == 127) expected.pop_back();

    const std::string text = WriteAmplitudeText(amplitudes);
    ASSERT_EQ(text.size(), expected.empty() ? 0 : expected.size() * 5 - 1) << text;
    ASSERT_EQ(Parse(text), expected) << text;
  }
}

}  // namespace
