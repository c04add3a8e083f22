#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "model/CStringConverterEnumCombiMIDICh.h"
#include "model/CStringConverterEnumMSDSROMMono.h"
#include "model/CStringConverterEnumMSDSROMStereo.h"
#include "model/mathutl.h"

namespace {

std::string Pair(const std::string& l, const std::string& s = "") {
  return mathutl::makemultisz(l.c_str(), s.c_str());
}

TEST(CStringConverterEnumMSDSROMMono, RomList) {
  CStringConverterEnumMSDSROMMono mono;
  EXPECT_EQ(mono.count(), 0);
  mono.Init(false);
  EXPECT_EQ(mono.count(), 136);
  EXPECT_EQ(mono.Range(), std::make_pair(0, 135));
  EXPECT_EQ(mono.Format(0), Pair("0000:A.Piano EqualTemp-L     "));
  EXPECT_EQ(mono.Format(136), Pair(""));
  EXPECT_EQ(mono.Parse("0000:A.Piano"), 0);
  EXPECT_EQ(mono.Parse("zzz"), 0);
  EXPECT_EQ(mono.Parse("0001:"), 1);

  struct Row { int index; int second; bool compressed; };
  const Row rows[] = {
      {0, 0, true},   {4, 1, true},   {10, 2, true},  {15, 3, true},  {11, 4, true},
      {38, 5, true},  {68, 6, true},  {83, 0, true},  {84, 0, false}, {85, 0, true},
      {86, 0, false}, {91, 2, true},  {99, 1, true},  {108, 1, false}, {135, 0, false},
      {136, 0, false}, {-1, 0, false},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(mono.Use2ndStart(r.index), r.second) << r.index;
    EXPECT_EQ(mono.IsCompressSample(r.index), r.compressed) << r.index;
  }
}

// A directory with damaged indices must answer without reading past its
// own lists.
TEST(CStringConverterEnumMSDSROMMono, DamagedDirectoryStaysInsideItsLists) {
  std::array<unsigned char, 4 * 28> multi{};
  auto setRow = [&](int i, unsigned first, unsigned char n) {
    multi[i * 28] = first & 0xFF;
    multi[i * 28 + 1] = first >> 8;
    multi[i * 28 + 2] = n;
    std::memset(&multi[i * 28 + 4], 'M', 24);
  };
  setRow(0, 0, 3);       // relative rows 0..2: sample 5 (beyond), then never reached
  setRow(1, 1, 2);       // relative rows 1..2: negative, then compressed
  setRow(2, 0xFFFF, 1);  // relative index beyond the list
  setRow(3, 2, 1);       // sample 0, compressed
  std::array<unsigned char, 3 * 20> rel{};
  rel[0] = 5;                  // sample 5: beyond the sample list
  rel[20] = 0xFF, rel[21] = 0xFF;  // -1
  rel[40] = 0;
  std::array<unsigned char, 1 * 64> samples{};
  samples[7] = 1;
  CStringConverterEnumMSDSROMMono mono;
  mono.Init(SMSDSROMImage{multi.data(), 4, rel.data(), 3, samples.data(), 1});
  EXPECT_FALSE(mono.IsCompressSample(0));
  EXPECT_FALSE(mono.IsCompressSample(1));
  EXPECT_FALSE(mono.IsCompressSample(2));
  EXPECT_TRUE(mono.IsCompressSample(3));
  EXPECT_EQ(mono.Format(3), Pair("0003:" + std::string(24, 'M')));
}

TEST(CStringConverterEnumMSDSROMStereo, Lists) {
  CStringConverterEnumMSDSROMStereo stereo;
  EXPECT_EQ(stereo.count(), 0);
  EXPECT_EQ(stereo.Format(0), Pair(""));
  stereo.Init(false);
  EXPECT_EQ(stereo.count(), 6);
  EXPECT_EQ(stereo.Range(), std::make_pair(0, 5));
  EXPECT_EQ(stereo.Format(3), Pair("0003:Piano Damper Stretched  "));
  EXPECT_EQ(stereo.Use2ndStart(5), 3);
  EXPECT_EQ(stereo.Use2ndStart(6), 0);
  EXPECT_TRUE(stereo.IsCompressSample(6));
  EXPECT_EQ(stereo.Parse("0004:str"), 4);

  stereo.Init(true);
  EXPECT_EQ(stereo.count(), 24);
  EXPECT_EQ(stereo.Format(23), Pair("0023:Hand Claps 1            "));
  EXPECT_EQ(stereo.Use2ndStart(0), 1);
}

TEST(CStringConverterEnumCombiMIDICh, MarksTheGlobalChannel) {
  CStringConverterEnumCombiMIDICh ch;
  ch.Init("Gch");
  CStringConverterEnumCombiMIDICh::SetGlobalChannel(2);
  EXPECT_EQ(ch.Format(2), Pair("3G"));
  EXPECT_EQ(ch.Format(0), Pair("1"));
  EXPECT_EQ(ch.Format(15), Pair("16"));
  EXPECT_EQ(ch.Format(16), Pair("Global Channel", "Gch"));
  EXPECT_EQ(ch.Format(17), Pair(""));
  EXPECT_EQ(ch.Format(-1), Pair(""));
  EXPECT_EQ(ch.Range(), std::make_pair(0, 16));
  EXPECT_EQ(ch.Parse("3G"), 2);
  EXPECT_EQ(ch.Parse("glob"), 16);

  CStringConverterEnumCombiMIDICh::SetGlobalChannel(18);
  EXPECT_EQ(CStringConverterEnumCombiMIDICh::GetGlobalChannel(), 2);
  CStringConverterEnumCombiMIDICh::SetGlobalChannel(0);
  EXPECT_EQ(ch.Format(0), Pair("1G"));
  EXPECT_EQ(ch.Format(2), Pair("3"));
}

}  // namespace
