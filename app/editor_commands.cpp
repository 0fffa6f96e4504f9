#include "app/main_dialog.h"

#include "app/editor_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QUndoStack>

#include "app/edit_history.h"
#include "app/language.h"

EditorCommands::EditorCommands(MainDialog& dialog) : QObject(&dialog), dialog(dialog) {
  paneMenu = new QMenu(&dialog);
  paneMenu->setObjectName(QStringLiteral("paneMenu"));

  // Undo and redo.
  QUndoStack& undoStack = dialog.History().Stack();
  QAction* undo = Add(Id::kUndo, QT_TR_NOOP("Undo"), QKeySequence::Undo);
  connect(undo, &QAction::triggered, this, [this] { this->dialog.UndoCommand(); });
  connect(&undoStack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
  QAction* redo = Add(Id::kRedo, QT_TR_NOOP("Redo"));
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(redo, &QAction::triggered, this, [this] { this->dialog.RedoCommand(); });
  connect(&undoStack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
  paneMenu->addAction(undo);
  paneMenu->addAction(redo);
  paneMenu->addSeparator();

  // The clipboard: exactly what the Copy and Paste buttons do.
  connect(Add(Id::kCopy, QT_TR_NOOP("Copy"), QKeySequence::Copy), &QAction::triggered, this,
          [this] { this->dialog.CopyCommand(); });
  connect(Add(Id::kPaste, QT_TR_NOOP("Paste"), QKeySequence::Paste), &QAction::triggered, this,
          [this] { this->dialog.PasteCommand(); });
  paneMenu->addAction(Action(Id::kCopy));
  paneMenu->addAction(Action(Id::kPaste));
  paneMenu->addSeparator();

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

  dialog.installEventFilter(this);
  UpdateStates();
}

QAction* EditorCommands::Add(Id id, const char* text, const QKeySequence& shortcut) {
  auto* action = new QAction(tr(text), &dialog);
  action->setObjectName(QString::fromLatin1(text));
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  // The shortcut works wherever the focus is in the dialog; the menu shows it beside the text.
  action->setShortcutContext(Qt::WindowShortcut);
  action->setShortcutVisibleInContextMenu(true);
  dialog.addAction(action);
  actions[id] = action;
  sourceTexts[action] = text;
  return action;
}

QMenu* EditorCommands::AddSubmenu(QMenu* parent, const char* title) {
  QMenu* menu = parent->addMenu(tr(title));
  sourceTexts[menu->menuAction()] = title;
  return menu;
}

void EditorCommands::Retranslate() {
  for (const auto& [action, text] : sourceTexts) action->setText(tr(text));
}

bool EditorCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &dialog && event->type() == QEvent::LanguageChange) Retranslate();
  return QObject::eventFilter(watched, event);
}

void EditorCommands::UpdateStates() {
  Action(Id::kUndo)->setEnabled(dialog.History().Stack().canUndo());
  Action(Id::kRedo)->setEnabled(dialog.History().Stack().canRedo());
}

void EditorCommands::PopupPaneMenu(const QPoint& globalPosition) {
  UpdateStates();
  paneMenu->popup(globalPosition);
}
