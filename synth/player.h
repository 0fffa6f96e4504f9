// The synthesis engine as the editing pane sees it: hands edits to the two default tones, chooses
// tone and note, and plays the current tone on a render thread into the output stream.
//
// Threads: every public operation runs on the UI thread. The render thread (started by Play) reads
// the current tone and note once at its start and then only renders and writes the stream.
#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "audio/wave_out_stream.h"
#include "synth/pitch_tables.h"
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
  virtual ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  void BuildDefaultTones();
  // Stops and joins a running render thread, then deletes all tones and units.
  void ReleaseTones();
  bool SetWave(const std::string& text, uint16_t mode);
  std::string GetWaveText() const;
  void SetHarmonics(const std::vector<uint8_t>& amplitudes);
  std::string GetHarmonicsText() const;
  bool SetCurrentTone(int32_t n);
  void SetNote(int32_t n);
  void Play();
  void Stop();

  int32_t CurrentTone() const { return currentTone; }
  int32_t Note() const { return note; }
  ToneTable& Tones() { return toneTable; }
  WaveOutStream& Stream() { return stream; }
  // Whether a render thread is running (UI thread).
  bool IsPlaying() const;

 private:
  void RenderThread(int32_t tone, int32_t noteAtStart);
  void JoinRenderThread();

  PitchTables pitchTables;
  ToneTable toneTable;
  WaveOutStream stream;
  int32_t currentTone = 1;
  int32_t note = 0;
  std::thread renderThread;
};
