// The main of the widget tests: Qt's offscreen platform, settings and data in Qt's test
// locations, and one QApplication for every test of the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  app.setOrganizationName(QStringLiteral("zp-tests"));
  return RUN_ALL_TESTS();
}
