#include "app/editor_app.h"

#include "app/dialog_units.h"
#include "app/editor_commands.h"
#include "app/exit_signals.h"
#include "app/file_commands.h"
#include "app/language.h"
#include "app/main_dialog.h"
#include "app/qt_ui_services.h"
#include "app/window_loss_watch.h"
#include "zp/version.h"

EditorApp::EditorApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral(ZP_PRODUCT_NAME));
  setApplicationVersion(QStringLiteral(ZP_VERSION));
  setDesktopFileName(QStringLiteral(ZP_EXECUTABLE_NAME));
  // Message boxes use the dialogs' font too, which has the Japanese glyphs of their texts.
  setFont(DialogUnits::DialogFont());
  setOrganizationName(QStringLiteral(ZP_EXECUTABLE_NAME));
  language::Install(language::Current());
}

int EditorApp::Run(AudioDevice* device) {
  icons = ButtonIcons::Load();
  QtUiServices services;
  {
    MainDialog dialog(icons, device, &services);
    services.SetOwner(&dialog);
    // Every exit keeps the last session. The start-up state stays as it is unless the user asked
    // for the last session at start.
    FileCommands& files = dialog.Commands().Files();
    files.KeepSessionOnExit(true);
    if (FileCommands::RestoresSessionAtStart()) files.RestoreLastSession(true);
    // A signal ends the dialog as Exit does, without asking, also while a message box or a file
    // dialog is open: those are closed first, as nobody may be there to answer.
    ExitSignals exitSignals([&dialog] {
      ExitSignals::CloseModalsAbove(&dialog);
      dialog.Quit();
    });
    // A window destroyed by another client ends the dialog as Exit would: stop, then close.
    WindowLossWatch watch(&dialog, &dialog.Session().Model().GetPlayer(),
                          [&dialog] { dialog.Quit(); });
    // The dialog's result is not looked at: both ways out end the application.
    dialog.exec();
    services.SetOwner(nullptr);
  }
  return 0;
}
