// Skins of the performance and global pages: group title bars and panels,
// the sub-tab page backgrounds, the effect routing picture and its boxes,
// the global dump switch and the user scale keyboards.
#include <cmath>
#include <cstring>
#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinPaint.h"

namespace {

using namespace skin;

constexpr uint32_t kGroupFill = 0xFFE6E8EB;
constexpr uint32_t kGroupBorder = 0xFFA3A8B1;
constexpr uint32_t kGroupHighlight = 0xFFF6F7F8;
constexpr uint32_t kTitleTop = 0xFFC3C7CE;
constexpr uint32_t kTitleBottom = 0xFFAEB3BB;
constexpr uint32_t kKeyWhite = 0xFFF7F7F5;
constexpr uint32_t kKeyBlack = 0xFF1B1C20;
constexpr uint32_t kKeyEdge = 0xFF6E737C;

void Panel(CHfcDrawContext& dc, int x, int top, int w, int h) {
  Fill(dc, x, top, w, h, kGroupBorder);
  Fill(dc, x + 1, top + 1, w - 2, h - 2, kGroupFill);
  Fill(dc, x + 1, top + 1, w - 2, 1, kGroupHighlight);
  Fill(dc, x + 1, top + 1, 1, h - 2, kGroupHighlight);
}

// A group's title bar: a darker grey band with an amber stroke at its left.
void PaintTitleBar(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kGroupBorder);
  VGradient(dc, 1, top + 1, width - 2, height - 2, kTitleTop, kTitleBottom);
  Fill(dc, 1, top + 3, 2, height - 6, kAmber);
}

void PaintPanel(CHfcDrawContext& dc, int, int top, int width, int height) {
  Panel(dc, 0, top, width, height);
}

void PaintPage(CHfcDrawContext& dc, int, int top, int width, int height) {
  VGradient(dc, 0, top, width, height, kPageLight, kPageShade);
}

// The dump switch: a dark push button with an amber arrow pointing out.
void PaintDumpSwitch(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF0E0F12);
  VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFF5A5E66, 0xFF363940);
  Fill(dc, 1, top + 1, width - 2, 1, 0xFF7A7F88);
  const int cy = top + height / 2;
  Fill(dc, 8, cy - 1, width - 20, 3, kAmber);
  for (int i = 0; i < 5; ++i) Fill(dc, width - 12 + i, cy - 4 + i, 1, 9 - 2 * i, kAmber);
}

// One octave of keys as the user scale rows stand on it: seven white keys
// below, five black keys above, in a frame. `keys` white keys are drawn
// (five for the last, shorter octave).
void Keys(CHfcDrawContext& dc, int top, int width, int height, int whites) {
  Panel(dc, 0, top, width, height);
  const int kw = 59;
  const int y0 = top + 4;
  const int h = height - 8;
  for (int k = 0; k < whites; ++k) {
    Fill(dc, 2 + kw * k, y0, kw - 1, h, kKeyEdge);
    Fill(dc, 3 + kw * k, y0 + 1, kw - 3, h - 2, kKeyWhite);
  }
  static constexpr int kBlackAt[] = {0, 1, 3, 4, 5};
  for (int b : kBlackAt) {
    if (b + 1 >= whites) continue;
    Fill(dc, 2 + kw * (b + 1) - 18, y0, 36, h / 2, kKeyBlack);
  }
}

void PaintOctaveKeys(CHfcDrawContext& dc, int, int top, int width, int height) {
  Keys(dc, top, width, height, 7);
}

void PaintOctave10Keys(CHfcDrawContext& dc, int, int top, int width, int height) {
  Keys(dc, top, width, height, 5);
}

// The small keyboard of the octave selector: 11 octaves, 7 keys of 7
// pixels each, the last octave 5 keys.
void PaintSelectorKeyboard(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kKeyEdge);
  const int keys = 10 * 7 + 5;
  for (int k = 0; k < keys; ++k) Fill(dc, 7 * k + 1, top + 1, 6, height - 2, kKeyWhite);
  static constexpr int kBlackAt[] = {0, 1, 3, 4, 5};
  for (int o = 0; o < 11; ++o)
    for (int b : kBlackAt) {
      const int x = 49 * o + 7 * (b + 1) - 2;
      if (x + 4 < width) Fill(dc, x, top + 1, 4, (height - 2) * 3 / 5, kKeyBlack);
    }
}

// An effect's selector box and a level knob's box.
void PaintFxBox(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kGroupBorder);
  VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFFD4D7DC, 0xFFC6CAD0);
}

// The routing diagram behind the master effects: the input line runs to
// MFX1 and MFX2, both return to the EQ and the output.
void PaintRouting(CHfcDrawContext& dc, int, int top, int width, int height) {
  const uint32_t line = 0xFF5F646D;
  Fill(dc, 10, top + 20, 2, 50, line);      // input down
  Fill(dc, 10, top + 20, 43, 2, line);      // to MFX1
  Fill(dc, 10, top + 49, 43, 2, line);      // to MFX2
  Fill(dc, 253, top + 20, 30, 2, line);     // MFX1 out
  Fill(dc, 253, top + 49, 30, 2, line);     // MFX2 out
  Fill(dc, 283, top + 20, 2, 31, line);     // returns joined
  Fill(dc, 283, top + 35, 115, 2, line);    // to the EQ
  Fill(dc, 398, top + 35, 2, 5, line);
  (void)width;
  (void)height;
}

// The chain arrow from MFX1 down to MFX2.
void PaintChainArrow(CHfcDrawContext& dc, int, int top, int width, int height) {
  const int cx = width / 2;
  Fill(dc, cx - 1, top, 3, height - 5, kAmber);
  for (int i = 0; i < 5; ++i) Fill(dc, cx - 4 + i, top + height - 5 + i, 9 - 2 * i, 1, kAmber);
}

const SkinImageGroup kCombiGlobalSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"Container_Horizontal_1", 782, 19, 1, PaintTitleBar},
      {"Container_Base", 782, 400, 1, PaintPanel},
      {"Background_SubTab_Large", 786, 356, 1, PaintPage},
      {"Background_SubTab_Middle", 786, 300, 1, PaintPage},
      {"Switch_GlobalDump", 92, 20, 1, PaintDumpSwitch},
      {"Container_UserScale_Octave", 416, 115, 1, PaintOctaveKeys},
      {"Container_UserScale_Octave10", 302, 115, 1, PaintOctave10Keys},
      {"Image_Keyboard", 10 * 49 + 35, 24, 1, PaintSelectorKeyboard},
      {"Container_FxSel", 200, 17, 1, PaintFxBox},
      {"Container_FxSelEQ", 200, 17, 1, PaintFxBox},
      {"Container_FxKnob", 48, 56, 1, PaintFxBox},
      {"Container_MasterFX_Routing", 410, 100, 1, PaintRouting},
      {"Image_MFX_Routing_MFX1ToMFX2", 11, 24, 1, PaintChainArrow},
  };
}};

}  // namespace
