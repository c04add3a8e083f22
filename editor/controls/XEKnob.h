#pragma once
// The knob the editor builds: the page's background behind it (so it can
// be redrawn alone), a face, the lit meter cut to the value, the value text
// centred under the ring, and an optional picture for the minimum value
// ("random").
#include "editor/controls/CMMPCtrlKnob.h"

struct tagZublKnobParam {
  int32_t x, y, width, height;
  int32_t panelX, panelY;
  CHfcBmp* panel;  // may be null
  int32_t minimum, maximum, centre;
  int32_t pixelsPerStep;
  float ringX, ringY, ringRadius;
  float startAngle, endAngle, gap;
  uint32_t maskColor, secondColor, modColor, modMarkerColor;
  CHfcBmp* meter;  // may be null
  CHfcBmp* face;
  int32_t meterX, meterY;
  int32_t glyphWidth, glyphHeight;
  CHfcBmp* font;
  int32_t textX, textY;
  int32_t textLength;
};

struct tagZublKnobParamEx {
  int32_t x, y, width, height;
  int32_t panelX, panelY;
  CHfcBmp* panel;
  int32_t minimum, maximum, centre;
  int32_t unusedPixelsPerStep;
  float ringX, ringY, ringRadius;
  float startAngle, endAngle, gap;
  uint32_t maskColor, secondColor, modColor, modMarkerColor;
  CHfcBmp* meter;
  CHfcBmp* face;
  CHfcBmp* minimumMeter;
  int32_t meterX, meterY;
  int32_t glyphWidth, glyphHeight;
  CHfcBmp* font;
  int32_t textX, textY;
  int32_t textLength;
  float coarseStep, fineStep;
  int32_t keyStep;
  uint8_t minimumMeterFlag;
  uint8_t proportional;
  tagHfcBmpFontInfo* fontInfo;
  uint32_t textColor;
};

class XEKnob : public CMMPCtrlKnob {
 public:
  // Columns on each side of the knob that its ring takes from the value text.
  static constexpr int kCapInset = 5;

  bool Create(const tagZublKnobParam* param, int id, int flags);
  bool CreateEx(const tagZublKnobParamEx* param, int id, int flags);

  void Draw(CHfcDrawContext* context) override;
  virtual void DrawValue(CHfcDrawContext* context);
  virtual void DrawString(CHfcDrawContext* context);

  void SetDispInfo(int textX, int textY, int textLength);
  void SetFontInfo(bool proportional, tagHfcBmpFontInfo* info, CHfcBmp* bitmap);
  int GetTextX() const { return m_iTextX; }
  int GetTextY() const { return m_iTextY; }
  int GetTextLength() const { return m_iTextLength; }
  // The parameter's default, recorded by the page framework.
  void SetDefaultValue(int value) { m_iDefaultValue = value; }
  int GetDefaultValue() const { return m_iDefaultValue; }

 protected:
  // The engine draws 5 pixels in from the left, one row above the text.
  int EngineOriginX() const override { return 5; }
  int EngineOriginY() const override { return m_iTextY - 1; }

 private:
  int32_t m_iPanelX = 0;
  int32_t m_iPanelY = 0;
  CHfcBmp* m_pPanel = nullptr;
  CHfcBmp* m_pFace = nullptr;
  CHfcBmp* m_pMinimumMeter = nullptr;
  bool m_bMinimumMeter = false;
  int32_t m_iDefaultValue = 0;
};
