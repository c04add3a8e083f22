#include "host/TalvikControllerMessages.h"

namespace TalvikController {

const bool ExclusiveInit_PadEnable[16] = {};
const uint8_t ExclusiveInit_PadChannel[16] = {};
const uint8_t ExclusiveInit_PadNoteNumber[16] = {};
const bool ExclusiveInit_LEDPADState[16] = {};
const uint8_t ExclusiveInit_LCDBacklitCondition[8] = {2, 2, 2, 2, 2, 2, 2, 2};
const uint8_t ExclusiveInit_LCDText[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};

}  // namespace TalvikController
