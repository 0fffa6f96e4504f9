// What the two paste fuzz targets share: the failure report, the set-up wave and the editor's
// state in the form the expectations work on.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/wave_editor_model.h"
#include "tests/support/paste_expectation.h"

namespace paste_fuzz {

// Stops the fuzzer with a readable reason when a condition does not hold.
inline void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "paste fuzz: %s\n", what);
  __builtin_trap();
}

// A wave text of `count` samples that all differ.
inline std::string SetUpWave(int32_t count) {
  std::vector<uint8_t> codes;
  for (int32_t k = 0; k < count; ++k) codes.push_back(static_cast<uint8_t>(k * 37 + 11));
  return expect::WaveText(codes);
}

inline expect::EditorState StateOf(const WaveEditorModel& model) {
  expect::EditorState state;
  for (uint16_t slot : model.Samples()) {
    Check(slot <= 0xff, "a sample slot has a high byte");
    state.samples.push_back(static_cast<uint8_t>(slot));
  }
  state.amplitudes = model.Amplitudes();
  state.length = model.GetLength();
  return state;
}

}  // namespace paste_fuzz
