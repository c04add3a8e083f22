#pragma once
// Writes every parameter row's default value of a table into a data block
// through the row's accessor: how the initial blocks get their contents.
#include <cstddef>
#include <cstdint>

#include "model/SParamDesc.h"

namespace Oskend {

// Rows whose field would not lie wholly inside the block, rows kept in a
// section's own storage and text rows are left alone.
void ApplyTableDefaults(std::uint8_t* block, std::size_t size, const TABLEDESC& table);

}  // namespace Oskend
