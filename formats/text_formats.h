// The two text forms of a wave: wave text (two lower-case hex digits per sample) and amplitude
// text (comma-separated decimal attenuations), and the lenient reader of the latter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/hex_wave_text.h"  // WriteWaveText, the writer of the wave text

// ",%4d" items up to the last value that is not 127, without the leading comma.
std::string WriteAmplitudeText(const std::vector<uint8_t>& amplitudes);
// Comma-separated tokens trimmed of white space; no list when the first token is empty.
std::optional<std::vector<std::string>> SplitList(const std::string& text);
// Empties values, then appends the leading decimal number of every token (0 when none).
// Numbers beyond 32 bits saturate to INT32_MIN / INT32_MAX.
void ParseDecimalList(const std::string& text, std::vector<int32_t>& values);
