// The one WAV writer: 16-bit mono PCM as a RIFF WAVE file through libsndfile, written atomically.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fileio/atomic_write.h"

// The file's bytes in `bytes`; false with `error` set for a sample rate a WAV cannot have. Any
// thread.
bool EncodeWavPcm16(const std::vector<int16_t>& pcm, int32_t sampleRate, std::string& bytes,
                    TextMessage& error);

// Writes `pcm` as a 16-bit mono WAV at `sampleRate` through WriteFileAtomic: on failure the old
// file stays as it was. Any thread.
FileResult WriteWavFile(const std::string& path, const std::vector<int16_t>& pcm,
                        int32_t sampleRate);
