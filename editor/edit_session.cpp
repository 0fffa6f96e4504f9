#include "editor/edit_session.h"

#include <QCoreApplication>

EditSession::EditSession(AudioDevice* device, UiServices* services)
    : services(services), model(device, services), history(model, [this] { StepEnded(); }) {
  connect(&history.Stack(), &QUndoStack::cleanChanged, this, &EditSession::DocumentChanged);
}

// The history's stack clears itself as it goes and would tell its listeners; they may already be
// gone, and so is the document they would read.
EditSession::~EditSession() {
  history.Stack().blockSignals(true);
}

void EditSession::Perform(const QString& name, const std::function<void()>& action) {
  FinishStroke();
  const EditHistory::Snapshot before = history.Take();
  action();
  history.Record(name, before);
  StepEnded();
}

void EditSession::StepEnded() {
  if (model.GetChipTarget() != lastTarget) {
    lastTarget = model.GetChipTarget();
    Q_EMIT TargetChanged(lastTarget);
  }
  Q_EMIT Changed();
}

void EditSession::StartStroke() {
  FinishStroke();
  strokeBefore = std::make_unique<EditHistory::Snapshot>(history.Take());
}

void EditSession::FinishStroke() {
  if (!strokeBefore) return;
  const std::unique_ptr<EditHistory::Snapshot> before = std::move(strokeBefore);
  history.Record(QCoreApplication::translate("EditSession", "Draw"), *before);
  StepEnded();
}

void EditSession::Undo() {
  FinishStroke();
  history.Undo();
}

void EditSession::Redo() {
  FinishStroke();
  history.Redo();
}

void EditSession::SetTarget(ChipTarget target) {
  Perform(QCoreApplication::translate("EditSession", "Target"), [this, target] {
    model.SetChipTarget(target);
    model.ConformToTarget();
  });
}

std::string EditSession::DocumentTarget() const {
  const ChipTarget target = model.GetChipTarget();
  return target == ChipTarget::kNone ? std::string() : ChipTargetOf(target).name;
}

void EditSession::TakeDocumentTarget(const std::string& name, int32_t height) {
  const std::optional<ChipTarget> target = FindChipTarget(name);
  if (target) model.SetChipTarget(*target);
  if (!target || *target == ChipTarget::kNone) model.SetWaveHeight(height);
}

void EditSession::SetHeight(int32_t levels) {
  if (model.GetChipTarget() != ChipTarget::kNone || !IsWaveHeight(levels)) return;
  Perform(QCoreApplication::translate("EditSession", "Height"), [this, levels] {
    model.SetWaveHeight(levels);
    model.ConformToTarget();
  });
}

void EditSession::SetDocument(SessionDocument newDocument) {
  document = std::move(newDocument);
  Q_EMIT DocumentChanged();
}

bool EditSession::IsClean() const {
  return history.Stack().isClean();
}

void EditSession::MarkClean(bool clean) {
  if (clean) {
    history.Stack().setClean();
  } else {
    history.Stack().resetClean();
  }
  Q_EMIT DocumentChanged();
}
