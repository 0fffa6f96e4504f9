#include "audio/portaudio_device.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "audio/platform_quirks.h"
#include "audio/portaudio_shared.h"

using namespace portaudio_detail;

std::string PortAudioDevice::LibraryVersion() {
  const PaVersionInfo* info = Pa_GetVersionInfo();
  return std::to_string(info->versionMajor) + "." + std::to_string(info->versionMinor) + "." +
         std::to_string(info->versionSubMinor);
}

void PortAudioDevice::PrepareEnvironment() {
  platform_quirks::PrepareSoundEnvironment();
}

PortAudioDevice::PortAudioDevice() : shared(std::make_shared<Shared>()) {
  shared->device = this;
  thread = std::thread([state = shared] { state->Run(); });
}

PortAudioDevice::~PortAudioDevice() {
  Close();
  std::unique_lock<std::mutex> held(shared->mutex);
  shared->exit = true;
  shared->wake.notify_all();
  const bool finished = shared->changed.wait_for(held, std::chrono::milliseconds(kCloseTimeoutMs),
                                                 [this] { return shared->finished; });
  held.unlock();
  if (finished) {
    thread.join();
  } else {
    // Stuck inside PortAudio: the thread ends PortAudio itself if it ever comes back.
    LogOnce(kStuckFailure, "the sound system does not answer", paNoError);
    thread.detach();
  }
}

namespace {

// Asks the device thread a question and waits a bounded time for the answer, or until the open is
// cancelled.
template <typename Shared, typename Job>
bool Ask(Shared& shared, Job job, const WaveFormatEx& format, int32_t timeoutMs) {
  std::unique_lock<std::mutex> held(shared.mutex);
  shared.lastProblem = OutputProblem::kNone;
  if (shared.openCancelled) return false;
  if (shared.job != Job::kIdle) {
    // Still busy with a question given up on: the sound system has not answered since.
    shared.lastProblem = OutputProblem::kServerLost;
    return false;
  }
  shared.job = job;
  shared.jobFormat = format;
  shared.jobLatency = shared.latencySeconds;
  shared.jobChunkFrames = shared.chunkFrames;
  const uint64_t serial = ++shared.jobSerial;
  shared.wake.notify_all();
  if (shared.changed.wait_for(
          held, std::chrono::milliseconds(timeoutMs),
          [&] { return shared.answeredSerial == serial || shared.openCancelled; }) &&
      shared.answeredSerial == serial) {
    shared.lastProblem = shared.answerProblem;
    return shared.answer;
  }
  // Given up on: an Open that still succeeds is undone by the device thread.
  shared.givenUpSerial = serial;
  if (!shared.openCancelled) {
    shared.lastProblem = OutputProblem::kServerLost;
    LogOnce(kStuckFailure, "the sound system does not answer", paNoError);
  }
  return false;
}

}  // namespace

bool PortAudioDevice::QueryFormat(const WaveFormatEx& format) {
  if (!IsPlayable(format)) {
    std::lock_guard<std::mutex> held(shared->mutex);
    shared->lastProblem = OutputProblem::kFormatRefused;
    return false;
  }
  return Ask(*shared, Shared::Job::kQuery, format, kAnswerTimeoutMs);
}

bool PortAudioDevice::Open(const WaveFormatEx& format, Callback callback, void* instance) {
  {
    std::lock_guard<std::mutex> held(shared->mutex);
    if (shared->sessionOpen) return false;
  }
  if (!IsPlayable(format)) {
    std::lock_guard<std::mutex> held(shared->mutex);
    shared->lastProblem = OutputProblem::kFormatRefused;
    return false;
  }
  if (!Ask(*shared, Shared::Job::kOpen, format, kAnswerTimeoutMs)) return false;
  std::lock_guard<std::mutex> held(shared->mutex);
  shared->callback = callback;
  shared->instance = instance;
  shared->format = format;
  shared->pending.clear();
  shared->frontOffset = 0;
  shared->sessionOpen = true;
  return true;
}

bool PortAudioDevice::Prepare(WaveHeader* header) {
  std::lock_guard<std::mutex> held(shared->mutex);
  if (!shared->sessionOpen) return false;
  header->prepared = true;
  return true;
}

bool PortAudioDevice::Queue(WaveHeader* header) {
  std::lock_guard<std::mutex> held(shared->mutex);
  if (!shared->sessionOpen || !header->prepared) return false;
  shared->pending.push_back(header);
  shared->wake.notify_all();
  return true;
}

void PortAudioDevice::Unprepare(WaveHeader* header) {
  header->prepared = false;
}

void PortAudioDevice::SetLatency(double seconds, uint32_t chunkFrames) {
  std::lock_guard<std::mutex> held(shared->mutex);
  shared->latencySeconds = std::max(seconds, 0.0);
  shared->chunkFrames = chunkFrames;
}

void PortAudioDevice::SetOpenCancelled(bool cancelled) {
  std::lock_guard<std::mutex> held(shared->mutex);
  shared->openCancelled = cancelled;
  shared->changed.notify_all();
}

OutputProblem PortAudioDevice::LastOpenProblem() {
  std::lock_guard<std::mutex> held(shared->mutex);
  return shared->lastProblem;
}

uint32_t PortAudioDevice::TakeEvents() {
  return shared->events.exchange(0, std::memory_order_relaxed);
}

void PortAudioDevice::Reset() {
  std::unique_lock<std::mutex> held(shared->mutex);
  if (shared->sessionOpen) shared->ReturnAll(held);
}

void PortAudioDevice::Close() {
  std::unique_lock<std::mutex> held(shared->mutex);
  if (!shared->sessionOpen) return;
  shared->sessionOpen = false;
  shared->ReturnAll(held);
  shared->callback = nullptr;
  // The stream plays out what was written to it, then closes; a device thread stuck inside
  // PortAudio closes it whenever it comes back.
  const uint64_t serial = ++shared->closeSerial;
  shared->wake.notify_all();
  if (!shared->changed.wait_for(held, std::chrono::milliseconds(kCloseTimeoutMs),
                                [&] { return shared->closedSerial >= serial; })) {
    LogOnce(kStuckFailure, "the sound system does not answer", paNoError);
  }
}
