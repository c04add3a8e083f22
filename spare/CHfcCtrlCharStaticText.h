#pragma once
// A block of text of fixed lines and columns in a bitmap font strip of 128
// cells (code c at row c).
#include <vector>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlCharStaticTextParam {
  int x = 0, y = 0;
  int width = 0;   // 0: glyph width x columns
  int height = 0;  // 0: glyph height x lines
  CHfcBmp* glyphs = nullptr;  // required
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int glyphWidth = 1;   // 0: the strip's width
  int glyphHeight = 1;  // 0: the strip's height / 128
  int lines = 0, columns = 0;
};

class CHfcCtrlCharStaticText : public CHfcControl {
 public:
  bool Create(const tagHfcCtrlCharStaticTextParam* param, int id, int flags);
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  // Copies the text into the first line, zero padded to the columns.
  void SetPtrValue(void* text, bool redraw) override;
  const std::vector<char>& GetBuffer() const { return text_; }

 private:
  tagHfcCtrlCharStaticTextParam m_param{};
  std::vector<char> text_;
};
