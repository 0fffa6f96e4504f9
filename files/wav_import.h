// One cycle of a wave out of a sound file (WAV or any other file libsndfile reads): find the
// cycle, resample it to the wave's length and scale it to 8-bit samples.
#pragma once

#include <cstdint>
#include <vector>

#include <QString>

#include "formats/text_message.h"

struct WavImportResult {
  bool ok = false;
  std::vector<int8_t> samples;  // `length` samples, −128..127
  TextMessage error;            // why the file was refused
  int32_t periodFrames = 0;     // frames of the file that made the cycle
  int32_t sampleRate = 0;       // the file's frames per second
  int64_t replacedSamples = 0;  // samples that were not finite numbers (NaN, ±Inf), taken as 0
};

// firstFrames values for ImportWavCycle besides a count of frames.
inline constexpr int32_t kFindPeriod = 0;  // find the cycle by autocorrelation
inline constexpr int32_t kWholeFile = -1;  // the whole file is one cycle
// The most frames a cycle may have.
inline constexpr int32_t kMaxCycleFrames = 1 << 20;
// The cycle search looks at this many frames from the first one that is not exactly 0.
inline constexpr int32_t kPeriodSearchFrames = 8192;
// Leading silence is skipped within this many seconds of the file at most.
inline constexpr int32_t kSilenceSearchSeconds = 10;
// The normalised autocorrelation a cycle must reach; below it the file has no periodic part.
inline constexpr double kMinPeriodCorrelation = 0.8;

// Reads 8/16/24/32-bit integer or 32/64-bit float samples of any rate; more than one channel is
// mixed to mono by averaging; a sample that is not a finite number counts as 0 (replacedSamples).
// Only a regular file is opened, never a pipe or a device. The cycle is:
// - firstFrames > 0: the first firstFrames frames;
// - kWholeFile: every frame of the file (at most 2^20);
// - kFindPeriod: P frames from the first frame that is not exactly 0 (looked for within the first
//   kSilenceSearchSeconds), where P is the lag
//   (2 .. n/2 of the n <= kPeriodSearchFrames frames looked at) of the first local maximum of the
//   normalised autocorrelation of the mean-free signal, after its zero-lag lobe, that reaches 95 %
//   of the highest one; refused when the highest is below kMinPeriodCorrelation.
// Sample k of `length` (2, 4, ..., 64) is the cycle at k * P / length frames, by linear
// interpolation between the two frames around it (the cycle wraps around). A full-scale value x
// (−1..1) becomes round(x * 128), kept within −128..127; nothing is normalised, so a cycle written
// by SingleCycle comes back as it was. Any thread.
WavImportResult ImportWavCycle(const QString& path, int32_t length, int32_t firstFrames = 0);
