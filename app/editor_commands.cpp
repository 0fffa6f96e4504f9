#include "app/main_dialog.h"

#include "app/editor_commands.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QRandomGenerator>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The harmonic series a shape stands for in the harmonics view, if any.
std::optional<HarmonicSeries> SeriesOf(WaveShape shape) {
  switch (shape) {
    case WaveShape::kSine:
      return HarmonicSeries::kSine;
    case WaveShape::kTriangle:
      return HarmonicSeries::kTriangle;
    case WaveShape::kSawtooth:
      return HarmonicSeries::kSawtooth;
    case WaveShape::kSquare:
      return HarmonicSeries::kSquare;
    default:
      return std::nullopt;
  }
}

bool ChangesLength(WaveTransform transform) {
  return transform == WaveTransform::kHalfLength || transform == WaveTransform::kDoubleLength;
}

}  // namespace

EditorCommands::EditorCommands(MainDialog& dialog) : QObject(&dialog), dialog(dialog) {
  connect(Add(Id::kCopy, tr("Copy"), QKeySequence::Copy), &QAction::triggered, this,
          [this] { this->dialog.CopyCommand(); });
  connect(Add(Id::kPaste, tr("Paste"), QKeySequence::Paste), &QAction::triggered, this,
          [this] { this->dialog.PasteCommand(); });

  paneMenu = new QMenu(&dialog);
  paneMenu->setObjectName(QStringLiteral("paneMenu"));
  paneMenu->addAction(Action(Id::kCopy));
  paneMenu->addAction(Action(Id::kPaste));
  paneMenu->addSeparator();
  shapeMenu = paneMenu->addMenu(tr("Shape"));
  shapeMenu->setObjectName(QStringLiteral("shapeMenu"));
  transformMenu = paneMenu->addMenu(tr("Transform"));
  transformMenu->setObjectName(QStringLiteral("transformMenu"));
  // A disabled tool says why in its tooltip.
  shapeMenu->setToolTipsVisible(true);
  transformMenu->setToolTipsVisible(true);
  AddShapes();
  AddTransforms();
  UpdateStates();
}

void EditorCommands::AddShapes() {
  const std::vector<std::pair<WaveShape, QString>> shapes = {
      {WaveShape::kSine, tr("Sine")},          {WaveShape::kTriangle, tr("Triangle")},
      {WaveShape::kSawtooth, tr("Sawtooth")},  {WaveShape::kSquare, tr("Square")},
      {WaveShape::kPulse25, tr("Pulse 25 %")}, {WaveShape::kPulse12, tr("Pulse 12.5 %")},
      {WaveShape::kNoise, tr("Noise")},
  };
  for (const auto& [shape, text] : shapes) {
    QAction* action = shapeMenu->addAction(text);
    connect(action, &QAction::triggered, this,
            [this, shape = shape, text = text] { ApplyShape(shape, text); });
    shapeActions[shape] = action;
  }
}

void EditorCommands::AddTransforms() {
  const std::vector<std::pair<WaveTransform, QString>> transforms = {
      {WaveTransform::kInvert, tr("Invert")},
      {WaveTransform::kReverse, tr("Reverse")},
      {WaveTransform::kRotateLeft, tr("Rotate Left")},
      {WaveTransform::kRotateRight, tr("Rotate Right")},
      {WaveTransform::kNormalize, tr("Normalize")},
      {WaveTransform::kRemoveDc, tr("Remove DC")},
      {WaveTransform::kSmooth, tr("Smooth")},
      {WaveTransform::kLouder, tr("Louder")},
      {WaveTransform::kQuieter, tr("Quieter")},
      {WaveTransform::kHalfLength, tr("Half Length")},
      {WaveTransform::kDoubleLength, tr("Double Length")},
  };
  for (const auto& [transform, text] : transforms) {
    if (transform == WaveTransform::kHalfLength) transformMenu->addSeparator();
    QAction* action = transformMenu->addAction(text);
    connect(action, &QAction::triggered, this,
            [this, transform = transform, text = text] { ApplyTransform(transform, text); });
    transformActions[transform] = action;
  }
}

void EditorCommands::ApplyShape(WaveShape shape, const QString& name) {
  WaveEditorModel& model = dialog.Pane().Model();
  if (model.IsHarmonicsView()) {
    const std::optional<HarmonicSeries> series = SeriesOf(shape);
    if (!series) return;
    dialog.Perform(
        name, [&model, series] { model.SetAmplitudes(MakeHarmonics(*series, model.GetLength())); });
    return;
  }
  // Noise takes a new seed every time.
  const uint32_t seed = QRandomGenerator::global()->generate();
  dialog.Perform(name, [&model, shape, seed] {
    model.SetSamples(SampleSlots(MakeShape(shape, model.GetLength(), seed)));
  });
}

void EditorCommands::ApplyTransform(WaveTransform transform, const QString& name) {
  WaveEditorModel& model = dialog.Pane().Model();
  if (!TransformApplies(transform, model.GetLength())) return;
  if (ChangesLength(transform)) {
    // Both arrays follow, by the length list's rule; Perform brings the list in line.
    const int32_t length =
        transform == WaveTransform::kHalfLength ? model.GetLength() / 2 : model.GetLength() * 2;
    dialog.Perform(name, [this, length] { dialog.Pane().SetLength(length); });
    return;
  }
  if (model.IsHarmonicsView()) return;
  dialog.Perform(name, [&model, transform] {
    if (const auto result = ::ApplyTransform(transform, SignedSamples(model.Samples()))) {
      model.SetSamples(SampleSlots(*result));
    }
  });
}

QAction* EditorCommands::Add(Id id, const QString& text, const QKeySequence& shortcut) {
  auto* action = new QAction(text, &dialog);
  action->setShortcut(shortcut);
  // The shortcut works wherever the focus is in the dialog; the menu shows it beside the text.
  action->setShortcutContext(Qt::WindowShortcut);
  action->setShortcutVisibleInContextMenu(true);
  dialog.addAction(action);
  actions[id] = action;
  return action;
}

void EditorCommands::UpdateStates() {
  const WaveEditorModel& model = dialog.Pane().Model();
  const bool harmonics = model.IsHarmonicsView();
  for (const auto& [shape, action] : shapeActions) {
    const bool enabled = !harmonics || SeriesOf(shape).has_value();
    action->setEnabled(enabled);
    action->setToolTip(enabled ? QString() : tr("Only in the wave view"));
  }
  const int32_t length = model.GetLength();
  for (const auto& [transform, action] : transformActions) {
    QString why;
    if (transform == WaveTransform::kHalfLength && !TransformApplies(transform, length)) {
      why = tr("The wave is already at its shortest, 2 samples");
    } else if (transform == WaveTransform::kDoubleLength && !TransformApplies(transform, length)) {
      why = tr("The wave is already at its longest, 64 samples");
    } else if (harmonics && !ChangesLength(transform)) {
      why = tr("Only in the wave view");
    }
    action->setEnabled(why.isEmpty());
    action->setToolTip(why);
  }
}

void EditorCommands::PopupPaneMenu(const QPoint& globalPosition) {
  UpdateStates();
  paneMenu->popup(globalPosition);
}
