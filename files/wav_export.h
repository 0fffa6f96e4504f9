// Sound out as WAV files: 16-bit mono PCM, and one cycle of a wave drawn the way the pane shows it.
#pragma once

#include <cstdint>
#include <vector>

#include <QString>

#include "files/atomic_file.h"

// Writes `pcm` as a 16-bit mono RIFF WAVE file at `sampleRate`, atomically: on failure the old
// file stays as it was. Any thread.
FileResult WriteWavPcm16(const QString& path, const std::vector<int16_t>& pcm,
                         int32_t sampleRate = 44100);

// One cycle of `size` values of the wave whose 8-bit codes are the low bytes of `samples`.
// Mode 2 (Poly) joins sample k to sample k + 1 in a straight line, the last one back to sample 0;
// any other mode (1, Hold) holds sample k over positions [k * size / n, (k + 1) * size / n).
// A sample v (−128..127) becomes v * 256, so v = 127 is 32512 and −128 is −32768; lines in
// between are rounded to the nearest integer. Empty for no samples or a size below 1.
std::vector<int16_t> SingleCycle(const std::vector<uint16_t>& samples, int32_t mode,
                                 int32_t size = 2048);
