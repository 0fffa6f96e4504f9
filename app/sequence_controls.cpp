#include "app/sequence_controls.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "editor/edit_session.h"
#include "formats/hex_wave_text.h"
#include "synth/player.h"

namespace {

constexpr char kRateKey[] = "sequenceRate";
constexpr char kLoopKey[] = "sequenceLoop";
constexpr int kStateRefreshMs = 100;

// The one-click rates: object name, rate, text.
struct RateChoice {
  const char* name;
  int32_t rate;
  const char* text;
};
constexpr std::array<RateChoice, 2> kRateChoices = {{
    {"rate60", Player::kDefaultSequenceRate, QT_TRANSLATE_NOOP("SequenceControls", "60 Hz (NTSC)")},
    {"rate50", SequenceControls::kPalRate, QT_TRANSLATE_NOOP("SequenceControls", "50 Hz (PAL)")},
}};

QSpinBox* NumberBox(QWidget* parent, const char* name, int minimum, int maximum) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(minimum, maximum);
  // A number typed takes effect once, at Enter or when the focus leaves.
  box->setKeyboardTracking(false);
  return box;
}

}  // namespace

SequenceControls::SequenceControls(EditSession& session, QWidget* parent)
    : QWidget(parent), session(session) {
  setObjectName(QStringLiteral("sequenceControls"));
  rangeLabel = new QLabel(this);
  firstWave = NumberBox(this, "firstWave", 1, 1);
  toLabel = new QLabel(this);
  lastWave = NumberBox(this, "lastWave", 1, 1);
  rateLabel = new QLabel(this);
  rate = NumberBox(this, "sequenceRate", Player::kMinSequenceRate, Player::kMaxSequenceRate);
  rate->setValue(RememberedRate());
  loop = new QCheckBox(this);
  loop->setObjectName(QStringLiteral("sequenceLoop"));
  loop->setChecked(RememberedLoop());
  play = new QPushButton(this);
  play->setObjectName(QStringLiteral("playSequence"));
  play->setCheckable(true);
  play->setAutoDefault(false);
  rangeLabel->setBuddy(firstWave);
  rateLabel->setBuddy(rate);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* control :
       std::initializer_list<QWidget*>{rangeLabel, firstWave, toLabel, lastWave, rateLabel, rate}) {
    layout->addWidget(control);
  }
  for (const RateChoice& choice : kRateChoices) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(choice.name));
    button->setAutoDefault(false);
    layout->addWidget(button);
    const int32_t value = choice.rate;
    connect(button, &QPushButton::clicked, this, [this, value] { SetRate(value); });
  }
  layout->addWidget(loop);
  layout->addWidget(play);
  layout->addStretch();

  // Waves from A to B: A after B moves the other along.
  connect(firstWave, &QSpinBox::valueChanged, this, [this](int value) {
    if (syncing) return;
    if (lastWave->value() < value) lastWave->setValue(value);
    Chosen();
  });
  connect(lastWave, &QSpinBox::valueChanged, this, [this](int value) {
    if (syncing) return;
    if (firstWave->value() > value) firstWave->setValue(value);
    toEnd = value == this->session.WaveCount();
    Chosen();
  });
  connect(rate, &QSpinBox::valueChanged, this, [this] { Chosen(); });
  connect(loop, &QCheckBox::toggled, this, [this] { Chosen(); });
  connect(play, &QPushButton::clicked, this, &SequenceControls::TogglePlay);

  // A bank changed while its sequence plays is heard at once; the range follows the bank.
  connect(&session, &EditSession::Changed, this, [this] {
    Player& player = this->session.Model().GetPlayer();
    if (!player.IsSequencePlaying()) {
      Sync();
      return;
    }
    const SequenceOrder before = Order();
    HandOver();
    Sync();
    const SequenceOrder after = Order();
    if (after.first != before.first || after.last != before.last) {
      player.PlaySequence(after.rate, after.loop, after.first, after.last);
    }
  });
  // The sequence also ends by Stop, by the dialog and when the output goes away.
  stateTimer = new QTimer(this);
  stateTimer->setInterval(kStateRefreshMs);
  connect(stateTimer, &QTimer::timeout, this, &SequenceControls::Sync);
  Sync();
  Retranslate();
}

int32_t SequenceControls::RememberedRate() {
  const int32_t value = QSettings().value(QString::fromLatin1(kRateKey)).toInt();
  return value >= Player::kMinSequenceRate && value <= Player::kMaxSequenceRate
             ? value
             : Player::kDefaultSequenceRate;
}

bool SequenceControls::RememberedLoop() {
  return QSettings().value(QString::fromLatin1(kLoopKey), true).toBool();
}

SequenceOrder SequenceControls::Order() const {
  return SequenceOrder{rate->value(), firstWave->value() - 1, lastWave->value() - 1,
                       loop->isChecked()};
}

QPushButton* SequenceControls::RateButton(const char* name) const {
  return findChild<QPushButton*>(QString::fromLatin1(name));
}

void SequenceControls::SetRate(int32_t value) {
  rate->setValue(std::clamp(value, Player::kMinSequenceRate, Player::kMaxSequenceRate));
}

void SequenceControls::Chosen() {
  QSettings settings;
  settings.setValue(QString::fromLatin1(kRateKey), rate->value());
  settings.setValue(QString::fromLatin1(kLoopKey), loop->isChecked());
  Player& player = session.Model().GetPlayer();
  if (player.IsSequencePlaying()) {
    const SequenceOrder order = Order();
    player.PlaySequence(order.rate, order.loop, order.first, order.last);
  }
}

void SequenceControls::HandOver() {
  std::vector<std::string> texts;
  for (const WaveState& wave : session.Waves()) texts.push_back(WriteWaveText(wave.samples));
  session.Model().GetPlayer().SetSequence(texts, static_cast<uint16_t>(session.Model().Mode()));
}

void SequenceControls::TogglePlay() {
  Player& player = session.Model().GetPlayer();
  if (player.IsSequencePlaying()) {
    player.StopSequence();
    if (startedSound) player.Stop();
    startedSound = false;
  } else {
    HandOver();
    Sync();
    // Over Play the sequence leaves Play's sound on when it ends; over a held note key, or in
    // silence, the sound it starts ends with it.
    const bool playOn = player.IsPlayOn();
    const SequenceOrder order = Order();
    if (player.PlaySequence(order.rate, order.loop, order.first, order.last)) {
      startedSound = !playOn;
    }
  }
  Sync();
}

void SequenceControls::Sync() {
  syncing = true;
  const int count = std::max(session.WaveCount(), 1);
  const int last = toEnd ? count : std::min(lastWave->value(), count);
  firstWave->setMaximum(count);
  lastWave->setMaximum(count);
  lastWave->setValue(last);
  firstWave->setValue(std::min(firstWave->value(), last));
  toEnd = last == count;
  syncing = false;
  play->setChecked(session.Model().GetPlayer().IsSequencePlaying());
}

void SequenceControls::showEvent(QShowEvent* event) {
  Sync();
  stateTimer->start();
  QWidget::showEvent(event);
}

void SequenceControls::hideEvent(QHideEvent* event) {
  stateTimer->stop();
  QWidget::hideEvent(event);
}

void SequenceControls::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) Retranslate();
  QWidget::changeEvent(event);
}

void SequenceControls::Retranslate() {
  rangeLabel->setText(tr("&Waves"));
  toLabel->setText(tr("to"));
  firstWave->setAccessibleName(tr("First wave of the sequence"));
  lastWave->setAccessibleName(tr("Last wave of the sequence"));
  rateLabel->setText(tr("R&ate"));
  rate->setSuffix(tr(" Hz"));
  rate->setAccessibleName(tr("Sequence rate in ticks a second"));
  for (const RateChoice& choice : kRateChoices) RateButton(choice.name)->setText(tr(choice.text));
  loop->setText(tr("&Loop"));
  loop->setAccessibleName(tr("Loop the sequence"));
  play->setText(tr("Play Sequence"));
  play->setAccessibleName(tr("Play Sequence"));
}
