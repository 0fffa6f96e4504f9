#include "app/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

// 9 points at 96 dots per inch. Qt scales these device-independent pixels on dense screens.
constexpr int kDialogFontPixels = 12;

// The template's font first, then fonts drawn to its metrics, then other Japanese gothic fonts.
const char* const kFontFamilies[] = {
    "ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "IPAexGothic",      "VL PGothic",
    "TakaoPGothic",    "IPAGothic",  "VL Gothic",  "Noto Sans CJK JP", "Source Han Sans JP",
};

}  // namespace

QFont DialogUnits::DialogFont() {
  QString family = QString::fromUtf8(kFontFamilies[0]);
  for (const char* candidate : kFontFamilies) {
    const QString name = QString::fromUtf8(candidate);
    if (QFontDatabase::hasFamily(name)) {
      family = name;
      break;
    }
  }
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(kDialogFontPixels);
  return font;
}

int DialogUnits::MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const int64_t magnitude = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
  return static_cast<int>(((product < 0) != (c < 0)) ? -magnitude : magnitude);
}

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  baseX = (letters / 26 + 1) / 2;
  baseY = metrics.height();
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
  return QRect(X(x), Y(y), X(width), Y(height));
}
