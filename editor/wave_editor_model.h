// The wave being edited, without any window: the sample and harmonic amplitude arrays of one
// common length, mode and view, the owned player, and every edit that hands the data over to it.
// Copy and paste go through UiServices. UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/wave_shapes.h"
#include "editor/wave_state.h"
#include "formats/chip_target.h"
#include "formats/text_message.h"
#include "formats/wave_formats.h"
#include "formats/wave_height.h"
#include "synth/player.h"

class AudioDevice;
class UiServices;

// Which rules a paste reads the clipboard by.
enum class PasteRule {
  kEditorText,  // the Paste button: the editor's own hex text, or attenuations in that view
  kAnyFormat,   // any tool's wave text, told from the text (attenuations in the harmonics view)
  kNamedFormat  // one named tool's wave text; nothing in the harmonics view
};

// How a paste went: whether it took the text, how it read it and what the wave became.
struct PasteOutcome {
  bool ok = false;         // the wave took the text (false: refused, or no clipboard)
  TextMessage error;       // why the text was refused (already shown)
  bool harmonics = false;  // read as attenuations
  WaveFormatId format = WaveFormatId::kHex;  // the wave format read
  size_t givenCount = 0;                     // values the text held
  bool resampled = false;                    // givenCount was not an editor length
  size_t readCount = 0;                      // samples as read, before the chip target
  int32_t height = 0;                        // the height a Furnace text was read at
  int32_t length = 0;                        // the wave's length afterwards
};

class WaveEditorModel {
 public:
  static constexpr int32_t kWaveView = 0;
  static constexpr int32_t kHarmonicsView = 1;
  static constexpr int32_t kHold = 1;
  static constexpr int32_t kPoly = 2;

  // Builds the defaults (Poly, length 32, zero samples, amplitudes of 127) and the player's default
  // tones; nothing is handed over yet.
  explicit WaveEditorModel(AudioDevice* device = nullptr, UiServices* services = nullptr);
  ~WaveEditorModel();

  void SetServices(UiServices* services) { this->services = services; }
  // Called for every redraw request.
  void SetRedrawHandler(std::function<void()> handler) { redraw = std::move(handler); }

  void SetNote(int32_t note);
  int32_t GetLength() const { return length; }
  // Resamples both arrays to `count` samples. Refused (false, nothing changes) for a count
  // below 1 or one the chip target does not play.
  bool SetLength(int32_t count);
  // Whether the chip target plays waves of `count` samples (every count without a target).
  bool LengthAllowed(int32_t count) const;
  void SetMode(int32_t mode);
  void SetHarmonicsView(int32_t view);
  void Play();
  void Stop();
  // Puts the current view's data on the clipboard: the wave in `format`, or without one the
  // player's own text of the view (the wave text, or the attenuation text in the harmonics view);
  // nothing for a named format in the harmonics view.
  void Copy(std::optional<WaveFormatId> format = std::nullopt);
  void CopyToClipboard() { Copy(); }
  // Reads the clipboard by `rule` (`format` for kNamedFormat) into the current view's data; a
  // refused text is shown through the services and changes nothing.
  // `height` names the height a Furnace text is read at (0: told from the text, the target's
  // first).
  PasteOutcome Paste(PasteRule rule, WaveFormatId format = WaveFormatId::kHex, int32_t height = 0);
  void PasteFromClipboard() { Paste(PasteRule::kEditorText); }
  // Applies a transform of the pane menu to the wave (Half and Double Length to both arrays, by
  // the length list's rule); false when it does not apply to this length or target.
  bool Transform(WaveTransform transform);

  // Writes a value into column k (0 <= k < length) of the current view; hands over on change.
  void WriteValue(int32_t column, int32_t value);
  void PublishWave();
  void PublishHarmonics();
  // Replaces every sample (wave view data) or every amplitude (harmonics view data) at once and,
  // when anything differs, hands the data to the player (heard at once while playing) and
  // redraws. Refused (false, nothing changes) unless the array holds exactly GetLength() entries.
  bool SetSamples(const std::vector<uint16_t>& newSamples);
  bool SetAmplitudes(const std::vector<uint8_t>& newAmplitudes);

  // Replaces the wave by `values` (−128..127), taking their count as the length (2, 4, 8, 16, 32
  // or 64; the attenuations follow as a paste has them), and hands both arrays over. Values are
  // snapped to the chip target. Refused (false, nothing changes) for any other count.
  bool ReplaceWave(const std::vector<int8_t>& values);

  // The chip the wave is made for: drawing, pastes and whole-array edits snap the samples to its
  // levels. ConformToTarget snaps every sample to the wave's height and brings the length to the
  // nearest one the chip plays (both arrays, by the length list's rule), handing over what
  // changed. kNone at 256 levels, the default, changes nothing anywhere.
  void SetChipTarget(ChipTarget target) { chipTarget = target; }
  ChipTarget GetChipTarget() const { return chipTarget; }
  // The levels the wave is meant for without a chip target (16, 32, 64 or 256; a wave opened from
  // a file of another height takes that height): copies and files are written at it. With a
  // chip target, the chip's own height.
  void SetWaveHeight(int32_t levels) { height = IsWaveHeight(levels) ? levels : kFullHeight; }
  int32_t WaveHeight() const {
    return chipTarget != ChipTarget::kNone ? ChipHeight(chipTarget) : height;
  }
  // The height kept for the wave when it is meant for no chip (also while a chip target is
  // chosen).
  int32_t HeightWithoutTarget() const { return height; }
  void ConformToTarget();

  // Everything the user edits, and the note.
  WaveState State() const;
  // Takes every field of `state` that differs and hands what changed to the player at once
  // (wave, harmonics, tone, note), then fits it to the chip target; a state with a length
  // outside 2..64 or arrays of another length is refused (false, nothing changes).
  bool Restore(const WaveState& state);

  int32_t View() const { return view; }
  // Any view other than the harmonics view draws, edits and copies the samples.
  bool IsHarmonicsView() const { return view == kHarmonicsView; }
  int32_t Mode() const { return mode; }
  int32_t SampleWidth() const { return sampleWidth; }
  const std::vector<uint16_t>& Samples() const { return samples; }
  const std::vector<uint8_t>& Amplitudes() const { return amplitudes; }
  Player& GetPlayer() { return player; }

 private:
  void RequestRedraw();
  void PasteHarmonics(const std::string& text);
  void Resize(int32_t count);

  // The sample code of value v on the chip target.
  uint16_t SnappedCode(int32_t value) const;

  ChipTarget chipTarget = ChipTarget::kNone;
  int32_t height = kFullHeight;
  int32_t view = kWaveView;
  int32_t sampleWidth = 8;
  int32_t length = 32;
  int32_t mode = kPoly;
  std::vector<uint16_t> samples;
  std::vector<uint8_t> amplitudes;
  Player player;
  UiServices* services = nullptr;  // not owned
  std::function<void()> redraw;
};
