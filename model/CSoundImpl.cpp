#include "model/CSoundImpl.h"

#include <cstring>

void CSoundImpl::Init(void* data, unsigned size) {
  data_ = static_cast<unsigned char*>(data);
  size_ = data_ != nullptr ? size : 0;
}

// The stored name is space padded, so trailing spaces belong to it; it ends
// early at the first byte that is not printable ASCII.
std::string CSoundImpl::GetName() const {
  std::string name;
  const unsigned limit = size_ < kNameLength ? size_ : kNameLength;
  for (unsigned i = 0; i < limit && data_[i] >= 0x20 && data_[i] < 0x80; ++i)
    name.push_back(static_cast<char>(data_[i]));
  return name;
}

unsigned CSoundImpl::RawSize() const { return size_; }

unsigned CSoundImpl::Span(const void* buffer, unsigned offset, unsigned count) const {
  if (buffer == nullptr || offset >= size_) return 0;
  return count < size_ - offset ? count : size_ - offset;
}

unsigned CSoundImpl::RawGet(void* buffer, unsigned offset, unsigned count) const {
  const unsigned n = Span(buffer, offset, count);
  if (n != 0) std::memmove(buffer, data_ + offset, n);
  return n;
}

unsigned CSoundImpl::RawPut(const void* buffer, unsigned offset, unsigned count) {
  const unsigned n = Span(buffer, offset, count);
  if (n != 0) std::memmove(data_ + offset, buffer, n);
  return n;
}
