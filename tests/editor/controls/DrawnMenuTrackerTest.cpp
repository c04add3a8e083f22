#include "editor/controls/DrawnMenuTracker.h"

#include "tests/editor/controls/DrawnFormFixture.h"

namespace {

using T = DrawnMenuTracker;

class DrawnMenuTrackerTest : public DrawnFormFixture {
 protected:
  void SetUp() override {
    DrawnFormFixture::SetUp();
    auto add = [](os::Menu& m, const char* text, bool enabled = true, char mark = 0) {
      os::Menu::Item it;
      it.text = text;
      it.enabled = enabled;
      it.mark = mark;
      m.items().push_back(it);
    };
    add(root, "Copy Program");
    add(root, "Paste Program", false);
    os::Menu::Item separator;
    separator.separator = true;
    root.items().push_back(separator);
    add(root, "Show Parameters", true, 1);
    add(root, "Send To");
    root.items().back().submenu = &sub;
    add(root, "Initialize");
    add(sub, "Bank A");
    add(sub, "Bank B", false);
    add(sub, "Bank C");
  }
  // Middle of item i (0-based) of a menu window.
  static int Row(const os::Menu& m, int i) { return T::ItemTop(m, i) + T::kItemHeight / 2; }
  uint32_t Sel(const os::Menu& m, int i) { return (uint32_t(m.id()) << 16) | uint32_t(i + 1); }
  os::Menu::TrackResult Track(int item = 0) { return T::Track(root, 300, 200, item); }

  os::Menu root{129};
  os::Menu sub{130};
};

TEST_F(DrawnMenuTrackerTest, AClickChoosesAnEnabledItemOnlyAndTheMenuSitsAtThePoint) {
  Click(30, Row(root, 1));  // disabled: nothing
  Click(30, Row(root, 2) - 1);  // separator: nothing
  Click(30, Row(root, 3));
  const auto r = Track();
  EXPECT_EQ(r.selection, Sel(root, 3));
  EXPECT_FALSE(r.aborted);
  ASSERT_EQ(specs.size(), 1u);
  EXPECT_TRUE(specs[0].popup);
  EXPECT_EQ(specs[0].x, 300);
  EXPECT_EQ(specs[0].y, 200);
  // Asked with item 4 under the point, the menu moves up by its offset.
  Click(30, Row(root, 0));
  EXPECT_EQ(Track(4).selection, Sel(root, 0));
  EXPECT_EQ(specs.back().y, 200 - T::ItemTop(root, 3));
}

TEST_F(DrawnMenuTrackerTest, KeysMoveSkippingSeparatorsAndDisabledItemsAndOpenSubmenus) {
  struct Case {
    std::vector<uint32_t> keys;
    uint32_t selection;  // relative: menu id << 16 | number
  } cases[] = {
      {{XK_Down, XK_Return}, (129u << 16) | 1},
      {{XK_Down, XK_Down, XK_Return}, (129u << 16) | 4},              // skips disabled, separator
      {{XK_Up, XK_Return}, (129u << 16) | 6},                         // wraps to the last
      {{XK_Down, XK_Down, XK_Down, XK_Right, XK_Down, XK_Return}, (130u << 16) | 3},
      {{XK_Down, XK_Down, XK_Down, XK_Return, XK_Return}, (130u << 16) | 1},
      {{XK_Down, XK_Down, XK_Down, XK_Right, XK_Left, XK_Return}, 0},  // Enter reopens: no choice yet
      {{XK_Down, XK_Escape}, 0},
  };
  for (const Case& c : cases) {
    for (uint32_t k : c.keys) Key(k);
    if (c.selection == 0) Key(XK_Escape);
    EXPECT_EQ(Track().selection, c.selection) << c.keys.size();
    env.loop().RunPending();  // whatever was left for the closed windows
  }
}

TEST_F(DrawnMenuTrackerTest, TheSubmenuOpensBesideItsItemAndAClickThereChooses) {
  Later([this] {
    made[0]->InjectMouse({os::MouseEvent::Kind::kMove, os::MouseButton::kNone, 0, 30, Row(root, 4),
                          300 + 30, 200 + Row(root, 4)});
    Later([this] {
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(specs[1].x, 300 + made[0]->Width() - 2);
    EXPECT_EQ(specs[1].y, 200 + T::ItemTop(root, 4) - T::kPadding);
    made[0]->WritePng("drawn_menu_root.png");
    Snapshot("drawn_menu_sub");
    Last()->InjectClick(os::MouseButton::kLeft, 20, Row(sub, 2));
    });
  });
  EXPECT_EQ(Track().selection, Sel(sub, 2));
}

TEST_F(DrawnMenuTrackerTest, APressOutsideClosesWithoutAChoiceAndCancelAborts) {
  Click(-5, -5);
  EXPECT_EQ(Track().selection, 0u);
  Later([] { os::Menu::CancelTracking(); });
  os::Menu::SetTracker(&T::Track, &T::Cancel);
  const auto r = root.Track(10, 10, 0);
  os::Menu::SetTracker(nullptr);
  EXPECT_EQ(r.selection, 0u);
  EXPECT_TRUE(r.aborted);
  // The window manager's close, and the focus going to another window, also
  // close without a choice.
  Later([this] { Last()->InjectClose(); });
  EXPECT_EQ(Track().selection, 0u);
  Later([this] { Last()->InjectFocus(false); });
  EXPECT_EQ(Track().selection, 0u);
  // A submenu does not take the focus from the first level.
  Later([this] {
    made.back()->InjectKey(os::KeyEvent::Kind::kDown, XK_Up);
    made.back()->InjectKey(os::KeyEvent::Kind::kDown, XK_Up);
    made.back()->InjectKey(os::KeyEvent::Kind::kDown, XK_Right);
    Later([this] {
      EXPECT_TRUE(made[made.size() - 2]->HasFocus());
      EXPECT_FALSE(made.back()->HasFocus());
      made[made.size() - 2]->InjectKey(os::KeyEvent::Kind::kDown, XK_Return);
    });
  });
  EXPECT_EQ(Track().selection, (130u << 16) | 1);
}

// A window of the program that was there before the menu opened takes no
// input while the menu is open; the menu's levels, a submenu opened later
// included, do; afterwards the window takes input again.
TEST_F(DrawnMenuTrackerTest, WhileTheMenuIsOpenOnlyItsLevelsTakeInput) {
  PressCounter clicks;
  auto editor = os::HeadlessWindow::Create(100, 100);
  editor->SetSink(&clicks);
  Later([this, &editor] {
    editor->InjectClick(os::MouseButton::kLeft, 5, 5);
    made[0]->InjectMouse({os::MouseEvent::Kind::kMove, os::MouseButton::kNone, 0, 30, Row(root, 4),
                          300 + 30, 200 + Row(root, 4)});
    Later([this, &editor] {
      ASSERT_EQ(made.size(), 2u);
      editor->InjectClick(os::MouseButton::kLeft, 6, 6);
      Last()->InjectClick(os::MouseButton::kLeft, 20, Row(sub, 0));
    });
  });
  EXPECT_EQ(Track().selection, Sel(sub, 0));
  EXPECT_EQ(clicks.presses, 0);
  editor->InjectClick(os::MouseButton::kLeft, 7, 7);
  env.loop().RunPending();
  EXPECT_EQ(clicks.presses, 1);
}

}  // namespace
