// The writer of the .fti instruments: version 2.4, laid out as the tracker reads them.
#include <string>
#include <utility>

#include "formats/fti_instrument.h"
#include "formats/wave_depth.h"

namespace {

constexpr char kContext[] = "FtiInstrument";

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutI32(std::vector<uint8_t>& out, int32_t value) {
  PutU32(out, static_cast<uint32_t>(value));
}

void PutSequence(std::vector<uint8_t>& out, const FtiSequence& sequence) {
  PutU32(out, static_cast<uint32_t>(sequence.items.size()));
  PutI32(out, sequence.loop);
  PutI32(out, sequence.release);
  PutU32(out, sequence.setting);
  for (const int8_t item : sequence.items) out.push_back(static_cast<uint8_t>(item));
}

FtiWriteResult Refused(const char* source, std::vector<std::string> args = {}) {
  FtiWriteResult result;
  result.error = TextMessage(kContext, source, std::move(args));
  return result;
}

// The header up to the body, or a refusal of the name.
FtiWriteResult Header(uint8_t type, std::string_view name) {
  if (name.size() > kFtiMaxName) {
    return Refused(QT_TRANSLATE_NOOP("FtiInstrument",
                                     "The instrument name is %1 bytes long; at most 127 fit."),
                   {std::to_string(name.size())});
  }
  for (const char ch : name) {
    if (ch < ' ' || ch > '~') {
      return Refused(QT_TRANSLATE_NOOP("FtiInstrument",
                                       "The instrument name holds a character the tracker "
                                       "cannot show; use letters, digits and punctuation of "
                                       "plain ASCII."));
    }
  }
  FtiWriteResult result;
  result.ok = true;
  const std::string version = "FTI" + std::to_string(kFtiWrittenVersion / 10) + "." +
                              std::to_string(kFtiWrittenVersion % 10);
  result.bytes.assign(version.begin(), version.end());
  result.bytes.push_back(type);
  PutU32(result.bytes, static_cast<uint32_t>(name.size()));
  result.bytes.insert(result.bytes.end(), name.begin(), name.end());
  return result;
}

// The chip's level of each sample, counting those not already at one of its levels.
void PutLevels(FtiWriteResult& result, const std::vector<int8_t>& wave, int32_t bits) {
  for (const int8_t v : wave) {
    result.bytes.push_back(static_cast<uint8_t>(ToLevel(v, bits)));
    result.snappedSamples += SnapToDepth(v, bits) != v;
  }
}

}  // namespace

FtiWriteResult WriteN163Fti(const WaveBank& bank, std::string_view name, bool loop) {
  const std::vector<std::vector<int8_t>>& waves = bank.waves;
  if (waves.empty()) {
    return Refused(QT_TRANSLATE_NOOP("FtiInstrument",
                                     "The bank holds no wave; an instrument needs at least one."));
  }
  if (waves.size() > static_cast<size_t>(kN163MaxWaves)) {
    return Refused(QT_TRANSLATE_NOOP("FtiInstrument",
                                     "The bank has %1 waves; a Namco 163 instrument holds at most "
                                     "64. Delete %2 waves or export the bank in parts."),
                   {std::to_string(waves.size()), std::to_string(waves.size() - kN163MaxWaves)});
  }
  const size_t size = waves[0].size();
  for (size_t i = 1; i < waves.size(); ++i) {
    if (waves[i].size() != size) {
      return Refused(
          QT_TRANSLATE_NOOP("FtiInstrument",
                            "Wave %1 has %2 samples and wave 1 has %3; a Namco 163 "
                            "instrument holds waves of one length. Bring every wave "
                            "to one length."),
          {std::to_string(i + 1), std::to_string(waves[i].size()), std::to_string(size)});
    }
  }
  if (size < kN163MinWaveSize || size > kN163MaxWaveSize || size % 4 != 0) {
    const size_t nearest = size < kN163MinWaveSize   ? kN163MinWaveSize
                           : size > kN163MaxWaveSize ? kN163MaxWaveSize
                                                     : (size + 3) / 4 * 4;
    return Refused(QT_TRANSLATE_NOOP("FtiInstrument",
                                     "The Namco 163 cannot play waves of %1 samples: it plays 4 "
                                     "to 240 samples in steps of 4. Change the length to %2."),
                   {std::to_string(size), std::to_string(nearest)});
  }
  FtiWriteResult result = Header(5, name);
  if (!result.ok) return result;
  std::vector<uint8_t>& out = result.bytes;
  out.push_back(static_cast<uint8_t>(kFtiN163Slots));
  for (size_t slot = 0; slot < kFtiWaveIndex; ++slot) out.push_back(0);
  out.push_back(1);
  FtiSequence sequence;
  for (size_t i = 0; i < waves.size(); ++i) sequence.items.push_back(static_cast<int8_t>(i));
  sequence.loop = loop ? 0 : -1;
  PutSequence(out, sequence);
  PutI32(out, static_cast<int32_t>(size));
  PutI32(out, 0);
  PutI32(out, static_cast<int32_t>(waves.size()));
  for (const std::vector<int8_t>& wave : waves) PutLevels(result, wave, 4);
  return result;
}

FtiWriteResult WriteFdsFti(const std::vector<int8_t>& wave, std::string_view name) {
  if (wave.size() != static_cast<size_t>(kFdsWaveSize)) {
    return Refused(QT_TRANSLATE_NOOP("FtiInstrument",
                                     "The FDS plays waves of 64 samples; this wave has %1. Change "
                                     "its length to 64."),
                   {std::to_string(wave.size())});
  }
  FtiWriteResult result = Header(4, name);
  if (!result.ok) return result;
  PutLevels(result, wave, 6);
  result.bytes.insert(result.bytes.end(), 32, 0);       // modulation table
  for (int i = 0; i < 3; ++i) PutI32(result.bytes, 0);  // speed, depth, delay
  for (size_t slot = 0; slot < kFtiFdsSlots; ++slot) PutSequence(result.bytes, FtiSequence{});
  return result;
}
