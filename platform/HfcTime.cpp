#include "platform/HfcTime.h"

#include "os/Clock.h"

uint32_t HfcGetSystemTimeMs() { return static_cast<uint32_t>(os::NowUs() / 1000); }
