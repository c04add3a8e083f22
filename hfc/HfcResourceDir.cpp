#include "hfc/HfcResourceDir.h"

#include <mutex>

#include "os/Lock.h"

namespace {
os::Lock gMutex;
std::string gDir;
}  // namespace

void HfcSetResourceDir(const std::string& dir) {
  std::lock_guard<os::Lock> lock(gMutex);
  gDir = dir;
}

std::string HfcGetResourceDir() {
  std::lock_guard<os::Lock> lock(gMutex);
  return gDir;
}
