#include "app/qt_ui_services.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

namespace {

QClipboard* SystemClipboard() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
             ? QGuiApplication::clipboard()
             : nullptr;
}

}  // namespace

// Qt's clipboard needs no opening; it is there as long as a GUI application is.
bool QtUiServices::OpenClipboard() {
  return SystemClipboard() != nullptr;
}

void QtUiServices::CloseClipboard() {}

bool QtUiServices::SetClipboardText(const std::string& text) {
  QClipboard* clipboard = SystemClipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  return true;
}

std::optional<std::string> QtUiServices::GetClipboardText() {
  QClipboard* clipboard = SystemClipboard();
  if (clipboard == nullptr) return std::nullopt;
  const QMimeData* data = clipboard->mimeData();
  if (data == nullptr || !data->hasText()) return std::nullopt;
  return data->text().toStdString();
}

QString QtUiServices::Translate(const TextMessage& message) {
  const QString pattern = QCoreApplication::translate(message.context, message.source);
  return QString::fromStdString(TextMessage::Fill(pattern.toStdString(), message.args));
}

void QtUiServices::ShowMessage(const TextMessage& message) {
  QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                  Translate(message), QMessageBox::Ok, owner.data());
  box.exec();
}

SaveAnswer QtUiServices::AskSaveChanges(const std::string& fileName) {
  QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(),
                  tr("Save changes to %1?").arg(QString::fromStdString(fileName)),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner.data());
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveAnswer::kSave;
    case QMessageBox::Discard:
      return SaveAnswer::kDiscard;
    default:
      return SaveAnswer::kCancel;
  }
}

OverwriteAnswer QtUiServices::AskOverwrite(const TextMessage& question) {
  QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(),
                  Translate(question), QMessageBox::Cancel, owner.data());
  QPushButton* overwrite = box.addButton(tr("Overwrite"), QMessageBox::DestructiveRole);
  QPushButton* saveAs = box.addButton(tr("Save As..."), QMessageBox::AcceptRole);
  box.setDefaultButton(saveAs);
  box.exec();
  if (box.clickedButton() == overwrite) return OverwriteAnswer::kOverwrite;
  if (box.clickedButton() == saveAs) return OverwriteAnswer::kSaveAs;
  return OverwriteAnswer::kCancel;
}
