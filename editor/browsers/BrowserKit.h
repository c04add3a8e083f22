#pragma once
// Small helpers the browser pages share: building controls into a page,
// the scroll range of a filled list, and list items carrying an int value.
#include <string>

class CHfcControl;
class CHfcCtrlListItem;
class CMMPCtrlList;
class CMMPCtrlScrollBar;
class XELayerBase;

namespace browserkit {

// The value of an item that was given none.
constexpr int kNoValue = -1;

int ItemValue(const CHfcCtrlListItem* item);
void SetItemValue(CHfcCtrlListItem* item, int value);
// Adds a visible item; returns it.
CHfcCtrlListItem* AddItem(CMMPCtrlList* list, const std::string& caption, int value,
                          bool enabled = true);
// The first item holding the value, -1 for none.
int FindValue(const CMMPCtrlList* list, int value);
int SelectedValue(const CMMPCtrlList* list, bool* found = nullptr);
// Selects the first item with the value (deselecting the others), scrolls
// it into view and moves the bar to the list's first visible line; the
// index selected or -1.
int SelectValue(CMMPCtrlList* list, CMMPCtrlScrollBar* bar, int value, int scrollExtra = 0);
// With N items, L lines and C columns: N - L for one column, else
// ceil(N / L) - C, never below 0; bar and list back to the top.
void ResetScrollRange(CMMPCtrlList* list, CMMPCtrlScrollBar* bar, int lines, int columns);

// Adds a control to the page (without redraw), shows it and, unless
// listener is false, makes the page its listener. Null passes through.
template <typename T>
T* Put(XELayerBase* page, T* control, bool listener = true);
void PutControl(XELayerBase* page, CHfcControl* control, bool listener);

template <typename T>
T* Put(XELayerBase* page, T* control, bool listener) {
  PutControl(page, control, listener);
  return control;
}

// Narrows a selector whose picture is wider than the room the page has
// for it (its face is cut at the right).
void FitWidth(CHfcControl* control, int width);

// "007 Name": the number in three digits, a blank and the name.
std::string NumberAndName(int number, const std::string& name);

}  // namespace browserkit
