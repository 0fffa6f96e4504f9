#include "app/editor_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QRandomGenerator>
#include <QUndoStack>
#include <optional>
#include <utility>
#include <vector>

#include "app/bank_commands.h"
#include "app/file_commands.h"
#include "app/interchange_commands.h"
#include "app/language.h"
#include "app/midi_commands.h"
#include "app/note_key_commands.h"
#include "app/sound_commands.h"
#include "app/wave_editor.h"
#include "editor/edit_session.h"

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

// The length Half or Double Length gives.
int32_t ChangedLength(WaveTransform transform, int32_t length) {
  return transform == WaveTransform::kHalfLength ? length / 2 : length * 2;
}

}  // namespace

EditorCommands::EditorCommands(const CommandContext& context)
    : QObject(&context.window), context(context) {
  EditSession& session = context.session;
  paneMenu = new QMenu(&context.window);
  paneMenu->setObjectName(QStringLiteral("paneMenu"));
  fileCommands = new FileCommands(*this);

  // Undo and redo.
  QUndoStack& undoStack = session.History();
  QAction* undo = Add(Id::kUndo, QT_TR_NOOP("Undo"), QKeySequence::Undo);
  connect(undo, &QAction::triggered, this, [&session] { session.Undo(); });
  connect(&undoStack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
  QAction* redo = Add(Id::kRedo, QT_TR_NOOP("Redo"));
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(redo, &QAction::triggered, this, [&session] { session.Redo(); });
  connect(&undoStack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
  paneMenu->addAction(undo);
  paneMenu->addAction(redo);
  // The pane takes the keyboard without a click, so that the wave can be edited by keys alone.
  QAction* keyboard =
      Add(Id::kKeyboardToPane, QT_TR_NOOP("Edit with the Keyboard"), QKeySequence(Qt::Key_F6));
  connect(keyboard, &QAction::triggered, this,
          [this] { this->context.pane.setFocus(Qt::ShortcutFocusReason); });
  paneMenu->addAction(keyboard);
  paneMenu->addSeparator();

  // The clipboard: exactly what the Copy and Paste buttons do.
  connect(Add(Id::kCopy, QT_TR_NOOP("Copy"), QKeySequence::Copy), &QAction::triggered, this,
          [&session] { session.Model().Copy(); });
  paneMenu->addAction(Action(Id::kCopy));
  // Paste reads every tool's wave text (the Paste button only the editor's own).
  paneMenu->addAction(Add(Id::kPaste, QT_TR_NOOP("Paste"), QKeySequence::Paste));
  interchange = new InterchangeCommands(*this, paneMenu);
  connect(Action(Id::kPaste), &QAction::triggered, this,
          [this] { interchange->PasteWave(std::nullopt); });
  AddStartUp([this] { interchange->ApplyRememberedTarget(); });
  paneMenu->addSeparator();

  // Shaping tools.
  shapeMenu = AddSubmenu(paneMenu, QT_TR_NOOP("Shape"));
  shapeMenu->setObjectName(QStringLiteral("shapeMenu"));
  transformMenu = AddSubmenu(paneMenu, QT_TR_NOOP("Transform"));
  transformMenu->setObjectName(QStringLiteral("transformMenu"));
  // A disabled tool says why in its tooltip.
  shapeMenu->setToolTipsVisible(true);
  transformMenu->setToolTipsVisible(true);
  AddShapes();
  AddTransforms();
  paneMenu->addSeparator();
  // The bank of waves.
  auto* bank = new BankCommands(*this, paneMenu);
  paneMenu->addSeparator();

  sound = new SoundCommands(*this, paneMenu);
  // Notes from the computer keyboard and from MIDI.
  auto* noteKeys = new NoteKeyCommands(*this, paneMenu);
  new MidiCommands(*this, paneMenu, *noteKeys);
  bank->PlayNoteKeysWith(*noteKeys);

  // The interface's language, remembered and applied at once.
  QMenu* languages = AddSubmenu(paneMenu, QT_TR_NOOP("Language"));
  auto* languageGroup = new QActionGroup(this);
  for (const auto& [id, text, code] :
       {std::tuple{Id::kLanguageJapanese, QT_TR_NOOP("Japanese"), language::kJapanese},
        std::tuple{Id::kLanguageEnglish, QT_TR_NOOP("English"), language::kEnglish}}) {
    QAction* action = Add(id, text);
    action->setCheckable(true);
    action->setActionGroup(languageGroup);
    action->setChecked(language::Current() == QLatin1String(code));
    connect(action, &QAction::triggered, this,
            [code = QString::fromLatin1(code)] { language::Choose(code); });
    languages->addAction(action);
  }

  context.window.installEventFilter(this);
  UpdateStates();
}

void EditorCommands::AddShapes() {
  const std::vector<std::pair<WaveShape, const char*>> shapes = {
      {WaveShape::kSine, QT_TR_NOOP("Sine")},
      {WaveShape::kTriangle, QT_TR_NOOP("Triangle")},
      {WaveShape::kSawtooth, QT_TR_NOOP("Sawtooth")},
      {WaveShape::kSquare, QT_TR_NOOP("Square")},
      {WaveShape::kPulse25, QT_TR_NOOP("Pulse 25 %")},
      {WaveShape::kPulse12, QT_TR_NOOP("Pulse 12.5 %")},
      {WaveShape::kNoise, QT_TR_NOOP("Noise")},
  };
  for (const auto& [shape, text] : shapes) {
    QAction* action = shapeMenu->addAction(tr(text));
    sourceTexts[action] = text;
    connect(action, &QAction::triggered, this,
            [this, shape = shape, action] { ApplyShape(shape, action->text()); });
    shapeActions[shape] = action;
  }
}

void EditorCommands::AddTransforms() {
  const std::vector<std::pair<WaveTransform, const char*>> transforms = {
      {WaveTransform::kInvert, QT_TR_NOOP("Invert")},
      {WaveTransform::kReverse, QT_TR_NOOP("Reverse")},
      {WaveTransform::kRotateLeft, QT_TR_NOOP("Rotate Left")},
      {WaveTransform::kRotateRight, QT_TR_NOOP("Rotate Right")},
      {WaveTransform::kNormalize, QT_TR_NOOP("Normalize")},
      {WaveTransform::kRemoveDc, QT_TR_NOOP("Remove DC")},
      {WaveTransform::kSmooth, QT_TR_NOOP("Smooth")},
      {WaveTransform::kLouder, QT_TR_NOOP("Louder")},
      {WaveTransform::kQuieter, QT_TR_NOOP("Quieter")},
      {WaveTransform::kHalfLength, QT_TR_NOOP("Half Length")},
      {WaveTransform::kDoubleLength, QT_TR_NOOP("Double Length")},
  };
  for (const auto& [transform, text] : transforms) {
    if (transform == WaveTransform::kHalfLength) transformMenu->addSeparator();
    QAction* action = transformMenu->addAction(tr(text));
    sourceTexts[action] = text;
    connect(action, &QAction::triggered, this,
            [this, transform = transform, action] { ApplyTransform(transform, action->text()); });
    transformActions[transform] = action;
  }
}

void EditorCommands::ApplyShape(WaveShape shape, const QString& name) {
  WaveEditorModel& model = context.session.Model();
  if (model.IsHarmonicsView()) {
    const std::optional<HarmonicSeries> series = SeriesOf(shape);
    if (!series) return;
    context.session.Perform(
        name, [&model, series] { model.SetAmplitudes(MakeHarmonics(*series, model.GetLength())); });
    return;
  }
  // Noise takes a new seed every time.
  const uint32_t seed = QRandomGenerator::global()->generate();
  context.session.Perform(name, [&model, shape, seed] {
    model.SetSamples(SampleSlots(MakeShape(shape, model.GetLength(), seed)));
  });
}

void EditorCommands::ApplyTransform(WaveTransform transform, const QString& name) {
  WaveEditorModel& model = context.session.Model();
  context.session.Perform(name, [&model, transform] { model.Transform(transform); });
}

QAction* EditorCommands::Add(Id id, const char* text, const QKeySequence& shortcut) {
  QAction* action = AddCommand(text, shortcut);
  actions[id] = action;
  return action;
}

QAction* EditorCommands::AddCommand(const char* text, const QKeySequence& shortcut) {
  auto* action = new QAction(tr(text), &context.window);
  action->setObjectName(QString::fromUtf8(text));
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  // The shortcut works wherever the focus is in the dialog; the menu shows it beside the text.
  action->setShortcutContext(Qt::WindowShortcut);
  action->setShortcutVisibleInContextMenu(true);
  context.window.addAction(action);
  sourceTexts[action] = text;
  return action;
}

void EditorCommands::AddStartUp(std::function<void()> step) {
  startUp.push_back(std::move(step));
}

void EditorCommands::RunStartUp() {
  for (const auto& step : startUp) step();
}

void EditorCommands::AddStateUpdate(std::function<void()> update) {
  stateUpdates.push_back(std::move(update));
}

QMenu* EditorCommands::AddSubmenu(QMenu* parent, const char* title) {
  QMenu* menu = parent->addMenu(tr(title));
  sourceTexts[menu->menuAction()] = title;
  return menu;
}

void EditorCommands::Retranslate() {
  for (const auto& [action, text] : sourceTexts) action->setText(tr(text));
  UpdateStates();
}

bool EditorCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &context.window && event->type() == QEvent::LanguageChange) Retranslate();
  return QObject::eventFilter(watched, event);
}

void EditorCommands::UpdateStates() {
  for (const auto& update : stateUpdates) update();
  Action(Id::kUndo)->setEnabled(context.session.History().canUndo());
  Action(Id::kRedo)->setEnabled(context.session.History().canRedo());
  const WaveEditorModel& model = context.session.Model();
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
    } else if (ChangesLength(transform) && !model.LengthAllowed(ChangedLength(transform, length))) {
      why = tr("The chip target does not play that length");
    }
    action->setEnabled(why.isEmpty());
    action->setToolTip(why);
  }
}

void EditorCommands::PopupPaneMenu(const QPoint& globalPosition) {
  UpdateStates();
  paneMenu->popup(globalPosition);
}
