// zpwave's commands on several waves: morph between two waves, and convert of a bank (a text of
// one wave per line, or the waves of an .fti instrument). Each takes the arguments after the
// command's name, prints its own errors ("zpwave: ..." on one line) and returns the exit status.
#pragma once

#include <optional>

// zpwave morph.
int RunMorph(int argc, char** argv);
// zpwave convert of a bank: nothing when the arguments are not about a bank (no --in or --out of
// an .fti file, no INPUT of several lines), so that the one-wave convert takes them.
std::optional<int> RunBankConvert(int argc, char** argv);
