#include "app/bank_file_commands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QSettings>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/bank_window.h"
#include "app/editor_commands.h"
#include "app/file_commands.h"
#include "app/qt_ui_services.h"
#include "editor/edit_session.h"
#include "editor/ui_services.h"
#include "files/atomic_file.h"
#include "files/bank_files.h"

namespace {

constexpr char kContext[] = "BankFileCommands";
// The last name chosen, where the next export starts.
constexpr char kLastPathKey[] = "bankExportPath";

std::string Shown(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

std::string NameOf(const std::string& localPath) {
  return QFileInfo(QFile::decodeName(localPath.c_str())).fileName().toStdString();
}

// "lead-01.fuw", "lead-01.fuw, lead-02.fuw", "lead-01.fuw, …, lead-12.fuw".
std::string Names(const std::vector<std::string>& paths) {
  if (paths.size() > 3) return NameOf(paths.front()) + ", …, " + NameOf(paths.back());
  std::string names;
  for (const std::string& path : paths) names += (names.empty() ? "" : ", ") + NameOf(path);
  return names;
}

// Wave numbers (from 1, ascending) as runs: "1–3, 5".
std::string Runs(const std::vector<size_t>& numbers) {
  std::string runs;
  for (size_t i = 0; i < numbers.size();) {
    size_t end = i;
    while (end + 1 < numbers.size() && numbers[end + 1] == numbers[end] + 1) ++end;
    runs += (runs.empty() ? "" : ", ") + std::to_string(numbers[i]);
    if (end > i) runs += "–" + std::to_string(numbers[end]);
    i = end + 1;
  }
  return runs;
}

// What the files could not hold, one line per kind of change with the waves it befell, each line
// led by a line end; empty when every file holds its wave.
std::string ChangeLines(const std::vector<TextMessage>& changes) {
  std::vector<std::pair<QString, std::vector<size_t>>> lines;
  for (size_t k = 0; k < changes.size(); ++k) {
    if (changes[k].Empty()) continue;
    const QString text = QtUiServices::Translate(changes[k]);
    auto line = lines.begin();
    while (line != lines.end() && line->first != text) ++line;
    if (line == lines.end()) line = lines.insert(lines.end(), {text, {}});
    line->second.push_back(k + 1);
  }
  std::string said;
  for (const auto& [text, waves] : lines) {
    const char* source = waves.size() == 1 ? QT_TRANSLATE_NOOP("BankFileCommands", "Wave %1: %2")
                                           : QT_TRANSLATE_NOOP("BankFileCommands", "Waves %1: %2");
    said += "\n" + QtUiServices::Translate(
                       TextMessage(kContext, source, {Runs(waves), text.toStdString()}))
                       .toStdString();
  }
  return said;
}

}  // namespace

BankFileCommands::BankFileCommands(EditorCommands& commands, QObject* parent)
    : QObject(parent),
      commands(commands),
      session(commands.Context().session),
      services(commands.Context().services) {
  exportAction = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Export Bank as Files…"));
  connect(exportAction, &QAction::triggered, this, &BankFileCommands::AskExportBank);
}

void BankFileCommands::AddTo(BankWindow& window) {
  window.Strip()->addAction(exportAction);
  window.Strip()->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void BankFileCommands::AskExportBank() {
  QString start = QSettings().value(QString::fromLatin1(kLastPathKey)).toString();
  if (start.isEmpty()) {
    const QString open = session.Document().file;
    const QFileInfo file(open.isEmpty() ? QDir::home().filePath(tr("wave")) : open);
    start = file.dir().filePath(file.completeBaseName() + QStringLiteral(".fuw"));
  }
  const QString chosen =
      commands.Files().askPath({true, tr("Export Bank as Files"),
                                tr("Furnace waves, one file per wave (*.fuw);;"
                                   "DefleMask waves, one file per wave (*.dmw);;"
                                   "Game Boy tracker waves, one file per wave: 32 samples of 4 "
                                   "bits (*.ugw)"),
                                start,
                                // The name stands for the numbered files, asked about below.
                                false});
  if (!chosen.isEmpty()) ExportBank(chosen);
}

bool BankFileCommands::ExportBank(const QString& chosen) {
  const QFileInfo info(chosen);
  const std::optional<WaveFileType> type = WaveFileTypeOfExtension(info.suffix().toStdString());
  if (!type) {
    Show(TextMessage(kContext,
                     QT_TRANSLATE_NOOP("BankFileCommands",
                                       "“%1” names no wave file type; choose a name ending in "
                                       ".fuw, .dmw or .ugw."),
                     {Shown(chosen)}));
    return false;
  }
  const QString folder = info.absolutePath();
  const std::string base = LocalPath(info.completeBaseName());
  const WaveBank bank = session.Bank();
  const std::vector<std::string> paths =
      BankFilePaths(LocalPath(folder), base, bank.waves.size(), *type);
  std::vector<std::string> there;
  for (const std::string& path : paths) {
    if (QFileInfo::exists(QFile::decodeName(path.c_str()))) there.push_back(path);
  }
  if (!there.empty() && services != nullptr) {
    switch (services->AskOverwrite(TextMessage(
        kContext,
        QT_TRANSLATE_NOOP("BankFileCommands",
                          "%1 of the %2 files to write are already in “%3”: %4.\nOverwrite them?"),
        {std::to_string(there.size()), std::to_string(paths.size()), Shown(folder),
         Names(there)}))) {
      case OverwriteAnswer::kOverwrite:
        break;
      case OverwriteAnswer::kSaveAs:
        AskExportBank();
        return false;
      case OverwriteAnswer::kCancel:
        return false;
    }
  }
  QSettings().setValue(QString::fromLatin1(kLastPathKey), info.absoluteFilePath());

  const std::vector<int32_t> heights(bank.waves.size(), session.Model().WaveHeight());
  const BankFilesResult written = WriteBankFiles(bank, heights, *type, LocalPath(folder), base);
  if (!written.ok) {
    TextMessage before(kContext, QT_TRANSLATE_NOOP("BankFileCommands", "No file was written."));
    if (!written.written.empty()) {
      before = TextMessage(kContext,
                           QT_TRANSLATE_NOOP("BankFileCommands", "Written before it, in “%1”: %2."),
                           {Shown(folder), Names(written.written)});
    }
    Show(TextMessage(
        kContext,
        QT_TRANSLATE_NOOP("BankFileCommands", "The export stopped at wave %1 of %2.\n%3\n%4"),
        {std::to_string(written.failedWave + 1), std::to_string(paths.size()),
         QtUiServices::Translate(written.error).toStdString(),
         QtUiServices::Translate(before).toStdString()}));
    return false;
  }
  const std::string changes = ChangeLines(written.changes);
  if (paths.size() == 1) {
    Show(TextMessage(kContext, QT_TRANSLATE_NOOP("BankFileCommands", "“%1” was written.%2"),
                     {Shown(QFile::decodeName(paths.front().c_str())), changes}));
  } else {
    Show(TextMessage(kContext,
                     QT_TRANSLATE_NOOP("BankFileCommands", "%1 files were written to “%2”: %3.%4"),
                     {std::to_string(paths.size()), Shown(folder), Names(paths), changes}));
  }
  return true;
}

void BankFileCommands::Show(const TextMessage& message) {
  if (services != nullptr) services->ShowMessage(message);
}
