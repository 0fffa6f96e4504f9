// Whole files in and out: a write replaces the file in one step (temporary file in the same
// folder, then rename), so a failed or interrupted write leaves the old file as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <QString>

#include "formats/text_message.h"

struct FileResult {
  bool ok = false;
  TextMessage error;  // why it failed
};

struct FileReadResult {
  bool ok = false;
  std::string bytes;
  TextMessage error;  // why it failed
};

struct AtomicWriteOptions {
  // Test hook: the write fails like a full disk when it would put more than this many bytes into
  // the temporary file (those bytes are written first); negative: never.
  int64_t failAfterBytes = -1;
};

// Writes `bytes` as the whole new content of `path`. On failure the old file (or no file) stays
// and no temporary file is left behind. Any thread.
FileResult WriteFileAtomic(const QString& path, std::string_view bytes,
                           const AtomicWriteOptions& options = {});

// The whole content of `path`; refused when missing, unreadable or longer than maxBytes. Any
// thread.
FileReadResult ReadFileBytes(const QString& path, int64_t maxBytes = int64_t{64} << 20);
