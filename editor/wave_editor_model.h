// The wave being edited, without any window: the sample and harmonic amplitude arrays of one
// common length, mode and view, the owned player, and every edit that hands the data over to it.
// Copy and paste go through UiServices. UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/wave_state.h"
#include "formats/chip_target.h"
#include "synth/player.h"

class AudioDevice;
class UiServices;

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
  void SetLength(int32_t count);
  void SetMode(int32_t mode);
  void SetHarmonicsView(int32_t view);
  void Play();
  void Stop();
  void CopyToClipboard();
  void PasteFromClipboard();

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
  // levels. ConformToTarget snaps every sample and brings the length to the nearest one the chip
  // plays (both arrays, by the length list's rule), handing over what changed. kNone, the
  // default, changes nothing anywhere.
  void SetChipTarget(ChipTarget target) { chipTarget = target; }
  ChipTarget GetChipTarget() const { return chipTarget; }
  void ConformToTarget();

  // Everything the user edits, and the note.
  WaveState State() const;
  // Takes every field of `state` that differs and hands what changed to the player at once
  // (wave, harmonics, tone, note); a state with a length outside 2..64 or arrays of another
  // length is refused (false, nothing changes).
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
  void PasteWave(const std::string& text);
  void PasteHarmonics(const std::string& text);

  // The sample code of value v on the chip target.
  uint16_t SnappedCode(int32_t value) const;

  ChipTarget chipTarget = ChipTarget::kNone;
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
