#include "os/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>

namespace os {

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::atomic<AtomicFileWriter::FlushCall> g_flush{nullptr};

int Flush(int fd) {
  const AtomicFileWriter::FlushCall call = g_flush.load();
  return call ? call(fd) : ::fsync(fd);
}

// A new file beside `path` that nobody else has, made as open(2) makes new
// files, so that the umask applies.
int CreateTemporary(const std::string& path, std::string* made) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device seed;
  std::mt19937 pick(seed());
  std::uniform_int_distribution<size_t> letter(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = path + ".tmp.";
    for (int i = 0; i < 6; ++i) name += kLetters[letter(pick)];
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      *made = name;
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

}  // namespace

void AtomicFileWriter::SetFlushCall(FlushCall call) { g_flush.store(call); }

bool MakeFolders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      const std::string part = path.substr(0, i);
      if (::mkdir(part.c_str(), 0700) == 0) continue;
      if (errno != EEXIST) return false;
      struct stat st;
      if (::stat(part.c_str(), &st) != 0) return false;
      if (!S_ISDIR(st.st_mode)) {
        errno = ENOTDIR;
        return false;
      }
    }
  }
  return true;
}

AtomicFileWriter::~AtomicFileWriter() { Abort(); }

bool AtomicFileWriter::Fail(const char* what) {
  error_ = std::string(what) + " " + (tempPath_.empty() ? path_ : tempPath_) + ": " +
           std::strerror(errno);
  Abort();
  return false;
}

bool AtomicFileWriter::Open(const std::string& path) {
  Abort();
  error_.clear();
  path_ = path;
  fd_ = CreateTemporary(path, &tempPath_);
  if (fd_ < 0) return Fail("cannot create a temporary file for");
  // Keep the mode of the file being replaced.
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && ::fchmod(fd_, st.st_mode & 07777) != 0)
    return Fail("cannot set the mode of");
  return true;
}

bool AtomicFileWriter::Write(const void* data, size_t size) {
  if (fd_ < 0) {
    error_ = "no file is open";
    return false;
  }
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd_, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail("cannot write");
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool AtomicFileWriter::Commit() {
  if (fd_ < 0) {
    if (error_.empty()) error_ = "no file is open";
    return false;
  }
  if (Flush(fd_) != 0) return Fail("cannot flush");
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    fd_ = -1;
    return Fail("cannot close");
  }
  if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
    error_ = "cannot replace " + path_ + ": " + std::strerror(errno);
    ::unlink(tempPath_.c_str());
    tempPath_.clear();
    return false;
  }
  tempPath_.clear();
  // The rename itself must reach the disk too. A file system that has
  // nothing to flush for a folder says EINVAL.
  const std::string folder = FolderOf(path_);
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const bool flushed = dir >= 0 && (Flush(dir) == 0 || errno == EINVAL);
  const int why = errno;
  if (dir >= 0) ::close(dir);
  if (flushed) return true;
  error_ = "cannot flush the folder " + folder + ": " + std::strerror(why);
  return false;
}

void AtomicFileWriter::Abort() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!tempPath_.empty()) {
    ::unlink(tempPath_.c_str());
    tempPath_.clear();
  }
}

bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string* error) {
  AtomicFileWriter w;
  const bool ok = w.Open(path) && w.Write(data, size) && w.Commit();
  if (!ok && error) *error = w.Error();
  return ok;
}

}  // namespace os
