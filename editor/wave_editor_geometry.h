// The editing pane's geometry, computed afresh from its client size at every paint and pointer
// event: column width, pixels per value step, base line, and the pointer-to-column and
// pointer-to-value mappings of both views.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

// d * i / steps rounded to the nearest integer, halves away from zero.
inline int Scaled(int d, int i, int steps) {
  const int64_t magnitude = (2 * int64_t{std::abs(d)} * i + steps) / (2 * int64_t{steps});
  return static_cast<int>(d < 0 ? -magnitude : magnitude);
}

struct PaneGeometry {
  static constexpr int32_t kBarTop = 30;  // top of a bar of amplitude 0

  // A pane too narrow or too low for one pixel per column or value step still gets 1, so that
  // no mapping divides by zero.
  PaneGeometry(int32_t width, int32_t height, int32_t length, bool harmonics)
      : width(width), height(height), length(std::max(length, 1)), harmonics(harmonics) {
    column = std::max(width / this->length, 1);
    unit = std::max(height / (harmonics ? 128 : 256), 1);
    base = harmonics ? 127 * unit + kBarTop : height / 2;
  }

  // Truncates toward zero: x from -(column - 1) to -1 is column 0. Not clamped.
  int32_t ColumnFromX(int32_t x) const { return x / column; }

  // The value under y: -128..127 in the wave view, 0..127 in the harmonics view.
  int32_t ValueFromY(int32_t y) const {
    if (harmonics) {
      return static_cast<int32_t>(std::clamp<int64_t>((int64_t{y} - kBarTop) / unit, 0, 127));
    }
    return static_cast<int32_t>(std::clamp<int64_t>((int64_t{base} - y) / unit, -128, 127));
  }

  int32_t width;
  int32_t height;
  int32_t length;
  bool harmonics;
  int32_t column;  // c: pixels per column
  int32_t unit;    // u: pixels per value step
  int32_t base;    // y of the zero line (wave view) or of the bars' bottom (harmonics view)
};
