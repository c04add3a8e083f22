// Program play: the name of the program in the edit buffer.
#include "model/SectionTables.h"
#include "model/SectionTableFormats.h"

namespace Oskend {

constinit const SParamDesc TABLE_PROGPLAY[] = {
    {"Name", "", static_cast<int32_t>(0xFFFF0000), PTYPE_STRING, ATYPE_STR24, 0, 0, 7, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
};
constinit const TABLEDESC TABLEDESC_PROGPLAY = {TABLE_PROGPLAY, 1};

}  // namespace Oskend
