#pragma once
// A framed name field that shows the selected sound (or program, riff,
// parameter, modulation source) and opens a picker through its page when
// clicked. With the strip-prefix flag a text "A012: Name" shows as "Name".
#include <cstdint>
#include <string>

#include "hfc/CHfcControl.h"
#include "hfc/HfcBmpFontInfo.h"

class CHfcBmp;

struct SXESoundSelector {
  int32_t kind;  // what the field selects: 3 sound, 4 program, 5 riff, 6 parameter, 7 modulation
  int32_t x;
  int32_t y;
  CHfcBmp* frame;  // its size is the control's
  CHfcBmp* back;
  int32_t backX;
  int32_t backY;
  tagHfcBmpFontInfo* font;  // null: "FontGeneva9"
  int32_t margin;
  int32_t stripPrefix;
  uint32_t color;
};

class XESoundSelector : public CHfcControl {
 public:
  XESoundSelector() = default;
  ~XESoundSelector() override = default;

  bool Create(SXESoundSelector* param, int id, int flags);
  void Draw(CHfcDrawContext* context) override;
  // Values outside [minimum, maximum] are stored as -1.
  void SetIntValue(int value, bool redraw) override;
  // Takes a const char*.
  void SetPtrValue(void* text, bool redraw) override;
  void* GetPtrValue() override { return const_cast<char*>(m_text.c_str()); }
  bool OnHfcMouseLButtonDown(CHfcMouse* mouse, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* mouse, int x, int y, int mods) override;

  int GetKind() const { return m_iKind; }
  const std::string& GetText() const { return m_text; }
  // What the field shows: the text, or with the strip-prefix flag what
  // follows its first ':' and the character after it.
  std::string GetShownText() const;

 protected:
  virtual void DrawText(CHfcDrawContext* context);

 private:
  // The frame picture, stretched to the field's width; main thread.
  void DrawFrame(CHfcDrawContext* dc);

  int32_t m_iKind = 0;
  tagHfcBmpFontInfo* m_pFont = nullptr;
  std::string m_text;
  uint32_t m_uTextColor = 0xFF000000u;
  CHfcBmp* m_pFrame = nullptr;
  CHfcBmp* m_pBack = nullptr;
  int32_t m_iMargin = 0;
  int32_t m_iBackX = 0;
  int32_t m_iBackY = 0;
  bool m_bStripPrefix = false;
};
