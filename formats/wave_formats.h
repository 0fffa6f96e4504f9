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
#include "formats/wave_height.h"
#include "formats/wave_length.h"

enum class WaveFormatId {
  kHex,            // the editor's own text: two hex digits per sample code, no separators
  kFurnace,        // Furnace, decimal 0 .. height − 1
  kFurnaceSigned,  // Furnace, signed decimal −height/2 .. height/2 − 1
  kFurnaceHex,     // Furnace, hex 00 .. height − 1
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
  int depthBits;     // 8, 6, 5 or 4; the Furnace texts take any height (8: at most 256)
  bool isSigned;     // values are levels less half the height (−128..127 at 256: our samples)
};

// Every format, in the order of WaveFormatId.
const std::vector<WaveFormatInfo>& WaveFormats();
const WaveFormatInfo& WaveFormatOf(WaveFormatId id);
// The format of a name as in WaveFormatInfo::name; nothing for an unknown name.
std::optional<WaveFormatId> FindWaveFormat(std::string_view name);

// Whether the format's texts come at any height (the Furnace texts), rather than at one fixed by
// the format.
bool TakesAnyHeight(WaveFormatId format);
// The height of a format's values: its fixed one, or kFullHeight for the Furnace texts.
int32_t FormatHeight(WaveFormatId format);

// How to read a text beyond its format.
struct WaveReadOptions {
  int32_t height = 0;          // the height the user names for a Furnace text; 0: none
  int32_t targetHeight = 0;    // the chip target's height, taken when it holds every value
  bool gameBoyTarget = false;  // 32 hex digits in any case are a Game Boy wave
};

struct WaveReadResult {
  bool ok = false;
  // Our samples, −128..127; 2, 4, 8, 16, 32 or 64 of them when ok.
  std::vector<int8_t> samples;
  WaveFormatId format = WaveFormatId::kHex;  // the format read (the detected one for any format)
  size_t givenCount = 0;                     // values the text held
  bool resampled = false;                    // givenCount was not an editor length
  int32_t height = kFullHeight;              // the height the values were read at
  bool heightChosen = false;                 // a Furnace text whose height was told from it
  TextMessage note;                          // what a file reader passed over (.ugw's extra bytes)
  TextMessage error;                         // why the text was refused, when not ok
};

// A read of `format` that took `samples` at `height`, resampled to the nearest editor length
// when their count is not one.
WaveReadResult Accepted(std::vector<int8_t> samples, WaveFormatId format, int32_t height);
// A read of `format` refused for `error`: no samples.
WaveReadResult Refused(WaveFormatId format, TextMessage error);

// Reads a text of one format. Surrounding white space and line ends are ignored. Values are
// separated by white space or commas; a list in braces "{ 0, 1, 2 }", also after a name and "=",
// is read between the braces. FDS values may be "$" hex; Furnace hex values may carry "$" or "0x".
// A value outside the format's range, a text that is not a number, a missing value, a wrong
// count for a fixed-length format or an empty text refuses the whole text with a message naming
// the value's position (from 1) and the accepted range. A Furnace text is read at the height
// options name, else at the target's height when that holds every value, else at the smallest of
// 16, 32, 64 and 256 that does (for the signed text −h/2 .. h/2 − 1); result.height says which.
// kHex follows the Paste button's rules on the text trimmed of surrounding white space, with its
// two messages. A count other than 2, 4, 8, 16, 32 or 64 is resampled (new[i] = old[i * count /
// newCount]) to the nearest of them, at most 64; a count halfway between two goes to the longer.
WaveReadResult ReadWave(std::string_view text, WaveFormatId format,
                        const WaveReadOptions& options = {});
// Reads a text of any format, telling the format from the text in this order:
//  1. kGb: exactly 32 hex digits with nothing between them, with a letter and all letters upper
//     case (a Game Boy tracker's Copy; ours writes lower case), or in any case under the Game Boy
//     target;
//  2. kHex, whenever the text trimmed of surrounding white space passes the Paste button's
//     rules (so other 32 hex digits are 16 samples of our own text);
//  3. kGb: 32 hex digits in all, split by white space into single digits or into groups of one
//     length of 4 or more ("0123 4567 ...");
//  4. kN163: a ";" ends a wave;
//  5. kFds: a "$" value;
//  6. kFurnaceHex: a value with the letters A-F or "0x", or written with a leading zero ("0F",
//     as Furnace's hex mode writes every value in two digits);
//  7. kFurnaceSigned: a negative value;
//  8. kFds: 64 values all 0..63 with a space after the last, as the FDS writer leaves it;
//  9. 64 values whose height (as for a Furnace text) is 32: kWavetracker, 64: kFds;
// 10. kFurnace: anything else, at its height.
// A run of hex digits alone that fails the Paste button's rules gets the Paste button's message.
WaveReadResult ReadWaveAnyFormat(std::string_view text, const WaveReadOptions& options = {});
// The Furnace text a text is: kFurnaceHex, kFurnaceSigned or kFurnace, by rules 6 and 7 above.
WaveFormatId FurnaceFormatOf(std::string_view text);
// Writes samples (any count from 1) in a format, with no line end after it. Fixed-length formats
// are resampled to their length with new[i] = old[i * count / newCount]; N163 waves of fewer than 4
// samples are resampled to 4. Values go through the format's depth (ToLevel); the Furnace texts
// are written at `height` (16, 32, 64 or 256), hex in two digits ("0F").
std::string WriteWave(const std::vector<int8_t>& samples, WaveFormatId format,
                      int32_t height = kFullHeight);

// new[i] = old[i * old size / count].
std::vector<int8_t> ResampleWave(const std::vector<int8_t>& samples, size_t count);
