#include "editor/controls/XEDropdownList.h"

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "os/Menu.h"
#include "tests/editor/controls/SkinnedControlFixture.h"

namespace {

using namespace skinnedtest;
using os::HeadlessMenuTracker;

constexpr int kX = 60;
constexpr int kY = 50;

class DropdownTest : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    os::Menu::SetTracker({});
    HeadlessMenuTracker::Reset();
  }
  void TearDown() override {
    HeadlessMenuTracker::Reset();
    SkinnedControlTest::TearDown();
  }
  // A face like the edit pages' lists: 96 x 13, text after 13 pixels.
  void Make(XEDropdownList& d, int y = kY, int rightReserve = 0) {
    if (!face) face = Flat(96, 13, 0xFFFFFFFFu);
    SXEDropdownListParam p{};
    p.x = kX;
    p.y = y;
    p.skin = face.get();
    p.bgBmp = editor.back();
    p.bgX = kX;
    p.bgY = y;
    p.states = 1;
    p.oneFramePerState = 1;
    p.font = FontManager::mInstance->GetBmpFontInfo("FontGeneva9");
    p.text = "";
    p.textColor = 0xFF000000u;
    p.hAlign = 0;
    p.hMargin = 13;
    p.vAlign = 1;
    p.rightReserve = rightReserve;
    ASSERT_TRUE(d.Create(&p, 4, 0));
    d.SetFocusColor(0);
    Add(&d);
  }
  std::vector<uint32_t> Face(int y) {
    std::vector<uint32_t> v;
    for (int yy = y; yy < y + 13; ++yy)
      for (int x = kX; x < kX + 96; ++x) v.push_back(Pixel(x, yy));
    return v;
  }
  bool Blank(int y) {
    for (uint32_t p : Face(y))
      if (p != 0xFFFFFFFFu) return false;
    return true;
  }
  std::vector<std::string> MenuTexts(const HeadlessMenuTracker::Shown& s) {
    std::vector<std::string> v;
    for (const auto& i : s.items) v.push_back(i.text);
    return v;
  }

  std::unique_ptr<CHfcBmp> face;
  XEDropdownList list;
};

TEST_F(DropdownTest, TheMenuListsExactlyTheItemsAndAChoiceIsReported) {
  Make(list);
  for (const char* t : {"Sine", "Saw", "Square"}) list.AddItem(t, false);
  list.SetIntValue(2, true);
  HeadlessMenuTracker::ScriptIndex({1});
  Click(kX + 20, kY + 5);
  ASSERT_EQ(HeadlessMenuTracker::Transcript().size(), 1u);
  const auto shown = HeadlessMenuTracker::Transcript()[0];
  EXPECT_EQ(MenuTexts(shown), (std::vector<std::string>{"Sine", "Saw", "Square"}));
  EXPECT_TRUE(shown.items[2].checked);
  EXPECT_FALSE(shown.items[0].checked);
  EXPECT_EQ(shown.item, 3);  // the current choice under the pointer
  // At the control's bottom-left corner, on the screen.
  EXPECT_EQ(shown.x, kX + os::HeadlessWindow::kDefaultOriginX);
  EXPECT_EQ(shown.y, kY + 13 + os::HeadlessWindow::kDefaultOriginY);
  EXPECT_EQ(listener.values, (std::vector<int>{1}));
  EXPECT_EQ(list.GetIntValue(), 1);
  // Dismissed: nothing changes, nothing is reported.
  HeadlessMenuTracker::ScriptNone();
  Click(kX + 20, kY + 5);
  EXPECT_EQ(listener.values, (std::vector<int>{1}));
  EXPECT_EQ(list.GetIntValue(), 1);
  EXPECT_EQ(list.GetMaxIntValue(), 3);
}

TEST_F(DropdownTest, DeletingAllItemsTakesTheRangeWithThem) {
  Make(list);
  for (const char* t : {"Off", "On", "Auto"}) list.AddItem(t, false);
  list.DeleteAllItems();
  EXPECT_EQ(list.GetIntValue(), -1);
  EXPECT_EQ(list.GetMinIntValue(), -1);
  EXPECT_EQ(list.GetItemCount(), 0);
  // -1 names no item, whatever the old range was.
  list.SetIntValue(-1, false);
  EXPECT_EQ(list.GetSelectedItemIndex(), XEDropdownList::kNone);
  Click(kX + 20, kY + 5);
  ASSERT_EQ(HeadlessMenuTracker::Transcript().size(), 1u);
  EXPECT_TRUE(HeadlessMenuTracker::Transcript()[0].items.empty());
  list.AddItem("Mono", false);
  list.AddItem("Poly", false);
  HeadlessMenuTracker::ScriptIndex({1});
  Click(kX + 20, kY + 5);
  EXPECT_EQ(MenuTexts(HeadlessMenuTracker::Transcript()[1]), (std::vector<std::string>{"Mono", "Poly"}));
  EXPECT_EQ(listener.values, (std::vector<int>{1}));
}

TEST_F(DropdownTest, ValuesThatNameNoItemAreNoneAndDrawAnEmptyFace) {
  Make(list);
  for (const char* t : {"A", "B", "C"}) list.AddItem(t, false);
  struct Case {
    int value, stored;
  };
  for (const Case c : {Case{0, 0}, Case{2, 2}, Case{3, INT_MIN}, Case{-1, INT_MIN}}) {
    list.SetIntValue(c.value, true);
    EXPECT_EQ(list.GetSelectedItemIndex(), c.stored) << c.value;
  }
  Idle(20);
  EXPECT_TRUE(Blank(kY));
  list.SetSelectedItemIndex(1, true);
  Idle(20);
  EXPECT_FALSE(Blank(kY));
  std::string text;
  EXPECT_TRUE(list.GetItemText(text, 2));
  EXPECT_EQ(text, "C");
  EXPECT_FALSE(list.GetItemText(text, 3));
  EXPECT_EQ(text, "");
}

// Laid out narrower than its picture, a list with an arrow at its right end
// keeps that end and loses the middle of its face.
TEST_F(DropdownTest, ANarrowedListKeepsThePicturesRightEnd) {
  constexpr uint32_t kArrow = 0xFF2040E0u;
  face = Flat(96, 13, 0xFFFFFFFFu);
  uint32_t* px = face->LockPixels();
  for (int y = 0; y < 13; ++y)
    for (int x = 76; x < 96; ++x) px[y * 96 + x] = kArrow;
  face->UnlockPixels();
  Make(list, kY, 20);
  ASSERT_TRUE(list.Resize(60, list.GetHeight(), true));
  Idle(20);
  for (int x = kX; x < kX + 60; ++x)
    EXPECT_EQ(Pixel(x, kY + 6), x < kX + 40 ? 0xFFFFFFFFu : kArrow) << "column " << x - kX;
  EXPECT_NE(Pixel(kX + 60, kY + 6), kArrow);
}

TEST_F(DropdownTest, TheFaceShowsTheSubTextWithControlCharactersAsBlanks) {
  XEDropdownList plain;
  Make(list, kY);
  Make(plain, kY + 40);
  list.AddItem("Filter Type: Low Pass", "LPF\t24", false);
  list.AddItem("Resonance", false);
  plain.AddItem("LPF 24", false);
  plain.AddItem("Resonance", false);
  list.SetIntValue(0, true);
  plain.SetIntValue(0, true);
  Idle(20);
  EXPECT_EQ(Face(kY), Face(kY + 40));
  HeadlessMenuTracker::ScriptNone();
  Click(kX + 20, kY + 5);
  EXPECT_EQ(HeadlessMenuTracker::Transcript()[0].items[0].text, "Filter Type: Low Pass");
  list.SetIntValue(1, true);
  plain.SetIntValue(1, true);
  Idle(20);
  EXPECT_EQ(Face(kY), Face(kY + 40));
}

// A face too narrow for an item shows its short form when it has one that
// fits clear of the face's edge ("PRG" as the portamento column shows it,
// "Legato"), not the item cut; a face wide enough shows the item whole. Each face is compared with
// one that holds the expected text as its item.
TEST_F(DropdownTest, ANarrowFaceShowsAnItemsShortForm) {
  struct Case {
    int reserve;  // 56 leaves the text 27 pixels, as on the timbre pages
    const char* item;
    const char* shown;
  };
  // 27 pixels take "Legato" (27 wide) only up to the face's edge: the
  // shorter form stands clear of it; 30 take "Legato" clear of the edge.
  const Case cases[] = {{56, "Program", "PRG"},        {56, "Mono Legato", "M.Leg"}, {53, "Mono Legato", "Legato"},
                        {56, "Poly", "Poly"},           {0, "Program", "Program"},   {0, "Mono Legato", "Mono Legato"}};
  const char* const items[] = {"Program", "Poly", "Mono", "Mono Legato"};
  int y = kY;
  std::vector<std::unique_ptr<XEDropdownList>> lists;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.item) + " in " + std::to_string(96 - 13 - c.reserve));
    XEDropdownList* shown = lists.emplace_back(std::make_unique<XEDropdownList>()).get();
    XEDropdownList* expected = lists.emplace_back(std::make_unique<XEDropdownList>()).get();
    Make(*shown, y, c.reserve);
    Make(*expected, y + 20, c.reserve);
    for (int i = 0; i < 4; ++i) {
      shown->AddItem(items[i], false);
      if (std::string(items[i]) == c.item) shown->SetIntValue(shown->GetMinIntValue() + i, true);
    }
    expected->AddItem(c.shown, false);
    expected->SetIntValue(expected->GetMinIntValue(), true);
    Idle(20);
    EXPECT_EQ(Face(y), Face(y + 20));
    y += 40;
  }
  for (auto& l : lists) editor.layer().RemoveControl(l.get(), false);
}

TEST_F(DropdownTest, TheEnableListDisablesMenuEntriesWithinItsLength) {
  Make(list);
  for (const char* t : {"A", "B", "C"}) list.AddItem(t, false);
  bool enabled[2] = {true, true};
  list.SetEnableParameterList(enabled, 2);
  list.SetEnableIndex(1, false);
  list.SetEnableIndex(5, false);  // outside the list: ignored
  HeadlessMenuTracker::ScriptIndex({1});  // a disabled entry chooses nothing
  Click(kX + 20, kY + 5);
  const auto items = HeadlessMenuTracker::Transcript()[0].items;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_FALSE(items[0].disabled);
  EXPECT_TRUE(items[1].disabled);
  EXPECT_FALSE(items[2].disabled);  // beyond the list: enabled
  EXPECT_TRUE(listener.values.empty());
}

}  // namespace
