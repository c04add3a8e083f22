#pragma once
// Recursive mutex created only by Create(); the destructor leaves it alone,
// as its owners destroy it explicitly. An os::Lock while created, so the
// rule of os/Sync.h holds for it.
#include <optional>

#include "os/Lock.h"

class CHfcMutex {
 public:
  CHfcMutex();
  virtual ~CHfcMutex();
  CHfcMutex(const CHfcMutex&) = delete;
  CHfcMutex& operator=(const CHfcMutex&) = delete;

  bool Create();
  bool Destroy();
  bool Lock();
  bool Unlock();

 private:
  std::optional<os::Lock> lock_;
};
