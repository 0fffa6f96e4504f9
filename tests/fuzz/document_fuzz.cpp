// Fuzz target for the wave document reader: arbitrary bytes never crash it; a document it accepts
// writes back to a text that reads as the same document, and every cut of that text before its
// last line ends is refused.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/wave_document.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const DocumentReadResult read = ReadWaveDocument(text);
  Check(read.ok == read.error.Empty());
  if (!read.ok) return 0;
  const std::string written = WriteWaveDocument(read.document);
  const DocumentReadResult again = ReadWaveDocument(written);
  Check(again.ok && again.document == read.document);
  // A few cuts, spread over the text by its first byte.
  const size_t step = 1 + (size > 0 ? data[0] % 13 : 0);
  for (size_t cut = 0; cut + 1 < written.size(); cut += step) {
    Check(!ReadWaveDocument(std::string_view(written).substr(0, cut)).ok);
  }
  return 0;
}
