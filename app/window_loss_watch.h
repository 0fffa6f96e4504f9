// Ends the editor when its window goes away from outside: another X client destroys it, or the
// connection to the display is lost. Either way the sound is stopped before the process ends.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <functional>

class Player;
class QWidget;

class WindowLossWatch : public QAbstractNativeEventFilter {
 public:
  // Calls `onLost` once, on the UI thread, when the X server reports `window` destroyed by
  // someone else; and, from then until destruction, stops `player` (and waits for its render
  // thread) should the process exit on a lost display connection. Neither is owned; both must
  // outlive the watch. [UI]
  WindowLossWatch(QWidget* window, Player* player, std::function<void()> onLost);
  ~WindowLossWatch() override;
  WindowLossWatch(const WindowLossWatch&) = delete;
  WindowLossWatch& operator=(const WindowLossWatch&) = delete;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  static void StopSoundAtExit();

  QWidget* window;
  std::function<void()> onLost;
  bool lost = false;
};
