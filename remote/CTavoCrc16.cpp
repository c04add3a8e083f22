#include "remote/CTavoCrc16.h"

#include <array>

namespace {

constexpr std::array<uint16_t, 256> MakeTable() {
  std::array<uint16_t, 256> t{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned r = i;
    for (int k = 0; k < 8; ++k) r = (r & 1) ? (r >> 1) ^ 0xA001u : r >> 1;
    t[i] = static_cast<uint16_t>(r);
  }
  return t;
}

constexpr std::array<uint16_t, 256> kTable = MakeTable();

}  // namespace

uint16_t CTavoCrc16::Update(uint16_t crc, const unsigned char* p, size_t n) {
  unsigned c = crc;
  for (size_t i = 0; i < n; ++i) c = kTable[(c ^ p[i]) & 0xFF] ^ (c >> 8);
  return static_cast<uint16_t>(c);
}
