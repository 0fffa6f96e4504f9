// What a Play sends, rendered offline, for Export Sound and `zpwave render` alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The first `count` samples a Play of `tone` (1: the wave, 2: the harmonics) at `note` sends to
// the stream, from sample index 0, with the wave `waveText` (the editor's hex text) held in
// `mode` and the harmonic attenuations `amplitudes` (empty: the default tones' own). Renders on a
// scratch player, so it may run while the editor's own player plays. Empty when the tone has no
// output or count is below 1. [any]
std::vector<int16_t> RenderAsPlayed(const std::string& waveText, uint16_t mode,
                                    const std::vector<uint8_t>& amplitudes, int32_t tone,
                                    int32_t note, int32_t count);
