#include "app/window_loss_watch.h"

#include <QCoreApplication>
#include <QWidget>
#include <atomic>
#include <cstdlib>

#include "synth/player.h"

#if defined(__linux__)
#include <xcb/xcb.h>
#endif

namespace {

// The player to stop if the process exits under the dialog's feet. Qt's X11 platform ends the
// process with exit() when the display connection breaks, which unwinds no stack: the render
// thread would go on writing into a device whose owner never closes it.
std::atomic<Player*> playerAtExit{nullptr};
std::atomic<bool> exitHandlerRegistered{false};

}  // namespace

WindowLossWatch::WindowLossWatch(QWidget* window, Player* player, std::function<void()> onLost)
    : window(window), onLost(std::move(onLost)) {
  playerAtExit.store(player);
  if (!exitHandlerRegistered.exchange(true)) std::atexit(&WindowLossWatch::StopSoundAtExit);
  QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowLossWatch::~WindowLossWatch() {
  QCoreApplication::instance()->removeNativeEventFilter(this);
  playerAtExit.store(nullptr);
}

void WindowLossWatch::StopSoundAtExit() {
  // Stops the render thread and waits for it; it winds the device down on its way out.
  if (Player* player = playerAtExit.exchange(nullptr)) player->ReleaseTones();
}

bool WindowLossWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#if defined(__linux__)
  if (lost || eventType != "xcb_generic_event_t" || window == nullptr) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY) return false;
  const auto* destroyed = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
  // Only a window the platform still counts as ours: when Qt destroys it, it is gone from Qt
  // before the server reports it.
  if (!window->testAttribute(Qt::WA_WState_Created) ||
      destroyed->window != static_cast<xcb_window_t>(window->internalWinId())) {
    return false;
  }
  lost = true;
  onLost();
#else
  (void)eventType;
  (void)message;
#endif
  return false;
}
