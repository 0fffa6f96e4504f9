// Player: the default tones and what the editing pane hands over, and Play/Stop with the render
// thread, checked sample by sample against the output computed here from the wave's sample codes.
#include "synth/player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/capture_audio_device.h"
#include "audio/fake_audio_device.h"
#include "synth/tone.h"
#include "tests/support/synth_reference.h"
#include "units/harmonic_oscillator.h"
#include "units/sampled_wave_oscillator.h"

namespace {

using reference::Clock;
using reference::Table;

constexpr int32_t kRunLength = 3145729;  // sample indexes 0..3145728, then 0 again
constexpr int32_t kBlockSamples = 2500;
const Clock kO4a(4400);  // note 45, 440.0 Hz
const Clock kO5a(8800);  // note 57, 880.0 Hz

// n distinct sample codes spread over the whole range, negative ones included.
std::vector<uint8_t> Codes(int n) {
  std::vector<uint8_t> codes;
  for (int k = 0; k < n; ++k) codes.push_back(static_cast<uint8_t>(k * 53 + 17));
  return codes;
}

// The samples the render thread must write for indexes first, first + 1, ... of a table.
std::vector<int16_t> Expected(const Table& table, const Clock& clock, int64_t first, size_t count) {
  std::vector<int16_t> samples;
  for (size_t k = 0; k < count; ++k) {
    const int64_t index = (first + static_cast<int64_t>(k)) % kRunLength;
    samples.push_back(reference::Saturate(table[clock.Phase(index)]));
  }
  return samples;
}

// Number of positions where two sample runs differ (the shorter length counts).
size_t Mismatches(const std::vector<int16_t>& got, const std::vector<int16_t>& want) {
  size_t bad = 0;
  for (size_t i = 0; i < std::min(got.size(), want.size()); ++i) bad += got[i] != want[i];
  return bad;
}

// Waits (bounded) for the render thread to end after a stop.
bool WaitUntilStopped(Player& player) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (player.IsPlaying()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

bool WaitFor(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

TEST(Player, ConstructionAndDefaultTones) {
  Player player;
  EXPECT_EQ(player.CurrentTone(), 1);
  EXPECT_EQ(player.Note(), 0);
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_EQ(player.Tones().ToneCount(), 0);
  EXPECT_EQ(player.GetWaveText(), "");
  EXPECT_FALSE(player.SetWave("00", 1));

  player.BuildDefaultTones();
  ToneTable& tones = player.Tones();
  ASSERT_EQ(tones.ToneCount(), 2);
  SampledWaveOscillator* wave = tones.GetSampledWaveOscillator(1);
  HarmonicOscillator* harmonics = tones.GetHarmonicOscillator(1);
  ASSERT_NE(wave, nullptr);
  ASSERT_NE(harmonics, nullptr);
  EXPECT_EQ(tones.GetSampledWaveOscillator(2), nullptr);
  EXPECT_EQ(tones.GetHarmonicOscillator(2), nullptr);
  EXPECT_EQ(tones.GetTone(1)->Output(), wave);
  EXPECT_EQ(tones.GetTone(2)->Output(), harmonics);
  EXPECT_EQ(tones.GetTone(1)->UnitCount(), 1);
  EXPECT_EQ(tones.GetTone(2)->UnitCount(), 1);
  EXPECT_EQ(wave->Input(), nullptr);
  EXPECT_EQ(harmonics->Input(), nullptr);

  for (const Oscillator* unit :
       {static_cast<Oscillator*>(wave), static_cast<Oscillator*>(harmonics)}) {
    const UnitParams& params = unit->Params();
    EXPECT_EQ(params.shape, 1);
    EXPECT_EQ(params.ratio, 10u);
    EXPECT_EQ(params.reserved1, 1);
    EXPECT_EQ(params.cents, 0);
    EXPECT_EQ(params.attenuation, 0);
    EXPECT_EQ(params.feedback, 0);
    EXPECT_EQ(params.reserved2, 0);
    EXPECT_EQ(params.link, 0);
    EXPECT_EQ(unit->Id(), 1);
  }
  EXPECT_EQ(wave->Format().mode, 1);
  EXPECT_EQ(wave->Format().bitsPerSample, 8);
  EXPECT_EQ(wave->Format().length, 32u);
  EXPECT_EQ(player.GetWaveText(), "80808080808080807f7f7f7f7f7f7f7f");
  // 8 samples at the bottom, 8 at the top, then the text runs out and 16 samples are 0.
  std::vector<uint8_t> defaultCodes(32, 0);
  std::fill(defaultCodes.begin(), defaultCodes.begin() + 8, 0x80);
  std::fill(defaultCodes.begin() + 8, defaultCodes.begin() + 16, 0x7f);
  const Table defaultWave = reference::WaveTable(defaultCodes, 1);
  for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(wave->Waveform(p), defaultWave[p]) << p;

  // Tone 2: one harmonic at attenuation 0, a full-scale sine.
  EXPECT_EQ(harmonics->HarmonicCount(), 1u);
  EXPECT_EQ(harmonics->Amplitudes(), std::vector<uint8_t>{0});
  EXPECT_EQ(player.GetHarmonicsText(), "   0");
  PitchTables sine;
  sine.Build();
  for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(harmonics->Waveform(p), sine.Sine(p)) << p;

  player.ReleaseTones();
  EXPECT_EQ(player.Tones().ToneCount(), 0);
  EXPECT_EQ(player.Tones().GetSampledWaveOscillator(1), nullptr);
  EXPECT_EQ(player.GetWaveText(), "");
  EXPECT_EQ(player.GetHarmonicsText(), "");
  player.SetHarmonics({0, 0});  // nothing to hand to; must not crash
  player.ReleaseTones();
  EXPECT_EQ(player.Tones().ToneCount(), 0);
}

TEST(Player, HandOverAndSelection) {
  Player player;
  player.BuildDefaultTones();
  SampledWaveOscillator* wave = player.Tones().GetSampledWaveOscillator(1);
  HarmonicOscillator* harmonics = player.Tones().GetHarmonicOscillator(1);

  // The wave text comes back as handed over, and the unit plays exactly that many samples.
  const std::string text16 = reference::WaveText(Codes(16));
  EXPECT_TRUE(player.SetWave(text16, 2));
  EXPECT_EQ(player.GetWaveText(), text16);
  EXPECT_EQ(wave->Format().length, 16u);
  EXPECT_EQ(wave->Format().mode, 2);
  EXPECT_EQ(wave->Params().shape, 2);
  const Table poly16 = reference::WaveTable(Codes(16), 2);
  for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(wave->Waveform(p), poly16[p]) << p;
  // Shorter and longer texts are held to 2..64 samples.
  EXPECT_TRUE(player.SetWave("7", 1));
  EXPECT_EQ(player.GetWaveText(), "7");
  EXPECT_EQ(wave->Format().length, 2u);
  const std::string text65 = reference::WaveText(Codes(65));
  EXPECT_TRUE(player.SetWave(text65, 1));
  EXPECT_EQ(player.GetWaveText(), text65);
  EXPECT_EQ(wave->Format().length, 64u);
  const Table hold64 = reference::WaveTable(Codes(64), 1);
  for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(wave->Waveform(p), hold64[p]) << p;

  player.SetHarmonics({127, 0, 64});
  EXPECT_EQ(player.GetHarmonicsText(), " 127,   0,  64");
  EXPECT_EQ(harmonics->HarmonicCount(), 3u);
  PitchTables sine;
  sine.Build();
  const Table expected = reference::HarmonicTable(sine, {127, 0, 64});
  for (int32_t p = 0; p < 3600; ++p) ASSERT_EQ(harmonics->Waveform(p), expected[p]) << p;

  EXPECT_FALSE(player.SetCurrentTone(0));
  EXPECT_FALSE(player.SetCurrentTone(3));
  EXPECT_FALSE(player.SetCurrentTone(-1));
  EXPECT_EQ(player.CurrentTone(), 1);
  EXPECT_TRUE(player.SetCurrentTone(2));
  EXPECT_EQ(player.CurrentTone(), 2);
  EXPECT_FALSE(player.SetCurrentTone(3));
  EXPECT_EQ(player.CurrentTone(), 2);
  EXPECT_TRUE(player.SetCurrentTone(1));
  EXPECT_EQ(player.CurrentTone(), 1);
  player.SetNote(57);
  EXPECT_EQ(player.Note(), 57);
  player.SetNote(-5);  // stored unchecked
  EXPECT_EQ(player.Note(), -5);
}

// The wave tone sounds exactly the pane's samples whatever their number: every captured sample
// equals the held sample at the phase of its index at o4a.
TEST(PlayerPlayback, WaveToneSoundsExactlyThePaneSamplesForEveryLength) {
  for (int length : {2, 16, 32, 64}) {
    SCOPED_TRACE(length);
    CaptureAudioDevice device;
    Player player(&device);
    player.BuildDefaultTones();
    const std::vector<uint8_t> codes = Codes(length);
    ASSERT_TRUE(player.SetWave(reference::WaveText(codes), 1));
    player.SetNote(45);
    player.Play();
    ASSERT_TRUE(device.WaitForBytes(3 * 2 * kBlockSamples, 30000));
    player.Stop();
    ASSERT_TRUE(WaitUntilStopped(player));

    const std::vector<int16_t> got = reference::Samples(device.Captured());
    ASSERT_GE(got.size(), 3u * kBlockSamples);
    const std::vector<int16_t> want = Expected(reference::WaveTable(codes, 1), kO4a, 0, got.size());
    EXPECT_EQ(Mismatches(got, want), 0u);
    // Each full block carries 2500 samples; only the last one may be partial.
    const std::vector<uint32_t> lengths = device.BlockLengths();
    ASSERT_FALSE(lengths.empty());
    for (size_t b = 0; b + 1 < lengths.size(); ++b) EXPECT_EQ(lengths[b], 5000u) << b;
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(device.OpenCount(), 1);
  }
}

TEST(PlayerPlayback, PlayWhilePlayingChangesNothingAndStopBeforePlayIsHarmless) {
  CaptureAudioDevice device;
  Player player(&device);
  player.BuildDefaultTones();
  const std::vector<uint8_t> codes = Codes(32);
  player.SetWave(reference::WaveText(codes), 1);
  player.SetNote(45);

  // A stop with nothing playing is forgotten by the next Play.
  player.Stop();
  player.Play();
  EXPECT_TRUE(player.IsPlaying());
  // Again at once (before any block reached the device) and again later: no second thread, no
  // reopened stream, no restart of the sample index.
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(2 * 2 * kBlockSamples, 30000));
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(6 * 2 * kBlockSamples, 30000));
  player.Play();
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));

  EXPECT_EQ(device.OpenCount(), 1);
  EXPECT_EQ(device.CloseCount(), 1);
  const std::vector<int16_t> got = reference::Samples(device.Captured());
  ASSERT_GE(got.size(), 6u * kBlockSamples);
  EXPECT_EQ(Mismatches(got, Expected(reference::WaveTable(codes, 1), kO4a, 0, got.size())), 0u);
  // The stream was reset by the end of playback.
  EXPECT_FALSE(player.Stream().IsStopRequested());
  EXPECT_FALSE(player.Stream().IsActive());
  EXPECT_EQ(player.Stream().CountLiveBlocks(), 0);
}

TEST(PlayerPlayback, NoteAndToneChangesAreHeardFromTheNextPlay) {
  CaptureAudioDevice device;
  Player player(&device);
  player.BuildDefaultTones();
  const std::vector<uint8_t> codes = Codes(32);
  player.SetWave(reference::WaveText(codes), 1);
  player.SetNote(45);
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(2 * 2 * kBlockSamples, 30000));
  player.SetNote(57);
  EXPECT_TRUE(player.SetCurrentTone(2));
  const uint64_t changedAt = device.TotalBytes() / 2;
  ASSERT_TRUE(device.WaitForBytes(2 * (changedAt + 4 * kBlockSamples), 30000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));
  const size_t firstRun = device.Captured().size() / 2;

  player.Play();
  ASSERT_TRUE(device.WaitForBytes(2 * (firstRun + 3 * kBlockSamples), 30000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));

  const std::vector<int16_t> got = reference::Samples(device.Captured());
  ASSERT_GE(got.size(), firstRun + 3 * kBlockSamples);
  // The first run is tone 1 at o4a throughout, also after the changes.
  const std::vector<int16_t> first(got.begin(), got.begin() + firstRun);
  EXPECT_EQ(Mismatches(first, Expected(reference::WaveTable(codes, 1), kO4a, 0, firstRun)), 0u);
  // The second run is tone 2 (the sine) at o5a, from sample index 0.
  PitchTables sine;
  sine.Build();
  const std::vector<int16_t> second(got.begin() + firstRun, got.end());
  const std::vector<int16_t> want =
      Expected(reference::HarmonicTable(sine, {0}), kO5a, 0, second.size());
  EXPECT_EQ(Mismatches(second, want), 0u);
  EXPECT_EQ(device.OpenCount(), 2);
}

// While the device plays nothing the render thread stops 9 blocks ahead (8 queued, 1 being filled)
// and a stop waits for the device; a Play meanwhile is refused. What was rendered is all heard.
TEST(PlayerPlayback, StaysAtMostNineBlocksAheadAndRefusesPlayUntilTheThreadEnded) {
  CaptureAudioDevice device;
  device.SetPaused(true);
  device.SetPace(CaptureAudioDevice::Pace::kFixed, 5);
  Player player(&device);
  player.BuildDefaultTones();
  const std::vector<uint8_t> codes = Codes(64);
  player.SetWave(reference::WaveText(codes), 1);
  player.SetNote(45);

  std::atomic<int32_t> mostAlive{0};
  std::atomic<bool> watching{true};
  auto note = [&](int32_t alive) {
    int32_t seen = mostAlive.load();
    while (alive > seen && !mostAlive.compare_exchange_weak(seen, alive)) {
    }
  };
  device.SetObserver(
      [&](uint64_t, const uint8_t*, uint32_t) { note(player.Stream().CountLiveBlocks()); });
  std::thread watcher([&] {
    while (watching.load()) {
      note(player.Stream().CountLiveBlocks());
      std::this_thread::yield();
    }
  });

  player.Play();
  ASSERT_TRUE(WaitFor([&] { return player.Stream().CountLiveBlocks() == 9; }));
  EXPECT_EQ(device.PendingCount(), 8);
  player.Stop();
  player.Play();  // refused: the render thread still waits for the device
  EXPECT_TRUE(player.IsPlaying());
  device.SetPaused(false);
  ASSERT_TRUE(WaitUntilStopped(player));
  EXPECT_EQ(device.OpenCount(), 1);
  // The stop was seen once a block came back; the partly filled block still reached the device.
  const std::vector<uint32_t> lengths = device.BlockLengths();
  ASSERT_EQ(lengths.size(), 9u);
  for (size_t b = 0; b < 8; ++b) EXPECT_EQ(lengths[b], 5000u);
  EXPECT_EQ(lengths[8], 2u);
  EXPECT_EQ(device.DiscardedBlocks(), 0u);

  // Now a long run at a steady pace, still never more than 9 blocks alive.
  player.Play();
  EXPECT_TRUE(player.IsPlaying());
  ASSERT_TRUE(device.WaitForBytes(2 * (8 * kBlockSamples + 1 + 40 * kBlockSamples), 60000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));
  watching = false;
  watcher.join();
  device.SetObserver(nullptr);

  EXPECT_EQ(mostAlive.load(), 9);
  EXPECT_LE(device.MaxPending(), 8);
  const std::vector<int16_t> got = reference::Samples(device.Captured());
  const size_t firstRun = 8 * kBlockSamples + 1;
  const Table table = reference::WaveTable(codes, 1);
  const std::vector<int16_t> first(got.begin(), got.begin() + firstRun);
  EXPECT_EQ(Mismatches(first, Expected(table, kO4a, 0, firstRun)), 0u);
  const std::vector<int16_t> second(got.begin() + firstRun, got.end());
  EXPECT_EQ(Mismatches(second, Expected(table, kO4a, 0, second.size())), 0u);
}

// One run is 3145729 samples: after index 3145728 the render thread starts again at index 0.
TEST(PlayerPlayback, SampleIndexWrapsAfterTheLastIndex) {
  CaptureAudioDevice device;
  constexpr uint64_t kMargin = 3000;
  const uint64_t wrapByte = 2ull * kRunLength;
  device.SetWindows({{0, 2 * kMargin}, {wrapByte - 2 * kMargin, wrapByte + 2 * kMargin}});
  Player player(&device);
  player.BuildDefaultTones();
  const std::vector<uint8_t> codes = Codes(64);
  player.SetWave(reference::WaveText(codes), 1);
  player.SetNote(45);
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(wrapByte + 2 * kMargin, 300000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));

  const Table table = reference::WaveTable(codes, 1);
  const std::vector<int16_t> start = reference::Samples(device.WindowBytes(0));
  const std::vector<int16_t> around = reference::Samples(device.WindowBytes(1));
  ASSERT_EQ(start.size(), kMargin);
  ASSERT_EQ(around.size(), 2 * kMargin);
  EXPECT_EQ(Mismatches(start, Expected(table, kO4a, 0, kMargin)), 0u);
  const std::vector<int16_t> want = Expected(table, kO4a, kRunLength - kMargin, 2 * kMargin);
  EXPECT_EQ(Mismatches(around, want), 0u);

  // The samples right at the wrap are those of indexes 3145727, 3145728, 0 and 1, as the tone
  // itself renders them.
  Tone* tone = player.Tones().GetTone(1);
  EXPECT_EQ(around[kMargin - 2], tone->Render(3145727, 0));
  EXPECT_EQ(around[kMargin - 1], tone->Render(3145728, 0));
  EXPECT_EQ(around[kMargin], tone->Render(0, 0));
  EXPECT_EQ(around[kMargin + 1], tone->Render(1, 0));
  // Without the wrap the samples after it would differ: the check above can tell.
  std::vector<int16_t> unwrapped;
  for (uint64_t k = 0; k < kMargin; ++k) {
    unwrapped.push_back(reference::Saturate(table[kO4a.Phase(kRunLength + k)]));
  }
  EXPECT_NE(unwrapped, std::vector<int16_t>(want.begin() + kMargin, want.end()));
}

// Harmonics that add up beyond 16 bits are held at full scale in the output; Render itself
// still gives the unclipped sum.
TEST(PlayerPlayback, OutputSaturatesWhereRenderExceedsSixteenBits) {
  CaptureAudioDevice device;
  Player player(&device);
  player.BuildDefaultTones();
  // Eight harmonics of byte 128 (weight 255) peak far beyond the 16-bit range.
  const std::vector<uint8_t> loud(8, 128);
  player.SetHarmonics(loud);
  ASSERT_TRUE(player.SetCurrentTone(2));
  player.SetNote(45);
  player.Play();
  ASSERT_TRUE(device.WaitForBytes(2 * 2 * kBlockSamples, 30000));
  player.Stop();
  ASSERT_TRUE(WaitUntilStopped(player));

  PitchTables sine;
  sine.Build();
  const Table table = reference::HarmonicTable(sine, loud);
  const std::vector<int16_t> got = reference::Samples(device.Captured());
  ASSERT_GE(got.size(), 2u * kBlockSamples);
  Tone* tone = player.Tones().GetTone(2);
  size_t above = 0;
  size_t below = 0;
  size_t bad = 0;
  for (size_t i = 0; i < got.size(); ++i) {
    const int32_t sum = table[kO4a.Phase(static_cast<int64_t>(i))];
    if (sum > 32767) {
      ++above;
      bad += got[i] != 32767;
      bad += tone->Render(static_cast<int32_t>(i), 0) != sum;
    } else if (sum < -32768) {
      ++below;
      bad += got[i] != -32768;
      bad += tone->Render(static_cast<int32_t>(i), 0) != sum;
    } else {
      bad += got[i] != sum;
    }
  }
  EXPECT_EQ(bad, 0u);
  EXPECT_GT(above, 100u);
  EXPECT_GT(below, 100u);
}

TEST(PlayerPlayback, EndingWhilePlayingJoinsTheRenderThreadFirst) {
  // Destruction in the middle of playback: everything rendered is played out, then the device is
  // closed; the render thread never touches the destroyed player.
  CaptureAudioDevice device;
  device.SetPace(CaptureAudioDevice::Pace::kFixed, 10);
  const std::vector<uint8_t> codes = Codes(16);
  {
    auto player = std::make_unique<Player>(&device);
    player->BuildDefaultTones();
    player->SetWave(reference::WaveText(codes), 1);
    player->SetNote(45);
    player->Play();
    ASSERT_TRUE(device.WaitForBytes(3 * 2 * kBlockSamples, 30000));
    player.reset();
  }
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(device.CloseCount(), 1);
  EXPECT_EQ(device.DiscardedBlocks(), 0u);
  EXPECT_EQ(device.PendingCount(), 0);
  const std::vector<int16_t> got = reference::Samples(device.Captured());
  EXPECT_EQ(Mismatches(got, Expected(reference::WaveTable(codes, 1), kO4a, 0, got.size())), 0u);

  // ReleaseTones while playing: the thread ends before the units go; a later Play finds no tone
  // and winds the stream down at once.
  CaptureAudioDevice second;
  Player player(&second);
  player.BuildDefaultTones();
  player.Play();
  ASSERT_TRUE(second.WaitForBytes(2 * kBlockSamples, 30000));
  player.ReleaseTones();
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_FALSE(second.IsOpen());
  EXPECT_EQ(player.Tones().ToneCount(), 0);
  const uint64_t played = second.TotalBytes();
  player.Play();
  ASSERT_TRUE(WaitUntilStopped(player));
  EXPECT_EQ(second.TotalBytes(), played);
  EXPECT_EQ(second.OpenCount(), 2);
  EXPECT_EQ(second.CloseCount(), 2);
}

TEST(PlayerPlayback, RefusingDevicesNeitherHangNorKeepTheThreadAlive) {
  {  // The device does not take the format: nothing is opened, Stop still ends the thread.
    FakeAudioDevice device;
    device.SetFormatSupported(false);
    Player player(&device);
    player.BuildDefaultTones();
    player.Play();
    EXPECT_TRUE(player.IsPlaying());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    player.Stop();
    ASSERT_TRUE(WaitUntilStopped(player));
    EXPECT_EQ(device.OpenCount(), 0);
    EXPECT_EQ(device.QueueCalls(), 0);
  }
  {  // Every block is refused: samples are lost, Stop ends the thread and closes the device.
    FakeAudioDevice device;
    device.RefuseQueue(0);
    Player player(&device);
    player.BuildDefaultTones();
    player.SetNote(45);
    player.Play();
    ASSERT_TRUE(WaitFor([&] { return device.QueueCalls() >= 2; }));
    player.Stop();
    ASSERT_TRUE(WaitUntilStopped(player));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_TRUE(device.QueuedLengths().empty());
    // The device accepts again: the next Play plays from index 0.
    device.RefuseQueue(-1);
    player.Play();
    ASSERT_TRUE(device.WaitForPending(1, 30000));
    player.Stop();
    ASSERT_TRUE(WaitFor([&] { return device.ReturnAll() >= 0 && !player.IsPlaying(); }));
    const std::vector<int16_t> got = reference::Samples(device.QueuedBytes());
    std::vector<uint8_t> defaultCodes(32, 0);
    std::fill(defaultCodes.begin(), defaultCodes.begin() + 8, 0x80);
    std::fill(defaultCodes.begin() + 8, defaultCodes.begin() + 16, 0x7f);
    ASSERT_GE(got.size(), static_cast<size_t>(kBlockSamples));
    EXPECT_EQ(Mismatches(got, Expected(reference::WaveTable(defaultCodes, 1), kO4a, 0, got.size())),
              0u);
  }
}

}  // namespace
