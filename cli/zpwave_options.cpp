#include "cli/zpwave_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "cli/note_name.h"
#include "formats/hex_wave_text.h"
#include "formats/wave_height.h"

namespace {

constexpr double kMaxSeconds = 600.0;

constexpr char kUsage[] =
    "Usage: zpwave COMMAND [OPTIONS]\n"
    "Waves of chiptune tools as text, and as sound.\n"
    "\n"
    "Commands:\n"
    "  formats   list the wave text formats\n"
    "  convert   convert a wave text to another format\n"
    "  render    write the sound of a wave to a WAV file\n"
    "  morph     print the waves between two waves\n"
    "\n"
    "zpwave COMMAND --help tells more about a command.\n";

constexpr char kFormatsUsage[] =
    "Usage: zpwave formats\n"
    "Lists the wave text formats, one a line: the name, a tab and the tool it belongs to.\n";

constexpr char kConvertUsage[] =
    "Usage: zpwave convert --to FORMAT [--from FORMAT] [--height N] [INPUT]\n"
    "       zpwave convert [--to TYPE] [--from TYPE] [--height N] --in FILE --out FILE\n"
    "       zpwave convert --to TYPE [--from TYPE] [--height N] --in FILE... --out DIR/\n"
    "Prints the wave text INPUT in another format. INPUT is the text itself; without it, or as\n"
    "\"-\", the text is read from standard input (at most 16 MiB). Without --from the format is\n"
    "told from the text (32 upper-case hex digits are a Game Boy wave, other hex the editor's own\n"
    "text). A wave whose number of values is not 2, 4, 8, 16, 32 or 64 is resampled to the\n"
    "nearest of these, and a note says so on standard error.\n"
    "  --in FILE...  read a .fuw, .dmw, .ugw or .zpwave file (told by its content) or a text file\n"
    "  --out FILE    write the wave to FILE, its type from the extension (.fuw, .dmw, .ugw,\n"
    "                .zpwave) or --to; with several --in, a folder (ending in /) to write\n"
    "                them into\n"
    "  --height N    16, 32, 64 or 256: the height of Furnace texts read and of Furnace texts\n"
    "                and files written; without it a Furnace text's height is the smallest that\n"
    "                holds its values, and a wave keeps the height it was read at\n"
    "FORMAT is one of the names \"zpwave formats\" lists; a TYPE is also fuw, dmw,\n"
    "ugw or zpwave. A text of several lines is a bank of waves: see zpwave convert --help --in\n"
    "X.fti.\n";

constexpr char kRenderUsage[] =
    "Usage: zpwave render [--mode hold|poly] [--note NOTE] [--seconds S] --out FILE.wav WAVE\n"
    "       zpwave render --sequence [--rate HZ] [--loop N] [--mode M] [--note NOTE] --out F.wav "
    "BANK\n"
    "Writes the 16-bit PCM the editor sends to the sound device when it plays WAVE (44100 Hz,\n"
    "mono), from the first sample on, as a WAV file.\n"
    "  WAVE          a wave text in any format (\"-\" reads it from standard input)\n"
    "  --mode MODE   hold (each sample held, the default) or poly (straight lines between)\n"
    "  --note NOTE   a pitch name such as o4a (octave 1..8, letter c..b, # for sharp) or a\n"
    "                note number 0..95; default o4a\n"
    "  --seconds S   length, more than 0 and at most 600; default 2\n"
    "  --sequence    BANK (one wave per line, any format; \"-\" reads standard input) is played\n"
    "                wave after wave, wave k from sample round(k x 44100 / HZ) on, once\n"
    "  --rate HZ     the waves a second, 1..1000; default 60\n"
    "  --loop N      the bank round N times (1..1000), looping as the editor does\n"
    "  --out FILE    the WAV file to write: replaced whole or not at all; a symbolic link\n"
    "                writes its target; a folder, pipe or device is refused\n";

// The rest of the command line, option by option.
class Arguments {
 public:
  explicit Arguments(const std::vector<std::string_view>& args) : args(args) {}
  bool Done() const { return next >= args.size(); }
  std::string_view Take() { return args[next++]; }
  std::string_view ValueOf(std::string_view option) {
    if (Done()) Fail(std::string(option) + " needs a value");
    return Take();
  }

 private:
  const std::vector<std::string_view>& args;
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

// The length of the UTF-8 character at the start of `text`, or 0 when it is not one.
size_t CharacterLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  size_t length = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xc2 && lead <= 0xdf) length = 2;
  if (lead >= 0xe0 && lead <= 0xef) length = 3;
  if (lead >= 0xf0 && lead <= 0xf4) length = 4;
  if (length == 0 || text.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xc0) != 0x80) return 0;
  }
  const auto second = static_cast<unsigned char>(text[1]);
  if ((lead == 0xe0 && second < 0xa0) || (lead == 0xed && second > 0x9f) ||
      (lead == 0xf0 && second < 0x90) || (lead == 0xf4 && second > 0x8f)) {
    return 0;  // an overlong form, a surrogate or beyond U+10FFFF
  }
  return length;
}

// `text` with control characters and bytes that are not UTF-8 as "\xNN", at most `limit`
// characters of it (and "…" when cut).
std::string Escaped(std::string_view text, size_t limit, bool escapeBackslash) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  size_t characters = 0;
  while (!text.empty()) {
    if (characters == limit) return out + "…";
    ++characters;
    const auto c = static_cast<unsigned char>(text[0]);
    const size_t length = CharacterLength(text);
    if (c == '\\' && escapeBackslash) {
      out += "\\\\";
    } else if (length == 0 || c < 0x20 || c == 0x7f) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += text.substr(0, length);
      text.remove_prefix(length - 1);
    }
    text.remove_prefix(1);
  }
  return out;
}

WaveFormatId FormatNamed(std::string_view name) {
  const std::optional<WaveFormatId> format = FindWaveFormat(name);
  if (!format) Fail("unknown format " + Quoted(name) + " (see zpwave formats)");
  return *format;
}

// A whole number from least to most for `option`, or BadInput.
int32_t ParseWhole(std::string_view option, std::string_view text, int32_t least, int32_t most) {
  const std::string copy(text);
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(copy.c_str(), &end, 10);
  if (copy.empty() || end != copy.c_str() + copy.size() || errno != 0 || value < least ||
      value > most) {
    Fail(std::string(option) + " takes a whole number from " + std::to_string(least) + " to " +
         std::to_string(most) + ", not " + Quoted(text));
  }
  return static_cast<int32_t>(value);
}

double ParseSeconds(std::string_view text) {
  const std::string copy(text);
  char* end = nullptr;
  const double seconds = std::strtod(copy.c_str(), &end);
  if (copy.empty() || end != copy.c_str() + copy.size() || !std::isfinite(seconds) ||
      seconds <= 0.0 || seconds > kMaxSeconds) {
    Fail("--seconds takes a number more than 0 and at most 600, not " + Quoted(text));
  }
  return seconds;
}

Options Formats(Arguments& args) {
  Options options;
  options.command = Command::kFormats;
  if (!args.Done()) {
    const std::string_view arg = args.Take();
    if (!IsHelp(arg)) Fail("formats takes no argument: " + Quoted(arg));
    options.command = Command::kHelp;
    options.help = kFormatsUsage;
  }
  return options;
}

// A type convert reads or writes: a text format, or a file type with --in or --out.
std::string TypeNamed(std::string_view name, bool files) {
  const std::string type(name);
  if (files && (type == "fuw" || type == "dmw" || type == "ugw" || type == "zpwave")) return type;
  return WaveFormatOf(FormatNamed(name)).name;
}

int32_t HeightNamed(std::string_view text) {
  for (const int32_t height : kWaveHeights) {
    if (text == std::to_string(height)) return height;
  }
  Fail("--height takes 16, 32, 64 or 256, not " + Quoted(text));
}

Options Convert(Arguments& args) {
  Options options;
  options.command = Command::kConvert;
  std::optional<std::string_view> toName;
  std::optional<std::string_view> fromName;
  bool hasOut = false;
  while (!args.Done()) {
    const std::string_view arg = args.Take();
    if (IsHelp(arg)) {
      options.command = Command::kHelp;
      options.help = kConvertUsage;
      return options;
    } else if (arg == "--to") {
      toName = args.ValueOf(arg);
    } else if (arg == "--from") {
      fromName = args.ValueOf(arg);
    } else if (arg == "--in") {
      options.inputs.emplace_back(args.ValueOf(arg));
    } else if (arg == "--out") {
      options.out = std::string(args.ValueOf(arg));
      hasOut = true;
      if (options.out.empty()) Fail("--out needs a file name");
    } else if (arg == "--height") {
      options.height = HeightNamed(args.ValueOf(arg));
    } else if (IsOption(arg)) {
      Fail("unknown option " + Quoted(arg) + " (see zpwave convert --help)");
    } else if (!options.inputs.empty()) {
      options.inputs.emplace_back(arg);  // --in a.fuw b.fuw: the shell's expansion of a pattern
    } else if (options.wave) {
      Fail("convert takes one INPUT; the second is " + Quoted(arg));
    } else {
      options.wave = std::string(arg);
    }
  }
  const bool files = !options.inputs.empty() || hasOut;
  if (toName) options.to = TypeNamed(*toName, files);
  if (fromName) options.from = TypeNamed(*fromName, files);
  if (!options.inputs.empty() && options.wave) {
    Fail("convert takes --in FILE or an INPUT text, not both");
  }
  if (!files) {
    if (!options.to) Fail("convert needs --to FORMAT (see zpwave convert --help)");
  }
  if (options.inputs.size() > 1 || (hasOut && options.out.back() == '/')) {
    if (!options.to) Fail("converting into a folder needs --to TYPE (see zpwave convert --help)");
  }
  if (!options.wave && options.inputs.empty()) options.wave = "-";
  return options;
}

Options Render(Arguments& args) {
  Options options;
  options.command = Command::kRender;
  bool hasOut = false;
  bool hasSequenceOption = false;
  while (!args.Done()) {
    const std::string_view arg = args.Take();
    if (IsHelp(arg)) {
      options.command = Command::kHelp;
      options.help = kRenderUsage;
      return options;
    } else if (arg == "--mode") {
      const std::string_view value = args.ValueOf(arg);
      if (value != "hold" && value != "poly")
        Fail("--mode takes hold or poly, not " + Quoted(value));
      options.mode = value == "hold" ? 1 : 2;
    } else if (arg == "--note") {
      const std::string_view value = args.ValueOf(arg);
      const std::optional<int32_t> number = ParseNoteName(value);
      if (!number) Fail("--note takes a name such as o4a or a number 0..95, not " + Quoted(value));
      options.note = *number;
    } else if (arg == "--seconds") {
      options.seconds = ParseSeconds(args.ValueOf(arg));
      options.secondsGiven = true;
    } else if (arg == "--sequence") {
      options.sequence = true;
    } else if (arg == "--rate") {
      options.rate = ParseWhole(arg, args.ValueOf(arg), 1, 1000);
      hasSequenceOption = true;
    } else if (arg == "--loop") {
      options.loops = ParseWhole(arg, args.ValueOf(arg), 1, 1000);
      hasSequenceOption = true;
    } else if (arg == "--out") {
      options.out = std::string(args.ValueOf(arg));
      hasOut = true;
      if (options.out.empty()) Fail("--out needs a file name");
    } else if (IsOption(arg)) {
      Fail("unknown option " + Quoted(arg) + " (see zpwave render --help)");
    } else if (options.wave) {
      Fail("render takes one WAVE; the second is " + Quoted(arg));
    } else {
      options.wave = std::string(arg);
    }
  }
  if (!hasOut) Fail("render needs --out FILE.wav (see zpwave render --help)");
  if (hasSequenceOption && !options.sequence) Fail("--rate and --loop go with --sequence");
  if (options.sequence && options.secondsGiven)
    Fail("--seconds does not go with --sequence: the bank's length sets it (and --loop N)");
  if (!options.wave)
    Fail(std::string("render needs a ") + (options.sequence ? "BANK" : "WAVE") +
         " text (see zpwave render --help)");
  return options;
}

}  // namespace

void Fail(std::string message) {
  throw BadInput{std::move(message)};
}

std::string Shortened(std::string_view text) {
  return Escaped(text, kQuotedCharacters, true);
}

std::string Quoted(std::string_view text) {
  return "\"" + Shortened(text) + "\"";
}

std::string OneLine(std::string_view message) {
  return Escaped(message, std::string_view::npos, false);
}

std::string EnglishText(const TextMessage& message) {
  if (std::strcmp(message.source, HexLengthMessage().source) == 0) {
    return "the hex text is not a wave of a usable length: it must hold 2, 4, 8, 16, 32 or 64 "
           "samples, two hexadecimal digits each (4 to 128 digits)";
  }
  if (std::strcmp(message.source, HexCharacterMessage().source) == 0) {
    return "the hex text holds a character that is not a hexadecimal digit (0-9, a-f)";
  }
  std::vector<std::string> args;
  for (const std::string& arg : message.args) args.push_back(Shortened(arg));
  return TextMessage::Fill(message.source, args);
}

Options ParseOptions(const std::vector<std::string_view>& all) {
  if (all.empty())
    Fail("a command is needed: formats, convert, render or morph (see zpwave --help)");
  const std::string_view command = all[0];
  const std::vector<std::string_view> rest(all.begin() + 1, all.end());
  Arguments args(rest);
  if (IsHelp(command)) {
    Options options;
    options.help = kUsage;
    return options;
  }
  if (command == "formats") return Formats(args);
  if (command == "convert") return Convert(args);
  if (command == "render") return Render(args);
  Fail("unknown command " + Quoted(command) + " (see zpwave --help)");
}
