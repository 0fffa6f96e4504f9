// The last session (restored at start or from the menu, kept on every exit) and the recent files.
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QtGlobal>

#include "app/file_commands.h"
#include "app/qt_ui_services.h"
#include "editor/edit_session.h"
#include "files/recent_files.h"
#include "files/session_store.h"

namespace {

constexpr const char* kContext = "FileCommands";

}  // namespace

bool FileCommands::RestoreLastSession(bool quietWhenNone) {
  const DocumentReadResult read = LoadSession();
  if (!read.ok) {
    if (read.error.Empty()) {
      if (!quietWhenNone) {
        Show(TextMessage(kContext,
                         QT_TRANSLATE_NOOP("FileCommands", "There is no last session yet.")));
      }
    } else {
      Show(TextMessage(
          kContext,
          QT_TRANSLATE_NOOP("FileCommands", "The last session could not be restored.\n%1"),
          {QtUiServices::Translate(read.error).toStdString()}));
    }
    return false;
  }
  WaveEditorModel& model = session.Model();
  const WaveState& state = read.document.state;
  session.Perform(tr("Restore Last Session"), [this, &model, &state, &read] {
    session.TakeDocumentTarget(read.document.target, read.document.height);
    const std::vector<WaveState>& waves = read.document.waves;
    session.PutBank(waves.empty() ? std::vector{state} : waves,
                    waves.empty() ? 0 : read.document.current);
    model.Restore(state);
  });
  SetCurrentFile(QString::fromStdString(read.document.fileName), session.DocumentTarget());
  if (!CurrentFile().isEmpty()) MarkCleanIfMatches(CurrentFile());
  UpdateTitle();
  return true;
}

bool FileCommands::SaveLastSession() {
  WaveDocument document;
  document.state = session.Model().State();
  document.target = session.DocumentTarget();
  document.height = session.Model().WaveHeight();
  if (session.WaveCount() > 1) {
    document.waves = session.Waves();
    document.current = session.CurrentWave();
  }
  document.fileName = CurrentFile().toStdString();
  const FileResult saved = SaveSession(document);
  if (!saved.ok) {
    qWarning("%s", qUtf8Printable(QtUiServices::Translate(saved.error)));
  }
  return saved.ok;
}

bool FileCommands::OpenRecent(const QString& path) {
  if (!QFileInfo::exists(path)) {
    QSettings().setValue(QLatin1String(RecentFiles::kSettingsKey),
                         RecentFiles::Remove(RecentList(), path));
    UpdateStates();
    Show(TextMessage(kContext,
                     QT_TRANSLATE_NOOP("FileCommands",
                                       "“%1” is no longer there; it was removed from the recent "
                                       "files."),
                     {QDir::toNativeSeparators(path).toStdString()}));
    return false;
  }
  return OpenFile(path);
}
