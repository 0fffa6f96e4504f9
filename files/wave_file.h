// The files the editor opens and saves, by their kind: its own wave documents, Furnace waves
// (.fuw), DefleMask waves (.dmw, read only) and Game Boy tracker waves (.ugw). Reading, writing
// and comparing; no widgets.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "editor/edit_session.h"
#include "files/atomic_file.h"
#include "files/wave_document.h"
#include "formats/wave_files.h"

// A file's kind by its extension; anything but .fuw, .dmw and .ugw is read as a wave document.
DocumentKind KindOfFile(const QString& path);

struct WaveFileReadResult {
  bool ok = false;
  TextMessage error;  // why the file was refused
  TextMessage note;   // what opening changed or passed over (a resampled length); may be empty
  DocumentKind kind = DocumentKind::kDocument;
  WaveDocument document;               // the whole document (kDocument)
  std::vector<int8_t> samples;         // only the samples (the other kinds)
  int32_t height = kFullHeight;        // the levels the file's values are at
  bool resampled = false;              // the file's length is none the editor holds
  int32_t givenCount = 0;              // the samples the file holds, before any resampling
  std::optional<FuwHeader> fuwHeader;  // a .fuw's version and name
};

// Reads the file at `path` as its extension says. Any thread.
WaveFileReadResult ReadWaveFileOfKind(const QString& path);

struct WaveFileSaveResult {
  FileResult written;
  TextMessage change;  // what the file could not hold (resampled, fewer levels); may be empty
};
// Saves `document` at `path` atomically, as the extension says, at `height` levels: a .fuw or .ugw
// holds only the samples (a .fuw with `fuwHeader`, or named after the file); a .dmw is refused.
// Any thread.
WaveFileSaveResult SaveWaveFileOfKind(const QString& path, const WaveDocument& document,
                                      int32_t height,
                                      const std::optional<FuwHeader>& fuwHeader = std::nullopt);
// Whether the file at `path` holds the data of `state` now (for a .fuw, .dmw or .ugw: its samples
// at their own length).
bool FileMatchesWave(const QString& path, const WaveState& state);
