#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

namespace language {

namespace {

constexpr char kSettingsKey[] = "language";

QPointer<QTranslator>& Installed() {
  static QPointer<QTranslator> translator;
  return translator;
}

// Qt's own texts (the buttons of message boxes, the file dialogs) in the same language.
QPointer<QTranslator>& InstalledQt() {
  static QPointer<QTranslator> translator;
  return translator;
}

void InstallQtTranslations(const QString& code) {
  if (InstalledQt()) {
    QCoreApplication::removeTranslator(InstalledQt());
    delete InstalledQt().data();
  }
  auto* translator = new QTranslator(QCoreApplication::instance());
  // English is Qt's own language: there is nothing to load, and nothing is installed.
  if (!translator->load(QStringLiteral("qtbase_") + code,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return;
  }
  QCoreApplication::installTranslator(translator);
  InstalledQt() = translator;
}

}  // namespace

QString FromLocale(const QLocale& locale) {
  if (locale.language() == QLocale::C || locale.language() == QLocale::Japanese) {
    return QString::fromLatin1(kJapanese);
  }
  return QString::fromLatin1(kEnglish);
}

QString Current() {
  const QString chosen = QSettings().value(QString::fromLatin1(kSettingsKey)).toString();
  if (chosen == QLatin1String(kJapanese) || chosen == QLatin1String(kEnglish)) return chosen;
  return FromLocale(QLocale::system());
}

bool Install(const QString& code) {
  if (code != QLatin1String(kJapanese) && code != QLatin1String(kEnglish)) return false;
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral(":/i18n/zp_%1.qm").arg(code))) {
    delete translator;
    return false;
  }
  if (Installed()) {
    QCoreApplication::removeTranslator(Installed());
    delete Installed().data();
  }
  InstallQtTranslations(code);
  QCoreApplication::installTranslator(translator);
  Installed() = translator;
  return true;
}

bool Choose(const QString& code) {
  if (!Install(code)) return false;
  QSettings().setValue(QString::fromLatin1(kSettingsKey), code);
  return true;
}

}  // namespace language
