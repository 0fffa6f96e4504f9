// The bank window's sequence controls: the waves to play (from A to B, the whole bank unless
// narrowed, kept inside the bank as it changes), the tick rate (1–1000 Hz, 60 and 50 a click away)
// and once or looping (both remembered), and Play Sequence, pressed exactly while the player plays
// the sequence. A change of rate, range or loop while it plays is heard at once.
#pragma once

#include <QWidget>
#include <cstdint>

#include "synth/wave_sequence.h"

class EditSession;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;

class SequenceControls : public QWidget {
  Q_OBJECT

 public:
  SequenceControls(EditSession& session, QWidget* parent);

  // The order the controls choose, waves counted from 0.
  SequenceOrder Order() const;
  // Hands the bank to the player and plays it as the controls choose; while a sequence plays,
  // stops it (and the sound, when the sequence started it). [UI]
  void TogglePlay();
  // Chooses the rate (held to 1..1000), remembers it and plays on at it while a sequence plays.
  void SetRate(int32_t rate);
  // The PAL frame rate, beside the player's default, the NTSC frame.
  static constexpr int32_t kPalRate = 50;
  // The rate and loop last chosen (60 Hz and looping at first).
  static int32_t RememberedRate();
  static bool RememberedLoop();

  QSpinBox* FirstWave() const { return firstWave; }
  QSpinBox* LastWave() const { return lastWave; }
  QSpinBox* Rate() const { return rate; }
  QCheckBox* Loop() const { return loop; }
  QPushButton* PlayButton() const { return play; }
  // The one-click rates, by object name: rate60, rate50.
  QPushButton* RateButton(const char* name) const;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Retranslate();
  // Keeps the range inside the bank (a range that reached the last wave goes on reaching it) and
  // shows Play Sequence pressed while the sequence plays.
  void Sync();
  // The bank as it is now to the player's sequence.
  void HandOver();
  // A choice changed: remembered, and heard at once while the sequence plays.
  void Chosen();

  EditSession& session;
  QLabel* rangeLabel = nullptr;
  QLabel* toLabel = nullptr;
  QLabel* rateLabel = nullptr;
  QSpinBox* firstWave = nullptr;
  QSpinBox* lastWave = nullptr;
  QSpinBox* rate = nullptr;
  QCheckBox* loop = nullptr;
  QPushButton* play = nullptr;
  QTimer* stateTimer = nullptr;
  // Whether the range reaches the bank's last wave, and so follows it when the bank grows.
  bool toEnd = true;
  bool syncing = false;
  // Whether the running sequence started the sound, which then ends with it.
  bool startedSound = false;
};
