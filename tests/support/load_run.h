// A randomised run of user operations against the editing pane and its player while sound plays:
// mouse edits in both views, view and mode switches, length and pitch choices, pastes of good and
// bad texts, copies, and Play/Stop bursts. After every operation the editor is compared with the
// state the operations must have produced (worked out here from the rules) and with the
// invariants that must always hold. Subclasses choose how an operation reaches the editor: by
// calling the pane's data directly or through the real widgets.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "editor/wave_editor_model.h"
#include "formats/text_formats.h"
#include "tests/support/fake_ui_services.h"
#include "tests/support/paste_expectation.h"
#include "tests/support/watched_audio_device.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ZP_LOAD_SANITIZED_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define ZP_LOAD_SANITIZED_HEAP 1
#endif
#endif

#ifdef ZP_LOAD_SANITIZED_HEAP
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace load {

// Note number of each entry of the pitch list.
constexpr std::array<int32_t, 10> kPitchNotes = {14, 21, 26, 33, 38, 45, 50, 57, 62, 69};
// Resident memory may grow by this much between the end of the warm-up and the end of the run.
constexpr size_t kMemoryMargin = 2 * 1024 * 1024;
constexpr int32_t kWarmUpOperations = 1000;

// The seed of the run: ZP_LOAD_SEED when set, else the fixed default.
inline uint32_t Seed(uint32_t fallback) {
  if (const char* text = std::getenv("ZP_LOAD_SEED"); text != nullptr && *text != '\0') {
    return static_cast<uint32_t>(std::strtoul(text, nullptr, 0));
  }
  return fallback;
}

// Memory the process holds. Under a sanitizer freed blocks sit in quarantine and shadow memory
// grows with every address touched, so resident memory says little there; the live heap, as the
// sanitizer's allocator counts it, is measured instead.
inline size_t MemoryInUse() {
#ifdef ZP_LOAD_SANITIZED_HEAP
  return __sanitizer_get_current_allocated_bytes();
#else
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
  }
  return 0;
#endif
}

inline const char* MemoryMeasure() {
#ifdef ZP_LOAD_SANITIZED_HEAP
  return "live heap";
#else
  return "VmRSS";
#endif
}

class LoadRun {
 public:
  // A mouse write the editor must make: column and value in the current view.
  using Writes = std::vector<std::pair<int32_t, int32_t>>;

  // `device` is the device the model's player plays on.
  LoadRun(WaveEditorModel& model, const WatchedAudioDevice& device, FakeUiServices& services,
          uint32_t seed)
      : model(model), device(device), services(services), seed(seed), rng(seed) {}
  virtual ~LoadRun() = default;

  // The editor must be in the state the dialog leaves at start-up: note 45, length 32, wave
  // view, Hold, 32 zero samples and 32 amplitudes of 127, no harmonics handed over yet.
  void Run(int32_t operations) {
    std::printf("load run: seed %u (set ZP_LOAD_SEED to replay another), %d operations\n", seed,
                operations);
    state = {std::vector<uint8_t>(32, 0), std::vector<uint8_t>(32, 127), 32};
    defaultHarmonicsText = model.GetPlayer().GetHarmonicsText();
    Check("start-up");
    Play();
    Settle();
    Check("first Play");
    for (operation = 0; operation < operations && !::testing::Test::HasFailure(); ++operation) {
      Step();
      Settle();
      Check(lastAction.c_str());
      if (device.Active()) ++operationsWithSound;
      if (operation + 1 == kWarmUpOperations) memoryAfterWarmUp = MemoryInUse();
    }
    memoryAtEnd = MemoryInUse();
    std::printf(
        "load run: %d operations, %d with blocks queued on the device; %s %zu kB after %d "
        "operations, %zu kB at the end\n",
        operation, operationsWithSound, MemoryMeasure(), memoryAfterWarmUp / 1024,
        kWarmUpOperations, memoryAtEnd / 1024);
  }

  // After Run: memory within the margin of what the warm-up left.
  void ExpectMemorySteady() const {
    EXPECT_LE(memoryAtEnd, memoryAfterWarmUp + kMemoryMargin)
        << MemoryMeasure() << " grew from " << memoryAfterWarmUp / 1024 << " kB to "
        << memoryAtEnd / 1024 << " kB (seed " << seed << ")";
  }

  const expect::EditorState& Expected() const { return state; }
  int32_t ExpectedMode() const { return mode; }
  int32_t OperationsWithSound() const { return operationsWithSound; }

 protected:
  // Performs one mouse gesture on the pane in its current view and lists the writes it must make,
  // in order.
  virtual void Edit(Writes& writes) = 0;
  // The dialog's controls.
  virtual void Hold() {
    model.SetHarmonicsView(WaveEditorModel::kWaveView);
    model.SetMode(WaveEditorModel::kHold);
  }
  virtual void Poly() {
    model.SetHarmonicsView(WaveEditorModel::kWaveView);
    model.SetMode(WaveEditorModel::kPoly);
  }
  virtual void Harmonics() { model.SetHarmonicsView(WaveEditorModel::kHarmonicsView); }
  virtual void ChooseLength(int32_t index) { model.SetLength(2 << index); }
  virtual void ChoosePitch(int32_t index) { model.SetNote(kPitchNotes[index]); }
  virtual void Copy() { model.CopyToClipboard(); }
  virtual void Paste() { model.PasteFromClipboard(); }
  virtual void Play() { model.Play(); }
  virtual void Stop() { model.Stop(); }
  // Lets posted events run after an operation.
  virtual void Settle() {}

  int32_t Uniform(int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(rng);
  }

  WaveEditorModel& model;
  const WatchedAudioDevice& device;
  FakeUiServices& services;

 private:
  void Step() {
    const int32_t pick = Uniform(0, 99);
    if (pick < 40) {
      DoEdit();
    } else if (pick < 44) {
      lastAction = "Hold";
      Hold();
      view = 0;
      mode = 1;
    } else if (pick < 48) {
      lastAction = "Poly";
      Poly();
      view = 0;
      mode = 2;
    } else if (pick < 53) {
      lastAction = "Harmonics";
      Harmonics();
      view = 1;
    } else if (pick < 59) {
      const int32_t index = Uniform(0, 5);
      lastAction = "length " + std::to_string(2 << index);
      ChooseLength(index);
      if ((2 << index) != state.length) harmonicsHandedOver = true;
      state = expect::SetLength(state, 2 << index);
    } else if (pick < 63) {
      const int32_t index = Uniform(0, 9);
      lastAction = "pitch " + std::to_string(kPitchNotes[index]);
      ChoosePitch(index);
      note = kPitchNotes[index];
    } else if (pick < 86) {
      DoPaste();
    } else if (pick < 93) {
      DoCopy();
    } else {
      DoTransport();
    }
  }

  void DoEdit() {
    Writes writes;
    Edit(writes);
    lastAction = std::string(view == 1 ? "harmonics" : "wave") + " edit of " +
                 std::to_string(writes.size()) + " columns";
    for (auto [column, value] : writes) {
      if (view == 1) {
        const auto amplitude = static_cast<uint8_t>(value);
        if (state.amplitudes[column] != amplitude) harmonicsHandedOver = true;
        state.amplitudes[column] = amplitude;
      } else {
        state.samples[column] = static_cast<uint8_t>(value);
      }
    }
  }

  std::string Hex(int32_t count, bool mixedCase) {
    static const char kLower[] = "0123456789abcdef";
    static const char kUpper[] = "0123456789ABCDEF";
    std::string text;
    for (int32_t i = 0; i < 2 * count; ++i) {
      const int32_t digit = Uniform(0, 15);
      text += mixedCase && Uniform(0, 1) == 1 ? kUpper[digit] : kLower[digit];
    }
    return text;
  }

  // Clipboard contents for a paste in the wave view: good texts of every length, and texts that
  // must be refused for their length or their characters.
  std::optional<std::string> WaveClipboard() {
    const int32_t count = 2 << Uniform(0, 5);
    switch (Uniform(0, 9)) {
      case 0:
      case 1:
      case 2:
        return Hex(count, Uniform(0, 1) == 1);
      case 3:
        return Hex(count, false) + "\r\n";
      case 4:
        return Hex(count, false) + Hex(1, false).substr(0, 1);
      case 5: {
        std::string text = Hex(Uniform(0, 70), true);
        return text.substr(0, static_cast<size_t>(Uniform(0, static_cast<int32_t>(text.size()))));
      }
      case 6: {
        // Letters past f, signs, blanks, line ends, separators, a NUL, invalid UTF-8 and a
        // Japanese character.
        static const std::string kStrangers =
            std::string("xXgG-+ \t\r\n,.\xff\xe3\x81\x82") + std::string(1, '\0');
        std::string text = Hex(count, true);
        text[static_cast<size_t>(Uniform(0, 2 * count - 1))] = kStrangers[static_cast<size_t>(
            Uniform(0, static_cast<int32_t>(kStrangers.size()) - 1))];
        return text;
      }
      case 7:
        return "0x" + Hex(count - 1, false);
      case 8:
        return std::nullopt;
      default:
        return model.GetPlayer().GetWaveText();
    }
  }

  // Clipboard contents for a paste in the harmonics view: lists of every length with values in and
  // out of 8 bits, blanks, empty and broken tokens.
  std::optional<std::string> HarmonicsClipboard() {
    switch (Uniform(0, 7)) {
      case 0:
        return model.GetPlayer().GetHarmonicsText();
      case 1:
        return std::nullopt;
      case 2:
        return Hex(2 << Uniform(0, 5), false);
      default:
        break;
    }
    std::string text;
    const int32_t count = Uniform(0, 70);
    for (int32_t i = 0; i < count; ++i) {
      if (i > 0 || Uniform(0, 30) == 0) text += ',';
      if (Uniform(0, 3) == 0) text += std::string(static_cast<size_t>(Uniform(1, 3)), ' ');
      switch (Uniform(0, 9)) {
        case 0:
          text += std::to_string(Uniform(-300, -1));
          break;
        case 1:
          text += std::to_string(Uniform(128, 100000));
          break;
        case 2:
          text += "99999999999";
          break;
        case 3:
          text += Uniform(0, 1) == 1 ? "" : " ";
          break;
        case 4:
          text += "5 apples";
          break;
        default:
          text += std::to_string(Uniform(0, 127));
          break;
      }
      if (Uniform(0, 5) == 0) text += Uniform(0, 1) == 1 ? "\r\n" : "\t";
    }
    return text;
  }

  void DoPaste() {
    const bool locked = Uniform(0, 24) == 0;
    const std::optional<std::string> clipboard = view == 1 ? HarmonicsClipboard() : WaveClipboard();
    services.clipboard = clipboard;
    services.canOpen = !locked;
    const size_t messagesBefore = services.messages.size();
    lastAction = std::string(view == 1 ? "harmonics" : "wave") + " paste of " +
                 (locked      ? "a locked clipboard"
                  : clipboard ? "\"" + *clipboard + "\""
                              : "no text");
    Paste();
    services.canOpen = true;
    if (locked) {
      EXPECT_EQ(services.messages.size(), messagesBefore) << Where();
      return;
    }
    const std::string text = clipboard.value_or(std::string());
    const expect::PasteOutcome outcome =
        view == 1 ? expect::HarmonicsPaste(state, text) : expect::WavePaste(state, text);
    if (outcome.accepted) {
      EXPECT_EQ(services.messages.size(), messagesBefore) << Where();
      harmonicsHandedOver = true;
    } else {
      EXPECT_EQ(services.messages.size(), messagesBefore + 1) << Where();
      if (services.messages.size() == messagesBefore + 1) {
        EXPECT_EQ(services.messages.back(), outcome.message) << Where();
      }
    }
    state = outcome.after;
  }

  void DoCopy() {
    const bool locked = Uniform(0, 9) == 0;
    const std::string before = "clipboard before copy";
    services.clipboard = before;
    services.canOpen = !locked;
    lastAction = locked ? "copy with a locked clipboard" : "copy";
    Copy();
    services.canOpen = true;
    std::string expected = before;
    if (!locked) {
      expected = view != 1             ? expect::WaveText(state.samples)
                 : harmonicsHandedOver ? expect::AmplitudeText(state.amplitudes)
                                       : defaultHarmonicsText;
    }
    EXPECT_EQ(services.clipboard.value_or("<no text>"), expected) << Where();
  }

  void DoTransport() {
    switch (Uniform(0, 4)) {
      case 0:
      case 1:
        lastAction = "Play";
        Play();
        break;
      case 2:
        lastAction = "Stop";
        Stop();
        break;
      case 3:
        lastAction = "Stop, then Play while stopping";
        Stop();
        Play();
        break;
      default: {
        lastAction = "burst:";
        const int32_t count = Uniform(2, 8);
        for (int32_t i = 0; i < count; ++i) {
          if (Uniform(0, 1) == 1) {
            lastAction += " Play";
            Play();
          } else {
            lastAction += " Stop";
            Stop();
          }
        }
        break;
      }
    }
  }

  std::string Where() const {
    std::ostringstream where;
    where << "after operation " << operation << " (" << lastAction << "), seed " << seed;
    return where.str();
  }

  void Check(const char* what) {
    const std::string where = Where() + " [" + what + "]";
    const int32_t length = model.GetLength();
    EXPECT_TRUE(expect::IsListedLength(length)) << length << ' ' << where;
    ASSERT_EQ(model.Samples().size(), static_cast<size_t>(length)) << where;
    ASSERT_EQ(model.Amplitudes().size(), static_cast<size_t>(length)) << where;

    std::vector<uint8_t> codes;
    for (uint16_t slot : model.Samples()) {
      EXPECT_EQ(slot >> 8, 0) << where;
      codes.push_back(static_cast<uint8_t>(slot));
    }
    EXPECT_EQ(length, state.length) << where;
    EXPECT_EQ(codes, state.samples) << where;
    EXPECT_EQ(model.Amplitudes(), state.amplitudes) << where;
    EXPECT_EQ(model.View(), view) << where;
    EXPECT_EQ(model.Mode(), mode) << where;

    Player& player = model.GetPlayer();
    EXPECT_EQ(player.GetWaveText(), WriteWaveText(model.Samples())) << where;
    EXPECT_EQ(player.GetWaveText(), expect::WaveText(state.samples)) << where;
    EXPECT_EQ(player.GetHarmonicsText(),
              harmonicsHandedOver ? expect::AmplitudeText(state.amplitudes) : defaultHarmonicsText)
        << where;
    EXPECT_EQ(player.CurrentTone(), view == 1 ? 2 : 1) << where;
    EXPECT_EQ(player.Note(), note) << where;
    EXPECT_LE(device.LiveBlocks(), 9) << where;
  }

  uint32_t seed;
  std::mt19937 rng;
  expect::EditorState state;
  int32_t mode = WaveEditorModel::kHold;
  int32_t view = WaveEditorModel::kWaveView;
  int32_t note = 45;
  bool harmonicsHandedOver = false;
  std::string defaultHarmonicsText;
  int32_t operation = 0;
  int32_t operationsWithSound = 0;
  std::string lastAction = "none";
  size_t memoryAfterWarmUp = 0;
  size_t memoryAtEnd = 0;
};

}  // namespace load
