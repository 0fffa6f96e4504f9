// Which language the interface speaks: Japanese under a ja locale and under the C/POSIX locale
// (the program's own texts), English under any other, unless the user chose one; the choice is
// remembered and applied at once.
#pragma once

#include <QString>

namespace language {

inline constexpr char kJapanese[] = "ja";
inline constexpr char kEnglish[] = "en";

// "ja" or "en" for the locale the process runs under.
QString FromLocale();
// The remembered choice, or FromLocale() when there is none.
QString Current();
// Loads the translation of `code` ("ja" or "en") into the application, replacing the one loaded
// before; widgets hear of it through QEvent::LanguageChange. False for an unknown code.
bool Install(const QString& code);
// Remembers `code` and installs it.
bool Choose(const QString& code);

}  // namespace language
