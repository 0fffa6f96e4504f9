#include "tests/support/capture_audio_device.h"

#include <algorithm>

using Clock = std::chrono::steady_clock;

CaptureAudioDevice::~CaptureAudioDevice() {
  Close();
}

void CaptureAudioDevice::SetPace(Pace newPace, int32_t newMsPerBlock) {
  std::lock_guard<std::mutex> held(mutex);
  pace = newPace;
  msPerBlock = std::max(newMsPerBlock, 0);
  wake.notify_all();
}

void CaptureAudioDevice::SetWindows(std::vector<Window> newWindows) {
  std::lock_guard<std::mutex> held(mutex);
  windows = std::move(newWindows);
  windowBytes.assign(windows.size(), {});
}

void CaptureAudioDevice::SetObserver(Observer newObserver) {
  std::lock_guard<std::mutex> held(mutex);
  observer = std::move(newObserver);
}

void CaptureAudioDevice::SetPaused(bool newPaused) {
  std::lock_guard<std::mutex> held(mutex);
  paused = newPaused;
  wake.notify_all();
}

void CaptureAudioDevice::ClearCaptured() {
  std::lock_guard<std::mutex> held(mutex);
  captured.clear();
  windowBytes.assign(windows.size(), {});
  totalBytes = 0;
  playedBlocks = 0;
  discardedBlocks = 0;
  blockLengths.clear();
  maxPending = static_cast<int32_t>(pending.size());
}

std::vector<uint8_t> CaptureAudioDevice::Captured() {
  std::lock_guard<std::mutex> held(mutex);
  return captured;
}

std::vector<uint8_t> CaptureAudioDevice::WindowBytes(size_t i) {
  std::lock_guard<std::mutex> held(mutex);
  return i < windowBytes.size() ? windowBytes[i] : std::vector<uint8_t>{};
}

uint64_t CaptureAudioDevice::TotalBytes() {
  std::lock_guard<std::mutex> held(mutex);
  return totalBytes;
}

uint64_t CaptureAudioDevice::PlayedBlocks() {
  std::lock_guard<std::mutex> held(mutex);
  return playedBlocks;
}

uint64_t CaptureAudioDevice::DiscardedBlocks() {
  std::lock_guard<std::mutex> held(mutex);
  return discardedBlocks;
}

std::vector<uint32_t> CaptureAudioDevice::BlockLengths() {
  std::lock_guard<std::mutex> held(mutex);
  return blockLengths;
}

int32_t CaptureAudioDevice::MaxPending() {
  std::lock_guard<std::mutex> held(mutex);
  return maxPending;
}

int32_t CaptureAudioDevice::PendingCount() {
  std::lock_guard<std::mutex> held(mutex);
  return static_cast<int32_t>(pending.size());
}

bool CaptureAudioDevice::IsOpen() {
  std::lock_guard<std::mutex> held(mutex);
  return open;
}

int32_t CaptureAudioDevice::OpenCount() {
  std::lock_guard<std::mutex> held(mutex);
  return openCount;
}

int32_t CaptureAudioDevice::CloseCount() {
  std::lock_guard<std::mutex> held(mutex);
  return closeCount;
}

bool CaptureAudioDevice::WaitForBytes(uint64_t count, int32_t timeoutMs) {
  std::unique_lock<std::mutex> held(mutex);
  return changed.wait_for(held, std::chrono::milliseconds(timeoutMs),
                          [&] { return totalBytes >= count; });
}

bool CaptureAudioDevice::QueryFormat(const WaveFormatEx& format) {
  return format.formatTag == 1 && format.channels == 1 && format.bitsPerSample == 16 &&
         format.samplesPerSec > 0;
}

bool CaptureAudioDevice::Open(const WaveFormatEx& format, Callback newCallback, void* newInstance) {
  std::lock_guard<std::mutex> held(mutex);
  if (open || !QueryFormat(format)) return false;
  open = true;
  closing = false;
  ++openCount;
  callback = newCallback;
  instance = newInstance;
  openedFormat = format;
  thread = std::thread(&CaptureAudioDevice::Run, this);
  return true;
}

bool CaptureAudioDevice::Prepare(WaveHeader* header) {
  std::lock_guard<std::mutex> held(mutex);
  if (!open) return false;
  header->prepared = true;
  return true;
}

bool CaptureAudioDevice::Queue(WaveHeader* header) {
  std::lock_guard<std::mutex> held(mutex);
  if (!open || !header->prepared) return false;
  pending.push_back(header);
  maxPending = std::max(maxPending, static_cast<int32_t>(pending.size()));
  wake.notify_all();
  return true;
}

void CaptureAudioDevice::Unprepare(WaveHeader* header) {
  std::lock_guard<std::mutex> held(mutex);
  header->prepared = false;
}

void CaptureAudioDevice::Reset() {
  std::unique_lock<std::mutex> held(mutex);
  if (!open) return;
  ++resetGeneration;
  wake.notify_all();
  ReturnPendingLocked(held);
}

void CaptureAudioDevice::Close() {
  std::unique_lock<std::mutex> held(mutex);
  if (!open) return;
  closing = true;
  wake.notify_all();
  held.unlock();
  thread.join();
  held.lock();
  ReturnPendingLocked(held);
  open = false;
  ++closeCount;
  callback = nullptr;
}

// Returns every queued block unplayed, on the calling thread, once the device thread has finished
// reporting the block it may be busy with.
void CaptureAudioDevice::ReturnPendingLocked(std::unique_lock<std::mutex>& held) {
  std::deque<WaveHeader*> dropped;
  dropped.swap(pending);
  discardedBlocks += dropped.size();
  changed.wait(held, [this] { return !reporting; });
  const Callback target = callback;
  void* const context = instance;
  held.unlock();
  for (WaveHeader* header : dropped) target(this, kWomDone, context, header);
  held.lock();
}

Clock::duration CaptureAudioDevice::PlayingTime(uint32_t length) const {
  const uint64_t rate = std::max<uint32_t>(openedFormat.avgBytesPerSec, 1);
  return std::chrono::duration_cast<Clock::duration>(
      std::chrono::nanoseconds(uint64_t{length} * 1000000000ULL / rate));
}

void CaptureAudioDevice::Keep(const uint8_t* bytes, uint32_t length) {
  const uint64_t begin = totalBytes;
  const uint64_t end = begin + length;
  if (windows.empty()) {
    captured.insert(captured.end(), bytes, bytes + length);
  } else {
    for (size_t i = 0; i < windows.size(); ++i) {
      const uint64_t from = std::max(begin, windows[i].begin);
      const uint64_t to = std::min(end, windows[i].end);
      if (from < to) {
        windowBytes[i].insert(windowBytes[i].end(), bytes + (from - begin), bytes + (to - begin));
      }
    }
  }
  totalBytes = end;
  ++playedBlocks;
  blockLengths.push_back(length);
}

void CaptureAudioDevice::Run() {
  std::unique_lock<std::mutex> held(mutex);
  // When the block being played ends: the next block starts there unless the queue ran dry.
  Clock::time_point playedUntil = Clock::now();
  for (;;) {
    wake.wait(held, [this] { return closing || (!paused && !pending.empty()); });
    if (closing) return;
    WaveHeader* header = pending.front();
    const uint64_t generation = resetGeneration;
    if (pace != Pace::kImmediate) {
      const Clock::duration length = pace == Pace::kRealTime
                                         ? PlayingTime(header->bufferLength)
                                         : std::chrono::milliseconds(msPerBlock);
      const Clock::time_point due = std::max(playedUntil, Clock::now()) + length;
      const bool interrupted = wake.wait_until(
          held, due, [&] { return closing || paused || resetGeneration != generation; });
      if (interrupted) continue;  // the block was taken by Reset or Close, or waits for resume
      playedUntil = due;
    }
    pending.pop_front();
    Keep(header->data, header->bufferLength);
    const uint64_t offset = totalBytes - header->bufferLength;
    const Observer watcher = observer;
    const Callback target = callback;
    void* const context = instance;
    reporting = true;
    changed.notify_all();
    held.unlock();
    if (watcher) watcher(offset, header->data, header->bufferLength);
    target(this, kWomDone, context, header);
    held.lock();
    reporting = false;
    changed.notify_all();
  }
}
