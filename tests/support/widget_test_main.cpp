// The one main of the Qt tests: the sound environment as the application prepares it, Qt's
// offscreen platform unless the run (or the test program, before main) chose another, data in Qt's
// test locations, settings in a folder of the process's own (tests running side by side never see
// each other's), and one QApplication for every test of the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "audio/portaudio_device.h"

int main(int argc, char** argv) {
  PortAudioDevice::PrepareEnvironment();
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  app.setOrganizationName(QStringLiteral("zp-tests"));
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  return RUN_ALL_TESTS();
}
