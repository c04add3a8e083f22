#pragma once
// Compiled-in form descriptions: a "Layer" record per page with its items
// (labels, pictures, controls with the parameter each shows) as children.
#include <cstdint>

struct UI_FORMINFO {
  const char* className;  // "Layer", or an item class such as "text"
  const char* text;       // label text of a "text" item
  const char* fontOrImage;  // font of a "text" item, picture of "bmp"/"push"
  int32_t id;             // form id of a "Layer"; design id of an item
  int32_t paramId;        // parameter shown (also the control id), -1 none
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
  int32_t childCount;
  const UI_FORMINFO* children;
};

struct UI_FORMINFO_BLOCK {
  int32_t count;
  const UI_FORMINFO* forms;
};

inline constexpr int kUiFormCount = 45;
// The page forms in table order, and the block that reaches them.
extern const UI_FORMINFO g_uiFormInfoArray[kUiFormCount];
extern const UI_FORMINFO_BLOCK g_uiFormInfoBlock;

// Design ids of items.
enum eUiFormDesignId : int32_t {
  kUiDesign_HeadingText = 1025,
  kUiDesign_Text = 1026,
  kUiDesign_Selector = 1027,
  kUiDesign_Switch = 1028,
  kUiDesign_ValueBar = 1029,
  kUiDesign_TextEdit = 1030,
  kUiDesign_Knob = 1031,
  kUiDesign_SubTabBase = 1032,
  kUiDesign_HeadingFrame = 1033,
  kUiDesign_ParamSelectorNL = 1034,
};

// Form ids.
enum eUiFormId : int32_t {
  ID_PROG_PLAY_SUBTAB0 = 0x40C,
  ID_PROG_PLAY_SUBTAB1 = 0x40D,
  ID_PROG_PLAY_SUBTAB2 = 0x40E,
  ID_PROG_PLAY_SUBTAB3 = 0x40F,
  ID_PROG_BASIC_PROGBASIC = 0x400,
  ID_PROG_OSC_OSC1 = 0x410,
  ID_PROG_OSC_OSC2 = 0x411,
  ID_PROG_OSC_COMMON = 0x412,
  ID_PROG_PITCH_OSC1 = 0x413,
  ID_PROG_PITCH_OSC2 = 0x414,
  ID_PROG_PITCH_EG = 0x415,
  ID_PROG_LFOs_OSC1_LFO1 = 0x41E,
  ID_PROG_LFOs_OSC1_LFO2 = 0x41F,
  ID_PROG_LFOs_OSC2_LFO1 = 0x420,
  ID_PROG_LFOs_OSC2_LFO2 = 0x421,
  ID_PROG_LFOs_COMMMON_LFO = 0x422,
  ID_PROG_AMSMIXKEYTRK_OSC1AMSMIX = 0x423,
  ID_PROG_AMSMIXKEYTRK_OSC2AMSMIX = 0x424,
  ID_PROG_AMSMIXKEYTRK_COMMONKEYTRK = 0x425,
  ID_PROG_FILTER1_BASIC = 0x416,
  ID_PROG_FILTER1_MOD = 0x417,
  ID_PROG_FILTER1_LFO_MOD = 0x418,
  ID_PROG_FILTER1_EG = 0x419,
  ID_PROG_FILTER2_BASIC = 0x41A,
  ID_PROG_FILTER2_MOD = 0x41B,
  ID_PROG_FILTER2_LFO_MOD = 0x41C,
  ID_PROG_FILTER2_EG = 0x41D,
  ID_PROG_AMP1_MOD = 0x426,
  ID_PROG_AMP1_EG = 0x427,
  ID_PROG_AMP2_MOD = 0x428,
  ID_PROG_AMP2_EG = 0x429,
  ID_PROG_IFX_ROUTING = 0x42A,
  ID_PROG_IFX_SETUP = 0x42B,
  ID_PROG_MFX_ROUTING = 0x42C,
  ID_COMBI_PLAY_MAIN = 0x42E,
  ID_COMBI_PLAY_SUB = 0x42F,
  ID_COMBI_TIMBPARAM_MIXER = 0x430,
  ID_COMBI_TIMBPARAM_MIDIOSC = 0x431,
  ID_COMBI_TIMBPARAM_PITCHOTHER = 0x432,
  ID_COMBI_TIMBPARAM_FILTER1 = 0x433,
  ID_COMBI_TIMBPARAM_FILTERADSR = 0x435,
  ID_COMBI_IFX_ROUTING = 0x436,
  ID_COMBI_IFX_SETUP = 0x437,
  ID_COMBI_MFX_ROUTING = 0x439,
  ID_GLOBAL_MIDI_EXTERNAL = 0x440,
};
