#include "app/interchange_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <string>

#include "app/editor_commands.h"
#include "app/wave_editor.h"
#include "editor/edit_session.h"

namespace {

constexpr char kTargetKey[] = "target";
// How long the line on how a paste was read stays above the pane, unless the next step ends it.
constexpr int kReportMs = 5000;

QString ToolName(WaveFormatId format) {
  return QCoreApplication::translate("WaveFormat", WaveFormatOf(format).tool);
}

QString TargetName(ChipTarget target) {
  return QCoreApplication::translate("ChipTarget", ChipTargetOf(target).displayName);
}

}  // namespace

InterchangeCommands::InterchangeCommands(EditorCommands& commands, QMenu* menu)
    : QObject(&commands), session(commands.Context().session), pane(commands.Context().pane) {
  pasteAsMenu = commands.AddSubmenu(menu, QT_TRANSLATE_NOOP("EditorCommands", "Paste As"));
  copyAsMenu = commands.AddSubmenu(menu, QT_TRANSLATE_NOOP("EditorCommands", "Copy As"));
  // Disabled formats say why in their tooltips.
  pasteAsMenu->setToolTipsVisible(true);
  copyAsMenu->setToolTipsVisible(true);

  copyForTarget = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Copy for the Target"),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  connect(copyForTarget, &QAction::triggered, this,
          [this] { CopyWave(ChipTargetOf(session.Target()).copyFormat); });
  copyAsMenu->addAction(copyForTarget);
  copyAsMenu->addSeparator();
  for (const WaveFormatInfo& info : WaveFormats()) {
    const WaveFormatId id = info.id;
    QAction* paste = pasteAsMenu->addAction(ToolName(id));
    connect(paste, &QAction::triggered, this, [this, id] { PasteWave(id); });
    pasteAs[id] = paste;
    QAction* copy = copyAsMenu->addAction(ToolName(id));
    connect(copy, &QAction::triggered, this, [this, id] { CopyWave(id); });
    copyAs[id] = copy;
  }
  // A Furnace text holds no height: the user who knows it names it.
  pasteAtHeightMenu =
      commands.AddSubmenu(pasteAsMenu, QT_TRANSLATE_NOOP("EditorCommands", "Furnace at Height"));
  for (const int32_t height : kWaveHeights) {
    QAction* paste = pasteAtHeightMenu->addAction(QString());
    connect(paste, &QAction::triggered, this, [this, height] { PasteWave(std::nullopt, height); });
    pasteAtHeight[height] = paste;
  }

  QMenu* targetMenu = commands.AddSubmenu(menu, QT_TRANSLATE_NOOP("EditorCommands", "Target"));
  auto* group = new QActionGroup(this);
  for (const ChipTargetInfo& info : ChipTargets()) {
    const ChipTarget target = info.target;
    QAction* action = targetMenu->addAction(TargetName(target));
    action->setCheckable(true);
    action->setActionGroup(group);
    connect(action, &QAction::triggered, this, [this, target] { ChooseTarget(target); });
    targets[target] = action;
  }
  // A wave meant for no chip chooses its own height; a chip has its own.
  targetMenu->addSeparator();
  targetMenu->setToolTipsVisible(true);
  heightMenu = commands.AddSubmenu(targetMenu, QT_TRANSLATE_NOOP("EditorCommands", "Height"));
  heightMenu->setToolTipsVisible(true);
  auto* heightGroup = new QActionGroup(this);
  for (const int32_t height : kWaveHeights) {
    QAction* action = heightMenu->addAction(QString());
    action->setCheckable(true);
    action->setActionGroup(heightGroup);
    connect(action, &QAction::triggered, this, [this, height] { session.SetHeight(height); });
    heights[height] = action;
  }
  commands.AddStateUpdate([this] { UpdateStates(); });
  // The paste report: a line in the window's strip above the pane, clear of the wave, the lists
  // and the note keys' line inside the pane; the next step ends it.
  report = new QLabel(pane.parentWidget());
  report->setObjectName(QStringLiteral("pasteReport"));
  report->setAttribute(Qt::WA_TransparentForMouseEvents);
  report->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  report->hide();
  reportTimer = new QTimer(this);
  reportTimer->setSingleShot(true);
  reportTimer->setInterval(kReportMs);
  connect(reportTimer, &QTimer::timeout, report, &QWidget::hide);
  connect(&session, &EditSession::Changed, report, &QWidget::hide);
  // The chosen target is remembered, also when undo or redo puts another back.
  connect(&session, &EditSession::TargetChanged, this, [](ChipTarget target) {
    QSettings().setValue(QString::fromLatin1(kTargetKey),
                         QString::fromLatin1(ChipTargetOf(target).name));
  });
}

void InterchangeCommands::UpdateStates() {
  const WaveEditorModel& model = session.Model();
  const bool harmonics = model.IsHarmonicsView();
  const QString why = harmonics ? tr("The harmonics view copies and pastes its attenuations; "
                                     "wave formats apply to the wave view")
                                : QString();
  for (const auto& [format, action] : pasteAs) {
    action->setText(ToolName(format));
    action->setEnabled(!harmonics);
    action->setToolTip(why);
  }
  for (const auto& [format, action] : copyAs) {
    action->setText(ToolName(format));
    action->setEnabled(!harmonics);
    action->setToolTip(why);
  }
  pasteAtHeightMenu->menuAction()->setEnabled(!harmonics);
  for (const auto& [height, action] : pasteAtHeight) action->setText(tr("%1 Levels").arg(height));
  const ChipTarget target = model.GetChipTarget();
  copyForTarget->setEnabled(!harmonics && target != ChipTarget::kNone);
  copyForTarget->setToolTip(harmonics ? why
                            : target == ChipTarget::kNone
                                ? tr("Choose a target first; Copy puts the editor's own text")
                                : ToolName(ChipTargetOf(target).copyFormat));
  for (const auto& [each, action] : targets) {
    action->setText(TargetName(each));
    action->setChecked(each == target);
  }
  const QString chipHeight = target == ChipTarget::kNone
                                 ? QString()
                                 : tr("The %1 has its own height: %2 levels.")
                                       .arg(TargetName(target))
                                       .arg(model.WaveHeight());
  heightMenu->menuAction()->setEnabled(target == ChipTarget::kNone);
  heightMenu->menuAction()->setToolTip(chipHeight);
  for (const auto& [height, action] : heights) {
    action->setText(tr("%1 Levels").arg(height));
    action->setEnabled(target == ChipTarget::kNone);
    action->setToolTip(chipHeight);
    action->setChecked(height == model.WaveHeight());
  }
}

void InterchangeCommands::PasteWave(std::optional<WaveFormatId> format, int32_t height) {
  // In the harmonics view the any-format paste is the Paste button's.
  if (height != 0 && session.Model().IsHarmonicsView()) return;
  PasteOutcome outcome;
  const PasteRule rule = format || height != 0 ? PasteRule::kNamedFormat : PasteRule::kAnyFormat;
  session.Perform(tr("Paste"), [this, rule, format, height, &outcome] {
    outcome = session.Model().Paste(rule, format.value_or(WaveFormatId::kHex), height);
  });
  if (!outcome.ok || outcome.harmonics) return;
  Report(ReportOf(outcome, session.Target()));
}

QString InterchangeCommands::ReportOf(const PasteOutcome& outcome, ChipTarget target) {
  // A Furnace text says the height it was read at: the text itself does not hold it.
  const QString tool = TakesAnyHeight(outcome.format)
                           ? tr("%1 at %2 levels").arg(ToolName(outcome.format)).arg(outcome.height)
                           : ToolName(outcome.format);
  QString report = outcome.resampled
                       ? tr("Read as %1: %2 values, resampled to %3 samples.")
                             .arg(tool)
                             .arg(outcome.givenCount)
                             .arg(outcome.readCount)
                       : tr("Read as %1: %2 samples.").arg(tool).arg(outcome.readCount);
  if (target != ChipTarget::kNone) {
    report += QLatin1Char(' ') +
              tr("Fitted to the %1: %2 samples.").arg(TargetName(target)).arg(outcome.length);
  }
  return report;
}

void InterchangeCommands::CopyWave(WaveFormatId format) {
  session.Model().Copy(format);
}

void InterchangeCommands::ChooseTarget(ChipTarget target) {
  session.SetTarget(target);
}

void InterchangeCommands::ApplyRememberedTarget() {
  const QString name = QSettings().value(QString::fromLatin1(kTargetKey)).toString();
  const std::optional<ChipTarget> target = FindChipTarget(name.toStdString());
  if (!target || *target == ChipTarget::kNone) return;
  WaveEditorModel& model = session.Model();
  model.SetChipTarget(*target);
  model.ConformToTarget();
  UpdateStates();
}

void InterchangeCommands::Report(const QString& text) {
  // The right two thirds of the strip above the pane: the mode buttons keep the left third.
  const QRect area = pane.geometry();
  const int height = std::min(report->fontMetrics().height() + 2, area.top());
  const QRect line(area.left() + area.width() / 3, area.top() - height, area.width() * 2 / 3,
                   height);
  report->setGeometry(line);
  report->setText(report->fontMetrics().elidedText(text, Qt::ElideRight, line.width()));
  report->setToolTip(text);
  report->show();
  report->raise();
  reportTimer->start();
}
