#include "app/exit_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
// The handler's end of the pair writes one byte per signal; the UI thread reads the other end.
int signalPair[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  // Only async-signal-safe calls here; a full pipe already holds a wake-up.
  [[maybe_unused]] const ssize_t written = write(signalPair[0], &byte, 1);
}

}  // namespace

ExitSignals::ExitSignals(std::function<void()> onSignal) : onSignal(std::move(onSignal)) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPair) != 0) return;
  notifier = new QSocketNotifier(signalPair[1], QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (read(signalPair[1], bytes, sizeof bytes) > 0) {
    }
    if (this->onSignal) this->onSignal();
  });
  struct sigaction action = {};
  action.sa_handler = &OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

void ExitSignals::CloseModalsAbove(QWidget* main) {
  // Each pass closes the innermost one; a widget that refuses to close ends the loop.
  QWidget* last = nullptr;
  for (int pass = 0; pass < 32; ++pass) {
    QWidget* open = QApplication::activePopupWidget();
    if (open == nullptr) open = QApplication::activeModalWidget();
    if (open == nullptr || open == main || open == last) return;
    last = open;
    if (auto* dialog = qobject_cast<QDialog*>(open)) {
      dialog->reject();
    } else {
      open->close();
    }
  }
}

ExitSignals::~ExitSignals() {
  for (int signal : kSignals) std::signal(signal, SIG_DFL);
  delete notifier;
  for (int& end : signalPair) {
    if (end >= 0) close(end);
    end = -1;
  }
}
