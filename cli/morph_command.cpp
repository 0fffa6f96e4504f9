// zpwave morph: the waves between two key waves, one per line.
#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/bank_commands.h"
#include "cli/zpwave_io.h"
#include "cli/zpwave_options.h"
#include "editor/wave_morph.h"
#include "formats/wave_formats.h"

namespace {

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

int32_t ParseSteps(std::string_view text) {
  int32_t steps = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), steps);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      steps < kMinMorphSteps || steps > kMaxMorphSteps) {
    Fail("--steps takes a number from 1 to 254, not " + Quoted(text));
  }
  return steps;
}

}  // namespace

void RunMorph(const std::vector<std::string_view>& args) {
  std::optional<int32_t> steps;
  MorphKind kind = MorphKind::kLinear;
  WaveFormatId to = WaveFormatId::kHex;
  std::vector<std::string> waves;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      Print(kMorphUsage);
      return;
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
        Fail("unknown format " + Quoted(value) + " (see zpwave formats)");
      }
    } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
      Fail("unknown option " + Quoted(arg) + " (see zpwave morph --help)");
    } else if (waves.size() == 2) {
      Fail("morph takes two waves, A and B; the third is " + Quoted(arg));
    } else {
      waves.emplace_back(arg);
    }
  }
  if (!steps) Fail("morph needs --steps N (see zpwave morph --help)");
  if (waves.size() < 2) Fail("morph needs two waves, A and B (see zpwave morph --help)");
  if (waves[0] == "-" && waves[1] == "-") Fail("only one of A and B can be read from \"-\"");
  const std::vector<int8_t> a = ReadOrFail(waves[0], std::nullopt, "A").samples;
  const std::vector<int8_t> b = ReadOrFail(waves[1], std::nullopt, "B").samples;
  if (a.size() != b.size()) {
    Note("A has " + std::to_string(a.size()) + " samples and B " + std::to_string(b.size()) + "; " +
         (a.size() < b.size() ? "A" : "B") + " brought to " +
         std::to_string(std::max(a.size(), b.size())));
  }
  const int32_t levels = 1 << WaveFormatOf(to).depthBits;
  for (const std::vector<int8_t>& wave : MorphWaves(a, b, *steps, kind, levels)) {
    Print(WriteWave(wave, to) + '\n');
  }
}
