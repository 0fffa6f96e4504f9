// The editor's one window: a fixed-size dialog laid out in dialog units that carries the editing
// pane and the buttons, lists and status field that drive it. Each control event becomes one or
// two operations on the pane; the dialog itself holds no wave data.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QIcon>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/dialog_units.h"
#include "app/wave_editor.h"
#include "editor/edit_session.h"

class AudioDevice;
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
  // Everything being edited: the wave, its history, the document and the target.
  EditSession& Session() { return session; }
  // The clipboard and message-box services the dialog was built with (may be null).
  UiServices* Services() const { return services; }
  EditorCommands& Commands() { return *commands; }
  // Ends the dialog at once, without asking about unsaved changes (a signal, the window's loss).
  void Quit();
  // Opens the pane's context menu at `globalPosition`.
  void OpenPaneMenu(const QPoint& globalPosition);
  QMenu* SystemMenu() const { return systemMenu; }
  const DialogUnits& Units() const { return units; }

  // The OK command: stop, take the control values, end with 1. With unsaved changes to an open
  // file it asks first (as reject does).
  void accept() override;
  // The cancel command (Exit, Esc, the close box): stop, end with 2; with unsaved changes to an
  // open file, after asking "Save changes to NAME?" (Cancel stays).
  void reject() override;
  // Every way out (OK, cancel, a signal, the loss of the window) ends here: the File commands
  // keep the last session first.
  void done(int result) override;

  // Shows on the Hold, Poly, Harmonics and Play buttons (checked, sunken) which mode and view are
  // on and whether the player plays. Runs after every control event and user action, and every
  // 100 ms while the dialog is shown, since the sound ends by itself after a Stop.
  void UpdateButtonStates();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void CreateControls();
  void InitDialog(const ButtonIcons& icons);
  void Bind(QWidget* control, int id, const QRect& unitsRect);
  QPushButton* AddPushButton(int id, const char* text, const QRect& unitsRect);
  IconButton* AddIconButton(int id, const char* text, const QRect& unitsRect);
  QComboBox* AddList(int id, const QRect& unitsRect);

  // The system menu (main_dialog_system_menu.cpp).
  void CreateSystemMenu();
  void RetranslateSystemMenu();
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
  // Brings the length and pitch lists in line with the session and the commands' states up to
  // date; runs after every step.
  void SyncWithPane();
  // False when the user keeps the dialog open rather than lose unsaved changes.
  bool MayClose();

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
  // The data exchange fields: the values the controls show, copied to and from them in one go.
  int32_t pitchIndex = 5;
  int32_t lengthIndex = 4;
  std::string statusText;
  QIcon dialogIcon;
  EditSession session;
  WaveEditor pane;
};
