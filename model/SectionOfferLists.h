#pragma once
// Which choices a browser offers for a parameter: the insert-effect types
// a slot may take, the modulation sources an oscillator parameter may take.
#include "model/SectionTables.h"
#include "model/eMode.h"

namespace Oskend {

// The first row whose mode and id both match; null when none (the caller
// then offers every type).
const SOfferList* GetFxTypeList(eMode mode, int id);
// Null unless mode is 3; else the row of the id.
const SOfferList* GetAMSSRCList(eMode mode, int id);

}  // namespace Oskend
