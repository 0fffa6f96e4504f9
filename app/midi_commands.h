// The pane menu's "MIDI Input" submenu: the MIDI system (the ALSA sequencer, or JACK when picked),
// our own input port, and the other inputs with check marks (all connected unless unchecked), all
// remembered; without a MIDI system one line says why. Notes reach the player on the UI thread,
// through the note keys' path.
#pragma once

#include "midi/midi_input.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>
#include <cstdint>
#include <memory>

class EditorCommands;
class NoteKeyCommands;
class QMenu;

class MidiCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(MidiCommands)

 public:
  // MIDI's note 69 (the A above middle C, 440 Hz) is the pitch tables' o4a, 45.
  static constexpr int32_t kMidiOffset = 24;

  MidiCommands(EditorCommands& commands, QMenu* menu, NoteKeyCommands& keys);
  ~MidiCommands() override;

  QMenu* Menu() const { return menu; }
  MidiInput::Status Status() const { return input->GetStatus(); }
  // Brings the submenu up to date with what the MIDI system offers now; runs as it opens.
  void Rebuild();

 private:
  void Choose(MidiInput::System system);
  void SetConnected(const QString& name, bool on);
  void Apply();

  QMenu* menu = nullptr;
  MidiInput::System system = MidiInput::System::kAlsa;
  QStringList leftOut;
  std::unique_ptr<MidiInput> input;
};
