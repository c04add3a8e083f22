#pragma once
// One record of a compiled-in form: a "Layer" record for a page, whose
// children are the page's items (labels, pictures and controls with the
// parameter each shows). Trees are two levels deep.
#include <cstdint>

struct UI_FORMINFO {
  const char* className;    // "Layer", or an item class ("text", "bmp", "valuebar", ...)
  const char* text;         // a "text" item's label
  const char* fontOrImage;  // a "text" item's font; a "bmp" or "push" item's picture
  int32_t id;               // a layer's form id; an item's design id
  int32_t paramId;          // the parameter an item shows, -1 for none
  int32_t x, y;
  int32_t width, height;  // 0 for pictures that take the picture's size
  int32_t childCount;
  const UI_FORMINFO* children;
};

struct UI_FORMINFO_BLOCK {
  int32_t count;
  const UI_FORMINFO* forms;
};

// Design ids of the items.
enum eUIFormDesignId : int32_t {
  kUIFormDesignHeading = 1025,
  kUIFormDesignText = 1026,
  kUIFormDesignSelector = 1027,
  kUIFormDesignSwitch = 1028,
  kUIFormDesignValueBar = 1029,
  kUIFormDesignTextEdit = 1030,
  kUIFormDesignKnob = 1031,
  kUIFormDesignSubTabBase = 1032,
  kUIFormDesignHeadingFrame = 1033,
  kUIFormDesignParamSelNL = 1034,
};

// The page forms by id, in the order of the table.
enum eUIFormId : int32_t {
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

inline constexpr int kUIFormCount = 45;
inline constexpr int kUIFormWidth = 559;
inline constexpr int kUIFormHeight = 230;

extern const UI_FORMINFO g_uiFormInfoArray[kUIFormCount];
extern const UI_FORMINFO_BLOCK g_uiFormInfoBlock;
