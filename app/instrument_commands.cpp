#include "app/instrument_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "app/editor_commands.h"
#include "app/file_commands.h"
#include "app/qt_ui_services.h"
#include "editor/edit_session.h"
#include "editor/ui_services.h"
#include "editor/wave_shapes.h"
#include "files/atomic_file.h"
#include "files/instrument_file.h"
#include "formats/chip_target.h"

namespace {

constexpr const char* kContext = "InstrumentCommands";

}  // namespace

InstrumentCommands::InstrumentCommands(EditorCommands& commands, QMenu* menu)
    : QObject(&commands),
      session(commands.Context().session),
      services(commands.Context().services),
      files(commands.Files()) {
  exportMenu = commands.AddSubmenu(menu, QT_TRANSLATE_NOOP("EditorCommands", "Export Instrument"));
  QAction* n163 = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Namco 163 (.fti)…"));
  connect(n163, &QAction::triggered, this, [this] { AskExport(FtiChip::kN163); });
  exportMenu->addAction(n163);
  QAction* fds = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "FDS (.fti)…"));
  connect(fds, &QAction::triggered, this, [this] { AskExport(FtiChip::kFds); });
  exportMenu->addAction(fds);
  import = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Import Instrument…"));
  connect(import, &QAction::triggered, this, &InstrumentCommands::AskImport);
  menu->addAction(import);
}

void InstrumentCommands::AddTo(QWidget* widget) {
  widget->setContextMenuPolicy(Qt::ActionsContextMenu);
  widget->addAction(exportMenu->menuAction());
  widget->addAction(import);
}

void InstrumentCommands::AskExport(FtiChip chip) {
  // The instrument is named after its file, by default the open document's.
  const QString name = session.Document().file.isEmpty()
                           ? tr("instrument")
                           : QFileInfo(session.Document().file).completeBaseName();
  const QString path = files.askPath(
      {true,
       chip == FtiChip::kN163 ? tr("Export Namco 163 Instrument") : tr("Export FDS Instrument"),
       tr("Tracker instruments (*.fti)"),
       QDir(files.StartFolder()).filePath(name + QStringLiteral(".fti"))});
  if (!path.isEmpty()) ExportInstrument(path, chip);
}

void InstrumentCommands::AskImport() {
  const QString path =
      files.askPath({false, tr("Import Instrument"),
                     tr("Tracker instruments (*.fti);;All files (*)"), files.StartFolder()});
  if (!path.isEmpty()) ImportInstrument(path);
}

bool InstrumentCommands::ExportInstrument(const QString& path, FtiChip chip) {
  InstrumentFileWrite written;
  if (chip == FtiChip::kN163) {
    written = WriteN163InstrumentFile(LocalPath(path), session.Bank());
  } else {
    written = WriteFdsInstrumentFile(LocalPath(path), SignedSamples(session.Model().Samples()));
  }
  if (!written.written.ok) {
    Refuse(QT_TRANSLATE_NOOP("InstrumentCommands", "“%1” was not exported.\n%2"), path,
           written.written.error);
    return false;
  }
  if (written.snappedSamples > 0) {
    Show(TextMessage(kContext,
                     QT_TRANSLATE_NOOP("InstrumentCommands",
                                       "Samples brought to the nearest of the chip's %2 levels in "
                                       "the instrument: %1."),
                     {std::to_string(written.snappedSamples),
                      std::to_string(chip == FtiChip::kN163 ? 16 : 64)}));
  }
  return true;
}

bool InstrumentCommands::ImportInstrument(const QString& path) {
  const InstrumentFileRead read = ReadInstrumentFile(LocalPath(path));
  if (!read.ok) {
    Refuse(QT_TRANSLATE_NOOP("InstrumentCommands", "“%1” was not imported.\n%2"), path, read.error);
    return false;
  }
  // The waves come in at the chip's height, in the wave view; a chip target fits them to itself.
  const bool fitted = session.TakeBank(tr("Import Instrument"), read.waves, read.height);
  if (read.resampled) {
    Show(TextMessage(
        kContext,
        QT_TRANSLATE_NOOP("InstrumentCommands",
                          "The instrument's waves have %1 samples; they were "
                          "resampled to %2 samples."),
        {std::to_string(read.bank.waves[0].size()), std::to_string(read.waves.waves[0].size())}));
  }
  if (fitted) {
    Show(TextMessage(
        kContext,
        QT_TRANSLATE_NOOP("InstrumentCommands",
                          "The waves were fitted to the target %1: its lengths and levels."),
        {QCoreApplication::translate("ChipTarget", ChipTargetOf(session.Target()).displayName)
             .toStdString()}));
  }
  return true;
}

void InstrumentCommands::Refuse(const char* source, const QString& path,
                                const TextMessage& reason) {
  Show(TextMessage(kContext, source,
                   {QDir::toNativeSeparators(path).toStdString(),
                    QtUiServices::Translate(reason).toStdString()}));
}

void InstrumentCommands::Show(const TextMessage& message) {
  if (services != nullptr) services->ShowMessage(message);
}
