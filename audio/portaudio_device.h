// The real sound device: plays queued blocks on the default output through PortAudio's blocking
// write and reports each block back once it has been written.
//
// Threads (README's vocabulary): the owner, [render] (the player opens and writes from its render
// thread) or [UI], calls the AudioDevice operations one at a time. Every call into PortAudio
// happens on the device's own thread, [device], which starts PortAudio on first use and ends it
// when the device goes; the callback runs there too, or on the thread calling Reset or Close. The
// owner never waits on the sound system for longer than the timeouts below, and not at all once
// the open is cancelled: a sound server that stops answering makes QueryFormat and Open fail and
// Close return with the device thread left to finish (or stay stuck) on its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "audio/audio_device.h"

class PortAudioDevice : public AudioDevice {
 public:
  // How long QueryFormat and Open wait for an answer (the first also starts PortAudio, which
  // probes every device), and how long Close and the destructor wait for the device thread.
  static constexpr int32_t kAnswerTimeoutMs = 3000;
  static constexpr int32_t kCloseTimeoutMs = 1000;

  // PortAudio's version as "major.minor.subminor". [any]
  static std::string LibraryVersion();
  // Sets what the sound libraries read from the environment. Call first thing in main(), before
  // any thread starts (and before the first device is built). [UI, not while playing]
  static void PrepareEnvironment();

  // Starts the device thread. [UI]
  PortAudioDevice();
  // Closes, then waits up to kCloseTimeoutMs for the device thread; one stuck inside PortAudio is
  // left behind. [UI, not while playing]
  ~PortAudioDevice() override;
  PortAudioDevice(const PortAudioDevice&) = delete;
  PortAudioDevice& operator=(const PortAudioDevice&) = delete;

  // Each waits at most kAnswerTimeoutMs, less when the open is cancelled. [render]
  bool QueryFormat(const WaveFormatEx& format) override;
  bool Open(const WaveFormatEx& format, Callback callback, void* instance) override;
  // [render]
  bool Prepare(WaveHeader* header) override;
  bool Queue(WaveHeader* header) override;
  // [device]
  void Unprepare(WaveHeader* header) override;
  // Each waits at most kCloseTimeoutMs for the device thread. [render]
  void Reset() override;
  void Close() override;
  // The latency the next Open asks PortAudio for; 0 keeps the default (the device's high latency,
  // at least 0.2 s, written 4096 frames at a time). [render], while closed.
  void SetLatency(double seconds, uint32_t chunkFrames) override;
  // [any]
  void SetOpenCancelled(bool cancelled) override;
  // [render]
  OutputProblem LastOpenProblem() override;
  // Underruns that PortAudio reported on a write, and failed writes. [any]
  uint32_t TakeEvents() override;

 private:
  struct Shared;

  // Shared with the device thread, so that a thread stuck inside PortAudio after the device
  // gave up on it never touches freed memory.
  std::shared_ptr<Shared> shared;
  std::thread thread;
};
