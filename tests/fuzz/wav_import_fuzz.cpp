// Fuzz target for the WAV import: the bytes become the samples of a 16-bit or a float WAV file
// (NaN and infinities included) of 1 or 2 channels, imported by period search, as a whole or by
// its first frames at any wave length. Nothing may crash or hang; an accepted cycle has the wave's
// length and a period within the frames looked at.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QString>

#include "files/wav_import.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void Put(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

// A canonical RIFF WAVE header for `dataBytes` of samples.
std::string Header(bool isFloat, uint16_t channels, uint32_t rate, uint32_t dataBytes) {
  const uint16_t bits = isFloat ? 32 : 16;
  const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
  std::string out = "RIFF";
  Put(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  Put(out, 16, 4);
  Put(out, isFloat ? 3 : 1, 2);
  Put(out, channels, 2);
  Put(out, rate, 4);
  Put(out, rate * align, 4);
  Put(out, align, 2);
  Put(out, bits, 2);
  out += "data";
  Put(out, dataBytes, 4);
  return out;
}

// A private folder under /tmp, removed when the fuzzer exits.
std::string folder;

void RemoveFolder() {
  unlink((folder + "/fuzz.wav").c_str());
  rmdir(folder.c_str());
}

std::string FolderPath() {
  static const bool made = [] {
    char name[] = "/tmp/wav_import_fuzz-XXXXXX";
    Check(mkdtemp(name) != nullptr);
    folder = name;
    std::atexit(RemoveFolder);
    return true;
  }();
  Check(made);
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int32_t length = 2 << (data[0] % 6);
  const int32_t firstFrames = data[1] % 4 == 0   ? kWholeFile
                              : data[1] % 4 == 1 ? 1 + data[1] / 4
                                                 : kFindPeriod;
  const bool isFloat = (data[2] & 1) != 0;
  const uint16_t channels = 1 + ((data[2] >> 1) & 1);
  const uint32_t rate = 8000u << ((data[2] >> 2) & 3);
  const std::string samples(reinterpret_cast<const char*>(data + 3), size - 3);
  const std::string path = FolderPath() + "/fuzz.wav";
  const std::string file =
      Header(isFloat, channels, rate, static_cast<uint32_t>(samples.size())) + samples;
  FILE* out = std::fopen(path.c_str(), "wb");
  Check(out != nullptr && std::fwrite(file.data(), 1, file.size(), out) == file.size());
  Check(std::fclose(out) == 0);
  const WavImportResult imported =
      ImportWavCycle(QString::fromStdString(path), length, firstFrames);
  if (imported.ok) {
    Check(imported.samples.size() == static_cast<size_t>(length));
    Check(imported.periodFrames >= 1);
    Check(imported.replacedSamples >= 0);
    Check(isFloat || imported.replacedSamples == 0);
  } else {
    Check(!imported.error.Empty() && imported.samples.empty());
  }
  return 0;
}
