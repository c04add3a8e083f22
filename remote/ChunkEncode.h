#pragma once
// Packs 8-bit data into 7-bit SysEx bytes: each group of up to 7 source bytes
// becomes one byte holding their top bits (bit j for byte j) followed by the
// bytes with their top bit cleared. A last group of k bytes takes k + 1.
// Read() hands the packed stream out in blocks of any size, so a sender can
// fill fixed-size blocks without packing the whole dump first.
#include <cstdint>

class ChunkEncode {
 public:
  ChunkEncode() = default;
  ChunkEncode(const void* src, unsigned len) { Reset(src, len); }

  void Reset(const void* src, unsigned len);

  // Copies up to n packed bytes to dst; returns how many (0 at the end).
  unsigned Read(void* dst, unsigned n);

  // Packed length of len source bytes.
  static constexpr unsigned PackedSize(unsigned len) {
    return 8 * (len / 7) + (len % 7 == 0 ? 0 : len % 7 + 1);
  }
  // Packs all of src into dst (PackedSize(len) bytes); returns that size.
  static unsigned Encode(const void* src, unsigned len, void* dst);

 private:
  const uint8_t* src_ = nullptr;
  unsigned len_ = 0;
  unsigned pos_ = 0;
  uint8_t group_[8] = {};  // MSB byte, then up to 7 bytes
  unsigned groupPos_ = 0;
  unsigned groupLen_ = 0;
};
