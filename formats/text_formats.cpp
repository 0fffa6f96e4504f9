#include "formats/text_formats.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>
#include <string_view>

#include "formats/value_list.h"

namespace {

using wave_text::kWhiteSpace;
using wave_text::Trim;

// The leading decimal number of a token: white space, an optional sign, then digits up to the
// first other character; 0 when there are no digits. Values beyond 32 bits saturate, the way a
// 32-bit strtol reports them, instead of wrapping.
int32_t LeadingNumber(std::string_view token) {
  size_t pos = token.find_first_not_of(kWhiteSpace);
  if (pos == std::string_view::npos) return 0;
  bool negative = false;
  if (token[pos] == '+' || token[pos] == '-') {
    negative = token[pos] == '-';
    ++pos;
  }
  const char* first = token.data() + pos;
  const char* last = token.data() + token.size();
  uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(first, last, magnitude);
  if (end == first) return 0;  // no digits (from_chars takes no sign of its own here)
  if (error == std::errc::result_out_of_range) magnitude = std::numeric_limits<uint64_t>::max();
  constexpr uint64_t kMaxPositive = std::numeric_limits<int32_t>::max();
  if (negative) {
    if (magnitude > kMaxPositive) return std::numeric_limits<int32_t>::min();
    return -static_cast<int32_t>(magnitude);
  }
  if (magnitude > kMaxPositive) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(magnitude);
}

}  // namespace

std::string WriteAmplitudeText(const std::vector<uint8_t>& amplitudes) {
  // Everything after the last value that is not 127 is left out.
  size_t count = amplitudes.size();
  while (count > 0 && amplitudes[count - 1] == 127) --count;
  std::string text;
  text.reserve(count * 5);
  for (size_t i = 0; i < count; ++i) {
    char item[8];
    const int length = std::snprintf(item, sizeof item, ",%4u", unsigned{amplitudes[i]});
    text.append(item, static_cast<size_t>(length));
  }
  if (!text.empty()) text.erase(0, 1);  // no comma before the first item
  return text;
}

std::optional<std::vector<std::string>> SplitList(const std::string& text) {
  std::string_view rest = text;
  std::string_view token = rest.substr(0, rest.find(','));
  if (token.empty()) return std::nullopt;
  std::vector<std::string> list;
  // The end test looks at the untrimmed token: a token of blanks only is not empty and goes
  // into the list as an empty text; an empty token (two commas in a row, or a trailing comma)
  // ends the list.
  while (!token.empty()) {
    rest.remove_prefix(std::min(rest.size(), token.size() + 1));
    list.emplace_back(Trim(token));
    token = rest.substr(0, rest.find(','));
  }
  return list;
}

void ParseDecimalList(const std::string& text, std::vector<int32_t>& values) {
  values.clear();
  const auto tokens = SplitList(text);
  if (!tokens) return;
  values.reserve(tokens->size());
  for (const std::string& token : *tokens) values.push_back(LeadingNumber(token));
}
