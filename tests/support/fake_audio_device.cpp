#include "tests/support/fake_audio_device.h"

#include <chrono>

void FakeAudioDevice::SetFormatSupported(bool supported) {
  std::lock_guard<std::mutex> held(mutex);
  formatSupported = supported;
}

void FakeAudioDevice::SetOpenSucceeds(bool succeeds) {
  std::lock_guard<std::mutex> held(mutex);
  openSucceeds = succeeds;
}

void FakeAudioDevice::RefusePrepare(int32_t nth) {
  std::lock_guard<std::mutex> held(mutex);
  refusePrepare = nth;
}

void FakeAudioDevice::RefuseQueue(int32_t nth) {
  std::lock_guard<std::mutex> held(mutex);
  refuseQueue = nth;
}

void FakeAudioDevice::ReportEvents(uint32_t newEvents) {
  std::lock_guard<std::mutex> held(mutex);
  events |= newEvents;
}

uint32_t FakeAudioDevice::TakeEvents() {
  std::lock_guard<std::mutex> held(mutex);
  const uint32_t taken = events;
  events = 0;
  return taken;
}

bool FakeAudioDevice::ReturnNext() {
  return ReturnOne(false);
}

bool FakeAudioDevice::ReturnOne(bool byReset) {
  Callback target;
  void* context;
  WaveHeader* header;
  {
    std::lock_guard<std::mutex> held(mutex);
    if (pending.empty()) return false;
    header = pending.front();
    pending.pop_front();
    if (byReset) ++returnedByReset;
    target = callback;
    context = instance;
    ++reporting;
    pendingChanged.notify_all();
  }
  target(this, kWomDone, context, header);
  std::lock_guard<std::mutex> held(mutex);
  --reporting;
  pendingChanged.notify_all();
  return true;
}

void FakeAudioDevice::WaitForReports() {
  std::unique_lock<std::mutex> held(mutex);
  pendingChanged.wait(held, [this] { return reporting == 0; });
}

int32_t FakeAudioDevice::ReturnAll() {
  int32_t returned = 0;
  while (ReturnNext()) ++returned;
  return returned;
}

void FakeAudioDevice::Deliver(uint32_t message, WaveHeader* header) {
  Callback target;
  void* context;
  {
    std::lock_guard<std::mutex> held(mutex);
    target = callback;
    context = instance;
  }
  if (target != nullptr) target(this, message, context, header);
}

bool FakeAudioDevice::WaitForPending(int32_t count, int32_t timeoutMs) {
  std::unique_lock<std::mutex> held(mutex);
  return pendingChanged.wait_for(held, std::chrono::milliseconds(timeoutMs),
                                 [&] { return static_cast<int32_t>(pending.size()) >= count; });
}

bool FakeAudioDevice::IsOpen() {
  std::lock_guard<std::mutex> held(mutex);
  return open;
}

int32_t FakeAudioDevice::OpenCount() {
  std::lock_guard<std::mutex> held(mutex);
  return openCount;
}

int32_t FakeAudioDevice::CloseCount() {
  std::lock_guard<std::mutex> held(mutex);
  return closeCount;
}

int32_t FakeAudioDevice::ResetCount() {
  std::lock_guard<std::mutex> held(mutex);
  return resetCount;
}

int32_t FakeAudioDevice::QueryCount() {
  std::lock_guard<std::mutex> held(mutex);
  return queryCount;
}

int32_t FakeAudioDevice::PrepareCalls() {
  std::lock_guard<std::mutex> held(mutex);
  return prepareCalls;
}

int32_t FakeAudioDevice::QueueCalls() {
  std::lock_guard<std::mutex> held(mutex);
  return queueCalls;
}

int32_t FakeAudioDevice::PendingCount() {
  std::lock_guard<std::mutex> held(mutex);
  return static_cast<int32_t>(pending.size());
}

int32_t FakeAudioDevice::UnprepareCount() {
  std::lock_guard<std::mutex> held(mutex);
  return unprepareCount;
}

std::vector<uint32_t> FakeAudioDevice::QueuedLengths() {
  std::lock_guard<std::mutex> held(mutex);
  return queuedLengths;
}

std::vector<uint8_t> FakeAudioDevice::QueuedBytes() {
  std::lock_guard<std::mutex> held(mutex);
  return queuedBytes;
}

std::vector<WaveHeader*> FakeAudioDevice::QueuedHeaders() {
  std::lock_guard<std::mutex> held(mutex);
  return queuedHeaders;
}

int32_t FakeAudioDevice::ReturnedByReset() {
  std::lock_guard<std::mutex> held(mutex);
  return returnedByReset;
}

WaveFormatEx FakeAudioDevice::OpenedFormat() {
  std::lock_guard<std::mutex> held(mutex);
  return openedFormat;
}

bool FakeAudioDevice::QueryFormat(const WaveFormatEx& format) {
  std::lock_guard<std::mutex> held(mutex);
  ++queryCount;
  return formatSupported && format.formatTag == 1 && format.bitsPerSample == 16;
}

bool FakeAudioDevice::Open(const WaveFormatEx& format, Callback newCallback, void* newInstance) {
  {
    std::lock_guard<std::mutex> held(mutex);
    if (!openSucceeds || open) return false;
    open = true;
    ++openCount;
    callback = newCallback;
    instance = newInstance;
    openedFormat = format;
  }
  newCallback(this, kWomOpen, newInstance, nullptr);
  return true;
}

bool FakeAudioDevice::Refuses(int32_t rule, int32_t call) {
  return rule == 0 || (rule > 0 && rule == call);
}

bool FakeAudioDevice::Prepare(WaveHeader* header) {
  std::lock_guard<std::mutex> held(mutex);
  ++prepareCalls;
  if (!open || Refuses(refusePrepare, prepareCalls)) return false;
  header->prepared = true;
  return true;
}

bool FakeAudioDevice::Queue(WaveHeader* header) {
  std::lock_guard<std::mutex> held(mutex);
  ++queueCalls;
  if (!open || !header->prepared || Refuses(refuseQueue, queueCalls)) return false;
  pending.push_back(header);
  queuedLengths.push_back(header->bufferLength);
  queuedHeaders.push_back(header);
  queuedBytes.insert(queuedBytes.end(), header->data, header->data + header->bufferLength);
  pendingChanged.notify_all();
  return true;
}

void FakeAudioDevice::Unprepare(WaveHeader* header) {
  std::lock_guard<std::mutex> held(mutex);
  ++unprepareCount;
  header->prepared = false;
}

void FakeAudioDevice::Reset() {
  {
    std::lock_guard<std::mutex> held(mutex);
    ++resetCount;
  }
  while (ReturnOne(true)) {
  }
  WaitForReports();
}

void FakeAudioDevice::Close() {
  Callback target;
  void* context;
  {
    std::lock_guard<std::mutex> held(mutex);
    if (!open) return;
    target = callback;
    context = instance;
  }
  while (ReturnOne(true)) {
  }
  WaitForReports();
  {
    std::lock_guard<std::mutex> held(mutex);
    open = false;
    ++closeCount;
    callback = nullptr;
  }
  target(this, kWomClose, context, nullptr);
}
