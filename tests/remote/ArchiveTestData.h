#pragma once
// Inputs that exercise the archive coder: empty, tiny, long runs, data that
// cannot be compressed, a full-size image, and lengths around the window
// (8 KiB) and token buffer (16 KiB) boundaries.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "remote/CTavoArchiver.h"
#include "tests/support/SyntheticImage.h"

namespace vesk::test {

struct ArchiveCase {
  std::string name;
  std::vector<unsigned char> data;
};

inline std::vector<unsigned char> RandomBytes(size_t n, uint32_t seed, unsigned alphabet = 256) {
  std::vector<unsigned char> v(n);
  uint32_t s = seed;
  for (auto& b : v) {
    s = s * 1103515245u + 12345u;
    b = static_cast<unsigned char>((s >> 16) % alphabet);
  }
  return v;
}

inline std::vector<ArchiveCase> ArchiveCases() {
  std::vector<ArchiveCase> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"one_byte", {0x41}});
  const std::string text = "Hello, archive. Hello, archive. Hello, archive. Hello!";
  cases.push_back({"short_text", std::vector<unsigned char>(text.begin(), text.end())});
  cases.push_back({"zeros_100000", std::vector<unsigned char>(100000, 0)});
  cases.push_back({"random_40000", RandomBytes(40000, 7)});
  cases.push_back({"image_784861", MakeSyntheticImage(3)});
  // Few distinct bytes and almost no matches: literal tokens fill the token
  // buffer many times over, so the data spans many coded blocks.
  cases.push_back({"literals_60000", RandomBytes(60000, 11, 12)});
  // Lengths around the window size, its slide point and the read-ahead.
  for (size_t n : {8191u, 8192u, 8193u, 8448u, 8449u, 16383u, 16384u, 16385u, 24833u}) {
    std::vector<unsigned char> v = MakeSyntheticImage(static_cast<uint32_t>(n));
    v.resize(n);
    cases.push_back({"image_prefix_" + std::to_string(n), std::move(v)});
  }
  // Repeats at distances 8190, 8192 (the farthest a match may reach) and
  // 8193 (just out of reach).
  {
    std::vector<unsigned char> v = RandomBytes(8190, 5, 64);
    v.insert(v.end(), v.begin(), v.begin() + 300);
    std::vector<unsigned char> r = RandomBytes(5000, 6, 64);
    v.insert(v.end(), r.begin(), r.end());
    for (size_t distance : {8192u, 8193u}) {
      const size_t from = v.size() - distance;
      for (size_t i = 0; i < 200; ++i) {
        const unsigned char b = v[from + i];
        v.push_back(b);
      }
    }
    cases.push_back({"window_edge", std::move(v)});
  }
  return cases;
}

inline std::vector<unsigned char> Compress(const std::vector<unsigned char>& in) {
  unsigned size = 0;
  std::unique_ptr<unsigned char[]> block(
      CTavoArchiver::compressData(in.data(), static_cast<unsigned>(in.size()), size));
  return std::vector<unsigned char>(block.get(), block.get() + size);
}

}  // namespace vesk::test
