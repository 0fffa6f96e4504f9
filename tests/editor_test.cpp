// The editing pane without a window: text formats, data and edits, copy and paste.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "editor/wave_editor_geometry.h"
#include "editor/wave_editor_model.h"
#include "formats/text_formats.h"
#include "synth/tone.h"
#include "tests/support/fake_audio_device.h"
#include "tests/support/fake_ui_services.h"

// Wave text and amplitude text: writing, splitting and lenient reading.
namespace text_format_tests {

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

}  // namespace text_format_tests

// The editing pane's data: construction defaults, length, mode and view changes, value writes and
// what each of them hands to the player; and the pane's geometry and pointer mappings.
namespace model_tests {

namespace {

const std::string kDefaultToneWaveText = "80808080808080807f7f7f7f7f7f7f7f";
const std::string kDefaultToneHarmonicsText = "   0";

// Expected wave text, built here independently of the editor's own writer.
std::string HexText(const std::vector<int>& values) {
  std::string text;
  for (int value : values) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", value & 0xff);
    text += digits;
  }
  return text;
}

class EditorModelTest : public ::testing::Test {
 protected:
  EditorModelTest() {
    model.SetRedrawHandler([this] { ++redraws; });
  }

  std::vector<int> SignedSamples() const {
    std::vector<int> values;
    for (uint16_t slot : model.Samples()) values.push_back(static_cast<int8_t>(slot & 0xff));
    return values;
  }

  FakeUiServices services;
  WaveEditorModel model{nullptr, &services};
  int redraws = 0;
};

TEST_F(EditorModelTest, ConstructionSetsDefaultsAndHandsNothingOver) {
  EXPECT_EQ(model.View(), WaveEditorModel::kWaveView);
  EXPECT_EQ(model.Mode(), WaveEditorModel::kPoly);
  EXPECT_EQ(model.SampleWidth(), 8);
  EXPECT_EQ(model.GetLength(), 32);
  EXPECT_EQ(model.Samples(), std::vector<uint16_t>(32, 0));
  EXPECT_EQ(model.Amplitudes(), std::vector<uint8_t>(32, 127));
  // The player still holds its own default tones.
  EXPECT_EQ(model.GetPlayer().GetWaveText(), kDefaultToneWaveText);
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText(), kDefaultToneHarmonicsText);
  EXPECT_EQ(model.GetPlayer().CurrentTone(), 1);
}

TEST_F(EditorModelTest, UnchangedLengthOrModeHandsNothingOverAndDrawsNothing) {
  model.SetLength(32);
  model.SetMode(WaveEditorModel::kPoly);
  EXPECT_EQ(redraws, 0);
  EXPECT_EQ(model.GetPlayer().GetWaveText(), kDefaultToneWaveText);
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText(), kDefaultToneHarmonicsText);

  model.SetMode(WaveEditorModel::kHold);
  EXPECT_EQ(model.Mode(), WaveEditorModel::kHold);
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(model.GetPlayer().GetWaveText(), std::string(64, '0'));
  // A mode change hands over only the wave.
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText(), kDefaultToneHarmonicsText);
  model.SetMode(WaveEditorModel::kHold);
  EXPECT_EQ(redraws, 1);
}

TEST_F(EditorModelTest, LengthChangesResampleSamplesAndAppendOrCutAmplitudes) {
  std::vector<int> before;
  for (int k = 0; k < 32; ++k) {
    before.push_back(k * 7 - 100);
    model.WriteValue(k, before.back());
  }
  model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  std::vector<uint8_t> amplitudesBefore;
  for (int k = 0; k < 32; ++k) {
    amplitudesBefore.push_back(static_cast<uint8_t>((k * 5) % 127));
    model.WriteValue(k, amplitudesBefore.back());
  }
  model.SetHarmonicsView(WaveEditorModel::kWaveView);
  ASSERT_EQ(SignedSamples(), before);
  ASSERT_EQ(model.Amplitudes(), amplitudesBefore);

  redraws = 0;
  model.SetLength(64);
  EXPECT_EQ(model.GetLength(), 64);
  std::vector<int> doubled;
  for (int value : before) {
    doubled.push_back(value);
    doubled.push_back(value);
  }
  EXPECT_EQ(SignedSamples(), doubled);
  std::vector<uint8_t> grown = amplitudesBefore;
  grown.resize(64, 127);
  EXPECT_EQ(model.Amplitudes(), grown);
  EXPECT_EQ(model.GetPlayer().GetWaveText(), HexText(doubled));
  EXPECT_EQ(redraws, 2);  // the wave, then the harmonics

  model.SetLength(16);
  std::vector<int> even;
  for (size_t i = 0; i < before.size(); i += 2) even.push_back(before[i]);
  EXPECT_EQ(SignedSamples(), even);
  EXPECT_EQ(model.Amplitudes(),
            std::vector<uint8_t>(amplitudesBefore.begin(), amplitudesBefore.begin() + 16));
  EXPECT_EQ(model.GetPlayer().GetWaveText(), HexText(even));
}

TEST_F(EditorModelTest, LengthChangesAcrossTheWholeRange) {
  model.SetLength(2);
  model.WriteValue(0, 10);
  model.WriteValue(1, -20);
  model.SetLength(32);
  std::vector<int> expected(16, 10);
  expected.insert(expected.end(), 16, -20);
  EXPECT_EQ(SignedSamples(), expected);

  for (int k = 0; k < 32; ++k) model.WriteValue(k, k);
  model.SetLength(2);
  EXPECT_EQ(SignedSamples(), (std::vector<int>{0, 16}));
  EXPECT_EQ(model.Amplitudes(), (std::vector<uint8_t>{127, 127}));
  // The harmonics reach the player with every length change.
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText(), "");
}

TEST_F(EditorModelTest, WrittenSamplesReachThePlayerAsWaveText) {
  model.SetLength(4);
  model.WriteValue(0, -1);
  model.WriteValue(2, 127);
  model.WriteValue(3, -128);
  EXPECT_EQ(model.GetPlayer().GetWaveText(), "ff007f80");
  EXPECT_EQ(model.Samples(), (std::vector<uint16_t>{0xff, 0x00, 0x7f, 0x80}));

  redraws = 0;
  model.WriteValue(3, -128);  // unchanged: nothing happens
  model.WriteValue(1, 0);
  EXPECT_EQ(redraws, 0);
  model.WriteValue(1, 1);
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(model.GetPlayer().GetWaveText(), "ff017f80");
}

TEST_F(EditorModelTest, WrittenAmplitudesReachThePlayer) {
  model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  redraws = 0;
  model.WriteValue(0, 127);  // unchanged
  EXPECT_EQ(redraws, 0);
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText(), kDefaultToneHarmonicsText);
  model.WriteValue(1, 64);
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(model.Amplitudes()[1], 64);
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText(), " 127,  64");
  // The samples stay as they were.
  EXPECT_EQ(model.GetPlayer().GetWaveText(), kDefaultToneWaveText);
}

TEST_F(EditorModelTest, HarmonicsViewSelectsTheHarmonicsTone) {
  model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  EXPECT_TRUE(model.IsHarmonicsView());
  EXPECT_EQ(model.GetPlayer().CurrentTone(), 2);
  EXPECT_EQ(redraws, 1);
  // A view change hands nothing over.
  EXPECT_EQ(model.GetPlayer().GetWaveText(), kDefaultToneWaveText);
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText(), kDefaultToneHarmonicsText);

  model.SetHarmonicsView(WaveEditorModel::kWaveView);
  EXPECT_EQ(model.GetPlayer().CurrentTone(), 1);
  model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  model.SetHarmonicsView(7);  // selects no tone
  EXPECT_EQ(model.GetPlayer().CurrentTone(), 2);
  EXPECT_FALSE(model.IsHarmonicsView());
  EXPECT_EQ(redraws, 4);
}

TEST_F(EditorModelTest, NoteGoesToThePlayer) {
  model.SetNote(45);
  EXPECT_EQ(model.GetPlayer().Note(), 45);
  EXPECT_EQ(redraws, 0);
}

// The first block a player renders with its default tones, computed directly from a tone of a
// second, idle player.
std::vector<int16_t> DefaultToneBlock(int32_t toneNumber, int32_t note, size_t count) {
  Player reference;
  reference.BuildDefaultTones();
  Tone* tone = reference.Tones().GetTone(toneNumber);
  tone->SetSampleRate(Player::kSampleRate);
  tone->SetNote(note, 0);
  std::vector<int16_t> samples;
  for (size_t i = 0; i < count; ++i) {
    samples.push_back(static_cast<int16_t>(tone->Render(static_cast<int32_t>(i), 0)));
  }
  return samples;
}

TEST(EditorModelPlayTest, HarmonicsViewPlaysTheHarmonicsTone) {
  FakeAudioDevice device;
  FakeUiServices services;
  WaveEditorModel model(&device, &services);
  model.SetNote(45);
  model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  model.Play();
  ASSERT_TRUE(device.WaitForPending(1, 10000));
  model.Stop();
  // The stream winds down only once the device has given every block back.
  for (int i = 0; i < 10000 && model.GetPlayer().IsPlaying(); ++i) {
    device.ReturnAll();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_FALSE(model.GetPlayer().IsPlaying());

  const std::vector<uint8_t> bytes = device.QueuedBytes();
  const size_t count = Player::kBlockBytes / 2;
  ASSERT_GE(bytes.size(), Player::kBlockBytes);
  std::vector<int16_t> played;
  for (size_t i = 0; i < count; ++i) {
    played.push_back(static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)));
  }
  const std::vector<int16_t> harmonics = DefaultToneBlock(2, 45, count);
  EXPECT_EQ(played, harmonics);
  EXPECT_NE(played, DefaultToneBlock(1, 45, count));
}

TEST(EditorModelLifetimeTest, DestroyingWhilePlayingEndsTheRenderThread) {
  FakeUiServices services;
  auto model = std::make_unique<WaveEditorModel>(nullptr, &services);
  model->SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  model->Play();
  EXPECT_TRUE(model->GetPlayer().IsPlaying());
  model.reset();  // must neither hang nor touch freed tones (checked under the sanitizers)
}

TEST(PaneGeometryTest, GeometryOfBothViews) {
  const PaneGeometry wave(420, 300, 64, false);
  EXPECT_EQ(wave.column, 6);
  EXPECT_EQ(wave.unit, 1);
  EXPECT_EQ(wave.base, 150);
  const PaneGeometry bars(420, 300, 64, true);
  EXPECT_EQ(bars.column, 6);
  EXPECT_EQ(bars.unit, 2);
  EXPECT_EQ(bars.base, 284);
  const PaneGeometry tall(420, 600, 2, false);
  EXPECT_EQ(tall.column, 210);
  EXPECT_EQ(tall.unit, 2);
  EXPECT_EQ(tall.base, 300);
}

TEST(PaneGeometryTest, SmallPanesKeepOnePixelPerColumnAndStep) {
  const PaneGeometry wave(40, 100, 64, false);
  EXPECT_EQ(wave.column, 1);
  EXPECT_EQ(wave.unit, 1);
  EXPECT_EQ(wave.base, 50);
  EXPECT_EQ(wave.ColumnFromX(39), 39);
  EXPECT_EQ(wave.ValueFromY(10), 40);
  const PaneGeometry bars(0, 0, 64, true);
  EXPECT_EQ(bars.column, 1);
  EXPECT_EQ(bars.unit, 1);
  EXPECT_EQ(bars.base, 157);
  EXPECT_EQ(bars.ValueFromY(100), 70);
}

TEST(PaneGeometryTest, PointerMappings) {
  const PaneGeometry wave(420, 300, 64, false);
  EXPECT_EQ(wave.ColumnFromX(0), 0);
  EXPECT_EQ(wave.ColumnFromX(5), 0);
  EXPECT_EQ(wave.ColumnFromX(6), 1);
  EXPECT_EQ(wave.ColumnFromX(-5), 0);  // truncation toward zero
  EXPECT_EQ(wave.ColumnFromX(-6), -1);
  EXPECT_EQ(wave.ColumnFromX(419), 69);  // the strip right of the last column
  EXPECT_EQ(wave.ValueFromY(150), 0);
  EXPECT_EQ(wave.ValueFromY(23), 127);
  EXPECT_EQ(wave.ValueFromY(22), 127);
  EXPECT_EQ(wave.ValueFromY(-40), 127);
  EXPECT_EQ(wave.ValueFromY(278), -128);
  EXPECT_EQ(wave.ValueFromY(500), -128);
  EXPECT_EQ(wave.ValueFromY(151), -1);

  const PaneGeometry bars(420, 300, 64, true);
  EXPECT_EQ(bars.ValueFromY(30), 0);
  EXPECT_EQ(bars.ValueFromY(-100), 0);
  EXPECT_EQ(bars.ValueFromY(100), 35);
  EXPECT_EQ(bars.ValueFromY(101), 35);
  EXPECT_EQ(bars.ValueFromY(284), 127);
  EXPECT_EQ(bars.ValueFromY(400), 127);
  // Above y = 30 truncation gives 0 for (y - 30) / u from -1 up, and the clamp does the rest.
  EXPECT_EQ(bars.ValueFromY(29), 0);
}

}  // namespace

}  // namespace model_tests

// Copy and paste of the editing pane through a test clipboard: the checks and messages of the
// wave paste, the lenient harmonics paste with its length rule, and what each hands over.
namespace paste_tests {

namespace {

const std::string kLengthMessage = "クリップボードの文字列の長さが異常です。";
const std::string kCharacterMessage = "数値以外の文字が含まれています。";

class EditorPasteTest : public ::testing::Test {
 protected:
  EditorPasteTest() {
    model.SetRedrawHandler([this] { ++redraws; });
  }

  // Everything a paste may change, including what the player holds.
  struct Snapshot {
    std::vector<uint16_t> samples;
    std::vector<uint8_t> amplitudes;
    int32_t length;
    std::string waveText;
    std::string harmonicsText;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() {
    return {model.Samples(), model.Amplitudes(), model.GetLength(), model.GetPlayer().GetWaveText(),
            model.GetPlayer().GetHarmonicsText()};
  }

  // A state with distinct samples and amplitudes, all handed over, in the given view.
  void Prepare(int32_t view) {
    model.SetMode(WaveEditorModel::kHold);
    for (int k = 0; k < 32; ++k) model.WriteValue(k, 3 * k - 40);
    model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
    for (int k = 0; k < 32; ++k) model.WriteValue(k, (11 * k) % 120);
    model.SetHarmonicsView(view);
    redraws = 0;
  }

  void Paste(std::optional<std::string> text) {
    services.clipboard = std::move(text);
    model.PasteFromClipboard();
  }

  FakeUiServices services;
  WaveEditorModel model{nullptr, &services};
  int redraws = 0;
};

TEST_F(EditorPasteTest, WaveTextsOfWrongLengthOrWithOtherCharactersAreRefused) {
  Prepare(WaveEditorModel::kWaveView);
  const Snapshot before = Take();
  model.CopyToClipboard();
  const std::string wave = services.clipboard.value_or("");
  ASSERT_EQ(wave.size(), 64u);
  struct Case {
    std::optional<std::string> text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {wave + "\r\n", kLengthMessage},                 // 66 characters: 33 samples
      {"0x" + wave.substr(0, 62), kCharacterMessage},  // 64 characters, one of them "x"
      {"abc", kLengthMessage},
      {"ab", kLengthMessage},
      {std::string(130, '1'), kLengthMessage},
      {std::string(12, '1'), kLengthMessage},  // 6 samples
      {"", kLengthMessage},
      {std::nullopt, kLengthMessage},
      {"zzz", kLengthMessage},  // the length is checked before the characters
      {"12 4", kCharacterMessage},
      {"-1ff", kCharacterMessage},
      {"ＦＦ00", kCharacterMessage},  // 8 bytes of UTF-8: a valid length
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.value_or("<no text>"));
    services.messages.clear();
    Paste(c.text);
    EXPECT_EQ(services.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(redraws, 0);
    EXPECT_FALSE(services.isOpen);
  }
}

TEST_F(EditorPasteTest, ClipboardThatCannotBeOpenedChangesNothing) {
  Prepare(WaveEditorModel::kWaveView);
  const Snapshot before = Take();
  services.canOpen = false;
  services.clipboard = "ff00";
  model.PasteFromClipboard();
  model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  redraws = 0;
  model.PasteFromClipboard();
  EXPECT_TRUE(services.messages.empty());
  EXPECT_EQ(Take(), before);
  EXPECT_EQ(redraws, 0);

  model.CopyToClipboard();
  model.SetHarmonicsView(WaveEditorModel::kWaveView);
  model.CopyToClipboard();
  EXPECT_EQ(services.clipboard, "ff00");
}

TEST_F(EditorPasteTest, UpperCaseDigitsSetTheLength) {
  Prepare(WaveEditorModel::kWaveView);
  const std::vector<uint8_t> amplitudesBefore = model.Amplitudes();
  Paste("FF00");
  EXPECT_TRUE(services.messages.empty());
  EXPECT_EQ(model.GetLength(), 2);
  EXPECT_EQ(model.Samples(), (std::vector<uint16_t>{0xff, 0x00}));
  EXPECT_EQ(static_cast<int8_t>(model.Samples()[0] & 0xff), -1);
  EXPECT_EQ(model.Amplitudes(),
            std::vector<uint8_t>(amplitudesBefore.begin(), amplitudesBefore.begin() + 2));
  EXPECT_EQ(model.GetPlayer().GetWaveText(), "ff00");
  // The first two amplitudes were 0 and 11.
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText(), "   0,  11");
  EXPECT_EQ(redraws, 2);
  EXPECT_FALSE(services.isOpen);
}

TEST_F(EditorPasteTest, WaveOfTheCurrentLengthReplacesTheSamplesAndHandsBothOver) {
  Prepare(WaveEditorModel::kWaveView);
  const std::vector<uint8_t> amplitudesBefore = model.Amplitudes();
  std::string text;
  std::vector<uint16_t> expected;
  for (int k = 0; k < 32; ++k) {
    const int code = (k * 37 + 5) & 0xff;
    const char hex[] = "0123456789ABCDEF";
    text += hex[code >> 4];
    text += hex[code & 15];
    expected.push_back(static_cast<uint16_t>(code));
  }
  Paste(text);
  EXPECT_TRUE(services.messages.empty());
  EXPECT_EQ(model.GetLength(), 32);
  EXPECT_EQ(model.Samples(), expected);
  EXPECT_EQ(model.Amplitudes(), amplitudesBefore);
  std::string lower = text;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  EXPECT_EQ(model.GetPlayer().GetWaveText(), lower);
  EXPECT_EQ(redraws, 2);
}

TEST_F(EditorPasteTest, ShorterAndLongerWavesCutOrExtendTheAmplitudes) {
  Prepare(WaveEditorModel::kWaveView);
  const std::vector<uint8_t> amplitudesBefore = model.Amplitudes();
  std::string text16;
  for (int k = 0; k < 16; ++k) text16 += k % 2 ? "80" : "7f";
  Paste(text16);
  EXPECT_EQ(model.GetLength(), 16);
  std::vector<uint16_t> expected16;
  for (int k = 0; k < 16; ++k) expected16.push_back(k % 2 ? 0x80 : 0x7f);
  EXPECT_EQ(model.Samples(), expected16);
  EXPECT_EQ(model.Amplitudes(),
            std::vector<uint8_t>(amplitudesBefore.begin(), amplitudesBefore.begin() + 16));

  Paste(std::string(128, 'e'));  // the longest accepted text
  EXPECT_EQ(model.GetLength(), 64);
  EXPECT_EQ(model.Samples(), std::vector<uint16_t>(64, 0xee));
  std::vector<uint8_t> grown(amplitudesBefore.begin(), amplitudesBefore.begin() + 16);
  grown.resize(64, 127);
  EXPECT_EQ(model.Amplitudes(), grown);
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(EditorPasteTest, HarmonicsTextFillsWithSilenceAndKeepsTheLength) {
  Prepare(WaveEditorModel::kHarmonicsView);
  const std::vector<uint16_t> samplesBefore = model.Samples();
  Paste("0,64");
  std::vector<uint8_t> expected(32, 127);
  expected[0] = 0;
  expected[1] = 64;
  EXPECT_EQ(model.Amplitudes(), expected);
  EXPECT_EQ(model.GetLength(), 32);
  EXPECT_EQ(model.Samples(), samplesBefore);
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText(), "   0,  64");
  EXPECT_EQ(redraws, 2);  // both hand-overs
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(EditorPasteTest, MoreHarmonicsThanTheLengthGrowItAndResampleTheWave) {
  Prepare(WaveEditorModel::kHarmonicsView);
  const std::vector<uint16_t> samplesBefore = model.Samples();
  std::string text;
  for (int i = 0; i < 40; ++i) text += (i ? "," : "") + std::to_string(i);
  Paste(text);
  EXPECT_EQ(model.GetLength(), 64);
  std::vector<uint8_t> expected;
  for (int i = 0; i < 40; ++i) expected.push_back(static_cast<uint8_t>(i));
  expected.resize(64, 127);
  EXPECT_EQ(model.Amplitudes(), expected);
  std::vector<uint16_t> doubled;
  for (uint16_t sample : samplesBefore) doubled.insert(doubled.end(), 2, sample);
  EXPECT_EQ(model.Samples(), doubled);
  EXPECT_EQ(model.GetPlayer().GetWaveText().size(), 128u);

  // Fewer values than the length: the length stays, the rest falls silent.
  Paste("1,2,3");
  EXPECT_EQ(model.GetLength(), 64);
  expected.assign(64, 127);
  expected[0] = 1;
  expected[1] = 2;
  expected[2] = 3;
  EXPECT_EQ(model.Amplitudes(), expected);
  EXPECT_EQ(model.Samples(), doubled);

  // More than 64 values: the rest is dropped.
  text.clear();
  for (int i = 0; i < 70; ++i) text += std::to_string(i % 100) + ",";
  Paste(text);
  EXPECT_EQ(model.GetLength(), 64);
  EXPECT_EQ(model.Amplitudes()[63], 63);
  EXPECT_EQ(model.Amplitudes().size(), 64u);
}

TEST_F(EditorPasteTest, HarmonicsLengthGrowsToTheSmallestThatHoldsTheValues) {
  model.SetLength(2);
  model.WriteValue(0, 5);
  model.WriteValue(1, -5);
  model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  Paste("1,2,3");
  EXPECT_EQ(model.GetLength(), 4);
  EXPECT_EQ(model.Amplitudes(), (std::vector<uint8_t>{1, 2, 3, 127}));
  EXPECT_EQ(model.GetPlayer().GetWaveText(), "0505fbfb");
  Paste("1,2,3,4,5");
  EXPECT_EQ(model.GetLength(), 8);
  Paste("9");
  EXPECT_EQ(model.GetLength(), 8);  // never shrinks
  EXPECT_EQ(model.Amplitudes(), (std::vector<uint8_t>{9, 127, 127, 127, 127, 127, 127, 127}));
  std::string seventeen = "1";
  for (int i = 1; i < 17; ++i) seventeen += ",1";
  Paste(seventeen);
  EXPECT_EQ(model.GetLength(), 32);
  EXPECT_EQ(model.Samples().size(), 32u);
}

TEST_F(EditorPasteTest, HarmonicsValuesAreReadLenientlyAndKeepTheirLowByte) {
  Prepare(WaveEditorModel::kHarmonicsView);
  Paste(",1,2");
  EXPECT_EQ(model.Amplitudes(), std::vector<uint8_t>(32, 127));
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText(), "");
  Paste("-1");
  EXPECT_EQ(model.Amplitudes()[0], 255);
  EXPECT_EQ(model.Amplitudes()[1], 127);
  Paste("300");
  EXPECT_EQ(model.Amplitudes()[0], 44);
  Paste("");
  EXPECT_EQ(model.Amplitudes(), std::vector<uint8_t>(32, 127));
  Paste(std::nullopt);
  EXPECT_EQ(model.Amplitudes(), std::vector<uint8_t>(32, 127));
  Paste("5 apples, 7");
  EXPECT_EQ(model.Amplitudes()[0], 5);
  EXPECT_EQ(model.Amplitudes()[1], 7);
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(EditorPasteTest, CopyPlacesThePlayersTexts) {
  services.clipboard = "old";
  model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  // Before the first hand-over the player still holds its default harmonics tone.
  model.CopyToClipboard();
  EXPECT_EQ(services.clipboard, "   0");

  model.SetLength(16);  // hands over 16 amplitudes of 127
  model.CopyToClipboard();
  EXPECT_EQ(services.clipboard, "");
  EXPECT_FALSE(services.isOpen);

  model.SetHarmonicsView(WaveEditorModel::kWaveView);
  model.WriteValue(15, -2);
  model.CopyToClipboard();
  EXPECT_EQ(services.clipboard, std::string(30, '0') + "fe");
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(EditorPasteTest, CopiedTextsPasteBackToTheSameData) {
  Prepare(WaveEditorModel::kHarmonicsView);
  for (int k = 20; k < 32; ++k) model.WriteValue(k, 127);  // trailing silence is left out
  model.WriteValue(3, 127);                                // silence inside is written
  const Snapshot copied = Take();
  model.CopyToClipboard();
  const std::string harmonicsText = *services.clipboard;
  EXPECT_EQ(harmonicsText.size(), 20u * 5 - 1);

  for (int k = 0; k < 32; ++k) model.WriteValue(k, 100);
  Paste(harmonicsText);
  EXPECT_EQ(model.Amplitudes(), copied.amplitudes);

  model.SetHarmonicsView(WaveEditorModel::kWaveView);
  model.CopyToClipboard();
  const std::string waveText = *services.clipboard;
  for (int k = 0; k < 32; ++k) model.WriteValue(k, 0);
  Paste(waveText);
  EXPECT_EQ(Take(), copied);
  EXPECT_TRUE(services.messages.empty());
}

}  // namespace

}  // namespace paste_tests
