// Skins of the editor's own controls: tab strips and their group switches,
// drop-down faces, sound-selector fields, scroll-bar arrows, MIDI activity
// indicators, the medium check box and the split-key keyboard. They follow
// the panel's language: light fields with grey borders on the edit pages,
// the pale LCD for sound names, dark browser parts with coloured text, and
// amber for what is lit.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinImageRecipe.h"
#include "tools/skingen/SkinPaint.h"
#include "tools/skingen/SkinTabStrip.h"

namespace {

using namespace skin;

constexpr uint32_t kFieldBorder = 0xFF7E838C;
constexpr uint32_t kFieldTop = 0xFFFFFFFF;
constexpr uint32_t kFieldBottom = 0xFFECEEF1;
constexpr uint32_t kLcdTop = 0xFFD4E0CC;
constexpr uint32_t kLcdBottom = 0xFFB5C6AC;
constexpr uint32_t kBrowserDark = 0xFF07080F;

constexpr uint32_t kBlue = 0xFF6178C2;
constexpr uint32_t kRed = 0xFFC0543E;
constexpr uint32_t kGreen = 0xFF89AD51;

// ---- Shapes ----

// A triangle of rows, pointing down (dir 0), up (1), left (2) or right (3),
// centred on (cx, cy) with the given half size.
void Triangle(CHfcDrawContext& dc, float cx, float cy, int half, int dir, uint32_t colour) {
  dc.SetBrushColor(colour);
  for (int i = 0; i <= half; ++i) {
    const int len = 2 * (half - i) + 1;
    const float along = (dir == 0 || dir == 3) ? static_cast<float>(i) : static_cast<float>(-i);
    if (dir < 2)
      dc.FillRect(cx - (len - 1) / 2.0f - 0.5f, cy + along - half / 2.0f - 0.5f, static_cast<float>(len), 1.0f);
    else
      dc.FillRect(cx + along - half / 2.0f - 0.5f, cy - (len - 1) / 2.0f - 0.5f, 1.0f, static_cast<float>(len));
  }
}

// A light field of the edit pages: grey border, white fill.
void Field(CHfcDrawContext& dc, int x, int y, int w, int h) {
  Fill(dc, x, y, w, h, kFieldBorder);
  VGradient(dc, x + 1, y + 1, w - 2, h - 2, kFieldTop, kFieldBottom);
}

// A small dark button face.
void ButtonFace(CHfcDrawContext& dc, int x, int y, int w, int h, bool pressed) {
  Fill(dc, x, y, w, h, 0xFF0E0F12);
  VGradient(dc, x + 1, y + 1, w - 2, h - 2, pressed ? 0xFF2C2E34 : 0xFF5A5E66,
            pressed ? 0xFF3A3D44 : 0xFF363940);
  if (!pressed) Fill(dc, x + 1, y + 1, w - 2, 1, 0xFF7A7F88);
}

// ---- Tab strips ----

const TabStrip& Strip(int which) {
  static const std::vector<TabStrip> kStrips = {
      MainStrip({"Play", "Basic", "Pitch", "Filter", "Amp", "LFOs", "AMS/KTrk", "IFX", "MFX"}),
      MainStrip({"Play", "Timbres", "MFX"}),
      MainStrip({"Software", "System", "User Scale", "Category"}),
      SubStrip({"Basic"}),
      SubStrip({"OSC1 MS", "OSC1 Pitch", "OSC2 MS", "OSC2 Pitch", "Common", "Pitch EG"}),
      SubStrip({"Filter 1", "F1 Mod", "F1 LFO", "F1 EG", "Filter 2", "F2 Mod", "F2 LFO", "F2 EG"}),
      SubStrip({"Amp1 Mod", "Amp1 EG", "Amp2 Mod", "Amp2 EG"}),
      SubStrip({"OSC1 LFO1", "OSC1 LFO2", "OSC2 LFO1", "OSC2 LFO2", "Common"}),
      SubStrip({"OSC1 Mixer", "OSC2 Mixer", "Key Track"}),
      SubStrip({"Timbre 1-6", "Timbre 7-12"}),
      SubStrip({"Pan/Send", "MIDI/OSC", "Pitch", "Filt/Amp", "MIDI Filt"}),
      SubStrip({"OSC Common", "OSC EG/LFO", "OSC1", "OSC2"}),
      SubStrip({"IFX"}),
      SubStrip({"MFX1", "MFX2", "EQ"}),
  };
  return kStrips[which];
}

template <int kWhich>
void PaintStrip(CHfcDrawContext& dc, int, int, int width, int) {
  PaintTabStrip(dc, Strip(kWhich), width);
}

template <int kWhich>
tagSkinImageRecipe StripRecipe(const char* name) {
  const TabStrip& s = Strip(kWhich);
  return {name, StripWidth(s), 2 * s.tabHeight, 1, PaintStrip<kWhich>};
}

// The previous and next group switches of a tab strip, 24 x 24 each.
void PaintTabSwitches(CHfcDrawContext& dc, int, int top, int, int height) {
  for (int i = 0; i < 2; ++i) {
    ButtonFace(dc, i * 24 + 1, top + 1, 22, height - 2, false);
    Triangle(dc, i * 24 + 12.0f, top + 12.0f, 5, i == 0 ? 2 : 3, kAmber);
  }
}

// ---- Drop-down faces ----

// Fields of the edit pages: the arrow button at the left ends before the
// list's text begins (13 pixels in; 10 in the LCD's bank list).
template <int kArrow>
void PaintDropdownField(CHfcDrawContext& dc, int, int top, int width, int height) {
  Field(dc, 0, top, width, height);
  ButtonFace(dc, 0, top, kArrow, height, false);
  Triangle(dc, kArrow / 2.0f, top + height / 2.0f + 0.5f, 3, 0, 0xFFF2F2F2);
}

// The LCD's bank list lies under the program number, whose one-pixel focus
// margin is repainted with the number: the list's top row stays clear.
void PaintLcdBankField(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  PaintDropdownField<9>(dc, frame, top + 1, width, height - 1);
}

// The blue and red browsers' selectors: dark fields with the colour's edge,
// the arrow at the right in the room the text leaves (`reserve`).
void PaintBrowserDropdown(CHfcDrawContext& dc, int frame, int top, int width, int height, uint32_t colour,
                          int reserve) {
  // Black inside, as the well it stands in: the coloured text needs it.
  Fill(dc, 0, top, width, height, Mix(colour, 0xFF000000, 0.35f));
  Fill(dc, 1, top + 1, width - 2, height - 2, frame ? 0xFF101218 : 0xFF000000);
  if (reserve > 0) {
    const int bx = width - reserve;
    Fill(dc, bx, top + 2, 1, height - 4, Mix(colour, 0xFF000000, 0.5f));
    Triangle(dc, bx + reserve / 2.0f, top + height / 2.0f + 0.5f, 4, 0, frame ? Mix(colour, 0xFFFFFFFF, 0.4f) : colour);
  }
}

template <uint32_t kColour, int kReserve>
void PaintBrowserDropdownRecipe(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  PaintBrowserDropdown(dc, frame, top, width, height, kColour, kReserve);
}

// ---- Sound selectors ----

void PaintSelectorLcd(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF2A2E2A);
  VGradient(dc, 1, top + 1, width - 2, height - 2, kLcdTop, kLcdBottom);
  Fill(dc, 1, top + 1, width - 2, 1, 0x30000000);
}

void PaintSelectorBox(CHfcDrawContext& dc, int, int top, int width, int height) {
  Field(dc, 0, top, width, height);
}

// The play overview's small fields start right after a 27-pixel label
// ("MFX1"): the box stands a column in from either end of its frame, so
// that the label's text keeps two clear columns before it.
void PaintSelectorBoxInset(CHfcDrawContext& dc, int, int top, int width, int height) {
  Field(dc, 1, top, width - 2, height);
}

// No border line: a light field that only its shade sets apart.
void PaintSelectorNoLine(CHfcDrawContext& dc, int, int top, int width, int height) {
  VGradient(dc, 0, top, width, height, kFieldTop, 0xFFE4E7EB);
}

// ---- Scroll bars ----

// Four frames of the switch picture: decrement, decrement pressed,
// increment, increment pressed; arrows up/down or left/right.
void PaintScrollSwitches(CHfcDrawContext& dc, int frame, int top, int width, int height, uint32_t colour,
                         bool vertical) {
  const bool pressed = frame == 1 || frame == 3;
  const bool increment = frame >= 2;
  Fill(dc, 0, top, width, height, kBrowserDark);
  Fill(dc, 1, top + 1, width - 2, height - 2, Mix(colour, 0xFF000000, pressed ? 0.2f : 0.55f));
  VGradient(dc, 2, top + 2, width - 4, height - 4, pressed ? Mix(colour, 0xFF000000, 0.1f) : 0xFF2A2D36,
            pressed ? Mix(colour, 0xFF000000, 0.3f) : 0xFF14161C);
  const int dir = vertical ? (increment ? 0 : 1) : (increment ? 3 : 2);
  Triangle(dc, width / 2.0f, top + height / 2.0f, 3, dir, pressed ? 0xFFFFFFFF : colour);
}

template <uint32_t kColour, bool kVertical>
void PaintScrollRecipe(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  PaintScrollSwitches(dc, frame, top, width, height, kColour, kVertical);
}

// ---- MIDI indicators ----

// A numbered lamp: frame 0 dark, frame 1 glowing, frame 2 lit.
void PaintMidiIndicator(CHfcDrawContext& dc, int frame, int top, int width, int height, int number) {
  static const uint32_t kLamp[3] = {0xFF2A2C31, 0xFF8A5A1C, kAmber};
  Fill(dc, 0, top, width, height, 0xFF0E0F12);
  VGradient(dc, 1, top + 1, width - 2, height - 2, Mix(kLamp[frame], 0xFFFFFFFF, 0.15f), kLamp[frame]);
  const std::string text = std::to_string(number);
  CentredText(dc, 0, top, width, height, text.c_str(), "Helvetica Bold", 9.0f,
              frame == 2 ? 0xFF1B1D22 : (frame == 1 ? 0xFFF4E2C4 : 0xFF9DA1A8));
}

template <int kNumber>
void PaintMidiIndicatorRecipe(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  PaintMidiIndicator(dc, frame, top, width, height, kNumber);
}

// ---- Check box ----

// The play overview's small check boxes stand 11 pixels before their
// labels: 9 pixels wide, with the mark inside the rim, they leave the
// label's first letter two clear columns.
void PaintCheckBoxMedium(CHfcDrawContext& dc, int frame, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF5B5F67);
  VGradient(dc, 1, top + 1, width - 2, height - 2, 0xFFFFFFFF, 0xFFE2E4E8);
  if (!frame) return;
  // At this size a drawn line blurs: the mark is set pixel by pixel, a
  // column of white kept inside the rim all round.
  static const char* const kMark[5] = {"....#", "...##", "#.##.", "###..", ".#..."};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      if (kMark[y][x] == '#') Fill(dc, (width - 5) / 2 + x, top + (height - 5) / 2 + y, 1, 1, 0xFF1D4FB8);
}

// ---- Split-key keyboard ----

// The keys' height; the marker reaches below them. Keys and marker stay
// within the 16 rows the split-point panel gives the bar under its top
// (the bar stands 6 rows into a 22-row panel).
constexpr int kSplitKeysHeight = 11;
constexpr int kSplitMarkHeight = 16;

// 88 keys from A: 52 white keys of 13 pixels (7 to the 91-pixel octave),
// black keys over the boundaries after A, C, D, F and G.
void PaintSplitKeyboard(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, 0, top, width, height, 0xFF08080A);
  for (int i = 0; i < 52; ++i) {
    const int x = i * 13;
    VGradient(dc, x, top, 12, height - 1, 0xFFE9EAEC, 0xFFFFFFFF);
  }
  static const bool kBlackAfter[7] = {true, false, true, true, false, true, true};
  for (int i = 0; i < 51; ++i) {
    if (!kBlackAfter[i % 7]) continue;
    const int boundary = (i + 1) * 13;
    VGradient(dc, boundary - 4, top, 7, height * 6 / 10, 0xFF2A2C31, 0xFF0B0B0D);
  }
}

// The split marker: a hairline down through the keys and a wedge below
// them pointing up at the split, white so that the bar's tint colours it.
void PaintSplitArrow(CHfcDrawContext& dc, int, int top, int width, int height) {
  Fill(dc, width / 2, top, 1, kSplitKeysHeight, 0xFFFFFFFF);
  Triangle(dc, width / 2.0f, top + kSplitKeysHeight + 5.0f, 3, 1, 0xFFFFFFFF);
  Fill(dc, 0, top + height - 1, width, 1, 0xFFFFFFFF);
}

// Names with their sizes, as the controls and the factory ask for them.
struct Sized {
  const char* name;
  int w, h;
};

const SkinImageGroup kEditorControlSkins{[] {
  std::vector<tagSkinImageRecipe> r;
  for (const Sized& s : {Sized{"DropdownList_154X13", 154, 13}, Sized{"DropdownList_129X13", 129, 13},
                         Sized{"DropdownList_115X13", 115, 13}, Sized{"DropdownList_108X13", 108, 13},
                         Sized{"DropdownList_96X13", 96, 13}, Sized{"DropdownList_80X13", 80, 13},
                         Sized{"DropdownList_65X13", 65, 13}, Sized{"DropdownList_40X13", 40, 13},
                         Sized{"DropdownList_37X13", 37, 13}, Sized{"DropdownList_31X13", 31, 13},
                         Sized{"DropdownList_Cat_137X13", 137, 13}})
    r.push_back({s.name, s.w, s.h, 1, PaintDropdownField<12>});
  r.push_back({"DropdownList_Bank_25X13", 25, 13, 1, PaintLcdBankField});
  r.push_back({"DropdownList_BlueBrowser", 160, 18, 1, PaintBrowserDropdownRecipe<kBlue, 20>});
  // As wide as the browsers give them: the sound browser's two selectors
  // share its 240 pixels (104 each), the program browser's too (106), the
  // effect and multisample browsers' one selector takes 216.
  r.push_back({"DropdownSwitch_BlueBrowser", 104, 2 * 18, 2, PaintBrowserDropdownRecipe<kBlue, 20>});
  r.push_back({"DropdownSwitch_RedBrowser", 106, 2 * 18, 2, PaintBrowserDropdownRecipe<kRed, 22>});
  r.push_back({"DropdownSwitch_RedBrowser_NoBtn", 106, 2 * 18, 2, PaintBrowserDropdownRecipe<kRed, 0>});
  r.push_back({"DropdownSwitch_RedBrowser_Long", 216, 2 * 18, 2, PaintBrowserDropdownRecipe<kRed, 40>});
  r.push_back({"DropdownSwitch_ParamBrowser", 160, 2 * 18, 2, PaintBrowserDropdownRecipe<kGreen, 22>});

  for (const Sized& s : {Sized{"SoundSelector_LCD_108X13", 108, 13}, Sized{"SoundSelector_LCD_40X13", 40, 13},
                         Sized{"SoundSelector_LCD_65X13", 65, 13}, Sized{"SoundSelector_LCD_79X13", 79, 13},
                         Sized{"SoundSelector_LCD_96X13", 96, 13}, Sized{"SoundSelector_LCD_129X13", 129, 13},
                         Sized{"SoundSelector_LCD_139X13", 139, 13}, Sized{"SoundSelector_LCD_154X13", 154, 13},
                         Sized{"SoundSelector_LCD_180X25", 180, 25}})
    r.push_back({s.name, s.w, s.h, 1, PaintSelectorLcd});
  r.push_back({"SoundSelector_Box_Tiny", 70, 11, 1, PaintSelectorBoxInset});
  r.push_back({"SoundSelector_Box_129X13", 129, 13, 1, PaintSelectorBox});
  r.push_back({"SoundSelector_Box_94x11", 94, 11, 1, PaintSelectorBox});
  // As wide as the performance play page leaves it before the send knobs.
  r.push_back({"SoundSelector_NL_139X13", 155, 13, 1, PaintSelectorNoLine});

  r.push_back({"Scrollbar_Blue_Vertical_IncDec", 13, 4 * 13, 4, PaintScrollRecipe<kBlue, true>});
  r.push_back({"Scrollbar_Blue_Horizontal_IncDec", 13, 4 * 13, 4, PaintScrollRecipe<kBlue, false>});
  r.push_back({"Scrollbar_Red_Vertical_IncDec", 13, 4 * 13, 4, PaintScrollRecipe<kRed, true>});
  r.push_back({"Scrollbar_Param_Vertical_IncDec", 13, 4 * 13, 4, PaintScrollRecipe<kGreen, true>});

  r.push_back({"MidiIndicatorNum01Sw_p", 13, 3 * 13, 3, PaintMidiIndicatorRecipe<1>});
  r.push_back({"MidiIndicatorNum02Sw_p", 13, 3 * 13, 3, PaintMidiIndicatorRecipe<2>});
  r.push_back({"MidiIndicatorNum03Sw_p", 13, 3 * 13, 3, PaintMidiIndicatorRecipe<3>});
  r.push_back({"MidiIndicatorNum04Sw_p", 13, 3 * 13, 3, PaintMidiIndicatorRecipe<4>});
  r.push_back({"MidiIndicatorNum05Sw_p", 13, 3 * 13, 3, PaintMidiIndicatorRecipe<5>});
  r.push_back({"MidiIndicatorNum06Sw_p", 13, 3 * 13, 3, PaintMidiIndicatorRecipe<6>});

  r.push_back({"Switch_CheckBox_Medium", 9, 2 * 9, 2, PaintCheckBoxMedium});
  r.push_back({"Switch_TabSw", 48, 24, 1, PaintTabSwitches});
  r.push_back({"Image_SplitPointKeyboard", 677, kSplitKeysHeight, 1, PaintSplitKeyboard});
  r.push_back({"Image_SplitKeyArrow", 7, kSplitMarkHeight, 1, PaintSplitArrow});

  r.push_back(StripRecipe<0>("Tab_Prog_Main"));
  r.push_back(StripRecipe<1>("Tab_Combi_Main"));
  r.push_back(StripRecipe<2>("Tab_Global_Main"));
  r.push_back(StripRecipe<3>("Tab_Low_Prog_Basic"));
  r.push_back(StripRecipe<4>("Tab_Low_Prog_Pitch"));
  r.push_back(StripRecipe<5>("Tab_Low_Prog_Filter"));
  r.push_back(StripRecipe<6>("Tab_Low_Prog_Amp"));
  r.push_back(StripRecipe<7>("Tab_Low_Prog_LFOs"));
  r.push_back(StripRecipe<8>("Tab_Low_Prog_AMS"));
  r.push_back(StripRecipe<9>("Tab_Low_Combi_Play"));
  r.push_back(StripRecipe<10>("Tab_Low_Combi_TimbreParam"));
  r.push_back(StripRecipe<11>("Tab_Low_Prog_Play"));
  r.push_back(StripRecipe<12>("Tab_Low_ProgInsertFX"));
  r.push_back(StripRecipe<13>("Tab_Low_MasterFX"));
  return r;
}};

}  // namespace
