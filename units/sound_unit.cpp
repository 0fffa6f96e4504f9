#include "units/sound_unit.h"

void SoundUnit::SetSampleRate(int32_t rate) {
  sampleRate = rate;
  if (input != nullptr) input->SetSampleRate(rate);
}

void SoundUnit::SetFixedFrequency(int32_t frequency) {
  if (input != nullptr) input->SetFixedFrequency(frequency);
}

void SoundUnit::SetNote(int32_t note, int32_t cents) {
  if (input != nullptr) input->SetNote(note, cents);
}

void SoundUnit::SetDuty(int32_t percent) {
  if (input != nullptr) input->SetDuty(percent);
}

void SoundUnit::SetPhaseContinuity(uint8_t flag) {
  if (input != nullptr) input->SetPhaseContinuity(flag);
}

bool SoundUnit::CheckChain() {
  if (mark) return false;
  mark = true;
  return input != nullptr ? input->CheckChain() : true;
}

void SoundUnit::ClearMark() {
  mark = false;
}

// Only units of kind 3 keep several link positions and inputs; every other unit has none to list
// and takes its single input through SetInput.
void SoundUnit::ListLinks(std::vector<uint16_t>& /*positions*/) {}

void SoundUnit::AddInput(SoundUnit* /*unit*/) {}

SoundUnit* SoundUnit::SetInput(SoundUnit* unit) {
  input = unit;
  return unit;
}
