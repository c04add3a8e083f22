#include "editor/controls/XEDropdownListSwitch.h"

#include <memory>

#include "editor/controls/XEControlCreater.h"
#include "os/Menu.h"
#include "tests/editor/controls/SkinnedControlFixture.h"

namespace {

using namespace skinnedtest;
using os::HeadlessMenuTracker;

constexpr int kX = 100;
constexpr int kY = 60;

class DropdownSwitchTest : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    os::Menu::SetTracker({});
    HeadlessMenuTracker::Reset();
    XEControlCreater factory(editor.back(), 0, 0);
    sw.reset(factory.CreateDropdownListSwitch(kX, kY, 1, 4, 12));
    ASSERT_NE(sw, nullptr);
    ASSERT_TRUE(sw->IsCreated());
    Add(sw.get());
    sw->AddItem("Keyboard", false);
    sw->AddItem("Drums", false);
    sw->AddItem("Bass", true);
  }
  void TearDown() override {
    HeadlessMenuTracker::Reset();
    sw->Destroy();
    SkinnedControlTest::TearDown();
  }
  int ArrowX() const { return kX + sw->GetWidth() - XEDropdownListSwitch::kArrowWidth; }
  int MidY() const { return kY + sw->GetHeight() / 2; }
  // Pixels of the text area in (nearly) the selected-text white.
  int WhitePixels() {
    sw->Update(true, false);
    int n = 0;
    for (int y = kY; y < kY + sw->GetHeight(); ++y)
      for (int x = kX + 2; x < ArrowX() - 2; ++x) {
        const uint32_t p = Pixel(x, y);
        n += (p >> 16 & 0xFF) > 0xF0 && (p >> 8 & 0xFF) > 0xF0 && (p & 0xFF) > 0xF0;
      }
    return n;
  }

  std::unique_ptr<XEDropdownListSwitch> sw;
};

TEST_F(DropdownSwitchTest, TheFactoryBuildsATwoStateSwitchWithTheItemKind) {
  EXPECT_EQ(sw->GetNumStates(), 2);
  EXPECT_EQ(sw->GetItemKind(), 4);
  EXPECT_EQ(sw->GetSelectedItemIndex(), -1);
  EXPECT_EQ(sw->GetItemCount(), 3);
  EXPECT_FALSE(sw->Create(nullptr, 1, 0));
}

TEST_F(DropdownSwitchTest, APressLeftOfTheArrowIsASwitchPress) {
  Press(ArrowX() - 1, MidY());
  Release(ArrowX() - 1, MidY());
  EXPECT_TRUE(HeadlessMenuTracker::Transcript().empty());
  ASSERT_EQ(listener.values.size(), 2u);
  EXPECT_EQ(static_cast<uint32_t>(listener.values[0]), 0x80000000u);
  EXPECT_EQ(listener.values[1], 0);
}

TEST_F(DropdownSwitchTest, ThePopUpChoosesAnItemAndTellsTheListener) {
  sw->SetSelectedItemIndex(2, true);
  HeadlessMenuTracker::ScriptIndex({1});
  Press(ArrowX(), MidY());
  Release(ArrowX(), MidY());
  ASSERT_EQ(HeadlessMenuTracker::Transcript().size(), 1u);
  const auto shown = HeadlessMenuTracker::Transcript()[0];
  ASSERT_EQ(shown.items.size(), 3u);
  EXPECT_EQ(shown.items[0].text, "Keyboard");
  EXPECT_EQ(shown.items[1].command, 2);
  EXPECT_TRUE(shown.items[2].checked);
  EXPECT_FALSE(shown.items[0].checked);
  EXPECT_EQ(sw->GetSelectedItemIndex(), 1);
  EXPECT_EQ(listener.log.back(), "event 0 1");
  EXPECT_TRUE(listener.values.empty());  // no switch press
}

TEST_F(DropdownSwitchTest, DismissingThePopUpChangesNothing) {
  sw->SetSelectedItemIndex(0, false);
  HeadlessMenuTracker::ScriptNone();
  Press(kX + sw->GetWidth() - 1, MidY());
  EXPECT_EQ(HeadlessMenuTracker::Transcript().size(), 1u);
  EXPECT_EQ(sw->GetSelectedItemIndex(), 0);
  for (const auto& entry : listener.log) EXPECT_EQ(entry.rfind("event", 0), std::string::npos);
}

TEST_F(DropdownSwitchTest, SelectionsOutsideTheItemsSelectNone) {
  const int cases[] = {3, -5, 99};
  for (int index : cases) {
    sw->SetSelectedItemIndex(1, false);
    sw->SetSelectedItemIndex(index, false);
    EXPECT_EQ(sw->GetSelectedItemIndex(), -1) << index;
  }
}

TEST_F(DropdownSwitchTest, TheChosenTextIsWhiteWhileTheSwitchIsOnAndGoneWithItsItem) {
  sw->SetIntValue(1, true);
  const int withoutText = WhitePixels();
  sw->SetSelectedItemIndex(0, true);
  const int withText = WhitePixels();
  EXPECT_GT(withText, withoutText + 10);
  // Off: the record's red, not white.
  sw->SetIntValue(0, true);
  sw->SetIntValue(0, true);
  const int off = WhitePixels();
  EXPECT_LT(off, withText);
  // A stale selection after the items went shows no text.
  sw->SetIntValue(1, true);
  sw->DeleteAllItems();
  EXPECT_EQ(sw->GetSelectedItemIndex(), 0);
  EXPECT_EQ(WhitePixels(), withoutText);
}

}  // namespace
