// The Morph dialog: two key waves A and B of the bank, the number of steps between them (1–254)
// and the kind (linear or spectral), with a strip of the waves the morph would give; OK puts them
// between A and B through the session, as one step.
#pragma once

#include <QDialog>

class EditSession;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QSpinBox;

class MorphDialog : public QDialog {
  Q_OBJECT

 public:
  MorphDialog(EditSession& session, QWidget* parent);

  // The choices, by object name: waveA, waveB, morphSteps (spin boxes, waves counted from 1),
  // morphKind (linear first, then spectral).
  QSpinBox* WaveA() const { return waveA; }
  QSpinBox* WaveB() const { return waveB; }
  QSpinBox* Steps() const { return steps; }
  QComboBox* Kind() const { return kind; }
  // The preview strip and the buttons.
  QLabel* Preview() const { return preview; }
  QDialogButtonBox* Buttons() const { return buttons; }

  // Morphs the bank as chosen; stays open with the reason shown when the session refuses.
  void accept() override;

 private:
  // Draws the waves the choices give, and lets OK be pressed only for two different key waves.
  void UpdatePreview();

  EditSession& session;
  QSpinBox* waveA = nullptr;
  QSpinBox* waveB = nullptr;
  QSpinBox* steps = nullptr;
  QComboBox* kind = nullptr;
  QLabel* preview = nullptr;
  QLabel* problem = nullptr;
  QDialogButtonBox* buttons = nullptr;
};
