#pragma once
// CRC-16/ARC (polynomial 0x8005 reflected, initial 0, no final XOR): the
// checksum that archive blocks carry for their original data.
#include <cstddef>
#include <cstdint>

class CTavoCrc16 {
 public:
  // Continues a running CRC over n bytes; start with 0.
  static uint16_t Update(uint16_t crc, const unsigned char* p, size_t n);
};
