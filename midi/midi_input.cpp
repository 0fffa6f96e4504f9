#include "midi/midi_input.h"

#include <unistd.h>

#include <RtMidi.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <utility>

namespace {

// How often the thread looks for inputs that came or went.
constexpr auto kPollInterval = std::chrono::seconds(1);
// Looks between two tries of a system that could not be opened.
constexpr int32_t kRetryLooks = 5;
constexpr char kPortName[] = "MIDI In";
constexpr char kSequencerDevice[] = "/dev/snd/seq";

RtMidi::Api ApiOf(MidiInput::System system) {
  return system == MidiInput::System::kJack ? RtMidi::UNIX_JACK : RtMidi::LINUX_ALSA;
}

// RtMidi reports most failures through this callback instead of throwing once it is set; the last
// one is kept so that the caller can tell a port that did not open.
void KeepError(RtMidiError::Type type, const std::string& text, void* user) {
  if (type != RtMidiError::DEBUG_WARNING) *static_cast<std::string*>(user) = text;
}

}  // namespace

struct MidiInput::Ports {
  // Our own port, and one connection per other input by its name.
  std::unique_ptr<RtMidiIn> own;
  std::map<std::string, std::unique_ptr<RtMidiIn>> connections;
  std::string error;
};

namespace {

void OnMessage(double /*stamp*/, std::vector<unsigned char>* message, void* user) {
  bool on = false;
  int32_t note = 0;
  if (message != nullptr && MidiInput::DecodeNote(*message, on, note)) {
    (*static_cast<const MidiInput::NoteHandler*>(user))(on, note);
  }
}

// A new RtMidiIn of `api` that reports notes to `handler` and its errors into `error`; null when
// the system refused to start one.
std::unique_ptr<RtMidiIn> NewInput(RtMidi::Api api, const std::string& client,
                                   const MidiInput::NoteHandler& handler, std::string& error) {
  try {
    auto input = std::make_unique<RtMidiIn>(api, client);
    input->setErrorCallback(&KeepError, &error);
    input->setCallback(&OnMessage, const_cast<MidiInput::NoteHandler*>(&handler));
    return input;
  } catch (const RtMidiError& failure) {
    error = failure.getMessage();
    return nullptr;
  }
}

}  // namespace

MidiInput::MidiInput(std::string clientName, NoteHandler handler)
    : clientName(std::move(clientName)), handler(std::move(handler)) {
  thread = std::thread(&MidiInput::Run, this);
}

MidiInput::~MidiInput() {
  {
    std::lock_guard<std::mutex> held(mutex);
    quit = true;
  }
  wake.notify_all();
  thread.join();
}

void MidiInput::Choose(System system, std::set<std::string> leftOut) {
  {
    std::lock_guard<std::mutex> held(mutex);
    chosen = system;
    chosenLeftOut = std::move(leftOut);
    choiceChanged = true;
  }
  wake.notify_all();
}

MidiInput::Status MidiInput::GetStatus() const {
  std::lock_guard<std::mutex> held(mutex);
  return status;
}

bool MidiInput::DecodeNote(const std::vector<unsigned char>& message, bool& on, int32_t& note) {
  if (message.size() < 3) return false;
  const unsigned char kind = message[0] & 0xf0;
  if (kind != 0x80 && kind != 0x90) return false;
  note = message[1] & 0x7f;
  on = kind == 0x90 && (message[2] & 0x7f) != 0;
  return true;
}

void MidiInput::Run() {
  Ports ports;
  System system = System::kNone;
  std::set<std::string> leftOut;
  std::unique_lock<std::mutex> held(mutex);
  int32_t looks = 0;
  while (!quit) {
    // A system that failed is tried again now and then: a JACK server may start, a sequencer
    // appear.
    const bool retry = !ports.own && system != System::kNone && ++looks % kRetryLooks == 0;
    const bool reopen = (choiceChanged && chosen != system) || retry;
    choiceChanged = false;
    system = chosen;
    leftOut = chosenLeftOut;
    Status next = status;
    held.unlock();
    // RtMidi may wait for the system: nothing here holds the lock.
    if (reopen) {
      ports.connections.clear();
      ports.own.reset();
      next = Status();
      next.system = system;
      if (system != System::kNone) Open(system, ports, next);
      next.settled = true;
      looks = 0;
    }
    if (ports.own) Refresh(ports, next, leftOut);
    held.lock();
    status = std::move(next);
    wake.wait_for(held, kPollInterval, [this] { return quit || choiceChanged; });
  }
  held.unlock();
  ports.connections.clear();
  ports.own.reset();
}

void MidiInput::Open(System system, Ports& ports, Status& result) {
  if (system == System::kAlsa && access(kSequencerDevice, R_OK | W_OK) != 0) {
    result.problem = Problem::kNoSequencer;
    result.detail = std::string(kSequencerDevice) + " cannot be opened";
    return;
  }
  ports.error.clear();
  ports.own = NewInput(ApiOf(system), clientName, handler, ports.error);
  // JACK reports a missing server only when asked for something: the count asks.
  if (ports.own) ports.own->getPortCount();
  if (ports.own && ports.error.empty()) {
    try {
      ports.own->openVirtualPort(kPortName);
    } catch (const RtMidiError& failure) {
      ports.error = failure.getMessage();
    }
  }
  if (!ports.own || !ports.error.empty()) {
    const bool noServer = system == System::kJack && ports.error.find("JACK") != std::string::npos;
    result.problem = system == System::kAlsa ? Problem::kNoSequencer
                     : noServer              ? Problem::kNoJackServer
                                             : Problem::kOpenFailed;
    result.detail = ports.error;
    ports.own.reset();
    return;
  }
  result.portName = clientName + ":" + kPortName;
}

void MidiInput::Refresh(Ports& ports, Status& result, const std::set<std::string>& leftOut) {
  RtMidiIn& own = *ports.own;
  std::vector<std::string> names;
  const unsigned int count = own.getPortCount();
  for (unsigned int i = 0; i < count; ++i) {
    const std::string name = own.getPortName(i);
    // Our own ports (JACK numbers further clients of the same name) and the sequencer's echo port
    // are not inputs.
    if (name.rfind(clientName, 0) == 0 || name.find("Midi Through") != std::string::npos) continue;
    names.push_back(name);
    if (ports.connections.count(name) != 0 || leftOut.count(name) != 0) continue;
    std::string error;
    std::unique_ptr<RtMidiIn> input = NewInput(own.getCurrentApi(), clientName, handler, error);
    if (!input) continue;
    input->openPort(i, kPortName);
    // A failed connection is tried again at the next look.
    if (error.empty() && input->isPortOpen()) ports.connections[name] = std::move(input);
  }
  for (auto it = ports.connections.begin(); it != ports.connections.end();) {
    const bool present = std::find(names.begin(), names.end(), it->first) != names.end();
    it = present && leftOut.count(it->first) == 0 ? std::next(it) : ports.connections.erase(it);
  }
  result.inputs = names;
  result.connected.clear();
  for (const std::string& name : names) result.connected.push_back(ports.connections.count(name));
}
