// The editor's commands in one list: each a QAction with its text, shortcut and enabled state,
// created here, shown in the pane's context menu and active as the dialog's shortcuts.
#pragma once

#include <QObject>
#include <QPoint>
#include <map>

class MainDialog;
class QAction;
class QMenu;

class EditorCommands : public QObject {
 public:
  enum class Id {
    kUndo,
    kRedo,
    kCopy,
    kPaste,
  };

  // Creates every command for `dialog`, adds them to it as shortcuts and builds the pane menu.
  explicit EditorCommands(MainDialog& dialog);

  QAction* Action(Id id) const { return actions.at(id); }
  QMenu* PaneMenu() const { return paneMenu; }
  // Brings the enabled states up to date, then shows the pane menu at `globalPosition`.
  void PopupPaneMenu(const QPoint& globalPosition);
  // Enables each command that can act on the editor's state now.
  void UpdateStates();

 private:
  QAction* Add(Id id, const QString& text, const QKeySequence& shortcut);

  MainDialog& dialog;
  std::map<Id, QAction*> actions;
  QMenu* paneMenu = nullptr;
};
