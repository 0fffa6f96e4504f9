#include "app/sound_commands.h"

#include <QAction>
#include <QMenu>
#include <QSettings>

#include "app/editor_commands.h"
#include "editor/edit_session.h"
#include "editor/ui_services.h"

namespace {

constexpr char kLowLatencyKey[] = "lowLatencyPreview";

// What failed, and what to check, in plain words.
TextMessage ProblemMessage(OutputProblem problem) {
  switch (problem) {
    case OutputProblem::kNoDevice:
      return {"SoundCommands",
              QT_TRANSLATE_NOOP("SoundCommands",
                                "No sound output was found, so nothing can be heard. Check that "
                                "a sound card is connected and a sound server (PulseAudio or "
                                "PipeWire) is running, then press Play again.")};
    case OutputProblem::kFormatRefused:
      return {"SoundCommands",
              QT_TRANSLATE_NOOP("SoundCommands",
                                "The sound output does not take 16-bit mono sound at 44100 Hz. "
                                "Check the settings of the default output device.")};
    case OutputProblem::kOpenFailed:
      return {"SoundCommands",
              QT_TRANSLATE_NOOP("SoundCommands",
                                "The sound output could not be opened. Check that the sound "
                                "server is running and that no other program holds the device.")};
    case OutputProblem::kServerLost:
      return {"SoundCommands",
              QT_TRANSLATE_NOOP("SoundCommands",
                                "The sound output went away while playing. Check the sound "
                                "server, then press Play again.")};
    case OutputProblem::kNone:
      break;
  }
  return {};
}

}  // namespace

SoundCommands::SoundCommands(EditorCommands& commands, QMenu* menu)
    : QObject(&commands),
      player(commands.Context().session.Model().GetPlayer()),
      services(commands.Context().services) {
  lowLatency = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Low-Latency Preview"));
  lowLatency->setCheckable(true);
  lowLatency->setChecked(QSettings().value(QString::fromLatin1(kLowLatencyKey), false).toBool());
  connect(lowLatency, &QAction::toggled, this, [this](bool on) {
    QSettings().setValue(QString::fromLatin1(kLowLatencyKey), on);
    BeforePlay();
  });
  menu->addAction(lowLatency);
  BeforePlay();
}

void SoundCommands::BeforePlay() {
  playFailed = false;
  if (player.IsPlaying()) return;  // the next Play takes it
  if (player.IsLowLatency() != lowLatency->isChecked())
    player.SetLowLatency(lowLatency->isChecked());
}

void SoundCommands::CheckOutput() {
  if (player.TakeOutputWorked()) failureTold = false;
  const OutputProblem problem = player.TakeOutputProblem();
  if (problem != OutputProblem::kNone && problem != OutputProblem::kServerLost) {
    // Nothing will be heard: end the render thread, so that the next Play opens the output anew.
    player.Stop();
    playFailed = true;
    if (playFailedHandler) playFailedHandler();
  }
  if (problem != OutputProblem::kNone && !failureTold) {
    failureTold = true;
    if (services != nullptr) services->ShowMessage(ProblemMessage(problem));
  }
  if (player.TakeLatencyFallback() && services != nullptr) {
    services->ShowMessage(TextMessage(
        "SoundCommands",
        QT_TRANSLATE_NOOP("SoundCommands",
                          "The sound server could not keep up with the low-latency preview, so "
                          "the sound now runs a little further ahead. Edits are heard slightly "
                          "later until the preview is switched off and on again.")));
  }
}
