#include "app/bank_window.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>
#include <array>
#include <utility>

#include "app/sequence_controls.h"
#include "editor/edit_session.h"

namespace {

constexpr char kGeometryKey[] = "bankWindowGeometry";
constexpr int kDrawingWidth = 64;
constexpr int kDrawingHeight = 40;

// The buttons' object names and texts, in the order they are shown.
constexpr std::array<std::pair<const char*, const char*>, 8> kButtons = {{
    {"addWave", QT_TRANSLATE_NOOP("BankWindow", "Add")},
    {"deleteWave", QT_TRANSLATE_NOOP("BankWindow", "Delete")},
    {"moveLeft", QT_TRANSLATE_NOOP("BankWindow", "Move Left")},
    {"moveRight", QT_TRANSLATE_NOOP("BankWindow", "Move Right")},
    {"clearBank", QT_TRANSLATE_NOOP("BankWindow", "Clear")},
    {"copyBank", QT_TRANSLATE_NOOP("BankWindow", "Copy Bank")},
    {"pasteBank", QT_TRANSLATE_NOOP("BankWindow", "Paste Bank")},
    {"morph", QT_TRANSLATE_NOOP("BankWindow", "Morph…")},
}};

// A small drawing of `wave`: its samples as steps (Hold) or joined by lines (Poly).
QIcon Drawing(const WaveState& wave) {
  QPixmap pixmap(kDrawingWidth, kDrawingHeight);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setPen(QColor(0xc0, 0xc0, 0xc0));
  painter.drawLine(0, kDrawingHeight / 2, kDrawingWidth, kDrawingHeight / 2);
  painter.setPen(QPen(Qt::black, 1));
  const auto y = [](uint16_t sample) {
    const int value = static_cast<int8_t>(sample & 0xff);
    return (kDrawingHeight - 1) - (value + 128) * (kDrawingHeight - 1) / 255;
  };
  const int count = static_cast<int>(wave.samples.size());
  QPolygon line;
  for (int k = 0; k < count; ++k) {
    const int x0 = k * kDrawingWidth / count;
    const int x1 = (k + 1) * kDrawingWidth / count;
    line << QPoint(x0, y(wave.samples[static_cast<size_t>(k)]));
    if (wave.mode == 1) line << QPoint(x1 - 1, y(wave.samples[static_cast<size_t>(k)]));
  }
  painter.drawPolyline(line);
  return QIcon(pixmap);
}

}  // namespace

BankWindow::BankWindow(EditSession& session, QWidget* dialog)
    : QWidget(dialog, Qt::Tool), session(session), dialog(dialog) {
  setObjectName(QStringLiteral("bankWindow"));
  strip = new QListWidget(this);
  strip->setObjectName(QStringLiteral("bankStrip"));
  strip->setViewMode(QListView::IconMode);
  strip->setFlow(QListView::LeftToRight);
  strip->setWrapping(true);
  strip->setResizeMode(QListView::Adjust);
  strip->setMovement(QListView::Static);
  strip->setIconSize(QSize(kDrawingWidth, kDrawingHeight));
  strip->setUniformItemSizes(true);
  strip->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(strip, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!refreshing && row >= 0) this->session.ChooseWave(row);
  });

  auto* buttons = new QHBoxLayout;
  for (const auto& [name, text] : kButtons) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(strip, 1);
  layout->addLayout(buttons);
  sequence = new SequenceControls(session, this);
  layout->addWidget(sequence);

  connect(Button("addWave"), &QPushButton::clicked, this, [this] { this->session.AddWave(); });
  connect(Button("deleteWave"), &QPushButton::clicked, this,
          [this] { this->session.DeleteWave(); });
  connect(Button("moveLeft"), &QPushButton::clicked, this, [this] { this->session.MoveWave(-1); });
  connect(Button("moveRight"), &QPushButton::clicked, this, [this] { this->session.MoveWave(1); });
  connect(Button("clearBank"), &QPushButton::clicked, this, [this] { this->session.ClearBank(); });
  connect(&session, &EditSession::Changed, this, [this] {
    if (isVisible()) Refresh();
  });
  resize(520, 240);
  Retranslate();
}

QPushButton* BankWindow::Button(const char* name) const {
  return findChild<QPushButton*>(QString::fromLatin1(name));
}

void BankWindow::ShowBeside() {
  const QByteArray geometry = QSettings().value(QString::fromLatin1(kGeometryKey)).toByteArray();
  if (!isVisible() && (geometry.isEmpty() || !restoreGeometry(geometry))) {
    move(dialog->frameGeometry().topRight() + QPoint(8, 0));
  }
  Refresh();
  show();
  raise();
  activateWindow();
  strip->setFocus(Qt::ShortcutFocusReason);
}

void BankWindow::Refresh() {
  refreshing = true;
  const int32_t count = session.WaveCount();
  while (strip->count() > count) delete strip->takeItem(strip->count() - 1);
  while (strip->count() < count) strip->addItem(new QListWidgetItem);
  for (int32_t i = 0; i < count; ++i) {
    QListWidgetItem* item = strip->item(i);
    item->setIcon(Drawing(session.WaveAt(i)));
    item->setText(QString::number(i + 1));
    item->setData(Qt::AccessibleTextRole, tr("wave %1 of %2").arg(i + 1).arg(count));
  }
  strip->setCurrentRow(session.CurrentWave());
  Button("deleteWave")->setEnabled(count > 1);
  Button("clearBank")->setEnabled(count > 1);
  Button("moveLeft")->setEnabled(session.CurrentWave() > 0);
  Button("moveRight")->setEnabled(session.CurrentWave() < count - 1);
  Button("addWave")->setEnabled(count < static_cast<int32_t>(kMaxBankWaves));
  Button("morph")->setEnabled(count > 1);
  refreshing = false;
}

void BankWindow::hideEvent(QHideEvent* event) {
  QSettings().setValue(QString::fromLatin1(kGeometryKey), saveGeometry());
  QWidget::hideEvent(event);
}

void BankWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) Retranslate();
  QWidget::changeEvent(event);
}

void BankWindow::Retranslate() {
  setWindowTitle(tr("Wave Bank"));
  strip->setAccessibleName(tr("Waves of the bank"));
  for (const auto& [name, text] : kButtons) Button(name)->setText(tr(text));
  if (isVisible()) Refresh();
}
