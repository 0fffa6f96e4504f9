#include "files/document_file.h"

namespace {

// Far more than any wave document needs; keeps a wrongly chosen large file out of memory.
constexpr int64_t kMaxDocumentBytes = 1 << 20;

}  // namespace

FileResult SaveWaveDocument(const QString& path, const WaveDocument& document) {
  return WriteFileAtomic(path, WriteWaveDocument(document));
}

DocumentReadResult LoadWaveDocument(const QString& path) {
  FileReadResult file = ReadFileBytes(path, kMaxDocumentBytes);
  if (!file.ok) {
    DocumentReadResult result;
    result.error = file.error;
    return result;
  }
  return ReadWaveDocument(file.bytes);
}
