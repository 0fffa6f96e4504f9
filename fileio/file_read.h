// Reading files without ever waiting on a pipe or a device: the file type is checked before and
// after a non-blocking open, and every read has a size limit that its message states.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

#include "formats/text_message.h"

struct FileReadResult {
  bool ok = false;
  std::string bytes;
  TextMessage error;  // why it failed
};

// Opens `path` for reading when it is a regular file (following symbolic links): a missing file,
// a folder, a named pipe, a device or a socket is refused at once with `error` set, and -1 is
// returned. The descriptor is blocking again for the caller's reads and closes on exec. Any
// thread.
int OpenRegularFile(const std::string& path, TextMessage& error);

// The whole content of `path` when it is a regular file of at most maxBytes. Any thread.
FileReadResult ReadFileBytes(const std::string& path, int64_t maxBytes);

// "“path” is a named pipe, not a regular file." and its kin, by the file type in `mode`.
TextMessage NotRegularFileMessage(const std::string& path, mode_t mode);
