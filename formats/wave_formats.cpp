#include "formats/wave_formats.h"

#include <algorithm>
#include <cstdio>

#include "formats/hex_wave_text.h"
#include "formats/value_list.h"
#include "formats/wave_depth.h"
#include "formats/wave_length.h"

using namespace wave_text;

namespace {

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

// The values a format takes at a height: levels 0 .. height − 1, or signed around 0.
struct Range {
  int32_t min = 0;
  int32_t max = 255;
};

Range RangeAt(const WaveFormatInfo& info, int32_t height) {
  if (info.isSigned) return {-height / 2, height / 2 - 1};
  return {0, height - 1};
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
                         const WaveFormatInfo& info, Range range) {
  return TextMessage(kContext, source,
                     {std::to_string(position), Shown(value), info.tool,
                      ShowValue(range.min, info.id), ShowValue(range.max, info.id)});
}

TextMessage NotANumber(size_t position, std::string_view value, const WaveFormatInfo& info,
                       Range range) {
  return RangeMessage(
      QT_TRANSLATE_NOOP("WaveText", "Value %1 (\"%2\") is not a number; %3 takes %4 to %5."),
      position, value, info, range);
}

TextMessage OutOfRange(size_t position, std::string_view value, const WaveFormatInfo& info,
                       Range range) {
  return RangeMessage(
      QT_TRANSLATE_NOOP("WaveText", "Value %1 (%2) is out of range; %3 takes %4 to %5."), position,
      value, info, range);
}

// The values' numbers within `range`, or the message that refuses the text.
WaveReadResult ReadNumbers(const std::vector<std::string_view>& values, const WaveFormatInfo& info,
                           Range range, std::vector<int32_t>& numbers) {
  const Syntax syntax = SyntaxOf(info.id);
  numbers.clear();
  numbers.reserve(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    const std::optional<int64_t> value = ParseValue(values[i], syntax);
    if (!value) return Refused(info.id, NotANumber(i + 1, values[i], info, range));
    if (*value < range.min || *value > range.max) {
      return Refused(info.id, OutOfRange(i + 1, values[i], info, range));
    }
    numbers.push_back(static_cast<int32_t>(*value));
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

// Numbers of a height to our samples, resampled to an editor length when needed.
WaveReadResult FromNumbers(const std::vector<int32_t>& numbers, const WaveFormatInfo& info,
                           int32_t height) {
  if (const auto problem = CountProblem(numbers.size(), info)) return Refused(info.id, *problem);
  std::vector<int8_t> samples;
  samples.reserve(numbers.size());
  const int32_t offset = info.isSigned ? height / 2 : 0;
  for (const int32_t number : numbers) {
    samples.push_back(static_cast<int8_t>(FromHeightLevel(number + offset, height)));
  }
  return Accepted(std::move(samples), info.id, height);
}

// A Furnace text: read within the widest range, then at the height chosen for its values.
WaveReadResult ReadFurnace(const std::vector<std::string_view>& values, const WaveFormatInfo& info,
                           const WaveReadOptions& options) {
  const bool named = IsWaveHeight(options.height);
  const int32_t widest = named ? options.height : kFullHeight;
  std::vector<int32_t> numbers;
  WaveReadResult read = ReadNumbers(values, info, RangeAt(info, widest), numbers);
  if (!read.ok) return read;
  int32_t height = widest;
  if (!named) {
    const auto [low, high] = std::minmax_element(numbers.begin(), numbers.end());
    const int32_t needed =
        info.isSigned ? SmallestSignedHeightHolding(*low, *high) : SmallestHeightHolding(*high);
    height = PreferredHeight(needed, options.targetHeight);
  }
  WaveReadResult result = FromNumbers(numbers, info, height);
  result.heightChosen = result.ok && !named;
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
    if (!digit) {
      return Refused(info.id,
                     NotANumber(levels.size() + 1, std::string(1, ch), info, RangeAt(info, 16)));
    }
    levels.push_back(static_cast<int32_t>(*digit));
  }
  if (levels.empty()) return Refused(info.id, EmptyMessage());
  return FromNumbers(levels, info, 16);
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
  WaveReadResult read = ReadNumbers(list.values, info, RangeAt(info, 16), levels);
  if (!read.ok) return read;
  return FromNumbers(levels, info, 16);
}

std::string JoinLevels(const std::vector<int8_t>& samples, const WaveFormatInfo& info,
                       int32_t height, const char* pattern, const char* separator,
                       bool separatorAfterLast) {
  std::string text;
  const int32_t offset = info.isSigned ? height / 2 : 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    const int32_t level = ToHeightLevel(samples[i], height) - offset;
    char value[16];
    std::snprintf(value, sizeof value, pattern, level);
    text += value;
    if (separatorAfterLast || i + 1 < samples.size()) text += separator;
  }
  return text;
}

}  // namespace

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

bool TakesAnyHeight(WaveFormatId format) {
  return format == WaveFormatId::kFurnace || format == WaveFormatId::kFurnaceSigned ||
         format == WaveFormatId::kFurnaceHex;
}

int32_t FormatHeight(WaveFormatId format) {
  return 1 << WaveFormatOf(format).depthBits;
}

std::vector<int8_t> ResampleWave(const std::vector<int8_t>& samples, size_t count) {
  return ResampleToLength(samples, count);
}

WaveReadResult ReadWave(std::string_view text, WaveFormatId format,
                        const WaveReadOptions& options) {
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
  if (TakesAnyHeight(format)) return ReadFurnace(list.values, info, options);
  const int32_t height = FormatHeight(format);
  std::vector<int32_t> levels;
  WaveReadResult read = ReadNumbers(list.values, info, RangeAt(info, height), levels);
  if (!read.ok) return read;
  return FromNumbers(levels, info, height);
}

std::string WriteWave(const std::vector<int8_t>& samples, WaveFormatId format, int32_t height) {
  if (samples.empty()) return {};
  const WaveFormatInfo& info = WaveFormatOf(format);
  if (!TakesAnyHeight(format) || !IsWaveHeight(height)) height = FormatHeight(format);
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
      return JoinLevels(wave, info, height, "%d", " ", false);
    case WaveFormatId::kFurnaceHex:
      return JoinLevels(wave, info, height, "%02X", " ", false);
    case WaveFormatId::kFds:
      return JoinLevels(wave, info, height, "%d", " ", true);
    case WaveFormatId::kGb:
      return JoinLevels(wave, info, height, "%X", "", false);
    case WaveFormatId::kN163: {
      // N163 waves have a multiple of 4 samples: shorter ones are stretched to the next.
      const size_t count = std::min((wave.size() + 3) / 4 * 4, kMaxN163Count);
      if (count != wave.size()) wave = ResampleWave(wave, count);
      return JoinLevels(wave, info, height, "%d", " ", false) + " ;";
    }
  }
  return {};
}

WaveReadResult Accepted(std::vector<int8_t> samples, WaveFormatId format, int32_t height) {
  WaveReadResult result;
  result.ok = true;
  result.format = format;
  result.height = height;
  result.givenCount = samples.size();
  const size_t length = NearestWaveLength(samples.size());
  result.resampled = length != samples.size();
  result.samples = result.resampled ? ResampleWave(samples, length) : std::move(samples);
  return result;
}

WaveReadResult Refused(WaveFormatId format, TextMessage error) {
  WaveReadResult result;
  result.format = format;
  result.error = std::move(error);
  return result;
}
