#pragma once
// Classic resources: blocks of bytes found by a four-character type and a
// 16-bit id. Code registers its compiled-in resources here; readers get a
// handle (a pointer to the block's pointer) that stays valid for the life
// of the process, and lock it while they use the data.
#include <cstddef>
#include <cstdint>

namespace os {

class ResourceRegistry {
 public:
  using Handle = void**;

  // Copies the bytes; false when (type, id) is registered already.
  static bool Register(uint32_t type, int16_t id, const void* data, size_t size);
  // Null when there is no such resource.
  static Handle Get(uint32_t type, int16_t id);
  static size_t Size(Handle h);
  static void* Lock(Handle h);
  static void Unlock(Handle h);
  static int LockCount(Handle h);
};

}  // namespace os
