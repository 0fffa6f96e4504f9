// Notes played on the computer keyboard, as trackers do: the pane menu's "Play Notes from the
// Keyboard" (remembered) turns the two letter rows into two and a half octaves of note keys, taken
// by their place on the keyboard; the keypad's / and * move the octave. A line in the pane's corner
// shows that note keys are on, their octave and the note sounding now. MIDI notes go through here
// too, so that both share the player's held notes and the line.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

class EditorCommands;
class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QTimer;
class QWidget;

class NoteKeyCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(NoteKeyCommands)

 public:
  static constexpr int32_t kFirstOctave = 1;
  static constexpr int32_t kLastOctave = 7;
  static constexpr int32_t kDefaultOctave = 4;

  NoteKeyCommands(EditorCommands& commands, QMenu* menu);

  QAction* NoteKeysAction() const { return noteKeys; }
  int32_t Octave() const { return octave; }
  // Sounds or releases a note of the pitch tables (0..95; others are ignored) and shows it. [UI]
  void Note(bool on, int32_t note);
  // The line in the pane's corner ("" while hidden).
  QString Line() const;
  // A note's name as the pitch list writes it: 36 is "o4c", 37 "o4c#".
  static QString NoteName(int32_t note);
  // Note keys play in `other` too (a tool window of the dialog's), but not in number fields;
  // a key held while the focus moves between it and the dialog goes on sounding.
  void PlayIn(QWidget& other);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The semitone above the base octave's C of a note key, or -1.
  static int32_t KeyOffset(const QKeyEvent& event);
  bool TakeKey(QKeyEvent& event);
  void ReleaseAll();
  void SetOctave(int32_t value);
  void UpdateLine();
  // Whether the focus is in a number field, which keeps its keys.
  static bool InNumberField();
  // The dialog or a window given to PlayIn.
  bool PlaysIn(const QObject* window) const;

  EditorCommands& commands;
  QAction* noteKeys = nullptr;
  QAction* octaveDown = nullptr;
  QAction* octaveUp = nullptr;
  QLabel* line = nullptr;
  QTimer* lineTimer = nullptr;
  int32_t octave = kDefaultOctave;
  // The note each held key sounds, by the key's identity (scan code, or key code without one).
  std::map<int32_t, int32_t> heldKeys;
  // The notes held through Note, from the keys and from MIDI.
  std::set<int32_t> liveNotes;
  std::vector<QPointer<QWidget>> otherWindows;
};
