// Effect slot sections over the real effect tables: type selection and
// its bounds, the equaliser's band names, hidden places of "No Effect",
// the reset to a type's defaults, and re-selection from another thread.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>

#include "fxcatalog/FxTypeLists.h"
#include "model/CFXSectionImpl.h"
#include "model/COskendMFX1FXSectionImpl.h"
#include "model/COskendMFX2FXSectionImpl.h"
#include "model/COskendTFXFXSectionImpl.h"
#include "model/InitChunks.h"
#include "os/Thread.h"
#include "tests/model/SectionFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using sectiontest::FakeHost;
using sectiontest::Notice;
using sectiontest::RecordingSink;

class FXSectionTest : public ::testing::Test {
 protected:
  void SetUp() override { std::memset(block, 0, sizeof block); }

  // The row with id `id` of the section, or an empty row.
  static SParamDesc Row(Oskend::ISection& s, int id) {
    SParamDesc row{};
    s.GetParamDesc(id, &row);
    return row;
  }

  vesk::test::TestEnvironment env;
  FakeHost host;
  std::uint8_t block[64];
};

struct TypeCase {
  const char* slot;
  unsigned asked;
  unsigned kept;
};

TEST_F(FXSectionTest, TypesStayWithinTheirSlotListAndBringTheirDefaults) {
  const TypeCase cases[] = {{"IFX", 200, 63}, {"IFX", 8, 8},  {"MFX1", 200, 4},
                            {"MFX2", 9, 4},   {"MFX2", 2, 2}, {"TFX", 5, 0}};
  for (const TypeCase& c : cases) {
    SCOPED_TRACE(std::string(c.slot) + " " + std::to_string(c.asked));
    std::unique_ptr<CFXSectionImpl> s;
    const TABLEDESC* types;
    std::span<const std::uint8_t> defaults;
    std::string slot = c.slot;
    if (slot == "IFX") {
      s = std::make_unique<CFXSectionImpl>();
      s->Init(&host, c.asked, 3, 0x0300, block);
      types = Oskend::TABLEARRAY_FX;
      defaults = Oskend::VINITCHUNK_FX();
    } else if (slot == "MFX1") {
      auto m = std::make_unique<COskendMFX1FXSectionImpl>();
      m->Init(&host, c.asked, 3, 0x0900, block, nullptr);
      s = std::move(m);
      types = Oskend::TABLEARRAY_FX_MFX1;
      defaults = Oskend::VINITCHUNK_FX_MFX1();
    } else if (slot == "MFX2") {
      auto m = std::make_unique<COskendMFX2FXSectionImpl>();
      m->Init(&host, c.asked, 3, 0x0A00, block, nullptr);
      s = std::move(m);
      types = Oskend::TABLEARRAY_FX_MFX2;
      defaults = Oskend::VINITCHUNK_FX_MFX2();
    } else {
      auto m = std::make_unique<COskendTFXFXSectionImpl>();
      m->Init(&host, c.asked, 3, 0x0C00, block, nullptr);
      s = std::move(m);
      types = Oskend::TABLEARRAY_FX_TFX;
      defaults = Oskend::VINITCHUNK_FX_TFX();
    }
    EXPECT_EQ(s->GetFXType(), c.kept);
    EXPECT_EQ(s->GetParamCount(), static_cast<int>(types[c.kept].count));
    EXPECT_EQ(s->Reference(), Oskend::InitFXEntry(defaults, c.kept).data());
    EXPECT_EQ(s->RawSize(), 64u);

    s->InitFXType(c.asked);
    EXPECT_EQ(s->GetFXType(), c.kept);
    std::memset(block, 0x55, sizeof block);
    s->ApplyFXType(c.asked);
    EXPECT_EQ(std::memcmp(block, Oskend::InitFXEntry(defaults, c.kept).data(), 64), 0);
  }
}

TEST_F(FXSectionTest, EqualiserBandsAreNamedAfterTheModel) {
  CFXSectionImpl geq;
  geq.Init(&host, CFXSectionImpl::kGEQType, 3, 0x0300, block);
  geq.OnRcvMIDIParam(0x0300, 2, eChgSource_Synth);
  EXPECT_STREQ(Row(geq, 0x0302).name, "63Hz");
  EXPECT_STREQ(Row(geq, 0x0308).name, "18kHz");
  EXPECT_STREQ(Row(geq, 0x0300).name, "Type");
  // Beyond the twelve models: the list reads an unknown code as its first.
  geq.OnRcvMIDIParam(0x0300, 15, eChgSource_Synth);
  EXPECT_STREQ(Row(geq, 0x0302).name, "80Hz");
  EXPECT_STREQ(CFXSectionImpl::GEQBandName(-3, 0), "80Hz");
  EXPECT_STREQ(CFXSectionImpl::GEQBandName(99, 6), "16kHz");
}

TEST_F(FXSectionTest, EqualiserModelChangeMakesPagesReread) {
  CFXSectionImpl geq;
  geq.Init(&host, CFXSectionImpl::kGEQType, 3, 0x0300, block);
  RecordingSink sink;
  geq.AdviseSink(&sink);
  geq.PutParamI(0x0300, 4);
  geq.PutParamI(0x0302, 4);
  EXPECT_EQ(sink.notices,
            (std::vector<Notice>{{3, &geq, 0x0300}, {1, &geq, 0}, {3, &geq, 0x0302}}));
}

TEST_F(FXSectionTest, NoEffectHidesItsPlaces) {
  CFXSectionImpl ifx;
  ifx.Init(&host, 0, 3, 0x0300, block);
  COskendMFX1FXSectionImpl mfx1;
  mfx1.Init(&host, 0, 3, 0x1900, block, nullptr);
  COskendMFX2FXSectionImpl mfx2;
  mfx2.Init(&host, 0, 3, 0x0A00, block, nullptr);
  for (int k = 0; k < 3; ++k) {
    EXPECT_TRUE(Row(ifx, 0x0300 + k).flags & PFLAG_HIDDEN);
    EXPECT_TRUE(Row(mfx1, 0x1900 + k).flags & PFLAG_HIDDEN);
    EXPECT_TRUE(Row(mfx2, 0x0A00 + k).flags & PFLAG_HIDDEN);
  }
  mfx1.InitFXType(1);
  ifx.InitFXType(1);
  for (int k = 0; k < 3; ++k) {
    EXPECT_FALSE(Row(mfx1, 0x1900 + k).flags & PFLAG_HIDDEN);
    EXPECT_FALSE(Row(ifx, 0x0300 + k).flags & PFLAG_HIDDEN);
  }
}

TEST_F(FXSectionTest, ValuesAreSentWithTheSlotsPage) {
  COskendMFX1FXSectionImpl mfx1;
  mfx1.Init(&host, 1, 0, 0x1900, block, nullptr);
  EXPECT_EQ(mfx1.PutParamI(0x1900, 300), 210);  // Rate tops out at 210
  ASSERT_EQ(host.midi.sent.size(), 1u);
  EXPECT_EQ(host.midi.sent[0], (sectiontest::SentChange{0, 0x1900, 210}));
}

// A type received on the MIDI thread re-selects the table while the main
// thread reads rows and values of the slot.
TEST_F(FXSectionTest, TypeChangesOnAnotherThreadAreSafeForReaders) {
  CFXSectionImpl ifx;
  ifx.Init(&host, 1, 3, 0x0300, block);
  std::atomic<bool> stop{false};
  os::Thread midi;
  midi.Start([&] {
    for (unsigned i = 0; !stop.load(); ++i) ifx.InitFXType(i % 64);
  });
  int seen = 0;
  for (int i = 0; i < 3000; ++i) {
    int count = ifx.GetParamCount();
    for (int k = 0; k < count; k += 7) {
      SParamDesc row{};
      if (ifx.GetParamDescByIndex(static_cast<unsigned>(k), &row)) ++seen;
      ifx.GetParamS(0x0300 + (k & 0x1F));
    }
  }
  stop = true;
  midi.Join();
  EXPECT_GT(seen, 0);
}

}  // namespace
