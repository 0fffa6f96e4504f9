// The clipboard and message box of the running application: Qt's system clipboard as plain
// UTF-8 text and a modal message box with only an OK button.
#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include "editor/ui_services.h"

class QtUiServices : public UiServices {
  Q_DECLARE_TR_FUNCTIONS(QtUiServices)

 public:
  // Message boxes are modal to `owner` (may be null).
  explicit QtUiServices(QWidget* owner = nullptr) : owner(owner) {}

  void SetOwner(QWidget* widget) { owner = widget; }

  bool OpenClipboard() override;
  void CloseClipboard() override;
  bool SetClipboardText(const std::string& text) override;
  std::optional<std::string> GetClipboardText() override;
  void ShowMessage(const TextMessage& message) override;
  SaveAnswer AskSaveChanges(const std::string& fileName) override;
  OverwriteAnswer AskOverwrite(const TextMessage& question) override;
  // The message translated into the interface's language, its places filled in.
  static QString Translate(const TextMessage& message);

 private:
  QPointer<QWidget> owner;
};
