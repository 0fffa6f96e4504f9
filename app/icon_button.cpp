#include "app/icon_button.h"

#include <QPixmap>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr int kIconSize = 32;
// Width of the button's frame, which the icon never covers.
constexpr int kFrame = 2;

}  // namespace

IconButton::IconButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void IconButton::ShowState() {
  setCheckable(true);
}

void IconButton::nextCheckState() {
  // The state follows what the button's owner reports, never the click itself.
}

void IconButton::SetImage(const QIcon& icon) {
  image = icon;
  update();
}

void IconButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  painter.drawControl(QStyle::CE_PushButtonBevel, option);

  if (!image.isNull()) {
    const QPixmap pixmap = image.pixmap(QSize(kIconSize, kIconSize), devicePixelRatio());
    // The face moves by one pixel while the button is held down or shows its state as on.
    const int shift = isDown() || isChecked() ? 1 : 0;
    painter.save();
    painter.setClipRect(rect().adjusted(kFrame, kFrame, -kFrame, -kFrame));
    painter.drawPixmap((width() - kIconSize) / 2 + shift, (height() - kIconSize) / 2 + shift,
                       pixmap);
    painter.restore();
  }

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}
