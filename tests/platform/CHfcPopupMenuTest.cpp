#include <gtest/gtest.h>

#include <string>

#include "os/Menu.h"
#include "os/MenuBar.h"
#include "platform/CHfcMenuBar.h"
#include "platform/CHfcPopupMenu.h"
#include "platform/HfcGuiHooks.h"

namespace {

using Tracker = os::HeadlessMenuTracker;

int g_releases = 0;
std::vector<int> g_releaseOrder;  // tracker calls seen when capture was released

class PopupMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    Tracker::Reset();
    g_releases = 0;
    g_releaseOrder.clear();
  }
  void TearDown() override {
    Tracker::Reset();
    HfcSetGuiHooks({});
  }
  static void InstallHooks() {
    HfcGuiHooks hooks;
    hooks.releaseCapture = [] {
      ++g_releases;
      g_releaseOrder.push_back(static_cast<int>(Tracker::Transcript().size()));
    };
    hooks.localToGlobal = [](CHfcWindow*, tagHfcPoint* p) {
      p->x += 100;
      p->y += 200;
      return true;
    };
    HfcSetGuiHooks(hooks);
  }
  // A stand-in window pointer; the hooks never look inside it.
  CHfcWindow* window_ = reinterpret_cast<CHfcWindow*>(&g_releases);
};

TEST_F(PopupMenu, InsertedItemsSeparatorDisabledAndLiteralText) {
  CHfcPopupMenu m;
  EXPECT_FALSE(m.InsertItem(0, 1, "x", 0));  // no menu yet
  EXPECT_EQ(m.GetNumItems(), 0);
  ASSERT_TRUE(m.Create(0, false));
  EXPECT_FALSE(m.Create(0, false));
  ASSERT_TRUE(m.InsertItem(0, 100, "Copy", 0));
  ASSERT_TRUE(m.InsertItem(1, 0, "-", 1));
  ASSERT_TRUE(m.InsertItem(2, 101, "Save & Write", 2));
  EXPECT_EQ(m.GetNumItems(), 3);
  EXPECT_EQ(m.GetItemId(2), 101);
  EXPECT_EQ(m.GetItemId(0), 100);
  EXPECT_EQ(m.GetItemId(7), 0);
  EXPECT_TRUE(m.IsItemEnabled(0));
  EXPECT_FALSE(m.IsItemEnabled(2));
  char buf[8];
  ASSERT_TRUE(m.GetItemText(2, buf, sizeof buf));
  EXPECT_STREQ(buf, "Save & ");  // cut to the buffer

  Tracker::ScriptNone();
  EXPECT_EQ(m.TrackPopup(5, 6, static_cast<void*>(nullptr), 0), -1);
  auto shown = Tracker::Transcript().at(0);
  ASSERT_EQ(shown.items.size(), 3u);
  EXPECT_FALSE(shown.items[0].separator);
  EXPECT_TRUE(shown.items[1].separator);
  EXPECT_TRUE(shown.items[2].disabled);
  EXPECT_EQ(shown.items[2].text, "Save & Write");
  EXPECT_EQ(shown.x, 5);
  EXPECT_EQ(shown.item, 1);  // item 0 under the point, as its 1-based number

  // Inserting at 0 puts the item first; past the end appends.
  ASSERT_TRUE(m.InsertItem(0, 99, "First", 0));
  ASSERT_TRUE(m.InsertItem(50, 102, "Last", 0));
  EXPECT_EQ(m.GetItemId(0), 99);
  EXPECT_EQ(m.GetItemId(4), 102);
  EXPECT_TRUE(m.DeleteItem(0));
  EXPECT_FALSE(m.DeleteItem(4));
  EXPECT_TRUE(m.RenameItem(0, "Copy All"));
  EXPECT_TRUE(m.SetItemId(0, 200));
  EXPECT_EQ(m.GetItemId(0), 200);
}

TEST_F(PopupMenu, ChecksAndEnables) {
  CHfcPopupMenu m;
  EXPECT_FALSE(m.CheckItem(0, true));
  ASSERT_TRUE(m.Create(0, false));
  for (int i = 0; i < 3; ++i) m.InsertItem(i, 10 + i, "item", 0);
  EXPECT_TRUE(m.CheckItem(1, true));
  EXPECT_TRUE(m.IsItemChecked(1));
  EXPECT_FALSE(m.IsItemChecked(0));
  m.CheckAllItems(true);
  EXPECT_TRUE(m.IsItemChecked(2));
  m.CheckAllItems(false);
  EXPECT_FALSE(m.IsItemChecked(1));
  m.EnableAllItems(false);
  EXPECT_FALSE(m.IsItemEnabled(0));
  EXPECT_TRUE(m.EnableItem(0, true));
  EXPECT_TRUE(m.IsItemEnabled(0));
  EXPECT_FALSE(m.EnableItem(3, true));
  m.CheckItem(2, true);
  Tracker::ScriptNone();
  m.TrackPopupById(0, 0, nullptr, 0);
  auto items = Tracker::Transcript().at(0).items;
  EXPECT_TRUE(items[2].checked);
  EXPECT_TRUE(items[1].disabled);
}

TEST_F(PopupMenu, TrackingResults) {
  CHfcPopupMenu m, sub;
  EXPECT_EQ(m.TrackPopupById(0, 0, nullptr, 0), 0);  // no menu
  EXPECT_EQ(m.TrackPopup(0, 0, nullptr, 0), 0);
  ASSERT_TRUE(m.Create(0, false));
  m.InsertItem(0, 1000, "Init", 0);
  m.InsertItem(1, 1001, "Copy", 2);
  m.InsertItem(2, 0, "", 1);
  m.InsertItem(3, 0, "More", 0);
  ASSERT_TRUE(sub.Create(0, false));
  EXPECT_FALSE(m.SetSubMenu(3, &sub));  // a submenu needs an id of its own
  CHfcPopupMenu sub2;
  ASSERT_TRUE(sub2.Create(7, false));
  sub2.InsertItem(0, 1040, "Write", 0);
  sub2.InsertItem(1, 1041, "Rename", 0);
  EXPECT_FALSE(m.SetSubMenu(9, &sub2));
  EXPECT_FALSE(m.SetSubMenu(3, &m));
  ASSERT_TRUE(m.SetSubMenu(3, &sub2));
  EXPECT_EQ(m.GetSubMenu(3), nullptr);

  struct Case {
    void (*script)();
    int byId;
    int byIndex;
  } cases[] = {
      {[] { Tracker::ScriptIndex({0}); }, 1000, 0},
      {[] { Tracker::ScriptIndex({3, 1}); }, 1041, (7 << 16) + 2 - 1},
      {[] { Tracker::ScriptCommand(1040); }, 1040, (7 << 16) + 1 - 1},
      {[] { Tracker::ScriptIndex({1}); }, 0, -1},  // disabled
      {[] { Tracker::ScriptIndex({2}); }, 0, -1},  // separator
      {[] { Tracker::ScriptIndex({3}); }, 0, -1},  // opens the submenu only
      {[] { Tracker::ScriptIndex({9}); }, 0, -1},
      {[] { Tracker::ScriptNone(); }, 0, -1},
      {[] {}, 0, -1},  // nothing scripted: closed without a choice
      {[] { Tracker::ScriptAbort(); }, -1, -1},
  };
  int n = 0;
  for (const Case& c : cases) {
    c.script();
    EXPECT_EQ(m.TrackPopupById(0, 0, nullptr, 1), c.byId) << n;
    c.script();
    EXPECT_EQ(m.TrackPopup(0, 0, nullptr, 0), c.byIndex) << n;
    ++n;
  }
  auto t = Tracker::Transcript();
  ASSERT_FALSE(t.empty());
  ASSERT_EQ(t[0].items[3].submenu.size(), 2u);
  EXPECT_EQ(t[0].items[3].submenu[1].text, "Rename");

  // A submenu that goes away leaves no dangling item behind.
  {
    CHfcPopupMenu gone;
    gone.Create(8, false);
    gone.InsertItem(0, 5, "x", 0);
    m.SetSubMenu(0, &gone);
  }
  Tracker::ScriptIndex({0, 0});
  EXPECT_EQ(m.TrackPopupById(0, 0, nullptr, 1), 0);
}

TEST_F(PopupMenu, WindowPointsAndMouseCapture) {
  CHfcPopupMenu m;
  m.Create(0, false);
  m.InsertItem(0, 42, "Only", 0);
  // No GUI framework: the point is used as is and nothing is released.
  Tracker::ScriptIndex({0});
  EXPECT_EQ(m.TrackPopupById(10, 20, window_, 1), 42);
  EXPECT_EQ(Tracker::Transcript().back().x, 10);

  InstallHooks();
  Tracker::ScriptIndex({0});
  EXPECT_EQ(m.TrackPopupById(10, 20, window_, 1), 42);
  EXPECT_EQ(Tracker::Transcript().back().x, 110);
  EXPECT_EQ(Tracker::Transcript().back().y, 220);
  EXPECT_EQ(g_releaseOrder.back(), 1);  // released before the menu was shown
  m.TrackPopup(10, 20, nullptr, 0);     // no window: screen point
  EXPECT_EQ(Tracker::Transcript().back().x, 10);
  m.TrackPopup(10, 20, static_cast<void*>(window_), 0);  // window not used
  EXPECT_EQ(Tracker::Transcript().back().x, 10);
  EXPECT_EQ(g_releaseOrder.back(), 4);  // released after the menu closed
  EXPECT_EQ(g_releases, 3);
}

TEST_F(PopupMenu, LoadingAndDestroying) {
  os::Menu::Define(128, [] {
    auto menu = std::make_unique<os::Menu>(128);
    menu->Insert(0, os::Menu::Item{"Loaded", 5, 5});
    return menu;
  });
  CHfcPopupMenu m;
  EXPECT_FALSE(m.Destroy());
  EXPECT_FALSE(m.Load(999));
  ASSERT_TRUE(m.Load(128));
  EXPECT_FALSE(m.Load(128));  // one exists already
  EXPECT_EQ(m.GetItemId(0), 5);
  char nib[] = "main", name[] = "Edit";
  EXPECT_FALSE(m.LoadFromNib(nib, name));
  EXPECT_TRUE(m.Destroy());
  EXPECT_EQ(m.GetNumItems(), 0);
  EXPECT_FALSE(m.LoadFromNib(nib, name));  // nothing defined under those names
}

class QuitAwareBar : public CHfcMenuBar {
 public:
  int removed = 0;
  void OnMacRemoveQuitMenu() override { ++removed; }
};

TEST(MenuBar, InstallsAndAsksOnceAboutQuit) {
  os::MenuBar::Define(1, [] { return std::make_unique<os::MenuBar>(); });
  QuitAwareBar bar;
  EXPECT_FALSE(bar.SetMenuBar());
  EXPECT_FALSE(bar.Destroy());
  ASSERT_TRUE(bar.Load(1));
  EXPECT_FALSE(bar.Load(1));
  os::MenuBar::SetQuitInApplicationMenu(true);
  EXPECT_TRUE(bar.SetMenuBar());
  EXPECT_TRUE(bar.SetMenuBar());
  EXPECT_EQ(bar.removed, 1);
  EXPECT_EQ(os::MenuBar::Current(), bar.GetBar());
  CHfcMenuBar::ClearMenuBar();
  EXPECT_EQ(os::MenuBar::Current(), nullptr);
  bar.SetMenuBar();
  EXPECT_TRUE(bar.Destroy());
  EXPECT_EQ(os::MenuBar::Current(), nullptr);
  os::MenuBar::SetQuitInApplicationMenu(false);
}

}  // namespace
