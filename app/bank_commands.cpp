#include "app/bank_commands.h"

#include <QAction>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <array>
#include <string>

#include "app/bank_file_commands.h"
#include "app/bank_window.h"
#include "app/editor_commands.h"
#include "app/instrument_commands.h"
#include "app/morph_dialog.h"
#include "app/note_key_commands.h"
#include "app/qt_ui_services.h"
#include "app/sequence_controls.h"
#include "editor/edit_session.h"
#include "editor/ui_services.h"
#include "synth/player.h"

BankCommands::BankCommands(EditorCommands& commands, QMenu* menu)
    : QObject(&commands),
      session(commands.Context().session),
      services(commands.Context().services),
      dialog(commands.Context().window) {
  QAction* show = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Wave Bank…"),
                                      QKeySequence(Qt::CTRL | Qt::Key_B));
  connect(show, &QAction::triggered, this, &BankCommands::ShowWindow);
  QAction* copy = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Copy Bank"));
  connect(copy, &QAction::triggered, this, &BankCommands::CopyBank);
  QAction* paste = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Paste Bank"));
  connect(paste, &QAction::triggered, this, &BankCommands::PasteBank);
  menu->addAction(show);
  menu->addAction(copy);
  menu->addAction(paste);
  bankFiles = new BankFileCommands(commands, this);
  menu->addAction(bankFiles->ExportAction());
  instruments = new InstrumentCommands(commands, menu);
  QAction* morph = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Morph…"));
  connect(morph, &QAction::triggered, this, &BankCommands::ShowMorph);
  menu->addAction(morph);

  QAction* play = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Play Sequence"));
  connect(play, &QAction::triggered, this, &BankCommands::TogglePlaySequence);
  menu->addAction(play);
  AddSequenceRates(commands, menu);
}

void BankCommands::AddSequenceRates(EditorCommands& commands, QMenu* menu) {
  QMenu* rates = commands.AddSubmenu(menu, QT_TRANSLATE_NOOP("EditorCommands", "Sequence Rate"));
  // 60 Hz, 50 Hz, or any other rate (0 here), checked as the bank window's rate stands.
  const std::array<std::pair<int32_t, const char*>, 3> kRates = {{
      {Player::kDefaultSequenceRate, QT_TRANSLATE_NOOP("EditorCommands", "60 Hz (NTSC)")},
      {SequenceControls::kPalRate, QT_TRANSLATE_NOOP("EditorCommands", "50 Hz (PAL)")},
      {0, QT_TRANSLATE_NOOP("EditorCommands", "Other Rate…")},
  }};
  for (const auto& [rate, text] : kRates) {
    QAction* choice = commands.AddCommand(text);
    choice->setCheckable(true);
    rates->addAction(choice);
    connect(choice, &QAction::triggered, this, [this, &commands, rate] {
      if (rate != 0) Window().Sequence().SetRate(rate);
      if (rate == 0) AskRate();
      commands.UpdateStates();
    });
    commands.AddStateUpdate([choice, rate] {
      const int32_t chosen = SequenceControls::RememberedRate();
      choice->setChecked(rate == chosen || (rate == 0 && chosen != SequenceControls::kPalRate &&
                                            chosen != Player::kDefaultSequenceRate));
    });
  }
  connect(rates, &QMenu::aboutToShow, &commands, &EditorCommands::UpdateStates);
}

void BankCommands::AskRate() {
  auto* ask = new QInputDialog(
      window != nullptr && window->isVisible() ? static_cast<QWidget*>(window) : &dialog);
  ask->setAttribute(Qt::WA_DeleteOnClose);
  ask->setWindowTitle(tr("Sequence Rate"));
  ask->setLabelText(tr("Waves a second (1 to 1000 Hz):"));
  ask->setInputMode(QInputDialog::IntInput);
  ask->setIntRange(Player::kMinSequenceRate, Player::kMaxSequenceRate);
  ask->setIntValue(SequenceControls::RememberedRate());
  connect(ask, &QInputDialog::intValueSelected, this,
          [this](int rate) { Window().Sequence().SetRate(rate); });
  ask->open();
}

void BankCommands::TogglePlaySequence() {
  Window().Sequence().TogglePlay();
}

BankWindow& BankCommands::Window() {
  if (window == nullptr) {
    window = new BankWindow(session, &dialog);
    connect(window->Button("copyBank"), &QPushButton::clicked, this, &BankCommands::CopyBank);
    connect(window->Button("pasteBank"), &QPushButton::clicked, this, &BankCommands::PasteBank);
    connect(window->Button("morph"), &QPushButton::clicked, this, &BankCommands::ShowMorph);
    bankFiles->AddTo(*window);
    instruments->AddTo(window->Strip());
    if (noteKeys != nullptr) noteKeys->PlayIn(*window);
  }
  return *window;
}

void BankCommands::ShowWindow() {
  Window().ShowBeside();
}

void BankCommands::ShowMorph() {
  QWidget* parent =
      window != nullptr && window->isVisible() ? static_cast<QWidget*>(window) : &dialog;
  auto* morph = new MorphDialog(session, parent);
  morph->setAttribute(Qt::WA_DeleteOnClose);
  morph->open();
}

void BankCommands::CopyBank() {
  if (services == nullptr || !services->OpenClipboard()) return;
  services->SetClipboardText(session.BankText());
  services->CloseClipboard();
}

void BankCommands::PasteBank() {
  if (services == nullptr || !services->OpenClipboard()) return;
  const std::string text = services->GetClipboardText().value_or(std::string());
  services->CloseClipboard();
  const BankReadResult read = session.PasteBank(text);
  if (read.ok) return;
  const std::string why = QtUiServices::Translate(read.error).toStdString();
  if (read.errorLine > 0) {
    services->ShowMessage(TextMessage(
        "BankCommands",
        QT_TRANSLATE_NOOP("BankCommands",
                          "Line %1 of the clipboard is no wave; nothing was pasted.\n%2"),
        {std::to_string(read.errorLine), why}));
  } else {
    services->ShowMessage(
        TextMessage("BankCommands",
                    QT_TRANSLATE_NOOP("BankCommands", "The clipboard holds no bank.\n%1"), {why}));
  }
}
