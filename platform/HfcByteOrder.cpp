#include "platform/HfcByteOrder.h"

#include <utility>

void HfcSwap32(void* word) {
  auto* b = static_cast<unsigned char*>(word);
  std::swap(b[0], b[3]);
  std::swap(b[1], b[2]);
}

void HfcSwap32Array(void* words, int count) {
  auto* b = static_cast<unsigned char*>(words);
  for (int i = 0; i < count; ++i) HfcSwap32(b + 4 * i);
}
