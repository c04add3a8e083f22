#pragma once
// Writes every parameter row's default value of a table into a data block
// through the row's accessor: how the initial blocks get their contents.
#include <cstddef>
#include <cstdint>

#include "model/paramdesc/SParamDesc.h"

namespace Oskend {

// Rows whose field would not lie wholly inside the block, rows kept in a
// section's own storage or in the program edit section's page-0 block and
// text rows are left alone. Rows that share bits are written in table order,
// so the later row's default is the one that stays.
void ApplyTableDefaults(std::uint8_t* block, std::size_t size, const TABLEDESC& table);

// The value of row `id` of `table` in a block as a section reads it
// (clamped to the row's range); 0 when the table has no such numeric row.
int ReadTableValue(const std::uint8_t* block, const TABLEDESC& table, int id);

}  // namespace Oskend
