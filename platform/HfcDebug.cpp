#include "platform/HfcDebug.h"

#include <cstdio>

void HfcDebugStr(const char* text) {
  std::fputs(text ? text : "", stdout);
  std::fputc('\n', stdout);
}

void HfcDebugPrintf(const char* format, ...) {}
