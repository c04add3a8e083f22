#pragma once
// A stand-in for a synthesizer data image of the real size and shape: a
// global block, 512 program records of 1472 bytes with names and parameters
// that vary around a common template, 20 performance records, the two edit
// buffers and the current-sound bytes. Deterministic for a given seed.
// Header-only so that benchmarks, which build without the test support
// library, can use it too.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace vesk::test {

inline std::vector<unsigned char> MakeSyntheticImage(uint32_t seed = 1) {
  constexpr size_t kSize = 784861;
  constexpr size_t kGlobal = 1736, kProg = 1472, kCombi = 1332;
  uint32_t s = seed;
  auto next = [&s]() {
    s = s * 1664525u + 1013904223u;
    return s >> 24;
  };
  std::vector<unsigned char> image(kSize, 0);
  for (size_t i = 0; i < kGlobal; ++i) image[i] = static_cast<unsigned char>(i % 7 == 0 ? next() : i & 0x3F);

  static const char* const kWords[] = {"Warm", "Bright", "Dark", "Analog", "Glass", "Soft",
                                       "Hard", "Deep", "Vintage", "Wide"};
  static const char* const kKinds[] = {"Pad", "Lead", "Bass", "Piano", "Strings",
                                       "Brass", "Organ", "Bell", "Sweep", "Pluck"};
  std::vector<unsigned char> templ(kProg);
  for (size_t i = 0; i < kProg; ++i) templ[i] = static_cast<unsigned char>(next() & 0x7F);
  auto fillRecord = [&](unsigned char* rec, size_t len, int n) {
    char name[17];
    std::snprintf(name, sizeof name, "%s %s %03d", kWords[next() % 10], kKinds[next() % 10], n % 1000);
    std::memset(rec, ' ', 16);
    std::memcpy(rec, name, std::strlen(name));
    for (size_t i = 16; i < len; ++i) {
      unsigned r = next();
      rec[i] = r < 12 ? static_cast<unsigned char>(next()) : templ[i % kProg];
    }
  };
  size_t at = kGlobal;
  for (int p = 0; p < 512; ++p, at += kProg) fillRecord(&image[at], kProg, p);
  for (int c = 0; c < 20; ++c, at += kCombi) fillRecord(&image[at], kCombi, c);
  fillRecord(&image[at], kProg, 0);
  at += kProg;
  fillRecord(&image[at], kCombi, 0);
  at += kCombi;
  for (; at < kSize; ++at) image[at] = static_cast<unsigned char>(next() & 3);
  return image;
}

}  // namespace vesk::test
