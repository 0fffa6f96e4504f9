// The pane menu's wave interchange with other tools: Paste in any format, Paste as and Copy as a
// named format, and the chip Target that every edit snaps to.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <map>
#include <optional>
#include <string>

#include "formats/chip_target.h"
#include "formats/wave_formats.h"

class EditorCommands;
class MainDialog;
class QAction;
class QMenu;

class InterchangeCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(InterchangeCommands)

 public:
  // Adds the commands through `commands` and the submenus to `menu`.
  InterchangeCommands(MainDialog& dialog, EditorCommands& commands, QMenu* menu);

  // Reads the clipboard as `format`, or as whichever format it is in, into the wave as one step,
  // and tells beside the pane how it was read; a text that is no wave gets a message and changes
  // nothing. In the harmonics view any-format paste is the Paste button's.
  void PasteWave(std::optional<WaveFormatId> format);
  // Reads the clipboard as the Furnace text it is (decimal, hex or signed) at `height` levels.
  void PasteFurnace(int32_t height);
  // Puts the wave on the clipboard in `format`, exactly as that tool writes it, at the wave's
  // height (the Furnace texts; the other formats have their own).
  void CopyWave(WaveFormatId format);
  // Makes the wave for `target` (one step: the samples snap, the length comes to one the chip
  // plays) and remembers the choice.
  void ChooseTarget(ChipTarget target);
  // Takes the remembered target at start.
  void ApplyRememberedTarget();

  // How the last paste was read, as shown beside the pane.
  QString LastReport() const { return lastReport; }
  QAction* PasteAsAction(WaveFormatId format) const { return pasteAs.at(format); }
  QAction* CopyAsAction(WaveFormatId format) const { return copyAs.at(format); }
  QAction* PasteFurnaceAction(int32_t height) const { return pasteAtHeight.at(height); }
  QAction* CopyForTargetAction() const { return copyForTarget; }
  QAction* TargetAction(ChipTarget target) const { return targets.at(target); }

 private:
  void UpdateStates();
  std::optional<std::string> ClipboardText();
  // Takes a read wave as one step and reports how it was read, or shows why not.
  void Take(const WaveReadResult& read);
  void Report(const QString& text);

  MainDialog& dialog;
  QMenu* pasteAsMenu = nullptr;
  QMenu* copyAsMenu = nullptr;
  std::map<WaveFormatId, QAction*> pasteAs;
  QMenu* pasteAtHeightMenu = nullptr;
  std::map<int32_t, QAction*> pasteAtHeight;
  std::map<WaveFormatId, QAction*> copyAs;
  QAction* copyForTarget = nullptr;
  std::map<ChipTarget, QAction*> targets;
  QString lastReport;
};
