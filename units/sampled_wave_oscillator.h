// Oscillator whose cycle is built from wave text (two hex digits per sample), held as steps
// (mode 1) or joined by straight lines (mode 2), in a table of 3600 phase steps.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "units/oscillator.h"

struct WaveFormat {
  uint16_t mode = 1;           // 1 hold, 2 linear, other: only the sample positions are written
  uint16_t bitsPerSample = 4;  // only 8 reads the text
  uint32_t length = 16;        // samples per cycle; the table is built only while below 3600
};

class SampledWaveOscillator : public Oscillator {
 public:
  SampledWaveOscillator();

  // Builds the table when rebuild is set and the length is below 3600. Returns true. [UI, not
  // while playing]
  bool Setup(const UnitParams& params, const WaveFormat& format, const std::string& text,
             uint16_t id, const PitchTables* pitchTables, bool rebuild);
  // Both return true. [UI], also while the render thread plays this unit.
  bool SetWaveText(const std::string& text, bool rebuild);
  bool SetMode(uint16_t mode, bool rebuild);
  // Sets the number of samples per cycle read from the text; takes effect at the next rebuild.
  // [UI]
  void SetLength(uint32_t length);
  // The text exactly as last stored. [UI]
  std::string WaveText() const { return waveText; }
  // [UI]
  const WaveFormat& Format() const { return format; }
  // Rebuilds the table from the wave text; a length of 0 or of 3600 and more leaves the table as
  // it is. [UI], also while the render thread plays this unit.
  void BuildTable();

  // [any]
  int32_t Waveform(int32_t phase) const override {
    return table[phase].load(std::memory_order_relaxed);
  }
  // A unit with the same parameters, format and table and no text or input. [UI, not while
  // playing]
  SoundUnit* Clone() override;

 private:
  // Reads one sample from the front of text and removes what it read.
  int32_t ReadSample(std::string_view& text) const;
  void FillSegment(uint32_t start, int32_t startValue, uint32_t end, int32_t endValue,
                   uint16_t mode);

  WaveFormat format;
  // Entries only ever receive final values, so a concurrent reader sees each entry either as it
  // was before a rebuild or as it is after it.
  std::array<std::atomic<int32_t>, 3600> table{};
  std::string waveText;
};
