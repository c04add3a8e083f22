// Skins of the spare framework controls: sliders, faders and meters, the
// dot-matrix character displays, buttons, lamps, the scroll bar's buttons
// and the graph panels, in the front panel's colours.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinDotFont.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinPaint.h"

namespace {

using namespace skin;

constexpr uint32_t kLcdBack = 0xFFB9C8AA;
constexpr uint32_t kLcdUnlit = 0xFFAABB9B;
constexpr uint32_t kLcdInk = 0xFF1D2720;
constexpr uint32_t kTextBack = 0xFF0E0F11;
constexpr uint32_t kTextUnlit = 0xFF1B1A18;
constexpr uint32_t kGraphBack = 0xFF15171B;
constexpr uint32_t kGridFaint = 0xFF24272D;
constexpr uint32_t kGridStrong = 0xFF363A42;
// The group plates the controls sit on.
constexpr uint32_t kPlate = 0xFF2C2F35;
constexpr uint32_t kCapTop = 0xFF5C6069;
constexpr uint32_t kCapBottom = 0xFF30333A;

// ---- Dot-matrix glyphs ----

// A strip of 128 cells; every dot `dot` pixels square on a `pitch` grid,
// one dot's margin round the grid.
void PaintDotStrip(CHfcDrawContext& dc, int code, int top, int width, int height, int dot, int pitch,
                   uint32_t back, uint32_t unlit, uint32_t ink) {
  Fill(dc, 0, top, width, height, back);
  const int margin = pitch - dot;
  for (int r = 0; r < kDotRows; ++r)
    for (int c = 0; c < kDotColumns; ++c)
      Fill(dc, margin + c * pitch, top + margin + r * pitch, dot, dot, DotLit(code, r, c) ? ink : unlit);
}

void PaintLcdGlyph(CHfcDrawContext& dc, int code, int top, int width, int height) {
  PaintDotStrip(dc, code, top, width, height, 2, 3, kLcdBack, kLcdUnlit, kLcdInk);
}

void PaintTextGlyph(CHfcDrawContext& dc, int code, int top, int width, int height) {
  PaintDotStrip(dc, code, top, width, height, 2, 2, kTextBack, kTextUnlit, kAmber);
}

constexpr int kLcdCellW = 17, kLcdCellH = 29;
constexpr int kTextCellW = 12, kTextCellH = 20;

// The empty display behind the characters: unlit cells.
void PaintLcdBack(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kLcdBack);
  for (int x = 0; x + kLcdCellW <= width; x += kLcdCellW)
    for (int r = 0; r < kDotRows; ++r)
      for (int c = 0; c < kDotColumns; ++c) Fill(dc, x + 1 + c * 3, top + 1 + r * 3, 2, 2, kLcdUnlit);
}

// ---- Slider, faders and meters ----

// A fader cap: a ridged block with a lit centre line.
void FaderCap(CHfcDrawContext& dc, int x, int y, int w, int h, bool horizontalLine) {
  Fill(dc, x, y, w, h, 0xFF0A0B0D);
  VGradient(dc, x + 1, y + 1, w - 2, h - 2, kCapTop, kCapBottom);
  Fill(dc, x + 1, y + 1, w - 2, 1, 0xFF7A7F89);
  if (horizontalLine)
    Fill(dc, x + 2, y + h / 2, w - 4, 1, kAmber);
  else
    Fill(dc, x + w / 2, y + 2, 1, h - 4, kAmber);
}

void Ticks(CHfcDrawContext& dc, int x, int y0, int y1, int count, int length) {
  for (int i = 0; i <= count; ++i) {
    const int y = y0 + (y1 - y0) * i / count;
    Fill(dc, x, y, length, 1, i % (count / 2) == 0 ? 0xFF8A8F99 : 0xFF555A63);
  }
}

constexpr int kSliderW = 28, kSliderH = 120, kSliderFrames = 32;

void PaintSlider(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kPlate);
  Ticks(dc, 2, top + 7, top + height - 8, 10, 4);
  Ticks(dc, width - 6, top + 7, top + height - 8, 10, 4);
  Sunken(dc, width / 2 - 3, top + 4, 6, height - 8, kRecess);
  const float t = static_cast<float>(frame) / (kSliderFrames - 1);
  const int capH = 14;
  const int y = top + static_cast<int>(std::lround((1.0f - t) * (height - capH)));
  FaderCap(dc, 3, y, width - 6, capH, true);
}

void MeterSegments(CHfcDrawContext& dc, int top, int width, int height, bool lit) {
  Fill(dc, 0, top, width, height, 0xFF08090A);
  for (int x = 1; x + 2 <= width - 1; x += 3) {
    const float t = static_cast<float>(x) / width;
    uint32_t c = t < 0.7f ? Mix(0xFF3FCF5A, 0xFFE6D33A, t / 0.7f) : Mix(0xFFFFA21F, 0xFFFF3B2A, (t - 0.7f) / 0.3f);
    if (!lit) c = Mix(c, 0xFF08090A, 0.8f);
    Fill(dc, x, top + 1, 2, height - 2, c);
  }
}

void PaintMeterLit(CHfcDrawContext& dc, int, int top, int width, int height) {
  MeterSegments(dc, top, width, height, true);
}

void PaintMeterUnlit(CHfcDrawContext& dc, int, int top, int width, int height) {
  MeterSegments(dc, top, width, height, false);
}

void PaintHFaderThumb(CHfcDrawContext& dc, int, int top, int width, int height) {
  FaderCap(dc, 0, top, width, height, false);
}

void PaintHFaderBack(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kPlate);
  Sunken(dc, 4, top + height / 2 - 2, width - 8, 4, kRecess);
  for (int i = 0; i <= 8; ++i) {
    const int x = 6 + (width - 13) * i / 8;
    Fill(dc, x, top + 1, 1, i % 4 == 0 ? 4 : 2, 0xFF6A6F78);
    Fill(dc, x, top + height - (i % 4 == 0 ? 5 : 3), 1, i % 4 == 0 ? 4 : 2, 0xFF6A6F78);
  }
}

void PaintVFaderThumb(CHfcDrawContext& dc, int, int top, int width, int height) {
  FaderCap(dc, 0, top, width, height, true);
}

void PaintVFaderBack(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kPlate);
  Sunken(dc, width / 2 - 2, top + 6, 4, height - 12, kRecess);
  Ticks(dc, 2, top + 7, top + height - 8, 10, 5);
  Ticks(dc, width - 7, top + 7, top + height - 8, 10, 5);
}

// ---- Knobs ----

void Pointer(CHfcDrawContext& dc, float cx, float cy, float r0, float r1, float angle, uint32_t colour, float w) {
  dc.SetPenColor(colour);
  dc.SetPenWidth(w);
  dc.MoveTo(cx + r0 * std::cos(angle), cy - r0 * std::sin(angle));
  dc.LineTo(cx + r1 * std::cos(angle), cy - r1 * std::sin(angle));
  dc.SetPenWidth(1.0f);
}

constexpr int kSelectPositions = 8;

// A stepped selector: the position dots round the cap, the chosen one lit.
void PaintSelectKnob(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kPlate);
  const float cx = width / 2.0f, cy = top + height / 2.0f;
  for (int i = 0; i < kSelectPositions; ++i) {
    const float a = (225.0f - i * 270.0f / (kSelectPositions - 1)) * kPi / 180.0f;
    dc.SetBrushColor(i == frame ? kAmber : 0xFF5A5E66);
    dc.FillCircle(cx + 19.0f * std::cos(a), cy - 19.0f * std::sin(a), 1.6f);
  }
  Cap(dc, cx, cy, 13.0f, 0xFF202227, 0xFF6A6E77);
  const float a = (225.0f - frame * 270.0f / (kSelectPositions - 1)) * kPi / 180.0f;
  Pointer(dc, cx, cy, 4.0f, 12.0f, a, 0xFFF0F1F3, 2.0f);
}

constexpr int kAmtFrames = 64;

// The amount knob's cap; its ring is drawn by the control.
void PaintAmtKnob(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  const float cx = width / 2.0f, cy = top + height / 2.0f;
  Cap(dc, cx, cy, width / 2.0f - 5.0f, 0xFF1E2025, 0xFF656973);
  const float a = (240.0f - frame * 300.0f / (kAmtFrames - 1)) * kPi / 180.0f;
  Pointer(dc, cx, cy, 3.0f, width / 2.0f - 6.0f, a, 0xFFF0F1F3, 2.0f);
}

// ---- Buttons and lamps ----

void Key(CHfcDrawContext& dc, int x, int top, int width, int height, bool pressed) {
  Fill(dc, x, top, width, height, 0xFF0A0B0D);
  const int inset = pressed ? 1 : 0;
  VGradient(dc, x + 1, top + 1 + inset, width - 2, height - 2 - inset, pressed ? 0xFF353840 : 0xFF4A4E57,
            pressed ? 0xFF24262B : 0xFF2C2F35);
  if (!pressed) Fill(dc, x + 1, top + 1, width - 2, 1, 0xFF6C717B);
}

void Key(CHfcDrawContext& dc, int top, int width, int height, bool pressed) { Key(dc, 0, top, width, height, pressed); }

void Label(CHfcDrawContext& dc, const char* text, float x, float baseline, uint32_t colour) {
  dc.SetFont("Helvetica-Bold", 8.0f);
  dc.SetBrushColor(colour);
  dc.DrawText(x, baseline, text, std::strlen(text));
}

// Value 0 starts, value 1 stops: the released and pressed picture of each.
void PaintTransportButton(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  const bool pressed = frame % 2 == 1;
  const bool stop = frame >= 2;
  Key(dc, top, width, height, pressed);
  const int inset = pressed ? 1 : 0;
  const int iy = top + height / 2 + inset;
  dc.SetBrushColor(stop ? 0xFFE8E9EC : kAmber);
  if (stop) {
    dc.FillRect(9, iy - 4, 8, 8);
  } else {
    for (int r = 0; r < 9; ++r) Fill(dc, 9, iy - 4 + r, 1 + 2 * std::min(r, 8 - r), 1, kAmber);
  }
  Label(dc, stop ? "STOP" : "PLAY", 24.0f, static_cast<float>(iy + 4), 0xFFE6E8EC);
}

void PaintOnOff(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  const bool on = frame == 1;
  Key(dc, top, width, height, false);
  dc.SetBrushColor(on ? kAmber : 0xFF3A3530);
  dc.FillCircle(8.0f, top + height / 2.0f, 3.0f);
  Label(dc, on ? "ON" : "OFF", 15.0f, static_cast<float>(top + height / 2 + 4), on ? kAmber : 0xFFB4B8C0);
}

// Off, lit amber, lit red.
void PaintLed(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kPlate);
  const float cx = width / 2.0f, cy = top + height / 2.0f;
  dc.SetBrushColor(0xFF0A0B0D);
  dc.FillCircle(cx, cy, width / 2.0f - 1.0f);
  const uint32_t dark = frame == 0 ? 0xFF2A2622 : frame == 1 ? 0xFFB8660C : 0xFFA81C14;
  const uint32_t light = frame == 0 ? 0xFF4A443C : frame == 1 ? 0xFFFFD08A : 0xFFFF8A7A;
  Cap(dc, cx, cy, width / 2.0f - 2.5f, dark, light);
}

// Up (frames 0 to 3) and down (4 to 7): normal, pressed, disabled,
// disabled and pressed.
void PaintScrollButton(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  const bool pressed = frame % 2 == 1;
  const bool disabled = (frame / 2) % 2 == 1;
  const bool up = frame < 4;
  Key(dc, top, width, height, pressed);
  const uint32_t ink = disabled ? 0xFF5A5E66 : 0xFFE6E8EC;
  const int inset = pressed ? 1 : 0;
  for (int r = 0; r < 4; ++r) {
    const int half = up ? r : 3 - r;
    Fill(dc, width / 2 - half - 1, top + height / 2 - 2 + r + inset, 2 * half + 2, 1, ink);
  }
}

// ---- Selector, bitmap list and graph panels ----

constexpr int kSelectorW = 120, kSelectorH = 20;

// The up/down selector: a recessed text window with the two step arrows
// stacked at its right end.
void PaintSelectorBack(CHfcDrawContext& dc, int, int top, int width, int height) {
  Sunken(dc, 0, top, width, height, 0xFF111215);
  Key(dc, width - 18, top + 1, 17, height / 2 - 1, false);
  Key(dc, width - 18, top + height / 2, 17, height / 2 - 1, false);
  for (int r = 0; r < 3; ++r) {
    Fill(dc, width - 10 - r, top + 4 + r, 2 * r + 1, 1, 0xFFE6E8EC);
    Fill(dc, width - 10 - r, top + height - 5 - r, 2 * r + 1, 1, 0xFFE6E8EC);
  }
}

constexpr int kWaves = 5;

// Wave shapes on the display: sine, triangle, saw, square, noise.
void PaintWave(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kLcdBack);
  dc.SetPenColor(kLcdInk);
  dc.SetPenWidth(1.5f);
  const float mid = top + height / 2.0f, amp = height / 2.0f - 4.0f;
  unsigned seed = 12345;
  for (int x = 3; x < width - 3; ++x) {
    const float t = static_cast<float>(x - 3) / (width - 7);
    float v = 0.0f;
    switch (frame) {
      case 0: v = std::sin(t * 2.0f * kPi); break;
      case 1: v = t < 0.25f ? 4 * t : t < 0.75f ? 2 - 4 * t : 4 * t - 4; break;
      case 2: v = 1.0f - 2.0f * t; break;
      case 3: v = t < 0.5f ? 1.0f : -1.0f; break;
      default:
        seed = seed * 1103515245u + 12345u;
        v = static_cast<float>((seed >> 16) % 200) / 100.0f - 1.0f;
        break;
    }
    const float y = mid - v * amp;
    if (x == 3)
      dc.MoveTo(static_cast<float>(x), y);
    else
      dc.LineTo(static_cast<float>(x), y);
  }
  dc.SetPenWidth(1.0f);
}

void Panel(CHfcDrawContext& dc, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kGraphBack);
}

void VLine(CHfcDrawContext& dc, int x, int top, int height, uint32_t c) { Fill(dc, x, top, 1, height, c); }
void HLine(CHfcDrawContext& dc, int y, int width, uint32_t c) { Fill(dc, 0, y, width, 1, c); }

constexpr int kEqW = 240, kEqH = 100;

// The EQ panel: a line per frequency of each decade on the graph's
// logarithmic axis from 16 Hz to 24 kHz, and lines every 6 dB over
// -18 to +18 dB, 0 dB brighter.
void PaintEqBack(CHfcDrawContext& dc, int, int top, int width, int height) {
  Panel(dc, top, width, height);
  const double lo = std::log10(16.0), hi = std::log10(24000.0);
  for (double decade = 10.0; decade <= 10000.0; decade *= 10.0)
    for (int m = 1; m <= 9; ++m) {
      const double f = decade * m;
      if (f < 16.0 || f > 24000.0) continue;
      const int x = static_cast<int>(width * (std::log10(f) - lo) / (hi - lo));
      VLine(dc, x, top, height, m == 1 ? kGridStrong : kGridFaint);
    }
  for (int g = -12; g <= 12; g += 6) {
    const int y = top + static_cast<int>(height * (18.0 - g) / 36.0);
    HLine(dc, y, width, g == 0 ? 0xFF4A4F58 : kGridFaint);
  }
}

constexpr int kEnvW = 250, kEnvH = 100;

void PaintEnvBack(CHfcDrawContext& dc, int, int top, int width, int height) {
  Panel(dc, top, width, height);
  for (int i = 1; i < 10; ++i) VLine(dc, width * i / 10, top, height, i % 5 == 0 ? kGridStrong : kGridFaint);
  for (int i = 1; i < 4; ++i) HLine(dc, top + height * i / 4, width, i == 2 ? kGridStrong : kGridFaint);
}

constexpr int kTapW = 200, kTapH = 104;

// The multi-tap field: a half ring from the inner to the outer radius
// round a centre on the bottom edge, with spokes every 30 degrees.
void PaintTapBack(CHfcDrawContext& dc, int, int top, int width, int height) {
  Panel(dc, top, width, height);
  const float cx = width / 2.0f, cy = top + height - 8.0f;
  dc.SetPenWidth(1.0f);
  for (float r : {20.0f, 45.0f, 70.0f, 90.0f}) {
    dc.SetPenColor(r == 20.0f || r == 90.0f ? kGridStrong : kGridFaint);
    dc.FrameArc(cx, cy, r, kPi, kPi);
  }
  dc.SetPenColor(kGridFaint);
  for (int a = 0; a <= 180; a += 30) {
    const float rad = a * kPi / 180.0f;
    dc.MoveTo(cx + 20.0f * std::cos(rad), cy - 20.0f * std::sin(rad));
    dc.LineTo(cx + 90.0f * std::cos(rad), cy - 90.0f * std::sin(rad));
  }
}

}  // namespace

const SkinImageGroup kSpareSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"Spare_AmtKnob", 36, 36 * kAmtFrames, kAmtFrames, PaintAmtKnob},
      {"Spare_Button_Transport", 64, 22 * 4, 4, PaintTransportButton},
      {"Spare_EnvGraph_Back", kEnvW, kEnvH, 1, PaintEnvBack},
      {"Spare_EqGraph_Back", kEqW, kEqH, 1, PaintEqBack},
      {"Spare_HFader_Back", 140, 20, 1, PaintHFaderBack},
      {"Spare_HFader_Thumb", 12, 20, 1, PaintHFaderThumb},
      {"Spare_HMeter_Back", 140, 8, 1, PaintMeterUnlit},
      {"Spare_HMeter_Bar", 140, 8, 1, PaintMeterLit},
      {"Spare_Lcd_Back", kLcdCellW * 16, kLcdCellH, 1, PaintLcdBack},
      {"Spare_Lcd_Glyphs", kLcdCellW, kLcdCellH * 128, 128, PaintLcdGlyph},
      {"Spare_Led", 14, 14 * 3, 3, PaintLed},
      {"Spare_MTap_Back", kTapW, kTapH, 1, PaintTapBack},
      {"Spare_OnOffButton", 40, 18 * 2, 2, PaintOnOff},
      {"Spare_RTCSlider", kSliderW, kSliderH * kSliderFrames, kSliderFrames, PaintSlider},
      {"Spare_ScrollBar_Buttons", 14, 14 * 8, 8, PaintScrollButton},
      {"Spare_SelectKnob", 48, 48 * kSelectPositions, kSelectPositions, PaintSelectKnob},
      {"Spare_Text_Glyphs", kTextCellW, kTextCellH * 128, 128, PaintTextGlyph},
      {"Spare_UpDown_Back", kSelectorW, kSelectorH, 1, PaintSelectorBack},
      {"Spare_VFader_Back", 36, 150, 1, PaintVFaderBack},
      {"Spare_VFader_Thumb", 26, 14, 1, PaintVFaderThumb},
      {"Spare_VMeter_Back", 100, 6, 1, PaintMeterUnlit},
      {"Spare_VMeter_Bar", 100, 6, 1, PaintMeterLit},
      {"Spare_Wave_Icons", 40, 24 * kWaves, kWaves, PaintWave},
  };
}};
