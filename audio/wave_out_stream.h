// Packs 16-bit mono PCM bytes into fixed-size blocks, queues them on a sound device through a ring
// of 100 slots and frees each block when the device returns it.
//
// Threads: UI thread: IsActive, SetBlockSize, Open, RequestStop. Render thread: Write, Flush,
// Close, CountLiveBlocks, IsFull, IsStopRequested, WaitForChange. Device thread: the completion
// callback. One re-entrant lock guards the fields and is never held across a device call.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "audio/audio_device.h"

class WaveOutStream {
 public:
  static constexpr int kSlotCount = 100;

  explicit WaveOutStream(AudioDevice* device = nullptr);
  virtual ~WaveOutStream();
  WaveOutStream(const WaveOutStream&) = delete;
  WaveOutStream& operator=(const WaveOutStream&) = delete;

  // The device Open will use; null means no device (Open fails). UI thread, while closed.
  void SetDevice(AudioDevice* device);
  void SetBlockSize(uint32_t bytes);
  bool Open(int32_t sampleRate);
  bool Write(const void* bytes, uint32_t count);
  bool Flush();
  void Close();
  bool IsActive();
  void RequestStop();
  bool IsStopRequested();
  bool IsFull();
  int32_t CountLiveBlocks();
  // Blocks until a block comes back, a stop is requested, or the timeout (milliseconds) passes.
  // Render thread.
  void WaitForChange(int32_t timeoutMs);

  // Inspection for tests.
  int32_t CurrentSlot();
  uint32_t FillPosition();
  bool IsOpen();
  const WaveFormatEx& Format() const { return format; }

 private:
  static void Completion(AudioDevice* device, uint32_t message, void* instance,
                         WaveHeader* header);
  void Reset();
  bool Submit(int32_t slot, uint32_t length);

  std::recursive_mutex lock;
  std::condition_variable_any changed;
  AudioDevice* device;
  bool deviceOpen = false;
  uint32_t blockSize = 0;
  uint32_t fillPosition = 0;
  WaveFormatEx format;
  std::array<WaveHeader, kSlotCount> slots{};
  std::array<bool, kSlotCount> accepted{};  // the device took the slot's block
  int32_t currentSlot = 0;
  bool active = false;
  bool stopRequested = false;
  bool ringFull = false;
  int32_t sampleRate = 44100;
};
