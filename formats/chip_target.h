// The sound chips a wave can be made for: how many samples and how many value bits each holds,
// and the text format its trackers exchange waves in.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "formats/wave_formats.h"

enum class ChipTarget { kNone, kGameBoy, kNamco163, kFds, kPcEngine, kScc, kWonderSwan };

struct ChipTargetInfo {
  ChipTarget target;
  const char* name;  // for settings: "none", "gameboy", "n163", "fds", "pce", "scc", "wonderswan"
  const char* displayName;       // English source text, context "ChipTarget"
  int32_t depthBits;             // 8 for None and SCC: our own samples
  std::vector<int32_t> lengths;  // the editor lengths (2, 4, ..., 64) the chip can play
  // The format to copy a wave in for the chip's trackers. Game Boy, N163 and FDS have their own.
  // PC Engine and WonderSwan waves are mostly made in Furnace: "furnace" at the chip's height
  // (0..31, 0..15), as Furnace clamps a larger value. SCC samples are signed 8-bit like ours:
  // "furnace-signed" at height 256 keeps them exactly. None copies the editor's own hex text.
  WaveFormatId copyFormat;
};

// Every target, in the order of ChipTarget.
const std::vector<ChipTargetInfo>& ChipTargets();
const ChipTargetInfo& ChipTargetOf(ChipTarget target);
// The target of a settings name; nothing for an unknown name.
std::optional<ChipTarget> FindChipTarget(std::string_view name);
// The nearest value the chip can hold: SnapToDepth of its depth.
int32_t SnapToChip(int32_t v, ChipTarget target);
// Whether the chip can play a wave of that many samples.
bool ChipAllowsLength(ChipTarget target, int32_t length);
// The height the chip implies: 16, 32, 64 or 256 levels (256 for None and SCC).
int32_t ChipHeight(ChipTarget target);
// How texts read under the target: a Furnace text takes the chip's height when it holds every
// value, and under Game Boy 32 hex digits in any case are a Game Boy wave.
WaveReadOptions ReadOptionsFor(ChipTarget target);
