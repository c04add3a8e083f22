#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinLayout.h"
#include "tools/skingen/SkinPaint.h"
#include "tools/skingen/SkinRouting.h"

// The program pages: light grey panels with dark title bars, the overview
// blocks of the play page, the effect boxes, the pictures that stand for
// waveforms, filter types, routings and mixer types.
namespace {

using namespace skin;

constexpr uint32_t kBodyBorder = 0xFFA3A8B1;
constexpr uint32_t kBodyFill = 0xFFE6E8EB;
constexpr uint32_t kBodyHighlight = 0xFFF6F7F8;
constexpr uint32_t kTitleTop = 0xFF50545C;
constexpr uint32_t kTitleBottom = 0xFF383B42;
constexpr uint32_t kInk = 0xFF1B1D22;
constexpr uint32_t kLcd = 0xFFC6D4BE;

void Body(CHfcDrawContext& dc, int x, int y, int w, int h) {
  Fill(dc, x, y, w, h, kBodyBorder);
  Fill(dc, x + 1, y + 1, w - 2, h - 2, kBodyFill);
  Fill(dc, x + 1, y + 1, w - 2, 1, kBodyHighlight);
  Fill(dc, x + 1, y + 1, 1, h - 2, kBodyHighlight);
}

// Title bars of the main pages, as the headings of the sub-pages: an
// amber rule over the page's own colour. Their labels copy the bar at their
// own place, or the page where the bar is too short for them; the pages cut
// the bar to any width.
void PaintTitle(CHfcDrawContext& dc, int, int top, int width, int height) {
  HeadingSurface(dc, 0, top, width, height);
}

// Headings of the sub-pages: an amber rule over the page's own colour.
// Their labels copy a backdrop from the page (or, on the effect pages,
// from this picture at the label's own page position), so the band below
// the rule is flat.
void PaintSubHeading(CHfcDrawContext& dc, int, int top, int width, int height) {
  HeadingSurface(dc, 0, top, width, height);
}

// A ruler over the two velocity-zone graphs of the oscillator page.
void PaintVeloScale(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kPageLight);
  Fill(dc, 0, top + height - 2, width, 1, kBodyBorder);
  for (int x = 0; x < width; x += 25) Fill(dc, x, top + height - 6, 1, 4, kBodyBorder);
}

void PaintBody(CHfcDrawContext& dc, int, int top, int width, int height) { PanelSurface(dc, 0, top, width, height); }

// The overview's blocks: one flat fill, since their small graphs copy the
// block's picture from its top left corner as their backdrop.
void PaintBlock(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kPanelFill);
}

// Under a multisample row of the overview: the page itself, so that the
// row's fields copy what lies under them.
void PaintPlane(CHfcDrawContext& dc, int, int top, int width, int height) { PageSurface(dc, 0, top, width, height); }

void PaintFxBox(CHfcDrawContext& dc, int, int top, int width, int height) {
  Body(dc, 0, top, width, height);
  for (int r = 1; r < 4; ++r) Fill(dc, 2, top + 15 * r - 1, width - 4, 1, kBodyBorder);
}

// An effect's plate in the routing: light, for the black name on it.
void PaintFxSel(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF8D9199);
  Fill(dc, 1, top + 1, width - 2, height - 2, 0xFFE4E7EB);
}

// In place of the insert effect's plate where the timbre has no insert
// effect: on the routing panel, the routing's line runs straight through
// (the sound passes untouched) and a plate on it says so in words.
void PaintNoFx(CHfcDrawContext& dc, int, int top, int width, int height) {
  PanelSurface(dc, 0, top, width, height);
  // The line sits where the routing's arrows run, 17 rows into the plate.
  Fill(dc, 0, top + 17, width, 2, kInk);
  const int plateX = 22;
  const int plateW = width - 44;
  Fill(dc, plateX, top + 8, plateW, 19, kBodyBorder);
  Fill(dc, plateX + 1, top + 9, plateW - 2, 17, kBodyFill);
  CentredText(dc, plateX, top + 9, plateW, 17, "Insert effect not available", "Helvetica Bold", 9.0f, kInk, 4);
}

void PaintKnobBox(CHfcDrawContext& dc, int, int top, int width, int height) { Body(dc, 0, top, width, height); }

// The chain arrow the master effect pages lay over the routing, from the
// first effect's row down to the second's: its 30 rows reach from one
// effect's input line to the other's, so it starts below the first and its
// tip stops above the second, crossing neither.
void PaintChain(CHfcDrawContext& dc, int, int top, int, int height) {
  Fill(dc, 4, top + 3, 2, height - 10, kAmber);
  for (int i = 0; i < 4; ++i) Fill(dc, 1 + i, top + height - 7 + i, 8 - 2 * i, 1, kAmber);
}

// Filmstrips: frame k shows value k.
void Frame(CHfcDrawContext& dc, int top, int width, int height) {
  Sunken(dc, 0, top, width, height, 0xFF101114);
  VGradient(dc, 1, top + 1, width - 2, height - 2, kLcd, 0xFFAEC0A6);
}

void Polyline(CHfcDrawContext& dc, const float* ys, int n, int x, int top, int w, int h) {
  for (int i = 0; i < w; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(w - 1) * static_cast<float>(n - 1);
    const int k = std::min(n - 2, static_cast<int>(t));
    const float v = ys[k] + (ys[k + 1] - ys[k]) * (t - static_cast<float>(k));
    Fill(dc, x + i, top + static_cast<int>(std::lround((1.0f - v) * static_cast<float>(h - 1))), 1, 2, kInk);
  }
}

void PaintLfoWave(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Frame(dc, top, width, height);
  std::vector<float> ys;
  const int n = 33;
  for (int i = 0; i < n; ++i) {
    const float p = static_cast<float>(i) / static_cast<float>(n - 1);
    float v = 0.5f;
    switch (frame % 6) {
      case 0: v = p < 0.5f ? p * 2.0f : 2.0f - p * 2.0f; break;
      case 1: v = p; break;
      case 2: v = p < 0.5f ? 1.0f : 0.0f; break;
      case 3: v = 0.5f + 0.5f * std::sin(p * 2.0f * kPi); break;
      case 4: v = static_cast<float>((i * 7 + frame * 3) % 5) / 4.0f; break;
      default: v = std::floor(p * 4.0f) / 4.0f; break;
    }
    if (frame >= 6) v = frame >= 12 ? 1.0f - v : 0.5f + (v - 0.5f) * 0.6f;
    ys.push_back(0.1f + 0.8f * v);
  }
  Polyline(dc, ys.data(), n, 2, top + 2, width - 4, height - 4);
}

void PaintFilterType(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Frame(dc, top, width, height);
  static const float kShapes[4][5] = {
      {0.8f, 0.8f, 0.9f, 0.2f, 0.05f}, {0.05f, 0.2f, 0.9f, 0.8f, 0.8f},
      {0.05f, 0.4f, 0.95f, 0.4f, 0.05f}, {0.85f, 0.7f, 0.05f, 0.7f, 0.85f}};
  Polyline(dc, kShapes[frame & 3], 5, 2, top + 2, width - 4, height - 4);
}

void PaintFilterRouting(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kBodyFill);
  const int mid = top + height / 2;
  const int bw = width / 5;
  // Boxes 10 high, less in the play overview's 7-pixel miniature.
  const int bh = height >= 15 ? 10 : height - 3;
  auto box = [&](int x, int y) { Sunken(dc, x, y - bh / 2, bw, bh, 0xFF2B2D33); };
  Fill(dc, 2, mid, width - 4, 1, kInk);
  switch (frame & 3) {
    case 0: box(width / 2 - bw / 2, mid); break;                                  // single
    case 1: box(width / 4 - bw / 2, mid); box(3 * width / 4 - bw / 2, mid); break;  // serial
    case 2:                                                                        // parallel
      box(width / 2 - bw / 2, mid - height / 4);
      box(width / 2 - bw / 2, mid + height / 4);
      Fill(dc, width / 4, mid - height / 4, 1, height / 2, kInk);
      Fill(dc, 3 * width / 4, mid - height / 4, 1, height / 2, kInk);
      break;
    default:  // 24 dB: one long box
      Sunken(dc, width / 4, mid - bh / 2, width / 2, bh, 0xFF2B2D33);
      break;
  }
}

// The Filter page's routing of filters A and B, drawn by the page at
// (166, 5) over the filter panel and under its controls: the picture is
// transparent but for a diagram in the band between the "Filter A" row
// (its controls end 24 rows down) and the "Filter B" row (69 rows down),
// left of the response graphs (120 columns in) and right of the title bar
// the page draws beside the panel (4 columns in). Frames: single, serial,
// parallel, 24 dB (A and B as one filter).
constexpr int kRoutingTop = 28;
constexpr int kRoutingMid = kRoutingTop + 18;

void RoutingLine(CHfcDrawContext& dc, int x0, int x1, int y) { Fill(dc, x0, y, x1 - x0, 1, kInk); }
void RoutingArrow(CHfcDrawContext& dc, int x1, int y) {
  for (int i = 0; i < 3; ++i) Fill(dc, x1 - 3 + i, y - 2 + i, 1, 5 - 2 * i, kInk);
}
void RoutingBox(CHfcDrawContext& dc, int x, int y, int w, const char* name) {
  Sunken(dc, x, y - 6, w, 13, 0xFF2B2D33);
  CentredText(dc, x, y - 6, w, 13, name, "Helvetica-Narrow-Bold", 9.0f, 0xFFF2F2F2, 0);
}

void PaintFilterRoutingDiagram(CHfcDrawContext& dc, int frame, int top, int, int) {
  const int mid = top + kRoutingMid;
  RoutingLine(dc, 8, 14, mid);
  switch (frame & 3) {
    case 0:  // single: A only
      RoutingLine(dc, 14, 44, mid);
      RoutingBox(dc, 44, mid, 20, "A");
      RoutingLine(dc, 64, 112, mid);
      break;
    case 1:  // serial: A into B
      RoutingLine(dc, 14, 30, mid);
      RoutingBox(dc, 30, mid, 20, "A");
      RoutingLine(dc, 50, 64, mid);
      RoutingArrow(dc, 64, mid);
      RoutingBox(dc, 64, mid, 20, "B");
      RoutingLine(dc, 84, 112, mid);
      break;
    case 2:  // parallel: A and B side by side, joined
      for (int dy : {-9, 9}) {
        RoutingLine(dc, 30, 46, mid + dy);
        RoutingBox(dc, 46, mid + dy, 20, dy < 0 ? "A" : "B");
        RoutingLine(dc, 66, 82, mid + dy);
      }
      RoutingLine(dc, 14, 30, mid);
      Fill(dc, 30, mid - 9, 1, 19, kInk);
      Fill(dc, 82, mid - 9, 1, 19, kInk);
      RoutingLine(dc, 82, 112, mid);
      break;
    default:  // 24 dB: one filter of both
      RoutingLine(dc, 14, 34, mid);
      RoutingBox(dc, 34, mid, 46, "A+B 24dB");
      RoutingLine(dc, 80, 112, mid);
      break;
  }
  RoutingArrow(dc, 112, mid);
}

void PaintMixerType(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Frame(dc, top, width, height);
  static const char* kNames[7] = {"A+B", "AxB", "Ofs", "Smth", "Shp", "Qnt", "Gate"};
  dc.SetFont("DejaVu Sans", 11.0f);
  dc.SetBrushColor(kInk);
  const char* t = kNames[frame % 7];
  dc.DrawText(8.0f, static_cast<float>(top + height / 2 + 4), t, std::strlen(t));
}

// The Basic page's slide switch names its two positions, SINGLE above
// DOUBLE, and lights the one the program is in, dark on amber. Its state
// counts up from the bottom position: frame 0 lights DOUBLE, frame 1 SINGLE.
void PaintOscMode2(CHfcDrawContext& dc, int f, int top, int w, int h) {
  Sunken(dc, 0, top, w, h, 0xFF1B1C20);
  const int slot = (h - 4) / 2;
  static const char* const kPositions[2] = {"SINGLE", "DOUBLE"};
  const int lit = 1 - f % 2;
  Fill(dc, 2, top + 2 + slot * lit, w - 4, slot, kAmber);
  Fill(dc, 2, top + 2 + slot, w - 4, 1, 0xFF3A3D44);
  for (int s = 0; s < 2; ++s)
    CentredText(dc, 2, top + 2 + slot * s, w - 4, slot, kPositions[s], "Helvetica-Narrow-Bold", 8.0f,
                s == lit ? 0xFF1B1D22 : 0xFFB4B8C0);
}
// The play overview's small picture of the oscillator mode (frame = mode):
// one amber bar for a single oscillator, two for double, a grid of pads
// for drums.
void PaintOscMode4(CHfcDrawContext& dc, int f, int top, int w, int h) {
  Sunken(dc, 0, top, w, h, 0xFF1B1C20);
  switch (f % 4) {
    case 0: Fill(dc, 3, top + 5, w - 6, 4, kAmber); break;
    case 1:
      Fill(dc, 3, top + 3, w - 6, 3, kAmber);
      Fill(dc, 3, top + 8, w - 6, 3, kAmber);
      break;
    default:
      for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) Fill(dc, 3 + c * 5, top + 3 + r * 5, 3, 3, kAmber);
      break;
  }
}

void PaintKeyboard(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF0E0F12);
  const float keyW = static_cast<float>(width) / 75.0f;  // 128 keys: 75 white keys
  for (int k = 0; k < 75; ++k) {
    const int x = static_cast<int>(k * keyW);
    Fill(dc, x + 1, top, static_cast<int>(keyW) - 1, height - 1, 0xFFF4F4F2);
  }
  static const bool kBlackAfter[7] = {true, true, false, true, true, true, false};
  for (int k = 0; k < 74; ++k) {
    if (!kBlackAfter[k % 7]) continue;
    const int x = static_cast<int>((k + 1) * keyW - keyW * 0.3f);
    Fill(dc, x, top, std::max(2, static_cast<int>(keyW * 0.6f)), height * 6 / 10, 0xFF1B1C20);
  }
}

// The key-zone bars of the Basic page span the keyboard picture: a thin
// track with octave ticks, the zone in blue, the slopes hatched.
void PaintKeyZoneBack(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF9096A0);
  Fill(dc, 0, top + 1, width, height - 2, 0xFFF1F2F4);
  for (int k = 0; k < 128; k += 12) Fill(dc, k * width / 128, top + 1, 1, height - 2, 0xFFB8BCC4);
}
void PaintKeyZoneBar(CHfcDrawContext& dc, int, int top, int width, int height) {
  VGradient(dc, 0, top, width, height, 0xFF6D95D8, 0xFF2A4F92);
}
void PaintKeyZoneSlope(CHfcDrawContext& dc, int, int top, int width, int height) {
  for (int x = 0; x < width; ++x)
    if ((x / 2) % 2 == 0) Fill(dc, x, top, 1, height, 0x80FFFFFF);
}

// The program pages' sub-pages hold four columns of 196 pixels.
void PaintWideSubTab(CHfcDrawContext& dc, int, int top, int width, int height) {
  PageSurface(dc, 0, top, width, height);
}

const SkinImageGroup kProgramPageSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"Container_Horizontal_1", 798, 20, 1, PaintTitle},
      {"Container_Base", 798, 400, 1, PaintBody},
      {"Container_Horizontal_Sub1", 784, 24, 1, PaintSubHeading},
      {"Container_Horizontal_Sub2", 389, 18, 1, PaintSubHeading},
      {"Container_Horizontal_Sub4", 193, 18, 1, PaintSubHeading},
      {"Image_VeloZone_Scale", 126, 12, 1, PaintVeloScale},
      {"Container_ProgPlay_Overview_EQ", 70, 58, 1, PaintBlock},
      {"Container_ProgPlay_Overview_FEG", 70, 58, 1, PaintBlock},
      {"Container_ProgPlay_Overview_AEG", 70, 58, 1, PaintBlock},
      {"Container_ProgPlay_Overview_FLT", 90, 58, 1, PaintBlock},
      {"Container_ProgPlay_Overview_LFO2", 104, 58, 1, PaintBlock},
      {"Container_ProgPlay_Overview_LFO", 56, 58, 1, PaintBlock},
      {"Container_Plane_221X29", 181, 15, 1, PaintPlane},
      {"Container_ProgPlay_FX", 176, 60, 1, PaintFxBox},
      {"Container_FxSel", 200, 17, 1, PaintFxSel},
      // The EQ's plate ends before the master level's box that the
      // performance page puts 71 pixels along it.
      {"Container_FxSelEQ", 70, 17, 1, PaintFxSel},
      {"Container_NoFxSel", 244, 35, 1, PaintNoFx},
      {"Container_FxKnob", 50, 52, 1, PaintKnobBox},
      {"Container_InsertFX_Routing", 400, 80, 1, PaintInsertFxRouting},
      {"Container_ProgMasterFX_Routing", 400, 80, 1, PaintMasterFxRouting},
      {"Image_MFX_Routing_MFX1ToMFX2", 10, 30, 1, PaintChain},
      {"Image_LFO", 44, 18 * 24, 18, PaintLfoWave},
      {"Image_FilterType", 18, 4 * 12, 4, PaintFilterType},
      {"Image_FilterRouting", 118, 4 * (kRoutingMid + 12), 4, PaintFilterRoutingDiagram},
      // 7 high: the filter type picture stands 7 rows below it.
      {"Image_FilterRouting_mini", 40, 4 * 7, 4, PaintFilterRouting},
      {"Image_AMSMixerType", 60, 7 * 22, 7, PaintMixerType},
      {"Image_Keyboard", 527, 28, 1, PaintKeyboard},
      {"Background_SubTab_Wide", kSubPageWideWidth, 230, 1, PaintWideSubTab},
      {"KeyZoneBarBack", 525, 6, 1, PaintKeyZoneBack},
      {"KeyZoneBar", 523, 4, 1, PaintKeyZoneBar},
      {"KeyZoneSlope", 523, 4, 1, PaintKeyZoneSlope},
      {"Switch_OscillatorMode", 40, 2 * 54, 2, PaintOscMode2},
      {"Switch_OscillatorMode_s", 14, 4 * 14, 4, PaintOscMode4},
  };
}};

}  // namespace
