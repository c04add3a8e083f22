#include "remote/CTavoArchiver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "os/Thread.h"
#include "tests/remote/ArchiveTestData.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vesk::test::ArchiveCases;
using vesk::test::Compress;
using Bytes = std::vector<unsigned char>;

struct Header {
  bool ok = false;
  unsigned compressed = 0, original = 0;
  unsigned short crc = 0;
};

Header ReadHeader(const Bytes& block) {
  Header h;
  h.ok = CTavoArchiver::getHeaderInfo(block.data(), h.compressed, h.original, h.crc);
  return h;
}

int Extract(const Bytes& block, Bytes& out, unsigned capacity) {
  out.assign(capacity, 0xEE);
  return CTavoArchiver::extractData(block.data(), static_cast<unsigned>(block.size()), out.data(),
                                    capacity);
}

TEST(TavoArchiver, CrcIsCrc16Arc) {
  EXPECT_EQ(CTavoArchiver::crc16("123456789", 9), 0xBB3D);
  EXPECT_EQ(CTavoArchiver::crc16("", 0), 0);
}

TEST(TavoArchiver, HeaderIsLittleEndianWithMagicAndZeroWord) {
  unsigned char block[16];
  std::memset(block, 0xAA, sizeof block);
  EXPECT_EQ(CTavoArchiver::setHeaderInfo(block, 0x01020304, 0x0A0B0C0D, 0xBEEF), block);
  const unsigned char expected[16] = {'T', 'A', 'V', 'O', 4, 3, 2, 1, 0x0D, 0x0C, 0x0B, 0x0A, 0xEF, 0xBE, 0, 0};
  EXPECT_EQ(0, std::memcmp(block, expected, 16));
  unsigned c = 0, o = 0;
  unsigned short crc = 0;
  ASSERT_TRUE(CTavoArchiver::getHeaderInfo(block, c, o, crc));
  EXPECT_EQ(c, 0x01020304u);
  EXPECT_EQ(o, 0x0A0B0C0Du);
  EXPECT_EQ(crc, 0xBEEF);
  block[3] = 'o';
  EXPECT_FALSE(CTavoArchiver::getHeaderInfo(block, c, o, crc));
  EXPECT_EQ(CTavoArchiver::setHeaderInfo(nullptr, 1, 2, 3), nullptr);
  EXPECT_EQ(CTavoArchiver::getHeaderSize(), 16u);
}

TEST(TavoArchiver, EmptyInputGivesBareHeader) {
  const Bytes block = Compress({});
  const Bytes expected = {'T', 'A', 'V', 'O', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(block, expected);
  Bytes out;
  EXPECT_EQ(Extract(block, out, 16), 0);
}

// Every case: the block describes the input, is never longer than input +
// 16, and extracts back to the same bytes; coded bodies are strictly
// shorter than the input, stored ones are the input itself.
TEST(TavoArchiver, RoundTripsEveryCase) {
  for (const auto& c : ArchiveCases()) {
    SCOPED_TRACE(c.name);
    const Bytes block = Compress(c.data);
    const Header h = ReadHeader(block);
    ASSERT_TRUE(h.ok);
    EXPECT_EQ(h.original, c.data.size());
    EXPECT_EQ(block.size(), 16 + h.compressed);
    EXPECT_EQ(h.crc, CTavoArchiver::crc16(c.data.data(), static_cast<unsigned>(c.data.size())));
    EXPECT_LE(h.compressed, h.original);
    if (h.compressed == h.original) {
      EXPECT_TRUE(std::equal(c.data.begin(), c.data.end(), block.begin() + 16));
    }
    if (c.data.empty()) continue;
    Bytes out;
    ASSERT_EQ(Extract(block, out, static_cast<unsigned>(c.data.size())),
              static_cast<int>(c.data.size()));
    EXPECT_TRUE(out == c.data);
  }
}

TEST(TavoArchiver, CompressesWhatRepeatsAndStoresWhatDoesNot) {
  const Bytes zeros(100000, 0);
  const Header z = ReadHeader(Compress(zeros));
  EXPECT_LT(z.compressed, 200u);

  const Bytes image = vesk::test::MakeSyntheticImage(9);
  const Header im = ReadHeader(Compress(image));
  EXPECT_LT(im.compressed, image.size() / 2);

  const Bytes noise = vesk::test::RandomBytes(5000, 1);
  const Header n = ReadHeader(Compress(noise));
  EXPECT_EQ(n.compressed, n.original);
}

TEST(TavoArchiver, OutputDependsOnlyOnInput) {
  Bytes image = vesk::test::MakeSyntheticImage(4);
  image.resize(150000);
  const Bytes first = Compress(image);
  Compress(vesk::test::RandomBytes(30000, 2, 20));  // leaves other state behind
  EXPECT_EQ(Compress(image), first);
}

// Two saves on two threads must not share the coder's working storage.
TEST(TavoArchiver, ConcurrentCompressionsDoNotInterfere) {
  vesk::test::TestEnvironment env;
  Bytes a = vesk::test::MakeSyntheticImage(21);
  a.resize(120000);
  const Bytes b = vesk::test::RandomBytes(60000, 4, 40);
  const Bytes expectA = Compress(a);
  const Bytes expectB = Compress(b);
  bool okA = true, okB = true;
  os::Thread ta, tb;
  ASSERT_TRUE(ta.Start([&] {
    for (int i = 0; i < 4; ++i) okA = okA && Compress(a) == expectA;
  }));
  ASSERT_TRUE(tb.Start([&] {
    for (int i = 0; i < 8; ++i) okB = okB && Compress(b) == expectB;
  }));
  ta.Join();
  tb.Join();
  EXPECT_TRUE(okA);
  EXPECT_TRUE(okB);
}

TEST(TavoArchiver, RefusesBadMagicAndSizeFaultsWithoutTouchingTheDestination) {
  const Bytes data = vesk::test::MakeSyntheticImage(5);
  const Bytes good = Compress(Bytes(data.begin(), data.begin() + 20000));
  Bytes out;
  ASSERT_EQ(Extract(good, out, 20000), 20000);

  for (int i = 0; i < 4; ++i) {
    Bytes bad = good;
    bad[i] ^= 0x20;
    EXPECT_EQ(Extract(bad, out, 20000), 0) << "magic byte " << i;
  }
  // Original size one above the capacity: nothing is written.
  EXPECT_EQ(Extract(good, out, 19999), 0);
  EXPECT_EQ(out, Bytes(19999, 0xEE));
  // A coded size that claims more than the bytes that follow.
  Bytes longer = good;
  longer[4]++;
  EXPECT_EQ(Extract(longer, out, 20000), 0);
  EXPECT_EQ(out, Bytes(20000, 0xEE));
  // A block cut short, down to less than a header.
  for (size_t keep : {good.size() - 1, size_t{16}, size_t{15}, size_t{0}}) {
    Bytes cut(good.begin(), good.begin() + static_cast<long>(keep));
    EXPECT_EQ(CTavoArchiver::extractData(cut.data(), static_cast<unsigned>(cut.size()), out.data(), 20000), 0)
        << keep;
  }
  // An original size larger than an int can report.
  Bytes huge = good;
  huge[11] = 0x80;
  EXPECT_EQ(Extract(huge, out, 0), 0);
}

// Any single flipped bit of a coded body or of the CRC is detected, by a
// bad table, a CRC mismatch or an early end of data.
TEST(TavoArchiver, EveryFlippedBitIsRefused) {
  std::string text;
  for (int i = 0; i < 40; ++i) {
    text += "Program " + std::to_string(i % 7) + " level " + std::to_string(i * 37 % 100) + "\n";
  }
  const Bytes input(text.begin(), text.end());
  const Bytes good = Compress(input);
  ASSERT_LT(ReadHeader(good).compressed, input.size());
  Bytes out;
  for (size_t bit = 12 * 8; bit < good.size() * 8; ++bit) {
    if (bit == 14 * 8) bit = 16 * 8;  // the zero word is not checked
    Bytes bad = good;
    bad[bit / 8] ^= static_cast<unsigned char>(1 << (bit % 8));
    const int n = Extract(bad, out, static_cast<unsigned>(input.size()));
    if (bit / 8 == good.size() - 1 && n != 0) {
      EXPECT_EQ(out, input) << "bit " << bit;  // a padding bit of the last byte
    } else {
      ASSERT_EQ(n, 0) << "bit " << bit;
    }
  }
}

TEST(TavoArchiver, StoredBodyIsCheckedToo) {
  const Bytes noise = vesk::test::RandomBytes(3000, 9);
  Bytes block = Compress(noise);
  ASSERT_EQ(ReadHeader(block).compressed, 3000u);
  block[16 + 1234] ^= 0x04;
  Bytes out;
  EXPECT_EQ(Extract(block, out, 3000), 0);
}

// A coded stream padded to exactly its original's length (as earlier
// writers could produce) is still decoded as a coded stream.
TEST(TavoArchiver, CodedStreamAsLongAsItsOriginalIsDecoded) {
  const Bytes input(5000, 'x');
  Bytes block = Compress(input);
  const Header h = ReadHeader(block);
  ASSERT_LT(h.compressed, 5000u);
  block.resize(16 + 5000, 0);
  CTavoArchiver::setHeaderInfo(block.data(), 5000, 5000, h.crc);
  Bytes out;
  ASSERT_EQ(Extract(block, out, 5000), 5000);
  EXPECT_EQ(out, input);
}

// Streams that no coder wrote: random bodies behind a valid header must be
// refused quietly, whatever sizes the header claims.
TEST(TavoArchiver, GarbageStreamsAreRefused) {
  Bytes out;
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    Bytes block = vesk::test::RandomBytes(16 + seed * 3, seed);
    const unsigned original = (seed * 7919u) % 70000u + 1;
    CTavoArchiver::setHeaderInfo(block.data(), static_cast<unsigned>(block.size() - 16), original,
                                 static_cast<unsigned short>(seed));
    EXPECT_EQ(Extract(block, out, 70000), 0) << seed;
  }
}

// Inputs kept from fuzzing runs; each must be handled without fault.
TEST(TavoArchiver, FuzzRegressionInputs) {
  namespace fs = std::filesystem;
  const fs::path dir = VESK_ARCHIVE_REGRESSION_DIR;
  ASSERT_TRUE(fs::is_directory(dir)) << dir;
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::ifstream f(entry.path(), std::ios::binary);
    const Bytes block((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    Bytes out(1 << 20);
    const int n = CTavoArchiver::extractData(block.data(), static_cast<unsigned>(block.size()),
                                             out.data(), static_cast<unsigned>(out.size()));
    EXPECT_GE(n, 0) << entry.path();
    ++files;
  }
  EXPECT_GT(files, 0);
}

TEST(TavoArchiver, MakeTreeLimitsCodesTo16Bits) {
  // Fibonacci counts make the plain Huffman tree a chain 21 deep.
  constexpr int n = 26;
  unsigned short freq[2 * n - 1] = {};
  unsigned a = 1, b = 1;
  for (int i = 0; i < 22; ++i) {
    freq[i] = static_cast<unsigned short>(a);
    const unsigned t = a + b;
    a = b;
    b = t;
  }
  unsigned char len[n];
  unsigned short code[n];
  const int root = CTavoArchiver::makeTree(n, freq, len, code);
  EXPECT_GE(root, n);
  unsigned long kraft = 0;
  int maxLen = 0;
  for (int i = 0; i < n; ++i) {
    if (len[i]) kraft += 1ul << (16 - len[i]);
    maxLen = std::max(maxLen, static_cast<int>(len[i]));
    EXPECT_EQ(len[i] != 0, freq[i] != 0) << i;
  }
  EXPECT_EQ(kraft, 1ul << 16);
  EXPECT_EQ(maxLen, 16);
  // Prefix-free: no code is the start of a longer one.
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      if (i != j && len[i] && len[j] && len[i] <= len[j]) {
        EXPECT_NE(code[j] >> (len[j] - len[i]), code[i]) << i << " " << j;
      }
    }
  }

  unsigned short one[2 * 5 - 1] = {0, 0, 7, 0, 0};
  unsigned char len1[5];
  unsigned short code1[5];
  EXPECT_EQ(CTavoArchiver::makeTree(5, one, len1, code1), 2);
  EXPECT_EQ(len1[2], 0);
}

}  // namespace
