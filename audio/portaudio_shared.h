// Inside the PortAudio device: the state its owner and its device thread share, and the
// helpers both halves use. Only audio/portaudio_device*.cpp include it.
#pragma once

#include <portaudio.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <vector>

#include "audio/portaudio_device.h"

namespace portaudio_detail {

using Clock = std::chrono::steady_clock;

// Frames handed to PortAudio per write, and per buffer of the stream: 93 ms, small enough that
// Reset, Close and new requests are noticed promptly, large enough that the sound system wakes the
// process only about ten times a second.
constexpr uint32_t kChunkFrames = 4096;
// The least output latency asked for. The devices' own suggestions (35 ms with PulseAudio) cost
// several times the processor time for nothing audible: the writer keeps 0.5 s queued anyway.
constexpr double kMinLatencySeconds = 0.2;
// The fewest frames per write asked for with a chosen latency.
constexpr uint32_t kMinChunkFrames = 64;
// After a failed write a fresh stream is tried this many times, the first after this pause and
// each further one after four times the pause before; then the device stays silent until the
// next Open.
constexpr int32_t kRetries = 3;
constexpr std::chrono::milliseconds kFirstRetryPause{250};

enum Failure { kInitFailure, kFormatFailure, kOpenFailure, kWriteFailure, kStuckFailure, kKinds };
inline std::atomic<bool> logged[kKinds];

// Reports a failure of the sound system once per kind and process.
inline void LogOnce(Failure kind, const char* what, PaError code) {
  if (logged[kind].exchange(true)) return;
  if (code == paNoError) {
    std::fprintf(stderr, "sound output: %s\n", what);
  } else {
    std::fprintf(stderr, "sound output: %s: %s\n", what, Pa_GetErrorText(code));
  }
}

// Starting and ending PortAudio must not overlap between devices.
inline std::mutex& LifetimeMutex() {
  static std::mutex mutex;
  return mutex;
}

inline bool IsPlayable(const WaveFormatEx& format) {
  return format.formatTag == 1 && format.bitsPerSample == 16 && format.channels >= 1 &&
         format.samplesPerSec > 0;
}

}  // namespace portaudio_detail

struct PortAudioDevice::Shared {
  using Clock = portaudio_detail::Clock;

  enum class Job { kIdle, kQuery, kOpen };

  std::mutex mutex;
  std::condition_variable wake;     // the device thread waits on it
  std::condition_variable changed;  // the owner waits on it

  // A question for the device thread; the owner waits for the answer or gives up on it.
  Job job = Job::kIdle;
  WaveFormatEx jobFormat;
  double jobLatency = 0;
  uint32_t jobChunkFrames = 0;
  uint64_t jobSerial = 0;
  uint64_t answeredSerial = 0;
  uint64_t givenUpSerial = 0;
  bool answer = false;
  OutputProblem answerProblem = OutputProblem::kNone;
  // Set by SetOpenCancelled: questions fail at once, and a waiting one gives up.
  bool openCancelled = false;
  // What the owner chose for the next Open, and why its last question failed.
  double latencySeconds = 0;
  uint32_t chunkFrames = 0;
  OutputProblem lastProblem = OutputProblem::kNone;
  // DeviceEvent bits, set by the device thread and taken by anyone.
  std::atomic<uint32_t> events{0};
  // Requests to drain and close the stream, and to end the thread.
  uint64_t closeSerial = 0;
  uint64_t closedSerial = 0;
  bool exit = false;
  bool finished = false;

  // The session between a successful Open and Close.
  bool sessionOpen = false;
  AudioDevice* device = nullptr;
  Callback callback = nullptr;
  void* instance = nullptr;
  WaveFormatEx format;
  std::deque<WaveHeader*> pending;
  uint32_t frontOffset = 0;  // bytes of the oldest pending block already written
  uint64_t resetGeneration = 0;
  bool reporting = false;  // the device thread is inside the callback

  // Device thread only.
  bool initialized = false;
  PaStream* stream = nullptr;
  bool streamFailed = false;
  WaveFormatEx streamFormat;
  double streamLatency = 0;
  uint32_t streamChunkFrames = portaudio_detail::kChunkFrames;
  OutputProblem problem = OutputProblem::kNone;  // why the last Query or OpenStream failed
  std::vector<int16_t> chunk;
  int32_t retriesLeft = 0;
  Clock::duration retryPause{};
  Clock::time_point retryAt;
  Clock::time_point silentUntil;

  void Run();
  bool Initialize();
  void Restart();
  bool Query(const WaveFormatEx& wanted);
  bool OpenStream(const WaveFormatEx& wanted, double latency, uint32_t chunkFrames);
  void CloseStream();
  void Answer(std::unique_lock<std::mutex>& held);
  void Step(std::unique_lock<std::mutex>& held);
  void PassOverSilently(std::unique_lock<std::mutex>& held);
  void Report(std::unique_lock<std::mutex>& held, WaveHeader* header);
  void ReturnAll(std::unique_lock<std::mutex>& held);
  bool HasWork() const { return job != Job::kIdle || closeSerial != closedSerial || exit; }
};
