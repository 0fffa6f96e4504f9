// Owns the tones, creates their units, numbers them within their kind and hands them the shared
// pitch tables. Every operation is [UI, not while playing], except the getters the player uses
// to hand edits over (GetTone, GetSampledWaveOscillator, GetHarmonicOscillator), which are [UI].
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "units/unit_params.h"

class HarmonicOscillator;
class PitchTables;
class SampledWaveOscillator;
class SoundUnit;
class Tone;
struct WaveFormat;

class ToneTable {
 public:
  ToneTable() = default;
  ~ToneTable();
  ToneTable(const ToneTable&) = delete;
  ToneTable& operator=(const ToneTable&) = delete;

  void Init(const PitchTables* tables);
  void Clear();
  int32_t ToneCount() const;
  Tone* GetTone(int32_t n) const;
  Tone* ToneAt(int32_t n);

  // The create operations register the new unit in its kind list (its id is its 1-based place
  // there) and set it up; the caller owns it until a tone's Place takes it. The add operations
  // create a unit and place it in a tone, growing the tone list as needed; they return false when
  // the position is taken or invalid, and the table then keeps the unit until Clear.
  SampledWaveOscillator* CreateSampledWaveOscillator(const UnitParams& params,
                                                     const WaveFormat& format,
                                                     const std::string& text, bool rebuild);
  bool AddSampledWaveOscillator(int32_t tone, int32_t position, const UnitParams& params,
                                const WaveFormat& format, const std::string& text, bool rebuild);
  HarmonicOscillator* CreateHarmonicOscillator(const UnitParams& params, uint32_t count,
                                               const std::vector<uint8_t>& amplitudes,
                                               bool rebuild);
  bool AddHarmonicOscillator(int32_t tone, int32_t position, const UnitParams& params,
                             uint32_t count, const std::vector<uint8_t>& amplitudes, bool rebuild);
  SampledWaveOscillator* GetSampledWaveOscillator(int32_t id) const;
  HarmonicOscillator* GetHarmonicOscillator(int32_t id) const;
  // Units of a kind 1..6 in creation order (empty for other kinds).
  const std::vector<SoundUnit*>& UnitsOfKind(int32_t kind) const;

 private:
  // Places a freshly created unit; when that fails the table keeps the unit itself.
  bool PlaceOrAdopt(int32_t tone, int32_t position, SoundUnit* unit);

  std::array<std::vector<SoundUnit*>, 6> kindLists;  // not owning
  std::vector<std::unique_ptr<Tone>> tones;
  // Units an add operation created but could not place: still in their kind list, owned here.
  std::vector<std::unique_ptr<SoundUnit>> orphans;
  const PitchTables* pitchTables = nullptr;
};
