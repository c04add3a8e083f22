#include "spare/HfcMd5.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Hex(const std::string& text, const unsigned char* state = nullptr) {
  unsigned char digest[16];
  HfcMd5Calc(reinterpret_cast<const unsigned char*>(text.data()), text.size(), digest, state);
  char out[33];
  HfcMd5ToCString(digest, out);
  return out;
}

TEST(HfcMd5, PublishedVectors) {
  struct Case {
    const char* text;
    const char* digest;
  };
  const Case cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Hex(c.text), c.digest) << '"' << c.text << '"';
    unsigned char digest[16];
    HfcMd5CalcFromCString(c.text, digest, nullptr);
    char out[33];
    HfcMd5ToCString(digest, out);
    EXPECT_STREQ(out, c.digest);
  }
}

// Lengths around the padding boundary: 55 bytes fit the length in one
// block, 56 need a second; 64 and 120 exercise whole blocks plus a tail.
// Reference digests of runs of 'a' from an independent MD5 implementation.
TEST(HfcMd5, PaddingBoundaries) {
  struct Case {
    size_t length;
    const char* digest;
  };
  const Case cases[] = {
      {55, "ef1772b6dff9a122358552954ad0df65"}, {56, "3b0c8ac703f828b04c6c197006d17218"},
      {63, "b06521f39153d618550606be297466d5"}, {64, "014842d480b571495a4a0363793f7367"},
      {65, "c743a45e0d2e6a95cb859adae0248435"}, {120, "5f61c0ccad4cac44c75ff505e1f1e537"},
  };
  for (const Case& c : cases) EXPECT_EQ(Hex(std::string(c.length, 'a')), c.digest) << c.length;
}

TEST(HfcMd5, StartStateChainsFromAnEarlierState) {
  EXPECT_EQ(Hex("abc", kHfcMd5InitialState), "900150983cd24fb0d6963f7d28e17f72");
  // Another start state gives another digest of the same bytes.
  unsigned char other[16] = {};
  EXPECT_NE(Hex("abc", other), "900150983cd24fb0d6963f7d28e17f72");
}

}  // namespace
