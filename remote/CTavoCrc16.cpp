#include "remote/CTavoCrc16.h"

#include <array>

namespace {

// Slicing by four: kTables[k][b] is the CRC of byte b followed by k zero
// bytes, so four input bytes fold in with four independent look-ups.
using Tables = std::array<std::array<uint16_t, 256>, 4>;

constexpr Tables MakeTables() {
  Tables t{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned r = i;
    for (int k = 0; k < 8; ++k) r = (r & 1) ? (r >> 1) ^ 0xA001u : r >> 1;
    t[0][i] = static_cast<uint16_t>(r);
  }
  for (unsigned i = 0; i < 256; ++i) {
    for (int k = 1; k < 4; ++k) t[k][i] = static_cast<uint16_t>(t[0][t[k - 1][i] & 0xFF] ^ (t[k - 1][i] >> 8));
  }
  return t;
}

constexpr Tables kTables = MakeTables();

}  // namespace

uint16_t CTavoCrc16::Update(uint16_t crc, const unsigned char* p, size_t n) {
  unsigned c = crc;
  for (; n >= 4; n -= 4, p += 4) {
    c ^= static_cast<unsigned>(p[0]) | static_cast<unsigned>(p[1]) << 8;
    c = kTables[3][c & 0xFF] ^ kTables[2][c >> 8] ^ kTables[1][p[2]] ^ kTables[0][p[3]];
  }
  for (; n > 0; --n, ++p) c = kTables[0][(c ^ *p) & 0xFF] ^ (c >> 8);
  return static_cast<uint16_t>(c);
}
