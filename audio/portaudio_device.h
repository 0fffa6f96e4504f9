// The real sound device: plays queued blocks on the default output through PortAudio's blocking
// write and reports each block back once it has been written.
//
// Threads: the owner (the stream's UI or render thread) calls the AudioDevice operations, one at a
// time. Every call into PortAudio happens on the device's own thread, which starts PortAudio on
// first use and ends it when the device goes; the callback runs there too, or on the thread
// calling Reset or Close. The owner never waits on the sound system for longer than the timeouts
// below: a sound server that stops answering makes QueryFormat and Open fail and Close return
// with the device thread left to finish (or stay stuck) on its own.
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

  // PortAudio's version as "major.minor.subminor". Any thread.
  static std::string LibraryVersion();

  PortAudioDevice();
  ~PortAudioDevice() override;
  PortAudioDevice(const PortAudioDevice&) = delete;
  PortAudioDevice& operator=(const PortAudioDevice&) = delete;

  bool QueryFormat(const WaveFormatEx& format) override;
  bool Open(const WaveFormatEx& format, Callback callback, void* instance) override;
  bool Prepare(WaveHeader* header) override;
  bool Queue(WaveHeader* header) override;
  void Unprepare(WaveHeader* header) override;
  void Reset() override;
  void Close() override;

 private:
  struct Shared;

  // Shared with the device thread, so that a thread stuck inside PortAudio after the device
  // gave up on it never touches freed memory.
  std::shared_ptr<Shared> shared;
  std::thread thread;
};
