#pragma once
// The skinned selector of an enumerated parameter: its face shows the
// current choice and a press opens a popup menu of all choices. Pages fill
// it from a parameter description and hear the choice as an int value.
#include <cstdint>
#include <string>
#include <vector>

#include "hfc/CHfcCtrlTextSwitch.h"

struct SXEDropdownListParam : tagHfcCtrlTextSwitchParam {
  int32_t rightReserve;  // width at the right of the face that the text leaves free
};

class XEDropdownList : public CHfcCtrlTextSwitch {
 public:
  static constexpr int kNone = static_cast<int>(0x80000000u);

  struct stItem {
    std::string text;     // in the menu
    std::string subText;  // on the face
  };

  XEDropdownList();
  ~XEDropdownList() override;

  bool Create(SXEDropdownListParam* param, int id, int idHigh);
  void AddItem(const char* text, const char* subText, bool redraw);
  void AddItem(const char* text, bool redraw) { AddItem(text, nullptr, redraw); }
  void DeleteAllItems();
  int GetItemCount() const { return static_cast<int>(m_items.size()); }
  bool GetItemText(std::string& out, int index) const;
  // What the face shows now: the chosen item's face text (empty for none).
  std::string GetFaceText() const;
  int GetSelectedItemIndex() const { return m_iValue; }
  void SetSelectedItemIndex(int index, bool redraw);
  // The caller keeps the list alive; one byte per item.
  void SetEnableParameterList(bool* list, int count);
  bool* GetEnableParameterList() const { return m_pEnableList; }
  void SetEnableIndex(int index, bool enabled);
  int GetRightReserve() const { return m_iRightReserve; }

  bool OnHfcMouseLButtonDown(CHfcMouse* mouse, int x, int y, int mods) override;
  void Draw(CHfcDrawContext* context) override;
  // Values that name no item are stored as none.
  void SetIntValue(int value, bool redraw) override;
  // The item count: one more than the largest value.
  int GetMaxIntValue() override { return GetItemCount(); }
  void DrawText(CHfcDrawContext* context) override;

 private:
  // The item a value names, -1 for none.
  int ItemOf(int value) const;

  std::vector<stItem> m_items;
  bool* m_pEnableList = nullptr;
  int32_t m_iEnableCount = 0;
  int32_t m_iRightReserve = 10;
};
