// MIDI note input through RtMidi: an input port of our own, named after the product, on the ALSA
// sequencer or on JACK, which keyboards and other programs connect to, and connections from every
// other input the system offers unless the user left it out, kept up to date as inputs come and go.
//
// Threads (README's vocabulary): a thread of its own opens the system (and tries one that failed
// again every 5 s), lists its inputs every second and connects them, so that a MIDI system that is
// slow or missing never holds up the caller; the note handler runs on RtMidi's threads. Every
// public operation is [any].
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class MidiInput {
 public:
  enum class System { kNone, kAlsa, kJack };
  // Why the chosen system gives no input.
  enum class Problem {
    kNone,
    kNoSequencer,   // no ALSA sequencer device
    kNoJackServer,  // no JACK server answers
    kOpenFailed,    // the system answered but refused our port
  };
  struct Status {
    System system = System::kNone;
    // False until the thread has opened the chosen system (or failed to).
    bool settled = false;
    Problem problem = Problem::kNone;
    std::string detail;    // the driver's own words for the problem
    std::string portName;  // our own port as others see it
    // The other inputs the system offers, and which of them are connected now.
    std::vector<std::string> inputs;
    std::vector<bool> connected;
  };
  // A note-on (velocity above 0) or a note-off (or note-on with velocity 0), any channel, with
  // its MIDI note number 0..127.
  using NoteHandler = std::function<void(bool on, int32_t note)>;

  // `clientName` names our client and port; nothing is opened before Choose.
  MidiInput(std::string clientName, NoteHandler handler);
  // Closes every port and ends the thread.
  ~MidiInput();
  MidiInput(const MidiInput&) = delete;
  MidiInput& operator=(const MidiInput&) = delete;

  // The system to use, and the inputs (by name) not to connect; the thread applies it at once.
  void Choose(System system, std::set<std::string> leftOut);
  Status GetStatus() const;

  // Reads a note-on or note-off from one MIDI message; false for every other message.
  static bool DecodeNote(const std::vector<unsigned char>& message, bool& on, int32_t& note);

  struct Ports;  // the RtMidi objects, owned and touched by the thread alone

 private:
  void Run();
  // Opens `system` with our port; fills the status' problem on failure.
  void Open(System system, Ports& ports, Status& status);
  // Connects the inputs that appeared and are wanted, and drops those that went or are unwanted.
  void Refresh(Ports& ports, Status& status, const std::set<std::string>& leftOut);

  const std::string clientName;
  const NoteHandler handler;
  mutable std::mutex mutex;
  std::condition_variable wake;
  bool quit = false;
  bool choiceChanged = false;
  System chosen = System::kNone;
  std::set<std::string> chosenLeftOut;
  Status status;
  std::thread thread;
};
