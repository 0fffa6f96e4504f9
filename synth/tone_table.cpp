#include "synth/tone_table.h"

#include "synth/tone.h"
#include "units/harmonic_oscillator.h"
#include "units/sampled_wave_oscillator.h"

namespace {

// Puts `unit` at the end of its kind's list; its number there, from 1.
uint16_t Enlist(std::vector<SoundUnit*>& list, SoundUnit* unit) {
  list.push_back(unit);
  return static_cast<uint16_t>(list.size());
}

}  // namespace

ToneTable::~ToneTable() {
  Clear();
}

void ToneTable::Init(const PitchTables* tables) {
  // Called once before any unit exists; should anything be left from before, it is deleted
  // rather than lost.
  Clear();
  pitchTables = tables;
}

void ToneTable::Clear() {
  tones.clear();  // each tone deletes its units
  orphans.clear();
  for (auto& list : kindLists) list.clear();
}

int32_t ToneTable::ToneCount() const {
  return static_cast<int32_t>(tones.size());
}

Tone* ToneTable::GetTone(int32_t n) const {
  if (n < 1 || n > ToneCount()) return nullptr;
  return tones[n - 1].get();
}

Tone* ToneTable::ToneAt(int32_t n) {
  if (n < 1) return nullptr;
  if (ToneCount() < n) tones.resize(n);
  auto& slot = tones[n - 1];
  if (!slot) slot = std::make_unique<Tone>();
  return slot.get();
}

SampledWaveOscillator* ToneTable::CreateSampledWaveOscillator(const UnitParams& params,
                                                              const WaveFormat& format,
                                                              const std::string& text,
                                                              bool rebuild) {
  auto* unit = new SampledWaveOscillator;
  const uint16_t id = Enlist(kindLists[kKindSampledWave - 1], unit);
  unit->Setup(params, format, text, id, pitchTables, rebuild);
  return unit;
}

bool ToneTable::AddSampledWaveOscillator(int32_t tone, int32_t position, const UnitParams& params,
                                         const WaveFormat& format, const std::string& text,
                                         bool rebuild) {
  return PlaceOrAdopt(tone, position, CreateSampledWaveOscillator(params, format, text, rebuild));
}

HarmonicOscillator* ToneTable::CreateHarmonicOscillator(const UnitParams& params, uint32_t count,
                                                        const std::vector<uint8_t>& amplitudes,
                                                        bool rebuild) {
  auto* unit = new HarmonicOscillator;
  const uint16_t id = Enlist(kindLists[kKindHarmonic - 1], unit);
  unit->Setup(params, count, amplitudes, id, pitchTables, rebuild);
  return unit;
}

bool ToneTable::AddHarmonicOscillator(int32_t tone, int32_t position, const UnitParams& params,
                                      uint32_t count, const std::vector<uint8_t>& amplitudes,
                                      bool rebuild) {
  return PlaceOrAdopt(tone, position, CreateHarmonicOscillator(params, count, amplitudes, rebuild));
}

bool ToneTable::PlaceOrAdopt(int32_t tone, int32_t position, SoundUnit* unit) {
  Tone* target = ToneAt(tone);
  if (target != nullptr && target->Place(position, unit)) return true;
  // The unit stays in its kind list but belongs to no tone; the table keeps it until Clear.
  orphans.emplace_back(unit);
  return false;
}

SampledWaveOscillator* ToneTable::GetSampledWaveOscillator(int32_t id) const {
  const auto& list = kindLists[kKindSampledWave - 1];
  if (id < 1 || id > static_cast<int32_t>(list.size())) return nullptr;
  return static_cast<SampledWaveOscillator*>(list[id - 1]);
}

HarmonicOscillator* ToneTable::GetHarmonicOscillator(int32_t id) const {
  const auto& list = kindLists[kKindHarmonic - 1];
  if (id < 1 || id > static_cast<int32_t>(list.size())) return nullptr;
  return static_cast<HarmonicOscillator*>(list[id - 1]);
}

const std::vector<SoundUnit*>& ToneTable::UnitsOfKind(int32_t kind) const {
  static const std::vector<SoundUnit*> kNone;
  if (kind < 1 || kind > static_cast<int32_t>(kindLists.size())) return kNone;
  return kindLists[kind - 1];
}
