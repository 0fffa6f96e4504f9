// An ordered list of owned units at 1-based positions; the unit at the last position is the output.
// SetSampleRate, SetNote and Render are [render]; everything else is [UI, not while playing].
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class SoundUnit;

class Tone {
 public:
  Tone() = default;
  ~Tone();
  Tone(const Tone&) = delete;
  Tone& operator=(const Tone&) = delete;

  uint16_t UnitCount() const;
  SoundUnit* GetUnit(int32_t position) const;
  // Takes ownership when the position is free; false (and no ownership) when it is taken.
  bool Place(int32_t position, SoundUnit* unit);
  void Link();
  SoundUnit* Output() const { return output; }

  void SetSampleRate(int32_t rate);
  void SetNote(int32_t note, int32_t cents);
  int32_t Render(int32_t index, int32_t aux);

 private:
  std::vector<std::unique_ptr<SoundUnit>> units;
  SoundUnit* output = nullptr;
};
