// No effect, master effects and the total EQ.
#include "fxcatalog/FxTypeTables.h"
#include "fxcatalog/FxDisplayRules.h"

// No Effect
constinit const SParamDesc TABLE_FXTYPE_nofx_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 4, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"No Effect", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"", "", 0x00, PTYPE_CONT, ATYPE_UBF16L, 3, 6, 13, 0, 0, 0, 0, 0, "%.0f,v", nullptr, nullptr, nullptr},
    {"", "", 0x01, PTYPE_CONT, ATYPE_UBF16L, 4, 6, 12, 0, 0, 0, 0, 0, "%.0f,v", nullptr, nullptr, nullptr},
    {"", "", 0x02, PTYPE_CONT, ATYPE_UBF16L, 5, 5, 11, 0, 0, 0, 0, 0, "%.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_nofx_1 = {TABLE_FXTYPE_nofx_1, 5};

// Stereo Chorus
constinit const SParamDesc TABLE_FXTYPE_mfx1chorus_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 1, 0, 1, "", nullptr, nullptr, nullptr},
    {"Stereo Chorus", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Rate", "", 0x00, PTYPE_CONT, ATYPE_UBF16L, 3, 6, 13, 1, 1, 210, 0, 0x80, "1~100\t0.02~2\t%.2f,v\n101~160\t2.05~5\t%.2f,v\n161~210\t5.1~10\t%.2f,v", nullptr, nullptr, nullptr},
    {"Depth", "", 0x01, PTYPE_CONT, ATYPE_UBF16L, 4, 6, 12, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Feedback", "", 0x02, PTYPE_CONT, ATYPE_UBF16L, 5, 5, 11, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_mfx1chorus_1 = {TABLE_FXTYPE_mfx1chorus_1, 6};

// Stereo Flanger
constinit const SParamDesc TABLE_FXTYPE_mfx1flanger_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 1, 0, 1, "", nullptr, nullptr, nullptr},
    {"Stereo Flanger", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Rate", "", 0x00, PTYPE_CONT, ATYPE_UBF16L, 3, 6, 13, 1, 1, 210, 0, 0x80, "1~100\t0.02~2\t%.2f,v\n101~160\t2.05~5\t%.2f,v\n161~210\t5.1~10\t%.2f,v", nullptr, nullptr, nullptr},
    {"Depth", "", 0x01, PTYPE_CONT, ATYPE_UBF16L, 4, 6, 12, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Feedback", "", 0x02, PTYPE_CONT, ATYPE_UBF16L, 5, 5, 11, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_mfx1flanger_1 = {TABLE_FXTYPE_mfx1flanger_1, 6};

// Vintage Chorus/Flanger
constinit const SParamDesc TABLE_FXTYPE_mfx1classicchoflg_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 1, 0, 1, "", nullptr, nullptr, nullptr},
    {"Vintage Chorus/Flanger", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Rate", "", 0x00, PTYPE_CONT, ATYPE_UBF16L, 3, 5, 12, 1, 1, 210, 0, 0x80, "1~100\t0.02~2\t%.2f,v\n101~160\t2.05~5\t%.2f,v\n161~210\t5.1~10\t%.2f,v", nullptr, nullptr, nullptr},
    {"Depth", "", 0x01, PTYPE_CONT, ATYPE_UBF16L, 4, 5, 11, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Feedback", "", 0x02, PTYPE_CONT, ATYPE_UBF16L, 5, 4, 10, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_mfx1classicchoflg_1 = {TABLE_FXTYPE_mfx1classicchoflg_1, 6};

// Stereo Phaser
constinit const SParamDesc TABLE_FXTYPE_mfx1phaser_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 1, 0, 1, "", nullptr, nullptr, nullptr},
    {"Stereo Phaser", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Rate", "", 0x00, PTYPE_CONT, ATYPE_UBF16L, 3, 6, 13, 1, 1, 210, 0, 0x80, "1~100\t0.02~2\t%.2f,v\n101~160\t2.05~5\t%.2f,v\n161~210\t5.1~10\t%.2f,v", nullptr, nullptr, nullptr},
    {"Depth", "", 0x01, PTYPE_CONT, ATYPE_UBF16L, 4, 6, 12, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Feedback", "", 0x02, PTYPE_CONT, ATYPE_UBF16L, 5, 5, 11, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_mfx1phaser_1 = {TABLE_FXTYPE_mfx1phaser_1, 6};

// Hall
constinit const SParamDesc TABLE_FXTYPE_mfx2hall_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 2, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"Hall", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Time", "sec", 0x00, PTYPE_CONT, ATYPE_UBF16L, 3, 5, 11, 0, 1, 100, 0, 0x80, "1~100\t0.1~10.0\t%.1f,v", nullptr, nullptr, nullptr},
    {"Feedback", "", 0x01, PTYPE_CONT, ATYPE_UBF16L, 4, 4, 10, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Level", "", 0x02, PTYPE_CONT, ATYPE_UBF8, 0, 1, 7, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_mfx2hall_1 = {TABLE_FXTYPE_mfx2hall_1, 9};

// Plate
constinit const SParamDesc TABLE_FXTYPE_mfx2plate_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 2, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"Plate", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Time", "sec", 0x00, PTYPE_CONT, ATYPE_UBF16L, 3, 5, 11, 0, 1, 100, 0, 0x80, "1~100\t0.1~10.0\t%.1f,v", nullptr, nullptr, nullptr},
    {"Feedback", "", 0x01, PTYPE_CONT, ATYPE_UBF16L, 4, 4, 10, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Level", "", 0x02, PTYPE_CONT, ATYPE_UBF8, 0, 1, 7, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_mfx2plate_1 = {TABLE_FXTYPE_mfx2plate_1, 9};

// Room
constinit const SParamDesc TABLE_FXTYPE_mfx2room_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 2, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"Room", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Time", "sec", 0x00, PTYPE_CONT, ATYPE_UBF16L, 3, 5, 9, 1, 1, 30, 0, 0x80, "1~30\t0.1~3.0\t%.1f,v", nullptr, nullptr, nullptr},
    {"Feedback", "", 0x01, PTYPE_CONT, ATYPE_UBF16L, 4, 2, 8, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Level", "", 0x02, PTYPE_CONT, ATYPE_UBF8, 0, 1, 7, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_mfx2room_1 = {TABLE_FXTYPE_mfx2room_1, 9};

// Delay
constinit const SParamDesc TABLE_FXTYPE_mfx2delay_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 2, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"Delay", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Time", "sec", 0x00, PTYPE_CONT, ATYPE_UBF16L, 3, 5, 14, 0, 0, 549, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    {"Feedback", "", 0x01, PTYPE_CONT, ATYPE_UBF16L, 4, 7, 13, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Level", "", 0x02, PTYPE_CONT, ATYPE_UBF8, 0, 1, 7, 0, 0, 100, 0, 0x80, "%.0f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_mfx2delay_1 = {TABLE_FXTYPE_mfx2delay_1, 9};

// Stereo EQ
constinit const SParamDesc TABLE_FXTYPE_tfxeq_1[] = {
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 4, 1, 0, 0, "", nullptr, nullptr, nullptr},
    {"Stereo EQ", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Trim", "", 0x00, PTYPE_CONT, ATYPE_UBF16L, 2, 6, 12, 0, 0, 100, 0, 0, "%.0f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Bass", "", -1, PTYPE_CAPTION, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"Bass Gain", "dB", 0x05, PTYPE_CONTRANGE, ATYPE_SBF16L, 5, 5, 11, 0, -36, 36, 0, 0x80, "-36~36\t-18~18\t%+.1f,v", nullptr, nullptr, nullptr},
    {"Bass Type", "", 0x01, PTYPE_ENUM, ATYPE_UBF8, 3, 5, 5, 0, 0, 0, 0, 0, "Peaking\nShelving-Low", nullptr, nullptr, nullptr},
    {"Bass Freq", "Hz", 0x03, PTYPE_CONTRANGE, ATYPE_UBF16L, 3, 7, 13, 0, 0, 98, 0, 0, "0~97\t20~990\t%.0f,v\n98\t1.00k", nullptr, nullptr, nullptr},
    {"Bass Q", "", 0x04, PTYPE_CONT, ATYPE_UBF16L, 4, 6, 12, 0, 0, 95, 0, 0, "0~95\t0.5~10\t%.1f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 5, "", nullptr, nullptr, nullptr},
    {"Mid", "", -1, PTYPE_CAPTION, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"Mid Gain", "dB", 0x08, PTYPE_CONTRANGE, ATYPE_SBF16L, 8, 3, 9, 0, -36, 36, 0, 0x80, "-36~36\t-18~18\t%+.1f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_SPACING,
    {"Mid Freq", "Hz", 0x06, PTYPE_CONTRANGE, ATYPE_UBF16L, 6, 4, 11, 0, 0, 165, 0, 0, "0~40\t100~500\t%.0f,v\n41~65\t520~990\t%.0f,v\n65~85\t1~2\t%.2fk,v\n86~165\t2.1~10\t%.2fk,v", nullptr, nullptr, nullptr},
    {"Mid Q", "", 0x07, PTYPE_CONT, ATYPE_UBF16L, 7, 4, 10, 0, 0, 95, 0, 0, "0~95\t0.5~10\t%.1f,v", nullptr, nullptr, nullptr},
    PARAM_ENTRY_NEXTLINE,
    PARAM_ENTRY_SPACING,
    {" ", "", -1, PTYPE_FRAME, ATYPE_NONE, 0, 0, 0, 0, 1, 10, 0, 4, "", nullptr, nullptr, nullptr},
    {"Treble", "", -1, PTYPE_CAPTION, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"Treble Gain", "dB", 0x0b, PTYPE_CONTRANGE, ATYPE_SBF16L, 11, 1, 7, 0, -36, 36, 0, 0x80, "-36~36\t-18~18\t%+.1f,v", nullptr, nullptr, nullptr},
    {"Treble Type", "", 0x02, PTYPE_ENUM, ATYPE_UBF8, 3, 6, 6, 0, 0, 0, 0, 0, "Peaking\nShelving-Low", nullptr, nullptr, nullptr},
    {"Treble Freq", "Hz", 0x09, PTYPE_CONTRANGE, ATYPE_UBF16L, 9, 2, 9, 0, 0, 195, 0, 0, "0~4\t500~900\t%.0f,v\n5~195\t1~20\t%.2fk,v", nullptr, nullptr, nullptr},
    {"Treble Q", "", 0x0a, PTYPE_CONT, ATYPE_UBF16L, 10, 2, 8, 0, 0, 95, 0, 0, "0~95\t0.5~10\t%.1f,v", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_FXTYPE_tfxeq_1 = {TABLE_FXTYPE_tfxeq_1, 28};
