// The list of recently opened or saved files, newest first, as the UI keeps it in QSettings.
#pragma once

#include <QString>
#include <QStringList>

namespace RecentFiles {

inline constexpr int kMaxCount = 8;
// The QSettings key the list is kept under.
inline constexpr const char* kSettingsKey = "recentFiles";

// `list` with `path` (made absolute and clean) in front, any other copy of it removed, and at
// most kMaxCount entries. An empty path leaves the list as it is.
QStringList Add(QStringList list, const QString& path);
// `list` without `path` (e.g. a file that no longer opens).
QStringList Remove(QStringList list, const QString& path);

}  // namespace RecentFiles
