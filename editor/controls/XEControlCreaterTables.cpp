#include "editor/controls/XEControlCreaterTables.h"

#include <iterator>

namespace XEControlCreaterTables {

const tagLabelStyle kLabelStyles[8] = {
    {"FontGeneva9", 0xFF000000u},           // 0
    {"FontArialB12", 0xFF000000u},          // 1 category heading
    {"FontHelvB11", 0xFF000000u},           // 2 parameter label
    {"FontGeneva10ForLabel", 0xFF000000u},  // 3
    {"FontHelvB11", 0xFF000000u},           // 4
    {"FontGeneva9", 0xFF000000u},           // 5
    {"FontGeneva9", 0xFF000000u},           // 6
    {"FontGeneva9", 0xFFBF00BFu},           // 7
};

const tagTextEditBox kTextEditBoxes[10] = {
    {23, 13, "EditText_23X13", 23, 1, "FontGeneva9"},
    {37, 13, "EditText_37X13", 37, 5, "FontGeneva9"},
    {40, 13, "EditText_40X13", 40, 6, "FontGeneva9"},
    {48, 13, "EditText_48X13", 48, 10, "FontGeneva9"},
    {53, 13, "EditText_53X13", 53, 11, "FontGeneva9"},
    // The 70-pixel box is drawn 64 wide: its skin carries a shadow column.
    {70, 13, "EditText_70X14", 64, 14, "FontGeneva9"},
    {96, 13, "EditText_96X13", 96, 16, "FontGeneva9"},
    {114, 13, "EditText_114X13", 114, 19, "FontGeneva9"},
    {154, 13, "EditText_154X13", 154, 25, "FontGeneva9"},
    {164, 16, "EditText_164X16", 164, 27, "FontHelvB11"},
};

const tagValueBarStyle kValueBarStyles[8] = {
    {30, "HorizontalValueBarBack_30X10_0C", "HorizontalValueBar_30X10", 26, 8, 0, 0},
    {39, "HorizontalValueBarBack_39X4_0C", "HorizontalValueBar_39X4", 35, 3, 0, 0},
    {67, "HorizontalValueBarBack_67X13_0C", "HorizontalValueBar", 63, 0, 0, 0},
    {88, "HorizontalValueBarBack_96X13_5C", "HorizontalValueBar", 55, 0, 5, 63},
    {96, "HorizontalValueBarBack_96X13_4C", "HorizontalValueBar", 63, 0, 4, 71},
    {103, "HorizontalValueBarBack_103X13", "HorizontalValueBar", 63, 0, 5, 71},
    {146, "HorizontalValueBarBack_154X13_5C", "HorizontalValueBar", 113, 0, 4, 121},
    {154, "HorizontalValueBarBack_154X13_4C", "HorizontalValueBar", 121, 0, 4, 129},
};

namespace {
constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kBlueBrowser = 0xFF6178C2u;
constexpr uint32_t kRedBrowser = 0xFFC0543Eu;
constexpr uint32_t kParamBrowser = 0xFF89AD51u;
constexpr uint32_t kBlue = 0xFF0000FFu;
}  // namespace

const tagDropdownType kDropdownTypes[17] = {
    {"DropdownList_154X13", "FontGeneva9", kBlack, 1, 0, 13, 0},
    {"DropdownList_129X13", "FontGeneva9", kBlack, 1, 0, 13, 0},
    {"DropdownList_115X13", "FontGeneva9", kBlack, 1, 0, 13, 0},
    {"DropdownList_108X13", "FontGeneva9", kBlack, 1, 0, 13, 0},
    {"DropdownList_96X13", "FontGeneva9", kBlack, 1, 0, 13, 0},
    {"DropdownList_80X13", "FontGeneva9", kBlack, 1, 0, 13, 0},
    {"DropdownList_65X13", "FontGeneva9", kBlack, 1, 0, 13, 0},
    {"DropdownList_40X13", "FontGeneva9", kBlack, 1, 0, 13, 0},
    {"DropdownList_37X13", "FontGeneva9", kBlack, 1, 0, 13, 0},
    {"DropdownList_31X13", "FontGeneva9", kBlack, 1, 0, 13, 0},
    {"DropdownList_BlueBrowser", "FontHelvB11", kBlueBrowser, 1, 0, 3, 20},
    {"DropdownSwitch_BlueBrowser", "FontHelvB11", kBlueBrowser, 2, 1, 2, 20},
    {"DropdownSwitch_RedBrowser", "FontHelvB11", kRedBrowser, 2, 1, 2, 22},
    {"DropdownSwitch_RedBrowser_NoBtn", "FontHelvB11", kRedBrowser, 2, 1, 2, 0},
    {"DropdownList_Cat_137X13", "FontGeneva9", kBlue, 1, 0, 13, 0},
    {"DropdownList_Bank_25X13", "FontGeneva9", kBlue, 1, 0, 13, 0},
    {"DropdownSwitch_RedBrowser_Long", "FontHelvB11", kRedBrowser, 2, 1, 2, 40},
};

const tagSelectorStyle kSelectorStyles[15] = {
    {"SoundSelector_LCD_108X13", "FontGeneva9", 4, 0},
    {"SoundSelector_LCD_40X13", "FontGeneva9", 5, 0},
    {"SoundSelector_LCD_65X13", "FontGeneva9", 2, 0},
    {"SoundSelector_LCD_79X13", "FontGeneva9", 4, 1},
    {"SoundSelector_LCD_96X13", "FontGeneva9", 4, 1},
    {"SoundSelector_LCD_129X13", "FontGeneva9", 4, 0},
    {"SoundSelector_LCD_139X13", "FontGeneva9", 4, 0},
    {"SoundSelector_LCD_139X13", "FontGeneva9", 4, 1},
    {"SoundSelector_LCD_154X13", "FontGeneva9", 4, 0},
    {"SoundSelector_LCD_180X25", "FontHelvB11", 8, 0},
    {"SoundSelector_Box_Tiny", "FontGeneva9", 4, 1},
    {"SoundSelector_Box_129X13", "FontGeneva9", 2, 1},
    {"SoundSelector_Box_94x11", "FontGeneva9", 0, 1},
    {"SoundSelector_LCD_96X13", "FontGeneva9", 4, 0},
    {"SoundSelector_NL_139X13", "FontGeneva9", 4, 1},
};

const tagDropdownSwitchStyle kDropdownSwitchStyles[3] = {
    {"DropdownSwitch_BlueBrowser", kBlueBrowser},
    {"DropdownSwitch_RedBrowser", kRedBrowser},
    {"DropdownSwitch_ParamBrowser", kParamBrowser},
};

const char* const kFixedSkins[] = {
    "Switch_CheckBox",
    "Knob_Meter",
    "Knob_MeterBack",
    "Knob_Meter_RND",
    "ZoneSlopeBarBack",
    "ZoneBar",
    "SlopeBar",
    "Image_KeyTrk",
    "Image_KeyTrk_Key",
    "Image_VeloZone",
    "FxSrc_Prog",
    "FxSrc",
    "Container_Graph_Large",
    "Container_Graph_Unsigned_Large",
    "PointNameFilterAmpEg",
    "Container_Graph_Small",
    "PointNameFilter",
    "Scrollbar_Blue_Horizontal_IncDec",
    "Scrollbar_Blue_Vertical_IncDec",
    "Scrollbar_Red_Vertical_IncDec",
    "Scrollbar_Param_Vertical_IncDec",
    "MidiIndicatorNum01Sw_p",
    "MidiIndicatorNum02Sw_p",
    "MidiIndicatorNum03Sw_p",
    "MidiIndicatorNum04Sw_p",
    "MidiIndicatorNum05Sw_p",
    "MidiIndicatorNum06Sw_p",
    "Image_SplitPointKeyboard",
    "Image_SplitKeyArrow",
};
const int kFixedSkinCount = static_cast<int>(std::size(kFixedSkins));

const tagTextEditBox* FindTextEditBox(int width, int height) {
  for (const tagTextEditBox& b : kTextEditBoxes)
    if (b.width == width && b.height == height) return &b;
  return nullptr;
}

const tagValueBarStyle* FindValueBarStyle(int style) {
  for (const tagValueBarStyle& s : kValueBarStyles)
    if (s.style == style) return &s;
  return nullptr;
}

}  // namespace XEControlCreaterTables
