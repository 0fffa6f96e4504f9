// The wave document's text fields keep every byte: a backslash is written "\\", a control
// character or a space at either end (which reading would trim) "\xNN".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The value of a hexadecimal digit, or -1.
int32_t HexDigit(char c);
std::string EscapeText(std::string_view text);
// The text of an escaped field; nothing for a bad backslash sequence.
std::optional<std::string> UnescapeText(std::string_view text);
