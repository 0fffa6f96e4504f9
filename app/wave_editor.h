// The editing pane: a child widget that draws the wave or the harmonic bars of its model, edits
// them with the left mouse button and posts a pointer report to its parent at every move.
#pragma once

// Our headers before Qt's: Qt's keyword macros (slots, signals, emit) must not reach them.
#include "editor/wave_editor_geometry.h"
#include "editor/wave_editor_model.h"

#include <QEvent>
#include <QPoint>
#include <QWidget>

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
 public:
  explicit WaveEditor(QWidget* parent = nullptr, AudioDevice* device = nullptr,
                      UiServices* services = nullptr);
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

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  PaneGeometry Geometry() const;
  void PaintWave(QPainter& painter, const PaneGeometry& g);
  void PaintBars(QPainter& painter, const PaneGeometry& g);

  WaveEditorModel model;
  bool dragging = false;
  // Client coordinates of the last press or move; the top left corner before the first one.
  QPoint lastPosition{0, 0};
};
