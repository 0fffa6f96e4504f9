// zpwave's standard input and output: every write checked, standard input read once and at most
// kMaxInputBytes, and the notes on standard error in one escaped line each.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "formats/wave_formats.h"

// The most zpwave reads from standard input: far more than any wave text needs, little enough to
// refuse a wrong input (a sound file, /dev/zero) at once.
inline constexpr size_t kMaxInputBytes = size_t{16} << 20;

// Writes `text` to standard output, or throws BadInput.
void Print(std::string_view text);
// Everything printed reached standard output and it closed without an error, or BadInput.
void FinishOutput();
// The whole of standard input (read on the first call, the same text after), or BadInput.
const std::string& ReadStandardInput();
// "zpwave: note: TEXT" on standard error.
void Note(std::string_view text);
// The wave of a text (the text itself, or "-" for standard input) in a format, or in any format;
// a resampling is told as a note naming `which` when it is given. Throws BadInput.
WaveReadResult ReadOrFail(const std::string& operand, std::optional<WaveFormatId> format,
                          std::string_view which = {});
