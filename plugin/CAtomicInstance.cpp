#include "plugin/CAtomicInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

std::string CAtomicInstance::LockFolder() {
  for (const char* name : {"VESK_LOCK_DIR", "XDG_RUNTIME_DIR", "TMPDIR"}) {
    const char* dir = std::getenv(name);
    struct stat st;
    if (dir && *dir && ::stat(dir, &st) == 0 && S_ISDIR(st.st_mode)) return dir;
  }
  return "/tmp";
}

CAtomicInstance::CAtomicInstance() : path_(LockFolder() + "/" + kLockFileName) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    // Not waiting: a second instance learns at once that the first holds it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return;
    }
    // The holder before us removes the file before it lets go: a lock on a
    // file that is no longer at the path guards nothing, so open again.
    struct stat held, named;
    if (::fstat(fd, &held) == 0 && ::stat(path_.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
      fd_ = fd;
      valid_ = true;
      return;
    }
    ::close(fd);
  }
}

CAtomicInstance::~CAtomicInstance() {
  if (!valid_) return;
  // Removed while still locked, so that no other instance can hold a lock
  // on a file that is about to vanish.
  ::unlink(path_.c_str());
  ::close(fd_);
}
