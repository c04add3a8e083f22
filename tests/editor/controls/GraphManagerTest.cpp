#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/CXBCtrlFxRoutingGraph.h"
#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/CXBCtrlVeloZoneGraph.h"
#include "editor/controls/EnvelopeGraphManager.h"
#include "editor/controls/FxRoutingGraphManager.h"
#include "editor/controls/IXEGraphPage.h"
#include "editor/controls/KeyTrkGraphManager.h"
#include "editor/controls/SplitBarGraphManager.h"
#include "editor/controls/VeloZoneGraphManager.h"
#include "editor/controls/XEFormGraphIds.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XESplitKeyBar.h"
#include "hfc/CHfcBmp.h"
#include "tests/editor/controls/FontFixture.h"

namespace {

using Write = std::tuple<int, int, int>;  // mode, parameter, value

// A page as the managers see it: parameters by mode and id with their
// ranges, the controls it owns, its links, and the writes it was asked for.
class FakePage : public IXEGraphPage {
 public:
  struct Param {
    int minimum, maximum, value;
  };
  explicit FakePage(int mode) : mode_(mode) { base_.Create(800, 600); }

  CHfcBmp* GetGraphPageBaseBmp() override { return &base_; }
  int GetTargetMode() const override { return mode_; }
  bool AddControl(CHfcControl* c, bool) override {
    owned.emplace_back(c);
    return true;
  }
  void LinkControlWithParam(CHfcControl* c, int mode, int id) override { links[c] = {mode, id}; }
  void SynchronizeControlWithParam(CHfcControl* c, bool) override {
    const auto link = links.find(c);
    if (link == links.end()) return;
    const auto p = params.find(link->second);
    if (p == params.end()) return;
    c->SetMinIntValue(p->second.minimum, false);
    c->SetMaxIntValue(p->second.maximum, false);
    c->SetIntValue(p->second.value, false);
  }
  void PutParamValue(int mode, int id, int value) const override { writes.emplace_back(mode, id, value); }

  // The proxies linked to a parameter.
  std::vector<CHfcControl*> Linked(int id) const {
    std::vector<CHfcControl*> v;
    for (const auto& [c, link] : links)
      if (link.second == id) v.push_back(c);
    return v;
  }
  // What the page does when a parameter changes: synchronise its proxy and
  // offer it to the manager.
  template <typename Offer>
  bool Change(int mode, int id, int value, Offer offer) {
    params[{mode, id}].value = value;
    bool taken = false;
    for (CHfcControl* c : Linked(id)) {
      SynchronizeControlWithParam(c, true);
      taken = offer(c, id) || taken;
    }
    return taken;
  }
  void Define(int mode, int id, int minimum, int maximum, int value) {
    params[{mode, id}] = {minimum, maximum, value};
  }

  std::map<std::pair<int, int>, Param> params;
  std::map<CHfcControl*, std::pair<int, int>> links;
  std::vector<std::unique_ptr<CHfcControl>> owned;
  mutable std::vector<Write> writes;

 private:
  int mode_;
  CHfcBmp base_;
};

class GraphManagerTest : public FontFixture {
 protected:
  void TearDown() override {
    for (auto& c : graphs) c->Destroy();
    graphs.clear();
    FontFixture::TearDown();
  }
  template <typename T>
  T* Keep(T* c) {
    graphs.emplace_back(c);
    return c;
  }
  std::vector<std::unique_ptr<CHfcControl>> graphs;
};

constexpr int kProgMode = 3;

TEST_F(GraphManagerTest, EnvelopeProxiesAreHiddenStandInsWithTheirPointInTheSecondId) {
  FakePage page(kProgMode);
  XEControlCreater f(page.GetGraphPageBaseBmp(), 0, 0);
  auto* graph = Keep(f.CreateEnvelopeGraph(10, 10, 2, 0x100));
  const int levels[6] = {100, -1, 102, 103, 104, 105};
  const int times[6] = {110, 111, 112, 113, -1, 115};
  EnvelopeGraphManager m(&page, graph, levels, times);
  // A missing id keeps its place in the list and makes no proxy.
  EXPECT_EQ(m.GetLevelIds(), (std::vector<int>{100, -1, 102, 103, 104, 105}));
  EXPECT_EQ(m.GetTimeIds(), (std::vector<int>{110, 111, 112, 113, -1, 115}));
  ASSERT_EQ(page.owned.size(), 10u);
  for (const auto& c : page.owned) {
    EXPECT_FALSE(c->IsVisible());
    EXPECT_TRUE(c->IsEnabled());
    EXPECT_EQ(c->GetWidth(), 0);
    EXPECT_EQ(c->GetFrame().top, 1500);
    EXPECT_EQ(page.links[c.get()].first, kProgMode);
    EXPECT_EQ(page.links[c.get()].second, c->GetId());
  }
  EXPECT_EQ(page.Linked(102)[0]->GetGroupId(), 612);
  EXPECT_EQ(page.Linked(115)[0]->GetGroupId(), 625);
}

// Parameter 50 of an unsigned envelope shows as 100; a graph level of 101
// is written back as 50.
TEST_F(GraphManagerTest, EnvelopeLevelsAndTimesTravelBothWays) {
  struct Case {
    int kind;              // 2 unsigned (amp), 0 signed (pitch)
    int param, shown;      // parameter value -> graph level
    int edited, written;   // graph level -> parameter value
  };
  const Case cases[] = {{2, 50, 100, 101, 50}, {2, 0, 0, 198, 99}, {0, -20, 79, 150, 51}, {0, 99, 198, 0, -99}};
  for (const Case& c : cases) {
    FakePage page(kProgMode);
    XEControlCreater f(page.GetGraphPageBaseBmp(), 0, 0);
    auto* graph = Keep(f.CreateEnvelopeGraph(10, 10, c.kind, 0x100));
    const int levels[6] = {100, 101, 102, 103, 104, 105};
    const int times[6] = {110, 111, 112, 113, 114, 115};
    for (int i = 0; i < 6; ++i) {
      page.Define(kProgMode, levels[i], -99, 99, 0);
      page.Define(kProgMode, times[i], 0, 99, 0);
    }
    EnvelopeGraphManager m(&page, graph, levels, times);
    auto offer = [&](CHfcControl* proxy, int id) { return m.ParamToControl(proxy, id); };
    EXPECT_TRUE(page.Change(kProgMode, 102, c.param, offer));
    EXPECT_TRUE(page.Change(kProgMode, 112, 40, offer));
    tagEnvelopeValue v{};
    ASSERT_TRUE(graph->GetEnvelopeValue(&v, 2));
    EXPECT_EQ(v.level, c.shown) << c.kind;
    EXPECT_EQ(v.time, 80);
    tagEnvelopeValue edited{2, c.edited, 77};
    EXPECT_TRUE(m.ControlToParam(graph, &edited));
    EXPECT_EQ(page.writes, (std::vector<Write>{{kProgMode, 102, c.written}, {kProgMode, 112, 38}}));
  }
}

TEST_F(GraphManagerTest, EnvelopeSustainLevelAlsoHoldsTheNextPointWithoutLevelCopy) {
  FakePage page(kProgMode);
  XEControlCreater f(page.GetGraphPageBaseBmp(), 0, 0);
  auto* graph = Keep(f.CreateEnvelopeGraph(10, 10, 2, 0x100));
  ASSERT_EQ(graph->GetParam().levelCopy, 0);
  const int levels[6] = {100, 101, 102, 103, -1, 105};
  const int times[6] = {-1, -1, -1, -1, -1, -1};
  page.Define(kProgMode, 103, 0, 99, 0);
  EnvelopeGraphManager m(&page, graph, levels, times);
  EXPECT_TRUE(page.Change(kProgMode, 103, 30, [&](CHfcControl* p, int id) { return m.ParamToControl(p, id); }));
  tagEnvelopeValue v{};
  graph->GetEnvelopeValue(&v, 4);
  EXPECT_EQ(v.level, 60);
}

TEST_F(GraphManagerTest, EnvelopeManagerAnswersOnlyForItsOwnProxiesGraphAndPoints) {
  FakePage page(kProgMode);
  XEControlCreater f(page.GetGraphPageBaseBmp(), 0, 0);
  auto* graph = Keep(f.CreateEnvelopeGraph(10, 10, 1, 0x100));
  auto* other = Keep(f.CreateEnvelopeGraph(200, 10, 1, 0x101));
  const int levels[6] = {100, 101, -1, -1, -1, -1};
  const int times[6] = {-1, 111, -1, -1, -1, -1};
  EnvelopeGraphManager m(&page, graph, levels, times);
  tagEnvelopeValue before[6];
  graph->GetEnvelopeAllValue(before);
  // Another control, or a proxy offered with another parameter.
  EXPECT_FALSE(m.ParamToControl(other, 100));
  EXPECT_FALSE(m.ParamToControl(page.Linked(100)[0], 101));
  tagEnvelopeValue after[6];
  graph->GetEnvelopeAllValue(after);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(after[i].level, before[i].level);
  // Reports of another graph, of a point with no parameters and of a point
  // outside the graph write nothing.
  tagEnvelopeValue v{0, 120, 30};
  EXPECT_FALSE(m.ControlToParam(other, &v));
  v.index = 3;
  EXPECT_FALSE(m.ControlToParam(graph, &v));
  v.index = 6;
  EXPECT_FALSE(m.ControlToParam(graph, &v));
  v.index = -1;
  EXPECT_FALSE(m.ControlToParam(graph, &v));
  EXPECT_TRUE(page.writes.empty());
}

// Without the image cache the factory makes no bar, and the proxies are
// plain value holders still.
TEST(GraphManagerWithoutSkins, ProxiesStillCarryTheirParameters) {
  FakePage page(kProgMode);
  CXBCtrlKeyTrkGraph graph;
  tagXBCtrlKeyTrkGraphParam p = CXBCtrlKeyTrkGraph::sm_mInitParam;
  p.width = 130;
  p.height = 56;
  p.entryCount = 4;
  p.maximum = 255;
  ASSERT_TRUE(graph.Create(&p, 0x12500, 0));
  const int keys[3] = {1, 2, 3};
  const int intensities[4] = {4, 5, 6, 7};
  const int value[1] = {-1};
  page.Define(kProgMode, 2, 0, 127, 0);
  KeyTrkGraphManager m(&page, &graph, keys, intensities, value);
  EXPECT_EQ(page.owned.size(), 7u);
  EXPECT_TRUE(page.Change(kProgMode, 2, 64, [&](CHfcControl* c, int id) { return m.ParamToControl(c, id); }));
  tagKeyTrkValue v{};
  graph.GetKeyTrkValue(&v, 1);
  EXPECT_EQ(v.key, 64);
  graph.Destroy();
}

TEST_F(GraphManagerTest, KeyTrackingKeysIntensitiesAndTheGraphValue) {
  FakePage page(kProgMode);
  XEControlCreater f(page.GetGraphPageBaseBmp(), 0, 0);
  auto* graph = Keep(f.CreateKeyTrkGraph(10, 10, 0, 0x12501));
  const int keys[3] = {0x2F00, 0x2F01, 0x2F02};
  const int intensities[4] = {0x2F03, 0x2F04, 0x2F05, 0x2F06};
  const int value[1] = {0xD00};
  for (int id : {0x2F01, 0x2F05}) page.Define(kProgMode, id, -100, 127, 0);
  page.Define(kProgMode, 0xD00, -100, 100, 0);
  KeyTrkGraphManager m(&page, graph, keys, intensities, value);
  ASSERT_EQ(page.owned.size(), 8u);
  EXPECT_EQ(page.Linked(0x2F05)[0]->GetGroupId(), 102);
  EXPECT_EQ(page.Linked(0x2F05)[0]->GetFrame().left, 100);
  EXPECT_EQ(page.Linked(0x2F05)[0]->GetFrame().top, 1530);
  auto offer = [&](CHfcControl* c, int id) { return m.ParamToControl(c, id); };
  EXPECT_TRUE(page.Change(kProgMode, 0x2F01, 60, offer));
  EXPECT_TRUE(page.Change(kProgMode, 0x2F05, -40, offer));
  EXPECT_TRUE(page.Change(kProgMode, 0xD00, 7, offer));
  tagKeyTrkValue v{};
  graph->GetKeyTrkValue(&v, 1);
  EXPECT_EQ(v.key, 60);
  graph->GetKeyTrkValue(&v, 2);
  EXPECT_EQ(v.intensity, -40);
  EXPECT_EQ(v.graphValue, 7);
  // The fourth entry has an intensity but no key; the graph value is not
  // written back.
  tagKeyTrkValue edited{3, 90, 25, 9};
  EXPECT_TRUE(m.ControlToParam(graph, &edited));
  edited = {0, 30, -10, 9};
  EXPECT_TRUE(m.ControlToParam(graph, &edited));
  EXPECT_EQ(page.writes, (std::vector<Write>{{kProgMode, 0x2F06, 25}, {kProgMode, 0x2F00, 30}, {kProgMode, 0x2F03, -10}}));
}

TEST_F(GraphManagerTest, VelocityZonesFeedTheirLanesAndDrumKitsMatchTheLowByte) {
  FakePage page(8);
  XEControlCreater f(page.GetGraphPageBaseBmp(), 0, 0);
  auto* graph = Keep(f.CreateVeloZoneGraph(10, 10, 0x12602));
  const int on[4] = {13, 33, 53, 73};
  const int bottom[3] = {30, 50, 70};
  const int fade[3] = {32, 52, 72};
  const int curve[3] = {31, 51, 71};
  const int none[1] = {-1};
  const int* const arrays[7] = {on, bottom, fade, curve, none, none, none};
  VeloZoneGraphManager m(&page, graph, arrays);
  EXPECT_EQ(page.owned.size(), 13u);
  EXPECT_EQ(page.Linked(50)[0]->GetGroupId(), 1621);
  EXPECT_EQ(page.Linked(50)[0]->GetFrame().left, 100);
  EXPECT_EQ(page.Linked(50)[0]->GetFrame().top, 1015);
  CHfcControl* proxy = page.Linked(50)[0];
  proxy->SetIntValue(40, false);
  // The drum kit's parameter id carries the kit in its higher bytes.
  EXPECT_TRUE(m.ParamToControl(proxy, 0x0300 | 50, 8));
  EXPECT_FALSE(m.ParamToControl(proxy, 0x0300 | 50, kProgMode));
  EXPECT_FALSE(m.ParamToControl(proxy, 51, 8));
  tagVeloZoneValue v{};
  graph->GetVeloZoneValue(&v, 1);
  EXPECT_EQ(v.bottom, 40);
  // A lane writes the arrays long enough for it, never the graph mode.
  tagVeloZoneValue lane{};
  lane.index = 3;
  lane.on = 1;
  EXPECT_TRUE(m.ControlToParam(graph, &lane));
  EXPECT_EQ(page.writes, (std::vector<Write>{{8, 73, 1}}));
  page.writes.clear();
  lane = {};
  lane.index = 1;
  lane.on = 1;
  lane.bottom = 44;
  lane.fadeWidth = 5;
  lane.fadeCurve = 2;
  lane.mode = 2;
  EXPECT_TRUE(m.ControlToParam(graph, &lane));
  EXPECT_EQ(page.writes, (std::vector<Write>{{8, 33, 1}, {8, 50, 44}, {8, 52, 5}, {8, 51, 2}}));
}

TEST_F(GraphManagerTest, VelocityZoneGraphWideFieldsGoToTheFirstLane) {
  FakePage page(kProgMode);
  XEControlCreater f(page.GetGraphPageBaseBmp(), 0, 0);
  auto* graph = Keep(f.CreateVeloZoneGraph(10, 10, 0x12600));
  const int base = 0x1000;
  const int a0[4] = {base, base + 6, base + 12, base + 18};
  const int a1[3] = {base + 24, base + 27, base + 30};
  const int a2[3] = {base + 25, base + 28, base + 31};
  const int a3[3] = {base + 26, base + 29, base + 32};
  const int a4[1] = {base + 36};
  const int a5[1] = {base + 35};
  const int a6[1] = {0xD00};
  page.Define(kProgMode, 0xD00, -100, 100, 0);
  page.Define(kProgMode, base + 36, -100, 100, 0);
  VeloZoneGraphManager m(&page, graph, a0, a1, a2, a3, a4, a5, a6);
  auto offer = [&](CHfcControl* c, int id) { return m.ParamToControl(c, id, kProgMode); };
  EXPECT_TRUE(page.Change(kProgMode, 0xD00, 2, offer));
  EXPECT_TRUE(page.Change(kProgMode, base + 36, 100, offer));
  tagVeloZoneValue v{};
  graph->GetVeloZoneValue(&v, 0);
  EXPECT_EQ(v.mode, 2);
  EXPECT_EQ(v.scaleTop, 100);
  EXPECT_EQ(page.Linked(0xD00)[0]->GetGroupId(), 1670);
}

TEST_F(GraphManagerTest, SplitBarTakesKeyAndKindAndWritesBoth) {
  FakePage page(1);
  XEControlCreater f(page.GetGraphPageBaseBmp(), 0, 0);
  auto* bar = Keep(f.CreateSplitKeyBar(10, 10, 0x12700, 0));
  const int ids[2] = {0x107, 0x108};
  page.Define(1, 0x107, 0, 127, 60);
  page.Define(1, 0x108, 0, 2, 0);
  SplitBarGraphManager m(&page, bar, ids);
  EXPECT_EQ(page.Linked(0x108)[0]->GetGroupId(), 1271);
  auto offer = [&](CHfcControl* c, int id) { return m.ParamToControl(c, id); };
  EXPECT_TRUE(page.Change(1, 0x107, 72, offer));
  EXPECT_TRUE(page.Change(1, 0x108, 1, offer));
  EXPECT_EQ(bar->GetIntValue(), 72);
  Oskend::tagSplitBarValue v{};
  bar->GetSplitBarValue(&v, 1);
  EXPECT_EQ(v.kind, 1);
  EXPECT_FALSE(m.ParamToControl(bar, 0x107));
  Oskend::tagSplitBarValue edited{48, 2};
  EXPECT_TRUE(m.ControlToParam(bar, &edited));
  EXPECT_EQ(page.writes, (std::vector<Write>{{1, 0x107, 48}, {1, 0x108, 2}}));
}

TEST_F(GraphManagerTest, RoutingListsKeepTheirShapesAndFeedTheirFields) {
  FakePage page(2);
  XEControlCreater f(page.GetGraphPageBaseBmp(), 0, 0);
  auto* graph = Keep(f.CreateFxRoutingGraph(0, 25, 640, 0, 0x500));
  const int types[5] = {10, 11, 12, 13, 14};
  const int kept[5] = {-1, -1, -1, -1, -1};
  const int targets[3] = {20, 21, 22};
  const int chains[4] = {30, 31, 32, 33};
  const int buses[5] = {40, 41, 42, 43, 44};
  const int pair[2] = {50, 51};
  const int sources[4] = {60, 61, 62, -1};
  const int mode[1] = {70};
  const int slot0[3] = {80, 81, -1};
  const int empty[1] = {-1};
  page.Define(2, 12, 0, 127, 0);
  page.Define(3, 70, -100, 100, 0);
  page.Define(2, 81, -100, 100, 0);
  FxRoutingGraphManager m(&page, graph, types, kept, targets, chains, buses, pair, sources, mode,
                          slot0, empty, empty, empty, empty);
  // The source list of the chain keeps its end mark; the target lists do not.
  EXPECT_EQ(m.GetList(6), (std::vector<int>{60, 61, 62, -1}));
  EXPECT_EQ(m.GetList(8), (std::vector<int>{80, 81}));
  EXPECT_TRUE(m.GetList(9).empty());
  EXPECT_EQ(page.links[page.Linked(70)[0]].first, 3);
  EXPECT_EQ(page.Linked(70)[0]->GetGroupId(), 990);
  auto offer = [&](CHfcControl* c, int id) { return m.ParamToControl(c, id); };
  EXPECT_TRUE(page.Change(2, 12, 7, offer));
  EXPECT_TRUE(page.Change(3, 70, -1, offer));
  EXPECT_TRUE(page.Change(2, 81, 4, offer));
  tagFxRoutingValue v{};
  graph->GetFxRoutingValue(&v, 2);
  EXPECT_EQ(v.fxType, 7);
  EXPECT_EQ(v.mode, -1);
  graph->GetFxRoutingValue(&v, 1);
  EXPECT_EQ(v.slotTarget[0], 4);
  // A proxy starts enabled: one whose parameter has no description (80)
  // still shows its value.
  CHfcControl* undescribed = page.Linked(80)[0];
  EXPECT_TRUE(undescribed->IsEnabled());
  undescribed->SetIntValue(5, false);
  EXPECT_TRUE(m.ParamToControl(undescribed, 80));
  graph->GetFxRoutingValue(&v, 0);
  EXPECT_EQ(v.slotTarget[0], 5);
  // A source routing whose proxy is disabled draws nothing.
  page.Linked(81)[0]->Disable(false);
  EXPECT_TRUE(page.Change(2, 81, 4, offer));
  graph->GetFxRoutingValue(&v, 1);
  EXPECT_EQ(v.slotTarget[0], -1);
  // A slot's report writes its fields where it has ids, the mode in the
  // program section, and no source routing.
  tagFxRoutingValue edited{};
  edited.index = 0;
  edited.fxType = 9;
  edited.chainTarget = 2;
  edited.chainFlag = 1;
  edited.outputBus = 3;
  edited.allSlots = 5;
  edited.sourceTarget = 6;
  edited.slotTarget[0] = 1;
  edited.mode = 1;
  EXPECT_TRUE(m.ControlToParam(graph, &edited));
  EXPECT_EQ(page.writes, (std::vector<Write>{{2, 10, 9}, {2, 20, 2}, {2, 30, 1}, {2, 40, 3},
                                             {2, 50, 5}, {2, 60, 6}, {3, 70, 1}}));
  page.writes.clear();
  edited.index = 4;
  EXPECT_TRUE(m.ControlToParam(graph, &edited));
  EXPECT_EQ(page.writes, (std::vector<Write>{{2, 14, 9}, {2, 44, 3}}));
}

}  // namespace

namespace {

TEST(FormGraphIds, KeyTrackingGraphsByControlId) {
  struct Case {
    int controlId, base, graphValue;
  };
  const Case cases[] = {{0x12500, 0x1F00, -1},    {0x12501, 0x2F00, 0xD00}, {0x12502, 0x1800, -1},
                        {0x12503, 0x2800, 0xD00}, {0x12504, 0x1B00, -1},    {0x12505, 0x2B00, 0xD00}};
  for (const Case& c : cases) {
    tagKeyTrkGraphIds ids{};
    ASSERT_TRUE(XEGetKeyTrkGraphIds(c.controlId, &ids)) << std::hex << c.controlId;
    EXPECT_EQ(ids.keys[0], c.base);
    EXPECT_EQ(ids.keys[2], c.base + 2);
    EXPECT_EQ(ids.intensities[0], c.base + 3);
    EXPECT_EQ(ids.intensities[3], c.base + 6);
    EXPECT_EQ(ids.graphValue[0], c.graphValue);
  }
  tagKeyTrkGraphIds untouched{{7, 7, 7}, {7, 7, 7, 7}, {7}};
  EXPECT_FALSE(XEGetKeyTrkGraphIds(0x12506, &untouched));
  EXPECT_EQ(untouched.keys[0], 7);
  EXPECT_FALSE(XEGetKeyTrkGraphIds(0x12500, nullptr));
}

TEST(FormGraphIds, VelocityZoneAndSplitBarGraphsByControlId) {
  tagVeloZoneGraphIds ids{};
  ASSERT_TRUE(XEGetVeloZoneGraphIds(0x12601, &ids));
  EXPECT_EQ(ids.on[3], 0x2000 + 18);
  EXPECT_EQ(ids.bottom[2], 0x2000 + 30);
  EXPECT_EQ(ids.fadeWidth[0], 0x2000 + 25);
  EXPECT_EQ(ids.fadeCurve[1], 0x2000 + 29);
  EXPECT_EQ(ids.scaleTop[0], 0x2000 + 36);
  EXPECT_EQ(ids.scaleBottom[0], 0x2000 + 35);
  EXPECT_EQ(ids.mode[0], 0xD00);
  ASSERT_TRUE(XEGetVeloZoneGraphIds(0x12600, &ids));
  EXPECT_EQ(ids.on[1], 0x1006);
  ASSERT_TRUE(XEGetVeloZoneGraphIds(0x12602, &ids));
  EXPECT_EQ(ids.on[0], 13);
  EXPECT_EQ(ids.bottom[1], 50);
  EXPECT_EQ(ids.fadeWidth[2], 72);
  EXPECT_EQ(ids.fadeCurve[0], 31);
  EXPECT_EQ(ids.mode[0], -1);
  EXPECT_FALSE(XEGetVeloZoneGraphIds(0x12603, &ids));
  tagSplitBarGraphIds split{};
  ASSERT_TRUE(XEGetSplitBarGraphIds(0x12701, &split));
  EXPECT_EQ(split.ids[0], 0x107);
  EXPECT_EQ(split.ids[1], 0x108);
  EXPECT_FALSE(XEGetSplitBarGraphIds(0x12702, &split));
}

}  // namespace
