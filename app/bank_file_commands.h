// Export Bank as Files…: the bank's waves as one .fuw, .dmw or .ugw file each, numbered in bank
// order into a folder. A Save dialog chooses the folder, the base name and the type at once:
// "lead.fuw" gives lead-01.fuw, lead-02.fuw … beside it.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>

#include "formats/text_message.h"

class BankWindow;
class EditorCommands;
class EditSession;
class QAction;
class UiServices;

class BankFileCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(BankFileCommands)

 public:
  // The command on `commands`' session; its dialogs are the File commands' (tests answer them
  // there).
  BankFileCommands(EditorCommands& commands, QObject* parent);

  QAction* ExportAction() const { return exportAction; }
  // Offers the command in the context menu of the bank window's strip.
  void AddTo(BankWindow& window);
  // Asks for a name (the last one chosen, else the open file's), then exports.
  void AskExportBank();
  // Writes every wave of the bank as a file named after `chosen` and numbered (see
  // BankFileName), its type from `chosen`'s extension; asks once before replacing files that are
  // there, and says afterwards what was written where and what the files could not hold. A failure
  // names the file and the reason and which files were written before it. True when every file
  // was written.
  bool ExportBank(const QString& chosen);

 private:
  void Show(const TextMessage& message);

  EditorCommands& commands;
  EditSession& session;
  UiServices* services;
  QAction* exportAction = nullptr;
};
