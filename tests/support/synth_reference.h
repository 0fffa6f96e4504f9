// Expected synthesizer output computed from first principles, for the player and concurrency
// tests: sample-code values, Hold/Poly cycle tables, harmonic sums and the phase of a sample index.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "tables/pitch_tables.h"

namespace reference {

using Table = std::array<int32_t, 3600>;

// Table value of an 8-bit sample code: b * 256 * 8000 / 32767, truncated toward zero.
inline int32_t SampleValue(uint8_t code) {
  const int32_t b = static_cast<int8_t>(code);
  return b * 256 * 8000 / 32767;
}

// Wave text of sample codes: two lower-case hex digits each.
inline std::string WaveText(const std::vector<uint8_t>& codes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (uint8_t code : codes) {
    text += kDigits[code >> 4];
    text += kDigits[code & 15];
  }
  return text;
}

// Cycle table of the samples: sample k starts at phase floor(k * 3600 / n); Hold (mode 1) keeps
// its value up to the next sample, Poly (mode 2) draws a line to it (to sample 0 at the end).
inline Table WaveTable(const std::vector<uint8_t>& codes, int mode) {
  Table table{};
  const auto n = static_cast<int64_t>(codes.size());
  for (int64_t k = 0; k < n; ++k) {
    const int64_t from = k * 3600 / n;
    const int64_t to = (k + 1) * 3600 / n;
    const int64_t a = SampleValue(codes[k]);
    const int64_t b = SampleValue(codes[(k + 1) % n]);
    for (int64_t p = from; p < to; ++p) {
      table[p] = static_cast<int32_t>(mode == 1 ? a : a + (b - a) * (p - from) / (to - from));
    }
  }
  return table;
}

// Sum of sines: harmonic i + 1 weighs (127 - byte) mod 256, each term S * w / 127 truncated alone.
inline Table HarmonicTable(const PitchTables& tables, const std::vector<uint8_t>& amplitudes) {
  Table table{};
  for (size_t i = 0; i < amplitudes.size(); ++i) {
    const int64_t weight = static_cast<uint8_t>(127 - amplitudes[i]);
    const int64_t n = static_cast<int64_t>(i) + 1;
    for (int64_t j = 0; j < 3600; ++j) {
      table[j] +=
          static_cast<int32_t>(tables.Sine(static_cast<int32_t>(j * n % 3600)) * weight / 127);
    }
  }
  return table;
}

// The cycles of a frequency (tenths of a hertz) laid on the 44100 Hz sample clock: cycle k starts
// at floor(k * 441000 / c), so cycles are 441000 / c samples long on average.
class Clock {
 public:
  explicit Clock(int64_t frequency) : c(frequency) {}

  int64_t Start(int64_t cycle) const { return cycle * 441000 / c; }

  // Phase step 0..3599 of a sample index within its cycle.
  int32_t Phase(int64_t index) const {
    int64_t cycle = index * c / 441000;
    while (Start(cycle) > index) --cycle;
    while (Start(cycle + 1) <= index) ++cycle;
    const int64_t length = Start(cycle + 1) - Start(cycle);
    return static_cast<int32_t>((index - Start(cycle)) * 3600 / length);
  }

 private:
  int64_t c;
};

// 16-bit little-endian form of a value, held at full scale beyond 16 bits.
inline int16_t Saturate(int64_t value) {
  return static_cast<int16_t>(std::clamp<int64_t>(value, std::numeric_limits<int16_t>::min(),
                                                  std::numeric_limits<int16_t>::max()));
}

// Signed 16-bit little-endian samples of a byte stream (a trailing odd byte is ignored).
inline std::vector<int16_t> Samples(const std::vector<uint8_t>& bytes) {
  std::vector<int16_t> samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return samples;
}

}  // namespace reference
