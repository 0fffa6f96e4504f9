// The File commands of the pane menu: open and save the editor's own documents and the waves of
// other trackers, export and import WAV, the recent files, the last session and the window title.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "editor/ui_services.h"
#include "formats/text_message.h"
#include "formats/wave_files.h"

class EditSession;
class EditorCommands;
class QAction;
class QWidget;
class UiServices;
class QMenu;

class FileCommands : public QObject {
  // Translated texts take this class's name as their context.
  Q_DECLARE_TR_FUNCTIONS(FileCommands)

 public:
  // The QSettings key of "Restore the Last Session at Start" (off when missing).
  static constexpr const char* kRestoreAtStartKey = "restoreSessionAtStart";

  // What a file dialog asks: to open or to save, its caption, Qt's name filters and the path it
  // starts at.
  struct PathQuestion {
    bool save = false;
    QString caption;
    QString filters;
    QString start;
    // Whether the dialog itself asks before a name that exists is chosen: not when the name only
    // stands for the files to be written.
    bool confirmOverwrite = true;
  };
  // What a number dialog asks; decimals 0 asks for a whole number.
  struct NumberQuestion {
    QString title;
    QString label;
    double value = 0;
    double min = 0;
    double max = 0;
    int decimals = 0;
  };

  // Creates the File submenu at the top of the pane menu through `commands`, and follows the
  // session's document and clean state in the title of the commands' window.
  explicit FileCommands(EditorCommands& commands);

  // The dialogs the commands ask through: Qt's file and number dialogs unless replaced (tests
  // answer them without a window). A path dialog answers an empty string when cancelled, a
  // number dialog nothing.
  std::function<QString(const PathQuestion&)> askPath;
  std::function<std::optional<double>(const NumberQuestion&)> askNumber;

  // The file work itself. Each returns false after showing a message through the
  // UiServices, and then changes nothing: neither the wave nor the open file nor any file.
  // Opens a wave document (.zpwave, any extension but the two below), a Furnace wave (.fuw) or a
  // Game Boy tracker wave (.ugw) as one undo step; a .fuw or .ugw replaces the samples (and the
  // length) and keeps the mode and the harmonics.
  bool OpenFile(const QString& path);
  // Saves atomically as the extension says: a .fuw or .ugw holds only the wave.
  bool SaveFile(const QString& path);
  // Writes the PCM a Play of the current view's tone at the current note sends, `seconds` long
  // (rounded to whole samples at 44 100 Hz), as 16-bit mono WAV; also while playing.
  bool ExportSound(const QString& path, double seconds);
  // Writes one cycle of 2048 values of the wave, drawn as the pane shows it, as 16-bit mono WAV.
  bool ExportSingleCycle(const QString& path);
  // Takes one cycle of a sound file into the wave at its current length as one undo step:
  // `firstFrames` frames, or kFindPeriod (0) to find the cycle.
  bool ImportWav(const QString& path, int32_t firstFrames);
  // Opens an entry of Open Recent; an entry whose file has gone is removed with a message.
  bool OpenRecent(const QString& path);
  // Puts the last session back (wave, view, note, open file) as one undo step. With
  // `quietWhenNone`, no session file yet is no message (the start).
  bool RestoreLastSession(bool quietWhenNone = false);
  // Writes the last session. No message: it runs as the program ends.
  bool SaveLastSession();
  // Whether every exit of the dialog writes the last session: the application turns it on, so
  // that dialogs built elsewhere (tests) keep nothing unless asked to.
  void KeepSessionOnExit(bool on) { keepSessionOnExit = on; }
  // Runs as the dialog ends, by any way out.
  void OnExit() {
    if (keepSessionOnExit) SaveLastSession();
  }
  // Before closing with unsaved changes to an open file: asks "Save changes to NAME?". True when
  // the dialog may close (saved, discarded, or nothing to ask); false on Cancel or a failed save.
  bool MayClose();

  // The open file's absolute path; empty when none.
  const QString& CurrentFile() const;
  // The recent files, newest first.
  static QStringList RecentList();
  // Whether "Restore the Last Session at Start" is on.
  static bool RestoresSessionAtStart();

  QMenu* FileMenu() const { return fileMenu; }
  QMenu* RecentMenu() const { return recentMenu; }
  // The folder a file dialog starts in: the open file's, else the newest recent file's, else home.
  QString StartFolder() const;

 private:
  // The command handlers: ask, then do the file work.
  void Open();
  void Save();
  void SaveAs();
  void AskExportSound();
  void AskExportSingleCycle();
  void AskImportWav(bool firstFramesOnly);
  void FillRecentMenu();
  void UpdateStates();

  // The default dialogs.
  QString AskPathWithQt(const PathQuestion& question);
  std::optional<double> AskNumberWithQt(const NumberQuestion& question);

  // Shows `message` as the reason `path` could not be read or written.
  void Refuse(const char* source, const QString& path, const TextMessage& reason);
  void Show(const TextMessage& message);
  // Makes `path` (absolute) the session's document, with the chip target it holds.
  // `held`: the samples and levels the file holds (0: not known).
  void SetCurrentFile(const QString& path, const std::string& target,
                      std::optional<FuwHeader> fuwHeader = std::nullopt,
                      std::pair<int32_t, int32_t> held = {0, 0});
  void RememberRecent(const QString& path);
  void UpdateTitle();
  // Before saving over the open file: asks when the wave has fewer samples or levels than the file
  // holds (overwrite, save as, cancel); overwrite when there is nothing to ask.
  OverwriteAnswer AskBeforeWritingLess();
  // The Save As dialog; empty when cancelled.
  QString AskSavePath();
  // Marks the wave as saved when it is what `path` now holds, otherwise as edited.
  void MarkCleanIfMatches(const QString& path);

  EditSession& session;
  UiServices* services;
  QWidget& window;
  EditorCommands& commands;
  QMenu* fileMenu = nullptr;
  QMenu* recentMenu = nullptr;
  QAction* restoreAtStart = nullptr;
  bool keepSessionOnExit = false;
};
