#include "files/atomic_file.h"

#include <QFile>

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

FileResult WriteFileAtomic(const QString& path, std::string_view bytes) {
  return WriteFileAtomic(LocalPath(path), bytes);
}

FileReadResult ReadFileBytes(const QString& path, int64_t maxBytes) {
  return ReadFileBytes(LocalPath(path), maxBytes);
}
