// Turns SIGINT, SIGTERM and SIGHUP into a call on the UI thread, so that a signal ends the
// program the way Exit does: the sound stops and the session is kept.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

class QWidget;

class ExitSignals : public QObject {
 public:
  // Closes every dialog, message box and menu open above `main` (rejected, as Esc would), so
  // that `main` can end although one of them was running its own event loop. [UI]
  static void CloseModalsAbove(QWidget* main);

  // `onSignal` runs on the UI thread after one of the signals arrived. One instance at a time.
  explicit ExitSignals(std::function<void()> onSignal);
  // Puts the signals' default handling back.
  ~ExitSignals() override;
  ExitSignals(const ExitSignals&) = delete;
  ExitSignals& operator=(const ExitSignals&) = delete;

 private:
  std::function<void()> onSignal;
  QSocketNotifier* notifier = nullptr;
};
