#include "spare/CHfcResourceFile.h"

#include <cstring>
#include <string>

#include "platform/HfcBundle.h"

CHfcResourceFile::~CHfcResourceFile() {
  if (IsOpened()) CHfcFile::Close();
}

bool CHfcResourceFile::Open(const char* name, const char*, int mode) {
  if (IsOpened()) CHfcFile::Close();
  // A resource name is a plain file name: no path may lead out of the
  // resource folder.
  if (!name || !*name || std::strchr(name, '/') || std::strcmp(name, "..") == 0) return false;
  const std::string folder = HfcMacGetBundleResourceDirectoryURL();
  if (folder.empty()) return false;
  return CHfcFile::Open((folder + "/" + name).c_str(), mode);
}

bool CHfcResourceFile::Close() { return IsOpened() && CHfcFile::Close(); }

long CHfcResourceFile::Read(void* buffer, long count) { return IsOpened() ? CHfcFile::Read(buffer, count) : 0; }

long CHfcResourceFile::Write(void*, long) { return 0; }

bool CHfcResourceFile::SetPos(long offset, int origin) { return IsOpened() && CHfcFile::SetPos(offset, origin); }
