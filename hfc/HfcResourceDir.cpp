#include "hfc/HfcResourceDir.h"

#include <mutex>

namespace {
std::mutex gMutex;
std::string gDir;
}  // namespace

void HfcSetResourceDir(const std::string& dir) {
  std::lock_guard<std::mutex> lock(gMutex);
  gDir = dir;
}

std::string HfcGetResourceDir() {
  std::lock_guard<std::mutex> lock(gMutex);
  return gDir;
}
