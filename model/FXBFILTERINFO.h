#pragma once
// What a bank chunk holds: 12 bytes stored as they are at the start of its
// body. The same record, built from the editor settings, tells the reader
// which of the stored parts to take.
#include <array>
#include <cstdint>

namespace Oskend {

struct FXBFILTERINFO {
  static constexpr std::size_t kSize = 12;
  static constexpr std::size_t kCombiCount = 2;   // 0..20
  static constexpr std::size_t kBankMask = 5;     // bit b: bank b; bit 7: all four
  static constexpr std::size_t kAllSelected = 6;  // 0x80 when everything is selected
  static constexpr std::size_t kProgCount = 7;    // programs per stored bank, 0..128
  static constexpr std::size_t kGlobal = 10;      // non-zero: the global block is stored
  static constexpr std::uint8_t kAllBanks = 0x80;
  static constexpr unsigned kMaxCombis = 20;
  static constexpr unsigned kMaxProgs = 128;

  std::array<std::uint8_t, kSize> bytes{};

  unsigned CombiCount() const { return bytes[kCombiCount]; }
  unsigned ProgCount() const { return bytes[kProgCount]; }
  bool HasBank(int bank) const {
    return (bytes[kBankMask] & kAllBanks) != 0 || (bytes[kBankMask] >> bank & 1) != 0;
  }
  bool HasGlobal() const { return bytes[kGlobal] != 0; }

  friend bool operator==(const FXBFILTERINFO&, const FXBFILTERINFO&) = default;
};

}  // namespace Oskend
