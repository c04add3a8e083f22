#pragma once
// A one-line character display from a 128-cell glyph strip (code 1 is the
// cursor block): it shows a short text, lets the user drag a number when it
// is not being edited, and edits a range of its characters in place with a
// blinking block cursor, mouse selection and overwrite typing. The owner
// drives the special keys through the public edit operations.
#include <vector>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlCharLcdParam {
  int x = 0, y = 0;
  int width = 1;
  int height = 1;  // 0: one glyph high
  CHfcBmp* glyphs = nullptr;  // required
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int reserved1 = 0;
  int characters = 1;
  int lines = 1;
  int reserved2 = 255;
  int reserved3 = 0;
  int minimum = 0, maximum = 16383;
  int step = 128, shiftStep = 16;
  float minimumF = 0.0f, maximumF = 1.0f;
  float reserved4 = 0.01f, reserved5 = 0.001f;
};

class CHfcCtrlCharLcd : public CHfcControl {
 public:
  static constexpr int kEditBufferSize = 1024;
  static constexpr int kBlinkHalfPeriod = 250;

  CHfcCtrlCharLcd();
  // False without a record or glyph strip, or with no characters.
  bool Create(const tagHfcCtrlCharLcdParam* param, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void OnIdle(int elapsed) override;
  void SetFloatValue(float v, bool redraw) override;
  void SetIntValue(int v, bool redraw) override;
  void SetPtrValue(void* text, bool redraw) override;
  using CHfcControl::OnHfcKeyChar;
  using CHfcControl::OnHfcKeyDown;
  using CHfcControl::OnHfcKeyLostFocus;
  using CHfcControl::OnHfcKeyUp;
  bool OnHfcKeyDown(CHfcKeyFocus*, int, int, int) override { return false; }
  bool OnHfcKeyUp(CHfcKeyFocus*, int, int, int) override { return false; }
  bool OnHfcKeyChar(CHfcKeyFocus* focus, int chr) override;
  void OnHfcKeyLostFocus(CHfcKeyFocus* focus) override;

  bool EnterEdit(int start, int end, bool selectAll);
  void ExitEdit();
  void ConfirmEdit();
  void SetEditBuf(const char* text);
  void SetEditSelect(int a, int b);
  bool GetEditSelect(int* a, int* b) const;
  void SetEditCursor(int pos);
  void EditSetCursorStart();
  void EditSetCursorEnd();
  void EditIncrementCursor();
  void EditDecrementCursor();
  void EditDelete();
  void EditBackSpace();

  bool IsEditing() const { return !edit_.empty(); }
  const char* GetText() const { return text_.data(); }
  const char* GetEditBuf() const { return edit_.empty() ? nullptr : edit_.data(); }
  int GetCursor() const { return cursor_; }
  bool IsSelectionActive() const { return selectionActive_; }
  int GetSelectionStart() const { return selStart_; }
  int GetSelectionEnd() const { return selEnd_; }
  bool IsCursorShown() const { return blinkOn_; }

 private:
  void StoreText(const char* text, bool redraw);
  int CellAt(int x) const;
  int ClampToRange(int cell) const;
  void RestartBlink();
  void RemoveSelection();
  void RemoveAt(int index, int count);

  tagHfcCtrlCharLcdParam m_param;
  int glyphW_ = 1, glyphH_ = 1;
  std::vector<char> text_;
  std::vector<char> edit_;
  int rangeStart_ = 0, rangeEnd_ = 0;
  int selStart_ = 0, selEnd_ = 0;
  bool selectionActive_ = false;
  int cursor_ = 0;
  int anchor_ = 0;
  int blink_ = kBlinkHalfPeriod;
  bool blinkOn_ = true;
  bool doubleClick_ = false;
  int pressY_ = 0;
  int accumulator_ = 0;
  int lastReported_ = 0;
};
