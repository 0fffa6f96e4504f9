// Copy and Paste of the main dialog through the real X clipboard of a private Xvfb display, with
// xclip as the other program. Runs only where ZP_XVFB_DISPLAY names such a display (./test
// starts one); this program then talks to it through the xcb platform instead of offscreen.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "app/icon_resources.h"
#include "app/qt_ui_services.h"

namespace {

QByteArray XvfbDisplay() {
  return qgetenv("ZP_XVFB_DISPLAY");
}

// With a private display this program uses the xcb platform instead of offscreen: chosen here,
// before the shared test main creates the application.
[[maybe_unused]] const bool kOnPrivateDisplay = [] {
  const QByteArray display = XvfbDisplay();
  if (display.isEmpty()) return false;
  qputenv("QT_QPA_PLATFORM", "xcb");
  qputenv("DISPLAY", display);
  return true;
}();

QProcessEnvironment XclipEnvironment() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(XvfbDisplay()));
  return environment;
}

// Runs `xclip -selection clipboard -o` and returns what it printed; the event loop keeps
// running meanwhile, so that this process can serve the selection it owns.
std::optional<QByteArray> ReadClipboardWithXclip() {
  QProcess xclip;
  xclip.setProcessEnvironment(XclipEnvironment());
  QEventLoop loop;
  QObject::connect(&xclip, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&xclip, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-o"});
  if (!xclip.waitForStarted(5000)) return std::nullopt;
  if (xclip.state() != QProcess::NotRunning) loop.exec();
  if (xclip.state() != QProcess::NotRunning) {
    xclip.kill();
    xclip.waitForFinished(5000);
    return std::nullopt;
  }
  if (xclip.exitStatus() != QProcess::NormalExit || xclip.exitCode() != 0) return std::nullopt;
  return xclip.readAllStandardOutput();
}

// Another program that owns the clipboard with a text: xclip in the foreground, ended (by its
// process id, through QProcess) when this goes away.
class XclipOwner {
 public:
  explicit XclipOwner(const QByteArray& text) {
    process.setProcessEnvironment(XclipEnvironment());
    process.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-quiet"});
    if (!process.waitForStarted(5000)) return;
    process.write(text);
    process.closeWriteChannel();
    // It owns the selection once another client can read the text back.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000) {
      if (ReadClipboardWithXclip() == text) {
        serving = true;
        break;
      }
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
  }
  ~XclipOwner() {
    if (process.state() != QProcess::NotRunning) {
      process.kill();
      process.waitForFinished(5000);
    }
  }
  bool Serving() const { return serving; }

 private:
  QProcess process;
  bool serving = false;
};

// Presses a button of the dialog; a message box that the press opens is read and closed.
std::vector<std::string> PressAndCollectMessages(MainDialog& dialog, int id) {
  std::vector<std::string> messages;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      messages.push_back(box->text().toStdString());
      box->accept();
    }
  });
  poll.start();
  auto* button = dialog.findChild<QPushButton*>(QStringLiteral("control%1").arg(id));
  EXPECT_NE(button, nullptr);
  if (button != nullptr) button->click();
  poll.stop();
  return messages;
}

class AppClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (XvfbDisplay().isEmpty()) GTEST_SKIP() << "ZP_XVFB_DISPLAY is not set (./test sets it)";
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "not on the xcb platform";
  }
};

TEST_F(AppClipboardTest, PastesWhatXclipOffersAndCopiesWhatXclipReads) {
  QtUiServices services;
  MainDialog dialog(ButtonIcons::Load(), nullptr, &services);
  services.SetOwner(&dialog);
  dialog.show();
  WaveEditorModel& model = dialog.Pane().Model();
  auto* lengthList = dialog.findChild<QComboBox*>(QStringLiteral("control%1").arg(1003));
  ASSERT_NE(lengthList, nullptr);

  {
    XclipOwner owner("FF00");
    ASSERT_TRUE(owner.Serving());
    EXPECT_TRUE(PressAndCollectMessages(dialog, MainDialog::kIdPaste).empty());
  }
  EXPECT_EQ(model.GetLength(), 2);
  EXPECT_EQ(model.Samples(), (std::vector<uint16_t>{0xff, 0x00}));
  EXPECT_EQ(model.GetPlayer().GetWaveText(), "ff00");
  EXPECT_EQ(lengthList->currentText(), "2");

  // A refused text shows its message in a box and changes nothing.
  {
    XclipOwner owner("zz00");
    ASSERT_TRUE(owner.Serving());
    EXPECT_EQ(PressAndCollectMessages(dialog, MainDialog::kIdPaste),
              std::vector<std::string>{"数値以外の文字が含まれています。"});
  }
  EXPECT_EQ(model.Samples(), (std::vector<uint16_t>{0xff, 0x00}));

  // Copy: another program reads the wave text from this one.
  EXPECT_TRUE(PressAndCollectMessages(dialog, MainDialog::kIdCopy).empty());
  EXPECT_EQ(ReadClipboardWithXclip(), QByteArray("ff00"));

  // The harmonics view: amplitudes in, amplitude text out.
  dialog.findChild<QPushButton*>(QStringLiteral("control%1").arg(MainDialog::kIdHarmonics))
      ->click();
  {
    XclipOwner owner("0,64,300");
    ASSERT_TRUE(owner.Serving());
    EXPECT_TRUE(PressAndCollectMessages(dialog, MainDialog::kIdPaste).empty());
  }
  EXPECT_EQ(model.GetLength(), 4);
  EXPECT_EQ(model.Amplitudes(), (std::vector<uint8_t>{0, 64, 44, 127}));
  EXPECT_EQ(lengthList->currentText(), "4");
  PressAndCollectMessages(dialog, MainDialog::kIdCopy);
  EXPECT_EQ(ReadClipboardWithXclip(), QByteArray("   0,  64,  44"));
}

}  // namespace
