#include "formats/wave_formats.h"

#include <algorithm>
#include <cstdio>

#include "formats/hex_wave_text.h"
#include "formats/value_list.h"
#include "formats/wave_depth.h"
#include "formats/wave_length.h"

namespace {

constexpr char kContext[] = "WaveText";
// Furnace waves hold at most 256 values, N163 waves at most 240.
constexpr size_t kMaxFurnaceCount = 256;
constexpr size_t kMaxN163Count = 240;

const std::vector<WaveFormatInfo> kFormats = {
    {WaveFormatId::kHex, "hex", QT_TRANSLATE_NOOP("WaveFormat", "This editor (hex)"), 0, 8, true},
    {WaveFormatId::kFurnace, "furnace", QT_TRANSLATE_NOOP("WaveFormat", "Furnace (decimal)"), 0, 8,
     false},
    {WaveFormatId::kFurnaceSigned, "furnace-signed",
     QT_TRANSLATE_NOOP("WaveFormat", "Furnace (signed decimal)"), 0, 8, true},
    {WaveFormatId::kFurnaceHex, "furnace-hex", QT_TRANSLATE_NOOP("WaveFormat", "Furnace (hex)"), 0,
     8, false},
    {WaveFormatId::kFds, "fds", QT_TRANSLATE_NOOP("WaveFormat", "FamiTracker (FDS wave)"), 64, 6,
     false},
    {WaveFormatId::kN163, "n163", QT_TRANSLATE_NOOP("WaveFormat", "FamiTracker (N163 wave)"), 0, 4,
     false},
    {WaveFormatId::kGb, "gb",
     QT_TRANSLATE_NOOP("WaveFormat", "Game Boy trackers (hUGETracker, GB Studio)"), 32, 4, false},
    {WaveFormatId::kWavetracker, "wavetracker", QT_TRANSLATE_NOOP("WaveFormat", "WaveTracker"), 64,
     5, false},
};

// How the values of a format are written in a text.
enum class Syntax {
  kDecimal,     // decimal digits, "-" allowed (and reported as out of range when unsigned)
  kHex,         // hex digits, optionally after "$" or "0x"
  kFdsDecimal,  // decimal digits, or hex digits after "$"
};

Syntax SyntaxOf(WaveFormatId format) {
  switch (format) {
    case WaveFormatId::kFurnaceHex:
    case WaveFormatId::kGb:
      return Syntax::kHex;
    case WaveFormatId::kFds:
      return Syntax::kFdsDecimal;
    default:
      return Syntax::kDecimal;
  }
}

int32_t MinValue(const WaveFormatInfo& info) {
  return info.isSigned ? -128 : 0;
}

int32_t MaxValue(const WaveFormatInfo& info) {
  return info.isSigned ? 127 : (1 << info.depthBits) - 1;
}

// A value as the format's texts write it, for messages: "FF" for Furnace hex, "F" for Game Boy.
std::string ShowValue(int32_t value, WaveFormatId format) {
  char text[16];
  if (format == WaveFormatId::kFurnaceHex) {
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value));
  } else if (format == WaveFormatId::kGb) {
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
  } else {
    std::snprintf(text, sizeof text, "%d", value);
  }
  return text;
}

TextMessage RangeMessage(const char* source, size_t position, std::string_view value,
                         const WaveFormatInfo& info) {
  return TextMessage(kContext, source,
                     {std::to_string(position), Shown(value), info.tool,
                      ShowValue(MinValue(info), info.id), ShowValue(MaxValue(info), info.id)});
}

TextMessage NotANumber(size_t position, std::string_view value, const WaveFormatInfo& info) {
  return RangeMessage(
      QT_TRANSLATE_NOOP("WaveText", "Value %1 (\"%2\") is not a number; %3 takes %4 to %5."),
      position, value, info);
}

TextMessage OutOfRange(size_t position, std::string_view value, const WaveFormatInfo& info) {
  return RangeMessage(
      QT_TRANSLATE_NOOP("WaveText", "Value %1 (%2) is out of range; %3 takes %4 to %5."), position,
      value, info);
}

std::optional<int64_t> ParseValue(std::string_view value, Syntax syntax) {
  bool negative = false;
  if (syntax != Syntax::kHex && !value.empty() && (value[0] == '-' || value[0] == '+')) {
    negative = value[0] == '-';
    value.remove_prefix(1);
  }
  int base = syntax == Syntax::kHex ? 16 : 10;
  if (syntax != Syntax::kDecimal && !value.empty() && value[0] == '$') {
    value.remove_prefix(1);
    base = 16;
  } else if (syntax == Syntax::kHex && value.size() > 2 && value[0] == '0' &&
             (value[1] == 'x' || value[1] == 'X')) {
    value.remove_prefix(2);
  }
  const std::optional<int64_t> magnitude = ParseDigits(value, base);
  if (!magnitude) return std::nullopt;
  return negative ? -*magnitude : *magnitude;
}

// The values' levels in the format's range, or the message that refuses the text.
WaveReadResult ReadLevels(const std::vector<std::string_view>& values, const WaveFormatInfo& info,
                          std::vector<int32_t>& levels) {
  const Syntax syntax = SyntaxOf(info.id);
  levels.clear();
  levels.reserve(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    const std::optional<int64_t> value = ParseValue(values[i], syntax);
    if (!value) return Refused(info.id, NotANumber(i + 1, values[i], info));
    if (*value < MinValue(info) || *value > MaxValue(info)) {
      return Refused(info.id, OutOfRange(i + 1, values[i], info));
    }
    levels.push_back(static_cast<int32_t>(*value));
  }
  WaveReadResult result;
  result.ok = true;
  return result;
}

// Whether a count of values suits the format; the message that refuses it otherwise.
std::optional<TextMessage> CountProblem(size_t count, const WaveFormatInfo& info) {
  const std::string given = std::to_string(count);
  if (info.fixedLength > 0 && count != static_cast<size_t>(info.fixedLength)) {
    return TextMessage(
        kContext, QT_TRANSLATE_NOOP("WaveText", "%1 takes exactly %2 values; the text has %3."),
        {info.tool, std::to_string(info.fixedLength), given});
  }
  if (info.id == WaveFormatId::kN163 && (count % 4 != 0 || count > kMaxN163Count)) {
    return TextMessage(
        kContext,
        QT_TRANSLATE_NOOP("WaveText",
                          "%1 takes a multiple of 4 values, from 4 to 240; the text has %2."),
        {info.tool, given});
  }
  if (count > kMaxFurnaceCount) {
    return TextMessage(
        kContext, QT_TRANSLATE_NOOP("WaveText", "%1 takes at most %2 values; the text has %3."),
        {info.tool, std::to_string(kMaxFurnaceCount), given});
  }
  return std::nullopt;
}

// Levels to our samples, resampled to an editor length when needed.
WaveReadResult FromLevels(const std::vector<int32_t>& levels, const WaveFormatInfo& info) {
  if (const auto problem = CountProblem(levels.size(), info)) return Refused(info.id, *problem);
  std::vector<int8_t> samples;
  samples.reserve(levels.size());
  for (const int32_t level : levels) {
    samples.push_back(
        static_cast<int8_t>(info.isSigned ? level : FromLevel(level, info.depthBits)));
  }
  WaveReadResult result;
  result.ok = true;
  result.format = info.id;
  result.givenCount = levels.size();
  const size_t length = NearestWaveLength(levels.size());
  result.resampled = length != levels.size();
  result.samples = result.resampled ? ResampleWave(samples, length) : std::move(samples);
  return result;
}

WaveReadResult ReadHex(std::string_view text) {
  const HexPasteResult pasted = ReadPastedWaveText(Trim(text));
  if (!pasted.ok) return Refused(WaveFormatId::kHex, pasted.error);
  WaveReadResult result;
  result.ok = true;
  result.format = WaveFormatId::kHex;
  result.givenCount = pasted.codes.size();
  result.samples.assign(pasted.codes.begin(), pasted.codes.end());
  return result;
}

// One hex digit per value; white space between the digits is passed over.
WaveReadResult ReadGb(std::string_view text) {
  const WaveFormatInfo& info = WaveFormatOf(WaveFormatId::kGb);
  std::vector<int32_t> levels;
  for (const char ch : Trim(text)) {
    if (IsWhiteSpace(ch)) continue;
    const std::optional<int64_t> digit = ParseDigits(std::string_view(&ch, 1), 16);
    if (!digit) return Refused(info.id, NotANumber(levels.size() + 1, std::string(1, ch), info));
    levels.push_back(static_cast<int32_t>(*digit));
  }
  if (levels.empty()) return Refused(info.id, EmptyMessage());
  return FromLevels(levels, info);
}

// One wave of values ending in ";"; the ";" may be left out.
WaveReadResult ReadN163(std::string_view text) {
  const WaveFormatInfo& info = WaveFormatOf(WaveFormatId::kN163);
  std::vector<std::string_view> waves;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find(';', start), text.size());
    const std::string_view wave = Trim(text.substr(start, end - start));
    if (!wave.empty()) waves.push_back(wave);
    start = end + 1;
  }
  if (waves.empty()) return Refused(info.id, EmptyMessage());
  if (waves.size() > 1) {
    return Refused(
        info.id, TextMessage(kContext,
                             QT_TRANSLATE_NOOP("WaveText",
                                               "The text holds %1 waves; take one wave at a time."),
                             {std::to_string(waves.size())}));
  }
  const ValueList list = SplitValues(waves.front());
  if (!list.ok) return Refused(info.id, list.error);
  std::vector<int32_t> levels;
  WaveReadResult read = ReadLevels(list.values, info, levels);
  if (!read.ok) return read;
  return FromLevels(levels, info);
}

std::string JoinLevels(const std::vector<int8_t>& samples, const WaveFormatInfo& info,
                       const char* pattern, const char* separator, bool separatorAfterLast) {
  std::string text;
  for (size_t i = 0; i < samples.size(); ++i) {
    const int32_t level = info.isSigned ? samples[i] : ToLevel(samples[i], info.depthBits);
    char value[16];
    std::snprintf(value, sizeof value, pattern, level);
    text += value;
    if (separatorAfterLast || i + 1 < samples.size()) text += separator;
  }
  return text;
}

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

WaveFormatId DetectListFormat(std::string_view text) {
  const ValueList list = SplitValues(text);
  if (!list.ok) return WaveFormatId::kFurnace;  // reports the list's problem
  bool anyNegative = false;
  for (const std::string_view value : list.values) {
    if (value.front() == '$') return WaveFormatId::kFds;
  }
  for (const std::string_view value : list.values) {
    const bool prefixed =
        value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X');
    const bool letters = std::any_of(value.begin(), value.end(), [](char ch) {
      return (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
    });
    if (prefixed || letters) return WaveFormatId::kFurnaceHex;
    anyNegative = anyNegative || value.front() == '-';
  }
  if (anyNegative) return WaveFormatId::kFurnaceSigned;
  if (list.values.size() == 64) {
    int64_t highest = -1;
    for (const std::string_view value : list.values) {
      const std::optional<int64_t> number = ParseValue(value, Syntax::kDecimal);
      if (!number) return WaveFormatId::kFurnace;
      highest = std::max(highest, *number);
    }
    // The FDS writer leaves a space after every value, the last one too.
    const size_t last = text.find_last_not_of("\r\n");
    const bool spaceAfterLast = last != std::string_view::npos && text[last] == ' ';
    if (highest <= 31 && !spaceAfterLast) return WaveFormatId::kWavetracker;
    if (highest <= 63) return WaveFormatId::kFds;
  }
  return WaveFormatId::kFurnace;
}

}  // namespace

WaveReadResult Refused(WaveFormatId format, TextMessage error) {
  WaveReadResult result;
  result.format = format;
  result.error = std::move(error);
  return result;
}

const std::vector<WaveFormatInfo>& WaveFormats() {
  return kFormats;
}

const WaveFormatInfo& WaveFormatOf(WaveFormatId id) {
  return kFormats[static_cast<size_t>(id)];
}

std::optional<WaveFormatId> FindWaveFormat(std::string_view name) {
  for (const WaveFormatInfo& info : kFormats) {
    if (name == info.name) return info.id;
  }
  return std::nullopt;
}

std::vector<int8_t> ResampleWave(const std::vector<int8_t>& samples, size_t count) {
  return ResampleToLength(samples, count);
}

WaveReadResult ReadWave(std::string_view text, WaveFormatId format) {
  const WaveFormatInfo& info = WaveFormatOf(format);
  switch (format) {
    case WaveFormatId::kHex:
      return ReadHex(text);
    case WaveFormatId::kGb:
      return ReadGb(text);
    case WaveFormatId::kN163:
      return ReadN163(text);
    default:
      break;
  }
  const ValueList list = SplitValues(text);
  if (!list.ok) return Refused(format, list.error);
  std::vector<int32_t> levels;
  WaveReadResult read = ReadLevels(list.values, info, levels);
  if (!read.ok) return read;
  return FromLevels(levels, info);
}

WaveReadResult ReadWaveAnyFormat(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  WaveReadResult hex = ReadHex(trimmed);
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
  return ReadWave(text, DetectListFormat(text));
}

std::string WriteWave(const std::vector<int8_t>& samples, WaveFormatId format) {
  if (samples.empty()) return {};
  const WaveFormatInfo& info = WaveFormatOf(format);
  std::vector<int8_t> wave = samples;
  if (info.fixedLength > 0 && wave.size() != static_cast<size_t>(info.fixedLength)) {
    wave = ResampleWave(wave, static_cast<size_t>(info.fixedLength));
  }
  switch (format) {
    case WaveFormatId::kHex:
      return WriteHexWave(wave);
    case WaveFormatId::kFurnace:
    case WaveFormatId::kFurnaceSigned:
    case WaveFormatId::kWavetracker:
      return JoinLevels(wave, info, "%d", " ", false);
    case WaveFormatId::kFurnaceHex:
      return JoinLevels(wave, info, "%02X", " ", false);
    case WaveFormatId::kFds:
      return JoinLevels(wave, info, "%d", " ", true);
    case WaveFormatId::kGb:
      return JoinLevels(wave, info, "%X", "", false);
    case WaveFormatId::kN163: {
      // N163 waves have a multiple of 4 samples: shorter ones are stretched to the next.
      const size_t count = std::min((wave.size() + 3) / 4 * 4, kMaxN163Count);
      if (count != wave.size()) wave = ResampleWave(wave, count);
      return JoinLevels(wave, info, "%d", " ", false) + " ;";
    }
  }
  return {};
}
