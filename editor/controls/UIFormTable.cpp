// The page forms, in the order the pages look them up by index. Each is a
// page of 559 x 230 at the origin pointing at its items (UIFormItems.h); the
// page itself takes its size from its background picture.
#include "editor/controls/UIFormItems.h"
#include "editor/controls/UI_FORMINFO.h"

namespace {

template <int32_t N>
constexpr UI_FORMINFO Layer(int32_t id, const UI_FORMINFO (&items)[N]) {
  return {"Layer", "", "", id, -1, 0, 0, 559, 230, N, items};
}

}  // namespace

const UI_FORMINFO g_uiFormInfoArray[kUiFormCount] = {
    Layer(ID_PROG_PLAY_SUBTAB0, g_uiFormItems_ProgPlaySubTab0),
    Layer(ID_PROG_PLAY_SUBTAB1, g_uiFormItems_ProgPlaySubTab1),
    Layer(ID_PROG_PLAY_SUBTAB2, g_uiFormItems_ProgPlaySubTab2),
    Layer(ID_PROG_PLAY_SUBTAB3, g_uiFormItems_ProgPlaySubTab3),
    Layer(ID_PROG_BASIC_PROGBASIC, g_uiFormItems_ProgBasic),
    Layer(ID_PROG_OSC_OSC1, g_uiFormItems_ProgOscOsc1),
    Layer(ID_PROG_OSC_OSC2, g_uiFormItems_ProgOscOsc2),
    Layer(ID_PROG_OSC_COMMON, g_uiFormItems_ProgOscCommon),
    Layer(ID_PROG_PITCH_OSC1, g_uiFormItems_ProgPitchOsc1),
    Layer(ID_PROG_PITCH_OSC2, g_uiFormItems_ProgPitchOsc2),
    Layer(ID_PROG_PITCH_EG, g_uiFormItems_ProgPitchEG),
    Layer(ID_PROG_LFOs_OSC1_LFO1, g_uiFormItems_ProgLFOsOsc1LFO1),
    Layer(ID_PROG_LFOs_OSC1_LFO2, g_uiFormItems_ProgLFOsOsc1LFO2),
    Layer(ID_PROG_LFOs_OSC2_LFO1, g_uiFormItems_ProgLFOsOsc2LFO1),
    Layer(ID_PROG_LFOs_OSC2_LFO2, g_uiFormItems_ProgLFOsOsc2LFO2),
    Layer(ID_PROG_LFOs_COMMMON_LFO, g_uiFormItems_ProgLFOsCommon),
    Layer(ID_PROG_AMSMIXKEYTRK_OSC1AMSMIX, g_uiFormItems_ProgAMSMixOsc1),
    Layer(ID_PROG_AMSMIXKEYTRK_OSC2AMSMIX, g_uiFormItems_ProgAMSMixOsc2),
    Layer(ID_PROG_AMSMIXKEYTRK_COMMONKEYTRK, g_uiFormItems_ProgKeyTrkCommon),
    Layer(ID_PROG_FILTER1_BASIC, g_uiFormItems_ProgFilter1Basic),
    Layer(ID_PROG_FILTER1_MOD, g_uiFormItems_ProgFilter1Mod),
    Layer(ID_PROG_FILTER1_LFO_MOD, g_uiFormItems_ProgFilter1LFOMod),
    Layer(ID_PROG_FILTER1_EG, g_uiFormItems_ProgFilter1EG),
    Layer(ID_PROG_FILTER2_BASIC, g_uiFormItems_ProgFilter2Basic),
    Layer(ID_PROG_FILTER2_MOD, g_uiFormItems_ProgFilter2Mod),
    Layer(ID_PROG_FILTER2_LFO_MOD, g_uiFormItems_ProgFilter2LFOMod),
    Layer(ID_PROG_FILTER2_EG, g_uiFormItems_ProgFilter2EG),
    Layer(ID_PROG_AMP1_MOD, g_uiFormItems_ProgAmp1Mod),
    Layer(ID_PROG_AMP1_EG, g_uiFormItems_ProgAmp1EG),
    Layer(ID_PROG_AMP2_MOD, g_uiFormItems_ProgAmp2Mod),
    Layer(ID_PROG_AMP2_EG, g_uiFormItems_ProgAmp2EG),
    Layer(ID_PROG_IFX_ROUTING, g_uiFormItems_ProgIFXRouting),
    Layer(ID_PROG_IFX_SETUP, g_uiFormItems_ProgIFXSetup),
    Layer(ID_PROG_MFX_ROUTING, g_uiFormItems_ProgMFXRouting),
    Layer(ID_COMBI_PLAY_MAIN, g_uiFormItems_CombiPlayMain),
    Layer(ID_COMBI_PLAY_SUB, g_uiFormItems_CombiPlaySub),
    Layer(ID_COMBI_TIMBPARAM_MIXER, g_uiFormItems_CombiTimbParamMixer),
    Layer(ID_COMBI_TIMBPARAM_MIDIOSC, g_uiFormItems_CombiTimbParamMIDIOsc),
    Layer(ID_COMBI_TIMBPARAM_PITCHOTHER, g_uiFormItems_CombiTimbParamPitchOther),
    Layer(ID_COMBI_TIMBPARAM_FILTER1, g_uiFormItems_CombiTimbParamFilter1),
    Layer(ID_COMBI_TIMBPARAM_FILTERADSR, g_uiFormItems_CombiTimbParamFilterADSR),
    Layer(ID_COMBI_IFX_ROUTING, g_uiFormItems_CombiIFXRouting),
    Layer(ID_COMBI_IFX_SETUP, g_uiFormItems_CombiIFXSetup),
    Layer(ID_COMBI_MFX_ROUTING, g_uiFormItems_CombiMFXRouting),
    Layer(ID_GLOBAL_MIDI_EXTERNAL, g_uiFormItems_GlobalMIDIExternal),
};

const UI_FORMINFO_BLOCK g_uiFormInfoBlock = {kUiFormCount, g_uiFormInfoArray};
