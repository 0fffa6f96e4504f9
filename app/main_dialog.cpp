#include "app/main_dialog.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>

#include "app/editor_commands.h"
#include "app/file_commands.h"
#include "app/icon_button.h"
#include "app/icon_resources.h"
#include "app/sound_commands.h"
#include "editor/ui_services.h"
#include "formats/wave_length.h"
#include "zp/version.h"

namespace {

const char* const kCaption = ZP_PRODUCT_NAME;
// The template's size in dialog units.
constexpr int kWidthUnits = 359;
constexpr int kHeightUnits = 257;
// The pane's place in client pixels: left and top, and what it leaves free to the right and below.
constexpr int kPaneLeft = 15;
constexpr int kPaneTop = 40;
constexpr int kPaneMarginX = 115;
constexpr int kPaneMarginY = 80;

const char* const kLengthItems[] = {"2", "4", "8", "16", "32", "64"};
const char* const kPitchItems[] = {"o2d", "o2a", "o3d", "o3a", "o4d",
                                   "o4a", "o5d", "o5a", "o6d", "o6a"};
// Note number of each pitch item: 12 × (octave − 1) + 2 for d, + 9 for a.
constexpr std::array<int32_t, 10> kPitchNotes = {14, 21, 26, 33, 38, 45, 50, 57, 62, 69};
constexpr auto kLengthCount = static_cast<int32_t>(kWaveLengths.size());

}  // namespace

MainDialog::MainDialog(const ButtonIcons& icons, AudioDevice* device, UiServices* services)
    : QDialog(nullptr),
      units(DialogUnits::DialogFont()),
      services(services),
      dialogIcon(LoadIconResource(kIconApplication)),
      session(device, services),
      pane(session) {
  // A top-level window of its own, so that it stands in the task bar; caption, system menu
  // and close box, no minimise or maximise box, and a size the user cannot change.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromUtf8(kCaption));
  setFont(DialogUnits::DialogFont());
  setFixedSize(units.X(kWidthUnits), units.Y(kHeightUnits));
  CreateControls();
  InitDialog(icons);
}

MainDialog::~MainDialog() = default;

void MainDialog::InitDialog(const ButtonIcons& icons) {
  // 1. Fill the lists from the template's items, then show the fields.
  for (const char* item : kLengthItems) lengthList->addItem(QString::fromUtf8(item));
  for (const char* item : kPitchItems) pitchList->addItem(QString::fromUtf8(item));
  for (QComboBox* list : {lengthList, pitchList}) {
    const int itemHeight = std::max(1, list->view()->sizeHintForRow(0));
    const int dropped = list->property("droppedHeight").toInt() - list->height();
    list->setMaxVisibleItems(std::max(1, dropped / itemHeight));
  }
  PushFields();

  // 2. The system menu, with the About item after a separator.
  CreateSystemMenu();

  // 3. The window's large and small icon.
  setWindowIcon(dialogIcon);

  // 4. The button faces.
  holdButton->SetImage(icons.hold);
  polyButton->SetImage(icons.poly);
  harmonicsButton->SetImage(icons.harmonics);
  playButton->SetImage(icons.play);
  stopButton->SetImage(icons.stop);

  // 5. The pane's window, placed in client pixels.
  pane.setParent(this);
  pane.setGeometry(kPaneLeft, kPaneTop, width() - kPaneMarginX, height() - kPaneMarginY);
  pane.setAccessibleName(tr("Wave editor"));
  pane.show();

  // Every action that changes the data is one step of the session; the lists and the commands
  // follow each one.
  connect(&session, &EditSession::Changed, this, &MainDialog::SyncWithPane);

  // The commands of the pane's menu and their shortcuts. The menu opens on a right click on the
  // pane, and with Shift+F10 or the menu key anywhere in the dialog.
  commands = new EditorCommands(CommandContext{session, services, *this, pane});
  commands->Sound().OnPlayFailed([this] { UpdateButtonStates(); });
  playStateTimer = new QTimer(this);
  playStateTimer->setInterval(100);
  connect(playStateTimer, &QTimer::timeout, this, [this] {
    commands->Sound().CheckOutput();
    UpdateButtonStates();
  });
  pane.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&pane, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& position) { OpenPaneMenu(pane.mapToGlobal(position)); });
  for (const QKeySequence& key :
       {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, [this] {
      OpenPaneMenu(pane.mapToGlobal(QPoint(pane.width() / 2, pane.height() / 2)));
    });
  }

  // 6.–8. Note 45, length 32, the wave view in mode Hold.
  ApplyPitch(pitchIndex);
  ApplyLength(lengthIndex);
  OnHold();
  // A chip target chosen in an earlier run fits the wave to the chip.
  commands->RunStartUp();
  SyncWithPane();

  // 9. The focus starts on the first control that takes it. The start-up state is no step.
  session.ClearHistory();
  exitButton->setFocus();
}

void MainDialog::TakeControlValues() {
  pitchIndex = pitchList->currentIndex();
  lengthIndex = lengthList->currentIndex();
  statusText = statusField->text().toStdString();
}

void MainDialog::PushFields() {
  pitchList->setCurrentIndex(pitchIndex);
  lengthList->setCurrentIndex(lengthIndex);
  statusField->setText(QString::fromStdString(statusText));
}

void MainDialog::ApplyPitch(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(kPitchNotes.size())) return;
  pane.SetNote(kPitchNotes[index]);
}

void MainDialog::ApplyLength(int32_t index) {
  if (index < 0 || index >= kLengthCount) return;
  pane.SetLength(kWaveLengths[static_cast<size_t>(index)]);
}

void MainDialog::OnPlay() {
  commands->Sound().BeforePlay();
  pane.Play();
  UpdateButtonStates();
}

void MainDialog::OnStop() {
  pane.Stop();
  UpdateButtonStates();
}

void MainDialog::OnCopy() {
  pane.CopyToClipboard();
}

void MainDialog::OnPaste() {
  // A paste takes its length from the text; the length list follows it.
  session.Perform(tr("Paste"), [this] {
    TakeControlValues();
    pane.PasteFromClipboard();
  });
}

void MainDialog::OnHold() {
  session.Perform(tr("Hold"), [this] {
    pane.SetHarmonicsView(WaveEditorModel::kWaveView);
    pane.SetMode(WaveEditorModel::kHold);
  });
}

void MainDialog::OnPoly() {
  session.Perform(tr("Poly"), [this] {
    pane.SetHarmonicsView(WaveEditorModel::kWaveView);
    pane.SetMode(WaveEditorModel::kPoly);
  });
}

void MainDialog::OnHarmonics() {
  pane.SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  UpdateButtonStates();
}

void MainDialog::OnPitchChanged() {
  TakeControlValues();
  ApplyPitch(pitchIndex);
}

void MainDialog::OnLengthChanged() {
  TakeControlValues();
  // A chip target plays only some lengths: the list goes back to the wave's length.
  if (lengthIndex >= 0 && lengthIndex < kLengthCount &&
      !pane.Model().LengthAllowed(kWaveLengths[static_cast<size_t>(lengthIndex)])) {
    lengthIndex = WaveLengthIndex(pane.GetLength());
    PushFields();
    if (services == nullptr) return;
    const ChipTargetInfo& info = ChipTargetOf(session.Target());
    std::string lengths;
    for (const int32_t length : info.lengths) {
      lengths += (lengths.empty() ? "" : ", ") + std::to_string(length);
    }
    services->ShowMessage(TextMessage(
        "MainDialog",
        QT_TRANSLATE_NOOP("MainDialog",
                          "The %1 plays waves of %2 samples. Choose the target None in the "
                          "pane menu for other lengths."),
        {QCoreApplication::translate("ChipTarget", info.displayName).toStdString(), lengths}));
    return;
  }
  session.Perform(tr("Length"), [this] { ApplyLength(lengthIndex); });
}

void MainDialog::OnPointerReport(int x, int y) {
  TakeControlValues();
  char text[48];
  std::snprintf(text, sizeof text, "\n x: %2d\n y: %2d", x, y);
  if (statusText == text) return;
  statusText = text;
  PushFields();
}

void MainDialog::accept() {
  if (!MayClose()) return;
  pane.Stop();
  TakeControlValues();
  done(kResultOk);
}

void MainDialog::reject() {
  if (!MayClose()) return;
  Quit();
}

void MainDialog::Quit() {
  pane.Stop();
  done(kResultCancel);
}

bool MainDialog::MayClose() {
  return commands == nullptr || commands->Files().MayClose();
}

void MainDialog::done(int result) {
  if (commands != nullptr) commands->Files().OnExit();
  QDialog::done(result);
}

void MainDialog::SyncWithPane() {
  const int32_t index = WaveLengthIndex(pane.GetLength());
  if (index >= 0 && index != lengthIndex) {
    lengthIndex = index;
    PushFields();
  }
  // A note put back from a file or the last session: the pitch list selects its item when the
  // list has one (otherwise the list keeps its item).
  const int32_t note = pane.Model().GetPlayer().Note();
  const auto* item = std::find(kPitchNotes.begin(), kPitchNotes.end(), note);
  if (item != kPitchNotes.end() && item - kPitchNotes.begin() != pitchIndex) {
    pitchIndex = static_cast<int32_t>(item - kPitchNotes.begin());
    PushFields();
  }
  // Lengths the chip target does not play are there but cannot be chosen.
  if (auto* items = qobject_cast<QStandardItemModel*>(lengthList->model())) {
    for (int32_t i = 0; i < kLengthCount && i < items->rowCount(); ++i) {
      items->item(i)->setEnabled(pane.Model().LengthAllowed(kWaveLengths[static_cast<size_t>(i)]));
    }
  }
  if (commands != nullptr) commands->UpdateStates();
  UpdateButtonStates();
}

void MainDialog::UpdateButtonStates() {
  WaveEditorModel& model = pane.Model();
  const bool wave = !model.IsHarmonicsView();
  holdButton->setChecked(wave && model.Mode() == WaveEditorModel::kHold);
  polyButton->setChecked(wave && model.Mode() == WaveEditorModel::kPoly);
  harmonicsButton->setChecked(!wave);
  const bool failed = commands != nullptr && commands->Sound().PlayFailed();
  playButton->setChecked(model.GetPlayer().IsSounding() && !failed);
}

void MainDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  UpdateButtonStates();
  playStateTimer->start();
}

void MainDialog::hideEvent(QHideEvent* event) {
  playStateTimer->stop();
  QDialog::hideEvent(event);
}

void MainDialog::OpenPaneMenu(const QPoint& globalPosition) {
  commands->PopupPaneMenu(globalPosition);
}

bool MainDialog::event(QEvent* event) {
  if (event->type() == PointerReportEvent::kType) {
    const auto* report = static_cast<PointerReportEvent*>(event);
    OnPointerReport(report->column, report->value);
    return true;
  }
  return QDialog::event(event);
}

void MainDialog::mouseReleaseEvent(QMouseEvent* event) {
  // A press on the background released over the pane writes as a release on the pane does.
  const QPoint position = event->position().toPoint();
  if (event->button() == Qt::LeftButton && pane.geometry().contains(position)) {
    pane.ReleaseAt(pane.mapFrom(this, position));
    event->accept();
    return;
  }
  QDialog::mouseReleaseEvent(event);
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (enter && modifiers == Qt::NoModifier) {
    // A focused push button takes Enter as a press; elsewhere Enter is the OK command.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
      button->click();
    } else {
      accept();
    }
    return;
  }
  QDialog::keyPressEvent(event);
}
