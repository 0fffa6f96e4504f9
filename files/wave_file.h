// The files the editor opens and saves, by their kind: its own wave documents, Furnace waves
// (.fuw) and Game Boy tracker waves (.ugw). Reading, writing and comparing; no widgets.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "editor/edit_session.h"
#include "files/atomic_file.h"
#include "files/wave_document.h"

// A file's kind by its extension; anything but .fuw and .ugw is read as a wave document.
DocumentKind KindOfFile(const QString& path);

struct WaveFileReadResult {
  bool ok = false;
  TextMessage error;  // why the file was refused
  DocumentKind kind = DocumentKind::kDocument;
  WaveDocument document;        // the whole document (kDocument)
  std::vector<int8_t> samples;  // only the samples (kFurnace, kGameBoy)
};

// Reads the file at `path` as its extension says. Any thread.
WaveFileReadResult ReadWaveFileOfKind(const QString& path);
// Saves `document` at `path` atomically, as the extension says: a .fuw or .ugw holds only the
// samples (a .fuw named after the file). Any thread.
FileResult SaveWaveFileOfKind(const QString& path, const WaveDocument& document);
// Whether the file at `path` holds the data of `state` now (for a .fuw or .ugw: its samples).
bool FileMatchesWave(const QString& path, const WaveState& state);
