// Writes 16-bit mono PCM as a RIFF WAVE file through libsndfile, all or nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes the samples to a new file beside path and renames it to path once it is complete, so a
// failure leaves no file (and an existing file at path as it was). Returns "" or what went wrong.
std::string WriteWavFile(const std::string& path, const std::vector<int16_t>& samples,
                         int32_t sampleRate);
