// The PortAudio device against a private sound server (skipped without one).
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "audio/portaudio_device.h"
#include "audio/wave_out_stream.h"

namespace {

// Collects the blocks the device reports back, in the order it reports them.
struct Returns {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<WaveHeader*> done;
  int32_t others = 0;

  static void Callback(AudioDevice* device, uint32_t message, void* instance, WaveHeader* header) {
    auto* self = static_cast<Returns*>(instance);
    if (message == kWomDone) device->Unprepare(header);
    std::lock_guard<std::mutex> held(self->mutex);
    if (message == kWomDone) {
      self->done.push_back(header);
    } else {
      ++self->others;
    }
    self->changed.notify_all();
  }

  // Waits (bounded, so that a lost block fails instead of hanging) for count reports.
  bool WaitFor(size_t count) {
    std::unique_lock<std::mutex> held(mutex);
    return changed.wait_for(held, std::chrono::seconds(30), [&] { return done.size() >= count; });
  }

  std::vector<WaveHeader*> Done() {
    std::lock_guard<std::mutex> held(mutex);
    return done;
  }
};

// Blocks of a 441 Hz triangle, 16-bit little-endian mono.
struct Blocks {
  Blocks(size_t count, uint32_t frames) : bytes(count), headers(count) {
    uint32_t phase = 0;
    for (size_t b = 0; b < count; ++b) {
      bytes[b].resize(frames * 2);
      for (uint32_t f = 0; f < frames; ++f, phase = (phase + 1) % 100) {
        const int32_t value = (phase < 50 ? phase : 100 - phase) * 1000 - 25000;
        bytes[b][f * 2] = static_cast<uint8_t>(value & 0xff);
        bytes[b][f * 2 + 1] = static_cast<uint8_t>((value >> 8) & 0xff);
      }
      headers[b].data = bytes[b].data();
      headers[b].bufferLength = frames * 2;
    }
  }
  std::vector<std::vector<uint8_t>> bytes;
  std::vector<WaveHeader> headers;
};

class PortAudioDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Only a private server started for the tests may be played to, never the user's own.
    if (std::getenv("PULSE_SERVER") == nullptr) {
      GTEST_SKIP() << "no private sound server (PULSE_SERVER is not set)";
    }
  }
};

TEST_F(PortAudioDeviceTest, PlaysQueuedBlocksAndReturnsEachInOrder) {
  PortAudioDevice device;
  WaveFormatEx format;  // 16-bit mono PCM at 44100 Hz
  ASSERT_TRUE(device.QueryFormat(format));
  WaveFormatEx eightBit = format;
  eightBit.bitsPerSample = 8;
  EXPECT_FALSE(device.QueryFormat(eightBit));

  Returns returns;
  ASSERT_TRUE(device.Open(format, &Returns::Callback, &returns));
  Blocks blocks(6, 2205);  // 0.3 s
  for (WaveHeader& header : blocks.headers) {
    ASSERT_TRUE(device.Prepare(&header));
    ASSERT_TRUE(device.Queue(&header));
  }
  ASSERT_TRUE(returns.WaitFor(6));
  std::vector<WaveHeader*> expected;
  for (WaveHeader& header : blocks.headers) expected.push_back(&header);
  EXPECT_EQ(returns.Done(), expected);
  for (WaveHeader& header : blocks.headers) EXPECT_FALSE(header.prepared);

  device.Close();
  EXPECT_EQ(returns.Done().size(), 6u);
  // Closed: nothing more is taken.
  WaveHeader late = blocks.headers[0];
  EXPECT_FALSE(device.Prepare(&late));
  EXPECT_FALSE(device.Queue(&late));
}

TEST_F(PortAudioDeviceTest, ResetReturnsEveryQueuedBlockAtOnce) {
  PortAudioDevice device;
  Returns returns;
  ASSERT_TRUE(device.Open(WaveFormatEx{}, &Returns::Callback, &returns));
  Blocks blocks(40, 2500);  // 2.3 s, far more than Reset may take
  for (WaveHeader& header : blocks.headers) {
    ASSERT_TRUE(device.Prepare(&header));
    ASSERT_TRUE(device.Queue(&header));
  }
  device.Reset();
  // Reset returns only when every block has been reported, in queue order.
  std::vector<WaveHeader*> expected;
  for (WaveHeader& header : blocks.headers) expected.push_back(&header);
  EXPECT_EQ(returns.Done(), expected);

  // The device plays on after a reset.
  Blocks more(2, 1000);
  for (WaveHeader& header : more.headers) {
    ASSERT_TRUE(device.Prepare(&header));
    ASSERT_TRUE(device.Queue(&header));
  }
  ASSERT_TRUE(returns.WaitFor(42));
  EXPECT_EQ(returns.Done()[40], &more.headers[0]);
  EXPECT_EQ(returns.Done()[41], &more.headers[1]);
  device.Close();
}

TEST_F(PortAudioDeviceTest, CloseReturnsWhatIsStillQueued) {
  PortAudioDevice device;
  Returns returns;
  ASSERT_TRUE(device.Open(WaveFormatEx{}, &Returns::Callback, &returns));
  Blocks blocks(20, 2500);
  for (WaveHeader& header : blocks.headers) {
    ASSERT_TRUE(device.Prepare(&header));
    ASSERT_TRUE(device.Queue(&header));
  }
  device.Close();
  EXPECT_EQ(returns.Done().size(), 20u);

  // The same device opens again.
  ASSERT_TRUE(device.Open(WaveFormatEx{}, &Returns::Callback, &returns));
  Blocks again(1, 441);
  ASSERT_TRUE(device.Prepare(&again.headers[0]));
  ASSERT_TRUE(device.Queue(&again.headers[0]));
  ASSERT_TRUE(returns.WaitFor(21));
  device.Close();
}

TEST_F(PortAudioDeviceTest, TheStreamDrainsIntoTheDeviceOnClose) {
  PortAudioDevice device;
  WaveOutStream stream(&device);
  stream.SetBlockSize(5000);
  ASSERT_TRUE(stream.Open(44100));
  // 0.4 s of a falling saw, sample by sample as the player writes.
  for (int32_t i = 0; i < 17640; ++i) {
    const auto sample = static_cast<int16_t>(12000 - (i % 100) * 240);
    const uint8_t bytes[2] = {static_cast<uint8_t>(sample & 0xff),
                              static_cast<uint8_t>((sample >> 8) & 0xff)};
    ASSERT_TRUE(stream.Write(bytes, 2));
  }
  EXPECT_TRUE(stream.Flush());
  EXPECT_TRUE(stream.IsActive());
  stream.Close();
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_FALSE(stream.IsActive());
  EXPECT_EQ(stream.CountLiveBlocks(), 0);
}

}  // namespace
