// The play overview: block clicks jump to the page that edits the block,
// the miniature graphs follow the oscillator mode and the envelope rules,
// and the insert effect hides on the tracks without one.
#include <gtest/gtest.h>

#include <vector>

#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/shell/IEditTabSelector.h"
#include "editor/pages/program/OskendProgPlayLayer.h"
#include "editor/shell/XEControlContainer.h"
#include "tests/editor/pages/program/ProgramPageKit.h"

namespace {

using namespace progtest;

struct Jump {
  int mode, tab, sub;
};

class Recorder : public IEditTabSelector {
 public:
  void SelectEditTabPage(int mode, int tab, int sub) override { jumps.push_back({mode, tab, sub}); }
  std::vector<Jump> jumps;
};

class PlayOverviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    h.Idle();
  }
  void TearDown() override { h.DestroyPage(page); }
  const XEControlContainer* Block(int kind) {
    for (int i = 0; i < page.GetContainerCount(); ++i)
      if (page.GetContainerByIndex(i)->m_iId == kind) return page.GetContainerByIndex(i);
    return nullptr;
  }

  PageHarness h;
  std::unique_ptr<CHfcBmp> back = PageBackground();
  Recorder root;
  OskendProgPlayLayer page{h.synth(), &root};
};

TEST_F(PlayOverviewTest, BlockClicksJumpToTheEditingPage) {
  ASSERT_EQ(h.model().GetMode(), eMode_ProgEdit);
  struct Case {
    int kind, dx, dy;
    bool jumps;
    int tab, sub;
  } cases[] = {
      {17, 52, 20, true, 5, 1}, {17, 51, 20, true, 5, 0}, {18, 52, 20, true, 5, 3}, {18, 51, 20, true, 5, 2},
      {22, 10, 14, false, 0, 0}, {22, 10, 30, true, 8, 1}, {22, 10, 43, true, 8, 0}, {22, 10, 46, true, 8, 2},
      {22, 10, 5, true, 7, 0},   {0, 5, 5, true, 1, 0},     {1, 5, 5, true, 2, 5},     {12, 5, 5, true, 3, 4},
      {14, 5, 5, true, 3, 7},    {16, 5, 5, true, 4, 5},    {19, 5, 5, true, 5, 4},    {20, 5, 5, true, 6, 2},
  };
  for (const Case& c : cases) {
    const XEControlContainer* b = Block(c.kind);
    ASSERT_NE(b, nullptr) << c.kind;
    root.jumps.clear();
    // Through the layer's own click handler, so controls on the block do
    // not take the click first.
    page.OnHfcMouseLButtonDown(nullptr, b->m_iX + c.dx, b->m_iY + c.dy, 0);
    if (!c.jumps) {
      EXPECT_TRUE(root.jumps.empty()) << c.kind << " dy " << c.dy;
      continue;
    }
    ASSERT_EQ(root.jumps.size(), 1u) << c.kind << " " << c.dx << "," << c.dy;
    EXPECT_EQ(root.jumps[0].mode, eMode_ProgEdit);
    EXPECT_EQ(root.jumps[0].tab, c.tab) << c.kind;
    EXPECT_EQ(root.jumps[0].sub, c.sub) << c.kind << " " << c.dx << "," << c.dy;
  }
  // Multisample rows jump to the pitch page.
  int tab = 0, sub = 0;
  ASSERT_TRUE(OskendProgPlayLayer::JumpTarget(8, 0, 0, &tab, &sub));
  EXPECT_EQ(tab, 2);
  EXPECT_EQ(sub, 2);
  // Outside every block nothing happens.
  root.jumps.clear();
  page.OnHfcMouseLButtonDown(nullptr, 5, 128, 0);
  EXPECT_TRUE(root.jumps.empty());
}

TEST_F(PlayOverviewTest, SecondOscillatorGraphsFollowTheModeAndPointFourIsFixed) {
  // Routing 1 uses both filters, so filter B follows the mode alone.
  page.PutParamValue(eMode_ProgEdit, 0xD00, 1);
  page.PutParamValue(eMode_ProgEdit, 0x2400, 1);
  for (int mode : {0, 1}) {
    page.PutParamValue(eMode_ProgEdit, 0xD00, mode);
    h.Idle();
    for (int id = 80197; id <= 80200; ++id) {
      ASSERT_NE(page.GetControlById(id + 15), nullptr) << id;
      EXPECT_EQ(page.GetControlById(id + 15)->IsEnabled(), mode == 1) << id << " mode " << mode;
    }
  }
  auto* pitch = dynamic_cast<CXBCtrlEnvelopeGraph*>(page.GetControlById(0x500001));
  ASSERT_NE(pitch, nullptr);
  tagEnvelopeValue v{};
  ASSERT_TRUE(pitch->GetEnvelopeValue(&v, 4));
  EXPECT_EQ(v.time, 198);
}

// The filter type pictures show the routing of the program shown: one
// picture for a single or four-pole filter, two for serial or parallel
// ones, also after every control of the page is brought in step with the
// image again (as after a whole transfer: the bank lists changed).
TEST_F(PlayOverviewTest, TheFilterTypePicturesFollowTheRouting) {
  constexpr int kRouting = 0x1400, kFilterA = 0x1500, kFilterB = 0x1600;
  for (const int routing : {0, 1, 2, 3}) {
    SCOPED_TRACE("routing " + std::to_string(routing));
    page.PutParamValue(eMode_ProgEdit, kRouting, routing);
    h.Idle();
    const bool two = routing == 1 || routing == 2;
    EXPECT_TRUE(page.GetControlById(kFilterA)->IsVisible());
    EXPECT_EQ(page.GetControlById(kFilterB)->IsVisible(), two);
    page.OnRemoteSynthBankListChanged(h.synth(), eMode_ProgEdit, {0xFF, 0xFF});
    EXPECT_TRUE(page.GetControlById(kFilterA)->IsVisible());
    EXPECT_EQ(page.GetControlById(kFilterB)->IsVisible(), two) << "after every control was brought in step";
  }
}

TEST_F(PlayOverviewTest, TheInsertEffectHidesOnTracksWithoutOne) {
  EXPECT_TRUE(page.GetControlById(0x205)->IsVisible());
  h.model().SetActiveTrack(9);
  page.UpdateOverViewControls();
  EXPECT_FALSE(page.GetControlById(0x205)->IsVisible());
  EXPECT_FALSE(page.GetControlById(0x200)->IsVisible());
  EXPECT_TRUE(page.GetControlById(0x802)->IsVisible());
  h.model().SetActiveTrack(0);
}

}  // namespace
