#pragma once
// A one-line label in a proportional bitmap font, aligned in its box over
// a piece of the page's background. A click goes to the page.
#include <cstdint>
#include <string>

#include "hfc/CHfcControl.h"
#include "hfc/HfcBmpFontInfo.h"

class CHfcBmp;

struct SXEStaticText {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;  // 0: the font's cell height
  CHfcBmp* back;
  int32_t backX;
  int32_t backY;
  tagHfcBmpFontInfo* font;
  const char* text;  // copied
  uint32_t color;
  int32_t hAlign;  // 0 left, 1 centre, 2 right
  int32_t xOffset;
  int32_t vAlign;  // 0 top, 1 centre, 2 bottom
  int32_t yOffset;
};

class XEStaticText : public CHfcControl {
 public:
  XEStaticText() = default;
  ~XEStaticText() override = default;

  bool Create(SXEStaticText* param, int id, int flags);
  void Draw(CHfcDrawContext* context) override;
  // Takes a const char*; null is ignored.
  void SetPtrValue(void* text, bool redraw) override;
  void* GetPtrValue() override { return const_cast<char*>(m_text.c_str()); }
  bool OnHfcMouseLButtonDown(CHfcMouse* mouse, int x, int y, int mods) override;

  virtual void SetTextColor(unsigned int color) { m_uTextColor = color; }
  virtual unsigned int GetTextColor() const { return m_uTextColor; }
  const std::string& GetText() const { return m_text; }

 protected:
  virtual void DrawText(CHfcDrawContext* context);

 private:
  CHfcBmp* m_pBack = nullptr;
  int32_t m_iBackX = 0;
  int32_t m_iBackY = 0;
  tagHfcBmpFontInfo* m_pFont = nullptr;
  std::string m_text;
  uint32_t m_uTextColor = 0xFF000000u;
  int32_t m_iHAlign = 0;
  int32_t m_iVAlign = 0;
  int32_t m_iXOffset = 0;
  int32_t m_iYOffset = 0;
};

// A colour's alpha multiplied by factor (truncated): how the editor's
// controls fade their text while disabled.
uint32_t XEScaleAlpha(uint32_t color, float factor);

// How far two colours stand apart for a reader (1 to 21, alpha aside), by
// their relative luminance: 4.5 is what text a user must read needs.
double XEContrastRatio(uint32_t a, uint32_t b);
