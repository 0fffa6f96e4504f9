// Which language the interface speaks: Japanese under a ja locale and under the C/POSIX locale
// (the program's own texts), English under any other, unless the user chose one; the choice is
// remembered and applied at once.
#pragma once

#include <QLocale>
#include <QString>

namespace language {

inline constexpr char kJapanese[] = "ja";
inline constexpr char kEnglish[] = "en";

// "ja" or "en" for a locale: Japanese for ja and for the C/POSIX locale, English otherwise.
QString FromLocale(const QLocale& locale);
// The remembered choice, or FromLocale() when there is none.
QString Current();
// Loads the translation of `code` ("ja" or "en") into the application, replacing the one loaded
// before; widgets hear of it through QEvent::LanguageChange. False for an unknown code.
bool Install(const QString& code);
// Remembers `code` and installs it.
bool Choose(const QString& code);

}  // namespace language
