#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinPaint.h"

// The editor's look: a dark instrument panel with a pale LCD, light grey
// edit pages on which black labels and values stand, light knob caps with a
// lit amber value ring, and lit buttons. Every picture is drawn here from
// shapes; the controls' skins join this list with the sizes and frame
// counts their creation records state.
namespace {

using namespace skin;

// ---- Knobs ----

// The groove reaches 16.5 pixels from the knob's centre: the pages stack
// knobs 31 pixels apart, and the open foot of ring and groove leaves room
// for the cap's shadow of the knob above. Inside the ring the widest
// values ("C064", "R063") keep a pixel clear of it.
constexpr float kRingRadius = 15.0f;
constexpr float kRingWidth = 2.0f;
constexpr float kGrooveWidth = 3.0f;

// The lit value ring of the editor's knobs; the knob cuts it to the value.
void PaintKnobMeter(CHfcDrawContext& dc, int, int top, int width, int height) {
  const float c = width * 0.5f - 0.5f;
  dc.SetPenWidth(kRingWidth);
  dc.SetPenColor(kAmber);
  dc.FrameArc(c, top + c, kRingRadius, kKnobStart, kKnobEnd, true);
  (void)height;
}

// The same ring in segments: the value "random" at the minimum.
void PaintKnobMeterRandom(CHfcDrawContext& dc, int, int top, int width, int) {
  const float c = width * 0.5f - 0.5f;
  dc.SetPenWidth(kRingWidth);
  dc.SetPenColor(0xFF53C8FF);
  const int segments = 9;
  const float span = (kKnobEnd - kKnobStart) / segments;
  for (int i = 0; i < segments; ++i) {
    const float a0 = kKnobStart + span * i + span * 0.18f;
    dc.FrameArc(c, top + c, kRingRadius, a0, a0 + span * 0.64f, true);
  }
}

// The knob's face over the ring: a groove for the unlit ring, open at the
// foot as the ring is, and a light cap on which the value stands in black.
void PaintKnobMeterBack(CHfcDrawContext& dc, int, int top, int width, int) {
  const float c = width * 0.5f;
  dc.SetPenWidth(kGrooveWidth);
  dc.SetPenColor(0x38000000);
  dc.FrameArc(c - 0.5f, top + c - 0.5f, kRingRadius, kKnobStart, kKnobEnd, true);
  Cap(dc, c, top + c, c - 6.0f, 0xFFC2C5CB, 0xFFFAFAFB);
}

// A film strip of a knob with a pointer and a lit arc up to the value.
void PaintPointerKnob(CHfcDrawContext& dc, int frame, int top, int width, int frames) {
  const float c = width * 0.5f;
  const float cy = top + c;
  const float angle = KnobAngle(frame, frames);
  dc.SetPenWidth(2.5f);
  dc.SetPenColor(kAmberDim);
  dc.FrameArc(c - 0.5f, cy - 0.5f, c - 2.0f, kKnobStart, kKnobEnd, true);
  if (frame > 0) {
    dc.SetPenColor(kAmber);
    dc.FrameArc(c - 0.5f, cy - 0.5f, c - 2.0f, kKnobStart, angle, true);
  }
  const float r = c - 5.5f;
  Cap(dc, c, cy, r, 0xFF23252A, 0xFF5E626B);
  dc.SetPenWidth(1.0f);
  dc.SetPenColor(0xFF101114);
  dc.FrameCircle(c - 0.5f, cy - 0.5f, r);
  // The pointer line from near the centre to the rim.
  dc.SetPenWidth(std::max(1.6f, width / 18.0f));
  dc.SetPenColor(0xFFF2F2F2);
  dc.MoveTo(c + std::cos(angle) * r * 0.25f, cy - std::sin(angle) * r * 0.25f);
  dc.LineTo(c + std::cos(angle) * (r - 1.5f), cy - std::sin(angle) * (r - 1.5f));
}

void PaintRealTimeKnob(CHfcDrawContext& dc, int frame, int top, int width, int) {
  PaintPointerKnob(dc, frame, top, width, 127);
}

// ---- Switches ----

// A push button: frame 0 off, frame 1 on with a lit bar.
void PaintButton(CHfcDrawContext& dc, int frame, int top, int width, int height, uint32_t led) {
  Fill(dc, 0, top, width, height, 0xFF0E0F12);
  VGradient(dc, 1, top + 1, width - 2, height - 2, frame ? 0xFF5A5E66 : 0xFF4C5058,
            frame ? 0xFF3A3D44 : 0xFF2C2E34);
  Fill(dc, 1, top + 1, width - 2, 1, frame ? 0xFF7A7F88 : 0xFF686C74);
  const int barH = std::max(2, height / 6);
  Fill(dc, 4, top + 3, width - 8, barH, frame ? led : Mix(led, 0xFF1A1B1F, 0.78f));
  if (frame) Fill(dc, 4, top + 3 + barH, width - 8, 1, Mix(led, 0x00000000, 0.6f));
}

void PaintModeSelect(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  PaintButton(dc, frame, top, width, height, kAmber);
}

void PaintTimbreOnOff(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  PaintButton(dc, frame, top, width, height, 0xFF58E06A);
}

// A check box for the light pages: frame 1 carries the tick.
void PaintCheckBox(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF5B5F67);
  VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFFFFFFFF, 0xFFE2E4E8);
  if (frame) {
    dc.SetPenWidth(2.0f);
    dc.SetPenColor(0xFF1D4FB8);
    dc.MoveTo(2.5f, top + height * 0.5f);
    dc.LineTo(width * 0.42f, top + height - 3.0f);
    dc.LineTo(width - 2.5f, top + 2.5f);
  }
}

// ---- Wheels ----

// A pitch or modulation wheel seen from the front: ribs that move with
// the frame, shaded towards the top and bottom of the cylinder.
void PaintWheel(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kRecess);
  const int x = 3;
  const int w = width - 6;
  const int y = top + 3;
  const int h = height - 6;
  const float phase = static_cast<float>(frame) / 128.0f * kPi;
  for (int row = 0; row < h; ++row) {
    // Position on the cylinder, -1 at the top edge to 1 at the bottom.
    const float s = (row + 0.5f) / h * 2.0f - 1.0f;
    const float theta = std::asin(std::clamp(s, -1.0f, 1.0f));
    const float light = std::cos(theta);
    uint32_t colour = Mix(0xFF0C0D10, 0xFF7A7F88, light);
    // Ribs every 0.22 radian of turn.
    const float rib = std::fmod(theta + phase + 10.0f * kPi, 0.22f);
    if (rib < 0.06f) colour = Mix(colour, 0xFF0A0A0C, 0.7f * light + 0.2f);
    Fill(dc, x, y + row, w, 1, colour);
  }
  Fill(dc, x, top + height / 2, w, 1, 0x50FFFFFF);
}

// ---- The panel ----

void PaintKeyboard(CHfcDrawContext& dc, int x, int y, int w, int h) {
  const int whites = 52;
  Fill(dc, x - 2, y - 2, w + 4, h + 4, 0xFF08080A);
  for (int i = 0; i < whites; ++i) {
    const int left = x + i * w / whites;
    const int right = x + (i + 1) * w / whites;
    VGradient(dc, left, y, right - left - 1, h, 0xFFE9EAEC, 0xFFFFFFFF);
    Fill(dc, left, y + h - 4, right - left - 1, 4, 0xFFCFD1D5);
  }
  // The keyboard starts on A: black keys after the whites A, C, D, F, G.
  static const bool kBlackAfter[7] = {true, false, true, true, false, true, true};
  for (int i = 0; i < whites - 1; ++i) {
    if (!kBlackAfter[i % 7]) continue;
    const int boundary = x + (i + 1) * w / whites;
    const int bw = w / whites * 6 / 10;
    VGradient(dc, boundary - bw / 2 - 1, y, bw, h * 62 / 100, 0xFF2A2C31, 0xFF0B0B0D);
    Fill(dc, boundary - bw / 2, y + h * 62 / 100 - 4, bw - 2, 3, 0xFF3C3F45);
  }
}

// A name printed on the panel, centred over x .. x + w with its baseline at y.
void PanelName(CHfcDrawContext& dc, int x, int w, int y, const char* name) {
  constexpr float kSize = 6.5f;
  constexpr const char* kFace = "Helvetica Bold";
  const float tw = TextWidth(kFace, kSize, name);
  if (tw > w - 2) SkinTextTooWide("Background_Base", name, tw, w - 2);
  dc.SetFont(kFace, kSize);
  dc.SetBrushColor(0xFFB4B8C0);
  dc.DrawText(std::round(x + (w - tw) / 2.0f), static_cast<float>(y), name, std::strlen(name));
}

void PaintBackgroundBase(CHfcDrawContext& dc, int, int top, int width, int height) {
  VGradient(dc, 0, top, width, height, kPanelTop, kPanelBottom);
  // Brushed metal of the upper panel.
  for (int row = 0; row < 88; row += 2) Fill(dc, 0, top + row, width, 1, 0x0CFFFFFF);
  Fill(dc, 0, top + 88, width, 1, kEdgeLight);
  // The LCD with program number, name, bank and category.
  Sunken(dc, 12, top + 10, 162, 42, 0xFF101114);
  // No rule across it: the program number copies it behind itself a pixel
  // off its own place (its focus margin).
  VGradient(dc, 14, top + 12, 158, 38, 0xFFCFDCC8, 0xFFAEC0A6);
  // The names of the mode switches and of the utility switch, printed
  // between the LCD and the switches (32 pixels wide, at y 64).
  static const struct {
    int x;
    const char* name;
  } kSwitchNames[] = {{31, "PERF"}, {67, "PROG"}, {103, "GLOBAL"}, {138, "UTILITY"}};
  for (const auto& n : kSwitchNames) PanelName(dc, n.x - 2, 36, top + 61, n.name);
  // Sections of the upper panel: easy setup, real-time knobs, effects and
  // EQ (the last EQ knob ends at x 806).
  Sunken(dc, 174, top + 14, 96, 72, 0xFF2B2D33);
  Sunken(dc, 286, top + 8, 266, 78, 0xFF2B2D33);
  Sunken(dc, 556, top + 8, 256, 78, 0xFF2B2D33);
  Fill(dc, 642, top + 14, 1, 66, kEdgeLight);
  Fill(dc, 724, top + 14, 1, 66, kEdgeLight);
  // The edit area: a darker tab row and the light page, the main pages'
  // width with the panel's margin on both sides.
  const int areaWidth = width - 2 * kPanelInset;
  Sunken(dc, kPanelInset, top + 90, areaWidth, 430, 0xFF2F3238);
  PageSurface(dc, kPanelInset + 1, top + 124, areaWidth - 2, 395);
  Fill(dc, kPanelInset + 1, top + 123, areaWidth - 2, 1, 0xFF8D9199);
  // The controller area: wheel wells, keyboard.
  Fill(dc, 0, top + 522, width, 1, kEdgeLight);
  Sunken(dc, 73, top + 525, 52, 73, kRecess);
  PaintKeyboard(dc, 131, top + 528, 662, 70);
  // A plain badge where the logo switch sits.
  Sunken(dc, 7, top + 538, 60, 24, 0xFF2B2D33);
}

}  // namespace

const SkinImageGroup kPanelSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"Background_Base", kPanelWidth, kPanelHeight, 1, PaintBackgroundBase},
      // 35 rows, the knob's size: the timbre pages stack knobs 31 rows apart
      // down to their bands' last row, and the knob lies within its band.
      {"Knob_Meter", 36, 35, 1, PaintKnobMeter},
      {"Knob_MeterBack", 36, 35, 1, PaintKnobMeterBack},
      {"Knob_Meter_RND", 36, 35, 1, PaintKnobMeterRandom},
      {"Knob_RealTimeKnob", 36, 36 * 127, 127, PaintRealTimeKnob},
      {"Knob_FxParamKnob", 22, 22 * 127, 127, PaintRealTimeKnob},
      {"Switch_ModeSelect", 32, 2 * 20, 2, PaintModeSelect},
      {"TimbreOnOff_SW", 36, 2 * 14, 2, PaintTimbreOnOff},
      {"Switch_CheckBox", 13, 2 * 13, 2, PaintCheckBox},
      {"ControllerWheel", 20, 66 * 128, 128, PaintWheel},
  };
}};
