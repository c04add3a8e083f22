#pragma once
// Debug output. HfcDebugStr writes a line to standard output; the trace
// HfcDebugPrintf, which the framework hands the texts of failures it
// otherwise ignores, writes nothing in this build.
void HfcDebugStr(const char* text);
void HfcDebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
