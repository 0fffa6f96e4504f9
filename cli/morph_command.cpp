// zpwave morph: the waves between two key waves, one per line.
#include <charconv>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/bank_commands.h"
#include "editor/wave_morph.h"
#include "formats/wave_formats.h"

namespace {

constexpr int kBadInput = 2;

constexpr char kMorphUsage[] =
    "Usage: zpwave morph --steps N [--spectral] [--to FORMAT] A B\n"
    "Prints A, the N waves that lead from A to B, and B: N + 2 waves, one a line. A and B are\n"
    "wave texts in any format (one of them \"-\": read from standard input). A wave shorter than\n"
    "the other is first brought to its length (each sample repeated), and a note says so.\n"
    "  --steps N    the waves between A and B, 1 to 254\n"
    "  --spectral   move every harmonic's magnitude and phase from A's to B's, the peak on the\n"
    "               straight line from A's to B's; without it, every sample moves on a line\n"
    "  --to FORMAT  the format to print (default hex); every wave is snapped to its levels\n"
    "               (16 for gb and n163, 32 for wavetracker, 64 for fds, otherwise 256)\n";

struct BadInput {
  std::string message;
};

[[noreturn]] void Fail(std::string message) {
  throw BadInput{std::move(message)};
}

std::vector<int8_t> ReadKeyWave(const std::string& operand, const char* which) {
  const std::string text =
      operand == "-" ? std::string(std::istreambuf_iterator<char>(std::cin), {}) : operand;
  const WaveReadResult read = ReadWaveAnyFormat(text);
  if (!read.ok) Fail(std::string(which) + ": " + read.error.Text());
  if (read.resampled) {
    std::cerr << "zpwave: note: " << which << ": the " << WaveFormatOf(read.format).name
              << " wave has " << read.givenCount << " values; resampled to " << read.samples.size()
              << "\n";
  }
  return read.samples;
}

int32_t ParseSteps(std::string_view text) {
  int32_t steps = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), steps);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      steps < kMinMorphSteps || steps > kMaxMorphSteps) {
    Fail("--steps takes a number from 1 to 254, not \"" + std::string(text) + "\"");
  }
  return steps;
}

int Morph(const std::vector<std::string_view>& args) {
  std::optional<int32_t> steps;
  MorphKind kind = MorphKind::kLinear;
  WaveFormatId to = WaveFormatId::kHex;
  std::vector<std::string> waves;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      std::cout << kMorphUsage;
      return 0;
    } else if (arg == "--spectral") {
      kind = MorphKind::kSpectral;
    } else if (arg == "--steps" || arg == "--to") {
      if (!hasValue) Fail(std::string(arg) + " needs a value");
      const std::string_view value = args[++i];
      if (arg == "--steps") {
        steps = ParseSteps(value);
      } else if (const std::optional<WaveFormatId> format = FindWaveFormat(value)) {
        to = *format;
      } else {
        Fail("unknown format \"" + std::string(value) + "\" (see zpwave formats)");
      }
    } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
      Fail("unknown option \"" + std::string(arg) + "\" (see zpwave morph --help)");
    } else if (waves.size() == 2) {
      Fail("morph takes two waves, A and B; the third is \"" + std::string(arg) + "\"");
    } else {
      waves.emplace_back(arg);
    }
  }
  if (!steps) Fail("morph needs --steps N (see zpwave morph --help)");
  if (waves.size() < 2) Fail("morph needs two waves, A and B (see zpwave morph --help)");
  if (waves[0] == "-" && waves[1] == "-") Fail("only one of A and B can be read from \"-\"");
  const std::vector<int8_t> a = ReadKeyWave(waves[0], "A");
  const std::vector<int8_t> b = ReadKeyWave(waves[1], "B");
  if (a.size() != b.size()) {
    std::cerr << "zpwave: note: A has " << a.size() << " samples and B " << b.size() << "; "
              << (a.size() < b.size() ? "A" : "B") << " brought to " << std::max(a.size(), b.size())
              << "\n";
  }
  const int32_t levels = 1 << WaveFormatOf(to).depthBits;
  for (const std::vector<int8_t>& wave : MorphWaves(a, b, *steps, kind, levels)) {
    std::cout << WriteWave(wave, to) << '\n';
  }
  return 0;
}

}  // namespace

int RunMorph(int argc, char** argv) {
  try {
    return Morph(std::vector<std::string_view>(argv, argv + argc));
  } catch (const BadInput& bad) {
    std::cout.flush();
    std::cerr << "zpwave: " << bad.message << '\n';
    return kBadInput;
  }
}
