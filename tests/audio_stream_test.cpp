// The output stream against the controllable and the capturing test devices.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <future>
#include <thread>
#include <vector>

#include "audio/wave_out_stream.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/fake_audio_device.h"

namespace {

// A byte sequence that differs from block to block, so a lost, repeated or misplaced byte shows.
uint8_t PatternByte(uint64_t i) {
  return static_cast<uint8_t>(i * 7 + i / 251 + 3);
}

std::vector<uint8_t> Pattern(uint64_t from, uint64_t count) {
  std::vector<uint8_t> bytes(count);
  for (uint64_t i = 0; i < count; ++i) bytes[i] = PatternByte(from + i);
  return bytes;
}

// Writes count bytes of the pattern starting at from; the result of the last Write.
bool WritePattern(WaveOutStream& stream, uint64_t from, uint64_t count) {
  const std::vector<uint8_t> bytes = Pattern(from, count);
  return stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

class StreamTest : public ::testing::Test {
 protected:
  void OpenWithBlockSize(uint32_t bytes) {
    stream.SetBlockSize(bytes);
    ASSERT_TRUE(stream.Open(44100));
  }

  FakeAudioDevice device;
  WaveOutStream stream{&device};
};

TEST_F(StreamTest, WritesAreSplitIntoBlocksAtTheBlockSize) {
  OpenWithBlockSize(10);

  // A write that stays inside the block queues nothing.
  EXPECT_TRUE(WritePattern(stream, 0, 7));
  EXPECT_EQ(stream.FillPosition(), 7u);
  EXPECT_EQ(device.QueueCalls(), 0);

  // A write that runs past the end fills the block, queues it and carries the rest over.
  EXPECT_TRUE(WritePattern(stream, 7, 6));
  EXPECT_EQ(device.QueuedLengths(), (std::vector<uint32_t>{10}));
  EXPECT_EQ(device.QueuedBytes(), Pattern(0, 10));
  EXPECT_EQ(stream.FillPosition(), 3u);
  EXPECT_EQ(stream.CurrentSlot(), 1);
  EXPECT_EQ(stream.CountLiveBlocks(), 2);

  // A write of exactly the bytes left queues the block and carries nothing over: no new block.
  EXPECT_TRUE(WritePattern(stream, 13, 7));
  EXPECT_EQ(device.QueuedLengths(), (std::vector<uint32_t>{10, 10}));
  EXPECT_EQ(device.QueuedBytes(), Pattern(0, 20));
  EXPECT_EQ(stream.FillPosition(), 0u);
  EXPECT_EQ(stream.CurrentSlot(), 2);
  EXPECT_EQ(stream.CountLiveBlocks(), 2);

  // One write spanning several blocks queues each of them.
  EXPECT_TRUE(WritePattern(stream, 20, 34));
  EXPECT_EQ(device.QueuedLengths(), (std::vector<uint32_t>{10, 10, 10, 10, 10}));
  EXPECT_EQ(device.QueuedBytes(), Pattern(0, 50));
  EXPECT_EQ(stream.FillPosition(), 4u);
  EXPECT_EQ(stream.CurrentSlot(), 5);
  EXPECT_TRUE(stream.IsActive());
}

TEST_F(StreamTest, TwoByteWritesQueueOneFullBlockPer2500Writes) {
  OpenWithBlockSize(5000);
  uint64_t written = 0;
  for (int block = 0; block < 3; ++block) {
    for (int i = 0; i < 2499; ++i, written += 2) ASSERT_TRUE(WritePattern(stream, written, 2));
    EXPECT_EQ(device.QueueCalls(), block);
    EXPECT_EQ(stream.FillPosition(), 4998u);
    ASSERT_TRUE(WritePattern(stream, written, 2));
    written += 2;
    EXPECT_EQ(device.QueueCalls(), block + 1);
    EXPECT_EQ(stream.FillPosition(), 0u);
  }
  EXPECT_EQ(device.QueuedLengths(), (std::vector<uint32_t>{5000, 5000, 5000}));
  EXPECT_EQ(device.QueuedBytes(), Pattern(0, 15000));
}

TEST_F(StreamTest, SlotsWrapAfter100BlocksAndTheRingFullFlagFollowsTheDevice) {
  OpenWithBlockSize(4);

  // Blocks returned as they come: the slot index wraps from 99 to 0, the ring never fills.
  for (int block = 0; block < 100; ++block) {
    EXPECT_EQ(stream.CurrentSlot(), block);
    ASSERT_TRUE(WritePattern(stream, block * 4, 4));
    EXPECT_FALSE(stream.IsFull());
    ASSERT_TRUE(device.ReturnNext());
  }
  EXPECT_EQ(stream.CurrentSlot(), 0);
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
  EXPECT_FALSE(stream.IsActive());
  EXPECT_EQ(device.QueuedLengths().size(), 100u);
  EXPECT_EQ(device.QueuedBytes(), Pattern(0, 400));
  device.ReturnAll();

  // Blocks kept by the device: after 100 the next slot still holds the first one.
  for (int block = 0; block < 99; ++block) {
    ASSERT_TRUE(WritePattern(stream, 400 + block * 4, 4));
    EXPECT_FALSE(stream.IsFull());
  }
  ASSERT_TRUE(WritePattern(stream, 796, 4));
  EXPECT_TRUE(stream.IsFull());
  EXPECT_EQ(stream.CountLiveBlocks(), 100);
  EXPECT_EQ(stream.CurrentSlot(), 0);

  // Writing into a block the device still holds is refused and changes nothing.
  EXPECT_FALSE(WritePattern(stream, 9999, 2));
  EXPECT_FALSE(stream.Flush());
  EXPECT_EQ(device.QueueCalls(), 200);
  EXPECT_EQ(stream.FillPosition(), 0u);

  // Any returned block clears the flag; the freed slot 0 takes the next block, and slot 1 is
  // still held, so the ring is full again.
  ASSERT_TRUE(device.ReturnNext());
  EXPECT_FALSE(stream.IsFull());
  EXPECT_EQ(stream.CountLiveBlocks(), 99);
  ASSERT_TRUE(WritePattern(stream, 800, 4));
  EXPECT_TRUE(stream.IsFull());
  EXPECT_EQ(device.QueuedBytes(), Pattern(0, 804));
  device.ReturnAll();
  EXPECT_FALSE(stream.IsFull());
  EXPECT_FALSE(stream.IsActive());
}

TEST_F(StreamTest, FlushQueuesOnlyAPartlyFilledBlock) {
  OpenWithBlockSize(5000);
  EXPECT_FALSE(stream.Flush());
  EXPECT_EQ(device.QueueCalls(), 0);
  EXPECT_EQ(stream.CurrentSlot(), 0);

  for (int i = 0; i < 3; ++i) ASSERT_TRUE(WritePattern(stream, i * 2, 2));
  EXPECT_TRUE(stream.Flush());
  EXPECT_EQ(device.QueuedLengths(), (std::vector<uint32_t>{6}));
  EXPECT_EQ(device.QueuedBytes(), Pattern(0, 6));
  EXPECT_EQ(stream.CurrentSlot(), 1);
  EXPECT_EQ(stream.FillPosition(), 0u);
  EXPECT_TRUE(stream.IsActive());

  // The flushed block is gone from the slot being filled: a second Flush has nothing.
  EXPECT_FALSE(stream.Flush());
  EXPECT_EQ(device.QueueCalls(), 1);
}

TEST_F(StreamTest, LiveBlocksCountTheBlockBeingFilled) {
  OpenWithBlockSize(5000);
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
  ASSERT_TRUE(WritePattern(stream, 0, 2));
  EXPECT_EQ(stream.CountLiveBlocks(), 1);
  EXPECT_FALSE(stream.IsActive());  // nothing handed to the device yet

  ASSERT_TRUE(stream.Flush());
  EXPECT_EQ(stream.CountLiveBlocks(), 1);
  EXPECT_TRUE(stream.IsActive());
  ASSERT_TRUE(WritePattern(stream, 2, 2));
  EXPECT_EQ(stream.CountLiveBlocks(), 2);

  // The returned block is freed; the one being filled keeps the stream active.
  ASSERT_TRUE(device.ReturnNext());
  EXPECT_EQ(stream.CountLiveBlocks(), 1);
  EXPECT_TRUE(stream.IsActive());
  ASSERT_TRUE(stream.Flush());
  ASSERT_TRUE(device.ReturnNext());
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
  EXPECT_FALSE(stream.IsActive());
  EXPECT_EQ(device.UnprepareCount(), 2);
}

TEST_F(StreamTest, CloseWithoutADeviceLeavesTheStopRequest) {
  stream.SetBlockSize(5000);
  stream.RequestStop();
  stream.Close();
  EXPECT_TRUE(stream.IsStopRequested());
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(device.CloseCount(), 0);
  EXPECT_EQ(device.ResetCount(), 0);

  // After a failed Open the writer's refused block is freed by Close, the request still stays.
  device.SetOpenSucceeds(false);
  EXPECT_FALSE(stream.Open(44100));
  for (int i = 0; i < 2500; ++i) WritePattern(stream, i * 2, 2);
  EXPECT_FALSE(WritePattern(stream, 0, 2));
  EXPECT_FALSE(stream.Flush());
  EXPECT_EQ(stream.CountLiveBlocks(), 1);
  stream.RequestStop();
  stream.Close();
  EXPECT_TRUE(stream.IsStopRequested());
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
  EXPECT_EQ(stream.FillPosition(), 0u);
  EXPECT_EQ(device.QueueCalls(), 0);
  EXPECT_EQ(device.CloseCount(), 0);
}

TEST_F(StreamTest, CloseReturnsOnlyAfterEveryQueuedBlockCameBack) {
  OpenWithBlockSize(5000);
  ASSERT_TRUE(WritePattern(stream, 0, 3 * 5000 + 1234));
  ASSERT_TRUE(stream.Flush());
  ASSERT_EQ(device.PendingCount(), 4);
  stream.RequestStop();

  // The device plays the blocks out slowly, one by one, on a thread of its own.
  std::thread player([this] {
    for (int i = 0; i < 4; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      device.ReturnNext();
    }
  });
  stream.Close();
  // Close reset the device only when nothing was left on it.
  EXPECT_EQ(device.ReturnedByReset(), 0);
  EXPECT_EQ(device.PendingCount(), 0);
  EXPECT_EQ(device.UnprepareCount(), 4);
  player.join();

  EXPECT_EQ(device.ResetCount(), 1);
  EXPECT_EQ(device.CloseCount(), 1);
  EXPECT_FALSE(device.IsOpen());
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
  EXPECT_EQ(stream.CurrentSlot(), 0);
  EXPECT_EQ(stream.FillPosition(), 0u);
  EXPECT_FALSE(stream.IsStopRequested());
  EXPECT_FALSE(stream.IsActive());
  EXPECT_FALSE(stream.IsFull());
  EXPECT_EQ(device.QueuedLengths(), (std::vector<uint32_t>{5000, 5000, 5000, 1234}));
  EXPECT_EQ(device.QueuedBytes(), Pattern(0, 16234));
}

TEST_F(StreamTest, RepeatedAndForeignReportsFreeNothing) {
  OpenWithBlockSize(5000);
  ASSERT_TRUE(WritePattern(stream, 0, 2));
  ASSERT_TRUE(stream.Flush());
  ASSERT_TRUE(WritePattern(stream, 2, 2));
  ASSERT_TRUE(device.ReturnNext());
  WaveHeader* first = device.QueuedHeaders().at(0);
  EXPECT_EQ(first->data, nullptr);

  // The first block is already freed: a second report of it changes nothing.
  device.Deliver(kWomDone, first);
  EXPECT_EQ(stream.CountLiveBlocks(), 1);
  EXPECT_TRUE(stream.IsActive());
  EXPECT_EQ(stream.FillPosition(), 2u);

  // Open and close notifications naming a queued block are ignored.
  ASSERT_TRUE(stream.Flush());
  WaveHeader* second = device.QueuedHeaders().at(1);
  device.Deliver(kWomOpen, second);
  device.Deliver(kWomClose, second);
  EXPECT_NE(second->data, nullptr);
  EXPECT_EQ(stream.CountLiveBlocks(), 1);

  ASSERT_TRUE(device.ReturnNext());
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
  EXPECT_FALSE(stream.IsActive());
  device.Deliver(kWomDone, second);
  device.Deliver(kWomDone, first);
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
  EXPECT_FALSE(stream.IsActive());

  // A report for a header that is not the stream's is ignored too.
  WaveHeader stranger;
  stranger.user = &stream;
  device.Deliver(kWomDone, &stranger);
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
}

TEST_F(StreamTest, ARefusedFormatLeavesTheStreamClosed) {
  device.SetFormatSupported(false);
  stream.SetBlockSize(4);
  EXPECT_FALSE(stream.Open(44100));
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(device.QueryCount(), 1);
  EXPECT_EQ(device.OpenCount(), 0);

  // Every full block is refused, Flush fails and Close returns at once.
  EXPECT_TRUE(WritePattern(stream, 0, 3));
  EXPECT_FALSE(WritePattern(stream, 3, 3));
  EXPECT_FALSE(WritePattern(stream, 6, 3));
  EXPECT_FALSE(stream.Flush());
  EXPECT_FALSE(stream.IsActive());
  stream.Close();
  EXPECT_EQ(device.PrepareCalls(), 0);
  EXPECT_EQ(stream.CountLiveBlocks(), 0);

  // A device that takes the format but cannot be opened.
  device.SetFormatSupported(true);
  device.SetOpenSucceeds(false);
  EXPECT_FALSE(stream.Open(44100));
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(device.QueryCount(), 2);
}

TEST_F(StreamTest, ARefusedBlockStaysInItsSlotAndCloseDoesNotWaitForIt) {
  OpenWithBlockSize(4);
  device.RefuseQueue(2);  // only the second block is refused once

  EXPECT_TRUE(WritePattern(stream, 0, 4));
  EXPECT_FALSE(WritePattern(stream, 4, 6));  // the block is refused, the last 2 bytes dropped
  EXPECT_EQ(stream.CurrentSlot(), 1);
  EXPECT_EQ(stream.FillPosition(), 4u);
  EXPECT_EQ(stream.CountLiveBlocks(), 2);
  EXPECT_EQ(device.UnprepareCount(), 1);  // the refused block was prepared, so it is released

  // The next write retries the full block before its own bytes go into the next one.
  EXPECT_TRUE(WritePattern(stream, 8, 2));
  EXPECT_EQ(device.QueuedLengths(), (std::vector<uint32_t>{4, 4}));
  EXPECT_EQ(device.QueuedBytes(), Pattern(0, 8));
  EXPECT_EQ(stream.CurrentSlot(), 2);
  EXPECT_EQ(stream.FillPosition(), 2u);

  // A refused prepare behaves alike (prepare calls so far: 3).
  device.RefusePrepare(4);
  EXPECT_FALSE(WritePattern(stream, 10, 2));
  EXPECT_EQ(stream.CurrentSlot(), 2);
  EXPECT_EQ(device.QueueCalls(), 3);
  EXPECT_TRUE(WritePattern(stream, 12, 1));
  EXPECT_EQ(device.QueuedBytes(), Pattern(0, 12));
  EXPECT_EQ(stream.CurrentSlot(), 3);

  // From now on every block is refused: the full block stays behind, Flush cannot queue it.
  device.RefuseQueue(0);
  EXPECT_FALSE(WritePattern(stream, 13, 3));
  EXPECT_FALSE(stream.Flush());
  EXPECT_EQ(stream.CountLiveBlocks(), 4);
  EXPECT_EQ(device.PendingCount(), 3);
  EXPECT_TRUE(stream.IsActive());

  std::thread player([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    device.ReturnAll();
  });
  stream.Close();
  player.join();
  EXPECT_EQ(device.ReturnedByReset(), 0);
  EXPECT_EQ(device.CloseCount(), 1);
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
  EXPECT_FALSE(stream.IsActive());
  EXPECT_EQ(stream.CurrentSlot(), 0);
}

TEST_F(StreamTest, OpenResetsTheStreamAndBuildsTheFormat) {
  WaveFormatEx format = stream.Format();
  EXPECT_EQ(format.samplesPerSec, 44100u);
  EXPECT_EQ(format.avgBytesPerSec, 88200u);

  stream.SetBlockSize(8);
  ASSERT_TRUE(stream.Open(22050));
  format = stream.Format();
  EXPECT_EQ(format.formatTag, 1);
  EXPECT_EQ(format.channels, 1);
  EXPECT_EQ(format.samplesPerSec, 22050u);
  EXPECT_EQ(format.avgBytesPerSec, 44100u);
  EXPECT_EQ(format.blockAlign, 2);
  EXPECT_EQ(format.bitsPerSample, 16);
  EXPECT_EQ(format.cbSize, 0);
  EXPECT_EQ(device.OpenedFormat().samplesPerSec, 22050u);

  // Open on an open stream with a queued and a partly filled block: the old device is reset and
  // closed first, everything is freed and every flag starts over.
  ASSERT_TRUE(WritePattern(stream, 0, 12));
  stream.RequestStop();
  ASSERT_TRUE(stream.Open(44100));
  EXPECT_EQ(device.ResetCount(), 1);
  EXPECT_EQ(device.CloseCount(), 1);
  EXPECT_EQ(device.ReturnedByReset(), 1);
  EXPECT_EQ(device.OpenCount(), 2);
  EXPECT_TRUE(stream.IsOpen());
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
  EXPECT_EQ(stream.FillPosition(), 0u);
  EXPECT_EQ(stream.CurrentSlot(), 0);
  EXPECT_FALSE(stream.IsStopRequested());
  EXPECT_FALSE(stream.IsActive());
  EXPECT_FALSE(stream.IsFull());
  format = stream.Format();
  EXPECT_EQ(format.samplesPerSec, 44100u);
  EXPECT_EQ(format.avgBytesPerSec, 88200u);
  EXPECT_EQ(device.OpenedFormat().avgBytesPerSec, 88200u);

  // A failed Open after refused writes leaves a block behind; the next Open frees it.
  stream.Close();
  device.SetOpenSucceeds(false);
  EXPECT_FALSE(stream.Open(44100));
  EXPECT_FALSE(WritePattern(stream, 0, 10));
  EXPECT_EQ(stream.CountLiveBlocks(), 1);
  device.SetOpenSucceeds(true);
  ASSERT_TRUE(stream.Open(44100));
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
  EXPECT_EQ(stream.FillPosition(), 0u);
  stream.Close();
}

// Runs wait on a thread of its own and tells whether it ended. The bound only turns a lost
// wake-up into a failure instead of a hang.
bool EndsWithoutBeingTimedOut(std::future<void> wait) {
  return wait.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
}

TEST_F(StreamTest, WaitForChangeWakesOnAReturnedBlockAndOnAStopRequest) {
  OpenWithBlockSize(4);
  ASSERT_TRUE(WritePattern(stream, 0, 12));

  // A block that came back after the last look counts as a change: no wait at all.
  stream.MarkSeen();
  EXPECT_EQ(stream.CountLiveBlocks(), 3);
  ASSERT_TRUE(device.ReturnNext());
  EXPECT_TRUE(EndsWithoutBeingTimedOut(
      std::async(std::launch::async, [this] { stream.WaitForChange(600000); })));
  EXPECT_EQ(stream.CountLiveBlocks(), 2);

  // A waiter is woken by a returned block and by a stop request.
  auto waitFromRenderThread = [this] {
    return std::async(std::launch::async, [this] {
      stream.MarkSeen();
      stream.WaitForChange(600000);
    });
  };
  std::future<void> waiter = waitFromRenderThread();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_TRUE(device.ReturnNext());
  EXPECT_TRUE(EndsWithoutBeingTimedOut(std::move(waiter)));

  waiter = waitFromRenderThread();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  stream.RequestStop();
  EXPECT_TRUE(EndsWithoutBeingTimedOut(std::move(waiter)));
  EXPECT_EQ(stream.CountLiveBlocks(), 1);
  device.ReturnAll();
  stream.Close();
}

TEST_F(StreamTest, AStuckDeviceIsResetOnceAStopIsRequested) {
  stream.SetStallTimeout(50);
  OpenWithBlockSize(4);
  ASSERT_TRUE(WritePattern(stream, 0, 10));
  ASSERT_EQ(device.PendingCount(), 2);

  // Without a stop request the writer just waits for the device.
  stream.MarkSeen();
  stream.WaitForChange(100);
  EXPECT_EQ(device.ResetCount(), 0);
  EXPECT_EQ(stream.CountLiveBlocks(), 3);

  // With one, a device that returns nothing is reset, so that the writer sees the stop.
  stream.RequestStop();
  while (stream.CountLiveBlocks() > 1) stream.WaitForChange(20);
  EXPECT_EQ(device.ResetCount(), 1);
  EXPECT_EQ(device.ReturnedByReset(), 2);
  EXPECT_TRUE(stream.IsOpen());

  // Close gives up on blocks the device keeps.
  ASSERT_TRUE(stream.Flush());
  stream.Close();
  EXPECT_EQ(device.ReturnedByReset(), 3);
  EXPECT_EQ(device.CloseCount(), 1);
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
  EXPECT_FALSE(stream.IsStopRequested());
}

// The render thread's loop against a device that plays on a thread of its own: the device gets
// exactly the bytes written, in order, and no more than 9 blocks are ever alive.
void WriteUntilStopped(WaveOutStream& stream, uint64_t& written, int32_t& mostAlive) {
  uint32_t size = 1;
  for (;;) {
    std::this_thread::yield();
    stream.MarkSeen();
    const int32_t alive = stream.CountLiveBlocks();
    mostAlive = std::max(mostAlive, alive);
    if (alive > 8) {
      stream.WaitForChange(20);
      continue;
    }
    if (stream.IsStopRequested()) {
      stream.Flush();
      stream.Close();
      return;
    }
    if (stream.IsFull()) {
      stream.WaitForChange(20);
      continue;
    }
    if (WritePattern(stream, written, size)) written += size;
    size = size % 13 + 1;  // odd sizes too, so writes straddle block ends at every offset
  }
}

TEST(StreamThreadedTest, ACapturingDeviceGetsEveryByteWrittenInOrder) {
  for (const auto pace : {CaptureAudioDevice::Pace::kImmediate, CaptureAudioDevice::Pace::kFixed,
                          CaptureAudioDevice::Pace::kRealTime}) {
    CaptureAudioDevice device;
    device.SetPace(pace, 1);
    WaveOutStream stream(&device);
    stream.SetBlockSize(5000);
    ASSERT_TRUE(stream.Open(44100));

    uint64_t written = 0;
    int32_t mostAlive = 0;
    std::thread render([&] { WriteUntilStopped(stream, written, mostAlive); });
    ASSERT_TRUE(device.WaitForBytes(12 * 5000, 600000));
    stream.RequestStop();
    render.join();

    const std::vector<uint8_t> captured = device.Captured();
    ASSERT_EQ(captured.size(), written);
    EXPECT_EQ(captured, Pattern(0, written));
    EXPECT_LE(mostAlive, 9);
    EXPECT_LE(device.MaxPending(), 9);
    EXPECT_EQ(device.DiscardedBlocks(), 0u);
    EXPECT_EQ(device.CloseCount(), 1);
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(stream.CountLiveBlocks(), 0);
    EXPECT_FALSE(stream.IsStopRequested());
    // Every block but the flushed last one is full.
    const std::vector<uint32_t> lengths = device.BlockLengths();
    for (size_t i = 0; i + 1 < lengths.size(); ++i) ASSERT_EQ(lengths[i], 5000u);
  }
}

TEST(StreamThreadedTest, AStopFromAnotherThreadWhileBlocksComeBackEndsCleanly) {
  // Many short runs: stop requests land at every point of the loop and of the device's returns.
  CaptureAudioDevice device;
  WaveOutStream stream(&device);
  uint64_t total = 0;
  for (int run = 0; run < 40; ++run) {
    stream.SetBlockSize(64);
    ASSERT_TRUE(stream.Open(44100));
    uint64_t written = 0;
    int32_t mostAlive = 0;
    std::thread render([&] { WriteUntilStopped(stream, written, mostAlive); });
    std::this_thread::sleep_for(std::chrono::microseconds(200 * (run % 7)));
    stream.RequestStop();
    render.join();
    const std::vector<uint8_t> captured = device.Captured();
    ASSERT_EQ(captured.size(), total + written);
    EXPECT_TRUE(std::equal(captured.begin() + total, captured.end(), Pattern(0, written).begin()));
    total += written;
    EXPECT_LE(mostAlive, 9);
    EXPECT_EQ(stream.CountLiveBlocks(), 0);
    EXPECT_FALSE(stream.IsActive());
  }
}

TEST(CaptureDeviceTest, KeepsWindowsReportsBlocksAndDiscardsWhatResetReturns) {
  CaptureAudioDevice device;
  device.SetWindows({{3, 8}, {4998, 5003}, {11990, 20000}});
  std::vector<std::pair<uint64_t, uint32_t>> seen;
  device.SetObserver([&seen](uint64_t offset, const uint8_t*, uint32_t length) {
    seen.emplace_back(offset, length);
  });
  WaveOutStream stream(&device);
  stream.SetBlockSize(5000);
  ASSERT_TRUE(stream.Open(44100));
  for (uint64_t i = 0; i < 12000; i += 2) ASSERT_TRUE(WritePattern(stream, i, 2));
  ASSERT_TRUE(stream.Flush());
  stream.Close();

  // Only the windows are kept, each as far as the bytes went.
  EXPECT_EQ(device.TotalBytes(), 12000u);
  EXPECT_TRUE(device.Captured().empty());
  EXPECT_EQ(device.WindowBytes(0), Pattern(3, 5));
  EXPECT_EQ(device.WindowBytes(1), Pattern(4998, 5));
  EXPECT_EQ(device.WindowBytes(2), Pattern(11990, 10));
  EXPECT_EQ(seen,
            (std::vector<std::pair<uint64_t, uint32_t>>{{0, 5000}, {5000, 5000}, {10000, 2000}}));
  EXPECT_EQ(device.BlockLengths(), (std::vector<uint32_t>{5000, 5000, 2000}));

  // Paused, the device keeps what is queued; a reset returns it unplayed.
  device.ClearCaptured();
  device.SetWindows({});
  device.SetPaused(true);
  ASSERT_TRUE(stream.Open(44100));
  ASSERT_TRUE(WritePattern(stream, 0, 15000));
  EXPECT_EQ(device.PendingCount(), 3);
  ASSERT_TRUE(stream.Open(44100));  // resets and closes the device first
  EXPECT_EQ(device.DiscardedBlocks(), 3u);
  EXPECT_EQ(device.TotalBytes(), 0u);
  EXPECT_EQ(stream.CountLiveBlocks(), 0);

  // Resumed, it plays again.
  device.SetPaused(false);
  ASSERT_TRUE(WritePattern(stream, 0, 5000));
  ASSERT_TRUE(device.WaitForBytes(5000, 600000));
  stream.Close();
  EXPECT_EQ(device.Captured(), Pattern(0, 5000));
  EXPECT_EQ(device.OpenCount(), 3);
  EXPECT_EQ(device.CloseCount(), 3);
}

}  // namespace
