// The pane menu's sound commands and what the dialog says about the sound output: the remembered
// Low-Latency Preview, and a plain message when Play finds no usable output or when the preview
// had to fall back to a longer lead.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <functional>

class EditorCommands;
class Player;
class UiServices;
class QAction;
class QMenu;

class SoundCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(SoundCommands)

 public:
  SoundCommands(EditorCommands& commands, QMenu* menu);

  QAction* LowLatencyAction() const { return lowLatency; }
  // Hands the Low-Latency Preview choice to the player; it takes effect at the next Play, so this
  // runs right before Play while nothing plays. [UI]
  void BeforePlay();
  // Tells the user what went wrong with the sound output since the last look: a failed Play once
  // (again only after a Play has worked), a fall-back of the preview once. Run by the dialog's
  // play-state timer. [UI]
  void CheckOutput();
  // The last Play found no usable output: its render thread was stopped and the Play button looks
  // unpressed until the next Play, which tries the output again. [UI]
  bool PlayFailed() const { return playFailed; }
  // Run when a failed Play has been stopped, so that whoever shows the Play button shows it
  // unpressed at once. [UI]
  void OnPlayFailed(std::function<void()> handler) { playFailedHandler = std::move(handler); }

 private:
  Player& player;
  UiServices* services;
  QAction* lowLatency = nullptr;
  // A failure was told, and no Play has worked since.
  bool failureTold = false;
  bool playFailed = false;
  std::function<void()> playFailedHandler;
};
