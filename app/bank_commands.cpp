#include "app/bank_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <array>
#include <string>
#include <vector>

#include "app/bank_file_commands.h"
#include "app/bank_window.h"
#include "app/editor_commands.h"
#include "app/morph_dialog.h"
#include "app/qt_ui_services.h"
#include "editor/edit_session.h"
#include "editor/ui_services.h"
#include "formats/hex_wave_text.h"
#include "synth/player.h"

namespace {

constexpr char kRateKey[] = "sequenceRate";
constexpr int32_t kPalRate = 50;

}  // namespace

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
  QAction* morph = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Morph…"));
  connect(morph, &QAction::triggered, this, &BankCommands::ShowMorph);
  menu->addAction(morph);

  QAction* play = commands.AddCommand(QT_TRANSLATE_NOOP("EditorCommands", "Play Sequence"));
  connect(play, &QAction::triggered, this, &BankCommands::TogglePlaySequence);
  menu->addAction(play);
  QMenu* rates = commands.AddSubmenu(menu, QT_TRANSLATE_NOOP("EditorCommands", "Sequence Rate"));
  auto* rateGroup = new QActionGroup(this);
  const std::array<std::pair<int32_t, const char*>, 2> kRates = {{
      {Player::kDefaultSequenceRate, QT_TRANSLATE_NOOP("EditorCommands", "60 Hz (NTSC)")},
      {kPalRate, QT_TRANSLATE_NOOP("EditorCommands", "50 Hz (PAL)")},
  }};
  for (const auto& [rate, text] : kRates) {
    QAction* choice = commands.AddCommand(text);
    choice->setCheckable(true);
    choice->setChecked(rate == SequenceRate());
    rateGroup->addAction(choice);
    rates->addAction(choice);
    connect(choice, &QAction::triggered, this, [this, rate] {
      QSettings().setValue(QString::fromLatin1(kRateKey), rate);
      // A playing sequence goes on at the new rate, from its first wave.
      Player& player = session.Model().GetPlayer();
      if (player.IsSequencePlaying()) player.PlaySequence(rate, true);
    });
  }
  // An edit of the bank while its sequence plays is heard at once.
  connect(&session, &EditSession::Changed, this, [this] {
    if (session.Model().GetPlayer().IsSequencePlaying()) HandOverSequence();
  });
}

int32_t BankCommands::SequenceRate() {
  const int32_t rate = QSettings().value(QString::fromLatin1(kRateKey)).toInt();
  return rate == kPalRate ? kPalRate : Player::kDefaultSequenceRate;
}

void BankCommands::HandOverSequence() {
  std::vector<std::string> texts;
  for (const WaveState& wave : session.Waves()) texts.push_back(WriteWaveText(wave.samples));
  session.Model().GetPlayer().SetSequence(texts, static_cast<uint16_t>(session.Model().Mode()));
}

void BankCommands::TogglePlaySequence() {
  Player& player = session.Model().GetPlayer();
  if (player.IsSequencePlaying()) {
    player.StopSequence();
    if (sequenceStartedSound) player.Stop();
    sequenceStartedSound = false;
    return;
  }
  HandOverSequence();
  const bool sounding = player.IsSounding();
  if (player.PlaySequence(SequenceRate(), true)) sequenceStartedSound = !sounding;
}

BankWindow& BankCommands::Window() {
  if (window == nullptr) {
    window = new BankWindow(session, &dialog);
    connect(window->Button("copyBank"), &QPushButton::clicked, this, &BankCommands::CopyBank);
    connect(window->Button("pasteBank"), &QPushButton::clicked, this, &BankCommands::PasteBank);
    connect(window->Button("playSequence"), &QPushButton::clicked, this,
            &BankCommands::TogglePlaySequence);
    connect(window->Button("morph"), &QPushButton::clicked, this, &BankCommands::ShowMorph);
    bankFiles->AddTo(*window);
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
