// The FamiTracker-family instrument file (.fti) of the two chips that play waves: the Namco 163
// (up to 64 waves of 4-bit samples and a sequence of wave numbers, one per frame) and the FDS
// (one wave of 64 six-bit samples). Bytes only, no file access.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/text_message.h"
#include "formats/wave_bank.h"

enum class FtiChip { kFds, kN163 };

// Limits of the format as the tracker reads it.
constexpr int32_t kFtiNewestVersion = 25;     // 2.5, read exactly as 2.4
constexpr int32_t kFtiWrittenVersion = 24;    // "2.4"
constexpr size_t kFtiMaxName = 127;           // bytes; the tracker's field keeps a terminator
constexpr size_t kFtiMaxSequenceItems = 252;  // items a sequence can hold
constexpr int32_t kN163MaxWaves = 64;
constexpr int32_t kN163MinWaveSize = 4;
constexpr int32_t kN163MaxWaveSize = 240;  // 4-bit samples, in steps of 4
constexpr int32_t kFdsWaveSize = 64;
// The N163 sequence slots in file order; the FDS has the first three, always present.
enum FtiSequenceSlot { kFtiVolume, kFtiArpeggio, kFtiPitch, kFtiHiPitch, kFtiWaveIndex };
constexpr size_t kFtiN163Slots = 5;
constexpr size_t kFtiFdsSlots = 3;

// One sequence: an item per frame; after the last item play goes on at `loop` (−1: stays on the
// last item); `release` −1 or the item a held note repeats.
struct FtiSequence {
  std::vector<int8_t> items;
  int32_t loop = -1;
  int32_t release = -1;
  uint32_t setting = 0;
  bool operator==(const FtiSequence&) const = default;
};

struct FtiInstrument {
  FtiChip chip = FtiChip::kN163;
  int32_t version = kFtiWrittenVersion;  // major × 10 + minor
  std::string name;
  // Per slot of FtiSequenceSlot: nothing when the slot is disabled. FDS: three, always present.
  std::vector<std::optional<FtiSequence>> sequences;
  // The chip's levels of each wave, sample 0 first: N163 0..15 (wave size each), FDS one wave of
  // 64 values 0..63.
  std::vector<std::vector<uint8_t>> waves;
  int32_t wavePosition = 0;  // N163: where in the chip's RAM the wave goes, in 4-bit samples
  // FDS modulation: table of 3-bit step codes, speed, depth and delay in frames.
  std::array<uint8_t, 32> modulation{};
  int32_t modulationSpeed = 0;
  int32_t modulationDepth = 0;
  int32_t modulationDelay = 0;
};

struct FtiReadResult {
  bool ok = false;
  FtiInstrument instrument;
  TextMessage error;  // why the file was refused, when not ok
};

// Reads an N163 or FDS instrument of any version the tracker reads (up to 2.5; before 2.0 the
// sequences' (length, value) pairs are unrolled as the tracker does). Refuses, with a message
// naming the field, what the tracker refuses, sequences of more than 252 items, names of more than
// 127 bytes, instruments of the other chips, and a file cut short. Bytes after the body are
// ignored. FDS wave values keep their low 6 bits and modulation codes their low 3, as the chip
// does.
FtiReadResult ReadFti(const std::vector<uint8_t>& bytes);

// The waves of an instrument as our samples (levels spread over 8 bits), at their own lengths.
WaveBank BankOfFti(const FtiInstrument& instrument);

struct FtiWriteResult {
  bool ok = false;
  std::vector<uint8_t> bytes;
  TextMessage error;  // what does not fit and what to change, when not ok; nothing written
  // Samples that were not at the chip's levels and were brought to the nearest one.
  size_t snappedSamples = 0;
};

// A version 2.4 Namco 163 instrument: the bank's waves at 4 bits (wave 0 first), wave position 0,
// and a wave sequence 0, 1, ..., stepping one wave per frame, looping to its start when `loop`
// (otherwise staying on the last wave). Refuses an empty bank, more than 64 waves, waves of
// different lengths, a length the chip cannot play (4 to 240 in steps of 4), and a name of more
// than 127 bytes or other than printable ASCII.
FtiWriteResult WriteN163Fti(const WaveBank& bank, std::string_view name, bool loop = true);
// A version 2.4 FDS instrument of one wave of 64 samples at 6 bits, no modulation, three empty
// sequences. Refuses another length and a name as above.
FtiWriteResult WriteFdsFti(const std::vector<int8_t>& wave, std::string_view name);
