// The pane's tools as widgets, offscreen: the Shift line stroke, keyboard editing at the sample
// cursor, what assistive technology reads, the dialog's state buttons, the shaping menus, and the
// drawing at a device pixel ratio of 2.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/editor_commands.h"
#include "app/icon_button.h"
#include "app/icon_resources.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/dialog_fixture.h"

namespace {

constexpr QRgb kBlack = 0x000000;
constexpr QRgb kBaseLine = 0x00ff00;
constexpr QRgb kGrid = 0x007f00;
constexpr QRgb kCursor = 0x0080ff;

void WaitUntil(const std::function<bool()>& done) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
}

void ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  WaitUntil([&] { return window.isActiveWindow(); });
  ASSERT_TRUE(window.isActiveWindow());
}

// A key pressed and released on `widget`, with its text as a keyboard would send it.
void Key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
         const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(widget, &release);
}

// Types `digits` as unmodified keys.
void Type(QWidget* widget, const char* digits) {
  for (const char* c = digits; *c != '\0'; ++c) {
    const QChar ch = QChar::fromLatin1(*c);
    Key(widget, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
  }
}

QImage Render(QWidget& widget, qreal ratio) {
  QImage image(widget.size() * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::magenta);
  widget.render(&image);
  image.setDevicePixelRatio(1);
  return image;
}

// The pane alone in a host window, with the pointer events delivered to the window.
class PaneToolsTest : public ::testing::Test {
 protected:
  static constexpr int kLeft = 40;
  static constexpr int kTop = 50;

  void SetUp() override {
    host = std::make_unique<QWidget>();
    host->resize(kLeft + 460, kTop + 350);
    pane = new WaveEditor(session, host.get());
    pane->setGeometry(kLeft, kTop, 420, 300);  // length 64: c 6; wave u 1, base 150
    pane->SetLength(64);
    pane->SetHarmonicsView(WaveEditorModel::kWaveView);
    pane->SetMode(WaveEditorModel::kHold);
    host->show();
    WaitUntil([&] { return host->windowHandle()->isExposed(); });
    ASSERT_TRUE(host->windowHandle()->isExposed());
  }

  void Send(QEvent::Type type, Qt::MouseButton button, int x, int y, Qt::KeyboardModifiers mods) {
    QWindow* window = host->windowHandle();
    const QPointF local(kLeft + x, kTop + y);
    QMouseEvent event(type, local, local, window->mapToGlobal(local), button, held, mods);
    QCoreApplication::sendEvent(window, &event);
    QCoreApplication::processEvents();
  }
  // A Shift stroke from (x0, y0) over the given moves to (x1, y1).
  void Line(int x0, int y0, std::vector<std::pair<int, int>> moves, int x1, int y1) {
    Send(QEvent::MouseMove, Qt::NoButton, x0, y0, Qt::NoModifier);
    held = Qt::LeftButton;
    Send(QEvent::MouseButtonPress, Qt::LeftButton, x0, y0, Qt::ShiftModifier);
    for (auto [x, y] : moves) Send(QEvent::MouseMove, Qt::NoButton, x, y, Qt::ShiftModifier);
    held = Qt::NoButton;
    Send(QEvent::MouseButtonRelease, Qt::LeftButton, x1, y1, Qt::ShiftModifier);
  }

  // Strokes seen by the session: each ended one is a step of its history (every stroke here
  // writes), a started one is ended or still open.
  int Ended() { return session.History().count(); }
  int Started() { return Ended() + (session.StrokeOpen() ? 1 : 0); }

  FakeUiServices services;
  EditSession session{nullptr, &services};
  std::unique_ptr<QWidget> host;
  WaveEditor* pane = nullptr;  // owned by host
  Qt::MouseButtons held = Qt::NoButton;
};

TEST_F(PaneToolsTest, ShiftDragWritesTheStraightLineBetweenPressAndRelease) {
  WaveEditorModel& model = pane->Model();
  // Column 1 at 50 to column 11 at 7: 50 - 43 (k - 1) / 10, halves away from zero. The moves,
  // across several columns, write nothing.
  Line(10, 100, {{40, 20}, {100, 250}}, 70, 143);
  std::vector<int> expected(64, 0);
  const std::vector<std::pair<int, int>> line = {{1, 50}, {2, 46},  {3, 41}, {4, 37},
                                                 {5, 33}, {6, 28},  {7, 24}, {8, 20},
                                                 {9, 16}, {10, 11}, {11, 7}};
  for (auto [k, v] : line) expected[k] = v;
  EXPECT_EQ(Values(model), expected);
  EXPECT_EQ(model.GetPlayer().GetWaveText().substr(0, 8), "00322e29");
  EXPECT_EQ(Started(), 1);
  EXPECT_EQ(Ended(), 1);

  // Right to left and off the pane's left edge: column 3 at -50 to column -5 at 110; only
  // columns 0..3 are written, on the same line.
  Line(20, 200, {}, -30, 40);
  expected[3] = -50;
  expected[2] = -30;  // -50 + 160 x 1/8
  expected[1] = -10;
  expected[0] = 10;
  EXPECT_EQ(Values(model), expected);

  // Within one column: the release value, as a click.
  Line(200, 100, {{201, 90}}, 203, 20);
  expected[33] = 127;  // 150 - 20, clamped
  EXPECT_EQ(Values(model), expected);
  EXPECT_EQ(Started(), 3);
  EXPECT_EQ(Ended(), 3);

  // The harmonics view: column 1 full (0) to column 6 empty (127), u 2 and bars from y 30.
  pane->SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  Line(10, 30, {{30, 100}}, 40, 284);
  const std::vector<uint8_t> bars(model.Amplitudes().begin(), model.Amplitudes().begin() + 8);
  EXPECT_EQ(bars, (std::vector<uint8_t>{127, 0, 25, 51, 76, 102, 127, 127}));
  EXPECT_EQ(model.GetPlayer().GetHarmonicsText(), " 127,   0,  25,  51,  76, 102");
}

TEST_F(PaneToolsTest, PlainDragStaysAStrokeBetweenItsHooks) {
  Send(QEvent::MouseMove, Qt::NoButton, 10, 100, Qt::NoModifier);
  held = Qt::LeftButton;
  Send(QEvent::MouseButtonPress, Qt::LeftButton, 10, 100, Qt::NoModifier);
  EXPECT_EQ(Started(), 1);
  Send(QEvent::MouseMove, Qt::NoButton, 40, 120, Qt::NoModifier);
  EXPECT_EQ(Ended(), 0);
  held = Qt::NoButton;
  Send(QEvent::MouseButtonRelease, Qt::LeftButton, 41, 110, Qt::NoModifier);
  EXPECT_EQ(Ended(), 1);
  std::vector<int> expected(64, 0);
  expected[1] = 50;
  expected[6] = 40;
  EXPECT_EQ(Values(pane->Model()), expected);
  // A click gives the pane the keyboard, with the cursor where it went down.
  EXPECT_TRUE(pane->hasFocus());
  EXPECT_EQ(pane->Cursor(), 1);
}

TEST_F(PaneToolsTest, AnInterruptedDragWritesNothingAfterTheInterruption) {
  const auto send = [this](QEvent::Type type) {
    QEvent event(type);
    QCoreApplication::sendEvent(pane, &event);
  };
  // Each interruption on its own ends the stroke: the moves after it still say the button is
  // held, except after a release that went elsewhere.
  const struct {
    const char* name;
    std::function<void()> interrupt;
    Qt::MouseButtons heldAfter = Qt::LeftButton;
  } interruptions[] = {
      {"a popup menu",
       [this] {
         QMenu menu(host.get());
         menu.addAction(QStringLiteral("x"));
         menu.popup(host->mapToGlobal(QPoint(kLeft + 100, kTop + 100)));
         QCoreApplication::processEvents();
         menu.close();
       }},
      {"focus loss",
       [this] {
         QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
         QCoreApplication::sendEvent(pane, &out);
       }},
      {"a message box deactivating the window", [&] { send(QEvent::WindowDeactivate); }},
      {"capture loss", [&] { send(QEvent::UngrabMouse); }},
      {"a release that went elsewhere", [] {}, Qt::NoButton},
  };
  for (const auto& each : interruptions) {
    SCOPED_TRACE(each.name);
    session.ClearHistory();
    pane->Model().SetSamples(std::vector<uint16_t>(64, 0));
    Send(QEvent::MouseMove, Qt::NoButton, 10, 100, Qt::NoModifier);
    held = Qt::LeftButton;
    Send(QEvent::MouseButtonPress, Qt::LeftButton, 10, 100, Qt::NoModifier);
    Send(QEvent::MouseMove, Qt::NoButton, 20, 60, Qt::NoModifier);  // writes column 1
    const std::vector<int> drawn = Values(pane->Model());
    ASSERT_EQ(drawn[1], 50);
    each.interrupt();
    // The release never reaches the pane; the pointer goes on.
    held = each.heldAfter;
    for (int x : {30, 45, 60, 90}) Send(QEvent::MouseMove, Qt::NoButton, x, 20, Qt::NoModifier);
    held = Qt::NoButton;
    EXPECT_EQ(Values(pane->Model()), drawn);
    EXPECT_FALSE(session.StrokeOpen());
    EXPECT_EQ(session.History().count(), 1);  // what was drawn is one step
  }
}

TEST_F(PaneToolsTest, DrawingAtRatio2CoversEachLogicalPixelsDevicePixels) {
  WaveEditorModel& model = pane->Model();
  model.WriteValue(0, -50);
  for (int k = 1; k < 62; ++k) model.WriteValue(k, k % 7 * 11 - 30);
  model.WriteValue(62, 100);
  pane->setFocus();  // the cursor too
  pane->SetCursor(5);
  for (int view : {0, 1, 2}) {
    if (view == 1) pane->SetMode(WaveEditorModel::kPoly);
    if (view == 2) pane->SetHarmonicsView(WaveEditorModel::kHarmonicsView);
    const QImage one = Render(*pane, 1);
    const QImage two = Render(*pane, 2);
    ASSERT_EQ(two.size(), QSize(840, 600));
    int mismatches = 0;
    for (int y = 0; y < one.height(); ++y) {
      for (int x = 0; x < one.width(); ++x) {
        const QRgb pixel = one.pixel(x, y);
        for (int d = 0; d < 4; ++d) {
          mismatches += two.pixel(2 * x + d % 2, 2 * y + d / 2) != pixel;
        }
      }
    }
    EXPECT_EQ(mismatches, 0) << view;
  }
  // The base line of the harmonics view (y 284) is solid across both of its device rows.
  const QImage two = Render(*pane, 2);
  for (int y : {568, 569}) {
    for (int x = 0; x < 840; ++x) {
      const QRgb pixel = two.pixel(x, y) & 0xffffff;
      ASSERT_TRUE(pixel == kBaseLine || pixel == kGrid || pixel == kCursor) << x << "," << y;
    }
  }
  EXPECT_EQ(two.pixel(12, 10) & 0xffffff, kGrid);  // grid line at x 6
  EXPECT_EQ(two.pixel(13, 10) & 0xffffff, kGrid);
  EXPECT_EQ(two.pixel(14, 10) & 0xffffff, kBlack);
}

class DialogToolsTest : public DialogTest {
 protected:
  void SetUp() override { ShowActive(*dialog); }
  void TearDown() override {
    device.SetPaused(false);
    dialog.reset();
  }

  QString Status() { return Control<QLabel>(MainDialog::kIdStatus)->text(); }
};

TEST_F(DialogToolsTest, KeysMoveTheCursorAndSetValues) {
  WaveEditor& pane = Pane();
  // F6, shown in the pane menu, gives the pane the keyboard.
  QAction* keyboard = dialog->Commands().Action(EditorCommands::Id::kKeyboardToPane);
  EXPECT_TRUE(dialog->Commands().PaneMenu()->actions().contains(keyboard));
  EXPECT_EQ(keyboard->shortcut(), QKeySequence(Qt::Key_F6));
  ASSERT_FALSE(pane.hasFocus());
  QTest::keyClick(Control(MainDialog::kIdExit), Qt::Key_F6);
  ASSERT_TRUE(pane.hasFocus());
  auto key = [&](int k, Qt::KeyboardModifiers m = Qt::NoModifier) { Key(&pane, k, m); };
  key(Qt::Key_Right);
  key(Qt::Key_Right);
  key(Qt::Key_Right);
  key(Qt::Key_Up);                       // 1
  key(Qt::Key_Up, Qt::ShiftModifier);    // 17
  key(Qt::Key_Down);                     // 16
  key(Qt::Key_End);                      // cursor 31
  key(Qt::Key_PageDown);                 // -128
  key(Qt::Key_Down, Qt::ShiftModifier);  // stays -128
  key(Qt::Key_Left);                     // cursor 30
  key(Qt::Key_PageUp);                   // 127
  key(Qt::Key_Up);                       // stays 127
  key(Qt::Key_Home);
  key(Qt::Key_Left);  // stays at 0
  Type(&pane, "80");  // sample 0 = -128, cursor 1
  Type(&pane, "7F");  // sample 1 = 127, cursor 2
  Type(&pane, "1");
  key(Qt::Key_Left);  // breaks the pair; cursor 1
  Type(&pane, "2c");  // sample 1 = 44, cursor 2
  std::vector<int> expected(32, 0);
  expected[0] = -128;
  expected[1] = 44;
  expected[3] = 16;
  expected[30] = 127;
  expected[31] = -128;
  EXPECT_EQ(Values(Model()), expected);
  EXPECT_EQ(pane.Cursor(), 2);
  EXPECT_EQ(Model().GetPlayer().GetWaveText().substr(0, 8), "802c0010");

  // The status field shows the cursor as it shows the pointer.
  key(Qt::Key_Right);
  QCoreApplication::sendPostedEvents(dialog.get(), PointerReportEvent::kType);
  EXPECT_EQ(Status(), "\n x:  3\n y: 16");

  // The harmonics view: up is a smaller attenuation, a pair above 7f is 127.
  Control(MainDialog::kIdHarmonics)->click();
  pane.setFocus();
  key(Qt::Key_Up);  // 126
  key(Qt::Key_Right);
  key(Qt::Key_PageUp);                   // 0
  key(Qt::Key_Down, Qt::ShiftModifier);  // 16
  key(Qt::Key_Right);
  Type(&pane, "ff");  // 127
  Type(&pane, "05");
  const std::vector<uint8_t> bars(Model().Amplitudes().begin(), Model().Amplitudes().begin() + 8);
  EXPECT_EQ(bars, (std::vector<uint8_t>{127, 127, 127, 126, 16, 127, 5, 127}));
  EXPECT_EQ(pane.Cursor(), 7);

  // Enter still ends the dialog with OK, also halfway through a pair.
  Type(&pane, "3");
  Key(&pane, Qt::Key_Return);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), MainDialog::kResultOk);
  EXPECT_EQ(Model().Amplitudes()[7], 127);
}

TEST_F(DialogToolsTest, APressOnTheBackgroundReleasedOverThePaneWritesAsARelease) {
  // The pane at (15, 40), 32 columns; the press goes to the dialog's own background.
  const QPoint pane = Pane().geometry().topLeft();
  const PaneGeometry g(Pane().width(), Pane().height(), 32, false);
  QTest::mousePress(dialog.get(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(dialog.get(), Qt::LeftButton, {},
                      pane + QPoint(3 * g.column + 1, g.base - 40 * g.unit));
  EXPECT_EQ(static_cast<int8_t>(Model().Samples()[3] & 0xff), 40);
  EXPECT_EQ(dialog->Session().History().count(), 1);
  // A release outside the pane writes nothing.
  QTest::mousePress(dialog.get(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(dialog.get(), Qt::LeftButton, {}, QPoint(5, 10));
  EXPECT_EQ(dialog->Session().History().count(), 1);
}

TEST_F(DialogToolsTest, AssistiveTechnologyReadsNamesAndTheCursor) {
  WaveEditor& pane = Pane();
  QAccessibleInterface* paneInterface = QAccessible::queryAccessibleInterface(&pane);
  ASSERT_NE(paneInterface, nullptr);
  EXPECT_EQ(paneInterface->text(QAccessible::Name), "Wave editor");
  EXPECT_EQ(paneInterface->text(QAccessible::Value), "sample 1 of 32: 0");
  pane.setFocus();
  Key(&pane, Qt::Key_End);
  Key(&pane, Qt::Key_PageDown);
  Key(&pane, Qt::Key_Left);
  Key(&pane, Qt::Key_Down);
  EXPECT_EQ(paneInterface->text(QAccessible::Value), "sample 31 of 32: -1");
  Control(MainDialog::kIdHarmonics)->click();
  EXPECT_EQ(paneInterface->text(QAccessible::Value), "harmonic 31 of 32: 127");

  const std::vector<std::pair<int, const char*>> names = {
      {MainDialog::kIdExit, "Exit"},
      {MainDialog::kIdPlay, "Play"},
      {MainDialog::kIdStop, "Stop"},
      {MainDialog::kIdCopy, "Copy"},
      {MainDialog::kIdLengthList, "Wave length"},
      {MainDialog::kIdPitchList, "Pitch"},
      {MainDialog::kIdStatus, "Pointer position"},
      {MainDialog::kIdHold, "Hold"},
      {MainDialog::kIdPoly, "Poly"},
      {MainDialog::kIdPaste, "Paste"},
      {MainDialog::kIdHarmonics, "Harmonics"}};
  for (const auto& [id, name] : names) {
    QWidget* control = Control<QWidget>(id);
    ASSERT_NE(control, nullptr) << id;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    ASSERT_NE(face, nullptr) << id;
    EXPECT_EQ(control->accessibleName(), name) << id;
    if (qobject_cast<QComboBox*>(control) != nullptr) {
      // Qt names a list by its current item on Linux; the description says what it is.
      EXPECT_EQ(face->text(QAccessible::Description), name) << id;
    } else {
      EXPECT_EQ(face->text(QAccessible::Name), name) << id;
    }
  }
  for (int id : {MainDialog::kIdPlay, MainDialog::kIdStop, MainDialog::kIdHold, MainDialog::kIdPoly,
                 MainDialog::kIdHarmonics}) {
    EXPECT_EQ(Control(id)->toolTip(), Control(id)->text()) << id;
  }
  // The visible texts stay.
  EXPECT_EQ(Control(MainDialog::kIdExit)->text(), "Exit");
  EXPECT_EQ(Control<QComboBox>(MainDialog::kIdLengthList)->currentText(), "32");
}

TEST_F(DialogToolsTest, StateButtonsShowTheModeTheViewAndPlaying) {
  auto* hold = Control(MainDialog::kIdHold);
  auto* poly = Control(MainDialog::kIdPoly);
  auto* harmonics = Control(MainDialog::kIdHarmonics);
  auto* play = Control(MainDialog::kIdPlay);
  auto checked = [&] {
    return std::vector<bool>{hold->isChecked(), poly->isChecked(), harmonics->isChecked(),
                             play->isChecked()};
  };
  // A checked face differs from the same button's unchecked face, at ratio 1 and 2.
  auto looksChecked = [&](QPushButton* button) {
    bool differs = true;
    for (qreal ratio : {1.0, 2.0}) {
      const QImage on = Render(*button, ratio);
      button->setChecked(false);
      const QImage off = Render(*button, ratio);
      button->setChecked(true);
      differs = differs && on != off;
    }
    return differs;
  };
  EXPECT_EQ(checked(), (std::vector<bool>{true, false, false, false}));
  EXPECT_TRUE(looksChecked(hold));

  poly->click();
  EXPECT_EQ(checked(), (std::vector<bool>{false, true, false, false}));
  EXPECT_EQ(Model().Mode(), WaveEditorModel::kPoly);
  EXPECT_TRUE(looksChecked(poly));
  // A click on a button that is on keeps it on and does what it always does.
  poly->click();
  EXPECT_EQ(checked(), (std::vector<bool>{false, true, false, false}));

  harmonics->click();
  EXPECT_EQ(checked(), (std::vector<bool>{false, false, true, false}));
  EXPECT_EQ(Model().Mode(), WaveEditorModel::kPoly);
  EXPECT_TRUE(looksChecked(harmonics));
  hold->click();
  EXPECT_EQ(checked(), (std::vector<bool>{true, false, false, false}));

  // Play shows while the player plays, and goes out by itself once the sound has ended.
  device.SetPaused(true);
  play->click();
  ASSERT_TRUE(Model().GetPlayer().IsPlaying());
  EXPECT_TRUE(play->isChecked());
  EXPECT_TRUE(looksChecked(play));
  play->click();
  EXPECT_TRUE(play->isChecked());
  Control(MainDialog::kIdStop)->click();
  device.SetPaused(false);
  WaitUntil([&] { return !play->isChecked(); });
  EXPECT_FALSE(Model().GetPlayer().IsPlaying());
  EXPECT_FALSE(play->isChecked());
  EXPECT_FALSE(Control(MainDialog::kIdStop)->isCheckable());
}

TEST_F(DialogToolsTest, ShapeAndTransformMenusActOnTheView) {
  EditorCommands& commands = dialog->Commands();
  QMenu* pane = commands.PaneMenu();
  QStringList titles;
  for (QAction* action : pane->actions()) {
    if (action->menu() != nullptr) titles << action->text();
  }
  EXPECT_TRUE(titles.contains("Shape")) << titles.join(", ").toStdString();
  EXPECT_TRUE(titles.contains("Transform")) << titles.join(", ").toStdString();

  commands.ShapeAction(WaveShape::kSquare)->trigger();
  std::vector<int> square(32, -128);
  std::fill_n(square.begin(), 16, 127);
  EXPECT_EQ(Values(Model()), square);
  commands.TransformAction(WaveTransform::kRotateRight)->trigger();
  commands.TransformAction(WaveTransform::kInvert)->trigger();
  EXPECT_EQ(Values(Model())[0], 127);
  EXPECT_EQ(Values(Model())[1], -128);
  EXPECT_EQ(Values(Model())[17], 127);
  EXPECT_EQ(Model().GetPlayer().GetWaveText().substr(0, 6), "7f8080");

  // Half Length brings the length list along; Double Length is refused at 64.
  auto* lengthList = Control<QComboBox>(MainDialog::kIdLengthList);
  commands.TransformAction(WaveTransform::kHalfLength)->trigger();
  EXPECT_EQ(Model().GetLength(), 16);
  EXPECT_EQ(lengthList->currentText(), "16");
  for (int i = 0; i < 2; ++i) commands.TransformAction(WaveTransform::kDoubleLength)->trigger();
  EXPECT_EQ(lengthList->currentText(), "64");
  EXPECT_FALSE(commands.TransformAction(WaveTransform::kDoubleLength)->isEnabled());
  EXPECT_FALSE(commands.TransformAction(WaveTransform::kDoubleLength)->toolTip().isEmpty());

  // The harmonics view: the four series apply, the rest say why not.
  Control(MainDialog::kIdHarmonics)->click();
  commands.UpdateStates();
  for (WaveShape shape :
       {WaveShape::kSine, WaveShape::kTriangle, WaveShape::kSawtooth, WaveShape::kSquare}) {
    EXPECT_TRUE(commands.ShapeAction(shape)->isEnabled());
  }
  for (WaveShape shape : {WaveShape::kPulse25, WaveShape::kPulse12, WaveShape::kNoise}) {
    EXPECT_FALSE(commands.ShapeAction(shape)->isEnabled());
    EXPECT_EQ(commands.ShapeAction(shape)->toolTip(), "Only in the wave view");
  }
  EXPECT_FALSE(commands.TransformAction(WaveTransform::kInvert)->isEnabled());
  EXPECT_TRUE(commands.TransformAction(WaveTransform::kHalfLength)->isEnabled());
  const std::vector<int> waveBefore = Values(Model());
  commands.ShapeAction(WaveShape::kSawtooth)->trigger();
  EXPECT_EQ(Model().Amplitudes(), MakeHarmonics(HarmonicSeries::kSawtooth, 64));
  EXPECT_EQ(Model().GetPlayer().GetHarmonicsText().substr(0, 15), "   0,  63,  85,");
  EXPECT_EQ(Values(Model()), waveBefore);
}

}  // namespace
