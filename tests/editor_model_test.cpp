// The editing pane's data: construction defaults, length, mode and view changes, value writes and
// what each of them hands to the player; and the pane's geometry and pointer mappings.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/fake_audio_device.h"

#include "editor/wave_editor_geometry.h"
#include "editor/wave_editor_model.h"
#include "synth/tone.h"
#include "tests/support/fake_ui_services.h"

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
  const size_t count = Player::kBlockSize / 2;
  ASSERT_GE(bytes.size(), Player::kBlockSize);
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
