#pragma once
// One integer parameter as a horizontal bar that fills from an origin value
// towards the value, with an optional numeric display beside it. Clicks and
// drags on the bar, vertical drags on the display, the arrow keys and a
// value typed into the display after a double click all report the wanted
// value to the listener; the page sets value and text back.
#include <cstdint>
#include <string>

#include "hfc/CHfcControl.h"
#include "hfc/CHfcEditTextEngine.h"
#include "hfc/CHfcEditTextEngineListener.h"
#include "hfc/HfcBmpFontInfo.h"

class CHfcBmp;

struct tagXBCtrlHorizontalValueBarParam {
  int32_t x, y, width, height;  // 0: from a bitmap (see Create)
  int32_t backgroundX, backgroundY;
  CHfcBmp* background;  // required
  int32_t barX, barY, barWidth, barHeight;  // 0: the bar bitmap's
  CHfcBmp* bar;  // required
  int32_t dispX, dispY, dispWidth, dispHeight;
  int32_t chars;
  int32_t signFlag;
  int32_t cellWidth, cellHeight;  // 0: from the font bitmap
  CHfcBmp* font;
  int32_t minimum, maximum, origin;
  float displayScale, pixelScale;
};

struct tagXBCtrlHorizontalValueBarParamEx : tagXBCtrlHorizontalValueBarParam {
  float fineScale;
  int32_t reserved;
};

struct tagXBCtrlHorizontalValueBarParamEx2 : tagXBCtrlHorizontalValueBarParamEx {
  int32_t proportional;
  tagHfcBmpFontInfo* fontInfo;
  uint32_t textColor;
  uint8_t showDisplay;
  uint8_t randomAtMinimum;
  CHfcBmp* back;
};

class CXBCtrlHorizontalValueBar : public CHfcControl, public CHfcEditTextEngineListener {
 public:
  static constexpr int kFocusDisplay = 1;
  static constexpr int kFocusBar = 1024;
  static constexpr int kMaxShownChars = 30;

  CXBCtrlHorizontalValueBar();
  ~CXBCtrlHorizontalValueBar() override;

  // 1 on success; 0 for a missing record, background or bar bitmap, a bar
  // without width or height, a zero scale or a range whose maximum lies
  // below its minimum.
  int Create(const tagXBCtrlHorizontalValueBarParam* param, int id, int idHigh);
  int CreateEx(const tagXBCtrlHorizontalValueBarParamEx* param, int id, int idHigh);
  int CreateEx2(const tagXBCtrlHorizontalValueBarParamEx2* param, int id, int idHigh);

  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* context) override;
  void DrawFocus(CHfcDrawContext* context) override;
  void OnIdle(int elapsed) override;
  void SetIntValue(int value, bool redraw) override;
  void* GetPtrValue() override { return m_text.data(); }
  void SetPtrValue(void* text, bool redraw) override;
  void OnKeyLostFocus() override;
  bool OnKeyDown(int chr, int key, int mods) override;
  bool OnKeyRepeat(int chr, int key, int mods) override;
  bool OnKeyChar(int chr) override;

  void OnHfcEditTextEngineNeedRedrawn(CHfcEditTextEngine*) override;
  void OnHfcEditTextEngineReturn(CHfcEditTextEngine*) override;
  void OnHfcEditTextEngineEsc(CHfcEditTextEngine*) override;

  bool EnterEdit(const char* text);
  void LeaveEdit();
  bool IsBarArea(int x, int y) const;
  bool IsDisplayArea(int x, int y) const;
  bool OnMouseLButtonDownOnTheBar(CHfcMouse* m, int x, int y, int mods);
  bool OnMouseLButtonDownOnTheDisp(CHfcMouse* m, int x, int y, int mods);
  bool OnMouseLButtonDoubleClickOnTheBar(CHfcMouse* m, int x, int y, int mods);
  bool OnMouseLButtonDoubleClickOnTheDisp(CHfcMouse* m, int x, int y, int mods);
  bool OnMouseMoveOnTheBar(CHfcMouse* m, int x, int y, int mods);
  bool OnMouseMoveOnTheDisp(CHfcMouse* m, int x, int y, int mods);
  void DrawBar(CHfcDrawContext* context);
  void DrawDisp(CHfcDrawContext* context);
  float GetDeltaRatio();

  // The filled columns of the bar for a value: first column and count.
  void FilledColumns(int value, int* start, int* count);

  const std::string& GetText() const { return m_text; }
  bool IsEditing() const { return m_bEditing; }
  void SetEditable(bool editable) { m_bEditable = editable; }
  void SetFocusOnClick(bool take) { m_bFocusOnClick = take; }
  void SetShowDisplay(bool show) { m_bShowDisplay = show; }
  int GetDragMode() const { return m_iDragMode; }
  int GetOrigin() const { return m_iOrigin; }
  // What the page framework records from the parameter's description.
  void SetDefaultValue(int value) { m_iDefaultValue = value; }
  int GetDefaultValue() const { return m_iDefaultValue; }
  void SetBipolar(bool bipolar) { m_bBipolar = bipolar; }
  bool IsBipolar() const { return m_bBipolar; }
  CHfcEditTextEngine* GetEngine() { return m_pEngine; }

 private:
  // What the three creations share; ex2 may be null.
  int Build(const tagXBCtrlHorizontalValueBarParam* p, float fineScale, int reserved,
            const tagXBCtrlHorizontalValueBarParamEx2* ex2, int id, int idHigh);
  void Report(int value);
  void TakeFocus(int id);

  std::string m_text;
  int32_t m_iBackgroundX = 0;
  int32_t m_iBackgroundY = 0;
  CHfcBmp* m_pBackground = nullptr;
  int32_t m_iBarX = 0;
  int32_t m_iBarY = 0;
  int32_t m_iBarWidth = 0;
  int32_t m_iBarHeight = 0;
  CHfcBmp* m_pBar = nullptr;
  int32_t m_iDispX = 0;
  int32_t m_iDispY = 0;
  int32_t m_iDispWidth = 0;
  int32_t m_iDispHeight = 0;
  int32_t m_iChars = 0;
  int32_t m_iSignFlag = 0;
  int32_t m_iCellWidth = 0;
  int32_t m_iCellHeight = 0;
  CHfcBmp* m_pFont = nullptr;
  int32_t m_iOrigin = 0;
  float m_fDisplayScale = 1.0f;
  float m_fPixelScale = 10.0f;
  float m_fFineScale = 1.0f;
  int32_t m_iReserved = 0;
  int32_t m_iProportional = 0;
  tagHfcBmpFontInfo* m_pFontInfo = nullptr;
  uint32_t m_uTextColor = 0;
  bool m_bShowDisplay = true;
  bool m_bRandomAtMinimum = false;
  CHfcBmp* m_pBack = nullptr;
  int32_t m_iDragMode = 0;
  float m_fAccum = 0.0f;
  int32_t m_iLastX = 0;
  int32_t m_iLastY = 0;
  int32_t m_iLastReported = 0;
  bool m_bEditing = false;
  bool m_bEditable = true;
  CHfcEditTextEngine* m_pEngine = nullptr;
  uint32_t m_uButtonDownTime = 0;
  uint32_t m_uLastDeltaTime = 0;
  int32_t m_iDispMarginLeft = 2;
  int32_t m_iDispMarginTop = 2;
  int32_t m_iDispMarginRight = 2;
  int32_t m_iDispMarginBottom = 2;
  int32_t m_iBarMarginLeft = 3;
  int32_t m_iBarMarginTop = 3;
  int32_t m_iBarMarginRight = 5;
  int32_t m_iBarMarginBottom = 5;
  int32_t m_iCornerLength = 3;
  int32_t m_iDefaultValue = 0;
  bool m_bBipolar = false;
};
