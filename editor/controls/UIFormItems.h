#pragma once
// The items of the page forms, one array per form in its own translation
// unit; the form table points each page's "Layer" record at them.
#include "editor/controls/UI_FORMINFO.h"

extern const UI_FORMINFO g_uiFormItems_ProgPlaySubTab0[44];  // ID_PROG_PLAY_SUBTAB0
extern const UI_FORMINFO g_uiFormItems_ProgPlaySubTab1[65];  // ID_PROG_PLAY_SUBTAB1
extern const UI_FORMINFO g_uiFormItems_ProgPlaySubTab2[47];  // ID_PROG_PLAY_SUBTAB2
extern const UI_FORMINFO g_uiFormItems_ProgPlaySubTab3[47];  // ID_PROG_PLAY_SUBTAB3
extern const UI_FORMINFO g_uiFormItems_ProgBasic[29];  // ID_PROG_BASIC_PROGBASIC
extern const UI_FORMINFO g_uiFormItems_ProgOscOsc1[57];  // ID_PROG_OSC_OSC1
extern const UI_FORMINFO g_uiFormItems_ProgOscOsc2[57];  // ID_PROG_OSC_OSC2
extern const UI_FORMINFO g_uiFormItems_ProgOscCommon[51];  // ID_PROG_OSC_COMMON
extern const UI_FORMINFO g_uiFormItems_ProgPitchOsc1[57];  // ID_PROG_PITCH_OSC1
extern const UI_FORMINFO g_uiFormItems_ProgPitchOsc2[57];  // ID_PROG_PITCH_OSC2
extern const UI_FORMINFO g_uiFormItems_ProgPitchEG[66];  // ID_PROG_PITCH_EG
extern const UI_FORMINFO g_uiFormItems_ProgLFOsOsc1LFO1[43];  // ID_PROG_LFOs_OSC1_LFO1
extern const UI_FORMINFO g_uiFormItems_ProgLFOsOsc1LFO2[43];  // ID_PROG_LFOs_OSC1_LFO2
extern const UI_FORMINFO g_uiFormItems_ProgLFOsOsc2LFO1[43];  // ID_PROG_LFOs_OSC2_LFO1
extern const UI_FORMINFO g_uiFormItems_ProgLFOsOsc2LFO2[43];  // ID_PROG_LFOs_OSC2_LFO2
extern const UI_FORMINFO g_uiFormItems_ProgLFOsCommon[34];  // ID_PROG_LFOs_COMMMON_LFO
extern const UI_FORMINFO g_uiFormItems_ProgAMSMixOsc1[94];  // ID_PROG_AMSMIXKEYTRK_OSC1AMSMIX
extern const UI_FORMINFO g_uiFormItems_ProgAMSMixOsc2[94];  // ID_PROG_AMSMIXKEYTRK_OSC2AMSMIX
extern const UI_FORMINFO g_uiFormItems_ProgKeyTrkCommon[42];  // ID_PROG_AMSMIXKEYTRK_COMMONKEYTRK
extern const UI_FORMINFO g_uiFormItems_ProgFilter1Basic[50];  // ID_PROG_FILTER1_BASIC
extern const UI_FORMINFO g_uiFormItems_ProgFilter1Mod[66];  // ID_PROG_FILTER1_MOD
extern const UI_FORMINFO g_uiFormItems_ProgFilter1LFOMod[51];  // ID_PROG_FILTER1_LFO_MOD
extern const UI_FORMINFO g_uiFormItems_ProgFilter1EG[77];  // ID_PROG_FILTER1_EG
extern const UI_FORMINFO g_uiFormItems_ProgFilter2Basic[50];  // ID_PROG_FILTER2_BASIC
extern const UI_FORMINFO g_uiFormItems_ProgFilter2Mod[66];  // ID_PROG_FILTER2_MOD
extern const UI_FORMINFO g_uiFormItems_ProgFilter2LFOMod[51];  // ID_PROG_FILTER2_LFO_MOD
extern const UI_FORMINFO g_uiFormItems_ProgFilter2EG[77];  // ID_PROG_FILTER2_EG
extern const UI_FORMINFO g_uiFormItems_ProgAmp1Mod[47];  // ID_PROG_AMP1_MOD
extern const UI_FORMINFO g_uiFormItems_ProgAmp1EG[75];  // ID_PROG_AMP1_EG
extern const UI_FORMINFO g_uiFormItems_ProgAmp2Mod[47];  // ID_PROG_AMP2_MOD
extern const UI_FORMINFO g_uiFormItems_ProgAmp2EG[75];  // ID_PROG_AMP2_EG
extern const UI_FORMINFO g_uiFormItems_ProgIFXRouting[7];  // ID_PROG_IFX_ROUTING
extern const UI_FORMINFO g_uiFormItems_ProgIFXSetup[45];  // ID_PROG_IFX_SETUP
extern const UI_FORMINFO g_uiFormItems_ProgMFXRouting[7];  // ID_PROG_MFX_ROUTING
extern const UI_FORMINFO g_uiFormItems_CombiPlayMain[101];  // ID_COMBI_PLAY_MAIN
extern const UI_FORMINFO g_uiFormItems_CombiPlaySub[101];  // ID_COMBI_PLAY_SUB
extern const UI_FORMINFO g_uiFormItems_CombiTimbParamMixer[96];  // ID_COMBI_TIMBPARAM_MIXER
extern const UI_FORMINFO g_uiFormItems_CombiTimbParamMIDIOsc[146];  // ID_COMBI_TIMBPARAM_MIDIOSC
extern const UI_FORMINFO g_uiFormItems_CombiTimbParamPitchOther[104];  // ID_COMBI_TIMBPARAM_PITCHOTHER
extern const UI_FORMINFO g_uiFormItems_CombiTimbParamFilter1[172];  // ID_COMBI_TIMBPARAM_FILTER1
extern const UI_FORMINFO g_uiFormItems_CombiTimbParamFilterADSR[160];  // ID_COMBI_TIMBPARAM_FILTERADSR
extern const UI_FORMINFO g_uiFormItems_CombiIFXRouting[75];  // ID_COMBI_IFX_ROUTING
extern const UI_FORMINFO g_uiFormItems_CombiIFXSetup[36];  // ID_COMBI_IFX_SETUP
extern const UI_FORMINFO g_uiFormItems_CombiMFXRouting[7];  // ID_COMBI_MFX_ROUTING
extern const UI_FORMINFO g_uiFormItems_GlobalMIDIExternal[36];  // ID_GLOBAL_MIDI_EXTERNAL
