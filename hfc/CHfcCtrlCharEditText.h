#pragma once
// A text shown in a bitmap font that the user edits in place; outside
// editing it is also a numeric field whose value is dragged or stepped
// with the arrow keys. The finished text goes to the listener as a pointer
// value, which stores it back with SetPtrValue.
//
// Create gives the plain mouse set (value drag with begin and end
// reports); CreateEx and CreateEx2 the extended set (accelerated drag,
// editing on double click, focus on click).
#include <cstdint>

#include "hfc/CHfcControl.h"
#include "hfc/CHfcEditTextEngine.h"
#include "hfc/CHfcEditTextEngineListener.h"
#include "hfc/HfcBmpFontInfo.h"

class CHfcBmp;

struct tagHfcCtrlCharEditTextParam {
  int32_t x, y;
  int32_t width;   // 0: character width x columns
  int32_t height;  // 0: character height x rows
  CHfcBmp* font;   // 128 fixed cells stacked from the top; required
  CHfcBmp* background;
  CHfcBmp* overlay;
  int32_t backgroundX, backgroundY;
  int32_t charWidth;   // 0: the font's width
  int32_t charHeight;  // 0: the font's height / 128
  int32_t rows, columns;
  int32_t minimum, maximum;
  int32_t step;
  int32_t reserved;
  uint32_t storedColor;
  uint32_t fillColor;  // 0: no fill
};

struct tagHfcCtrlCharEditTextParamEx {
  int32_t x, y;
  int32_t width;   // 0: character width x columns + 1
  int32_t height;
  CHfcBmp* font;
  CHfcBmp* background;
  CHfcBmp* overlay;
  int32_t backgroundX, backgroundY;
  int32_t charWidth, charHeight;
  int32_t rows, columns;
  int32_t minimum, maximum;
  int32_t unusedStep;  // the step stays 1
  int32_t reserved;
  uint32_t selectionColor;
  uint32_t fillColor;
  uint32_t cursorColor;
  double sensitivity;
  double fineSensitivity;  // with Shift
  int32_t reserved2;
};

struct tagHfcCtrlCharEditTextParamEx2 : tagHfcCtrlCharEditTextParamEx {
  int32_t proportional;
  tagHfcBmpFontInfo* fontInfo;  // its bmp becomes the record's font
  uint32_t textColor;
};

class CHfcCtrlCharEditText : public CHfcControl, public CHfcEditTextEngineListener {
 public:
  CHfcCtrlCharEditText();
  ~CHfcCtrlCharEditText() override;

  bool Create(tagHfcCtrlCharEditTextParam* param, int id, int userValue);
  bool CreateEx(tagHfcCtrlCharEditTextParamEx* param, int id, int userValue);
  bool CreateEx2(tagHfcCtrlCharEditTextParamEx2* param, int id, int userValue);

  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* context) override;
  void Erase(CHfcDrawContext* context) override;
  void OnIdle(int elapsed) override;
  void Hide(bool redraw) override;
  void* GetPtrValue() override { return m_pText; }
  void SetPtrValue(void* text, bool redraw) override;
  void OnKeyLostFocus() override;
  bool OnKeyDown(int chr, int key, int mods) override;
  bool OnKeyRepeat(int chr, int key, int mods) override;
  bool OnKeyChar(int chr) override;

  void OnHfcEditTextEngineNeedRedrawn(CHfcEditTextEngine*) override;
  void OnHfcEditTextEngineReturn(CHfcEditTextEngine*) override;
  void OnHfcEditTextEngineEsc(CHfcEditTextEngine*) override;
  virtual void Disable(bool redraw);

  bool EnterEdit(const char* text);
  void LeaveEdit();
  void SetSelection(int start, int end);
  void SetSelectionAll();
  void SetCursorPos(int position, int);
  void DeleteSelection();

  bool IsEditing() const { return m_bEditing; }
  CHfcEditTextEngine* GetEngine() { return m_pEngine; }
  void SetFocusOnClick(bool take) { m_bFocusOnClick = take; }
  void SetDoubleClickEdits(bool edits) { m_bDoubleClickEdits = edits; }
  // A field shown for reading only: a double click neither edits nor drags.
  void SetDoubleClickIgnored(bool ignored) { m_bDoubleClickIgnored = ignored; }
  void SetLostFocusCancels(bool cancels) { m_bLostFocusCancels = cancels; }
  int GetColumns() const { return m_iColumns; }
  int GetStep() const { return m_iStep; }

 protected:
  bool OnMouseLButtonDownEx(CHfcMouse* m, int x, int y, int mods);
  bool OnMouseLButtonDoubleClickEx(CHfcMouse* m, int x, int y, int mods);
  bool OnMouseLButtonUpEx(CHfcMouse* m, int x, int y, int mods);
  bool OnMouseMoveEx(CHfcMouse* m, int x, int y, int mods);
  void OnMouseLostCaptureEx(CHfcMouse* m);

 private:
  // The cells, pictures and colours both records give; false, and not
  // created, without a record, a font or a cell.
  template <typename Param>
  bool TakeCells(const Param* p);
  // The shared part of the three creations, after the record is copied.
  bool Finish(int x, int y, int width, int height, int id, int userValue, int minimum,
              int maximum);
  void Report(int value);
  bool StepKey(int key);
  void DrawBackground(CHfcDrawContext* context);
  void FreeText();

  CHfcBmp* m_pFontBmp = nullptr;
  CHfcBmp* m_pBackBmp = nullptr;
  CHfcBmp* m_pOverlayBmp = nullptr;
  int32_t m_iBackX = 0;
  int32_t m_iBackY = 0;
  int32_t m_iCharWidth = 1;
  int32_t m_iCharHeight = 1;
  int32_t m_iRows = 1;
  int32_t m_iColumns = 1;
  int32_t m_iStep = 1;
  int32_t m_iReserved = 0;
  uint32_t m_uStoredColor = 0x7F007FFFu;
  uint32_t m_uFillColor = 0;
  uint32_t m_uCursorColor = 0xFFFFFFFFu;
  double m_dSensitivity = 0.0;
  double m_dFineSensitivity = 0.0;
  int32_t m_iReserved2 = 0;
  bool m_bProportional = false;
  tagHfcBmpFontInfo* m_pPropFont = nullptr;
  uint32_t m_uPropTextColor = 0;
  char* m_pText = nullptr;
  bool m_bExtended = false;
  bool m_bEditing = false;
  bool m_bButtonDown = false;
  bool m_bDoubleClickEdits = true;
  bool m_bDoubleClickIgnored = false;
  bool m_bLostFocusCancels = true;
  tagHfcPoint m_ptPress{0, 0};
  int32_t m_iAccum = 0;
  int32_t m_iLastReported = 0;
  double m_dAccum = 0.0;
  CHfcEditTextEngine* m_pEngine = nullptr;
};
