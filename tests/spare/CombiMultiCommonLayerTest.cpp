// The spare performance common page through the page harness.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/controls/CMMPCtrlFlash.h"
#include "editor/controls/XEStaticText.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "spare/CombiMultiCommonLayer.h"
#include "tests/spare/SparePageKit.h"

namespace {

using namespace sparetest;

std::vector<std::string> LabelTexts(XELayerBase& page) {
  std::vector<CHfcControl*> controls;
  page.GetControlVec(controls);
  std::vector<std::string> out;
  for (CHfcControl* c : controls)
    if (dynamic_cast<XEStaticText*>(c))
      if (const char* t = static_cast<const char*>(c->GetPtrValue())) out.push_back(t);
  return out;
}

class CommonPage : public ::testing::Test {
 protected:
  void SetUp() override {
    EnterPerformance(h);
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    h.Idle();
  }
  void TearDown() override { h.DestroyPage(page); }

  PageHarness h;
  std::unique_ptr<CHfcBmp> back = PageBackground(600);
  CombiCommonLayer page{h.synth()};
};

TEST_F(CommonPage, ThePerformanceVariantLinksEveryControlWithNoParameter) {
  std::vector<CHfcControl*> controls;
  page.GetControlVec(controls);
  int edits = 0;
  for (CHfcControl* c : controls) {
    if (!dynamic_cast<XEStaticText*>(c) && !dynamic_cast<CMMPCtrlFlash*>(c)) {
      EXPECT_EQ(c->GetId(), -1);
      EXPECT_EQ(page.GetParameterIdByControl(c).pid, -1);
      ++edits;
    }
  }
  // 16 track lists, 2 run switches, 2 x (2 selectors, a list, 2 fields, a
  // bar, 4 switches, 4 zone fields), 4 knob selectors.
  EXPECT_EQ(edits, 16 + 2 + 2 * 14 + 4);
  EXPECT_EQ(page.GetTrackIndicatorCount(), 16u);
  EXPECT_EQ(MenuIds(page), (std::vector<int>{1030, 1031, 1037, -1, 1007, 1008, -1, 1011, 1012,
                                             1020, 1021, 1022, 1023}));
  const std::vector<std::string> texts = LabelTexts(page);
  for (const char* t : {"Arpeggiator Assign", "Arpeggiator A", "Arpeggiator B", "Scan Zone",
                        "Knob 1-B", "Knob 4-B", "Realtime Control Knob Assign"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
}

// A variant that binds arpeggiator A's gate field to a real parameter of
// the performance (timbre 1's volume), as a variant of a mode with these
// settings would bind its own.
constexpr int kBoundId = 0x202;
class BoundCommonLayer : public CombiMultiCommonLayer {
 public:
  explicit BoundCommonLayer(Oskend::IRemoteSynth* synth)
      : CombiMultiCommonLayer(synth, eMode_Combi, false) {}
  int GetParamId(int kind, int, int index) override {
    return kind == kGate && index == 0 ? kBoundId : -1;
  }
};

TEST(CommonPageBound, AFieldTypedOnThePageReachesTheInstrument) {
  PageHarness h;
  EnterPerformance(h);
  auto back = PageBackground(600);
  BoundCommonLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  h.Idle();
  auto* bottom = dynamic_cast<CHfcCtrlCharEditText*>(page.GetControlById(kBoundId));
  ASSERT_NE(bottom, nullptr);
  EXPECT_NE(page.GetParameterIdByControl(bottom).section, nullptr);
  const tagHfcRect& r = bottom->GetFrame();
  h.DoubleClick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ASSERT_TRUE(bottom->IsEditing());
  h.Type("93");
  h.Idle(200);
  EXPECT_EQ(page.GetParamValue(eMode_Combi, kBoundId), 93);
  bool sent = false;
  for (const SimSynthEvent& e : ParamChanges(h)) sent |= e.id == kBoundId && e.value == 93;
  EXPECT_TRUE(sent);
  h.DestroyPage(page);
}

}  // namespace
