// What the output stream needs of a sound device: a format query, open with a completion
// callback, prepare/queue/unprepare of blocks, reset and close. Implementations: the PortAudio
// device of the app and the devices the tests control.
#pragma once

#include <cstdint>

// PCM format record, as the stream builds it from the sample rate. (Named, like the messages
// below, after the Windows waveOut structures the device interface was modelled on.)
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

// Why a device gives no sound: nothing to open, a format it does not take, an open that failed,
// or a sound system that stopped answering or went away.
enum class OutputProblem : int32_t {
  kNone,
  kNoDevice,
  kFormatRefused,
  kOpenFailed,
  kServerLost,
};

// What a device noticed while playing, as bits of TakeEvents' result.
enum DeviceEvent : uint32_t {
  kEventUnderrun = 1,    // the output ran dry between two blocks: something was not in time
  kEventOutputLost = 2,  // writing to the output failed (a sound server that went away)
};

// Messages passed to the completion callback; kWomDone ("wave out message: done") hands a played
// block back.
enum WaveOutMessage : uint32_t {
  kWomOpen = 955,
  kWomClose = 956,
  kWomDone = 957,
};

// The contract every device keeps:
// - Queued blocks play back to back in queue order; each comes back exactly once through the
//   callback with kWomDone, in queue order, after it has been played (or by Reset).
// - The callback runs on a thread of the device's own, or on the thread calling Reset; never on a
//   real-time audio callback, and never while the caller of Queue is inside Queue. The device
//   touches no header after reporting it.
// - Reset returns only when every queued block has been reported and no report is still running;
//   Close does the same and afterwards the callback is never called again.
// - The owner calls QueryFormat, Open, SetLatency, Prepare, Queue, Reset and Close from one thread
//   at a time (the stream serialises them); Unprepare is called from inside the callback.
//
// Threads (README's vocabulary): the stream calls the owner's operations from the render thread,
// which opens the device and writes to it; its Restart and destructor may also reset and close a
// device left open, [UI, not while playing].
class AudioDevice {
 public:
  using Callback = void (*)(AudioDevice* device, uint32_t message, void* instance,
                            WaveHeader* header);

  virtual ~AudioDevice() = default;
  // Whether the device takes the format, without opening it. [render]
  virtual bool QueryFormat(const WaveFormatEx& format) = 0;
  // [render]
  virtual bool Open(const WaveFormatEx& format, Callback callback, void* instance) = 0;
  // [render]
  virtual bool Prepare(WaveHeader* header) = 0;
  // Queues a prepared block; blocks play back to back in queue order and each is returned through
  // the callback with kWomDone. [render]
  virtual bool Queue(WaveHeader* header) = 0;
  // [device] (from inside the callback), or [render] for a block Queue refused.
  virtual void Unprepare(WaveHeader* header) = 0;
  // Stops playback and returns every queued block through the callback. [render]
  virtual void Reset() = 0;
  // [render]
  virtual void Close() = 0;

  // The output latency the next Open asks the sound system for, in seconds, and the frames it
  // hands over per write; 0 for either keeps the device's own choice. [render], while closed.
  virtual void SetLatency(double /*seconds*/, uint32_t /*chunkFrames*/) {}
  // While set, QueryFormat and Open fail at once, and one that is waiting for the sound system
  // gives up and fails: a stop must not wait for a sound server that does not answer. [any]
  virtual void SetOpenCancelled(bool /*cancelled*/) {}
  // Why the last QueryFormat or Open failed; kNone after a success or a cancelled one. [render]
  virtual OutputProblem LastOpenProblem() { return OutputProblem::kNone; }
  // The DeviceEvent bits noticed since the last call, which clears them. [any]
  virtual uint32_t TakeEvents() { return 0; }
};
