#include "editor/wave_editor_model.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>

#include "editor/ui_services.h"
#include "formats/hex_wave_text.h"
#include "formats/text_formats.h"
#include "formats/wave_formats.h"
#include "formats/wave_length.h"

namespace {

constexpr int32_t kDefaultLength = 32;
constexpr uint8_t kSilentAmplitude = 127;

}  // namespace

WaveEditorModel::WaveEditorModel(AudioDevice* device, UiServices* services)
    : player(device), services(services) {
  samples.assign(kDefaultLength, 0);
  amplitudes.assign(kDefaultLength, kSilentAmplitude);
  player.BuildDefaultTones();
}

// ReleaseTones ends a running render thread before it deletes the tones it reads.
WaveEditorModel::~WaveEditorModel() {
  player.ReleaseTones();
}

void WaveEditorModel::SetNote(int32_t note) {
  player.SetNote(note);
}

bool WaveEditorModel::SetLength(int32_t count) {
  // A length below 1 would divide by zero in the resampling; only list values arrive here.
  if (count < 1 || !LengthAllowed(count)) return false;
  Resize(count);
  return true;
}

bool WaveEditorModel::LengthAllowed(int32_t count) const {
  return ChipAllowsLength(chipTarget, count);
}

void WaveEditorModel::Resize(int32_t count) {
  if (count == length) return;
  samples = ResampleToLength(samples, static_cast<size_t>(count));
  amplitudes.resize(static_cast<size_t>(count), kSilentAmplitude);
  length = count;
  PublishWave();
  PublishHarmonics();
}

void WaveEditorModel::SetMode(int32_t newMode) {
  if (newMode == mode) return;
  mode = newMode;
  PublishWave();
}

void WaveEditorModel::SetHarmonicsView(int32_t newView) {
  view = newView;
  if (newView == kWaveView) {
    player.SetCurrentTone(1);
  } else if (newView == kHarmonicsView) {
    player.SetCurrentTone(2);
  }
  RequestRedraw();
}

void WaveEditorModel::Play() {
  player.Play();
}

void WaveEditorModel::Stop() {
  player.Stop();
}

void WaveEditorModel::WriteValue(int32_t column, int32_t value) {
  if (column < 0 || column >= length) return;
  const size_t k = static_cast<size_t>(column);
  if (IsHarmonicsView()) {
    const uint8_t amplitude = static_cast<uint8_t>(value);
    if (amplitudes[k] == amplitude) return;
    amplitudes[k] = amplitude;
    PublishHarmonics();
  } else {
    const uint16_t code = SnappedCode(value);
    if ((samples[k] & 0xff) == code) return;
    samples[k] = code;
    PublishWave();
  }
}

bool WaveEditorModel::SetSamples(const std::vector<uint16_t>& newSamples) {
  if (newSamples.size() != static_cast<size_t>(length)) return false;
  std::vector<uint16_t> snapped(newSamples.size());
  for (size_t k = 0; k < snapped.size(); ++k) {
    snapped[k] = SnappedCode(static_cast<int8_t>(newSamples[k] & 0xff));
  }
  if (snapped != samples) {
    samples = std::move(snapped);
    PublishWave();
  }
  return true;
}

bool WaveEditorModel::ReplaceWave(const std::vector<int8_t>& values) {
  if (!IsWaveLength(values.size())) return false;
  std::vector<uint16_t> pasted(values.size());
  for (size_t k = 0; k < values.size(); ++k) pasted[k] = SnappedCode(values[k]);
  samples = std::move(pasted);
  amplitudes.resize(values.size(), kSilentAmplitude);
  length = static_cast<int32_t>(values.size());
  ConformToTarget();
  PublishWave();
  PublishHarmonics();
  return true;
}

uint16_t WaveEditorModel::SnappedCode(int32_t value) const {
  if (chipTarget == ChipTarget::kNone) {
    return static_cast<uint8_t>(static_cast<int8_t>(SnapToHeight(value, height)));
  }
  return static_cast<uint8_t>(SnapToChip(static_cast<int8_t>(value), chipTarget));
}

void WaveEditorModel::ConformToTarget() {
  if (chipTarget != ChipTarget::kNone && !ChipAllowsLength(chipTarget, length)) {
    // The nearest length the chip plays; of two as near, the longer keeps more detail.
    int32_t best = length;
    for (const int32_t allowed : ChipTargetOf(chipTarget).lengths) {
      const int32_t distance = std::abs(allowed - length);
      const int32_t bestDistance = best == length ? INT32_MAX : std::abs(best - length);
      if (distance < bestDistance || (distance == bestDistance && allowed > best)) best = allowed;
    }
    Resize(best);
  }
  std::vector<uint16_t> snapped = samples;
  for (uint16_t& code : snapped) code = SnappedCode(static_cast<int8_t>(code & 0xff));
  if (snapped != samples) {
    samples = std::move(snapped);
    PublishWave();
  }
}

bool WaveEditorModel::SetAmplitudes(const std::vector<uint8_t>& newAmplitudes) {
  if (newAmplitudes.size() != static_cast<size_t>(length)) return false;
  if (newAmplitudes != amplitudes) {
    amplitudes = newAmplitudes;
    PublishHarmonics();
  }
  return true;
}

void WaveEditorModel::PublishWave() {
  player.SetWave(WriteWaveText(samples), static_cast<uint16_t>(mode));
  RequestRedraw();
}

void WaveEditorModel::PublishHarmonics() {
  player.SetHarmonics(amplitudes);
  RequestRedraw();
}

void WaveEditorModel::Copy(std::optional<WaveFormatId> format) {
  if (IsHarmonicsView() && format) return;
  // The editor's own texts are the player's, as Play hears them; a named format writes the
  // samples.
  // Written at the wave's own height: a tool clamps a value above the height it plays.
  const std::string text = format ? WriteWave(SignedSamples(samples), *format, WaveHeight())
                           : IsHarmonicsView() ? player.GetHarmonicsText()
                                               : player.GetWaveText();
  if (services == nullptr || !services->OpenClipboard()) return;
  services->SetClipboardText(text);
  services->CloseClipboard();
}

PasteOutcome WaveEditorModel::Paste(PasteRule rule, WaveFormatId format, int32_t height) {
  PasteOutcome outcome;
  if (IsHarmonicsView() && rule == PasteRule::kNamedFormat) return outcome;
  if (services == nullptr || !services->OpenClipboard()) return outcome;
  const std::string text = services->GetClipboardText().value_or(std::string());
  services->CloseClipboard();
  if (IsHarmonicsView()) {
    PasteHarmonics(text);
    outcome.ok = true;
    outcome.harmonics = true;
    outcome.length = length;
    return outcome;
  }
  WaveReadResult read;
  if (rule == PasteRule::kEditorText) {
    // The Paste button's own rules and messages.
    const HexPasteResult pasted = ReadPastedWaveText(text);
    read.ok = pasted.ok;
    read.error = pasted.error;
    read.samples.assign(pasted.codes.begin(), pasted.codes.end());
    read.givenCount = pasted.codes.size();
  } else {
    WaveReadOptions options = ReadOptionsFor(chipTarget);
    options.height = height;
    if (rule == PasteRule::kNamedFormat && height != 0) format = FurnaceFormatOf(text);
    read = rule == PasteRule::kAnyFormat ? ReadWaveAnyFormat(text, options)
                                         : ReadWave(text, format, options);
  }
  if (!read.ok) {
    outcome.error = read.error;
    services->ShowMessage(read.error);
    return outcome;
  }
  ReplaceWave(read.samples);
  outcome.ok = true;
  outcome.readCount = read.samples.size();
  outcome.format = read.format;
  outcome.givenCount = read.givenCount;
  outcome.resampled = read.resampled;
  outcome.height = read.height;
  outcome.length = length;
  return outcome;
}

bool WaveEditorModel::Transform(WaveTransform transform) {
  const std::optional<SignedWave> result = ApplyTransform(transform, SignedSamples(samples));
  if (!result) return false;
  const auto newLength = static_cast<int32_t>(result->size());
  if (newLength != length) {
    // Half and Double Length: both arrays follow, as the length list has them follow.
    return SetLength(newLength);
  }
  if (IsHarmonicsView()) return false;
  return SetSamples(SampleSlots(*result));
}

void WaveEditorModel::PasteHarmonics(const std::string& text) {
  std::vector<int32_t> values;
  ParseDecimalList(text, values);
  const int32_t newLength = LengthHolding(values.size(), length);

  std::vector<uint8_t> pasted(static_cast<size_t>(newLength), kSilentAmplitude);
  const size_t taken = std::min(values.size(), pasted.size());
  for (size_t i = 0; i < taken; ++i) {
    pasted[i] = static_cast<uint8_t>(values[i] & 0xff);
  }
  amplitudes = std::move(pasted);
  if (newLength != length) {
    samples = ResampleToLength(samples, static_cast<size_t>(newLength));
    length = newLength;
  }
  // A length the chip does not play comes to the nearest it plays.
  ConformToTarget();
  PublishWave();
  PublishHarmonics();
}

WaveState WaveEditorModel::State() const {
  WaveState state;
  state.samples = samples;
  state.amplitudes = amplitudes;
  state.length = length;
  state.mode = mode;
  state.view = view;
  state.note = player.Note();
  return state;
}

bool WaveEditorModel::Restore(const WaveState& state) {
  if (!IsWaveLength(static_cast<size_t>(std::max(state.length, 0))) ||
      state.samples.size() != static_cast<size_t>(state.length) ||
      state.amplitudes.size() != static_cast<size_t>(state.length) ||
      (state.mode != kHold && state.mode != kPoly) ||
      (state.view != kWaveView && state.view != kHarmonicsView)) {
    return false;
  }
  const WaveState before = State();
  if (state.note != before.note) player.SetNote(state.note);
  if (state.view != before.view) SetHarmonicsView(state.view);
  length = state.length;
  const bool waveChanged = state.samples != before.samples || state.mode != before.mode;
  const bool harmonicsChanged = state.amplitudes != before.amplitudes;
  samples = state.samples;
  amplitudes = state.amplitudes;
  mode = state.mode;
  if (waveChanged) PublishWave();
  if (harmonicsChanged) PublishHarmonics();
  // A file or session of another length or depth comes to what the chip plays.
  ConformToTarget();
  RequestRedraw();
  return true;
}

void WaveEditorModel::RequestRedraw() {
  if (redraw) redraw();
}
