// The values of a wave text as the readers of formats/ see them: white space, commas and braces
// around them, and the numbers they stand for. Used by the text readers and their detection only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/text_message.h"

namespace wave_text {

inline constexpr char kContext[] = "WaveText";
inline constexpr std::string_view kWhiteSpace = " \t\n\r\v\f";

// How the values of a format are written in a text.
enum class Syntax {
  kDecimal,     // decimal digits, "-" allowed (and reported as out of range when unsigned)
  kHex,         // hex digits, optionally after "$" or "0x"
  kFdsDecimal,  // decimal digits, or hex digits after "$"
};

std::string_view Trim(std::string_view text);
bool IsHexDigit(char ch);
bool IsWhiteSpace(char ch);
// A value for a message, cut short when long.
std::string Shown(std::string_view value);
TextMessage EmptyMessage();

// The values of a list: white space and commas between them, a list in braces read between the
// braces (anything before "{", such as a name and "=", is passed over).
struct ValueList {
  bool ok = false;
  std::vector<std::string_view> values;
  TextMessage error;
};
ValueList SplitValues(std::string_view text);

// A run of digits of a base (10 or 16) with nothing else; values past a million are held there,
// which is out of every format's range.
std::optional<int64_t> ParseDigits(std::string_view digits, int base);
std::optional<int64_t> ParseValue(std::string_view value, Syntax syntax);

}  // namespace wave_text
