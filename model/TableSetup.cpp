// Editor settings kept in the preferences store; the row name is the preferences key.
#include "model/SectionTables.h"
#include "model/SectionTableFormats.h"

namespace Oskend {

constinit const SParamDesc TABLE_SETUP[] = {
    {" ", "", 0x0, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"Filter.AllSw", "", static_cast<int32_t>(0x80008100), PTYPE_ONOFF, ATYPE_UBF8, 0, 0, 0, 1, 0, 1, 1, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"Filter.ProgSw", "", static_cast<int32_t>(0x80008200), PTYPE_ONOFF, ATYPE_UBF8, 1, 0, 0, 1, 0, 1, 1, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"Filter.ProgASw", "", static_cast<int32_t>(0x80008300), PTYPE_ONOFF, ATYPE_UBF8, 2, 0, 0, 1, 0, 1, 1, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"Filter.ProgBSw", "", static_cast<int32_t>(0x80008400), PTYPE_ONOFF, ATYPE_UBF8, 2, 1, 1, 1, 0, 1, 1, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"Filter.ProgCSw", "", static_cast<int32_t>(0x80008500), PTYPE_ONOFF, ATYPE_UBF8, 2, 2, 2, 1, 0, 1, 1, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"Filter.ProgDSw", "", static_cast<int32_t>(0x80008600), PTYPE_ONOFF, ATYPE_UBF8, 2, 3, 3, 1, 0, 1, 1, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"Filter.ProgNum", "", static_cast<int32_t>(0x80009000), PTYPE_CONT, ATYPE_SBF8, 4, 0, 7, -1, -1, 127, -1, 0, "-1\tAll\n0~127\t%.0f,v", nullptr, nullptr, nullptr},
    {"Filter.CombiSw", "", static_cast<int32_t>(0x80009100), PTYPE_ONOFF, ATYPE_UBF8, 5, 0, 0, 1, 0, 1, 1, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"Filter.CombiNum", "", static_cast<int32_t>(0x8000A000), PTYPE_CONT, ATYPE_SBF8, 8, 0, 7, -1, -1, 127, -1, 0, "-1\tAll\n0~127\t%.0f,v", nullptr, nullptr, nullptr},
    {"Filter.GlobalSw", "", static_cast<int32_t>(0x8000A700), PTYPE_ONOFF, ATYPE_UBF8, 15, 0, 0, 0, 0, 1, 0, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"AutoLocalCtrl", "", static_cast<int32_t>(0x8000A800), PTYPE_ONOFF, ATYPE_UBF8, 16, 0, 0, 1, 0, 1, 1, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"AutoLoadData", "", static_cast<int32_t>(0x8000AA00), PTYPE_ONOFF, ATYPE_UBF8, 17, 0, 0, 0, 0, 1, 0, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"AutoLoadFileName", "", static_cast<int32_t>(0x8000AB00), PTYPE_STRING, ATYPE_STRV256, 18, 0, 7, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"MIDIInName", "", static_cast<int32_t>(0x8000AC00), PTYPE_STRING, ATYPE_STRVZ32, 274, 0, 7, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"MIDIOutName", "", static_cast<int32_t>(0x8000AD00), PTYPE_STRING, ATYPE_STRVZ32, 306, 0, 7, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"PlugInMIDIOut", "", static_cast<int32_t>(0x8000B000), PTYPE_ONOFF, ATYPE_UBF8, 16, 1, 1, 0, 0, 1, 0, 0, FMT_OFFON, nullptr, nullptr, nullptr},
    {"PrgChgToGUI", "", static_cast<int32_t>(0x8000B200), PTYPE_ONOFF, ATYPE_UBF8, 16, 4, 4, 0, 0, 1, 0, 0, FMT_OFFON, nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_SETUP = {TABLE_SETUP, 18};

}  // namespace Oskend
