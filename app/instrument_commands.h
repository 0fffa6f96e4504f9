// The tracker instruments of the bank: Export Instrument ▸ Namco 163 (.fti)… writes the bank's
// waves with a wave sequence through them, FDS (.fti)… the current wave, and Import Instrument…
// takes an instrument's waves in place of the bank as one step. In the pane menu beside the bank
// commands and in the bank window's strip menu; the files themselves are files/instrument_file's.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>

#include "formats/fti_instrument.h"
#include "formats/text_message.h"

class EditorCommands;
class EditSession;
class FileCommands;
class QAction;
class QMenu;
class QWidget;
class UiServices;

class InstrumentCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(InstrumentCommands)

 public:
  // Adds the commands through `commands` (on its session) to `menu`.
  InstrumentCommands(EditorCommands& commands, QMenu* menu);

  // Offers the same commands in `widget`'s context menu.
  void AddTo(QWidget* widget);

  // The file work: each returns false after showing why through the UiServices, and then
  // changes nothing, neither the bank nor any file. A bank the instrument cannot hold is refused
  // with what does not fit; samples brought to the chip's levels are said after the export.
  bool ExportInstrument(const QString& path, FtiChip chip);
  // The instrument's waves (an FDS instrument's one wave) become the bank as one undo step, at
  // the chip's height; under a chip target they are fitted to it, and that is said.
  bool ImportInstrument(const QString& path);

 private:
  void AskExport(FtiChip chip);
  void AskImport();
  void Refuse(const char* source, const QString& path, const TextMessage& reason);
  void Show(const TextMessage& message);

  EditSession& session;
  UiServices* services;
  FileCommands& files;
  QMenu* exportMenu = nullptr;
  QAction* import = nullptr;
};
