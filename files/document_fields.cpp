#include "files/document_fields.h"

#include "files/document_escape.h"

namespace document_fields {

namespace {
constexpr const char* kContext = "WaveDocument";
}  // namespace

TextMessage Error(const char* source, int32_t line, std::vector<std::string> more) {
  std::vector<std::string> args{std::to_string(line)};
  for (auto& arg : more) args.push_back(std::move(arg));
  return TextMessage(kContext, source, std::move(args));
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Quote(std::string_view value) {
  if (value.size() <= 40) return std::string(value);
  size_t end = 40;
  while (end > 0 && (static_cast<unsigned char>(value[end]) & 0xc0) == 0x80) --end;
  return std::string(value.substr(0, end)) + "…";
}

std::optional<int32_t> ParseNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

TextMessage ParseWave(const Field& field, int32_t length, std::vector<uint16_t>& samples) {
  const std::string_view hex = field.value;
  for (size_t i = 0; i < hex.size(); ++i) {
    if (HexDigit(hex[i]) < 0) {
      size_t bytes = 1;  // the whole UTF-8 character; every one before it is a hex digit
      while (i + bytes < hex.size() &&
             (static_cast<unsigned char>(hex[i + bytes]) & 0xc0) == 0x80) {
        ++bytes;
      }
      return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                     "Line %1: character %2 of the wave, “%3”, is not a "
                                     "hexadecimal digit."),
                   field.line, {std::to_string(i + 1), std::string(hex.substr(i, bytes))});
    }
  }
  if (hex.size() != static_cast<size_t>(length) * 2) {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: the wave has %2 hexadecimal digits; a "
                                   "length of %3 needs %4."),
                 field.line,
                 {std::to_string(hex.size()), std::to_string(length), std::to_string(length * 2)});
  }
  samples.clear();
  for (size_t i = 0; i < hex.size(); i += 2) {
    samples.push_back(static_cast<uint16_t>(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1])));
  }
  return {};
}

TextMessage ParseHarmonics(const Field& field, int32_t length, std::vector<uint8_t>& amplitudes) {
  amplitudes.clear();
  std::string_view rest = field.value;
  size_t count = 0;
  while (true) {
    const size_t comma = rest.find(',');
    const std::string_view token = Trim(rest.substr(0, comma));
    ++count;
    const std::optional<int32_t> value = ParseNumber(token);
    if (!value || *value > 255) {
      return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                     "Line %1: harmonic %2, “%3”, is not a whole number "
                                     "from 0 to 255."),
                   field.line, {std::to_string(count), Quote(token)});
    }
    amplitudes.push_back(static_cast<uint8_t>(*value));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (amplitudes.size() != static_cast<size_t>(length)) {
    return Error(
        QT_TRANSLATE_NOOP("WaveDocument", "Line %1: there are %2 harmonics; the length is %3."),
        field.line, {std::to_string(amplitudes.size()), std::to_string(length)});
  }
  return {};
}

std::string WaveText(const std::vector<uint16_t>& samples) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (uint16_t sample : samples) {
    out += kHex[(sample >> 4) & 15];
    out += kHex[sample & 15];
  }
  return out;
}

std::string HarmonicsText(const std::vector<uint8_t>& amplitudes) {
  std::string out;
  for (size_t i = 0; i < amplitudes.size(); ++i) {
    if (i > 0) out += ", ";
    out += std::to_string(amplitudes[i]);
  }
  return out;
}

}  // namespace document_fields
