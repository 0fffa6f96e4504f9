#include "formats/hex_wave_text.h"

#include <algorithm>
#include <cstdlib>

#include "formats/wave_length.h"

namespace {

constexpr char kContext[] = "WaveText";

template <typename Sample>
std::string WriteCodes(const std::vector<Sample>& samples) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(samples.size() * 2);
  for (const Sample sample : samples) {
    const unsigned code = static_cast<unsigned>(sample) & 0xffu;
    text.push_back(kDigits[code >> 4]);
    text.push_back(kDigits[code & 0xfu]);
  }
  return text;
}

}  // namespace

std::string WriteWaveText(const std::vector<uint16_t>& samples) {
  return WriteCodes(samples);
}

std::string WriteHexWave(const std::vector<int8_t>& samples) {
  return WriteCodes(samples);
}

TextMessage HexLengthMessage() {
  return TextMessage(kContext,
                     QT_TRANSLATE_NOOP("WaveText", "クリップボードの文字列の長さが異常です。"));
}

TextMessage HexCharacterMessage() {
  return TextMessage(kContext, QT_TRANSLATE_NOOP("WaveText", "数値以外の文字が含まれています。"));
}

HexPasteResult ReadPastedWaveText(std::string_view text) {
  HexPasteResult result;
  // Lengths are checked before characters, so a text of wrong length is always reported as such.
  const size_t count = text.size() / 2;
  if (count * 2 != text.size() || !IsWaveLength(count)) {
    result.error = HexLengthMessage();
    return result;
  }
  std::vector<uint8_t> codes(count);
  for (size_t i = 0; i < text.size(); ++i) {
    // ASCII lower case only: the outcome must not depend on the process locale.
    char ch = text[i];
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    unsigned digit = 0;
    if (ch >= '0' && ch <= '9') {
      digit = static_cast<unsigned>(ch - '0');
    } else if (ch >= 'a' && ch <= 'f') {
      digit = static_cast<unsigned>(ch - 'a' + 10);
    } else {
      result.error = HexCharacterMessage();
      return result;
    }
    codes[i / 2] = static_cast<uint8_t>((codes[i / 2] << 4) | digit);
  }
  result.ok = true;
  result.codes = std::move(codes);
  return result;
}

uint8_t ReadHexPair(std::string_view& text) {
  const std::string_view pair = text.substr(0, 2);
  text.remove_prefix(pair.size());
  char number[5] = {'0', 'x', '\0', '\0', '\0'};
  std::copy(pair.begin(), pair.end(), number + 2);
  const long parsed = std::strtol(number, nullptr, 16);
  return static_cast<uint8_t>(parsed & 0xff);
}
