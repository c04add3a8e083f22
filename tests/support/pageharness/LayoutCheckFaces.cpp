// The checks of what a control's face shows around its text: a drop-down
// list's text clear of its arrow, and a list's selected row legible on the
// selection's colour.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/XEDropdownList.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcCtrlListItem.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/support/pageharness/LayoutCheck.h"
#include "tests/support/pageharness/LayoutCheckKit.h"
#include "tests/support/pageharness/LayoutScene.h"

namespace vesk::test {

using namespace layoutkit;

// A drop-down list whose picture keeps room for its arrow at the right
// (the reserve) draws every item's text in a box that ends where the
// arrow's room begins, as far as its face lands (a face drawn narrower
// than the list leaves its arrow short of the list's end), and keeps a
// blank column between the text's ink and the arrow's divider.
void LayoutCheck::CheckArrow(CHfcControl& control, LayoutScene& scene, CHfcWindowLayer& layer,
                             const std::string& page) {
  auto* list = dynamic_cast<XEDropdownList*>(&control);
  if (!list || list->GetRightReserve() <= 0) return;
  const int value = list->GetIntValue();
  std::string fault;
  for (int i = 0; i < list->GetItemCount() && fault.empty(); ++i) {
    list->SetIntValue(list->GetMinIntValue() + i, false);
    const LayoutScene::Drawn drawn = scene.DrawControl(control);
    int faceRight = INT_MIN;
    for (const tagHfcPictureCopy& c : drawn.copies)
      if (!scene.IsSurface(c.picture)) faceRight = std::max(faceRight, CopiedRect(c).right);
    if (faceRight == INT_MIN) continue;
    const int arrow = faceRight - list->GetRightReserve();
    for (const tagHfcBoxedText& t : drawn.texts) {
      const int ink = t.x + HfcGetBmpTextInkWidth(t.font, HfcFitBmpText(t.font, t.text, t.width));
      if (t.x + t.width > arrow)
        fault = "draws \"" + t.text + "\" in a box to x " + std::to_string(t.x + t.width) + ", over its arrow from x " +
                std::to_string(arrow);
      else if (ink >= arrow)
        fault = "draws \"" + t.text + "\" up to its arrow's divider at x " + std::to_string(arrow);
      if (!fault.empty()) break;
    }
  }
  list->SetIntValue(value, false);
  if (!fault.empty()) Fault(page, DescribeControl(layer, control) + " " + fault);
}

// A list's selected row: the first enabled item in view, selected alone,
// shows its text at 4.5:1 against the selection's colour, as every
// enabled text must.
void LayoutCheck::CheckSelectedRow(CHfcControl& control, LayoutScene& scene, CHfcWindowLayer& layer,
                                   const std::string& page) {
  auto* list = dynamic_cast<CMMPCtrlList*>(&control);
  if (!list || !list->IsEnabled()) return;
  int view = -1;
  std::string caption;
  for (int v = 0; v < list->GetNumViewItems() && view < 0; ++v) {
    CHfcCtrlListItem* item = list->GetItem(list->ViewIndexToIndex(v));
    char text[CHfcCtrlListItem::kMaxCaption + 1];
    if (!item || !item->GetVisible() || !item->GetEnabled() || !*item->GetCaption(text, sizeof text)) continue;
    view = v;
    caption = text;
  }
  if (view < 0) return;
  std::vector<int> selected;
  for (int i = 0; i < list->GetNumItems(); ++i)
    if (list->GetItemSelected(i)) selected.push_back(i);
  list->ClearItemSelected();
  list->SetItemSelected(list->ViewIndexToIndex(view), true);
  const LayoutScene::Drawn drawn = scene.DrawControl(control);
  list->ClearItemSelected();
  for (int i : selected) list->SetItemSelected(i, true);
  // Cells are drawn apart and copied into place: the texts heard stand in
  // their cell's pixels.
  tagHfcPoint cell{};
  list->ViewIndexToPoint(&cell, view);
  const tagHfcRect f = control.GetFrame();
  const tagHfcRect area{std::max(f.left, 0), std::max(f.top, 0), std::min(f.right, layer.GetWidth()),
                        std::min(f.bottom, layer.GetHeight())};
  for (const tagHfcBoxedText& t : drawn.texts) {
    if (t.text != caption) continue;
    tagHfcBoxedText placed = t;
    placed.x += cell.x;
    placed.y += cell.y;
    const double ratio = ContrastOnGround(placed, scene.Scratch(), area);
    if (ratio > 0 && ratio < 4.5) {
      char text[32];
      std::snprintf(text, sizeof text, "%.2f:1", ratio);
      Fault(page, DescribeControl(layer, control) + ": its selected row \"" + caption + "\" stands out from the " +
                      "selection at " + text + " (enabled text needs 4.5:1)");
    }
    return;
  }
}

}  // namespace vesk::test
