// Interface every sound unit offers to the tone that owns it and to the player.
//
// Threads: SetSampleRate, SetNote, Render (and what they forward to) run on the render thread
// while playing; everything else runs on the UI thread, and never while a render thread is alive
// unless a subclass says otherwise.
#pragma once

#include <cstdint>
#include <vector>

class SoundUnit {
 public:
  SoundUnit() = default;
  SoundUnit(const SoundUnit&) = delete;
  SoundUnit& operator=(const SoundUnit&) = delete;
  virtual ~SoundUnit() = default;

  // Output for an absolute sample index. Render thread.
  virtual int32_t Render(int32_t index, int32_t aux) = 0;
  // 1-based position of the input unit within the tone, 0 for none.
  virtual uint16_t LinkPosition() = 0;
  // A new unit of the same kind and table; the caller owns it.
  virtual SoundUnit* Clone() = 0;
  virtual void SetSampleRate(int32_t rate);
  virtual void SetFixedFrequency(int32_t frequency);
  virtual void SetNote(int32_t note, int32_t cents);
  virtual void SetDuty(int32_t percent);
  virtual void SetPhaseContinuity(uint8_t flag);
  // False when the chain of inputs starting here comes back to a marked unit.
  virtual bool CheckChain();
  virtual void ClearMark();

  // Units of kind 3 only: their link positions and extra inputs.
  virtual void ListLinks(std::vector<uint16_t>& positions);
  virtual void AddInput(SoundUnit* unit);

  uint16_t Kind() const { return kind; }
  uint16_t Id() const { return id; }
  SoundUnit* Input() const { return input; }
  // Stores the input (null clears it) and returns it.
  SoundUnit* SetInput(SoundUnit* unit);
  int32_t SampleRate() const { return sampleRate; }

 protected:
  uint16_t id = 0;
  uint16_t kind = 0;
  SoundUnit* input = nullptr;  // not owned; the tone owns every unit
  int32_t sampleRate = 0;
  bool mute = false;
  bool bypass = false;
  bool mark = false;
};
