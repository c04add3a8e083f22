// The combination section and its timbres over the real tables: routing,
// value maps, the program a timbre plays, the group switch, bank select of
// external timbres, automation reports and the control-change filter.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "model/CCombiTimbreSectionImpl.h"
#include "model/ISectionList.h"
#include "model/InitChunks.h"
#include "model/SectionOfferLists.h"
#include "tests/model/SectionFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using sectiontest::RecordingSink;
using sectiontest::SectionSet;
using sectiontest::SentChange;

constexpr int Id(unsigned v) { return static_cast<int>(v); }

class CombiSectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.host.mode = eMode_Combi;
    s.host.virtualMode = 0;
    s.combi.AdviseSink(&sink);
  }
  Oskend::ISection* Owner(int id) {
    Oskend::ISection* out = nullptr;
    s.combi.FindSectionByPID(id, &out);
    return out;
  }
  CCombiTimbreSectionImpl* Timbre(unsigned t) {
    return static_cast<CCombiTimbreSectionImpl*>(s.combi.GetTrack()->GetAt(t));
  }
  int Read(int id) { return Owner(id)->GetParamI(id); }
  int Write(int id, int v, unsigned flags = 0xFF, eChgSource src = eChgSource_Editor) {
    return Owner(id)->PutParamIEx(id, v, flags, src);
  }
  SParamDesc Row(int id) {
    SParamDesc row{};
    EXPECT_TRUE(Owner(id)->GetParamDesc(id, &row)) << std::hex << id;
    return row;
  }

  vesk::test::TestEnvironment env;
  SectionSet s;
  RecordingSink sink;
};

TEST_F(CombiSectionTest, IdsRouteToTimbresEffectsAndTheGlobalSection) {
  struct Case {
    int id;
    Oskend::ISection* expected;
  } cases[] = {
      {0x0305, Timbre(1)},         {0x0336, &s.combi},          {0x0245, &s.combi},
      {0x1100, Timbre(15)},        {0x1C01, s.combi.GetTFX()},  {0x1305, s.combi.GetIFX1()},
      {0x1900, s.combi.GetMFX1()}, {0x1A02, s.combi.GetMFX2()}, {0x1B00, &s.combi},
      {Id(0x80000105), &s.global}, {Id(0xFFFF0000), &s.combi},  {0x0100, &s.combi},
  };
  for (const Case& c : cases) EXPECT_EQ(Owner(c.id), c.expected) << std::hex << c.id;
  Oskend::ISectionList* list = s.combi.GetTrack();
  EXPECT_EQ(list->GetCount(), 16u);
  EXPECT_EQ(list->GetAt(16), nullptr);
  EXPECT_EQ(list->GetAt(0)->GetParamIDByIndex(1), 0x0200);
  EXPECT_EQ(s.combi.GetOSC(), nullptr);
  EXPECT_EQ(s.combi.GetOSCMode(), -1);
}

TEST_F(CombiSectionTest, ValuesTravelInTheSynthesizersNumbers) {
  struct Case {
    int id;
    int value;
    int wire;
  } cases[] = {{0x1801, 2, 140}, {0x1801, 0, 0}, {0x1800, 4, 138},
               {0x120F, 1, 7},   {0x122D, 4, 1}, {0x0203, 2, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.id);
    s.host.midi.sent.clear();
    Write(c.id, c.value);
    ASSERT_EQ(s.host.midi.sent.size(), 1u);
    EXPECT_EQ(s.host.midi.sent[0], (SentChange{0, c.id, c.wire}));
    Write(c.id, 0, 0x8000);
    s.combi.OnRcvMIDIParam(c.id, c.wire, eChgSource_Synth);
    EXPECT_EQ(Read(c.id), c.value);
  }
  s.combi.OnRcvMIDIParam(0x120F, 5, eChgSource_Synth);
  EXPECT_EQ(Read(0x120F), 1);
}

TEST_F(CombiSectionTest, ATimbresProgramAddressesOnlyProgramsOfTheImage) {
  CCombiTimbreSectionImpl* t1 = Timbre(0);
  s.combi.OnRcvMIDIParam(0x0200, 900, eChgSource_Synth);
  EXPECT_EQ(t1->GetParamI_AvoidToCallISectionsPrepareParamDesc(0x0200), 772);

  struct Case {
    int program;
    std::vector<std::tuple<int, int>> asked;  // what the host is asked for
  } cases[] = {{772, {}}, {600, {}}, {-5, {}}, {300, {{2, 44}}}, {511, {{3, 127}}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program);
    s.host.requestedPrograms.clear();
    t1->GetChunkProg(c.program);
    EXPECT_EQ(s.host.requestedPrograms, c.asked);
  }
  s.host.requestedPrograms.clear();
  EXPECT_FALSE(t1->GetChunkProg(772));
  EXPECT_EQ(t1->GetCurTimbreProgOscMode(0x0200), 0);
  EXPECT_EQ(t1->GetProgOscMode(6, 4), 0);
  EXPECT_TRUE(s.host.requestedPrograms.empty());
}

TEST_F(CombiSectionTest, TheCurrentProgramIsReadFromTheEditBuffer) {
  CCombiTimbreSectionImpl* t1 = Timbre(0);
  std::uint8_t* cur = s.host.Image().GetCurProg().data();
  cur[0] = 1;
  cur[1] = 5;
  s.host.Image().GetProgEditBuffer().data()[620] = 2;  // drums
  Write(0x0200, 128 + 5);
  s.host.requestedPrograms.clear();
  EXPECT_EQ(t1->GetCurTimbreProgOscMode(0x0200), 2);
  EXPECT_TRUE(s.host.requestedPrograms.empty());
  EXPECT_EQ(t1->GetParamI(0x0234), 0);  // a drum program keeps 0
  Write(0x0200, 7);
  EXPECT_EQ(t1->GetParamI(0x0234), 1);
}

TEST_F(CombiSectionTest, AGroupAlwaysKeepsOneTimbreOn) {
  for (int t = 0; t < 6; ++t) Write(0x022B + t * 0x100, t == 1 ? 1 : 0, 0x8000);
  s.host.midi.sent.clear();
  EXPECT_EQ(Write(0x032B, 0), 0);
  EXPECT_EQ(Read(0x032B), 1);
  EXPECT_TRUE(s.host.midi.sent.empty());
  EXPECT_EQ(Write(0x022B, 0), 0);  // already off: allowed
  EXPECT_EQ(s.host.midi.sent.size(), 1u);
  Write(0x042B, 1);
  EXPECT_EQ(Write(0x032B, 0), 0);
  EXPECT_EQ(Read(0x032B), 0);
  // The other group is separate.
  EXPECT_EQ(Write(0x082B, 1), 1);
  EXPECT_EQ(Write(0x082B, 0), 0);
  EXPECT_EQ(Read(0x082B), 1);
}

TEST_F(CombiSectionTest, BankSelectFollowsTheTimbresStatus) {
  RecordingSink timbreSink;
  Timbre(0)->AdviseSink(&timbreSink);
  Write(0x0203, 1);
  EXPECT_EQ(Row(0x0205).flags & 3, 3u);
  EXPECT_EQ(Row(0x0206).flags & 3, 3u);
  Write(0x0203, 2);
  EXPECT_EQ(Row(0x0205).flags & 3, 0u);
  EXPECT_EQ(timbreSink.Ids(2), (std::vector<int>{0x0205, 0x0206, 0x0205, 0x0206}));
  std::string channel = Row(0x0204).converter->Format(16);
  EXPECT_EQ(std::string(channel.c_str() + channel.find('\0') + 1), "Gch");
}

TEST_F(CombiSectionTest, AutomatableTimbreValuesAreReportedForTheirSourceOnly) {
  Write(0x0202, 100, 0xFF, eChgSource_Reported);
  Write(0x033D, -20, 0xFF, eChgSource_Reported);
  Write(0x0202, 90, 0xFF, eChgSource_Editor);
  Write(0x0205, 3, 0x8003, eChgSource_Reported);
  using P = std::pair<short, short>;
  EXPECT_EQ(s.host.automation, (std::vector<P>{{0x0202, 100}, {0x033D, -20}}));
}

TEST_F(CombiSectionTest, SharedSendsAndChainsPostPropertyChanges) {
  s.combi.PutParamI(0x0237, 10);
  EXPECT_TRUE(sink.Has(2, 0x0837));
  s.combi.PutParamI(0x0836, 10);
  EXPECT_TRUE(sink.Has(2, 0x0236));
  sink.notices.clear();
  s.combi.PutParamI(0x1229, 1);
  EXPECT_EQ(sink.Ids(2), (std::vector<int>{0x120B, 0x1210, 0x1215, 0x121A}));
  sink.notices.clear();
  s.combi.PutParamI(0x1200, 3);
  EXPECT_EQ(sink.Ids(2), (std::vector<int>{0x1201, 0x1206, 0x122D, 0x1229, 0x120B, 0x1210, 0x1215,
                                           0x121A, 0x121F, 0x1230}));
  EXPECT_EQ(static_cast<CFXSectionImpl*>(s.combi.GetIFX1())->GetFXType(), 3u);
}

TEST_F(CombiSectionTest, TotalEffectTypeStartsFromTotalEffectDefaults) {
  std::uint8_t* tfx = s.host.Image().GetCombiEditBuffer().data() + 544;
  std::memset(tfx, 0x11, 64);
  s.combi.PutParamI(0x1B00, 0);
  EXPECT_EQ(std::memcmp(tfx, Oskend::VINITCHUNK_FX_TFX().data(), 64), 0);
}

TEST_F(CombiSectionTest, ControlChangeFilterFollowsTheTimbresSwitches) {
  CCombiTimbreSectionImpl* t1 = Timbre(0);
  for (int index : {0x16, 0x17, 0x19, 0x1A, 0x1B, 0x28, 0x26}) Write(0x0200 | index, 0, 0x8000);
  t1->SetupControlChangeFilter(0x0200);
  for (int cc = 0; cc < 128; ++cc) EXPECT_FALSE(t1->IsEnableControlChange(cc)) << cc;
  Write(0x0216, 1);  // damper: changes of 0x14-0x28 rebuild the filter
  EXPECT_TRUE(t1->IsEnableControlChange(64));
  EXPECT_FALSE(t1->IsEnableControlChange(7));
  Write(0x0228, 1);  // everything not controlled passes
  EXPECT_TRUE(t1->IsEnableControlChange(7));
  EXPECT_FALSE(t1->IsEnableControlChange(65));
  EXPECT_FALSE(t1->IsEnableControlChange(74));  // a knob whose switch is off
  t1->EnableControlChange(100);
  EXPECT_FALSE(t1->IsEnableControlChange(100));
  EXPECT_EQ(CTimbreStdSectionImpl::GetSwitchCCNumFromAssign(1, 1), 81);
  EXPECT_EQ(CTimbreStdSectionImpl::GetSwitchCCNumFromAssign(2, 0), 65);
  EXPECT_EQ(CTimbreStdSectionImpl::GetSwitchCCNumFromAssign(0, 0), -1);
  EXPECT_EQ(t1->GetKnobControlChange(1), 71);
  EXPECT_EQ(t1->GetKnobControlChange(5), -1);
}

TEST_F(CombiSectionTest, ReinitialisingTellsEverySectionOnce) {
  RecordingSink timbreSink, tfxSink, rtcSink;
  Timbre(15)->AdviseSink(&timbreSink);
  s.combi.GetTFX()->AdviseSink(&tfxSink);
  s.rtc.AdviseSink(&rtcSink);
  s.combi.RawPut("X", 0, 1);
  EXPECT_EQ(sink.Ids(1).size(), 1u);
  EXPECT_EQ(timbreSink.Ids(1).size(), 1u);
  EXPECT_EQ(tfxSink.Ids(1).size(), 1u);
  EXPECT_EQ(rtcSink.Ids(1).size(), 1u);
}

TEST_F(CombiSectionTest, OfferedEffectTypesAndModulationSources) {
  const Oskend::SOfferList* ifx1 = Oskend::GetFxTypeList(eMode_Combi, 0x1200);
  ASSERT_NE(ifx1, nullptr);
  EXPECT_EQ(ifx1->list[63], 1);
  EXPECT_NE(ifx1->list[64], 1);
  const Oskend::SOfferList* ifx2 = Oskend::GetFxTypeList(eMode_Combi, 0x1201);
  ASSERT_NE(ifx2, nullptr);
  EXPECT_EQ(ifx2->list[59], 1);
  EXPECT_NE(ifx2->list[60], 1);
  EXPECT_EQ(Oskend::GetFxTypeList(eMode_Combi, 0x1205), nullptr);
  // The program's rows: its insert-effect types, asked in either program mode.
  EXPECT_EQ(Oskend::GetFxTypeList(eMode_ProgEdit, 0x0300), nullptr);
  EXPECT_EQ(Oskend::GetFxTypeList(eMode_ProgPlay, 0x0300), nullptr);
  EXPECT_EQ(Oskend::GetFxTypeList(eMode_ProgEdit, 0x0204),
            Oskend::GetFxTypeList(eMode_ProgPlay, 0x0204));
  const Oskend::SOfferList* progIfx2 = Oskend::GetFxTypeList(eMode_ProgEdit, 0x0201);
  ASSERT_NE(progIfx2, nullptr);
  EXPECT_EQ(progIfx2->list[59], 1);
  EXPECT_NE(progIfx2->list[60], 1);
  EXPECT_EQ(Oskend::GetFxTypeList(eMode_ProgEdit, 0x1200), nullptr);

  const Oskend::SOfferList* reset2 = Oskend::GetAMSSRCList(eMode_ProgEdit, 0x0F08);
  ASSERT_NE(reset2, nullptr);
  for (int src = 47; src <= 50; ++src) EXPECT_EQ(reset2->list[src], 1) << src;
  EXPECT_NE(reset2->list[5], 1);
  EXPECT_EQ(Oskend::GetAMSSRCList(eMode_ProgPlay, 0x0F08), nullptr);
  EXPECT_EQ(Oskend::GetAMSSRCList(eMode_ProgEdit, 0x0F07), nullptr);
}

TEST_F(CombiSectionTest, ReadingEveryRowOfEverySectionLeavesTheDataAlone) {
  s.combi.OnRcvMIDIParam(0x0200, 900, eChgSource_Synth);
  std::vector<std::uint8_t> image = s.host.image;
  std::vector<std::uint8_t> setup(s.setupBlock, s.setupBlock + sizeof s.setupBlock);
  std::vector<Oskend::ISection*> sections = {&s.combi,      s.combi.GetIFX3(), s.combi.GetMFX2(),
                                             &s.global,     &s.rtc,            &s.automation,
                                             &s.setup};
  for (unsigned t = 0; t < 16; ++t) sections.push_back(s.combi.GetTrack()->GetAt(t));
  for (Oskend::ISection* section : sections) {
    for (int i = 0; i < section->GetParamCount(); ++i) {
      SParamDesc row{};
      section->GetParamDescByIndex(static_cast<unsigned>(i), &row);
      int id = section->GetParamIDByIndex(static_cast<unsigned>(i));
      section->GetParamI(id);
      section->GetParamS(id);
      section->GetParamI_AvoidToCallISectionsPrepareParamDesc(id);
    }
  }
  EXPECT_EQ(s.host.image, image);
  EXPECT_EQ(std::vector<std::uint8_t>(s.setupBlock, s.setupBlock + sizeof s.setupBlock), setup);
  EXPECT_TRUE(s.host.midi.sent.empty());
}

}  // namespace
