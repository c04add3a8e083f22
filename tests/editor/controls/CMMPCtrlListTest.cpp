#include "editor/controls/CMMPCtrlList.h"

#include <X11/keysym.h>

#include "tests/editor/controls/SkinnedControlFixture.h"

namespace {

using namespace skinnedtest;

constexpr uint32_t kSelected = 0xFF6178C2u;
constexpr uint32_t kHold = 0xFF3A3E46u;
constexpr uint32_t kListBack = 0xFF07080Fu;
constexpr int kX = 40;
constexpr int kY = 30;
constexpr int kCellW = 100;
constexpr int kCellH = 14;

// A page that applies the list's selection requests.
struct Page : Listener {
  CHfcCtrlList* list = nullptr;
  bool OnHfcCtrlEvent(CHfcControl* c, int event, int param, void* data) override {
    Listener::OnHfcCtrlEvent(c, event, param, data);
    if (event == CHfcCtrlList::kEventSelect && data) {
      static_cast<CHfcCtrlListItem*>(data)->SetSelected(param != 0);
      c->SetDirty(true);
    }
    return true;
  }
};

class ListTest : public SkinnedControlTest {
 protected:
  // Two columns of four rows of 100 x 14 over a dark browser back.
  void Make(int items, bool horizontal = false) {
    back = Flat(kWidth, kHeight, kListBack);
    tagHfcBmpFontInfo* font = FontManager::mInstance->GetBmpFontInfo("FontGeneva9ForControls");
    tagMMPCtrlListParamEx p{};
    p.x = kX;
    p.y = kY;
    p.width = 2 * kCellW;
    p.height = 4 * kCellH;
    p.bgX = kX;
    p.bgY = kY;
    p.bgBmp = back.get();
    p.font = font->bmp;
    p.maxItems = 100;
    p.columns = 2;
    p.rows = 4;
    p.marginX = 1;
    p.marginY = 1;
    p.textX = 1;
    p.verticalOrder = horizontal;
    p.selectedColor = kSelected;
    p.holdColor = kHold;
    p.dropTargetColor = 0xFFFFFFFFu;
    p.proportional = 1;
    p.fontInfo = font;
    p.textColor = 0xFFFFFFFFu;
    ASSERT_TRUE(list.CreateEx(&p, 8, 0));
    for (int i = 0; i < items; ++i) list.AddItem()->SetCaption(("Program " + std::to_string(i)).c_str());
    list.SetFocusColor(0);  // as the factory makes lists
    page.list = &list;
    list.SetListener(&page);
    editor.layer().AddControl(&list, false);
    list.Show(true);
    list.SetFocus(0);
    Idle(20);
  }
  // The top-left inner pixel of the cell that shows item i (row by row).
  uint32_t CellPixel(int i) {
    const int column = i % 2;
    const int row = i / 2;
    return Pixel(kX + column * kCellW + 2, kY + row * kCellH + 2);
  }
  void Key(uint32_t keysym) {
    SkinnedControlTest::Key(keysym);
    Idle(20);
  }

  std::unique_ptr<CHfcBmp> back;
  CMMPCtrlList list;
  Page page;
};

TEST_F(ListTest, CellsShowSelectionHoldAndTheirCaptionsInTheTextColour) {
  Make(6);
  list.GetItem(2)->SetSelected(true);
  list.SetHoldEnabled(true);
  list.GetItem(3)->SetHold(true);
  list.SetDirty(true);
  Idle(20);
  EXPECT_EQ(CellPixel(2), kSelected);
  EXPECT_EQ(CellPixel(3), kHold);
  EXPECT_EQ(CellPixel(1), kListBack);
  // Item 6 and 7 have no item: their cells show the back.
  EXPECT_EQ(CellPixel(7), kListBack);
  // White text in the first cell; a disabled item's text is half as bright.
  auto brightest = [this](int i) {
    int best = 0;
    for (int y = kY + (i / 2) * kCellH; y < kY + (i / 2 + 1) * kCellH; ++y)
      for (int x = kX + (i % 2) * kCellW; x < kX + (i % 2 + 1) * kCellW; ++x)
        best = std::max<int>(best, (Pixel(x, y) >> 8) & 0xFF);
    return best;
  };
  // (The small face's thin stems cover no pixel whole.)
  const int enabled = brightest(0);
  EXPECT_GT(enabled, 0xA0);
  list.GetItem(0)->SetEnabled(false);
  list.SetDirty(true);
  Idle(20);
  EXPECT_LT(brightest(0), enabled * 2 / 3);
  EXPECT_GT(brightest(0), 0x20);
}

TEST_F(ListTest, ArrowKeysMoveTheSelectionPastDisabledItems) {
  Make(10);
  // Nothing selected: Down selects item 0.
  Key(XK_Down);
  EXPECT_EQ(list.GetSelectedItemIndex(), 0);
  list.GetItem(2)->SetEnabled(false);
  list.GetItem(4)->SetEnabled(false);
  // Columns of 2 in a grid laid out row by row: Down steps by 2.
  struct Case {
    uint32_t key;
    int selected;
  };
  const Case cases[] = {
      {XK_Down, 6},   // 2 and 4 are disabled
      {XK_Right, 7},
      {XK_Right, 8},
      {XK_Up, 6},
      {XK_Left, 5},
      {XK_Up, 3},
      {XK_Up, 1},
      {XK_Up, 1},     // nothing above
  };
  for (const Case& c : cases) {
    Key(c.key);
    EXPECT_EQ(list.GetSelectedItemIndex(), c.selected) << c.key;
  }
  // Item 8 lies below the four rows in view: the page is asked to scroll.
  page.log.clear();
  for (int i = 0; i < 4; ++i) Key(XK_Down);
  EXPECT_EQ(list.GetSelectedItemIndex(), 9);
  EXPECT_NE(std::find(page.log.begin(), page.log.end(), "event 4 9"), page.log.end());
}

TEST_F(ListTest, ReturnActivatesOnlyEnabledItemsAndOtherKeysGoToThePage) {
  Make(4);
  list.GetItem(1)->SetSelected(true);
  page.log.clear();
  Key(XK_Return);
  EXPECT_NE(std::find(page.log.begin(), page.log.end(), "event 2 1"), page.log.end());
  list.GetItem(1)->SetEnabled(false);
  page.log.clear();
  Key(XK_Return);
  EXPECT_EQ(std::find(page.log.begin(), page.log.end(), "event 2 1"), page.log.end());
  page.log.clear();
  Key(XK_a);
  EXPECT_EQ(page.log.front(), "event 7 1");
}

TEST_F(ListTest, HoldOnlyModeReachesHeldItemsOnly) {
  Make(8);
  list.SetHoldEnabled(true);
  for (int i : {2, 5}) list.GetItem(i)->SetHold(true);
  struct Case {
    uint32_t key;
    int selected;
  };
  const Case cases[] = {{XK_Up, 2}, {XK_Down, 5}, {XK_Down, 5}, {XK_Up, 2}, {XK_Up, 2}};
  for (const Case& c : cases) {
    Key(c.key);
    EXPECT_EQ(list.GetSelectedItemIndex(), c.selected);
  }
  page.log.clear();
  Key(XK_Left);  // not a hold-mode key
  EXPECT_EQ(page.log.front(), "event 7 2");
}

TEST_F(ListTest, ClicksSelectAndTheRightButtonIsTakenWithoutEffect) {
  Make(6);
  Click(kX + kCellW + 10, kY + 5);  // column 1, row 0: item 1 (row by row)
  EXPECT_EQ(list.GetSelectedItemIndex(), 1);
  page.log.clear();
  os::MouseEvent e;
  e.kind = os::MouseEvent::Kind::kDown;
  e.button = os::MouseButton::kRight;
  e.clickCount = 1;
  e.x = kX + 10;
  e.y = kY + 5;
  editor.headless()->InjectMouse(e);
  e.kind = os::MouseEvent::Kind::kUp;
  editor.headless()->InjectMouse(e);
  env.loop().RunPending();
  EXPECT_EQ(list.GetSelectedItemIndex(), 1);
  EXPECT_TRUE(std::none_of(page.log.begin(), page.log.end(),
                           [](const std::string& s) { return s.rfind("event 0", 0) == 0; }));
  EXPECT_NE(list.GetSelectedItem(), nullptr);
}

TEST_F(ListTest, CreationNeedsTheFontAndItsRecord) {
  CMMPCtrlList bad;
  tagMMPCtrlListParamEx p{};
  p.width = 10;
  p.height = 10;
  p.columns = 1;
  p.rows = 1;
  EXPECT_FALSE(bad.CreateEx(&p, 1, 0));  // no font
  tagHfcBmpFontInfo* font = FontManager::mInstance->GetBmpFontInfo("FontGeneva9");
  p.font = font->bmp;
  EXPECT_FALSE(bad.CreateEx(&p, 1, 0));  // no font record
  p.fontInfo = font;
  p.height = 0;
  EXPECT_FALSE(bad.CreateEx(&p, 1, 0));
  EXPECT_FALSE(bad.CreateEx(nullptr, 1, 0));
}

}  // namespace
