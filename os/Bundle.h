#pragma once
// A bundle: a folder "<name>" holding "Contents/MacOS" (the code) and
// "Contents/Resources" (images and other files), and optionally the files
// "Contents/BundleIdentifier" whose first line names it and
// "Contents/BundleVersion" whose first line is its version ("1.0.3.0",
// major, minor, revision and build). Bundle objects are
// reference counted: Create hands out one reference, Retain adds one,
// Release drops one and deletes the object with the last.
#include <atomic>
#include <string>

namespace os {

class Bundle {
 public:
  // A bundle for an existing folder; null when there is none.
  static Bundle* Create(const std::string& folder);
  // A live bundle with that identifier, with a reference for the caller.
  static Bundle* FindByIdentifier(const std::string& identifier);

  void Retain();
  void Release();

  const std::string& path() const { return path_; }
  const std::string& identifier() const { return identifier_; }
  // Empty when the bundle carries no version.
  const std::string& version() const { return version_; }
  std::string ResourceFolder() const { return path_ + "/Contents/Resources"; }

  // The file of the loaded image (shared library or program) that holds
  // this code; empty when the loader cannot tell. The environment variable
  // VESK_BUNDLE_DIR, when set, names the bundle folder instead, and the
  // image is then taken to be "<it>/Contents/MacOS/<its name>".
  static std::string OwnImagePath();

 private:
  explicit Bundle(std::string path);
  ~Bundle();

  std::string path_;
  std::string identifier_;
  std::string version_;
  std::atomic<int> references_{1};
};

}  // namespace os
