#include "cli/note_name.h"

#include <charconv>

namespace {
constexpr int32_t kNoteCount = 96;
}  // namespace

std::optional<int32_t> ParseNoteName(std::string_view text) {
  int32_t note = -1;
  if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), note);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  } else {
    if (text.size() < 3 || text.size() > 4 || (text[0] != 'o' && text[0] != 'O')) {
      return std::nullopt;
    }
    if (text[1] < '1' || text[1] > '8') return std::nullopt;
    static constexpr int32_t kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    const char letter = static_cast<char>(text[2] | 0x20);
    if (letter < 'a' || letter > 'g') return std::nullopt;
    note = 12 * (text[1] - '1') + kSemitones[letter - 'a'];
    if (text.size() == 4) {
      if (text[3] != '#' && text[3] != '+') return std::nullopt;
      ++note;
    }
  }
  if (note < 0 || note >= kNoteCount) return std::nullopt;
  return note;
}
