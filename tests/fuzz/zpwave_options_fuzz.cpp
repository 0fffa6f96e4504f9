// Fuzz target for zpwave's command line: the bytes, split at NUL into arguments, are parsed as
// zpwave parses them. Nothing may crash; a refusal is one line without control characters or
// bytes that are not UTF-8, in which no argument shows more than its first 40 characters.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/zpwave_options.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// No control character and well-formed UTF-8 (checked loosely: lead and continuation bytes).
bool IsCleanLine(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7f) return false;
    if (c < 0x80) continue;
    const size_t more = c >= 0xf0 ? 3 : c >= 0xe0 ? 2 : c >= 0xc2 ? 1 : 0;
    if (more == 0 || i + more >= text.size()) return false;
    for (size_t k = 1; k <= more; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80) return false;
    }
    i += more;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> args;
  for (size_t start = 0; start <= bytes.size();) {
    const size_t end = bytes.find('\0', start);
    args.push_back(std::string_view(bytes).substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  try {
    const Options options = ParseOptions(args);
    Check(options.seconds > 0 && options.seconds <= 600);
    Check(options.note >= 0 && options.note < 96);
    Check(options.command != Command::kRender || !options.out.empty());
  } catch (const BadInput& bad) {
    const std::string line = OneLine(bad.message);
    Check(IsCleanLine(line));
    // Each argument shows at most 40 characters of its own (and the escapes of the rest).
    Check(line.size() <= 200 + 4 * 40 * 2);
  }
  for (std::string_view arg : args) {
    const std::string shown = Shortened(arg);
    Check(IsCleanLine(shown));
    Check(shown.size() <= 4 * kQuotedCharacters + 3);
  }
  return 0;
}
