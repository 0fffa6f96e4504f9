#include "cli/wav_writer.h"

#include <sndfile.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

std::string WriteWavFile(const std::string& path, const std::vector<int16_t>& samples,
                         int32_t sampleRate) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return "cannot create " + path + ": " + std::strerror(errno);

  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
  if (file == nullptr) {
    const std::string error = sf_strerror(nullptr);
    close(fd);
    std::remove(temporary.c_str());
    return "cannot write " + path + ": " + error;
  }
  const auto count = static_cast<sf_count_t>(samples.size());
  const bool written = sf_write_short(file, samples.data(), count) == count;
  const std::string error = written ? std::string() : sf_strerror(file);
  const bool closed = sf_close(file) == 0;
  if (!written || !closed) {
    std::remove(temporary.c_str());
    return "cannot write " + path + ": " + (error.empty() ? "closing failed" : error);
  }
  // mkstemp makes the file private; a sound file is as readable as any other new file.
  const mode_t mask = umask(0);
  umask(mask);
  chmod(temporary.c_str(), 0666 & ~mask);
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    std::remove(temporary.c_str());
    return "cannot write " + path + ": " + reason;
  }
  return {};
}
