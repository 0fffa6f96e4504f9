#include "app/icon_resources.h"

#include <QFile>
#include <QString>

// The resources live in a static library, whose registration object the linker would drop
// because nothing refers to it; registering them by hand keeps them.
static void RegisterIconResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  (void)registered;
}

QIcon LoadIconResource(int id) {
  RegisterIconResources();
  QIcon icon;
  const QString path = QStringLiteral(":/icons/icon%1.xpm").arg(id);
  if (!QFile::exists(path)) return icon;
  icon.addFile(path, QSize(32, 32));
  const QString small = QStringLiteral(":/icons/icon%1_16.xpm").arg(id);
  if (QFile::exists(small)) icon.addFile(small, QSize(16, 16));
  return icon;
}

ButtonIcons ButtonIcons::Load() {
  ButtonIcons icons;
  icons.hold = LoadIconResource(kIconHold);
  icons.poly = LoadIconResource(kIconPoly);
  icons.harmonics = LoadIconResource(kIconHarmonics);
  icons.play = LoadIconResource(kIconPlay);
  icons.stop = LoadIconResource(kIconStop);
  return icons;
}
