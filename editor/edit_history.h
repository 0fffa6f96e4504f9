// Undo and redo of the wave: every user action that changes the data (samples, harmonic
// attenuations, length, mode), the chip target or the height becomes one step on a QUndoStack
// holding them before and after. Owned by the EditSession.
#pragma once

#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "editor/wave_state.h"
#include "formats/chip_target.h"
#include "formats/wave_height.h"

class WaveEditorModel;

class EditHistory {
 public:
  // Steps kept; the oldest go first. A step holds two states of at most 64 samples and 64
  // attenuations, so the whole history stays below a few hundred kilobytes.
  static constexpr int kStepLimit = 1000;

  // The waves of a bank and which one the model edits. The current wave's slot is not kept up to
  // date: the model holds that wave. Steps share the list until a bank change makes a new one.
  struct Bank {
    std::shared_ptr<const std::vector<WaveState>> waves;
    int32_t current = 0;

    bool operator==(const Bank&) const = default;
  };

  // What a step puts back: the data, the chip target they were made for, the height of a wave
  // meant for no chip, and the bank.
  struct Snapshot {
    WaveState state;
    ChipTarget target = ChipTarget::kNone;
    int32_t height = kFullHeight;
    Bank bank;
  };

  // `restored` runs after an undo or redo has put a state back into the model; `bank` (not owned,
  // may be null) is taken and put back with every step.
  EditHistory(WaveEditorModel& model, std::function<void()> restored, Bank* bank = nullptr);

  Snapshot Take() const;
  // Records the action `name` that turned the data of `before` into the model's data now; an
  // action that changed no data, no target and no height records nothing. A new step drops what
  // could be redone.
  void Record(const QString& name, const Snapshot& before);
  void Undo() { stack.undo(); }
  void Redo() { stack.redo(); }
  void Clear() { stack.clear(); }
  QUndoStack& Stack() { return stack; }
  const QUndoStack& Stack() const { return stack; }

  // Whether two states differ in their data; the view and the note are not data.
  static bool DataDiffers(const WaveState& a, const WaveState& b);

 private:
  class Step;
  // Puts the target, the height and the data of `snapshot` into the model, keeping its view and
  // note.
  void Apply(const Snapshot& snapshot);

  WaveEditorModel& model;
  std::function<void()> restored;
  Bank* bank;
  QUndoStack stack;
};
