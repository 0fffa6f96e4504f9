#include "fileio/atomic_write.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>

#include "fileio/file_read.h"

namespace {

constexpr const char* kContext = "FileAccess";
// Symbolic links followed before the path counts as a loop, as the kernel does.
constexpr int kMaxLinks = 40;
constexpr int kMaxNameTries = 100;

// The temporary file of the write in progress, for a signal handler. One write at a time uses it;
// a second, concurrent one goes without (a rare case: the editor writes on its UI thread).
char pendingPath[PATH_MAX + 32];
std::atomic<bool> pendingSet{false};
std::atomic<bool> registryBusy{false};
static_assert(std::atomic<bool>::is_always_lock_free);

FileResult Failure(const std::string& path, int error) {
  return {false, TextMessage(kContext, QT_TRANSLATE_NOOP("FileAccess", "Could not write “%1”: %2"),
                             {path, ErrnoText(error)})};
}

uint32_t RandomTag() {
  uint32_t tag = 0;
  if (getrandom(&tag, sizeof tag, GRND_NONBLOCK) != sizeof tag) {
    static std::atomic<uint32_t> counter{0};
    tag = static_cast<uint32_t>(getpid()) * 2654435761u + counter.fetch_add(1) * 40503u;
  }
  return tag;
}

// Follows symbolic links from `path` to the file to write. False with `error` set (errno, or 0
// with `refusal` for a file that is not a regular one).
struct Target {
  std::string path;
  bool exists = false;
  struct stat status = {};
};

bool ResolveTarget(const std::string& path, Target& target, int& error, TextMessage& refusal) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    struct stat status = {};
    if (lstat(current.c_str(), &status) != 0) {
      if (errno != ENOENT) {
        error = errno;
        return false;
      }
      target.path = current;  // a new file (its folder may still be missing: open tells)
      return true;
    }
    if (S_ISLNK(status.st_mode)) {
      std::string text(PATH_MAX, '\0');
      const ssize_t length = readlink(current.c_str(), text.data(), text.size());
      if (length < 0) {
        error = errno;
        return false;
      }
      text.resize(static_cast<size_t>(length));
      current = FollowLink(current, text);
      continue;
    }
    if (!S_ISREG(status.st_mode)) {
      refusal = NotRegularFileMessage(path, status.st_mode);
      error = 0;
      return false;
    }
    target = {current, true, status};
    return true;
  }
  error = ELOOP;
  return false;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Opens a new temporary file beside the target in `name` (a buffer of PATH_MAX + 32 bytes).
int CreateTemporary(const std::string& folder, char* name) {
  for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
    const std::string candidate = TemporaryPathIn(folder, RandomTag());
    if (candidate.size() >= PATH_MAX + 32) {
      errno = ENAMETOOLONG;
      return -1;
    }
    std::memcpy(name, candidate.c_str(), candidate.size() + 1);
    const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

std::string ErrnoText(int error) {
  char buffer[256];
  return strerror_r(error, buffer, sizeof buffer);
}

std::string FolderOf(std::string_view path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return ".";
  size_t end = slash;
  while (end > 0 && path[end - 1] == '/') --end;
  return end == 0 ? "/" : std::string(path.substr(0, end));
}

std::string FollowLink(std::string_view link, std::string_view target) {
  if (!target.empty() && target.front() == '/') return std::string(target);
  const std::string folder = FolderOf(link);
  return (folder == "/" ? folder : folder + "/") + std::string(target);
}

std::string TemporaryPathIn(std::string_view folder, uint32_t tag) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name = std::string(folder) + (folder.ends_with('/') ? ".zp-" : "/.zp-");
  for (int shift = 28; shift >= 0; shift -= 4) name += kHex[(tag >> shift) & 15];
  return name;
}

void RemovePendingTemporaryFile() {
  if (pendingSet.load()) unlink(pendingPath);
}

FileResult WriteFileAtomic(const std::string& path, std::string_view bytes) {
  Target target;
  int error = 0;
  TextMessage refusal;
  if (path.empty()) return Failure(path, ENOENT);
  if (!ResolveTarget(path, target, error, refusal)) {
    if (error == 0) return {false, refusal};
    return Failure(path, error);
  }
  bool expected = false;
  const bool registered = registryBusy.compare_exchange_strong(expected, true);
  char localPath[PATH_MAX + 32];
  char* temporary = registered ? pendingPath : localPath;
  temporary[0] = '\0';
  if (registered) pendingSet.store(true);
  auto release = [&] {
    if (!registered) return;
    pendingSet.store(false);
    registryBusy.store(false);
  };
  const int fd = CreateTemporary(FolderOf(target.path), temporary);
  if (fd < 0) {
    error = errno;
    release();
    return Failure(path, error);
  }
  if (target.exists) {
    // The old file's permissions and, where allowed, its owner; neither is worth failing for.
    [[maybe_unused]] const int owned = fchown(fd, target.status.st_uid, target.status.st_gid);
    fchmod(fd, target.status.st_mode & 07777);
  }
  bool ok = WriteAll(fd, bytes);
  if (ok) ok = fsync(fd) == 0;
  if (!ok) error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && rename(temporary, target.path.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    unlink(temporary);
    release();
    return Failure(path, error);
  }
  release();
  // The rename itself reaches the disk with the folder; a folder that cannot be synced (some
  // file systems refuse) still holds the complete new file.
  const int folder = open(FolderOf(target.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return {true, {}};
}
