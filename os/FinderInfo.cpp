#include "os/FinderInfo.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>

namespace os {

namespace {
constexpr const char* kAttribute = "user.vesk.finderinfo";

void Put32(unsigned char* p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v >> 24);
  p[1] = static_cast<unsigned char>(v >> 16);
  p[2] = static_cast<unsigned char>(v >> 8);
  p[3] = static_cast<unsigned char>(v);
}

uint32_t Get32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
}  // namespace

bool SetFinderInfo(const std::string& path, uint32_t type, uint32_t creator) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  unsigned char bytes[8];  // type, then creator, both big-endian
  Put32(bytes, type);
  Put32(bytes + 4, creator);
  if (::setxattr(path.c_str(), kAttribute, bytes, sizeof bytes, 0) == 0) return true;
  return errno == ENOTSUP;
}

bool GetFinderInfo(const std::string& path, uint32_t* type, uint32_t* creator) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  unsigned char bytes[8] = {};
  if (::getxattr(path.c_str(), kAttribute, bytes, sizeof bytes) != sizeof bytes)
    for (unsigned char& b : bytes) b = 0;
  *type = Get32(bytes);
  *creator = Get32(bytes + 4);
  return true;
}

}  // namespace os
