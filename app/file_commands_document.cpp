// What the user sees of the open document beyond the wave: the window title with the target or
// height, and the question before a save that would put less into the file than it holds.
#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>
#include <string>

#include "app/file_commands.h"
#include "editor/edit_session.h"
#include "editor/ui_services.h"
#include "zp/version.h"

namespace {

constexpr const char* kContext = "FileCommands";

}  // namespace

void FileCommands::UpdateTitle() {
  // What the wave is meant for follows the file's name: the chip, or the height of a wave meant
  // for no chip when it is not the full one.
  const WaveEditorModel& model = session.Model();
  QString suffix = QStringLiteral(" - ") + QStringLiteral(ZP_PRODUCT_NAME);
  if (model.GetChipTarget() != ChipTarget::kNone) {
    suffix.prepend(
        QStringLiteral(" - ") +
        QCoreApplication::translate("ChipTarget", ChipTargetOf(model.GetChipTarget()).displayName));
  } else if (model.WaveHeight() != kFullHeight) {
    suffix.prepend(QStringLiteral(" - ") + tr("%1 levels").arg(model.WaveHeight()));
  }
  if (CurrentFile().isEmpty()) {
    window.setWindowModified(false);
    // With neither a file nor a target the title is the product's name alone.
    window.setWindowTitle(suffix.mid(3));
    return;
  }
  // "[*]" marks where the edited mark goes; one in the name itself is doubled to stay literal.
  QString name = QFileInfo(CurrentFile()).fileName();
  name.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
  window.setWindowTitle(name + QStringLiteral("[*]") + suffix);
  window.setWindowModified(!session.IsClean());
}

OverwriteAnswer FileCommands::AskBeforeWritingLess() {
  const SessionDocument& document = session.Document();
  const WaveEditorModel& model = session.Model();
  if (services == nullptr ||
      (model.GetLength() >= document.heldSamples && model.WaveHeight() >= document.heldLevels)) {
    return OverwriteAnswer::kOverwrite;
  }
  return services->AskOverwrite(TextMessage(
      kContext,
      QT_TRANSLATE_NOOP("FileCommands",
                        "“%1” holds %2 samples of %3 levels; saving over it writes %4 samples of "
                        "%5 levels. Overwrite it, or save the wave as another file?"),
      {QFileInfo(CurrentFile()).fileName().toStdString(), std::to_string(document.heldSamples),
       std::to_string(document.heldLevels), std::to_string(model.GetLength()),
       std::to_string(model.WaveHeight())}));
}
