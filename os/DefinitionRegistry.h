#pragma once
// Definitions of system objects (menus, menu bars) that code registers and
// that are loaded by resource id or by interface file and name.
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "os/Lock.h"

namespace os {

template <typename T>
class DefinitionRegistry {
 public:
  using Definition = std::function<std::unique_ptr<T>()>;

  void Define(int resourceId, Definition d) {
    std::lock_guard<os::Lock> g(mutex_);
    byId_[resourceId] = std::move(d);
  }
  void Define(const std::string& file, const std::string& name, Definition d) {
    std::lock_guard<os::Lock> g(mutex_);
    byFile_[{file, name}] = std::move(d);
  }
  // Null when nothing is defined under the id or names.
  std::unique_ptr<T> Load(int resourceId) { return Make(byId_, resourceId); }
  std::unique_ptr<T> Load(const std::string& file, const std::string& name) {
    return Make(byFile_, std::make_pair(file, name));
  }

 private:
  template <typename Map, typename Key>
  std::unique_ptr<T> Make(Map& map, const Key& key) {
    Definition d;
    {
      std::lock_guard<os::Lock> g(mutex_);
      auto it = map.find(key);
      if (it == map.end()) return nullptr;
      d = it->second;
    }
    return d ? d() : nullptr;
  }

  os::Lock mutex_;
  std::map<int, Definition> byId_;
  std::map<std::pair<std::string, std::string>, Definition> byFile_;
};

}  // namespace os
