#include "files/document_file.h"

namespace {

// Far more than any wave document or wave file needs; keeps a wrongly chosen large file out of
// memory.
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

WaveReadResult LoadWaveFile(const QString& path, WaveFileType type, FuwHeader* header) {
  FileReadResult file = ReadFileBytes(path, kMaxDocumentBytes);
  if (!file.ok) {
    WaveReadResult result;
    result.error = file.error;
    return result;
  }
  const std::vector<uint8_t> bytes(file.bytes.begin(), file.bytes.end());
  return type == WaveFileType::kFuw ? ReadFuw(bytes, header) : ReadWaveFile(bytes, type);
}

TextMessage OpenedWaveNote(const WaveReadResult& read) {
  if (read.resampled) {
    return TextMessage("WaveFile",
                       QT_TRANSLATE_NOOP("WaveFile",
                                         "The file holds %1 samples; the wave was resampled to %2 "
                                         "samples, so saving it back changes the file."),
                       {std::to_string(read.givenCount), std::to_string(read.samples.size())});
  }
  return read.note;
}
