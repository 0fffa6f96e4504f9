#include "files/session_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "files/document_file.h"

namespace {

// A session file of a later version, which this program cannot read, is renamed to
// "last-session.vN.zpwave" (or "last-session.vN-2.zpwave", ...) so that no save overwrites it.
// Empty when the file is not of a later version; `error` set when it could not be renamed.
QString KeepLaterVersionAside(const QString& path, const DocumentReadResult& read,
                              TextMessage& error) {
  if (read.laterVersion == 0) return {};
  const QFileInfo info(path);
  const QString stem = info.completeBaseName() + QStringLiteral(".v%1").arg(read.laterVersion);
  QString aside;
  for (int n = 1; n < 100; ++n) {
    const QString candidate =
        info.dir().filePath(stem + (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) +
                            QLatin1Char('.') + info.suffix());
    if (!QFileInfo::exists(candidate)) {
      aside = candidate;
      break;
    }
  }
  if (aside.isEmpty() || !QFile::rename(path, aside)) {
    error = TextMessage("FileAccess",
                        QT_TRANSLATE_NOOP("FileAccess",
                                          "The last session “%1” was written by a later version "
                                          "of this program (format version %2) and could not be "
                                          "kept aside; it is left as it is."),
                        {LocalPath(path), std::to_string(read.laterVersion)});
    return {};
  }
  error = TextMessage("FileAccess",
                      QT_TRANSLATE_NOOP("FileAccess",
                                        "The last session was written by a later version of this "
                                        "program (format version %1); it is kept as “%2”, and "
                                        "this version starts afresh."),
                      {std::to_string(read.laterVersion), LocalPath(aside)});
  return aside;
}

}  // namespace

QString SessionFilePath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) return {};
  return QDir(folder).filePath(QStringLiteral("last-session.") + kWaveDocumentExtension);
}

FileResult SaveSession(const WaveDocument& document) {
  const QString path = SessionFilePath();
  if (path.isEmpty()) {
    return {false,
            TextMessage("FileAccess",
                        QT_TRANSLATE_NOOP("FileAccess",
                                          "There is no folder to keep the last session in."))};
  }
  if (QFileInfo::exists(path)) {
    const DocumentReadResult old = LoadWaveDocument(path);
    TextMessage error;
    if (KeepLaterVersionAside(path, old, error).isEmpty() && old.laterVersion != 0) {
      return {false, error};
    }
  }
  return SaveWaveDocument(path, document);
}

DocumentReadResult LoadSession() {
  const QString path = SessionFilePath();
  if (path.isEmpty() || !QFileInfo::exists(path)) return {};
  DocumentReadResult read = LoadWaveDocument(path);
  KeepLaterVersionAside(path, read, read.error);
  return read;
}
