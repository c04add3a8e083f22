#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "model/ChunkRemoteSynth.h"
#include "model/RecordBuffer.h"

namespace Oskend {
namespace {

// Where a block lies, as the test expects it.
struct Case {
  const char* what;
  const void* p;
  std::ptrdiff_t offset;
};

class ImageLayout : public ::testing::Test {
 protected:
  std::ptrdiff_t Off(const void* p) const {
    return static_cast<const std::uint8_t*>(p) - buf_.data();
  }

  RecordBuffer<ChunkRemoteSynthView> buf_;
  CHUNK_REMOTESYNTH img_ = buf_.view();
};

TEST_F(ImageLayout, BlocksOfTheImageSitWhereTheSynthesizerKeepsThem) {
  EXPECT_EQ(CHUNK_REMOTESYNTH::kSize, 784861u);
  const Case cases[] = {
      {"global", img_.GetGlobal().data(), 0},
      {"bank A program 0", img_.GetProg(0, 0).data(), 1736},
      {"bank A program 1", img_.GetProg(0, 1).data(), 1736 + 1472},
      {"bank B program 0", img_.GetProg(1, 0).data(), 1736 + 188416},
      {"bank C program 5", img_.GetProg(2, 5).data(), 1736 + 2 * 188416 + 5 * 1472},
      {"bank D program 127", img_.GetProg(3, 127).data(), 1736 + 3 * 188416 + 127 * 1472},
      {"combination 0", img_.GetCombi(0).data(), 755400},
      {"combination 19", img_.GetCombi(19).data(), 755400 + 19 * 1332},
      {"program edit buffer", img_.GetProgEditBuffer().data(), 782040},
      {"combination edit buffer", img_.GetCombiEditBuffer().data(), 783512},
      {"current program", img_.GetCurProg().data(), 784844},
      {"current combination", img_.GetCurCombi().data(), 784852},
  };
  for (const Case& c : cases) EXPECT_EQ(Off(c.p), c.offset) << c.what;
  // The last program ends where the combinations begin, the last combination
  // where the program edit buffer begins.
  EXPECT_EQ(Off(img_.GetProg(3, 127).data()) + 1472, 755400);
  EXPECT_EQ(Off(img_.GetCombi(19).data()) + 1332, 782040);

  img_.SetMode(3);
  EXPECT_EQ(buf_.data()[784860], 3);
  EXPECT_EQ(img_.GetMode(), 3);
}

TEST_F(ImageLayout, IndexesOutsideTheImageGiveNullViews) {
  EXPECT_FALSE(img_.GetProg(4, 0));
  EXPECT_FALSE(img_.GetProg(-1, 0));
  EXPECT_FALSE(img_.GetProg(0, 128));
  EXPECT_FALSE(img_.GetProg(0, -1));
  EXPECT_FALSE(img_.GetCombi(20));
  EXPECT_FALSE(img_.GetCombi(-1));
  EXPECT_FALSE(img_.GetCombi(0).GetTimbre(16));
  EXPECT_FALSE(img_.GetCombi(0).GetTimbre(-1));
  EXPECT_FALSE(img_.GetProg(0, 0).GetOSC(2));
  EXPECT_FALSE(img_.GetProg(0, 0).GetIFX(5));
  EXPECT_FALSE(img_.GetProg(0, 0).GetMFX(2));
  // Sub-records of a null view are null too.
  EXPECT_FALSE(img_.GetProg(4, 0).GetCommon());
  EXPECT_FALSE(CHUNK_REMOTESYNTH().GetGlobal());
}

TEST_F(ImageLayout, ProgramAndCombinationSubRecords) {
  CHUNK_PROG prog = img_.GetProg(1, 2);
  const std::ptrdiff_t base = Off(prog.data());
  const Case progCases[] = {
      {"IFX1", prog.GetIFX1().data(), 24},
      {"IFX2", prog.GetIFX2().data(), 100},
      {"IFX3", prog.GetIFX3().data(), 176},
      {"IFX4", prog.GetIFX4().data(), 252},
      {"IFX5", prog.GetIFX5().data(), 328},
      {"MFX1", prog.GetMFX1().data(), 404},
      {"MFX2", prog.GetMFX2().data(), 472},
      {"EQ", prog.GetEQ().data(), 544},
      {"common", prog.GetCommon().data(), 620},
      {"oscillator 1", prog.GetOSC1().data(), 712},
      {"oscillator 2", prog.GetOSC2().data(), 1092},
      {"pitch EG", prog.GetCommon().GetPitchEG().data(), 620 + 24},
      {"common LFO", prog.GetCommon().GetCommonLFO().data(), 620 + 52},
      {"osc 1 LFO1", prog.GetOSC1().GetLFO1().data(), 712 + 48},
      {"osc 1 LFO2", prog.GetOSC1().GetLFO2().data(), 712 + 76},
      {"osc 2 filter EG", prog.GetOSC2().GetFilterEG().data(), 1092 + 216},
      {"osc 2 amp EG", prog.GetOSC2().GetAmpEG().data(), 1092 + 280},
  };
  for (const Case& c : progCases) EXPECT_EQ(Off(c.p) - base, c.offset) << c.what;

  // GetFX numbers the parameter blocks IFX1-5, MFX1, MFX2, EQ.
  const std::ptrdiff_t fxOffsets[] = {24, 100, 176, 252, 328, 404, 472, 544};
  for (int fx = 0; fx < 8; ++fx) EXPECT_EQ(Off(prog.GetFX(fx).data()) - base, fxOffsets[fx]) << fx;
  EXPECT_FALSE(prog.GetFX(8));
  EXPECT_FALSE(prog.GetFX(-1));

  CHUNK_COMBI combi = img_.GetCombi(3);
  const std::ptrdiff_t cbase = Off(combi.data());
  for (int fx = 0; fx < 8; ++fx)
    EXPECT_EQ(Off(combi.GetFX(fx).data()) - cbase, fxOffsets[fx]) << fx;
  EXPECT_FALSE(combi.GetFX(8));
  for (int t = 0; t < 16; ++t) EXPECT_EQ(Off(combi.GetTimbre(t).data()) - cbase, 628 + t * 44) << t;
  // The combination edit buffer's timbres, as the timbre sections bind them.
  EXPECT_EQ(Off(img_.GetCombiEditBuffer().GetTimbre(0).data()), 784140);
}

TEST_F(ImageLayout, CurrentSoundRecordsAndGlobalFields) {
  std::uint8_t* raw = buf_.data();
  std::fill(raw + 784844, raw + 784852, 0xAA);
  img_.GetCurProg().Set(2, 77);
  const std::uint8_t expect[8] = {2, 77, 0, 0, 0xAA, 0xAA, 0xAA, 0xAA};
  EXPECT_TRUE(std::equal(expect, expect + 8, raw + 784844));
  EXPECT_EQ(img_.GetCurProg().GetBank(), 2);
  EXPECT_EQ(img_.GetCurProg().GetNumber(), 77);
  img_.GetCurCombi().UIState()[3] = 0x5C;
  EXPECT_EQ(raw[784852 + 7], 0x5C);

  raw[1728] = 9;
  raw[1730] = 0x1E;  // bits 1-3 all set, bit 4 set
  CHUNK_GLOBAL_CONST g = img_.GetGlobal();
  EXPECT_EQ(g.GetMIDIChannel(), 9);
  EXPECT_EQ(g.GetExtCtlState(), 7);
  EXPECT_TRUE(g.GetBankMap());
  raw[1730] = 0x04;
  EXPECT_EQ(g.GetExtCtlState(), 2);
  EXPECT_FALSE(g.GetBankMap());
}

}  // namespace
}  // namespace Oskend
