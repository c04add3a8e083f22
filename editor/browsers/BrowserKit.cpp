#include "editor/browsers/BrowserKit.h"

#include <cstdio>

#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CMMPCtrlScrollBar.h"
#include "editor/shell/XELayerBase.h"
#include "hfc/CHfcCtrlListItem.h"

namespace browserkit {

int ItemValue(const CHfcCtrlListItem* item) {
  return item ? static_cast<int>(item->mUserData1) : kNoValue;
}

void SetItemValue(CHfcCtrlListItem* item, int value) {
  if (item) item->mUserData1 = static_cast<uint32_t>(value);
}

CHfcCtrlListItem* AddItem(CMMPCtrlList* list, const std::string& caption, int value, bool enabled) {
  CHfcCtrlListItem* item = list->AddItem();
  if (!item) return nullptr;
  item->SetCaption(caption.c_str());
  SetItemValue(item, value);
  item->SetVisible(true);
  item->SetEnabled(enabled);
  return item;
}

int FindValue(const CMMPCtrlList* list, int value) {
  for (int i = 0; i < list->GetNumItems(); ++i)
    if (ItemValue(list->GetItem(i)) == value) return i;
  return -1;
}

int SelectedValue(const CMMPCtrlList* list, bool* found) {
  CHfcCtrlListItem* item = list->GetSelectedItem();
  if (found) *found = item != nullptr;
  return ItemValue(item);
}

int SelectValue(CMMPCtrlList* list, CMMPCtrlScrollBar* bar, int value, int scrollExtra) {
  list->ClearItemSelected();
  const int index = FindValue(list, value);
  if (index >= 0) {
    list->SetItemSelected(index, true);
    int target = index + scrollExtra;
    if (target > list->GetNumItems() - 1) target = list->GetNumItems() - 1;
    list->AutoScroll(target, 0);
  }
  if (bar) bar->SetIntValue(list->GetTopLine(), true);
  return index;
}

void ResetScrollRange(CMMPCtrlList* list, CMMPCtrlScrollBar* bar, int lines, int columns) {
  const int n = list->GetNumItems();
  int max = 0;
  if (columns <= 1)
    max = n - lines;
  else if (lines > 0)
    max = (n + lines - 1) / lines - columns;
  if (max < 0) max = 0;
  if (bar) {
    bar->SetMaxIntValue(max, false);
    bar->SetIntValue(0, true);
  }
  list->SetCurrentLine(0);
}

void PutControl(XELayerBase* page, CHfcControl* control, bool listener) {
  if (!control) return;
  page->AddControl(control, false);
  if (listener) control->SetListener(page);
  control->Show(false);
}

void FitWidth(CHfcControl* control, int width) {
  if (control && control->GetWidth() > width) control->Resize(width, control->GetHeight(), false);
}

std::string NumberAndName(int number, const std::string& name) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%03d", number);
  return std::string(buf) + " " + name;
}

}  // namespace browserkit
