#pragma once
// The clipboard as the framework's classes use it: data under
// four-character flavors. Failures are reported through the framework's
// debug print and answered false or 0.
#include <cstdint>

class CHfcClipboard {
 public:
  bool Open(void*) { return true; }
  bool Close() { return true; }
  bool Empty();
  // Copies up to size bytes of the flavor.
  bool GetData(uint32_t flavor, void* buffer, uint32_t size);
  // Clears the clipboard, then puts the flavor.
  bool SetData(uint32_t flavor, const void* data, uint32_t size);
  uint32_t GetSize(uint32_t flavor);
  bool IsFormatAvailable(uint32_t flavor);
  // Flavors need no registration here: the name is handed back.
  static const char* RegisterType(const char* name) { return name; }
};
