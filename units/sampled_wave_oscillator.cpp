#include "units/sampled_wave_oscillator.h"

#include "formats/hex_wave_text.h"

namespace {
constexpr uint32_t kTableSize = 3600;
}  // namespace

SampledWaveOscillator::SampledWaveOscillator() {
  kind = kKindSampledWave;
}

bool SampledWaveOscillator::Setup(const UnitParams& params, const WaveFormat& format,
                                  const std::string& text, uint16_t id,
                                  const PitchTables* pitchTables, bool rebuild) {
  this->params = params;
  this->format = format;
  this->pitchTables = pitchTables;
  this->id = id;
  waveText = text;
  if (rebuild && format.length < kTableSize) BuildTable();
  return true;
}

bool SampledWaveOscillator::SetWaveText(const std::string& text, bool rebuild) {
  waveText = text;
  if (rebuild) BuildTable();
  return true;
}

bool SampledWaveOscillator::SetMode(uint16_t mode, bool rebuild) {
  format.mode = mode;
  params.shape = mode;
  if (rebuild) BuildTable();
  return true;
}

void SampledWaveOscillator::SetLength(uint32_t length) {
  format.length = length;
}

SoundUnit* SampledWaveOscillator::Clone() {
  auto* copy = new SampledWaveOscillator;
  copy->format = format;
  CloneInto(*copy, table, copy->table);
  return copy;
}

// Sample k sits at position floor(k * 3600 / length); each segment runs to the next sample and
// the last one back to sample 0 across the end of the cycle. Every store is an entry's final
// value (a position shared by two segments gets the same value twice), so a reader on the render
// thread meets each entry as it was before or as it is after the rebuild, never in between.
void SampledWaveOscillator::BuildTable() {
  const uint32_t length = format.length;
  if (length == 0 || length >= kTableSize) return;

  std::string_view text = waveText;
  const int32_t first = ReadSample(text);
  int32_t value = first;
  uint32_t position = 0;
  for (uint32_t k = 1; k < length; ++k) {
    const int32_t next = ReadSample(text);
    const uint32_t end = k * kTableSize / length;
    FillSegment(position, value, end, next, format.mode);
    position = end;
    value = next;
  }
  FillSegment(position, value, kTableSize, first, format.mode);
}

// One pair of the wave text (ReadHexPair); the low byte is a signed 8-bit sample scaled to full
// scale 8000.
int32_t SampledWaveOscillator::ReadSample(std::string_view& text) const {
  if (format.bitsPerSample != 8) return 0;
  const int32_t b = static_cast<int8_t>(ReadHexPair(text));
  return b * 256 * 8000 / 32767;
}

void SampledWaveOscillator::FillSegment(uint32_t start, int32_t startValue, uint32_t end,
                                        int32_t endValue, uint16_t mode) {
  table[start].store(startValue, std::memory_order_relaxed);
  if (end < kTableSize) table[end].store(endValue, std::memory_order_relaxed);
  if (mode == 1) {
    for (uint32_t i = start + 1; i < end; ++i)
      table[i].store(startValue, std::memory_order_relaxed);
  } else if (mode == 2) {
    // Each entry from the two ends, so no rounding error builds up along the segment.
    const int32_t rise = endValue - startValue;
    const int32_t run = static_cast<int32_t>(end - start);
    for (uint32_t i = start + 1; i < end; ++i) {
      const int32_t value = startValue + rise * static_cast<int32_t>(i - start) / run;
      table[i].store(value, std::memory_order_relaxed);
    }
  }
}
