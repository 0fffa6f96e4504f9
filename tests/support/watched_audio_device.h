// A sound device for tests that passes every call on to another device and tells what the stream
// playing on it is doing, as far as the calls show: whether the device is open or being opened,
// and, once the stream has queued a block (every block names the stream that queued it), the
// stream's own state.
//
// Threads: every operation is thread-safe. The stream must outlive every look at its state.
#pragma once

#include <atomic>
#include <cstdint>

#include "audio/audio_device.h"

class WaveOutStream;

class WatchedAudioDevice : public AudioDevice {
 public:
  // `device` receives every call and must outlive this one.
  explicit WatchedAudioDevice(AudioDevice& device) : device(device) {}
  WatchedAudioDevice(const WatchedAudioDevice&) = delete;
  WatchedAudioDevice& operator=(const WatchedAudioDevice&) = delete;

  // --- The device's calls -----------------------------------------------------------------------
  // Between an Open that succeeded and the next Close.
  bool IsOpen() const { return open.load(); }
  // From the first call of an open (SetLatency) until Open succeeded or the stream asked why it
  // failed.
  bool IsOpening() const { return opening.load(); }

  // --- The stream that queued blocks here; before its first block, none ------------------------
  bool KnowsStream() const { return stream.load() != nullptr; }
  // Slots holding a block, the one being filled included (0 before the first block).
  int32_t LiveBlocks() const;
  bool StopRequested() const;
  // Blocks out on the device, or one being filled after them.
  bool Active() const;
  // Bytes written into the block being filled.
  uint32_t FillPosition() const;

  // --- AudioDevice ------------------------------------------------------------------------------
  bool QueryFormat(const WaveFormatEx& format) override { return device.QueryFormat(format); }
  bool Open(const WaveFormatEx& format, Callback callback, void* instance) override;
  bool Prepare(WaveHeader* header) override;
  bool Queue(WaveHeader* header) override { return device.Queue(header); }
  void Unprepare(WaveHeader* header) override { device.Unprepare(header); }
  void Reset() override { device.Reset(); }
  void Close() override;
  void SetLatency(double seconds, uint32_t chunkFrames) override;
  void SetOpenCancelled(bool cancelled) override { device.SetOpenCancelled(cancelled); }
  OutputProblem LastOpenProblem() override;
  uint32_t TakeEvents() override { return device.TakeEvents(); }

 private:
  AudioDevice& device;
  std::atomic<bool> open{false};
  std::atomic<bool> opening{false};
  std::atomic<WaveOutStream*> stream{nullptr};
};
