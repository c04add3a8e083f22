#pragma once
// A switch with one line of proportional bitmap-font text over its frame;
// the text is the control's pointer value.
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/HfcBmpFontInfo.h"

struct tagHfcCtrlTextSwitchParam : tagHfcCtrlSwitchParamEx {
  tagHfcBmpFontInfo* font;
  const char* text;
  uint32_t textColor;
  int32_t hAlign;  // 0 left, 1 centre, 2 right
  int32_t hMargin;
  int32_t vAlign;  // 0 top, 1 centre, 2 bottom
  int32_t vMargin;
};

class CHfcCtrlTextSwitch : public CHfcCtrlSwitch {
 public:
  CHfcCtrlTextSwitch() = default;
  ~CHfcCtrlTextSwitch() override;

  bool Create(tagHfcCtrlTextSwitchParam* param, int id, int userValue);
  void Draw(CHfcDrawContext* dc) override;
  void* GetPtrValue() override { return m_pText; }
  // A null text is ignored; the text is copied.
  void SetPtrValue(void* text, bool redraw) override;
  virtual void DrawText(CHfcDrawContext* dc);

  const char* GetText() const { return m_pText; }
  tagHfcBmpFontInfo* GetFont() const { return m_pFont; }

 protected:
  // Where the text's top goes inside the frame by the vertical alignment
  // (never above the frame).
  int TextTop() const;

  tagHfcBmpFontInfo* m_pFont = nullptr;
  char* m_pText = nullptr;
  uint32_t m_uTextColor = 0;
  int32_t m_iHAlign = 1;
  int32_t m_iVAlign = 1;
  int32_t m_iHMargin = 0;
  int32_t m_iVMargin = 0;
};
