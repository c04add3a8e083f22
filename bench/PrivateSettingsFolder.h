#pragma once
// The editor settings of a benchmark go to a folder of its own, made once
// per process, so that no run reads or changes the user's.
#include <cstdlib>

namespace vesk::bench {

inline void PrivateSettingsFolder() {
  static const bool done = [] {
    char path[] = "/tmp/vesk-bench-XXXXXX";
    if (mkdtemp(path)) setenv("XDG_CONFIG_HOME", path, 1);
    return true;
  }();
  (void)done;
}

}  // namespace vesk::bench
