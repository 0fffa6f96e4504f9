// The wave text formats of other chiptune tools and the editor's own hex text: one reader and one
// writer per format, and a reader that tells the format from the text itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/text_message.h"
#include "formats/wave_length.h"

enum class WaveFormatId {
  kHex,            // the editor's own text: two hex digits per sample code, no separators
  kFurnace,        // Furnace, decimal 0..255
  kFurnaceSigned,  // Furnace, signed decimal −128..127
  kFurnaceHex,     // Furnace, hex 00..FF
  kFds,            // FamiTracker-family FDS wave: 64 values 0..63
  kN163,           // FamiTracker-family N163 wave: 4-bit values, a multiple of 4 of them, " ;"
  kGb,             // Game Boy trackers: 32 hex digits 0..F
  kWavetracker,    // WaveTracker: 64 values 0..31
};

struct WaveFormatInfo {
  WaveFormatId id;
  const char* name;  // for the command line and settings: "furnace"
  const char* tool;  // "Furnace (decimal)": English source text, context "WaveFormat"
  int fixedLength;   // samples a wave of this format always has; 0 = any
  int depthBits;     // 8, 6, 5 or 4
  bool isSigned;  // values are our samples themselves (−128..127) rather than levels 0..2^d − 1
};

// Every format, in the order of WaveFormatId.
const std::vector<WaveFormatInfo>& WaveFormats();
const WaveFormatInfo& WaveFormatOf(WaveFormatId id);
// The format of a name as in WaveFormatInfo::name; nothing for an unknown name.
std::optional<WaveFormatId> FindWaveFormat(std::string_view name);

struct WaveReadResult {
  bool ok = false;
  // Our samples, −128..127; 2, 4, 8, 16, 32 or 64 of them when ok.
  std::vector<int8_t> samples;
  WaveFormatId format = WaveFormatId::kHex;  // the format read (the detected one for any format)
  size_t givenCount = 0;                     // values the text held
  bool resampled = false;                    // givenCount was not an editor length
  TextMessage error;                         // why the text was refused, when not ok
};

// A read of `format` refused for `error`: no samples.
WaveReadResult Refused(WaveFormatId format, TextMessage error);

// Reads a text of one format. Surrounding white space and line ends are ignored. Values are
// separated by white space or commas; a list in braces "{ 0, 1, 2 }", also after a name and "=",
// is read between the braces. FDS values may be "$" hex; Furnace hex values may carry "$" or "0x".
// A value outside the format's range, a text that is not a number, a missing value, a wrong
// count for a fixed-length format or an empty text refuses the whole text with a message naming
// the value's position (from 1) and the accepted range. kHex follows the Paste button's rules on
// the text trimmed of surrounding white space, with its two messages.
// A count other than 2, 4, 8, 16, 32 or 64 is resampled (new[i] = old[i * count / newCount]) to
// the nearest of them, at most 64; a count halfway between two goes to the longer.
WaveReadResult ReadWave(std::string_view text, WaveFormatId format);
// Reads a text of any format, telling the format from the text in this order:
//  1. kHex, whenever the text trimmed of surrounding white space passes the Paste button's
//     rules (so 32 hex digits are 16 samples of our own text, never a Game Boy wave);
//  2. kGb: 32 hex digits in all, split by white space into single digits or into groups of one
//     length of 4 or more ("0123 4567 ...");
//  3. kN163: a ";" ends a wave;
//  4. kFds: a "$" value;
//  5. kFurnaceHex: a value with the letters A-F or "0x";
//  6. kFurnaceSigned: a negative value;
//  7. kWavetracker: 64 values all 0..31, unless the text ends in a space after the last value;
//  8. kFds: 64 values all 0..63;
//  9. kFurnace: anything else, values 0..255.
// A run of hex digits alone that fails the Paste button's rules gets the Paste button's message.
WaveReadResult ReadWaveAnyFormat(std::string_view text);
// Writes samples (any count from 1) in a format, with no line end after it. Fixed-length formats
// are resampled to their length with new[i] = old[i * count / newCount]; N163 waves of fewer than 4
// samples are resampled to 4. Values go through the format's depth (ToLevel).
std::string WriteWave(const std::vector<int8_t>& samples, WaveFormatId format);

// The editor length a count of read values is resampled to: NearestWaveLength of
// formats/wave_length.h.
// new[i] = old[i * old size / count].
std::vector<int8_t> ResampleWave(const std::vector<int8_t>& samples, size_t count);
