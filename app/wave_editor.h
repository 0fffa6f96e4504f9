// The editing pane: a child widget that draws the wave or the harmonic bars of its model, edits
// them with the left mouse button (Shift: a straight line) and from the keyboard at a sample
// cursor, and posts a pointer report to its parent at every move and cursor step.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>

#include "editor/edit_session.h"
#include "editor/wave_editor_geometry.h"

class QPainter;

// Posted to the parent at every pointer move: the column under the pointer and the value of the
// previous pointer position, both signed.
class PointerReportEvent : public QEvent {
 public:
  static constexpr QEvent::Type kType = static_cast<QEvent::Type>(1524);
  PointerReportEvent(int column, int value) : QEvent(kType), column(column), value(value) {}
  const int column;
  const int value;
};

class WaveEditor : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(WaveEditor)

 public:
  // Shows and edits the wave of `session` (not owned; it outlives the pane). A mouse stroke is
  // one step of the session from the press to the release, a keyboard edit one step of its own.
  explicit WaveEditor(EditSession& session, QWidget* parent = nullptr);
  ~WaveEditor() override;

  void SetNote(int32_t note) { model.SetNote(note); }
  int32_t GetLength() const { return model.GetLength(); }
  void SetLength(int32_t count) { model.SetLength(count); }
  void SetMode(int32_t mode) { model.SetMode(mode); }
  void SetHarmonicsView(int32_t view) { model.SetHarmonicsView(view); }
  void Play() { model.Play(); }
  void Stop() { model.Stop(); }
  void CopyToClipboard() { model.CopyToClipboard(); }
  void PasteFromClipboard() { model.PasteFromClipboard(); }

  WaveEditorModel& Model() { return model; }
  EditSession& Session() { return session; }

  // A left-button release at `position` (pane coordinates) whose press went elsewhere, e.g. to
  // the dialog's background: it writes as a release does, as a stroke of its own.
  void ReleaseAt(QPoint position);
  // Ends an open stroke where it is, as one step; later moves write nothing until the next press.
  void EndStroke();

  // The keyboard's sample cursor: a column 0..length - 1 (kept within the length as it changes).
  int32_t Cursor() const;
  void SetCursor(int32_t column);
  // The value at the cursor as the pointer report shows it: -128..127 in the wave view, the
  // attenuation in the harmonics view.
  int32_t CursorValue() const;
  // What assistive technology reads for the cursor (the accessible Value): "sample 5 of 32: -40"
  // or "harmonic 5 of 32: 64", counting from 1.
  QString CursorText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

 private:
  PaneGeometry Geometry() const;
  void PaintCursor(QPainter& painter, const PaneGeometry& g);
  void PaintWave(QPainter& painter, const PaneGeometry& g);
  void PaintBars(QPainter& painter, const PaneGeometry& g);
  // Writes the straight line from the press point to `end` (Shift + drag).
  void WriteLine(const PaneGeometry& g, QPoint end);
  // A keyboard edit: `value` (clamped to the view's range) into the cursor's column.
  void WriteAtCursor(int32_t value);
  // Two hex digits typed in a row set the cursor's value; true when `text` was a hex digit.
  bool TakeHexDigit(const QString& text);
  // Posts the cursor as a pointer report, redraws and tells assistive technology.
  void CursorChanged();

  EditSession& session;
  WaveEditorModel& model;
  bool dragging = false;
  // Client coordinates of the last press or move; the top left corner before the first one.
  QPoint lastPosition{0, 0};
  // A Shift + press starts a line stroke from `pressPosition`; moves only show it.
  bool lineStroke = false;
  QPoint pressPosition{0, 0};
  int32_t cursor = 0;
  // The first hex digit of a pair (-1: none) and when it was typed.
  int32_t pendingDigit = -1;
  QElapsedTimer pendingSince;
};
