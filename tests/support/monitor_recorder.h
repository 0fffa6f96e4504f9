// Records a PulseAudio source (a null sink's monitor) as raw 16-bit mono at 44100 Hz through
// parec, into memory, for tests that check what reached a sound server.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/parec_pipe.h"

class MonitorRecorder {
 public:
  // `server` empty: the server PULSE_SERVER names. Without `keep` only the counts are kept, so
  // that a long recording takes no memory.
  explicit MonitorRecorder(const std::string& source, const std::string& server = "",
                           bool keep = true)
      : keep(keep) {
    readFd = StartParec(source, 20, server, pid);
    if (readFd < 0) return;
    reader = std::thread([this] {
      uint8_t buffer[4096];
      for (;;) {
        const ssize_t got = read(readFd, buffer, sizeof buffer);
        if (got <= 0) break;
        std::lock_guard<std::mutex> held(mutex);
        for (ssize_t i = 0; i < got; ++i) Take(buffer[i]);
      }
    });
  }

  ~MonitorRecorder() { Stop(); }
  MonitorRecorder(const MonitorRecorder&) = delete;
  MonitorRecorder& operator=(const MonitorRecorder&) = delete;

  bool Started() const { return pid > 0; }

  size_t ByteCount() {
    std::lock_guard<std::mutex> held(mutex);
    return static_cast<size_t>(2 * sampleCount + (haveLow ? 1 : 0));
  }
  uint64_t SampleCount() {
    std::lock_guard<std::mutex> held(mutex);
    return sampleCount;
  }
  // Samples recorded that are not zero.
  uint64_t SoundingCount() {
    std::lock_guard<std::mutex> held(mutex);
    return soundingCount;
  }

  // Ends parec (by its process id) and collects what it wrote.
  void Stop() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
      pid = -1;
    }
    if (reader.joinable()) reader.join();
    if (readFd >= 0) {
      close(readFd);
      readFd = -1;
    }
  }

  // The samples recorded so far (when kept).
  std::vector<int16_t> Samples() {
    std::lock_guard<std::mutex> held(mutex);
    return samples;
  }

 private:
  // One byte of the little-endian stream.
  void Take(uint8_t byte) {
    if (!haveLow) {
      low = byte;
      haveLow = true;
      return;
    }
    haveLow = false;
    const auto sample = static_cast<int16_t>(low | (byte << 8));
    ++sampleCount;
    if (sample != 0) ++soundingCount;
    if (keep) samples.push_back(sample);
  }

  const bool keep;
  pid_t pid = -1;
  int readFd = -1;
  std::thread reader;
  std::mutex mutex;
  std::vector<int16_t> samples;
  uint64_t sampleCount = 0;
  uint64_t soundingCount = 0;
  uint8_t low = 0;
  bool haveLow = false;
};
