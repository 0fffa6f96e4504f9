// Wave documents on disk: read and parsed in one step, written atomically.
#pragma once

#include <QString>

#include "files/atomic_file.h"
#include "files/wave_document.h"

// Writes the document's text to `path` atomically. Any thread.
FileResult SaveWaveDocument(const QString& path, const WaveDocument& document);
// Reads and parses `path`; the error is either the file's (missing, unreadable, larger than
// 1 MiB) or the text's (with its line number). Any thread.
DocumentReadResult LoadWaveDocument(const QString& path);
