// Fuzz target for the text forms of a wave: the decimal list reader, the amplitude text round
// trip, and building a sampled-wave table from arbitrary wave text.
#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/text_formats.h"
#include "units/sampled_wave_oscillator.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The reader must agree with the C library's strtoll, saturated to 32 bits, on every token.
void FuzzDecimalList(const std::string& text) {
  std::vector<int32_t> values = {1, 2, 3};
  ParseDecimalList(text, values);
  const auto tokens = SplitList(text);
  if (!tokens) {
    Check(values.empty());
    return;
  }
  Check(values.size() == tokens->size());
  for (size_t i = 0; i < tokens->size(); ++i) {
    const long long wide = std::strtoll((*tokens)[i].c_str(), nullptr, 10);
    const long long expected = std::clamp<long long>(wide, INT32_MIN, INT32_MAX);
    Check(values[i] == expected);
  }
}

// Every amplitude text reads back to the values written, less the trailing 127s.
void FuzzAmplitudeRoundTrip(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> amplitudes(data, data + std::min<size_t>(size, 256));
  const std::string text = WriteAmplitudeText(amplitudes);
  std::vector<int32_t> expected(amplitudes.begin(), amplitudes.end());
  while (!expected.empty() && expected.back() == 127) expected.pop_back();
  Check(text.size() == (expected.empty() ? 0 : expected.size() * 5 - 1));
  std::vector<int32_t> values;
  ParseDecimalList(text, values);
  Check(values == expected);
}

// A sample's table value read independently: "0x" and the pair through strtol, low 8 bits.
int32_t SampleValue(const std::string& text, uint32_t k) {
  if (2 * k >= text.size()) return 0;
  const std::string number = "0x" + text.substr(2 * k, 2);
  const auto b = static_cast<int8_t>(std::strtol(number.c_str(), nullptr, 16) & 0xff);
  return b * 256 * 8000 / 32767;
}

std::array<int32_t, 3600> TableOf(const SampledWaveOscillator& unit) {
  std::array<int32_t, 3600> table;
  for (int32_t j = 0; j < 3600; ++j) table[j] = unit.Waveform(j);
  return table;
}

// A sampled-wave unit set up from arbitrary text stays in range, puts every sample at its
// position, and builds the same table every time.
void FuzzSampledWave(const uint8_t* data, size_t size) {
  if (size < 2) return;
  const uint32_t length = data[0] % 64 + 1;
  const uint16_t mode = (data[1] & 1) + 1;
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

  SampledWaveOscillator unit;
  unit.Setup(UnitParams{}, WaveFormat{mode, 8, length}, text, 1, nullptr, true);
  const auto table = TableOf(unit);
  for (const int32_t value : table) Check(value >= -8000 && value <= 7937);
  for (uint32_t k = 0; k < length; ++k) Check(table[k * 3600 / length] == SampleValue(text, k));
  Check(unit.WaveText() == text);

  unit.BuildTable();
  Check(TableOf(unit) == table);
  SampledWaveOscillator again;
  again.Setup(UnitParams{}, WaveFormat{mode, 8, length}, text, 2, nullptr, true);
  Check(TableOf(again) == table);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  FuzzDecimalList(text);
  FuzzAmplitudeRoundTrip(data, size);
  FuzzSampledWave(data, size);
  return 0;
}
