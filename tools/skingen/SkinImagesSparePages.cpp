// Skins of the spare pages: their sub-level tab strips, the timbre column
// heads and row bars of the key and velocity zone page, and the keyboard
// and velocity scale drawn under its zone bars (one pixel per note or
// velocity step, matching the 128-pixel bars).
#include <cmath>
#include <cstring>
#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinPaint.h"
#include "tools/skingen/SkinTabStrip.h"

namespace {

using namespace skin;

constexpr uint32_t kRule = 0xFF9096A0;

struct Strip {
  const char* name;
  TabStrip strip;
};

const Strip& StripOf(int which) {
  static const Strip kStrips[] = {
      {"Tab_Low_InsertFX", SubStrip({"Routing", "Setup", "IFX1", "IFX2", "IFX3", "IFX4", "IFX5"})},
      {"Tab_Low_Global_MIDI", SubStrip({"MIDI"})},
  };
  return kStrips[which];
}

template <int kWhich>
void PaintStrip(CHfcDrawContext& dc, int, int, int width, int) {
  PaintTabStrip(dc, StripOf(kWhich).strip, width);
}

template <int kWhich>
tagSkinImageRecipe StripRecipe() {
  const Strip& s = StripOf(kWhich);
  return {s.name, StripWidth(s.strip), 2 * s.strip.tabHeight, 1, PaintStrip<kWhich>};
}

// The head of a timbre column: a raised grey plate with a darker rule.
void PaintTimbreHead(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kRule);
  VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFFEFF0F3, kPageShade);
}

// A row bar behind one parameter of every timbre.
void PaintRowBar(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFFB4B8C0);
  VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFFE8EAED, 0xFFD3D6DB);
}

bool IsBlackKey(int note) {
  switch (note % 12) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10: return true;
    default: return false;
  }
}

// One column per note: white and black keys, each C marked below.
void PaintKeyboard(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF2A2C31);
  for (int n = 0; n < 128 && n < width; ++n) {
    if (IsBlackKey(n))
      Fill(dc, n, top, 1, height * 3 / 5, 0xFF1B1C20);
    else
      Fill(dc, n, top, 1, height - 3, 0xFFF4F4F2);
    if (n % 12 == 0) Fill(dc, n, top + height - 3, 1, 3, kAmber);
  }
}

// A ramp from soft to loud with a tick every 16 steps.
void PaintVelocityScale(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF2A2C31);
  for (int v = 0; v < width; ++v) {
    const int h = 1 + (height - 4) * v / (width - 1);
    Fill(dc, v, top + height - 3 - h, 1, h, Mix(0xFF6A4A1C, kAmber, v / float(width - 1)));
    if (v % 16 == 0) Fill(dc, v, top + height - 2, 1, 2, kPageLight);
  }
}

// Filter switches of the large sound browser: frame 0 dark, frame 1 lit in
// the browser's blue; the switch writes its own text.
void PaintBlueFilterSwitch(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  constexpr uint32_t kBlue = 0xFF6178C2;
  Fill(dc, 0, top, width, height, 0xFF101218);
  if (frame == 1)
    VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFF9FB0E6, kBlue);
  else
    VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFF3A3F4C, 0xFF262A33);
}

// The large sound browser's page: dark, with the browser's blue edge.
void PaintBigBrowserPage(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF6178C2);
  VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFF1A1D26, 0xFF07080F);
}

const SkinImageGroup kSparePageSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      StripRecipe<0>(),
      StripRecipe<1>(),
      {"Container_KeyZone_Timbre", 44, 20, 1, PaintTimbreHead},
      {"Container_HorizontalBar", 782, 17, 1, PaintRowBar},
      {"Image_Keyboard_Big", 128, 14, 1, PaintKeyboard},
      {"Image_VelocityScale", 128, 14, 1, PaintVelocityScale},
      {"Background_BlueBrowser_Big", 800, 420, 1, PaintBigBrowserPage},
      {"Switch_Blue_106X17", 106, 2 * 17, 2, PaintBlueFilterSwitch},
      {"Switch_Blue_52X17", 52, 2 * 17, 2, PaintBlueFilterSwitch},
  };
}};

}  // namespace
