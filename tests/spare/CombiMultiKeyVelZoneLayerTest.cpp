// The spare key and velocity zone pages through the page harness. The zone
// rules themselves are tabled in KeyVelZoneRulesTest; here the page's
// wiring: which control or bar handle changes which parameter, and how a
// typed text and a note-on reach a zone.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "editor/controls/CMMPCtrlFlash.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/ZubZoneSlopeBar.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "spare/CombiMultiKeyVelZoneLayer.h"
#include "tests/spare/SparePageKit.h"

namespace {

using namespace sparetest;

// The performance page over zones of its own: the synthesizer's
// performance timbres keep no key or velocity zone among their parameters.
class ZonePage : public CombiKeyVelZoneLayer {
 public:
  using CombiKeyVelZoneLayer::CombiKeyVelZoneLayer;
  int GetZoneValue(int id) override { return zones.count(id) ? zones[id] : 0; }
  void PutZoneValue(int id, int value) override {
    zones[id] = value;
    writes.push_back({id, value});
  }
  void SetZone(int timbre, int first, int top, int topSlope, int bottomSlope, int bottom) {
    const int b = GetParamIdBase(timbre) + first;
    zones[b] = top;
    zones[b + 1] = topSlope;
    zones[b + 2] = bottomSlope;
    zones[b + 3] = bottom;
  }
  std::map<int, int> zones;
  std::vector<std::pair<int, int>> writes;
};

class KeyVelZonePage : public ::testing::Test {
 protected:
  void SetUp() override {
    EnterPerformance(h);
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    h.Idle();
  }
  void TearDown() override { h.DestroyPage(page); }
  std::pair<int, int> LastWrite() {
    return page.writes.empty() ? std::pair<int, int>{0, 0} : page.writes.back();
  }

  PageHarness h;
  std::unique_ptr<CHfcBmp> back = PageBackground(600);
  ZonePage page{h.synth()};
};

TEST_F(KeyVelZonePage, EveryTimbreHasItsFieldsListsAndBars) {
  EXPECT_EQ(page.GetTrackIndicatorCount(), 12u);
  for (int t = 0; t < 12; ++t) {
    const int b = 0x200 + (t << 8);
    for (int offset : {44, 47, 48, 51})
      EXPECT_NE(dynamic_cast<CHfcCtrlCharEditText*>(page.GetControlById(b + offset)), nullptr)
          << t << " " << offset;
    for (int offset : {45, 46, 49, 50})
      EXPECT_NE(dynamic_cast<XEDropdownList*>(page.GetControlById(b + offset)), nullptr)
          << t << " " << offset;
    ASSERT_NE(page.GetKeyBar(t), nullptr);
    ASSERT_NE(page.GetVelBar(t), nullptr);
    EXPECT_EQ(page.GetKeyBar(t)->GetId(), 0x20000 + t);
    EXPECT_EQ(page.GetVelBar(t)->GetMinIntValue(), 1);
  }
  EXPECT_EQ(page.GetKeyBar(12), nullptr);
  EXPECT_EQ(MenuIds(page), (std::vector<int>{1030, -1, 1007, 1008, -1, 1011, 1012, 1020, 1021, 1022, 1023}));
}

TEST_F(KeyVelZonePage, BarHandlesAndListsChangeTheirOwnZoneParameter) {
  // Timbre 2: keys 40..100 with slopes 6 (index 5) and 18 (index 9);
  // velocities 20..120 with slopes 16 and 24.
  page.SetZone(2, 44, 100, 5, 9, 40);
  page.SetZone(2, 48, 120, 2, 3, 20);
  const int b = 0x400;
  struct Case {
    ZubZoneSlopeBar* bar;
    int which;
    int value;
    int id;
    int expected;
  } cases[] = {
      {page.GetKeyBar(2), ZubZoneSlopeBar::kIdZoneMax, 50, b + 44, 64},
      {page.GetKeyBar(2), ZubZoneSlopeBar::kIdZoneMin, 90, b + 47, 76},
      {page.GetKeyBar(2), ZubZoneSlopeBar::kIdSlopeMax, 95, b + 45, 4},
      {page.GetKeyBar(2), ZubZoneSlopeBar::kIdSlopeMin, 64, b + 46, 10},
      {page.GetVelBar(2), ZubZoneSlopeBar::kIdZoneMax, 50, b + 48, 60},
      {page.GetVelBar(2), ZubZoneSlopeBar::kIdZoneMin, 100, b + 51, 80},
      {page.GetVelBar(2), ZubZoneSlopeBar::kIdSlopeMax, 100, b + 49, 2},
      {page.GetVelBar(2), ZubZoneSlopeBar::kIdSlopeMin, 47, b + 50, 3},
  };
  for (const Case& c : cases) {
    const auto saved = page.zones;
    tagZoneSlopeBarValue change{c.which, c.value};
    page.OnHfcCtrlPtrValueChanged(c.bar, &change);
    EXPECT_EQ(LastWrite(), std::make_pair(c.id, c.expected)) << c.which << " " << c.value;
    page.zones = saved;
  }
  // A list offers a slope index: too wide for the room, it steps down.
  page.OnHfcCtrlIntValueChanged(page.GetControlById(b + 45), 13);
  EXPECT_EQ(LastWrite(), std::make_pair(b + 45, 12));
  // Needles and other controls of the page write nothing.
  const size_t writes = page.writes.size();
  tagZoneSlopeBarValue needle{ZubZoneSlopeBar::kIdNeedleOn, 60};
  page.OnHfcCtrlPtrValueChanged(page.GetKeyBar(2), &needle);
  page.OnHfcCtrlIntValueChanged(page.GetKeyBar(2), 3);
  EXPECT_EQ(page.writes.size(), writes);
}

TEST_F(KeyVelZonePage, TypedTextsAndTheBarsFollowingTheStoredZone) {
  page.SetZone(0, 44, 100, 0, 0, 40);
  CHfcControl* top = page.GetControlById(0x200 + 44);
  char text[8] = "110";
  page.OnHfcCtrlPtrValueChanged(top, text);
  EXPECT_EQ(LastWrite(), std::make_pair(0x200 + 44, 110));
  // Outside 1-127 and without a description of the parameter, the number
  // as read: a text that is no number reads as 0, held at the bottom.
  std::strcpy(text, "C#9");
  page.OnHfcCtrlPtrValueChanged(top, text);
  EXPECT_EQ(LastWrite(), std::make_pair(0x200 + 44, 40));
  std::strcpy(text, "300");
  page.OnHfcCtrlPtrValueChanged(top, text);
  EXPECT_EQ(LastWrite(), std::make_pair(0x200 + 44, 300));

  // The bar shows the zone: top 100 with a top slope of 6 keys.
  page.SetZone(0, 44, 100, 5, 9, 40);
  page.OnPostSynchronizeControlWithParam(top, nullptr, 0x200 + 44);
  EXPECT_EQ(page.GetKeyBar(0)->GetZoneMax(), 100);
  EXPECT_EQ(page.GetKeyBar(0)->GetSlopeMax(), 94);
  page.OnPostSynchronizeControlWithParam(nullptr, nullptr, 0x200 + 47);
  EXPECT_EQ(page.GetKeyBar(0)->GetZoneMin(), 40);
  EXPECT_EQ(page.GetKeyBar(0)->GetSlopeMin(), 58);
  page.SetZone(0, 48, 120, 2, 3, 20);
  page.OnPostSynchronizeControlWithParam(nullptr, nullptr, 0x200 + 50);
  EXPECT_EQ(page.GetVelBar(0)->GetSlopeMin(), 44);
}

TEST_F(KeyVelZonePage, NoteOnsChangeNothingWithoutAKeyOrVelocityFieldInEdit) {
  const std::string before = static_cast<const char*>(page.GetControlById(0x22C)->GetPtrValue());
  page.OnMidiIn(0x90, 64, 100);
  unsigned char note[3] = {0x90, 65, 90};
  page.OnRemoteSynthMIDIIn(h.synth(), note, 3);
  h.Idle();
  EXPECT_EQ(static_cast<const char*>(page.GetControlById(0x22C)->GetPtrValue()), before);
  EXPECT_TRUE(page.writes.empty());
}

TEST(MultiKeyVelZonePage, EveryTimbreSharesTheIdsOfBaseMinusOne) {
  PageHarness h;
  auto back = PageBackground(600);
  MultiKeyVelZoneLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  EXPECT_EQ(page.GetTrackIndicatorCount(), 16u);
  std::vector<CHfcControl*> controls;
  page.GetControlVec(controls);
  int topKeys = 0;
  for (CHfcControl* c : controls) topKeys += c->GetId() == 43;
  EXPECT_EQ(topKeys, 16);
  EXPECT_EQ(MenuIds(page), (std::vector<int>{1036, -1, 1067, 1070, 1019, 1037, -1, 1007, 1008, -1,
                                             1011, 1012, 1026, 1027, 1028, 1029}));
  h.DestroyPage(page);
}

}  // namespace
