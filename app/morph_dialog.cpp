#include "app/morph_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "editor/edit_session.h"
#include "editor/wave_morph.h"
#include "editor/wave_shapes.h"

namespace {

constexpr int kPreviewWidth = 520;
constexpr int kPreviewHeight = 56;

MorphKind KindAt(const QComboBox* box) {
  return box->currentIndex() == 1 ? MorphKind::kSpectral : MorphKind::kLinear;
}

// The waves side by side, each in a cell of its own, joined by lines.
QPixmap Strip(const std::vector<SignedWave>& waves) {
  QPixmap pixmap(kPreviewWidth, kPreviewHeight);
  pixmap.fill(Qt::white);
  if (waves.empty()) return pixmap;
  QPainter painter(&pixmap);
  const int count = static_cast<int>(waves.size());
  for (int w = 0; w < count; ++w) {
    const int left = w * kPreviewWidth / count;
    const int width = std::max(1, (w + 1) * kPreviewWidth / count - left);
    painter.setPen(QColor(0xc0, 0xc0, 0xc0));
    painter.drawLine(left, 0, left, kPreviewHeight);
    painter.setPen(Qt::black);
    const SignedWave& wave = waves[static_cast<size_t>(w)];
    QPolygon line;
    for (size_t i = 0; i < wave.size(); ++i) {
      const int x = left + static_cast<int>(i) * width / static_cast<int>(wave.size());
      const int y = (kPreviewHeight - 1) - (wave[i] + 128) * (kPreviewHeight - 1) / 255;
      line << QPoint(x, y);
    }
    painter.drawPolyline(line);
  }
  return pixmap;
}

}  // namespace

MorphDialog::MorphDialog(EditSession& session, QWidget* parent)
    : QDialog(parent), session(session) {
  setObjectName(QStringLiteral("morphDialog"));
  setWindowTitle(tr("Morph"));
  const int count = session.WaveCount();
  const auto spin = [this](const char* name, int low, int high, int value) {
    auto* box = new QSpinBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    connect(box, &QSpinBox::valueChanged, this, &MorphDialog::UpdatePreview);
    return box;
  };
  const int first = std::min(session.CurrentWave() + 1, std::max(1, count - 1));
  waveA = spin("waveA", 1, count, first);
  waveB = spin("waveB", 1, count, std::min(count, first + 1));
  steps = spin("morphSteps", kMinMorphSteps, kMaxMorphSteps, 6);
  kind = new QComboBox(this);
  kind->setObjectName(QStringLiteral("morphKind"));
  kind->addItems({tr("Linear (sample by sample)"), tr("Spectral (by the harmonics)")});
  connect(kind, &QComboBox::currentIndexChanged, this, &MorphDialog::UpdatePreview);
  preview = new QLabel(this);
  preview->setObjectName(QStringLiteral("morphPreview"));
  preview->setAccessibleName(tr("Waves the morph gives"));
  problem = new QLabel(this);
  problem->setWordWrap(true);
  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &MorphDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &MorphDialog::reject);

  auto* form = new QFormLayout;
  form->addRow(tr("Wave &A:"), waveA);
  form->addRow(tr("Wave &B:"), waveB);
  form->addRow(tr("&Steps between:"), steps);
  form->addRow(tr("&Kind:"), kind);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(preview);
  layout->addWidget(problem);
  layout->addWidget(buttons);
  UpdatePreview();
}

void MorphDialog::UpdatePreview() {
  problem->clear();
  const int a = waveA->value() - 1;
  const int b = waveB->value() - 1;
  const bool ordered = a < b;
  buttons->button(QDialogButtonBox::Ok)->setEnabled(ordered);
  if (!ordered) {
    preview->setPixmap(Strip({}));
    problem->setText(tr("Wave A must come before wave B."));
    return;
  }
  preview->setPixmap(Strip(MorphWaves(SignedSamples(session.WaveAt(a).samples),
                                      SignedSamples(session.WaveAt(b).samples), steps->value(),
                                      KindAt(kind), session.Model().WaveHeight())));
}

void MorphDialog::accept() {
  if (!session.MorphFill(waveA->value() - 1, waveB->value() - 1, steps->value(), KindAt(kind))) {
    problem->setText(
        tr("The bank would hold more than %1 waves: choose fewer steps or closer key waves.")
            .arg(kMaxBankWaves));
    return;
  }
  QDialog::accept();
}
