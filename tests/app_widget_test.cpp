// The main dialog and the About box, offscreen: start-up state, status field, lists, view and
// mode buttons, keyboard, geometry in dialog units, system menu, copy and paste hand-offs, icons.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/about_dialog.h"
#include "app/exit_signals.h"
#include "app/icon_button.h"
#include "app/icon_resources.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/watched_audio_device.h"

namespace {

void Click(MainDialog& dialog, int id) {
  Control<QPushButton>(dialog, id)->click();
}

QString StatusText(MainDialog& dialog) {
  return Control<QLabel>(dialog, MainDialog::kIdStatus)->text();
}

void Report(MainDialog& dialog, int column, int value) {
  QCoreApplication::postEvent(&dialog, new PointerReportEvent(column, value));
  QCoreApplication::sendPostedEvents(&dialog, PointerReportEvent::kType);
}

// The stream's state is seen through the device once its first block has reached it.
bool WaitUntilStreamKnown(const WatchedAudioDevice& device) {
  QElapsedTimer waited;
  waited.start();
  while (!device.KnowsStream() && waited.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return device.KnowsStream();
}

// Counts the paints of a shown widget: a field written with a new text is painted again.
class PaintCount : public QObject {
 public:
  explicit PaintCount(QWidget* widget) { widget->installEventFilter(this); }
  // The paints so far, once every pending one has been made.
  int Value() {
    QCoreApplication::processEvents();
    return paints;
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }

 private:
  int paints = 0;
};

void ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  QElapsedTimer waited;
  waited.start();
  while (!window.isActiveWindow() && waited.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  ASSERT_TRUE(window.isActiveWindow());
}

// A key pressed and released on `widget`; what it ignores goes on to its parents.
void KeyClick(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(widget, &release);
}

void MouseMove(QWidget* widget, const QPoint& position) {
  QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

// Runs `check` on the modal dialog that `open` starts, from inside its modal loop; `check` ends
// it.
void WithModal(const std::function<void()>& open, const std::function<void(QWidget*)>& check) {
  bool seen = false;
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || seen) return;
    seen = true;
    check(modal);
  });
  poll.start();
  open();
  poll.stop();
  EXPECT_TRUE(seen);
}

// Rounds a × b / c to the nearest integer, halves away from zero.
int Scale(int a, int b, int c) {
  return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

// The 16 colours of the VGA palette.
const std::set<QRgb> kVgaColours = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

class AppWidgetTest : public ::testing::Test {
 protected:
  ButtonIcons icons = ButtonIcons::Load();
  FakeUiServices services;
};

TEST_F(AppWidgetTest, StartsInTheWaveViewHoldAtO4aWithLength32AndSilence) {
  MainDialog dialog(icons, nullptr, &services);
  auto* lengthList = Control<QComboBox>(dialog, MainDialog::kIdLengthList);
  auto* pitchList = Control<QComboBox>(dialog, MainDialog::kIdPitchList);

  EXPECT_EQ(lengthList->currentText(), "32");
  EXPECT_EQ(pitchList->currentText(), "o4a");
  EXPECT_EQ(StatusText(dialog), "");
  WaveEditorModel& model = dialog.Pane().Model();
  EXPECT_EQ(model.View(), WaveEditorModel::kWaveView);
  EXPECT_EQ(model.Mode(), WaveEditorModel::kHold);
  EXPECT_EQ(model.GetLength(), 32);
  Player& player = model.GetPlayer();
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_EQ(player.GetWaveText(), std::string(64, '0'));
  EXPECT_EQ(player.Note(), 45);
  EXPECT_EQ(player.CurrentTone(), 1);

  QStringList lengths;
  for (int i = 0; i < lengthList->count(); ++i) lengths << lengthList->itemText(i);
  EXPECT_EQ(lengths, QStringList({"2", "4", "8", "16", "32", "64"}));
  QStringList pitches;
  for (int i = 0; i < pitchList->count(); ++i) pitches << pitchList->itemText(i);
  EXPECT_EQ(pitches,
            QStringList({"o2d", "o2a", "o3d", "o3a", "o4d", "o4a", "o5d", "o5a", "o6d", "o6a"}));
  EXPECT_FALSE(lengthList->isEditable());
  EXPECT_FALSE(pitchList->isEditable());

  // The application's own window: no parent, its caption and icon, a size that cannot change.
  EXPECT_EQ(dialog.parentWidget(), nullptr);
  EXPECT_TRUE(dialog.isWindow());
  EXPECT_EQ(dialog.windowTitle(), "Zintar Plovic Editor");
  EXPECT_FALSE(dialog.windowIcon().isNull());
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);

  // Buttons keep their template texts; the icon buttons show their icons instead.
  const std::vector<std::pair<int, const char*>> texts = {
      {MainDialog::kIdExit, "Exit"},   {MainDialog::kIdPlay, "Play"},
      {MainDialog::kIdStop, "Stop"},   {MainDialog::kIdCopy, "Copy"},
      {MainDialog::kIdHold, "Hold"},   {MainDialog::kIdPoly, "Poly"},
      {MainDialog::kIdPaste, "Paste"}, {MainDialog::kIdHarmonics, "Harmonics"}};
  for (const auto& [id, text] : texts) {
    auto* button = Control<QPushButton>(dialog, id);
    EXPECT_EQ(button->text(), text);
    EXPECT_FALSE(button->autoDefault()) << id;
    EXPECT_FALSE(button->isDefault()) << id;
  }
  for (int id : {MainDialog::kIdPlay, MainDialog::kIdStop, MainDialog::kIdHold, MainDialog::kIdPoly,
                 MainDialog::kIdHarmonics}) {
    auto* button = dynamic_cast<IconButton*>(Control<QPushButton>(dialog, id));
    ASSERT_NE(button, nullptr) << id;
    EXPECT_FALSE(button->Image().isNull()) << id;
  }

  // The pane is a child of the dialog, shown with it, and takes no focus from the controls.
  EXPECT_EQ(dialog.Pane().parentWidget(), &dialog);
  EXPECT_EQ(dialog.Pane().objectName(), "WaveEdit");
  ShowActive(dialog);
  EXPECT_TRUE(dialog.Pane().isVisible());
  EXPECT_EQ(QApplication::focusWidget(), Control<QPushButton>(dialog, MainDialog::kIdExit));
}

TEST_F(AppWidgetTest, StatusFieldShowsTheReportAndIsRewrittenOnlyWhenItChanges) {
  MainDialog dialog(icons, nullptr, &services);
  ShowActive(dialog);
  PaintCount fieldPaints(Control<QLabel>(dialog, MainDialog::kIdStatus));
  const int pushes = fieldPaints.Value();

  Report(dialog, 5, -3);
  EXPECT_EQ(StatusText(dialog), "\n x:  5\n y: -3");
  EXPECT_EQ(fieldPaints.Value(), pushes + 1);

  // The same column and value: nothing is written.
  Report(dialog, 5, -3);
  EXPECT_EQ(StatusText(dialog), "\n x:  5\n y: -3");
  EXPECT_EQ(fieldPaints.Value(), pushes + 1);

  Report(dialog, -12, 127);
  EXPECT_EQ(StatusText(dialog), "\n x: -12\n y: 127");
  EXPECT_EQ(fieldPaints.Value(), pushes + 2);
  Report(dialog, 63, 0);
  EXPECT_EQ(StatusText(dialog), "\n x: 63\n y:  0");
  EXPECT_EQ(fieldPaints.Value(), pushes + 3);

  // Writing the fields keeps the lists where they are.
  EXPECT_EQ(Control<QComboBox>(dialog, MainDialog::kIdLengthList)->currentText(), "32");
  EXPECT_EQ(Control<QComboBox>(dialog, MainDialog::kIdPitchList)->currentText(), "o4a");
}

TEST_F(AppWidgetTest, PointerMovesOverThePaneReachTheStatusField) {
  MainDialog dialog(icons, nullptr, &services);
  ShowActive(dialog);
  WaveEditor& pane = dialog.Pane();
  const int column = pane.width() / 32;
  MouseMove(&pane, QPoint(column * 5 + column / 2, pane.height() / 4));
  MouseMove(&pane, QPoint(column * 7 + column / 2, pane.height() / 4));
  QCoreApplication::sendPostedEvents(&dialog, PointerReportEvent::kType);
  EXPECT_TRUE(StatusText(dialog).startsWith("\n x:  7\n y: ")) << StatusText(dialog).toStdString();
}

TEST_F(AppWidgetTest, ListsApplyLengthAndPitch) {
  MainDialog dialog(icons, nullptr, &services);
  ShowActive(dialog);
  auto* lengthList = Control<QComboBox>(dialog, MainDialog::kIdLengthList);
  auto* pitchList = Control<QComboBox>(dialog, MainDialog::kIdPitchList);
  WaveEditorModel& model = dialog.Pane().Model();

  lengthList->setFocus();
  KeyClick(lengthList, Qt::Key_End);  // "64"
  EXPECT_EQ(lengthList->currentText(), "64");
  EXPECT_EQ(model.GetLength(), 64);
  EXPECT_EQ(model.Samples().size(), 64u);
  EXPECT_EQ(model.GetPlayer().GetWaveText(), std::string(128, '0'));
  KeyClick(lengthList, Qt::Key_Home);  // "2"
  EXPECT_EQ(model.GetLength(), 2);

  pitchList->setFocus();
  KeyClick(pitchList, Qt::Key_Home);  // "o2d"
  EXPECT_EQ(pitchList->currentText(), "o2d");
  EXPECT_EQ(model.GetPlayer().Note(), 14);
  const std::vector<int> notes = {21, 26, 33, 38, 45, 50, 57, 62, 69};
  for (int note : notes) {
    KeyClick(pitchList, Qt::Key_Down);
    EXPECT_EQ(model.GetPlayer().Note(), note) << pitchList->currentText().toStdString();
  }
  EXPECT_EQ(pitchList->currentText(), "o6a");
}

TEST_F(AppWidgetTest, HarmonicsKeepsTheModeAndHoldOrPolyReturnToTheWaveView) {
  MainDialog dialog(icons, nullptr, &services);
  ShowActive(dialog);
  WaveEditorModel& model = dialog.Pane().Model();
  auto click = [&](int id) { Click(dialog, id); };

  click(MainDialog::kIdHarmonics);
  EXPECT_EQ(model.View(), WaveEditorModel::kHarmonicsView);
  EXPECT_EQ(model.Mode(), WaveEditorModel::kHold);
  EXPECT_EQ(model.GetPlayer().CurrentTone(), 2);

  click(MainDialog::kIdPoly);
  EXPECT_EQ(model.View(), WaveEditorModel::kWaveView);
  EXPECT_EQ(model.Mode(), WaveEditorModel::kPoly);
  EXPECT_EQ(model.GetPlayer().CurrentTone(), 1);

  click(MainDialog::kIdHarmonics);
  EXPECT_EQ(model.View(), WaveEditorModel::kHarmonicsView);
  EXPECT_EQ(model.Mode(), WaveEditorModel::kPoly);

  click(MainDialog::kIdHold);
  EXPECT_EQ(model.View(), WaveEditorModel::kWaveView);
  EXPECT_EQ(model.Mode(), WaveEditorModel::kHold);
  EXPECT_EQ(model.GetPlayer().CurrentTone(), 1);
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(AppWidgetTest, TabOrderIsTheTemplateOrder) {
  MainDialog dialog(icons, nullptr, &services);
  ShowActive(dialog);
  std::vector<int> order;
  for (int i = 0; i < 11; ++i) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    order.push_back(focus->property("controlId").toInt());
    KeyClick(focus, Qt::Key_Tab);
  }
  EXPECT_EQ(order, (std::vector<int>{2, 1000, 1001, 1002, 1003, 1004, 1006, 1007, 1008, 1009, 2}));
}

TEST_F(AppWidgetTest, EnterOnAListStopsAndEndsWithOk) {
  CaptureAudioDevice device;
  device.SetPaused(true);  // the sound stays queued, so the stop request can be seen
  WatchedAudioDevice watched(device);
  {
    MainDialog dialog(icons, &watched, &services);
    ShowActive(dialog);
    Player& player = dialog.Pane().Model().GetPlayer();
    Click(dialog, MainDialog::kIdPlay);
    ASSERT_TRUE(player.IsPlaying());
    ASSERT_TRUE(WaitUntilStreamKnown(watched));
    EXPECT_FALSE(watched.StopRequested());

    auto* pitchList = Control<QComboBox>(dialog, MainDialog::kIdPitchList);
    pitchList->setFocus();
    KeyClick(pitchList, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), MainDialog::kResultOk);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(watched.StopRequested());
    device.SetPaused(false);  // lets the queued sound play out before the player goes
  }
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(AppWidgetTest, EnterPressesAFocusedButtonAndEscCancels) {
  MainDialog dialog(icons, nullptr, &services);
  ShowActive(dialog);
  auto* harmonics = Control<QPushButton>(dialog, MainDialog::kIdHarmonics);
  harmonics->setFocus();
  KeyClick(harmonics, Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.Pane().Model().View(), WaveEditorModel::kHarmonicsView);

  KeyClick(harmonics, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), MainDialog::kResultCancel);
}

TEST_F(AppWidgetTest, EscStopsAndEndsWithCancel) {
  CaptureAudioDevice device;
  device.SetPaused(true);
  WatchedAudioDevice watched(device);
  {
    MainDialog dialog(icons, &watched, &services);
    ShowActive(dialog);
    Player& player = dialog.Pane().Model().GetPlayer();
    Click(dialog, MainDialog::kIdPlay);
    ASSERT_TRUE(player.IsPlaying());
    ASSERT_TRUE(WaitUntilStreamKnown(watched));
    auto* lengthList = Control<QComboBox>(dialog, MainDialog::kIdLengthList);
    lengthList->setFocus();
    KeyClick(lengthList, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), MainDialog::kResultCancel);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(watched.StopRequested());
    device.SetPaused(false);
  }
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(AppWidgetTest, ExitTheCloseBoxAndTheCloseCommandCancel) {
  {
    MainDialog dialog(icons, nullptr, &services);
    ShowActive(dialog);
    Click(dialog, MainDialog::kIdExit);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), MainDialog::kResultCancel);
  }
  {
    MainDialog dialog(icons, nullptr, &services);
    ShowActive(dialog);
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), MainDialog::kResultCancel);
  }
  {
    // The low four bits of a system command do not count.
    MainDialog dialog(icons, nullptr, &services);
    ShowActive(dialog);
    dialog.OnSysCommand(MainDialog::kCommandClose | 0x3, 0);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), MainDialog::kResultCancel);
  }
}

// SIGTERM while a message box runs its own loop: the box is closed and the dialog ends as Exit
// does, without anyone dismissing the box.
TEST_F(AppWidgetTest, ASignalClosesAnOpenMessageBoxAndEndsTheDialog) {
  MainDialog dialog(icons, nullptr, &services);
  ExitSignals exitSignals([&dialog] {
    ExitSignals::CloseModalsAbove(&dialog);
    dialog.reject();
  });
  bool boxEnded = false;
  bool rescued = false;
  QTimer::singleShot(0, &dialog, [&] {
    QMessageBox box(QMessageBox::Information, "box", "a message", QMessageBox::Ok, &dialog);
    QTimer::singleShot(50, [] { raise(SIGTERM); });
    box.exec();
    boxEnded = true;
  });
  // Should the signal leave the box open, the test fails instead of waiting forever.
  QTimer::singleShot(10000, &dialog, [&] {
    rescued = true;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(widget)) box->reject();
    }
    dialog.reject();
  });
  dialog.exec();
  EXPECT_TRUE(boxEnded);
  EXPECT_FALSE(rescued);
  EXPECT_EQ(dialog.result(), MainDialog::kResultCancel);
}

TEST_F(AppWidgetTest, ControlsStandWhereTheirDialogUnitsPutThem) {
  MainDialog dialog(icons, nullptr, &services);

  // A Japanese gothic font at 9 points (12 pixels at 96 dpi).
  const QFontInfo info(dialog.font());
  const std::set<QString> gothic = {
      "ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "IPAexGothic",      "VL PGothic",
      "TakaoPGothic",    "IPAGothic",  "VL Gothic",  "Noto Sans CJK JP", "Source Han Sans JP"};
  EXPECT_TRUE(gothic.count(info.family()) == 1) << info.family().toStdString();
  if (QFontDatabase::hasFamily("IPAPGothic") && !QFontDatabase::hasFamily("ＭＳ Ｐゴシック") &&
      !QFontDatabase::hasFamily("MS PGothic")) {
    EXPECT_EQ(info.family(), "IPAPGothic");
  }
  EXPECT_EQ(info.pixelSize(), 12);

  const QFontMetrics metrics(dialog.font());
  const int letters =
      metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const int baseX = (letters / 26 + 1) / 2;
  const int baseY = metrics.height();
  EXPECT_EQ(dialog.Units().BaseX(), baseX);
  EXPECT_EQ(dialog.Units().BaseY(), baseY);
  auto px = [&](int x, int y, int w, int h) {
    return QRect(Scale(x, baseX, 4), Scale(y, baseY, 8), Scale(w, baseX, 4), Scale(h, baseY, 8));
  };

  const int width = Scale(359, baseX, 4);
  const int height = Scale(257, baseY, 8);
  EXPECT_EQ(dialog.size(), QSize(width, height));
  EXPECT_EQ(Control<QWidget>(dialog, MainDialog::kIdExit)->geometry(), px(314, 237, 36, 14));
  EXPECT_EQ(Control<QWidget>(dialog, MainDialog::kIdPlay)->geometry(), px(8, 237, 14, 14));
  EXPECT_EQ(Control<QWidget>(dialog, MainDialog::kIdPaste)->geometry(), px(187, 237, 40, 14));
  EXPECT_EQ(Control<QWidget>(dialog, MainDialog::kIdHarmonics)->geometry(), px(48, 7, 15, 16));
  EXPECT_EQ(Control<QWidget>(dialog, MainDialog::kIdStatus)->geometry(), px(306, 74, 46, 36));
  // A closed list is as high as the style draws it; its place and width follow the template.
  const QRect length = Control<QWidget>(dialog, MainDialog::kIdLengthList)->geometry();
  EXPECT_EQ(length.topLeft(), px(307, 27, 45, 75).topLeft());
  EXPECT_EQ(length.width(), px(307, 27, 45, 75).width());
  EXPECT_LT(length.bottom(), px(307, 45, 45, 82).top());
  // The pane in client pixels.
  EXPECT_EQ(dialog.Pane().geometry(), QRect(15, 40, width - 115, height - 80));

  // Windows rounds halves away from zero.
  EXPECT_EQ(DialogUnits::MulDiv(14, 6, 4), 21);
  EXPECT_EQ(DialogUnits::MulDiv(15, 6, 4), 23);
  EXPECT_EQ(DialogUnits::MulDiv(-15, 6, 4), -23);
  EXPECT_EQ(DialogUnits::MulDiv(1, 1, 0), -1);
}

TEST_F(AppWidgetTest, AboutCommandRunsTheAboutBox) {
  MainDialog dialog(icons, nullptr, &services);
  ShowActive(dialog);

  for (uint32_t command : {MainDialog::kCommandAbout, MainDialog::kCommandAbout | 0xF}) {
    WithModal([&] { dialog.OnSysCommand(command, 0); },
              [&](QWidget* modal) {
                auto* about = dynamic_cast<AboutDialog*>(modal);
                ASSERT_NE(about, nullptr);
                EXPECT_EQ(about->parentWidget(), &dialog);
                EXPECT_EQ(about->windowTitle(), "Varnelのﾊﾞｰｼﾞｮﾝ情報");
                KeyClick(about, Qt::Key_Return);
              });
    EXPECT_TRUE(dialog.isVisible());
  }
  // Other commands leave the dialog alone and open nothing (a stray modal box is closed and
  // counted).
  int strayBoxes = 0;
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      ++strayBoxes;
      modal->close();
    }
  });
  poll.start();
  dialog.OnSysCommand(0x20, 0);
  dialog.OnSysCommand(0x0F, 0);
  poll.stop();
  EXPECT_EQ(strayBoxes, 0);
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(AppWidgetTest, SystemMenuEndsWithTheAboutItemAndOpensFromKeyAndBackground) {
  MainDialog dialog(icons, nullptr, &services);
  ShowActive(dialog);
  QMenu* menu = dialog.SystemMenu();
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> actions = menu->actions();
  ASSERT_GE(actions.size(), 3);
  EXPECT_EQ(actions[0]->data().toUInt(), MainDialog::kCommandClose);
  EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
  QAction* about = actions.back();
  EXPECT_EQ(about->text(), "Kestrom のﾊﾞｰｼﾞｮﾝ情報(&A)...");
  EXPECT_EQ(about->data().toUInt(), 16u);

  // Alt+Space, wherever the focus is in the window.
  QShortcut* menuKey = nullptr;
  for (QShortcut* shortcut : dialog.findChildren<QShortcut*>()) {
    if (shortcut->key() == QKeySequence(Qt::ALT | Qt::Key_Space)) menuKey = shortcut;
  }
  ASSERT_NE(menuKey, nullptr);
  EXPECT_EQ(menuKey->context(), Qt::WindowShortcut);
  menuKey->activated();
  EXPECT_TRUE(menu->isVisible());
  menu->hide();

  // A right click on a button is not one on the background.
  auto* exit = Control<QPushButton>(dialog, MainDialog::kIdExit);
  QContextMenuEvent onButton(QContextMenuEvent::Mouse, exit->geometry().center(),
                             dialog.mapToGlobal(exit->geometry().center()));
  QApplication::sendEvent(&dialog, &onButton);
  EXPECT_FALSE(menu->isVisible());
  QContextMenuEvent onBackground(QContextMenuEvent::Mouse, QPoint(2, 2),
                                 dialog.mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(&dialog, &onBackground);
  EXPECT_TRUE(menu->isVisible());
  menu->hide();

  // The item's command arrives once the menu has closed.
  WithModal(
      [&] {
        about->trigger();
        QCoreApplication::processEvents();
      },
      [&](QWidget* modal) {
        EXPECT_NE(dynamic_cast<AboutDialog*>(modal), nullptr);
        if (modal != nullptr) KeyClick(modal, Qt::Key_Escape);
      });
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(AppWidgetTest, AboutBoxFollowsItsTemplateAndEnds) {
  AboutDialog about;
  const DialogUnits units(about.font());
  EXPECT_EQ(about.size(), QSize(units.X(235), units.Y(55)));
  EXPECT_EQ(about.windowTitle(), "Varnelのﾊﾞｰｼﾞｮﾝ情報");
  auto* name = about.findChild<QLabel*>("aboutName");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->text(), "Zintar Plovic Editor  ver. 0.20");
  EXPECT_EQ(name->geometry(), units.Rect(40, 10, 119, 8));
  auto* versions = about.findChild<QLabel*>("aboutVersions");
  ASSERT_NE(versions, nullptr);
  EXPECT_TRUE(versions->text().contains(QString::fromLatin1(qVersion())));
  EXPECT_TRUE(versions->text().contains("PortAudio 19."));
  auto* icon = about.findChild<QLabel*>("aboutIcon");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->pos(), QPoint(units.X(11), units.Y(17)));
  EXPECT_EQ(icon->pixmap().size(), QSize(32, 32));
  auto* ok = Control<QPushButton>(about, AboutDialog::kIdOk);
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(ok->geometry(), units.Rect(178, 7, 50, 14));

  ShowActive(about);
  KeyClick(&about, Qt::Key_Escape);
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), 2);
  ShowActive(about);
  ok->click();
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), 1);
}

TEST_F(AppWidgetTest, PasteBringsTheLengthListInLineAndCopyHandsOverTheWaveText) {
  MainDialog dialog(icons, nullptr, &services);
  ShowActive(dialog);
  auto* lengthList = Control<QComboBox>(dialog, MainDialog::kIdLengthList);
  WaveEditorModel& model = dialog.Pane().Model();

  services.clipboard = "FF00";
  Click(dialog, MainDialog::kIdPaste);
  EXPECT_TRUE(services.messages.empty());
  EXPECT_EQ(model.GetLength(), 2);
  EXPECT_EQ(lengthList->currentText(), "2");

  // A refused paste changes nothing, the list included.
  services.clipboard = "123";
  Click(dialog, MainDialog::kIdPaste);
  EXPECT_EQ(services.messages,
            std::vector<std::string>{"クリップボードの文字列の長さが異常です。"});
  EXPECT_EQ(model.GetLength(), 2);
  EXPECT_EQ(lengthList->currentText(), "2");

  // Harmonics: 40 values grow the length to 64.
  Click(dialog, MainDialog::kIdHarmonics);
  std::string values;
  for (int i = 0; i < 40; ++i) values += (i == 0 ? "" : ",") + std::to_string(i);
  services.clipboard = values;
  Click(dialog, MainDialog::kIdPaste);
  EXPECT_EQ(model.GetLength(), 64);
  EXPECT_EQ(lengthList->currentText(), "64");

  // Copy in the wave view places the player's wave text: ff00 doubled five times over.
  Click(dialog, MainDialog::kIdHold);
  services.clipboard.reset();
  Click(dialog, MainDialog::kIdCopy);
  std::string expected;
  for (int i = 0; i < 32; ++i) expected += "ff";
  for (int i = 0; i < 32; ++i) expected += "00";
  EXPECT_EQ(services.clipboard, expected);
}

TEST(AppIcons, IconsHaveTheirSizesAndOnlyVgaColours) {
  for (int id : {kIconApplication, kIconHold, kIconPoly, kIconPlay, kIconStop, kIconHarmonics}) {
    const QIcon icon = LoadIconResource(id);
    ASSERT_FALSE(icon.isNull()) << id;
    std::vector<QSize> expected = {QSize(32, 32)};
    if (id == kIconApplication) expected.insert(expected.begin(), QSize(16, 16));
    std::vector<QSize> sizes;
    for (const QSize& size : icon.availableSizes()) sizes.push_back(size);
    std::sort(sizes.begin(), sizes.end(),
              [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
    EXPECT_EQ(sizes, expected) << id;
    for (const QSize& size : expected) {
      const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
      ASSERT_EQ(image.size(), size);
      std::set<QRgb> colours;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          const QRgb pixel = image.pixel(x, y);
          if (qAlpha(pixel) == 0) continue;
          EXPECT_EQ(qAlpha(pixel), 255) << id;
          EXPECT_EQ(kVgaColours.count(pixel | 0xff000000u), 1u)
              << id << " at " << x << "," << y << std::hex << " " << pixel;
          colours.insert(pixel);
        }
      }
      EXPECT_GE(colours.size(), 1u) << id;
    }
  }
  EXPECT_TRUE(LoadIconResource(129).isNull());

  // The installed icon is the application icon.
  const std::filesystem::path source = ZP_SOURCE_DIR;
  const QImage installed(
      QString::fromStdString((source / "app/icons/zintar-plovic-editor.xpm").string()));
  ASSERT_FALSE(installed.isNull());
  EXPECT_EQ(installed.convertToFormat(QImage::Format_ARGB32),
            LoadIconResource(kIconApplication)
                .pixmap(32, 32)
                .toImage()
                .convertToFormat(QImage::Format_ARGB32));
}

TEST_F(AppWidgetTest, IconButtonsDrawTheirIconNotTheirText) {
  MainDialog dialog(icons, nullptr, &services);
  ShowActive(dialog);
  // The picture's colours show on each face: lime on the view buttons, black on Play and Stop.
  const std::vector<std::pair<int, QRgb>> faces = {{MainDialog::kIdHold, qRgb(0, 255, 0)},
                                                   {MainDialog::kIdPoly, qRgb(0, 255, 0)},
                                                   {MainDialog::kIdHarmonics, qRgb(0, 255, 0)},
                                                   {MainDialog::kIdPlay, qRgb(0, 0, 0)},
                                                   {MainDialog::kIdStop, qRgb(0, 0, 0)}};
  for (const auto& [id, colour] : faces) {
    QWidget* button = Control<QWidget>(dialog, id);
    const QImage image = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) count += (image.pixel(x, y) | 0xff000000u) == colour;
    }
    EXPECT_GE(count, 20) << id;
  }
  // A plain push button with the same text draws its text; the icon button does not.
  auto* hold = Control<QPushButton>(dialog, MainDialog::kIdHold);
  QPushButton plain("Hold");
  plain.setFont(hold->font());
  plain.resize(hold->size());
  IconButton bare("Hold", nullptr);
  bare.setFont(hold->font());
  bare.resize(hold->size());
  QPushButton empty("");
  empty.setFont(hold->font());
  empty.resize(hold->size());
  EXPECT_NE(plain.grab().toImage(), empty.grab().toImage());
  EXPECT_EQ(bare.grab().toImage(), empty.grab().toImage());
}

}  // namespace
