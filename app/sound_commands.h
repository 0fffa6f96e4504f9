// The pane menu's sound commands and what the dialog says about the sound output: the remembered
// Low-Latency Preview, and a plain message when Play finds no usable output or when the preview
// had to fall back to a longer lead.
#pragma once

#include <QCoreApplication>
#include <QObject>

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

 private:
  Player& player;
  UiServices* services;
  QAction* lowLatency = nullptr;
  // A failure was told, and no Play has worked since.
  bool failureTold = false;
};
