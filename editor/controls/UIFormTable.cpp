// The page forms, in the order the pages look them up by index. Each is a
// page of 559 x 230 at the origin; the pages' items join as each page is
// laid out.
#include "editor/controls/UI_FORMINFO.h"

namespace {

constexpr UI_FORMINFO Layer(int32_t id) { return {"Layer", "", "", id, -1, 0, 0, 559, 230, 0, nullptr}; }

}  // namespace

const UI_FORMINFO g_uiFormInfoArray[kUiFormCount] = {
    Layer(ID_PROG_PLAY_SUBTAB0),
    Layer(ID_PROG_PLAY_SUBTAB1),
    Layer(ID_PROG_PLAY_SUBTAB2),
    Layer(ID_PROG_PLAY_SUBTAB3),
    Layer(ID_PROG_BASIC_PROGBASIC),
    Layer(ID_PROG_OSC_OSC1),
    Layer(ID_PROG_OSC_OSC2),
    Layer(ID_PROG_OSC_COMMON),
    Layer(ID_PROG_PITCH_OSC1),
    Layer(ID_PROG_PITCH_OSC2),
    Layer(ID_PROG_PITCH_EG),
    Layer(ID_PROG_LFOs_OSC1_LFO1),
    Layer(ID_PROG_LFOs_OSC1_LFO2),
    Layer(ID_PROG_LFOs_OSC2_LFO1),
    Layer(ID_PROG_LFOs_OSC2_LFO2),
    Layer(ID_PROG_LFOs_COMMMON_LFO),
    Layer(ID_PROG_AMSMIXKEYTRK_OSC1AMSMIX),
    Layer(ID_PROG_AMSMIXKEYTRK_OSC2AMSMIX),
    Layer(ID_PROG_AMSMIXKEYTRK_COMMONKEYTRK),
    Layer(ID_PROG_FILTER1_BASIC),
    Layer(ID_PROG_FILTER1_MOD),
    Layer(ID_PROG_FILTER1_LFO_MOD),
    Layer(ID_PROG_FILTER1_EG),
    Layer(ID_PROG_FILTER2_BASIC),
    Layer(ID_PROG_FILTER2_MOD),
    Layer(ID_PROG_FILTER2_LFO_MOD),
    Layer(ID_PROG_FILTER2_EG),
    Layer(ID_PROG_AMP1_MOD),
    Layer(ID_PROG_AMP1_EG),
    Layer(ID_PROG_AMP2_MOD),
    Layer(ID_PROG_AMP2_EG),
    Layer(ID_PROG_IFX_ROUTING),
    Layer(ID_PROG_IFX_SETUP),
    Layer(ID_PROG_MFX_ROUTING),
    Layer(ID_COMBI_PLAY_MAIN),
    Layer(ID_COMBI_PLAY_SUB),
    Layer(ID_COMBI_TIMBPARAM_MIXER),
    Layer(ID_COMBI_TIMBPARAM_MIDIOSC),
    Layer(ID_COMBI_TIMBPARAM_PITCHOTHER),
    Layer(ID_COMBI_TIMBPARAM_FILTER1),
    Layer(ID_COMBI_TIMBPARAM_FILTERADSR),
    Layer(ID_COMBI_IFX_ROUTING),
    Layer(ID_COMBI_IFX_SETUP),
    Layer(ID_COMBI_MFX_ROUTING),
    Layer(ID_GLOBAL_MIDI_EXTERNAL),
};

const UI_FORMINFO_BLOCK g_uiFormInfoBlock = {kUiFormCount, g_uiFormInfoArray};
