// The spare insert-effect pages through the page harness.
#include <gtest/gtest.h>

#include <vector>

#include "editor/controls/CTabControl.h"
#include "editor/controls/CXBCtrlFxRoutingGraph.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/pages/program/EffectEditLayer.h"
#include "model/ISection.h"
#include "spare/CCombiTrackRoutingPageLayer.h"
#include "spare/CombiMultiInsertFXLayerBase.h"
#include "tests/spare/SparePageKit.h"

namespace {

using namespace sparetest;

class InsertFXPage : public ::testing::Test {
 protected:
  void SetUp() override {
    EnterPerformance(h);
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    h.Idle();
  }
  void TearDown() override { h.DestroyPage(page); }
  // Lets every effect page build what it was asked to, so that the next
  // request shows.
  void SettleEffectPages() {
    for (int i = 0; i < 5; ++i) page.GetEffectPage(i)->OnRefresh();
  }

  Forms forms;
  PageHarness h;
  std::unique_ptr<CHfcBmp> back = PageBackground(600);
  CombiInsertFXLayer page{h.synth()};
};

TEST_F(InsertFXPage, RowsGraphAndSubLevelPages) {
  for (int i = 0; i < 5; ++i) {
    CHfcControl* onOff = page.GetControlById(0x1205 + i);
    ASSERT_NE(onOff, nullptr) << i;
    EXPECT_EQ(page.GetParameterIdByControl(onOff).pid, 0x1205 + i);
    EXPECT_NE(page.GetParameterIdByControl(onOff).section, nullptr);
    EXPECT_NE(dynamic_cast<XESoundSelector*>(page.GetControlById(0x1200 + i)), nullptr) << i;
    EXPECT_NE(page.GetControlById(0xCC05 + i), nullptr) << i;
  }
  EXPECT_NE(dynamic_cast<CXBCtrlFxRoutingGraph*>(page.GetControlById(0x14831)), nullptr);
  EXPECT_EQ(page.GetGraphManagerCount(), 1u);
  CTabControl* strip = page.GetSublevelTabControl();
  ASSERT_NE(strip, nullptr);
  ASSERT_EQ(strip->GetTabPageCount(), 7);
  EXPECT_NE(dynamic_cast<CCombiTrackRoutingPageLayer*>(strip->GetTabPageLayer(0)), nullptr);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(strip->GetTabPageLayer(2 + i), page.GetEffectPage(i));
    EXPECT_EQ(page.GetEffectPage(i)->GetSlot(), i);
  }
  EXPECT_EQ(page.GetParamId(0), 0x1200);
  EXPECT_EQ(page.GetParamId(1), 0x1205);
  EXPECT_EQ(page.GetParamId(2), 0x200);
  EXPECT_EQ(page.GetParamId(3), -1);
  EXPECT_EQ(page.GetBaseId(3), 0x500);
  EXPECT_EQ(MenuIds(page), (std::vector<int>{1030, 1032, 1033, -1, 1007, 1008, -1, 1011, 1012,
                                             1020, 1021, 1022, 1023}));
}

TEST_F(InsertFXPage, ATypeChangeRebuildsItsEffectPageAndTheNext) {
  Oskend::ISection* section = page.GetParamSection(eMode_Combi, 0x1202);
  ASSERT_NE(section, nullptr);
  struct Case {
    int pid;
    std::vector<bool> pending;
    bool redraw;
  } cases[] = {
      {0x1202, {false, false, true, true, false}, true},
      {0x1200, {true, true, false, false, false}, true},
      {0x1204, {false, false, false, false, true}, true},
      {0x1205, {false, false, false, false, false}, false},
  };
  for (const Case& c : cases) {
    SettleEffectPages();
    page.Show(false);
    h.Idle();
    ASSERT_FALSE(page.IsRedrawRequested());
    page.OnSectionParamChanged(section, c.pid);
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(page.GetEffectPage(i)->IsRebuildPending(), c.pending[i]) << std::hex << c.pid << " " << i;
    EXPECT_EQ(page.IsRedrawRequested(), c.redraw) << std::hex << c.pid;
  }
}

TEST_F(InsertFXPage, AnEffectSwitchEditReachesTheInstrument) {
  CHfcControl* onOff = page.GetControlById(0x1207);
  const int before = page.GetParamValue(eMode_Combi, 0x1207);
  ClickCentre(h, onOff);
  h.Idle(200);
  EXPECT_EQ(page.GetParamValue(eMode_Combi, 0x1207), 1 - before);
  bool sent = false;
  for (const SimSynthEvent& e : ParamChanges(h)) sent |= e.id == 0x1207 && e.value == 1 - before;
  EXPECT_TRUE(sent);
}

TEST(MultiInsertFXPage, TheMultiGraphAndNoIds) {
  Forms forms;
  PageHarness h;
  auto back = PageBackground(600);
  MultiInsertFXLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  EXPECT_NE(page.GetControlById(0x14832), nullptr);
  EXPECT_EQ(page.GetControlById(0x14831), nullptr);
  EXPECT_EQ(page.GetParamId(0), -1);
  EXPECT_EQ(page.GetBaseId(0), -1);
  EXPECT_EQ(MenuIds(page), (std::vector<int>{1036, 1032, 1033, -1, 1007, 1008, -1, 1011, 1012,
                                             1026, 1027, 1028, 1029}));
  h.DestroyPage(page);
}

}  // namespace
