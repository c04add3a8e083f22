#include "model/ChunkProgAncesterBase.h"

#include <algorithm>
#include <cstring>

namespace Oskend {

void ProgAncesterLayout::WriteName(std::uint8_t* record, std::string_view name) noexcept {
  if (record == nullptr) return;
  const std::size_t n = std::min(name.size(), kNameSize);
  std::memset(record + kName, ' ', kNameSize);
  std::memcpy(record + kName, name.data(), n);
}

}  // namespace Oskend
