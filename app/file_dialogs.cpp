// The File commands' questions as Qt's own file and number dialogs, modal to the window, and
// the folder they start in.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QRegularExpression>

#include "app/file_commands.h"

namespace {

// The suffix a save dialog's name filter stands for: "zpwave" of "Wave documents (*.zpwave)".
QString SuffixOf(const QString& filter) {
  static const QRegularExpression pattern(QStringLiteral(R"(\(\*\.(\w+))"));
  const QRegularExpressionMatch match = pattern.match(filter);
  return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

QString FileCommands::StartFolder() const {
  if (!CurrentFile().isEmpty()) return QFileInfo(CurrentFile()).absolutePath();
  const QStringList recent = RecentList();
  if (!recent.isEmpty()) return QFileInfo(recent.front()).absolutePath();
  return QDir::homePath();
}

QString FileCommands::AskPathWithQt(const PathQuestion& question) {
  QFileDialog box(&window, question.caption, question.start, question.filters);
  box.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  box.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (question.save) {
    // A name typed without an extension takes the chosen filter's, before the dialog asks
    // whether to replace an existing file.
    // The type follows the start name's extension.
    const QString suffix = QFileInfo(question.start).suffix().toLower();
    for (const QString& filter : box.nameFilters()) {
      if (!suffix.isEmpty() && SuffixOf(filter) == suffix) box.selectNameFilter(filter);
    }
    box.setDefaultSuffix(SuffixOf(box.selectedNameFilter()));
    connect(&box, &QFileDialog::filterSelected, &box,
            [&box](const QString& filter) { box.setDefaultSuffix(SuffixOf(filter)); });
    box.setOption(QFileDialog::DontConfirmOverwrite, !question.confirmOverwrite);
  }
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return {};
  return box.selectedFiles().front();
}

std::optional<double> FileCommands::AskNumberWithQt(const NumberQuestion& question) {
  bool ok = false;
  if (question.decimals == 0) {
    const int value = QInputDialog::getInt(
        &window, question.title, question.label, static_cast<int>(question.value),
        static_cast<int>(question.min), static_cast<int>(question.max), 1, &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
  }
  const double value =
      QInputDialog::getDouble(&window, question.title, question.label, question.value, question.min,
                              question.max, question.decimals, &ok);
  return ok ? std::optional<double>(value) : std::nullopt;
}
