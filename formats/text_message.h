// A message for the user from code below the UI: a source text with %1, %2, ... places, marked
// for Qt's translation tools, and the values that fill them. The UI shows it translated; the
// command line prints Text(), the source text filled in.
#pragma once

#include <string>
#include <utility>
#include <vector>

// Marks a source text for lupdate without making this layer depend on Qt.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

struct TextMessage {
  const char* context = "";  // the translation context
  const char* source = "";   // empty: no message
  std::vector<std::string> args;

  TextMessage() = default;
  TextMessage(const char* context, const char* source, std::vector<std::string> args = {})
      : context(context), source(source), args(std::move(args)) {}

  bool Empty() const { return source == nullptr || source[0] == '\0'; }
  // The source text with %1 … %9 replaced by the arguments.
  std::string Text() const { return Fill(source, args); }
  // `pattern` with %1 … %9 replaced by args (a place without an argument stays as written).
  static std::string Fill(const std::string& pattern, const std::vector<std::string>& args) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
      const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
      if (pattern[i] == '%' && next >= '1' && next <= '9' &&
          static_cast<size_t>(next - '1') < args.size()) {
        out += args[static_cast<size_t>(next - '1')];
        ++i;
      } else {
        out += pattern[i];
      }
    }
    return out;
  }
};
