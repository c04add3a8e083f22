// The spare global MIDI page and the multi master-effect page through the
// page harness.
#include <gtest/gtest.h>

#include <vector>

#include "editor/controls/CTabControl.h"
#include "editor/controls/XESoundSelector.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "editor/shell/XEControlContainer.h"
#include "model/ISection.h"
#include "remote/IRemoteSynth.h"
#include "spare/GlobalMIDILayer.h"
#include "spare/MultiMasterFXLayer.h"
#include "tests/spare/SparePageKit.h"

namespace {

using namespace sparetest;
using vesk::test::SimSynth;

constexpr int P(unsigned id) { return static_cast<int>(id); }
const int kGlobalIds[] = {P(0x80000400), P(0x80000402), P(0x80000106), P(0x80000401),
                          P(0x80000403), P(0x80000404), P(0x8000040D), P(0x8000040E),
                          P(0x80000410), P(0x80000411), P(0x80000412)};
constexpr int kFilterProgramChange = P(0x8000040D);
constexpr int kExtRealtime = P(0x80000404);
// Where the instrument keeps that switch: bit 3 of this global byte.
constexpr unsigned kExtRealtimeByte = 1729;

class GlobalMIDIPage : public ::testing::Test {
 protected:
  void SetUp() override {
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    h.Idle();
  }
  void TearDown() override { h.DestroyPage(page); }

  PageHarness h;
  std::unique_ptr<CHfcBmp> back = PageBackground();
  GlobalMIDILayer page{h.synth()};
};

TEST_F(GlobalMIDIPage, EverySettingIsLinkedToTheGlobalSection) {
  Oskend::ISection* global = h.synth()->GetGlobal();
  ASSERT_NE(global, nullptr);
  for (int pid : kGlobalIds) {
    CHfcControl* c = page.GetControlById(pid);
    ASSERT_NE(c, nullptr) << std::hex << pid;
    EXPECT_EQ(page.GetParameterIdByControl(c).pid, pid);
    EXPECT_EQ(page.GetParameterIdByControl(c).section, global);
    EXPECT_EQ(c->GetListener(), &page);
  }
  EXPECT_NE(page.GetControlById(GlobalPageLayerBase::kDumpSwitchId), nullptr);
  // Title, four boxes with settings and two empty ones.
  EXPECT_EQ(page.GetContainerCount(), 6);
  ASSERT_NE(page.GetSublevelTabControl(), nullptr);
  EXPECT_EQ(page.GetSublevelTabControl()->GetTabPageCount(), 0);
  EXPECT_EQ(MenuIds(page), (std::vector<int>{1056, 1059, -1, 1007, 1008, -1, 1011, 1012, 1038, 1039}));
}

TEST_F(GlobalMIDIPage, AnEditReachesTheInstrumentWithTheGlobalDump) {
  CHfcControl* realtime = page.GetControlById(kExtRealtime);
  ASSERT_NE(realtime, nullptr);
  Oskend::ISection* global = h.synth()->GetGlobal();
  const int before = global->GetParamI(kExtRealtime);
  ClickCentre(h, realtime);
  h.Idle();
  EXPECT_EQ(global->GetParamI(kExtRealtime), 1 - before);
  EXPECT_EQ(realtime->GetIntValue(), 1 - before);
  ASSERT_TRUE(h.synth()->ExecCommand(GlobalPageLayerBase::kDumpCommand, 0, 0, 0, 0, nullptr));
  uint8_t stored = 0;
  h.device().With([&](SimSynth& s) { stored = s.Memory()[SimSynth::kGlobalOffset + kExtRealtimeByte]; });
  EXPECT_EQ((stored >> 3) & 1, 1 - before);
}

TEST_F(GlobalMIDIPage, SettingsThePlugInLocksAreShownDisabled) {
  Oskend::ISection* global = h.synth()->GetGlobal();
  for (int pid : {P(0x80000400), P(0x80000106), P(0x8000040D), P(0x80000412)}) {
    CHfcControl* c = page.GetControlById(pid);
    EXPECT_FALSE(c->IsEnabled()) << std::hex << pid;
  }
  const int before = global->GetParamI(kFilterProgramChange);
  ClickCentre(h, page.GetControlById(kFilterProgramChange));
  h.Idle();
  EXPECT_EQ(global->GetParamI(kFilterProgramChange), before);
}

TEST_F(GlobalMIDIPage, AConnectionChangeLeavesThePageAsItIs) {
  std::vector<int> values;
  for (int pid : kGlobalIds) values.push_back(page.GetControlById(pid)->GetIntValue());
  const int links = static_cast<int>(page.GetLinkCount());
  page.OnRemoteSynthConnectionStateChanged(h.synth(), false, false);
  h.Idle();
  page.OnRemoteSynthConnectionStateChanged(h.synth(), true, false);
  h.Idle();
  EXPECT_EQ(static_cast<int>(page.GetLinkCount()), links);
  for (size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(page.GetControlById(kGlobalIds[i])->GetIntValue(), values[i]);
  EXPECT_TRUE(page.IsVisible());
}

TEST(MultiMasterFXPage, ThePerformanceLayoutWithEveryLinkOnNoParameter) {
  Forms forms;
  PageHarness h;
  auto back = PageBackground();
  MultiMasterFXLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  h.Idle();
  EXPECT_EQ(page.GetTargetMode(), eMode_Multi);
  // The switches and selectors that carry a parameter in the performance
  // variant are all there, each linked with id -1 and bound to no section.
  std::vector<CHfcControl*> controls;
  page.GetControlVec(controls);
  int linked = 0;
  CHfcControl* unbound = nullptr;
  for (CHfcControl* c : controls) {
    EXPECT_EQ(page.GetParameterIdByControl(c).section, nullptr) << c->GetId();
    if (!dynamic_cast<CHfcCtrlSwitch*>(c) && !dynamic_cast<XESoundSelector*>(c)) continue;
    if (c->GetId() != -1) continue;
    unbound = c;
    ++linked;
  }
  EXPECT_GE(linked, 4);
  ASSERT_NE(unbound, nullptr);
  EXPECT_EQ(MenuIds(page),
            (std::vector<int>{1036, 1034, -1, 1007, 1008, -1, 1011, 1012, 1026, 1027, 1028, 1029}));
  // An edit on an unbound control goes nowhere.
  const size_t sent = ParamChanges(h).size();
  page.OnHfcCtrlIntValueChanged(unbound, 1);
  h.Idle(200);
  EXPECT_EQ(ParamChanges(h).size(), sent);
  h.DestroyPage(page);
}

}  // namespace
