#include "os/Bundle.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <mutex>
#include <vector>

#include "os/Lock.h"

namespace os {

namespace {
os::Lock g_mutex;
std::vector<Bundle*>& Live() {
  static std::vector<Bundle*> live;
  return live;
}

// The first line of a small text file, without a line end; empty when the
// file is missing.
std::string FirstLine(const std::string& file) {
  std::string line;
  if (std::ifstream in(file); in) std::getline(in, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}
}  // namespace

Bundle::Bundle(std::string path) : path_(std::move(path)) {
  identifier_ = FirstLine(path_ + "/Contents/BundleIdentifier");
  version_ = FirstLine(path_ + "/Contents/BundleVersion");
  std::lock_guard<os::Lock> g(g_mutex);
  Live().push_back(this);
}

Bundle::~Bundle() {
  std::lock_guard<os::Lock> g(g_mutex);
  auto& live = Live();
  for (auto it = live.begin(); it != live.end(); ++it)
    if (*it == this) {
      live.erase(it);
      break;
    }
}

Bundle* Bundle::Create(const std::string& folder) {
  struct stat st;
  if (folder.empty() || ::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return nullptr;
  std::string path = folder;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return new Bundle(path);
}

Bundle* Bundle::FindByIdentifier(const std::string& identifier) {
  if (identifier.empty()) return nullptr;
  std::lock_guard<os::Lock> g(g_mutex);
  for (Bundle* b : Live())
    if (b->identifier_ == identifier && b->references_.load() > 0) {
      b->Retain();
      return b;
    }
  return nullptr;
}

void Bundle::Retain() { references_.fetch_add(1); }

void Bundle::Release() {
  if (references_.fetch_sub(1) == 1) delete this;
}

std::string Bundle::OwnImagePath() {
  if (const char* dir = std::getenv("VESK_BUNDLE_DIR"); dir && *dir) {
    std::string path = dir;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return path + "/Contents/MacOS/" + name;
  }
  Dl_info info;
  if (::dladdr(reinterpret_cast<void*>(&Bundle::OwnImagePath), &info) == 0 || !info.dli_fname)
    return {};
  std::string image = info.dli_fname;
  if (image.empty()) return {};
  if (image[0] != '/') {
    // The main program may be reported by its bare or relative name.
    char resolved[4096];
    if (::realpath("/proc/self/exe", resolved)) image = resolved;
  }
  return image;
}

}  // namespace os
