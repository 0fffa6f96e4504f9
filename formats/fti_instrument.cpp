#include "formats/fti_instrument.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "formats/wave_depth.h"

namespace {

constexpr char kContext[] = "FtiInstrument";

// Thrown inside the reader with the message the file is refused with.
struct Refusal {
  TextMessage message;
};

[[noreturn]] void Refuse(const char* source, std::vector<std::string> args = {}) {
  throw Refusal{TextMessage(kContext, source, std::move(args))};
}

// Little-endian fields from the front of the bytes; a read past the end refuses the file.
class Cursor {
 public:
  explicit Cursor(const std::vector<uint8_t>& bytes) : bytes(bytes) {}
  uint8_t U8() {
    if (position >= bytes.size()) {
      Refuse(QT_TRANSLATE_NOOP("FtiInstrument", "The instrument file is cut short at byte %1."),
             {std::to_string(bytes.size())});
    }
    return bytes[position++];
  }
  uint32_t U32() {
    uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= uint32_t{U8()} << shift;
    return value;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }

 private:
  const std::vector<uint8_t>& bytes;
  size_t position = 0;
};

std::string Number(int64_t value) {
  return std::to_string(value);
}

void CheckPoint(int32_t point, size_t count, size_t slot, bool loop) {
  if (point == -1 || (point >= 0 && static_cast<size_t>(point) < count)) return;
  if (loop) {
    Refuse(
        QT_TRANSLATE_NOOP("FtiInstrument", "Sequence slot %1 loops to item %2 but has %3 items."),
        {Number(slot + 1), Number(point), Number(count)});
  }
  Refuse(
      QT_TRANSLATE_NOOP("FtiInstrument", "Sequence slot %1 releases at item %2 but has %3 items."),
      {Number(slot + 1), Number(point), Number(count)});
}

void CheckCount(uint64_t count, size_t slot) {
  if (count <= kFtiMaxSequenceItems) return;
  Refuse(QT_TRANSLATE_NOOP("FtiInstrument",
                           "Sequence slot %1 has %2 items; the tracker plays at most 252."),
         {Number(slot + 1), Number(static_cast<int64_t>(count))});
}

// A sequence of the files before 2.0: (length, value) pairs, each value held for length + 1
// frames; a negative length marks a loop back over the frames of the pairs before it.
FtiSequence ReadOldSequence(Cursor& in, size_t slot) {
  const uint32_t count = in.U32();
  CheckCount(count, slot);
  std::vector<std::pair<int8_t, int8_t>> pairs(count);
  for (auto& [length, value] : pairs) {
    length = static_cast<int8_t>(in.U8());
    value = static_cast<int8_t>(in.U8());
  }
  FtiSequence sequence;
  int64_t loopFrames = -1;
  for (size_t i = 0; i < pairs.size(); ++i) {
    const int8_t length = pairs[i].first;
    if (length < 0) {
      loopFrames = 0;
      const int64_t first = std::max<int64_t>(0, static_cast<int64_t>(count) + length - 1);
      for (int64_t x = first; x + 1 < static_cast<int64_t>(count); ++x) {
        loopFrames += pairs[static_cast<size_t>(x)].first + 1;
      }
    } else {
      sequence.items.insert(sequence.items.end(), static_cast<size_t>(length) + 1, pairs[i].second);
    }
  }
  CheckCount(sequence.items.size(), slot);
  if (loopFrames >= 0) {
    const auto total = static_cast<int64_t>(sequence.items.size());
    sequence.loop = static_cast<int32_t>(total - std::min(loopFrames, total));
    if (sequence.loop == total) sequence.loop = -1;
  }
  return sequence;
}

// A sequence record: count, loop, release (from 2.1, FDS always), setting (from 2.2, FDS always),
// then one signed byte per item.
FtiSequence ReadSequence(Cursor& in, int32_t version, bool fds, size_t slot) {
  if (!fds && version < 20) return ReadOldSequence(in, slot);
  const uint32_t count = in.U32();
  FtiSequence sequence;
  sequence.loop = in.I32();
  if (fds || version >= 21) sequence.release = in.I32();
  if (fds || version >= 22) sequence.setting = in.U32();
  CheckCount(count, slot);
  CheckPoint(sequence.loop, count, slot, true);
  CheckPoint(sequence.release, count, slot, false);
  for (uint32_t i = 0; i < count; ++i) sequence.items.push_back(static_cast<int8_t>(in.U8()));
  return sequence;
}

void ReadN163(Cursor& in, FtiInstrument& instrument) {
  const uint8_t slots = in.U8();
  if (slots > kFtiN163Slots) {
    Refuse(QT_TRANSLATE_NOOP("FtiInstrument",
                             "The instrument has %1 sequence slots; a Namco 163 instrument has "
                             "at most 5."),
           {Number(slots)});
  }
  instrument.sequences.assign(kFtiN163Slots, std::nullopt);
  for (size_t slot = 0; slot < slots; ++slot) {
    if (in.U8() == 1)
      instrument.sequences[slot] = ReadSequence(in, instrument.version, false, slot);
  }
  const int32_t size = in.I32();
  if (size < kN163MinWaveSize || size > kN163MaxWaveSize) {
    Refuse(QT_TRANSLATE_NOOP("FtiInstrument",
                             "The wave size is %1; the Namco 163 takes 4 to 240 samples."),
           {Number(size)});
  }
  const int32_t position = in.I32();
  if (position < 0 || position >= kN163MaxWaveSize) {
    Refuse(QT_TRANSLATE_NOOP("FtiInstrument",
                             "The wave position is %1; the Namco 163 takes 0 to 239."),
           {Number(position)});
  }
  // The tracker lowers a position whose wave would run past the end of the RAM.
  instrument.wavePosition = std::min(position, kN163MaxWaveSize - size);
  const int32_t count = in.I32();
  if (count < 1 || count > kN163MaxWaves) {
    Refuse(QT_TRANSLATE_NOOP("FtiInstrument",
                             "The instrument holds %1 waves; a Namco 163 instrument holds 1 to "
                             "64."),
           {Number(count)});
  }
  instrument.waves.assign(static_cast<size_t>(count), std::vector<uint8_t>(size));
  for (int32_t wave = 0; wave < count; ++wave) {
    for (int32_t i = 0; i < size; ++i) {
      const uint8_t level = in.U8();
      if (level > 15) {
        Refuse(QT_TRANSLATE_NOOP("FtiInstrument",
                                 "Sample %1 of wave %2 is %3; a Namco 163 sample is 0 to 15."),
               {Number(i + 1), Number(wave + 1), Number(level)});
      }
      instrument.waves[wave][i] = level;
    }
  }
}

void ReadFds(Cursor& in, FtiInstrument& instrument) {
  std::vector<uint8_t> wave(kFdsWaveSize);
  for (uint8_t& level : wave) level = in.U8() & 63;
  instrument.waves = {std::move(wave)};
  for (uint8_t& code : instrument.modulation) code = in.U8() % 8;
  instrument.modulationSpeed = in.I32();
  instrument.modulationDepth = in.I32();
  instrument.modulationDelay = in.I32();
  for (size_t slot = 0; slot < kFtiFdsSlots; ++slot) {
    instrument.sequences.emplace_back(ReadSequence(in, instrument.version, true, slot));
  }
  // Files up to 2.2 held volumes of 16 steps; the tracker doubles them.
  if (instrument.version <= 22) {
    for (int8_t& item : instrument.sequences[kFtiVolume]->items) {
      item = static_cast<int8_t>(item * 2);
    }
  }
}

const char* OtherChip(uint8_t type) {
  switch (type) {
    case 0:
    case 1:
      return "2A03";
    case 2:
      return "VRC6";
    case 3:
      return "VRC7";
    case 6:
      return "S5B";
    default:
      return nullptr;
  }
}

}  // namespace

FtiReadResult ReadFti(const std::vector<uint8_t>& bytes) {
  FtiReadResult result;
  try {
    Cursor in(bytes);
    if (bytes.size() < 3 || std::memcmp(bytes.data(), "FTI", 3) != 0) {
      Refuse(QT_TRANSLATE_NOOP("FtiInstrument",
                               "This is no tracker instrument file: it does not begin with "
                               "\"FTI\"."));
    }
    for (int i = 0; i < 3; ++i) in.U8();
    const char major = static_cast<char>(in.U8());
    const char point = static_cast<char>(in.U8());
    const char minor = static_cast<char>(in.U8());
    if (major < '0' || major > '9' || point != '.' || minor < '0' || minor > '9') {
      Refuse(QT_TRANSLATE_NOOP("FtiInstrument",
                               "The instrument's version is not a digit, a point and a digit."));
    }
    FtiInstrument& instrument = result.instrument;
    instrument.version = (major - '0') * 10 + (minor - '0');
    if (instrument.version > kFtiNewestVersion) {
      Refuse(QT_TRANSLATE_NOOP("FtiInstrument",
                               "The instrument is of version %1; the tracker reads versions up to "
                               "2.5."),
             {std::string{major, point, minor}});
    }
    const uint8_t type = in.U8();
    if (type != 4 && type != 5) {
      if (const char* chip = OtherChip(type)) {
        Refuse(QT_TRANSLATE_NOOP("FtiInstrument",
                                 "This is a %1 instrument; only Namco 163 and FDS instruments "
                                 "hold waves."),
               {chip});
      }
      Refuse(QT_TRANSLATE_NOOP("FtiInstrument", "The instrument type %1 is unknown."),
             {Number(type)});
    }
    instrument.chip = type == 4 ? FtiChip::kFds : FtiChip::kN163;
    const uint32_t nameLength = in.U32();
    if (nameLength > kFtiMaxName) {
      Refuse(QT_TRANSLATE_NOOP("FtiInstrument",
                               "The instrument name is %1 bytes long; at most 127 fit."),
             {Number(nameLength)});
    }
    for (uint32_t i = 0; i < nameLength; ++i) instrument.name += static_cast<char>(in.U8());
    if (instrument.chip == FtiChip::kN163) {
      ReadN163(in, instrument);
    } else {
      ReadFds(in, instrument);
    }
    result.ok = true;
  } catch (const Refusal& refusal) {
    result = FtiReadResult{};
    result.error = refusal.message;
  }
  return result;
}

WaveBank BankOfFti(const FtiInstrument& instrument) {
  const int32_t bits = instrument.chip == FtiChip::kFds ? 6 : 4;
  WaveBank bank;
  for (const std::vector<uint8_t>& levels : instrument.waves) {
    std::vector<int8_t> wave;
    wave.reserve(levels.size());
    for (const uint8_t level : levels) wave.push_back(static_cast<int8_t>(FromLevel(level, bits)));
    bank.waves.push_back(std::move(wave));
  }
  return bank;
}
