// The PortAudio device's own thread: it starts and ends PortAudio, opens and closes the stream,
// answers the owner's questions and writes the queued blocks.
#include <algorithm>
#include <cstring>
#include <string>

#include "audio/platform_quirks.h"
#include "audio/portaudio_shared.h"

using namespace portaudio_detail;

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
