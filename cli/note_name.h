// Note numbers from the names of the pitch list ("o4a") or from plain numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// "o" + octave 1..8 + a letter c..b with an optional "#" or "+" (sharp): 12 × (octave − 1) plus
// the letter's semitone, so "o4a" is 45; or a number 0..95. Nothing outside 0..95.
std::optional<int32_t> ParseNoteName(std::string_view text);
