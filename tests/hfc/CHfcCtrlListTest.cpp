#include "hfc/CHfcCtrlList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "hfc/CHfcKey.h"
#include "os/window/HeadlessWindow.h"
#include "tests/hfc/HfcCtrlScene.h"

namespace {

using hfctest::CodedFont;
using hfctest::CtrlScene;
using hfctest::Log;
using hfctest::LoggingListener;

constexpr uint32_t kSelected = 0xFFFFA21Fu;
constexpr uint32_t kBack = 0xFFE0E4EAu;

// Cells of 40 x 20 with a 6-pixel coded font.
struct ListScene : CtrlScene {
  std::unique_ptr<CHfcBmp> font = CodedFont(6);
  std::unique_ptr<CHfcBmp> back;
  CHfcCtrlList list;
  LoggingListener listener;

  tagHfcCtrlListParam Param(int columns, int rows, bool vertical) {
    tagHfcCtrlListParam p = CHfcCtrlList::sm_mInitParam;
    p.x = 10;
    p.y = 20;
    p.width = 40 * columns;
    p.height = 20 * rows;
    p.font = font.get();
    p.columns = columns;
    p.rows = rows;
    p.marginX = 1;
    p.marginY = 1;
    p.textX = 2;
    p.verticalOrder = vertical;
    p.selectedColor = kSelected;
    p.holdColor = 0xFF406080u;
    p.bgBmp = back.get();
    return p;
  }
  void Build(int columns, int rows, bool vertical, int items, bool multi = false) {
    back = std::make_unique<CHfcBmp>();
    back->Create(400, 300);
    CHfcOffscreenContext bdc(back.get());
    bdc.SetBrushColor(kBack);
    bdc.FillRect(0, 0, 400, 300);
    tagHfcCtrlListParam p = Param(columns, rows, vertical);
    p.multipleSelection = multi;
    ASSERT_TRUE(list.Create(&p, 7, 0));
    list.SetListener(&listener);
    for (int i = 0; i < items; ++i) list.AddItem()->SetCaption(("item" + std::to_string(i)).c_str());
    Add(&list);
    Present();
    listener.log.clear();
  }
  // Layer point of the centre of view cell (column, row).
  int CellX(int column) { return 10 + column * 40 + 20; }
  int CellY(int row) { return 20 + row * 20 + 10; }
};

TEST(CHfcCtrlList, LinesCountAPartlyFilledLastLine) {
  struct Case {
    int items, columns, rows;
    bool vertical;
    int lines;
  };
  const Case cases[] = {
      {5, 2, 1, false, 3},  // 5 items in 2 columns of row order
      {4, 3, 1, false, 2},  // the fourth item has a line of its own
      {6, 3, 1, false, 2},
      {0, 3, 1, false, 0},
      {7, 2, 3, true, 3},   // vertical: a line is a column of 3
  };
  for (const Case& c : cases) {
    ListScene s;
    s.Build(c.columns, c.rows, c.vertical, c.items);
    EXPECT_EQ(s.list.GetNumLines(), c.lines) << c.items << " in " << c.columns;
  }
}

TEST(CHfcCtrlList, TheLastItemOfAShortLastLineScrollsIntoView) {
  ListScene s;
  s.Build(3, 1, false, 4);
  EXPECT_EQ(s.list.SetCurrentLine(1), 1);
  s.Present();
  // Item 3 now sits in the first cell: its caption starts with 'i'.
  EXPECT_EQ(s.Pixel(10 + 1 + 2 + 1, 20 + 10), 0xFF00C000u | 'i');
  // The cells the scroll emptied are erased to the background.
  EXPECT_EQ(s.Pixel(s.CellX(1), s.CellY(0)), kBack);
  s.list.SetCurrentLine(0);
  s.list.AutoScroll(3, 0);
  EXPECT_EQ(s.list.GetTopLine(), 1);
  EXPECT_FALSE(s.list.CheckNeedScroll(3));
}

TEST(CHfcCtrlList, ViewIndicesFollowTheOrderOfTheCells) {
  ListScene s;
  s.Build(2, 3, true, 6);
  int column = -1;
  int row = -1;
  s.list.ViewIndexToCellIndicator(&column, &row, 4);
  EXPECT_EQ(column, 1);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(s.list.PointToViewIndex(60, 30, nullptr, nullptr), 4);
  // A click at (cell width x 1.5, cell height x 1.5) selects item 4.
  s.Press(10 + 60, 20 + 30);
  s.Release(10 + 60, 20 + 30);
  EXPECT_EQ(s.list.GetSelectedItemIndex(), 4);
  EXPECT_EQ(s.listener.log, (Log{"event 0 1", "event 1 0", "event 0 0", "event 0 1", "event 1 0"}));
}

TEST(CHfcCtrlList, SmallMovesSelectAndLargerOnesStartADrag) {
  struct Case {
    int dx, dy;
    bool drag;
  };
  // Pressed 2 pixels left of the boundary between cells 0 and 1.
  const Case cases[] = {{3, 0, false}, {2, 2, true}, {0, 4, true}, {1, 2, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
    ListScene s;
    s.Build(3, 1, false, 3);
    const int x = 10 + 38;
    const int y = 25;
    s.Press(x, y);
    ASSERT_EQ(s.list.GetSelectedItemIndex(), 0);
    s.Drag(x + c.dx, y + c.dy);
    s.Release(x + c.dx, y + c.dy);
    if (c.drag) {
      ASSERT_EQ(s.listener.dragRecord.size(), 5u);
      EXPECT_EQ(s.listener.dragRecord[0], 0);
      // Screen point of the pointer; the cell's corner relative to it.
      const int gx = os::HeadlessWindow::kDefaultOriginX + CtrlScene::kLayerX + x + c.dx;
      EXPECT_EQ(s.listener.dragRecord[1], gx);
      EXPECT_EQ(s.listener.dragRecord[3], -(38 + c.dx));
      EXPECT_EQ(s.listener.dragRecord[4], -(5 + c.dy));
      EXPECT_EQ(s.list.GetSelectedItemIndex(), 0);  // the release selects nothing
    } else {
      EXPECT_TRUE(s.listener.dragRecord.empty());
      EXPECT_EQ(s.list.GetSelectedItemIndex(), c.dx >= 2 ? 1 : 0);
    }
  }
}

TEST(CHfcCtrlList, RightButtonSelectsAndItsReleaseAsksForAContextMenu) {
  ListScene s;
  s.Build(3, 1, false, 3);
  s.Mouse(os::MouseEvent::Kind::kDown, s.CellX(2), s.CellY(0), 0, os::MouseButton::kRight);
  EXPECT_EQ(s.list.GetSelectedItemIndex(), 2);
  s.listener.log.clear();
  s.Mouse(os::MouseEvent::Kind::kUp, s.CellX(2), s.CellY(0), 0, os::MouseButton::kRight);
  EXPECT_EQ(s.listener.rightUps, 1);
  EXPECT_EQ(s.listener.log, (Log{"event 6 2"}));
  EXPECT_EQ(s.listener.contextPoint.x, s.CellX(2));
  EXPECT_EQ(s.listener.contextPoint.y, s.CellY(0));
  // Control-click asks too, then selects as a plain click.
  s.listener.log.clear();
  s.Press(s.CellX(0), s.CellY(0), 8);
  EXPECT_EQ(s.listener.log.front(), "event 6 0");
  EXPECT_EQ(s.list.GetSelectedItemIndex(), 0);
}

TEST(CHfcCtrlList, ShiftAndCommandClicksSelectRangesAndToggle) {
  ListScene s;
  s.Build(4, 1, false, 4, true);
  s.list.GetItem(2)->SetEnabled(true);
  s.Press(s.CellX(2), s.CellY(0), 1);  // Shift with nothing selected: 0 ... 2
  s.Release(s.CellX(2), s.CellY(0), 1);
  EXPECT_EQ(s.list.GetNumSelectedItems(), 3);
  EXPECT_FALSE(s.list.GetItemSelected(3));
  s.Press(s.CellX(1), s.CellY(0), 2);  // Command toggles on release
  EXPECT_TRUE(s.list.GetItemSelected(1));
  s.Release(s.CellX(1), s.CellY(0), 2);
  EXPECT_FALSE(s.list.GetItemSelected(1));
  EXPECT_EQ(s.list.GetNumSelectedItems(), 2);
}

TEST(CHfcCtrlList, KeysMoveTheSelectionAndActivate) {
  struct Case {
    const char* what;
    int columns, rows;
    bool vertical;
    int items, start;
    uint32_t keysym;
    int selected;
    Log log;
  };
  const Case cases[] = {
      {"down on the last item stays and still reports", 1, 3, false, 3, 2, 0xFF54, 2,
       {"event 0 0", "event 0 1", "event 1 0"}},
      {"down past the view asks to scroll", 1, 2, false, 3, 1, 0xFF54, 2,
       {"event 0 0", "event 0 1", "event 4 2", "event 1 0"}},
      {"right in vertical order jumps a column", 2, 2, true, 4, 1, 0xFF53, 3,
       {"event 0 0", "event 0 1", "event 1 0"}},
      {"up in row order jumps a row", 2, 2, false, 4, 3, 0xFF52, 1,
       {"event 0 0", "event 0 1", "event 1 0"}},
      {"return activates", 2, 2, false, 4, 3, 0xFF0D, 3, {"event 0 0", "event 0 1", "event 2 3"}},
      {"other keys go to the listener", 2, 2, false, 4, 3, 'a', 3, {"event 7 3"}},
      {"an arrow with nothing selected takes item 0", 2, 2, false, 4, -1, 0xFF51, 0,
       {"event 0 1", "event 1 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ListScene s;
    s.Build(c.columns, c.rows, c.vertical, c.items);
    if (c.start >= 0) s.list.GetItem(c.start)->SetSelected(true);
    ASSERT_TRUE(s.list.SetKeyFocus());
    s.Key(c.keysym);
    EXPECT_EQ(s.list.GetSelectedItemIndex(), c.selected);
    EXPECT_EQ(s.listener.log, c.log);
    CHfcKey::sm_pInstance->ReleaseFocus();
  }
}

TEST(CHfcCtrlList, CellsShowCaptionsSelectionAndHighCharacters) {
  ListScene s;
  s.Build(3, 1, false, 0);
  s.list.AddItem()->SetCaption("ab");
  s.list.AddItem()->SetCaption("\xE9x");  // a byte above 127 shows the placeholder
  s.list.SetItemSelected(0, true);  // adding alone does not redraw the list
  s.Present();
  // Text starts at margin + text x = 3 in the cell, 6 pixels a character,
  // rows 7 to 12 of the cell (centred).
  EXPECT_EQ(s.Pixel(10 + 3, 30), 0xFF00C000u | 'a');
  EXPECT_EQ(s.Pixel(10 + 9, 30), 0xFF00C000u | 'b');
  EXPECT_EQ(s.Pixel(10 + 30, 30), kSelected);  // selected fill beyond the text
  EXPECT_EQ(s.Pixel(10 + 40 + 3, 30), 0xFF00C000u | 127);
  EXPECT_EQ(s.Pixel(10 + 40 + 9, 30), 0xFF00C000u | 'x');
  EXPECT_EQ(s.Pixel(10 + 40 + 30, 30), kBack);
  // One changed cell is redrawn alone: deselecting brings the background
  // back in that cell only.
  const int presents = s.window.platform()->PresentCount();
  s.list.SetItemSelected(0, false);
  s.Present();
  EXPECT_EQ(s.Pixel(10 + 30, 30), kBack);
  EXPECT_EQ(s.window.platform()->PresentCount(), presents + 1);
  // Hidden, the list leaves the background; shown again, it draws its items.
  s.list.Hide(true);
  s.Present();
  EXPECT_EQ(s.Pixel(10 + 3, 30), kBack);
  s.list.Show(true);
  s.Present();
  EXPECT_EQ(s.Pixel(10 + 3, 30), 0xFF00C000u | 'a');
  // A forced update draws every item, changed or not.
  s.layer.GetOffscreen()->FillRect(0, 0, 360, 280);
  s.list.Update(true, true);
  EXPECT_EQ(s.Pixel(10 + 40 + 9, 30), 0xFF00C000u | 'x');
}

TEST(CHfcCtrlList, CaptionsAreCutAndCopiedTerminated) {
  CHfcCtrlListItem item;
  const std::string longText(300, 'q');
  item.SetCaption(longText.c_str());
  char big[400];
  std::memset(big, 'z', sizeof big);
  ASSERT_NE(item.GetCaption(big, sizeof big), nullptr);
  EXPECT_EQ(std::string(big), std::string(256, 'q'));
  char small[10];
  std::memset(small, 'z', sizeof small);
  item.GetCaption(small, sizeof small);
  EXPECT_EQ(std::string(small), std::string(9, 'q'));
  EXPECT_EQ(item.GetCaption(small, 0), nullptr);
  // Same text: not dirty again.
  item.SetDirty(false);
  item.SetCaption((longText + "tail").c_str());
  EXPECT_FALSE(item.IsDirty());
}

class FailingList : public CHfcCtrlList {
 public:
  int growsLeft = 1 << 30;

 protected:
  bool ResizeItems(int count) override {
    if (count > GetNumItems() && growsLeft-- <= 0) return false;
    return CHfcCtrlList::ResizeItems(count);
  }
};

TEST(CHfcCtrlList, AFailedGrowKeepsTheItems) {
  auto font = CodedFont(6);
  FailingList list;
  tagHfcCtrlListParam p = CHfcCtrlList::sm_mInitParam;
  p.width = 90;
  p.height = 20;
  p.columns = 3;
  p.rows = 1;
  p.font = font.get();
  ASSERT_TRUE(list.Create(&p, 1, 0));
  list.growsLeft = 2;
  list.AddItem()->SetCaption("a");
  list.AddItem()->SetCaption("b");
  EXPECT_EQ(list.AddItem(), nullptr);
  EXPECT_EQ(list.InsertItem(0), nullptr);
  ASSERT_EQ(list.GetNumItems(), 2);
  EXPECT_STREQ(list.GetItem(1)->Caption(), "b");
  EXPECT_EQ(list.GetItem(1)->GetIndex(), 1);
}

TEST(CHfcCtrlList, ItemsKeepTheirIndicesThroughInsertMoveAndDelete) {
  auto font = CodedFont(6);
  CHfcCtrlList list;
  tagHfcCtrlListParam p = CHfcCtrlList::sm_mInitParam;
  p.width = 90;
  p.height = 20;
  p.columns = 3;
  p.rows = 1;
  p.maxItems = 4;
  p.font = font.get();
  EXPECT_FALSE(list.Create(nullptr, 1, 0));
  p.font = nullptr;
  EXPECT_FALSE(list.Create(&p, 1, 0));
  p.font = font.get();
  ASSERT_TRUE(list.Create(&p, 1, 0));
  for (const char* c : {"a", "b", "c"}) list.AddItem()->SetCaption(c);
  EXPECT_EQ(list.InsertItem(-1), nullptr);
  list.InsertItem(1)->SetCaption("x");      // a x b c
  EXPECT_EQ(list.AddItem(), nullptr);       // the maximum is 4
  EXPECT_TRUE(list.MoveItem(3, 0));         // x b c a
  EXPECT_FALSE(list.MoveItem(4, 0));
  EXPECT_TRUE(list.DeleteItem(1));          // x c a
  EXPECT_FALSE(list.DeleteItem(3));
  std::string order;
  for (int i = 0; i < list.GetNumItems(); ++i) {
    order += list.GetItem(i)->Caption();
    EXPECT_EQ(list.GetItem(i)->GetIndex(), i);
  }
  EXPECT_EQ(order, "xca");
  // Without a listener nothing clears the selection.
  list.GetItem(0)->SetSelected(true);
  list.ClearItemSelected();
  EXPECT_TRUE(list.GetItemSelected(0));
}

}  // namespace
