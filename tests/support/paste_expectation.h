// What an edit must leave in the editor, worked out here from the rules alone (not through the
// editor's own code): the resampling of a length change and the outcome of a paste in either
// view. The load tests and the paste fuzz targets compare the editor against it.
#pragma once

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace expect {

inline const std::string kLengthMessage = "クリップボードの文字列の長さが異常です。";
inline const std::string kCharacterMessage = "数値以外の文字が含まれています。";

// The editor's data as 8-bit codes.
struct EditorState {
  std::vector<uint8_t> samples;
  std::vector<uint8_t> amplitudes;
  int32_t length = 32;

  bool operator==(const EditorState&) const = default;
};

// A refused paste names its message and leaves `after` equal to the state before it.
struct PasteOutcome {
  bool accepted = false;
  std::string message;
  EditorState after;
};

inline bool IsListedLength(int64_t count) {
  return count == 2 || count == 4 || count == 8 || count == 16 || count == 32 || count == 64;
}

// Two lower-case hex digits per sample code.
inline std::string WaveText(const std::vector<uint8_t>& samples) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (uint8_t code : samples) {
    text += kDigits[code >> 4];
    text += kDigits[code & 15];
  }
  return text;
}

// Every amplitude up to the last that is not 127, each right-aligned in four places, joined by
// commas.
inline std::string AmplitudeText(const std::vector<uint8_t>& amplitudes) {
  size_t end = amplitudes.size();
  while (end > 0 && amplitudes[end - 1] == 127) --end;
  std::string text;
  for (size_t i = 0; i < end; ++i) {
    char item[8];
    std::snprintf(item, sizeof item, "%4u", static_cast<unsigned>(amplitudes[i]));
    if (i > 0) text += ',';
    text += item;
  }
  return text;
}

// New sample i is old sample i * old count / count.
inline std::vector<uint8_t> Resample(const std::vector<uint8_t>& samples, int32_t count) {
  std::vector<uint8_t> result;
  for (int64_t i = 0; i < count; ++i) {
    result.push_back(
        samples[static_cast<size_t>(i * static_cast<int64_t>(samples.size()) / count)]);
  }
  return result;
}

// Amplitudes of 127 appended, or the last ones cut off.
inline std::vector<uint8_t> Refit(std::vector<uint8_t> amplitudes, int32_t count) {
  while (amplitudes.size() < static_cast<size_t>(count)) amplitudes.push_back(127);
  amplitudes.resize(static_cast<size_t>(count));
  return amplitudes;
}

inline EditorState SetLength(const EditorState& before, int32_t count) {
  if (count == before.length) return before;
  return {Resample(before.samples, count), Refit(before.amplitudes, count), count};
}

inline int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

// Wave view: two hex digits per sample, 2 to 64 samples in powers of two; the length is judged
// before the characters.
inline PasteOutcome WavePaste(const EditorState& before, const std::string& text) {
  PasteOutcome outcome{false, "", before};
  const size_t n = text.size();
  if (n % 2 != 0 || !IsListedLength(static_cast<int64_t>(n / 2))) {
    outcome.message = kLengthMessage;
    return outcome;
  }
  std::vector<uint8_t> samples;
  for (size_t i = 0; i < n; i += 2) {
    const int high = HexDigit(text[i]);
    const int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) {
      outcome.message = kCharacterMessage;
      return outcome;
    }
    samples.push_back(static_cast<uint8_t>(high * 16 + low));
  }
  const auto count = static_cast<int32_t>(samples.size());
  outcome.accepted = true;
  outcome.after = {samples, Refit(before.amplitudes, count), count};
  return outcome;
}

inline bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

// Leading decimal number of a token: blanks, a sign, digits up to the first other character;
// none gives 0. Beyond 32 bits the value is held at the 32-bit limit.
inline int32_t LeadingNumber(const std::string& token) {
  size_t i = 0;
  while (i < token.size() && IsBlank(token[i])) ++i;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  int64_t magnitude = 0;
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (token[i] - '0');
    if (magnitude > int64_t{INT32_MAX} + 1) magnitude = int64_t{INT32_MAX} + 1;
  }
  const int64_t value = negative ? -magnitude : magnitude;
  return static_cast<int32_t>(value > INT32_MAX ? INT32_MAX : value);
}

// The values of a comma-separated list: tokens up to the first empty one (before trimming); an
// empty first token gives no values at all.
inline std::vector<int32_t> DecimalValues(const std::string& text) {
  std::vector<int32_t> values;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const size_t end = comma == std::string::npos ? text.size() : comma;
    if (end == start) break;
    size_t first = start;
    size_t last = end;
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    values.push_back(LeadingNumber(text.substr(first, last - first)));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return values;
}

// Harmonics view: never refused. The length only grows, to the smallest of 4 … 64 that holds
// every value; amplitudes are the values' low 8 bits, then 127s.
inline PasteOutcome HarmonicsPaste(const EditorState& before, const std::string& text) {
  const std::vector<int32_t> values = DecimalValues(text);
  int32_t length = before.length;
  if (values.size() > static_cast<size_t>(length)) {
    length = 64;
    for (int32_t candidate : {32, 16, 8, 4}) {
      if (values.size() <= static_cast<size_t>(candidate)) length = candidate;
    }
  }
  std::vector<uint8_t> amplitudes(static_cast<size_t>(length), 127);
  for (size_t i = 0; i < values.size() && i < amplitudes.size(); ++i) {
    amplitudes[i] = static_cast<uint8_t>(static_cast<uint32_t>(values[i]) & 0xff);
  }
  std::vector<uint8_t> samples =
      length == before.length ? before.samples : Resample(before.samples, length);
  return {true, "", {samples, amplitudes, length}};
}

}  // namespace expect
