// Stops a player's render thread at a known sample: the capturing device pauses, and the thread
// rests once it holds its most blocks out; the next sample it writes then has a known index.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

#include "synth/player.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/watched_audio_device.h"

// Pauses `device` and waits (at most 30 s) until `player`'s render thread, which plays on `watched`
// (passing every call on to `device`), rests; returns the index of the next sample it writes, or -1
// when it did not come to rest.
inline int32_t PauseAtRest(CaptureAudioDevice& device, const WatchedAudioDevice& watched,
                           Player& player, const std::function<void()>& whileWaiting = {}) {
  const uint32_t blockBytes =
      player.IsLowLatency() ? Player::kLowLatencyBlockBytes : Player::kBlockBytes;
  const int32_t most =
      player.IsLowLatency() ? Player::kLowLatencyWaitAboveLiveBlocks : Player::kWaitAboveLiveBlocks;
  device.SetPaused(true);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  // The thread rests right after the first sample of a block beyond the most it keeps out.
  while (device.PendingCount() != most || watched.FillPosition() != 2) {
    if (std::chrono::steady_clock::now() > deadline) return -1;
    if (whileWaiting) whileWaiting();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return static_cast<int32_t>((device.TotalBytes() + uint64_t{blockBytes} * most + 2) / 2);
}
