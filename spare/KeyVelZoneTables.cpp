#include "spare/KeyVelZoneRules.h"

namespace KeyVelZoneRules {

const int kKeySlopeWidths[kSlopeCount] = {0, 1, 2, 3, 4, 6, 8, 10, 12, 18, 24, 30, 36, 48, 60, 72};
const int kVelSlopeWidths[kSlopeCount] = {0,  8,  16, 24, 32,  40,  48,  56,
                                          64, 72, 80, 88, 96, 104, 112, 120};

}  // namespace KeyVelZoneRules
