// The editor's own wave text: two hex digits per 8-bit sample code, lower case when written. One
// home for its writer, the Paste button's strict reader and the sampled-wave unit's pair reader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/text_message.h"

// "%02x" of the low byte of every sample, in order.
std::string WriteWaveText(const std::vector<uint16_t>& samples);
// The same text of signed samples: "ff007f80" for −1, 0, 127, −128.
std::string WriteHexWave(const std::vector<int8_t>& samples);

// What the Paste button makes of a text: the sample codes, or the message that refuses it.
struct HexPasteResult {
  bool ok = false;
  std::vector<uint8_t> codes;  // one per two digits; 2, 4, 8, 16, 32 or 64 of them when ok
  TextMessage error;           // HexLengthMessage() or HexCharacterMessage() when not ok
};

// The Paste button's rules, in order: an odd number of characters, or a sample count other than
// 2, 4, 8, 16, 32 or 64 (the empty text too), gives the length message; then, after lower-casing
// ASCII letters only, any character outside 0-9 a-f gives the character message. Nothing is
// trimmed: a line end is a character like any other.
HexPasteResult ReadPastedWaveText(std::string_view text);
// "クリップボードの文字列の長さが異常です。" (context "WaveText").
TextMessage HexLengthMessage();
// "数値以外の文字が含まれています。" (context "WaveText").
TextMessage HexCharacterMessage();

// Reads one sample code from the front of text and removes what it read: the first two characters
// (or the one that is left) are read as the C library reads "0x" followed by them, so the leading
// hex digits in either case count, a pair starting with anything else gives 0, and a single
// remaining digit is read alone. An empty text gives 0 and stays empty. The low 8 bits of the
// value.
uint8_t ReadHexPair(std::string_view& text);
