// Packs 16-bit mono PCM bytes into fixed-size blocks, queues them on a sound device through a ring
// of 100 slots and frees each block when the device returns it.
//
// Threads: UI thread: SetDevice, SetBlockSize, Open, IsActive, RequestStop. Render thread: Write,
// Flush, Close, CountLiveBlocks, IsFull, IsStopRequested, WaitForChange. Device thread: the
// completion callback. Every operation may be called from any thread without a data race; the
// split above is the one the player keeps. One re-entrant lock guards the fields and is never held
// across a device call; the live-block count and the stop and ring-full flags, which the render
// thread tests before every sample, are changed under it but read without it.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "audio/audio_device.h"

class WaveOutStream {
 public:
  static constexpr int32_t kSlotCount = 100;
  // A device that holds blocks and has returned none for this long is taken as stuck: Close, and
  // WaitForChange once a stop is requested, stop waiting for it and reset it.
  static constexpr int32_t kStallMs = 3000;

  // The device must outlive the stream.
  explicit WaveOutStream(AudioDevice* device = nullptr);
  // Resets and closes a device that is still open and frees every block.
  virtual ~WaveOutStream();
  WaveOutStream(const WaveOutStream&) = delete;
  WaveOutStream& operator=(const WaveOutStream&) = delete;

  // The device Open will use; null means no device (Open fails). UI thread, while closed.
  void SetDevice(AudioDevice* device);
  // How long a device may hold blocks without returning any before it counts as stuck (kStallMs
  // unless changed). UI thread.
  void SetStallTimeout(int32_t ms);
  // Bytes per block. UI thread; ignored while any slot holds a block.
  void SetBlockSize(uint32_t bytes);
  // Resets the stream for the rate and opens the device if it takes the format. An open stream
  // is closed first without waiting (what is queued is dropped). UI thread.
  bool Open(int32_t sampleRate);
  // Appends bytes, queuing every block that fills up. False when the device refused a block (the
  // rest of the bytes are dropped) or the current slot's block is still queued. Render thread.
  bool Write(const void* bytes, uint32_t count);
  // Queues the partly filled block; false when there is none or the device refused it. Render
  // thread.
  bool Flush();
  // Waits until the device has returned every block it accepted, then resets and closes the
  // device, frees every block and resets the stream. Without a device only blocks left over from
  // refused writes are freed. Render thread.
  void Close();
  // Whether blocks are out on the device (or one is being filled after them). UI thread.
  bool IsActive();
  // Sets the stop request and wakes WaitForChange. Any thread.
  void RequestStop();
  // Render thread.
  bool IsStopRequested();
  // The current slot still holds a block on the device: Write must wait. Render thread.
  bool IsFull();
  // Slots holding a block, the one being filled included (0 … 100). Render thread.
  int32_t CountLiveBlocks();
  // Blocks until a block has come back or a stop was requested since the render thread's last
  // CountLiveBlocks, IsFull or IsStopRequested, or until the timeout (milliseconds) passes. Once a
  // stop is requested, a stuck device is reset, so that its blocks come back. Render thread.
  void WaitForChange(int32_t timeoutMs);

  // Inspection for tests; any thread.
  int32_t CurrentSlot();
  uint32_t FillPosition();
  bool IsOpen();
  WaveFormatEx Format();

 private:
  using Lock = std::unique_lock<std::recursive_mutex>;

  static void Completion(AudioDevice* device, uint32_t message, void* instance, WaveHeader* header);
  void BlockReturned(WaveHeader* header);
  void Reset();
  void FreeBlocks();
  void CloseDevice(Lock& held);
  void ResetDevice(Lock& held);
  bool DeviceStalled() const;
  bool Submit(Lock& held, int32_t slot, uint32_t length);
  void Advance();
  void NoteChange();

  std::recursive_mutex lock;
  std::condition_variable_any changed;
  AudioDevice* device;
  bool deviceOpen = false;
  uint32_t blockSize = 0;
  uint32_t fillPosition = 0;
  WaveFormatEx format;
  std::array<WaveHeader, kSlotCount> blockSlots{};
  std::array<bool, kSlotCount> accepted{};  // the device holds the slot's block
  int32_t currentSlot = 0;
  bool active = false;
  // Written under the lock; the render thread's per-sample tests read them without it.
  std::atomic<bool> stopRequested{false};
  std::atomic<bool> ringFull{false};
  int32_t sampleRate = 44100;
  int32_t stallMs = kStallMs;
  std::atomic<int32_t> liveBlocks{0};  // slots holding a block
  int32_t acceptedBlocks = 0;          // blocks the device holds
  // Bumped after every returned block and every stop request, once the change is made.
  std::atomic<uint64_t> changeCount{0};
  std::atomic<uint64_t> seenChange{0};  // changeCount when the render thread last looked
  std::chrono::steady_clock::time_point lastReturn;  // or when the device got its first block
  bool deviceStuck = false;  // reset for holding blocks too long: Close does not wait for it again
};
