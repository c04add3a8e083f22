#pragma once
// Where a drawn form of a system object (alert, file dialog, progress window) is installed
// by the GUI layer; without one, the headless form is made.
#include <functional>
#include <memory>
#include <mutex>

#include "os/Lock.h"

namespace os {

template <typename T>
class FactoryHook {
 public:
  using Factory = std::function<std::unique_ptr<T>()>;

  void Set(Factory f) {
    std::lock_guard<os::Lock> g(mutex_);
    factory_ = std::move(f);
  }

  template <typename Headless>
  std::unique_ptr<T> Make() {
    Factory f;
    {
      std::lock_guard<os::Lock> g(mutex_);
      f = factory_;
    }
    if (f) return f();
    return std::make_unique<Headless>();
  }

 private:
  os::Lock mutex_;
  Factory factory_;
};

}  // namespace os
