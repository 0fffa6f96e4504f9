// The bank of a version 3 wave document: "waves = N" and "current = C" (from 1), the unnumbered
// fields holding wave C, and for every other wave k "length k", "mode k", "wave k" and
// "harmonics k".
#include <array>

#include "files/document_fields.h"
#include "formats/wave_bank.h"
#include "formats/wave_length.h"

namespace document_fields {

namespace {

constexpr std::string_view kWavesKey = "waves";
constexpr std::string_view kCurrentKey = "current";
constexpr std::array<std::string_view, 4> kWaveKeys = {"length", "mode", "wave", "harmonics"};

// A whole number from 1 to `most` in field `key`; an error naming the line otherwise.
TextMessage ParseCount(const Field& field, std::string_view key, int32_t most, int32_t& out) {
  const std::optional<int32_t> value = ParseNumber(field.value);
  if (!value || *value < 1 || *value > most) {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: “%2” must be a whole number from 1 to %3, not “%4”."),
                 field.line, {std::string(key), std::to_string(most), Quote(field.value)});
  }
  out = *value;
  return {};
}

// Wave `number`'s four fields into `wave`.
TextMessage ParseBankWave(const std::map<std::string_view, Field>& fields, int32_t number,
                          int32_t lastLine, WaveState& wave) {
  std::array<const Field*, 4> found{};
  for (size_t i = 0; i < kWaveKeys.size(); ++i) {
    const std::string key = std::string(kWaveKeys[i]) + " " + std::to_string(number);
    const auto it = fields.find(key);
    if (it == fields.end()) {
      return Error(
          QT_TRANSLATE_NOOP("WaveDocument", "Line %1: the document ends without “%2 = …”."),
          lastLine, {key});
    }
    found[i] = &it->second;
  }
  const std::optional<int32_t> length = ParseNumber(found[0]->value);
  if (!length || !IsWaveLength(*length)) {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: the length must be 2, 4, 8, 16, 32 or 64, "
                                   "not “%2”."),
                 found[0]->line, {Quote(found[0]->value)});
  }
  wave.length = *length;
  if (found[1]->value != "hold" && found[1]->value != "poly") {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: the mode must be “hold” or “poly”, not "
                                   "“%2”."),
                 found[1]->line, {Quote(found[1]->value)});
  }
  wave.mode = found[1]->value == "hold" ? 1 : 2;
  TextMessage error = ParseWave(*found[2], wave.length, wave.samples);
  if (error.Empty()) error = ParseHarmonics(*found[3], wave.length, wave.amplitudes);
  return error;
}

}  // namespace

bool IsBankKey(std::string_view key) {
  if (key == kWavesKey || key == kCurrentKey) return true;
  const size_t space = key.find(' ');
  if (space == std::string_view::npos || !ParseNumber(key.substr(space + 1))) return false;
  for (std::string_view base : kWaveKeys) {
    if (key.substr(0, space) == base) return true;
  }
  return false;
}

TextMessage ParseBank(const std::map<std::string_view, Field>& fields, int32_t lastLine,
                      WaveDocument& document) {
  const auto waves = fields.find(kWavesKey);
  if (waves == fields.end()) return {};
  int32_t count = 0;
  TextMessage error =
      ParseCount(waves->second, kWavesKey, static_cast<int32_t>(kMaxBankWaves), count);
  if (!error.Empty()) return error;
  const auto current = fields.find(kCurrentKey);
  if (current == fields.end()) {
    return Error(QT_TRANSLATE_NOOP("WaveDocument", "Line %1: the document ends without “%2 = …”."),
                 lastLine, {std::string(kCurrentKey)});
  }
  int32_t chosen = 0;
  error = ParseCount(current->second, kCurrentKey, count, chosen);
  if (!error.Empty()) return error;
  std::vector<WaveState> bank(static_cast<size_t>(count), document.state);
  for (int32_t number = 1; number <= count; ++number) {
    if (number == chosen) continue;
    error = ParseBankWave(fields, number, lastLine, bank[static_cast<size_t>(number - 1)]);
    if (!error.Empty()) return error;
  }
  if (count > 1) {
    document.waves = std::move(bank);
    document.current = chosen - 1;
  }
  return {};
}

std::string BankText(const WaveDocument& document) {
  if (document.waves.size() <= 1) return {};
  std::string out = "waves = " + std::to_string(document.waves.size()) + "\n";
  out += "current = " + std::to_string(document.current + 1) + "\n";
  for (size_t i = 0; i < document.waves.size(); ++i) {
    if (static_cast<int32_t>(i) == document.current) continue;
    const WaveState& wave = document.waves[i];
    const std::string number = " " + std::to_string(i + 1) + " = ";
    out += "length" + number + std::to_string(wave.length) + "\n";
    out += "mode" + number + (wave.mode == 2 ? "poly" : "hold") + "\n";
    out += "wave" + number + WaveText(wave.samples) + "\n";
    out += "harmonics" + number + HarmonicsText(wave.amplitudes) + "\n";
  }
  return out;
}

}  // namespace document_fields
