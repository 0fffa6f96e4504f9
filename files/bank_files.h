// A bank written as one wave file per wave (.fuw, .dmw or .ugw) into a folder, numbered in bank
// order, each through the one atomic write. No Qt: the editor and zpwave share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/text_message.h"
#include "formats/wave_bank.h"
#include "formats/wave_files.h"

// The name of wave `index` (from 0) of a bank of `count` waves: "BASE-NN.EXT", numbered from 1
// with as many digits as `count` has, at least two ("lead-01.fuw" … "lead-12.fuw", "lead-001.ugw"
// … "lead-256.ugw"), so that the names sort in bank order.
std::string BankFileName(std::string_view base, size_t index, size_t count, WaveFileType type);
// The paths BankFileName gives for every wave of a bank of `count`, in `folder`.
std::vector<std::string> BankFilePaths(const std::string& folder, std::string_view base,
                                       size_t count, WaveFileType type);

struct BankFilesResult {
  bool ok = false;
  // The paths written, in bank order: every wave's when ok, those before the failure otherwise.
  std::vector<std::string> written;
  // Per wave written, what its file could not hold (as a single save says it); empty when
  // nothing.
  std::vector<TextMessage> changes;
  // When not ok: the wave (from 0) whose file failed, and why (the path and the reason).
  size_t failedWave = 0;
  TextMessage error;
};

// Writes wave k of `bank` to BankFilePaths(folder, base, …)[k] as `type` (a .fuw at heights[k]
// levels and named after its file, a .dmw at most kDmwMaxHeight, a .ugw 32 samples of 16), in bank
// order. Stops at the first file that cannot be written; that file is left as it was and no
// temporary file remains. `heights` holds one height per wave. Any thread.
BankFilesResult WriteBankFiles(const WaveBank& bank, const std::vector<int32_t>& heights,
                               WaveFileType type, const std::string& folder, std::string_view base);
