#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/ChunkCombi.h"
#include "model/ChunkProg.h"
#include "model/RecordBuffer.h"

namespace Oskend {
namespace {

std::string Name(const std::uint8_t* p) {
  return std::string(reinterpret_cast<const char*>(p), 24);
}

TEST(ChunkProgAncester, NameIsExactly24CharactersSpacePadded) {
  RecordBuffer<ChunkProgView> prog;
  CHUNK_PROG p = prog.view();
  p.SetName("Grand");
  EXPECT_EQ(Name(prog.data()), "Grand                   ");
  p.SetName("A name much longer than twenty-four");
  EXPECT_EQ(Name(prog.data()), "A name much longer than ");
  EXPECT_EQ(prog.data()[24], 0);  // IFX1 untouched
}

class EffectCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::size_t i = 0; i < CHUNK_PROG::kSize; ++i)
      dst_.data()[i] = static_cast<std::uint8_t>(0xA0 + i % 7);
    for (std::size_t i = 0; i < CHUNK_PROG::kSize; ++i)
      src_.data()[i] = static_cast<std::uint8_t>(i * 3);
  }
  std::vector<std::uint8_t> Snapshot() const {
    return {dst_.data(), dst_.data() + CHUNK_PROG::kSize};
  }

  RecordBuffer<ChunkProgView> dst_, src_;
  CHUNK_PROG d_ = dst_.view();
  CHUNK_PROG s_ = src_.view();
};

TEST_F(EffectCopy, SameKindCopiesMoveWholeBlocks) {
  d_.SetIFX3(s_.GetIFX1());
  EXPECT_TRUE(std::equal(src_.data() + 24, src_.data() + 100, dst_.data() + 176));
  d_.SetMFX2(s_.GetMFX1());
  EXPECT_TRUE(std::equal(src_.data() + 404, src_.data() + 472, dst_.data() + 472));
  d_.SetEQ(s_.GetEQ());
  EXPECT_TRUE(std::equal(src_.data() + 544, src_.data() + 608, dst_.data() + 544));
  d_.SetFX(eFX_IFX5, s_.GetIFX2());
  EXPECT_TRUE(std::equal(src_.data() + 100, src_.data() + 176, dst_.data() + 328));
  d_.SetFX(eFX_MFX1, s_.GetMFX2());
  EXPECT_TRUE(std::equal(src_.data() + 472, src_.data() + 540, dst_.data() + 404));
}

TEST_F(EffectCopy, SetFXIgnoresSlotsOfTheOtherKind) {
  const std::vector<std::uint8_t> before = Snapshot();
  for (int fx : {5, 6, 7, 8, -1}) d_.SetFX(fx, s_.GetIFX1());
  for (int fx : {0, 4, 7, 8, -1}) d_.SetFX(fx, s_.GetMFX1());
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(EffectCopy, CrossKindCopyMovesParametersTypeAndOnBitOnly) {
  struct Case {
    const char* what;
    void (*copy)(CHUNK_PROG d, CHUNK_PROG s);
    std::size_t dst, src, dstSize;
  };
  const Case cases[] = {
      {"MFX1 -> IFX2", [](CHUNK_PROG d, CHUNK_PROG s) { d.SetIFX2(s.GetMFX1()); }, 100, 404, 76},
      {"MFX2 -> IFX5", [](CHUNK_PROG d, CHUNK_PROG s) { d.SetIFX5(s.GetMFX2()); }, 328, 472, 76},
      {"IFX4 -> MFX1", [](CHUNK_PROG d, CHUNK_PROG s) { d.SetMFX1(s.GetIFX4()); }, 404, 252, 68},
      {"IFX1 -> MFX2", [](CHUNK_PROG d, CHUNK_PROG s) { d.SetMFX2(s.GetIFX1()); }, 472, 24, 68},
  };
  for (const Case& c : cases) {
    SetUp();
    for (std::uint8_t sw : {std::uint8_t{0x40}, std::uint8_t{0x00}}) {
      src_.data()[c.src + 65] = static_cast<std::uint8_t>(sw | 0x15);
      dst_.data()[c.dst + 65] = static_cast<std::uint8_t>((sw ^ 0x40) | 0xA2);
      std::vector<std::uint8_t> want = Snapshot();
      std::copy(src_.data() + c.src, src_.data() + c.src + 65, want.begin() + c.dst);
      want[c.dst + 65] = static_cast<std::uint8_t>(sw | 0xA2);
      c.copy(d_, s_);
      EXPECT_EQ(Snapshot(), want) << c.what;
    }
  }
}

TEST_F(EffectCopy, CombinationsHaveTheSameEffectOperations) {
  RecordBuffer<ChunkCombiView> combi;
  CHUNK_COMBI c = combi.view();
  c.SetIFX1(s_.GetMFX1());
  EXPECT_TRUE(std::equal(src_.data() + 404, src_.data() + 469, combi.data() + 24));
  c.SetFX(eFX_MFX2, s_.GetMFX1());
  EXPECT_TRUE(std::equal(src_.data() + 404, src_.data() + 472, combi.data() + 472));
  EXPECT_EQ(c.GetIFX1().GetType(), src_.data()[404 + 64]);
}

TEST(ChunkProgCommon, OscillatorModeAndCategory) {
  RecordBuffer<ChunkProgCommonView> buf;
  CHUNK_PROGCOMMON common = buf.view();
  struct Case {
    std::uint8_t byte0;
    int mode;
    bool single, dbl, drums;
  };
  const Case cases[] = {
      {0x00, 0, true, false, false},
      {0xF9, 1, false, true, false},
      {0x0A, 2, false, false, true},
      {0x07, 7, false, false, false},
  };
  for (const Case& c : cases) {
    buf.data()[0] = c.byte0;
    EXPECT_EQ(common.GetOSCMode(), c.mode);
    EXPECT_EQ(common.IsPCMSingleOSC(), c.single);
    EXPECT_EQ(common.IsPCMDoubleOSC(), c.dbl);
    EXPECT_EQ(common.IsDrumOSC(), c.drums);
  }
  buf.data()[10] = 0xE3;
  EXPECT_EQ(common.GetCategory(), 3);
  common.SetCategory(37);
  EXPECT_EQ(buf.data()[10], 0xE5);  // low 5 bits of 37, bits 5-7 kept
  EXPECT_EQ(common.GetCategory(), 5);
  common.SetCategory(-1);
  EXPECT_EQ(buf.data()[10], 0xFF);
}

// Expected destination of a conversion: a source byte, a zero, or the
// destination byte left as it was.
constexpr int U = -2;  // unchanged
constexpr int Z = -1;  // zero

struct Conversion {
  const char* what;
  void (*convert)(CHUNK_PROG dst, CHUNK_PROG src);
  std::size_t dstOffset, srcOffset;  // within the program
  std::vector<int> expected;         // per destination byte
};

// Offsets of the blocks inside a program.
constexpr std::size_t kPitch = 620 + 24, kCommonLFO = 620 + 52;
constexpr std::size_t kOsc1 = 712, kOsc2 = 1092;
constexpr std::size_t kLFO1 = 48, kLFO2 = 76, kFilter = 216, kAmp = 280;

const Conversion kConversions[] = {
    {"pitch EG from filter EG",
     [](CHUNK_PROG d, CHUNK_PROG s) { d.GetCommon().SetPitchEG(s.GetOSC1().GetFilterEG()); },
     kPitch,
     kOsc1 + kFilter,
     {4,  5,  6, 7, 8, 9, 11, 12, 0,  1,  2,  3,  13, 14,
      15, 16, Z, Z, Z, Z, 17, 18, 19, 20, 32, 33, U,  U}},
    {"pitch EG from amp EG (each sustain byte once)",
     [](CHUNK_PROG d, CHUNK_PROG s) { d.GetCommon().SetPitchEG(s.GetOSC2().GetAmpEG()); },
     kPitch,
     kOsc2 + kAmp,
     {0,  1,  2, 3, 4, 5, 7,  Z,  8,  9,  10, 11, 12, 13,
      14, 15, Z, Z, Z, Z, 16, 17, 18, 19, 31, 32, U,  U}},
    {"filter EG from amp EG",
     [](CHUNK_PROG d, CHUNK_PROG s) { d.GetOSC1().SetFilterEG(s.GetOSC1().GetAmpEG()); },
     kOsc1 + kFilter,
     kOsc1 + kAmp,
     {8,  9,  10, 11, 0,  1,  2,  3,  4,  5,  6,  7,  Z,  12, 13, 14, 15, 16,
      17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, U,  U}},
    {"filter EG from pitch EG",
     [](CHUNK_PROG d, CHUNK_PROG s) { d.GetOSC2().SetFilterEG(s.GetCommon().GetPitchEG()); },
     kOsc2 + kFilter,
     kPitch,
     {8,  9,  10, 11, 0, 1, 2, 3, Z, 5, Z, 6, 7, 16, 17, 18, 19, 20,
      21, 22, 23, Z,  Z, Z, Z, Z, Z, Z, Z, Z, Z, Z,  24, 25, U,  U}},
    {"amp EG from pitch EG",
     [](CHUNK_PROG d, CHUNK_PROG s) { d.GetOSC1().SetAmpEG(s.GetCommon().GetPitchEG()); },
     kOsc1 + kAmp,
     kPitch,
     {0,  1,  2, 3, 4, 5, Z, 6, 8, 9, 10, 11, 16, 17, 18, 19, 20, 21,
      22, 23, Z, Z, Z, Z, Z, U, Z, Z, Z,  Z,  Z,  24, 25, U,  U,  U}},
    {"amp EG from filter EG",
     [](CHUNK_PROG d, CHUNK_PROG s) { d.GetOSC2().SetAmpEG(s.GetOSC1().GetFilterEG()); },
     kOsc2 + kAmp,
     kOsc1 + kFilter,
     {4,  5,  6,  7,  8,  9,  10, 11, 0,  1,  2,  3,  13, 14, 15, 16, 17, 18,
      19, 20, 21, 22, 23, 24, 25, U,  27, 28, 29, 30, 31, 32, 33, U,  U,  U}},
    {"common LFO from LFO2",
     [](CHUNK_PROG d, CHUNK_PROG s) { d.GetCommon().SetCommonLFO(s.GetOSC1().GetLFO2()); },
     kCommonLFO,
     kOsc1 + kLFO2,
     {8, 9, U, U, 12, 13, U, U, 16, 17, U, U, 20, 21, U, U, 0, 1, U, 3, 4, 5, Z, U}},
    {"LFO1 from common LFO (byte 9 from byte 1)",
     [](CHUNK_PROG d, CHUNK_PROG s) { d.GetOSC2().SetLFO1(s.GetCommon().GetCommonLFO()); },
     kOsc2 + kLFO1,
     kCommonLFO,
     {16, 17, Z, 19, 20, 21, Z, Z, 0, 1, U, U, 4, 5, U, U, 8, 9, U, U, 12, 13, U, U, Z, Z, U, U}},
    {"LFO2 from common LFO",
     [](CHUNK_PROG d, CHUNK_PROG s) { d.GetOSC1().SetLFO2(s.GetCommon().GetCommonLFO()); },
     kOsc1 + kLFO2,
     kCommonLFO,
     {16, 17, Z, 19, 20, 21, Z, Z, 0, 1, U, U, 4, 5, U, U, 8, 9, U, U, 12, 13, U, U, Z, Z, U, U}},
};

TEST(ChunkConversions, EveryDestinationByteComesFromItsSource) {
  for (const Conversion& c : kConversions) {
    RecordBuffer<ChunkProgView> dst, src;
    for (std::size_t i = 0; i < CHUNK_PROG::kSize; ++i) {
      src.data()[i] =
          static_cast<std::uint8_t>(1 + (i - c.srcOffset) % 0x70);  // positive, non-zero, distinct
      dst.data()[i] = 0xEE;
    }
    c.convert(dst.view(), src.view());
    for (std::size_t i = 0; i < CHUNK_PROG::kSize; ++i) {
      int want = 0xEE;  // outside the destination block nothing moves
      if (i >= c.dstOffset && i < c.dstOffset + c.expected.size()) {
        const int e = c.expected[i - c.dstOffset];
        want = e == U ? 0xEE : e == Z ? 0 : src.data()[c.srcOffset + e];
      }
      ASSERT_EQ(dst.data()[i], want)
          << c.what << ", destination byte " << static_cast<long>(i - c.dstOffset);
    }
  }
}

TEST(ChunkConversions, NegativeLevelsBecomeZeroOnlyInTheAmpEnvelope) {
  RecordBuffer<ChunkProgView> buf;
  CHUNK_PROG p = buf.view();
  std::uint8_t* pitch = p.GetCommon().GetPitchEG().data();
  std::uint8_t* filter = p.GetOSC1().GetFilterEG().data();
  std::uint8_t* amp = p.GetOSC1().GetAmpEG().data();

  pitch[0] = 0x90;
  pitch[2] = 0x7F;
  pitch[4] = 0xFF;
  p.GetOSC1().SetAmpEG(p.GetCommon().GetPitchEG());
  EXPECT_EQ(amp[0], 0);
  EXPECT_EQ(amp[2], 0x7F);
  EXPECT_EQ(amp[4], 0);
  p.GetOSC1().SetFilterEG(p.GetCommon().GetPitchEG());
  EXPECT_EQ(filter[4], 0x90);

  const int levels[] = {4, 6, 8, 10};
  for (int l : levels) filter[l] = 0x80;
  filter[5] = 0x80;  // not a level: copied as it is
  p.GetOSC1().SetAmpEG(p.GetOSC1().GetFilterEG());
  EXPECT_EQ(amp[0], 0);
  EXPECT_EQ(amp[2], 0);
  EXPECT_EQ(amp[4], 0);
  EXPECT_EQ(amp[6], 0);
  EXPECT_EQ(amp[1], 0x80);
}

TEST(ChunkConversions, SameKindCopiesMoveTheWholeBlock) {
  RecordBuffer<ChunkProgView> a, b;
  for (std::size_t i = 0; i < CHUNK_PROG::kSize; ++i) a.data()[i] = static_cast<std::uint8_t>(i);
  CHUNK_PROG d = b.view();
  CHUNK_PROG_CONST s = a.view();
  d.GetOSC2().SetAmpEG(s.GetOSC1().GetAmpEG());
  d.GetOSC1().SetFilterEG(s.GetOSC2().GetFilterEG());
  d.GetOSC1().SetLFO2(s.GetOSC1().GetLFO1());
  d.GetCommon().SetPitchEG(s.GetCommon().GetPitchEG());
  EXPECT_TRUE(
      std::equal(a.data() + kOsc1 + kAmp, a.data() + kOsc1 + kAmp + 36, b.data() + kOsc2 + kAmp));
  EXPECT_TRUE(std::equal(a.data() + kOsc2 + kFilter, a.data() + kOsc2 + kFilter + 36,
                         b.data() + kOsc1 + kFilter));
  EXPECT_TRUE(std::equal(a.data() + kOsc1 + kLFO1, a.data() + kOsc1 + kLFO1 + 28,
                         b.data() + kOsc1 + kLFO2));
  EXPECT_TRUE(std::equal(a.data() + kPitch, a.data() + kPitch + 28, b.data() + kPitch));
}

}  // namespace
}  // namespace Oskend
