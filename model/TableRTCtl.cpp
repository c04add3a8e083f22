// Front-panel page and knob values.
#include "model/SectionTables.h"
#include "model/SectionTableFormats.h"

namespace Oskend {

constinit const SParamDesc TABLE_RTCTL[] = {
    {"PAGE", "", 0x8000, PTYPE_ENUM, ATYPE_UBF8, 0, 0, 7, 1, 0, 2, 1, 0, "A\nB\nC", nullptr, nullptr, nullptr},
    {"Knob 1", "", 0x8001, PTYPE_CONT, ATYPE_UBF8, 1, 0, 7, 64, 0, 127, 64, 0, "%03.0f,v", nullptr, nullptr, nullptr},
    {"Knob 2", "", 0x8002, PTYPE_CONT, ATYPE_UBF8, 2, 0, 7, 64, 0, 127, 64, 0, "%03.0f,v", nullptr, nullptr, nullptr},
    {"Knob 3", "", 0x8003, PTYPE_CONT, ATYPE_UBF8, 3, 0, 7, 64, 0, 127, 64, 0, "%03.0f,v", nullptr, nullptr, nullptr},
    {"Knob 4", "", 0x8004, PTYPE_CONT, ATYPE_UBF8, 4, 0, 7, 64, 0, 127, 64, 0, "%03.0f,v", nullptr, nullptr, nullptr},
    {"Knob 5", "", 0x8005, PTYPE_CONT, ATYPE_UBF8, 5, 0, 7, 64, 0, 127, 64, 0, "%03.0f,v", nullptr, nullptr, nullptr},
    {"Knob 6", "", 0x8006, PTYPE_CONT, ATYPE_UBF8, 6, 0, 7, 64, 0, 127, 64, 0, "%03.0f,v", nullptr, nullptr, nullptr},
    {"Timbre Group", "", 0x8026, PTYPE_CONT, ATYPE_UBF8, 7, 0, 7, 0, 0, 127, 0, 0, FMT_INT, nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_RTCTL = {TABLE_RTCTL, 8};

}  // namespace Oskend
