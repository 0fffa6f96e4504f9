// Fuzz target for the wave view's paste: any bytes as clipboard text (invalid UTF-8, NUL bytes,
// line ends, texts of a megabyte). A refused paste must change nothing and show exactly one
// message, the right one; an accepted paste must leave exactly the pasted samples, the
// amplitudes fitted to the new length and both texts handed to the player. A copy right after
// gives the same text back, and pasting it again changes nothing.
//
// Input: byte 0 chooses the set-up, the other bytes are the clipboard text.
//   bits 0-2  length before the paste: 2, 4, 8, 16, 32, 64 (6 and 7 keep 32)
//   bits 3-6  3 and 4 set, 5 and 6 clear: the text is repeated to 1 MiB
//   bit 5     the clipboard holds no text at all
//   bit 6     mode Poly instead of Hold
//   bit 7     a CR LF is appended to the text
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/wave_editor_model.h"
#include "tests/fuzz/paste_fuzz_support.h"
#include "tests/support/fake_ui_services.h"
#include "tests/support/paste_expectation.h"

namespace {

constexpr size_t kMegabyte = 1 << 20;

using paste_fuzz::Check;
using paste_fuzz::SetUpWave;
using paste_fuzz::StateOf;

void CheckConsistent(WaveEditorModel& model) {
  const int32_t length = model.GetLength();
  Check(expect::IsListedLength(length), "length outside 2, 4, 8, 16, 32, 64");
  Check(model.Samples().size() == static_cast<size_t>(length), "sample count differs from length");
  Check(model.Amplitudes().size() == static_cast<size_t>(length),
        "amplitude count differs from length");
  Check(model.GetPlayer().GetWaveText() == expect::WaveText(StateOf(model).samples),
        "the player's wave text is not that of the samples");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t setup = data[0];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  if ((setup & 0x78) == 0x18 && !text.empty() && text.size() < kMegabyte) {
    text.reserve(kMegabyte);
    while (text.size() * 2 <= kMegabyte) text += text;
    text.append(text, 0, kMegabyte - text.size());
  }
  if ((setup & 0x80) != 0) text += "\r\n";

  // One editor for every input, brought into the same state before each: building one per
  // input would cost more than the paste itself.
  static FakeUiServices services;
  static WaveEditorModel model(nullptr, &services);
  services = FakeUiServices();
  model.SetNote(45);
  model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  model.PasteFromClipboard();  // no text: every amplitude 127
  model.SetHarmonicsView(WaveEditorModel::kWaveView);
  model.SetMode((setup & 0x40) != 0 ? WaveEditorModel::kPoly : WaveEditorModel::kHold);
  model.SetLength((setup & 7) < 6 ? 2 << (setup & 7) : 32);
  // Samples that differ from one another, so that a change of any of them shows.
  services.clipboard = SetUpWave(model.GetLength());
  model.PasteFromClipboard();
  Check(services.messages.empty(), "the set-up was refused");

  const expect::EditorState before = StateOf(model);
  const int32_t mode = model.Mode();
  const std::string waveText = model.GetPlayer().GetWaveText();
  const std::string harmonicsText = model.GetPlayer().GetHarmonicsText();
  if ((setup & 0x20) != 0) {
    services.clipboard.reset();
  } else {
    services.clipboard = text;
  }
  const expect::PasteOutcome outcome =
      expect::WavePaste(before, services.clipboard.value_or(std::string()));

  model.PasteFromClipboard();

  Check(!services.isOpen, "the clipboard was left open");
  Check(model.View() == WaveEditorModel::kWaveView && model.Mode() == mode,
        "the paste changed the view or the mode");
  CheckConsistent(model);
  Check(StateOf(model) == outcome.after, "the editor's data differs from the expected");
  if (!outcome.accepted) {
    Check(services.messages.size() == 1, "a refused paste did not show exactly one message");
    Check(services.messages.front() == outcome.message, "a refused paste showed the wrong message");
    Check(model.GetPlayer().GetWaveText() == waveText, "a refused paste changed the wave text");
    Check(model.GetPlayer().GetHarmonicsText() == harmonicsText,
          "a refused paste changed the harmonics text");
    return 0;
  }
  Check(services.messages.empty(), "an accepted paste showed a message");
  Check(model.GetPlayer().GetHarmonicsText() == expect::AmplitudeText(outcome.after.amplitudes),
        "the amplitudes were not handed over");

  // Copy and paste back: the same text, and nothing changes.
  services.clipboard = "left over";
  model.CopyToClipboard();
  Check(services.clipboard == expect::WaveText(outcome.after.samples), "copy gave another text");
  model.PasteFromClipboard();
  Check(services.messages.empty(), "pasting a copied text showed a message");
  Check(StateOf(model) == outcome.after, "pasting a copied text changed the data");
  return 0;
}
