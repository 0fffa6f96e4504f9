// Load through the real widgets: ten thousand random operations on the main dialog, with mouse
// gestures delivered to its window (clicks, drags that leave the pane and come back, pointer moves
// without a button) and its buttons and lists, while sound plays; first into the capturing test
// device, then into the private PulseAudio null sink through the PortAudio device. Every
// operation is checked against the state it must leave, and the status field against the last
// pointer report.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/icon_resources.h"
#include "audio/portaudio_device.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/load_run.h"
#include "tests/support/monitor_recorder.h"

namespace {

constexpr uint32_t kDefaultSeed = 20240611;
constexpr int32_t kOperations = 10000;

// The pane's mappings from a point to a column and a value, from its size, length and view.
struct PaneMapping {
  PaneMapping(int32_t width, int32_t height, int32_t length, bool harmonics)
      : harmonics(harmonics) {
    column = std::max(width / length, 1);
    unit = std::max(height / (harmonics ? 128 : 256), 1);
    base = harmonics ? 127 * unit + 30 : height / 2;
  }
  int32_t Column(QPoint p) const { return p.x() / column; }
  int32_t Value(QPoint p) const {
    return harmonics ? std::clamp((p.y() - 30) / unit, 0, 127)
                     : std::clamp((base - p.y()) / unit, -128, 127);
  }

  bool harmonics;
  int32_t column;
  int32_t unit;
  int32_t base;
};

class DialogLoadRun : public load::LoadRun {
 public:
  DialogLoadRun(MainDialog& dialog, const WatchedAudioDevice& device, FakeUiServices& services,
                uint32_t seed)
      : LoadRun(dialog.Pane().Model(), device, services, seed),
        dialog(dialog),
        pane(dialog.Pane()) {}

 protected:
  void Edit(Writes& writes) override {
    const int32_t width = pane.width();
    const int32_t height = pane.height();
    const int32_t length = model.GetLength();
    const PaneMapping map(width, height, length, model.IsHarmonicsView());
    const auto inside = [&] { return QPoint(Uniform(0, width - 1), Uniform(0, height - 1)); };
    // Anywhere around the pane, also outside the dialog's window.
    const auto anywhere = [&] {
      return QPoint(Uniform(-map.column - 8, width + 12), Uniform(-45, height + 45));
    };
    const auto near = [&](QPoint from) {
      return QPoint(from.x() + Uniform(-2 * map.column, 2 * map.column),
                    from.y() + Uniform(-20, 20));
    };
    const auto inRange = [&](int32_t column) { return column >= 0 && column < length; };

    switch (Uniform(0, 3)) {
      case 0: {
        // Moves without a button: reports only, and only from over the pane.
        for (int32_t moves = Uniform(1, 6); moves > 0; --moves) {
          const QPoint to = Uniform(0, 1) == 1 ? inside() : anywhere();
          Send(QEvent::MouseMove, Qt::NoButton, to);
          if (to.x() >= 0 && to.x() < width && to.y() >= 0 && to.y() < height) Moved(map, to);
        }
        break;
      }
      case 1: {
        // A click: the release writes its own column.
        const QPoint at = inside();
        Send(QEvent::MouseMove, Qt::NoButton, at);
        Moved(map, at);
        Press(at);
        Release(at);
        if (inRange(map.Column(at))) writes.emplace_back(map.Column(at), map.Value(at));
        break;
      }
      default: {
        // A drag: every move that leaves a column writes the last value inside it; the release
        // writes where it happens. The pointer may leave the pane and the window.
        QPoint at = inside();
        Press(at);
        for (int32_t moves = Uniform(1, 12); moves > 0; --moves) {
          const QPoint to = Uniform(0, 4) == 0 ? anywhere() : near(at);
          Send(QEvent::MouseMove, Qt::NoButton, to);
          if (map.Column(at) != map.Column(to) && inRange(map.Column(at))) {
            writes.emplace_back(map.Column(at), map.Value(at));
          }
          Moved(map, to);
          at = to;
        }
        Release(at);
        if (inRange(map.Column(at))) writes.emplace_back(map.Column(at), map.Value(at));
        break;
      }
    }
  }

  void Hold() override { Click(MainDialog::kIdHold); }
  void Poly() override { Click(MainDialog::kIdPoly); }
  void Harmonics() override { Click(MainDialog::kIdHarmonics); }
  void ChooseLength(int32_t index) override { Choose(MainDialog::kIdLengthList, index); }
  void ChoosePitch(int32_t index) override { Choose(MainDialog::kIdPitchList, index); }
  void Copy() override { Click(MainDialog::kIdCopy); }
  void Paste() override { Click(MainDialog::kIdPaste); }
  void Play() override { Click(MainDialog::kIdPlay); }
  void Stop() override { Click(MainDialog::kIdStop); }

  // Runs the posted pointer reports and redraws, then compares the status field with the last
  // report.
  void Settle() override {
    QCoreApplication::processEvents();
    if (!reported) return;
    char text[48];
    std::snprintf(text, sizeof text, "\n x: %2d\n y: %2d", reportColumn, reportValue);
    auto* status =
        dialog.findChild<QLabel*>(QStringLiteral("control%1").arg(MainDialog::kIdStatus));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text().toStdString(), text);
  }

 private:
  // A pointer event at a point in pane coordinates, delivered to the dialog's window as the
  // window system would deliver it.
  void Send(QEvent::Type type, Qt::MouseButton button, QPoint panePoint) {
    const QPointF local(pane.mapTo(&dialog, panePoint));
    QWindow* window = dialog.windowHandle();
    QMouseEvent event(type, local, local, window->mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
  }
  void Press(QPoint at) {
    held = Qt::LeftButton;
    Send(QEvent::MouseButtonPress, Qt::LeftButton, at);
    pointer = at;
  }
  void Release(QPoint at) {
    held = Qt::NoButton;
    Send(QEvent::MouseButtonRelease, Qt::LeftButton, at);
  }
  // The pane saw a move to `to`: it reports the column there and the value of its last position.
  void Moved(const PaneMapping& map, QPoint to) {
    reported = true;
    reportColumn = map.Column(to);
    reportValue = map.Value(pointer);
    pointer = to;
  }

  void Click(int id) {
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("control%1").arg(id));
    ASSERT_NE(button, nullptr) << id;
    button->click();
  }
  // A list entry chosen by the user.
  void Choose(int id, int32_t index) {
    auto* list = dialog.findChild<QComboBox*>(QStringLiteral("control%1").arg(id));
    ASSERT_NE(list, nullptr) << id;
    list->setCurrentIndex(index);
    list->activated(index);
  }

  MainDialog& dialog;
  WaveEditor& pane;
  Qt::MouseButtons held = Qt::NoButton;
  // The pane's last pointer position: its top left corner before the first event.
  QPoint pointer{0, 0};
  bool reported = false;
  int32_t reportColumn = 0;
  int32_t reportValue = 0;
};

// The render thread's last step closes the stream, which waits for every block the device took.
bool WaitUntilQuiet(Player& player, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (player.IsPlaying()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// Shows the dialog on `device`, runs the load and winds the sound down.
void RunOnDevice(AudioDevice* device, uint32_t seed, int32_t minimumWithSound) {
  WatchedAudioDevice watched(*device);
  FakeUiServices services;
  const ButtonIcons icons = ButtonIcons::Load();
  MainDialog dialog(icons, &watched, &services);
  dialog.show();
  for (int i = 0; i < 1000 && !dialog.windowHandle()->isExposed(); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  ASSERT_TRUE(dialog.windowHandle()->isExposed());
  QCoreApplication::processEvents();

  DialogLoadRun run(dialog, watched, services, seed);
  run.Run(kOperations);
  ASSERT_FALSE(::testing::Test::HasFailure());
  run.ExpectMemorySteady();
  EXPECT_GT(run.OperationsWithSound(), minimumWithSound);

  Player& player = dialog.Pane().Model().GetPlayer();
  dialog.Pane().Stop();
  EXPECT_TRUE(WaitUntilQuiet(player, std::chrono::seconds(10)));
  ASSERT_TRUE(watched.KnowsStream());
  EXPECT_EQ(watched.LiveBlocks(), 0);
}

TEST(LoadThroughWidgets, TenThousandOperationsIntoTheCapturingDevice) {
  CaptureAudioDevice device;
  device.SetPace(CaptureAudioDevice::Pace::kFixed, 2);
  device.SetWindows({{0, 0}});
  RunOnDevice(&device, load::Seed(kDefaultSeed), kOperations / 10);
  EXPECT_GT(device.PlayedBlocks(), 200u);
  EXPECT_EQ(device.PendingCount(), 0);
}

TEST(LoadThroughWidgets, TenThousandOperationsIntoThePrivateSoundServer) {
  if (std::getenv("PULSE_SERVER") == nullptr || std::getenv("ZP_PULSE_SINK") == nullptr) {
    GTEST_SKIP() << "no private PulseAudio server (PULSE_SERVER and ZP_PULSE_SINK unset)";
  }
  // Only counts are kept of the recording, so that it takes no memory during the run.
  MonitorRecorder recorder(std::string(std::getenv("ZP_PULSE_SINK")) + ".monitor", "", false);
  ASSERT_TRUE(recorder.Started()) << "parec could not be started";
  {
    PortAudioDevice device;
    // Real time: a stop takes up to half a second to play out, during which Play is refused.
    RunOnDevice(&device, load::Seed(kDefaultSeed + 1), kOperations / 10);
  }
  recorder.Stop();
  // The sound reached the server: at least a quarter of a second of it is not silence.
  EXPECT_GT(recorder.SoundingCount(), 44100u / 4) << "of " << recorder.SampleCount();
}

}  // namespace
