#include "spare/HfcCpu.h"

#include <atomic>

namespace {
std::atomic<bool> g_supportComputed{false};
}

int HfcGetCpuType() { return 1; }

unsigned long HfcGetCpuSupport() {
  g_supportComputed.store(true, std::memory_order_relaxed);
  return 0x4D;
}

// The feature word this asks for only exists on that processor family; on
// this system the query has nothing to answer, which counts as a failed
// query.
bool HfcMacIsAltiVecAvailable() { return false; }
