// A push button that shows an icon instead of its text: the icon at its own size, centred and
// clipped to the inside of the button's frame, as a classic icon button draws it. It may show a
// state (a mode or view that is on) as a checked, sunken face that only its owner sets.
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

  // Makes the button show a state: it becomes checkable, but a click leaves the checked state
  // alone (it still emits clicked); only setChecked changes it.
  void ShowState();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void nextCheckState() override;

 private:
  QIcon image;
};
