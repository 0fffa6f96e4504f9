// The pane menu's bank commands: the bank window (Ctrl+B), and the bank as text through the
// clipboard (Copy Bank, Paste Bank), also on the bank window's buttons.
#pragma once

#include <QCoreApplication>
#include <QObject>

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

 private:
  EditSession& session;
  UiServices* services;
  QWidget& dialog;
  BankWindow* window = nullptr;
};
