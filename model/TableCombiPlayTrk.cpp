// One timbre of a combination (44-byte record).
#include "model/SectionTables.h"
#include "model/SectionTableFormats.h"

namespace Oskend {

constinit const SParamDesc TABLE_COMBIPLAYTRK[] = {
    {" ", "", 0x0, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"Program", "", 0x0, PTYPE_CONT, ATYPE_BNKPGM, 0, 0, 15, 0, 0, 511, 0, 0, "0~127\tA%03.0f,v\n128~255\tB%03.0f,v-128\n256~383\tC%03.0f,v-256\n384~511\tD%03.0f,v-384", nullptr, nullptr, nullptr},
    {"Pan", "", 0x1, PTYPE_CONT, ATYPE_UBF8, 14, 0, 7, 64, 0, 127, 64, 0, "0\tRND\n1~63\tL%03.0f,64-v\n64\tC064\n65~127\tR%03.0f,v-64", nullptr, nullptr, nullptr},
    {"Volume", "", 0x2, PTYPE_CONT, ATYPE_UBF8, 5, 0, 7, 100, 0, 127, 100, 0, FMT_INT, nullptr, nullptr, nullptr},
    {"Status", "", 0x3, PTYPE_CONT, ATYPE_CMBSTS, 2, 5, 7, 1, 1, 3, 1, 0, "1\tINT\n2\tEXT\n3\tEX2", nullptr, nullptr, nullptr},
    {"MIDI Channel", "", 0x4, PTYPE_CONT, ATYPE_UBF8, 2, 0, 4, 0, 0, 16, 0, 0, "0~15\t%02.0f,v+1\n16\tGch", nullptr, nullptr, nullptr},
    {"Bank Select MSB", "", 0x5, PTYPE_CONT, ATYPE_UBF8, 3, 0, 7, 0, 0, 127, 0, 0, FMT_INT, nullptr, nullptr, nullptr},
    {"Bank Select LSB", "", 0x6, PTYPE_CONT, ATYPE_UBF8, 4, 0, 7, 0, 0, 127, 0, 0, FMT_INT, nullptr, nullptr, nullptr},
    {"Force OSC Mode", "", 0x7, PTYPE_ENUM, ATYPE_UBF8, 28, 0, 1, 0, 0, 3, 0, 0, "Program\nPoly\nMono\nMono Legato", nullptr, nullptr, nullptr},
    {"OSC Select", "", 0x8, PTYPE_ENUM, ATYPE_UBF8, 28, 2, 3, 0, 0, 2, 0, 0, "Both\nOSC1\nOSC2", nullptr, nullptr, nullptr},
    {"Portamento", "", 0x9, PTYPE_ENUM, ATYPE_UBF8, 28, 5, 6, 0, 0, 2, 0, 0, "Off\nA\nB", nullptr, nullptr, nullptr},
    {"Portamento", "", 0xA, PTYPE_CONT, ATYPE_SBF8, 29, 0, 7, -1, -1, 127, -1, 0, "-1\tPRG\n0\tOff\n1~127\t%.0f,v", nullptr, nullptr, nullptr},
    {"Transpose", "", 0xB, PTYPE_CONT, ATYPE_SBF8, 7, 0, 7, 0, -60, 60, 0, 0, "%+.0f,v", nullptr, nullptr, nullptr},
    {"Detune", "", 0xC, PTYPE_CONT, ATYPE_SBF16L, 8, 0, 15, 0, -1200, 1200, 0, 0, "%+05.0f,v", nullptr, nullptr, nullptr},
    {"Octave", "", 0xD, PTYPE_CONT, ATYPE_SBF8, 11, 0, 7, 0, -5, 5, 0, 0, "%+.0f,v", nullptr, nullptr, nullptr},
    {"Bend Range", "", 0xE, PTYPE_CONT, ATYPE_SBF8, 6, 0, 7, -25, -25, 24, -25, 0, "-25\tPRG\n-24~24\t%+.0f,v", nullptr, nullptr, nullptr},
    {"Use Program Scale", "", 0x13, PTYPE_ONOFF, ATYPE_UBF8, 27, 5, 5, 0, 0, 1, 0, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"Program Change", "", 0x14, PTYPE_ONOFF, ATYPE_UBF8, 25, 0, 0, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"Bank Select", "", 0x15, PTYPE_ONOFF, ATYPE_UBF8, 25, 1, 1, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"Damper", "", 0x16, PTYPE_ONOFF, ATYPE_UBF8, 25, 2, 2, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"Porta SW", "", 0x17, PTYPE_ONOFF, ATYPE_UBF8, 25, 3, 3, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"JS X as AMS", "", 0x18, PTYPE_ONOFF, ATYPE_UBF8, 25, 4, 4, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"JS +Y", "", 0x19, PTYPE_ONOFF, ATYPE_UBF8, 25, 5, 5, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"JS -Y", "", 0x1A, PTYPE_ONOFF, ATYPE_UBF8, 25, 6, 6, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"Ribbon (CC#16)", "", 0x1B, PTYPE_ONOFF, ATYPE_UBF8, 25, 7, 7, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"After Touch", "", 0x24, PTYPE_ONOFF, ATYPE_UBF8, 27, 0, 0, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"Sostenuto", "", 0x25, PTYPE_ONOFF, ATYPE_UBF8, 27, 1, 1, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"Foot SW", "", 0x26, PTYPE_ONOFF, ATYPE_UBF8, 27, 2, 2, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"Foot Pedal", "", 0x27, PTYPE_ONOFF, ATYPE_UBF8, 27, 3, 3, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"Other CC", "", 0x28, PTYPE_ONOFF, ATYPE_UBF8, 27, 4, 4, 1, 0, 1, 1, 0, "DIS\nENA", nullptr, nullptr, nullptr},
    {"Drum Track", "", 0x29, PTYPE_ONOFF, ATYPE_UBF8, 27, 7, 7, 0, 0, 1, 0, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"Timbre Switch", "", 0x2A, PTYPE_ONOFF, ATYPE_UBF8, 0, 0, 7, 1, 0, 1, 1, 0x10, FMT_OFFON, nullptr, nullptr, nullptr},
    {"Play", "", 0x2B, PTYPE_ONOFF, ATYPE_UBF8, 27, 6, 6, 0, 0, 1, 0, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"CutOff", "", 0x3D, PTYPE_CONT, ATYPE_SBF8, 36, 0, 7, 0, -99, 99, 0, 0, FMT_SIGNED99, nullptr, nullptr, nullptr},
    {"Resonance", "", 0x3E, PTYPE_CONT, ATYPE_SBF8, 37, 0, 7, 0, -99, 99, 0, 0, FMT_SIGNED99, nullptr, nullptr, nullptr},
    {"Filter EG Int", "", 0x3F, PTYPE_CONT, ATYPE_SBF8, 38, 0, 7, 0, -99, 99, 0, 0, FMT_SIGNED99, nullptr, nullptr, nullptr},
    {"Amp Vel Int", "", 0x40, PTYPE_CONT, ATYPE_SBF8, 39, 0, 7, 0, -99, 99, 0, 0, FMT_SIGNED99, nullptr, nullptr, nullptr},
    {"Attack", "", 0x41, PTYPE_CONT, ATYPE_SBF8, 40, 0, 7, 0, -99, 99, 0, 0, FMT_SIGNED99, nullptr, nullptr, nullptr},
    {"Decay", "", 0x42, PTYPE_CONT, ATYPE_SBF8, 41, 0, 7, 0, -99, 99, 0, 0, FMT_SIGNED99, nullptr, nullptr, nullptr},
    {"Sustain", "", 0x43, PTYPE_CONT, ATYPE_SBF8, 42, 0, 7, 0, -99, 99, 0, 0, FMT_SIGNED99, nullptr, nullptr, nullptr},
    {"Release", "", 0x44, PTYPE_CONT, ATYPE_SBF8, 43, 0, 7, 0, -99, 99, 0, 0, FMT_SIGNED99, nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_COMBIPLAYTRK = {TABLE_COMBIPLAYTRK, 41};

}  // namespace Oskend
