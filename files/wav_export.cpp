#include "files/wav_export.h"

#include <cmath>
#include <string_view>

#include <sndfile.h>
#include <QBuffer>
#include <QByteArray>

#include "files/wav_io_device.h"

namespace {

constexpr const char* kContext = "WavExport";

int32_t SignedSample(uint16_t slot) {
  return static_cast<int8_t>(static_cast<uint8_t>(slot & 0xff));
}

FileResult EncodeFailure(const std::string& reason) {
  return {false,
          TextMessage(kContext, QT_TRANSLATE_NOOP("WavExport", "Could not encode the sound: %1"),
                      {reason})};
}

}  // namespace

FileResult WriteWavPcm16(const QString& path, const std::vector<int16_t>& pcm, int32_t sampleRate) {
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  if (sampleRate < 1 || !sf_format_check(&info)) {
    return {false, TextMessage(
                       kContext,
                       QT_TRANSLATE_NOOP("WavExport", "A WAV file cannot have the sample rate %1."),
                       {std::to_string(sampleRate)})};
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadWrite);
  SF_VIRTUAL_IO io = QIODeviceVirtualIo();
  SNDFILE* sound = sf_open_virtual(&io, SFM_WRITE, &info, &buffer);
  if (sound == nullptr) return EncodeFailure(sf_strerror(nullptr));
  const auto count = static_cast<sf_count_t>(pcm.size());
  const bool written = sf_write_short(sound, pcm.data(), count) == count;
  const std::string reason = sf_strerror(sound);
  const int closeError = sf_close(sound);
  if (!written) return EncodeFailure(reason);
  if (closeError != 0) return EncodeFailure(sf_error_number(closeError));
  return WriteFileAtomic(path, std::string_view(bytes.constData(), bytes.size()));
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
