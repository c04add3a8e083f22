#include <iterator>

#include "editor/controls/UI_FORMINFO.h"

// The page forms in table order. A page's items are authored with the page:
// the form's record then points at its item array and gives its length.
#define VESK_UI_FORM_LAYER(formId, items, count) \
  { "Layer", "", "", formId, -1, 0, 0, kUIFormWidth, kUIFormHeight, count, items }

const UI_FORMINFO g_uiFormInfoArray[kUIFormCount] = {
    VESK_UI_FORM_LAYER(ID_PROG_PLAY_SUBTAB0, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_PLAY_SUBTAB1, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_PLAY_SUBTAB2, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_PLAY_SUBTAB3, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_BASIC_PROGBASIC, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_OSC_OSC1, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_OSC_OSC2, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_OSC_COMMON, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_PITCH_OSC1, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_PITCH_OSC2, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_PITCH_EG, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_LFOs_OSC1_LFO1, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_LFOs_OSC1_LFO2, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_LFOs_OSC2_LFO1, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_LFOs_OSC2_LFO2, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_LFOs_COMMMON_LFO, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_AMSMIXKEYTRK_OSC1AMSMIX, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_AMSMIXKEYTRK_OSC2AMSMIX, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_AMSMIXKEYTRK_COMMONKEYTRK, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_FILTER1_BASIC, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_FILTER1_MOD, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_FILTER1_LFO_MOD, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_FILTER1_EG, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_FILTER2_BASIC, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_FILTER2_MOD, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_FILTER2_LFO_MOD, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_FILTER2_EG, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_AMP1_MOD, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_AMP1_EG, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_AMP2_MOD, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_AMP2_EG, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_IFX_ROUTING, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_IFX_SETUP, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_PROG_MFX_ROUTING, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_COMBI_PLAY_MAIN, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_COMBI_PLAY_SUB, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_COMBI_TIMBPARAM_MIXER, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_COMBI_TIMBPARAM_MIDIOSC, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_COMBI_TIMBPARAM_PITCHOTHER, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_COMBI_TIMBPARAM_FILTER1, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_COMBI_TIMBPARAM_FILTERADSR, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_COMBI_IFX_ROUTING, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_COMBI_IFX_SETUP, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_COMBI_MFX_ROUTING, nullptr, 0),
    VESK_UI_FORM_LAYER(ID_GLOBAL_MIDI_EXTERNAL, nullptr, 0),
};

#undef VESK_UI_FORM_LAYER

const UI_FORMINFO_BLOCK g_uiFormInfoBlock = {static_cast<int32_t>(std::size(g_uiFormInfoArray)),
                                             g_uiFormInfoArray};
