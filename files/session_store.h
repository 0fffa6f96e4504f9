// The last session: the editor's state kept as a wave document in the application's data folder,
// saved on exit and loaded on start.
#pragma once

#include <QString>

#include "files/atomic_file.h"
#include "files/wave_document.h"

// The session file in QStandardPaths::AppDataLocation (set the application and organisation
// names first); creates the folder. Empty when the folder cannot be made. UI thread.
QString SessionFilePath();
// Writes the session file atomically. A session file of a later version is first renamed aside
// with its version ("last-session.v3.zpwave"), never overwritten. UI thread.
FileResult SaveSession(const WaveDocument& document);
// Reads the session file. When there is none yet (first start), ok is false and the error is
// empty: start with the defaults and say nothing. One of a later version is renamed aside as
// SaveSession does, and the error says where it went. UI thread.
DocumentReadResult LoadSession();
