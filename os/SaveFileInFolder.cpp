#include "os/SaveFileInFolder.h"

#include <cerrno>
#include <cstring>

#include "os/AtomicFile.h"

namespace os {

bool SaveFileInFolder(const std::string& path, const void* data, size_t size, std::string* why) {
  std::string reason;
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) {
    reason = "the folder " + path.substr(0, slash) + " cannot be made: " + std::strerror(errno);
  } else if (WriteFileAtomically(path, data, size, &reason)) {
    return true;
  }
  if (why) *why = reason;
  return false;
}

}  // namespace os
