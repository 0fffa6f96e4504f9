// The editing pane as a widget, offscreen: mouse editing with the events delivered to the
// top-level window, where the window system delivers them (so Qt picks the receiver and applies
// its implicit grab as it does for a real pointer), the pointer reports posted to the parent, and
// the drawing of both views, checked pixel by pixel on the grabbed image.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/wave_editor.h"
#include "tests/support/fake_ui_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include "app/qt_ui_services.h"
#include "formats/wave_height.h"

namespace {

constexpr QRgb kBlack = 0x000000;
constexpr QRgb kBaseLine = 0x00ff00;
constexpr QRgb kGrid = 0x007f00;
constexpr QRgb kWave = 0x00af00;
constexpr QRgb kLevel = 0x003000;

// Records the pointer reports the pane posts to it.
class ReportHost : public QWidget {
 public:
  std::vector<std::pair<int, int>> reports;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == PointerReportEvent::kType) {
      const auto* report = static_cast<PointerReportEvent*>(event);
      reports.emplace_back(report->column, report->value);
      return true;
    }
    return QWidget::event(event);
  }
};

class EditorWidgetTest : public ::testing::Test {
 protected:
  static constexpr int kLeft = 40;
  static constexpr int kTop = 50;

  void SetUp() override { Build(420, 300); }

  void Build(int width, int height) {
    editor = nullptr;
    host.reset();
    session = std::make_unique<EditSession>(nullptr, &services);
    host = std::make_unique<ReportHost>();
    host->resize(kLeft + width + 40, kTop + height + 50);
    editor = new WaveEditor(*session, host.get());
    editor->setGeometry(kLeft, kTop, width, height);
    host->show();
    for (int i = 0; i < 1000 && !host->windowHandle()->isExposed(); ++i) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    ASSERT_TRUE(host->windowHandle()->isExposed());
    QCoreApplication::processEvents();
    host->reports.clear();
    held = Qt::NoButton;
  }

  // Wave view, Hold, length 64, as the dialog would set it up.
  void SetUpWave() {
    editor->SetLength(64);
    editor->SetHarmonicsView(WaveEditorModel::kWaveView);
    editor->SetMode(WaveEditorModel::kHold);
  }

  // Pointer actions at pane coordinates, delivered to the host's window.
  void Send(QEvent::Type type, Qt::MouseButton button, int x, int y) {
    QWindow* window = host->windowHandle();
    const QPointF local(kLeft + x, kTop + y);
    QMouseEvent event(type, local, local, window->mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
    QCoreApplication::processEvents();
  }
  void Move(int x, int y) { Send(QEvent::MouseMove, Qt::NoButton, x, y); }
  void Press(int x, int y) {
    held = Qt::LeftButton;
    Send(QEvent::MouseButtonPress, Qt::LeftButton, x, y);
  }
  void Release(int x, int y) {
    held = Qt::NoButton;
    Send(QEvent::MouseButtonRelease, Qt::LeftButton, x, y);
  }
  // A press and a release at one point, reached by a move first.
  void Click(int x, int y) {
    Move(x, y);
    Press(x, y);
    Release(x, y);
  }

  std::vector<int> Samples() {
    std::vector<int> values;
    for (uint16_t slot : editor->Model().Samples()) {
      values.push_back(static_cast<int8_t>(slot & 0xff));
    }
    return values;
  }

  // Samples all zero except the given columns.
  static std::vector<int> Zeros(std::vector<std::pair<int, int>> set, int length = 64) {
    std::vector<int> values(length, 0);
    for (auto [k, v] : set) values[k] = v;
    return values;
  }

  QImage Grab() { return editor->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  static QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xffffff; }

  FakeUiServices services;
  std::unique_ptr<EditSession> session;  // outlives the pane
  std::unique_ptr<ReportHost> host;
  WaveEditor* editor = nullptr;  // owned by host
  Qt::MouseButtons held = Qt::NoButton;
};

TEST_F(EditorWidgetTest, IsAChildPaneThatPaintsItsOwnBackground) {
  EXPECT_EQ(editor->objectName(), "WaveEdit");
  EXPECT_EQ(editor->parentWidget(), host.get());
  EXPECT_TRUE(editor->testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_TRUE(editor->hasMouseTracking());
}

TEST_F(EditorWidgetTest, ClickWithoutMovementWritesTheReleaseValue) {
  SetUpWave();
  Click(100, 40);  // column 16, value 150 - 40
  EXPECT_EQ(Samples(), Zeros({{16, 110}}));
  std::string text(128, '0');
  text.replace(32, 2, "6e");
  EXPECT_EQ(editor->Model().GetPlayer().GetWaveText(), text);

  editor->SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  Click(20, 100);  // column 3, value (100 - 30) / 2
  EXPECT_EQ(editor->Model().Amplitudes()[3], 35);
  EXPECT_EQ(editor->Model().GetPlayer().GetHarmonicsText(), " 127, 127, 127,  35");
}

TEST_F(EditorWidgetTest, DragInsideOneColumnWritesOnlyOnRelease) {
  SetUpWave();
  Move(97, 100);
  Press(97, 100);
  for (auto [x, y] : {std::pair{99, 80}, {101, 60}, {96, 70}, {98, 50}}) {
    Move(x, y);
    EXPECT_EQ(Samples(), Zeros({}));
  }
  Release(98, 50);
  EXPECT_EQ(Samples(), Zeros({{16, 100}}));
}

TEST_F(EditorWidgetTest, FastDragWritesOnlyTheColumnLeftAtEachEvent) {
  SetUpWave();
  Move(10, 100);
  Press(10, 100);  // column 1
  Move(40, 120);   // column 6: column 1 left at 150 - 100
  EXPECT_EQ(Samples(), Zeros({{1, 50}}));
  Move(70, 90);  // column 11: column 6 left at 150 - 120
  EXPECT_EQ(Samples(), Zeros({{1, 50}, {6, 30}}));
  Move(71, 60);  // still column 11
  Release(71, 60);
  EXPECT_EQ(Samples(), Zeros({{1, 50}, {6, 30}, {11, 90}}));
}

TEST_F(EditorWidgetTest, LeftOfThePaneOnlyTheFirstColumnsWidthCountsAsColumnZero) {
  SetUpWave();
  Move(3, 100);
  Press(3, 100);
  Move(-3, 80);  // column 0 still: nothing written
  EXPECT_EQ(Samples(), Zeros({}));
  Move(-9, 70);  // column -1: column 0 left at 150 - 80
  EXPECT_EQ(Samples(), Zeros({{0, 70}}));
  Move(-20, 60);  // from column -1 to -3: nothing
  Release(-20, 60);
  EXPECT_EQ(Samples(), Zeros({{0, 70}}));
  ASSERT_GE(host->reports.size(), 3u);
  const std::vector<std::pair<int, int>> last(host->reports.end() - 3, host->reports.end());
  EXPECT_EQ(last, (std::vector<std::pair<int, int>>{{0, 50}, {-1, 70}, {-3, 80}}));

  // A release at x = -3 writes column 0.
  Move(3, 20);
  Press(3, 20);
  Move(-3, 30);
  Release(-3, 30);
  EXPECT_EQ(Samples(), Zeros({{0, 120}}));
}

TEST_F(EditorWidgetTest, StripRightOfTheLastColumnWritesNothing) {
  SetUpWave();  // columns end at x = 384
  Move(380, 100);
  Press(380, 100);  // column 63
  Move(383, 90);
  Move(390, 80);  // column 65: column 63 left at 150 - 90
  EXPECT_EQ(Samples(), Zeros({{63, 60}}));
  Move(400, 70);
  Move(419, 60);
  Move(440, 50);  // outside the pane, still grabbed
  Release(440, 50);
  Click(395, 40);  // a click in the strip
  EXPECT_EQ(Samples(), Zeros({{63, 60}}));
  std::vector<int> columns;
  for (auto [column, value] : host->reports) columns.push_back(column);
  EXPECT_EQ(columns, (std::vector<int>{63, 63, 65, 66, 69, 73, 65}));
}

TEST_F(EditorWidgetTest, ReleaseOutsideThePaneReachesItAndClampsTheValue) {
  SetUpWave();
  Move(200, 100);
  Press(200, 100);
  Move(201, -30);  // above the pane
  Release(201, -30);
  Move(300, 100);
  Press(300, 100);
  Move(301, 330);  // below the pane
  Release(301, 330);
  EXPECT_EQ(Samples(), Zeros({{33, 127}, {50, -128}}));

  editor->SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  Move(100, 100);
  Press(100, 100);
  Move(101, 10);  // above y = 30: the full bar
  Release(101, 10);
  Click(130, 200);  // column 21 at (200 - 30) / 2
  Move(130, 200);
  Press(130, 200);
  Move(131, 290);  // below the base line: no bar
  Release(131, 290);
  Click(160, 100);  // column 26 at 35
  Move(161, 100);
  Press(161, 100);
  Move(160, 340);  // below the pane
  Release(160, 340);
  std::vector<uint8_t> expected(64, 127);
  expected[16] = 0;
  EXPECT_EQ(editor->Model().Amplitudes(), expected);
}

TEST_F(EditorWidgetTest, ReportsCarryTheColumnNowAndTheValueBefore) {
  SetUpWave();
  // The first report takes its value from the starting position (0, 0): 150 - 0, clamped.
  Move(100, 40);
  Move(200, 100);
  Move(250, 299);
  Move(419, 200);
  Press(419, 200);
  Move(-30, 340);
  Move(-30, -40);
  Release(-30, -40);
  QCoreApplication::processEvents();
  EXPECT_EQ(host->reports, (std::vector<std::pair<int, int>>{
                               {16, 127}, {33, 110}, {41, 50}, {69, -128}, {-5, -50}, {-5, -128}}));
  EXPECT_EQ(Samples(), Zeros({}));

  host->reports.clear();
  editor->SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  Move(100, 40);
  Move(110, 100);
  Move(120, 299);
  QCoreApplication::processEvents();
  EXPECT_EQ(host->reports, (std::vector<std::pair<int, int>>{{16, 0}, {18, 5}, {20, 35}}));
}

TEST_F(EditorWidgetTest, ReportsArePostedNotSent) {
  SetUpWave();
  QMouseEvent move(QEvent::MouseMove, QPointF(100, 100), editor->mapToGlobal(QPointF(100, 100)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(editor, &move);
  EXPECT_TRUE(host->reports.empty());
  QCoreApplication::processEvents();
  EXPECT_EQ(host->reports, (std::vector<std::pair<int, int>>{{16, 127}}));
}

TEST_F(EditorWidgetTest, HoldDrawsStepsThatCloseOnTheFirstSample) {
  SetUpWave();
  WaveEditorModel& model = editor->Model();
  model.WriteValue(0, -50);                              // y 200
  for (int k = 1; k < 62; ++k) model.WriteValue(k, 20);  // y 130
  model.WriteValue(62, 100);                             // y 50
  model.WriteValue(63, 100);
  const QImage image = Grab();
  ASSERT_EQ(image.size(), QSize(420, 300));

  // Base line and grid.
  EXPECT_EQ(Pixel(image, 0, 150), kBaseLine);
  EXPECT_EQ(Pixel(image, 100, 150), kBaseLine);
  EXPECT_EQ(Pixel(image, 419, 150), kBaseLine);
  EXPECT_EQ(Pixel(image, 6, 10), kGrid);
  EXPECT_EQ(Pixel(image, 96, 150), kGrid);  // the grid crosses the base line
  EXPECT_EQ(Pixel(image, 378, 0), kGrid);
  EXPECT_EQ(Pixel(image, 378, 299), kGrid);
  EXPECT_EQ(Pixel(image, 0, 10), kBlack);    // no grid line at x = 0
  EXPECT_EQ(Pixel(image, 384, 10), kBlack);  // nor at x = length x c
  EXPECT_EQ(Pixel(image, 400, 10), kBlack);
  EXPECT_EQ(Pixel(image, 100, 10), kBlack);

  // Column 0: a step at 200, then up to 130 at x = 6.
  EXPECT_EQ(Pixel(image, 0, 200), kWave);
  EXPECT_EQ(Pixel(image, 5, 200), kWave);
  EXPECT_EQ(Pixel(image, 6, 200), kWave);
  EXPECT_EQ(Pixel(image, 6, 160), kWave);
  EXPECT_EQ(Pixel(image, 6, 131), kWave);
  EXPECT_EQ(Pixel(image, 7, 130), kWave);
  EXPECT_EQ(Pixel(image, 7, 201), kBlack);
  EXPECT_EQ(Pixel(image, 100, 130), kWave);

  // The last column steps back to sample 0's height at x = 384; the line's end point (384, 200)
  // stays undrawn, as a line's end point always does.
  EXPECT_EQ(Pixel(image, 378, 50), kWave);
  EXPECT_EQ(Pixel(image, 383, 50), kWave);
  for (int y = 50; y < 200; ++y) EXPECT_EQ(Pixel(image, 384, y), kWave) << y;
  EXPECT_EQ(Pixel(image, 384, 200), kBlack);
  EXPECT_EQ(Pixel(image, 385, 120), kBlack);
  EXPECT_EQ(Pixel(image, 384, 49), kBlack);
}

TEST_F(EditorWidgetTest, PolyDrawsLinesAndClosesOnTheFirstSample) {
  SetUpWave();
  editor->SetMode(WaveEditorModel::kPoly);
  WaveEditorModel& model = editor->Model();
  model.WriteValue(0, -50);                              // y 200
  for (int k = 1; k < 62; ++k) model.WriteValue(k, 20);  // y 130
  model.WriteValue(62, 100);                             // y 50
  model.WriteValue(63, 100);
  const QImage image = Grab();

  // Column 62 runs flat at y = 50, column 63 falls from (378, 50) to (384, 200), one pixel a row,
  // and nothing is drawn right of it.
  EXPECT_EQ(Pixel(image, 373, 50), kWave);
  EXPECT_EQ(Pixel(image, 378, 50), kWave);
  for (int y = 51; y < 200; ++y) {
    std::vector<int> lit;
    for (int x = 373; x < 420; ++x) {
      if (Pixel(image, x, y) == kWave) lit.push_back(x);
    }
    ASSERT_EQ(lit.size(), 1u) << y;
    EXPECT_GE(lit[0], 378) << y;
    EXPECT_LE(lit[0], 384) << y;
  }
  EXPECT_EQ(Pixel(image, 381, 125), kWave);  // halfway down, halfway across
  EXPECT_EQ(Pixel(image, 384, 200), kBlack);
  EXPECT_EQ(Pixel(image, 0, 200), kWave);
  EXPECT_EQ(Pixel(image, 100, 130), kWave);
  EXPECT_EQ(Pixel(image, 100, 131), kBlack);

  // One-pixel lines without smoothing: every pixel has one of the four colours.
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = Pixel(image, x, y);
      ASSERT_TRUE(pixel == kBlack || pixel == kBaseLine || pixel == kGrid || pixel == kWave)
          << x << "," << y << " " << std::hex << pixel;
    }
  }
}

TEST_F(EditorWidgetTest, AWaveOf16Or32LevelsShowsItsLevelsAsFaintLines) {
  SetUpWave();
  for (const int32_t height : {16, 32, 64, 256}) {
    SCOPED_TRACE(height);
    session->SetHeight(height);
    const QImage image = Grab();
    // Left of the first grid line, each row is a level line exactly when it holds a level (the
    // base line and the flat wave are drawn over theirs).
    const int wave = 150 - Samples()[0];
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
      if (Pixel(image, 3, y) == kLevel) rows.push_back(y);
    }
    std::vector<int> levels;
    if (height <= 32) {
      for (int32_t level = height - 1; level >= 0; --level) {
        const int y = 150 - FromHeightLevel(level, height);
        if (y != 150 && y != wave && y < image.height()) levels.push_back(y);
      }
    }
    EXPECT_EQ(rows, levels);
  }
}

TEST_F(EditorWidgetTest, BarsFillFromTheirValueToTheBaseLine) {
  SetUpWave();
  editor->SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  WaveEditorModel& model = editor->Model();
  model.WriteValue(5, 0);
  model.WriteValue(7, 64);
  model.WriteValue(8, 200);  // only a paste stores a value above 127
  const QImage image = Grab();

  // u = 2, base line at 284; column 5 spans x 30..35, its bar x 32..33.
  EXPECT_EQ(Pixel(image, 0, 284), kBaseLine);
  EXPECT_EQ(Pixel(image, 419, 284), kBaseLine);
  EXPECT_EQ(Pixel(image, 30, 100), kGrid);
  EXPECT_EQ(Pixel(image, 32, 30), kWave);
  EXPECT_EQ(Pixel(image, 33, 30), kWave);
  EXPECT_EQ(Pixel(image, 32, 283), kWave);
  EXPECT_EQ(Pixel(image, 33, 150), kWave);
  EXPECT_EQ(Pixel(image, 32, 29), kBlack);
  EXPECT_EQ(Pixel(image, 31, 100), kBlack);
  EXPECT_EQ(Pixel(image, 34, 100), kBlack);
  EXPECT_EQ(Pixel(image, 35, 100), kBlack);
  EXPECT_EQ(Pixel(image, 32, 284), kBaseLine);

  // 127 draws nothing.
  for (int y = 0; y < 284; ++y) {
    EXPECT_EQ(Pixel(image, 38, y), kBlack) << y;
    EXPECT_EQ(Pixel(image, 39, y), kBlack) << y;
  }
  EXPECT_EQ(Pixel(image, 38, 284), kBaseLine);

  // 64 starts at 30 + 128.
  EXPECT_EQ(Pixel(image, 44, 157), kBlack);
  EXPECT_EQ(Pixel(image, 44, 158), kWave);
  EXPECT_EQ(Pixel(image, 45, 283), kWave);

  // 200 hangs below the base line, down to the bottom of the pane.
  EXPECT_EQ(Pixel(image, 50, 283), kBlack);
  EXPECT_EQ(Pixel(image, 50, 284), kBaseLine);
  EXPECT_EQ(Pixel(image, 50, 285), kWave);
  EXPECT_EQ(Pixel(image, 51, 299), kWave);
  EXPECT_EQ(Pixel(image, 52, 290), kBlack);
  EXPECT_EQ(Pixel(image, 44, 285), kBlack);
}

TEST_F(EditorWidgetTest, ValuesJustAbove127HangOneStepPerValue) {
  Build(420, 200);  // u = 1, base line at 157
  SetUpWave();
  editor->SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  editor->Model().WriteValue(0, 128);
  editor->Model().WriteValue(1, 130);
  const QImage image = Grab();
  EXPECT_EQ(Pixel(image, 2, 157), kBaseLine);
  EXPECT_EQ(Pixel(image, 2, 158), kWave);
  EXPECT_EQ(Pixel(image, 2, 159), kBlack);
  EXPECT_EQ(Pixel(image, 8, 160), kWave);
  EXPECT_EQ(Pixel(image, 8, 161), kBlack);
}

TEST_F(EditorWidgetTest, SmallPaneMapsOnePixelPerColumnAndStep) {
  Build(40, 100);  // c and u would be 0
  SetUpWave();
  // Before any pointer event the last position is (0, 0): the first report's value is that of
  // y = 0, 50 - 0.
  Move(7, 90);
  QCoreApplication::processEvents();
  EXPECT_EQ(host->reports, (std::vector<std::pair<int, int>>{{7, 50}}));
  editor->Model().WriteValue(3, 20);
  const QImage image = Grab();
  EXPECT_EQ(Pixel(image, 0, 10), kBlack);
  EXPECT_EQ(Pixel(image, 5, 10), kGrid);
  EXPECT_EQ(Pixel(image, 3, 30), kWave);  // y = 50 - 20

  Click(10, 20);
  EXPECT_EQ(Samples(), Zeros({{3, 20}, {10, 30}}));
}

// The application's clipboard and message box, on the offscreen platform's own clipboard.
class QtUiServicesTest : public ::testing::Test {
 protected:
};

TEST_F(QtUiServicesTest, ClipboardCarriesPlainUtf8Text) {
  QtUiServices services;
  ASSERT_TRUE(services.OpenClipboard());
  QGuiApplication::clipboard()->clear();
  EXPECT_EQ(services.GetClipboardText(), std::nullopt);
  EXPECT_TRUE(services.SetClipboardText("ﾊﾞｰｼﾞｮﾝ ff00"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ ff00"));
  EXPECT_EQ(services.GetClipboardText(), std::optional<std::string>("ﾊﾞｰｼﾞｮﾝ ff00"));
  QGuiApplication::clipboard()->setText(QStringLiteral("   0,  64"));
  EXPECT_EQ(services.GetClipboardText(), std::optional<std::string>("   0,  64"));
  services.CloseClipboard();
}

TEST_F(QtUiServicesTest, PaneCopiesAndPastesThroughTheSystemClipboard) {
  QtUiServices services;
  WaveEditorModel model(nullptr, &services);
  QGuiApplication::clipboard()->setText(QStringLiteral("7F80"));
  model.PasteFromClipboard();
  EXPECT_EQ(model.Samples(), (std::vector<uint16_t>{0x7f, 0x80}));
  model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  model.WriteValue(1, 3);
  model.CopyToClipboard();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral(" 127,   3"));
}

TEST_F(QtUiServicesTest, MessageIsAModalBoxWithOnlyOk) {
  QWidget owner;
  QtUiServices services(&owner);
  QString text;
  QMessageBox::StandardButtons buttons;
  bool modal = false;
  QMessageBox::Icon icon = QMessageBox::Critical;
  // Answers the box once it is up, as a user pressing OK.
  std::function<void()> answer = [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (box != nullptr && box->isVisible()) {
        text = box->text();
        buttons = box->standardButtons();
        modal = box->isModal();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
        return;
      }
    }
    QTimer::singleShot(10, answer);
  };
  QTimer::singleShot(0, answer);
  services.ShowMessage(TextMessage("WaveText", "数値以外の文字が含まれています。"));
  EXPECT_EQ(text, QString::fromUtf8("数値以外の文字が含まれています。"));
  EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_TRUE(modal);
  EXPECT_EQ(icon, QMessageBox::NoIcon);
}

}  // namespace
