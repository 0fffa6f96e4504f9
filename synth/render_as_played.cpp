#include "synth/render_as_played.h"

#include "synth/player.h"

std::vector<int16_t> RenderAsPlayed(const std::string& waveText, uint16_t mode,
                                    const std::vector<uint8_t>& amplitudes, int32_t tone,
                                    int32_t note, int32_t count) {
  Player player(nullptr);
  player.BuildDefaultTones();
  player.SetWave(waveText, mode);
  if (!amplitudes.empty()) player.SetHarmonics(amplitudes);
  player.SetCurrentTone(tone);
  std::vector<int16_t> pcm = player.RenderPcm(tone, note, count);
  player.ReleaseTones();
  return pcm;
}
