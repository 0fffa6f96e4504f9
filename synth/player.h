// The synthesis engine as the editing pane sees it: hands edits to the two default tones, chooses
// tone and note, and plays the current tone on a render thread into the output stream.
//
// Threads (README's vocabulary: [UI], [render], [device], [any], [UI, not while playing]): the tag
// on each operation says where it may be called. The render thread (started by Play) opens the
// device, reads the current tone and note once at its start and then only renders and writes the
// stream, looking at the live note (an atomic) before every sample; the device's completion
// callback only touches the stream.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/wave_out_stream.h"
#include "synth/tone.h"
#include "synth/tone_table.h"
#include "synth/wave_sequence.h"
#include "tables/pitch_tables.h"

class AudioDevice;

class Player {
 public:
  static constexpr int32_t kSampleRate = 44100;
  // Blocks of 5000 bytes (2500 samples). The render thread renders another block while at most
  // 8 are alive and waits once more are: at most 9 blocks (about half a second) are alive.
  static constexpr uint32_t kBlockBytes = 5000;
  static constexpr int32_t kWaitAboveLiveBlocks = 8;
  static constexpr int32_t kLastIndex = 3145728;
  // The low-latency preview: blocks of 256 samples (5.8 ms), rendering only while at most 2 are
  // alive (so at most 3, 17 ms, ahead of the device), and a device asked for 15 ms of latency
  // (PortAudio gives 768 frames, 17 ms, through ALSA's pulse plugin), written 256 frames at a
  // time. 25 ms there, which PortAudio rounds to 1024 frames, cost about 15 ms more from a key
  // to the sink than these 15.
  static constexpr uint32_t kLowLatencyBlockBytes = 512;
  static constexpr int32_t kLowLatencyWaitAboveLiveBlocks = 2;
  static constexpr double kLowLatencySeconds = 0.015;
  static constexpr uint32_t kLowLatencyChunkFrames = 256;
  // After an underrun in the low-latency preview: 24 small blocks (139 ms) ahead, and 80 ms of
  // device latency from the next Play on.
  static constexpr int32_t kFallbackWaitAboveLiveBlocks = 23;
  static constexpr double kFallbackLatencySeconds = 0.08;

  // The device the stream plays on; null plays nowhere (every block is refused). [UI]
  explicit Player(AudioDevice* device = nullptr);
  // Stops and joins a running render thread first. [UI]
  virtual ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // Fills the pitch tables and creates tone 1 (the wave) and tone 2 (the harmonics). Joins a
  // running render thread first. [UI], once, right after construction.
  void BuildDefaultTones();
  // Stops and joins a running render thread, then deletes all tones and units. [UI]
  void ReleaseTones();
  // Hands a wave text (two hex digits per sample) and mode (1 hold, 2 linear) to tone 1, whose
  // cycle then holds exactly the text's samples (2..64). [UI], also while playing.
  bool SetWave(const std::string& text, uint16_t mode);
  // The wave text last handed over ("" without tones). [UI]
  std::string GetWaveText() const;
  // Hands the harmonic attenuations to tone 2 and rebuilds its cycle. [UI], also while playing.
  void SetHarmonics(const std::vector<uint8_t>& amplitudes);
  // The amplitude text of tone 2 ("" without tones). [UI]
  std::string GetHarmonicsText() const;
  // Chooses the tone the next Play sounds, and the next live note after a rest; false (and no
  // change) outside 1..ToneCount. [UI]
  bool SetCurrentTone(int32_t n);
  // Chooses the note the next Play sounds, unchecked. [UI]
  void SetNote(int32_t n);

  // Live notes, as note keys and MIDI play them: the held notes form a list in which the last
  // one pressed sounds. PlayNote sounds `n` (0..95) now: with nothing playing it starts the sound
  // at that note (the device opens as for Play); while sounding, the render thread moves to it at
  // the next sample it writes, keeping the phase. False (and no change) outside 0..95. [UI]
  bool PlayNote(int32_t n);
  // Releases `n`: the latest note still held sounds again; after the last one the sound falls
  // silent, or, when Play started it, goes back to the note Play sounds. A silent run keeps the
  // stream open for kNoteIdleSamples, so that the next note is heard as soon as an edit is, and
  // then ends by itself. [UI]
  void ReleaseNote(int32_t n);
  // The note sounding now, or kSilent. [UI]
  int32_t SoundingNote() const;
  // Whether a tone is heard or about to be: a render thread runs and does not rest between
  // notes. [UI]
  bool IsSounding() const;
  static constexpr int32_t kSilent = -1;
  static constexpr int32_t kNoteIdleSamples = 30 * kSampleRate;

  // A note list as live notes give it: from `index` on the tone sounds `note` (kSilent: nothing,
  // a 0 sample), the change keeping the phase as the render thread keeps it. Entries in
  // ascending order of index, the first at 0.
  struct NoteChange {
    int32_t index = 0;
    int32_t note = kSilent;
  };
  // The first sampleCount samples a run of that tone sends to the stream when the notes change
  // as `changes` says; with one change at 0 the same as RenderPcm. Empty as RenderPcm is.
  // [UI, not while playing]
  std::vector<int16_t> RenderNotes(int32_t toneNumber, const std::vector<NoteChange>& changes,
                                   int32_t sampleCount);
  // Starts the render thread at sample index 0, unless a render thread is still alive or blocks
  // are still queued. Returns at once: the render thread opens the device, so a sound server that
  // does not answer never holds up the caller (TakeOutputProblem tells what went wrong). [UI]
  void Play();
  // Asks the render thread to drain the stream and end, cancelling an open that waits for the
  // sound server; returns at once. [UI]
  void Stop();
  // The first sampleCount samples a Play of that tone and note sends to the stream, from sample
  // index 0: the same values, held to 16 bits and wrapping at kLastIndex the same way. Empty
  // while a render thread runs, for a tone without output, or for a count of 0 or below.
  // [UI, not while playing]
  std::vector<int16_t> RenderPcm(int32_t toneNumber, int32_t noteNumber, int32_t sampleCount);

  // Wave sequences: a bank of waves played wave after wave at a tick rate, as a tracker steps
  // through an instrument's waves. SetSequence prepares every wave's cycle (hex texts of 2..64
  // samples, 1 to 256 of them, in `mode` 1 hold or 2 poly) and hands the set to the render thread
  // at its next sample, also while a sequence plays (the position runs on); false (and no change)
  // for anything else. [UI]
  bool SetSequence(const std::vector<std::string>& waves, uint16_t mode);
  // Waves in the set last handed over (0 before the first). [UI]
  int32_t SequenceLength() const;
  // Plays waves first..last (last < 0: to the end) at `rate` ticks a second (kMinSequenceRate to
  // kMaxSequenceRate), looping or once (the last wave then holds): wave k of the run starts at
  // sample round(k × 44100 / rate). With nothing playing it starts the sound at Play's note, as
  // Play does; while sounding (Play or live notes) the sequence starts at the next sample the
  // render thread writes, at the note sounding. False (and no change) without a set, with a
  // rate or range outside it, or while the last run still drains after a Stop (as Play then
  // starts nothing). [UI]
  bool PlaySequence(int32_t rate, bool loop, int32_t first = 0, int32_t last = -1);
  // The tone the run started with sounds again from the next sample; the sound goes on. Stop
  // ends a sequence too. [UI]
  void StopSequence();
  // Whether a sequence is being played. [UI]
  bool IsSequencePlaying() const;
  // The first sampleCount samples a run started by PlaySequence(order...) at `noteNumber` sends
  // to the stream: the same per-sample step. Empty while playing, without a set, for an order
  // PlaySequence refuses or a count of 0 or below. [UI, not while playing]
  std::vector<int16_t> RenderSequence(int32_t noteNumber, const SequenceOrder& order,
                                      int32_t sampleCount);
  static constexpr int32_t kMinSequenceRate = 1;
  static constexpr int32_t kMaxSequenceRate = 1000;
  static constexpr int32_t kDefaultSequenceRate = 60;

  // The low-latency preview (true) or the default stream (false, 5000-byte blocks, at most 9
  // alive); takes effect at the next Play, and lifts an earlier fallback.
  // [UI, not while playing]
  void SetLowLatency(bool on);
  // [UI]
  bool IsLowLatency() const { return lowLatency; }
  // True once after the low-latency preview ran dry (an underrun) and the render thread fell back
  // to a longer lead, which stays until the next SetLowLatency. [UI]
  bool TakeLatencyFallback();
  // Why the last Play found no usable output (no device, format refused, open failed), or that
  // the sound server went away while playing; kNone when there was nothing to tell since the
  // last call. Each problem is told once. [UI]
  OutputProblem TakeOutputProblem();
  // Whether a Play opened the output since the last call. [UI]
  bool TakeOutputWorked();

  // [UI]
  int32_t CurrentTone() const { return currentTone; }
  int32_t Note() const { return note; }
  ToneTable& Tones() { return toneTable; }
  // Whether a render thread is running. [UI]
  bool IsPlaying() const;
  // Whether Play started the running sound, or took over a run that live notes started. [UI]
  bool IsPlayOn() const { return playStarted && IsPlaying(); }

 private:
  // Starts the render thread at `noteAtStart` as Play does; false when a run is still alive or
  // blocks are still queued.
  bool StartRender(int32_t noteAtStart);
  void RenderThread(int32_t tone, int32_t noteAtStart);
  // Sleeps until the device returns a block or a stop arrives, then looks at what the device
  // noticed meanwhile: an underrun raises maxLiveBlocks in the low-latency preview. [render]
  void WaitForDevice(int32_t& maxLiveBlocks);
  // Requests a stop and waits for a started render thread to end.
  void JoinRenderThread();

  // What the render thread knows of the sequence: the order it last saw, the set it reads (which
  // the UI thread keeps alive while it is marked in use) and where it is. [render]
  struct SequenceRun {
    uint64_t seenOrder = 0;
    bool on = false;
    const WaveSequence* waves = nullptr;
    SequenceCursor cursor;
  };
  // An order as one atomic value: the serial, on or off, the rate, the range and the loop.
  static uint64_t PackOrder(const SequenceOrder& order, bool on, uint64_t serial);
  static SequenceOrder UnpackOrder(uint64_t packed);
  bool ValidOrder(const SequenceOrder& order) const;
  // The run's start: `packed` is the order in force. [render]
  void BeginSequence(SequenceRun& run, uint64_t packed, int32_t note);
  // Follows the order and the published set, and points the sequence unit at this sample's
  // wave; returns the tone to sound this sample (the sequence's, or `tone`). [render]
  Tone* SequenceStep(SequenceRun& run, Tone* tone, int32_t sounding, uint64_t packed);
  // The published set, marked as in use by the render thread. [render]
  const WaveSequence* TakeSequence();
  // Frees the sets replaced since that the render thread cannot be reading. [UI]
  void FreeRetiredSequences();

  PitchTables pitchTables;
  ToneTable toneTable;
  WaveOutStream stream;
  int32_t currentTone = 1;
  int32_t note = 0;
  std::thread renderThread;
  // Set by the render thread as its last step, so Play can tell a finished thread from a live one.
  std::atomic<bool> renderDone{true};
  bool lowLatency = false;
  // The render thread's lead for the current run, set by Play before the thread starts.
  int32_t runWaitAboveLiveBlocks = kWaitAboveLiveBlocks;
  bool runLowLatency = false;
  // Set by the render thread, taken by the UI thread.
  std::atomic<bool> fellBack{false};  // stays until the next SetLowLatency
  std::atomic<bool> fallbackToTell{false};
  std::atomic<OutputProblem> outputProblem{OutputProblem::kNone};
  std::atomic<bool> outputWorked{false};
  // The note the render thread sounds from its next sample: a note, kSilent, or kIdleEnded once
  // a silent run has ended itself. Written by the UI thread, read by the render thread before
  // every sample, with no lock.
  static constexpr int32_t kIdleEnded = -2;
  std::atomic<int32_t> liveNote{kSilent};
  // The current tone, for a live note that follows a rest. Written by the UI thread.
  std::atomic<int32_t> liveTone{1};
  // The live notes held, the latest last, and whether Play started the current run. [UI]
  std::vector<int32_t> heldNotes;
  bool playStarted = false;

  // The sequence: a tone of one unit that sounds the prepared cycles, the set (owned here, and the
  // sets it replaced until the render thread has left them), the set published to the render
  // thread and the one it reads, and the order (PackOrder), all without a lock.
  std::unique_ptr<Tone> sequenceTone;
  SequenceOscillator* sequenceUnit = nullptr;  // owned by sequenceTone
  std::unique_ptr<const WaveSequence> sequenceSet;
  std::vector<std::unique_ptr<const WaveSequence>> retiredSets;
  std::atomic<const WaveSequence*> publishedSet{nullptr};
  std::atomic<const WaveSequence*> setInUse{nullptr};
  std::atomic<uint64_t> sequenceOrder{0};
  uint64_t orderSerial = 0;
  bool sequenceOrdered = false;
};
