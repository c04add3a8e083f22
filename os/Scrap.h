#pragma once
// The clipboard: data under four-character flavor types, one set of
// flavors at a time. It lives inside this process only; the desktop's
// clipboard is neither read nor written.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace os {

class Scrap {
 public:
  // Drops every flavor.
  static void Clear();
  // Stores a copy of the bytes under the flavor, replacing what it held;
  // the other flavors stay. False for null data with a size above 0.
  static bool Put(uint32_t flavor, const void* data, size_t size);
  static bool Has(uint32_t flavor);
  // The flavor's size, 0 when absent.
  static size_t Size(uint32_t flavor);
  // A copy of the flavor's bytes; false when absent.
  static bool Get(uint32_t flavor, std::vector<uint8_t>* out);
};

}  // namespace os
