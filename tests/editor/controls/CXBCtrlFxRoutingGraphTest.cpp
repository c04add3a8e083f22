#include "editor/controls/CXBCtrlFxRoutingGraph.h"

#include <gtest/gtest.h>

#include "tests/editor/controls/GraphFixture.h"

namespace {

using graphtest::GraphFixture;

constexpr uint32_t kLit = 0xFFF3F3F3;
constexpr uint32_t kGrey = 0xFFAAAAAA;
constexpr int kL = 10;
constexpr int kT = 25;
constexpr int kWidth = 600;

int DoubleSizeForType99(int type) { return type == 99 ? 2 : 1; }

class FxRoutingGraph : public GraphFixture {
 protected:
  CHfcOffscreenContext back{kW, kH};
  CXBCtrlFxRoutingGraph graph;

  void SetUp() override {
    // The page's picture under the graph.
    back.SetBrushColor(0xFF2F3238);
    back.FillRect(0, 0, kW, kH);
    tagXBCtrlFxRoutingGraphParam p{kL, kT, kWidth, 90, back.GetBmp(), Skin("FxSrc"), kL, kT};
    ASSERT_TRUE(graph.Create(&p, 9, 0));
    Place(graph, nullptr);
  }
  void TearDown() override { CXBCtrlFxRoutingGraph::SetFxSizeFunction(nullptr); }
  tagFxRoutingValue Get(int k) {
    tagFxRoutingValue v{};
    EXPECT_TRUE(graph.GetFxRoutingValue(&v, k));
    return v;
  }
  void Put(const tagFxRoutingValue& v) {
    tagFxRoutingValue copy = v;
    graph.SetFxRoutingValue(&copy, true);
  }
  // Pixels of the colour above the source picture.
  int Count(uint32_t colour) {
    int n = 0;
    for (int y = 0; y < 115; ++y)
      for (int x = 0; x < kW; ++x) n += Pixel(x, y) == colour;
    return n;
  }
  // The column of source s and the row of slot k.
  static int SourceX(int s) { return kL + 7 + 19 * s; }
  static int SlotY(int k) { return kT + 7 + 18 * k; }
};

TEST_F(FxRoutingGraph, AFreshGraphDrawsTheSourcesAndNoLines) {
  Draw(graph);
  EXPECT_EQ(Count(kLit), 0);
  EXPECT_EQ(Count(kGrey), 0);
  CHfcBmp* src = Skin("FxSrc");
  EXPECT_EQ(Pixel(kL + 5, 118), src->GetPixel(5, 3));
  const tagFxRoutingValue v = Get(3);
  EXPECT_EQ(v.chainTarget, 5);
  EXPECT_EQ(v.slotTarget[4], -1);
  EXPECT_EQ(v.mode, -1);
}

TEST_F(FxRoutingGraph, AChainThatComesBackOnItselfEnds) {
  tagFxRoutingValue r0 = Get(0);
  r0.slotTarget[0] = 1;  // source 0 into slot 0
  r0.chainFlag = 1;
  r0.chainTarget = 2;  // slot 0 into slot 1
  Put(r0);
  tagFxRoutingValue r1 = Get(1);
  r1.chainFlag = 1;
  r1.chainTarget = 1;  // slot 1 back into slot 0
  Put(r1);
  Draw(graph);
  EXPECT_EQ(graph.GetLastChainSteps(), 2);
  EXPECT_EQ(Pixel(SourceX(0), SlotY(0) + 20), kLit);
}

TEST_F(FxRoutingGraph, SlotNumbersOutsideTheFiveSlotsAreRefused) {
  tagFxRoutingValue r0 = Get(0);
  r0.slotTarget[0] = 0;  // slot -1
  r0.slotTarget[1] = 9;  // slot 8
  Put(r0);
  tagFxRoutingValue r1 = Get(1);
  r1.sourceTarget = 1;  // slot -1
  Put(r1);
  Draw(graph);
  EXPECT_EQ(Count(kLit), 0);

  r0.slotTarget[0] = 1;
  r0.chainFlag = 1;
  r0.chainTarget = 0;  // slot -1
  Put(r0);
  Draw(graph);
  EXPECT_EQ(graph.GetLastChainSteps(), 0);
  EXPECT_EQ(Pixel(SourceX(0), SlotY(0) + 20), kLit);
}

TEST_F(FxRoutingGraph, DrawingLeavesTheModeWordAlone) {
  tagFxRoutingValue r0 = Get(0);
  r0.mode = 0;
  r0.allSlots = 1;
  r0.slotTarget[2] = 3;
  Put(r0);
  Draw(graph);
  EXPECT_EQ(Get(0).mode, 0);
  // Single-source form with every slot that has a target: slot 2.
  EXPECT_EQ(Pixel(SourceX(0), SlotY(2) + 5), kLit);
}

TEST_F(FxRoutingGraph, OnlyTheFirstSourceIsDrawnOnceTheModeIsNotAll) {
  tagFxRoutingValue r3 = Get(3);
  r3.slotTarget[0] = 2;
  Put(r3);
  Draw(graph);
  EXPECT_EQ(Pixel(SourceX(3), SlotY(1) + 5), kLit);
  r3.mode = 0;
  Put(r3);
  Draw(graph);
  EXPECT_NE(Pixel(SourceX(3), SlotY(1) + 5), kLit);
}

TEST_F(FxRoutingGraph, ASlotTakenByADoubleEffectIsGreyUnlessALowerSlotIsFed) {
  CXBCtrlFxRoutingGraph::SetFxSizeFunction(DoubleSizeForType99);
  tagFxRoutingValue r1 = Get(1);
  r1.fxType = 99;
  Put(r1);
  tagFxRoutingValue r0 = Get(0);
  r0.slotTarget[0] = 3;  // slot 2, taken by slot 1's effect
  Put(r0);
  Draw(graph);
  EXPECT_EQ(Pixel(SourceX(0), SlotY(2) + 10), kGrey);
  EXPECT_EQ(Pixel(SourceX(0) + 30, SlotY(2)), kGrey);
  r0.slotTarget[1] = 1;  // slot 0 as well
  Put(r0);
  Draw(graph);
  EXPECT_EQ(Pixel(SourceX(0), SlotY(2) + 10), kLit);
  EXPECT_EQ(Pixel(SourceX(0) + 30, SlotY(2)), kGrey);
}

TEST_F(FxRoutingGraph, DisabledGraphIsVeiled) {
  tagFxRoutingValue r0 = Get(0);
  r0.slotTarget[0] = 1;
  Put(r0);
  graph.Disable(true);
  Draw(graph);
  EXPECT_EQ(Count(kLit), 0);
  EXPECT_NE(Pixel(SourceX(0), SlotY(0) + 20), 0u);
}

}  // namespace
