// The main dialog's header first: Qt's keyword macros must not reach the player's headers.
#include "app/main_dialog.h"

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

#include "app/edit_history.h"
#include "app/editor_commands.h"
#include "app/qt_ui_services.h"
#include "editor/ui_services.h"
#include "editor/wave_shapes.h"
#include "files/atomic_file.h"
#include "files/document_file.h"
#include "files/recent_files.h"
#include "files/session_store.h"
#include "files/wav_export.h"
#include "files/wav_import.h"
#include "files/wave_document.h"
#include "formats/chip_target.h"
#include "formats/wave_files.h"
#include "units/harmonic_oscillator.h"
#include "zp/version.h"

namespace {

constexpr const char* kContext = "FileCommands";
constexpr int32_t kSingleCycleSize = 2048;
// The length of an exported sound, in seconds.
constexpr double kDefaultSeconds = 2.0;
constexpr double kMinSeconds = 0.1;
constexpr double kMaxSeconds = 600.0;
// The frames a cycle of "First Samples as One Cycle" may have.
constexpr int32_t kMaxCycleFrames = 1 << 20;

// A file's type by its extension; nothing (a wave document) for any but .fuw, .dmw and .ugw.
std::optional<WaveFileType> KindOf(const QString& path) {
  return WaveFileTypeOfExtension(QFileInfo(path).suffix().toStdString());
}

// The suffix a save dialog's name filter stands for: "zpwave" of "Wave documents (*.zpwave)".
QString SuffixOf(const QString& filter) {
  static const QRegularExpression pattern(QStringLiteral(R"(\(\*\.(\w+))"));
  const QRegularExpressionMatch match = pattern.match(filter);
  return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

FileCommands::FileCommands(MainDialog& dialog, EditorCommands& commands)
    : QObject(&dialog), dialog(dialog), commands(commands) {
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
  connect(&dialog.History().Stack(), &QUndoStack::cleanChanged, this, [this] { UpdateTitle(); });
  commands.AddStateUpdate([this] { UpdateStates(); });
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

void FileCommands::Save() {
  if (currentFile.isEmpty()) {
    SaveAs();
  } else {
    SaveFile(currentFile);
  }
}

void FileCommands::SaveAs() {
  const QString start = currentFile.isEmpty()
                            ? QDir(StartFolder()).filePath(tr("wave") + QStringLiteral(".zpwave"))
                            : currentFile;
  const QString path =
      askPath({true, tr("Save As"),
               tr("Wave documents (*.zpwave);;"
                  "Furnace waves, the wave only: no mode or harmonics (*.fuw);;"
                  "Game Boy tracker waves, the wave only: 32 samples of 4 bits (*.ugw)"),
               start});
  if (!path.isEmpty()) SaveFile(path);
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
  WaveEditorModel& model = dialog.Pane().Model();
  const std::optional<WaveFileType> kind = KindOf(path);
  TextMessage note;
  if (!kind) {
    const DocumentReadResult read = LoadWaveDocument(path);
    if (!read.ok) {
      Refuse(QT_TRANSLATE_NOOP("FileCommands", "“%1” was not opened.\n%2"), path, read.error);
      return false;
    }
    const WaveState& state = read.document.state;
    dialog.Perform(tr("Open"), [&model, &state] { model.Restore(state); });
    dialog.SelectNote(state.note);
    documentTarget = read.document.target;
    documentHeight = read.document.height;
    openedFuw.reset();
  } else {
    FuwHeader header;
    const WaveReadResult wave = LoadWaveFile(path, *kind, &header);
    if (!wave.ok) {
      Refuse(QT_TRANSLATE_NOOP("FileCommands", "“%1” was not opened.\n%2"), path, wave.error);
      return false;
    }
    // The file holds only samples: they come in at their own length (the harmonics follow as the
    // length list has them follow), in the wave view; the mode and the harmonics stay.
    const std::vector<uint16_t> codes = SampleSlots(wave.samples);
    dialog.Perform(tr("Open"), [this, &model, &codes] {
      dialog.Pane().SetHarmonicsView(WaveEditorModel::kWaveView);
      dialog.Pane().SetLength(static_cast<int32_t>(codes.size()));
      model.SetSamples(codes);
    });
    documentTarget.clear();
    documentHeight = wave.height;
    note = OpenedWaveNote(wave);
    openedFuw = *kind == WaveFileType::kFuw ? std::optional<FuwHeader>(header) : std::nullopt;
  }
  SetCurrentFile(path);
  RememberRecent(path);
  // A wave resampled on the way in differs from its file: the title marks it edited.
  MarkCleanIfMatches(path);
  if (!note.Empty()) Show(note);
  return true;
}

bool FileCommands::SaveFile(const QString& path) {
  WaveEditorModel& model = dialog.Pane().Model();
  std::string bytes;
  TextMessage change;
  std::optional<FuwHeader> written;
  if (const std::optional<WaveFileType> kind = KindOf(path)) {
    // A .fuw saved over the one opened keeps its version and name: the same file, byte for byte,
    // when the wave is unchanged.
    FuwHeader header;
    header.name = QFileInfo(path).completeBaseName().toStdString();
    if (openedFuw && QFileInfo(path).absoluteFilePath() == currentFile) header = *openedFuw;
    const WaveFileWriting file =
        WriteWaveFile(SignedSamples(model.Samples()), WaveHeight(), *kind, header);
    if (!file.ok) {
      Show(TextMessage(kContext,
                       QT_TRANSLATE_NOOP("FileCommands",
                                         "“%1” was not saved: this editor reads .%2 files but "
                                         "does not write them."),
                       {QDir::toNativeSeparators(path).toStdString(), WaveFileExtension(*kind)}));
      return false;
    }
    bytes.assign(file.bytes.begin(), file.bytes.end());
    change = file.change;
    if (*kind == WaveFileType::kFuw) written = header;
  } else {
    WaveDocument document;
    document.state = model.State();
    document.target = documentTarget;
    document.height = WaveHeight();
    bytes = WriteWaveDocument(document);
  }
  const FileResult saved = WriteFileAtomic(path, bytes);
  if (!saved.ok) {
    Refuse(QT_TRANSLATE_NOOP("FileCommands", "“%1” was not saved.\n%2"), path, saved.error);
    return false;
  }
  openedFuw = written;
  SetCurrentFile(path);
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
  // A scratch player holding the same wave and harmonics renders what Play sends, also while
  // the editor's own player is playing.
  WaveEditorModel& model = dialog.Pane().Model();
  Player& player = model.GetPlayer();
  Player scratch;
  scratch.BuildDefaultTones();
  scratch.SetWave(player.GetWaveText(), static_cast<uint16_t>(model.Mode()));
  if (const HarmonicOscillator* harmonics = player.Tones().GetHarmonicOscillator(1)) {
    scratch.SetHarmonics(harmonics->Amplitudes());
  }
  const int32_t tone = model.IsHarmonicsView() ? 2 : 1;
  const auto count = static_cast<int32_t>(std::lround(seconds * Player::kSampleRate));
  const std::vector<int16_t> pcm = scratch.RenderPcm(tone, player.Note(), count);
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
  const WaveEditorModel& model = dialog.Pane().Model();
  const FileResult written =
      WriteWavPcm16(path, SingleCycle(model.Samples(), model.Mode(), kSingleCycleSize));
  if (!written.ok) {
    Refuse(QT_TRANSLATE_NOOP("FileCommands", "“%1” was not exported.\n%2"), path, written.error);
    return false;
  }
  return true;
}

bool FileCommands::ImportWav(const QString& path, int32_t firstFrames) {
  WaveEditorModel& model = dialog.Pane().Model();
  const WavImportResult cycle = ImportWavCycle(path, model.GetLength(), firstFrames);
  if (!cycle.ok) {
    Refuse(QT_TRANSLATE_NOOP("FileCommands", "“%1” was not imported.\n%2"), path, cycle.error);
    return false;
  }
  const std::vector<uint16_t> codes = SampleSlots(cycle.samples);
  dialog.Perform(tr("Import WAV"), [this, &model, &codes] {
    dialog.Pane().SetHarmonicsView(WaveEditorModel::kWaveView);
    model.SetSamples(codes);
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
  WaveEditorModel& model = dialog.Pane().Model();
  const WaveState& state = read.document.state;
  dialog.Perform(tr("Restore Last Session"), [&model, &state] { model.Restore(state); });
  dialog.SelectNote(state.note);
  documentTarget = read.document.target;
  documentHeight = read.document.height;
  SetCurrentFile(QString::fromStdString(read.document.fileName));
  if (!currentFile.isEmpty()) MarkCleanIfMatches(currentFile);
  UpdateTitle();
  return true;
}

bool FileCommands::SaveLastSession() {
  WaveDocument document;
  document.state = dialog.Pane().Model().State();
  document.target = documentTarget;
  document.height = WaveHeight();
  document.fileName = currentFile.toStdString();
  const FileResult saved = SaveSession(document);
  if (!saved.ok) {
    qWarning("%s", qUtf8Printable(QtUiServices::Translate(saved.error)));
  }
  return saved.ok;
}

// ---- Helpers.

int32_t FileCommands::WaveHeight() const {
  const ChipTarget target = dialog.Pane().Model().GetChipTarget();
  return target != ChipTarget::kNone ? ChipHeight(target) : documentHeight;
}

void FileCommands::Refuse(const char* source, const QString& path, const TextMessage& reason) {
  Show(TextMessage(kContext, source,
                   {QDir::toNativeSeparators(path).toStdString(),
                    QtUiServices::Translate(reason).toStdString()}));
}

void FileCommands::Show(const TextMessage& message) {
  if (UiServices* services = dialog.Services()) services->ShowMessage(message);
}

void FileCommands::SetCurrentFile(const QString& path) {
  currentFile = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

void FileCommands::RememberRecent(const QString& path) {
  QSettings().setValue(QLatin1String(RecentFiles::kSettingsKey),
                       RecentFiles::Add(RecentList(), path));
  UpdateStates();
}

void FileCommands::UpdateTitle() {
  const QString product = QStringLiteral(ZP_PRODUCT_NAME);
  if (currentFile.isEmpty()) {
    dialog.setWindowModified(false);
    dialog.setWindowTitle(product);
    return;
  }
  // "[*]" marks where the edited mark goes; one in the name itself is doubled to stay literal.
  QString name = QFileInfo(currentFile).fileName();
  name.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
  dialog.setWindowTitle(name + QStringLiteral("[*] - ") + product);
  dialog.setWindowModified(!dialog.History().Stack().isClean());
}

void FileCommands::MarkCleanIfMatches(const QString& path) {
  QUndoStack& stack = dialog.History().Stack();
  if (FileMatchesWave(path)) {
    stack.setClean();
  } else {
    stack.resetClean();
  }
  UpdateTitle();
}

bool FileCommands::FileMatchesWave(const QString& path) {
  const WaveEditorModel& model = dialog.Pane().Model();
  const std::optional<WaveFileType> kind = KindOf(path);
  if (!kind) {
    const DocumentReadResult read = LoadWaveDocument(path);
    return read.ok && !EditHistory::DataDiffers(read.document.state, model.State());
  }
  const WaveReadResult wave = LoadWaveFile(path, *kind);
  return wave.ok && !wave.resampled && wave.samples == SignedSamples(model.Samples());
}

QString FileCommands::StartFolder() const {
  if (!currentFile.isEmpty()) return QFileInfo(currentFile).absolutePath();
  const QStringList recent = RecentList();
  if (!recent.isEmpty()) return QFileInfo(recent.front()).absolutePath();
  return QDir::homePath();
}

QString FileCommands::AskPathWithQt(const PathQuestion& question) {
  QFileDialog box(&dialog, question.caption, question.start, question.filters);
  box.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  box.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (question.save) {
    // The type follows the start name's extension; a name typed without an extension takes the
    // chosen filter's, before the dialog asks whether to replace an existing file.
    const QString suffix = QFileInfo(question.start).suffix().toLower();
    for (const QString& filter : box.nameFilters()) {
      if (!suffix.isEmpty() && SuffixOf(filter) == suffix) box.selectNameFilter(filter);
    }
    box.setDefaultSuffix(SuffixOf(box.selectedNameFilter()));
    connect(&box, &QFileDialog::filterSelected, &box,
            [&box](const QString& filter) { box.setDefaultSuffix(SuffixOf(filter)); });
  }
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return {};
  return box.selectedFiles().front();
}

std::optional<double> FileCommands::AskNumberWithQt(const NumberQuestion& question) {
  bool ok = false;
  if (question.decimals == 0) {
    const int value = QInputDialog::getInt(
        &dialog, question.title, question.label, static_cast<int>(question.value),
        static_cast<int>(question.min), static_cast<int>(question.max), 1, &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
  }
  const double value =
      QInputDialog::getDouble(&dialog, question.title, question.label, question.value, question.min,
                              question.max, question.decimals, &ok);
  return ok ? std::optional<double>(value) : std::nullopt;
}
