// The one way this program replaces a file: the new content goes to a temporary file in the same
// folder, is written and synced in full, and only then takes the file's name. A failure at any
// step (a full disk, a closed device, a signal) leaves the old file byte for byte as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/text_message.h"

struct FileResult {
  bool ok = false;
  TextMessage error;  // why it failed: the path and the system's reason in words
};

// Writes `bytes` as the whole new content of `path`: a temporary file ".zp-XXXXXXXX" beside the
// target, every write checked, fsync, rename over the target, fsync of the folder. A symbolic
// link is followed and its target written; a folder, a named pipe, a device or a socket is
// refused without being touched. The file keeps its permissions (and owner, where allowed); a
// new one gets 0666 less the umask. On failure the temporary file is removed and the old file (or
// no file) stays. Any thread; a write in progress on one thread at a time is also cleaned up by
// RemovePendingTemporaryFile.
FileResult WriteFileAtomic(const std::string& path, std::string_view bytes);

// Removes the temporary file of a write in progress, if there is one. Only async-signal-safe
// calls: for SIGINT and SIGTERM handlers that end the process.
void RemovePendingTemporaryFile();

// Path handling, kept pure so that it can be checked on its own:
// the folder a file lies in ("." for a bare name, "/" for a file in the root);
std::string FolderOf(std::string_view path);
// where a symbolic link at `link` whose text is `target` points to;
std::string FollowLink(std::string_view link, std::string_view target);
// the temporary file beside a target in `folder`, told apart by `tag`.
std::string TemporaryPathIn(std::string_view folder, uint32_t tag);

// The reason for errno `error` in words ("No space left on device"). Any thread.
std::string ErrnoText(int error);
