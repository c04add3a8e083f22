// The realtime-control section (knobs, panel ids, incoming control
// changes) and the host automation section over the combination.
#include <gtest/gtest.h>

#include <string>

#include "model/COskendAutomationSectionImpl.h"
#include "tests/model/SectionFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using sectiontest::RecordingSink;
using sectiontest::SectionSet;

class RTCAutomationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.host.mode = eMode_Combi;
    s.host.virtualMode = 0;
    s.host.midi.channel = 3;
  }
  int Combi(int id) {
    Oskend::ISection* owner = nullptr;
    s.combi.FindSectionByPID(id, &owner);
    return owner->GetParamI(id);
  }
  void SetCombi(int id, int v) {
    Oskend::ISection* owner = nullptr;
    s.combi.FindSectionByPID(id, &owner);
    owner->PutParamIEx(id, v, 0x8001, eChgSource_Editor);
  }

  vesk::test::TestEnvironment env;
  SectionSet s;
};

TEST_F(RTCAutomationTest, KnobControlChangesOnTheGlobalChannelMoveKnobs) {
  s.rtc.OnRcvMIDICC(0xB3, 74, 100, eChgSource_Synth);
  s.rtc.OnRcvMIDICC(0xB3, 72, 5, eChgSource_Synth);
  s.rtc.OnRcvMIDICC(0xB4, 71, 7, eChgSource_Synth);  // another channel
  EXPECT_EQ(s.rtc.GetParamI(0x8001), 100);
  EXPECT_EQ(s.rtc.GetParamI(0x8004), 5);
  EXPECT_EQ(s.rtc.GetParamI(0x8002), 64);
  Oskend::RTCSTAT st;
  s.rtc.SaveStat(&st);
  EXPECT_EQ(st.knobs[0], 100);
  EXPECT_TRUE(s.host.midi.sent.empty());
}

TEST_F(RTCAutomationTest, PanControlChangesReachInternalTimbresOnTheirChannel) {
  // Timbre 1: internal, channel 3, everything passes; timbre 2 external.
  for (int t : {0, 1}) {
    int page = 0x200 + t * 0x100;
    SetCombi(page | 0x03, t == 0 ? 1 : 2);
    SetCombi(page | 0x04, 3);
    SetCombi(page | 0x28, 1);
  }
  SetCombi(0x0201, 64);
  SetCombi(0x0301, 64);
  s.rtc.OnRcvMIDICC(0xB3, 10, 0, eChgSource_Synth);
  EXPECT_EQ(Combi(0x0201), 1);  // pan 0 is written as 1
  EXPECT_EQ(Combi(0x0301), 64);
  s.host.virtualMode = 2;  // program mode: timbres are left alone
  s.rtc.OnRcvMIDICC(0xB3, 10, 90, eChgSource_Synth);
  EXPECT_EQ(Combi(0x0201), 1);
}

TEST_F(RTCAutomationTest, EffectPanFollowsTheSlotsChannel) {
  SetCombi(0x122F, 16);  // IFX1 on the global channel
  SetCombi(0x1230, 5);
  s.rtc.OnRcvMIDICC(0xB3, 8, 20, eChgSource_Synth);
  EXPECT_EQ(Combi(0x120A), 20);
  EXPECT_NE(Combi(0x120B), 20);
}

TEST_F(RTCAutomationTest, ResetValuesAndModeChanges) {
  struct Case {
    int cc, value;
  } cases[] = {{7, 127}, {10, 64}, {1, 0}, {120, 0}, {74, 64}, {95, 127}, {119, 64}};
  for (const Case& c : cases) EXPECT_EQ(s.rtc.GetCCResetValue(c.cc), c.value) << c.cc;

  using Info = Oskend::SModeChangeInfo;
  Info start{0, 0, 0};
  CRTCSectionImpl::CheckModeForReset(&start);  // settles the remembered mode at 0
  Info toCombiNoDump{0, 1, 0}, toProg{1, 2, 0}, toGlobal{2, 6, 0}, backToProg{6, 3, 0};
  EXPECT_FALSE(CRTCSectionImpl::CheckModeForReset(&toCombiNoDump));
  EXPECT_TRUE(CRTCSectionImpl::CheckModeForReset(&toProg));
  EXPECT_TRUE(CRTCSectionImpl::CheckModeForReset(&toGlobal));
  EXPECT_FALSE(CRTCSectionImpl::CheckModeForReset(&backToProg));  // 2 to 3: one kind
}

TEST_F(RTCAutomationTest, PanelIdsStandForTheModesParameter) {
  SetCombi(0x010B, 1);  // panel page B: knobs stand for timbre volumes
  SetCombi(0x0402, 77);
  EXPECT_EQ(s.rtc.GetParamI(0x8000), 1);
  EXPECT_EQ(s.rtc.GetParamI(0x8013), 77);
  s.rtc.PutParamI(0x8013, 50);
  EXPECT_EQ(Combi(0x0402), 50);
  SParamDesc row{};
  ASSERT_TRUE(s.rtc.GetParamDesc(0x8013, &row));
  EXPECT_EQ(row.id, 0x0402);

  s.host.mode = eMode_ProgEdit;
  s.progEdit.PutParamI(0x0214, 33);
  EXPECT_EQ(s.rtc.GetParamI(0x8014), 33);  // send 1 of IFX1
  EXPECT_EQ(s.rtc.GetParamI(0x8011), 0);   // no target in program mode
}

TEST_F(RTCAutomationTest, MasterEffectEditsAreAnnouncedOnTheRealtimeSection) {
  RecordingSink rtcSink;
  s.rtc.AdviseSink(&rtcSink);
  s.combi.PutParamI(0x1800, 1);
  s.combi.GetMFX1()->PutParamI(0x1901, 40);
  s.combi.GetTFX()->PutParamI(0x1C05, 3);
  s.combi.GetTFX()->PutParamI(0x1C06, 3);
  EXPECT_EQ(rtcSink.Ids(3), (std::vector<int>{0x1901, 0x1C05}));
}

TEST_F(RTCAutomationTest, AutomationForwardsToTheCombination) {
  EXPECT_EQ(s.automation.GetParamCount(), 71);
  SParamDesc row{};
  ASSERT_TRUE(s.automation.GetParamDescByIndex(60, &row));
  EXPECT_STREQ(row.name, "MFX1 Type       ");
  s.combi.PutParamI(0x1800, 1);  // chorus: its rate runs 1..210
  EXPECT_EQ(s.automation.PutParamI(0x1900, 300), 210);
  EXPECT_EQ(Combi(0x1900), 210);
  EXPECT_EQ(s.automation.GetParamI(0x1900), 210);
  EXPECT_EQ(s.host.midi.sent.back(), (sectiontest::SentChange{0, 0x1900, 210}));
  s.automation.PutParamI(0x0202, 99);
  EXPECT_EQ(Combi(0x0202), 99);
  EXPECT_EQ(std::string(s.automation.GetParamS(0x0202).c_str()), "99");

  COskendAutomationSectionImpl unbound;
  unbound.Init(&s.host, &s.rtc, &s.progPlay, nullptr);
  EXPECT_EQ(unbound.GetParamS(0x0202), "error");
  EXPECT_EQ(unbound.GetParamI(0x0202), 0);
  EXPECT_EQ(unbound.PutParamIEx(0x0202, 5, 0xFF, eChgSource_Editor), 0);
  EXPECT_EQ(unbound.GetParamI_AvoidToCallISectionsPrepareParamDesc(0x0202), 0);
}

}  // namespace
