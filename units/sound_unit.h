// Interface every sound unit offers to the tone that owns it and to the player. Thread tags (see
// README, Threads) name where each operation may run; a subclass may widen them.
#pragma once

#include <cstdint>
#include <vector>

class SoundUnit {
 public:
  SoundUnit() = default;
  SoundUnit(const SoundUnit&) = delete;
  SoundUnit& operator=(const SoundUnit&) = delete;
  virtual ~SoundUnit() = default;

  // Output for an absolute sample index. [render]
  virtual int32_t Render(int32_t index, int32_t aux) = 0;
  // 1-based position of the input unit within the tone, 0 for none. [any]
  virtual uint16_t LinkPosition() = 0;
  // A new unit of the same kind and table; the caller owns it. [UI, not while playing]
  virtual SoundUnit* Clone() = 0;
  // The player sets rate and note when it starts to render. [render]
  virtual void SetSampleRate(int32_t rate);
  virtual void SetNote(int32_t note, int32_t cents);
  // [render]
  virtual void SetFixedFrequency(int32_t frequency);
  virtual void SetDuty(int32_t percent);
  virtual void SetPhaseContinuity(uint8_t flag);
  // False when the chain of inputs starting here comes back to a marked unit. [UI, not while
  // playing]
  virtual bool CheckChain();
  virtual void ClearMark();

  // Units of kind 3 only: their link positions and extra inputs. [UI, not while playing]
  virtual void ListLinks(std::vector<uint16_t>& positions);
  virtual void AddInput(SoundUnit* unit);

  // [any]
  uint16_t Kind() const { return kind; }
  uint16_t Id() const { return id; }
  SoundUnit* Input() const { return input; }
  // Stores the input (null clears it) and returns it. [UI, not while playing]
  SoundUnit* SetInput(SoundUnit* unit);
  // [render]
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
