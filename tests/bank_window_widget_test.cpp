// The bank window: waves made, chosen, moved and cleared there are the session's bank, one step
// each; its drawings carry their numbers and accessible names; Copy and Paste Bank move the bank
// through the clipboard; a bank saved, closed and opened again is the same bank, and undo walks
// back every step.
#include "app/bank_window.h"
#include "app/morph_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/editor_commands.h"
#include "app/file_commands.h"
#include "app/icon_resources.h"
#include "app/main_dialog.h"
#include "editor/edit_session.h"
#include "formats/hex_wave_text.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/synth_reference.h"

namespace {

class BankWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { QSettings().clear(); }
  BankWindow& OpenWindow(MainDialog& on) {
    // The command is the one on Ctrl+B.
    for (QAction* action : on.actions()) {
      if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_B)) action->trigger();
    }
    return *on.findChild<BankWindow*>();
  }
  void Paste(MainDialog& on, const char* hex) {
    services.clipboard = hex;
    Control<QPushButton>(on, MainDialog::kIdPaste)->click();
  }
  // The dialog shown, its bank window open on three waves made there.
  BankWindow& MakeThreeWaves() {
    dialog.show();
    BankWindow& window = OpenWindow(dialog);
    Paste(dialog, "1000");
    window.Button("addWave")->click();
    Paste(dialog, "20003000");
    window.Button("addWave")->click();
    Paste(dialog, "7f80");
    return window;
  }
  // Each wave's first sample code.
  static std::vector<int> Firsts(EditSession& session) {
    std::vector<int> codes;
    for (const WaveState& wave : session.Waves()) codes.push_back(wave.samples[0] & 0xff);
    return codes;
  }

  QTemporaryDir folder;
  ButtonIcons icons = ButtonIcons::Load();
  FakeUiServices services;
  CaptureAudioDevice device;
  MainDialog dialog{icons, &device, &services};
};

TEST_F(BankWindowTest, ABankMadeInTheWindowIsTheSessionsAndComesBackWhole) {
  dialog.show();
  EditSession& session = dialog.Session();
  BankWindow& window = OpenWindow(dialog);
  ASSERT_TRUE(window.isVisible());
  // Beside the dialog, and on the screen as far as it fits, however near its edge the dialog is.
  const QRect screen = window.screen()->availableGeometry();
  EXPECT_GE(window.x(), screen.left());
  EXPECT_TRUE(window.geometry().right() <= screen.right() || window.x() == screen.left())
      << window.x() << " " << window.width();
  EXPECT_EQ(window.Strip()->count(), 1);
  EXPECT_FALSE(window.Button("deleteWave")->isEnabled());

  // Three waves: each Add copies the current wave after it, the paste edits the copy.
  Paste(dialog, "1000");
  window.Button("addWave")->click();
  Paste(dialog, "20003000");
  window.Button("addWave")->click();
  Paste(dialog, "7f80");
  EXPECT_EQ(Firsts(session), (std::vector<int>{0x10, 0x20, 0x7f}));
  ASSERT_EQ(window.Strip()->count(), 3);
  EXPECT_EQ(window.Strip()->currentRow(), 2);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(window.Strip()->item(i)->text(), QString::number(i + 1));
    EXPECT_EQ(window.Strip()->item(i)->data(Qt::AccessibleTextRole).toString(),
              QStringLiteral("wave %1 of 3").arg(i + 1));
  }

  // The arrow keys choose, and the player has the chosen wave at once; the buttons move it.
  QTest::keyClick(window.Strip(), Qt::Key_Left);
  EXPECT_EQ(session.CurrentWave(), 1);
  EXPECT_EQ(dialog.Pane().Model().GetPlayer().GetWaveText().substr(0, 8), "20003000");
  window.Button("moveLeft")->click();
  EXPECT_EQ(Firsts(session), (std::vector<int>{0x20, 0x10, 0x7f}));
  EXPECT_FALSE(window.Button("moveLeft")->isEnabled());
  window.Button("moveRight")->click();
  const std::vector<WaveState> made = session.Waves();

  // Copy Bank, Clear, Paste Bank: the same waves; a text that is no bank changes nothing.
  window.Button("copyBank")->click();
  const std::string copied = services.clipboard.value_or(std::string());
  EXPECT_EQ(std::count(copied.begin(), copied.end(), '\n'), 3) << copied;
  window.Button("clearBank")->click();
  EXPECT_EQ(window.Strip()->count(), 1);
  window.Button("pasteBank")->click();
  EXPECT_EQ(Firsts(session), (std::vector<int>{0x10, 0x20, 0x7f}));
  services.clipboard = "1000\nno wave here\n";
  window.Button("pasteBank")->click();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("Line 2"), std::string::npos) << services.messages[0];
  EXPECT_EQ(Firsts(session), (std::vector<int>{0x10, 0x20, 0x7f}));

  // Morphed to 8: six waves fill the place between the first and the last, the key waves kept.
  ASSERT_TRUE(session.MorphFill(0, 2, 6, MorphKind::kLinear));
  ASSERT_EQ(window.Strip()->count(), 8);
  // Sample 0 goes from 16 to 127 on the straight line, k / 7 of the way at wave k.
  EXPECT_EQ(Firsts(session), (std::vector<int>{16, 32, 48, 64, 79, 95, 111, 127}));
  EXPECT_FALSE(session.MorphFill(0, 7, 255, MorphKind::kSpectral));

  const QString path = folder.filePath(QStringLiteral("bank.zpwave"));
  ASSERT_TRUE(dialog.Commands().Files().SaveFile(path));
  const std::vector<WaveState> saved = session.Waves();
  const int32_t current = session.CurrentWave();
  {
    MainDialog reopened(icons, nullptr, &services);
    ASSERT_TRUE(reopened.Commands().Files().OpenFile(path));
    EXPECT_EQ(reopened.Session().Waves(), saved);
    EXPECT_EQ(reopened.Session().CurrentWave(), current);
  }

  // Every step walks back, down to the start-up bank of one silent wave.
  int steps = 0;
  while (session.History().canUndo()) {
    session.Undo();
    ++steps;
  }
  EXPECT_EQ(steps, 11);
  EXPECT_EQ(session.WaveCount(), 1);
  EXPECT_EQ(Firsts(session), std::vector<int>{0});
  EXPECT_EQ(window.Strip()->count(), 1);
}

// A wave dragged to another place moves there as one step (pressed on a wave that was not the
// current one too) and becomes the current wave; the strip shows the session's new order, and
// Ctrl+Z gives back the order before. The drag is simulated as Qt delivers it to the strip: the
// mouse pressed on the wave, then drag enter, move and drop events on its viewport carrying the
// strip's own drag data for the pressed row.
TEST_F(BankWindowTest, AWaveDraggedToAnotherPlaceMovesThereAsOneStep) {
  enum class At { kLeftHalf, kRightHalf, kPastTheEnd };
  struct Case {
    int from;
    int onto;  // the drawing the wave is dropped on
    At at;
    std::vector<int> order;  // each wave's first sample code after the drop
    int current;
  };
  BankWindow& window = MakeThreeWaves();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EditSession& session = dialog.Session();
  QListWidget* strip = window.Strip();
  const std::vector<int> made = Firsts(session);
  ASSERT_EQ(made, (std::vector<int>{0x10, 0x20, 0x7f}));
  for (const Case& c : {
           Case{0, 2, At::kRightHalf, {0x20, 0x7f, 0x10}, 2},
           Case{2, 0, At::kLeftHalf, {0x7f, 0x10, 0x20}, 0},
           Case{1, 0, At::kPastTheEnd, {0x10, 0x7f, 0x20}, 2},
           Case{0, 1, At::kLeftHalf, {0x10, 0x20, 0x7f}, -1},  // its own place: nothing
       }) {
    SCOPED_TRACE(c.from * 10 + c.onto);
    const int before = session.CurrentWave();
    const int steps = session.History().index();
    const QImage dragged = strip->item(c.from)->icon().pixmap(strip->iconSize()).toImage();
    const QRect rect = strip->visualItemRect(strip->item(c.onto));
    const QPoint at =
        c.at == At::kPastTheEnd
            ? QPoint(strip->viewport()->width() - 2, strip->viewport()->height() - 2)
            : rect.center() +
                  QPoint(c.at == At::kLeftHalf ? -rect.width() / 4 : rect.width() / 4, 0);
    QTest::mousePress(strip->viewport(), Qt::LeftButton, {},
                      strip->visualItemRect(strip->item(c.from)).center());
    const std::unique_ptr<QMimeData> data(
        strip->model()->mimeData({strip->model()->index(c.from, 0)}));
    ASSERT_NE(data, nullptr);
    QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(strip->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(strip->viewport(), &move);
    QDropEvent drop(QPointF(at), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(strip->viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    QTest::mouseRelease(strip->viewport(), Qt::LeftButton, {}, at);

    EXPECT_EQ(Firsts(session), c.order);
    const int current = c.current < 0 ? before : c.current;
    EXPECT_EQ(session.CurrentWave(), current);
    EXPECT_EQ(strip->currentRow(), current);
    ASSERT_EQ(strip->count(), 3);
    EXPECT_EQ(strip->item(current)->icon().pixmap(strip->iconSize()).toImage() == dragged,
              c.current >= 0);
    if (c.current < 0) {
      EXPECT_EQ(session.History().index(), steps);
      continue;
    }
    EXPECT_EQ(session.History().index(), steps + 1);
    QTest::keyClick(strip, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Firsts(session), made);
    EXPECT_EQ(session.History().index(), steps);
  }
  // A click without a drag chooses the wave at the release.
  QTest::mouseClick(strip->viewport(), Qt::LeftButton, {},
                    strip->visualItemRect(strip->item(0)).center());
  EXPECT_EQ(session.CurrentWave(), 0);
}

// Play Sequence hands the bank to the player and plays it looping at the remembered rate: the
// device receives exactly what the player renders of that sequence; again, and it stops.
TEST_F(BankWindowTest, PlaySequencePlaysTheBankAtTheChosenRate) {
  QSettings().setValue(QStringLiteral("sequenceRate"), 50);
  BankWindow& window = MakeThreeWaves();
  Player& player = dialog.Pane().Model().GetPlayer();
  // The bank's waves, as the pane hands each to the player.
  std::vector<std::string> texts;
  for (const WaveState& wave : dialog.Session().Waves()) {
    texts.push_back(WriteWaveText(wave.samples));
  }
  ASSERT_TRUE(player.SetSequence(texts, static_cast<uint16_t>(dialog.Pane().Model().Mode())));
  // Three waves at 50 Hz, looped once and a half.
  constexpr int32_t kSamples = 44100 / 50 * 5;
  const std::vector<int16_t> expected =
      player.RenderSequence(player.Note(), SequenceOrder{50, 0, 2, true}, kSamples);
  ASSERT_EQ(expected.size(), static_cast<size_t>(kSamples));

  window.Button("playSequence")->click();
  EXPECT_TRUE(player.IsSequencePlaying());
  EXPECT_EQ(player.SequenceLength(), 3);
  ASSERT_TRUE(device.WaitForBytes(2 * kSamples, 30000));
  window.Button("playSequence")->click();
  EXPECT_FALSE(player.IsSequencePlaying());
  std::vector<int16_t> played = reference::Samples(device.Captured());
  ASSERT_GE(played.size(), expected.size());
  played.resize(expected.size());
  EXPECT_EQ(played, expected);
}

// The Morph dialog: the waves chosen there and accepted are the bank MorphFill gives, as one step;
// key waves out of order cannot be accepted.
TEST_F(BankWindowTest, MorphDialogFillsTheBankAsChosen) {
  struct Case {
    int a, b, steps;
    MorphKind kind;
  };
  BankWindow& window = MakeThreeWaves();
  EditSession& session = dialog.Session();
  const std::vector<WaveState> made = session.Waves();
  for (const Case& c : {Case{1, 3, 5, MorphKind::kSpectral}, Case{2, 3, 1, MorphKind::kLinear}}) {
    ASSERT_TRUE(session.MorphFill(c.a - 1, c.b - 1, c.steps, c.kind));
    const std::vector<WaveState> expected = session.Waves();
    session.Undo();
    ASSERT_EQ(session.Waves(), made);

    window.Button("morph")->click();
    auto* morph = window.findChild<MorphDialog*>();
    ASSERT_NE(morph, nullptr);
    morph->WaveA()->setValue(c.b);
    morph->WaveB()->setValue(c.a);
    EXPECT_FALSE(morph->Buttons()->button(QDialogButtonBox::Ok)->isEnabled());
    morph->WaveA()->setValue(c.a);
    morph->WaveB()->setValue(c.b);
    morph->Steps()->setValue(c.steps);
    morph->Kind()->setCurrentIndex(c.kind == MorphKind::kSpectral ? 1 : 0);
    EXPECT_FALSE(morph->Preview()->pixmap().isNull());
    morph->Buttons()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(session.Waves(), expected);
    EXPECT_EQ(window.Strip()->count(), static_cast<int>(expected.size()));
    session.Undo();
    EXPECT_EQ(session.Waves(), made);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace
