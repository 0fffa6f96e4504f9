// Wave texts taken apart: white space, a list of values (in braces or not) and runs of digits,
// with the messages that refuse them. Shared by the text formats' readers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/text_message.h"

inline constexpr std::string_view kWhiteSpace = " \t\n\r\v\f";

// A value for a message, cut short after 16 characters.
std::string Shown(std::string_view value);
// `text` without white space at either end.
std::string_view Trim(std::string_view text);
bool IsHexDigit(char ch);
bool IsWhiteSpace(char ch);
// "The text holds no wave values."
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
