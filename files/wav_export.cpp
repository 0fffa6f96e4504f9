#include "files/wav_export.h"

#include <cmath>

#include "fileio/wav_file.h"

namespace {

int32_t SignedSample(uint16_t slot) {
  return static_cast<int8_t>(static_cast<uint8_t>(slot & 0xff));
}

}  // namespace

FileResult WriteWavPcm16(const QString& path, const std::vector<int16_t>& pcm, int32_t sampleRate) {
  return WriteWavFile(LocalPath(path), pcm, sampleRate);
}

std::vector<int16_t> SingleCycle(const std::vector<uint16_t>& samples, int32_t mode, int32_t size) {
  std::vector<int16_t> cycle;
  if (samples.empty() || size < 1) return cycle;
  const auto count = static_cast<int64_t>(samples.size());
  cycle.reserve(static_cast<size_t>(size));
  for (int64_t position = 0; position < size; ++position) {
    // Position p lies at p * count / size samples into the wave.
    const int64_t scaled = position * count;
    const int64_t k = scaled / size;
    const int32_t here = SignedSample(samples[static_cast<size_t>(k)]);
    if (mode != 2) {
      cycle.push_back(static_cast<int16_t>(here * 256));
      continue;
    }
    const int32_t next = SignedSample(samples[static_cast<size_t>((k + 1) % count)]);
    const double fraction = static_cast<double>(scaled % size) / size;
    const double value = (here + (next - here) * fraction) * 256.0;
    cycle.push_back(static_cast<int16_t>(std::lround(value)));
  }
  return cycle;
}
