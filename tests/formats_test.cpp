// Wave text formats of other tools, chip targets and wave files, against texts and bytes written by
// hand from the tools' own rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/chip_target.h"
#include "formats/fti_instrument.h"
#include "formats/hex_wave_text.h"
#include "formats/wave_bank.h"
#include "formats/wave_depth.h"
#include "formats/wave_files.h"
#include "formats/wave_formats.h"
#include "formats/wave_height.h"
#include "tests/support/test_n163_reader.h"

namespace {

using Samples = std::vector<int8_t>;

// The levels' samples by the tools' own rules: bits repeated over 8 bits, then re-centred.
int8_t From4(int u) {
  return static_cast<int8_t>(u * 17 - 128);
}
int8_t From5(int u) {
  return static_cast<int8_t>(((u << 3) | (u >> 2)) - 128);
}
int8_t From6(int u) {
  return static_cast<int8_t>(((u << 2) | (u >> 4)) - 128);
}

// The Game Boy text of the manual: levels 0..15 and back down.
const std::string kGbText = "0123456789ABCDEFFEDCBA9876543210";
Samples GbSamples() {
  Samples samples;
  for (int u = 0; u < 16; ++u) samples.push_back(From4(u));
  for (int u = 15; u >= 0; --u) samples.push_back(From4(u));
  return samples;
}

// "0 1 2 … 63 ", each value followed by a space, as the FDS writer leaves it.
std::string FdsText() {
  std::string text;
  for (int u = 0; u < 64; ++u) text += std::to_string(u) + " ";
  return text;
}
Samples FdsSamples() {
  Samples samples;
  for (int u = 0; u < 64; ++u) samples.push_back(From6(u));
  return samples;
}

// "0 31 16 8 0 31 16 8 …", 64 values with single spaces.
std::string WavetrackerText() {
  std::string text = "0 31 16 8";
  for (int i = 1; i < 16; ++i) text += " 0 31 16 8";
  return text;
}
Samples WavetrackerSamples() {
  Samples samples;
  for (int i = 0; i < 16; ++i) {
    for (int u : {0, 31, 16, 8}) samples.push_back(From5(u));
  }
  return samples;
}

struct FormatCase {
  WaveFormatId format;
  std::string written;  // exactly what the tool writes
  Samples samples;
};

std::vector<FormatCase> FormatCases() {
  return {
      {WaveFormatId::kHex, "ff007f80", {-1, 0, 127, -128}},
      {WaveFormatId::kFurnace, "128 136 255 0", {0, 8, 127, -128}},
      {WaveFormatId::kFurnaceSigned, "-1 0 127 -128", {-1, 0, 127, -128}},
      {WaveFormatId::kFurnaceHex, "7F 80 FF 00", {-1, 0, 127, -128}},
      {WaveFormatId::kFds, FdsText(), FdsSamples()},
      {WaveFormatId::kN163, "0 4 8 15 ;", {-128, -60, 8, 127}},
      {WaveFormatId::kGb, kGbText, GbSamples()},
      {WaveFormatId::kWavetracker, WavetrackerText(), WavetrackerSamples()},
  };
}

TEST(WaveFormatsTest, EachFormatReadsAndWritesTheToolsOwnText) {
  for (const FormatCase& c : FormatCases()) {
    SCOPED_TRACE(WaveFormatOf(c.format).name);
    const WaveReadResult read = ReadWave(c.written, c.format);
    ASSERT_TRUE(read.ok) << read.error.Text();
    EXPECT_EQ(read.samples, c.samples);
    EXPECT_EQ(read.format, c.format);
    EXPECT_EQ(read.givenCount, c.samples.size());
    EXPECT_FALSE(read.resampled);
    EXPECT_EQ(WriteWave(c.samples, c.format), c.written);
  }
}

TEST(WaveFormatsTest, NamesAndFacts) {
  const std::vector<std::string> names = {"hex",  "furnace", "furnace-signed", "furnace-hex", "fds",
                                          "n163", "gb",      "wavetracker"};
  ASSERT_EQ(WaveFormats().size(), names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(WaveFormats()[i].name, names[i]);
    EXPECT_EQ(FindWaveFormat(names[i]), WaveFormats()[i].id);
  }
  EXPECT_FALSE(FindWaveFormat("Furnace"));
  EXPECT_FALSE(FindWaveFormat(""));
  EXPECT_EQ(WaveFormatOf(WaveFormatId::kGb).fixedLength, 32);
  EXPECT_EQ(WaveFormatOf(WaveFormatId::kFds).fixedLength, 64);
  EXPECT_EQ(WaveFormatOf(WaveFormatId::kWavetracker).fixedLength, 64);
  EXPECT_EQ(WaveFormatOf(WaveFormatId::kWavetracker).depthBits, 5);
}

TEST(WaveFormatsTest, ReadersTolerateLayoutButNotChangedValues) {
  struct Case {
    WaveFormatId format;
    std::string text;
    Samples samples;
  };
  const std::vector<Case> cases = {
      {WaveFormatId::kFurnace, " 128, 136,255\t0\r\n", {0, 8, 127, -128}},
      {WaveFormatId::kFurnace, "wave = { 128, 136, 255, 0, };", {0, 8, 127, -128}},
      {WaveFormatId::kFurnaceSigned, "{-1,0,+127,-128}", {-1, 0, 127, -128}},
      {WaveFormatId::kFurnaceHex, "$7F 0x80 ff 0", {-1, 0, 127, -128}},
      {WaveFormatId::kN163, "0 4 8 15", {-128, -60, 8, 127}},
      {WaveFormatId::kN163, "\r\n0 4 8 15 ;\r\n", {-128, -60, 8, 127}},
      {WaveFormatId::kGb, "0123 4567 89ab cdef FEDC BA98 7654 3210\r\n", GbSamples()},
      {WaveFormatId::kHex, "  ff007f80\r\n", {-1, 0, 127, -128}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const WaveReadResult read = ReadWave(c.text, c.format);
    ASSERT_TRUE(read.ok) << read.error.Text();
    EXPECT_EQ(read.samples, c.samples);
  }
  // "$" marks a hex FDS value.
  std::string fds = FdsText();
  fds.replace(fds.rfind("63"), 2, "$3F");
  const WaveReadResult read = ReadWave(fds, WaveFormatId::kFds);
  ASSERT_TRUE(read.ok) << read.error.Text();
  EXPECT_EQ(read.samples, FdsSamples());
}

TEST(WaveFormatsTest, RefusalsNameTheValueItsPositionAndTheRange) {
  struct Case {
    WaveFormatId format;
    std::string text;
    std::string message;
  };
  const std::string fds3 = "FamiTracker (FDS wave) takes exactly 64 values; the text has 3.";
  const std::vector<Case> cases = {
      {WaveFormatId::kFurnace, "1 2 300",
       "Value 3 (300) is out of range; Furnace (decimal) takes 0 to 255."},
      {WaveFormatId::kFurnace, "1 -2",
       "Value 2 (-2) is out of range; Furnace (decimal) takes 0 to 255."},
      {WaveFormatId::kFurnaceSigned, "1 x 3",
       "Value 2 (\"x\") is not a number; Furnace (signed decimal) takes -128 to 127."},
      {WaveFormatId::kFurnaceHex, "00 100",
       "Value 2 (100) is out of range; Furnace (hex) takes 00 to FF."},
      {WaveFormatId::kN163, "0 1 16 3 ;",
       "Value 3 (16) is out of range; FamiTracker (N163 wave) takes 0 to 15."},
      {WaveFormatId::kN163, "0 1 2 ;",
       "FamiTracker (N163 wave) takes a multiple of 4 values, from 4 to 240; the text has 3."},
      {WaveFormatId::kN163, "0 1 2 3 ;\n4 5 6 7 ;",
       "The text holds 2 waves; take one wave at a time."},
      {WaveFormatId::kWavetracker, WavetrackerText() + " 31",
       "WaveTracker takes exactly 64 values; the text has 65."},
      {WaveFormatId::kFds, "0 1 2", fds3},
      {WaveFormatId::kGb, kGbText.substr(0, 31) + "G",
       "Value 32 (\"G\") is not a number; Game Boy trackers (hUGETracker, GB Studio) takes 0 "
       "to F."},
      {WaveFormatId::kFurnace, "1,,2", "Value 2 is missing between two commas."},
      {WaveFormatId::kFurnace, "{ 1, 2", "The list after \"{\" has no closing \"}\"."},
      {WaveFormatId::kFurnace, "{ 1, 2 } { 3 }",
       "Unexpected text after the closing \"}\": \"{ 3 }\"."},
      {WaveFormatId::kFurnace, "", "The text holds no wave values."},
      {WaveFormatId::kGb, " \r\n", "The text holds no wave values."},
      {WaveFormatId::kFurnace, "{ }", "The text holds no wave values."},
      {WaveFormatId::kHex, "abc", "クリップボードの文字列の長さが異常です。"},
      {WaveFormatId::kHex, "0x00", "数値以外の文字が含まれています。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const WaveReadResult read = ReadWave(c.text, c.format);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.samples.empty());
    EXPECT_EQ(read.error.Text(), c.message);
    EXPECT_STREQ(read.error.context, "WaveText");
  }
}

TEST(WaveFormatsTest, OddCountsAreResampledToTheNearestLengthTiesToTheLonger) {
  const std::vector<std::pair<size_t, size_t>> lengths = {{1, 2},   {2, 2},   {3, 4},   {5, 4},
                                                          {6, 8},   {12, 16}, {23, 16}, {24, 32},
                                                          {47, 32}, {48, 64}, {64, 64}, {256, 64}};
  for (const auto& [count, length] : lengths) EXPECT_EQ(NearestWaveLength(count), length) << count;

  // 3 values to 4: new[i] = old[i * 3 / 4] takes values 0, 0, 1, 2 (levels of height 16).
  const WaveReadResult three = ReadWave("0 1 2", WaveFormatId::kFurnace);
  ASSERT_TRUE(three.ok);
  EXPECT_TRUE(three.resampled);
  EXPECT_EQ(three.givenCount, 3u);
  EXPECT_EQ(three.samples, (Samples{From4(0), From4(0), From4(1), From4(2)}));
  // 6 values to 8: 0, 0, 1, 2, 3, 3, 4, 5; at height 256 the signed values are our samples.
  WaveReadOptions full;
  full.height = 256;
  const WaveReadResult six = ReadWave("-3 -2 -1 0 1 2", WaveFormatId::kFurnaceSigned, full);
  ASSERT_TRUE(six.ok);
  EXPECT_EQ(six.samples, (Samples{-3, -3, -2, -1, 0, 0, 1, 2}));

  // Fixed-length targets are written from any length: 16 samples give every Game Boy level twice.
  Samples sixteen;
  for (int u = 0; u < 16; ++u) sixteen.push_back(From4(u));
  EXPECT_EQ(WriteWave(sixteen, WaveFormatId::kGb), "00112233445566778899AABBCCDDEEFF");
  EXPECT_EQ(WriteWave({-128, 127}, WaveFormatId::kN163), "0 0 15 15 ;");
}

TEST(WaveFormatsTest, EveryLevelSurvivesARoundTripAtEachDepth) {
  for (int32_t bits : {4, 5, 6, 8}) {
    for (int32_t u = 0; u < (1 << bits); ++u) {
      EXPECT_EQ(ToLevel(FromLevel(u, bits), bits), u) << bits << " bits, level " << u;
    }
  }
  // Through the texts: every level of each depth read and written back.
  struct Depth {
    WaveFormatId format;
    int32_t levels;
  };
  for (const Depth& d : {Depth{WaveFormatId::kN163, 16}, Depth{WaveFormatId::kWavetracker, 32},
                         Depth{WaveFormatId::kFds, 64}, Depth{WaveFormatId::kFurnace, 256}}) {
    for (int32_t first = 0; first < d.levels; first += 64) {
      const int32_t count = std::min(d.levels, 64);
      std::string text;
      for (int32_t i = 0; i < count; ++i) {
        text += std::to_string(first + i) + (i + 1 < count ? " " : "");
      }
      // The fixed-length formats take 64 values: the levels again.
      for (int32_t i = count; i < 64 && WaveFormatOf(d.format).fixedLength == 64; ++i) {
        text += " " + std::to_string(i % count);
      }
      if (d.format == WaveFormatId::kFds) text += " ";
      if (d.format == WaveFormatId::kN163) text += " ;";
      const WaveReadResult read = ReadWave(text, d.format);
      ASSERT_TRUE(read.ok) << read.error.Text();
      EXPECT_EQ(WriteWave(read.samples, d.format, read.height), text);
    }
  }
}

TEST(WaveFormatsTest, DetectionPrefersTheEditorsOwnHex) {
  std::string wavetracker63 = WavetrackerText();  // max 31, no space after the last
  std::string fdsLow = wavetracker63 + " ";       // the same values, with the FDS writer's space
  std::string fdsHigh = WavetrackerText();
  fdsHigh.replace(0, 1, "63");
  std::string fdsDollar = FdsText();
  fdsDollar.replace(0, 1, "$0");
  struct Case {
    std::string text;
    WaveFormatId format;
    size_t count;
  };
  const std::vector<Case> cases = {
      {"ff007f80", WaveFormatId::kHex, 4},
      {" FF00\r\n", WaveFormatId::kHex, 2},
      // 32 hex digits: a Game Boy tracker's copy when upper case, our own 16 samples otherwise.
      {kGbText, WaveFormatId::kGb, 32},
      {"0123456789abcdeffedcba9876543210", WaveFormatId::kHex, 16},
      {"00112233445566770011223344556677", WaveFormatId::kHex, 16},
      {"0123456789abcdefFEDCBA9876543210", WaveFormatId::kHex, 16},
      {"0123 4567 89AB CDEF FEDC BA98 7654 3210", WaveFormatId::kGb, 32},
      {"0 1 2 3 4 5 6 7 8 9 A B C D E F F E D C B A 9 8 7 6 5 4 3 2 1 0", WaveFormatId::kGb, 32},
      {"0 4 8 15 ;", WaveFormatId::kN163, 4},
      {fdsDollar, WaveFormatId::kFds, 64},
      {"7F 80 FF 00", WaveFormatId::kFurnaceHex, 4},
      {"-1 0 127 -128", WaveFormatId::kFurnaceSigned, 4},
      {"128 136 255 0", WaveFormatId::kFurnace, 4},
      {"{ 0, 1, 2 }", WaveFormatId::kFurnace, 3},
      {wavetracker63, WaveFormatId::kWavetracker, 64},
      {fdsLow, WaveFormatId::kFds, 64},
      {fdsHigh, WaveFormatId::kFds, 64},
      {FdsText(), WaveFormatId::kFds, 64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const WaveReadResult any = ReadWaveAnyFormat(c.text);
    ASSERT_TRUE(any.ok) << any.error.Text();
    EXPECT_EQ(any.format, c.format);
    EXPECT_EQ(any.givenCount, c.count);
    EXPECT_EQ(any.samples, ReadWave(c.text, c.format).samples);
  }
  const WaveReadResult hex = ReadWaveAnyFormat("0123456789abcdeffedcba9876543210");
  EXPECT_EQ(hex.samples[0], 0x01);
  EXPECT_EQ(hex.samples[1], 0x23);
  // Under the Game Boy target any case is a Game Boy wave; the Paste button keeps its own rules.
  const WaveReadResult gb =
      ReadWaveAnyFormat("0123456789abcdeffedcba9876543210", ReadOptionsFor(ChipTarget::kGameBoy));
  EXPECT_EQ(gb.format, WaveFormatId::kGb);
  EXPECT_EQ(gb.samples, GbSamples());
  EXPECT_TRUE(ReadPastedWaveText(kGbText).ok);

  // Digits alone that break the Paste button's rules get its message; lists get the list's.
  EXPECT_EQ(ReadWaveAnyFormat("ff007f").error.Text(), "クリップボードの文字列の長さが異常です。");
  EXPECT_EQ(ReadWaveAnyFormat("1 2 300").error.Text(),
            "Value 3 (300) is out of range; Furnace (decimal) takes 0 to 255.");
  EXPECT_EQ(ReadWaveAnyFormat("-1 200").error.Text(),
            "Value 2 (200) is out of range; Furnace (signed decimal) takes -128 to 127.");
  EXPECT_FALSE(ReadWaveAnyFormat("").ok);
}

TEST(WaveFormatsTest, FurnaceTextsAreReadAtTheirHeightAndWrittenBackAtIt) {
  WaveReadOptions pce = ReadOptionsFor(ChipTarget::kPcEngine);
  WaveReadOptions named256;
  named256.height = 256;
  struct Case {
    std::string text;  // as Furnace copies a wave of that height
    WaveReadOptions options;
    WaveFormatId format;
    int32_t height;
    Samples samples;
  };
  const std::vector<Case> cases = {
      // A Game Boy wave copied from Furnace; its hex mode writes two digits.
      {"0 3 7 12 15 15 12 7",
       {},
       WaveFormatId::kFurnace,
       16,
       {From4(0), From4(3), From4(7), From4(12), From4(15), From4(15), From4(12), From4(7)}},
      {"00 03 07 0C", {}, WaveFormatId::kFurnaceHex, 16, {From4(0), From4(3), From4(7), From4(12)}},
      {"00 10 08 04", {}, WaveFormatId::kFurnaceHex, 32, {From5(0), From5(16), From5(8), From5(4)}},
      {"-8 0 7 -1",
       {},
       WaveFormatId::kFurnaceSigned,
       16,
       {From4(0), From4(8), From4(15), From4(7)}},
      {"0 31 16 8", {}, WaveFormatId::kFurnace, 32, {From5(0), From5(31), From5(16), From5(8)}},
      {"-16 15", {}, WaveFormatId::kFurnaceSigned, 32, {From5(0), From5(31)}},
      {"0 63 32 16", {}, WaveFormatId::kFurnace, 64, {From6(0), From6(63), From6(32), From6(16)}},
      {"128 136 255 0", {}, WaveFormatId::kFurnace, 256, {0, 8, 127, -128}},
      // The target's height when it holds the values; a named height always.
      {"0 4 8 15", pce, WaveFormatId::kFurnace, 32, {From5(0), From5(4), From5(8), From5(15)}},
      {"0 4 8 15", named256, WaveFormatId::kFurnace, 256, {-128, -124, -120, -113}},
      {"0 40 8 15", pce, WaveFormatId::kFurnace, 64, {From6(0), From6(40), From6(8), From6(15)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const WaveReadResult read = ReadWaveAnyFormat(c.text, c.options);
    ASSERT_TRUE(read.ok) << read.error.Text();
    EXPECT_EQ(read.format, c.format);
    EXPECT_EQ(read.height, c.height);
    EXPECT_EQ(read.heightChosen, c.options.height == 0);
    EXPECT_EQ(read.samples, c.samples);
    EXPECT_EQ(WriteWave(read.samples, c.format, read.height), c.text);
  }
  WaveReadOptions named16;
  named16.height = 16;
  EXPECT_EQ(ReadWave("0 20", WaveFormatId::kFurnace, named16).error.Text(),
            "Value 2 (20) is out of range; Furnace (decimal) takes 0 to 15.");
  EXPECT_EQ(ReadWave("-9 0", WaveFormatId::kFurnaceSigned, named16).error.Text(),
            "Value 1 (-9) is out of range; Furnace (signed decimal) takes -8 to 7.");
  // 64 values of height 16 are a Furnace wave, not WaveTracker's (height 32).
  std::string sixtyFour = "15";
  for (int i = 1; i < 64; ++i) sixtyFour += " " + std::to_string(i % 16);
  EXPECT_EQ(ReadWaveAnyFormat(sixtyFour).format, WaveFormatId::kFurnace);
  EXPECT_EQ(ReadWaveAnyFormat(sixtyFour).height, 16);
}

TEST(HexWaveTextTest, PasteRulesAndPairReading) {
  const HexPasteResult pasted = ReadPastedWaveText("FF007f80");
  ASSERT_TRUE(pasted.ok);
  EXPECT_EQ(pasted.codes, (std::vector<uint8_t>{0xff, 0x00, 0x7f, 0x80}));
  // Length before characters: an odd text of letters is a length error.
  EXPECT_EQ(ReadPastedWaveText("xyz").error.Text(), "クリップボードの文字列の長さが異常です。");
  EXPECT_EQ(ReadPastedWaveText("").error.Text(), "クリップボードの文字列の長さが異常です。");
  EXPECT_EQ(ReadPastedWaveText("ff00ff").error.Text(), "クリップボードの文字列の長さが異常です。");
  EXPECT_EQ(ReadPastedWaveText("ff0g").error.Text(), "数値以外の文字が含まれています。");
  EXPECT_STREQ(ReadPastedWaveText("ff0g").error.context, "WaveText");

  std::string_view text = "7Fg18";
  EXPECT_EQ(ReadHexPair(text), 0x7f);
  EXPECT_EQ(ReadHexPair(text), 0x00);  // "g1": no leading hex digit
  EXPECT_EQ(ReadHexPair(text), 0x08);  // a last digit alone
  EXPECT_EQ(ReadHexPair(text), 0x00);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(WriteHexWave({-1, 0, 127, -128}), "ff007f80");
}

TEST(ChipTargetTest, LengthsDepthsSnappingAndCopyFormats) {
  struct Case {
    ChipTarget target;
    const char* name;
    int32_t bits;
    std::vector<int32_t> lengths;
    WaveFormatId copy;
    int32_t snappedZero;  // the chip's level nearest to our 0
    std::string copied;   // the copy of the wave −128, 0, 127, −1 for the chip
  };
  const std::vector<Case> cases = {
      {ChipTarget::kNone, "none", 8, {2, 4, 8, 16, 32, 64}, WaveFormatId::kHex, 0, "80007fff"},
      {ChipTarget::kGameBoy,
       "gameboy",
       4,
       {32},
       WaveFormatId::kGb,
       8,
       "0000000088888888FFFFFFFF77777777"},
      {ChipTarget::kNamco163, "n163", 4, {4, 8, 16, 32, 64}, WaveFormatId::kN163, 8, "0 8 15 7 ;"},
      {ChipTarget::kFds, "fds", 6, {64}, WaveFormatId::kFds, 2, ""},
      {ChipTarget::kPcEngine, "pce", 5, {32}, WaveFormatId::kFurnace, 4, "0 16 31 15"},
      {ChipTarget::kScc, "scc", 8, {32}, WaveFormatId::kFurnaceSigned, 0, "-128 0 127 -1"},
      {ChipTarget::kWonderSwan, "wonderswan", 4, {32}, WaveFormatId::kFurnace, 8, "0 8 15 7"},
  };
  ASSERT_EQ(ChipTargets().size(), cases.size());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ChipTargetInfo& info = ChipTargetOf(c.target);
    EXPECT_STREQ(info.name, c.name);
    EXPECT_EQ(FindChipTarget(c.name), c.target);
    EXPECT_EQ(info.depthBits, c.bits);
    EXPECT_EQ(info.copyFormat, c.copy);
    EXPECT_EQ(ChipHeight(c.target), 1 << c.bits);
    EXPECT_EQ(ReadOptionsFor(c.target).targetHeight,
              c.target == ChipTarget::kNone ? 0 : 1 << c.bits);
    // Copy for the Target writes the chip's own text at the chip's height.
    if (!c.copied.empty()) {
      EXPECT_EQ(WriteWave({-128, 0, 127, -1}, c.copy, ChipHeight(c.target)), c.copied);
    }
    for (int32_t length : {2, 4, 8, 16, 32, 64}) {
      const bool listed = std::find(c.lengths.begin(), c.lengths.end(), length) != c.lengths.end();
      EXPECT_EQ(ChipAllowsLength(c.target, length), listed) << length;
    }
    EXPECT_EQ(SnapToChip(0, c.target), c.snappedZero);
    EXPECT_EQ(SnapToChip(-128, c.target), -128);
    EXPECT_EQ(SnapToChip(127, c.target), 127);
  }
  // 4 bits: -1 is level 7, 7 * 17 - 128 = -9.
  EXPECT_EQ(SnapToChip(-1, ChipTarget::kGameBoy), -9);
  for (int32_t v = -128; v < 128; ++v) EXPECT_EQ(SnapToChip(v, ChipTarget::kScc), v);
  EXPECT_FALSE(FindChipTarget("GameBoy"));
}

// "-Furnace waveta-", version 143, reserved, "WAVE", block size 31, "ab", length 4, min 0, max 255,
// then 0, 128, 255, 127.
const std::vector<uint8_t> kFuw = {'-', 'F', 'u', 'r', 'n',  'a',  'c',  'e',  ' ', 'w', 'a', 'v',
                                   'e', 't', 'a', '-', 0x8f, 0x00, 0x00, 0x00, 'W', 'A', 'V', 'E',
                                   31,  0,   0,   0,   'a',  'b',  0,    4,    0,   0,   0,   0,
                                   0,   0,   0,   255, 0,    0,    0,    0,    0,   0,   0,   128,
                                   0,   0,   0,   255, 0,    0,    0,    127,  0,   0,   0};

void Put32(std::vector<uint8_t>& out, int32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// A .fuw laid out field by field as Furnace writes one: no name, version 143.
std::vector<uint8_t> FuwFile(int32_t min, int32_t max, const std::vector<int32_t>& values) {
  std::vector<uint8_t> out(kFuw.begin(), kFuw.begin() + 24);
  Put32(out, static_cast<int32_t>(1 + 12 + 4 * values.size()));
  out.push_back(0);
  Put32(out, static_cast<int32_t>(values.size()));
  Put32(out, min);
  Put32(out, max);
  for (const int32_t v : values) Put32(out, v);
  return out;
}

// A .dmw: length, height − 1 and one byte a value; or 255, a version, height − 1 and int32 values.
std::vector<uint8_t> DmwFile(bool newVariant, int32_t top, const std::vector<int32_t>& values) {
  std::vector<uint8_t> out;
  Put32(out, static_cast<int32_t>(values.size()));
  if (newVariant) out.insert(out.end(), {255, 1});
  out.push_back(static_cast<uint8_t>(top));
  for (const int32_t v : values) {
    if (newVariant) {
      Put32(out, v);
    } else {
      out.push_back(static_cast<uint8_t>(v));
    }
  }
  return out;
}

// `count` levels of a height rising and falling, and the samples they stand for.
std::vector<int32_t> Levels(size_t count, int32_t height) {
  std::vector<int32_t> levels;
  for (size_t i = 0; i < count; ++i) levels.push_back(static_cast<int32_t>(i * 7 % height));
  return levels;
}

TEST(WaveFilesTest, FurnaceWaveFileBytes) {
  EXPECT_EQ(WriteFuw({-128, 0, 127, -1}, 256, {kFuwVersion, "ab"}), kFuw);
  FuwHeader header;
  const WaveReadResult read = ReadFuw(kFuw, &header);
  ASSERT_TRUE(read.ok) << read.error.Text();
  EXPECT_EQ(read.samples, (Samples{-128, 0, 127, -1}));
  EXPECT_EQ(header.version, 143);
  EXPECT_EQ(header.name, "ab");

  // A Game Boy wave saved by an older Furnace: height 16 (max 15), levels 0, 15, 8, 1; no name,
  // no block size.
  const std::vector<uint8_t> height16 = {
      '-', 'F',  'u',  'r',  'n',  'a', 'c', 'e', ' ', 'w', 'a', 'v', 'e', 't', 'a',
      '-', 0x20, 0x00, 0x00, 0x00, 'W', 'A', 'V', 'E', 0,   0,   0,   0,   0,   4,
      0,   0,    0,    0,    0,    0,   0,   15,  0,   0,   0,   0,   0,   0,   0,
      15,  0,    0,    0,    8,    0,   0,   0,   1,   0,   0,   0};
  const WaveReadResult gb = ReadFuw(height16);
  ASSERT_TRUE(gb.ok) << gb.error.Text();
  EXPECT_EQ(gb.samples, (Samples{-128, 127, 8, -111}));
  EXPECT_EQ(gb.height, 16);

  // Every cut-short file is refused, never read past its end.
  for (size_t size = 0; size < kFuw.size(); ++size) {
    const WaveReadResult cut = ReadFuw(std::vector<uint8_t>(kFuw.begin(), kFuw.begin() + size));
    EXPECT_FALSE(cut.ok) << size;
    EXPECT_FALSE(cut.error.Empty()) << size;
  }
  std::vector<uint8_t> wrong = kFuw;
  wrong[0] = '+';
  EXPECT_EQ(ReadFuw(wrong).error.Text(), "This is no Furnace wave file.");
  wrong = kFuw;
  wrong[56] = 1;  // the last value 127 becomes 383, above max
  EXPECT_EQ(ReadFuw(wrong).error.Text(), "Value 4 (383) is out of range; the wave takes 0 to 255.");
  wrong = kFuw;
  wrong[32] = 1;  // length 260
  EXPECT_FALSE(ReadFuw(wrong).ok);
}

// Real .fuw files come with heights 16, 32 and 256 and lengths 32, 33 and 128: each reads at its
// own height, an editor length writes back byte for byte, others are resampled by the length rule.
TEST(WaveFilesTest, RealFurnaceFilesReadAtTheirHeightAndWriteBackUnchanged) {
  struct Case {
    int32_t min, max;
    size_t length;
    int32_t height;  // the height taken
    size_t samples;  // the editor length
  };
  const std::vector<Case> cases = {
      {0, 15, 32, 16, 32},    {0, 31, 32, 32, 32},  {0, 31, 33, 32, 32},
      {0, 255, 128, 256, 64}, {0, 15, 128, 16, 64}, {-8, 7, 32, 16, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.max) + " / " + std::to_string(c.length));
    const int32_t fileHeight = c.max - c.min + 1;
    std::vector<int32_t> values = Levels(c.length, fileHeight);
    for (int32_t& v : values) v += c.min;
    const std::vector<uint8_t> file = FuwFile(c.min, c.max, values);
    FuwHeader header;
    const WaveReadResult read = ReadFuw(file, &header);
    ASSERT_TRUE(read.ok) << read.error.Text();
    EXPECT_EQ(read.height, c.height);
    EXPECT_EQ(read.givenCount, c.length);
    EXPECT_EQ(read.samples.size(), c.samples);
    EXPECT_EQ(read.resampled, c.length != c.samples);
    // Level i of the file at the index the length rule takes.
    for (size_t i = 0; i < c.samples; ++i) {
      const int32_t level = values[i * c.length / c.samples] - c.min;
      EXPECT_EQ(read.samples[i], FromLevel(level, HeightBits(c.height))) << i;
    }
    if (!read.resampled && c.min == 0) {
      EXPECT_EQ(WriteFuw(read.samples, read.height, header), file);
    }
  }
}

TEST(WaveFilesTest, DefleMaskFilesOfBothVariants) {
  const std::vector<int32_t> levels = Levels(32, 16);
  Samples samples;
  for (const int32_t u : levels) samples.push_back(From4(u));
  for (const bool newVariant : {false, true}) {
    SCOPED_TRACE(newVariant);
    const std::vector<uint8_t> file = DmwFile(newVariant, 15, levels);
    EXPECT_EQ(DetectWaveFileType(file), WaveFileType::kDmw);
    const WaveReadResult read = ReadDmw(file);
    ASSERT_TRUE(read.ok) << read.error.Text();
    EXPECT_EQ(read.height, 16);
    EXPECT_EQ(read.samples, samples);
    // Written back in the plain variant, byte for byte.
    EXPECT_EQ(WriteDmw(read.samples, read.height), DmwFile(false, 15, levels));
  }
  // A PC Engine wave of 32 levels; a value above the height; a file of the wrong size.
  EXPECT_EQ(ReadDmw(DmwFile(false, 31, {0, 31, 16, 8})).samples,
            (Samples{From5(0), From5(31), From5(16), From5(8)}));
  EXPECT_EQ(ReadDmw(DmwFile(true, 15, {0, 16})).error.Text(),
            "Value 2 (16) is out of range; the wave takes 0 to 15.");
  std::vector<uint8_t> longer = DmwFile(false, 15, levels);
  longer.push_back(0);
  EXPECT_EQ(ReadDmw(longer).error.Text(),
            "This is no DefleMask wave file: 32 values need 37 bytes; it has 38.");
}

TEST(WaveFilesTest, GameBoyWaveFileBytes) {
  const std::vector<uint8_t> ugw = {0,  1,  2,  3,  4,  5,  6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
                                    15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5,  4,  3,  2,  1,  0};
  EXPECT_EQ(WriteUgw(GbSamples()), ugw);
  const WaveReadResult read = ReadUgw(ugw);
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.samples, GbSamples());
  EXPECT_TRUE(read.note.Empty());
  // Early versions of the tracker wrote 33 bytes: the first 32 are the wave.
  std::vector<uint8_t> early = ugw;
  early.push_back(0);
  const WaveReadResult first32 = ReadUgw(early);
  ASSERT_TRUE(first32.ok) << first32.error.Text();
  EXPECT_EQ(first32.samples, GbSamples());
  EXPECT_EQ(
      first32.note.Text(),
      "The Game Boy wave file has 33 bytes; the first 32 were read, as the trackers read it.");
  EXPECT_EQ(WriteUgw(first32.samples), ugw);
  // Other lengths are written resampled to 32.
  std::vector<uint8_t> halves(16, 0);
  halves.resize(32, 15);
  EXPECT_EQ(WriteUgw({-128, 127}), halves);
  EXPECT_EQ(ReadUgw(std::vector<uint8_t>(31, 0)).error.Text(),
            "A Game Boy wave file has 32 bytes; this one has 31.");
  std::vector<uint8_t> high = ugw;
  high[5] = 16;
  EXPECT_EQ(ReadUgw(high).error.Text(), "Value 6 (16) is out of range; the wave takes 0 to 15.");
}

// Bytes from a hex dump ("46 54 49 ..."), as the shared instrument notes print them.
std::vector<uint8_t> Dump(const std::string& text) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < text.size(); i += 3) {
    bytes.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// N163 "two waves": wave 0 a ramp 0..15, wave 1 a square, size 16, position 0; wave sequence 0 1
// looping to 0. Written by hand from the tracker's loader.
const std::string kTwoWaves =
    "46 54 49 32 2e 34 05 09 00 00 00 74 77 6f 20 77 61 76 65 73 05 00 00 00 00 01 02 00 00 00 "
    "00 00 00 00 ff ff ff ff 00 00 00 00 00 01 10 00 00 00 00 00 00 00 02 00 00 00 "
    "00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 00 00 00 00 00 00 00 00 0f 0f 0f 0f 0f 0f "
    "0f 0f";
// The same instrument as version 2.0 (no release, no setting) and 1.0 (pairs: value 0 for one
// frame, value 1 for one frame, then a loop back over both).
const std::string kTwoWaves20 =
    "46 54 49 32 2e 30 05 03 00 00 00 74 77 6f 05 00 00 00 00 01 02 00 00 00 00 00 00 00 00 01 "
    "10 00 00 00 00 00 00 00 02 00 00 00";
const std::string kTwoWaves10 =
    "46 54 49 31 2e 30 05 03 00 00 00 74 77 6f 05 00 00 00 00 01 03 00 00 00 00 00 00 01 fe 00 "
    "10 00 00 00 00 00 00 00 02 00 00 00";

std::vector<uint8_t> Levels(const Samples& wave, int bits) {
  std::vector<uint8_t> levels;
  for (const int8_t v : wave) levels.push_back(static_cast<uint8_t>(ToLevel(v, bits)));
  return levels;
}

std::vector<uint8_t> TwoWavesSamples() {
  std::vector<uint8_t> bytes;
  for (int u = 0; u < 16; ++u) bytes.push_back(static_cast<uint8_t>(u));
  for (int i = 0; i < 16; ++i) bytes.push_back(i < 8 ? 0 : 15);
  return bytes;
}

// FDS "FDS saw": sample i = i, no modulation, three empty sequences.
std::vector<uint8_t> FdsSaw() {
  std::vector<uint8_t> bytes = Dump("46 54 49 32 2e 34 04 07 00 00 00 46 44 53 20 73 61 77");
  for (int i = 0; i < 64; ++i) bytes.push_back(static_cast<uint8_t>(i));
  bytes.insert(bytes.end(), 44, 0);
  for (int i = 0; i < 3; ++i) {
    const std::vector<uint8_t> empty = Dump("00 00 00 00 ff ff ff ff ff ff ff ff 00 00 00 00");
    bytes.insert(bytes.end(), empty.begin(), empty.end());
  }
  return bytes;
}

TEST(FtiInstrumentTest, ReadsHandWrittenInstrumentsOfEveryVersion) {
  const std::vector<uint8_t> samples = TwoWavesSamples();
  struct Case {
    std::string name;
    std::vector<uint8_t> bytes;
    FtiChip chip;
    std::string instrumentName;
    std::vector<std::vector<uint8_t>> waves;
    FtiSequence sequence;  // N163: the wave index slot; FDS: the volume slot
  };
  std::vector<Case> cases = {
      {"2.4", Dump(kTwoWaves), FtiChip::kN163, "two waves", {}, {{0, 1}, 0, -1, 0}},
      {"2.0", Dump(kTwoWaves20), FtiChip::kN163, "two", {}, {{0, 1}, 0, -1, 0}},
      {"1.0", Dump(kTwoWaves10), FtiChip::kN163, "two", {}, {{0, 1}, 0, -1, 0}},
      {"FDS", FdsSaw(), FtiChip::kFds, "FDS saw", {{}}, {}},
  };
  for (int i = 0; i < 64; ++i) cases[3].waves[0].push_back(static_cast<uint8_t>(i));
  for (size_t c = 0; c < 3; ++c) {
    if (c > 0) cases[c].bytes.insert(cases[c].bytes.end(), samples.begin(), samples.end());
    cases[c].waves = {{samples.begin(), samples.begin() + 16},
                      {samples.begin() + 16, samples.end()}};
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FtiReadResult read = ReadFti(c.bytes);
    ASSERT_TRUE(read.ok) << read.error.Text();
    EXPECT_EQ(read.instrument.chip, c.chip);
    EXPECT_EQ(read.instrument.name, c.instrumentName);
    EXPECT_EQ(read.instrument.waves, c.waves);
    const size_t slot = c.chip == FtiChip::kN163 ? kFtiWaveIndex : kFtiVolume;
    ASSERT_EQ(read.instrument.sequences.size(), c.chip == FtiChip::kN163 ? 5u : 3u);
    ASSERT_TRUE(read.instrument.sequences[slot].has_value());
    EXPECT_EQ(*read.instrument.sequences[slot], c.sequence);
    if (c.chip == FtiChip::kN163) {
      EXPECT_FALSE(read.instrument.sequences[kFtiVolume]);
    }
    // Into the bank: the levels spread over 8 bits.
    const WaveBank bank = BankOfFti(read.instrument);
    ASSERT_EQ(bank.waves.size(), c.waves.size());
    EXPECT_EQ(bank.waves.back().back(), c.chip == FtiChip::kN163 ? From4(15) : From6(63));
  }
}

TEST(FtiInstrumentTest, RefusesWhatTheTrackerRefusesNamingTheField) {
  struct Case {
    size_t at;  // offset into the 2.4 "two waves" instrument
    std::string patch;
    std::string message;
  };
  const std::vector<Case> cases = {
      {0, "46 54 58", "it does not begin with \"FTI\""},
      {3, "32 2e 36", "version 2.6; the tracker reads versions up to 2.5"},
      {3, "32 2c 34", "not a digit, a point and a digit"},
      {6, "01", "a 2A03 instrument"},
      {6, "07", "type 7 is unknown"},
      {7, "80", "name is 128 bytes long; at most 127 fit"},
      {20, "06", "6 sequence slots"},
      {26, "fd", "slot 5 has 253 items"},
      {30, "02", "slot 5 loops to item 2 but has 2 items"},
      {34, "02 00 00 00", "slot 5 releases at item 2"},
      {44, "03", "wave size is 3"},
      {44, "f1", "wave size is 241"},
      {48, "f0", "wave position is 240"},
      {52, "00", "holds 0 waves"},
      {52, "41", "holds 65 waves"},
      {57, "10", "Sample 2 of wave 1 is 16"},
  };
  const std::vector<uint8_t> good = Dump(kTwoWaves);
  ASSERT_TRUE(ReadFti(good).ok);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    std::vector<uint8_t> bytes = good;
    const std::vector<uint8_t> patch = Dump(c.patch + " ");
    std::copy(patch.begin(), patch.end(), bytes.begin() + static_cast<long>(c.at));
    const FtiReadResult read = ReadFti(bytes);
    EXPECT_FALSE(read.ok);
    EXPECT_NE(read.error.Text().find(c.message), std::string::npos) << read.error.Text();
  }
  // Cut short anywhere: refused, never read past the end.
  for (size_t size : {0, 5, 12, 40, 87}) {
    const FtiReadResult read = ReadFti(std::vector<uint8_t>(good.begin(), good.begin() + size));
    EXPECT_FALSE(read.ok);
    if (size > 0) {
      EXPECT_EQ(read.error.Text(),
                "The instrument file is cut short at byte " + std::to_string(size) + ".");
    }
  }
}

TEST(FtiInstrumentTest, WritesWhatTheTrackerReads) {
  // The worked examples byte for byte.
  const std::vector<uint8_t> samples = TwoWavesSamples();
  WaveBank two;
  for (size_t w = 0; w < 2; ++w) {
    two.waves.emplace_back();
    for (size_t i = 0; i < 16; ++i) two.waves[w].push_back(From4(samples[w * 16 + i]));
  }
  FtiWriteResult written = WriteN163Fti(two, "two waves");
  ASSERT_TRUE(written.ok) << written.error.Text();
  std::vector<uint8_t> expected = Dump(kTwoWaves + " ");
  EXPECT_EQ(written.bytes, expected);
  EXPECT_EQ(written.snappedSamples, 0u);
  Samples saw;
  for (int u = 0; u < 64; ++u) saw.push_back(From6(u));
  EXPECT_EQ(WriteFdsFti(saw, "FDS saw").bytes, FdsSaw());

  // Three waves of 32 samples not looping, one off the chip's levels, read by the test reader.
  WaveBank bank{{GbSamples(), GbSamples(), GbSamples()}};
  std::reverse(bank.waves[1].begin(), bank.waves[1].end());
  bank.waves[2][5] = 3;
  written = WriteN163Fti(bank, "bank", false);
  ASSERT_TRUE(written.ok) << written.error.Text();
  EXPECT_EQ(written.snappedSamples, 1u);
  const TestN163 t = ReadTestN163(written.bytes);
  EXPECT_EQ(t.magic, "FTI2.4");
  EXPECT_EQ(t.type, 5);
  EXPECT_EQ(t.name, "bank");
  EXPECT_EQ(t.flags, (std::vector<int>{0, 0, 0, 0, 1}));
  EXPECT_EQ(t.items, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(t.loop, -1);
  EXPECT_EQ(t.release, -1);
  EXPECT_EQ(t.setting, 0);
  EXPECT_EQ(t.size, 32);
  EXPECT_EQ(t.position, 0);
  ASSERT_EQ(t.waves.size(), 3u);
  for (size_t w = 0; w < 3; ++w) EXPECT_EQ(t.waves[w], Levels(bank.waves[w], 4));
}

TEST(FtiInstrumentTest, RefusesABankThatDoesNotFitSayingWhatToChange) {
  const Samples wave(16, 0);
  struct Case {
    WaveBank bank;
    std::string name;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{}, "x", "The bank holds no wave; an instrument needs at least one."},
      {{std::vector<Samples>(65, wave)},
       "x",
       "has 65 waves; a Namco 163 instrument holds at most 64. Delete 1 waves"},
      {{{wave, Samples(32, 0)}}, "x", "Wave 2 has 32 samples and wave 1 has 16"},
      {{{Samples(2, 0)}},
       "x",
       "cannot play waves of 2 samples: it plays 4 to 240 samples in steps of 4. Change the length "
       "to 4."},
      {{{Samples(10, 0)}}, "x", "Change the length to 12."},
      {{{wave}}, std::string(128, 'n'), "name is 128 bytes long"},
      {{{wave}}, "caf\xc3\xa9", "plain ASCII"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const FtiWriteResult written = WriteN163Fti(c.bank, c.name);
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.bytes.empty());
    EXPECT_NE(written.error.Text().find(c.message), std::string::npos) << written.error.Text();
  }
  const FtiWriteResult fds = WriteFdsFti(Samples(32, 0), "x");
  EXPECT_FALSE(fds.ok);
  EXPECT_EQ(fds.error.Text(),
            "The FDS plays waves of 64 samples; this wave has 32. Change its length to 64.");
}

TEST(WaveBankTest, EachLineIsReadLikeAPaste) {
  const BankReadResult read = ReadBankText(
      "0 4 8 15 ;\r\n\n  ff007f80\r0123 4567 89AB CDEF FEDC BA98 7654 3210\n128 136 255 0 64\n");
  ASSERT_TRUE(read.ok) << read.error.Text();
  ASSERT_EQ(read.bank.waves.size(), 4u);
  EXPECT_EQ(read.bank.waves[0], (Samples{-128, -60, 8, 127}));
  EXPECT_EQ(read.bank.waves[1], (Samples{-1, 0, 127, -128}));
  EXPECT_EQ(read.bank.waves[2], GbSamples());
  EXPECT_EQ(read.lines[2].format, WaveFormatId::kGb);
  EXPECT_TRUE(read.lines[3].resampled);
  EXPECT_EQ(read.bank.waves[3].size(), 4u);
  // Written back in one format, one wave per line, and read again unchanged.
  const std::string text = WriteBankText(read.bank, WaveFormatId::kN163);
  EXPECT_EQ(text.substr(0, text.find('\n') + 1), "0 4 8 15 ;\n");
  EXPECT_EQ(ReadBankText(WriteBankText(read.bank, WaveFormatId::kHex)).bank.waves, read.bank.waves);

  struct Bad {
    std::string text;
    size_t line;
    std::string message;
  };
  std::string many;
  for (int i = 0; i < 257; ++i) many += "ff00\n";
  const std::vector<Bad> bad = {
      {"ff00\n\n0 4 x ;\n", 3, "Value 3 (\"x\") is not a number"},
      {" \r\n\t\n", 0, "The text holds no wave."},
      {many, 0, "The text holds more than 256 waves; a bank holds at most 256."},
  };
  for (const Bad& b : bad) {
    const BankReadResult refused = ReadBankText(b.text);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.bank.waves.empty());
    EXPECT_EQ(refused.errorLine, b.line);
    EXPECT_NE(refused.error.Text().find(b.message), std::string::npos) << refused.error.Text();
  }
}

TEST(WaveFilesTest, TypesByExtensionAndContentAndWhatAFileCouldNotHold) {
  EXPECT_EQ(WaveFileTypeOfExtension("FUW"), WaveFileType::kFuw);
  EXPECT_EQ(WaveFileTypeOfExtension("ugw"), WaveFileType::kUgw);
  EXPECT_FALSE(WaveFileTypeOfExtension("zpwave"));
  EXPECT_EQ(DetectWaveFileType(kFuw), WaveFileType::kFuw);
  EXPECT_EQ(DetectWaveFileType(std::vector<uint8_t>(33, 15)), WaveFileType::kUgw);
  EXPECT_FALSE(DetectWaveFileType(std::vector<uint8_t>(31, 15)));

  Samples sixtyFour(64, 5);  // 5 is no level of height 16
  struct Case {
    Samples samples;
    int32_t height;
    WaveFileType type;
    std::string change;
  };
  const std::vector<Case> cases = {
      {GbSamples(), 16, WaveFileType::kUgw, ""},
      {sixtyFour, 256, WaveFileType::kUgw,
       "A .ugw file holds 32 samples of 16 levels: the wave was resampled from 64 to 32 samples "
       "and reduced to 16 levels."},
      {Samples(16, From4(3)), 256, WaveFileType::kUgw,
       "A .ugw file holds 32 samples: the wave was resampled from 16 to 32."},
      {Samples(32, 5), 16, WaveFileType::kFuw,
       "The .fuw file holds 16 levels: the wave was reduced to 16 levels."},
      {sixtyFour, 256, WaveFileType::kFuw, ""},
      {GbSamples(), 16, WaveFileType::kDmw, ""},
      {sixtyFour, 256, WaveFileType::kDmw,
       "The .dmw file holds 64 levels: the wave was reduced to 64 levels."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    const WaveFileWriting file = WriteWaveFile(c.samples, c.height, c.type);
    ASSERT_TRUE(file.ok);
    EXPECT_EQ(file.change.Text(), c.change);
    const WaveReadResult back = ReadWaveFile(file.bytes, c.type);
    ASSERT_TRUE(back.ok) << back.error.Text();
    EXPECT_EQ(back.samples.size(), file.length);
  }
}

}  // namespace
