#include "synth/player.h"

#if defined(__linux__)
#include <pthread.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "synth/render_step.h"
#include "synth/tone.h"
#include "units/harmonic_oscillator.h"
#include "units/sampled_wave_oscillator.h"
#include "units/sound_unit.h"

namespace {

// Longest sleep of the render thread while it waits for the device. Every block the device returns
// and every stop request wake it earlier; the timeout only covers a wake-up that came between the
// thread's test and its wait.
constexpr int32_t kWaitTimeoutMs = 100;

constexpr char kRenderThreadName[] = "zp-render";

// Tone 1 starts as 8 samples at the bottom, 8 at the top and 16 on the centre line.
constexpr char kDefaultWaveText[] = "80808080808080807f7f7f7f7f7f7f7f";
constexpr uint32_t kMinWaveSamples = 2;
constexpr uint32_t kMaxWaveSamples = 64;

}  // namespace

using render_step::NextLiveSample;
using render_step::StartTone;

Player::Player(AudioDevice* device) : stream(device) {}

Player::~Player() {
  JoinRenderThread();
}

void Player::BuildDefaultTones() {
  // Rebuilding replaces every unit, so nothing may still render from the old ones.
  JoinRenderThread();
  toneTable.Clear();

  pitchTables.Build();
  toneTable.Init(&pitchTables);

  UnitParams params;
  params.shape = 1;
  params.ratio = 10;
  params.reserved1 = 1;
  params.cents = 0;
  params.attenuation = 0;
  params.feedback = 0;
  params.reserved2 = 0;
  params.link = 0;

  WaveFormat format;
  format.mode = 1;
  format.bitsPerSample = 8;
  format.length = 32;

  toneTable.AddSampledWaveOscillator(1, 1, params, format, kDefaultWaveText, true);
  toneTable.ToneAt(1)->Link();

  // Tone 2 starts as a pure sine at full scale: one harmonic of attenuation 0.
  const std::vector<uint8_t> amplitudes{0};
  toneTable.AddHarmonicOscillator(2, 1, params, 1, amplitudes, true);
  toneTable.ToneAt(2)->Link();

  // The sequence sounds its prepared cycles with the wave tone's parameters.
  sequenceTone = std::make_unique<Tone>();
  sequenceUnit = new SequenceOscillator(params, &pitchTables);
  sequenceTone->Place(1, sequenceUnit);
  sequenceTone->Link();
}

void Player::ReleaseTones() {
  JoinRenderThread();
  toneTable.Clear();
  sequenceTone.reset();
  sequenceUnit = nullptr;
}

bool Player::SetWave(const std::string& text, uint16_t mode) {
  SampledWaveOscillator* unit = toneTable.GetSampledWaveOscillator(1);
  if (unit == nullptr) return false;
  // The unit plays as many samples as the pane handed over, so what is heard is what is drawn.
  const auto samples = static_cast<uint32_t>(text.size() / 2);
  unit->SetLength(std::clamp(samples, kMinWaveSamples, kMaxWaveSamples));
  unit->SetMode(mode, false);
  return unit->SetWaveText(text, true);
}

std::string Player::GetWaveText() const {
  const SampledWaveOscillator* unit = toneTable.GetSampledWaveOscillator(1);
  return unit == nullptr ? std::string() : unit->WaveText();
}

void Player::SetHarmonics(const std::vector<uint8_t>& amplitudes) {
  HarmonicOscillator* unit = toneTable.GetHarmonicOscillator(1);
  if (unit != nullptr) unit->SetAmplitudes(amplitudes, true);
}

std::string Player::GetHarmonicsText() const {
  const HarmonicOscillator* unit = toneTable.GetHarmonicOscillator(1);
  return unit == nullptr ? std::string() : unit->AmplitudeText();
}

bool Player::SetCurrentTone(int32_t n) {
  if (n < 1 || n > toneTable.ToneCount()) return false;
  currentTone = n;
  liveTone.store(n, std::memory_order_relaxed);
  return true;
}

void Player::SetNote(int32_t n) {
  note = n;
}

void Player::Play() {
  if (IsPlaying() && !stream.IsStopRequested()) {
    // A run that live notes started: from now on it sounds on after the last release, and when it
    // rests it sounds Play's note. A run Play started keeps its note.
    playStarted = true;
    int32_t expected = kSilent;
    if (liveNote.compare_exchange_strong(expected, note, std::memory_order_acq_rel) ||
        expected != kIdleEnded) {
      return;
    }
    JoinRenderThread();  // it has just ended itself
  }
  if (StartRender(note)) playStarted = true;
}

bool Player::PlayNote(int32_t n) {
  if (n < 0 || n >= PitchTables::kNoteCount) return false;
  heldNotes.erase(std::remove(heldNotes.begin(), heldNotes.end(), n), heldNotes.end());
  heldNotes.push_back(n);
  if (IsPlaying() && !stream.IsStopRequested()) {
    if (liveNote.exchange(n, std::memory_order_acq_rel) != kIdleEnded) return true;
    JoinRenderThread();  // it has just ended itself
  }
  if (StartRender(n)) playStarted = false;
  return true;
}

void Player::ReleaseNote(int32_t n) {
  const auto held = std::find(heldNotes.begin(), heldNotes.end(), n);
  if (held == heldNotes.end()) return;
  const bool wasSounding = held + 1 == heldNotes.end();
  heldNotes.erase(held);
  if (!wasSounding || !IsPlaying()) return;
  const int32_t next = !heldNotes.empty() ? heldNotes.back() : playStarted ? note : kSilent;
  // Only a resting run ends itself, so a sounding one is never past its end here; the loop only
  // keeps that end from being overwritten.
  int32_t current = liveNote.load(std::memory_order_acquire);
  while (current != kIdleEnded &&
         !liveNote.compare_exchange_weak(current, next, std::memory_order_acq_rel)) {
  }
}

int32_t Player::SoundingNote() const {
  const int32_t n = liveNote.load(std::memory_order_acquire);
  return IsPlaying() && n >= 0 ? n : kSilent;
}

bool Player::IsSounding() const {
  return SoundingNote() != kSilent;
}

bool Player::StartRender(int32_t noteAtStart) {
  // One render thread per stream: a live one keeps playing, a finished one is collected.
  if (renderThread.joinable()) {
    if (!renderDone.load(std::memory_order_acquire)) return false;
    renderThread.join();
  }
  if (stream.IsActive()) return false;
  runLowLatency = lowLatency;
  if (!runLowLatency) {
    runWaitAboveLiveBlocks = kWaitAboveLiveBlocks;
    stream.SetBlockSize(kBlockBytes);
    stream.SetLatency(0, 0);
  } else {
    const bool longer = fellBack.load(std::memory_order_acquire);
    runWaitAboveLiveBlocks = longer ? kFallbackWaitAboveLiveBlocks : kLowLatencyWaitAboveLiveBlocks;
    stream.SetBlockSize(kLowLatencyBlockBytes);
    stream.SetLatency(longer ? kFallbackLatencySeconds : kLowLatencySeconds,
                      kLowLatencyChunkFrames);
  }
  // The stream is reset here; the device is opened by the render thread, which may have to wait
  // for the sound server.
  stream.Restart(kSampleRate);
  renderDone.store(false, std::memory_order_relaxed);
  liveNote.store(noteAtStart, std::memory_order_release);
  // The tone and note are handed over now; the thread reads nothing else of the player's choice
  // but the live note.
  renderThread = std::thread(&Player::RenderThread, this, currentTone, noteAtStart);
  return true;
}

std::vector<int16_t> Player::RenderPcm(int32_t toneNumber, int32_t noteNumber,
                                       int32_t sampleCount) {
  return RenderNotes(toneNumber, {{0, noteNumber}}, sampleCount);
}

std::vector<int16_t> Player::RenderNotes(int32_t toneNumber, const std::vector<NoteChange>& changes,
                                         int32_t sampleCount) {
  std::vector<int16_t> pcm;
  // The units keep per-note state that the render thread uses too.
  if (IsPlaying() || sampleCount <= 0 || changes.empty()) return pcm;
  Tone* tone = toneTable.GetTone(toneNumber);
  if (tone == nullptr || tone->Output() == nullptr) return pcm;
  int32_t sounding = changes.front().note;
  StartTone(*tone, std::max(sounding, 0));
  pcm.reserve(static_cast<size_t>(sampleCount));
  int32_t index = 0;
  int32_t wanted = sounding;
  size_t next = 1;
  for (int32_t i = 0; i < sampleCount; ++i) {
    if (next < changes.size() && changes[next].index == i) wanted = changes[next++].note;
    pcm.push_back(NextLiveSample(*tone, index, sounding, wanted));
  }
  return pcm;
}

void Player::Stop() {
  stream.RequestStop();
  StopSequence();
  heldNotes.clear();
  playStarted = false;
}

void Player::SetLowLatency(bool on) {
  lowLatency = on;
  fellBack.store(false, std::memory_order_release);
}

bool Player::TakeLatencyFallback() {
  return fallbackToTell.exchange(false, std::memory_order_acq_rel);
}

OutputProblem Player::TakeOutputProblem() {
  return outputProblem.exchange(OutputProblem::kNone, std::memory_order_acq_rel);
}

bool Player::TakeOutputWorked() {
  return outputWorked.exchange(false, std::memory_order_acq_rel);
}

bool Player::IsPlaying() const {
  return renderThread.joinable() && !renderDone.load(std::memory_order_acquire);
}

void Player::JoinRenderThread() {
  if (!renderThread.joinable()) return;
  stream.RequestStop();
  renderThread.join();
}

void Player::RenderThread(int32_t toneNumber, int32_t noteAtStart) {
#if defined(__linux__)
  // Named so that the thread can be told apart in top, perf and debuggers.
  pthread_setname_np(pthread_self(), kRenderThreadName);
#endif
  // Opening may wait for the sound server: it happens here, never on the UI thread.
  if (stream.OpenDevice()) {
    outputWorked.store(true, std::memory_order_release);
  } else {
    const OutputProblem problem = stream.OpenProblem();
    if (problem != OutputProblem::kNone) outputProblem.store(problem, std::memory_order_release);
  }
  int32_t maxLiveBlocks = runWaitAboveLiveBlocks;
  Tone* tone = toneTable.GetTone(toneNumber);
  if (tone == nullptr || tone->Output() == nullptr) {
    // Nothing to sound: wind the stream down as a stop would.
    stream.Flush();
    stream.Close();
    renderDone.store(true, std::memory_order_release);
    return;
  }
  StartTone(*tone, noteAtStart);
  SequenceRun sequence;
  BeginSequence(sequence, sequenceOrder.load(std::memory_order_acquire), noteAtStart);

  int32_t index = 0;
  int32_t sounding = noteAtStart;
  int32_t resting = 0;  // silent samples written in a row
  // The thread gives up its time slice after every wait. It does not while it renders a run of
  // samples: a system call per sample would cost more than all the rendering.
  bool waited = true;
  for (;;) {
    if (waited) std::this_thread::yield();
    waited = false;
    stream.MarkSeen();
    // Keep at most the lead ahead of the device (about half a second by default): sleep until it
    // returns a block.
    if (stream.CountLiveBlocks() > maxLiveBlocks) {
      WaitForDevice(maxLiveBlocks);
      waited = true;
      continue;
    }
    if (stream.IsStopRequested()) {
      stream.Flush();
      stream.Close();
      break;
    }
    if (stream.IsFull()) {
      WaitForDevice(maxLiveBlocks);
      waited = true;
      continue;
    }
    int32_t wanted = liveNote.load(std::memory_order_relaxed);
    resting = wanted == kSilent ? resting + 1 : 0;
    // A run that rests long enough ends itself, unless a note arrives at that very moment.
    if (resting > kNoteIdleSamples &&
        liveNote.compare_exchange_strong(wanted, kIdleEnded, std::memory_order_acq_rel)) {
      stream.Flush();
      stream.Close();
      break;
    }
    // A note after a rest takes the tone chosen meanwhile (a run Play started never rests).
    if (sounding == kSilent && wanted >= 0) {
      const int32_t chosen = liveTone.load(std::memory_order_relaxed);
      Tone* next = chosen != toneNumber ? toneTable.GetTone(chosen) : nullptr;
      if (next != nullptr && next->Output() != nullptr) {
        tone = next;
        toneNumber = chosen;
        StartTone(*tone, wanted);
        sounding = wanted;
      }
    }
    Tone* voice =
        SequenceStep(sequence, tone, sounding, sequenceOrder.load(std::memory_order_acquire));
    const int16_t sample = NextLiveSample(*voice, index, sounding, wanted);
    const auto bits = static_cast<uint16_t>(sample);
    const uint8_t bytes[2] = {static_cast<uint8_t>(bits & 0xff), static_cast<uint8_t>(bits >> 8)};
    if (!stream.Write(bytes, sizeof bytes)) {
      // The device refused the block, so the sample is lost and no block will come back: rest
      // until a stop arrives rather than render sound nobody hears at full speed.
      WaitForDevice(maxLiveBlocks);
      waited = true;
    }
  }
  renderDone.store(true, std::memory_order_release);
}

void Player::WaitForDevice(int32_t& maxLiveBlocks) {
  stream.WaitForChange(kWaitTimeoutMs);
  const uint32_t events = stream.TakeDeviceEvents();
  if ((events & kEventOutputLost) != 0) {
    outputProblem.store(OutputProblem::kServerLost, std::memory_order_release);
  }
  // The sound server did not get the next block in time: keep further ahead from now on.
  if ((events & kEventUnderrun) != 0 && runLowLatency &&
      maxLiveBlocks < kFallbackWaitAboveLiveBlocks) {
    maxLiveBlocks = kFallbackWaitAboveLiveBlocks;
    fellBack.store(true, std::memory_order_release);
    fallbackToTell.store(true, std::memory_order_release);
  }
}
