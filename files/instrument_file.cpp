#include "files/instrument_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

#include "fileio/file_read.h"
#include "formats/wave_length.h"

namespace {

InstrumentFileWrite Written(const std::string& path, const FtiWriteResult& instrument) {
  InstrumentFileWrite result;
  if (!instrument.ok) {
    result.written.error = instrument.error;
    return result;
  }
  result.snappedSamples = instrument.snappedSamples;
  result.written =
      WriteFileAtomic(path, std::string_view(reinterpret_cast<const char*>(instrument.bytes.data()),
                                             instrument.bytes.size()));
  return result;
}

}  // namespace

bool IsInstrumentPath(std::string_view path) {
  if (path.size() < 4) return false;
  std::string end(path.substr(path.size() - 4));
  std::transform(end.begin(), end.end(), end.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return end == ".fti";
}

std::string InstrumentNameOf(const std::string& path) {
  std::string name = std::filesystem::path(path).stem().string();
  for (char& ch : name) {
    if (ch < ' ' || ch > '~') ch = '_';
  }
  return name.substr(0, kFtiMaxName);
}

InstrumentFileRead ReadInstrumentFile(const std::string& path) {
  InstrumentFileRead result;
  const FileReadResult file = ReadFileBytes(path, kMaxInstrumentBytes);
  if (!file.ok) {
    result.error = file.error;
    return result;
  }
  result.readable = true;
  const FtiReadResult read = ReadFti(std::vector<uint8_t>(file.bytes.begin(), file.bytes.end()));
  if (!read.ok) {
    result.error = read.error;
    return result;
  }
  result.ok = true;
  result.chip = read.instrument.chip;
  result.height = result.chip == FtiChip::kFds ? 64 : 16;
  result.bank = BankOfFti(read.instrument);
  for (const std::vector<int8_t>& wave : result.bank.waves) {
    const size_t length = NearestWaveLength(wave.size());
    result.resampled = result.resampled || length != wave.size();
    result.waves.waves.push_back(ResampleToLength(wave, length));
  }
  return result;
}

InstrumentFileWrite WriteN163InstrumentFile(const std::string& path, const WaveBank& bank) {
  return Written(path, WriteN163Fti(bank, InstrumentNameOf(path)));
}

InstrumentFileWrite WriteFdsInstrumentFile(const std::string& path,
                                           const std::vector<int8_t>& wave) {
  return Written(path, WriteFdsFti(wave, InstrumentNameOf(path)));
}
