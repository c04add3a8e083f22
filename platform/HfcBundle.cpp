#include "platform/HfcBundle.h"

#include <cstring>
#include <mutex>

#include "os/Lock.h"
#include "platform/HfcDebug.h"

namespace {

os::Lock g_mutex;
HfcBundleRef g_bundle = nullptr;
std::string g_directoryUrl;

std::string StripComponents(std::string path, int count) {
  for (int i = 0; i < count; ++i) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || path == "/") return {};
    path.erase(slash == 0 ? 1 : slash);
  }
  return path;
}

// The plug-in's image with `count` path components taken off.
std::string PluginPath(int count) {
  const std::string image = os::Bundle::OwnImagePath();
  if (image.empty()) {
    HfcDebugPrintf("HfcMacGetBundleDirectory() - %s", "Invalid image name.");
    return {};
  }
  static const char* const kSteps[] = {"Failed to get MacOS URL", "Failed to get Contents URL.",
                                       "Failed to get bundle URL.",
                                       "Failed to get directory URL."};
  std::string path = image;
  for (int i = 0; i < count; ++i) {
    path = StripComponents(path, 1);
    if (path.empty()) {
      HfcDebugPrintf("HfcMacGetBundleDirectory() - %s", kSteps[i < 4 ? i : 3]);
      return {};
    }
  }
  return path;
}

bool CopyPath(const std::string& path, char* buffer, int size) {
  if (path.empty() || !buffer || size <= 0 || path.size() + 1 > static_cast<size_t>(size)) {
    if (!path.empty())
      HfcDebugPrintf("HfcMacGetBundleDirectory() - %s", "Failed to convert CFURL to c-string.");
    return false;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return true;
}

}  // namespace

std::string HfcMacGetBundleURLByID(const char* id) {
  if (!id) return {};
  HfcBundleRef b = os::Bundle::FindByIdentifier(id);
  if (!b) return {};
  std::string path = b->path();
  b->Release();
  return path;
}

std::string HfcMacGetBundleDirectoryURLByID(const char* id) {
  return StripComponents(HfcMacGetBundleURLByID(id), 1);
}

void HfcMacSetBundle(HfcBundleRef bundle) {
  if (bundle) bundle->Retain();
  HfcBundleRef old;
  {
    std::lock_guard<os::Lock> g(g_mutex);
    old = g_bundle;
    g_bundle = bundle;
  }
  if (old) old->Release();
}

HfcBundleRef HfcMacGetBundle() {
  std::lock_guard<os::Lock> g(g_mutex);
  if (g_bundle) g_bundle->Retain();
  return g_bundle;
}

HfcBundleRef HfcMacBundleCreateForPlugin() {
  const std::string path = PluginPath(3);
  return path.empty() ? nullptr : os::Bundle::Create(path);
}

std::string HfcMacGetBundleDirectoryURL() { return PluginPath(4); }

bool HfcMacGetBundleDirectory(char* buffer, int size) {
  return CopyPath(HfcMacGetBundleDirectoryURL(), buffer, size);
}

std::string HfcMacGetBundleResourceDirectoryURL() {
  const std::string contents = PluginPath(2);
  return contents.empty() ? std::string() : contents + "/Resources";
}

bool HfcMacGetBundleResourceDirectory(char* buffer, int size) {
  return CopyPath(HfcMacGetBundleResourceDirectoryURL(), buffer, size);
}

void HfcMacSetBundleDirectoryURL(const std::string& url) {
  std::lock_guard<os::Lock> g(g_mutex);
  g_directoryUrl = url;
}
