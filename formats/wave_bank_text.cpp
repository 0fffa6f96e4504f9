#include "formats/wave_bank.h"

#include <utility>

namespace {

constexpr char kContext[] = "WaveBank";

bool Blank(std::string_view line) {
  return line.find_first_not_of(" \t\f\v") == std::string_view::npos;
}

}  // namespace

BankReadResult ReadBankText(std::string_view text) {
  BankReadResult result;
  size_t lineNumber = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    ++lineNumber;
    start = end + 1;
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
    if (Blank(line)) continue;
    if (result.bank.waves.size() == kMaxBankWaves) {
      result.bank.waves.clear();
      result.lines.clear();
      result.error = TextMessage(
          kContext,
          QT_TRANSLATE_NOOP("WaveBank",
                            "The text holds more than %1 waves; a bank holds at most %1."),
          {std::to_string(kMaxBankWaves)});
      return result;
    }
    WaveReadResult read = ReadWaveAnyFormat(line);
    if (!read.ok) {
      result.errorLine = lineNumber;
      result.error = std::move(read.error);
      result.bank.waves.clear();
      result.lines.clear();
      return result;
    }
    result.bank.waves.push_back(read.samples);
    result.lines.push_back(std::move(read));
  }
  if (result.bank.waves.empty()) {
    result.error = TextMessage(kContext, QT_TRANSLATE_NOOP("WaveBank", "The text holds no wave."));
    return result;
  }
  result.ok = true;
  return result;
}

std::string WriteBankText(const WaveBank& bank, WaveFormatId format) {
  std::string text;
  for (const std::vector<int8_t>& wave : bank.waves) {
    text += WriteWave(wave, format);
    text += '\n';
  }
  return text;
}
