// zpwave convert of a bank: a text of one wave per line, printed in another format or written as
// a Namco 163 instrument (.fti), and the waves of an .fti instrument read back as such a text.

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/bank_commands.h"
#include "cli/zpwave_io.h"
#include "cli/zpwave_options.h"
#include "files/instrument_file.h"
#include "formats/wave_bank.h"
#include "formats/wave_formats.h"

namespace {

constexpr char kBankUsage[] =
    "Usage: zpwave convert (--to FORMAT | --out FILE.fti) [--in FILE.fti | BANK]\n"
    "A BANK is a text of several lines, one wave per line, each read as any format (\"-\" or\n"
    "none: standard input). --to prints the bank in FORMAT, one wave per line. --out writes it\n"
    "as a Namco 163 instrument: its waves at 4 bits and a wave sequence stepping one wave per\n"
    "frame, looping; all waves of one length, 4 to 64 samples. --in reads the waves of a Namco\n"
    "163 or FDS instrument instead.\n";

// "--to", "-x": an option; "-", "-1 0 127" and anything else: an operand.
bool IsOption(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' &&
         (arg[1] == '-' || std::isalpha(static_cast<unsigned char>(arg[1])));
}

bool SeveralLines(std::string_view text) {
  size_t lines = 0;
  size_t start = 0;
  while (start <= text.size() && lines < 2) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    lines += line.find_first_not_of(" \t\f\v") != std::string_view::npos;
    start = end + 1;
  }
  return lines >= 2;
}

WaveBank ReadBank(const std::optional<std::string>& in, const std::optional<std::string>& input) {
  if (in) {
    const InstrumentFileRead read = ReadInstrumentFile(*in);
    if (!read.ok) Fail((read.readable ? *in + ": " : std::string()) + EnglishText(read.error));
    return read.bank;
  }
  const std::string& text = input && *input != "-" ? *input : ReadStandardInput();
  const BankReadResult read = ReadBankText(text);
  if (!read.ok) {
    Fail((read.errorLine ? "line " + std::to_string(read.errorLine) + ": " : std::string()) +
         EnglishText(read.error));
  }
  for (size_t i = 0; i < read.lines.size(); ++i) {
    const WaveReadResult& line = read.lines[i];
    if (!line.resampled) continue;
    Note("wave " + std::to_string(i + 1) + ": the " + WaveFormatOf(line.format).name +
         " wave has " + std::to_string(line.givenCount) + " values; resampled to " +
         std::to_string(line.samples.size()));
  }
  return read.bank;
}

void ConvertBank(const std::vector<std::string_view>& args) {
  std::optional<WaveFormatId> to;
  std::optional<std::string> in;
  std::optional<std::string> out;
  std::optional<std::string> input;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      Print(kBankUsage);
      return;
    } else if (arg == "--to" || arg == "--in" || arg == "--out") {
      if (i + 1 >= args.size()) Fail(std::string(arg) + " needs a value");
      const std::string value(args[++i]);
      if (arg == "--to") {
        to = FindWaveFormat(value);
        if (!to) Fail("unknown format " + Quoted(value) + " (see zpwave formats)");
      } else if (!IsInstrumentPath(value)) {
        Fail(std::string(arg) + " of a bank takes an .fti instrument, not " + Quoted(value));
      } else {
        (arg == "--in" ? in : out) = value;
      }
    } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
      Fail("a bank takes --to, --in and --out, not " + Quoted(arg));
    } else if (input || in) {
      Fail("convert takes one INPUT; the second is " + Quoted(arg));
    } else {
      input = std::string(arg);
    }
  }
  if (in && input) Fail("convert takes --in or an INPUT, not both");
  if (!to && !out) Fail("convert needs --to FORMAT or --out FILE.fti (see zpwave convert --help)");
  if (to && out) Fail("convert prints with --to or writes --out FILE.fti, not both");
  const WaveBank bank = ReadBank(in, input);
  if (to) {
    Print(WriteBankText(bank, *to));
    return;
  }
  const InstrumentFileWrite written = WriteN163InstrumentFile(*out, bank);
  if (!written.written.ok) Fail(EnglishText(written.written.error));
  if (written.snappedSamples > 0) {
    Note(std::to_string(written.snappedSamples) +
         " samples brought to the nearest of the Namco 163's 16 levels");
  }
}

}  // namespace

bool RunBankConvert(const std::vector<std::string_view>& args) {
  bool bank = false;
  bool fromStandardInput = true;
  const bool from = std::find(args.begin(), args.end(), "--from") != args.end();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if ((arg == "--to" || arg == "--from" || arg == "--in" || arg == "--out") &&
        i + 1 < args.size()) {
      bank = bank || (arg != "--to" && arg != "--from" && IsInstrumentPath(args[i + 1]));
      // A format named with --from reads the text as one wave, as before.
      fromStandardInput = fromStandardInput && arg != "--in" && arg != "--from";
      ++i;
    } else if (arg == "--help" || arg == "-h") {
      fromStandardInput = false;
    } else if (arg != "-" && !IsOption(arg)) {
      fromStandardInput = false;  // the INPUT is given
      bank = bank || (SeveralLines(arg) && !from);
    }
  }
  // A text from standard input is looked at here; the one-wave convert reads the same text.
  if (!bank && fromStandardInput) bank = SeveralLines(ReadStandardInput());
  if (bank) ConvertBank(args);
  return bank;
}

WaveBank ReadBankOperand(const std::string& operand) {
  return ReadBank(std::nullopt, operand);
}
