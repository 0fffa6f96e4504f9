// What the output stream needs of a sound device: a format query, open with a completion
// callback, prepare/queue/unprepare of blocks, reset and close. Implementations: the PortAudio
// device of the app and the devices the tests control.
#pragma once

#include <cstdint>

// PCM format record, as the stream builds it from the sample rate.
struct WaveFormatEx {
  uint16_t formatTag = 1;  // PCM
  uint16_t channels = 1;
  uint32_t samplesPerSec = 44100;
  uint32_t avgBytesPerSec = 88200;
  uint16_t blockAlign = 2;
  uint16_t bitsPerSample = 16;
  uint16_t cbSize = 0;
};

// One block handed to the device. A slot holds a block while data is not null.
struct WaveHeader {
  uint8_t* data = nullptr;
  uint32_t bufferLength = 0;
  void* user = nullptr;  // the stream that queued the block
  uint32_t flags = 0;
  uint32_t loops = 0;
  bool prepared = false;  // the device's own bookkeeping
};

// Messages passed to the completion callback.
enum WaveOutMessage : uint32_t {
  kWomOpen = 955,
  kWomClose = 956,
  kWomDone = 957,
};

class AudioDevice {
 public:
  // Called by the device on a thread of its own (never on a real-time audio callback).
  using Callback = void (*)(AudioDevice* device, uint32_t message, void* instance,
                            WaveHeader* header);

  virtual ~AudioDevice() = default;
  // Whether the device takes the format, without opening it.
  virtual bool QueryFormat(const WaveFormatEx& format) = 0;
  virtual bool Open(const WaveFormatEx& format, Callback callback, void* instance) = 0;
  virtual bool Prepare(WaveHeader* header) = 0;
  // Queues a prepared block; blocks play back to back in queue order and each is returned through
  // the callback with kWomDone.
  virtual bool Queue(WaveHeader* header) = 0;
  virtual void Unprepare(WaveHeader* header) = 0;
  // Stops playback and returns every queued block through the callback.
  virtual void Reset() = 0;
  virtual void Close() = 0;
};
