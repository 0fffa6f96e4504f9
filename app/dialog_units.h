// Converts dialog-template units to pixels from the dialog's font, the way the Windows dialog
// manager does, and picks that font.
#pragma once

#include <QFont>
#include <QRect>

class DialogUnits {
 public:
  // The dialog font: "ＭＳ Ｐゴシック" at 9 points (12 pixels at the dialog manager's 96 dpi), or,
  // where it is missing, the first installed Japanese gothic font with the same metrics.
  static QFont DialogFont();
  // a × b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
  static int MulDiv(int a, int b, int c);

  explicit DialogUnits(const QFont& font);

  // Average width of the letters A–Z a–z, rounded as the dialog manager rounds it.
  int BaseX() const { return baseX; }
  // Height of the font.
  int BaseY() const { return baseY; }
  int X(int units) const { return MulDiv(units, baseX, 4); }
  int Y(int units) const { return MulDiv(units, baseY, 8); }
  // A rectangle given in dialog units, in pixels.
  QRect Rect(int x, int y, int width, int height) const;

 private:
  int baseX;
  int baseY;
};
