// A bank of waves, as plain data, and its text: one wave per line, each line read like a single
// paste of any format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/text_message.h"
#include "formats/wave_formats.h"

// The most waves a bank holds.
constexpr size_t kMaxBankWaves = 256;

// 1 to kMaxBankWaves waves, each of signed 8-bit samples (−128..127).
struct WaveBank {
  std::vector<std::vector<int8_t>> waves;
};

struct BankReadResult {
  bool ok = false;
  WaveBank bank;
  // One entry per wave as ReadWaveAnyFormat gave it (format, given count, resampling).
  std::vector<WaveReadResult> lines;
  // When not ok: the line (from 1) that was refused and why, or 0 for the text as a whole.
  size_t errorLine = 0;
  TextMessage error;
};

// Reads every line that holds more than white space with ReadWaveAnyFormat; "\n", "\r\n" and "\r"
// end lines. Refuses a text without any wave, one of more than kMaxBankWaves waves, or the
// whole text at the first line that is not a wave (errorLine, and that line's own message).
BankReadResult ReadBankText(std::string_view text);
// One line per wave in `format` (as WriteWave), each ended by "\n".
std::string WriteBankText(const WaveBank& bank, WaveFormatId format);
