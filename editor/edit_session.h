// One home for every edit: the session owns the wave model, its undo history, the open stroke,
// the current document (file, kind, clean state) and the chip target. Every change of the wave
// goes through it as one step; the dialog, the pane and the command groups show it and call it,
// and hear of changes through its signals. UI thread only.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/edit_history.h"
#include "editor/wave_editor_model.h"
#include "editor/wave_morph.h"
#include "formats/wave_bank.h"
#include "formats/wave_files.h"

class AudioDevice;
class QUndoStack;
class UiServices;

// The kinds of file a document can be: the editor's own and three trackers' wave files.
enum class DocumentKind { kDocument, kFurnace, kGameBoy, kDefleMask };

// The file the wave was opened from or saved to.
struct SessionDocument {
  QString file;  // absolute path; empty: no file open
  DocumentKind kind = DocumentKind::kDocument;
  std::string target;  // the document's chip target as read, written back when it is saved
  std::optional<FuwHeader> fuwHeader;  // an open .fuw's version and name, written back unchanged
  // The samples and levels the file held when it was opened or saved; 0: not known.
  int32_t heldSamples = 0;
  int32_t heldLevels = 0;
};

class EditSession : public QObject {
  Q_OBJECT

 public:
  // The model plays on `device` (null: silently) and moves its texts through `services`; neither
  // is owned.
  EditSession(AudioDevice* device, UiServices* services);
  ~EditSession() override;

  WaveEditorModel& Model() { return model; }
  const WaveEditorModel& Model() const { return model; }
  UiServices* Services() const { return services; }
  QUndoStack& History() { return history.Stack(); }

  // Runs one user action that may change the wave as one step named `name` (as the undo list
  // shows it); an open stroke is closed first. Nothing changed records nothing.
  void Perform(const QString& name, const std::function<void()>& action);
  // A mouse stroke is one step from the press to its end: StartStroke at the press (closing any
  // stroke still open), FinishStroke at the release or when the pane loses the mouse.
  void StartStroke();
  void FinishStroke();
  bool StrokeOpen() const { return strokeBefore != nullptr; }
  // Undo and redo one step; a stroke still open is closed first.
  void Undo();
  void Redo();
  // Forgets every step (the start-up state is no step).
  void ClearHistory() { history.Clear(); }

  // Fits the wave to `target` as one step (the samples snap, the length comes to one the chip
  // plays); undo puts the target back with the data.
  void SetTarget(ChipTarget target);
  ChipTarget Target() const { return model.GetChipTarget(); }
  // The target as a document names it: its settings name, empty for none.
  std::string DocumentTarget() const;
  // Takes the target and height a document or session names, inside the step that puts its wave
  // back: a chip brings its own height; an empty name keeps the current target, and `height`
  // becomes the height of the wave meant for no chip.
  void TakeDocumentTarget(const std::string& name, int32_t height);
  // Gives a wave meant for no chip the height `levels` (16, 32, 64 or 256) as one step, the
  // samples snapping to its levels; nothing under a chip target, which has its own.
  void SetHeight(int32_t levels);

  // The bank: 1 to kMaxBankWaves waves, of which the model edits the current one. Every change
  // below is one step; choosing a wave hands it to the player at once. The waves share the
  // session's chip target; choosing keeps the pane's view and note.
  int32_t WaveCount() const { return static_cast<int32_t>(bank.waves->size()); }
  int32_t CurrentWave() const { return bank.current; }
  // Wave `index` (0 to WaveCount() − 1) with its data as now.
  WaveState WaveAt(int32_t index) const;
  std::vector<WaveState> Waves() const;
  void ChooseWave(int32_t index);
  // A copy of the current wave after it, which becomes the current one.
  void AddWave();
  // Deletes the current wave unless it is the only one; its right neighbour becomes current.
  void DeleteWave();
  // Moves the current wave by `offset` places, as far as the bank's ends allow.
  void MoveWave(int32_t offset);
  // Moves wave `from` to place `to` (both 0 to WaveCount() − 1), the others closing up behind it;
  // the moved wave becomes the current one. Nothing for a place outside the bank or its own.
  void MoveWaveTo(int32_t from, int32_t to);
  // Leaves only the current wave.
  void ClearBank();
  // Puts `waves` (1 to kMaxBankWaves valid states) in place of the bank as one step named `name`,
  // `current` chosen; false, and nothing changed, when they do not fit.
  bool ReplaceBank(const QString& name, std::vector<WaveState> waves, int32_t current);
  // The bank's waves as signed samples, wave 0 first.
  WaveBank Bank() const;
  // The bank as text, one wave per line in the chip target's copy format (the editor's hex
  // without a target).
  std::string BankText() const;
  // Reads `text` as a bank (ReadBankText) and puts its waves in place of the bank as one step,
  // each snapped to the target like a paste, the first wave current; a refused text changes
  // nothing.
  BankReadResult PasteBank(std::string_view text);
  // Puts `bank` (1 to kMaxBankWaves waves of 2 to 64 samples) in place of the bank as one step
  // named `name`, the first wave current, each wave fitted to the chip target as a paste is. With
  // `height` (a file's), the waves take that height and the pane shows the wave view, as opening a
  // file does. Whether the target changed a wave.
  bool TakeBank(const QString& name, const WaveBank& bank,
                std::optional<int32_t> height = std::nullopt);

  // Puts `steps` (1 to 254) waves morphed from wave `a` to wave `b` (a < b) in place of the waves
  // between them, as one step, each snapped to the wave's height; false, and nothing changed,
  // when the bank would pass kMaxBankWaves.
  bool MorphFill(int32_t a, int32_t b, int32_t steps, MorphKind kind);

  // Within a Perform action (opening a file): `waves` (valid states, 1 to kMaxBankWaves) become
  // the bank and wave `current` goes into the model, keeping the pane's view and note.
  void PutBank(std::vector<WaveState> waves, int32_t current);

  // The current document; SetDocument takes a new one (opened or saved), and the history's clean
  // state says whether the wave is still what its file holds.
  const SessionDocument& Document() const { return document; }
  void SetDocument(SessionDocument newDocument);
  // Whether the wave is what the document's file holds.
  bool IsClean() const;
  void MarkClean(bool clean);
  // An open file whose wave differs from it.
  bool HasUnsavedChanges() const { return !document.file.isEmpty() && !IsClean(); }

 Q_SIGNALS:
  // After every step, undo and redo: the data, the length, the view or the note may differ.
  void Changed();
  // The document's file or its clean state changed.
  void DocumentChanged();
  // A step, undo or redo changed the chip target.
  void TargetChanged(ChipTarget target);

 private:
  UiServices* services;  // not owned
  WaveEditorModel model;
  EditHistory::Bank bank;
  EditHistory history;
  // The data when the left button went down on the pane, while a stroke is open.
  std::unique_ptr<EditHistory::Snapshot> strokeBefore;
  SessionDocument document;
  // The target when the last step ended, to tell when it changes.
  ChipTarget lastTarget = ChipTarget::kNone;

  // Tells the listeners that a step, undo or redo ended.
  void StepEnded();
};
