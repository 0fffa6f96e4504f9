// A long run through the sample-index wrap: the player renders indexes 0 … 3145728 and then
// starts again at 0. The capturing device returns blocks as fast as they come, so a whole run of
// 3145729 samples (71 s of sound) passes in a few seconds. The samples around the wrap must be
// exactly what an independent tone, set up the same way, renders for those indexes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "audio/capture_audio_device.h"
#include "synth/pitch_tables.h"
#include "synth/player.h"
#include "synth/tone.h"
#include "synth/tone_table.h"
#include "tests/support/synth_reference.h"
#include "units/sampled_wave_oscillator.h"
#include "units/sound_unit.h"
#include "units/unit_params.h"

namespace {

constexpr int64_t kRun = 3145729;  // indexes 0 … 3145728
constexpr int64_t kMargin = 2500;  // samples kept on each side of the wrap

// 64 held samples from the bottom to the top: the wrap from the last index back to 0 lands
// somewhere inside the cycle, so the jump is audible and the check below can tell.
std::string RampText() {
  std::vector<uint8_t> codes;
  for (int k = 0; k < 64; ++k) codes.push_back(static_cast<uint8_t>(k * 4 - 128));
  return reference::WaveText(codes);
}

// Strong low harmonics whose sum goes beyond 16 bits, where the written samples saturate.
const std::vector<uint8_t> kLoudHarmonics = {0, 0, 0, 0, 0, 20, 127, 0};

// A tone table of its own, built with the parameters the player gives its default tones.
class IndependentTones {
 public:
  IndependentTones(const std::string& waveText, const std::vector<uint8_t>& amplitudes) {
    tables.Build();
    toneTable.Init(&tables);
    UnitParams params;
    params.shape = 1;
    params.ratio = 10;
    params.reserved1 = 1;
    params.cents = 0;
    params.attenuation = 0;
    WaveFormat format;
    format.mode = 1;
    format.bitsPerSample = 8;
    format.length = static_cast<uint32_t>(waveText.size() / 2);
    toneTable.AddSampledWaveOscillator(1, 1, params, format, waveText, true);
    toneTable.ToneAt(1)->Link();
    toneTable.AddHarmonicOscillator(2, 1, params, static_cast<uint32_t>(amplitudes.size()),
                                    amplitudes, true);
    toneTable.ToneAt(2)->Link();
  }

  // What the tone renders for an index, as 16 bits held at full scale.
  int16_t Sample(int32_t tone, int32_t note, int64_t index) {
    Tone* t = toneTable.GetTone(tone);
    t->SetSampleRate(44100);
    t->SetNote(note, 0);
    return reference::Saturate(t->Render(static_cast<int32_t>(index), 0));
  }

 private:
  PitchTables tables;
  ToneTable toneTable;
};

bool WaitUntilStopped(Player& player) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (player.IsPlaying()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Plays `tone` through one whole run and a little of the next, keeping the samples around the
// wrap: the last kMargin of the run and the first kMargin of the next.
std::vector<int16_t> AroundTheWrap(Player& player, CaptureAudioDevice& device, int32_t tone) {
  const uint64_t wrapByte = 2 * kRun;
  device.ClearCaptured();
  device.SetWindows({{wrapByte - 2 * kMargin, wrapByte + 2 * kMargin}});
  player.SetCurrentTone(tone);
  player.Play();
  const bool reached = device.WaitForBytes(wrapByte + 2 * kMargin, 600000);
  player.Stop();
  EXPECT_TRUE(WaitUntilStopped(player));
  EXPECT_TRUE(reached);
  return reference::Samples(device.WindowBytes(0));
}

TEST(LongRun, BothTonesPlayThroughTheIndexWrapExactly) {
  const std::string wave = RampText();
  CaptureAudioDevice device;  // kImmediate: blocks come back as soon as they are queued
  Player player(&device);
  player.BuildDefaultTones();
  player.SetWave(wave, 1);
  player.SetHarmonics(kLoudHarmonics);
  player.SetNote(45);
  IndependentTones independent(wave, kLoudHarmonics);

  for (int32_t tone : {1, 2}) {
    SCOPED_TRACE("tone " + std::to_string(tone));
    const std::vector<int16_t> got = AroundTheWrap(player, device, tone);
    ASSERT_EQ(got.size(), static_cast<size_t>(2 * kMargin));

    // Right at the wrap: indexes 3145727 and 3145728, then 0 and 1.
    EXPECT_EQ(got[kMargin - 2], independent.Sample(tone, 45, 3145727));
    EXPECT_EQ(got[kMargin - 1], independent.Sample(tone, 45, 3145728));
    EXPECT_EQ(got[kMargin], independent.Sample(tone, 45, 0));
    EXPECT_EQ(got[kMargin + 1], independent.Sample(tone, 45, 1));

    // And every sample around it.
    size_t mismatches = 0;
    size_t differsFromUnwrapped = 0;
    for (int64_t k = 0; k < 2 * kMargin; ++k) {
      const int64_t index = (kRun - kMargin + k) % kRun;
      mismatches += got[static_cast<size_t>(k)] != independent.Sample(tone, 45, index);
      // Had the index gone on to 3145729 …, the samples after the wrap would differ.
      if (k >= kMargin) {
        differsFromUnwrapped +=
            got[static_cast<size_t>(k)] != independent.Sample(tone, 45, kRun - kMargin + k);
      }
    }
    EXPECT_EQ(mismatches, 0u);
    EXPECT_GT(differsFromUnwrapped, static_cast<size_t>(kMargin / 2));
  }

  // The loud harmonics really go beyond 16 bits somewhere, so saturation was part of the check.
  int32_t loudest = 0;
  for (int32_t i = 0; i < 200; ++i) {
    const int32_t value = player.Tones().GetTone(2)->Render(i, 0);
    loudest = std::max(loudest, value < 0 ? -value : value);
  }
  EXPECT_GT(loudest, 32767);
}

}  // namespace
