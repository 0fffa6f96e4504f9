// zpwave: the editor's wave formats on the command line. Lists the formats, converts a wave text
// from one format to another and renders a wave to the exact PCM the editor plays.
// Bad input, or output that could not be written: exit status 2 and one line on standard error.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/zpwave_options.h"
#include "fileio/atomic_write.h"
#include "fileio/file_read.h"
#include "fileio/wav_file.h"
#include "formats/hex_wave_text.h"
#include "formats/wave_formats.h"
#include "synth/player.h"

namespace {

constexpr int kBadInput = 2;
// The most zpwave reads from standard input: far more than any wave text needs, little enough to
// refuse a wrong input (a sound file, /dev/zero) at once.
constexpr size_t kMaxInputBytes = size_t{16} << 20;

// Ends the process as the signal would, without leaving the temporary file of a write behind.
void OnSignal(int signal) {
  RemovePendingTemporaryFile();
  std::signal(signal, SIG_DFL);
  raise(signal);
}

bool printed = false;

void Print(std::string_view text) {
  printed = true;
  if (fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
    Fail("could not write to standard output: " + ErrnoText(errno));
  }
}

// Everything printed reached standard output and it closed without an error, or BadInput.
void FinishOutput() {
  if (fflush(stdout) != 0 || ferror(stdout)) {
    Fail("could not write to standard output: " + ErrnoText(errno));
  }
  if (close(STDOUT_FILENO) != 0 && (printed || errno != EBADF)) {
    Fail("could not write to standard output: " + ErrnoText(errno));
  }
}

std::string ReadStandardInput() {
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
  return text;
}

// The wave of a text in a format, or in any format.
WaveReadResult ReadOrFail(const std::string& operand, std::optional<WaveFormatId> format) {
  const std::string text = operand == "-" ? ReadStandardInput() : operand;
  WaveReadResult read = format ? ReadWave(text, *format) : ReadWaveAnyFormat(text);
  if (!read.ok) Fail(EnglishText(read.error));
  if (read.resampled) {
    fprintf(stderr, "zpwave: note: the %s wave has %zu values; resampled to %zu\n",
            WaveFormatOf(read.format).name, read.givenCount, read.samples.size());
  }
  return read;
}

void Render(const Options& options) {
  // A pipe, a device or a folder is refused before anything is rendered.
  struct stat status = {};
  if (stat(options.out.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
    Fail(NotRegularFileMessage(options.out, status.st_mode).Text() + " Nothing was written.");
  }
  const WaveReadResult read = ReadOrFail(*options.wave, std::nullopt);
  // The editor's own way: the hex text to the wave tone, then the samples the stream would get.
  Player player(nullptr);
  player.BuildDefaultTones();
  player.SetWave(WriteHexWave(read.samples), options.mode);
  player.SetCurrentTone(1);
  const auto count = static_cast<int32_t>(std::llround(options.seconds * Player::kSampleRate));
  if (count < 1) Fail("--seconds is too short for one sample");
  const std::vector<int16_t> pcm = player.RenderPcm(1, options.note, count);
  const FileResult written = WriteWavFile(options.out, pcm, Player::kSampleRate);
  if (!written.ok) Fail(EnglishText(written.error));
}

void Run(const Options& options) {
  switch (options.command) {
    case Command::kHelp:
      Print(options.help);
      break;
    case Command::kFormats:
      for (const WaveFormatInfo& info : WaveFormats())
        Print(std::string(info.name) + '\t' + info.tool + '\n');
      break;
    case Command::kConvert: {
      const WaveReadResult read = ReadOrFail(*options.wave, options.from);
      Print(WriteWave(read.samples, *options.to) + '\n');
      break;
    }
    case Command::kRender:
      Render(options);
      break;
  }
  FinishOutput();
}

}  // namespace

int main(int argc, char** argv) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, OnSignal);
  try {
    Run(ParseOptions(std::vector<std::string_view>(argv + 1, argv + argc)));
    return 0;
  } catch (const BadInput& bad) {
    fflush(stdout);
    fprintf(stderr, "zpwave: %s\n", OneLine(bad.message).c_str());
    return kBadInput;
  }
}
