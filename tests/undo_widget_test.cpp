// Undo and redo through the dialog: every kind of action is one step that undo takes back and
// redo puts back exactly, the lists follow, a view switch is no step, and an undo while playing
// is heard at once.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "app/editor_commands.h"
#include "app/file_commands.h"
#include "app/icon_resources.h"
#include "app/interchange_commands.h"
#include "editor/edit_history.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/synth_reference.h"

namespace {

class UndoTest : public ::testing::Test {
 protected:
  void Click(int id) { Control(dialog, id)->click(); }
  QComboBox* LengthList() { return ::LengthList(dialog); }
  // A left-button stroke across the pane from `from` to `to` in pane pixels.
  void Stroke(QPoint from, QPoint to) {
    WaveEditor& pane = dialog.Pane();
    QTest::mousePress(&pane, Qt::LeftButton, {}, from);
    QTest::mouseMove(&pane, (from + to) / 2);
    QTest::mouseMove(&pane, to);
    QTest::mouseRelease(&pane, Qt::LeftButton, {}, to);
  }
  QAction* Command(EditorCommands::Id id) { return dialog.Commands().Action(id); }

  ButtonIcons icons = ButtonIcons::Load();
  FakeUiServices services;
  CaptureAudioDevice device;
  MainDialog dialog{icons, &device, &services};
};

TEST_F(UndoTest, EveryActionIsOneStepThatUndoAndRedoRoundTrip) {
  dialog.show();
  WaveEditorModel& model = dialog.Pane().Model();
  const std::vector<std::pair<const char*, std::function<void()>>> actions = {
      {"stroke",
       [&] {
         Stroke({5, 20}, {200, 240});
       }},
      {"paste",
       [&] {
         services.clipboard = "00ff7f80";
         Click(MainDialog::kIdPaste);
       }},
      {"length",
       [&] {
         LengthList()->setCurrentIndex(5);
         LengthList()->activated(5);
       }},
      {"mode", [&] { Click(MainDialog::kIdPoly); }},
      {"key",
       [&] {
         dialog.Pane().setFocus();
         QTest::keyClick(&dialog.Pane(), Qt::Key_Up, Qt::ShiftModifier);
       }},
      {"harmonics stroke",
       [&] {
         Click(MainDialog::kIdHarmonics);
         Stroke({3, 60}, {150, 100});
       }},
  };
  for (const auto& [name, act] : actions) {
    SCOPED_TRACE(name);
    const WaveState before = model.State();
    act();
    const WaveState after = model.State();
    ASSERT_TRUE(EditHistory::DataDiffers(before, after));
    ASSERT_TRUE(Command(EditorCommands::Id::kUndo)->isEnabled());

    Command(EditorCommands::Id::kUndo)->trigger();
    EXPECT_FALSE(EditHistory::DataDiffers(model.State(), before));
    EXPECT_EQ(LengthList()->currentText().toInt(), before.length);
    EXPECT_EQ(dialog.Pane().Model().GetPlayer().GetWaveText().size(), 2u * before.length);

    Command(EditorCommands::Id::kRedo)->trigger();
    EXPECT_FALSE(EditHistory::DataDiffers(model.State(), after));
    EXPECT_EQ(LengthList()->currentText().toInt(), after.length);
    EXPECT_FALSE(Command(EditorCommands::Id::kRedo)->isEnabled());
  }
  // Six steps back lead to the start-up data, and nothing is left to undo.
  for (int i = 0; i < 6; ++i) Command(EditorCommands::Id::kUndo)->trigger();
  EXPECT_EQ(model.Samples(), std::vector<uint16_t>(32, 0));
  EXPECT_EQ(model.Amplitudes(), std::vector<uint8_t>(32, 127));
  EXPECT_FALSE(Command(EditorCommands::Id::kUndo)->isEnabled());
}

TEST_F(UndoTest, TargetHeightAndOpenAreOneStepWithTheirTargetAndHeight) {
  QSettings().remove(QStringLiteral("target"));
  dialog.show();
  services.clipboard = "00112233445566778899aabbccddeeff";
  Click(MainDialog::kIdPaste);
  // A Furnace wave of 16 samples at height 32, written by hand: levels 0, 2, 4, ... 30.
  QTemporaryDir folder;
  const QString fuw = folder.filePath(QStringLiteral("high32.fuw"));
  {
    QFile file(fuw);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    std::string bytes = "-Furnace waveta-";
    const auto put = [&bytes](uint32_t value) {
      for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
    };
    put(143);
    bytes += "WAVE";
    put(1 + 12 + 4 * 16);
    bytes += '\0';
    for (uint32_t value : {16u, 0u, 31u}) put(value);
    for (uint32_t i = 0; i < 16; ++i) put(2 * i);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  WaveEditorModel& model = dialog.Pane().Model();
  InterchangeCommands& interchange = dialog.Commands().Interchange();
  struct Look {
    std::vector<uint16_t> samples;
    int32_t length;
    ChipTarget target;
    int32_t height;
    bool operator==(const Look&) const = default;
  };
  const auto look = [&] {
    return Look{model.Samples(), model.GetLength(), model.GetChipTarget(), model.WaveHeight()};
  };
  const struct {
    const char* name;
    std::function<void()> act;
    int32_t length;
    ChipTarget target;
    int32_t height;
  } cases[] = {
      {"Height 16", [&] { interchange.HeightAction(16)->trigger(); }, 16, ChipTarget::kNone, 16},
      {"Open", [&] { dialog.Commands().Files().OpenFile(fuw); }, 16, ChipTarget::kNone, 32},
      {"Target Game Boy", [&] { interchange.TargetAction(ChipTarget::kGameBoy)->trigger(); }, 32,
       ChipTarget::kGameBoy, 16},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.name);
    const Look before = look();
    each.act();
    const Look after = look();
    EXPECT_EQ(after.length, each.length);
    EXPECT_EQ(after.target, each.target);
    EXPECT_EQ(after.height, each.height);
    ASSERT_NE(after.samples, before.samples);
    // Every sample sits on one of the height's levels.
    for (const uint16_t code : after.samples) {
      const int32_t v = static_cast<int8_t>(code & 0xff);
      EXPECT_EQ(SnapToHeight(v, each.height), v);
    }

    Command(EditorCommands::Id::kUndo)->trigger();  // Ctrl+Z
    EXPECT_EQ(look(), before);
    EXPECT_EQ(LengthList()->currentText().toInt(), before.length);
    EXPECT_EQ(interchange.TargetAction(before.target)->isChecked(), true);
    Command(EditorCommands::Id::kRedo)->trigger();
    EXPECT_EQ(look(), after);
  }
  QSettings().remove(QStringLiteral("target"));
}

TEST_F(UndoTest, AViewSwitchIsNoStepAndANewActionDropsTheRedoBranch) {
  Click(MainDialog::kIdHarmonics);
  Click(MainDialog::kIdHold);  // back to the wave view, the mode unchanged
  EXPECT_FALSE(dialog.Session().History().canUndo());

  services.clipboard = "00ff";
  Click(MainDialog::kIdPaste);
  services.clipboard = "7f80";
  Click(MainDialog::kIdPaste);
  dialog.Session().Undo();
  ASSERT_TRUE(dialog.Session().History().canRedo());
  Click(MainDialog::kIdPoly);
  EXPECT_FALSE(dialog.Session().History().canRedo());
  dialog.Session().Undo();
  dialog.Session().Undo();
  EXPECT_EQ(dialog.Pane().Model().Samples(), std::vector<uint16_t>(32, 0));
}

TEST_F(UndoTest, AnUndoWhilePlayingIsHeardAtOnce) {
  constexpr uint64_t kBlockBytes = 5000;
  services.clipboard = "7f7f7f7f80808080";
  Click(MainDialog::kIdPaste);
  const std::vector<uint8_t> restored = {0x7f, 0x7f, 0x7f, 0x7f, 0x80, 0x80, 0x80, 0x80};
  services.clipboard = "00102030405060708090a0b0c0d0e0f0";
  Click(MainDialog::kIdPaste);

  Click(MainDialog::kIdPlay);
  ASSERT_TRUE(device.WaitForBytes(4 * kBlockBytes, 30000));
  dialog.Session().Undo();
  // The render thread runs at most ten blocks ahead of the device: a block that starts twelve
  // blocks after the undo was rendered from the restored wave.
  const uint64_t from = (device.TotalBytes() / kBlockBytes + 12) * kBlockBytes;
  ASSERT_TRUE(device.WaitForBytes(from + kBlockBytes, 30000));
  Click(MainDialog::kIdStop);
  const std::vector<int16_t> played = reference::Samples(device.Captured());
  ASSERT_GE(played.size(), (from + kBlockBytes) / 2);

  const reference::Table table = reference::WaveTable(restored, 1);
  const reference::Clock o4a(4400);
  size_t mismatches = 0;
  for (uint64_t i = from / 2; i < (from + kBlockBytes) / 2; ++i) {
    mismatches += played[i] != reference::Saturate(table[o4a.Phase(static_cast<int64_t>(i))]);
  }
  EXPECT_EQ(mismatches, 0u);
}

// Every bank change is one step in the same history as the pane's edits: after each the bank is as
// the table says, undo walks back through every earlier bank, redo forward again, and the chosen
// wave is what the player holds.
TEST_F(UndoTest, EveryBankChangeIsOneStepInTheSameHistory) {
  EditSession& session = dialog.Session();
  const auto paste = [&](const char* text) {
    services.clipboard = text;
    Click(MainDialog::kIdPaste);
  };
  // What the bank holds: each wave's first sample code, and the current wave.
  const auto firsts = [&] {
    std::vector<int> codes;
    for (const WaveState& wave : session.Waves()) codes.push_back(wave.samples[0] & 0xff);
    return codes;
  };
  struct Case {
    const char* name;
    std::function<void()> act;
    std::vector<int> firsts;
    int32_t current;
  };
  const std::vector<Case> cases = {
      {"paste", [&] { paste("1000"); }, {0x10}, 0},
      {"add", [&] { session.AddWave(); }, {0x10, 0x10}, 1},
      {"paste into the copy", [&] { paste("2000"); }, {0x10, 0x20}, 1},
      {"add again", [&] { session.AddWave(); }, {0x10, 0x20, 0x20}, 2},
      {"paste", [&] { paste("3000"); }, {0x10, 0x20, 0x30}, 2},
      {"choose", [&] { session.ChooseWave(0); }, {0x10, 0x20, 0x30}, 0},
      {"move right", [&] { session.MoveWave(1); }, {0x20, 0x10, 0x30}, 1},
      {"move left twice", [&] { session.MoveWave(-2); }, {0x10, 0x20, 0x30}, 0},
      {"delete", [&] { session.DeleteWave(); }, {0x20, 0x30}, 0},
      {"clear", [&] { session.ClearBank(); }, {0x20}, 0},
  };
  std::vector<std::pair<std::vector<int>, int32_t>> banks = {{firsts(), session.CurrentWave()}};
  for (const Case& step : cases) {
    SCOPED_TRACE(step.name);
    const int before = session.History().count();
    step.act();
    EXPECT_EQ(session.History().count(), before + 1);
    EXPECT_EQ(firsts(), step.firsts);
    EXPECT_EQ(session.CurrentWave(), step.current);
    banks.push_back({firsts(), session.CurrentWave()});
  }
  // Choosing the wave already current, and moving past the end, change nothing and record nothing.
  const int count = session.History().count();
  session.ChooseWave(0);
  session.MoveWave(-1);
  session.DeleteWave();
  EXPECT_EQ(session.History().count(), count);

  for (size_t i = banks.size() - 1; i > 0; --i) {
    session.Undo();
    SCOPED_TRACE(i);
    EXPECT_EQ(firsts(), banks[i - 1].first);
    EXPECT_EQ(session.CurrentWave(), banks[i - 1].second);
    // The player holds the current wave, the chosen one after an undo of "choose".
    const std::string played = dialog.Pane().Model().GetPlayer().GetWaveText();
    EXPECT_EQ(std::stoi(played.substr(0, 2), nullptr, 16),
              banks[i - 1].first[static_cast<size_t>(banks[i - 1].second)]);
  }
  for (size_t i = 1; i < banks.size(); ++i) {
    session.Redo();
    EXPECT_EQ(firsts(), banks[i].first);
    EXPECT_EQ(session.CurrentWave(), banks[i].second);
  }
}

}  // namespace
