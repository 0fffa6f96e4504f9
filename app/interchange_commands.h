// The pane menu's wave interchange with other tools: Paste in any format, Paste as and Copy as a
// named format, the chip Target that every edit snaps to, and the height of a wave for no chip.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <map>
#include <optional>

#include "formats/chip_target.h"
#include "formats/wave_formats.h"

class EditorCommands;
class EditSession;
class WaveEditor;
struct PasteOutcome;
class QAction;
class QLabel;
class QTimer;
class QMenu;

class InterchangeCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(InterchangeCommands)

 public:
  // Adds the commands through `commands` (on its session) and the submenus to `menu`.
  InterchangeCommands(EditorCommands& commands, QMenu* menu);

  // Reads the clipboard as `format`, or as whichever format it is in, into the wave as one step,
  // and tells in a line above the pane how it was read; a text that is no wave gets a message and
  // changes nothing. In the harmonics view any-format paste is the Paste button's. `height` (16,
  // 32, 64, 256) reads the clipboard as the Furnace text it is at that height.
  void PasteWave(std::optional<WaveFormatId> format, int32_t height = 0);
  // Puts the wave on the clipboard in `format`, exactly as that tool writes it, at the wave's
  // height (the Furnace texts; the other formats have their own).
  void CopyWave(WaveFormatId format);
  // Makes the wave for `target` (one step: the samples snap, the length comes to one the chip
  // plays) and remembers the choice.
  void ChooseTarget(ChipTarget target);
  // Takes the remembered target at start.
  void ApplyRememberedTarget();

  // How a paste was read, as shown above the pane.
  static QString ReportOf(const PasteOutcome& outcome, ChipTarget target);
  QAction* PasteAsAction(WaveFormatId format) const { return pasteAs.at(format); }
  QAction* CopyAsAction(WaveFormatId format) const { return copyAs.at(format); }
  QAction* PasteFurnaceAction(int32_t height) const { return pasteAtHeight.at(height); }
  QAction* CopyForTargetAction() const { return copyForTarget; }
  QAction* TargetAction(ChipTarget target) const { return targets.at(target); }
  QAction* HeightAction(int32_t height) const { return heights.at(height); }

 private:
  void UpdateStates();
  void Report(const QString& text);

  EditSession& session;
  WaveEditor& pane;
  QMenu* pasteAsMenu = nullptr;
  QMenu* copyAsMenu = nullptr;
  std::map<WaveFormatId, QAction*> pasteAs;
  std::map<WaveFormatId, QAction*> copyAs;
  QMenu* pasteAtHeightMenu = nullptr;
  std::map<int32_t, QAction*> pasteAtHeight;
  QAction* copyForTarget = nullptr;
  std::map<ChipTarget, QAction*> targets;
  QMenu* heightMenu = nullptr;
  std::map<int32_t, QAction*> heights;
  QLabel* report = nullptr;
  QTimer* reportTimer = nullptr;
};
