// The program edit section over the real tables: routing to sub-sections,
// the values carried in parameter-change messages both ways, effect type
// changes, routing and oscillator rules, and reads that leave the image
// alone.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "fxcatalog/FxTypeLists.h"
#include "model/CStringConverterEnumMSDSROMMono.h"
#include "model/InitChunks.h"
#include "os/Thread.h"
#include "tests/model/SectionFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using sectiontest::Notice;
using sectiontest::RecordingSink;
using sectiontest::SectionSet;
using sectiontest::SentChange;

class ProgEditSectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.progEdit.AdviseSink(&sink);
    s.progEdit.GetIFX1()->AdviseSink(&ifxSink);
  }
  SParamDesc Row(Oskend::ISection* section, int id) {
    SParamDesc row{};
    EXPECT_TRUE(section->GetParamDesc(id, &row)) << std::hex << id;
    return row;
  }
  Oskend::ISection* Owner(int id) {
    Oskend::ISection* out = nullptr;
    EXPECT_TRUE(s.progEdit.FindSectionByPID(id, &out));
    return out;
  }
  std::uint8_t* Buffer() { return s.host.Image().GetProgEditBuffer().data(); }

  vesk::test::TestEnvironment env;
  SectionSet s;
  RecordingSink sink;
  RecordingSink ifxSink;
};

TEST_F(ProgEditSectionTest, IdsRouteToTheSubSectionOfTheirPage) {
  struct Case {
    int id;
    Oskend::ISection* expected;
  } cases[] = {
      {0x0305, s.progEdit.GetIFX1()},
      {0x0700, s.progEdit.GetIFX5()},
      {0x0902, s.progEdit.GetMFX1()},
      {0x0A00, s.progEdit.GetMFX2()},
      {0x0C05, s.progEdit.GetTFX()},
      {0x0B01, &s.progEdit},
      {0x0D00, s.progEdit.GetOSC()},
      {0x2F06, s.progEdit.GetOSC()},
      {static_cast<int>(0xFFFF0000u), &s.progEdit},
      {0x0200, &s.progEdit},
  };
  for (const Case& c : cases) EXPECT_EQ(Owner(c.id), c.expected) << std::hex << c.id;
  EXPECT_EQ(s.progEdit.GetTrack(), nullptr);
  EXPECT_EQ(s.progEdit.GetParamCount(), 111);
  EXPECT_EQ(s.progEdit.GetOSC()->GetParamCount(), 677);
  // Effect pages are not in the section's own table.
  EXPECT_EQ(s.progEdit.GetParamI(0x0300), 0);
  EXPECT_EQ(s.progEdit.GetIndexByParamID(0x0D00), s.progEdit.GetOSC()->GetIndexByParamID(0x0D00));
}

// Stored values and what a parameter-change message carries for them.
struct ValueMapCase {
  int id;
  int value;  // written by the editor / read back after receiving
  int wire;   // the value in the parameter-change message
};

const ValueMapCase kValueMaps[] = {
    {0x0800, 3, 137}, {0x0800, 0, 0}, {0x0801, 2, 140}, {0x022C, 3, 1},
    {0x022D, 5, 2},   {0x022E, 4, 0}, {0x0104, 6, 12},  {0x0104, 5, 5},
    {0x020F, 1, 7},   {0x020F, 0, 0}, {0x0214, 90, 90},
};

TEST_F(ProgEditSectionTest, EditsAreSentAsTheSynthesizerNumbersThem) {
  for (const ValueMapCase& c : kValueMaps) {
    SCOPED_TRACE(testing::Message() << std::hex << c.id << " " << std::dec << c.value);
    s.host.midi.sent.clear();
    EXPECT_EQ(s.progEdit.PutParamI(c.id, c.value), c.value);
    ASSERT_EQ(s.host.midi.sent.size(), 1u);
    EXPECT_EQ(s.host.midi.sent[0], (SentChange{3, c.id, c.wire}));
  }
}

TEST_F(ProgEditSectionTest, ReceivedValuesAreMappedBackAndNotSent) {
  for (const ValueMapCase& c : kValueMaps) {
    SCOPED_TRACE(testing::Message() << std::hex << c.id << " " << std::dec << c.wire);
    s.progEdit.OnRcvMIDIParam(c.id, c.wire, eChgSource_Synth);
    EXPECT_EQ(s.progEdit.GetParamI(c.id), c.value);
  }
  // A received bus code of any non-zero value selects "Off".
  s.progEdit.OnRcvMIDIParam(0x020F, 5, eChgSource_Synth);
  EXPECT_EQ(s.progEdit.GetParamI(0x020F), 1);
  s.progEdit.OnRcvMIDIParam(0x0104, 12, eChgSource_Synth);
  EXPECT_EQ(s.progEdit.GetParamI(0x0104), 6);
  EXPECT_TRUE(s.host.midi.sent.empty());
}

TEST_F(ProgEditSectionTest, TheParameterChangeGoesOutAsEighteenBytes) {
  s.host.midi.channel = 2;
  s.progEdit.PutParamI(0x0800, 3);
  ASSERT_EQ(s.host.midi.wire.size(), 1u);
  const std::vector<std::uint8_t> expected = {0xF0, 0x42, 0x32, 0x00, 0x01, 0x0C, 0x41, 0x03, 0x00,
                                              0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x09, 0xF7};
  EXPECT_EQ(s.host.midi.wire[0], expected);
}

TEST_F(ProgEditSectionTest, InsertTypeChangeResetsTheSlotAndReselectsItsTable) {
  std::memset(Buffer() + 24, 0x5A, 64);
  s.progEdit.PutParamI(0x0200, 8);
  auto* ifx1 = static_cast<CFXSectionImpl*>(s.progEdit.GetIFX1());
  EXPECT_EQ(ifx1->GetFXType(), 8u);
  EXPECT_EQ(ifx1->GetParamCount(), static_cast<int>(Oskend::TABLEARRAY_FX[8].count));
  EXPECT_EQ(std::memcmp(Buffer() + 24, Oskend::InitFXEntry(Oskend::VINITCHUNK_FX(), 8).data(), 64),
            0);
  EXPECT_EQ(ifxSink.notices, (std::vector<Notice>{{1, ifx1, 0}}));
  EXPECT_EQ(sink.Ids(3), (std::vector<int>{0x0200}));
  EXPECT_EQ(sink.Ids(2), (std::vector<int>{0x0201, 0x0206, 0x022D, 0x0229, 0x020B, 0x0210, 0x0215,
                                           0x021A, 0x021F}));
}

TEST_F(ProgEditSectionTest, TypeReceivedOnTheMIDIThreadReselectsAndNotifiesLater) {
  os::Thread midi;
  midi.Start([&] { s.progEdit.OnRcvMIDIParam(0x0201, 12, eChgSource_Synth); });
  midi.Join();
  auto* ifx2 = static_cast<CFXSectionImpl*>(s.progEdit.GetIFX2());
  EXPECT_EQ(ifx2->GetFXType(), 12u);
  EXPECT_TRUE(sink.notices.empty());
  env.loop().RunPending();
  EXPECT_TRUE(sink.Has(3, 0x0201));
  EXPECT_TRUE(sink.Has(2, 0x0202));
}

TEST_F(ProgEditSectionTest, MasterAndTotalTypeChangesStartFromTheirOwnDefaults) {
  s.progEdit.PutParamI(0x0800, 2);
  EXPECT_EQ(
      std::memcmp(Buffer() + 404, Oskend::InitFXEntry(Oskend::VINITCHUNK_FX_MFX1(), 2).data(), 64),
      0);
  EXPECT_EQ(sink.Ids(2), (std::vector<int>{0x0801, 0x0803, 0x0805, 0x0806, 0x0808}));
  std::memset(Buffer() + 544, 0x33, 64);
  s.progEdit.PutParamI(0x0B00, 0);
  EXPECT_EQ(std::memcmp(Buffer() + 544, Oskend::VINITCHUNK_FX_TFX().data(), 64), 0);
}

TEST_F(ProgEditSectionTest, AChainLocksTheSourcesOutputs) {
  s.progEdit.PutParamI(0x022C, 3);
  s.progEdit.PutParamI(0x0228, 1);
  EXPECT_EQ(sink.Ids(2), (std::vector<int>{0x020A, 0x020F, 0x0214, 0x0219,     // destination
                                           0x020A, 0x020F, 0x0214, 0x0219}));  // switch
  for (int id : {0x020A, 0x020F, 0x0214, 0x0219}) EXPECT_EQ(Row(&s.progEdit, id).flags & 3, 3u);
  EXPECT_EQ(s.progEdit.PutParamI(0x020A, 10), 0);  // refused while locked
  s.progEdit.PutParamI(0x0228, 0);
  for (int id : {0x020A, 0x020F, 0x0214, 0x0219}) EXPECT_EQ(Row(&s.progEdit, id).flags & 3, 0u);
}

TEST_F(ProgEditSectionTest, RowsFollowTheOscillatorMode) {
  // Single: the second oscillator and the double-only rows are locked.
  EXPECT_EQ(s.progEdit.GetOSCMode(), 0);
  EXPECT_EQ(Row(s.progEdit.GetOSC(), 0x2400).flags & 3, 3u);
  EXPECT_EQ(Row(&s.progEdit, 0x0108).flags & 3, 3u);
  EXPECT_EQ(Row(&s.progEdit, 0x0106).flags & 3, 3u);
  EXPECT_EQ(Row(&s.progEdit, 0x0200).max, 61);
  s.progEdit.GetOSC()->PutParamI(0x0D00, 1);
  EXPECT_EQ(Row(s.progEdit.GetOSC(), 0x2400).flags & 3, 0u);
  EXPECT_EQ(Row(&s.progEdit, 0x0108).flags & 3, 0u);

  Oskend::ISection* osc = s.progEdit.GetOSC();
  osc->PutParamI(0x1024, 90);
  osc->PutParamI(0x1023, 40);
  EXPECT_EQ(Row(osc, 0x1023).max, 90);
  EXPECT_EQ(Row(osc, 0x1024).min, 40);
}

TEST_F(ProgEditSectionTest, AZonesMonoStereoSwitchResetsItsMultisampleForEditsOnly) {
  Oskend::ISection* osc = s.progEdit.GetOSC();
  osc->PutParamIEx(0x1000, 1, 0x8000, eChgSource_Editor);
  osc->PutParamIEx(0x1002, 25, 0x8000, eChgSource_Editor);
  osc->PutParamIEx(0x1004, 1, 0x8000, eChgSource_Editor);
  s.host.midi.sent.clear();
  osc->PutParamI(0x1001, 1);
  EXPECT_EQ(osc->GetParamI(0x1002), 0);
  EXPECT_EQ(osc->GetParamI(0x1004), 0);
  EXPECT_EQ(s.host.midi.sent, (std::vector<SentChange>{{3, 0x1001, 1}, {3, 0x1002, 0}}));

  s.progEdit.OnRcvMIDIParam(0x1002, 3, eChgSource_Synth);
  s.host.midi.sent.clear();
  s.progEdit.OnRcvMIDIParam(0x1001, 0, eChgSource_Synth);
  EXPECT_EQ(osc->GetParamI_AvoidToCallISectionsPrepareParamDesc(0x1002), 3);
  EXPECT_TRUE(s.host.midi.sent.empty());
}

TEST_F(ProgEditSectionTest, AStartOffsetWithoutSecondStartShowsOffWithoutWriting) {
  CStringConverterEnumMSDSROMMono mono;
  mono.Init(false);
  int n = -1;
  for (int i = 0; i < mono.count() && n < 0; ++i)
    if (mono.Use2ndStart(i) == 0) n = i;
  ASSERT_GE(n, 0);
  Oskend::ISection* osc = s.progEdit.GetOSC();
  s.progEdit.OnRcvMIDIParam(0x1000, 1, eChgSource_Synth);
  s.progEdit.OnRcvMIDIParam(0x1001, 0, eChgSource_Synth);
  s.progEdit.OnRcvMIDIParam(0x1002, n, eChgSource_Synth);
  s.progEdit.OnRcvMIDIParam(0x1004, 3, eChgSource_Synth);
  std::vector<std::uint8_t> before = s.host.image;
  SParamDesc row = Row(osc, 0x1004);
  EXPECT_EQ(row.flags & 3, 3u);
  EXPECT_EQ(row.max, 0);
  EXPECT_EQ(osc->GetParamI(0x1004), 0);
  EXPECT_EQ(s.host.image, before);
  EXPECT_EQ(osc->GetParamI_AvoidToCallISectionsPrepareParamDesc(0x1004), 3);
}

TEST_F(ProgEditSectionTest, ValuesForRowsLockedInTheEditorAreStillStored) {
  ASSERT_EQ(Row(&s.progEdit, 0x0106).flags & 3, 3u);
  s.progEdit.OnRcvMIDIParam(0x0106, 1, eChgSource_Synth);
  EXPECT_EQ(Buffer()[627] >> 7, 1);
  ASSERT_EQ(Row(s.progEdit.GetOSC(), 0x2400).flags & 3, 3u);
  s.progEdit.OnRcvMIDIParam(0x2400, 2, eChgSource_Synth);
  EXPECT_EQ(s.progEdit.GetOSC()->GetParamI(0x2400), 2);
  EXPECT_TRUE(sink.notices.empty() || sink.Has(3, 0x0106));
}

TEST_F(ProgEditSectionTest, PageZeroValuesLiveOutsideTheImage) {
  std::vector<std::uint8_t> before = s.host.image;
  EXPECT_EQ(s.progEdit.GetParamI(0x0001), -1);  // "PROG"
  EXPECT_EQ(s.progEdit.PutParamI(0x0005, 40), 40);
  EXPECT_EQ(s.progEdit.GetParamI(0x0005), 40);
  EXPECT_EQ(s.host.image, before);
  s.progEdit.OnReinitialized(nullptr);
  EXPECT_EQ(s.progEdit.GetParamI(0x0005), 0);
}

TEST_F(ProgEditSectionTest, ReadingEveryRowLeavesTheImageAsItWas) {
  // A zone with a multisample that has no second start point, so that the
  // start offset rule has something to show.
  s.progEdit.OnRcvMIDIParam(0x1004, 5, eChgSource_Synth);
  std::vector<std::uint8_t> before = s.host.image;
  for (Oskend::ISection* section :
       {static_cast<Oskend::ISection*>(&s.progEdit), s.progEdit.GetOSC(), s.progEdit.GetIFX1(),
        s.progEdit.GetMFX1(), s.progEdit.GetTFX(), static_cast<Oskend::ISection*>(&s.progPlay)}) {
    for (int i = 0; i < section->GetParamCount(); ++i) {
      SParamDesc row{};
      section->GetParamDescByIndex(static_cast<unsigned>(i), &row);
      int id = section->GetParamIDByIndex(static_cast<unsigned>(i));
      section->GetParamI(id);
      section->GetParamS(id);
      section->GetParamI_AvoidToCallISectionsPrepareParamDesc(id);
    }
  }
  EXPECT_EQ(s.host.image, before);
}

TEST_F(ProgEditSectionTest, ProgramPlayShowsTheEditedProgramsNameAndTakesNothing) {
  const int kName = static_cast<int>(0xFFFF0000u);
  s.progPlay.PutParamS(kName, "Grand");
  EXPECT_EQ(std::string(s.progEdit.GetParamS(kName).c_str()), "Grand                   ");
  EXPECT_EQ(s.progPlay.GetParamI(0x0300), 0);
  Oskend::ISection* out = nullptr;
  EXPECT_TRUE(s.progPlay.FindSectionByPID(0x0300, &out));
  EXPECT_EQ(out, &s.progPlay);
  RecordingSink playSink;
  s.progPlay.AdviseSink(&playSink);
  std::vector<std::uint8_t> before = s.host.image;
  s.progPlay.OnRcvMIDIParam(kName, 1, eChgSource_Synth);
  EXPECT_EQ(s.host.image, before);
  EXPECT_TRUE(playSink.notices.empty());
  EXPECT_TRUE(s.host.midi.sent.empty());
  EXPECT_EQ(s.progPlay.GetOSCMode(), 0);
}

// What the oscillator section's rules make of a row after a few values
// arrive from the synthesizer.
struct OSCRuleCase {
  std::vector<std::pair<int, int>> received;
  int id;
  std::uint32_t flags;  // the lock (3) and hide (4) bits expected
};

TEST_F(ProgEditSectionTest, OscillatorRulesLockAndHideWhatTheSettingsMakeMeaningless) {
  const OSCRuleCase cases[] = {
      {{{0x0D02, 1}}, 0x0D03, 3},
      {{{0x0D02, 1}}, 0x0D05, 0},
      {{{0x0D02, 0}}, 0x0D05, 3},
      {{{0x0D02, 1}, {0x0D06, 0}}, 0x0D07, 3},
      {{{0x0F00, 12}}, 0x0F03, 3},
      {{{0x0F00, 2}}, 0x0F04, 3},
      {{{0x0F00, 3}}, 0x0F04, 0},
      {{{0x1400, 0}}, 0x1601, 3},
      {{{0x1400, 1}}, 0x1601, 0},
      {{{0x1804, 100}}, 0x1803, 3},
      {{{0x1804, 20}}, 0x1803, 0},
      {{{0x1D00, 6}}, 0x1D01, 4},
      {{{0x1D00, 6}}, 0x1D0C, 0},
      {{{0x1D00, 0}}, 0x1D0C, 4},
      {{{0x1D00, 6}, {0x1D0F, 1}}, 0x1D10, 3},
      {{{0x0D00, 2}}, 0x1001, 4},
      {{{0x0D00, 2}}, 0x1000, 3},
      {{{0x0D00, 0}, {0x1000, 0}}, 0x1001, 3},
      {{{0x0D00, 1}, {0x2000, 1}}, 0x2001, 0},
      {{{0x0D00, 0}, {0x2000, 1}}, 0x2001, 3},
  };
  Oskend::ISection* osc = s.progEdit.GetOSC();
  for (const OSCRuleCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.id);
    for (auto [id, v] : c.received) s.progEdit.OnRcvMIDIParam(id, v, eChgSource_Synth);
    EXPECT_EQ(Row(osc, c.id).flags & 7, c.flags);
  }
}

TEST_F(ProgEditSectionTest, OscillatorChangesTellWhichRowsToReread) {
  RecordingSink oscSink, playSink;
  s.progEdit.GetOSC()->AdviseSink(&oscSink);
  s.progPlay.AdviseSink(&playSink);
  s.progEdit.GetOSC()->PutParamI(0x0D02, 1);
  EXPECT_EQ(oscSink.Ids(2), (std::vector<int>{0x0D06, 0x0D07, 0x0D05, 0x0D09, 0x0D08, 0x0D0A,
                                              0x0D0B, 0x0D04, 0x0D03}));
  oscSink.notices.clear();
  s.progEdit.GetOSC()->PutParamI(0x0D00, 1);  // an edit: only the play section hears
  EXPECT_TRUE(oscSink.Ids(2).empty());
  EXPECT_EQ(playSink.Ids(2), (std::vector<int>{0x0206}));
  s.progEdit.OnRcvMIDIParam(0x0D00, 0, eChgSource_Synth);  // from the hardware: everything
  std::vector<int> ids = oscSink.Ids(2);
  ASSERT_FALSE(ids.empty());
  EXPECT_EQ(ids.front(), 0x1000);
  EXPECT_EQ(ids.back(), 0x2F06);
}

}  // namespace
