#include "files/atomic_file.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr const char* kContext = "FileAccess";
constexpr int64_t kChunkBytes = 64 * 1024;

std::string Shown(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

FileResult WriteFailure(const QString& path, const QString& reason) {
  return {false, TextMessage(kContext, QT_TRANSLATE_NOOP("FileAccess", "Could not write “%1”: %2"),
                             {Shown(path), reason.toStdString()})};
}

TextMessage TooLarge(const QString& path, int64_t size, int64_t maxBytes) {
  return TextMessage(
      kContext,
      QT_TRANSLATE_NOOP("FileAccess", "The file “%1” is too large: %2 bytes, at most %3 are read."),
      {Shown(path), std::to_string(size), std::to_string(maxBytes)});
}

}  // namespace

FileResult WriteFileAtomic(const QString& path, std::string_view bytes,
                           const AtomicWriteOptions& options) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return WriteFailure(path, file.errorString());
  int64_t written = 0;
  const auto total = static_cast<int64_t>(bytes.size());
  while (written < total) {
    int64_t chunk = std::min(kChunkBytes, total - written);
    const bool failHere = options.failAfterBytes >= 0 && written + chunk > options.failAfterBytes;
    if (failHere) chunk = std::max<int64_t>(0, options.failAfterBytes - written);
    if (chunk > 0 && file.write(bytes.data() + written, chunk) != chunk) {
      const QString reason = file.errorString();
      file.cancelWriting();
      return WriteFailure(path, reason);
    }
    written += chunk;
    if (failHere) {
      file.cancelWriting();
      return WriteFailure(path, QStringLiteral("simulated failure after %1 bytes").arg(written));
    }
  }
  if (!file.commit()) return WriteFailure(path, file.errorString());
  return {true, {}};
}

FileReadResult ReadFileBytes(const QString& path, int64_t maxBytes) {
  FileReadResult result;
  const QFileInfo info(path);
  if (!info.exists()) {
    result.error = TextMessage(
        kContext, QT_TRANSLATE_NOOP("FileAccess", "The file “%1” does not exist."), {Shown(path)});
    return result;
  }
  if (info.isDir()) {
    result.error = TextMessage(
        kContext, QT_TRANSLATE_NOOP("FileAccess", "“%1” is a folder, not a file."), {Shown(path)});
    return result;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    result.error = TextMessage(kContext, QT_TRANSLATE_NOOP("FileAccess", "Could not open “%1”: %2"),
                               {Shown(path), file.errorString().toStdString()});
    return result;
  }
  if (file.size() > maxBytes) {
    result.error = TooLarge(path, file.size(), maxBytes);
    return result;
  }
  const QByteArray data = file.read(maxBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    result.error = TextMessage(kContext, QT_TRANSLATE_NOOP("FileAccess", "Could not read “%1”: %2"),
                               {Shown(path), file.errorString().toStdString()});
    return result;
  }
  if (data.size() > maxBytes) {  // grew while being read
    result.error = TooLarge(path, data.size(), maxBytes);
    return result;
  }
  result.ok = true;
  result.bytes.assign(data.constData(), static_cast<size_t>(data.size()));
  return result;
}
