#pragma once
// The pages' 4-byte state word per sound kind, kept in the image so that it
// travels with host chunks and files.
#include <cstdint>

namespace Oskend {

struct UISTATEDATA {
  std::uint8_t bytes[4] = {0, 0, 0, 0};
};

}  // namespace Oskend
