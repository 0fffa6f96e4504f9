#include "tests/support/watched_audio_device.h"

#include "audio/wave_out_stream.h"

int32_t WatchedAudioDevice::LiveBlocks() const {
  WaveOutStream* seen = stream.load();
  return seen != nullptr ? seen->CountLiveBlocks() : 0;
}

bool WatchedAudioDevice::StopRequested() const {
  WaveOutStream* seen = stream.load();
  return seen != nullptr && seen->IsStopRequested();
}

bool WatchedAudioDevice::Active() const {
  WaveOutStream* seen = stream.load();
  return seen != nullptr && seen->IsActive();
}

uint32_t WatchedAudioDevice::FillPosition() const {
  WaveOutStream* seen = stream.load();
  return seen != nullptr ? seen->FillPosition() : 0;
}

bool WatchedAudioDevice::Open(const WaveFormatEx& format, Callback callback, void* instance) {
  const bool opened = device.Open(format, callback, instance);
  if (opened) {
    open = true;
    opening = false;
  }
  return opened;
}

bool WatchedAudioDevice::Prepare(WaveHeader* header) {
  if (header != nullptr && header->user != nullptr) {
    stream = static_cast<WaveOutStream*>(header->user);
  }
  return device.Prepare(header);
}

void WatchedAudioDevice::Close() {
  device.Close();
  open = false;
}

void WatchedAudioDevice::SetLatency(double seconds, uint32_t chunkFrames) {
  opening = true;
  device.SetLatency(seconds, chunkFrames);
}

OutputProblem WatchedAudioDevice::LastOpenProblem() {
  const OutputProblem problem = device.LastOpenProblem();
  opening = false;
  return problem;
}
