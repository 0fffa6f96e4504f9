#include "files/wav_import.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <sndfile.h>
#include <unistd.h>

#include "files/atomic_file.h"
#include "formats/wave_length.h"

namespace {

constexpr const char* kContext = "WavImport";
constexpr sf_count_t kReadBlockFrames = 4096;
// The cycle is the first local maximum that comes this close to the highest one, so that a
// slightly better match two or three cycles further on does not win.
constexpr double kPeakFraction = 0.95;

std::string Shown(const QString& path) {
  return LocalPath(path);
}

WavImportResult Refuse(const char* source, std::vector<std::string> args) {
  WavImportResult result;
  result.error = TextMessage(kContext, source, std::move(args));
  return result;
}

bool IsSupportedEncoding(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
      return true;
    default:
      return false;
  }
}

// An open sound file that closes itself (and the descriptor it was given).
class SoundReader {
 public:
  explicit SoundReader(int fd) {
    sound = sf_open_fd(fd, SFM_READ, &info, SF_TRUE);
    if (sound == nullptr) close(fd);
  }
  ~SoundReader() {
    if (sound != nullptr) sf_close(sound);
  }
  SoundReader(const SoundReader&) = delete;
  SoundReader& operator=(const SoundReader&) = delete;

  bool IsOpen() const { return sound != nullptr; }
  const SF_INFO& Info() const { return info; }

  // Appends up to `frames` frames mixed to mono; with skipSilence, frames before the first one
  // that is not exactly 0 are dropped and not counted, but at most `skipLimit` frames are read
  // in all. A sample that is not a finite number counts as 0 and is counted in `replaced`.
  // False on a read error.
  bool ReadMono(int64_t frames, bool skipSilence, int64_t skipLimit, std::vector<double>& mono,
                int64_t& replaced) {
    const int channels = info.channels;
    std::vector<double> block(static_cast<size_t>(kReadBlockFrames * channels));
    int64_t wanted = frames;
    int64_t read = 0;
    while (wanted > 0 && (!skipSilence || read < skipLimit)) {
      const sf_count_t got = sf_readf_double(sound, block.data(), kReadBlockFrames);
      if (got <= 0) return sf_error(sound) == SF_ERR_NO_ERROR;
      read += got;
      for (sf_count_t i = 0; i < got && wanted > 0; ++i) {
        double sum = 0;
        for (int c = 0; c < channels; ++c) {
          const double sample = block[static_cast<size_t>(i * channels + c)];
          if (std::isfinite(sample)) {
            sum += sample;
          } else {
            ++replaced;
          }
        }
        const double value = sum / channels;
        if (skipSilence && value == 0.0) continue;
        skipSilence = false;
        mono.push_back(value);
        --wanted;
      }
    }
    return true;
  }

 private:
  SF_INFO info{};
  SNDFILE* sound = nullptr;
};

// The normalised autocorrelation of the mean-free signal at every lag 0..maxLag, each over the
// frames both copies cover.
std::vector<double> Autocorrelation(const std::vector<double>& signal, size_t maxLag) {
  double mean = 0;
  for (double v : signal) mean += v;
  mean /= static_cast<double>(signal.size());
  std::vector<double> x(signal.size());
  std::vector<double> energy(signal.size() + 1, 0.0);  // energy[i]: sum of squares before i
  for (size_t i = 0; i < signal.size(); ++i) {
    x[i] = signal[i] - mean;
    energy[i + 1] = energy[i] + x[i] * x[i];
  }
  const size_t n = x.size();
  std::vector<double> r(maxLag + 1, 0.0);
  for (size_t lag = 0; lag <= maxLag; ++lag) {
    double sum = 0;
    for (size_t i = 0; i + lag < n; ++i) sum += x[i] * x[i + lag];
    const double head = energy[n - lag];
    const double tail = energy[n] - energy[lag];
    r[lag] = head > 0 && tail > 0 ? sum / std::sqrt(head * tail) : 0.0;
  }
  return r;
}

// The cycle length in frames, or nothing when no lag repeats the signal well enough.
std::optional<int32_t> FindPeriod(const std::vector<double>& signal) {
  const size_t maxLag = signal.size() / 2;
  if (maxLag < 2) return std::nullopt;
  const std::vector<double> r = Autocorrelation(signal, maxLag);
  size_t start = 1;
  while (start <= maxLag && r[start] > 0) ++start;  // leave the zero-lag lobe
  start = std::max<size_t>(start, 2);
  if (start >= maxLag) return std::nullopt;
  const double best = *std::max_element(r.begin() + static_cast<ptrdiff_t>(start), r.end());
  if (best < kMinPeriodCorrelation) return std::nullopt;
  for (size_t lag = start; lag <= maxLag; ++lag) {
    const bool peak = r[lag] >= r[lag - 1] && (lag == maxLag || r[lag] >= r[lag + 1]);
    if (peak && r[lag] >= kPeakFraction * best) return static_cast<int32_t>(lag);
  }
  return std::nullopt;
}

// `length` samples of the first `period` frames of `signal`, each at k * period / length frames.
std::vector<int8_t> SampleCycle(const std::vector<double>& signal, int32_t period, int32_t length) {
  std::vector<int8_t> samples;
  for (int32_t k = 0; k < length; ++k) {
    const double position = static_cast<double>(k) * period / length;
    const auto index = static_cast<int32_t>(position);
    const double fraction = position - index;
    const double here = signal[static_cast<size_t>(index)];
    const double next = signal[static_cast<size_t>((index + 1) % period)];
    const double value = std::round((here + (next - here) * fraction) * 128.0);
    samples.push_back(static_cast<int8_t>(std::clamp(value, -128.0, 127.0)));
  }
  return samples;
}

}  // namespace

WavImportResult ImportWavCycle(const QString& path, int32_t length, int32_t firstFrames) {
  if (!IsWaveLength(length)) {
    return Refuse(QT_TRANSLATE_NOOP("WavImport", "A wave cannot have %1 samples."),
                  {std::to_string(length)});
  }
  WavImportResult refused;
  const int fd = OpenRegularFile(LocalPath(path), refused.error);
  if (fd < 0) return refused;
  SoundReader reader(fd);
  if (!reader.IsOpen()) {
    return Refuse(QT_TRANSLATE_NOOP("WavImport", "“%1” is not a sound file that can be read: %2"),
                  {Shown(path), sf_strerror(nullptr)});
  }
  const SF_INFO& info = reader.Info();
  if (!IsSupportedEncoding(info.format)) {
    return Refuse(QT_TRANSLATE_NOOP("WavImport",
                                    "The samples of “%1” are stored in a way that cannot be read; "
                                    "use 8, 16, 24 or 32-bit integer or floating-point samples."),
                  {Shown(path)});
  }
  if (info.frames <= 0 || info.channels <= 0) {
    return Refuse(QT_TRANSLATE_NOOP("WavImport", "“%1” holds no sound."), {Shown(path)});
  }

  std::vector<double> signal;
  int64_t frames = kPeriodSearchFrames;
  if (firstFrames > 0) {
    if (info.frames < firstFrames) {
      return Refuse(QT_TRANSLATE_NOOP("WavImport",
                                      "“%1” has only %2 frames, fewer than the %3 of one cycle."),
                    {Shown(path), std::to_string(info.frames), std::to_string(firstFrames)});
    }
    frames = firstFrames;
  } else if (firstFrames < 0) {
    if (info.frames > kMaxCycleFrames) {
      return Refuse(
          QT_TRANSLATE_NOOP("WavImport", "“%1” is too long for one cycle: %2 frames, at most %3."),
          {Shown(path), std::to_string(info.frames), std::to_string(kMaxCycleFrames)});
    }
    frames = info.frames;
  }
  // The search skips leading silence within the first seconds only, so that a long silent file
  // is refused quickly.
  const int64_t skipLimit = int64_t{kSilenceSearchSeconds} * std::max(info.samplerate, 1);
  int64_t replaced = 0;
  if (!reader.ReadMono(frames, firstFrames == kFindPeriod, skipLimit, signal, replaced) ||
      (firstFrames != kFindPeriod && static_cast<int64_t>(signal.size()) < frames)) {
    return Refuse(QT_TRANSLATE_NOOP("WavImport", "Could not read the sound of “%1”."),
                  {Shown(path)});
  }

  int32_t period = static_cast<int32_t>(signal.size());
  if (firstFrames == kFindPeriod) {
    const bool silent =
        std::all_of(signal.begin(), signal.end(), [&](double v) { return v == signal.front(); });
    if (signal.empty() || silent) {
      return Refuse(QT_TRANSLATE_NOOP("WavImport",
                                      "“%1” is silent in its first %2 seconds; there is no cycle "
                                      "to take."),
                    {Shown(path), std::to_string(kSilenceSearchSeconds)});
    }
    const std::optional<int32_t> found = FindPeriod(signal);
    if (!found) {
      return Refuse(QT_TRANSLATE_NOOP("WavImport",
                                      "No repeating cycle was found in “%1”; the sound must "
                                      "repeat at least twice within its first %2 frames."),
                    {Shown(path), std::to_string(kPeriodSearchFrames)});
    }
    period = *found;
  }

  WavImportResult result;
  result.ok = true;
  result.samples = SampleCycle(signal, period, length);
  result.periodFrames = period;
  result.sampleRate = info.samplerate;
  result.replacedSamples = replaced;
  return result;
}
