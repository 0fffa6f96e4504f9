// Other tools' wave texts through the pane menu: Paste reads any format and says how, Paste as and
// Copy as give each tool's exact text, the harmonics view keeps its own, and a chip target snaps
// what is drawn and pasted, refuses lengths the chip cannot play and is remembered.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "app/editor_commands.h"
#include "app/icon_resources.h"
#include "app/interchange_commands.h"
#include "tests/support/dialog_fixture.h"

namespace {

// Repeats each of `values` `times` times, separated by single spaces, with `tail` at the end.
std::string Spaced(int count, int divisor, const std::string& tail) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += ' ';
    text += std::to_string(i / divisor);
  }
  return text + tail;
}

class InterchangeTest : public DialogTest {
 protected:
  void SetUp() override { QSettings().remove(QStringLiteral("target")); }
  void TearDown() override { QSettings().remove(QStringLiteral("target")); }

  InterchangeCommands& Interchange() { return dialog->Commands().Interchange(); }
  // Which items of the length list (2, 4, ..., 64) can be chosen: '1' enabled, '0' not.
  std::string ChoosableLengths() {
    std::string choosable;
    for (int i = 0; i < LengthList()->count(); ++i) {
      const QModelIndex item = LengthList()->model()->index(i, 0);
      choosable += (LengthList()->model()->flags(item) & Qt::ItemIsEnabled) ? '1' : '0';
    }
    return choosable;
  }
  // The line above the pane that tells how a paste was read; empty when hidden.
  std::string ReportLine() {
    const auto* line = dialog->findChild<QLabel*>(QStringLiteral("pasteReport"));
    return line != nullptr && !line->isHidden() ? line->toolTip().toStdString() : std::string();
  }
};

TEST_F(InterchangeTest, EachFormatPastesAsAndCopiesAsItsToolWritesIt) {
  struct Case {
    WaveFormatId format;
    std::string text;  // written by hand from the tools' formats
    std::vector<int> first;
    size_t count;
  };
  const std::vector<Case> cases = {
      {WaveFormatId::kHex, "ff007f80", {-1, 0, 127, -128}, 4},
      {WaveFormatId::kFurnace, "128 136 255 0", {0, 8, 127, -128}, 4},
      {WaveFormatId::kFurnaceSigned, "-1 0 127 -128", {-1, 0, 127, -128}, 4},
      {WaveFormatId::kFurnaceHex, "7F 80 FF 00", {-1, 0, 127, -128}, 4},
      {WaveFormatId::kN163, "0 4 8 15 ;", {-128, -60, 8, 127}, 4},
      {WaveFormatId::kGb, "0123456789ABCDEFFEDCBA9876543210", {-128, -111, -94, -77}, 32},
      {WaveFormatId::kFds, Spaced(64, 1, " "), {-128, -124, -120, -116}, 64},
      {WaveFormatId::kWavetracker, Spaced(64, 2, ""), {-128, -128, -120, -120}, 64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WaveFormatOf(c.format).name);
    services.clipboard = c.text;
    Interchange().PasteAsAction(c.format)->trigger();
    ASSERT_EQ(Model().GetLength(), static_cast<int32_t>(c.count));
    const std::vector<int> values = Values(Model());
    EXPECT_EQ(std::vector<int>(values.begin(), values.begin() + 4), c.first);
    EXPECT_EQ(LengthList()->currentText().toUInt(), c.count);

    services.clipboard.reset();
    Interchange().CopyAsAction(c.format)->trigger();
    EXPECT_EQ(services.clipboard.value_or(""), c.text);
  }
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(InterchangeTest, PasteReadsAnyFormatTellsHowAndRefusesWithoutChange) {
  dialog->show();
  QAction* paste = dialog->Commands().Action(EditorCommands::Id::kPaste);
  services.clipboard = "wave = { 0, 128, 255 }";
  paste->trigger();
  EXPECT_EQ(Values(Model()), (std::vector<int>{-128, -128, 0, 127}));
  EXPECT_EQ(ReportLine(),
            "Read as Furnace (decimal) at 256 levels: 3 values, resampled to 4 samples.");

  // A Furnace text holds no height: the smallest that holds its values, or the one named.
  services.clipboard = "0 3 7 12 15 15 12 7";
  paste->trigger();
  EXPECT_EQ(Values(Model()), (std::vector<int>{-128, -77, -9, 76, 127, 127, 76, -9}));
  EXPECT_EQ(ReportLine(), "Read as Furnace (decimal) at 16 levels: 8 samples.");
  Interchange().PasteFurnaceAction(256)->trigger();
  EXPECT_EQ(Values(Model()), (std::vector<int>{-128, -125, -121, -116, -113, -113, -116, -121}));
  EXPECT_EQ(ReportLine(), "Read as Furnace (decimal) at 256 levels: 8 samples.");

  // The editor's own text reads exactly as the Paste button reads it.
  services.clipboard = "00112233445566778899aabbccddeeff";
  paste->trigger();
  EXPECT_EQ(Model().GetLength(), 16);
  EXPECT_EQ(ReportLine(), "Read as This editor (hex): 16 samples.");
  // The line covers neither the pane nor any control, and the next step ends it.
  const auto* line = dialog->findChild<QLabel*>(QStringLiteral("pasteReport"));
  EXPECT_FALSE(line->geometry().intersects(Pane().geometry()));
  for (const QWidget* control : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!control->objectName().startsWith(QStringLiteral("control"))) continue;
    EXPECT_FALSE(line->geometry().intersects(control->geometry()))
        << control->objectName().toStdString();
  }
  Control(MainDialog::kIdPoly)->click();
  EXPECT_EQ(ReportLine(), "");

  const WaveState before = Model().State();
  services.clipboard = "10 20 300 40";
  paste->trigger();
  EXPECT_EQ(Model().State(), before);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("300"), std::string::npos) << services.messages[0];
  EXPECT_NE(services.messages[0].find('3'), std::string::npos);
}

TEST_F(InterchangeTest, TheHarmonicsViewKeepsItsOwnTextAndDisablesWaveFormats) {
  Control(MainDialog::kIdHarmonics)->click();
  dialog->Commands().UpdateStates();
  EXPECT_FALSE(Interchange().PasteAsAction(WaveFormatId::kGb)->isEnabled());
  EXPECT_FALSE(Interchange().CopyAsAction(WaveFormatId::kGb)->toolTip().isEmpty());
  services.clipboard = "0,64";
  dialog->Commands().Action(EditorCommands::Id::kPaste)->trigger();
  EXPECT_EQ(Model().Amplitudes()[0], 0);
  EXPECT_EQ(Model().Amplitudes()[1], 64);
  EXPECT_EQ(Model().Amplitudes()[2], 127);
}

TEST_F(InterchangeTest, AChipTargetSnapsRefusesLengthsAndIsRemembered) {
  services.clipboard = "00112233445566778899aabbccddeeff";
  dialog->Commands().Action(EditorCommands::Id::kPaste)->trigger();
  ASSERT_EQ(Model().GetLength(), 16);

  Interchange().TargetAction(ChipTarget::kGameBoy)->trigger();
  // Game Boy: 32 samples of 4 bits; 0x11 = 17 is level 9, played as 9 × 17 − 128 = 25.
  EXPECT_EQ(Model().GetLength(), 32);
  EXPECT_EQ(LengthList()->currentText(), "32");
  EXPECT_EQ(Values(Model())[2], 25);
  for (int v : Values(Model())) EXPECT_EQ((v + 128) % 17, 0) << v;
  // The list offers only the chip's lengths, and the chip has its own height.
  EXPECT_EQ(ChoosableLengths(), "000010");
  EXPECT_FALSE(Interchange().HeightAction(32)->isEnabled());
  EXPECT_EQ(Interchange().HeightAction(32)->toolTip(),
            "The Game Boy has its own height: 16 levels.");

  // A length the chip cannot play is refused and the list stays.
  LengthList()->setCurrentIndex(3);
  LengthList()->activated(3);
  EXPECT_EQ(Model().GetLength(), 32);
  EXPECT_EQ(LengthList()->currentText(), "32");
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("Game Boy"), std::string::npos);

  // Drawing snaps too, and Copy for the Target writes the chip's own text.
  Model().WriteValue(0, 0);
  EXPECT_EQ(Values(Model())[0], 8);
  Interchange().CopyForTargetAction()->trigger();
  EXPECT_EQ(services.clipboard->size(), 32u);
  EXPECT_EQ(services.clipboard->substr(0, 1), "8");

  // One undo step takes the target's fitting back; the next run starts with the target.
  dialog.reset();
  dialog = std::make_unique<MainDialog>(icons, nullptr, &services);
  EXPECT_TRUE(Interchange().TargetAction(ChipTarget::kGameBoy)->isChecked());
  EXPECT_EQ(Values(Model())[0], 8);  // the start-up zeros, as the Game Boy plays them
  EXPECT_EQ(ChoosableLengths(), "000010");

  Interchange().TargetAction(ChipTarget::kNone)->trigger();
  EXPECT_EQ(ChoosableLengths(), "111111");
  EXPECT_TRUE(Interchange().HeightAction(32)->isEnabled());
  Model().WriteValue(0, 0);
  EXPECT_EQ(Values(Model())[0], 0);

  // The PC Engine's copy is Furnace's text at its height 32, where 0 is level 16.
  Interchange().TargetAction(ChipTarget::kPcEngine)->trigger();
  Interchange().CopyForTargetAction()->trigger();
  EXPECT_EQ(services.clipboard->substr(0, 9), "16 17 17 ");
  EXPECT_EQ(std::count(services.clipboard->begin(), services.clipboard->end(), ' '), 31);
}

}  // namespace
