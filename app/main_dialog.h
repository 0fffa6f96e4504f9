// The editor's one window: a fixed-size dialog laid out in dialog units that carries the editing
// pane and the buttons, lists and status field that drive it. Each control event becomes one or
// two operations on the pane; the dialog itself holds no wave data.
#pragma once

// The pane's header before Qt's: Qt's keyword macros (slots, signals, emit) must not reach the
// player's headers. For the same reason the dialog declares no signals of its own.
#include "app/wave_editor.h"

#include "app/dialog_units.h"

#include <QCoreApplication>
#include <QDialog>
#include <QIcon>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class AudioDevice;
class EditHistory;
class EditorCommands;
class IconButton;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class UiServices;
struct ButtonIcons;

class MainDialog : public QDialog {
  // Translated texts take this class's name as their context.
  Q_DECLARE_TR_FUNCTIONS(MainDialog)

 public:
  // Control ids of the dialog's template; each control carries its id in the property
  // "controlId" and in its object name "control<id>".
  static constexpr int kIdOk = 1;
  static constexpr int kIdExit = 2;
  static constexpr int kIdPlay = 1000;
  static constexpr int kIdStop = 1001;
  static constexpr int kIdCopy = 1002;
  static constexpr int kIdLengthList = 1003;
  static constexpr int kIdPitchList = 1004;
  static constexpr int kIdStatus = 1005;
  static constexpr int kIdHold = 1006;
  static constexpr int kIdPoly = 1007;
  static constexpr int kIdPaste = 1008;
  static constexpr int kIdHarmonics = 1009;
  // Commands of the system menu.
  static constexpr uint32_t kCommandAbout = 16;
  static constexpr uint32_t kCommandClose = 0xF060;
  // Dialog results.
  static constexpr int kResultOk = 1;
  static constexpr int kResultCancel = 2;

  // Builds and initialises the dialog; the pane plays on `device` (null: silently) and moves its
  // texts through `services`. Neither is owned. The dialog has no parent: it is the
  // application's window.
  MainDialog(const ButtonIcons& icons, AudioDevice* device, UiServices* services);
  ~MainDialog() override;

  // The system-menu command handler: `id` with its low four bits cleared selects the command;
  // the About command runs the About box, anything else gets the default handling (close).
  void OnSysCommand(uint32_t id, intptr_t param);
  // Opens the stand-in for the system menu at `globalPosition`.
  void OpenSystemMenu(const QPoint& globalPosition);

  WaveEditor& Pane() { return pane; }
  // The clipboard and message-box services the dialog was built with (may be null).
  UiServices* Services() const { return services; }
  EditorCommands& Commands() { return *commands; }
  EditHistory& History() { return *history; }
  // What the Copy and Paste commands do: exactly what the Copy and Paste buttons do.
  void CopyCommand() { OnCopy(); }
  void PasteCommand() { OnPaste(); }
  // Undo and redo one step; a stroke still open is closed first.
  void UndoCommand();
  void RedoCommand();
  // Runs one user action that may change the wave (`name` says what it was, as the undo list
  // shows it), then brings the lists and the commands' states in line with the pane.
  void Perform(const QString& name, const std::function<void()>& action);
  // Shows a note put back from a file or the last session: the pane plays `note`, and the pitch
  // list selects its item when the list has one (otherwise the list keeps its item).
  void SelectNote(int32_t note);
  // Opens the pane's context menu at `globalPosition`.
  void OpenPaneMenu(const QPoint& globalPosition);
  QMenu* SystemMenu() const { return systemMenu; }
  const DialogUnits& Units() const { return units; }

  // The OK command: stop, take the control values, end with 1.
  void accept() override;
  // The cancel command (Exit, Esc, the close box): stop, end with 2.
  void reject() override;
  // Every way out (OK, cancel, a signal, the loss of the window) ends here: the File commands
  // keep the last session first.
  void done(int result) override;

  // How many times the fields have been written to the controls.
  int FieldPushCount() const { return fieldPushCount; }

  // Shows on the Hold, Poly, Harmonics and Play buttons (checked, sunken) which mode and view are
  // on and whether the player plays. Runs after every control event and user action, and every
  // 100 ms while the dialog is shown, since the sound ends by itself after a Stop.
  void UpdateButtonStates();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void CreateControls();
  void InitDialog(const ButtonIcons& icons);
  void Bind(QWidget* control, int id, const QRect& unitsRect);
  QPushButton* AddPushButton(int id, const char* text, const QRect& unitsRect);
  IconButton* AddIconButton(int id, const char* text, const QRect& unitsRect);
  QComboBox* AddList(int id, const QRect& unitsRect);

  QAction* AddSystemCommand(const QString& text, uint32_t command);
  // The texts that follow the interface's language.
  void RetranslateUi();

  void TakeControlValues();
  void PushFields();
  void ApplyPitch(int32_t index);
  void ApplyLength(int32_t index);

  void OnPlay();
  void OnStop();
  void OnCopy();
  void OnPaste();
  void OnHold();
  void OnPoly();
  void OnHarmonics();
  void OnPitchChanged();
  void OnLengthChanged();
  void OnPointerReport(int x, int y);
  // Brings the length list in line with the pane and the commands' states up to date.
  void SyncWithPane();
  // A mouse stroke on the pane opens at the press and ends, as one step, after the release.
  void StartStroke();
  void FinishStroke();

  DialogUnits units;
  // Bound controls, in the order of the data exchange.
  IconButton* harmonicsButton = nullptr;
  IconButton* stopButton = nullptr;
  IconButton* playButton = nullptr;
  IconButton* polyButton = nullptr;
  IconButton* holdButton = nullptr;
  QComboBox* pitchList = nullptr;
  QComboBox* lengthList = nullptr;
  QLabel* statusField = nullptr;
  QPushButton* exitButton = nullptr;
  QPushButton* copyButton = nullptr;
  QPushButton* pasteButton = nullptr;
  QMenu* systemMenu = nullptr;
  QAction* closeItem = nullptr;
  QAction* aboutItem = nullptr;
  EditorCommands* commands = nullptr;
  QTimer* playStateTimer = nullptr;
  UiServices* services = nullptr;  // not owned
  std::unique_ptr<EditHistory> history;
  // The data when the left button went down on the pane, while a stroke is open.
  std::unique_ptr<WaveState> strokeBefore;
  // The data exchange fields.
  int32_t pitchIndex = 5;
  int32_t lengthIndex = 4;
  std::string statusText;
  QIcon dialogIcon;
  int fieldPushCount = 0;
  WaveEditor pane;
};
