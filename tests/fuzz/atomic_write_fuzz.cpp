// Fuzz target for the atomic write's path handling: the folder of any path, where a link leads,
// the temporary name beside a target; then a real write under a file name made of the bytes, in
// a private folder, which must read back whole and leave no temporary file.
#include <dirent.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fileio/atomic_write.h"
#include "fileio/file_read.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// A private folder under /tmp, removed when the fuzzer exits.
std::string folder;

void RemoveFolder() {
  rmdir(folder.c_str());
}

std::string FolderPath() {
  static const bool made = [] {
    char name[] = "/tmp/atomic_write_fuzz-XXXXXX";
    Check(mkdtemp(name) != nullptr);
    folder = name;
    std::atexit(RemoveFolder);
    return true;
  }();
  Check(made);
  return folder;
}

// The names in the private folder, "" when it holds nothing.
std::string Entries() {
  std::string names;
  DIR* dir = opendir(FolderPath().c_str());
  Check(dir != nullptr);
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names += name + "/";
  }
  closedir(dir);
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view path(reinterpret_cast<const char*>(data), size);
  const std::string folder = FolderOf(path);
  Check(!folder.empty());
  Check(folder == "." || folder == "/" || path.substr(0, folder.size()) == folder);
  Check(folder == "/" || folder.back() != '/');
  const std::string temporary = TemporaryPathIn(folder, static_cast<uint32_t>(size * 2654435761u));
  Check(FolderOf(temporary) == folder);
  Check(temporary.size() == folder.size() + (folder.back() == '/' ? 12 : 13));
  const std::string led = FollowLink(path, "target");
  Check(FolderOf(led) == folder);
  Check(FollowLink(path, "/abs/olute") == "/abs/olute");

  // A real write: the bytes as one file name (no '/', no NUL, at most 255 bytes).
  std::string name;
  for (char c : path.substr(0, 255)) name += c == '/' || c == '\0' ? '_' : c;
  if (name.empty() || name == "." || name == ".." || name.rfind(".zp-", 0) == 0) return 0;
  const std::string target = FolderPath() + "/" + name;
  const FileResult written = WriteFileAtomic(target, path);
  Check(written.ok);
  const FileReadResult read = ReadFileBytes(target, 1 << 20);
  Check(read.ok && read.bytes == path);
  Check(Entries() == name + "/");
  Check(unlink(target.c_str()) == 0);
  return 0;
}
