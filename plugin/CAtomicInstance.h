#pragma once
// The lock that lets only one working instance of the plug-in exist on the
// machine: an exclusive, non-waiting lock on a file in the user's runtime
// folder ($XDG_RUNTIME_DIR, else the temporary folder; $VESK_LOCK_DIR names
// another folder). The lock dies with the descriptor, so a file left by a
// crashed process holds nothing.
#include <string>

class CAtomicInstance {
 public:
  static constexpr const char* kLockFileName = "vesk-plug-in-editor.lock";

  CAtomicInstance();
  ~CAtomicInstance();
  CAtomicInstance(const CAtomicInstance&) = delete;
  CAtomicInstance& operator=(const CAtomicInstance&) = delete;

  bool Validate() const { return valid_; }
  const std::string& Path() const { return path_; }
  static std::string LockFolder();

 private:
  std::string path_;
  int fd_ = 0;
  bool valid_ = false;
};
