#include "app/bank_window.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <functional>
#include <optional>
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

// The strip of drawings. A wave dragged to another place is handed to `move` with the place it
// goes to; the strip itself moves nothing, the session does and the strip is rebuilt from it. A
// row made current by the keys is handed to `choose` at once, one pressed with the mouse at the
// release, so that a drag is one step however it started.
class BankStrip : public QListWidget {
 public:
  BankStrip(QWidget* parent, std::function<void(int32_t, int32_t)> move,
            std::function<void(int32_t)> choose)
      : QListWidget(parent), move(std::move(move)), choose(std::move(choose)) {
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
      if (!pressing && row >= 0) this->choose(row);
    });
  }

 protected:
  // The drag's data names this process, this strip and the wave's row, so that only a wave of
  // this very strip is taken.
  QStringList mimeTypes() const override { return {QString::fromLatin1(kWaveMimeType)}; }
  QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
    if (items.size() != 1) return nullptr;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kWaveMimeType), Tag() + QByteArray::number(row(items[0])));
    return data;
  }
  void mousePressEvent(QMouseEvent* event) override {
    pressing = true;
    QListWidget::mousePressEvent(event);
    pressing = false;
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    QListWidget::mouseReleaseEvent(event);
    if (currentRow() >= 0) choose(currentRow());
  }
  void startDrag(Qt::DropActions /*actions*/) override {
    QListWidgetItem* item = currentItem();
    if (item == nullptr) return;
    const int32_t dragged = row(item);
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeData({item}));
    drag->setPixmap(item->icon().pixmap(iconSize()));
    // A drag dropped elsewhere or cancelled moves and chooses nothing: a wave moved to its own
    // place brings the strip back to the session.
    if (drag->exec(Qt::MoveAction) == Qt::IgnoreAction) move(dragged, dragged);
  }
  void dragEnterEvent(QDragEnterEvent* event) override { AcceptOwn(event); }
  void dragMoveEvent(QDragMoveEvent* event) override { AcceptOwn(event); }
  void dropEvent(QDropEvent* event) override {
    const std::optional<int32_t> from = DraggedRow(event->mimeData());
    if (!from) return event->ignore();
    event->setDropAction(Qt::MoveAction);
    event->accept();
    move(*from, PlaceAt(*from, event->position().toPoint()));
  }

 private:
  static constexpr char kWaveMimeType[] = "application/x-zintar-plovic-bank-wave";

  QByteArray Tag() const {
    return QByteArray::number(QCoreApplication::applicationPid()) + ' ' +
           QByteArray::number(reinterpret_cast<quintptr>(this)) + ' ';
  }
  std::optional<int32_t> DraggedRow(const QMimeData* data) const {
    const QByteArray bytes = data->data(QString::fromLatin1(kWaveMimeType));
    bool ok = false;
    const int32_t dragged = bytes.startsWith(Tag()) ? bytes.mid(Tag().size()).toInt(&ok) : -1;
    if (!ok || dragged < 0 || dragged >= count()) return std::nullopt;
    return dragged;
  }
  void AcceptOwn(QDropEvent* event) {
    if (!DraggedRow(event->mimeData())) return event->ignore();
    event->setDropAction(Qt::MoveAction);
    event->accept();
  }
  // Where wave `from` goes when dropped at `at`: before the first drawing that `at` is not past
  // (in reading order, past a drawing's middle), counted without the wave itself.
  int32_t PlaceAt(int32_t from, QPoint at) const {
    int32_t before = 0;
    for (int32_t i = 0; i < count(); ++i) {
      const QRect rect = visualItemRect(item(i));
      if (rect.bottom() < at.y() || (rect.top() <= at.y() && rect.center().x() < at.x())) {
        before = i + 1;
      }
    }
    return before > from ? before - 1 : before;
  }

  std::function<void(int32_t, int32_t)> move;
  std::function<void(int32_t)> choose;
  bool pressing = false;
};

}  // namespace

BankWindow::BankWindow(EditSession& session, QWidget* dialog)
    : QWidget(dialog, Qt::Tool), session(session), dialog(dialog) {
  setObjectName(QStringLiteral("bankWindow"));
  strip = new BankStrip(
      this,
      [this](int32_t from, int32_t to) {
        this->session.MoveWaveTo(from, to);
        Refresh();
      },
      [this](int32_t row) {
        if (!refreshing) this->session.ChooseWave(row);
      });
  strip->setObjectName(QStringLiteral("bankStrip"));
  strip->setViewMode(QListView::IconMode);
  strip->setFlow(QListView::LeftToRight);
  strip->setWrapping(true);
  strip->setResizeMode(QListView::Adjust);
  strip->setMovement(QListView::Static);
  strip->setIconSize(QSize(kDrawingWidth, kDrawingHeight));
  strip->setUniformItemSizes(true);
  strip->setSelectionMode(QAbstractItemView::SingleSelection);
  // A wave dragged to another place moves there (the static movement above turned dragging off).
  strip->setDragEnabled(true);
  strip->viewport()->setAcceptDrops(true);

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
    // To the right of the dialog, or to its left where the screen ends first; on the screen.
    layout()->activate();
    const QRect screen = dialog->screen()->availableGeometry();
    const QRect beside = dialog->frameGeometry();
    int x = beside.right() + 9;
    if (x + width() > screen.right() + 1) x = beside.left() - 9 - width();
    move(std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - width())),
         std::clamp(beside.top(), screen.top(),
                    std::max(screen.top(), screen.bottom() + 1 - height())));
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
