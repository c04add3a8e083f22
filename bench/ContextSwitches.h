#pragma once
// The voluntary context switches of the benchmark's process so far: threads
// that hand a lock to each other show up there.
#include <sys/resource.h>

namespace vesk::bench {

inline long ContextSwitches() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_nvcsw;
}

}  // namespace vesk::bench
