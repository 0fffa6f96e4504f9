// Wave text formats of other tools, chip targets and wave files, against texts and bytes written by
// hand from the tools' own rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/chip_target.h"
#include "formats/hex_wave_text.h"
#include "formats/wave_depth.h"
#include "formats/wave_files.h"
#include "formats/wave_formats.h"

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

  // 3 values to 4: new[i] = old[i * 3 / 4] takes values 0, 0, 1, 2.
  const WaveReadResult three = ReadWave("0 1 2", WaveFormatId::kFurnace);
  ASSERT_TRUE(three.ok);
  EXPECT_TRUE(three.resampled);
  EXPECT_EQ(three.givenCount, 3u);
  EXPECT_EQ(three.samples, (Samples{-128, -128, -127, -126}));
  // 6 values to 8: 0, 0, 1, 2, 3, 3, 4, 5.
  const WaveReadResult six = ReadWave("-3 -2 -1 0 1 2", WaveFormatId::kFurnaceSigned);
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
      EXPECT_EQ(WriteWave(read.samples, d.format), text);
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
      // 32 hex digits are 16 samples of our own text, never a Game Boy wave.
      {kGbText, WaveFormatId::kHex, 16},
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
  const WaveReadResult hex = ReadWaveAnyFormat(kGbText);
  EXPECT_EQ(hex.samples[0], 0x01);
  EXPECT_EQ(hex.samples[1], 0x23);

  // Digits alone that break the Paste button's rules get its message; lists get the list's.
  EXPECT_EQ(ReadWaveAnyFormat("ff007f").error.Text(), "クリップボードの文字列の長さが異常です。");
  EXPECT_EQ(ReadWaveAnyFormat("1 2 300").error.Text(),
            "Value 3 (300) is out of range; Furnace (decimal) takes 0 to 255.");
  EXPECT_EQ(ReadWaveAnyFormat("-1 200").error.Text(),
            "Value 2 (200) is out of range; Furnace (signed decimal) takes -128 to 127.");
  EXPECT_FALSE(ReadWaveAnyFormat("").ok);
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
  };
  const std::vector<Case> cases = {
      {ChipTarget::kNone, "none", 8, {2, 4, 8, 16, 32, 64}, WaveFormatId::kHex, 0},
      {ChipTarget::kGameBoy, "gameboy", 4, {32}, WaveFormatId::kGb, 8},
      {ChipTarget::kNamco163, "n163", 4, {4, 8, 16, 32, 64}, WaveFormatId::kN163, 8},
      {ChipTarget::kFds, "fds", 6, {64}, WaveFormatId::kFds, 2},
      {ChipTarget::kPcEngine, "pce", 5, {32}, WaveFormatId::kFurnace, 4},
      {ChipTarget::kScc, "scc", 8, {32}, WaveFormatId::kFurnaceSigned, 0},
      {ChipTarget::kWonderSwan, "wonderswan", 4, {32}, WaveFormatId::kFurnace, 8},
  };
  ASSERT_EQ(ChipTargets().size(), cases.size());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ChipTargetInfo& info = ChipTargetOf(c.target);
    EXPECT_STREQ(info.name, c.name);
    EXPECT_EQ(FindChipTarget(c.name), c.target);
    EXPECT_EQ(info.depthBits, c.bits);
    EXPECT_EQ(info.copyFormat, c.copy);
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

TEST(WaveFilesTest, FurnaceWaveFileBytes) {
  EXPECT_EQ(WriteFuw({-128, 0, 127, -1}, "ab"), kFuw);
  const WaveReadResult read = ReadFuw(kFuw);
  ASSERT_TRUE(read.ok) << read.error.Text();
  EXPECT_EQ(read.samples, (Samples{-128, 0, 127, -1}));

  // A Game Boy wave saved by Furnace: height 16 (max 15), levels 0, 15, 8, 1; no name.
  const std::vector<uint8_t> height16 = {
      '-', 'F',  'u',  'r',  'n',  'a', 'c', 'e', ' ', 'w', 'a', 'v', 'e', 't', 'a',
      '-', 0x20, 0x00, 0x00, 0x00, 'W', 'A', 'V', 'E', 0,   0,   0,   0,   0,   4,
      0,   0,    0,    0,    0,    0,   0,   15,  0,   0,   0,   0,   0,   0,   0,
      15,  0,    0,    0,    8,    0,   0,   0,   1,   0,   0,   0};
  const WaveReadResult gb = ReadFuw(height16);
  ASSERT_TRUE(gb.ok) << gb.error.Text();
  EXPECT_EQ(gb.samples, (Samples{-128, 127, 8, -111}));

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

TEST(WaveFilesTest, GameBoyWaveFileBytes) {
  const std::vector<uint8_t> ugw = {0,  1,  2,  3,  4,  5,  6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
                                    15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5,  4,  3,  2,  1,  0};
  EXPECT_EQ(WriteUgw(GbSamples()), ugw);
  const WaveReadResult read = ReadUgw(ugw);
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.samples, GbSamples());
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

}  // namespace
