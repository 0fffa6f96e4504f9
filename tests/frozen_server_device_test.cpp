// The dialog against a sound server that stops answering: with the private PulseAudio server
// frozen (SIGSTOP), Play returns at once, the UI thread goes on handling events while the device
// still waits for the server, and Stop and Exit work and close the dialog. Skipped unless the test
// environment started that server (PULSE_SERVER and ZP_PULSE_PID).
#include "app/main_dialog.h"

#include <signal.h>
#include <sys/types.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>

#include "app/icon_resources.h"
#include "audio/portaudio_device.h"
#include "tests/support/fake_ui_services.h"
#include "tests/support/watched_audio_device.h"

namespace {

// Lets the frozen server run again however the test ends.
class ServerThaw {
 public:
  explicit ServerThaw(pid_t pid) : pid(pid) {}
  ~ServerThaw() { kill(pid, SIGCONT); }
  ServerThaw(const ServerThaw&) = delete;
  ServerThaw& operator=(const ServerThaw&) = delete;

 private:
  pid_t pid;
};

void Click(MainDialog& dialog, int id) {
  dialog.findChild<QPushButton*>(QStringLiteral("control%1").arg(id))->click();
}

TEST(FrozenSoundServer, TheDialogKeepsAnsweringAndClosesWhileTheServerDoesNotAnswer) {
  const char* server = std::getenv("PULSE_SERVER");
  const char* pidText = std::getenv("ZP_PULSE_PID");
  if (server == nullptr || *server == '\0' || pidText == nullptr || *pidText == '\0') {
    GTEST_SKIP() << "no private PulseAudio server (PULSE_SERVER and ZP_PULSE_PID unset)";
  }
  const auto pid = static_cast<pid_t>(std::atol(pidText));
  ASSERT_GT(pid, 0);

  const ButtonIcons icons = ButtonIcons::Load();
  FakeUiServices services;
  PortAudioDevice device;
  WatchedAudioDevice watched(device);
  // Declared after the device, so the server runs again before the device thread is waited for.
  ServerThaw thaw(pid);
  ASSERT_EQ(kill(pid, SIGSTOP), 0);
  {
    MainDialog dialog(icons, &watched, &services);
    dialog.show();
    Player& player = dialog.Pane().Model().GetPlayer();

    // A timer ticks every 10 ms throughout. Once it has ticked a few times while the device is
    // still waiting for the server, Stop is pressed; once the render thread has ended, Exit.
    int ticks = 0;
    int ticksWhileOpening = 0;
    bool stopPressed = false;
    bool exitPressed = false;
    QEventLoop loop;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      ++ticks;
      if (watched.IsOpening()) ++ticksWhileOpening;
      if (!stopPressed && ticksWhileOpening >= 3) {
        stopPressed = true;
        Click(dialog, MainDialog::kIdStop);
      } else if (stopPressed && !exitPressed && !player.IsPlaying()) {
        exitPressed = true;
        Click(dialog, MainDialog::kIdExit);
      } else if (exitPressed && !dialog.isVisible()) {
        loop.quit();
      }
    });
    // Only a guard against a hang: the loop normally ends long before.
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    ticker.start();
    Click(dialog, MainDialog::kIdPlay);
    EXPECT_TRUE(player.IsPlaying());
    loop.exec();
    ticker.stop();

    EXPECT_GE(ticksWhileOpening, 3) << "the UI thread handled no events while the device waited";
    EXPECT_TRUE(stopPressed);
    EXPECT_TRUE(exitPressed);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), MainDialog::kResultCancel);
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(watched.IsOpen());
    // The open was cancelled by the stop: nothing to tell the user.
    EXPECT_EQ(player.TakeOutputProblem(), OutputProblem::kNone);
  }
}

}  // namespace
