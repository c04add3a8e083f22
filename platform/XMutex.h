#pragma once
// Recursive mutex that remembers whether it was created: the framework's
// CHfcMutex (an os::Lock while created, so the rule of os/Sync.h holds for
// it) with a created flag. Any thread but the host's audio thread.
#include "platform/CHfcMutex.h"

class XMutex {
 public:
  XMutex() = default;
  ~XMutex() { Destroy(); }
  XMutex(const XMutex&) = delete;
  XMutex& operator=(const XMutex&) = delete;

  bool Create() { return created_ = mutex_.Create(); }
  bool Lock() { return mutex_.Lock(); }
  bool Unlock() { return mutex_.Unlock(); }
  void Destroy() {
    mutex_.Destroy();
    created_ = false;
  }
  bool IsCreated() const { return created_; }

 private:
  CHfcMutex mutex_;
  bool created_ = false;
};
