// End to end through a real sound server: the player sounds a known wave through the PortAudio
// device into a private PulseAudio null sink, and what the sink's monitor records is compared with
// the samples computed here. Skipped unless the test environment started that server.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "audio/portaudio_device.h"
#include "synth/player.h"
#include "tests/support/monitor_recorder.h"
#include "tests/support/synth_reference.h"
#include "tests/support/watched_audio_device.h"

namespace {

// A null sink renders ahead of time and rewinds when a stream connects; what its monitor already
// handed to the recorder is not handed again, so the first few milliseconds of a stream (up to the
// sink's rewind, 20 ms here) can be missing from the recording while the rest is intact.
constexpr size_t kMaxLostStart = 2205;  // 50 ms

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

TEST(PulseEndToEnd, KnownWavePlaysSampleExactThroughTheSoundServer) {
  const char* server = std::getenv("PULSE_SERVER");
  const char* sink = std::getenv("ZP_PULSE_SINK");
  if (server == nullptr || sink == nullptr || *server == '\0' || *sink == '\0') {
    GTEST_SKIP() << "no private PulseAudio server (PULSE_SERVER and ZP_PULSE_SINK unset)";
  }

  // Record before anything plays: the idle null sink's monitor delivers silence meanwhile.
  MonitorRecorder recorder(std::string(sink) + ".monitor");
  ASSERT_TRUE(recorder.Started()) << "parec could not be started";
  ASSERT_TRUE(WaitFor([&] { return recorder.ByteCount() >= 8820; }, std::chrono::seconds(10)))
      << "the monitor delivers nothing";

  // A distinctive wave: 32 different held samples, none of them on the centre line, so the very
  // first sample is already audible and every step of the cycle can be told apart.
  std::vector<uint8_t> codes;
  for (int k = 0; k < 32; ++k) codes.push_back(static_cast<uint8_t>(k * 53 + 17));
  const reference::Table table = reference::WaveTable(codes, 1);
  const reference::Clock clock(4400);

  {
    PortAudioDevice device;
    WatchedAudioDevice watched(device);
    Player player(&watched);
    player.BuildDefaultTones();
    ASSERT_TRUE(player.SetWave(reference::WaveText(codes), 1));
    player.SetNote(45);
    player.Play();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    player.Stop();
    ASSERT_TRUE(WaitFor([&] { return !player.IsPlaying(); }, std::chrono::seconds(10)));
    EXPECT_FALSE(watched.IsOpen());
  }
  // The server's own buffer still holds the end of the sound for a moment.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  recorder.Stop();

  const std::vector<int16_t> recorded = recorder.Samples();
  size_t first = 0;
  while (first < recorded.size() && recorded[first] == 0) ++first;
  ASSERT_LT(first, recorded.size()) << "nothing was heard";
  constexpr size_t kCompared = 66150;  // 1.5 s
  ASSERT_GE(recorded.size() - first, kCompared + kMaxLostStart) << "too little sound was recorded";

  // The sample index the first recorded sound belongs to: where the recording matches best.
  std::vector<int16_t> expected(kCompared + kMaxLostStart + 1);
  for (size_t i = 0; i < expected.size(); ++i) {
    expected[i] = static_cast<int16_t>(table[clock.Phase(static_cast<int64_t>(i))]);
  }
  size_t lost = 0;
  size_t bestMatches = 0;
  for (size_t offset = 0; offset <= kMaxLostStart; ++offset) {
    size_t matches = 0;
    for (size_t i = 0; i < 2000; ++i) matches += recorded[first + i] == expected[offset + i];
    if (matches > bestMatches) {
      bestMatches = matches;
      lost = offset;
    }
  }

  size_t exact = 0;
  size_t nearby = 0;
  size_t firstBad = kCompared;
  for (size_t i = 0; i < kCompared; ++i) {
    const int16_t got = recorded[first + i];
    const size_t index = lost + i;
    if (got == expected[index]) {
      ++exact;
    } else if ((index > 0 && got == expected[index - 1]) || got == expected[index + 1]) {
      ++nearby;
    } else if (firstBad == kCompared) {
      firstBad = i;
    }
  }
  std::printf(
      "recorded %zu samples; sound from sample index %zu on; of %zu compared: %zu exact, %zu one "
      "position off\n",
      recorded.size(), lost, kCompared, exact, nearby);
  EXPECT_EQ(firstBad, kCompared) << "recorded sample " << firstBad << " is "
                                 << recorded[first + firstBad]
                                 << ", neither the expected sample nor one of its neighbours";
  EXPECT_GE(exact * 100, kCompared * 95);
}

}  // namespace
