// zpwave: the editor's wave formats on the command line. Lists the formats, converts a wave text
// from one format to another and renders a wave to the exact PCM the editor plays.
// Bad input: exit status 2 and one line on standard error; nothing written.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/note_name.h"
#include "cli/wav_writer.h"
#include "formats/hex_wave_text.h"
#include "formats/wave_formats.h"
#include "synth/player.h"
#include "synth/render_as_played.h"

namespace {

constexpr int kBadInput = 2;
constexpr double kMaxSeconds = 600.0;

constexpr char kUsage[] =
    "Usage: zpwave COMMAND [OPTIONS]\n"
    "Waves of chiptune tools as text, and as sound.\n"
    "\n"
    "Commands:\n"
    "  formats   list the wave text formats\n"
    "  convert   convert a wave text to another format\n"
    "  render    write the sound of a wave to a WAV file\n"
    "\n"
    "zpwave COMMAND --help tells more about a command.\n";

constexpr char kFormatsUsage[] =
    "Usage: zpwave formats\n"
    "Lists the wave text formats, one a line: the name, a tab and the tool it belongs to.\n";

constexpr char kConvertUsage[] =
    "Usage: zpwave convert --to FORMAT [--from FORMAT] [INPUT]\n"
    "Prints the wave text INPUT in another format. INPUT is the text itself; without it, or as\n"
    "\"-\", the text is read from standard input. Without --from the format is told from the\n"
    "text (the editor's own hex text first). A wave whose number of values is not 2, 4, 8, 16,\n"
    "32 or 64 is resampled to the nearest of these, and a note says so on standard error.\n"
    "FORMAT is one of the names \"zpwave formats\" lists.\n";

constexpr char kRenderUsage[] =
    "Usage: zpwave render [--mode hold|poly] [--note NOTE] [--seconds S] --out FILE.wav WAVE\n"
    "Writes the 16-bit PCM the editor sends to the sound device when it plays WAVE (44100 Hz,\n"
    "mono), from the first sample on, as a WAV file.\n"
    "  WAVE          a wave text in any format (\"-\" reads it from standard input)\n"
    "  --mode MODE   hold (each sample held, the default) or poly (straight lines between)\n"
    "  --note NOTE   a pitch name such as o4a (octave 1..8, letter c..b, # for sharp) or a\n"
    "                note number 0..95; default o4a\n"
    "  --seconds S   length, more than 0 and at most 600; default 2\n"
    "  --out FILE    the WAV file to write\n";

// Thrown for bad input; main prints it as one line and exits with status 2.
struct BadInput {
  std::string message;
};

[[noreturn]] void Fail(std::string message) {
  throw BadInput{std::move(message)};
}

// The rest of the command line, option by option.
class Arguments {
 public:
  Arguments(int argc, char** argv, int first) : args(argv + first, argv + argc) {}
  bool Done() const { return next >= args.size(); }
  std::string_view Take() { return args[next++]; }
  std::string_view ValueOf(std::string_view option) {
    if (Done()) Fail(std::string(option) + " needs a value");
    return Take();
  }

 private:
  std::vector<std::string_view> args;
  size_t next = 0;
};

// "--to", "-x": an option; "-", "-1 0 127" and anything else: an operand.
bool IsOption(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' &&
         (arg[1] == '-' || (arg[1] >= 'a' && arg[1] <= 'z') || (arg[1] >= 'A' && arg[1] <= 'Z'));
}

bool IsHelp(std::string_view arg) {
  return arg == "--help" || arg == "-h";
}

WaveFormatId FormatNamed(std::string_view name) {
  const std::optional<WaveFormatId> format = FindWaveFormat(name);
  if (!format) Fail("unknown format \"" + std::string(name) + "\" (see zpwave formats)");
  return *format;
}

std::string ReadStandardInput() {
  return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

// The wave of a text in a format, or in any format.
WaveReadResult ReadOrFail(std::string_view text, std::optional<WaveFormatId> format) {
  WaveReadResult read = format ? ReadWave(text, *format) : ReadWaveAnyFormat(text);
  if (!read.ok) Fail(read.error.Text());
  if (read.resampled) {
    std::cerr << "zpwave: note: the " << WaveFormatOf(read.format).name << " wave has "
              << read.givenCount << " values; resampled to " << read.samples.size() << "\n";
  }
  return read;
}

int Formats(Arguments& args) {
  if (!args.Done()) {
    const std::string_view arg = args.Take();
    if (IsHelp(arg)) {
      std::cout << kFormatsUsage;
      return 0;
    }
    Fail("formats takes no argument: \"" + std::string(arg) + "\"");
  }
  for (const WaveFormatInfo& info : WaveFormats())
    std::cout << info.name << '\t' << info.tool << '\n';
  return 0;
}

int Convert(Arguments& args) {
  std::optional<WaveFormatId> to;
  std::optional<WaveFormatId> from;
  std::optional<std::string> input;
  while (!args.Done()) {
    const std::string_view arg = args.Take();
    if (IsHelp(arg)) {
      std::cout << kConvertUsage;
      return 0;
    } else if (arg == "--to") {
      to = FormatNamed(args.ValueOf(arg));
    } else if (arg == "--from") {
      from = FormatNamed(args.ValueOf(arg));
    } else if (IsOption(arg)) {
      Fail("unknown option \"" + std::string(arg) + "\" (see zpwave convert --help)");
    } else if (input) {
      Fail("convert takes one INPUT; the second is \"" + std::string(arg) + "\"");
    } else {
      input = std::string(arg);
    }
  }
  if (!to) Fail("convert needs --to FORMAT (see zpwave convert --help)");
  const std::string text = !input || *input == "-" ? ReadStandardInput() : *input;
  const WaveReadResult read = ReadOrFail(text, from);
  std::cout << WriteWave(read.samples, *to) << '\n';
  return 0;
}

double ParseSeconds(std::string_view text) {
  const std::string copy(text);
  char* end = nullptr;
  const double seconds = std::strtod(copy.c_str(), &end);
  if (copy.empty() || end != copy.c_str() + copy.size() || !std::isfinite(seconds) ||
      seconds <= 0.0 || seconds > kMaxSeconds) {
    Fail("--seconds takes a number more than 0 and at most 600, not \"" + copy + "\"");
  }
  return seconds;
}

int Render(Arguments& args) {
  uint16_t mode = 1;
  int32_t note = 45;
  double seconds = 2.0;
  std::optional<std::string> out;
  std::optional<std::string> wave;
  while (!args.Done()) {
    const std::string_view arg = args.Take();
    if (IsHelp(arg)) {
      std::cout << kRenderUsage;
      return 0;
    } else if (arg == "--mode") {
      const std::string_view value = args.ValueOf(arg);
      if (value == "hold") {
        mode = 1;
      } else if (value == "poly") {
        mode = 2;
      } else {
        Fail("--mode takes hold or poly, not \"" + std::string(value) + "\"");
      }
    } else if (arg == "--note") {
      const std::string_view value = args.ValueOf(arg);
      const std::optional<int32_t> number = ParseNoteName(value);
      if (!number)
        Fail("--note takes a name such as o4a or a number 0..95, not \"" + std::string(value) +
             "\"");
      note = *number;
    } else if (arg == "--seconds") {
      seconds = ParseSeconds(args.ValueOf(arg));
    } else if (arg == "--out") {
      out = std::string(args.ValueOf(arg));
      if (out->empty()) Fail("--out needs a file name");
    } else if (IsOption(arg)) {
      Fail("unknown option \"" + std::string(arg) + "\" (see zpwave render --help)");
    } else if (wave) {
      Fail("render takes one WAVE; the second is \"" + std::string(arg) + "\"");
    } else {
      wave = std::string(arg);
    }
  }
  if (!out) Fail("render needs --out FILE.wav (see zpwave render --help)");
  if (!wave) Fail("render needs a WAVE text (see zpwave render --help)");
  const std::string text = *wave == "-" ? ReadStandardInput() : *wave;
  const WaveReadResult read = ReadOrFail(text, std::nullopt);

  // The editor's own way: the hex text to the wave tone, then the samples the stream would get.
  const auto count = static_cast<int32_t>(std::llround(seconds * Player::kSampleRate));
  if (count < 1) Fail("--seconds is too short for one sample");
  const std::vector<int16_t> pcm =
      RenderAsPlayed(WriteHexWave(read.samples), mode, {}, 1, note, count);
  const std::string error = WriteWavFile(*out, pcm, Player::kSampleRate);
  if (!error.empty()) Fail(error);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc < 2) Fail("a command is needed: formats, convert or render (see zpwave --help)");
    const std::string_view command = argv[1];
    Arguments args(argc, argv, 2);
    if (IsHelp(command)) {
      std::cout << kUsage;
      return 0;
    }
    if (command == "formats") return Formats(args);
    if (command == "convert") return Convert(args);
    if (command == "render") return Render(args);
    Fail("unknown command \"" + std::string(command) + "\" (see zpwave --help)");
  } catch (const BadInput& bad) {
    std::cout.flush();
    std::cerr << "zpwave: " << bad.message << '\n';
    return kBadInput;
  }
}
