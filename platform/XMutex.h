#pragma once
// Recursive mutex that remembers whether it was created: an os::Lock while
// created, so the rule of os/Sync.h holds for it.
#include <optional>

#include "os/Lock.h"

class XMutex {
 public:
  XMutex() = default;
  ~XMutex() = default;
  XMutex(const XMutex&) = delete;
  XMutex& operator=(const XMutex&) = delete;

  bool Create();
  bool Lock();
  bool Unlock();
  void Destroy();
  bool IsCreated() const { return lock_.has_value(); }

 private:
  std::optional<os::Lock> lock_;
};
