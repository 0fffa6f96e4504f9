#include "app/edit_history.h"

#include <QUndoCommand>

#include "editor/wave_editor_model.h"

class EditHistory::Step : public QUndoCommand {
 public:
  Step(EditHistory& history, const QString& name, WaveState before, WaveState after)
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
  const WaveState before;
  const WaveState after;
  bool pushed = true;
};

EditHistory::EditHistory(WaveEditorModel& model, std::function<void()> restored)
    : model(model), restored(std::move(restored)) {
  stack.setUndoLimit(kStepLimit);
}

bool EditHistory::DataDiffers(const WaveState& a, const WaveState& b) {
  return a.samples != b.samples || a.amplitudes != b.amplitudes || a.length != b.length ||
         a.mode != b.mode;
}

void EditHistory::Record(const QString& name, const WaveState& before) {
  const WaveState after = model.State();
  if (!DataDiffers(before, after)) return;
  stack.push(new Step(*this, name, before, after));
}

void EditHistory::Apply(const WaveState& state) {
  WaveState target = model.State();
  target.samples = state.samples;
  target.amplitudes = state.amplitudes;
  target.length = state.length;
  target.mode = state.mode;
  model.Restore(target);
  if (restored) restored();
}
