#include "model/TableDefaults.h"

#include <algorithm>

#include "model/CParamTable.h"
#include "model/IAccessorI.h"

namespace Oskend {
namespace {

// Bytes a numeric field spans from its offset.
std::size_t FieldWidth(int32_t atype) {
  switch (atype) {
    case ATYPE_UBF16B: case ATYPE_SBF16B: case ATYPE_UBF16L: case ATYPE_SBF16L: case ATYPE_BNKPGM:
      return 2;
    case ATYPE_UBF24B: case ATYPE_UBF24L: case ATYPE_SBF24L:
      return 3;
    case ATYPE_UBF32B: case ATYPE_UBF32BSF4: case ATYPE_SBF32B:
      return 4;
    default:
      return 1;
  }
}

bool FieldInside(const SParamDesc& row, std::size_t size) {
  const std::size_t end = static_cast<std::size_t>(row.offset) + FieldWidth(row.atype);
  if (end > size) return false;
  // The doubled fields keep a second copy 264 bytes away.
  if (row.atype == ATYPE_UBF8DP) return end + 264 <= size;
  if (row.atype == ATYPE_UBF8DM) return row.offset >= 264;
  return true;
}

}  // namespace

void ApplyTableDefaults(std::uint8_t* block, std::size_t size, const TABLEDESC& table) {
  if (block == nullptr) return;
  const CParamTable* prepared = CParamTable::GetInstance(table, 0);
  for (const SParamDesc& row : prepared->Rows()) {
    if (row.ptype == PTYPE_STRING || (row.flags & (PFLAG_OWNSTORAGE | PFLAG_PROGEDITBLOCK)))
      continue;
    const auto* acc = dynamic_cast<const IAccessorI*>(row.accessor);
    if (acc == nullptr || !FieldInside(row, size)) continue;
    // Rows that share bits are written in table order: the later one wins.
    acc->PutRaw(block, row.offset, row.def);
  }
}

int ReadTableValue(const std::uint8_t* block, const TABLEDESC& table, int id) {
  const CParamTable* prepared = CParamTable::GetInstance(table, 0);
  int32_t index = prepared->FindIndex(id);
  const SParamDesc* row = index >= 0 ? prepared->GetRow(static_cast<uint32_t>(index)) : nullptr;
  const auto* acc = row != nullptr ? dynamic_cast<const IAccessorI*>(row->accessor) : nullptr;
  if (acc == nullptr || block == nullptr) return 0;
  return std::clamp(acc->Get(block, row->offset), row->min, row->max);
}

}  // namespace Oskend
