#include "audio/portaudio_device.h"

#include <portaudio.h>

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

namespace {

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
std::atomic<bool> logged[kKinds];

// Reports a failure of the sound system once per kind and process.
void LogOnce(Failure kind, const char* what, PaError code) {
  if (logged[kind].exchange(true)) return;
  if (code == paNoError) {
    std::fprintf(stderr, "sound output: %s\n", what);
  } else {
    std::fprintf(stderr, "sound output: %s: %s\n", what, Pa_GetErrorText(code));
  }
}

// Starting and ending PortAudio must not overlap between devices.
std::mutex& LifetimeMutex() {
  static std::mutex mutex;
  return mutex;
}

bool IsPlayable(const WaveFormatEx& format) {
  return format.formatTag == 1 && format.bitsPerSample == 16 && format.channels >= 1 &&
         format.samplesPerSec > 0;
}

}  // namespace

struct PortAudioDevice::Shared {
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
  uint32_t streamChunkFrames = kChunkFrames;
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

// PortAudio lists the devices only when it starts. With no stream open it is ended here, so that
// the next start sees the sound system as it is now: a server that came up since, or a default
// output that went away.
void PortAudioDevice::Shared::Restart() {
  if (!initialized || stream != nullptr) return;
  {
    std::lock_guard<std::mutex> lifetime(LifetimeMutex());
    platform_quirks::KeepAlsaPluginsLoaded();
    Pa_Terminate();
  }
  initialized = false;
}

bool PortAudioDevice::Shared::Initialize() {
  if (initialized) return true;
  platform_quirks::SilenceSoundLibraries();
  std::lock_guard<std::mutex> lifetime(LifetimeMutex());
  const PaError error = Pa_Initialize();
  if (error != paNoError) {
    LogOnce(kInitFailure, "cannot start PortAudio", error);
    problem = OutputProblem::kNoDevice;
    return false;
  }
  initialized = true;
  return true;
}

namespace {

// The default output with the format's channels as 16-bit samples, at the latency asked for (0:
// the device's high latency, at least kMinLatencySeconds); false without an output.
bool OutputParameters(const WaveFormatEx& wanted, double latency, PaStreamParameters& parameters) {
  const PaDeviceIndex output = Pa_GetDefaultOutputDevice();
  if (output == paNoDevice) {
    LogOnce(kFormatFailure, "no default output device", paNoError);
    return false;
  }
  const PaDeviceInfo* info = Pa_GetDeviceInfo(output);
  parameters = PaStreamParameters{};
  parameters.device = output;
  parameters.channelCount = wanted.channels;
  parameters.sampleFormat = paInt16;
  parameters.suggestedLatency =
      latency > 0
          ? latency
          : std::max(info != nullptr ? info->defaultHighOutputLatency : 0.0, kMinLatencySeconds);
  parameters.hostApiSpecificStreamInfo = nullptr;
  return true;
}

}  // namespace

bool PortAudioDevice::Shared::Query(const WaveFormatEx& wanted) {
  PaStreamParameters parameters;
  problem = OutputProblem::kNoDevice;
  if (!Initialize()) return false;
  if (!OutputParameters(wanted, 0, parameters)) {
    // Perhaps a sound server has come up since PortAudio listed the devices: look again.
    Restart();
    if (!Initialize() || !OutputParameters(wanted, 0, parameters)) return false;
  }
  const PaError result = Pa_IsFormatSupported(nullptr, &parameters, wanted.samplesPerSec);
  if (result != paFormatIsSupported) {
    LogOnce(kFormatFailure, "the default output does not take 16-bit PCM at this rate", result);
    problem = OutputProblem::kFormatRefused;
    return false;
  }
  problem = OutputProblem::kNone;
  return true;
}

bool PortAudioDevice::Shared::OpenStream(const WaveFormatEx& wanted, double latency,
                                         uint32_t frames) {
  PaStreamParameters parameters;
  problem = OutputProblem::kNoDevice;
  if (!Initialize() || !OutputParameters(wanted, latency, parameters)) return false;
  problem = OutputProblem::kOpenFailed;
  const uint32_t chunkFrames = frames > 0 ? std::max(frames, kMinChunkFrames) : kChunkFrames;
  PaStream* opened = nullptr;
  // Blocking writes: no callback, so nothing of ours runs on the real-time audio thread.
  PaError error = Pa_OpenStream(&opened, nullptr, &parameters, wanted.samplesPerSec, chunkFrames,
                                paNoFlag, nullptr, nullptr);
  if (error != paNoError) {
    LogOnce(kOpenFailure, "cannot open the default output", error);
    return false;
  }
  error = Pa_StartStream(opened);
  if (error != paNoError) {
    LogOnce(kOpenFailure, "cannot start the default output", error);
    Pa_CloseStream(opened);
    return false;
  }
  stream = opened;
  streamFailed = false;
  streamFormat = wanted;
  streamLatency = latency;
  streamChunkFrames = chunkFrames;
  chunk.resize(size_t{chunkFrames} * wanted.channels);
  problem = OutputProblem::kNone;
  return true;
}

void PortAudioDevice::Shared::CloseStream() {
  if (stream == nullptr) return;
  // A healthy stream plays out what was written; a failed one is dropped at once.
  if (streamFailed) {
    Pa_AbortStream(stream);
  } else {
    Pa_StopStream(stream);
  }
  Pa_CloseStream(stream);
  stream = nullptr;
}

// Answers the owner's question; an Open the owner gave up waiting for is undone.
void PortAudioDevice::Shared::Answer(std::unique_lock<std::mutex>& held) {
  const Job asked = job;
  const WaveFormatEx wanted = jobFormat;
  const double latency = jobLatency;
  const uint32_t frames = jobChunkFrames;
  const uint64_t serial = jobSerial;
  held.unlock();
  bool result;
  if (asked == Job::kQuery) {
    result = Query(wanted);
  } else {
    CloseStream();  // left over from a session whose Close gave up waiting
    result = OpenStream(wanted, latency, frames);
  }
  held.lock();
  if (asked == Job::kOpen && result && givenUpSerial == serial) {
    held.unlock();
    CloseStream();
    held.lock();
    result = false;
  }
  if (asked == Job::kOpen) {
    retriesLeft = 0;
    silentUntil = Clock::now();
  }
  answer = result;
  answerProblem = result ? OutputProblem::kNone : problem;
  answeredSerial = serial;
  job = Job::kIdle;
  changed.notify_all();
}

void PortAudioDevice::Shared::Report(std::unique_lock<std::mutex>& held, WaveHeader* header) {
  reporting = true;
  const Callback target = callback;
  void* const context = instance;
  AudioDevice* const source = device;
  held.unlock();
  target(source, kWomDone, context, header);
  held.lock();
  reporting = false;
  changed.notify_all();
}

// Owner thread: returns every queued block unwritten, after the report the device thread may be
// busy with, so that blocks still come back in order.
void PortAudioDevice::Shared::ReturnAll(std::unique_lock<std::mutex>& held) {
  std::deque<WaveHeader*> dropped;
  dropped.swap(pending);
  frontOffset = 0;
  ++resetGeneration;
  changed.wait(held, [this] { return !reporting; });
  const Callback target = callback;
  void* const context = instance;
  AudioDevice* const source = device;
  held.unlock();
  for (WaveHeader* header : dropped) target(source, kWomDone, context, header);
  held.lock();
}

// Without an output to write to, the oldest block is passed over in its playing time, so that
// the writer keeps its usual pace and Close its usual length.
void PortAudioDevice::Shared::PassOverSilently(std::unique_lock<std::mutex>& held) {
  WaveHeader* header = pending.front();
  const uint64_t generation = resetGeneration;
  const uint32_t left = header->bufferLength > frontOffset ? header->bufferLength - frontOffset : 0;
  const auto length = std::chrono::nanoseconds(uint64_t{left} * 1000000000ULL /
                                               std::max<uint32_t>(format.avgBytesPerSec, 1));
  const Clock::time_point due =
      std::max(silentUntil, Clock::now()) + std::chrono::duration_cast<Clock::duration>(length);
  const bool interrupted = wake.wait_until(
      held, due, [&] { return HasWork() || !sessionOpen || generation != resetGeneration; });
  if (interrupted) return;  // Reset or Close took the block, or there is a request to answer
  silentUntil = due;
  pending.pop_front();
  frontOffset = 0;
  Report(held, header);
}

// Plays on: one chunk of the oldest block, or its return once it is written whole.
void PortAudioDevice::Shared::Step(std::unique_lock<std::mutex>& held) {
  if (stream == nullptr && retriesLeft > 0 && Clock::now() >= retryAt) {
    --retriesLeft;
    const WaveFormatEx wanted = format;
    const double latency = streamLatency;
    const uint32_t frames = streamChunkFrames;
    held.unlock();
    OpenStream(wanted, latency, frames);
    held.lock();
    retryAt = Clock::now() + retryPause;
    retryPause *= 4;
    if (!sessionOpen || pending.empty()) return;
  }
  if (stream == nullptr) {
    PassOverSilently(held);
    return;
  }

  WaveHeader* header = pending.front();
  const uint32_t frameBytes = 2u * streamFormat.channels;
  const uint32_t chunkBytes = streamChunkFrames * frameBytes;
  const uint32_t left = header->bufferLength > frontOffset ? header->bufferLength - frontOffset : 0;
  const uint32_t bytes = std::min(left, chunkBytes) / frameBytes * frameBytes;
  if (bytes == 0) {
    // Written whole (a trailing part of a frame cannot be played).
    pending.pop_front();
    frontOffset = 0;
    Report(held, header);
    return;
  }
  // The chunk is copied so that Reset and Close can return the block at any moment.
  std::memcpy(chunk.data(), header->data + frontOffset, bytes);
  frontOffset += bytes;
  const uint64_t generation = resetGeneration;
  held.unlock();
  const PaError error = Pa_WriteStream(stream, chunk.data(), bytes / frameBytes);
  held.lock();
  if (error == paNoError) return;
  if (error == paOutputUnderflowed) {
    // The output ran dry before this chunk came: the sound has a gap. The chunk itself is played.
    events.fetch_or(kEventUnderrun, std::memory_order_relaxed);
    return;
  }

  // The sound system failed (a server that went away, for instance): drop this block, and try
  // a few times, further and further apart, to carry on with a fresh stream.
  LogOnce(kWriteFailure, "writing to the output failed", error);
  events.fetch_or(kEventOutputLost, std::memory_order_relaxed);
  streamFailed = true;
  if (sessionOpen && generation == resetGeneration && !pending.empty() &&
      pending.front() == header) {
    pending.pop_front();
    frontOffset = 0;
    Report(held, header);
  }
  held.unlock();
  CloseStream();
  held.lock();
  retriesLeft = kRetries;
  retryPause = kFirstRetryPause;
  retryAt = Clock::now() + retryPause;
  retryPause *= 4;
  silentUntil = Clock::now();
}

void PortAudioDevice::Shared::Run() {
  std::unique_lock<std::mutex> held(mutex);
  for (;;) {
    wake.wait(held, [this] { return HasWork() || (sessionOpen && !pending.empty()); });
    if (job != Job::kIdle) {
      Answer(held);
    } else if (closeSerial != closedSerial) {
      const uint64_t serial = closeSerial;
      held.unlock();
      CloseStream();
      held.lock();
      closedSerial = serial;
      changed.notify_all();
    } else if (exit) {
      break;
    } else {
      Step(held);
    }
  }
  held.unlock();
  CloseStream();
  if (initialized) {
    std::lock_guard<std::mutex> lifetime(LifetimeMutex());
    platform_quirks::KeepAlsaPluginsLoaded();
    Pa_Terminate();
  }
  held.lock();
  finished = true;
  changed.notify_all();
}

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
