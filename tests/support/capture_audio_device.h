// A sound device for tests that keeps the bytes of every block it plays, in order, and returns the
// blocks on a thread of its own at a chosen pace.
//
// Threads: every operation is thread-safe; the observer and the stream's callback run on the
// device's own thread (the callback also on the thread calling Reset or Close).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/audio_device.h"

class CaptureAudioDevice : public AudioDevice {
 public:
  enum class Pace {
    kImmediate,  // returns each block as soon as it is queued
    kRealTime,   // returns each block after its playing time at the opened format's byte rate
    kFixed,      // returns each block after a fixed number of milliseconds
  };
  // A range of the byte stream to keep: bytes [begin, end) counted from the first byte played.
  struct Window {
    uint64_t begin = 0;
    uint64_t end = 0;
  };
  // Called on the device thread for every block played, with the block's offset in the byte
  // stream; the bytes are valid only during the call.
  using Observer = std::function<void(uint64_t offset, const uint8_t* bytes, uint32_t length)>;

  CaptureAudioDevice() = default;
  ~CaptureAudioDevice() override;
  CaptureAudioDevice(const CaptureAudioDevice&) = delete;
  CaptureAudioDevice& operator=(const CaptureAudioDevice&) = delete;

  // --- Behaviour the test chooses --------------------------------------------------------
  void SetPace(Pace pace, int32_t msPerBlock = 0);
  // Keeps only the bytes inside the windows (each window's bytes apart); an empty list, the
  // default, keeps every byte.
  void SetWindows(std::vector<Window> windows);
  void SetObserver(Observer observer);
  // While paused the device plays nothing and returns nothing; queued blocks wait.
  void SetPaused(bool paused);
  // Forgets everything played so far; byte offsets and windows count from here.
  void ClearCaptured();

  // --- What the device played -----------------------------------------------------------
  // Every byte played, in order (when no windows are set).
  std::vector<uint8_t> Captured();
  // The bytes kept of window i (as much of it as has been played).
  std::vector<uint8_t> WindowBytes(size_t i);
  uint64_t TotalBytes();
  uint64_t PlayedBlocks();
  // Blocks returned unplayed by Reset.
  uint64_t DiscardedBlocks();
  std::vector<uint32_t> BlockLengths();
  // The most blocks queued and not yet returned at any moment.
  int32_t MaxPending();
  int32_t PendingCount();
  bool IsOpen();
  int32_t OpenCount();
  int32_t CloseCount();
  // Blocks until at least count bytes have been played, or the timeout passes.
  bool WaitForBytes(uint64_t count, int32_t timeoutMs);

  // --- AudioDevice --------------------------------------------------------------------------
  bool QueryFormat(const WaveFormatEx& format) override;
  bool Open(const WaveFormatEx& format, Callback callback, void* instance) override;
  bool Prepare(WaveHeader* header) override;
  bool Queue(WaveHeader* header) override;
  void Unprepare(WaveHeader* header) override;
  void Reset() override;
  void Close() override;

 private:
  void Run();
  void Keep(const uint8_t* bytes, uint32_t length);
  std::chrono::steady_clock::duration PlayingTime(uint32_t length) const;
  void ReturnPendingLocked(std::unique_lock<std::mutex>& lock);

  std::mutex mutex;
  std::condition_variable wake;     // the device thread waits on it
  std::condition_variable changed;  // waiters for bytes and for the end of a report
  std::thread thread;
  bool open = false;
  bool closing = false;
  bool paused = false;
  bool reporting = false;  // the device thread is inside the callback
  Callback callback = nullptr;
  void* instance = nullptr;
  WaveFormatEx openedFormat;
  Pace pace = Pace::kImmediate;
  int32_t msPerBlock = 0;
  std::deque<WaveHeader*> pending;
  uint64_t resetGeneration = 0;
  std::vector<Window> windows;
  std::vector<std::vector<uint8_t>> windowBytes;
  std::vector<uint8_t> captured;
  Observer observer;
  uint64_t totalBytes = 0;
  uint64_t playedBlocks = 0;
  uint64_t discardedBlocks = 0;
  std::vector<uint32_t> blockLengths;
  int32_t maxPending = 0;
  int32_t openCount = 0;
  int32_t closeCount = 0;
};
