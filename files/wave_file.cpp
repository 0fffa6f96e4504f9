#include "files/wave_file.h"

#include <QFileInfo>
#include <string>

#include "editor/wave_shapes.h"
#include "files/document_file.h"
#include "formats/wave_files.h"

namespace {

// Far more than any .fuw (at most 256 values) or .ugw needs.
constexpr int64_t kMaxWaveFileBytes = 1 << 20;

}  // namespace

DocumentKind KindOfFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("fuw")) return DocumentKind::kFurnace;
  if (suffix == QLatin1String("ugw")) return DocumentKind::kGameBoy;
  return DocumentKind::kDocument;
}

WaveFileReadResult ReadWaveFileOfKind(const QString& path) {
  WaveFileReadResult result;
  result.kind = KindOfFile(path);
  if (result.kind == DocumentKind::kDocument) {
    DocumentReadResult read = LoadWaveDocument(path);
    result.ok = read.ok;
    result.error = read.error;
    result.document = std::move(read.document);
    return result;
  }
  FileReadResult file = ReadFileBytes(path, kMaxWaveFileBytes);
  if (!file.ok) {
    result.error = file.error;
    return result;
  }
  const std::vector<uint8_t> bytes(file.bytes.begin(), file.bytes.end());
  WaveReadResult wave = result.kind == DocumentKind::kFurnace ? ReadFuw(bytes) : ReadUgw(bytes);
  result.ok = wave.ok;
  result.error = wave.error;
  result.samples = std::move(wave.samples);
  return result;
}

FileResult SaveWaveFileOfKind(const QString& path, const WaveDocument& document) {
  std::string bytes;
  switch (KindOfFile(path)) {
    case DocumentKind::kFurnace: {
      const std::vector<uint8_t> wave = WriteFuw(SignedSamples(document.state.samples),
                                                 QFileInfo(path).completeBaseName().toStdString());
      bytes.assign(wave.begin(), wave.end());
      break;
    }
    case DocumentKind::kGameBoy: {
      const std::vector<uint8_t> wave = WriteUgw(SignedSamples(document.state.samples));
      bytes.assign(wave.begin(), wave.end());
      break;
    }
    case DocumentKind::kDocument:
      bytes = WriteWaveDocument(document);
      break;
  }
  return WriteFileAtomic(path, bytes);
}

bool FileMatchesWave(const QString& path, const WaveState& state) {
  const WaveFileReadResult read = ReadWaveFileOfKind(path);
  if (!read.ok) return false;
  if (read.kind == DocumentKind::kDocument) {
    return !EditHistory::DataDiffers(read.document.state, state);
  }
  return read.samples == SignedSamples(state.samples);
}
