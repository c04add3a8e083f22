#include "model/CDirtyFlagSet.h"

void CDirtyFlagSet::assign(const CDirtyFlagSet& other) { *this = other; }

bool CDirtyFlagSet::isDirty() const {
  return mProgBanks.any() || mCombis.any() || mGlobal || mCurSound;
}
