#pragma once
// Unpacks the 7-bit groups made by ChunkEncode. Bytes may arrive in fragments of
// any size; a group is complete at 8 bytes, and a shorter last group is
// flushed when the caller marks the final fragment.
#include <cstddef>
#include <cstdint>
#include <vector>

class ChunkDecode {
 public:
  void Write(const void* data, unsigned len, bool final);
  void Clear();
  void Reserve(unsigned n) { out_.reserve(n); }

  const uint8_t* Data() const { return out_.data(); }
  unsigned Size() const { return static_cast<unsigned>(out_.size()); }
  const std::vector<uint8_t>& Output() const { return out_; }

  // Unpacks a whole packed block; returns the number of bytes written to
  // dst, which must hold UnpackedSize(len).
  static unsigned Decode(const void* src, unsigned len, void* dst);
  static constexpr unsigned UnpackedSize(unsigned packed) {
    return 7 * (packed / 8) + (packed % 8 < 2 ? 0 : packed % 8 - 1);
  }

 private:
  void Flush();

  std::vector<uint8_t> out_;
  uint8_t group_[8] = {};
  unsigned count_ = 0;
};
