#include "model/SectionOfferLists.h"

namespace Oskend {

const SOfferList* GetFxTypeList(eMode mode, int id) {
  // The rows name one mode per sound kind; the program's pages ask in
  // program edit (what the synthesizer reports for program mode).
  const int kind = mode == eMode_ProgEdit ? eMode_ProgPlay : mode;
  for (const SOfferList& row : TABLE_FXTYPELIST)
    if (row.mode == kind && row.id == id) return &row;
  return nullptr;
}

const SOfferList* GetAMSSRCList(eMode mode, int id) {
  if (mode != eMode_ProgEdit) return nullptr;
  for (const SOfferList& row : TABLE_AMSSRCLIST)
    if (row.id == id) return &row;
  return nullptr;
}

}  // namespace Oskend
