// Whole files in and out by QString path: the program's one atomic write and its bounded,
// non-blocking read (fileio/), with the path shown as the user knows it.
#pragma once

#include <cstdint>
#include <string_view>

#include <QString>

#include "fileio/atomic_write.h"
#include "fileio/file_read.h"

// Writes `bytes` as the whole new content of `path` (see WriteFileAtomic in fileio/). On failure
// the old file (or no file) stays and no temporary file is left behind. Any thread.
FileResult WriteFileAtomic(const QString& path, std::string_view bytes);

// The whole content of `path`; refused when missing, not a regular file, unreadable or longer
// than maxBytes. Never waits on a pipe or a device. Any thread.
FileReadResult ReadFileBytes(const QString& path, int64_t maxBytes = int64_t{64} << 20);

// The path in the system's encoding, for fileio/.
std::string LocalPath(const QString& path);
