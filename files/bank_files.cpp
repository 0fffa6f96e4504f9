#include "files/bank_files.h"

#include <algorithm>
#include <filesystem>

#include "fileio/atomic_write.h"

std::string BankFileName(std::string_view base, size_t index, size_t count, WaveFileType type) {
  const size_t digits = std::max<size_t>(2, std::to_string(std::max<size_t>(count, 1)).size());
  std::string number = std::to_string(index + 1);
  number.insert(0, digits > number.size() ? digits - number.size() : 0, '0');
  return std::string(base) + "-" + number + "." + WaveFileExtension(type);
}

std::vector<std::string> BankFilePaths(const std::string& folder, std::string_view base,
                                       size_t count, WaveFileType type) {
  std::vector<std::string> paths;
  for (size_t k = 0; k < count; ++k) {
    paths.push_back((std::filesystem::path(folder) / BankFileName(base, k, count, type)).string());
  }
  return paths;
}

BankFilesResult WriteBankFiles(const WaveBank& bank, const std::vector<int32_t>& heights,
                               WaveFileType type, const std::string& folder,
                               std::string_view base) {
  BankFilesResult result;
  const size_t count = bank.waves.size();
  const std::vector<std::string> paths = BankFilePaths(folder, base, count, type);
  for (size_t k = 0; k < count; ++k) {
    FuwHeader header;
    header.name = std::filesystem::path(paths[k]).stem().string();
    const int32_t height = k < heights.size() ? heights[k] : kFullHeight;
    const WaveFileWriting file = WriteWaveFile(bank.waves[k], height, type, header);
    const FileResult written = WriteFileAtomic(
        paths[k],
        std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    if (!written.ok) {
      result.failedWave = k;
      result.error = written.error;
      return result;
    }
    result.written.push_back(paths[k]);
    result.changes.push_back(file.change);
  }
  result.ok = true;
  return result;
}
