// zpwave's standard input and output.
#include "cli/zpwave_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "cli/zpwave_options.h"
#include "fileio/atomic_write.h"

namespace {

bool printed = false;
std::optional<std::string> standardInput;

}  // namespace

void Print(std::string_view text) {
  printed = true;
  if (fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
    Fail("could not write to standard output: " + ErrnoText(errno));
  }
}

void FinishOutput() {
  if (fflush(stdout) != 0 || ferror(stdout)) {
    Fail("could not write to standard output: " + ErrnoText(errno));
  }
  if (close(STDOUT_FILENO) != 0 && (printed || errno != EBADF)) {
    Fail("could not write to standard output: " + ErrnoText(errno));
  }
}

const std::string& ReadStandardInput() {
  if (standardInput) return *standardInput;
  std::string text;
  char block[65536];
  for (;;) {
    const size_t got = fread(block, 1, sizeof block, stdin);
    text.append(block, got);
    if (text.size() > kMaxInputBytes) {
      Fail("the input is longer than " + std::to_string(kMaxInputBytes) +
           " bytes (16 MiB), the most zpwave reads");
    }
    if (got < sizeof block) break;
  }
  if (ferror(stdin)) Fail("could not read standard input: " + ErrnoText(errno));
  return standardInput.emplace(std::move(text));
}

void Note(std::string_view text) {
  fprintf(stderr, "zpwave: note: %s\n", OneLine(text).c_str());
}

WaveReadResult ReadOrFail(const std::string& operand, std::optional<WaveFormatId> format,
                          std::string_view which) {
  const std::string& text = operand == "-" ? ReadStandardInput() : operand;
  WaveReadResult read = format ? ReadWave(text, *format) : ReadWaveAnyFormat(text);
  const std::string prefix = which.empty() ? std::string() : std::string(which) + ": ";
  if (!read.ok) Fail(prefix + EnglishText(read.error));
  if (read.resampled) {
    Note(prefix + "the " + WaveFormatOf(read.format).name + " wave has " +
         std::to_string(read.givenCount) + " values; resampled to " +
         std::to_string(read.samples.size()));
  }
  return read;
}
