// Packs 16-bit mono PCM bytes into fixed-size blocks, queues them on a sound device through a ring
// of 100 slots and frees each block when the device returns it.
//
// Threads (README's vocabulary: [UI], [render], [device], [any], [UI, not while playing]): every
// operation may be called from any thread without a data race; the tag on each says which thread
// the player calls it from. One lock guards the fields and is never held across a device call;
// the live-block count and the stop and ring-full flags, which the render thread tests before
// every sample, are changed under it but read without it.
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

  // The device must outlive the stream. [UI]
  explicit WaveOutStream(AudioDevice* device = nullptr);
  // Resets and closes a device that is still open and frees every block. [UI, not while playing]
  virtual ~WaveOutStream();
  WaveOutStream(const WaveOutStream&) = delete;
  WaveOutStream& operator=(const WaveOutStream&) = delete;

  // The device Open will use; null means no device (Open fails). [UI, not while playing]
  void SetDevice(AudioDevice* device);
  // How long a device may hold blocks without returning any before it counts as stuck (kStallMs
  // unless changed). [UI, not while playing]
  void SetStallTimeout(int32_t ms);
  // Bytes per block; ignored while any slot holds a block. [UI, not while playing]
  void SetBlockSize(uint32_t bytes);
  // The output latency (seconds) and frames per write the device is asked for at the next open;
  // 0 keeps the device's own choice. [UI, not while playing]
  void SetLatency(double seconds, uint32_t chunkFrames);
  // Restart, then OpenDevice: resets the stream for the rate and opens the device if it takes the
  // format. [UI, not while playing]
  bool Open(int32_t sampleRate);
  // The first half of Open, which never waits for the sound system: closes a device left open
  // (what is queued is dropped), frees every block, resets the stream for the rate (which clears
  // the stop request) and lets the device open again after a cancelled open.
  // [UI, not while playing]
  void Restart(int32_t sampleRate);
  // The second half of Open: asks the device whether it takes the format and opens it. May wait
  // for the sound system, which is why the player calls it on its render thread; a stop requested
  // before or meanwhile cancels it (false, nothing open). False when there is no device, the
  // format is refused or the open failed; OpenProblem says which. [render]
  bool OpenDevice();
  // Why the last OpenDevice found no usable output; kNone after a success or a cancelled open.
  // [any]
  OutputProblem OpenProblem();
  // Whether an OpenDevice is waiting for the device right now. [any]
  bool IsOpening();
  // Appends bytes, queuing every block that fills up. False when the device refused a block (the
  // rest of the bytes are dropped) or the current slot's block is still queued. [render]
  bool Write(const void* bytes, uint32_t count);
  // Queues the partly filled block; false when there is none or the device refused it. [render]
  bool Flush();
  // Waits until the device has returned every block it accepted, then resets and closes the
  // device, frees every block and resets the stream. Without a device only blocks left over from
  // refused writes are freed. [render]
  void Close();
  // Whether blocks are out on the device (or one is being filled after them). [UI]
  bool IsActive();
  // Sets the stop request, wakes WaitForChange and cancels an open that waits for the device.
  // [any]
  void RequestStop();

  // Pure getters: they change nothing, so a meter or a test may call them freely. [any]
  bool IsStopRequested();
  // The current slot still holds a block on the device: Write must wait.
  bool IsFull();
  // Slots holding a block, the one being filled included (0 … 100).
  int32_t CountLiveBlocks();

  // Marks every change so far (returned blocks, stop requests) as seen by the writer: the next
  // WaitForChange sleeps until a later one. The render thread calls it before it tests the flags
  // and the count above, so that a change between its tests and its wait is not slept through.
  // [render]
  void MarkSeen();
  // Blocks until a block has come back or a stop was requested since the last MarkSeen, or until
  // the timeout (milliseconds) passes; then marks everything as seen. Once a stop is requested, a
  // stuck device is reset, so that its blocks come back. [render]
  void WaitForChange(int32_t timeoutMs);
  // The DeviceEvent bits the device noticed since the last call (underruns, a lost output).
  // [render]
  uint32_t TakeDeviceEvents();

  // Inspection for tests. [any]
  int32_t CurrentSlot();
  uint32_t FillPosition();
  bool IsOpen();
  WaveFormatEx Format();

 private:
  using Lock = std::unique_lock<std::mutex>;

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

  std::mutex lock;
  std::condition_variable changed;
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
  std::atomic<uint64_t> seenChange{0};  // changeCount at the render thread's last MarkSeen
  std::chrono::steady_clock::time_point lastReturn;  // or when the device got its first block
  bool deviceStuck = false;  // reset for holding blocks too long: Close does not wait for it again
  double latencySeconds = 0;
  uint32_t latencyChunkFrames = 0;
  std::atomic<bool> opening{false};  // OpenDevice waits for the device
  OutputProblem openProblem = OutputProblem::kNone;
};
