#include "app/note_key_commands.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <array>
#include <utility>

#include "app/command_context.h"
#include "app/editor_commands.h"
#include "app/sound_commands.h"
#include "app/wave_editor.h"
#include "editor/edit_session.h"

namespace {

constexpr char kNoteKeysKey[] = "noteKeys";
constexpr char kOctaveKey[] = "noteKeysOctave";
constexpr int32_t kLineRefreshMs = 100;
constexpr int32_t kNoteCount = 96;

// The note keys in semitones above the base octave's C: the lower letter row from Z, the upper row
// from Q with the digits between. Each key by its X keycode (the scan code Qt gives on X11 and
// Wayland: the evdev code + 8), so that every layout plays the same places, and by its Qt key on a
// platform that gives no scan code.
struct NoteKey {
  uint32_t scanCode;
  int key;
};
constexpr std::array<NoteKey, 29> kNoteKeys = {{
    {52, Qt::Key_Z}, {39, Qt::Key_S}, {53, Qt::Key_X}, {40, Qt::Key_D}, {54, Qt::Key_C},
    {55, Qt::Key_V}, {42, Qt::Key_G}, {56, Qt::Key_B}, {43, Qt::Key_H}, {57, Qt::Key_N},
    {44, Qt::Key_J}, {58, Qt::Key_M}, {24, Qt::Key_Q}, {11, Qt::Key_2}, {25, Qt::Key_W},
    {12, Qt::Key_3}, {26, Qt::Key_E}, {27, Qt::Key_R}, {14, Qt::Key_5}, {28, Qt::Key_T},
    {15, Qt::Key_6}, {29, Qt::Key_Y}, {16, Qt::Key_7}, {30, Qt::Key_U}, {31, Qt::Key_I},
    {18, Qt::Key_9}, {32, Qt::Key_O}, {19, Qt::Key_0}, {33, Qt::Key_P},
}};

// A held key's identity: its scan code, or its Qt key (above every scan code) without one.
int32_t KeyIdentity(const QKeyEvent& event) {
  const quint32 scanCode = event.nativeScanCode();
  return scanCode != 0 ? static_cast<int32_t>(scanCode) : 0x10000 + event.key();
}

}  // namespace

NoteKeyCommands::NoteKeyCommands(EditorCommands& commands, QMenu* menu)
    : QObject(&commands), commands(commands) {
  noteKeys =
      commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Play Notes from the Keyboard"),
                          QKeySequence(Qt::CTRL | Qt::Key_K));
  noteKeys->setCheckable(true);
  QSettings settings;
  noteKeys->setChecked(settings.value(QString::fromLatin1(kNoteKeysKey), false).toBool());
  octave = std::clamp(settings.value(QString::fromLatin1(kOctaveKey), kDefaultOctave).toInt(),
                      kFirstOctave, kLastOctave);
  octaveDown = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Note Keys Octave Down"),
                                   QKeySequence(Qt::KeypadModifier | Qt::Key_Slash));
  octaveUp = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Note Keys Octave Up"),
                                 QKeySequence(Qt::KeypadModifier | Qt::Key_Asterisk));
  connect(octaveDown, &QAction::triggered, this, [this] { SetOctave(octave - 1); });
  connect(octaveUp, &QAction::triggered, this, [this] { SetOctave(octave + 1); });
  connect(noteKeys, &QAction::toggled, this, [this, &commands](bool on) {
    QSettings().setValue(QString::fromLatin1(kNoteKeysKey), on);
    if (!on) ReleaseAll();
    commands.UpdateStates();
    UpdateLine();
  });
  menu->addAction(noteKeys);
  menu->addAction(octaveDown);
  menu->addAction(octaveUp);
  commands.AddStateUpdate([this] {
    octaveDown->setEnabled(noteKeys->isChecked() && octave > kFirstOctave);
    octaveUp->setEnabled(noteKeys->isChecked() && octave < kLastOctave);
  });

  // The line sits in the pane's top left corner and lets the mouse through.
  line = new QLabel(&commands.Context().pane);
  line->setObjectName(QStringLiteral("noteKeysLine"));
  line->setAttribute(Qt::WA_TransparentForMouseEvents);
  line->setStyleSheet(
      QStringLiteral("QLabel { background: rgba(255, 255, 255, 200); "
                     "color: black; padding: 1px 3px; }"));
  line->move(2, 2);
  // The sound ends by itself too (Stop, a release's silence): the line follows it.
  lineTimer = new QTimer(this);
  lineTimer->setInterval(kLineRefreshMs);
  connect(lineTimer, &QTimer::timeout, this, &NoteKeyCommands::UpdateLine);
  lineTimer->start();
  UpdateLine();

  // Note keys play wherever the focus is in the dialog (a list would take letters for its search);
  // menus and other windows keep their keys.
  QWidget& window = commands.Context().window;
  window.installEventFilter(this);
  commands.AddStartUp([this, &window] {
    for (QWidget* control : window.findChildren<QWidget*>()) {
      if (control->window() == &window) control->installEventFilter(this);
    }
  });
}

void NoteKeyCommands::Note(bool on, int32_t note) {
  if (note < 0 || note >= kNoteCount) return;
  Player& player = commands.Context().session.Model().GetPlayer();
  if (on) {
    liveNotes.insert(note);
    // The Low-Latency Preview reaches the player as it does before Play.
    if (!player.IsPlaying()) commands.Sound().BeforePlay();
    player.PlayNote(note);
  } else {
    liveNotes.erase(note);
    player.ReleaseNote(note);
  }
  UpdateLine();
}

QString NoteKeyCommands::NoteName(int32_t note) {
  static const char* const kNames[] = {"c",  "c#", "d",  "d#", "e",  "f",
                                       "f#", "g",  "g#", "a",  "a#", "b"};
  return QStringLiteral("o%1%2").arg(note / 12 + 1).arg(QLatin1String(kNames[note % 12]));
}

QString NoteKeyCommands::Line() const {
  return line->isHidden() ? QString() : line->text();
}

int32_t NoteKeyCommands::KeyOffset(const QKeyEvent& event) {
  for (size_t k = 0; k < kNoteKeys.size(); ++k) {
    const bool same = event.nativeScanCode() != 0 ? event.nativeScanCode() == kNoteKeys[k].scanCode
                                                  : event.key() == kNoteKeys[k].key;
    if (same) return static_cast<int32_t>(k);
  }
  return -1;
}

bool NoteKeyCommands::TakeKey(QKeyEvent& event) {
  const int32_t identity = KeyIdentity(event);
  if (event.type() == QEvent::KeyRelease) {
    if (event.isAutoRepeat()) return heldKeys.count(identity) != 0;
    const auto held = heldKeys.find(identity);
    if (held == heldKeys.end()) return false;
    const int32_t note = held->second;
    heldKeys.erase(held);
    Note(false, note);
    return true;
  }
  // Keys with Ctrl, Alt, Meta or Shift keep their meaning.
  if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  const int32_t offset = KeyOffset(event);
  if (offset < 0) return false;
  if (event.isAutoRepeat() || heldKeys.count(identity) != 0) return true;
  const int32_t note = 12 * (octave - 1) + offset;
  heldKeys[identity] = note;
  Note(true, note);
  return true;
}

void NoteKeyCommands::ReleaseAll() {
  const std::map<int32_t, int32_t> held = std::exchange(heldKeys, {});
  for (const auto& [identity, note] : held) Note(false, note);
}

void NoteKeyCommands::SetOctave(int32_t value) {
  octave = std::clamp(value, kFirstOctave, kLastOctave);
  QSettings().setValue(QString::fromLatin1(kOctaveKey), octave);
  commands.UpdateStates();
  UpdateLine();
}

void NoteKeyCommands::UpdateLine() {
  QStringList parts;
  if (noteKeys->isChecked()) parts << tr("Note keys o%1").arg(octave);
  const int32_t sounding = commands.Context().session.Model().GetPlayer().SoundingNote();
  if (sounding != Player::kSilent && (noteKeys->isChecked() || !liveNotes.empty())) {
    parts << NoteName(sounding);
  }
  const QString text = parts.join(QStringLiteral(" \u00b7 "));
  if (text == line->text() && line->isHidden() == text.isEmpty()) return;
  line->setText(text);
  line->adjustSize();
  line->setHidden(text.isEmpty());
}

bool NoteKeyCommands::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // A number field keeps the keys pressed in it, also those it passes on; a held note key is
  // released there too.
  const bool key = type == QEvent::KeyRelease || (type == QEvent::KeyPress && !InNumberField());
  if (key && noteKeys->isChecked() && TakeKey(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  // A key let go while the window was away would never be released; a key let go in another
  // window that plays note keys is.
  if (type == QEvent::WindowDeactivate && PlaysIn(watched) &&
      !PlaysIn(QApplication::activeWindow())) {
    ReleaseAll();
  }
  return QObject::eventFilter(watched, event);
}

bool NoteKeyCommands::InNumberField() {
  // A spin box's keys go to its line edit.
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr &&
         (qobject_cast<const QAbstractSpinBox*>(focus) != nullptr ||
          qobject_cast<const QAbstractSpinBox*>(focus->parentWidget()) != nullptr);
}

void NoteKeyCommands::PlayIn(QWidget& other) {
  otherWindows.emplace_back(&other);
  other.installEventFilter(this);
  for (QWidget* control : other.findChildren<QWidget*>()) control->installEventFilter(this);
}

bool NoteKeyCommands::PlaysIn(const QObject* window) const {
  if (window == nullptr) return false;
  if (window == &commands.Context().window) return true;
  return std::any_of(otherWindows.begin(), otherWindows.end(),
                     [window](const QPointer<QWidget>& other) { return other == window; });
}
