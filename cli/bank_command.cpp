// zpwave convert of a bank: a text of one wave per line, printed in another format or written as
// a Namco 163 instrument (.fti), and the waves of an .fti instrument read back as such a text.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/bank_commands.h"
#include "formats/fti_instrument.h"
#include "formats/wave_bank.h"
#include "formats/wave_formats.h"

namespace {

constexpr int kBadInput = 2;

constexpr char kBankUsage[] =
    "Usage: zpwave convert (--to FORMAT | --out FILE.fti) [--in FILE.fti | BANK]\n"
    "A BANK is a text of several lines, one wave per line, each read as any format (\"-\" or\n"
    "none: standard input). --to prints the bank in FORMAT, one wave per line. --out writes it\n"
    "as a Namco 163 instrument: its waves at 4 bits and a wave sequence stepping one wave per\n"
    "frame, looping; all waves of one length, 4 to 64 samples. --in reads the waves of a Namco\n"
    "163 or FDS instrument instead.\n";

struct BadInput {
  std::string message;
};

[[noreturn]] void Fail(std::string message) {
  throw BadInput{std::move(message)};
}

bool IsFti(std::string_view path) {
  if (path.size() < 4) return false;
  std::string end(path.substr(path.size() - 4));
  std::transform(end.begin(), end.end(), end.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return end == ".fti";
}

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

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("cannot read " + path + ": " + std::strerror(errno));
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Writes the bytes beside the file, then puts them in its place: a failure keeps the old file.
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) Fail("cannot create " + path + ": " + std::strerror(errno));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) break;
    done += static_cast<size_t>(wrote);
  }
  const std::string reason = std::strerror(errno);
  if (close(fd) != 0 || done != bytes.size()) {
    std::remove(temporary.c_str());
    Fail("cannot write " + path + ": " + reason);
  }
  const mode_t mask = umask(0);
  umask(mask);
  chmod(temporary.c_str(), 0666 & ~mask);
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string renameReason = std::strerror(errno);
    std::remove(temporary.c_str());
    Fail("cannot write " + path + ": " + renameReason);
  }
}

// The instrument's name: the file's name without ".fti", in printable ASCII, at most 127 bytes.
std::string InstrumentName(const std::string& path) {
  std::string name = std::filesystem::path(path).stem().string();
  for (char& ch : name) {
    if (ch < ' ' || ch > '~') ch = '_';
  }
  return name.substr(0, kFtiMaxName);
}

WaveBank ReadBank(const std::optional<std::string>& in, const std::optional<std::string>& input,
                  const std::optional<std::string>& standardInput) {
  if (in) {
    const FtiReadResult read = ReadFti(ReadBytes(*in));
    if (!read.ok) Fail(*in + ": " + read.error.Text());
    return BankOfFti(read.instrument);
  }
  const std::string text = input && *input != "-" ? *input
                           : standardInput
                               ? *standardInput
                               : std::string(std::istreambuf_iterator<char>(std::cin), {});
  const BankReadResult read = ReadBankText(text);
  if (!read.ok) {
    Fail((read.errorLine ? "line " + std::to_string(read.errorLine) + ": " : std::string()) +
         read.error.Text());
  }
  for (size_t i = 0; i < read.lines.size(); ++i) {
    const WaveReadResult& line = read.lines[i];
    if (!line.resampled) continue;
    std::cerr << "zpwave: note: wave " << i + 1 << ": the " << WaveFormatOf(line.format).name
              << " wave has " << line.givenCount << " values; resampled to " << line.samples.size()
              << "\n";
  }
  return read.bank;
}

int ConvertBank(const std::vector<std::string_view>& args,
                const std::optional<std::string>& standardInput) {
  std::optional<WaveFormatId> to;
  std::optional<std::string> in;
  std::optional<std::string> out;
  std::optional<std::string> input;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kBankUsage;
      return 0;
    } else if (arg == "--to" || arg == "--in" || arg == "--out") {
      if (i + 1 >= args.size()) Fail(std::string(arg) + " needs a value");
      const std::string value(args[++i]);
      if (arg == "--to") {
        to = FindWaveFormat(value);
        if (!to) Fail("unknown format \"" + value + "\" (see zpwave formats)");
      } else if (!IsFti(value)) {
        Fail(std::string(arg) + " of a bank takes an .fti instrument, not \"" + value + "\"");
      } else {
        (arg == "--in" ? in : out) = value;
      }
    } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
      Fail("a bank takes --to, --in and --out, not \"" + std::string(arg) + "\"");
    } else if (input || in) {
      Fail("convert takes one INPUT; the second is \"" + std::string(arg) + "\"");
    } else {
      input = std::string(arg);
    }
  }
  if (in && input) Fail("convert takes --in or an INPUT, not both");
  if (!to && !out) Fail("convert needs --to FORMAT or --out FILE.fti (see zpwave convert --help)");
  if (to && out) Fail("convert prints with --to or writes --out FILE.fti, not both");
  const WaveBank bank = ReadBank(in, input, standardInput);
  if (to) {
    std::cout << WriteBankText(bank, *to);
    return 0;
  }
  const FtiWriteResult written = WriteN163Fti(bank, InstrumentName(*out));
  if (!written.ok) Fail(written.error.Text());
  WriteBytes(*out, written.bytes);
  if (written.snappedSamples > 0) {
    std::cerr << "zpwave: note: " << written.snappedSamples
              << " samples brought to the nearest of the Namco 163's 16 levels\n";
  }
  return 0;
}

}  // namespace

std::optional<int> RunBankConvert(int argc, char** argv) {
  const std::vector<std::string_view> args(argv, argv + argc);
  bool bank = false;
  bool fromStandardInput = true;
  const bool from = std::find(args.begin(), args.end(), "--from") != args.end();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if ((arg == "--to" || arg == "--from" || arg == "--in" || arg == "--out") &&
        i + 1 < args.size()) {
      bank = bank || (arg != "--to" && arg != "--from" && IsFti(args[i + 1]));
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
  // A text from standard input is looked at here: a bank stays here, anything else goes back to
  // standard input for the one-wave convert.
  std::optional<std::string> standardInput;
  if (!bank && fromStandardInput) {
    standardInput = std::string(std::istreambuf_iterator<char>(std::cin), {});
    bank = SeveralLines(*standardInput);
    if (!bank) {
      static std::stringbuf handedBack;
      handedBack.str(*standardInput);
      std::cin.rdbuf(&handedBack);
    }
  }
  if (!bank) return std::nullopt;
  try {
    return ConvertBank(args, standardInput);
  } catch (const BadInput& bad) {
    std::cout.flush();
    std::cerr << "zpwave: " << bad.message << '\n';
    return kBadInput;
  }
}
