#include "fileio/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fileio/atomic_write.h"

namespace {

constexpr const char* kContext = "FileAccess";

TextMessage TooLarge(const std::string& path, int64_t size, int64_t maxBytes) {
  return TextMessage(
      kContext,
      QT_TRANSLATE_NOOP("FileAccess", "The file “%1” is too large: %2 bytes, at most %3 are read."),
      {path, std::to_string(size), std::to_string(maxBytes)});
}

TextMessage SystemError(const char* source, const std::string& path, int error) {
  return TextMessage(kContext, source, {path, ErrnoText(error)});
}

}  // namespace

TextMessage NotRegularFileMessage(const std::string& path, mode_t mode) {
  if (S_ISDIR(mode)) {
    return TextMessage(kContext, QT_TRANSLATE_NOOP("FileAccess", "“%1” is a folder, not a file."),
                       {path});
  }
  if (S_ISFIFO(mode)) {
    return TextMessage(kContext,
                       QT_TRANSLATE_NOOP("FileAccess", "“%1” is a named pipe, not a regular file."),
                       {path});
  }
  if (S_ISCHR(mode) || S_ISBLK(mode)) {
    return TextMessage(
        kContext, QT_TRANSLATE_NOOP("FileAccess", "“%1” is a device, not a regular file."), {path});
  }
  return TextMessage(kContext, QT_TRANSLATE_NOOP("FileAccess", "“%1” is not a regular file."),
                     {path});
}

int OpenRegularFile(const std::string& path, TextMessage& error) {
  struct stat status = {};
  if (stat(path.c_str(), &status) != 0) {
    error =
        errno == ENOENT
            ? TextMessage(kContext,
                          QT_TRANSLATE_NOOP("FileAccess", "The file “%1” does not exist."), {path})
            : SystemError(QT_TRANSLATE_NOOP("FileAccess", "Could not open “%1”: %2"), path, errno);
    return -1;
  }
  if (!S_ISREG(status.st_mode)) {
    error = NotRegularFileMessage(path, status.st_mode);
    return -1;
  }
  // Non-blocking, in case the file was swapped for a pipe since the look above.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error = SystemError(QT_TRANSLATE_NOOP("FileAccess", "Could not open “%1”: %2"), path, errno);
    return -1;
  }
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    error = NotRegularFileMessage(path, status.st_mode);
    close(fd);
    return -1;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

FileReadResult ReadFileBytes(const std::string& path, int64_t maxBytes) {
  FileReadResult result;
  const int fd = OpenRegularFile(path, result.error);
  if (fd < 0) return result;
  struct stat status = {};
  if (fstat(fd, &status) == 0 && status.st_size > maxBytes) {
    result.error = TooLarge(path, status.st_size, maxBytes);
    close(fd);
    return result;
  }
  std::string bytes;
  char block[65536];
  for (;;) {
    const ssize_t got = read(fd, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      result.error =
          SystemError(QT_TRANSLATE_NOOP("FileAccess", "Could not read “%1”: %2"), path, errno);
      close(fd);
      return result;
    }
    if (got == 0) break;
    bytes.append(block, static_cast<size_t>(got));
    if (static_cast<int64_t>(bytes.size()) > maxBytes) {  // grew while being read
      result.error = TooLarge(path, static_cast<int64_t>(bytes.size()), maxBytes);
      close(fd);
      return result;
    }
  }
  close(fd);
  result.ok = true;
  result.bytes = std::move(bytes);
  return result;
}
