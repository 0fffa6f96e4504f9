// Wave documents and other tools' wave files on disk: read and parsed in one step, written
// atomically.
#pragma once

#include <QString>

#include "files/atomic_file.h"
#include "files/wave_document.h"
#include "formats/wave_files.h"

// Writes the document's text to `path` atomically. Any thread.
FileResult SaveWaveDocument(const QString& path, const WaveDocument& document);
// Reads and parses `path`; the error is either the file's (missing, unreadable, larger than
// 1 MiB) or the text's (with its line number). Any thread.
DocumentReadResult LoadWaveDocument(const QString& path);
// Reads and parses a .fuw, .dmw or .ugw at `path`; the error is the file's or the reader's.
// `header` receives a .fuw's version and name. Any thread.
WaveReadResult LoadWaveFile(const QString& path, WaveFileType type, FuwHeader* header = nullptr);
// A note for the user on what opening the file changed or passed over: the length it was
// resampled from and to, the bytes a .ugw has beyond 32; empty when nothing.
TextMessage OpenedWaveNote(const WaveReadResult& read);
