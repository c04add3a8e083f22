#pragma once
// A reply signature: the first bytes a message must start with, 0xFF
// standing for any byte.
#include <cstdint>
#include <initializer_list>
#include <vector>

class SXSig {
 public:
  static constexpr uint8_t kAny = 0xFF;

  SXSig() = default;
  SXSig(std::initializer_list<uint8_t> bytes) : bytes_(bytes) {}
  SXSig(const void* bytes, unsigned n);

  // False for an empty signature or a message shorter than it.
  bool Match(const void* data, unsigned len) const;

  bool Empty() const { return bytes_.empty(); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  bool operator==(const SXSig& o) const { return bytes_ == o.bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};
