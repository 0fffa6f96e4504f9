#include "app/main_dialog.h"

#include "app/editor_commands.h"

#include "app/edit_history.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QUndoStack>

EditorCommands::EditorCommands(MainDialog& dialog) : QObject(&dialog), dialog(dialog) {
  QUndoStack& undoStack = dialog.History().Stack();
  QAction* undo = Add(Id::kUndo, tr("Undo"), QKeySequence::Undo);
  connect(undo, &QAction::triggered, this, [this] { this->dialog.UndoCommand(); });
  connect(&undoStack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
  QAction* redo = Add(Id::kRedo, tr("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(redo, &QAction::triggered, this, [this] { this->dialog.RedoCommand(); });
  connect(&undoStack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);

  connect(Add(Id::kCopy, tr("Copy"), QKeySequence::Copy), &QAction::triggered, this,
          [this] { this->dialog.CopyCommand(); });
  connect(Add(Id::kPaste, tr("Paste"), QKeySequence::Paste), &QAction::triggered, this,
          [this] { this->dialog.PasteCommand(); });

  paneMenu = new QMenu(&dialog);
  paneMenu->setObjectName(QStringLiteral("paneMenu"));
  paneMenu->addAction(Action(Id::kUndo));
  paneMenu->addAction(Action(Id::kRedo));
  paneMenu->addSeparator();
  paneMenu->addAction(Action(Id::kCopy));
  paneMenu->addAction(Action(Id::kPaste));
  UpdateStates();
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
  Action(Id::kUndo)->setEnabled(dialog.History().Stack().canUndo());
  Action(Id::kRedo)->setEnabled(dialog.History().Stack().canRedo());
}

void EditorCommands::PopupPaneMenu(const QPoint& globalPosition) {
  UpdateStates();
  paneMenu->popup(globalPosition);
}
