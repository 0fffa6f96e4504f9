// Edit-to-sound latency: while the editor plays into the default PulseAudio sink, a new wave is
// pasted, and the sink's monitor, recorded with parec, shows when the first sample of the new
// wave came out. Each recorded chunk is stamped on arrival; a sample's time is its chunk's
// arrival less the samples after it in the chunk, so parec's own buffering (10 ms asked for) is
// counted in. Prints one line per paste and the median.
//
// With --key, a note is played instead from silence as a note key plays it (the player's PlayNote
// on the calling thread, after a first note has opened the stream), and the time runs to its
// first sample. With --midi, the note-on goes out through JACK MIDI to the editor's MIDI input,
// whose notes are handed to this tool's main thread (the UI thread's place) through a queue it
// looks at every millisecond.
//
//   latency_tool SINK_MONITOR [PASTES] [--low-latency] [--key | --midi]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <RtMidi.h>

#include "audio/portaudio_device.h"
#include "editor/ui_services.h"
#include "editor/wave_editor_model.h"
#include "midi/midi_input.h"
#include "tests/support/parec_pipe.h"

namespace {

using Clock = std::chrono::steady_clock;

// A clipboard that holds what the tool puts there.
class ToolClipboard : public UiServices {
 public:
  bool OpenClipboard() override { return true; }
  void CloseClipboard() override {}
  bool SetClipboardText(const std::string& value) override {
    text = value;
    return true;
  }
  std::optional<std::string> GetClipboardText() override { return text; }
  void ShowMessage(const TextMessage& message) override {
    std::fprintf(stderr, "message: %s\n", message.Text().c_str());
  }
  SaveAnswer AskSaveChanges(const std::string&) override { return SaveAnswer::kDiscard; }
  OverwriteAnswer AskOverwrite(const TextMessage&) override { return OverwriteAnswer::kCancel; }
  std::string text;
};

// The monitor as recorded so far: samples with the time each reached the recorder.
class Recording {
 public:
  explicit Recording(const std::string& source) {
    fd = StartParec(source, 10, "", pid);
    reader = std::thread([this] { Read(); });
  }
  ~Recording() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
    reader.join();
    close(fd);
  }

  bool Started() const { return pid > 0; }

  // The time of the first sample at or after `from` whose value is one of `values`; none yet
  // when the recording has not got there.
  std::optional<Clock::time_point> FirstOf(const std::set<int16_t>& values,
                                           Clock::time_point from) {
    std::lock_guard<std::mutex> held(mutex);
    for (size_t i = 0; i < samples.size(); ++i) {
      if (times[i] >= from && values.count(samples[i]) != 0) return times[i];
    }
    return std::nullopt;
  }

 private:
  void Read() {
    uint8_t buffer[2048];
    bool haveLow = false;
    uint8_t low = 0;
    for (;;) {
      const ssize_t got = read(fd, buffer, sizeof buffer);
      if (got <= 0) return;
      const Clock::time_point arrival = Clock::now();
      std::vector<int16_t> chunk;
      for (ssize_t i = 0; i < got; ++i) {
        if (!haveLow) {
          low = buffer[i];
          haveLow = true;
        } else {
          chunk.push_back(static_cast<int16_t>(low | (buffer[i] << 8)));
          haveLow = false;
        }
      }
      std::lock_guard<std::mutex> held(mutex);
      for (size_t i = 0; i < chunk.size(); ++i) {
        const auto later = static_cast<int64_t>(chunk.size() - 1 - i);
        samples.push_back(chunk[i]);
        times.push_back(arrival - std::chrono::microseconds(later * 1000000 / 44100));
      }
    }
  }

  pid_t pid = -1;
  int fd = -1;
  std::thread reader;
  std::mutex mutex;
  std::vector<int16_t> samples;
  std::vector<Clock::time_point> times;
};

// Table value of an 8-bit sample code, as the sampled-wave unit builds it.
int16_t Level(uint8_t code) {
  return static_cast<int16_t>(static_cast<int8_t>(code) * 256 * 8000 / 32767);
}

// MIDI notes as the MIDI thread hands them over, for the main thread to play.
struct NoteQueue {
  std::mutex mutex;
  std::deque<std::pair<bool, int32_t>> notes;
  void Play(Player& player) {
    std::lock_guard<std::mutex> held(mutex);
    for (const auto& [on, note] : notes) {
      if (on)
        player.PlayNote(note - 24);
      else
        player.ReleaseNote(note - 24);
    }
    notes.clear();
  }
};

bool TakeOption(std::vector<std::string>& args, const char* name) {
  const auto option = std::find(args.begin(), args.end(), name);
  if (option == args.end()) return false;
  args.erase(option);
  return true;
}

// Times notes played from silence: a first note opens the stream (and lets the sink settle), then
// each note's first sample is looked for after it was played.
int NoteLatencies(WaveEditorModel& model, Recording& recording, const std::set<int16_t>& levels,
                  int notes, bool midi, std::vector<double>& latencies) {
  Player& player = model.GetPlayer();
  NoteQueue queue;
  std::unique_ptr<MidiInput> input;
  std::unique_ptr<RtMidiOut> keyboard;
  if (midi) {
    input = std::make_unique<MidiInput>("zp-latency", [&queue](bool on, int32_t note) {
      std::lock_guard<std::mutex> held(queue.mutex);
      queue.notes.emplace_back(on, note);
    });
    input->Choose(MidiInput::System::kJack, {});
    const Clock::time_point start = Clock::now();
    while (input->GetStatus().portName.empty() && Clock::now() - start < std::chrono::seconds(5))
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    keyboard = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, "zp-latency-keyboard");
    for (unsigned int i = 0; i < keyboard->getPortCount(); ++i)
      if (keyboard->getPortName(i) == "zp-latency:MIDI In") keyboard->openPort(i, "out");
    if (!keyboard->isPortOpen()) {
      std::fprintf(stderr, "no JACK MIDI: is a JACK server running?\n");
      return 1;
    }
  }
  const auto press = [&](bool on) {
    if (!midi) {
      if (on)
        player.PlayNote(45);
      else
        player.ReleaseNote(45);
      return;
    }
    std::vector<unsigned char> message = {static_cast<unsigned char>(on ? 0x90 : 0x80), 69, 100};
    keyboard->sendMessage(&message);
  };
  const auto wait = [&](int ms) {
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < until) {
      queue.Play(player);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  };
  press(true);
  wait(1500);
  press(false);
  wait(1500);
  for (int n = 1; n <= notes; ++n) {
    const Clock::time_point pressed = Clock::now();
    press(true);
    std::optional<Clock::time_point> heard;
    while (!(heard = recording.FirstOf(levels, pressed)) &&
           Clock::now() - pressed < std::chrono::seconds(5)) {
      wait(1);
    }
    if (!heard) {
      std::fprintf(stderr, "note %d was not heard within 5 s\n", n);
      return 1;
    }
    const double ms = std::chrono::duration<double, std::milli>(*heard - pressed).count();
    latencies.push_back(ms);
    std::printf("note %d: %.0f ms\n", n, ms);
    wait(300);
    press(false);
    wait(1500);
  }
  model.Stop();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  PortAudioDevice::PrepareEnvironment();
  std::vector<std::string> args(argv + 1, argv + argc);
  const bool lowLatency = TakeOption(args, "--low-latency");
  const bool key = TakeOption(args, "--key");
  const bool midi = TakeOption(args, "--midi");
  if (args.empty()) {
    std::fprintf(stderr, "usage: %s SINK_MONITOR [PASTES] [--low-latency] [--key | --midi]\n",
                 argv[0]);
    return 2;
  }
  int pastes = args.size() > 1 ? std::atoi(args[1].c_str()) : 8;
  Recording recording(args[0]);
  if (!recording.Started()) {
    std::fprintf(stderr, "parec could not be started\n");
    return 1;
  }

  // Two square waves of different heights, held: each sounds only its own two levels.
  const std::string waves[2] = {"7f80", "40c0"};
  const std::set<int16_t> levels[2] = {{Level(0x7f), Level(0x80)}, {Level(0x40), Level(0xc0)}};

  std::vector<double> latencies;
  PortAudioDevice device;
  {
    ToolClipboard clipboard;
    WaveEditorModel model(&device, &clipboard);
    model.SetNote(45);
    model.SetLength(32);
    model.SetHarmonicsView(WaveEditorModel::kWaveView);
    model.SetMode(WaveEditorModel::kHold);
    clipboard.text = waves[0];
    model.PasteFromClipboard();
    model.GetPlayer().SetLowLatency(lowLatency);
    if (key || midi) {
      if (NoteLatencies(model, recording, levels[0], pastes, midi, latencies) != 0) return 1;
      pastes = 0;
    } else {
      model.Play();
    }
    if (pastes > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1500));

    for (int n = 1; n <= pastes; ++n) {
      const int next = n % 2;
      clipboard.text = waves[next];
      const Clock::time_point pasted = Clock::now();
      model.PasteFromClipboard();
      std::optional<Clock::time_point> heard;
      while (!(heard = recording.FirstOf(levels[next], pasted)) &&
             Clock::now() - pasted < std::chrono::seconds(5)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      if (!heard) {
        std::fprintf(stderr, "paste %d: the new wave was not heard within 5 s\n", n);
        return 1;
      }
      const double ms = std::chrono::duration<double, std::milli>(*heard - pasted).count();
      latencies.push_back(ms);
      std::printf("paste %d: %.0f ms\n", n, ms);
      std::this_thread::sleep_for(std::chrono::milliseconds(700));
    }
    model.Stop();
    std::printf("latency_fallback %d\n", model.GetPlayer().TakeLatencyFallback() ? 1 : 0);
  }
  std::sort(latencies.begin(), latencies.end());
  std::printf("latency_ms_min %.0f\nlatency_ms_median %.0f\nlatency_ms_max %.0f\n",
              latencies.front(), latencies[latencies.size() / 2], latencies.back());
  return 0;
}
