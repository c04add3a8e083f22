#include "editor/controls/CTabControl.h"

#include "tests/editor/controls/SkinnedControlFixture.h"

namespace {

using namespace skinnedtest;

// A page as the editor shell makes it: a layer of the window that logs
// what the strip does to it.
class Page : public CHfcWindowLayer, public ITabPageLayer {
 public:
  Page(std::string name, std::vector<std::string>* log) : name_(std::move(name)), log_(log) {}
  CHfcWindowLayer* GetTabPageWindowLayer() override { return this; }
  const std::string& GetTabPageName() const override { return name_; }
  void SetOwnerTabControl(CTabControl* strip) override { owner = strip; }
  void SetTabPageRefresh(bool r) override { refresh = r; }
  void OnActivate() override { log_->push_back(name_ + " activate"); }
  void OnDeactivate() override { log_->push_back(name_ + " deactivate"); }

  CTabControl* owner = nullptr;
  bool refresh = false;

 private:
  std::string name_;
  std::vector<std::string>* log_;
};

constexpr int kTabW = 50;
constexpr int kTabH = 30;
constexpr int kGap = 4;
constexpr int kStep = kTabW + kGap;

// Tab picture whose pixels tell the tab and row they come from: tab t is
// 0xFF0000tt in the selected row and 0xFF0100tt in the other.
std::unique_ptr<CHfcBmp> TabPicture(int tabs) {
  auto bmp = std::make_unique<CHfcBmp>();
  const int w = kStep * tabs;
  bmp->Create(w, 2 * kTabH);
  uint32_t* px = bmp->LockPixels();
  for (int y = 0; y < 2 * kTabH; ++y)
    for (int x = 0; x < w; ++x) px[y * w + x] = 0xFF000000u | (y >= kTabH ? 0x010000u : 0u) | (x / kStep);
  bmp->UnlockPixels();
  return bmp;
}

class TabControlTest : public SkinnedControlTest {
 protected:
  static constexpr int kX = 10;
  static constexpr int kY = 40;

  void Make(int pages, bool groups, int perGroup = 5, const char* first = "p0") {
    tabs = TabPicture(9);
    stTabControlCreateParam p{kX, kY, 0, 0, kTabW, kTabH, kGap, 0, 0, tabs.get(), editor.back(),
                              kX, kY, groups, perGroup, 0};
    ASSERT_TRUE(strip.Create(p, 5, 0));
    strip.Enable(false);
    Add(&strip);
    for (int i = 0; i < pages; ++i) {
      auto page = std::make_unique<Page>(i == 0 ? first : std::string("p").append(std::to_string(i)), &log);
      ASSERT_TRUE(page->Create(0, 0, 200, 100, &editor));
      strip.AddTabPageLayer(&editor, page.get());
      this->pages.push_back(std::move(page));
    }
    Idle(20);
  }
  void TearDown() override {
    strip.Destroy();
    for (auto& p : pages) p->Destroy();
    SkinnedControlTest::TearDown();
  }
  // (tab index, selected) a pixel of the strip shows; tab -1 for none.
  std::pair<int, bool> TabAt(int x) {
    const uint32_t p = Pixel(x, kY + 10);
    if ((p & 0xFFFF0000u) != 0xFF000000u && (p & 0xFFFF0000u) != 0xFF010000u) return {-1, false};
    return {static_cast<int>(p & 0xFF), (p & 0x010000u) == 0};
  }
  std::vector<bool> Visible() {
    std::vector<bool> v;
    for (auto& p : pages) v.push_back(p->IsVisible());
    return v;
  }

  std::unique_ptr<CHfcBmp> tabs;
  CTabControl strip;
  std::vector<std::unique_ptr<Page>> pages;
  std::vector<std::string> log;
};

TEST_F(TabControlTest, AClickedTabSwitchesThePagesAtTheNextIdle) {
  Make(2, false);
  EXPECT_EQ(Visible(), (std::vector<bool>{true, false}));
  EXPECT_EQ(pages[0]->owner, &strip);
  // Pages sit under the tab row, in window coordinates.
  EXPECT_EQ(pages[1]->GetRect().left, kX);
  EXPECT_EQ(pages[1]->GetRect().top, kY + kTabH);
  EXPECT_EQ(TabAt(kX + 5), (std::pair<int, bool>{0, true}));
  EXPECT_EQ(TabAt(kX + kStep + 5), (std::pair<int, bool>{1, false}));

  Click(kX + kStep + 10, kY + 10);
  EXPECT_EQ(listener.values, (std::vector<int>{1}));
  EXPECT_EQ(strip.GetActivePageIndex(), 1);
  EXPECT_EQ(Visible(), (std::vector<bool>{true, false}));  // not yet
  Idle(20);
  EXPECT_EQ(Visible(), (std::vector<bool>{false, true}));
  EXPECT_EQ(log, (std::vector<std::string>{"p0 deactivate", "p1 activate"}));
  EXPECT_TRUE(pages[0]->refresh && pages[1]->refresh);
  EXPECT_EQ(TabAt(kX + kStep + 5), (std::pair<int, bool>{1, true}));
  EXPECT_EQ(TabAt(kX + 5), (std::pair<int, bool>{0, false}));

  // The same tab again reports again and switches nothing.
  log.clear();
  Click(kX + kStep + 10, kY + 10);
  Idle(20);
  EXPECT_EQ(listener.values, (std::vector<int>{1, 1}));
  EXPECT_TRUE(log.empty());
  // Beside the tabs, or below the tab row's 32 pixels: nothing.
  Click(kX + 3 * kStep, kY + 10);
  Click(kX + 10, kY + 33);
  EXPECT_EQ(listener.values, (std::vector<int>{1, 1}));
  // Selection by index ignores what is out of range.
  strip.SetActivePageByIndex(7, false);
  strip.SetActivePageByIndex(-1, false);
  EXPECT_EQ(strip.GetActivePageIndex(), 1);
  EXPECT_EQ(strip.GetTabPageLayer(2), nullptr);
}

TEST_F(TabControlTest, NinePagesInGroupsOfFive) {
  Make(9, true, 5);
  EXPECT_EQ(strip.GetNumberPfPage(), 2);
  EXPECT_FALSE(strip.ExistPreviousPage());
  EXPECT_TRUE(strip.ExistNextPage());
  // Width: five tabs and the room of both switches.
  EXPECT_EQ(strip.GetWidth(), kStep * 5 + 64);
  // Group 0: tabs 0-4, the increment switch right after tab 4.
  for (int j = 0; j < 5; ++j) EXPECT_EQ(TabAt(kX + kStep * j + 5).first, j);
  const tagHfcRect inc = strip.GetIncPageSwitchRect();
  EXPECT_EQ(inc.left, kX + kStep * 5 + 4);
  EXPECT_EQ(inc.top, kY + 4);
  EXPECT_EQ(TabAt(inc.left + 12).first, -1);  // the switch picture, not a tab
  EXPECT_EQ(strip.GetDecPageSwitchRect().right, 0);

  Click(inc.left + 12, inc.top + 12);
  EXPECT_EQ(listener.values, (std::vector<int>{5}));
  EXPECT_EQ(strip.GetCurrentGroup(), 1);
  Idle(20);
  EXPECT_TRUE(pages[5]->IsVisible());
  EXPECT_FALSE(pages[0]->IsVisible());
  // Group 1: the decrement switch at the left, tabs 5-8 after 32 pixels.
  const tagHfcRect dec = strip.GetDecPageSwitchRect();
  EXPECT_EQ(dec.left, kX + 4);
  EXPECT_EQ(TabAt(dec.left + 12).first, -1);
  for (int j = 0; j < 4; ++j) EXPECT_EQ(TabAt(kX + 32 + kStep * j + 5).first, 5 + j);
  EXPECT_EQ(TabAt(kX + 32 + 5).second, true);
  EXPECT_FALSE(strip.ExistNextPage());
  // A tab of the second group by its place after the switch.
  Click(kX + 32 + kStep * 2 + 10, kY + 10);
  EXPECT_EQ(listener.values.back(), 7);
  // And back to the first group.
  Click(dec.left + 12, dec.top + 12);
  EXPECT_EQ(listener.values.back(), 0);
  EXPECT_EQ(strip.GetCurrentGroup(), 0);
}

TEST_F(TabControlTest, AStripWithOnePageWritesThePageNameOnItsTab) {
  Make(1, false, 5, "PLAY");
  EXPECT_EQ(strip.GetWidth(), kStep * 9);  // the picture's width
  // The name is light text over the tab's dark picture, centred.
  int light = 0, minX = 1 << 20, maxX = -1;
  for (int y = kY; y < kY + kTabH; ++y)
    for (int x = kX; x < kX + kTabW - 1; ++x)  // the tab is drawn from kX - 1
      if (((Pixel(x, y) >> 8) & 0xFF) > 0x80) {
        ++light;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
      }
  EXPECT_GT(light, 20) << minX << " " << maxX;
  EXPECT_NEAR((minX + maxX) / 2.0, kX + kTabW / 2.0, 3.0) << minX << " " << maxX;
}

TEST_F(TabControlTest, HidingTheStripHidesItsPagesAndRemovalLeavesTheWindow) {
  Make(3, false);
  strip.Hide(false);
  EXPECT_EQ(Visible(), (std::vector<bool>{false, false, false}));
  strip.Show(false);
  EXPECT_EQ(Visible(), (std::vector<bool>{true, false, false}));
  strip.RemoveTabPageLayer(pages[2].get());
  EXPECT_EQ(pages[2]->owner, nullptr);
  EXPECT_EQ(pages[2]->GetParentWindow(), nullptr);
  EXPECT_EQ(strip.GetTabPageCount(), 2);
  strip.RemoveTabPageLayer(5);  // ignored
  EXPECT_EQ(strip.GetTabPageIndex(pages[1].get()), 1);
  strip.Destroy();
  EXPECT_EQ(strip.GetTabPageCount(), 0);
  EXPECT_EQ(pages[0]->GetParentWindow(), nullptr);
}

TEST_F(TabControlTest, CreationNeedsTheTabPicture) {
  CTabControl bad;
  stTabControlCreateParam p{0, 0, 0, 0, kTabW, kTabH, kGap, 0, 0, nullptr, nullptr, 0, 0, 0, 1, 0};
  EXPECT_FALSE(bad.Create(p, 1, 0));
  auto pic = TabPicture(3);
  p.tabs = pic.get();
  p.maxWidth = 100;
  ASSERT_TRUE(bad.Create(p, 1, 0));
  EXPECT_EQ(bad.GetWidth(), 100);
  EXPECT_EQ(bad.GetHeight(), kTabH);
  // Groups of no tabs count as groups of one: nothing divides by zero.
  CTabControl grouped;
  stTabControlCreateParam g{0, 0, 0, 0, kTabW, kTabH, kGap, 0, 0, pic.get(), nullptr, 0, 0, 1, 0, 0};
  ASSERT_TRUE(grouped.Create(g, 1, 0));
  EXPECT_EQ(grouped.GetWidth(), kStep + 64);
  EXPECT_EQ(grouped.GetNumberPfPage(), 0);
  int index = 0;
  EXPECT_EQ(grouped.HitTest(10, 10, index), 0);
}

}  // namespace
