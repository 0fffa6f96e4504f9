// The trackers' instrument files (.fti) as whole files: one read from a path (bounded, never
// waiting on a pipe or a device) into the waves of a bank, and a Namco 163 instrument of a bank or
// an FDS instrument of one wave written through the one atomic write. No Qt: the editor and
// zpwave share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/atomic_write.h"
#include "formats/fti_instrument.h"
#include "formats/text_message.h"
#include "formats/wave_bank.h"

// The most an instrument file may hold: far more than the largest the tracker writes.
constexpr int64_t kMaxInstrumentBytes = int64_t{1} << 20;

// Whether `path` ends in ".fti", in any case.
bool IsInstrumentPath(std::string_view path);

// The name an instrument written to `path` takes: the file's name without its extension, each
// byte outside printable ASCII as "_", at most 127 bytes.
std::string InstrumentNameOf(const std::string& path);

struct InstrumentFileRead {
  bool ok = false;
  TextMessage error;      // why the file was refused: not readable, or no instrument of waves
  bool readable = false;  // the bytes were read; the error (naming no file) is about them
  FtiChip chip = FtiChip::kN163;
  int32_t height = 16;  // the chip's levels: 16 (Namco 163) or 64 (FDS)
  WaveBank bank;        // the waves at the length the file holds (4 to 240 samples)
  // The same waves at a length a wave can have (2 to 64 samples, by the length rule), and whether
  // that length differs from the file's.
  WaveBank waves;
  bool resampled = false;
};

// Reads the instrument at `path` (at most kMaxInstrumentBytes). Any thread.
InstrumentFileRead ReadInstrumentFile(const std::string& path);

struct InstrumentFileWrite {
  // ok, or why nothing was written: what does not fit the instrument and what to change, or why
  // the file could not be written (the old file then stays as it was).
  FileResult written;
  size_t snappedSamples = 0;  // samples brought to the nearest of the chip's levels
};

// Writes `bank` as a Namco 163 instrument named after `path` (WriteN163Fti, looping). Any thread.
InstrumentFileWrite WriteN163InstrumentFile(const std::string& path, const WaveBank& bank);
// Writes `wave` as an FDS instrument named after `path` (WriteFdsFti). Any thread.
InstrumentFileWrite WriteFdsInstrumentFile(const std::string& path,
                                           const std::vector<int8_t>& wave);
