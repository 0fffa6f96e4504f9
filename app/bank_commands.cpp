#include "app/bank_commands.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "app/bank_window.h"
#include "app/editor_commands.h"
#include "app/qt_ui_services.h"
#include "editor/edit_session.h"
#include "editor/ui_services.h"

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
}

BankWindow& BankCommands::Window() {
  if (window == nullptr) {
    window = new BankWindow(session, &dialog);
    connect(window->Button("copyBank"), &QPushButton::clicked, this, &BankCommands::CopyBank);
    connect(window->Button("pasteBank"), &QPushButton::clicked, this, &BankCommands::PasteBank);
  }
  return *window;
}

void BankCommands::ShowWindow() {
  Window().ShowBeside();
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
