#include "plugin/CAtomicInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool IsFolder(const char* dir) {
  struct stat st;
  return dir && *dir && ::stat(dir, &st) == 0 && S_ISDIR(st.st_mode);
}

// The process id written in an open lock file, 0 when there is none.
pid_t ReadPid(int fd) {
  char text[32] = {};
  const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
  if (n <= 0) return 0;
  const long pid = std::strtol(text, nullptr, 10);
  return pid > 0 ? static_cast<pid_t>(pid) : 0;
}

void WritePid(int fd) {
  const std::string text = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) != 0) return;
  // Only a hint for the refused: the lock itself does not depend on it.
  if (::pwrite(fd, text.data(), text.size(), 0) < 0) return;
}

}  // namespace

std::string CAtomicInstance::LockFolder(std::string* why) {
  for (const char* name : {"VESK_LOCK_DIR", "XDG_RUNTIME_DIR"}) {
    const char* dir = std::getenv(name);
    if (IsFolder(dir)) return dir;
  }
  // A folder under the shared temporary folder that only this user can
  // enter; one made by someone else under that name is not used.
  const char* tmp = std::getenv("TMPDIR");
  const std::string folder =
      std::string(IsFolder(tmp) ? tmp : "/tmp") + "/vesk-" + std::to_string(::getuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    if (why) *why = "the folder " + folder + " cannot be made: " + std::strerror(errno);
    return {};
  }
  struct stat st;
  if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
      (st.st_mode & 077) != 0) {
    if (why) *why = "the folder " + folder + " is not a private folder of this user";
    return {};
  }
  return folder;
}

pid_t CAtomicInstance::Holder() {
  const std::string folder = LockFolder();
  if (folder.empty()) return 0;
  const int fd = ::open((folder + "/" + kLockFileName).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  pid_t holder = 0;
  if (::flock(fd, LOCK_SH | LOCK_NB) != 0) holder = ReadPid(fd);
  ::close(fd);
  return holder;
}

std::string CAtomicInstance::HeldMessage(pid_t holder) {
  std::string text = "Another copy of Vesk Plug-In Editor is running";
  if (holder > 0) text += " (process id " + std::to_string(holder) + ")";
  return text + ". Close it first.";
}

CAtomicInstance::CAtomicInstance() {
  const std::string folder = LockFolder(&reason_);
  if (folder.empty()) return;
  path_ = folder + "/" + kLockFileName;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
      reason_ = "the lock file " + path_ + " cannot be opened: " + std::strerror(errno);
      return;
    }
    // Not waiting: a second instance learns at once that the first holds it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      reason_ = HeldMessage(ReadPid(fd));
      ::close(fd);
      return;
    }
    // The holder before us removes the file before it lets go: a lock on a
    // file that is no longer at the path guards nothing, so open again.
    struct stat held, named;
    if (::fstat(fd, &held) == 0 && ::stat(path_.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
      WritePid(fd);
      fd_ = fd;
      valid_ = true;
      reason_.clear();
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
