#include "spare/HfcMd5.h"

#include <cstdint>
#include <cstring>

const unsigned char kHfcMd5InitialState[16] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF,
                                               0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};

namespace {

constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
constexpr int kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                            5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                            4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                            6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

uint32_t Le32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void PutLe32(unsigned char* p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

uint32_t Rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

void Compress(uint32_t s[4], const unsigned char* block) {
  uint32_t m[16];
  for (int i = 0; i < 16; ++i) m[i] = Le32(block + 4 * i);
  uint32_t a = s[0], b = s[1], c = s[2], d = s[3];
  for (int i = 0; i < 64; ++i) {
    uint32_t f;
    int g;
    if (i < 16) {
      f = (b & c) | (~b & d);
      g = i;
    } else if (i < 32) {
      f = (d & b) | (~d & c);
      g = (5 * i + 1) & 15;
    } else if (i < 48) {
      f = b ^ c ^ d;
      g = (3 * i + 5) & 15;
    } else {
      f = c ^ (b | ~d);
      g = (7 * i) & 15;
    }
    const uint32_t next = d;
    d = c;
    c = b;
    b = b + Rotl(a + f + kSine[i] + m[g], kShift[i]);
    a = next;
  }
  s[0] += a;
  s[1] += b;
  s[2] += c;
  s[3] += d;
}

}  // namespace

// The padding is built in a 128-byte tail instead of a copy of the whole
// message: the blocks and the digest are the same, without an allocation
// the size of the input.
void HfcMd5Calc(const unsigned char* data, unsigned long length, unsigned char* digest,
                const unsigned char* state) {
  const unsigned char* start = state ? state : kHfcMd5InitialState;
  uint32_t s[4] = {Le32(start), Le32(start + 4), Le32(start + 8), Le32(start + 12)};
  const unsigned long whole = length / 64 * 64;
  for (unsigned long off = 0; off < whole; off += 64) Compress(s, data + off);
  unsigned char tail[128] = {};
  const unsigned long rest = length - whole;
  if (rest) std::memcpy(tail, data + whole, rest);
  tail[rest] = 0x80;
  const unsigned long tailLen = rest > 55 ? 128 : 64;
  const uint64_t bits = static_cast<uint64_t>(length) * 8;
  PutLe32(tail + tailLen - 8, static_cast<uint32_t>(bits));
  PutLe32(tail + tailLen - 4, static_cast<uint32_t>(static_cast<uint64_t>(length) >> 29));
  for (unsigned long off = 0; off < tailLen; off += 64) Compress(s, tail + off);
  for (int i = 0; i < 4; ++i) PutLe32(digest + 4 * i, s[i]);
}

void HfcMd5CalcFromCString(const char* text, unsigned char* digest, const unsigned char* state) {
  HfcMd5Calc(reinterpret_cast<const unsigned char*>(text), std::strlen(text), digest, state);
}

void HfcMd5ToCString(const unsigned char* digest, char* text) {
  static const char kHex[] = "0123456789abcdef";
  for (int i = 0; i < 16; ++i) {
    text[2 * i] = kHex[digest[i] >> 4];
    text[2 * i + 1] = kHex[digest[i] & 15];
  }
  text[32] = '\0';
}
