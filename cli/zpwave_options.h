// zpwave's command line: the options of each command, checked before anything is read or
// written, and the shape of its error lines (one line, English, control characters escaped).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/text_message.h"
#include "formats/wave_formats.h"

// Thrown for bad input; main prints it as one line and exits with status 2.
struct BadInput {
  std::string message;
};

[[noreturn]] void Fail(std::string message);

// How much of a text an error line shows: its first characters, up to this many.
inline constexpr size_t kQuotedCharacters = 40;

// The first kQuotedCharacters characters of `text`, with control characters, backslashes and
// bytes that are not UTF-8 written as "\xNN" (a backslash as "\\"), and "…" when cut.
std::string Shortened(std::string_view text);
// Shortened(text) in double quotes.
std::string Quoted(std::string_view text);
// A message safe to print as one line: control characters and bytes that are not UTF-8 escaped.
std::string OneLine(std::string_view message);
// A message of the formats in English, its values shortened; the editor's own hex messages
// (which the editor shows in Japanese) get English words of their own.
std::string EnglishText(const TextMessage& message);

enum class Command { kHelp, kFormats, kConvert, kRender };

struct Options {
  Command command = Command::kHelp;
  const char* help = "";            // what kHelp prints
  std::optional<std::string> to;    // convert: a text format's name, or with files fuw, ugw, zpwave
  std::optional<std::string> from;  // convert: a text format's name, or with files also dmw
  std::vector<std::string> inputs;  // convert: the --in files
  int32_t height = 0;               // convert: --height, 0 when not given
  std::optional<std::string> wave;  // convert's INPUT or render's WAVE; "-": standard input
  uint16_t mode = 1;                // render: 1 hold, 2 poly
  int32_t note = 45;                // render
  double seconds = 2.0;             // render
  bool secondsGiven = false;        // render: --seconds was given
  bool sequence = false;            // render --sequence: `wave` is a bank played wave after wave
  int32_t rate = 60;                // render --sequence: ticks a second, 1..1000
  int32_t loops = 0;                // render --sequence: --loop N, 0 when played once
  std::string out;                  // render's WAV file, or convert's --out FILE or DIR/
};

// The command and its options from the arguments after the program's name; throws BadInput.
Options ParseOptions(const std::vector<std::string_view>& args);
