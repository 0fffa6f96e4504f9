// The editing pane's painting: background, the levels of a low wave height, base line, grid, the
// keyboard's cursor, the wave or the bars, and the straight line of a Shift stroke.
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "app/wave_editor.h"
#include "formats/wave_height.h"

namespace {

const QColor kBackground(0, 0, 0);
const QColor kBaseLine(0, 255, 0);
const QColor kGrid(0, 127, 0);
const QColor kWave(0, 175, 0);
// The levels of a wave of 16 or 32 levels, faint under everything else.
const QColor kLevel(0, 48, 0);
// The keyboard's cursor and the straight line of a Shift stroke, set apart from the greens.
const QColor kCursor(0, 128, 255);
const QColor kLinePreview(255, 255, 255);

// Draws a line the way a move-to/line-to pair does: the start point drawn, the end point left
// out, whatever the direction, so that joined segments meet without a pixel drawn twice. One pixel
// per step along the longer axis, the other coordinate rounded to the nearest pixel. (Qt's own
// flat-capped lines leave out the bottom or right end whichever way they run, which differs for
// lines drawn upward or leftward.)
//
// Each logical pixel is filled as a 1 x 1 rectangle (runs along the longer axis as one rectangle),
// so that at any device pixel ratio it covers all of its device pixels, as a point or a cosmetic
// pen would not.
void DrawLine(QPainter& painter, const QColor& color, QPoint from, QPoint to) {
  const int dx = to.x() - from.x();
  const int dy = to.y() - from.y();
  const int steps = std::max(std::abs(dx), std::abs(dy));
  if (steps == 0) return;
  const bool alongX = std::abs(dx) >= std::abs(dy);
  const auto pixel = [&](int i) {
    return QPoint(from.x() + Scaled(dx, i, steps), from.y() + Scaled(dy, i, steps));
  };
  QPoint runStart = pixel(0);
  QPoint runEnd = runStart;
  for (int i = 1; i <= steps; ++i) {
    const QPoint next = i < steps ? pixel(i) : QPoint();
    const bool sameRun =
        i < steps && (alongX ? next.y() == runStart.y() : next.x() == runStart.x());
    if (sameRun) {
      runEnd = next;
      continue;
    }
    painter.fillRect(
        QRect(QPoint(std::min(runStart.x(), runEnd.x()), std::min(runStart.y(), runEnd.y())),
              QPoint(std::max(runStart.x(), runEnd.x()), std::max(runStart.y(), runEnd.y()))),
        color);
    runStart = runEnd = next;
  }
}

// One faint line at each level of a wave of 16 or 32 levels; finer heights draw none.
void PaintLevels(QPainter& painter, const PaneGeometry& g, int32_t levels) {
  if (levels != 16 && levels != 32) return;
  for (int32_t level = 0; level < levels; ++level) {
    const int32_t y = g.base - FromHeightLevel(level, levels) * g.unit;
    DrawLine(painter, kLevel, QPoint(0, y), QPoint(g.width, y));
  }
}

}  // namespace

void WaveEditor::paintEvent(QPaintEvent*) {
  const PaneGeometry g = Geometry();
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);

  // Erase background.
  painter.fillRect(rect(), kBackground);
  if (!g.harmonics) PaintLevels(painter, g, model.WaveHeight());

  DrawLine(painter, kBaseLine, QPoint(0, g.base), QPoint(g.width, g.base));

  for (int32_t k = 1; k < g.length; ++k) {
    DrawLine(painter, kGrid, QPoint(k * g.column, 0), QPoint(k * g.column, g.height));
  }

  // The cursor shows only while the pane has the keyboard, under the data.
  if (hasFocus()) PaintCursor(painter, g);

  if (g.harmonics) {
    PaintBars(painter, g);
  } else {
    PaintWave(painter, g);
  }

  if (dragging && lineStroke) {
    DrawLine(painter, kLinePreview, pressPosition, lastPosition);
  }
}

void WaveEditor::PaintCursor(QPainter& painter, const PaneGeometry& g) {
  // A one-pixel outline just inside the cursor's column, clear of the grid lines.
  const int32_t left = Cursor() * g.column + 1;
  const int32_t right = std::max(left, left + g.column - 2);
  const int32_t bottom = g.height - 1;
  DrawLine(painter, kCursor, QPoint(left, 0), QPoint(right, 0));
  DrawLine(painter, kCursor, QPoint(right, 0), QPoint(right, bottom));
  DrawLine(painter, kCursor, QPoint(right, bottom), QPoint(left, bottom));
  DrawLine(painter, kCursor, QPoint(left, bottom), QPoint(left, 0));
}

void WaveEditor::PaintWave(QPainter& painter, const PaneGeometry& g) {
  const std::vector<uint16_t>& samples = model.Samples();
  const int32_t mode = model.Mode();
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
      DrawLine(painter, kWave, QPoint(x0, y0), QPoint(x1, y0));
      DrawLine(painter, kWave, QPoint(x1, y0), QPoint(x1, y1));
    } else if (mode == WaveEditorModel::kPoly) {
      DrawLine(painter, kWave, QPoint(x0, y0), QPoint(x1, y1));
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
