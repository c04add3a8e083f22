#pragma once
// A skinned selector that shows one item text over a background picture and
// steps through the items by clicking its increment or decrement area, by
// holding the press (a step every 300 ms) or by dragging vertically
// elsewhere. The value is the index of the shown item.
#include <cstdint>
#include <string>
#include <vector>

#include "hfc/CHfcControl.h"

struct tagHfcBmpFontInfo;

struct SXEUpdownSelector {
  int x, y;
  CHfcBmp* background;  // required: it also gives the size
  int incLeft, incTop, incRight, incBottom;
  int decLeft, decTop, decRight, decBottom;
  int reserved[3];
  tagHfcBmpFontInfo* font;  // null: "FontHelvB11"
  uint32_t textColour;
};

class XEUpdownSelector : public CHfcControl {
 public:
  XEUpdownSelector();
  bool Create(const SXEUpdownSelector* record, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void OnIdle(int elapsed) override;
  void SetIntValue(int value, bool redraw) override;
  void SetPtrValue(void*, bool) override {}

  int AddItem(const std::string& text);
  void ClearAllItems();
  int GetItemCount() const { return static_cast<int>(items_.size()); }
  std::string GetItemText(int index) const;
  void SetItemText(int index, const std::string& text);

 private:
  void Step(int delta);

  tagHfcBmpFontInfo* font_ = nullptr;
  uint32_t colour_ = 0;
  CHfcBmp* background_ = nullptr;
  bool pressed_ = false;
  int repeat_ = 0;
  bool down_ = false;
  bool dragged_ = false;
  int lastX_ = 0, lastY_ = 0;
  int reported_ = 0;
  float accumulator_ = 0.0f;
  float normalFactor_ = 0.1f;
  float shiftFactor_ = 1.0f;
  tagHfcRect inc_{0, 0, 0, 0};
  tagHfcRect dec_{0, 0, 0, 0};
  std::vector<std::string> items_;
};
