#include "fileio/wav_file.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kContext = "WavExport";

// libsndfile writes into a string held in memory.
struct MemoryFile {
  std::string bytes;
  sf_count_t position = 0;
};

MemoryFile& Memory(void* userData) {
  return *static_cast<MemoryFile*>(userData);
}

sf_count_t Length(void* userData) {
  return static_cast<sf_count_t>(Memory(userData).bytes.size());
}

sf_count_t Seek(sf_count_t offset, int whence, void* userData) {
  MemoryFile& file = Memory(userData);
  sf_count_t base = 0;
  if (whence == SEEK_CUR) base = file.position;
  if (whence == SEEK_END) base = static_cast<sf_count_t>(file.bytes.size());
  if (base + offset < 0) return -1;
  file.position = base + offset;
  return file.position;
}

sf_count_t Read(void* data, sf_count_t count, void* userData) {
  MemoryFile& file = Memory(userData);
  const auto size = static_cast<sf_count_t>(file.bytes.size());
  const sf_count_t got = std::clamp<sf_count_t>(size - file.position, 0, count);
  std::memcpy(data, file.bytes.data() + file.position, static_cast<size_t>(got));
  file.position += got;
  return got;
}

sf_count_t Write(const void* data, sf_count_t count, void* userData) {
  MemoryFile& file = Memory(userData);
  const auto end = static_cast<size_t>(file.position + count);
  if (end > file.bytes.size()) file.bytes.resize(end);
  std::memcpy(file.bytes.data() + file.position, data, static_cast<size_t>(count));
  file.position += count;
  return count;
}

sf_count_t Tell(void* userData) {
  return Memory(userData).position;
}

TextMessage EncodeFailure(const std::string& reason) {
  return TextMessage(kContext, QT_TRANSLATE_NOOP("WavExport", "Could not encode the sound: %1"),
                     {reason});
}

}  // namespace

bool EncodeWavPcm16(const std::vector<int16_t>& pcm, int32_t sampleRate, std::string& bytes,
                    TextMessage& error) {
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  if (sampleRate < 1 || !sf_format_check(&info)) {
    error = TextMessage(
        kContext, QT_TRANSLATE_NOOP("WavExport", "A WAV file cannot have the sample rate %1."),
        {std::to_string(sampleRate)});
    return false;
  }
  MemoryFile memory;
  memory.bytes.reserve(pcm.size() * 2 + 64);
  SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
  SNDFILE* sound = sf_open_virtual(&io, SFM_WRITE, &info, &memory);
  if (sound == nullptr) {
    error = EncodeFailure(sf_strerror(nullptr));
    return false;
  }
  const auto count = static_cast<sf_count_t>(pcm.size());
  const bool written = sf_write_short(sound, pcm.data(), count) == count;
  const std::string reason = sf_strerror(sound);
  const int closeError = sf_close(sound);
  if (!written || closeError != 0) {
    error = EncodeFailure(written ? sf_error_number(closeError) : reason);
    return false;
  }
  bytes = std::move(memory.bytes);
  return true;
}

FileResult WriteWavFile(const std::string& path, const std::vector<int16_t>& pcm,
                        int32_t sampleRate) {
  std::string bytes;
  TextMessage error;
  if (!EncodeWavPcm16(pcm, sampleRate, bytes, error)) return {false, error};
  return WriteFileAtomic(path, bytes);
}
