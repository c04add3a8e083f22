#pragma once
// The browsers' list of text cells: the framework's list drawn with the
// editor's proportional bitmap font, coloured selection and hold marks,
// arrow keys that skip disabled items, and a hold-only mode in which only
// held items can be reached.
#include <cstdint>

#include "hfc/CHfcCtrlList.h"
#include "hfc/HfcBmpFontInfo.h"

struct tagMMPCtrlListParamEx : tagHfcCtrlListParam {
  uint8_t proportional;
  tagHfcBmpFontInfo* fontInfo;  // required: creation writes the font picture into it
  uint32_t textColor;
};

class CMMPCtrlList : public CHfcCtrlList {
 public:
  // Character codes of the keys the list answers.
  static constexpr int kCharLeft = 28;
  static constexpr int kCharRight = 29;
  static constexpr int kCharUp = 30;
  static constexpr int kCharDown = 31;
  static constexpr int kCharReturn = 13;

  CMMPCtrlList() = default;
  ~CMMPCtrlList() override = default;

  bool CreateEx(tagMMPCtrlListParamEx* param, int id, int flags);
  CHfcCtrlListItem* GetSelectedItem() const;

  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  void Draw(CHfcDrawContext* dc) override;
  void Erase(CHfcDrawContext* dc) override;
  void Update(bool force, bool now) override;
  bool OnKeyDown(int chr, int key, int mods) override;
  bool OnKeyRepeat(int chr, int key, int mods) override { return OnKeyDown(chr, key, mods); }

  bool IsProportional() const { return m_bProportional; }
  uint32_t GetTextColor() const { return m_uTextColor; }

 protected:
  using CHfcCtrlList::DrawCell;
  void DrawCell(CHfcDrawContext* dc, int index, bool force) override;
  void EraseCell(CHfcDrawContext* dc, int v, bool force) override;
  void DrawCell(CHfcOffscreenContext* dc, CHfcCtrlListItem* item, int index, int width,
                int height) override;

 private:
  tagHfcRect FocusArea() const;
  bool Horizontal() const { return GetParam().verticalOrder; }
  // The next index with its hold flag from `from` in steps of dir; -1 for none.
  int NextHeld(int from, int dir) const;

  bool m_bProportional = false;
  tagHfcBmpFontInfo* m_pFontInfo = nullptr;
  uint32_t m_uTextColor = 0xFFFFFFFFu;
  bool m_bCopyNow = true;
};
