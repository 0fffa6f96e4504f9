// The editor's commands in one list: each a QAction with its text, shortcut and enabled state,
// created here, shown in the pane's context menu and active as the dialog's shortcuts.
#pragma once

#include <QCoreApplication>
#include <QKeySequence>
#include <QObject>
#include <QPoint>
#include <functional>
#include <map>
#include <vector>

#include "app/command_context.h"
#include "editor/wave_shapes.h"

class InterchangeCommands;
class FileCommands;
class SoundCommands;
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
    kKeyboardToPane,
  };

  // Creates every command on `context`'s session, adds them to its window as shortcuts and
  // builds the pane menu.
  explicit EditorCommands(const CommandContext& context);

  const CommandContext& Context() const { return context; }

  QAction* Action(Id id) const { return actions.at(id); }
  QMenu* PaneMenu() const { return paneMenu; }
  // The File submenu's commands (open, save, export, import, the last session).
  FileCommands& Files() const { return *fileCommands; }
  // The pane menu's submenus of shaping tools. A shape sets the wave in the wave view; in the
  // harmonics view Sine, Triangle, Sawtooth and Square set that harmonic series instead, and the
  // others are disabled. The transforms change the wave and apply in the wave view, except Half
  // and Double Length, which change the length of both (as the length list does).
  QMenu* ShapeMenu() const { return shapeMenu; }
  QMenu* TransformMenu() const { return transformMenu; }
  QAction* ShapeAction(WaveShape shape) const { return shapeActions.at(shape); }
  QAction* TransformAction(WaveTransform transform) const { return transformActions.at(transform); }
  // For the groups of commands that live in files of their own: a command (its source text
  // marked with QT_TRANSLATE_NOOP("EditorCommands", ...), the context it is translated in, now
  // and at every change of language) added to the dialog
  // as a shortcut but to no menu; a submenu of `parent`; a step run by UpdateStates.
  QAction* AddCommand(const char* text, const QKeySequence& shortcut = {});
  QMenu* AddSubmenu(QMenu* parent, const char* title);
  void AddStateUpdate(std::function<void()> update);
  // Steps run once, at the end of the dialog's start-up (settings remembered from earlier runs).
  void AddStartUp(std::function<void()> step);
  void RunStartUp();

  InterchangeCommands& Interchange() { return *interchange; }
  SoundCommands& Sound() { return *sound; }

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
  void Retranslate();
  void AddShapes();
  void AddTransforms();
  void ApplyShape(WaveShape shape, const QString& name);
  void ApplyTransform(WaveTransform transform, const QString& name);

  CommandContext context;
  std::map<Id, QAction*> actions;
  std::map<QAction*, const char*> sourceTexts;  // actions and submenus' menu actions
  std::vector<std::function<void()>> stateUpdates;
  std::vector<std::function<void()>> startUp;
  InterchangeCommands* interchange = nullptr;
  SoundCommands* sound = nullptr;
  std::map<WaveShape, QAction*> shapeActions;
  std::map<WaveTransform, QAction*> transformActions;
  QMenu* paneMenu = nullptr;
  FileCommands* fileCommands = nullptr;
  QMenu* shapeMenu = nullptr;
  QMenu* transformMenu = nullptr;
};
