#include "app/midi_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSettings>
#include <set>
#include <string>

#include "app/editor_commands.h"
#include "app/note_key_commands.h"
#include "zp/version.h"

namespace {

constexpr char kSystemKey[] = "midiSystem";
constexpr char kLeftOutKey[] = "midiLeftOut";
constexpr char kJack[] = "jack";
constexpr char kAlsa[] = "alsa";

}  // namespace

MidiCommands::MidiCommands(EditorCommands& commands, QMenu* parent, NoteKeyCommands& keys)
    : QObject(&commands) {
  menu = commands.AddSubmenu(parent, QT_TRANSLATE_NOOP("EditorCommands", "MIDI Input"));
  menu->setObjectName(QStringLiteral("midiMenu"));
  connect(menu, &QMenu::aboutToShow, this, &MidiCommands::Rebuild);
  QSettings settings;
  system = settings.value(QString::fromLatin1(kSystemKey)).toString() == QLatin1String(kJack)
               ? MidiInput::System::kJack
               : MidiInput::System::kAlsa;
  leftOut = settings.value(QString::fromLatin1(kLeftOutKey)).toStringList();
  // Notes arrive on the MIDI system's threads and are played on the UI thread.
  input = std::make_unique<MidiInput>(ZP_PRODUCT_NAME, [this, &keys](bool on, int32_t note) {
    QMetaObject::invokeMethod(
        this, [&keys, on, note] { keys.Note(on, note - kMidiOffset); }, Qt::QueuedConnection);
  });
  Apply();
  Rebuild();
}

// The MIDI thread ends before the object it posts to.
MidiCommands::~MidiCommands() = default;

void MidiCommands::Apply() {
  std::set<std::string> names;
  for (const QString& name : leftOut) names.insert(name.toStdString());
  input->Choose(system, names);
}

void MidiCommands::Choose(MidiInput::System chosen) {
  system = chosen;
  QSettings().setValue(QString::fromLatin1(kSystemKey),
                       QLatin1String(chosen == MidiInput::System::kJack ? kJack : kAlsa));
  Apply();
}

void MidiCommands::SetConnected(const QString& name, bool on) {
  leftOut.removeAll(name);
  if (!on) leftOut.append(name);
  QSettings().setValue(QString::fromLatin1(kLeftOutKey), leftOut);
  Apply();
}

void MidiCommands::Rebuild() {
  menu->clear();
  auto* group = new QActionGroup(menu);
  for (const auto& [choice, text] : {std::pair{MidiInput::System::kAlsa, tr("ALSA Sequencer")},
                                     std::pair{MidiInput::System::kJack, tr("JACK")}}) {
    QAction* action = menu->addAction(text);
    action->setCheckable(true);
    action->setChecked(choice == system);
    action->setActionGroup(group);
    connect(action, &QAction::triggered, this, [this, choice = choice] { Choose(choice); });
  }
  menu->addSeparator();

  const MidiInput::Status status = input->GetStatus();
  const auto addLine = [this](const QString& text) { menu->addAction(text)->setEnabled(false); };
  if (!status.settled || status.system != system) {
    addLine(tr("Looking for MIDI inputs..."));
    return;
  }
  switch (status.problem) {
    case MidiInput::Problem::kNoSequencer:
      addLine(tr("No MIDI: this system has no ALSA sequencer (/dev/snd/seq)"));
      return;
    case MidiInput::Problem::kNoJackServer:
      addLine(tr("No MIDI: no JACK server is running"));
      return;
    case MidiInput::Problem::kOpenFailed:
      addLine(tr("No MIDI: the MIDI system refused the input port (%1)")
                  .arg(QString::fromStdString(status.detail)));
      return;
    case MidiInput::Problem::kNone:
      break;
  }
  addLine(tr("Other programs connect to %1").arg(QString::fromStdString(status.portName)));
  if (status.inputs.empty()) addLine(tr("No other MIDI inputs found"));
  for (size_t i = 0; i < status.inputs.size(); ++i) {
    const QString name = QString::fromStdString(status.inputs[i]);
    QAction* action = menu->addAction(name);
    action->setCheckable(true);
    action->setChecked(!leftOut.contains(name));
    connect(action, &QAction::toggled, this, [this, name](bool on) { SetConnected(name, on); });
  }
}
