// Precomputed integer tables shared by the units of one player: note pitches in tenths of a hertz,
// 128 gain levels and one sine cycle in 3600 steps (full scale 8000), plus the pitch lookup.
#pragma once

#include <array>
#include <cstdint>

class PitchTables {
 public:
  PitchTables() = default;

  // Resets the lookup cache and fills the pitch, level and sine tables; they are read-only
  // afterwards. [UI, not while playing]
  void Build();
  // Frequency in tenths of a hertz for a note and a detune in cents, with a one-entry cache.
  // The note plus the whole semitones of the detune is clamped to 0..95. [render], at most one
  // caller at a time: it writes the cache, which is why the cache is mutable.
  int32_t Frequency(int32_t note, int32_t cents) const;

  // Table reads after Build. [any] Note 0..95, level 0..127, phase 0..3599.
  int32_t Pitch(int32_t note) const { return pitchTable[note]; }
  int32_t Level(int32_t level) const { return levelTable[level]; }
  int32_t Sine(int32_t phase) const { return sineTable[phase]; }

  static constexpr int32_t kNoteCount = 96;
  static constexpr int32_t kLevelCount = 128;
  static constexpr int32_t kPhaseSteps = 3600;

 private:
  void BuildPitch();
  void BuildLevel();
  void BuildSine();

  std::array<int32_t, kNoteCount> pitchTable{};
  std::array<int32_t, kLevelCount> levelTable{};
  std::array<int32_t, kPhaseSteps> sineTable{};
  // Last question and answer of Frequency; a result of -1 means none.
  mutable int32_t cachedNote = -1;
  mutable int32_t cachedCents = 0;
  mutable int32_t cachedResult = -1;
};
