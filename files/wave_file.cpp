#include "files/wave_file.h"

#include <QFileInfo>
#include <string>

#include "editor/wave_shapes.h"
#include "files/document_file.h"

namespace {

std::optional<WaveFileType> TypeOf(DocumentKind kind) {
  switch (kind) {
    case DocumentKind::kFurnace:
      return WaveFileType::kFuw;
    case DocumentKind::kGameBoy:
      return WaveFileType::kUgw;
    case DocumentKind::kDefleMask:
      return WaveFileType::kDmw;
    case DocumentKind::kDocument:
      break;
  }
  return std::nullopt;
}

}  // namespace

DocumentKind KindOfFile(const QString& path) {
  switch (WaveFileTypeOfExtension(QFileInfo(path).suffix().toStdString())
              .value_or(static_cast<WaveFileType>(-1))) {
    case WaveFileType::kFuw:
      return DocumentKind::kFurnace;
    case WaveFileType::kUgw:
      return DocumentKind::kGameBoy;
    case WaveFileType::kDmw:
      return DocumentKind::kDefleMask;
  }
  return DocumentKind::kDocument;
}

WaveFileReadResult ReadWaveFileOfKind(const QString& path) {
  WaveFileReadResult result;
  result.kind = KindOfFile(path);
  const std::optional<WaveFileType> type = TypeOf(result.kind);
  if (!type) {
    DocumentReadResult read = LoadWaveDocument(path);
    result.ok = read.ok;
    result.error = read.error;
    result.height = read.document.height;
    result.givenCount = read.document.state.length;
    result.document = std::move(read.document);
    return result;
  }
  FuwHeader header;
  WaveReadResult wave = LoadWaveFile(path, *type, &header);
  result.ok = wave.ok;
  result.error = wave.error;
  result.note = OpenedWaveNote(wave);
  result.height = wave.height;
  result.resampled = wave.resampled;
  result.givenCount = static_cast<int32_t>(wave.givenCount);
  if (*type == WaveFileType::kFuw) result.fuwHeader = header;
  result.samples = std::move(wave.samples);
  return result;
}

WaveFileSaveResult SaveWaveFileOfKind(const QString& path, const WaveDocument& document,
                                      int32_t height, const std::optional<FuwHeader>& fuwHeader) {
  WaveFileSaveResult result;
  const std::optional<WaveFileType> type = TypeOf(KindOfFile(path));
  if (!type) {
    WaveDocument atHeight = document;
    atHeight.height = height;
    result.written = SaveWaveDocument(path, atHeight);
    return result;
  }
  FuwHeader header;
  header.name = QFileInfo(path).completeBaseName().toStdString();
  if (fuwHeader) header = *fuwHeader;
  const WaveFileWriting file =
      WriteWaveFile(SignedSamples(document.state.samples), height, *type, header);
  if (!file.ok) {
    result.written.error = TextMessage(
        "WaveFile",
        QT_TRANSLATE_NOOP("WaveFile", "This editor reads .%1 files but does not write them."),
        {WaveFileExtension(*type)});
    return result;
  }
  result.change = file.change;
  result.written = WriteFileAtomic(path, std::string(file.bytes.begin(), file.bytes.end()));
  return result;
}

bool FileMatchesWave(const QString& path, const WaveState& state) {
  const WaveFileReadResult read = ReadWaveFileOfKind(path);
  if (!read.ok) return false;
  if (read.kind == DocumentKind::kDocument) {
    return !EditHistory::DataDiffers(read.document.state, state);
  }
  return !read.resampled && read.samples == SignedSamples(state.samples);
}
