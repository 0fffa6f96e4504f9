// zpwave's commands on several waves: morph between two waves, and convert of a bank (a text of
// one wave per line, or the waves of an .fti instrument). Each takes the arguments after the
// command's name, prints through zpwave's checked output and throws BadInput for bad input.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/wave_bank.h"

// zpwave morph.
void RunMorph(const std::vector<std::string_view>& args);
// zpwave convert of a bank: false when the arguments are not about a bank (no --in or --out of
// an .fti file, no INPUT of several lines), so that the one-wave convert takes them.
bool RunBankConvert(const std::vector<std::string_view>& args);
// The bank of a text of one wave per line ("-": standard input); a resampled wave is a note.
WaveBank ReadBankOperand(const std::string& operand);
