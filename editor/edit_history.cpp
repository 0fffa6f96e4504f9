#include "editor/edit_history.h"

#include <QUndoCommand>

#include "editor/wave_editor_model.h"

class EditHistory::Step : public QUndoCommand {
 public:
  Step(EditHistory& history, const QString& name, Snapshot before, Snapshot after)
      : QUndoCommand(name), history(history), before(std::move(before)), after(std::move(after)) {}

  void undo() override { history.Apply(before); }
  void redo() override {
    // Pushing a step runs redo once; the action itself has already changed the model.
    if (pushed) {
      pushed = false;
      return;
    }
    history.Apply(after);
  }

 private:
  EditHistory& history;
  const Snapshot before;
  const Snapshot after;
  bool pushed = true;
};

EditHistory::EditHistory(WaveEditorModel& model, std::function<void()> restored, Bank* bank)
    : model(model), restored(std::move(restored)), bank(bank) {
  stack.setUndoLimit(kStepLimit);
}

bool EditHistory::DataDiffers(const WaveState& a, const WaveState& b) {
  return a.samples != b.samples || a.amplitudes != b.amplitudes || a.length != b.length ||
         a.mode != b.mode;
}

EditHistory::Snapshot EditHistory::Take() const {
  return {model.State(), model.GetChipTarget(), model.HeightWithoutTarget(),
          bank != nullptr ? *bank : Bank{}};
}

void EditHistory::Record(const QString& name, const Snapshot& before) {
  Snapshot after = Take();
  if (!DataDiffers(before.state, after.state) && before.target == after.target &&
      before.height == after.height && before.bank == after.bank) {
    return;
  }
  stack.push(new Step(*this, name, before, std::move(after)));
}

void EditHistory::Apply(const Snapshot& snapshot) {
  WaveState target = model.State();
  target.samples = snapshot.state.samples;
  target.amplitudes = snapshot.state.amplitudes;
  target.length = snapshot.state.length;
  target.mode = snapshot.state.mode;
  model.SetChipTarget(snapshot.target);
  model.SetWaveHeight(snapshot.height);
  if (bank != nullptr) *bank = snapshot.bank;
  model.Restore(target);
  if (restored) restored();
}
