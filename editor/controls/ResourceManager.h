#pragma once
// The process-wide cache of skin images by skin name: each is decoded once
// from "<name>.png" in the resource folder and owned by the cache. A counted
// singleton, started and stopped by the plug-in.
#include <map>
#include <string>

class CHfcBmp;

class ResourceManager {
 public:
  static bool Initialize();
  static void Uninitialize();
  static ResourceManager* GetInstance() { return mInstance; }

  // Null for an empty name or an image that cannot be loaded; the pointer
  // stays the cache's.
  CHfcBmp* LoadImage(const std::string& name);
  // The name a loaded image was asked for by, "" for a picture the cache
  // does not hold.
  std::string NameOf(const CHfcBmp* bmp) const;
  void UnloadImage(const std::string& name);
  void UnloadAllImages();

  // The resource folder: $VESK_RESOURCE_DIR, else the Resources folder of
  // the process-wide bundle when one is set, else the build's skins.
  static std::string DefaultResourceDir();

 private:
  ResourceManager();
  ~ResourceManager();
  template <typename T>
  friend bool HfcCountedStop(T*& instance, int& count);

  static ResourceManager* mInstance;
  static int mRefCounter;
  std::map<std::string, CHfcBmp*> mImages;
  std::map<const CHfcBmp*, std::string> mNames;
};
