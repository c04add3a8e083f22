#pragma once
// Creation records of the knob and the value bar filled the way the
// editor's control factory fills them, from the generated skins and fonts
// (the image cache and the font registry must be running).
#include <string>

#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEKnob.h"
#include "hfc/CHfcBmp.h"

namespace skintest {

inline CHfcBmp* Skin(const std::string& name) { return ResourceManager::GetInstance()->LoadImage(name); }
inline tagHfcBmpFontInfo* Font(const std::string& name) {
  return FontManager::mInstance->GetBmpFontInfo(name);
}

// A knob at (x, y) whose background is panel at the same place.
inline bool CreateFactoryKnob(XEKnob* knob, int x, int y, int minimum, int maximum, int centre,
                              int textLength, CHfcBmp* panel, bool minimumMeter = false) {
  CHfcBmp* meter = Skin("Knob_Meter");
  tagHfcBmpFontInfo* font = Font("FontGeneva9ForControls");
  if (!meter || !font) return false;
  tagZublKnobParamEx p{};
  p.x = x;
  p.y = y;
  p.width = meter->GetWidth();
  p.height = meter->GetHeight();
  p.panelX = x;
  p.panelY = y;
  p.panel = panel;
  p.minimum = minimum;
  p.maximum = maximum;
  p.centre = centre;
  p.ringX = p.ringY = p.ringRadius = 18.0f;
  p.startAngle = 3.9880764f;
  p.endAngle = -0.8203046f;
  p.gap = 0.05f;
  p.maskColor = 0;
  p.secondColor = 0xFFFFFFFF;
  p.modColor = 0xFF00FFFF;
  p.modMarkerColor = 0xFFFFFF00;
  p.meter = meter;
  p.face = Skin("Knob_MeterBack");
  p.minimumMeter = Skin("Knob_Meter_RND");
  p.font = font->bmp;
  p.fontInfo = font;
  p.textX = ((4 - textLength) * 6) / 2 + 7;
  p.textY = 15;
  p.textLength = textLength;
  p.coarseStep = 1.0f;
  p.fineStep = 0.1f;
  p.keyStep = 1;
  p.minimumMeterFlag = minimumMeter ? 1 : 0;
  p.proportional = 1;
  p.textColor = 0xFF000000;
  if (!knob->CreateEx(&p, 1, 0)) return false;
  knob->SetFocusColor(0);
  return true;
}

struct tagValueBarStyle {
  int style;
  const char* back;
  const char* bar;
  int barWidth;
  int barHeight;  // 0: the bar picture's
  int chars;      // 0: no display
  int dispX;
};

inline constexpr tagValueBarStyle kValueBarStyles[] = {
    {30, "HorizontalValueBarBack_30X10_0C", "HorizontalValueBar_30X10", 26, 8, 0, 0},
    {39, "HorizontalValueBarBack_39X4_0C", "HorizontalValueBar_39X4", 35, 3, 0, 0},
    {67, "HorizontalValueBarBack_67X13_0C", "HorizontalValueBar", 63, 0, 0, 0},
    {88, "HorizontalValueBarBack_96X13_5C", "HorizontalValueBar", 55, 0, 5, 63},
    {96, "HorizontalValueBarBack_96X13_4C", "HorizontalValueBar", 63, 0, 4, 71},
    {103, "HorizontalValueBarBack_103X13", "HorizontalValueBar", 63, 0, 5, 71},
    {146, "HorizontalValueBarBack_154X13_5C", "HorizontalValueBar", 113, 0, 4, 121},
    {154, "HorizontalValueBarBack_154X13_4C", "HorizontalValueBar", 121, 0, 4, 129},
};

// A value bar of a style of the table at (x, y) over background.
inline bool CreateFactoryValueBar(CXBCtrlHorizontalValueBar* bar, int x, int y, int style,
                                  int minimum, int maximum, int origin, CHfcBmp* background,
                                  bool randomAtMinimum = false) {
  const tagValueBarStyle* s = nullptr;
  for (const tagValueBarStyle& e : kValueBarStyles)
    if (e.style == style) s = &e;
  tagHfcBmpFontInfo* font = Font("FontGeneva9");
  if (!s || !font) return false;
  CHfcBmp* back = Skin(s->back);
  if (!back) return false;
  tagXBCtrlHorizontalValueBarParamEx2 p{};
  p.x = x;
  p.y = y;
  p.backgroundX = x;
  p.backgroundY = y;
  p.background = background;
  p.barX = 2;
  p.barY = 1;
  p.barWidth = s->barWidth;
  p.barHeight = s->barHeight;
  p.bar = Skin(s->bar);
  p.dispX = s->dispX;
  p.dispY = 2;
  p.chars = s->chars;
  p.font = font->bmp;
  p.minimum = minimum;
  p.maximum = maximum;
  if (minimum >= 0)
    p.origin = minimum;
  else if (maximum == -minimum)
    p.origin = 0;
  else if (maximum > 0)
    p.origin = origin;
  else
    p.origin = minimum;
  p.displayScale = 1.0f;
  p.pixelScale = 10.0f;
  p.fineScale = 1.0f;
  p.proportional = 1;
  p.fontInfo = font;
  p.textColor = 0xFF000000;
  p.showDisplay = s->chars > 0 ? 1 : 0;
  p.randomAtMinimum = randomAtMinimum ? 1 : 0;
  p.back = back;
  if (!bar->CreateEx2(&p, 1, 0)) return false;
  bar->GetEngine()->SetSelectionColor(0x2B0000FF);
  bar->SetFocusColor(0);
  bar->SetDisabledAlpha(0.25f);
  return true;
}

}  // namespace skintest
