#include "app/file_commands.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QRegularExpression>
#include <QSettings>
#include <QUndoStack>
#include <QtGlobal>
#include <cmath>
#include <string_view>
#include <vector>

#include "app/editor_commands.h"
#include "app/qt_ui_services.h"
#include "app/wave_editor.h"
#include "editor/edit_session.h"
#include "editor/ui_services.h"
#include "editor/wave_shapes.h"
#include "files/recent_files.h"
#include "files/session_store.h"
#include "files/wav_export.h"
#include "files/wav_import.h"
#include "files/wave_file.h"
#include "formats/text_formats.h"
#include "synth/render_as_played.h"

namespace {

constexpr const char* kContext = "FileCommands";
constexpr int32_t kSingleCycleSize = 2048;
// The length of an exported sound, in seconds.
constexpr double kDefaultSeconds = 2.0;
constexpr double kMinSeconds = 0.1;
constexpr double kMaxSeconds = 600.0;

}  // namespace

FileCommands::FileCommands(EditorCommands& commands)
    : QObject(&commands),
      session(commands.Context().session),
      services(commands.Context().services),
      window(commands.Context().window),
      commands(commands) {
  askPath = [this](const PathQuestion& question) { return AskPathWithQt(question); };
  askNumber = [this](const NumberQuestion& question) { return AskNumberWithQt(question); };

  // The command texts are translated by EditorCommands, in its context.
  QMenu* paneMenu = commands.PaneMenu();
  fileMenu = commands.AddSubmenu(paneMenu, QT_TRANSLATE_NOOP("EditorCommands", "File"));
  fileMenu->setObjectName(QStringLiteral("fileMenu"));
  paneMenu->addSeparator();
  const auto add = [this](const char* text, void (FileCommands::*handler)(),
                          const QKeySequence& shortcut = {}) {
    QAction* action = this->commands.AddCommand(text, shortcut);
    connect(action, &QAction::triggered, this, handler);
    fileMenu->addAction(action);
    return action;
  };

  add(QT_TRANSLATE_NOOP("EditorCommands", "Open..."), &FileCommands::Open,
      QKeySequence(Qt::CTRL | Qt::Key_O));
  recentMenu = commands.AddSubmenu(fileMenu, QT_TRANSLATE_NOOP("EditorCommands", "Open Recent"));
  recentMenu->setObjectName(QStringLiteral("recentMenu"));
  connect(recentMenu, &QMenu::aboutToShow, this, &FileCommands::FillRecentMenu);
  add(QT_TRANSLATE_NOOP("EditorCommands", "Save"), &FileCommands::Save,
      QKeySequence(Qt::CTRL | Qt::Key_S));
  add(QT_TRANSLATE_NOOP("EditorCommands", "Save As..."), &FileCommands::SaveAs,
      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  fileMenu->addSeparator();
  add(QT_TRANSLATE_NOOP("EditorCommands", "Export Sound..."), &FileCommands::AskExportSound);
  add(QT_TRANSLATE_NOOP("EditorCommands", "Export Single Cycle..."),
      &FileCommands::AskExportSingleCycle);
  fileMenu->addSeparator();
  QAction* import = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Import WAV..."));
  connect(import, &QAction::triggered, this, [this] { AskImportWav(false); });
  fileMenu->addAction(import);
  QAction* importFirst = commands.AddCommand(
      QT_TRANSLATE_NOOP("EditorCommands", "Import WAV, First Samples as One Cycle..."));
  connect(importFirst, &QAction::triggered, this, [this] { AskImportWav(true); });
  fileMenu->addAction(importFirst);
  fileMenu->addSeparator();
  QAction* restore =
      commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Restore Last Session"));
  connect(restore, &QAction::triggered, this, [this] { RestoreLastSession(); });
  fileMenu->addAction(restore);
  restoreAtStart =
      commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Restore the Last Session at Start"));
  restoreAtStart->setCheckable(true);
  restoreAtStart->setChecked(RestoresSessionAtStart());
  connect(restoreAtStart, &QAction::toggled, this,
          [](bool on) { QSettings().setValue(QLatin1String(kRestoreAtStartKey), on); });
  fileMenu->addAction(restoreAtStart);

  // The title shows the open file, and the edited mark while the wave differs from it.
  connect(&session, &EditSession::DocumentChanged, this, &FileCommands::UpdateTitle);
  // The title also shows the target and height after every step.
  commands.AddStateUpdate([this] {
    UpdateStates();
    UpdateTitle();
  });
}

QStringList FileCommands::RecentList() {
  return QSettings().value(QLatin1String(RecentFiles::kSettingsKey)).toStringList();
}

bool FileCommands::RestoresSessionAtStart() {
  return QSettings().value(QLatin1String(kRestoreAtStartKey), false).toBool();
}

void FileCommands::UpdateStates() {
  recentMenu->menuAction()->setEnabled(!RecentList().isEmpty());
}

void FileCommands::FillRecentMenu() {
  recentMenu->clear();
  // File names are not translated: the entries are plain actions of this submenu.
  for (const QString& path : RecentList()) {
    QAction* action = recentMenu->addAction(QDir::toNativeSeparators(path));
    connect(action, &QAction::triggered, this, [this, path] { OpenRecent(path); });
  }
}

// ---- The commands as the menu runs them: ask, then do the work.

void FileCommands::Open() {
  const QString path = askPath({false, tr("Open"),
                                tr("Waves (*.zpwave *.fuw *.dmw *.ugw);;Wave documents (*.zpwave);;"
                                   "Furnace waves (*.fuw);;DefleMask waves (*.dmw);;"
                                   "Game Boy tracker waves (*.ugw);;All files (*)"),
                                StartFolder()});
  if (!path.isEmpty()) OpenFile(path);
}

const QString& FileCommands::CurrentFile() const {
  return session.Document().file;
}

void FileCommands::Save() {
  if (CurrentFile().isEmpty()) {
    SaveAs();
  } else {
    SaveFile(CurrentFile());
  }
}

bool FileCommands::MayClose() {
  if (!session.HasUnsavedChanges() || services == nullptr) return true;
  switch (services->AskSaveChanges(QFileInfo(CurrentFile()).fileName().toStdString())) {
    case SaveAnswer::kSave:
      return SaveFile(CurrentFile());
    case SaveAnswer::kDiscard:
      return true;
    case SaveAnswer::kCancel:
      break;
  }
  return false;
}

void FileCommands::SaveAs() {
  const QString path = AskSavePath();
  if (!path.isEmpty()) SaveFile(path);
}

QString FileCommands::AskSavePath() {
  const QString start = CurrentFile().isEmpty()
                            ? QDir(StartFolder()).filePath(tr("wave") + QStringLiteral(".zpwave"))
                            : CurrentFile();
  const QString path =
      askPath({true, tr("Save As"),
               tr("Wave documents (*.zpwave);;"
                  "Furnace waves, the wave only: no mode or harmonics (*.fuw);;"
                  "DefleMask waves, the wave only: at most 64 levels (*.dmw);;"
                  "Game Boy tracker waves, the wave only: 32 samples of 4 bits (*.ugw)"),
               start});
  return path;
}

void FileCommands::AskExportSound() {
  const std::optional<double> seconds = askNumber(
      {tr("Export Sound"), tr("Seconds of sound:"), kDefaultSeconds, kMinSeconds, kMaxSeconds, 1});
  if (!seconds) return;
  const QString start = QDir(StartFolder()).filePath(tr("sound") + QStringLiteral(".wav"));
  const QString path = askPath({true, tr("Export Sound"), tr("WAV sound (*.wav)"), start});
  if (!path.isEmpty()) ExportSound(path, *seconds);
}

void FileCommands::AskExportSingleCycle() {
  const QString start = QDir(StartFolder()).filePath(tr("cycle") + QStringLiteral(".wav"));
  const QString path =
      askPath({true, tr("Export Single Cycle"), tr("WAV sound, one cycle (*.wav)"), start});
  if (!path.isEmpty()) ExportSingleCycle(path);
}

void FileCommands::AskImportWav(bool firstFramesOnly) {
  int32_t firstFrames = kFindPeriod;
  if (firstFramesOnly) {
    const std::optional<double> frames =
        askNumber({tr("Import WAV"), tr("Samples of the file that make one cycle:"),
                   kSingleCycleSize, 2, kMaxCycleFrames, 0});
    if (!frames) return;
    firstFrames = static_cast<int32_t>(*frames);
  }
  const QString path = askPath({false, tr("Import WAV"),
                                tr("Sound files (*.wav *.flac *.ogg *.aif *.aiff);;"
                                   "All files (*)"),
                                StartFolder()});
  if (!path.isEmpty()) ImportWav(path, firstFrames);
}

// ---- The file work.

bool FileCommands::OpenFile(const QString& path) {
  const WaveFileReadResult read = ReadWaveFileOfKind(path);
  if (!read.ok) {
    Refuse(QT_TRANSLATE_NOOP("FileCommands", "“%1” was not opened.\n%2"), path, read.error);
    return false;
  }
  WaveEditorModel& model = session.Model();
  if (read.kind == DocumentKind::kDocument) {
    // A document names its target and height; the wave is fitted to them as it comes in.
    session.Perform(tr("Open"), [this, &model, &read] {
      session.TakeDocumentTarget(read.document.target, read.height);
      const WaveDocument& opened = read.document;
      session.PutBank(opened.waves.empty() ? std::vector{opened.state} : opened.waves,
                      opened.waves.empty() ? 0 : opened.current);
      model.Restore(opened.state);
    });
  } else {
    // The file holds only samples: they come in at their own length (the harmonics follow as the
    // length list has them follow) and height, in the wave view; the mode and the harmonics stay.
    session.Perform(tr("Open"), [this, &model, &read] {
      model.SetWaveHeight(read.height);
      model.SetHarmonicsView(WaveEditorModel::kWaveView);
      model.ReplaceWave(read.samples);
      session.PutBank({model.State()}, 0);
    });
  }
  SetCurrentFile(path, session.DocumentTarget(), read.fuwHeader, {read.givenCount, read.height});
  RememberRecent(path);
  // A wave resampled on the way in, or one the chip target had to fit, differs from its file:
  // the title marks it edited.
  MarkCleanIfMatches(path);
  if (!read.note.Empty()) Show(read.note);
  return true;
}

bool FileCommands::SaveFile(const QString& path) {
  // A file the wave would now hold less of asks first.
  if (QFileInfo(path).absoluteFilePath() == CurrentFile()) {
    switch (AskBeforeWritingLess()) {
      case OverwriteAnswer::kOverwrite:
        break;
      case OverwriteAnswer::kSaveAs: {
        const QString other = AskSavePath();
        return !other.isEmpty() && SaveFile(other);
      }
      case OverwriteAnswer::kCancel:
        return false;
    }
  }
  WaveDocument document;
  document.state = session.Model().State();
  document.target = session.DocumentTarget();
  if (session.WaveCount() > 1) {
    document.waves = session.Waves();
    document.current = session.CurrentWave();
  }
  // A .fuw saved over the one opened keeps its version and name: the same file, byte for byte,
  // when the wave is unchanged.
  const bool sameFile = QFileInfo(path).absoluteFilePath() == CurrentFile();
  const std::optional<FuwHeader> fuwHeader = sameFile ? session.Document().fuwHeader : std::nullopt;
  const WaveFileSaveResult saved =
      SaveWaveFileOfKind(path, document, session.Model().WaveHeight(), fuwHeader);
  if (!saved.written.ok) {
    Refuse(QT_TRANSLATE_NOOP("FileCommands", "“%1” was not saved.\n%2"), path, saved.written.error);
    return false;
  }
  const TextMessage& change = saved.change;
  std::optional<FuwHeader> written = fuwHeader;
  if (KindOfFile(path) == DocumentKind::kFurnace && !written) {
    written = FuwHeader{kFuwVersion, QFileInfo(path).completeBaseName().toStdString()};
  }
  SetCurrentFile(path, document.target, written,
                 {session.Model().GetLength(), session.Model().WaveHeight()});
  RememberRecent(path);
  // A .ugw of another length or depth keeps the edited mark: the file holds less than the wave.
  MarkCleanIfMatches(path);
  if (!change.Empty()) Show(change);
  return true;
}

bool FileCommands::ExportSound(const QString& path, double seconds) {
  if (!(seconds >= kMinSeconds && seconds <= kMaxSeconds)) {
    Show(TextMessage(kContext,
                     QT_TRANSLATE_NOOP("FileCommands",
                                       "A sound of %1 seconds cannot be exported; choose 0.1 to "
                                       "600 seconds."),
                     {QString::number(seconds).toStdString()}));
    return false;
  }
  // What Play sends, also while the editor's own player is playing.
  WaveEditorModel& model = session.Model();
  const auto count = static_cast<int32_t>(std::lround(seconds * Player::kSampleRate));
  const std::vector<int16_t> pcm = RenderAsPlayed(
      WriteWaveText(model.Samples()), static_cast<uint16_t>(model.Mode()), model.Amplitudes(),
      model.IsHarmonicsView() ? 2 : 1, model.GetPlayer().Note(), count);
  if (pcm.empty()) {
    Show(TextMessage(kContext, QT_TRANSLATE_NOOP("FileCommands", "There is no sound to export.")));
    return false;
  }
  const FileResult written = WriteWavPcm16(path, pcm, Player::kSampleRate);
  if (!written.ok) {
    Refuse(QT_TRANSLATE_NOOP("FileCommands", "“%1” was not exported.\n%2"), path, written.error);
    return false;
  }
  return true;
}

bool FileCommands::ExportSingleCycle(const QString& path) {
  const WaveEditorModel& model = session.Model();
  const FileResult written =
      WriteWavPcm16(path, SingleCycle(model.Samples(), model.Mode(), kSingleCycleSize));
  if (!written.ok) {
    Refuse(QT_TRANSLATE_NOOP("FileCommands", "“%1” was not exported.\n%2"), path, written.error);
    return false;
  }
  return true;
}

bool FileCommands::ImportWav(const QString& path, int32_t firstFrames) {
  WaveEditorModel& model = session.Model();
  const WavImportResult cycle = ImportWavCycle(path, model.GetLength(), firstFrames);
  if (!cycle.ok) {
    Refuse(QT_TRANSLATE_NOOP("FileCommands", "“%1” was not imported.\n%2"), path, cycle.error);
    return false;
  }
  session.Perform(tr("Import WAV"), [&model, &cycle] {
    model.SetHarmonicsView(WaveEditorModel::kWaveView);
    model.ReplaceWave(cycle.samples);
  });
  if (cycle.replacedSamples > 0) {
    Show(TextMessage(
        kContext,
        QT_TRANSLATE_NOOP("FileCommands",
                          "%1 samples of “%2” were not numbers (NaN or infinity); "
                          "they were taken as silence."),
        {std::to_string(cycle.replacedSamples), QDir::toNativeSeparators(path).toStdString()}));
  }
  return true;
}

// ---- Helpers.

void FileCommands::Refuse(const char* source, const QString& path, const TextMessage& reason) {
  Show(TextMessage(kContext, source,
                   {QDir::toNativeSeparators(path).toStdString(),
                    QtUiServices::Translate(reason).toStdString()}));
}

void FileCommands::Show(const TextMessage& message) {
  if (services != nullptr) services->ShowMessage(message);
}

void FileCommands::SetCurrentFile(const QString& path, const std::string& target,
                                  std::optional<FuwHeader> fuwHeader,
                                  std::pair<int32_t, int32_t> held) {
  SessionDocument document;
  document.file = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
  document.kind = KindOfFile(path);
  document.target = target;
  document.fuwHeader = std::move(fuwHeader);
  document.heldSamples = held.first;
  document.heldLevels = held.second;
  session.SetDocument(std::move(document));
}

void FileCommands::RememberRecent(const QString& path) {
  QSettings().setValue(QLatin1String(RecentFiles::kSettingsKey),
                       RecentFiles::Add(RecentList(), path));
  UpdateStates();
}

void FileCommands::MarkCleanIfMatches(const QString& path) {
  session.MarkClean(FileMatchesWave(path, session.Model().State()));
}
