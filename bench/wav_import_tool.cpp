// How long Import WAV holds up the UI thread on a 4 GiB silent WAV: writes a sparse 16-bit mono
// file of 4 GiB (a header, then a hole) and times ImportWavCycle's period search on it.
//   build/wav_import_tool [FOLDER] [RUNS]    (default /tmp, 5 runs)
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <QString>

#include "files/wav_import.h"

namespace {

void Put(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "/tmp";
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const std::string path = folder + "/zp-silent-4g.wav";
  const uint32_t dataBytes = 0xffffffffu - 44;  // the largest a RIFF file holds, even
  std::string header = "RIFF";
  Put(header, 36 + (dataBytes & ~1u), 4);
  header += "WAVEfmt ";
  Put(header, 16, 4);
  Put(header, 1, 2);      // PCM
  Put(header, 1, 2);      // mono
  Put(header, 44100, 4);  // frames per second
  Put(header, 88200, 4);  // bytes per second
  Put(header, 2, 2);      // block align
  Put(header, 16, 2);     // bits
  header += "data";
  Put(header, dataBytes & ~1u, 4);
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || write(fd, header.data(), header.size()) != static_cast<ssize_t>(header.size()) ||
      ftruncate(fd, 44 + (dataBytes & ~1u)) != 0 || close(fd) != 0) {
    std::perror(path.c_str());
    return 1;
  }
  std::vector<double> seconds;
  std::string said;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const WavImportResult result = ImportWavCycle(QString::fromStdString(path), 32, kFindPeriod);
    seconds.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    said = result.ok ? "imported" : result.error.Text();
  }
  unlink(path.c_str());
  std::sort(seconds.begin(), seconds.end());
  std::printf("ImportWavCycle on a 4 GiB silent WAV: median %.3f s of %d (%.3f-%.3f s)\n%s\n",
              seconds[seconds.size() / 2], runs, seconds.front(), seconds.back(), said.c_str());
  return 0;
}
