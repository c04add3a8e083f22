#include "os/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace os {

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

bool MakeFolders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      const std::string part = path.substr(0, i);
      if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
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
  std::string pattern = path + ".tmp.XXXXXX";
  fd_ = mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) return Fail("cannot create a temporary file for");
  tempPath_ = pattern;
  // Keep the mode of the file being replaced; a new file gets the usual one.
  struct stat st;
  const mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  if (::fchmod(fd_, mode) != 0) return Fail("cannot set the mode of");
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
  if (::fsync(fd_) != 0) return Fail("cannot flush");
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
  // The rename itself must reach the disk too.
  const int dir = ::open(FolderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
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
