#include "app/wave_editor.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "editor/wave_editor_geometry.h"

namespace {

// How long the first hex digit of a pair waits for the second.
constexpr qint64 kDigitPairMs = 1500;

// The pane as assistive technology sees it: a chart whose value is the cursor's sample.
class WaveEditorAccessible : public QAccessibleWidget {
 public:
  explicit WaveEditorAccessible(WaveEditor* pane) : QAccessibleWidget(pane, QAccessible::Chart) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return static_cast<WaveEditor*>(widget())->CursorText();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* PaneAccessibleFactory(const QString&, QObject* object) {
  if (auto* pane = dynamic_cast<WaveEditor*>(object)) return new WaveEditorAccessible(pane);
  return nullptr;
}

}  // namespace

WaveEditor::WaveEditor(EditSession& session, QWidget* parent)
    : QWidget(parent), session(session), model(session.Model()) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(PaneAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
  setObjectName(QStringLiteral("WaveEdit"));
  // The pane paints every pixel itself, starting with its own erase.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
  // Pointer moves are reported also while no button is held.
  setMouseTracking(true);
  // A click gives the pane the keyboard; Tab passes it by, so the dialog's tab order stays.
  setFocusPolicy(Qt::ClickFocus);
  model.SetRedrawHandler([this] { update(); });
}

WaveEditor::~WaveEditor() {
  model.SetRedrawHandler(nullptr);
}

PaneGeometry WaveEditor::Geometry() const {
  return PaneGeometry(width(), height(), model.GetLength(), model.IsHarmonicsView());
}

void WaveEditor::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  // Nothing is written on the press. While the button is held Qt's implicit grab sends the moves
  // and the release here, also from outside the pane.
  lastPosition = event->position().toPoint();
  pressPosition = lastPosition;
  lineStroke = event->modifiers().testFlag(Qt::ShiftModifier);
  dragging = true;
  // The keyboard carries on where the pointer went down.
  const PaneGeometry g = Geometry();
  const int32_t column = g.ColumnFromX(pressPosition.x());
  if (column >= 0 && column < g.length) cursor = column;
  session.StartStroke();
}

void WaveEditor::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  ReleaseAt(event->position().toPoint());
}

void WaveEditor::ReleaseAt(QPoint position) {
  // A release without a press of its own still writes: it is a stroke of its own.
  if (!dragging) session.StartStroke();
  const bool line = dragging && lineStroke;
  dragging = false;
  lineStroke = false;
  const PaneGeometry g = Geometry();
  if (line) {
    WriteLine(g, position);
    update();  // the line's preview goes
  } else {
    const int32_t column = g.ColumnFromX(position.x());
    if (column >= 0 && column < g.length) {
      model.WriteValue(column, g.ValueFromY(position.y()));
    }
  }
  session.FinishStroke();
}

void WaveEditor::EndStroke() {
  if (!dragging) return;
  dragging = false;
  if (lineStroke) update();  // the line's preview goes; an unfinished line writes nothing
  lineStroke = false;
  session.FinishStroke();
}

bool WaveEditor::event(QEvent* event) {
  // The mouse went elsewhere while the button was held (a popup or a message box took it): the
  // stroke ends there.
  if (event->type() == QEvent::UngrabMouse || event->type() == QEvent::WindowDeactivate) {
    EndStroke();
  }
  return QWidget::event(event);
}

void WaveEditor::mouseMoveEvent(QMouseEvent* event) {
  // A stroke whose release never came (the button was let go while something else had the
  // mouse) ends before this move, which then only reports.
  if (dragging && !event->buttons().testFlag(Qt::LeftButton)) EndStroke();
  const QPoint position = event->position().toPoint();
  const PaneGeometry g = Geometry();
  const int32_t lastColumn = g.ColumnFromX(lastPosition.x());
  const int32_t column = g.ColumnFromX(position.x());
  const int32_t lastValue = g.ValueFromY(lastPosition.y());
  // A column is written when the pointer leaves it, with the value of the last position in it. A
  // line stroke writes only at the release and shows the line meanwhile.
  if (dragging && lineStroke) {
    update();
  } else if (dragging && lastColumn != column && lastColumn >= 0 && lastColumn < g.length) {
    model.WriteValue(lastColumn, lastValue);
  }
  if (QWidget* parent = parentWidget()) {
    QCoreApplication::postEvent(parent, new PointerReportEvent(column, lastValue));
  }
  lastPosition = position;
}

void WaveEditor::WriteLine(const PaneGeometry& g, QPoint end) {
  // Every column from the press column to the release column gets the value on the straight line
  // between the two points' values: v0 + (v1 - v0) x (k - k0) / (k1 - k0), rounded to the nearest
  // (halves away from zero). Columns outside the pane are passed over; a line within one column
  // writes the release value. All of it is handed over in one step.
  const int32_t k0 = g.ColumnFromX(pressPosition.x());
  const int32_t k1 = g.ColumnFromX(end.x());
  const int32_t v0 = g.ValueFromY(pressPosition.y());
  const int32_t v1 = g.ValueFromY(end.y());
  std::vector<uint16_t> samples = model.Samples();
  std::vector<uint8_t> amplitudes = model.Amplitudes();
  const int32_t first = std::max(std::min(k0, k1), 0);
  const int32_t last = std::min(std::max(k0, k1), g.length - 1);
  for (int32_t k = first; k <= last; ++k) {
    // Counted from the press column toward the release column, so both counts are positive.
    const int32_t v = k1 == k0 ? v1 : v0 + Scaled(v1 - v0, std::abs(k - k0), std::abs(k1 - k0));
    if (g.harmonics) {
      amplitudes[static_cast<size_t>(k)] = static_cast<uint8_t>(v);
    } else {
      samples[static_cast<size_t>(k)] = static_cast<uint8_t>(v);
    }
  }
  if (g.harmonics) {
    model.SetAmplitudes(amplitudes);
  } else {
    model.SetSamples(samples);
  }
}

int32_t WaveEditor::Cursor() const {
  return std::clamp(cursor, 0, model.GetLength() - 1);
}

void WaveEditor::SetCursor(int32_t column) {
  cursor = std::clamp(column, 0, model.GetLength() - 1);
  CursorChanged();
}

int32_t WaveEditor::CursorValue() const {
  const auto k = static_cast<size_t>(Cursor());
  if (model.IsHarmonicsView()) return model.Amplitudes()[k];
  return static_cast<int8_t>(model.Samples()[k] & 0xff);
}

QString WaveEditor::CursorText() const {
  const QString format =
      model.IsHarmonicsView() ? tr("harmonic %1 of %2: %3") : tr("sample %1 of %2: %3");
  return format.arg(Cursor() + 1).arg(model.GetLength()).arg(CursorValue());
}

void WaveEditor::CursorChanged() {
  if (QWidget* parent = parentWidget()) {
    QCoreApplication::postEvent(parent, new PointerReportEvent(Cursor(), CursorValue()));
  }
  update();
  QAccessibleValueChangeEvent changed(this, CursorText());
  QAccessible::updateAccessibility(&changed);
}

void WaveEditor::WriteAtCursor(int32_t value) {
  const bool harmonics = model.IsHarmonicsView();
  const int32_t v = std::clamp(value, harmonics ? 0 : -128, 127);
  const int32_t column = Cursor();
  if (v != CursorValue()) {
    session.Perform(tr("Edit value"), [this, column, v] { model.WriteValue(column, v); });
  }
  CursorChanged();
}

bool WaveEditor::TakeHexDigit(const QString& text) {
  if (text.size() != 1) return false;
  bool isHex = false;
  const int digit = text.toInt(&isHex, 16);
  if (!isHex) return false;
  if (pendingDigit >= 0 && pendingSince.elapsed() <= kDigitPairMs) {
    // The pair is the sample's 8-bit code (80..ff are -128..-1) or the attenuation (above 7f:
    // 127, silent); the cursor then moves on, so a wave can be typed in as its wave text.
    const int32_t code = pendingDigit * 16 + digit;
    pendingDigit = -1;
    WriteAtCursor(model.IsHarmonicsView() ? std::min(code, 127) : static_cast<int8_t>(code));
    if (Cursor() < model.GetLength() - 1) SetCursor(Cursor() + 1);
  } else {
    pendingDigit = digit;
    pendingSince.start();
  }
  return true;
}

void WaveEditor::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  // Keys with Ctrl, Alt or Meta, and every key not listed here (Enter, Esc, Tab...), go on to the
  // dialog.
  if ((modifiers & ~Qt::ShiftModifier) != Qt::NoModifier) {
    QWidget::keyPressEvent(event);
    return;
  }
  const bool harmonics = model.IsHarmonicsView();
  // Up moves the point or the bar's top up the screen: a larger sample, a smaller attenuation.
  const int32_t up = harmonics ? -1 : 1;
  const int32_t step = modifiers == Qt::ShiftModifier ? 16 : 1;
  const int32_t value = CursorValue();
  const int32_t key = event->key();
  // Any other key between two hex digits breaks the pair.
  if (TakeHexDigit(event->text())) {
    event->accept();
    return;
  }
  if (key != Qt::Key_Shift) pendingDigit = -1;
  switch (key) {
    case Qt::Key_Left:
      SetCursor(Cursor() - 1);
      break;
    case Qt::Key_Right:
      SetCursor(Cursor() + 1);
      break;
    case Qt::Key_Home:
      SetCursor(0);
      break;
    case Qt::Key_End:
      SetCursor(model.GetLength() - 1);
      break;
    case Qt::Key_Up:
      WriteAtCursor(harmonics ? std::min(value, 127) + up * step : value + up * step);
      break;
    case Qt::Key_Down:
      WriteAtCursor(harmonics ? std::min(value, 127) - up * step : value - up * step);
      break;
    case Qt::Key_PageUp:
      WriteAtCursor(harmonics ? 0 : 127);
      break;
    case Qt::Key_PageDown:
      WriteAtCursor(harmonics ? 127 : -128);
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void WaveEditor::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void WaveEditor::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  EndStroke();
  pendingDigit = -1;
  update();
}
