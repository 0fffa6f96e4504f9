// The bank window: a tool window beside the dialog showing the bank's waves as small numbered
// drawings, the current one marked; a click or the arrow keys choose the wave the pane edits, and
// its buttons add, delete, move and clear waves and copy and paste the bank, and its sequence
// controls play it. It shows the session and calls it; its place and size are remembered.
#pragma once

#include <QWidget>

class EditSession;
class QListWidget;
class QPushButton;
class SequenceControls;
class UiServices;

class BankWindow : public QWidget {
  Q_OBJECT

 public:
  BankWindow(EditSession& session, QWidget* dialog);

  QListWidget* Strip() const { return strip; }
  // The buttons by object name: addWave, deleteWave, moveLeft, moveRight, clearBank, copyBank,
  // pasteBank, morph, and the sequence controls' playSequence.
  QPushButton* Button(const char* name) const;
  SequenceControls& Sequence() const { return *sequence; }
  // Shows the window where it was last (beside the dialog the first time) and gives it the keys.
  void ShowBeside();
  // Brings the drawings, numbers, mark and buttons up to the session.
  void Refresh();

 protected:
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Retranslate();

  EditSession& session;
  QWidget* dialog;
  QListWidget* strip = nullptr;
  SequenceControls* sequence = nullptr;
  bool refreshing = false;
};
