#include "platform/HfcMemory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

void* HfcMemAlloc(size_t size) { return std::malloc(size); }

void* HfcMemRealloc(void* block, size_t size) { return std::realloc(block, size); }

void HfcMemFree(void* block) { std::free(block); }

void* HfcMemAllocClear(size_t size) { return std::calloc(1, size); }

void* HfcMemReallocClear(void* block, size_t size) {
  void* p = std::realloc(block, size);
  if (p && size) std::memset(p, 0, size);
  return p;
}

void* HfcMemSet(void* block, int value, int count) {
  if (count > 0) std::memset(block, value, static_cast<size_t>(count));
  return block;
}

// Layout: [block start][...][4-byte distance][aligned data of size bytes]
// The data begins at the first multiple of alignment strictly above
// start + 4, so the distance always fits before it.
void* HfcAlignedAlloc(long size, long alignment) {
  if (size < 0 || alignment <= 0 || (alignment & (alignment - 1)) != 0) return nullptr;
  if (static_cast<unsigned long>(size) > SIZE_MAX - static_cast<unsigned long>(alignment) - 4 ||
      alignment > INT32_MAX)
    return nullptr;
  auto* block = static_cast<unsigned char*>(
      std::malloc(static_cast<size_t>(size) + static_cast<size_t>(alignment) + 4));
  if (!block) return nullptr;
  const uintptr_t base = reinterpret_cast<uintptr_t>(block) + 4;
  const uintptr_t a = static_cast<uintptr_t>(alignment);
  const uintptr_t aligned = (base + a) & ~(a - 1);
  const uint32_t distance = static_cast<uint32_t>(aligned - reinterpret_cast<uintptr_t>(block));
  unsigned char* p = block + distance;
  std::memcpy(p - 4, &distance, 4);
  return p;
}

void HfcAlignedFree(void* p) {
  if (!p) return;
  auto* data = static_cast<unsigned char*>(p);
  uint32_t distance;
  std::memcpy(&distance, data - 4, 4);
  std::free(data - distance);
}
