#include "app/about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QtGlobal>

#include "app/dialog_units.h"
#include "app/icon_resources.h"
#include "audio/portaudio_device.h"
#include "zp/version.h"

namespace {

const char* const kCaption = QT_TRANSLATE_NOOP("AboutDialog", "Varnelのﾊﾞｰｼﾞｮﾝ情報");
const char* const kNameAndVersion = ZP_PRODUCT_NAME "  ver. " ZP_VERSION;
constexpr int kWidthUnits = 235;
constexpr int kHeightUnits = 55;
// A static icon control takes the size of its icon, whatever the template says.
constexpr int kIconSize = 32;

void Bind(QWidget* control, const DialogUnits& units, int x, int y, int width, int height) {
  control->setGeometry(units.Rect(x, y, width, height));
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  const QFont font = DialogUnits::DialogFont();
  const DialogUnits units(font);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setWindowTitle(tr(kCaption));
  setFont(font);
  setFixedSize(units.X(kWidthUnits), units.Y(kHeightUnits));

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("aboutIcon"));
  icon->setPixmap(
      LoadIconResource(kIconApplication).pixmap(QSize(kIconSize, kIconSize), devicePixelRatio()));
  icon->setGeometry(units.X(11), units.Y(17), kIconSize, kIconSize);

  auto* name = new QLabel(this);
  name->setObjectName(QStringLiteral("aboutName"));
  name->setTextFormat(Qt::PlainText);  // no prefix character
  name->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  name->setText(QString::fromUtf8(kNameAndVersion));
  Bind(name, units, 40, 10, 119, 8);

  auto* versions = new QLabel(this);
  versions->setObjectName(QStringLiteral("aboutVersions"));
  versions->setTextFormat(Qt::PlainText);
  versions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  versions->setText(LibraryVersions());
  Bind(versions, units, 40, 25, 119, 8);

  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName(QStringLiteral("control%1").arg(kIdOk));
  ok->setProperty("controlId", kIdOk);
  ok->setDefault(true);
  Bind(ok, units, 178, 7, 50, 14);
  connect(ok, &QPushButton::clicked, this, &AboutDialog::accept);
  ok->setFocus();
}

QString AboutDialog::LibraryVersions() {
  return QStringLiteral("Qt %1, PortAudio %2")
      .arg(QString::fromLatin1(qVersion()),
           QString::fromStdString(PortAudioDevice::LibraryVersion()));
}

void AboutDialog::accept() {
  done(1);
}

void AboutDialog::reject() {
  done(2);
}
