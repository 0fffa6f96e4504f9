#include "formats/chip_target.h"

#include <algorithm>

#include "formats/text_message.h"
#include "formats/wave_depth.h"

namespace {

const std::vector<int32_t> kAllLengths = {2, 4, 8, 16, 32, 64};

const std::vector<ChipTargetInfo> kTargets = {
    {ChipTarget::kNone, "none", QT_TRANSLATE_NOOP("ChipTarget", "None"), 8, kAllLengths,
     WaveFormatId::kHex},
    {ChipTarget::kGameBoy,
     "gameboy",
     QT_TRANSLATE_NOOP("ChipTarget", "Game Boy"),
     4,
     {32},
     WaveFormatId::kGb},
    {ChipTarget::kNamco163,
     "n163",
     QT_TRANSLATE_NOOP("ChipTarget", "Namco 163"),
     4,
     {4, 8, 16, 32, 64},
     WaveFormatId::kN163},
    {ChipTarget::kFds,
     "fds",
     QT_TRANSLATE_NOOP("ChipTarget", "Famicom Disk System"),
     6,
     {64},
     WaveFormatId::kFds},
    {ChipTarget::kPcEngine,
     "pce",
     QT_TRANSLATE_NOOP("ChipTarget", "PC Engine"),
     5,
     {32},
     WaveFormatId::kFurnace},
    {ChipTarget::kScc,
     "scc",
     QT_TRANSLATE_NOOP("ChipTarget", "Konami SCC"),
     8,
     {32},
     WaveFormatId::kFurnaceSigned},
    {ChipTarget::kWonderSwan,
     "wonderswan",
     QT_TRANSLATE_NOOP("ChipTarget", "WonderSwan"),
     4,
     {32},
     WaveFormatId::kFurnace},
};

}  // namespace

const std::vector<ChipTargetInfo>& ChipTargets() {
  return kTargets;
}

const ChipTargetInfo& ChipTargetOf(ChipTarget target) {
  return kTargets[static_cast<size_t>(target)];
}

std::optional<ChipTarget> FindChipTarget(std::string_view name) {
  for (const ChipTargetInfo& info : kTargets) {
    if (name == info.name) return info.target;
  }
  return std::nullopt;
}

int32_t SnapToChip(int32_t v, ChipTarget target) {
  return SnapToDepth(v, ChipTargetOf(target).depthBits);
}

bool ChipAllowsLength(ChipTarget target, int32_t length) {
  const std::vector<int32_t>& lengths = ChipTargetOf(target).lengths;
  return std::find(lengths.begin(), lengths.end(), length) != lengths.end();
}

int32_t ChipHeight(ChipTarget target) {
  return 1 << ChipTargetOf(target).depthBits;
}

WaveReadOptions ReadOptionsFor(ChipTarget target) {
  WaveReadOptions options;
  if (target != ChipTarget::kNone) options.targetHeight = ChipHeight(target);
  options.gameBoyTarget = target == ChipTarget::kGameBoy;
  return options;
}
