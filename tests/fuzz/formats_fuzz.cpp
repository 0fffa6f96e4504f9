// Fuzz target for the wave formats: every text reader, the format detection and the wave file
// readers on arbitrary bytes. None may crash or read out of bounds; an accepted wave has an editor
// length, reads back to the same samples through its writer, and the editor's own hex reading
// agrees with the Paste button on every text the button accepts. The bytes also serve as samples
// for the writers, whose texts must read back as the samples at the format's depth.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/fti_instrument.h"
#include "formats/hex_wave_text.h"
#include "formats/wave_bank.h"
#include "formats/wave_depth.h"
#include "formats/wave_files.h"
#include "formats/wave_formats.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool IsEditorLength(size_t count) {
  return count == 2 || count == 4 || count == 8 || count == 16 || count == 32 || count == 64;
}

void CheckRead(const WaveReadResult& read) {
  if (!read.ok) {
    Check(read.samples.empty());
    Check(!read.error.Empty());
    return;
  }
  Check(IsEditorLength(read.samples.size()));
  Check(read.givenCount > 0);
  Check(read.resampled == (read.givenCount != read.samples.size()));
  Check(read.resampled == !IsEditorLength(read.givenCount));
}

void FuzzTextReaders(std::string_view text) {
  for (const WaveFormatInfo& info : WaveFormats()) {
    const WaveReadResult read = ReadWave(text, info.id);
    CheckRead(read);
    if (!read.ok) continue;
    Check(read.format == info.id);
    if (info.fixedLength > 0) Check(read.samples.size() == static_cast<size_t>(info.fixedLength));
    // Read samples sit on the format's levels, so writing and reading them again is exact.
    WaveReadOptions atHeight;
    atHeight.height = read.height;
    const WaveReadResult again =
        ReadWave(WriteWave(read.samples, info.id, read.height), info.id, atHeight);
    Check(again.ok && again.samples == read.samples && !again.resampled);
  }

  const WaveReadResult any = ReadWaveAnyFormat(text);
  CheckRead(any);
  if (any.ok) Check(ReadWave(text, any.format).samples == any.samples);

  const HexPasteResult pasted = ReadPastedWaveText(text);
  if (pasted.ok) {
    const std::vector<int8_t> samples(pasted.codes.begin(), pasted.codes.end());
    const WaveReadResult hex = ReadWave(text, WaveFormatId::kHex);
    Check(hex.ok && hex.samples == samples);
    // Unless it is a Game Boy tracker's copy: 32 upper-case hex digits.
    Check(any.ok && ((any.format == WaveFormatId::kHex && any.samples == samples) ||
                     (any.format == WaveFormatId::kGb && pasted.codes.size() == 16)));
  } else {
    const std::string message = pasted.error.Text();
    Check(message == HexLengthMessage().Text() || message == HexCharacterMessage().Text());
  }

  // The unit's pair reader takes the whole text, two characters at a time.
  std::string_view rest = text;
  size_t pairs = 0;
  while (!rest.empty()) {
    ReadHexPair(rest);
    ++pairs;
  }
  Check(pairs == (text.size() + 1) / 2);
}

void FuzzFileReaders(const std::vector<uint8_t>& bytes) {
  FuwHeader header;
  const WaveReadResult fuw = ReadFuw(bytes, &header);
  CheckRead(fuw);
  if (fuw.ok) {
    const WaveReadResult again = ReadFuw(WriteFuw(fuw.samples, fuw.height, header));
    Check(again.ok && again.samples == fuw.samples && again.height == fuw.height);
  }
  CheckRead(ReadDmw(bytes));
  const WaveReadResult ugw = ReadUgw(bytes);
  CheckRead(ugw);
  if (ugw.ok)
    Check(WriteUgw(ugw.samples) == std::vector<uint8_t>(bytes.begin(), bytes.begin() + 32));
  if (const std::optional<WaveFileType> type = DetectWaveFileType(bytes)) {
    CheckRead(ReadWaveFile(bytes, *type));
  }
}

// An instrument read has waves the chip plays; a Namco 163 one written again reads back the same.
// A bank text read has 1 to 256 waves of editor lengths.
void FuzzBanks(const std::vector<uint8_t>& bytes, std::string_view text) {
  const FtiReadResult fti = ReadFti(bytes);
  Check(fti.ok == fti.error.Empty());
  if (fti.ok && fti.instrument.chip == FtiChip::kN163) {
    const FtiInstrument& read = fti.instrument;
    Check(!read.waves.empty() && read.waves.size() <= kN163MaxWaves);
    const WaveBank bank = BankOfFti(read);
    const FtiWriteResult written = WriteN163Fti(bank, "fuzz");
    Check(written.ok == (read.waves[0].size() % 4 == 0) && written.snappedSamples == 0);
    if (written.ok) Check(ReadFti(written.bytes).instrument.waves == read.waves);
  } else if (fti.ok) {
    Check(fti.instrument.waves.size() == 1 && fti.instrument.waves[0].size() == kFdsWaveSize);
    Check(WriteFdsFti(BankOfFti(fti.instrument).waves[0], "fuzz").ok);
  }
  const BankReadResult bank = ReadBankText(text);
  Check(bank.ok == bank.error.Empty() && bank.ok == !bank.bank.waves.empty());
  Check(bank.bank.waves.size() <= kMaxBankWaves && bank.lines.size() == bank.bank.waves.size());
  for (const std::vector<int8_t>& wave : bank.bank.waves) Check(IsEditorLength(wave.size()));
}

// The bytes as samples of an editor length: each writer's text reads back as the samples
// resampled to the length it wrote and snapped to its depth.
void FuzzWriters(const uint8_t* data, size_t size) {
  static constexpr size_t kLengths[] = {2, 4, 8, 16, 32, 64};
  const size_t count = kLengths[size % 6];
  std::vector<int8_t> samples(count);
  for (size_t i = 0; i < count; ++i) samples[i] = static_cast<int8_t>(i < size ? data[i] : 0);
  for (const WaveFormatInfo& info : WaveFormats()) {
    size_t written = info.fixedLength > 0 ? static_cast<size_t>(info.fixedLength) : count;
    if (info.id == WaveFormatId::kN163 && written < 4) written = 4;
    std::vector<int8_t> want = ResampleWave(samples, written);
    for (int8_t& v : want) v = static_cast<int8_t>(SnapToDepth(v, info.depthBits));
    // Written at height 256 (the Furnace texts), read back at it.
    WaveReadOptions full;
    full.height = kFullHeight;
    const WaveReadResult read = ReadWave(WriteWave(samples, info.id), info.id, full);
    Check(read.ok && read.samples == want);
  }
  const FuwHeader header{kFuwVersion, std::string(reinterpret_cast<const char*>(data), size)};
  const WaveReadResult fuw = ReadFuw(WriteFuw(samples, kFullHeight, header));
  Check(fuw.ok && fuw.samples == samples);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  FuzzTextReaders(text);
  FuzzFileReaders(std::vector<uint8_t>(data, data + size));
  FuzzWriters(data, size);
  FuzzBanks(std::vector<uint8_t>(data, data + size), text);
  return 0;
}
