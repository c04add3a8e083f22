#include "remote/SXSig.h"

#include <cstddef>

SXSig::SXSig(const void* bytes, unsigned n) {
  if (bytes && n) {
    const auto* b = static_cast<const uint8_t*>(bytes);
    bytes_.assign(b, b + n);
  }
}

bool SXSig::Match(const void* data, unsigned len) const {
  if (bytes_.empty() || bytes_.size() > len || !data) return false;
  const auto* d = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < bytes_.size(); ++i)
    if (bytes_[i] != kAny && bytes_[i] != d[i]) return false;
  return true;
}
