// The pane menu's bank commands: the bank window (Ctrl+B), the bank as text through the clipboard
// (Copy Bank, Paste Bank), and the bank played as a sequence at a tick rate (Play Sequence),
// morphing between two of its waves (Morph…), also on the bank window's buttons.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <cstdint>

class BankFileCommands;
class BankWindow;
class EditorCommands;
class EditSession;
class QAction;
class QMenu;
class QWidget;
class UiServices;

class BankCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(BankCommands)

 public:
  // Adds the commands through `commands` (on its session) to `menu`.
  BankCommands(EditorCommands& commands, QMenu* menu);

  // The bank window, made at its first showing.
  BankWindow& Window();
  void ShowWindow();
  // Puts the bank on the clipboard, one wave per line.
  void CopyBank();
  // Reads the clipboard as a bank, one step; a refused text gets a message naming the line and
  // changes nothing.
  void PasteBank();
  // Hands the bank's waves to the player and plays them looping at the chosen tick rate; while a
  // sequence plays, stops it (and the sound, when it started it).
  void TogglePlaySequence();
  // Opens the Morph dialog for the bank (window-modal, on the bank window when it shows).
  void ShowMorph();
  // The tick rate chosen in the menu (60 Hz unless 50 Hz was chosen), remembered.
  static int32_t SequenceRate();

 private:
  EditSession& session;
  UiServices* services;
  QWidget& dialog;
  BankWindow* window = nullptr;
  BankFileCommands* bankFiles = nullptr;  // Export Bank as Files…, also in the window's strip
  // Whether the running sequence started the sound, which then ends with it.
  bool sequenceStartedSound = false;

  // Hands the bank as it is now to the player's sequence.
  void HandOverSequence();
};
