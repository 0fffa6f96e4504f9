// ReadWaveAnyFormat: which tool's text a text is, told from the text itself.
#include <algorithm>

#include "formats/value_list.h"
#include "formats/wave_formats.h"

using namespace wave_text;

namespace {

// The text is a run of hex digits and white space: its digits, the values between white space.
bool IsHexRun(std::string_view text, size_t& digits, std::vector<size_t>& groups) {
  digits = 0;
  groups.clear();
  size_t group = 0;
  for (const char ch : text) {
    if (IsWhiteSpace(ch)) {
      if (group > 0) groups.push_back(group);
      group = 0;
    } else if (IsHexDigit(ch)) {
      ++digits;
      ++group;
    } else {
      return false;
    }
  }
  if (group > 0) groups.push_back(group);
  return digits > 0;
}

// A Game Boy tracker's Copy: 32 hex digits in one run, with letters all upper case (ours are lower
// case); under the Game Boy target any case.
bool IsGameBoyCopy(std::string_view text, const WaveReadOptions& options) {
  if (text.size() != 32 || !std::all_of(text.begin(), text.end(), IsHexDigit)) return false;
  if (options.gameBoyTarget) return true;
  const bool upper =
      std::any_of(text.begin(), text.end(), [](char ch) { return ch >= 'A' && ch <= 'F'; });
  const bool lower = std::any_of(text.begin(), text.end(), [](char ch) { return ch >= 'a'; });
  return upper && !lower;
}

bool LooksHex(std::string_view value) {
  const bool prefixed = value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X');
  const bool letters = std::any_of(value.begin(), value.end(), [](char ch) {
    return (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
  });
  // Furnace's hex mode writes every value in two digits: "0F", "07"; its decimal never a leading
  // zero.
  const bool leadingZero =
      value.size() >= 2 && value[0] == '0' && std::all_of(value.begin(), value.end(), IsHexDigit);
  return prefixed || letters || leadingZero;
}

WaveFormatId FurnaceFormatOfList(const ValueList& list) {
  bool anyNegative = false;
  for (const std::string_view value : list.values) {
    if (LooksHex(value)) return WaveFormatId::kFurnaceHex;
    anyNegative = anyNegative || value.front() == '-';
  }
  return anyNegative ? WaveFormatId::kFurnaceSigned : WaveFormatId::kFurnace;
}

WaveFormatId DetectListFormat(std::string_view text, const WaveReadOptions& options) {
  const ValueList list = SplitValues(text);
  if (!list.ok) return WaveFormatId::kFurnace;  // reports the list's problem
  for (const std::string_view value : list.values) {
    if (value.front() == '$') return WaveFormatId::kFds;
  }
  const WaveFormatId furnace = FurnaceFormatOfList(list);
  if (furnace != WaveFormatId::kFurnace || list.values.size() != 64) return furnace;
  int64_t highest = -1;
  for (const std::string_view value : list.values) {
    const std::optional<int64_t> number = ParseValue(value, Syntax::kDecimal);
    if (!number) return WaveFormatId::kFurnace;
    highest = std::max(highest, *number);
  }
  // The FDS writer leaves a space after every value, the last one too.
  const size_t last = text.find_last_not_of("\r\n");
  const bool spaceAfterLast = last != std::string_view::npos && text[last] == ' ';
  if (spaceAfterLast && highest <= 63) return WaveFormatId::kFds;
  // 64 values at height 32 or 64 are what WaveTracker and the FDS trackers hold.
  const int32_t height = PreferredHeight(SmallestHeightHolding(highest), options.targetHeight);
  if (height == 32) return WaveFormatId::kWavetracker;
  if (height == 64) return WaveFormatId::kFds;
  return WaveFormatId::kFurnace;
}

}  // namespace

WaveFormatId FurnaceFormatOf(std::string_view text) {
  const ValueList list = SplitValues(text);
  return list.ok ? FurnaceFormatOfList(list) : WaveFormatId::kFurnace;
}

WaveReadResult ReadWaveAnyFormat(std::string_view text, const WaveReadOptions& options) {
  const std::string_view trimmed = Trim(text);
  if (IsGameBoyCopy(trimmed, options)) return ReadWave(trimmed, WaveFormatId::kGb);
  WaveReadResult hex = ReadWave(trimmed, WaveFormatId::kHex);
  if (hex.ok) return hex;
  size_t digits = 0;
  std::vector<size_t> groups;
  if (IsHexRun(trimmed, digits, groups)) {
    // Digits alone are the editor's own text, however wrong their number.
    if (groups.size() == 1) return hex;
    const bool single = std::all_of(groups.begin(), groups.end(), [](size_t g) { return g == 1; });
    const bool equal = std::all_of(groups.begin(), groups.end(),
                                   [&](size_t g) { return g == groups.front() && g >= 4; });
    if (digits == 32 && (single || equal)) return ReadWave(trimmed, WaveFormatId::kGb);
  }
  if (trimmed.find(';') != std::string_view::npos && trimmed.find('{') == std::string_view::npos) {
    return ReadWave(trimmed, WaveFormatId::kN163);
  }
  return ReadWave(text, DetectListFormat(text, options), options);
}
