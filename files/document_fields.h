// The pieces of the wave document's text shared by its reader and writer: lines, fields, messages
// and the wave and harmonics values. Used by files/wave_document*.cpp only.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/wave_state.h"
#include "files/wave_document.h"
#include "formats/text_message.h"

namespace document_fields {

struct Line {
  int32_t number = 0;
  std::string_view text;
};

struct Field {
  int32_t line = 0;
  std::string_view value;
};

// A message of the document's reader, `source` with the line number as %1 and `more` after it.
TextMessage Error(const char* source, int32_t line, std::vector<std::string> more = {});
bool IsBlank(char c);
std::string_view Trim(std::string_view text);
// A value as it appears in a message: at most 40 bytes, cut at a character boundary.
std::string Quote(std::string_view value);
// A whole number of decimal digits only, at most nine of them.
std::optional<int32_t> ParseNumber(std::string_view text);
// The samples of a wave field: 2 × length hexadecimal digits.
TextMessage ParseWave(const Field& field, int32_t length, std::vector<uint16_t>& samples);
// The harmonic attenuations: length whole numbers 0..255 separated by commas.
TextMessage ParseHarmonics(const Field& field, int32_t length, std::vector<uint8_t>& amplitudes);
// The values of ParseWave and ParseHarmonics as written.
std::string WaveText(const std::vector<uint16_t>& samples);
std::string HarmonicsText(const std::vector<uint8_t>& amplitudes);

// The waves of a version 3 document other than the current one: "waves", "current" and per wave
// "length N", "mode N", "wave N", "harmonics N"; the fields hold every key of the document.
bool IsBankKey(std::string_view key);
TextMessage ParseBank(const std::map<std::string_view, Field>& fields, int32_t lastLine,
                      WaveDocument& document);
// The bank's lines, nothing for a bank of one.
std::string BankText(const WaveDocument& document);

}  // namespace document_fields
