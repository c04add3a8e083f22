#include "platform/CHfcFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "os/FinderInfo.h"
#include "platform/HfcDebug.h"

namespace {

// Position of the dot that starts the extension, or -1.
long ExtensionDot(const char* name) {
  if (!name) return -1;
  const char* dot = std::strrchr(name, '.');
  if (!dot || dot == name) return -1;
  return dot - name;
}

size_t Utf16Units(const char* utf8) {
  size_t units = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p; ++p) {
    if ((*p & 0xC0) == 0x80) continue;   // continuation byte
    units += (*p >= 0xF0) ? 2 : 1;       // four-byte sequences need a pair
  }
  return units;
}

bool ChangeFinderInfo(const std::string& path, const unsigned long* creator,
                      const unsigned long* type) {
  uint32_t t, c;
  if (!os::GetFinderInfo(path, &t, &c)) return false;
  if (creator) c = static_cast<uint32_t>(*creator);
  if (type) t = static_cast<uint32_t>(*type);
  return os::SetFinderInfo(path, t, c);
}

}  // namespace

CHfcFile::~CHfcFile() = default;

bool CHfcFile::OpenPath(const char* path, int mode) {
  if (!path || fd_ >= 0) return false;
  int fd;
  switch (mode & 3) {
    case 1: fd = ::open(path, O_RDONLY | O_CLOEXEC); break;
    case 2: fd = ::open(path, O_WRONLY | O_CLOEXEC); break;
    case 3: fd = ::open(path, O_RDWR | O_CLOEXEC); break;
    default:
      fd = ::open(path, O_RDWR | O_CLOEXEC);
      if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = ::open(path, O_RDONLY | O_CLOEXEC);
      break;
  }
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

bool CHfcFile::Open(const char* path, int mode) { return OpenPath(path, mode); }

bool CHfcFile::Close() {
  if (fd_ < 0) return false;
  const int fd = fd_;
  fd_ = -1;
  return ::close(fd) == 0;
}

long CHfcFile::Read(void* buffer, long count) {
  if (fd_ < 0 || !buffer || count <= 0) return 0;
  long done = 0;
  auto* p = static_cast<char*>(buffer);
  while (done < count) {
    const ssize_t n = ::read(fd_, p + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

long CHfcFile::Write(void* buffer, long count) {
  if (fd_ < 0 || !buffer || count <= 0) return 0;
  long done = 0;
  const auto* p = static_cast<const char*>(buffer);
  while (done < count) {
    const ssize_t n = ::write(fd_, p + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

bool CHfcFile::SetPos(long offset, int origin) {
  if (fd_ < 0) return false;
  switch (origin) {
    case 2: return ::lseek(fd_, offset, SEEK_SET) >= 0;
    case 1: return ::lseek(fd_, offset, SEEK_END) >= 0;
    case 0: return ::lseek(fd_, offset, SEEK_CUR) >= 0;
    default: return true;
  }
}

bool CHfcFile::GetPos(long* position) {
  if (fd_ < 0 || !position) return false;
  const off_t at = ::lseek(fd_, 0, SEEK_CUR);
  if (at < 0) return false;
  *position = static_cast<long>(at);
  return true;
}

bool CHfcFile::IsOpened() { return fd_ >= 0; }

bool CHfcFile::MacCreateOpen(const FSRef* folder, const char* name, int mode,
                             unsigned long creator, unsigned long type) {
  const char* failure = nullptr;
  int err = 0;
  std::string path;
  if (!folder || !name || !*name || std::strchr(name, '/')) {
    failure = "Failed to call FSCreateFileUnicode().";
    err = kOsParamErr;
  } else if (Utf16Units(name) >= 256) {
    failure = "Filename is too long.";
  } else {
    path = folder->path + "/" + name;
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
    } else if (errno != EEXIST) {
      failure = "Failed to call FSCreateFileUnicode().";
      err = -errno;
    }
    if (!failure && !ChangeFinderInfo(path, &creator, nullptr)) {
      failure = "Failed to change the creator.";
    } else if (!failure && !ChangeFinderInfo(path, nullptr, &type)) {
      failure = "Failed to change the type.";
    } else if (!failure) {
      FSRef ref{path};
      if (!MacOpen(&ref, mode)) failure = "Failed to open the file.";
    }
  }
  if (!failure) return true;
  HfcDebugPrintf("CHfcFile::MacCreateWithFSRef() - %s err=%d", failure, err);
  return false;
}

bool CHfcFile::MacOpen(const FSSpec* spec, int mode) {
  if (spec && OpenPath(spec->Path().c_str(), mode)) return true;
  HfcDebugPrintf("CHfcFile::MacOpenWithFSSpec() - %s", "Failed to call FSpOpenDF().");
  return false;
}

bool CHfcFile::MacOpen(const FSRef* ref, int mode) {
  if (ref && OpenPath(ref->path.c_str(), mode)) return true;
  HfcDebugPrintf("CHfcFile::MacOpenWithFSRef() - %s", "Failed to call FSOpenFork().");
  return false;
}

bool CHfcFile::MacAttach(short refNum) {
  fd_ = refNum;
  return true;
}

bool CHfcFile::MacChangeCreator(const FSSpec* spec, unsigned long creator) {
  if (spec && ChangeFinderInfo(spec->Path(), &creator, nullptr)) return true;
  HfcDebugPrintf("CHfcFile::MacChangeCreator() - %s err=%d", "Failed to call FSpSetFInfo().", 0);
  return false;
}

bool CHfcFile::MacChangeCreator(const FSRef* ref, unsigned long creator) {
  const FSSpec spec{"", ref ? ref->path : ""};
  return ref && MacChangeCreator(&spec, creator);
}

bool CHfcFile::MacChangeType(const FSSpec* spec, unsigned long type) {
  if (spec && ChangeFinderInfo(spec->Path(), nullptr, &type)) return true;
  HfcDebugPrintf("CHfcFile::MacChangeType() - %s err=%d", "Failed to call FSpSetFInfo().", 0);
  return false;
}

bool CHfcFile::MacChangeType(const FSRef* ref, unsigned long type) {
  const FSSpec spec{"", ref ? ref->path : ""};
  return ref && MacChangeType(&spec, type);
}

bool CHfcFile::GetExtension(const char* name, char* out, int size) {
  const long dot = ExtensionDot(name);
  if (dot < 0 || !out || size <= 0) return false;
  std::strncpy(out, name + dot, static_cast<size_t>(size));
  out[size - 1] = '\0';
  return true;
}

char* CHfcFile::AddExtension(char* name, const char* extension) {
  if (name && extension) std::strcat(name, extension);
  return name;
}

char* CHfcFile::AddExtension(char* name, int size, const char* extension) {
  if (!name || !extension || size <= 0) return nullptr;
  const size_t have = strnlen(name, static_cast<size_t>(size));
  const size_t add = std::strlen(extension);
  if (have == static_cast<size_t>(size) || have + add + 1 > static_cast<size_t>(size))
    return nullptr;
  std::memcpy(name + have, extension, add + 1);
  return name;
}

bool CHfcFile::RemoveExtension(char* name) {
  const long dot = ExtensionDot(name);
  if (dot < 0) return false;
  name[dot] = '\0';
  return true;
}

bool CHfcFile::ReplaceExtension(char* name, const char* extension) {
  if (!RemoveExtension(name)) return false;
  AddExtension(name, extension);
  return true;
}

bool CHfcFile::ReplaceExtension(char* name, int size, const char* extension) {
  const long dot = ExtensionDot(name);
  if (dot < 0 || !extension || size <= 0 || dot >= size) return false;
  if (static_cast<size_t>(dot) + std::strlen(extension) + 1 > static_cast<size_t>(size))
    return false;
  name[dot] = '\0';
  return AddExtension(name, size, extension) != nullptr;
}

bool CHfcFile::GetFileSize(const char* path, unsigned long long* size) {
  struct stat st;
  if (!path || !size || ::stat(path, &st) != 0 || S_ISDIR(st.st_mode)) return false;
  *size = static_cast<unsigned long long>(st.st_size);
  return true;
}
