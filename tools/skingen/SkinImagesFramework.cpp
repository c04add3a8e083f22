// Skins of the framework's controls on the front panel: the on-screen
// keyboard's lighting pictures, the program arrows on the LCD and the small
// labelled panel switches.
#include <algorithm>
#include <cstring>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinPaint.h"

namespace {

using namespace skin;

// ---- The on-screen keyboard ----
//
// Eight pictures of the whole keyboard, one per lighting state of a
// segment. A segment is the column range of one white key; it can show
// three keys lit: its white key (bit 1) and the black keys that reach into
// it, which take bits 2 and 4 in turn along the keyboard (so two black keys
// that share a segment never share a bit). Picture k shows every key whose
// bit is in k lit.

constexpr int kKeyboardWidth = 662;
constexpr int kKeyboardHeight = 70;
constexpr int kWhiteKeys = 52;
constexpr uint32_t kLitWhiteTop = 0xFFFFD8A0;
constexpr uint32_t kLitWhiteBottom = 0xFFFFB85A;

// The keyboard starts on A: a black key follows the whites A, C, D, F, G.
bool BlackAfter(int white) {
  static const bool kAfter[7] = {true, false, true, true, false, true, true};
  return white < kWhiteKeys - 1 && kAfter[white % 7];
}

int WhiteLeft(int i) { return i * kKeyboardWidth / kWhiteKeys; }

void PaintKeyboardState(CHfcDrawContext& dc, int state, int top, int, int height) {
  Fill(dc, 0, top, kKeyboardWidth, height, 0xFF08080A);
  for (int i = 0; i < kWhiteKeys; ++i) {
    const int left = WhiteLeft(i);
    const int w = WhiteLeft(i + 1) - left - 1;
    if (state & 1)
      VGradient(dc, left, top, w, height, kLitWhiteTop, kLitWhiteBottom);
    else
      VGradient(dc, left, top, w, height, 0xFFE9EAEC, 0xFFFFFFFF);
    Fill(dc, left, top + height - 4, w, 4, (state & 1) ? 0xFFE09A40 : 0xFFCFD1D5);
  }
  int black = 0;
  const int bw = kKeyboardWidth / kWhiteKeys * 6 / 10;
  const int bh = height * 62 / 100;
  for (int i = 0; i < kWhiteKeys; ++i) {
    if (!BlackAfter(i)) continue;
    const int bit = (black++ % 2 == 0) ? 2 : 4;
    const int x = WhiteLeft(i + 1) - bw / 2 - 1;
    if (state & bit) {
      VGradient(dc, x, top, bw, bh, 0xFFFFB040, 0xFFB86A10);
      Fill(dc, x + 1, top + bh - 4, bw - 2, 3, 0xFFFFD080);
    } else {
      VGradient(dc, x, top, bw, bh, 0xFF2A2C31, 0xFF0B0B0D);
      Fill(dc, x + 1, top + bh - 4, bw - 2, 3, 0xFF3C3F45);
    }
  }
}

// ---- Switches ----

// An arrow on the LCD: frame 0 plain, frame 1 pressed (inked).
void PaintArrow(CHfcDrawContext& dc, int frame, int top, int width, int height, bool up) {
  Fill(dc, 0, top, width, height, frame ? 0xFF8FA487 : 0xFFBFCEB8);
  const uint32_t ink = frame ? 0xFF0400FD : 0xFF2A3A8C;
  const int rows = height - 3;
  for (int r = 0; r < rows; ++r) {
    const int half = up ? r : rows - 1 - r;
    Fill(dc, width / 2 - half - 1, top + 1 + r + (up ? 0 : 1), 2 * half + 2, 1, ink);
  }
}

void PaintArrowUp(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  PaintArrow(dc, frame, top, width, height, true);
}

void PaintArrowDown(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  PaintArrow(dc, frame, top, width, height, false);
}

// A small labelled panel key: dark when off, the label lit amber when on;
// pressed frames sit one pixel lower. The faces stay dark and the labels
// light, so that the 7-point label, whose strokes are hardly a pixel wide,
// still reads at 4.5:1 on or off.
void PaintPanelKey(CHfcDrawContext& dc, int top, int width, int height, bool on, bool pressed,
                   const char* label) {
  Fill(dc, 0, top, width, height, 0xFF0B0C0E);
  const int inset = pressed ? 1 : 0;
  VGradient(dc, 1, top + 1 + inset, width - 2, height - 2 - inset, on ? 0xFF221E17 : 0xFF2E3035,
            on ? 0xFF120F0B : 0xFF1F2125);
  Fill(dc, 1, top + 1 + inset, 3, height - 2 - inset, on ? kAmber : 0xFF3A3530);
  // A key with a letter for a label has room for a larger one.
  dc.SetFont("Helvetica-Bold", std::strlen(label) == 1 ? 8.0f : 7.0f);
  dc.SetBrushColor(on ? 0xFFFFCE73 : 0xFFF2F3F5);
  dc.DrawText(7.0f, static_cast<float>(top + height - 2 + inset), label, std::strlen(label));
}

// Strips of one frame per state (off, on).
#define VESK_ONE_FRAME_KEY(fn, label)                                              \
  void fn(CHfcDrawContext& dc, int frame, int top, int width, int height) {        \
    PaintPanelKey(dc, top, width, height, frame == 1, false, label);               \
  }
// Strips of two frames per state (off, off pressed, on, on pressed).
#define VESK_TWO_FRAME_KEY(fn, label)                                              \
  void fn(CHfcDrawContext& dc, int frame, int top, int width, int height) {        \
    PaintPanelKey(dc, top, width, height, frame >= 2, frame % 2 == 1, label);      \
  }

VESK_ONE_FRAME_KEY(PaintEasyVolume, "VOLUME")
VESK_ONE_FRAME_KEY(PaintEasyOctave, "OCTAVE")
VESK_ONE_FRAME_KEY(PaintEasyCcSend, "CC SEND")
VESK_ONE_FRAME_KEY(PaintEasyRdSend, "RD SEND")
VESK_TWO_FRAME_KEY(PaintSplitOff, "OFF")
VESK_TWO_FRAME_KEY(PaintSplitLower, "LOWER")
VESK_TWO_FRAME_KEY(PaintSplitUpper, "UPPER")

// The controller target keys, too narrow for a word, carry the letter of
// the timbres they steer: M for the main six, S for the sub six.
VESK_TWO_FRAME_KEY(PaintCtrlMain, "M")
VESK_TWO_FRAME_KEY(PaintCtrlSub, "S")

#undef VESK_ONE_FRAME_KEY
#undef VESK_TWO_FRAME_KEY

}  // namespace

const SkinImageGroup kFrameworkSkins{[] {
  return std::vector<tagSkinImageRecipe>{
      {"ControllerKeyboard", kKeyboardWidth, kKeyboardHeight * 8, 8, PaintKeyboardState},
      {"Switch_Arrow_Up", 12, 2 * 8, 2, PaintArrowUp},
      {"Switch_Arrow_Down", 12, 2 * 8, 2, PaintArrowDown},
      {"Switch_EasySetup_Volume", 42, 2 * 9, 2, PaintEasyVolume},
      {"Switch_EasySetup_Octave", 42, 2 * 9, 2, PaintEasyOctave},
      {"Switch_EasySetup_CFsend", 42, 2 * 9, 2, PaintEasyCcSend},
      {"Switch_EasySetup_RDsend", 42, 2 * 9, 2, PaintEasyRdSend},
      {"Switch_SplitType_Off", 42, 4 * 9, 4, PaintSplitOff},
      {"Switch_SplitType_MainLower", 42, 4 * 9, 4, PaintSplitLower},
      {"Switch_SplitType_MainUpper", 42, 4 * 9, 4, PaintSplitUpper},
      {"Switch_Ctrl_Main", 16, 4 * 9, 4, PaintCtrlMain},
      {"Switch_Ctrl_Sub", 16, 4 * 9, 4, PaintCtrlSub},
  };
}};
