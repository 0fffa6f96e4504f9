// The synthesis engine as the editing pane sees it: hands edits to the two default tones, chooses
// tone and note, and plays the current tone on a render thread into the output stream.
//
// Threads: every public operation runs on the UI thread. The render thread (started by Play) reads
// the current tone and note once at its start and then only renders and writes the stream; the
// device's completion callback only touches the stream.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "audio/wave_out_stream.h"
#include "tables/pitch_tables.h"
#include "synth/tone_table.h"

class AudioDevice;

class Player {
 public:
  static constexpr int32_t kSampleRate = 44100;
  static constexpr uint32_t kBlockSize = 5000;
  static constexpr int32_t kMaxLiveBlocks = 8;
  static constexpr int32_t kLastIndex = 3145728;

  // The device the stream plays on; null plays nowhere (every block is refused).
  explicit Player(AudioDevice* device = nullptr);
  // Stops and joins a running render thread first. UI thread.
  virtual ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // Fills the pitch tables and creates tone 1 (the wave) and tone 2 (the harmonics). UI thread,
  // once, right after construction.
  void BuildDefaultTones();
  // Stops and joins a running render thread, then deletes all tones and units. UI thread.
  void ReleaseTones();
  // Hands a wave text (two hex digits per sample) and mode (1 hold, 2 linear) to tone 1, whose
  // cycle then holds exactly the text's samples (2..64). UI thread, also while playing.
  bool SetWave(const std::string& text, uint16_t mode);
  // The wave text last handed over ("" without tones). UI thread.
  std::string GetWaveText() const;
  // Hands the harmonic attenuations to tone 2 and rebuilds its cycle. UI thread, also while
  // playing.
  void SetHarmonics(const std::vector<uint8_t>& amplitudes);
  // The amplitude text of tone 2 ("" without tones). UI thread.
  std::string GetHarmonicsText() const;
  // Chooses the tone the next Play sounds; false (and no change) outside 1..ToneCount. UI thread.
  bool SetCurrentTone(int32_t n);
  // Chooses the note the next Play sounds, unchecked. UI thread.
  void SetNote(int32_t n);
  // Opens the stream and starts the render thread at sample index 0, unless a render thread is
  // still alive or blocks are still queued. Returns at once. UI thread.
  void Play();
  // Asks the render thread to drain the stream and end; returns at once. UI thread.
  void Stop();
  // The first sampleCount samples a Play of that tone and note sends to the stream, from sample
  // index 0: the same values, held to 16 bits and wrapping at kLastIndex the same way. Empty
  // while a render thread runs, for a tone without output, or for a count of 0 or below.
  // [UI, not while playing]
  std::vector<int16_t> RenderPcm(int32_t toneNumber, int32_t noteNumber, int32_t sampleCount);

  int32_t CurrentTone() const { return currentTone; }
  int32_t Note() const { return note; }
  ToneTable& Tones() { return toneTable; }
  WaveOutStream& Stream() { return stream; }
  // Whether a render thread is running (UI thread).
  bool IsPlaying() const;

 private:
  void RenderThread(int32_t tone, int32_t noteAtStart);
  // Requests a stop and waits for a started render thread to end.
  void JoinRenderThread();

  PitchTables pitchTables;
  ToneTable toneTable;
  WaveOutStream stream;
  int32_t currentTone = 1;
  int32_t note = 0;
  std::thread renderThread;
  // Set by the render thread as its last step, so Play can tell a finished thread from a live one.
  std::atomic<bool> renderDone{true};
};
