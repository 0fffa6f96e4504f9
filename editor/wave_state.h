// Everything the user edits, as one value: what undo restores, what a file and the last session
// keep.
#pragma once

#include <cstdint>
#include <vector>

struct WaveState {
  std::vector<uint16_t> samples;    // low byte: the sample's 8-bit code
  std::vector<uint8_t> amplitudes;  // harmonic attenuations, 127 silent
  int32_t length = 32;
  int32_t mode = 1;  // 1 Hold, 2 Poly
  int32_t view = 0;  // 0 wave, 1 harmonics
  int32_t note = 45;

  bool operator==(const WaveState&) const = default;
};
