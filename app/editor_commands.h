// The editor's commands in one list: each a QAction with its text, shortcut and enabled state,
// created here, shown in the pane's context menu and active as the dialog's shortcuts.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QPoint>
#include <map>

class MainDialog;
class QAction;
class QActionGroup;
class QMenu;

class EditorCommands : public QObject {
  // Translated texts take this class's name as their context.
  Q_DECLARE_TR_FUNCTIONS(EditorCommands)

 public:
  enum class Id {
    kUndo,
    kRedo,
    kCopy,
    kPaste,
    kLanguageJapanese,
    kLanguageEnglish,
  };

  // Creates every command for `dialog`, adds them to it as shortcuts and builds the pane menu.
  explicit EditorCommands(MainDialog& dialog);

  QAction* Action(Id id) const { return actions.at(id); }
  QMenu* PaneMenu() const { return paneMenu; }
  // Brings the enabled states up to date, then shows the pane menu at `globalPosition`.
  void PopupPaneMenu(const QPoint& globalPosition);
  // Enables each command that can act on the editor's state now.
  void UpdateStates();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A command with its source text (marked with QT_TR_NOOP; translated now and again at every
  // change of language).
  QAction* Add(Id id, const char* text, const QKeySequence& shortcut = {});
  // A submenu of the pane menu, titled with a marked source text.
  QMenu* AddSubmenu(QMenu* parent, const char* title);
  void Retranslate();

  MainDialog& dialog;
  std::map<Id, QAction*> actions;
  std::map<QAction*, const char*> sourceTexts;  // actions and submenus' menu actions
  QMenu* paneMenu = nullptr;
};
