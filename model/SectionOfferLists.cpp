#include "model/SectionOfferLists.h"

namespace Oskend {

const SOfferList* GetFxTypeList(eMode mode, int id) {
  for (const SOfferList& row : TABLE_FXTYPELIST)
    if (row.mode == mode && row.id == id) return &row;
  return nullptr;
}

const SOfferList* GetAMSSRCList(eMode mode, int id) {
  if (mode != eMode_ProgEdit) return nullptr;
  for (const SOfferList& row : TABLE_AMSSRCLIST)
    if (row.id == id) return &row;
  return nullptr;
}

}  // namespace Oskend
