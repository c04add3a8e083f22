#include <cmath>
#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinPaint.h"

// The browsers and dialogs: a dark panel page with a recessed well for the
// list, and OK (a tick) and Cancel (a cross) switches in the browser's
// colour: blue for sounds and dialogs, red for the pickers of a value,
// green for the parameter pickers. Frame 0 of a switch is unlit, frame 1
// lit.
namespace {

using namespace skin;

constexpr uint32_t kBlue = 0xFF6178C2;
constexpr uint32_t kRed = 0xFFC0543E;
constexpr uint32_t kGreen = 0xFF89AD51;
constexpr int kPageWidth = 240;
// The browsers stand at y 114 over the panel and end where the controller
// area begins (its edge at y 522); OK and Cancel, placed 385 rows down,
// keep five rows clear of the bottom.
constexpr int kPageHeight = 408;
constexpr int kSwitchWidth = 72;
constexpr int kSwitchHeight = 18;

void Stroke(CHfcDrawContext& dc, float x0, float y0, float x1, float y1, uint32_t colour) {
  const float len = std::hypot(x1 - x0, y1 - y0);
  const int steps = static_cast<int>(len * 2.0f) + 1;
  for (int i = 0; i <= steps; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(steps);
    Fill(dc, static_cast<int>(x0 + (x1 - x0) * t), static_cast<int>(y0 + (y1 - y0) * t), 2, 2,
         colour);
  }
}

template <uint32_t kColour>
void PaintPage(CHfcDrawContext& dc, int, int top, int width, int height) {
  VGradient(dc, 0, top, width, height, kPanelTop, kPanelBottom);
  Fill(dc, 0, top, width, 1, kEdgeLight);
  Fill(dc, 0, top + height - 1, width, 1, kRecess);
  // The well behind lists, fields and their titles, edged in the browser's
  // colour: black, the one ground on which the browsers' blue and red
  // titles reach 4.5:1.
  Sunken(dc, 8, top + 4, width - 16, 374, 0xFF000000);
  Fill(dc, 9, top + 5, width - 18, 1, Mix(0xFF000000, kColour, 0.35f));
}

template <uint32_t kColour, bool kOk>
void PaintSwitch(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  const bool lit = frame == 1;
  VGradient(dc, 0, top, width, height, 0xFF3A3D44, 0xFF202227);
  Fill(dc, 0, top, width, 1, kEdgeLight);
  Fill(dc, 0, top + height - 1, width, 1, kRecess);
  Fill(dc, 0, top, 1, height, kEdgeLight);
  Fill(dc, width - 1, top, 1, height, kRecess);
  const uint32_t ink = lit ? kColour : Mix(kColour, kRecess, 0.6f);
  Fill(dc, 4, top + height - 4, width - 8, 2, ink);
  const float cx = static_cast<float>(width) / 2.0f;
  const float cy = static_cast<float>(top) + static_cast<float>(height) / 2.0f - 2.0f;
  if (kOk) {
    Stroke(dc, cx - 7, cy, cx - 2, cy + 5, ink);
    Stroke(dc, cx - 2, cy + 5, cx + 7, cy - 6, ink);
  } else {
    Stroke(dc, cx - 6, cy - 6, cx + 5, cy + 5, ink);
    Stroke(dc, cx - 6, cy + 5, cx + 5, cy - 6, ink);
  }
}

// A modal strip holds one tab: row 0 selected, row 1 unselected; the
// strip writes the page's title on it.
template <uint32_t kColour>
void PaintTab(CHfcDrawContext& dc, int, int top, int width, int height) {
  for (int row = 0; row < 2; ++row) {
    const int y = top + row * (height / 2);
    const int h = height / 2;
    const uint32_t face = row == 0 ? Mix(kPanelTop, kColour, 0.45f) : kPanelBottom;
    VGradient(dc, 0, y, width, h, face, Mix(face, kRecess, 0.3f));
    Fill(dc, 0, y, width, 1, kEdgeLight);
    Fill(dc, 0, y, 1, h, kEdgeLight);
    Fill(dc, width - 1, y, 1, h, kRecess);
    Fill(dc, 2, y + h - 3, width - 4, 2, row == 0 ? kColour : Mix(kColour, kRecess, 0.6f));
  }
}

// The sound browser's tab: its page has no title for the strip to write,
// so the tab carries one, in the face, size, colour and place in which the
// strip writes the other browsers' titles (the bold narrow face of the
// tab names' bitmap font, light over a dark shadow, centred, its baseline
// 21 rows down).
void PaintSoundBrowserTab(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  PaintTab<kBlue>(dc, frame, top, width, height);
  constexpr const char* kTitle = "Select Sound";
  for (int row = 0; row < 2; ++row) {
    const int y = top + row * (height / 2) + 3;
    CentredText(dc, 1, y + 1, width, height / 2 - 3, kTitle, "Helvetica-Narrow-Bold", 10.0f, 0xD9000000, 2);
    CentredText(dc, 0, y, width, height / 2 - 3, kTitle, "Helvetica-Narrow-Bold", 10.0f, 0xFFE5E5E5, 2);
  }
}

const SkinImageGroup kBrowserSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"Background_BlueBrowser_Small", kPageWidth, kPageHeight, 1, PaintPage<kBlue>},
      {"Background_RedBrowser", kPageWidth, kPageHeight, 1, PaintPage<kRed>},
      {"Background_ParamBrowser", kPageWidth, kPageHeight, 1, PaintPage<kGreen>},
      {"Switch_Blue_OK", kSwitchWidth, 2 * kSwitchHeight, 2, PaintSwitch<kBlue, true>},
      {"Switch_Blue_Cancel", kSwitchWidth, 2 * kSwitchHeight, 2, PaintSwitch<kBlue, false>},
      {"Switch_Red_OK", kSwitchWidth, 2 * kSwitchHeight, 2, PaintSwitch<kRed, true>},
      {"Switch_Red_Cancel", kSwitchWidth, 2 * kSwitchHeight, 2, PaintSwitch<kRed, false>},
      {"Switch_Param_OK", kSwitchWidth, 2 * kSwitchHeight, 2, PaintSwitch<kGreen, true>},
      {"Tab_BlueBrowser_Browser", 76, 62, 1, PaintSoundBrowserTab},
      {"Tab_BlueBrowser", 154, 62, 1, PaintTab<kBlue>},
      {"Tab_RedBrowser", 154, 62, 1, PaintTab<kRed>},
      {"Tab_ParamBrowser", 154, 62, 1, PaintTab<kGreen>},
      {"Switch_Param_Cancel", kSwitchWidth, 2 * kSwitchHeight, 2, PaintSwitch<kGreen, false>},
  };
}};

}  // namespace
