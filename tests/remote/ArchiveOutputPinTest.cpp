// The compressed bytes are part of what the plug-in stores in host
// projects: the same input must give the same block, byte for byte, across
// any rework of the coder. Each block is pinned by its length and FNV-1a
// hash, recorded from the coder as first released.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "tests/remote/ArchiveTestData.h"
#include "tests/support/SyntheticImage.h"

namespace {

using Bytes = std::vector<unsigned char>;

uint64_t Fnv1a64(const Bytes& bytes) {
  uint64_t h = 14695981039346656037ull;
  for (unsigned char b : bytes) {
    h ^= b;
    h *= 1099511628211ull;
  }
  return h;
}

struct PinnedBlock {
  const char* name;
  size_t size;
  uint64_t hash;
};

// Inputs beyond the round-trip cases that drive the match search into its
// rarer paths: long runs of full-length matches, a small alphabet with
// dense short matches and deep trees, and a period longer than the longest
// match.
std::vector<vesk::test::ArchiveCase> PinCases() {
  std::vector<vesk::test::ArchiveCase> cases = vesk::test::ArchiveCases();
  cases.push_back({"image_seed_1", vesk::test::MakeSyntheticImage(1)});
  cases.push_back({"alphabet4_120000", vesk::test::RandomBytes(120000, 3, 4)});
  {
    const Bytes period = vesk::test::RandomBytes(300, 8);
    Bytes v;
    while (v.size() < 50000) v.insert(v.end(), period.begin(), period.end());
    cases.push_back({"period300_50000", std::move(v)});
  }
  {
    // Runs of one byte of varying lengths between random stretches.
    Bytes v;
    const Bytes noise = vesk::test::RandomBytes(40000, 9, 8);
    for (size_t i = 0; i < noise.size(); i += 40) {
      v.insert(v.end(), noise.begin() + static_cast<long>(i), noise.begin() + static_cast<long>(i) + 40);
      v.insert(v.end(), (i * 7) % 600, static_cast<unsigned char>(i));
    }
    cases.push_back({"runs_and_noise", std::move(v)});
  }
  return cases;
}

const PinnedBlock kPinned[] = {
    {"empty", 16, 0x3094d2e9cb1f109dull},
    {"one_byte", 17, 0x8408af02b6c3e554ull},
    {"short_text", 48, 0x87e1be7807f833d4ull},
    {"zeros_100000", 76, 0xd5476dd2e869cf86ull},
    {"random_40000", 40016, 0x07848db4a4f9ed8bull},
    {"image_784861", 148390, 0xc00ecc048e6130eeull},
    {"literals_60000", 31450, 0x946a947af42efeabull},
    {"image_prefix_8191", 3502, 0x6d7e8dbb8b301e22ull},
    {"image_prefix_8192", 3546, 0xe8994a8acc935098ull},
    {"image_prefix_8193", 3468, 0x8ceaaaae00c1996eull},
    {"image_prefix_8448", 3453, 0x358f6e0ae6db70c2ull},
    {"image_prefix_8449", 3463, 0xfa568092ed4065dbull},
    {"image_prefix_16383", 5082, 0xcab65698ce24cd7full},
    {"image_prefix_16384", 5038, 0x59aa48bc7267bbe5ull},
    {"image_prefix_16385", 5023, 0x887272962b93b8c9ull},
    {"image_prefix_24833", 6595, 0x8d227bb9e907cf47ull},
    {"window_edge", 10336, 0xfc5eba1f1d88037cull},
    {"image_seed_1", 147435, 0x653f06e776619554ull},
    {"alphabet4_120000", 35218, 0xc085f88ea7c92d51ull},
    {"period300_50000", 633, 0x9f1ef1b8a941e1a5ull},
    {"runs_and_noise", 25605, 0x8d829c2fc009b2f9ull},
};

TEST(ArchiveOutputPin, EveryBlockIsByteForByteAsRecorded) {
  const auto cases = PinCases();
  ASSERT_EQ(cases.size(), std::size(kPinned));
  for (size_t i = 0; i < cases.size(); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.name, kPinned[i].name);
    const Bytes block = vesk::test::Compress(c.data);
    EXPECT_EQ(block.size(), kPinned[i].size);
    EXPECT_EQ(Fnv1a64(block), kPinned[i].hash);
  }
}

}  // namespace
