#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/CAccessorMapped.h"
#include "model/CAccessorPool.h"
#include "model/CAccessorStr.h"
#include "model/CAccessorUBF8.h"

namespace {

using Block = std::array<unsigned char, 600>;

struct WriteCase {
  const char* what;
  std::function<std::unique_ptr<IAccessorI>()> make;
  unsigned offset;
  unsigned char before;  // every byte of the block before the write
  int value;
  std::vector<std::pair<unsigned, unsigned char>> stored;  // (offset, byte) after
  int result;
};

template <class T>
std::function<std::unique_ptr<IAccessorI>()> A(unsigned low, unsigned high) {
  return [=] { return std::make_unique<T>(low, high); };
}

TEST(CAccessor, WritesStoreTheEncodingAndReturnTheReadBack) {
  const WriteCase cases[] = {
      {"UBF8 0-6 keeps bit 7", A<CAccessorUBF8>(0, 6), 3, 0x80, 200, {{3, 0x80 | 72}}, 72},
      {"UBF8 0-6 bit 7 clear", A<CAccessorUBF8>(0, 6), 3, 0x00, 200, {{3, 72}}, 72},
      {"UBF8 4-5 mid bits", A<CAccessorUBF8>(4, 5), 0, 0xFF, 1, {{0, 0xDF}}, 1},
      {"UBF8SF2", A<CAccessorUBF8SF2>(0, 7), 0, 0, 3, {{0, 8}}, 3},
      {"CMBSTS 2 as 3", A<CAccessorCMBSTS>(0, 7), 0, 0, 2, {{0, 3}}, 2},
      {"CMBSTS 3 as 4", A<CAccessorCMBSTS>(0, 7), 0, 0, 3, {{0, 4}}, 3},
      {"CMBSTS 1 as 1", A<CAccessorCMBSTS>(0, 7), 0, 0, 1, {{0, 1}}, 1},
      {"SBF8 -8", A<CAccessorSBF8>(0, 3), 0, 0xF0, -8, {{0, 0xF8}}, -8},
      {"SBF8 9 wraps", A<CAccessorSBF8>(0, 3), 0, 0x00, 9, {{0, 9}}, -7},
      {"SBF8C64", A<CAccessorSBF8C64>(0, 6), 0, 0, -10, {{0, 54}}, -10},
      {"SBF8C2", A<CAccessorSBF8C2>(0, 7), 0, 0, -2, {{0, 0}}, -2},
      {"FXBUS1 on", A<CAccessorUBF8FXBUS1>(0, 7), 0, 0, 1, {{0, 7}}, 1},
      {"FXBUS1 off", A<CAccessorUBF8FXBUS1>(0, 7), 0, 5, 0, {{0, 0}}, 0},
      {"FXBUS2 6", A<CAccessorUBF8FXBUS2>(0, 7), 0, 0, 6, {{0, 12}}, 6},
      {"FXBUS2 5", A<CAccessorUBF8FXBUS2>(0, 7), 0, 0, 5, {{0, 5}}, 5},
      {"FXBUS3 7", A<CAccessorUBF8FXBUS3>(0, 7), 0, 0, 7, {{0, 13}}, 7},
      {"FXBUS3 6", A<CAccessorUBF8FXBUS3>(0, 7), 0, 0, 6, {{0, 6}}, 6},
      {"FOOTSW 14", A<CAccessorUBF8FOOTSW>(0, 7), 0, 0, 14, {{0, 14}}, 14},
      {"FOOTSW 15", A<CAccessorUBF8FOOTSW>(0, 7), 0, 0, 15, {{0, 17}}, 15},
      {"FOOTSW 16", A<CAccessorUBF8FOOTSW>(0, 7), 0, 0, 16, {{0, 20}}, 16},
      {"FOOTSW 33", A<CAccessorUBF8FOOTSW>(0, 7), 0, 0, 33, {{0, 37}}, 33},
      {"FOOTSW 34", A<CAccessorUBF8FOOTSW>(0, 7), 0, 0, 34, {{0, 50}}, 34},
      {"FOOTSW 37", A<CAccessorUBF8FOOTSW>(0, 7), 0, 0, 37, {{0, 53}}, 37},
      {"FOOTPEDAL 30", A<CAccessorUBF8FOOTPEDAL>(0, 7), 0, 0, 30, {{0, 30}}, 0},
      {"MFX1TYPE 0", A<CAccessorUBF8MFX1TYPE>(0, 7), 0, 9, 0, {{0, 0}}, 0},
      {"MFX1TYPE 5", A<CAccessorUBF8MFX1TYPE>(0, 7), 0, 0, 5, {{0, 139}}, 5},
      {"MFX2TYPE 4", A<CAccessorUBF8MFX2TYPE>(0, 7), 0, 0, 4, {{0, 142}}, 4},
      {"UBF16B", A<CAccessorUBF16B>(0, 15), 10, 0, 0x1234, {{10, 0x12}, {11, 0x34}}, 0x1234},
      {"UBF16L", A<CAccessorUBF16L>(0, 15), 10, 0, 0x1234, {{10, 0x34}, {11, 0x12}}, 0x1234},
      {"UBF16B 4-11", A<CAccessorUBF16B>(4, 11), 0, 0xFF, 0, {{0, 0xF0}, {1, 0x0F}}, 0},
      {"SBF16B", A<CAccessorSBF16B>(0, 15), 0, 0, -2, {{0, 0xFF}, {1, 0xFE}}, -2},
      {"SBF16L", A<CAccessorSBF16L>(0, 15), 0, 0, -2, {{0, 0xFE}, {1, 0xFF}}, -2},
      {"UBF24B", A<CAccessorUBF24B>(0, 23), 0, 0, 0x123456, {{0, 0x12}, {1, 0x34}, {2, 0x56}}, 0x123456},
      {"UBF24L", A<CAccessorUBF24L>(0, 23), 0, 0, 0x123456, {{0, 0x56}, {1, 0x34}, {2, 0x12}}, 0x123456},
      {"SBF24L", A<CAccessorSBF24L>(0, 23), 0, 0, -1, {{0, 0xFF}, {1, 0xFF}, {2, 0xFF}}, -1},
      {"UBF32B", A<CAccessorUBF32B>(0, 31), 0, 0, 0x01020304, {{0, 1}, {1, 2}, {2, 3}, {3, 4}}, 0x01020304},
      {"SBF32B", A<CAccessorSBF32B>(0, 31), 0, 0, -5, {{0, 0xFF}, {1, 0xFF}, {2, 0xFF}, {3, 0xFB}}, -5},
      {"UBF32BSF4", A<CAccessorUBF32BSF4>(0, 31), 0, 0, 0x12, {{2, 0x01}, {3, 0x20}}, 0x12},
      {"BNKPGM", A<CAccessorBNKPGM>(0, 7), 0, 0xFF, 300, {{0, 0x2C}, {1, 0x02}}, 300},
      {"DP", A<CAccessorUBF8DP>(0, 7), 10, 0, 9, {{10, 9}, {274, 9}}, 9},
      {"DM", A<CAccessorUBF8DM>(0, 7), 300, 0, 9, {{300, 9}, {36, 9}}, 9},
      {"DM at the block start", A<CAccessorUBF8DM>(0, 7), 10, 0, 9, {{10, 9}}, 9},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.what);
    Block block;
    block.fill(c.before);
    std::unique_ptr<IAccessorI> a = c.make();
    EXPECT_EQ(a->Put(block.data(), c.offset, c.value), c.result);
    Block expected;
    expected.fill(c.before);
    for (auto [at, byte] : c.stored) expected[at] = byte;
    EXPECT_EQ(block, expected);
    EXPECT_EQ(a->Get(block.data(), c.offset), c.result);
  }
}

struct ReadCase {
  const char* what;
  std::function<std::unique_ptr<IAccessorI>()> make;
  std::vector<unsigned char> bytes;  // at offset 0
  int result;
};

TEST(CAccessor, ReadsDecodeTheStoredField) {
  const ReadCase cases[] = {
      {"SBF8 0xF", A<CAccessorSBF8>(0, 3), {0x0F}, -1},
      {"SBF8 ignores other bits", A<CAccessorSBF8>(4, 7), {0x7F}, 7},
      {"FXBUS1 5", A<CAccessorUBF8FXBUS1>(0, 7), {5}, 1},
      {"FXBUS2 9", A<CAccessorUBF8FXBUS2>(0, 7), {9}, 6},
      {"FXBUS3 8", A<CAccessorUBF8FXBUS3>(0, 7), {8}, 7},
      {"FOOTSW 45", A<CAccessorUBF8FOOTSW>(0, 7), {45}, 0},
      {"FOOTSW 17", A<CAccessorUBF8FOOTSW>(0, 7), {17}, 15},
      {"FOOTSW 16", A<CAccessorUBF8FOOTSW>(0, 7), {16}, 0},
      {"FOOTSW 52", A<CAccessorUBF8FOOTSW>(0, 7), {52}, 36},
      {"FOOTSW 60", A<CAccessorUBF8FOOTSW>(0, 7), {60}, 0},
      {"FOOTPEDAL 27", A<CAccessorUBF8FOOTPEDAL>(0, 7), {27}, 27},
      {"MFX1TYPE 0", A<CAccessorUBF8MFX1TYPE>(0, 7), {0}, 0},
      {"MFX2TYPE 139", A<CAccessorUBF8MFX2TYPE>(0, 7), {139}, 1},
      {"CMBSTS 4", A<CAccessorCMBSTS>(0, 7), {4}, 3},
      {"SF2 0", A<CAccessorUBF8SF2>(0, 7), {0}, 1},
      {"SBF8C64 0", A<CAccessorSBF8C64>(0, 7), {0}, -64},
      {"BNKPGM high bit of low byte", A<CAccessorBNKPGM>(3, 5), {0xFF, 0x01}, 255},
      {"SBF16B 0x8000", A<CAccessorSBF16B>(0, 15), {0x80, 0x00}, -32768},
      {"SBF32B min", A<CAccessorSBF32B>(0, 31), {0x80, 0, 0, 0}, INT32_MIN},
      {"bits beyond the word", A<CAccessorUBF32B>(40, 50), {0xFF, 0xFF, 0xFF, 0xFF}, 0},
      {"low above high", A<CAccessorUBF8>(5, 2), {0xFF}, 0},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    Block block{};
    std::memcpy(block.data(), c.bytes.data(), c.bytes.size());
    EXPECT_EQ(c.make()->Get(block.data(), 0), c.result);
  }
}

TEST(CAccessor, NoBlockReadsZeroAndWritesNothing) {
  CAccessorUBF16B a(0, 15);
  CAccessorBNKPGM b(0, 0);
  EXPECT_EQ(a.Get(nullptr, 5), 0);
  EXPECT_EQ(a.Put(nullptr, 5, 77), 0);
  EXPECT_EQ(b.Put(nullptr, 5, 77), 0);
}

TEST(CAccessor, MappedAccessorWorksOnPositions) {
  CAccessorMapped<CAccessorUBF8> a(0, 7, {0, 2, 5});
  Block block{};
  block[0] = 5;
  EXPECT_EQ(a.Get(block.data(), 0), 2);
  block[0] = 3;
  EXPECT_EQ(a.Get(block.data(), 0), 0);
  EXPECT_EQ(a.GetRaw(block.data(), 0), 3);
  EXPECT_EQ(a.Put(block.data(), 0, 7), 0);
  EXPECT_EQ(block[0], 0);
  EXPECT_EQ(a.Put(block.data(), 0, -1), 0);
  EXPECT_EQ(a.Put(block.data(), 0, 1), 1);
  EXPECT_EQ(block[0], 2);

  // Over a doubled field, the second copy is written too.
  CAccessorMapped<CAccessorUBF8DP> dp(0, 7, {0, 2, 5});
  EXPECT_EQ(dp.Put(block.data(), 0, 2), 2);
  EXPECT_EQ(block[264], 5);
}

TEST(CAccessor, TextFields) {
  Block block{};
  std::memcpy(block.data(), "ABC", 4);
  CAccessorStr<24> str24;
  std::string got = str24.Get(block.data(), 0);
  EXPECT_STREQ(got.c_str(), "ABC                     ");
  EXPECT_EQ(got.size(), 50u);  // display pair of two 24-character texts

  str24.Put(block.data(), 0, "WXYZ");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(block.data()), 24), "WXYZ                    ");
  EXPECT_EQ(block[24], 0);
  str24.Put(block.data(), 0, "0123456789012345678901234567");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(block.data()), 24), "012345678901234567890123");
  EXPECT_EQ(block[24], 0);

  // StrV: trailing spaces dropped; an empty text changes nothing.
  Block v{};
  CAccessorStrV<256> strv;
  std::memset(v.data(), 'x', 300);
  EXPECT_STREQ(strv.Put(v.data(), 0, "file.VSKall").c_str(), "file.VSKall");
  EXPECT_EQ(v[11], ' ');
  EXPECT_EQ(v[255], ' ');
  EXPECT_EQ(v[256], 'x');
  EXPECT_STREQ(strv.Get(v.data(), 0).c_str(), "file.VSKall");
  strv.Put(v.data(), 0, "");
  EXPECT_STREQ(strv.Get(v.data(), 0).c_str(), "file.VSKall");

  // StrVZ: NUL padded, bare text.
  Block z;
  z.fill('x');
  CAccessorStrVZ<32> strvz;
  EXPECT_EQ(strvz.Put(z.data(), 0, "Port 1"), "Port 1");
  EXPECT_EQ(z[6], 0);
  EXPECT_EQ(z[31], 0);
  EXPECT_EQ(z[32], 'x');
  EXPECT_EQ(strvz.Get(z.data(), 0), "Port 1");
  z[6] = ' ';
  EXPECT_EQ(strvz.Get(z.data(), 0), "Port 1");
}

TEST(CAccessorPool, SharesOneAccessorPerFieldShape) {
  CAccessorPool& pool = CAccessorPool::Instance();
  IAccessor* a = pool.Get(0, PTYPE_CONT, ATYPE_UBF8, 0, 6, "");
  EXPECT_NE(a, nullptr);
  EXPECT_EQ(pool.Get(0, PTYPE_CONT, ATYPE_UBF8, 0, 6, "%.0f,v"), a);  // format does not matter
  EXPECT_NE(pool.Get(0, PTYPE_CONT, ATYPE_UBF8, 0, 7, ""), a);
  EXPECT_NE(pool.Get(1, PTYPE_CONT, ATYPE_UBF8, 0, 6, ""), a);
  EXPECT_NE(pool.Get(0, PTYPE_CONTRANGE, ATYPE_UBF8, 0, 6, ""), a);

  IAccessor* e1 = pool.Get(0, PTYPE_ENUM, ATYPE_UBF8, 0, 6, "0\tOff\n1\tOn");
  EXPECT_EQ(pool.Get(0, PTYPE_ENUM, ATYPE_UBF8, 0, 6, "0\tNo\n1\tYes"), e1);  // same raw values
  EXPECT_NE(pool.Get(0, PTYPE_ENUM, ATYPE_UBF8, 0, 6, "0\tOff\n7\tOn"), e1);

  auto* mapped = dynamic_cast<CAccessorMapped<CAccessorUBF8FXBUS2>*>(
      pool.Get(0, PTYPE_ENUM, ATYPE_UBF8FXBUS2, 0, 7, "A\nB\n0x10\tC"));
  ASSERT_NE(mapped, nullptr);
  EXPECT_EQ(mapped->RawValues(), (std::vector<int>{0, 1, 16}));
}

TEST(CAccessorPool, KindsWithoutAccessor) {
  CAccessorPool& pool = CAccessorPool::Instance();
  EXPECT_EQ(pool.Get(0, PTYPE_ENUM, ATYPE_UBF24B, 0, 7, "A"), nullptr);
  EXPECT_EQ(pool.Get(0, PTYPE_ONOFF, ATYPE_BNKPGM, 0, 7, "A"), nullptr);
  EXPECT_NE(pool.Get(0, PTYPE_CONT, ATYPE_BNKPGM, 0, 7, ""), nullptr);
  EXPECT_EQ(pool.Get(0, PTYPE_NONE, ATYPE_UBF8, 0, 7, ""), nullptr);
  EXPECT_EQ(pool.Get(0, PTYPE_TITLE, ATYPE_UBF8, 0, 7, ""), nullptr);
  EXPECT_EQ(pool.Get(0, static_cast<PTYPE>(11), ATYPE_UBF8, 0, 7, ""), nullptr);
  EXPECT_EQ(pool.Get(0, PTYPE_CONT, ATYPE_STR16, 0, 7, ""), nullptr);
  EXPECT_EQ(pool.Get(0, PTYPE_CONT, static_cast<ATYPE>(28), 0, 7, ""), nullptr);
  EXPECT_EQ(pool.Get(0, PTYPE_STRING, ATYPE_UBF8, 0, 7, ""), nullptr);

  EXPECT_NE(dynamic_cast<CAccessorStr<16>*>(pool.Get(0, PTYPE_STRING, ATYPE_STR16, 0, 0, "")), nullptr);
  EXPECT_NE(dynamic_cast<CAccessorStr<24>*>(pool.Get(0, PTYPE_STRING, ATYPE_STR24, 0, 0, "")), nullptr);
  EXPECT_NE(dynamic_cast<CAccessorStrVZ<32>*>(pool.Get(0, PTYPE_STRING, ATYPE_STRVZ32, 0, 0, "")), nullptr);
  EXPECT_NE(dynamic_cast<CAccessorStrV<256>*>(pool.Get(0, PTYPE_STRING, ATYPE_STRV256, 0, 0, "")), nullptr);
  EXPECT_EQ(pool.Get(0, PTYPE_STRING, ATYPE_STR24, 0, 0, ""), pool.Get(1, PTYPE_STRING, ATYPE_STR24, 3, 4, ""));
}

TEST(CAccessorPool, EveryNumericKindGetsItsClass) {
  CAccessorPool& pool = CAccessorPool::Instance();
  Block block{};
  // Round trip of a small value through every numeric kind, plain and mapped.
  for (int atype = ATYPE_UBF8; atype <= ATYPE_SBF24L; ++atype) {
    SCOPED_TRACE(atype);
    auto* plain = static_cast<IAccessorI*>(pool.Get(0, PTYPE_CONT, static_cast<ATYPE>(atype), 0, 7, ""));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->Put(block.data(), 300, 1), 1);
    EXPECT_EQ(plain->Get(block.data(), 300), 1);
    if (atype == ATYPE_UBF24B || atype == ATYPE_BNKPGM) continue;
    auto* mapped = static_cast<IAccessorI*>(pool.Get(0, PTYPE_ENUM, static_cast<ATYPE>(atype), 0, 7, "0\ta\n1\tb"));
    ASSERT_NE(mapped, nullptr);
    EXPECT_EQ(mapped->Put(block.data(), 300, 1), 1);
    EXPECT_EQ(mapped->Get(block.data(), 300), 1);
  }
  EXPECT_NE(dynamic_cast<CAccessorUBF8FOOTSW*>(pool.Get(0, PTYPE_CONT, ATYPE_UBF8FOOTSW, 0, 7, "")), nullptr);
  EXPECT_NE(dynamic_cast<CAccessorSBF24L*>(pool.Get(0, PTYPE_CONT, ATYPE_SBF24L, 0, 7, "")), nullptr);
}

}  // namespace
