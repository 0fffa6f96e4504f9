// zpwave convert on files: reading a wave from a .fuw, .dmw, .ugw, .zpwave or text file, told by
// its content or named, and writing it as a file or a text, the type from the name's extension or
// named, at a height. Messages are plain English lines for standard error.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/zpwave_options.h"
#include "formats/wave_files.h"
#include "formats/wave_formats.h"

// A wave and the height its values are at.
struct LoadedWave {
  bool ok = false;
  std::vector<int8_t> samples;
  int32_t height = kFullHeight;
  std::vector<std::string> notes;  // what was resampled, which height was taken, what was skipped
  std::string error;               // why the file was refused, when not ok
  bool errorNamesFile = false;     // the error names the file already (it could not be read)
  std::optional<FuwHeader> fuwHeader;  // a .fuw's version and name, written back unchanged
};

// The wave of a text read as `from` (a text format's name) or as whichever format it is in.
LoadedWave LoadWaveText(const std::string& text, const std::optional<std::string>& from,
                        const WaveReadOptions& options);
// The wave of a file: `from` names a file type (fuw, dmw, ugw, zpwave) or a text format; without
// it the type is told from the content (a text that is none of the files is read as a wave text).
LoadedWave LoadWaveFile(const std::string& path, const std::optional<std::string>& from,
                        const WaveReadOptions& options);

// Whether `name` is something convert writes: a text format, fuw, ugw or zpwave.
bool IsOutputType(const std::string& name);
// Writes the wave to `path` atomically as `to`, or the type of the path's extension; a text
// format's text ends with a line end. Empty on success, otherwise why nothing was written.
// `notes` receives what the file could not hold.
std::string SaveWave(const std::string& path, const std::optional<std::string>& to,
                     const LoadedWave& wave, int32_t height, std::vector<std::string>& notes);

// Converts every input into the folder `folder` (the names kept, the extension of `to`), each on
// its own: a file that cannot be read or written gets one line on standard error naming it, and
// the others still convert. Returns 0, or 2 when any failed.
int ConvertIntoFolder(const std::vector<std::string>& inputs, const std::string& folder,
                      const std::optional<std::string>& from, const std::string& to, int32_t height,
                      const WaveReadOptions& options);

// zpwave convert with its options: prints or writes the wave, or converts many files into a
// folder. Throws BadInput; returns 2 when some file of a folder conversion failed, otherwise 0.
int RunConvert(const Options& options);
