#pragma once
// Base of the record views. A view is a typed window of N bytes on storage
// that someone else owns (the data image, a copy buffer, an initial block).
// Fields are read and written at explicit byte offsets, so a record's layout
// never depends on how the compiler would lay out a struct.
//
// Rec<std::uint8_t> is the writable view of a record, Rec<const std::uint8_t>
// the read-only one; a writable view converts to the read-only view of the
// same record, never to another record of the same size.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

namespace Oskend {

template <template <class> class Rec, class Byte, std::size_t N>
class ByteView {
  static_assert(std::is_same_v<std::remove_const_t<Byte>, std::uint8_t>);

 public:
  static constexpr std::size_t kSize = N;
  static constexpr bool kWritable = !std::is_const_v<Byte>;

  ByteView() = default;
  explicit ByteView(Byte* p) noexcept : p_(p) {}
  ByteView(const Rec<std::uint8_t>& other) noexcept requires(!kWritable) : p_(other.data()) {}

  Byte* data() const noexcept { return p_; }
  std::span<Byte, N> bytes() const noexcept { return std::span<Byte, N>(p_, N); }
  explicit operator bool() const noexcept { return p_ != nullptr; }

  // Copies a whole record of the same kind over this one.
  void Assign(Rec<const std::uint8_t> src) const requires kWritable {
    if (p_ != nullptr && src.data() != nullptr) std::memmove(p_, src.data(), N);
  }

 protected:
  // The sub-record at a fixed offset; null when this view is null.
  template <template <class> class Sub, std::size_t Offset>
  Sub<Byte> At() const noexcept {
    static_assert(Offset + Sub<Byte>::kSize <= N, "sub-record outside its record");
    return Sub<Byte>(p_ != nullptr ? p_ + Offset : nullptr);
  }

  // Element `index` of an array of `Count` sub-records of `Stride` bytes
  // from `Offset`; null when the index is outside the array.
  template <template <class> class Sub, std::size_t Offset, std::size_t Stride, std::size_t Count>
  Sub<Byte> AtIndex(long long index) const noexcept {
    static_assert(Sub<Byte>::kSize <= Stride && Offset + Stride * Count <= N,
                  "sub-record array outside its record");
    if (p_ == nullptr || index < 0 || index >= static_cast<long long>(Count)) return Sub<Byte>();
    return Sub<Byte>(p_ + Offset + static_cast<std::size_t>(index) * Stride);
  }

  Byte* p_ = nullptr;
};

}  // namespace Oskend
