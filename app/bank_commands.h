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
class InstrumentCommands;
class NoteKeyCommands;
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
  // Plays the bank as the bank window's sequence controls choose; while a sequence plays, stops
  // it (and the sound, when it started it).
  void TogglePlaySequence();
  // Note keys play in the bank window too (the sequence is played from there).
  void PlayNoteKeysWith(NoteKeyCommands& keys) { noteKeys = &keys; }
  // Opens the Morph dialog for the bank (window-modal, on the bank window when it shows).
  void ShowMorph();

 private:
  EditSession& session;
  UiServices* services;
  QWidget& dialog;
  BankWindow* window = nullptr;
  InstrumentCommands* instruments = nullptr;
  NoteKeyCommands* noteKeys = nullptr;
  BankFileCommands* bankFiles = nullptr;  // Export Bank as Files…, also in the window's strip

  // The Sequence Rate submenu: 60 Hz, 50 Hz and Other Rate…, in step with the bank window.
  void AddSequenceRates(EditorCommands& commands, QMenu* menu);
  // Asks for a rate of 1 to 1000 Hz (window-modal) and chooses it.
  void AskRate();
};
