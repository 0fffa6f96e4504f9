// Load on the editor's data and its player: ten thousand random operations while the capturing
// device plays what the render thread writes at a brisk pace, every one checked against the state
// it must leave; then the editor must still wind down cleanly and play exactly what it holds.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "tests/support/capture_audio_device.h"
#include "tests/support/load_run.h"
#include "tests/support/synth_reference.h"

namespace {

constexpr uint32_t kDefaultSeed = 20240607;
constexpr int32_t kOperations = 10000;
// The capturing device returns a block every 2 ms, about 28 times faster than it would play.
constexpr int32_t kMsPerBlock = 2;

// Mouse edits as the pane hands them to its data: a click writes one column, a drag one column
// after another; columns left or right of the wave are passed too and must change nothing.
class ModelLoadRun : public load::LoadRun {
 public:
  using LoadRun::LoadRun;

 protected:
  void Edit(Writes& writes) override {
    const int32_t length = model.GetLength();
    const bool harmonics = model.IsHarmonicsView();
    int32_t column = Uniform(-2, length + 1);
    const int32_t direction = Uniform(0, 1) == 1 ? 1 : -1;
    for (int32_t step = Uniform(1, 8); step > 0; --step) {
      const int32_t value = harmonics ? Uniform(0, 127) : Uniform(-128, 127);
      model.WriteValue(column, value);
      if (column >= 0 && column < length) writes.emplace_back(column, value);
      column += direction;
    }
  }
  // A user's pace is far below this; a short rest lets the sound run between operations.
  void Settle() override { std::this_thread::sleep_for(std::chrono::microseconds(300)); }
};

// The render thread's last step closes the stream, which waits for every block the device took.
bool WaitUntilQuiet(Player& player) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (player.IsPlaying()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

TEST(Load, TenThousandOperationsWhileSoundPlays) {
  CaptureAudioDevice device;
  device.SetPace(CaptureAudioDevice::Pace::kFixed, kMsPerBlock);
  // Nothing of the sound is kept during the load, so that memory cannot grow with it.
  device.SetWindows({{0, 0}});
  WatchedAudioDevice watched(device);
  FakeUiServices services;
  WaveEditorModel model(&watched, &services);
  // What the dialog does at start-up.
  model.SetNote(45);
  model.SetLength(32);
  model.SetHarmonicsView(WaveEditorModel::kWaveView);
  model.SetMode(WaveEditorModel::kHold);

  ModelLoadRun run(model, watched, services, load::Seed(kDefaultSeed));
  run.Run(kOperations);
  ASSERT_FALSE(HasFailure());
  run.ExpectMemorySteady();
  // Sound played through much of the run.
  EXPECT_GT(run.OperationsWithSound(), kOperations / 10);
  std::printf("load run: the device played %llu blocks\n",
              static_cast<unsigned long long>(device.PlayedBlocks()));
  EXPECT_GT(device.PlayedBlocks(), 100u);

  // Stop winds everything down: no block alive, none left on the device.
  Player& player = model.GetPlayer();
  model.Stop();
  ASSERT_TRUE(WaitUntilQuiet(player));
  ASSERT_TRUE(watched.KnowsStream());
  EXPECT_EQ(watched.LiveBlocks(), 0);
  EXPECT_EQ(device.PendingCount(), 0);

  // The editor still plays exactly the wave it holds after the load (held steps at o4a).
  model.SetHarmonicsView(WaveEditorModel::kWaveView);
  model.SetMode(WaveEditorModel::kHold);
  model.SetNote(45);
  constexpr uint64_t kBytes = 4 * 5000;
  device.ClearCaptured();
  device.SetWindows({{0, kBytes}});
  model.Play();
  ASSERT_TRUE(device.WaitForBytes(kBytes, 30000));
  model.Stop();
  ASSERT_TRUE(WaitUntilQuiet(player));
  const std::vector<int16_t> got = reference::Samples(device.WindowBytes(0));
  ASSERT_EQ(got.size(), kBytes / 2);
  const reference::Table table = reference::WaveTable(run.Expected().samples, 1);
  const reference::Clock o4a(4400);
  size_t mismatches = 0;
  for (size_t i = 0; i < got.size(); ++i) {
    mismatches += got[i] != reference::Saturate(table[o4a.Phase(static_cast<int64_t>(i))]);
  }
  EXPECT_EQ(mismatches, 0u);
}

}  // namespace
