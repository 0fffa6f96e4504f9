// zpwave: the editor's wave formats on the command line. Lists the formats, converts a wave text
// from one format to another and renders a wave to the exact PCM the editor plays.
// Bad input, or output that could not be written: exit status 2 and one line on standard error.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/bank_commands.h"
#include "cli/convert_files.h"
#include "cli/zpwave_io.h"
#include "cli/zpwave_options.h"
#include "fileio/atomic_write.h"
#include "fileio/file_read.h"
#include "fileio/wav_file.h"
#include "formats/hex_wave_text.h"
#include "formats/wave_formats.h"
#include "synth/player.h"
#include "synth/render_as_played.h"

namespace {

constexpr int kBadInput = 2;
constexpr int32_t kMaxRenderSeconds = 600;

// Ends the process as the signal would, without leaving the temporary file of a write behind.
void OnSignal(int signal) {
  RemovePendingTemporaryFile();
  std::signal(signal, SIG_DFL);
  raise(signal);
}

// The bank to the player as a sequence, then what a PlaySequence sends for the bank's length: one
// pass, or --loop N passes looping.
void RenderSequence(const Options& options, Player& player) {
  const WaveBank bank = ReadBankOperand(*options.wave);
  std::vector<std::string> texts;
  for (const std::vector<int8_t>& wave : bank.waves) texts.push_back(WriteHexWave(wave));
  if (!player.SetSequence(texts, options.mode)) Fail("the bank cannot be played as a sequence");
  const int64_t passes = std::max(options.loops, 1);
  const int64_t waves = static_cast<int64_t>(texts.size());
  // round(passes × waves × 44100 / rate): where the wave after the last would start.
  const int64_t count =
      (2 * passes * waves * Player::kSampleRate + options.rate) / (2 * int64_t{options.rate});
  if (count > int64_t{kMaxRenderSeconds} * Player::kSampleRate) {
    Fail("the sequence would last " + std::to_string(count / Player::kSampleRate) + " s; at most " +
         std::to_string(kMaxRenderSeconds) + " s are rendered (fewer --loop, a higher --rate)");
  }
  const SequenceOrder order{options.rate, 0, static_cast<int32_t>(waves - 1), options.loops > 0};
  const std::vector<int16_t> pcm =
      player.RenderSequence(options.note, order, static_cast<int32_t>(count));
  const FileResult written = WriteWavFile(options.out, pcm, Player::kSampleRate);
  if (!written.ok) Fail(EnglishText(written.error));
}

void Render(const Options& options) {
  // A pipe, a device or a folder is refused before anything is rendered.
  struct stat status = {};
  if (stat(options.out.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
    Fail(NotRegularFileMessage(options.out, status.st_mode).Text() + " Nothing was written.");
  }
  if (options.sequence) {
    Player player(nullptr);
    player.BuildDefaultTones();
    RenderSequence(options, player);
    return;
  }
  const WaveReadResult read = ReadOrFail(*options.wave, std::nullopt);
  // The editor's own way: the hex text to the wave tone, then the samples the stream would get.
  const auto count = static_cast<int32_t>(std::llround(options.seconds * Player::kSampleRate));
  if (count < 1) Fail("--seconds is too short for one sample");
  const std::vector<int16_t> pcm =
      RenderAsPlayed(WriteHexWave(read.samples), options.mode, {}, 1, options.note, count);
  const FileResult written = WriteWavFile(options.out, pcm, Player::kSampleRate);
  if (!written.ok) Fail(EnglishText(written.error));
}

int Run(const Options& options) {
  switch (options.command) {
    case Command::kHelp:
      Print(options.help);
      break;
    case Command::kFormats:
      for (const WaveFormatInfo& info : WaveFormats())
        Print(std::string(info.name) + '\t' + info.tool + '\n');
      break;
    case Command::kConvert:
      return RunConvert(options);
    case Command::kRender:
      Render(options);
      break;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, OnSignal);
  try {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const std::vector<std::string_view> rest(args.empty() ? args.end() : args.begin() + 1,
                                             args.end());
    int status = 0;
    if (!args.empty() && args[0] == "morph") {
      RunMorph(rest);
    } else if (args.empty() || args[0] != "convert" || !RunBankConvert(rest)) {
      status = Run(ParseOptions(args));
    }
    FinishOutput();
    return status;
  } catch (const BadInput& bad) {
    fflush(stdout);
    fprintf(stderr, "zpwave: %s\n", OneLine(bad.message).c_str());
    return kBadInput;
  }
}
