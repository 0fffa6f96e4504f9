#include "audio/wave_out_stream.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

// How long Close sleeps at most between two looks at the returned blocks, should a wake-up from
// the completion callback go missing.
constexpr std::chrono::milliseconds kCloseWaitSlice{20};

}  // namespace

WaveOutStream::WaveOutStream(AudioDevice* device) : device(device) {
  Lock held(lock);
  Reset();
}

WaveOutStream::~WaveOutStream() {
  Lock held(lock);
  if (deviceOpen) CloseDevice(held);
  FreeBlocks();
}

void WaveOutStream::SetDevice(AudioDevice* newDevice) {
  Lock held(lock);
  if (!deviceOpen) device = newDevice;
}

void WaveOutStream::SetStallTimeout(int32_t ms) {
  Lock held(lock);
  stallMs = std::max(ms, 0);
}

void WaveOutStream::SetBlockSize(uint32_t bytes) {
  Lock held(lock);
  // A block already allocated has the old size; changing it under that block would overrun it.
  if (liveBlocks == 0) blockSize = bytes;
}

void WaveOutStream::SetLatency(double seconds, uint32_t chunkFrames) {
  Lock held(lock);
  latencySeconds = std::max(seconds, 0.0);
  latencyChunkFrames = chunkFrames;
}

bool WaveOutStream::Open(int32_t rate) {
  Restart(rate);
  return OpenDevice();
}

void WaveOutStream::Restart(int32_t rate) {
  Lock held(lock);
  if (deviceOpen) CloseDevice(held);
  // Blocks left by refused writes (a failed Open leaves the writer nothing to queue them on).
  FreeBlocks();
  sampleRate = rate;
  Reset();
  openProblem = OutputProblem::kNone;
  AudioDevice* target = device;
  held.unlock();
  if (target != nullptr) target->SetOpenCancelled(false);
}

bool WaveOutStream::OpenDevice() {
  Lock held(lock);
  if (deviceOpen) return true;
  if (device == nullptr) {
    openProblem = OutputProblem::kNoDevice;
    return false;
  }
  // A stop requested before the device was even asked: nothing to open for.
  if (stopRequested) return false;
  AudioDevice* target = device;
  const WaveFormatEx wanted = format;
  const double seconds = latencySeconds;
  const uint32_t chunkFrames = latencyChunkFrames;
  opening = true;
  held.unlock();

  target->SetLatency(seconds, chunkFrames);
  OutputProblem problem = OutputProblem::kNone;
  bool opened = false;
  if (!target->QueryFormat(wanted)) {
    problem = OutputProblem::kFormatRefused;
  } else if (target->Open(wanted, &Completion, nullptr)) {
    opened = true;
  } else {
    problem = OutputProblem::kOpenFailed;
  }
  if (!opened) {
    // The device may know better why (no output at all, or a sound system that does not answer).
    const OutputProblem reported = target->LastOpenProblem();
    if (reported != OutputProblem::kNone) problem = reported;
  }

  held.lock();
  opening = false;
  deviceOpen = opened;
  // An open that a stop cancelled is no problem to tell anyone about.
  openProblem = opened || stopRequested ? OutputProblem::kNone : problem;
  return opened;
}

OutputProblem WaveOutStream::OpenProblem() {
  Lock held(lock);
  return openProblem;
}

bool WaveOutStream::IsOpening() {
  return opening.load(std::memory_order_acquire);
}

bool WaveOutStream::Write(const void* bytes, uint32_t count) {
  const auto* source = static_cast<const uint8_t*>(bytes);
  Lock held(lock);
  if (blockSize == 0) return false;
  for (;;) {
    // While the ring is full the current slot's block is still on the device: never touch it.
    if (accepted[currentSlot]) return false;
    WaveHeader& header = blockSlots[currentSlot];
    if (header.data == nullptr) {
      header.data = new uint8_t[blockSize];
      ++liveBlocks;
    }
    const uint32_t taken = std::min(count, blockSize - fillPosition);
    if (taken > 0) std::memcpy(header.data + fillPosition, source, taken);
    fillPosition += taken;
    source += taken;
    count -= taken;
    if (fillPosition < blockSize) return true;

    // The block is full. A refused block stays where it is, full, and the next Write retries it.
    if (!Submit(held, currentSlot, fillPosition)) return false;
    Advance();
    if (blockSlots[currentSlot].data != nullptr) ringFull = true;
    if (count == 0) return true;
  }
}

bool WaveOutStream::Flush() {
  Lock held(lock);
  if (blockSlots[currentSlot].data == nullptr || accepted[currentSlot]) return false;
  if (!Submit(held, currentSlot, fillPosition)) return false;
  Advance();
  return true;
}

void WaveOutStream::Close() {
  Lock held(lock);
  if (!deviceOpen) {
    // Nothing was ever queued; only blocks of refused writes can be left.
    if (liveBlocks > 0) {
      FreeBlocks();
      fillPosition = 0;
      currentSlot = 0;
      ringFull = false;
    }
    return;
  }

  // Wait for the blocks the device took. A refused block never comes back, so it is not waited
  // for; a device that stops returning blocks altogether is given up on (and reset below).
  while (acceptedBlocks > 0 && !deviceStuck && !DeviceStalled()) {
    changed.wait_for(held, kCloseWaitSlice);
  }
  CloseDevice(held);
  FreeBlocks();
  Reset();
}

bool WaveOutStream::IsActive() {
  Lock held(lock);
  return active;
}

void WaveOutStream::RequestStop() {
  Lock held(lock);
  stopRequested = true;
  NoteChange();
  if (!opening) return;
  // The open may wait seconds for a sound server that does not answer; the stop must not.
  AudioDevice* target = device;
  held.unlock();
  target->SetOpenCancelled(true);
}

// The three tests the render thread makes before every sample read single values without the
// lock.
bool WaveOutStream::IsStopRequested() {
  return stopRequested.load(std::memory_order_acquire);
}

bool WaveOutStream::IsFull() {
  return ringFull.load(std::memory_order_acquire);
}

int32_t WaveOutStream::CountLiveBlocks() {
  return liveBlocks.load(std::memory_order_acquire);
}

// Called before the tests above: a change made after it bumps the count again, so the next
// WaitForChange returns at once instead of sleeping through it.
void WaveOutStream::MarkSeen() {
  seenChange.store(changeCount.load(std::memory_order_acquire), std::memory_order_relaxed);
}

uint32_t WaveOutStream::TakeDeviceEvents() {
  Lock held(lock);
  AudioDevice* target = device;
  held.unlock();
  return target != nullptr ? target->TakeEvents() : 0;
}

void WaveOutStream::WaitForChange(int32_t timeoutMs) {
  Lock held(lock);
  changed.wait_for(held, std::chrono::milliseconds(std::max(timeoutMs, 0)),
                   [this] { return changeCount.load() != seenChange.load(); });
  seenChange.store(changeCount.load());
  // The render thread sees a stop only once blocks come back; a stuck device must not keep it.
  if (stopRequested && deviceOpen && DeviceStalled()) {
    deviceStuck = true;
    ResetDevice(held);
  }
}

int32_t WaveOutStream::CurrentSlot() {
  Lock held(lock);
  return currentSlot;
}

uint32_t WaveOutStream::FillPosition() {
  Lock held(lock);
  return fillPosition;
}

bool WaveOutStream::IsOpen() {
  Lock held(lock);
  return deviceOpen;
}

WaveFormatEx WaveOutStream::Format() {
  Lock held(lock);
  return format;
}

void WaveOutStream::Completion(AudioDevice* device, uint32_t message, void* /*instance*/,
                               WaveHeader* header) {
  // Open and close notifications carry nothing the stream needs.
  if (message != kWomDone || header == nullptr) return;
  if (device != nullptr) device->Unprepare(header);
  auto* stream = static_cast<WaveOutStream*>(header->user);
  if (stream != nullptr) stream->BlockReturned(header);
}

void WaveOutStream::BlockReturned(WaveHeader* header) {
  Lock held(lock);
  const auto first = reinterpret_cast<uintptr_t>(blockSlots.data());
  const auto address = reinterpret_cast<uintptr_t>(header);
  if (address < first || address >= first + sizeof(blockSlots)) return;
  const auto slot = static_cast<int32_t>((address - first) / sizeof(WaveHeader));

  // Only a block the device holds is freed: a second report of a block, or a report of one it
  // never took, frees nothing.
  if (header->data != nullptr && accepted[slot]) {
    delete[] header->data;
    header->data = nullptr;
    accepted[slot] = false;
    --liveBlocks;
    --acceptedBlocks;
    ringFull = false;
    lastReturn = std::chrono::steady_clock::now();
  }
  if (liveBlocks == 0) active = false;
  NoteChange();
}

void WaveOutStream::Reset() {
  deviceOpen = false;
  fillPosition = 0;
  blockSlots.fill(WaveHeader{});
  accepted.fill(false);
  liveBlocks = 0;
  acceptedBlocks = 0;
  format = WaveFormatEx{};
  format.formatTag = 1;
  format.channels = 1;
  format.samplesPerSec = static_cast<uint32_t>(sampleRate);
  format.avgBytesPerSec = static_cast<uint32_t>(sampleRate) * 2;
  format.blockAlign = 2;
  format.bitsPerSample = 16;
  format.cbSize = 0;
  currentSlot = 0;
  active = false;
  stopRequested = false;
  ringFull = false;
  deviceStuck = false;
  NoteChange();
}

void WaveOutStream::FreeBlocks() {
  for (WaveHeader& header : blockSlots) {
    if (header.data == nullptr) continue;
    delete[] header.data;
    header.data = nullptr;
    --liveBlocks;
  }
}

void WaveOutStream::CloseDevice(Lock& held) {
  AudioDevice* target = device;
  held.unlock();
  target->Reset();  // returns every block still queued through the callback
  target->Close();
  held.lock();
  deviceOpen = false;
}

void WaveOutStream::ResetDevice(Lock& held) {
  AudioDevice* target = device;
  held.unlock();
  target->Reset();
  held.lock();
}

bool WaveOutStream::DeviceStalled() const {
  return acceptedBlocks > 0 &&
         std::chrono::steady_clock::now() - lastReturn > std::chrono::milliseconds(stallMs);
}

bool WaveOutStream::Submit(Lock& held, int32_t slot, uint32_t length) {
  if (!deviceOpen) return false;
  WaveHeader& header = blockSlots[slot];
  header.bufferLength = length;
  header.user = this;
  header.flags = 0;
  header.loops = 0;
  // Mark the block as on the device before queuing it: the device may return it before this
  // thread takes the lock again, and that return must find it counted and the active flag set.
  const bool wasActive = active;
  accepted[slot] = true;
  if (acceptedBlocks++ == 0) lastReturn = std::chrono::steady_clock::now();
  active = true;

  AudioDevice* target = device;
  held.unlock();
  bool queued = target->Prepare(&header);
  if (queued) {
    queued = target->Queue(&header);
    if (!queued) target->Unprepare(&header);
  }
  held.lock();
  if (!queued) {
    accepted[slot] = false;
    --acceptedBlocks;
    active = wasActive;
  }
  return queued;
}

void WaveOutStream::Advance() {
  fillPosition = 0;
  currentSlot = (currentSlot + 1) % kSlotCount;
}

void WaveOutStream::NoteChange() {
  ++changeCount;
  changed.notify_all();
}
