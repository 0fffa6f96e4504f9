#include "app/main_dialog.h"

#include "app/interchange_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSettings>
#include <QToolTip>
#include <string>

#include "app/editor_commands.h"
#include "app/file_commands.h"
#include "app/qt_ui_services.h"
#include "editor/ui_services.h"
#include "editor/wave_shapes.h"

namespace {

constexpr char kTargetKey[] = "target";
// How long the note on how a paste was read stays beside the pane.
constexpr int kReportMs = 2000;

QString ToolName(WaveFormatId format) {
  return QCoreApplication::translate("WaveFormat", WaveFormatOf(format).tool);
}

QString TargetName(ChipTarget target) {
  return QCoreApplication::translate("ChipTarget", ChipTargetOf(target).displayName);
}

}  // namespace

InterchangeCommands::InterchangeCommands(MainDialog& dialog, EditorCommands& commands, QMenu* menu)
    : QObject(&dialog), dialog(dialog) {
  pasteAsMenu = commands.AddSubmenu(menu, QT_TRANSLATE_NOOP("EditorCommands", "Paste As"));
  copyAsMenu = commands.AddSubmenu(menu, QT_TRANSLATE_NOOP("EditorCommands", "Copy As"));
  // Disabled formats say why in their tooltips.
  pasteAsMenu->setToolTipsVisible(true);
  copyAsMenu->setToolTipsVisible(true);

  copyForTarget = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Copy for the Target"),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  connect(copyForTarget, &QAction::triggered, this, [this, &dialog] {
    CopyWave(ChipTargetOf(dialog.Pane().Model().GetChipTarget()).copyFormat);
  });
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
    connect(paste, &QAction::triggered, this, [this, height] { PasteFurnace(height); });
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
  commands.AddStateUpdate([this] { UpdateStates(); });
}

void InterchangeCommands::UpdateStates() {
  const WaveEditorModel& model = dialog.Pane().Model();
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
}

std::optional<std::string> InterchangeCommands::ClipboardText() {
  UiServices* services = dialog.Services();
  if (services == nullptr || !services->OpenClipboard()) return std::nullopt;
  const std::string text = services->GetClipboardText().value_or(std::string());
  services->CloseClipboard();
  return text;
}

void InterchangeCommands::PasteWave(std::optional<WaveFormatId> format) {
  WaveEditorModel& model = dialog.Pane().Model();
  if (model.IsHarmonicsView()) {
    if (!format) dialog.PasteCommand();
    return;
  }
  const std::optional<std::string> text = ClipboardText();
  if (!text) return;
  const WaveReadOptions options = ReadOptionsFor(model.GetChipTarget());
  Take(format ? ReadWave(*text, *format, options) : ReadWaveAnyFormat(*text, options));
}

void InterchangeCommands::PasteFurnace(int32_t height) {
  if (dialog.Pane().Model().IsHarmonicsView()) return;
  const std::optional<std::string> text = ClipboardText();
  if (!text) return;
  WaveReadOptions options;
  options.height = height;
  Take(ReadWave(*text, FurnaceFormatOf(*text), options));
}

void InterchangeCommands::Take(const WaveReadResult& read) {
  WaveEditorModel& model = dialog.Pane().Model();
  if (!read.ok) {
    if (UiServices* services = dialog.Services()) services->ShowMessage(read.error);
    return;
  }
  dialog.Perform(tr("Paste"), [&model, &read] { model.ReplaceWave(read.samples); });

  // A Furnace text says the height it was read at: the text itself does not hold it.
  const QString tool = TakesAnyHeight(read.format)
                           ? tr("%1 at %2 levels").arg(ToolName(read.format)).arg(read.height)
                           : ToolName(read.format);
  QString report = read.resampled
                       ? tr("Read as %1: %2 values, resampled to %3 samples.")
                             .arg(tool)
                             .arg(read.givenCount)
                             .arg(read.samples.size())
                       : tr("Read as %1: %2 samples.").arg(tool).arg(read.samples.size());
  if (model.GetChipTarget() != ChipTarget::kNone) {
    report += QLatin1Char(' ') + tr("Fitted to the %1: %2 samples.")
                                     .arg(TargetName(model.GetChipTarget()))
                                     .arg(model.GetLength());
  }
  Report(report);
}

void InterchangeCommands::CopyWave(WaveFormatId format) {
  WaveEditorModel& model = dialog.Pane().Model();
  UiServices* services = dialog.Services();
  if (model.IsHarmonicsView() || services == nullptr || !services->OpenClipboard()) return;
  // At the wave's own height: Furnace clamps a value above the height it plays.
  const int32_t height = dialog.Commands().Files().WaveHeight();
  services->SetClipboardText(WriteWave(SignedSamples(model.Samples()), format, height));
  services->CloseClipboard();
}

void InterchangeCommands::ChooseTarget(ChipTarget target) {
  WaveEditorModel& model = dialog.Pane().Model();
  dialog.Perform(tr("Target"), [&model, target] {
    model.SetChipTarget(target);
    model.ConformToTarget();
  });
  QSettings().setValue(QString::fromLatin1(kTargetKey),
                       QString::fromLatin1(ChipTargetOf(target).name));
}

void InterchangeCommands::ApplyRememberedTarget() {
  const QString name = QSettings().value(QString::fromLatin1(kTargetKey)).toString();
  const std::optional<ChipTarget> target = FindChipTarget(name.toStdString());
  if (!target || *target == ChipTarget::kNone) return;
  WaveEditorModel& model = dialog.Pane().Model();
  model.SetChipTarget(*target);
  model.ConformToTarget();
  UpdateStates();
}

void InterchangeCommands::Report(const QString& text) {
  lastReport = text;
  WaveEditor& pane = dialog.Pane();
  QToolTip::showText(pane.mapToGlobal(QPoint(8, 8)), text, &pane, QRect(), kReportMs);
}
