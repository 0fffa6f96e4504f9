#include "synth/tone.h"

#include <limits>

#include "units/sound_unit.h"
#include "units/unit_params.h"

namespace {
// Positions and link positions are 16-bit, so a tone has at most this many slots.
constexpr int32_t kMaxPositions = std::numeric_limits<uint16_t>::max();
}  // namespace

Tone::~Tone() = default;  // the unit list deletes every unit through its virtual destructor

uint16_t Tone::UnitCount() const {
  return static_cast<uint16_t>(units.size());
}

SoundUnit* Tone::GetUnit(int32_t position) const {
  if (position < 1 || position > static_cast<int32_t>(units.size())) return nullptr;
  return units[position - 1].get();
}

bool Tone::Place(int32_t position, SoundUnit* unit) {
  // A position outside 1..65535 could not be counted or linked to; it is refused like a taken
  // one, and the caller keeps the unit.
  if (position < 1 || position > kMaxPositions) return false;
  if (units.size() < static_cast<size_t>(position)) units.resize(position);
  if (units[position - 1]) return false;
  units[position - 1].reset(unit);
  return true;
}

void Tone::Link() {
  for (int32_t p = UnitCount(); p >= 1; --p) {
    SoundUnit* unit = GetUnit(p);
    if (unit == nullptr) continue;
    if (unit->Kind() == kKindMultiInput) {
      std::vector<uint16_t> positions;
      unit->ListLinks(positions);
      for (const uint16_t q : positions) {
        if (q != 0) unit->AddInput(GetUnit(q));
      }
    } else {
      // A position that names no unit passes null and so clears the input.
      const uint16_t q = unit->LinkPosition();
      if (q != 0) unit->SetInput(GetUnit(q));
    }
  }
  output = units.empty() ? nullptr : units.back().get();
}

// A tone without an output (not linked, or its last slot empty) is silent rather than undefined.
void Tone::SetSampleRate(int32_t rate) {
  if (output != nullptr) output->SetSampleRate(rate);
}

void Tone::SetNote(int32_t note, int32_t cents) {
  if (output != nullptr) output->SetNote(note, cents);
}

int32_t Tone::Render(int32_t index, int32_t aux) {
  return output != nullptr ? output->Render(index, aux) : 0;
}
