#pragma once
// Owned, zero-filled storage for one record (a whole image, a sound copy),
// handed out through the record's views.
#include <vector>

#include "model/ByteView.h"

namespace Oskend {

template <template <class> class Rec>
class RecordBuffer {
 public:
  static constexpr std::size_t kSize = Rec<std::uint8_t>::kSize;

  RecordBuffer() : bytes_(kSize, 0) {}

  Rec<std::uint8_t> view() noexcept { return Rec<std::uint8_t>(bytes_.data()); }
  Rec<const std::uint8_t> view() const noexcept { return Rec<const std::uint8_t>(bytes_.data()); }
  std::uint8_t* data() noexcept { return bytes_.data(); }
  const std::uint8_t* data() const noexcept { return bytes_.data(); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace Oskend
