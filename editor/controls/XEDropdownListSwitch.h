#pragma once
// A text switch whose right-hand end is an arrow area: a press left of it
// is an ordinary switch press, a press on it pops up the item texts, and
// the chosen item's text is what the face shows.
#include <cstdint>
#include <string>
#include <vector>

#include "hfc/CHfcCtrlTextSwitch.h"

struct SXEDropdownListSwitchParam : tagHfcCtrlTextSwitchParam {
  int32_t itemKind;    // what the items are, for the page that fills them
  int32_t arrowWidth;  // the control keeps its own (22)
};

class XEDropdownListSwitch : public CHfcCtrlTextSwitch {
 public:
  static constexpr int kArrowWidth = 22;
  static constexpr uint32_t kSelectedTextColour = 0xFFFFFFFFu;

  XEDropdownListSwitch() = default;
  ~XEDropdownListSwitch() override = default;

  bool Create(SXEDropdownListSwitchParam* param, int id, int flags);
  void AddItem(const char* text, bool redraw);
  // The selection is kept; a stale one shows no text.
  void DeleteAllItems();
  int GetItemCount() const { return static_cast<int>(m_items.size()); }
  int GetSelectedItemIndex() const { return m_iSelected; }
  // Indexes outside the items select none (-1); no listener is told.
  void SetSelectedItemIndex(int index, bool redraw);

  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  void Draw(CHfcDrawContext* dc) override;
  void DrawText(CHfcDrawContext* dc) override;

  int GetArrowWidth() const { return m_iArrowWidth; }
  int GetItemKind() const { return m_iItemKind; }

 private:
  uint32_t m_uSelectedTextColour = kSelectedTextColour;
  int32_t m_iArrowWidth = kArrowWidth;
  int32_t m_iSelected = -1;
  int32_t m_iItemKind = 0;
  std::vector<std::string> m_items;
};
