// The main dialog's headers first: Qt's keyword macros must not reach the player's.
#include "app/main_dialog.h"

#include "app/dialog_units.h"
#include "app/editor_app.h"
#include "app/qt_ui_services.h"

EditorApp::EditorApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Zintar Plovic Editor"));
  setApplicationVersion(QStringLiteral("0.20"));
  setDesktopFileName(QStringLiteral("zintar-plovic-editor"));
  // Message boxes use the dialogs' font too, which has the Japanese glyphs of their texts.
  setFont(DialogUnits::DialogFont());
}

int EditorApp::Run(AudioDevice* device) {
  icons = ButtonIcons::Load();
  QtUiServices services;
  {
    MainDialog dialog(icons, device, &services);
    services.SetOwner(&dialog);
    // The dialog's result is not looked at: both ways out end the application.
    dialog.exec();
    services.SetOwner(nullptr);
  }
  return 0;
}
