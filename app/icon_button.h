// A push button that shows an icon instead of its text: the icon at its own size, centred and
// clipped to the inside of the button's frame, as a classic icon button draws it.
#pragma once

#include <QIcon>
#include <QPushButton>

class IconButton : public QPushButton {
 public:
  // `text` stays the button's text (for accessibility and lookup) but is not drawn.
  IconButton(const QString& text, QWidget* parent);

  // Puts `icon` on the button's face; a null icon leaves the face empty.
  void SetImage(const QIcon& icon);
  const QIcon& Image() const { return image; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QIcon image;
};
