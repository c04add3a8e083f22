// Dynamics: compressors, limiters, gate.
#include "fxcatalog/FxTypeTables.h"
#include "fxcatalog/FxDisplayRules.h"

// Stereo Compressor
constinit const SParamDesc TABLE_FXTYPE_cmp_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 3, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"Stereo Compressor", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Envelope", "", 0x00, PTYPE_ENUM, ATYPE_UBF8, 3, 5, 5, 0, 0, 1, 0, 0, "L/R Mix\nL/R Individually", nullptr, nullptr, nullptr},
    {"Sensitivity", "", 0x01, PTYPE_CONT, ATYPE_UBF16L, 3, 6, 12, 1, 1, 100, 1, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Attack", "", 0x02, PTYPE_CONT, ATYPE_UBF16L, 4, 5, 11, 1, 1, 100, 1, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"EQ Trim", "", 0x03, PTYPE_CONT, ATYPE_UBF16L, 2, 6, 12, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Lo EQ Freq", "", 0x0c, PTYPE_ENUM, ATYPE_UBF8, 9, 5, 5, 0, 0, 0, 0, 0, "Low\nMid-Low", nullptr, nullptr, nullptr},
    {"Lo EQ", "dB", 0x04, PTYPE_CONTRANGE, ATYPE_SBF16L, 5, 4, 9, 0, -30, 30, 0, 0x80, "-30~30\t-15~15\t%+.1f,v", nullptr, nullptr, nullptr},
    {"Hi EQ Freq", "", 0x0d, PTYPE_ENUM, ATYPE_UBF8, 9, 6, 6, 0, 0, 0, 0, 0, "High\nMid-High", nullptr, nullptr, nullptr},
    {"Hi EQ", "dB", 0x05, PTYPE_CONTRANGE, ATYPE_SBF16L, 6, 2, 7, 0, -30, 30, 0, 0x80, "-30~30\t-15~15\t%+.1f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_SPACING,
    {"Level", "", 0x06, PTYPE_CONT, ATYPE_UBF16L, 7, 0, 6, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Source", "", 0x07, PTYPE_ENUMLONG, ATYPE_UBF16L, 7, 7, 12, 0, 0, 0, 0, 0, FXFMT_MODSOURCE, nullptr, nullptr, nullptr},
    {"Amount", "", 0x08, PTYPE_CONT, ATYPE_SBF16L, 8, 5, 12, 0, -100, 100, 0, 0, "%+.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Wet/Dry", "", 0x09, PTYPE_CONTRANGE, ATYPE_UBF8, 0, 1, 7, 0, 0, 100, 0, 0x80, FXFMT_WETDRY, nullptr, nullptr, nullptr},
    {"Source", "", 0x0a, PTYPE_ENUMLONG, ATYPE_UBF16L, 1, 0, 5, 0, 0, 0, 0, 0, FXFMT_MODSOURCE, nullptr, nullptr, nullptr},
    {"Amount", "", 0x0b, PTYPE_CONT, ATYPE_SBF16L, 1, 6, 13, 0, -100, 100, 0, 0, "%+.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_cmp_1 = {TABLE_FXTYPE_cmp_1, 24};

// Red Comp
constinit const SParamDesc TABLE_FXTYPE_redcomp_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 2, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"Red Comp", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Sensitivity", "", 0x00, PTYPE_CONT, ATYPE_UBF16L, 3, 5, 11, 1, 0, 99, 1, 0x80, "0~99\t1~100\t%.0f,v", nullptr, nullptr, nullptr},
    {"Attack", "", 0x01, PTYPE_CONT, ATYPE_UBF16L, 4, 4, 10, 1, 0, 99, 1, 0x80, "0~99\t1~100\t%.0f,v", nullptr, nullptr, nullptr},
    {"Level", "", 0x02, PTYPE_CONT, ATYPE_UBF16L, 5, 3, 9, 0, 0, 100, 1, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Wet/Dry", "", 0x03, PTYPE_CONTRANGE, ATYPE_UBF8, 0, 1, 7, 0, 0, 100, 0, 0x80, FXFMT_WETDRY, nullptr, nullptr, nullptr},
    {"Source", "", 0x04, PTYPE_ENUMLONG, ATYPE_UBF16L, 1, 0, 5, 0, 0, 0, 0, 0, FXFMT_MODSOURCE, nullptr, nullptr, nullptr},
    {"Amount", "", 0x05, PTYPE_CONT, ATYPE_SBF16L, 1, 6, 13, 0, -100, 100, 0, 0, "%+.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_redcomp_1 = {TABLE_FXTYPE_redcomp_1, 12};

// Stereo Limiter
constinit const SParamDesc TABLE_FXTYPE_lmt_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 4, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"Stereo Limiter", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 3, 0, 5, "", nullptr, nullptr, nullptr},
    {"Envelope Source", "", 0x10, PTYPE_ENUM, ATYPE_UBF16L, 3, 5, 6, 0, 0, 0, 0, 0x80, "Input\nFX Control 1\nFX Control 2", nullptr, nullptr, nullptr},
    {"FX Control Trim", "", 0x11, PTYPE_CONT, ATYPE_UBF16L, 3, 7, 13, 0, 0, 100, 0, 0, "%.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 3, 0, 5, "", nullptr, nullptr, nullptr},
    {"Envelope", "", 0x00, PTYPE_ENUM, ATYPE_UBF16L, 4, 6, 7, 0, 0, 0, 0, 0, "L/R Mix\nL Only\nR Only\nL/R Individually", nullptr, nullptr, nullptr},
    {"Ratio", "", 0x01, PTYPE_CONTRANGE, ATYPE_UBF8, 5, 0, 7, 0, 0, 131, 0, 0x80, "0~90\t1~10\t%.1f:1,v\n91~130\t11~50\t%.1f:1,v\n131\tInf:1", nullptr, nullptr, nullptr},
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 4, 0, 5, "", nullptr, nullptr, nullptr},
    {"Threshold", "dB", 0x02, PTYPE_CONT, ATYPE_SBF16L, 6, 0, 6, -40, -40, 0, 0, 0x80, "%+.0f,v", nullptr, nullptr, nullptr},
    {"Attack", "", 0x03, PTYPE_CONT, ATYPE_UBF16L, 6, 7, 13, 1, 1, 100, 1, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Release", "", 0x04, PTYPE_CONT, ATYPE_UBF16L, 7, 6, 12, 1, 1, 100, 1, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Gain Adjust", "dB", 0x05, PTYPE_CONT, ATYPE_SBF16L, 11, 5, 11, 0, -39, 24, 0, 0x80, "-39\t-Inf\n-38~24\t%+.0f,v", nullptr, nullptr, nullptr},
    {"Source", "", 0x06, PTYPE_ENUMLONG, ATYPE_UBF16L, 12, 4, 9, 0, 0, 0, 0, 0, FXFMT_MODSOURCE, nullptr, nullptr, nullptr},
    {"Amount", "", 0x07, PTYPE_CONT, ATYPE_SBF16L, 13, 2, 8, 0, -63, 63, 0, 0, "%+.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Side PEQ", "", -1, PTYPE_CAPTION, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"PEQ Insert", "", 0x08, PTYPE_ONOFF, ATYPE_UBF8, 8, 5, 5, 0, 0, 0, 0, 0, "Off\nOn", nullptr, nullptr, nullptr},
    {"Trigger Monitor", "", 0x09, PTYPE_ONOFF, ATYPE_UBF8, 8, 6, 6, 0, 0, 0, 0, 0, "Off\nOn", nullptr, nullptr, nullptr},
    {"PEQ Cutoff", "Hz", 0x0a, PTYPE_CONTRANGE, ATYPE_UBF16L, 8, 7, 14, 1, 1, 200, 1, 0, "1~49\t20~980\t%.0f,v\n50~129\t1~4.95\t%.02fk,v\n130~200\t5~12\t%.02fk,v", nullptr, nullptr, nullptr},
    {"Q", "", 0x0b, PTYPE_CONT, ATYPE_UBF16L, 9, 7, 13, 0, 0, 95, 0, 0, "0~95\t0.5~10\t%.1f,v", nullptr, nullptr, nullptr},
    {"Gain", "dB", 0x0c, PTYPE_CONTRANGE, ATYPE_SBF16L, 10, 6, 12, 0, -36, 36, 0, 0, "-36~36\t-18~18\t%+.1f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Wet/Dry", "", 0x0d, PTYPE_CONTRANGE, ATYPE_UBF8, 0, 1, 7, 0, 0, 100, 0, 0x80, FXFMT_WETDRY, nullptr, nullptr, nullptr},
    {"Source", "", 0x0e, PTYPE_ENUMLONG, ATYPE_UBF16L, 1, 0, 5, 0, 0, 0, 0, 0, FXFMT_MODSOURCE, nullptr, nullptr, nullptr},
    {"Amount", "", 0x0f, PTYPE_CONT, ATYPE_SBF16L, 1, 6, 13, 0, -100, 100, 0, 0, "%+.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_lmt_1 = {TABLE_FXTYPE_lmt_1, 35};

// Multiband Limiter
constinit const SParamDesc TABLE_FXTYPE_blmt_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 3, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"Multiband Limiter", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 5, 0, 5, "", nullptr, nullptr, nullptr},
    {"Ratio", "", 0x00, PTYPE_CONTRANGE, ATYPE_UBF16L, 3, 5, 12, 0, 0, 131, 0, 0x80, "0~90\t1~10\t%.1f:1,v\n91~130\t11~50\t%.1f:1,v\n131\tInf:1", nullptr, nullptr, nullptr},
    {"Threshold", "dB", 0x01, PTYPE_CONT, ATYPE_SBF16L, 4, 5, 11, -40, -40, 0, 0, 0x80, "%+.0f,v", nullptr, nullptr, nullptr},
    {"Attack", "", 0x02, PTYPE_CONT, ATYPE_UBF16L, 5, 4, 10, 1, 1, 100, 1, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Release", "", 0x03, PTYPE_CONT, ATYPE_UBF16L, 6, 3, 9, 1, 1, 100, 1, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 5, 0, 5, "", nullptr, nullptr, nullptr},
    {"Offset", "", -1, PTYPE_CAPTION, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"Low", "dB", 0x04, PTYPE_CONT, ATYPE_SBF16L, 7, 2, 8, -40, -40, 0, -40, 0x80, "%+.0f,v", nullptr, nullptr, nullptr},
    {"Mid", "dB", 0x05, PTYPE_CONT, ATYPE_SBF16L, 8, 1, 7, -40, -40, 0, -40, 0x80, "%+.0f,v", nullptr, nullptr, nullptr},
    {"High", "dB", 0x06, PTYPE_CONT, ATYPE_SBF16L, 9, 0, 6, -40, -40, 0, -40, 0x80, "%+.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Gain Adjust", "dB", 0x07, PTYPE_CONT, ATYPE_SBF16L, 9, 7, 13, 0, -39, 24, 0, 0x80, "-39\t-Inf\n-38~24\t%+.0f,v", nullptr, nullptr, nullptr},
    {"Source", "", 0x08, PTYPE_ENUMLONG, ATYPE_UBF16L, 10, 6, 11, 0, 0, 0, 0, 0, FXFMT_MODSOURCE, nullptr, nullptr, nullptr},
    {"Amount", "", 0x09, PTYPE_CONT, ATYPE_SBF16L, 11, 4, 10, 0, -63, 63, 0, 0, "%+.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Wet/Dry", "", 0x0a, PTYPE_CONTRANGE, ATYPE_UBF8, 0, 1, 7, 0, 0, 100, 0, 0x80, FXFMT_WETDRY, nullptr, nullptr, nullptr},
    {"Source", "", 0x0b, PTYPE_ENUMLONG, ATYPE_UBF16L, 1, 0, 5, 0, 0, 0, 0, 0, FXFMT_MODSOURCE, nullptr, nullptr, nullptr},
    {"Amount", "", 0x0c, PTYPE_CONT, ATYPE_SBF16L, 1, 6, 13, 0, -100, 100, 0, 0, "%+.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_blmt_1 = {TABLE_FXTYPE_blmt_1, 25};

// Stereo Mastering Limiter
constinit const SParamDesc TABLE_FXTYPE_mlmt_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 2, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"Stereo Mastering Limiter", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Threshold", "dB", 0x03, PTYPE_CONTRANGE, ATYPE_SBF24L, 3, 5, 14, -300, -300, 0, 0, 0x80, "-300~0\t-30~0\t%+.1f,v", nullptr, nullptr, nullptr},
    {"Out Ceiling", "dB", 0x04, PTYPE_CONTRANGE, ATYPE_SBF24L, 4, 7, 16, -300, -300, 0, 0, 0x80, "-300~0\t-30~0\t%+.1f,v", nullptr, nullptr, nullptr},
    {"Release", "ms", 0x05, PTYPE_CONTRANGE, ATYPE_UBF16L, 6, 1, 9, 10, 10, 290, 0, 0x80, "10~19\t0.5~0.95\t%.2f,v\n20~109\t1~9.9\t%.1f,v\n110~199\t10~99\t%.1f,v\n200~290\t100~1000\t%.1f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Wet/Dry", "", 0x00, PTYPE_CONTRANGE, ATYPE_UBF8, 0, 1, 7, 0, 0, 100, 0, 0x80, FXFMT_WETDRY, nullptr, nullptr, nullptr},
    {"Source", "", 0x01, PTYPE_ENUMLONG, ATYPE_UBF16L, 1, 0, 5, 0, 0, 0, 0, 0, FXFMT_MODSOURCE, nullptr, nullptr, nullptr},
    {"Amount", "", 0x02, PTYPE_CONT, ATYPE_SBF16L, 1, 6, 13, 0, -100, 100, 0, 0, "%+.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_mlmt_1 = {TABLE_FXTYPE_mlmt_1, 12};

// Stereo Gate
constinit const SParamDesc TABLE_FXTYPE_gate_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 3, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"Stereo Gate", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Envelope Source", "", 0x0a, PTYPE_ENUM, ATYPE_SBF16L, 3, 5, 7, -1, -1, 2, -1, 0x80, "-1\tDmod\n0\tInput\n1\tFXC1\n2\tFXC2", nullptr, nullptr, nullptr},
    {"FX Control Trim", "", 0x0b, PTYPE_CONT, ATYPE_UBF16L, 4, 0, 6, 0, 0, 100, 0, 0, "%.0f,v", nullptr, nullptr, nullptr},
    {"Envelope", "", 0x00, PTYPE_ENUM, ATYPE_UBF16L, 4, 7, 8, 1, 1, 3, 1, 0, "1\tL/R Mix\n2\tL Only\n3\tR Only", nullptr, nullptr, nullptr},
    {"Mod Source", "", 0x01, PTYPE_ENUMLONG, ATYPE_UBF16L, 5, 1, 6, 0, 0, 4, 0, 0, FXFMT_MODSOURCE, nullptr, nullptr, nullptr},
    {"Polarity", "", 0x02, PTYPE_ENUM, ATYPE_UBF8, 5, 7, 7, 0, 0, 0, 0, 0, "+\n-", nullptr, nullptr, nullptr},
    {"Threshold", "", 0x03, PTYPE_CONT, ATYPE_UBF16L, 6, 0, 6, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Attack", "", 0x04, PTYPE_CONT, ATYPE_UBF16L, 6, 7, 13, 1, 1, 100, 1, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Release", "", 0x05, PTYPE_CONT, ATYPE_UBF16L, 7, 6, 12, 1, 1, 100, 1, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Side PEQ", "", -1, PTYPE_CAPTION, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"PEQ Insert", "", 0x0c, PTYPE_ONOFF, ATYPE_UBF8, 9, 4, 4, 0, 0, 0, 0, 0, "Off\nOn", nullptr, nullptr, nullptr},
    {"Trigger Monitor", "", 0x0d, PTYPE_ONOFF, ATYPE_UBF8, 9, 5, 5, 0, 0, 0, 0, 0, "Off\nOn", nullptr, nullptr, nullptr},
    {"PEQ Cutoff", "Hz", 0x0e, PTYPE_CONTRANGE, ATYPE_UBF24L, 9, 6, 15, 0, 0, 599, 1, 0, "0~48\t20~980\t%.0f,v\n49~599\t1.0~12.0\t%.2fk,v", nullptr, nullptr, nullptr},
    {"Q", "", 0x0f, PTYPE_CONT, ATYPE_UBF16L, 11, 0, 6, 0, 0, 95, 0, 0, "0~95\t0.5~10\t%.1f,v", nullptr, nullptr, nullptr},
    {"Gain", "dB", 0x10, PTYPE_CONTRANGE, ATYPE_SBF16L, 11, 7, 13, 0, -36, 36, 0, 0, "-36~36\t-18~18\t%+.1f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Wet/Dry", "", 0x07, PTYPE_CONTRANGE, ATYPE_UBF8, 0, 1, 7, 0, 0, 100, 0, 0x80, FXFMT_WETDRY, nullptr, nullptr, nullptr},
    {"Source", "", 0x08, PTYPE_ENUMLONG, ATYPE_UBF16L, 1, 0, 5, 0, 0, 0, 0, 0, FXFMT_MODSOURCE, nullptr, nullptr, nullptr},
    {"Amount", "", 0x09, PTYPE_CONT, ATYPE_SBF16L, 1, 6, 13, 0, -100, 100, 0, 0, "%+.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_gate_1 = {TABLE_FXTYPE_gate_1, 26};
