#include "app/wave_editor.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>

#include "editor/wave_editor_geometry.h"

namespace {

const QColor kBackground(0, 0, 0);
const QColor kBaseLine(0, 255, 0);
const QColor kGrid(0, 127, 0);
const QColor kWave(0, 175, 0);

// A solid one-pixel pen.
QPen OnePixelPen(const QColor& color) {
  QPen pen(color, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  pen.setCosmetic(true);
  return pen;
}

// d * i / steps rounded to the nearest integer, halves away from zero.
int Scaled(int d, int i, int steps) {
  const int64_t magnitude = (2 * int64_t{std::abs(d)} * i + steps) / (2 * int64_t{steps});
  return static_cast<int>(d < 0 ? -magnitude : magnitude);
}

// Draws a line the way a move-to/line-to pair does: the start point drawn, the end point left
// out, whatever the direction, so that joined segments meet without a pixel drawn twice. One pixel
// per step along the longer axis, the other coordinate rounded to the nearest pixel. (Qt's own
// flat-capped lines leave out the bottom or right end whichever way they run, which differs for
// lines drawn upward or leftward.)
void DrawLine(QPainter& painter, QPoint from, QPoint to) {
  const int dx = to.x() - from.x();
  const int dy = to.y() - from.y();
  const int steps = std::max(std::abs(dx), std::abs(dy));
  if (steps == 0) return;
  QPolygon pixels;
  pixels.reserve(steps);
  for (int i = 0; i < steps; ++i) {
    pixels.append(QPoint(from.x() + Scaled(dx, i, steps), from.y() + Scaled(dy, i, steps)));
  }
  painter.drawPoints(pixels);
}

}  // namespace

WaveEditor::WaveEditor(QWidget* parent, AudioDevice* device, UiServices* services)
    : QWidget(parent), model(device, services) {
  setObjectName(QStringLiteral("WaveEdit"));
  // The pane paints every pixel itself, starting with its own erase.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
  // Pointer moves are reported also while no button is held.
  setMouseTracking(true);
  model.SetRedrawHandler([this] { update(); });
}

WaveEditor::~WaveEditor() {
  model.SetRedrawHandler(nullptr);
}

PaneGeometry WaveEditor::Geometry() const {
  return PaneGeometry(width(), height(), model.GetLength(), model.IsHarmonicsView());
}

void WaveEditor::paintEvent(QPaintEvent*) {
  const PaneGeometry g = Geometry();
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);

  // Erase background.
  painter.fillRect(rect(), kBackground);

  painter.setPen(OnePixelPen(kBaseLine));
  DrawLine(painter, QPoint(0, g.base), QPoint(g.width, g.base));

  painter.setPen(OnePixelPen(kGrid));
  for (int32_t k = 1; k < g.length; ++k) {
    DrawLine(painter, QPoint(k * g.column, 0), QPoint(k * g.column, g.height));
  }

  if (g.harmonics) {
    PaintBars(painter, g);
  } else {
    PaintWave(painter, g);
  }
}

void WaveEditor::PaintWave(QPainter& painter, const PaneGeometry& g) {
  const std::vector<uint16_t>& samples = model.Samples();
  const int32_t mode = model.Mode();
  painter.setPen(OnePixelPen(kWave));
  const auto height = [&](size_t k) {
    const int32_t value = static_cast<int8_t>(samples[k] & 0xff);
    return g.base - value * g.unit;
  };
  for (size_t k = 0; k < samples.size(); ++k) {
    // The wave closes on itself: the last sample leads back to sample 0.
    const size_t next = k + 1 < samples.size() ? k + 1 : 0;
    const int32_t x0 = static_cast<int32_t>(k) * g.column;
    const int32_t x1 = x0 + g.column;
    const int32_t y0 = height(k);
    const int32_t y1 = height(next);
    if (mode == WaveEditorModel::kHold) {
      DrawLine(painter, QPoint(x0, y0), QPoint(x1, y0));
      DrawLine(painter, QPoint(x1, y0), QPoint(x1, y1));
    } else if (mode == WaveEditorModel::kPoly) {
      DrawLine(painter, QPoint(x0, y0), QPoint(x1, y1));
    }
  }
}

void WaveEditor::PaintBars(QPainter& painter, const PaneGeometry& g) {
  const std::vector<uint8_t>& amplitudes = model.Amplitudes();
  for (size_t k = 0; k < amplitudes.size(); ++k) {
    const int32_t left = static_cast<int32_t>(k) * g.column + 2;
    const int32_t right = static_cast<int32_t>(k) * g.column + g.column - 2;
    if (right <= left) continue;
    const int32_t a = amplitudes[k];
    int32_t top = PaneGeometry::kBarTop + a * g.unit;
    int32_t bottom = g.base;
    if (a > 127) {
      // Only a paste stores such a value. Its bar hangs below the base line, (a - 127) value
      // steps long and cut at the bottom of the pane, so that it stays visible; it starts one
      // pixel below the base line, which stays whole.
      top = g.base + 1;
      bottom = std::min(g.base + 1 + (a - 127) * g.unit, g.height);
    }
    if (bottom <= top) continue;
    painter.fillRect(QRect(left, top, right - left, bottom - top), kWave);
  }
}

void WaveEditor::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  // Nothing is written on the press. While the button is held Qt's implicit grab sends the moves
  // and the release here, also from outside the pane.
  lastPosition = event->position().toPoint();
  dragging = true;
}

void WaveEditor::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  dragging = false;
  const QPoint position = event->position().toPoint();
  const PaneGeometry g = Geometry();
  const int32_t column = g.ColumnFromX(position.x());
  if (column >= 0 && column < g.length) {
    model.WriteValue(column, g.ValueFromY(position.y()));
  }
}

void WaveEditor::mouseMoveEvent(QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  const PaneGeometry g = Geometry();
  const int32_t lastColumn = g.ColumnFromX(lastPosition.x());
  const int32_t column = g.ColumnFromX(position.x());
  const int32_t lastValue = g.ValueFromY(lastPosition.y());
  // A column is written when the pointer leaves it, with the value of the last position in it.
  if (dragging && lastColumn != column && lastColumn >= 0 && lastColumn < g.length) {
    model.WriteValue(lastColumn, lastValue);
  }
  if (QWidget* parent = parentWidget()) {
    QCoreApplication::postEvent(parent, new PointerReportEvent(column, lastValue));
  }
  lastPosition = position;
}
