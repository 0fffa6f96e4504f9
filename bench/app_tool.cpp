// Measuring driver for the application's window, run under an X server:
//
//   app_tool startup       builds the application and its main dialog as the editor does, shows
//                          it and prints the wall-clock time (ns since the epoch) at which its
//                          first frame had been painted and handed to the window system
//   app_tool bare W H      the same for an empty Qt dialog of W x H pixels (the main dialog's
//                          size, which startup prints)
//   app_tool play-exit S   shows the main dialog, presses Play, lets it play S seconds, prints
//                          the peak resident memory, then presses Exit and prints the wall-clock
//                          time of that press; the process then ends as the editor does
//   app_tool play-exit S --low-latency   the same in the player's low-latency preview
//
// The caller takes the time before starting the tool and after it ended.
#include "app/main_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QVariant>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/editor_app.h"
#include "app/icon_resources.h"
#include "app/qt_ui_services.h"
#include "audio/portaudio_device.h"

namespace {

long long WallClockNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

std::string StatusField(const char* name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = name;
  while (std::getline(status, line)) {
    if (line.rfind(prefix, 0) == 0) {
      return line.substr(line.find_first_not_of(" \t", prefix.size()));
    }
  }
  return "?";
}

// Prints the time once the window's first exposure has been painted: Qt paints and flushes an
// exposed window before it returns to the event loop, where the zero timer runs.
class FirstFrame : public QObject {
 public:
  explicit FirstFrame(QWidget& widget) : widget(widget) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen && event->type() == QEvent::Expose && widget.windowHandle() == watched &&
        widget.windowHandle()->isExposed()) {
      seen = true;
      QTimer::singleShot(0, [] {
        std::printf("first_frame_ns %lld\n", WallClockNs());
        std::fflush(stdout);
        QCoreApplication::quit();
      });
    }
    return false;
  }

 private:
  QWidget& widget;
  bool seen = false;
};

int Startup(int argc, char** argv) {
  EditorApp app(argc, argv);
  PortAudioDevice device;
  const ButtonIcons icons = ButtonIcons::Load();
  QtUiServices services;
  MainDialog dialog(icons, &device, &services);
  services.SetOwner(&dialog);
  FirstFrame first(dialog);
  app.installEventFilter(&first);
  dialog.show();
  app.exec();
  services.SetOwner(nullptr);
  std::printf("size %d %d\n", dialog.width(), dialog.height());
  return 0;
}

int Bare(int argc, char** argv, int width, int height) {
  QApplication app(argc, argv);
  QDialog dialog;
  dialog.setFixedSize(width, height);
  FirstFrame first(dialog);
  app.installEventFilter(&first);
  dialog.show();
  app.exec();
  return 0;
}

int PlayThenExit(int argc, char** argv, double seconds, bool lowLatency) {
  EditorApp app(argc, argv);
  PortAudioDevice device;
  const ButtonIcons icons = ButtonIcons::Load();
  QtUiServices services;
  {
    // Play takes the preview from the remembered menu choice: set it for this run, and put the
    // user's own choice back afterwards.
    const QString key = QStringLiteral("lowLatencyPreview");
    const QVariant remembered = QSettings().value(key);
    QSettings().setValue(key, lowLatency);
    MainDialog dialog(icons, &device, &services);
    services.SetOwner(&dialog);
    dialog.Pane().Model().GetPlayer().SetLowLatency(lowLatency);
    if (remembered.isValid()) {
      QSettings().setValue(key, remembered);
    } else {
      QSettings().remove(key);
    }
    dialog.show();
    QTimer::singleShot(200, [&] {
      dialog.findChild<QPushButton*>(QStringLiteral("control%1").arg(MainDialog::kIdPlay))->click();
    });
    QTimer::singleShot(200 + static_cast<int>(seconds * 1000), [&] {
      std::printf("vm_hwm %s\nvm_rss %s\n", StatusField("VmHWM:").c_str(),
                  StatusField("VmRSS:").c_str());
      std::printf("exit_ns %lld\n", WallClockNs());
      std::fflush(stdout);
      dialog.findChild<QPushButton*>(QStringLiteral("control%1").arg(MainDialog::kIdExit))->click();
    });
    dialog.exec();
    services.SetOwner(nullptr);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  PortAudioDevice::PrepareEnvironment();
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "startup") return Startup(argc, argv);
  if (mode == "bare" && argc > 3) return Bare(argc, argv, std::atoi(argv[2]), std::atoi(argv[3]));
  if (mode == "play-exit" && argc > 2) {
    const bool lowLatency = argc > 3 && std::string(argv[3]) == "--low-latency";
    return PlayThenExit(argc, argv, std::atof(argv[2]), lowLatency);
  }
  std::fprintf(stderr,
               "usage: %s startup | bare WIDTH HEIGHT | play-exit SECONDS [--low-latency]\n",
               argv[0]);
  return 2;
}
