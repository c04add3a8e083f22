#include "editor/controls/ResourceManager.h"

#include <cstdlib>

#include "hfc/HfcCountedInstance.h"
#include "hfc/CHfcBmp.h"
#include "hfc/HfcResourceDir.h"
#include "platform/HfcBundle.h"

ResourceManager* ResourceManager::mInstance = nullptr;
int ResourceManager::mRefCounter = 0;

bool ResourceManager::Initialize() {
  return HfcCountedStart(mInstance, mRefCounter, [] { return new ResourceManager; });
}

void ResourceManager::Uninitialize() {
  HfcCountedStop(mInstance, mRefCounter);
}

std::string ResourceManager::DefaultResourceDir() {
  const char* dir = std::getenv("VESK_RESOURCE_DIR");
  if (dir != nullptr && *dir != 0) return dir;
  // The plug-in's own bundle, once the plug-in has set it.
  if (HfcBundleRef bundle = HfcMacGetBundle()) {
    std::string folder = bundle->ResourceFolder();
    bundle->Release();
    return folder;
  }
  return VESK_DEFAULT_RESOURCE_DIR;
}

ResourceManager::ResourceManager() {
  // All later PNG loads look in the plug-in's own resources.
  HfcSetResourceDir(DefaultResourceDir());
}

ResourceManager::~ResourceManager() { UnloadAllImages(); }

CHfcBmp* ResourceManager::LoadImage(const std::string& name) {
  if (name.empty()) {
    return nullptr;
  }
  if (auto it = mImages.find(name); it != mImages.end()) {
    return it->second;
  }
  auto* bmp = new CHfcBmp;
  if (!bmp->LoadPNG(name.c_str(), nullptr, 0)) {
    delete bmp;
    return nullptr;
  }
  mImages.emplace(name, bmp);
  mNames.emplace(bmp, name);
  return bmp;
}

std::string ResourceManager::NameOf(const CHfcBmp* bmp) const {
  const auto it = mNames.find(bmp);
  return it == mNames.end() ? "" : it->second;
}

void ResourceManager::UnloadImage(const std::string& name) {
  if (auto it = mImages.find(name); it != mImages.end()) {
    mNames.erase(it->second);
    delete it->second;
    mImages.erase(it);
  }
}

void ResourceManager::UnloadAllImages() {
  mNames.clear();
  while (!mImages.empty()) {
    delete mImages.begin()->second;
    mImages.erase(mImages.begin());
  }
}
