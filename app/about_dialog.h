// The About box: the application icon, the name and version, the versions of the libraries it
// runs on, and OK. Enter, Esc and the close box end it.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QString>

class AboutDialog : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(AboutDialog)

 public:
  static constexpr int kIdOk = 1;

  explicit AboutDialog(QWidget* parent = nullptr);

  // The second text line: the versions of Qt and PortAudio in use.
  static QString LibraryVersions();

  // OK ends with 1; Esc and the close box with 2, the cancel command.
  void accept() override;
  void reject() override;
};
