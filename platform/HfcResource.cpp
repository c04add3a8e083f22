#include "platform/HfcResource.h"

#include <cstdint>
#include <cstring>

Handle HfcGetResource(const char* type, long id) {
  if (!type || std::strlen(type) < 4) return nullptr;
  const auto* b = reinterpret_cast<const unsigned char*>(type);
  const uint32_t code = uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) |
                        (uint32_t{b[3]} << 24);
  return os::ResourceRegistry::Get(code, static_cast<int16_t>(id));
}

void* HfcLockResource(Handle handle) {
  return handle ? os::ResourceRegistry::Lock(handle) : nullptr;
}

void HfcUnlockResource(Handle handle) {
  if (handle) os::ResourceRegistry::Unlock(handle);
}
