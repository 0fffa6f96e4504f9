// zpwave convert of a bank: a text of one wave per line, printed in another format or written as
// a Namco 163 instrument (.fti), and the waves of an .fti instrument read back as such a text.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/bank_commands.h"
#include "cli/zpwave_io.h"
#include "cli/zpwave_options.h"
#include "files/bank_files.h"
#include "files/instrument_file.h"
#include "formats/wave_bank.h"
#include "formats/wave_formats.h"

namespace {

constexpr char kBankUsage[] =
    "Usage: zpwave convert (--to FORMAT | --out FILE.fti) [--in FILE.fti | BANK]\n"
    "       zpwave convert --to fuw|ugw|dmw --out DIR/ [--name NAME] [--in FILE.fti | BANK]\n"
    "A BANK is a text of several lines, one wave per line, each read as any format (\"-\" or\n"
    "none: standard input). --to prints the bank in FORMAT, one wave per line. --out writes it\n"
    "as a Namco 163 instrument: its waves at 4 bits and a wave sequence stepping one wave per\n"
    "frame, looping; all waves of one length, 4 to 64 samples. --in reads the waves of a Namco\n"
    "163 or FDS instrument instead. --out DIR/ (a folder) writes one file per wave, numbered\n"
    "in bank order: NAME-01.fuw, NAME-02.fuw, ... (three digits for more than 99 waves), NAME\n"
    "being the --in file's name without its extension, or \"wave\".\n";

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

// `heights`, when given, receives each wave's height: the one it was read at.
WaveBank ReadBank(const std::optional<std::string>& in, const std::optional<std::string>& input,
                  std::vector<int32_t>* heights = nullptr) {
  if (in) {
    const InstrumentFileRead read = ReadInstrumentFile(*in);
    if (!read.ok) Fail((read.readable ? *in + ": " : std::string()) + EnglishText(read.error));
    if (heights != nullptr) heights->assign(read.bank.waves.size(), read.height);
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
  if (heights != nullptr) {
    for (const WaveReadResult& line : read.lines) heights->push_back(line.height);
  }
  return read.bank;
}

// Whether `out` names a folder: it ends with "/" or is one.
bool IsFolder(const std::string& out) {
  return !out.empty() && (out.back() == '/' || std::filesystem::is_directory(out));
}

// "a.fuw", "a.fuw and b.fuw", "a.fuw to c.fuw": the first and the last of `paths` by name.
std::string Span(const std::vector<std::string>& paths) {
  const auto name = [](const std::string& path) {
    return std::filesystem::path(path).filename().string();
  };
  if (paths.size() == 1) return name(paths.front()) + " was";
  return name(paths.front()) + (paths.size() == 2 ? " and " : " to ") + name(paths.back()) +
         " were";
}

// The bank as one file per wave in `folder`, each at the height its wave was read at.
void WriteBankFolder(const WaveBank& bank, const std::vector<int32_t>& heights, WaveFileType type,
                     const std::string& folder, const std::string& name) {
  const BankFilesResult written = WriteBankFiles(bank, heights, type, folder, name);
  for (size_t k = 0; k < written.written.size(); ++k) {
    if (written.changes[k].Empty()) continue;
    Note(std::filesystem::path(written.written[k]).filename().string() + ": " +
         EnglishText(written.changes[k]));
  }
  if (!written.ok) {
    // The folder may be long enough for the message to cut the path: the name comes again.
    Fail(EnglishText(written.error) + " (" +
         BankFileName(name, written.failedWave, bank.waves.size(), type) + ", wave " +
         std::to_string(written.failedWave + 1) + " of " + std::to_string(bank.waves.size()) +
         "; " +
         (written.written.empty() ? "no file was written" : Span(written.written) + " written") +
         ")");
  }
}

void ConvertBank(const std::vector<std::string_view>& args) {
  std::optional<WaveFormatId> to;
  std::optional<WaveFileType> toFile;
  std::optional<std::string> in;
  std::optional<std::string> out;
  std::optional<std::string> folder;
  std::optional<std::string> name;
  std::optional<std::string> input;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      Print(kBankUsage);
      return;
    } else if (arg == "--to" || arg == "--in" || arg == "--out" || arg == "--name") {
      if (i + 1 >= args.size()) Fail(std::string(arg) + " needs a value");
      const std::string value(args[++i]);
      if (arg == "--to") {
        to = FindWaveFormat(value);
        toFile = WaveFileTypeOfExtension(value);
        if (!to && !toFile) Fail("unknown format " + Quoted(value) + " (see zpwave formats)");
      } else if (arg == "--name") {
        if (value.empty() || value == "." || value == ".." ||
            value.find('/') != std::string::npos) {
          Fail("--name takes a file name without a folder, not " + Quoted(value));
        }
        name = value;
      } else if (arg == "--out" && IsFolder(value)) {
        folder = value;
      } else if (!IsInstrumentPath(value)) {
        Fail(std::string(arg) + " of a bank takes an .fti instrument, not " + Quoted(value));
      } else {
        (arg == "--in" ? in : out) = value;
      }
    } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
      Fail("a bank takes --to, --in, --out and --name, not " + Quoted(arg));
    } else if (input || in) {
      Fail("convert takes one INPUT; the second is " + Quoted(arg));
    } else {
      input = std::string(arg);
    }
  }
  if (in && input) Fail("convert takes --in or an INPUT, not both");
  if (folder) {
    if (!toFile) Fail("a bank into a folder needs --to fuw, ugw or dmw");
    if (!std::filesystem::is_directory(*folder)) Fail("--out " + Quoted(*folder) + " is no folder");
    std::vector<int32_t> heights;
    const WaveBank bank = ReadBank(in, input, &heights);
    const std::string base = name ? *name
                             : in ? std::filesystem::path(*in).stem().string()
                                  : "wave";
    WriteBankFolder(bank, heights, *toFile, *folder, base);
    return;
  }
  if (name) Fail("--name names the files of --out DIR/");
  if (toFile) Fail("--to " + std::string(WaveFileExtension(*toFile)) + " writes --out DIR/");
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
  bool folder = false;
  bool files = false;
  const bool from = std::find(args.begin(), args.end(), "--from") != args.end();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if ((arg == "--to" || arg == "--from" || arg == "--in" || arg == "--out" || arg == "--name") &&
        i + 1 < args.size()) {
      bank = bank || (arg != "--to" && arg != "--from" && IsInstrumentPath(args[i + 1]));
      folder = folder || (arg == "--out" && IsFolder(std::string(args[i + 1])));
      files = files || arg == "--in";
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
  // A wave text into a folder is a bank, of one wave or more; wave files into one stay files.
  bank = bank || (folder && !files && !from);
  // A text from standard input is looked at here; the one-wave convert reads the same text.
  if (!bank && fromStandardInput) bank = SeveralLines(ReadStandardInput());
  if (bank) ConvertBank(args);
  return bank;
}

WaveBank ReadBankOperand(const std::string& operand) {
  return ReadBank(std::nullopt, operand);
}
