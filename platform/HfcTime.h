#pragma once
// The framework's millisecond clock: an unsigned 32-bit count taken from the
// monotonic clock. It wraps at 2^32 ms (about 49.7 days), so callers'
// unsigned 32-bit differences stay right across the wrap.
#include <cstdint>

uint32_t HfcGetSystemTimeMs();
