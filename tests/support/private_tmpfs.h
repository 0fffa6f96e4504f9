// A real, small, full-able disk for tests: a tmpfs of a given size mounted in a private mount
// namespace of the test process (which needs root or CAP_SYS_ADMIN, and no other thread yet).
#pragma once

#include <sched.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

class PrivateTmpfs {
 public:
  // Mounts a tmpfs of `bytes` at a new folder under /tmp; Path() is empty and Why() tells the
  // reason when that cannot be done here.
  explicit PrivateTmpfs(size_t bytes) {
    static bool unshared = false;
    if (!unshared) {
      if (unshare(CLONE_NEWNS) != 0) {
        why = std::string("unshare(CLONE_NEWNS) failed: ") + std::strerror(errno);
        return;
      }
      if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        why = std::string("making the mounts private failed: ") + std::strerror(errno);
        return;
      }
      unshared = true;
    }
    char folder[] = "/tmp/zp-tmpfs-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
      why = std::string("mkdtemp failed: ") + std::strerror(errno);
      return;
    }
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    if (mount("tmpfs", folder, "tmpfs", 0, options.c_str()) != 0) {
      why = std::string("mounting a tmpfs failed: ") + std::strerror(errno);
      rmdir(folder);
      return;
    }
    path = folder;
  }
  ~PrivateTmpfs() {
    if (path.empty()) return;
    umount2(path.c_str(), MNT_DETACH);
    rmdir(path.c_str());
  }
  PrivateTmpfs(const PrivateTmpfs&) = delete;
  PrivateTmpfs& operator=(const PrivateTmpfs&) = delete;

  const std::string& Path() const { return path; }
  const std::string& Why() const { return why; }

 private:
  std::string path;
  std::string why;
};
