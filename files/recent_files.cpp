#include "files/recent_files.h"

#include <QFileInfo>

namespace {

QString Normalised(const QString& path) {
  return QFileInfo(path).absoluteFilePath();
}

}  // namespace

namespace RecentFiles {

QStringList Add(QStringList list, const QString& path) {
  if (path.isEmpty()) return list;
  const QString entry = Normalised(path);
  list.removeAll(entry);
  list.prepend(entry);
  while (list.size() > kMaxCount) list.removeLast();
  return list;
}

QStringList Remove(QStringList list, const QString& path) {
  if (!path.isEmpty()) list.removeAll(Normalised(path));
  return list;
}

}  // namespace RecentFiles
