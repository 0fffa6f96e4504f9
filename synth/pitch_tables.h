// Precomputed integer tables shared by the units of one player: note pitches in tenths of a hertz,
// 128 gain levels and one sine cycle in 3600 steps (full scale 8000), plus the pitch lookup.
#pragma once

#include <array>
#include <cstdint>

class PitchTables {
 public:
  PitchTables() = default;

  // Fills all three tables. UI thread, before any render thread exists.
  void Build();
  // Frequency in tenths of a hertz for a note and a detune in cents, with a one-entry cache.
  // Render thread only (it writes the cache); at most one caller at a time.
  int32_t Frequency(int32_t note, int32_t cents);

  int32_t Pitch(int32_t note) const { return pitch[note]; }
  int32_t Level(int32_t level) const { return level_[level]; }
  int32_t Sine(int32_t phase) const { return sine[phase]; }

 private:
  std::array<int32_t, 96> pitch{};
  std::array<int32_t, 128> level_{};
  std::array<int32_t, 3600> sine{};
  int32_t cachedNote = -1;
  int32_t cachedCents = 0;
  int32_t cachedResult = -1;
};
