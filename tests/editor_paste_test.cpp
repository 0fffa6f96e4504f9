// Copy and paste of the editing pane through a test clipboard: the checks and messages of the
// wave paste, the lenient harmonics paste with its length rule, and what each hands over.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "editor/wave_editor_model.h"
#include "tests/support/fake_ui_services.h"

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
