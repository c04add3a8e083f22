#pragma once
// The editor's rotary knob: an integer shown as a lit arc of a ring around
// a knob picture, the value as text under it, vertical drags and arrow keys
// to change it, and a typed value after a double click. The knob reports
// the wanted value to its listener and never sets it itself.
//
// Plain mode (Create) drags by whole steps a number of pixels apart; the
// extended modes (CreateEx, CreateEx2) drag by float steps scaled by the
// pace of the moves and step by the key step.
#include <cstdint>
#include <memory>

#include "hfc/CHfcControl.h"
#include "hfc/CHfcEditTextEngine.h"
#include "hfc/CHfcEditTextEngineListener.h"
#include "hfc/HfcBmpFontInfo.h"
#include "hfc/HfcModifiers.h"

class CHfcBmp;
class CHfcOffscreenContext;

struct tagMMPCtrlKnobParam {
  int32_t x, y;
  int32_t width, height;  // 0: the body bitmap's
  int32_t minimum, maximum;
  int32_t centre;
  int32_t pixelsPerStep;  // plain mode only
  float ringX, ringY, ringRadius;
  float startAngle, endAngle;  // radians, of the minimum and the maximum
  float gap;                   // half of the smallest lit arc
  uint32_t maskColor, secondColor, modColor, modMarkerColor;
  CHfcBmp* meter;
  int32_t meterX, meterY;
  int32_t glyphWidth, glyphHeight;  // 0: from the font bitmap
  CHfcBmp* font;                    // null: no value text
  int32_t textX, textY;
  int32_t textLength;
  CHfcBmp* body;  // required
};

struct tagMMPCtrlKnobParamEx : tagMMPCtrlKnobParam {
  float coarseStep;
  float fineStep;
  int32_t keyStep;
};

struct tagMMPCtrlKnobParamEx2 : tagMMPCtrlKnobParamEx {
  int32_t proportional;
  tagHfcBmpFontInfo* fontInfo;
  uint32_t textColor;
};

class CMMPCtrlKnob : public CHfcControl, public CHfcEditTextEngineListener {
 public:
  static constexpr int kModFine = kHfcModShift;
  // Codes of the minus and plus glyphs in the bitmap fonts.
  static constexpr char kGlyphMinus = 4;
  static constexpr char kGlyphPlus = 2;

  CMMPCtrlKnob();
  ~CMMPCtrlKnob() override;

  bool Create(const tagMMPCtrlKnobParam* param, int id, int flags);
  bool CreateEx(const tagMMPCtrlKnobParamEx* param, int id, int flags);
  bool CreateEx2(const tagMMPCtrlKnobParamEx2* param, int id, int flags);

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
  void SetBackBmp(CHfcBmp* body, bool dirty) override;
  void SetIntValue(int value, bool redraw) override;
  void* GetPtrValue() override { return m_pValueText; }
  void SetPtrValue(void* text, bool redraw) override;
  void OnKeyLostFocus() override;
  bool OnKeyDown(int chr, int key, int mods) override;
  bool OnKeyRepeat(int chr, int key, int mods) override;
  bool OnKeyChar(int chr) override;

  void OnHfcEditTextEngineNeedRedrawn(CHfcEditTextEngine*) override;
  void OnHfcEditTextEngineReturn(CHfcEditTextEngine*) override;
  void OnHfcEditTextEngineEsc(CHfcEditTextEngine*) override;

  void SetModValue(int value, bool redraw);
  int GetModValue() const { return m_iModValue; }
  bool EnterEdit(const char* text);
  void LeaveEdit();
  // Control coordinates.
  bool IsKnobArea(int x, int y) const;
  bool IsDisplayArea(int x, int y) const;

  void SetCentreValue(int centre) { m_iCentre = centre; }
  int GetCentreValue() const { return m_iCentre; }
  void SetEditAllowed(bool allowed) { m_bEditAllowed = allowed; }
  void SetEditOnlyOnDisplay(bool only) { m_bEditOnlyOnDisplay = only; }
  void SetFocusOnClick(bool take) { m_bFocusOnClick = take; }
  bool IsEditing() const { return m_bEditing; }
  bool IsExtended() const { return m_bExtended; }
  int GetDragMode() const { return m_iDragMode; }
  CHfcEditTextEngine* GetEngine() { return m_pEngine; }
  // The lit sector for a value: the angles of its two ends after the gap
  // rule, clamped to the ring. Used by the drawing and by tests.
  void LitSector(int value, bool upperIsNext, float* a, float* b);

 protected:
  // Copies the fields shared by every record and sets the knob up.
  bool Setup(int x, int y, int width, int height, int minimum, int maximum, int centre,
             int pixelsPerStep, float ringX, float ringY, float radius, float start, float end,
             float gap, uint32_t mask, uint32_t second, uint32_t mod, uint32_t marker,
             CHfcBmp* meter, int meterX, int meterY, int glyphWidth, int glyphHeight,
             CHfcBmp* font, int textX, int textY, int textLength, CHfcBmp* body, int id, int flags);
  void SetEngineFont(bool proportional, tagHfcBmpFontInfo* info, int alignment);
  // Where the engine's text starts while editing (control coordinates).
  virtual int EngineOriginX() const { return m_iTextX; }
  virtual int EngineOriginY() const { return m_iTextY; }
  void ReportValue(int value);
  void EndEditing();
  // Clears (the lit meter of XEKnob) or paints (the plain mask) the sectors
  // outside [a, b] around (cx, cy).
  void CutSectors(CHfcDrawContext* dc, float cx, float cy, float a, float b, bool clear);
  float AngleOf(int value);
  bool Clockwise() const { return m_fEndAngle < m_fStartAngle; }
  CHfcOffscreenContext* MeterPicture(int width, int height);

  bool m_bExtended = false;
  int32_t m_iCentre = 0;
  int32_t m_iPixelsPerStep = 10;
  float m_fCoarseStep = 0.0f;
  float m_fFineStep = 0.0f;
  int32_t m_iKeyStep = 10;
  bool m_bProportional = false;
  tagHfcBmpFontInfo* m_pFontInfo = nullptr;
  uint32_t m_uTextColor = 0;
  float m_fRingX = 0.0f;
  float m_fRingY = 0.0f;
  float m_fRadius = 0.0f;
  float m_fStartAngle = 0.0f;
  float m_fEndAngle = 0.0f;
  float m_fGap = 0.0f;
  uint32_t m_uMaskColor = 0xFF000000u;
  uint32_t m_uSecondColor = 0xFFFFFFFFu;
  uint32_t m_uModColor = 0x7FFF0000u;
  uint32_t m_uModMarkerColor = 0xFFFF0000u;
  CHfcBmp* m_pMeter = nullptr;
  int32_t m_iMeterX = 0;
  int32_t m_iMeterY = 0;
  int32_t m_iMeterWidth = 0;
  int32_t m_iMeterHeight = 0;
  int32_t m_iGlyphWidth = 1;
  int32_t m_iGlyphHeight = 1;
  CHfcBmp* m_pFont = nullptr;
  int32_t m_iTextX = 0;
  int32_t m_iTextY = 0;
  int32_t m_iTextLength = 0;
  CHfcBmp* m_pBody = nullptr;
  int32_t m_iModValue = 0;
  char* m_pValueText = nullptr;
  bool m_bEditing = false;
  bool m_bEditAllowed = true;
  CHfcEditTextEngine* m_pEngine = nullptr;
  int32_t m_iDragAccum = 0;
  int32_t m_iLastReported = 0;
  float m_fDragAccum = 0.0f;
  tagHfcPoint m_ptLast{0, 0};
  uint32_t m_uLastMoveTime = 0;
  int32_t m_iDragMode = 0;
  uint32_t m_uDisabledColor = 0x7F000000u;
  bool m_bEditOnlyOnDisplay = false;

 private:
  void DrawPlainValue(CHfcDrawContext* dc);
  void DrawModValue(CHfcDrawContext* dc);
  void DrawPlainText(CHfcDrawContext* dc);
  bool Press(CHfcMouse* m, int x, int y, int mods);

  std::unique_ptr<CHfcOffscreenContext> m_pMeterPicture;
};
