// The bank window: waves made, chosen, moved and cleared there are the session's bank, one step
// each; its drawings carry their numbers and accessible names; Copy and Paste Bank move the bank
// through the clipboard; a bank saved, closed and opened again is the same bank, and undo walks
// back every step; instruments exported from the bank read back as the tracker reads them and
// import as one step.
#include "app/bank_window.h"
#include "app/morph_dialog.h"
#include "app/sequence_controls.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/editor_commands.h"
#include "app/file_commands.h"
#include "app/icon_resources.h"
#include "app/main_dialog.h"
#include "editor/edit_session.h"
#include "fileio/wav_file.h"
#include "files/atomic_file.h"
#include "files/wave_file.h"
#include "formats/hex_wave_text.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/synth_reference.h"
#include "tests/support/test_n163_reader.h"

namespace {

class BankWindowTest : public ::testing::Test {
 protected:
  // The dialog reads the settings when the fixture is made, before SetUp: what one test remembers
  // is gone before the next is made.
  void SetUp() override { QSettings().clear(); }
  void TearDown() override { QSettings().clear(); }
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
  // The waves made by Add and a paste of each hex text in turn.
  BankWindow& MakeWaves(const std::vector<std::string>& hexes) {
    BankWindow& window = MakeThreeWaves();
    window.Button("clearBank")->click();
    for (size_t i = 0; i < hexes.size(); ++i) {
      if (i > 0) window.Button("addWave")->click();
      Paste(dialog, hexes[i].c_str());
    }
    return window;
  }
  // Runs the command `name` of `actions` or of their submenus, its file dialog answering `path`.
  bool Run(const QList<QAction*>& actions, const char* name, const QString& path) {
    dialog.Commands().Files().askPath = [path](const FileCommands::PathQuestion&) { return path; };
    for (QAction* action : actions) {
      if (action->objectName() == QString::fromUtf8(name)) action->trigger();
      if (action->objectName() == QString::fromUtf8(name) ||
          (action->menu() != nullptr && Run(action->menu()->actions(), name, path))) {
        return true;
      }
    }
    return false;
  }
  std::vector<std::string> Hexes() {
    std::vector<std::string> hexes;
    for (const WaveState& wave : dialog.Session().Waves()) {
      hexes.push_back(WriteWaveText(wave.samples));
    }
    return hexes;
  }
  // Runs the events until `done`, for at most 10 s.
  static bool WaitUntil(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 10000) QCoreApplication::processEvents();
    return done();
  }
  // Plays the sequence until `count` samples arrived, stops it and lets it drain: the samples.
  std::vector<int16_t> PlayedSequence(BankWindow& window, size_t count) {
    device.ClearCaptured();
    window.Button("playSequence")->click();
    EXPECT_TRUE(window.Button("playSequence")->isChecked());
    EXPECT_TRUE(device.WaitForBytes(2 * count, 30000));
    window.Button("playSequence")->click();
    EXPECT_TRUE(WaitUntil([&] { return !dialog.Pane().Model().GetPlayer().IsPlaying(); }));
    std::vector<int16_t> played = reference::Samples(device.Captured());
    played.resize(count);
    return played;
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

// Play Sequence plays the bank as the sequence controls choose (rate, waves A to B, once or
// looping): the device receives what the player renders of that order, five ticks of it.
TEST_F(BankWindowTest, PlaySequencePlaysTheChosenOrder) {
  BankWindow& window = MakeThreeWaves();
  SequenceControls& controls = window.Sequence();
  Player& player = dialog.Pane().Model().GetPlayer();
  std::vector<std::string> texts;
  for (const WaveState& wave : dialog.Session().Waves()) {
    texts.push_back(WriteWaveText(wave.samples));
  }
  ASSERT_TRUE(player.SetSequence(texts, 1));
  for (const SequenceOrder& order : {SequenceOrder{50, 0, 2, true}, SequenceOrder{37, 1, 2, false},
                                     SequenceOrder{1000, 0, 1, true}}) {
    SCOPED_TRACE(order.rate);
    controls.Rate()->setValue(order.rate);
    controls.LastWave()->setValue(order.last + 1);
    controls.FirstWave()->setValue(order.first + 1);
    controls.Loop()->setChecked(order.loop);
    const int32_t samples = 5 * Player::kSampleRate / order.rate;
    const std::vector<int16_t> expected = player.RenderSequence(player.Note(), order, samples);
    ASSERT_EQ(expected.size(), static_cast<size_t>(samples));
    EXPECT_EQ(PlayedSequence(window, expected.size()), expected);
    EXPECT_FALSE(window.Button("playSequence")->isChecked());
  }
}

// The editor playing a 3-wave bank and `zpwave render --sequence` (the real program, at 75 Hz,
// twice round: round(6 × 44100 / 75) samples) write the same samples.
TEST_F(BankWindowTest, PlayedSequenceIsWhatZpwaveRenders) {
  BankWindow& window = MakeThreeWaves();
  window.Sequence().Rate()->setValue(75);
  const QString wav = folder.filePath(QStringLiteral("sequence.wav"));
  QProcess zpwave;
  zpwave.start(QStringLiteral(ZPWAVE_PATH),
               QStringLiteral("render --sequence --rate 75 --loop 2 --note %1 --out %2 -")
                   .arg(dialog.Pane().Model().GetPlayer().Note())
                   .arg(wav)
                   .split(QLatin1Char(' ')));
  zpwave.write(QByteArray::fromStdString(dialog.Session().BankText()));
  zpwave.closeWriteChannel();
  ASSERT_TRUE(zpwave.waitForFinished(30000));
  ASSERT_EQ(zpwave.exitCode(), 0) << zpwave.readAllStandardError().toStdString();
  QFile rendered(wav);
  ASSERT_TRUE(rendered.open(QIODevice::ReadOnly));
  std::string played;
  TextMessage error;
  ASSERT_TRUE(EncodeWavPcm16(PlayedSequence(window, 3528), Player::kSampleRate, played, error));
  EXPECT_TRUE(rendered.readAll().toStdString() == played);
}

// The button shows whether the sequence plays, whoever starts or stops it; the range stays inside
// the bank as it shrinks and grows; rate and loop are remembered, and the pane menu's Sequence Rate
// follows the rate.
TEST_F(BankWindowTest, SequenceControlsFollowThePlayerTheBankAndTheMenu) {
  BankWindow& window = MakeThreeWaves();
  SequenceControls& controls = window.Sequence();
  Player& player = dialog.Pane().Model().GetPlayer();
  QPushButton* button = window.Button("playSequence");
  const auto command = [this](const char* text) {
    // Commands are named by their source text.
    return dialog.findChild<QAction*>(QString::fromUtf8(text));
  };
  const struct {
    const char* step;
    std::function<void()> act;
    bool playing;
  } steps[] = {
      {"pane menu", [&] { command("Play Sequence")->trigger(); }, true},
      {"dialog's Stop", [&] { Control<QPushButton>(dialog, MainDialog::kIdStop)->click(); }, false},
      {"dialog's Play", [&] { Control<QPushButton>(dialog, MainDialog::kIdPlay)->click(); }, false},
      {"window's button over Play", [&] { button->click(); }, true},
      {"pane menu again", [&] { command("Play Sequence")->trigger(); }, false},
  };
  for (const auto& each : steps) {
    SCOPED_TRACE(each.step);
    each.act();
    EXPECT_EQ(player.IsSequencePlaying(), each.playing);
    EXPECT_TRUE(WaitUntil([&] { return button->isChecked() == each.playing; }));
  }
  // Waves widened while the sequence plays are heard at once: wave 3, at full scale, comes in.
  const auto peak = [this] {
    device.ClearCaptured();
    EXPECT_TRUE(device.WaitForBytes(200000, 30000));
    const std::vector<int16_t> played = reference::Samples(device.Captured());
    return *std::max_element(played.begin(), played.end());
  };
  controls.LastWave()->setValue(1);
  // From silence, so that no block of Play's tone (the current wave, at full scale) is counted.
  player.Stop();
  ASSERT_TRUE(WaitUntil([&] { return !player.IsPlaying(); }));
  button->click();
  const int16_t narrow = peak();
  controls.LastWave()->setValue(3);
  EXPECT_GT(peak(), 2 * narrow);
  player.Stop();
  ASSERT_TRUE(WaitUntil([&] { return !player.IsPlaying(); }));

  // Waves 2 to 3; the last one deleted: 2 to 2; two added: 2 to 4, the end followed; 4 narrowed to
  // 3 stays when the bank grows.
  controls.FirstWave()->setValue(2);
  const struct {
    std::function<void()> act;
    int first, last;
  } banks[] = {
      {[&] { window.Button("deleteWave")->click(); }, 2, 2},
      {[&] { window.Button("addWave")->click(), window.Button("addWave")->click(); }, 2, 4},
      {[&] { controls.LastWave()->setValue(3), window.Button("addWave")->click(); }, 2, 3},
  };
  for (const auto& each : banks) {
    each.act();
    EXPECT_EQ(controls.FirstWave()->value(), each.first);
    EXPECT_EQ(controls.LastWave()->value(), each.last);
  }

  // A rate typed in the window checks Other Rate…; 50 Hz in the menu, and Other Rate… asked for,
  // reach the window; once and the rate come back in the next run.
  controls.Rate()->setValue(37);
  controls.Loop()->setChecked(false);
  dialog.Commands().UpdateStates();
  EXPECT_TRUE(command("Other Rate…")->isChecked());
  EXPECT_FALSE(command("60 Hz (NTSC)")->isChecked());
  command("50 Hz (PAL)")->trigger();
  EXPECT_EQ(controls.Rate()->value(), 50);
  EXPECT_TRUE(command("50 Hz (PAL)")->isChecked());
  EXPECT_FALSE(command("Other Rate…")->isChecked());
  command("Other Rate…")->trigger();
  auto* ask = dialog.findChild<QInputDialog*>();
  ASSERT_NE(ask, nullptr);
  ask->setIntValue(440);
  ask->accept();
  EXPECT_EQ(controls.Rate()->value(), 440);
  MainDialog again(icons, nullptr, &services);
  SequenceControls& remembered = OpenWindow(again).Sequence();
  EXPECT_EQ(remembered.Rate()->value(), 440);
  EXPECT_FALSE(remembered.Loop()->isChecked());
}

// A note key held while Play Sequence is clicked in the bank window sounds the sequence, and a
// note key there changes its note; without one it plays at the note of the pitch list. Ending the
// sequence ends the sound it started.
TEST_F(BankWindowTest, SequencePlaysAtTheHeldNoteKey) {
  BankWindow& window = MakeThreeWaves();
  Player& player = dialog.Pane().Model().GetPlayer();
  dialog.findChild<QAction*>(QStringLiteral("Play Notes from the Keyboard"))->setChecked(true);
  const auto key = [](QWidget* to, QEvent::Type type, int code, quint32 scanCode) {
    QKeyEvent event(type, code, Qt::NoModifier, scanCode, 0, 0, QString());
    QApplication::sendEvent(to, &event);
  };
  // The platform's activation, as a click on another window gives it.
  QApplication::setActiveWindow(&dialog);
  key(&dialog.Pane(), QEvent::KeyPress, Qt::Key_Z, 52);  // o4c
  QApplication::setActiveWindow(&window);
  window.Button("playSequence")->click();
  EXPECT_TRUE(player.IsSequencePlaying());
  EXPECT_EQ(player.SoundingNote(), 36);
  key(window.Strip(), QEvent::KeyPress, Qt::Key_X, 53);  // o4d
  EXPECT_EQ(player.SoundingNote(), 38);
  key(window.Strip(), QEvent::KeyRelease, Qt::Key_X, 53);
  key(window.Strip(), QEvent::KeyRelease, Qt::Key_Z, 52);
  EXPECT_EQ(player.SoundingNote(), player.Note());
  // The rate's number field keeps its digits.
  window.Sequence().Rate()->setFocus();
  key(window.Sequence().Rate(), QEvent::KeyPress, Qt::Key_2, 11);
  EXPECT_EQ(player.SoundingNote(), player.Note());
  // The sound the sequence started over the note key ends with it.
  window.Button("playSequence")->click();
  EXPECT_FALSE(player.IsPlayOn());
  player.Stop();
}

// Export Bank as Files…, in the pane menu and the strip's context menu: the waves as numbered
// files beside the name chosen, what they could not hold said once per kind; files already there
// are asked about once, and a file that cannot be written stops the export, naming those before.
TEST_F(BankWindowTest, ExportBankAsFilesWritesOneNumberedFilePerWave) {
  BankWindow& window = MakeThreeWaves();
  QAction* exportBank = nullptr;
  for (QAction* action : window.Strip()->actions()) {
    if (action->text() == QStringLiteral("Export Bank as Files…")) exportBank = action;
  }
  ASSERT_NE(exportBank, nullptr);
  EXPECT_EQ(window.Strip()->contextMenuPolicy(), Qt::ActionsContextMenu);
  EXPECT_TRUE(dialog.Commands().PaneMenu()->actions().contains(exportBank));
  const QString dir = folder.path();
  const std::string shown = dir.toStdString();
  QStringList starts;
  dialog.Commands().Files().askPath = [&](const FileCommands::PathQuestion& question) {
    EXPECT_FALSE(question.confirmOverwrite);
    starts << question.start;
    return dir + QStringLiteral("/lead.dmw");
  };
  exportBank->trigger();
  ASSERT_EQ(services.messages.size(), 1u);
  // 0x10 and 0x20 lie between the 64 levels of a .dmw, 127 and −128 on them.
  EXPECT_EQ(services.messages[0],
            "3 files were written to “" + shown +
                "”: lead-01.dmw, lead-02.dmw, lead-03.dmw.\nWaves 1–2: The .dmw file holds 64 "
                "levels: the wave was reduced to 64 levels.");
  EXPECT_EQ(ReadWaveFileOfKind(dir + QStringLiteral("/lead-03.dmw")).samples,
            (std::vector<int8_t>{127, -128}));

  // Again, with a folder in wave 2's place: asked once, and Cancel writes nothing.
  ASSERT_TRUE(QFile::remove(dir + QStringLiteral("/lead-02.dmw")));
  ASSERT_TRUE(QDir(dir).mkdir(QStringLiteral("lead-02.dmw")));
  services.overwriteAnswer = OverwriteAnswer::kCancel;
  exportBank->trigger();
  ASSERT_EQ(services.overwriteQuestions.size(), 1u);
  EXPECT_EQ(services.overwriteQuestions[0],
            "3 of the 3 files to write are already in “" + shown +
                "”: lead-01.dmw, lead-02.dmw, lead-03.dmw.\nOverwrite them?");
  EXPECT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(starts, QStringList({QDir::home().filePath(QStringLiteral("wave.fuw")),
                                 dir + QStringLiteral("/lead.dmw")}));
  // Overwrite: the folder stops the export after wave 1, and no temporary file is left.
  services.overwriteAnswer = OverwriteAnswer::kOverwrite;
  exportBank->trigger();
  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_EQ(services.messages[1], "The export stopped at wave 2 of 3.\n“" + shown +
                                      "/lead-02.dmw” is a folder, not a file.\nWritten before "
                                      "it, in “" +
                                      shown + "”: lead-01.dmw.");
  EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name).join(' '),
            QStringLiteral("lead-01.dmw lead-03.dmw"));
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

// A bank exported as a Namco 163 instrument (from the pane menu) or its current wave as an FDS
// instrument (from the strip's menu) reads back, by a reader of the tracker's layout, as the waves
// at the chip's levels with a looping wave sequence; Import Instrument puts them back over another
// bank, at the chip's height, as one step that Ctrl+Z takes back.
TEST_F(BankWindowTest, AnExportedInstrumentReadsBackAndImportsAsOneStep) {
  std::string fds;  // 64 samples on the FDS's levels: level i, its 6 bits repeated below
  for (int i = 0; i < 64; ++i) {
    fds += QString::number(((i << 2) | (i >> 4)) ^ 0x80, 16).rightJustified(2, '0').toStdString();
  }
  // N163 level u is the code u × 17 ^ 0x80; 09 is off the levels and comes back as 08.
  const std::vector<std::string> n163 = {"8091a2b3", "7f6e5d4c", "08087f80"};
  struct Case {
    const char* command;
    std::vector<std::string> made, imported;
    std::vector<std::string> notes;
    int height;
  };
  const std::vector<Case> cases = {
      {"Namco 163 (.fti)…",
       {n163[0], n163[1], "08097f80"},
       n163,
       {"Samples brought to the nearest of the chip's 16 levels in the instrument: 1."},
       16},
      {"FDS (.fti)…", {"1000", fds}, {fds}, {}, 64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    BankWindow& window = MakeWaves(c.made);
    services.messages.clear();
    const QString path = folder.filePath(QStringLiteral("lead.fti"));
    ASSERT_TRUE(c.height == 16 ? Run(dialog.Commands().PaneMenu()->actions(), c.command, path)
                               : Run(window.Strip()->actions(), c.command, path));
    EXPECT_EQ(services.messages, c.notes);
    const std::string bytes = ReadFileBytes(path).bytes;
    if (c.height == 16) {
      const TestN163 t = ReadTestN163(std::vector<uint8_t>(bytes.begin(), bytes.end()));
      EXPECT_EQ(t.magic + t.name, "FTI2.4lead");
      EXPECT_EQ(t.flags, (std::vector<int>{0, 0, 0, 0, 1}));
      EXPECT_EQ(t.items, (std::vector<int>{0, 1, 2}));
      EXPECT_EQ(t.loop, 0);
      EXPECT_EQ(t.waves,
                (std::vector<std::vector<uint8_t>>{{0, 1, 2, 3}, {15, 14, 13, 12}, {8, 8, 15, 0}}));
    } else {
      // Type 4, the name, the 64 levels, no modulation (32 + 12 bytes), three empty sequences.
      ASSERT_EQ(bytes.size(), 11 + 4 + 64 + 44 + 3 * 16u);
      EXPECT_EQ(bytes.substr(0, 15), std::string("FTI2.4\x04\x04\0\0\0lead", 15));
      for (int i = 0; i < 64; ++i) EXPECT_EQ(bytes[15 + i], static_cast<char>(i));
    }

    window.Button("clearBank")->click();
    Paste(dialog, "00ff00ff");
    const std::vector<std::string> before = Hexes();
    const int steps = dialog.Session().History().count();
    services.messages.clear();
    ASSERT_TRUE(Run(window.Strip()->actions(), "Import Instrument…", path));
    EXPECT_TRUE(services.messages.empty()) << services.messages[0];
    EXPECT_EQ(dialog.Session().History().count(), steps + 1);
    EXPECT_EQ(Hexes(), c.imported);
    EXPECT_EQ(dialog.Pane().Model().WaveHeight(), c.height);
    dialog.Commands().Action(EditorCommands::Id::kUndo)->trigger();  // Ctrl+Z
    EXPECT_EQ(Hexes(), before);
  }
}

// What the instrument cannot hold is refused with the writer's words and nothing written over the
// old file; a file that is no instrument is refused, the bank as it was.
TEST_F(BankWindowTest, RefusedInstrumentsWriteNothingAndChangeNothing) {
  const std::vector<std::tuple<std::vector<std::string>, const char*, std::string>> cases = {
      {{"1000", "2000"},
       "Namco 163 (.fti)…",
       "cannot play waves of 2 samples: it plays 4 to 240 samples in steps of 4. Change the length "
       "to 4."},
      {{"1000", "20003000"},
       "Namco 163 (.fti)…",
       "Wave 2 has 4 samples and wave 1 has 2; a Namco 163 instrument holds waves of one length."},
      {{"10002000"}, "FDS (.fti)…", "The FDS plays waves of 64 samples; this wave has 4."},
      {{"10002000"},
       "Import Instrument…",
       "was not imported.\nThis is no tracker instrument file: it does not begin with \"FTI\"."},
  };
  const QString path = folder.filePath(QStringLiteral("old.fti"));
  for (const auto& [made, command, message] : cases) {
    SCOPED_TRACE(message);
    ASSERT_TRUE(WriteFileAtomic(path, "0 4 8 15 ;\n").ok);
    BankWindow& window = MakeWaves(made);
    const int steps = dialog.Session().History().count();
    services.messages.clear();
    ASSERT_TRUE(Run(window.Strip()->actions(), command, path));
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_NE(services.messages[0].find(message), std::string::npos) << services.messages[0];
    EXPECT_EQ(ReadFileBytes(path).bytes, "0 4 8 15 ;\n");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.fti")});
    EXPECT_EQ(Hexes(), made);
    EXPECT_EQ(dialog.Session().History().count(), steps);
  }
}

}  // namespace
