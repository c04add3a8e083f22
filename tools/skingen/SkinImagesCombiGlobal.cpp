// Skins of the performance and global pages: the sub-tab page backgrounds,
// the master-effect routing picture (SkinRouting), the global dump switch, the user
// scale keyboards and the timbre tags and switches.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinLayout.h"
#include "tools/skingen/SkinPaint.h"
#include "tools/skingen/SkinRouting.h"

namespace {

using namespace skin;

constexpr uint32_t kGroupFill = 0xFFE6E8EB;
constexpr uint32_t kGroupBorder = 0xFFA3A8B1;
constexpr uint32_t kGroupHighlight = 0xFFF6F7F8;
constexpr uint32_t kKeyWhite = 0xFFF7F7F5;
// The black keys of the user scale rows carry labels in black: a mid grey.
constexpr uint32_t kKeyRaised = 0xFF9BA0A9;
constexpr uint32_t kKeyEdge = 0xFF6E737C;

void Panel(CHfcDrawContext& dc, int x, int top, int w, int h) {
  Fill(dc, x, top, w, h, kGroupBorder);
  Fill(dc, x + 1, top + 1, w - 2, h - 2, kGroupFill);
  Fill(dc, x + 1, top + 1, w - 2, 1, kGroupHighlight);
  Fill(dc, x + 1, top + 1, 1, h - 2, kGroupHighlight);
}

void PaintPage(CHfcDrawContext& dc, int, int top, int width, int height) { PageSurface(dc, 0, top, width, height); }

// The dump switch: a dark push button that says what it does, with an
// amber arrow pointing out to the synthesizer. 19 rows: it stands in the
// title bar it is placed on (from the bar's second row to its last).
void PaintDumpSwitch(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF0E0F12);
  VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFF5A5E66, 0xFF363940);
  Fill(dc, 1, top + 1, width - 2, 1, 0xFF7A7F88);
  CentredText(dc, 4, top, width - 20, height, "Dump Global", "Helvetica-Narrow-Bold", 10.0f, 0xFFF2F2F2);
  const int cy = top + height / 2;
  Fill(dc, width - 16, cy - 1, 5, 3, kAmber);
  for (int i = 0; i < 5; ++i) Fill(dc, width - 11 + i, cy - 4 + i, 1, 9 - 2 * i, kAmber);
}

// One octave of keys as the user scale rows stand on it: seven white keys
// below, five black keys above, in a frame; `whites` white keys are drawn
// (five for the last, shorter octave, with the black keys between them).
// Each key is drawn around its note's field, as the user scale page places
// the 40-pixel fields on the picture: a white key's field in its lower
// half, a black key's three pixels in from either side of the key.
constexpr int kFieldWidth = 40;
constexpr int kWhiteFieldX[7] = {8, 67, 126, 185, 244, 303, 362};
// The black key after white key k (C#, D#, -, F#, G#, A#), 0 for none.
constexpr int kBlackFieldX[6] = {38, 97, 0, 215, 274, 333};

void Keys(CHfcDrawContext& dc, int top, int width, int height, int whites) {
  Panel(dc, 0, top, width, height);
  const int y0 = top + 4;
  const int h = height - 8;
  // The white keys step as their fields do (59 pixels), from the frame's
  // first inner column.
  const int kw = kWhiteFieldX[1] - kWhiteFieldX[0];
  for (int k = 0; k < whites; ++k) {
    const int x = 1 + kw * k;
    Fill(dc, x, y0, kw - 1, h, kKeyEdge);
    Fill(dc, x + 1, y0 + 1, kw - 3, h - 2, kKeyWhite);
  }
  constexpr int kBlackMargin = 3;
  for (int k = 0; k + 1 < whites; ++k) {
    if (!kBlackFieldX[k]) continue;
    const int x = kBlackFieldX[k] - kBlackMargin;
    const int w = kFieldWidth + 2 * kBlackMargin;
    Fill(dc, x, y0, w, h / 2, kKeyEdge);
    Fill(dc, x + 1, y0, w - 2, h / 2 - 1, kKeyRaised);
  }
}

void PaintOctaveKeys(CHfcDrawContext& dc, int, int top, int width, int height) {
  Keys(dc, top, width, height, 7);
}

void PaintOctave10Keys(CHfcDrawContext& dc, int, int top, int width, int height) {
  Keys(dc, top, width, height, 5);
}

// The small tag over each half of the timbres, naming the timbres below:
// amber for the main six, dimmed for the sub six.
template <bool kMain>
void PaintTimbreTag(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, kMain ? kAmber : kAmberDim);
  Fill(dc, 1, top + 1, width - 2, height - 2, kMain ? 0xFFFFC066 : 0xFF8A6A3C);
  CentredText(dc, 0, top, width, height, kMain ? "TIMBRES 1-6" : "TIMBRES 7-12", "Helvetica-Narrow-Bold", 8.0f,
              kMain ? 0xFF1B1D22 : 0xFFFFFFFF);
}

// A timbre's play switch, numbered with its timbre: frame 0 off (dark),
// frame 1 on (lit amber).
template <int kTimbre>
void PaintTimbreSwitch(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF0E0F12);
  VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFF5A5E66, 0xFF363940);
  const std::string number = std::to_string(kTimbre);
  CentredText(dc, 0, top + 1, width, height - 10, number.c_str(), "Helvetica-Bold", 13.0f,
              frame ? 0xFFFFFFFF : 0xFFB4B8C0);
  Fill(dc, 5, top + height - 8, width - 10, 4, frame ? kAmber : kAmberDim);
}

const SkinImageGroup kCombiGlobalSkins{[] {
  std::vector<tagSkinImageRecipe> r{
      {"Background_SubTab_Large", kSubPageLargeWidth, 356, 1, PaintPage},
      {"Background_SubTab_Middle", kSubPageMiddleWidth, 300, 1, PaintPage},
      {"Switch_GlobalDump", 92, 19, 1, PaintDumpSwitch},
      {"Container_UserScale_Octave", 416, 115, 1, PaintOctaveKeys},
      {"Container_UserScale_Octave10", 302, 115, 1, PaintOctave10Keys},
      {"Container_MasterFX_Routing", 410, 100, 1, PaintMasterFxRouting},
      {"Image_MainTimbres", 76, 10, 1, PaintTimbreTag<true>},
      {"Image_SubTimbres", 76, 10, 1, PaintTimbreTag<false>},
  };
  r.push_back({"TimbreNameM0", 53, 2 * 31, 2, PaintTimbreSwitch<1>});
  r.push_back({"TimbreNameM1", 53, 2 * 31, 2, PaintTimbreSwitch<2>});
  r.push_back({"TimbreNameM2", 53, 2 * 31, 2, PaintTimbreSwitch<3>});
  r.push_back({"TimbreNameM3", 53, 2 * 31, 2, PaintTimbreSwitch<4>});
  r.push_back({"TimbreNameM4", 53, 2 * 31, 2, PaintTimbreSwitch<5>});
  r.push_back({"TimbreNameM5", 53, 2 * 31, 2, PaintTimbreSwitch<6>});
  r.push_back({"TimbreNameS0", 53, 2 * 31, 2, PaintTimbreSwitch<7>});
  r.push_back({"TimbreNameS1", 53, 2 * 31, 2, PaintTimbreSwitch<8>});
  r.push_back({"TimbreNameS2", 53, 2 * 31, 2, PaintTimbreSwitch<9>});
  r.push_back({"TimbreNameS3", 53, 2 * 31, 2, PaintTimbreSwitch<10>});
  r.push_back({"TimbreNameS4", 53, 2 * 31, 2, PaintTimbreSwitch<11>});
  r.push_back({"TimbreNameS5", 53, 2 * 31, 2, PaintTimbreSwitch<12>});
  return r;
}};

}  // namespace
