#pragma once
// Expected facts about the effect type tables, shared by the catalogue tests.
#include <cstdint>
#include <string_view>

#include "fxcatalog/FxTypeTables.h"

namespace fxtest {

struct TableCase {
  const char* key;          // middle part of the table's name
  const char* displayName;  // text of row 1
  const TABLEDESC* desc;
  const SParamDesc* rows;
  uint32_t rowCount;
  uint32_t paramCount;
};

// Every table of the catalogue with its row and parameter counts.
inline const TableCase kTables[] = {
    {"cmp", "Stereo Compressor", &TABLEDESC_FXTYPE_cmp_1, TABLE_FXTYPE_cmp_1, 24, 14},
    {"redcomp", "Red Comp", &TABLEDESC_FXTYPE_redcomp_1, TABLE_FXTYPE_redcomp_1, 12, 6},
    {"lmt", "Stereo Limiter", &TABLEDESC_FXTYPE_lmt_1, TABLE_FXTYPE_lmt_1, 35, 18},
    {"blmt", "Multiband Limiter", &TABLEDESC_FXTYPE_blmt_1, TABLE_FXTYPE_blmt_1, 25, 13},
    {"mlmt", "Stereo Mastering Limiter", &TABLEDESC_FXTYPE_mlmt_1, TABLE_FXTYPE_mlmt_1, 12, 6},
    {"gate", "Stereo Gate", &TABLEDESC_FXTYPE_gate_1, TABLE_FXTYPE_gate_1, 26, 16},
    {"peq", "Stereo Parametric 4-Band EQ", &TABLEDESC_FXTYPE_peq_1, TABLE_FXTYPE_peq_1, 46, 20},
    {"geq", "Stereo Graphic 7-Band EQ", &TABLEDESC_FXTYPE_geq_1, TABLE_FXTYPE_geq_1, 21, 12},
    {"xct", "Stereo Exciter", &TABLEDESC_FXTYPE_xct_1, TABLE_FXTYPE_xct_1, 31, 14},
    {"isolator", "Stereo Isolator", &TABLEDESC_FXTYPE_isolator_1, TABLE_FXTYPE_isolator_1, 35, 15},
    {"rflt", "Stereo Random Filter", &TABLEDESC_FXTYPE_rflt_1, TABLE_FXTYPE_rflt_1, 47, 23},
    {"mmf", "Stereo Multi Mode Filter", &TABLEDESC_FXTYPE_mmf_1, TABLE_FXTYPE_mmf_1, 43, 25},
    {"osc", "Stereo Sub Oscillator", &TABLEDESC_FXTYPE_osc_1, TABLE_FXTYPE_osc_1, 27, 12},
    {"wah", "Stereo Wah/Auto Wah", &TABLEDESC_FXTYPE_wah_1, TABLE_FXTYPE_wah_1, 38, 22},
    {"vcwah", "Stereo Vintage/Custom Wah", &TABLEDESC_FXTYPE_vcwah_1, TABLE_FXTYPE_vcwah_1, 48, 25},
    {"qorwah", "QOR Wah", &TABLEDESC_FXTYPE_qorwah_1, TABLE_FXTYPE_qorwah_1, 22, 12},
    {"talk", "Talking Modulator", &TABLEDESC_FXTYPE_talk_1, TABLE_FXTYPE_talk_1, 38, 18},
    {"deci", "Stereo Decimator", &TABLEDESC_FXTYPE_deci_1, TABLE_FXTYPE_deci_1, 44, 22},
    {"rec", "Stereo Analog Record", &TABLEDESC_FXTYPE_rec_1, TABLE_FXTYPE_rec_1, 35, 17},
    {"od", "Overdrive/Hi-Gain Wah", &TABLEDESC_FXTYPE_od_1, TABLE_FXTYPE_od_1, 47, 24},
    {"gcab", "Stereo Guitar Cabinet", &TABLEDESC_FXTYPE_gcab_1, TABLE_FXTYPE_gcab_1, 11, 5},
    {"bcab", "Stereo Bass Cabinet", &TABLEDESC_FXTYPE_bcab_1, TABLE_FXTYPE_bcab_1, 11, 5},
    {"bamp", "Bass Amp Model", &TABLEDESC_FXTYPE_bamp_1, TABLE_FXTYPE_bamp_1, 29, 12},
    {"bampcab", "Bass Amp Model + Cabinet", &TABLEDESC_FXTYPE_bampcab_1, TABLE_FXTYPE_bampcab_1, 34, 14},
    {"treblebooster", "Treble Booster", &TABLEDESC_FXTYPE_treblebooster_1, TABLE_FXTYPE_treblebooster_1, 12, 6},
    {"tubepre", "Tube PreAmp Modeling", &TABLEDESC_FXTYPE_tubepre_1, TABLE_FXTYPE_tubepre_1, 26, 15},
    {"stubepre", "Stereo Tube PreAmp Modeling", &TABLEDESC_FXTYPE_stubepre_1, TABLE_FXTYPE_stubepre_1, 26, 15},
    {"micpre", "Mic Modeling + PreAmp", &TABLEDESC_FXTYPE_micpre_1, TABLE_FXTYPE_micpre_1, 22, 11},
    {"phs", "Stereo Phaser", &TABLEDESC_FXTYPE_phs_1, TABLE_FXTYPE_phs_1, 41, 21},
    {"smallphase", "Small Phaser", &TABLEDESC_FXTYPE_smallphase_1, TABLE_FXTYPE_smallphase_1, 11, 5},
    {"orangephase", "Orange Phaser", &TABLEDESC_FXTYPE_orangephase_1, TABLE_FXTYPE_orangephase_1, 13, 7},
    {"blackphase", "Black Phaser", &TABLEDESC_FXTYPE_blackphase_1, TABLE_FXTYPE_blackphase_1, 13, 7},
    {"uvibe", "U-VIBE", &TABLEDESC_FXTYPE_uvibe_1, TABLE_FXTYPE_uvibe_1, 12, 6},
    {"rphs", "Stereo Random Phaser", &TABLEDESC_FXTYPE_rphs_1, TABLE_FXTYPE_rphs_1, 44, 22},
    {"ephs", "Stereo Envelope Phaser", &TABLEDESC_FXTYPE_ephs_1, TABLE_FXTYPE_ephs_1, 30, 13},
    {"reso", "2-Voice Resonator", &TABLEDESC_FXTYPE_reso_1, TABLE_FXTYPE_reso_1, 47, 25},
    {"trml", "Stereo Tremolo", &TABLEDESC_FXTYPE_trml_1, TABLE_FXTYPE_trml_1, 37, 16},
    {"textrem", "TEX Tremolo", &TABLEDESC_FXTYPE_textrem_1, TABLE_FXTYPE_textrem_1, 13, 7},
    {"etrml", "Stereo Envelope Tremolo", &TABLEDESC_FXTYPE_etrml_1, TABLE_FXTYPE_etrml_1, 31, 12},
    {"pan", "Stereo Auto Pan", &TABLEDESC_FXTYPE_pan_1, TABLE_FXTYPE_pan_1, 37, 16},
    {"phtr", "Stereo Phaser + Tremolo", &TABLEDESC_FXTYPE_phtr_1, TABLE_FXTYPE_phtr_1, 48, 22},
    {"ring", "Stereo Ring Modulator", &TABLEDESC_FXTYPE_ring_1, TABLE_FXTYPE_ring_1, 43, 21},
    {"organ_vibchs", "Organ Vibrato/Chorus", &TABLEDESC_FXTYPE_organ_vibchs_1, TABLE_FXTYPE_organ_vibchs_1, 32, 17},
    {"rot", "Rotary Speaker", &TABLEDESC_FXTYPE_rot_1, TABLE_FXTYPE_rot_1, 38, 17},
    {"chs", "Stereo Chorus", &TABLEDESC_FXTYPE_chs_1, TABLE_FXTYPE_chs_1, 37, 20},
    {"bchs", "Stereo Harmonic Chorus", &TABLEDESC_FXTYPE_bchs_1, TABLE_FXTYPE_bchs_1, 39, 19},
    {"bmod", "Stereo Biphase Modulation", &TABLEDESC_FXTYPE_bmod_1, TABLE_FXTYPE_bmod_1, 38, 18},
    {"mchs", "Multitap Chorus/Delay", &TABLEDESC_FXTYPE_mchs_1, TABLE_FXTYPE_mchs_1, 43, 23},
    {"ens", "Ensemble", &TABLEDESC_FXTYPE_ens_1, TABLE_FXTYPE_ens_1, 21, 10},
    {"tornselens", "Tornsel Ensemble", &TABLEDESC_FXTYPE_tornselens_1, TABLE_FXTYPE_tornselens_1, 12, 6},
    {"flng", "Stereo Flanger", &TABLEDESC_FXTYPE_flng_1, TABLE_FXTYPE_flng_1, 35, 17},
    {"rfln", "Stereo Random Flanger", &TABLEDESC_FXTYPE_rfln_1, TABLE_FXTYPE_rfln_1, 42, 20},
    {"efln", "Stereo Envelope Flanger", &TABLEDESC_FXTYPE_efln_1, TABLE_FXTYPE_efln_1, 30, 13},
    {"vib", "Stereo Vibrato", &TABLEDESC_FXTYPE_vib_1, TABLE_FXTYPE_vib_1, 43, 19},
    {"autofade", "Stereo Auto Fade Modulation", &TABLEDESC_FXTYPE_autofade_1, TABLE_FXTYPE_autofade_1, 41, 19},
    {"dplr", "Doppler", &TABLEDESC_FXTYPE_dplr_1, TABLE_FXTYPE_dplr_1, 42, 19},
    {"grainsft", "Grain Shifter", &TABLEDESC_FXTYPE_grainsft_1, TABLE_FXTYPE_grainsft_1, 33, 14},
    {"dtn", "Detune", &TABLEDESC_FXTYPE_dtn_1, TABLE_FXTYPE_dtn_1, 24, 11},
    {"ptch", "Pitch Shifter", &TABLEDESC_FXTYPE_ptch_1, TABLE_FXTYPE_ptch_1, 33, 15},
    {"pmod", "Pitch Shift Modulation", &TABLEDESC_FXTYPE_pmod_1, TABLE_FXTYPE_pmod_1, 36, 16},
    {"peq_xct", "Parametric 4-Band EQ - Exciter", &TABLEDESC_FXTYPE_peq_xct_1, TABLE_FXTYPE_peq_xct_1, 43, 18},
    {"peq_wah", "Parametric 4-Band EQ - Wah", &TABLEDESC_FXTYPE_peq_wah_1, TABLE_FXTYPE_peq_wah_1, 57, 27},
    {"peq_phs", "Parametric 4-Band EQ - Phaser", &TABLEDESC_FXTYPE_peq_phs_1, TABLE_FXTYPE_peq_phs_1, 56, 25},
    {"cmp_wah", "Compressor - Wah/Auto Wah", &TABLEDESC_FXTYPE_cmp_wah_1, TABLE_FXTYPE_cmp_wah_1, 46, 20},
    {"cmp_amp", "Compressor - Amp Simulation", &TABLEDESC_FXTYPE_cmp_amp_1, TABLE_FXTYPE_cmp_amp_1, 30, 11},
    {"cmp_od", "Compressor - Overdrive/Hi-Gain", &TABLEDESC_FXTYPE_cmp_od_1, TABLE_FXTYPE_cmp_od_1, 49, 23},
    {"cmp_peq", "Compressor - Parametric 4-Band EQ", &TABLEDESC_FXTYPE_cmp_peq_1, TABLE_FXTYPE_cmp_peq_1, 49, 20},
    {"cmp_phs", "Compressor - Phaser", &TABLEDESC_FXTYPE_cmp_phs_1, TABLE_FXTYPE_cmp_phs_1, 45, 19},
    {"lmt_peq", "Limiter - Parametric 4-Band EQ", &TABLEDESC_FXTYPE_lmt_peq_1, TABLE_FXTYPE_lmt_peq_1, 51, 22},
    {"lmt_phs", "Limiter - Phaser", &TABLEDESC_FXTYPE_lmt_phs_1, TABLE_FXTYPE_lmt_phs_1, 42, 18},
    {"xct_cmp", "Exciter - Compressor", &TABLEDESC_FXTYPE_xct_cmp_1, TABLE_FXTYPE_xct_cmp_1, 31, 12},
    {"xct_lmt", "Exciter - Limiter", &TABLEDESC_FXTYPE_xct_lmt_1, TABLE_FXTYPE_xct_lmt_1, 33, 14},
    {"xct_phs", "Exciter - Phaser", &TABLEDESC_FXTYPE_xct_phs_1, TABLE_FXTYPE_xct_phs_1, 39, 17},
    {"od_amp", "Overdrive/Hi-Gain - Amp Simulation", &TABLEDESC_FXTYPE_od_amp_1, TABLE_FXTYPE_od_amp_1, 40, 18},
    {"od_phs", "Overdrive/Hi-Gain - Phaser", &TABLEDESC_FXTYPE_od_phs_1, TABLE_FXTYPE_od_phs_1, 54, 26},
    {"wah_amp", "Wah - Amp Simulation", &TABLEDESC_FXTYPE_wah_amp_1, TABLE_FXTYPE_wah_amp_1, 37, 15},
    {"deci_amp", "Decimator - Amp Simulation", &TABLEDESC_FXTYPE_deci_amp_1, TABLE_FXTYPE_deci_amp_1, 29, 10},
    {"deci_cmp", "Decimator - Compressor", &TABLEDESC_FXTYPE_deci_cmp_1, TABLE_FXTYPE_deci_cmp_1, 33, 12},
    {"amp_trml", "Amp Simulation - Tremolo", &TABLEDESC_FXTYPE_amp_trml_1, TABLE_FXTYPE_amp_trml_1, 21, 8},
    {"nofx", "No Effect", &TABLEDESC_FXTYPE_nofx_1, TABLE_FXTYPE_nofx_1, 5, 3},
    {"mfx1chorus", "Stereo Chorus", &TABLEDESC_FXTYPE_mfx1chorus_1, TABLE_FXTYPE_mfx1chorus_1, 6, 3},
    {"mfx1flanger", "Stereo Flanger", &TABLEDESC_FXTYPE_mfx1flanger_1, TABLE_FXTYPE_mfx1flanger_1, 6, 3},
    {"mfx1classicchoflg", "Vintage Chorus/Flanger", &TABLEDESC_FXTYPE_mfx1classicchoflg_1, TABLE_FXTYPE_mfx1classicchoflg_1, 6, 3},
    {"mfx1phaser", "Stereo Phaser", &TABLEDESC_FXTYPE_mfx1phaser_1, TABLE_FXTYPE_mfx1phaser_1, 6, 3},
    {"mfx2hall", "Hall", &TABLEDESC_FXTYPE_mfx2hall_1, TABLE_FXTYPE_mfx2hall_1, 9, 3},
    {"mfx2plate", "Plate", &TABLEDESC_FXTYPE_mfx2plate_1, TABLE_FXTYPE_mfx2plate_1, 9, 3},
    {"mfx2room", "Room", &TABLEDESC_FXTYPE_mfx2room_1, TABLE_FXTYPE_mfx2room_1, 9, 3},
    {"mfx2delay", "Delay", &TABLEDESC_FXTYPE_mfx2delay_1, TABLE_FXTYPE_mfx2delay_1, 9, 3},
    {"tfxeq", "Stereo EQ", &TABLEDESC_FXTYPE_tfxeq_1, TABLE_FXTYPE_tfxeq_1, 28, 12},
    {"peq_fln", "Parametric 4-Band EQ - Chorus/Flanger", &TABLEDESC_FXTYPE_peq_fln_1, TABLE_FXTYPE_peq_fln_1, 56, 25},
    {"peq_dly", "Parametric 4-Band EQ - Multitap Delay", &TABLEDESC_FXTYPE_peq_dly_1, TABLE_FXTYPE_peq_dly_1, 55, 24},
    {"cmp_fln", "Compressor - Chorus/Flanger", &TABLEDESC_FXTYPE_cmp_fln_1, TABLE_FXTYPE_cmp_fln_1, 45, 19},
    {"cmp_dly", "Compressor - Multitap Delay", &TABLEDESC_FXTYPE_cmp_dly_1, TABLE_FXTYPE_cmp_dly_1, 44, 18},
    {"lmt_fln", "Limiter - Chorus/Flanger", &TABLEDESC_FXTYPE_lmt_fln_1, TABLE_FXTYPE_lmt_fln_1, 45, 21},
    {"lmt_dly", "Limiter - Multitap Delay", &TABLEDESC_FXTYPE_lmt_dly_1, TABLE_FXTYPE_lmt_dly_1, 41, 17},
    {"xct_fln", "Exciter - Chorus/Flanger", &TABLEDESC_FXTYPE_xct_fln_1, TABLE_FXTYPE_xct_fln_1, 37, 17},
    {"xct_dly", "Exciter - Multitap Delay", &TABLEDESC_FXTYPE_xct_dly_1, TABLE_FXTYPE_xct_dly_1, 38, 16},
    {"od_fln", "Overdrive/Hi-Gain - Chorus/Flanger", &TABLEDESC_FXTYPE_od_fln_1, TABLE_FXTYPE_od_fln_1, 52, 26},
    {"od_dly", "Overdrive/Hi-Gain - Multitap Delay", &TABLEDESC_FXTYPE_od_dly_1, TABLE_FXTYPE_od_dly_1, 50, 24},
};

struct RefCase {
  const char* key;
  int32_t id;
  int32_t ref;
};

// The parameters whose reference value differs from their default.
inline const RefCase kRefExceptions[] = {
    {"lmt", 0x02, 0},  // Threshold
    {"blmt", 0x01, 0},  // Threshold
    {"mlmt", 0x03, 0},  // Threshold
    {"mlmt", 0x04, 0},  // Out Ceiling
    {"mlmt", 0x05, 0},  // Release
    {"gate", 0x0e, 1},  // PEQ Cutoff
    {"osc", 0x01, -48},  // Interval
    {"ephs", 0x06, 1},  // EG Attack
    {"ephs", 0x07, 1},  // EG Decay
    {"reso", 0x06, 0},  // Pitch
    {"reso", 0x07, 0},  // Pitch
    {"ptch", 0x00, 0},  // Mode
    {"pmod", 0x0d, 0},  // Pan
    {"organ_vibchs", 0x05, 0},  // Mix
    {"lmt_peq", 0x01, 0},  // Threshold
    {"lmt_fln", 0x01, 0},  // Threshold
    {"lmt_phs", 0x01, 0},  // Threshold
    {"lmt_dly", 0x01, 0},  // Threshold
    {"xct_lmt", 0x03, 0},  // Threshold
    {"redcomp", 0x02, 1},  // Level
    {"mfx1chorus", 0x00, 0},  // Rate
    {"mfx1flanger", 0x00, 0},  // Rate
    {"mfx1classicchoflg", 0x00, 0},  // Rate
    {"mfx1phaser", 0x00, 0},  // Rate
    {"mfx2room", 0x00, 0},  // Time
};

// A raw value and the text the converter should show for it.
struct DisplayCase {
  const char* key;
  int32_t id;
  const char* name;
  int32_t raw;
  const char* text;
};

inline const DisplayCase kDisplayCases[] = {
    {"lmt", 0x01, "Ratio", 131, "Inf:1"},
    {"lmt", 0x05, "Gain Adjust", -39, "-Inf"},
    {"peq", 0x05, "Cutoff", 98, "1.00k"},
    {"isolator", 0x06, "Gain", -60, "-Inf"},
    {"talk", 0x01, "Manual Voice Ctrl.", 0, "Bottom"},
    {"talk", 0x01, "Manual Voice Ctrl.", 50, "Center"},
    {"talk", 0x01, "Manual Voice Ctrl.", 100, "Top"},
    {"od", 0x0b, "Cutoff", 49, "1.0k"},
    {"tubepre", 0x03, "Low Cut", 0, "Thru"},
    {"tubepre", 0x03, "Low Cut", 13, "42"},
    {"tubepre", 0x03, "Low Cut", 104, "8.00k"},
    {"tubepre", 0x04, "High Cut", 101, "Thru"},
    {"reso", 0x0e, "Pan", 0, "C"},
    {"phtr", 0x0f, "Wet/Dry", -50, "-Wet"},
    {"phtr", 0x0f, "Wet/Dry", 0, "Dry"},
    {"phtr", 0x0f, "Wet/Dry", 50, "Wet"},
    {"organ_vibchs", 0x05, "Mix", 0, "Vib"},
    {"organ_vibchs", 0x05, "Mix", 100, "Cho"},
    {"rot", 0x0b, "H/R.Balance", 0, "Rotor"},
    {"rot", 0x0b, "H/R.Balance", 100, "Horn"},
    {"rot", 0x0a, "Ratio", 49, "Stop"},
    {"mchs", 0x01, "Delay(000)", 101, "110"},
    {"mchs", 0x04, "Pan", 0, "C"},
    {"mchs", 0x05, "Delay(180)", 101, "110"},
    {"mchs", 0x09, "Delay(090)", 101, "110"},
    {"mchs", 0x0d, "Delay(270)", 101, "110"},
    {"ptch", 0x00, "Mode", 1, "Medium"},
    {"ptch", 0x00, "Mode", 2, "Fast"},
    {"pmod", 0x0d, "Pan", 0, "L"},
    {"pmod", 0x0d, "Pan", 100, "R"},
    {"peq_xct", 0x01, "Cutoff", 98, "1.00k"},
    {"cmp_od", 0x06, "Low Cutoff", 49, "1.0k"},
    {"lmt_peq", 0x00, "Ratio", 131, "Inf:1"},
    {"lmt_peq", 0x04, "Gain Adjust", -39, "-Inf"},
    {"tfxeq", 0x03, "Bass Freq", 98, "1.00k"},
    {"peq_fln", 0x01, "Cutoff", 98, "1.00k"},
    {"lmt_fln", 0x00, "Ratio", 131, "Inf:1"},
    {"lmt_fln", 0x04, "Gain Adjust", -39, "-Inf"},
    {"od_fln", 0x03, "Low Cutoff", 49, "1.0k"},
};

// Finds a table by key; null when the key is unknown.
inline const TableCase* FindTable(std::string_view key) {
  for (const TableCase& t : kTables)
    if (key == t.key) return &t;
  return nullptr;
}

inline bool IsParamRow(const SParamDesc& row) { return row.ptype > PTYPE_FRAME; }

// Finds a parameter row by id; null when the table has none.
inline const SParamDesc* FindParam(const TableCase& table, int32_t id) {
  for (uint32_t i = 0; i < table.rowCount; ++i)
    if (IsParamRow(table.rows[i]) && table.rows[i].id == id) return &table.rows[i];
  return nullptr;
}

}  // namespace fxtest
