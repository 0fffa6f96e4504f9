// A sound device for tests that plays nothing: it can refuse the format, the open, a prepare or a
// queue, records every queued block and keeps it until the test returns it.
//
// Threads: every operation is thread-safe. ReturnNext, ReturnAll and Deliver run the callback on
// the calling thread (a test's helper thread, for instance); Reset and Close return what is queued
// on their calling thread and wait for reports running on other threads. No lock of the device is
// held while the callback runs.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "audio/audio_device.h"

class FakeAudioDevice : public AudioDevice {
 public:
  FakeAudioDevice() = default;
  ~FakeAudioDevice() override = default;
  FakeAudioDevice(const FakeAudioDevice&) = delete;
  FakeAudioDevice& operator=(const FakeAudioDevice&) = delete;

  // --- Behaviour the test chooses --------------------------------------------------------
  void SetFormatSupported(bool supported);
  void SetOpenSucceeds(bool succeeds);
  // Refuse Prepare (or Queue): nth 0 refuses every call from now on, nth > 0 refuses only the
  // nth call counted from the device's construction (1-based); -1 accepts every call again.
  void RefusePrepare(int32_t nth);
  void RefuseQueue(int32_t nth);
  // Reports DeviceEvent bits (an underrun, a lost output) through the next TakeEvents.
  void ReportEvents(uint32_t events);

  // --- Returning blocks ---------------------------------------------------------------------
  // Returns the oldest queued block through the callback; false when none is queued.
  bool ReturnNext();
  // Returns every queued block, oldest first; the number returned.
  int32_t ReturnAll();
  // Calls the callback with any message and header, as a misbehaving platform might.
  void Deliver(uint32_t message, WaveHeader* header);
  // Blocks until at least count blocks are queued and not returned, or the timeout passes.
  bool WaitForPending(int32_t count, int32_t timeoutMs);

  // --- What the device saw ------------------------------------------------------------------
  bool IsOpen();
  int32_t OpenCount();
  int32_t CloseCount();
  int32_t ResetCount();
  int32_t QueryCount();
  int32_t PrepareCalls();
  int32_t QueueCalls();
  int32_t PendingCount();
  int32_t UnprepareCount();
  // The buffer length of every block accepted by Queue, in queue order.
  std::vector<uint32_t> QueuedLengths();
  // The bytes of every block accepted by Queue, concatenated in queue order.
  std::vector<uint8_t> QueuedBytes();
  // Every header accepted by Queue, in queue order.
  std::vector<WaveHeader*> QueuedHeaders();
  // Blocks returned by Reset or Close rather than by ReturnNext or ReturnAll.
  int32_t ReturnedByReset();
  WaveFormatEx OpenedFormat();

  // --- AudioDevice --------------------------------------------------------------------------
  bool QueryFormat(const WaveFormatEx& format) override;
  bool Open(const WaveFormatEx& format, Callback callback, void* instance) override;
  bool Prepare(WaveHeader* header) override;
  bool Queue(WaveHeader* header) override;
  void Unprepare(WaveHeader* header) override;
  void Reset() override;
  void Close() override;
  uint32_t TakeEvents() override;

 private:
  static bool Refuses(int32_t rule, int32_t call);
  bool ReturnOne(bool byReset);
  void WaitForReports();

  std::mutex mutex;
  std::condition_variable pendingChanged;
  bool formatSupported = true;
  bool openSucceeds = true;
  int32_t refusePrepare = -1;
  int32_t refuseQueue = -1;
  bool open = false;
  Callback callback = nullptr;
  void* instance = nullptr;
  WaveFormatEx openedFormat;
  std::deque<WaveHeader*> pending;
  std::vector<uint32_t> queuedLengths;
  std::vector<uint8_t> queuedBytes;
  std::vector<WaveHeader*> queuedHeaders;
  int32_t openCount = 0;
  int32_t closeCount = 0;
  int32_t resetCount = 0;
  int32_t queryCount = 0;
  int32_t prepareCalls = 0;
  int32_t queueCalls = 0;
  int32_t unprepareCount = 0;
  int32_t returnedByReset = 0;
  int32_t reporting = 0;  // ReturnNext calls inside the callback
  uint32_t events = 0;
};
