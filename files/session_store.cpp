#include "files/session_store.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "files/document_file.h"

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
  return SaveWaveDocument(path, document);
}

DocumentReadResult LoadSession() {
  const QString path = SessionFilePath();
  if (path.isEmpty() || !QFileInfo::exists(path)) return {};
  return LoadWaveDocument(path);
}
