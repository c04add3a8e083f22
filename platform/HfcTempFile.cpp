#include "platform/HfcTempFile.h"

#include <cstdio>
#include <cstring>

#include "platform/HfcTime.h"

namespace {
constexpr const char* kTempFolder = "/tmp/";
}

bool HfcGetTempDirectory(char* buffer, int size) {
  const int needed = static_cast<int>(std::strlen(kTempFolder)) + 1;
  if (!buffer || size < needed) return false;
  std::memcpy(buffer, kTempFolder, static_cast<size_t>(needed));
  buffer[size - 1] = '\0';
  return true;
}

bool HfcCreateTempFileName(const char* prefix, char* buffer, int size, const char* suffix) {
  if (!buffer || !prefix || size <= 0) return false;
  const unsigned long stamp = HfcGetSystemTimeMs();
  const int n = suffix ? std::snprintf(buffer, static_cast<size_t>(size), "%s%s_%08lx%s",
                                       kTempFolder, prefix, stamp, suffix)
                       : std::snprintf(buffer, static_cast<size_t>(size), "%s%s_%08lx",
                                       kTempFolder, prefix, stamp);
  return n >= 0 && n < size;
}
