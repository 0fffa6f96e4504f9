// Fuzz target for the harmonics view's paste: any bytes as clipboard text (invalid UTF-8, NUL
// bytes, line ends, texts of a megabyte). The paste is never refused and shows no message; it
// must leave exactly the amplitudes read from the text (low 8 bits, then 127s), a length that
// only grew, the samples resampled to it, and both texts handed to the player. A copy right after
// gives the amplitude text, and pasting it back changes nothing.
//
// Input: byte 0 chooses the set-up, the other bytes are the clipboard text.
//   bits 0-2  length before the paste: 2, 4, 8, 16, 32, 64 (6 and 7 keep 32)
//   bits 3-6  3 and 4 set, 5 and 6 clear: the text is repeated to 1 MiB
//   bit 5     the clipboard holds no text at all
//   bit 6     amplitudes other than 127 before the paste
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
  model.SetHarmonicsView(WaveEditorModel::kWaveView);
  model.SetMode(WaveEditorModel::kHold);
  // Samples that differ from one another, so that the resampling shows.
  const int32_t length = (setup & 7) < 6 ? 2 << (setup & 7) : 32;
  services.clipboard = SetUpWave(length);
  model.PasteFromClipboard();
  model.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  // Amplitudes of every kind (no more values than the length, which must stay).
  services.clipboard = (setup & 0x40) == 0 ? "" : length == 2 ? "0,200" : "0,50,127,200";
  model.PasteFromClipboard();
  Check(services.messages.empty(), "the set-up was refused");
  Check(model.GetLength() == length, "the set-up has another length");

  const expect::EditorState before = StateOf(model);
  if ((setup & 0x20) != 0) {
    services.clipboard.reset();
  } else {
    services.clipboard = text;
  }
  const expect::PasteOutcome outcome =
      expect::HarmonicsPaste(before, services.clipboard.value_or(std::string()));

  model.PasteFromClipboard();

  Check(!services.isOpen, "the clipboard was left open");
  Check(services.messages.empty(), "a harmonics paste showed a message");
  Check(model.View() == WaveEditorModel::kHarmonicsView && model.Mode() == WaveEditorModel::kHold,
        "the paste changed the view or the mode");
  const int32_t pasted = model.GetLength();
  Check(expect::IsListedLength(pasted), "length outside 2, 4, 8, 16, 32, 64");
  Check(pasted >= before.length, "the paste shortened the wave");
  Check(model.Samples().size() == static_cast<size_t>(pasted), "sample count differs from length");
  Check(model.Amplitudes().size() == static_cast<size_t>(pasted),
        "amplitude count differs from length");
  Check(StateOf(model) == outcome.after, "the editor's data differs from the expected");
  Check(model.GetPlayer().GetWaveText() == expect::WaveText(outcome.after.samples),
        "the samples were not handed over");
  Check(model.GetPlayer().GetHarmonicsText() == expect::AmplitudeText(outcome.after.amplitudes),
        "the amplitudes were not handed over");

  // Copy and paste back: the amplitude text, and nothing changes.
  services.clipboard = "left over";
  model.CopyToClipboard();
  Check(services.clipboard == expect::AmplitudeText(outcome.after.amplitudes),
        "copy gave another text");
  model.PasteFromClipboard();
  Check(services.messages.empty(), "pasting a copied text showed a message");
  Check(StateOf(model) == outcome.after, "pasting a copied text changed the data");
  return 0;
}
