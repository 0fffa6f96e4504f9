#include "formats/value_list.h"

#include <algorithm>

namespace {

constexpr char kContext[] = "WaveText";
// Longer values are cut short in messages.
constexpr size_t kMaxShownValue = 16;

}  // namespace

std::string Shown(std::string_view value) {
  if (value.size() <= kMaxShownValue) return std::string(value);
  return std::string(value.substr(0, kMaxShownValue)) + "...";
}

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(kWhiteSpace);
  return text.substr(first, last - first + 1);
}

bool IsHexDigit(char ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

bool IsWhiteSpace(char ch) {
  return kWhiteSpace.find(ch) != std::string_view::npos;
}

TextMessage EmptyMessage() {
  return TextMessage(kContext, QT_TRANSLATE_NOOP("WaveText", "The text holds no wave values."));
}

ValueList SplitValues(std::string_view text) {
  ValueList list;
  text = Trim(text);
  const size_t open = text.find('{');
  if (open != std::string_view::npos) {
    const size_t close = text.find('}', open);
    if (close == std::string_view::npos) {
      list.error = TextMessage(
          kContext, QT_TRANSLATE_NOOP("WaveText", "The list after \"{\" has no closing \"}\"."));
      return list;
    }
    const std::string_view after = text.substr(close + 1);
    if (after.find_first_not_of(" \t\n\r\v\f;") != std::string_view::npos) {
      list.error = TextMessage(
          kContext,
          QT_TRANSLATE_NOOP("WaveText", "Unexpected text after the closing \"}\": \"%1\"."),
          {Shown(Trim(after))});
      return list;
    }
    text = text.substr(open + 1, close - open - 1);
  }
  // A comma with no value since the last comma (or since the start) leaves a value out; one comma
  // after the last value is allowed, as lists in braces often have one.
  bool valueSinceComma = false;
  size_t i = 0;
  while (i < text.size()) {
    const char ch = text[i];
    if (ch == ',') {
      if (!valueSinceComma) {
        list.error = TextMessage(
            kContext, QT_TRANSLATE_NOOP("WaveText", "Value %1 is missing between two commas."),
            {std::to_string(list.values.size() + 1)});
        return list;
      }
      valueSinceComma = false;
      ++i;
    } else if (IsWhiteSpace(ch)) {
      ++i;
    } else {
      size_t end = i;
      while (end < text.size() && text[end] != ',' && !IsWhiteSpace(text[end])) ++end;
      list.values.push_back(text.substr(i, end - i));
      valueSinceComma = true;
      i = end;
    }
  }
  if (list.values.empty()) {
    list.error = EmptyMessage();
    return list;
  }
  list.ok = true;
  return list;
}

std::optional<int64_t> ParseDigits(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  int64_t value = 0;
  for (const char ch : digits) {
    int digit = 0;
    if (ch >= '0' && ch <= '9') {
      digit = ch - '0';
    } else if (base == 16 && ch >= 'a' && ch <= 'f') {
      digit = ch - 'a' + 10;
    } else if (base == 16 && ch >= 'A' && ch <= 'F') {
      digit = ch - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = std::min<int64_t>(value * base + digit, 1000000);
  }
  return value;
}
