#include "app/main_dialog.h"

#include "app/editor_commands.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

EditorCommands::EditorCommands(MainDialog& dialog) : QObject(&dialog), dialog(dialog) {
  connect(Add(Id::kCopy, tr("Copy"), QKeySequence::Copy), &QAction::triggered, this,
          [this] { this->dialog.CopyCommand(); });
  connect(Add(Id::kPaste, tr("Paste"), QKeySequence::Paste), &QAction::triggered, this,
          [this] { this->dialog.PasteCommand(); });

  paneMenu = new QMenu(&dialog);
  paneMenu->setObjectName(QStringLiteral("paneMenu"));
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

void EditorCommands::UpdateStates() {}

void EditorCommands::PopupPaneMenu(const QPoint& globalPosition) {
  UpdateStates();
  paneMenu->popup(globalPosition);
}
