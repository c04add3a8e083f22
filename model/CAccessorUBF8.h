#pragma once
// The bit-field accessor family: U/S unsigned or two's complement, 8..32 the
// bytes read, B/L big- or little-endian, suffixes the synthesizer's own
// encodings. One object serves every row with the same field shape.
#include <cstdint>

#include "model/IAccessorI.h"

// Shared mechanics: assemble Bytes bytes in the given order, mask and shift.
template <unsigned Bytes, bool BigEndian>
class CAccessorBitFieldT : public IAccessorI {
 public:
  int Get(const void* block, unsigned offset) const override { return GetRaw(block, offset); }
  int Put(void* block, unsigned offset, int value) const override {
    return PutRaw(block, offset, value);
  }

 protected:
  CAccessorBitFieldT(unsigned low, unsigned high) {
    // Bits outside the 32-bit word do not exist; such a field is empty.
    unsigned top = high < 31 ? high : 31;
    if (low > top) {
      m_mask = 0;
      m_shift = 0;
      m_sign = 0;
    } else {
      unsigned width = top - low + 1;
      m_mask = (width == 32 ? 0xFFFFFFFFu : ((1u << width) - 1u)) << low;
      m_shift = low;
      m_sign = 1u << (top - low);
    }
  }

  static uint32_t Word(const unsigned char* p) {
    uint32_t w = 0;
    for (unsigned i = 0; i < Bytes; ++i)
      w |= uint32_t(p[i]) << (8 * (BigEndian ? Bytes - 1 - i : i));
    return w;
  }

  uint32_t Field(const void* block, unsigned offset) const {
    if (block == nullptr) return 0;
    return (Word(static_cast<const unsigned char*>(block) + offset) & m_mask) >> m_shift;
  }

  // Writes only the field's bits; too large a value loses its high bits.
  void Store(void* block, unsigned offset, uint32_t value) const {
    if (block == nullptr) return;
    unsigned char* p = static_cast<unsigned char*>(block) + offset;
    uint32_t bits = (value << m_shift) & m_mask;
    for (unsigned i = 0; i < Bytes; ++i) {
      unsigned s = 8 * (BigEndian ? Bytes - 1 - i : i);
      unsigned char part = static_cast<unsigned char>(m_mask >> s);
      if (part != 0)
        p[i] = static_cast<unsigned char>((p[i] & ~part) | ((bits >> s) & part));
    }
  }

  int SignExtend(uint32_t field) const { return static_cast<int>((field ^ m_sign) - m_sign); }
  uint32_t TwosComplement(int value) const {
    return (static_cast<uint32_t>(value) + m_sign) ^ m_sign;
  }

  uint32_t m_mask;
  uint32_t m_shift;
  uint32_t m_sign;
};

#define VESK_DECLARE_ACCESSOR(Name, Bytes, Big)                      \
  class Name : public CAccessorBitFieldT<Bytes, Big> {               \
   public:                                                           \
    Name(unsigned low, unsigned high) : CAccessorBitFieldT(low, high) {} \
    int GetRaw(const void* block, unsigned offset) const override;   \
    int PutRaw(void* block, unsigned offset, int value) const override; \
  };

VESK_DECLARE_ACCESSOR(CAccessorUBF8, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF8SF2, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorCMBSTS, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorSBF8, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorSBF8C64, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorSBF8C2, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF8FXBUS1, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF8FXBUS2, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF8FXBUS3, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF8FOOTSW, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF8FOOTPEDAL, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF8MFX1TYPE, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF8MFX2TYPE, 1, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF16B, 2, true)
VESK_DECLARE_ACCESSOR(CAccessorSBF16B, 2, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF24B, 3, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF32B, 4, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF32BSF4, 4, true)
VESK_DECLARE_ACCESSOR(CAccessorSBF32B, 4, true)
VESK_DECLARE_ACCESSOR(CAccessorUBF16L, 2, false)
VESK_DECLARE_ACCESSOR(CAccessorSBF16L, 2, false)
VESK_DECLARE_ACCESSOR(CAccessorUBF24L, 3, false)
VESK_DECLARE_ACCESSOR(CAccessorSBF24L, 3, false)

#undef VESK_DECLARE_ACCESSOR

// Bank and program split into a 7-bit low byte and a high byte; the bit
// range is not used. Put reads the value back through Get.
class CAccessorBNKPGM : public CAccessorBitFieldT<2, false> {
 public:
  CAccessorBNKPGM(unsigned low, unsigned high) : CAccessorBitFieldT(low, high) {}
  int GetRaw(const void* block, unsigned offset) const override;
  int PutRaw(void* block, unsigned offset, int value) const override;
  int Put(void* block, unsigned offset, int value) const override;
};

// A byte that the synthesizer keeps twice, 264 bytes apart: writes go to
// both copies, reads come from the first.
class CAccessorUBF8DP : public CAccessorUBF8 {
 public:
  static constexpr int kDistance = 264;
  CAccessorUBF8DP(unsigned low, unsigned high) : CAccessorUBF8(low, high) {}
  int PutRaw(void* block, unsigned offset, int value) const override;
};

class CAccessorUBF8DM : public CAccessorUBF8 {
 public:
  static constexpr int kDistance = -264;
  CAccessorUBF8DM(unsigned low, unsigned high) : CAccessorUBF8(low, high) {}
  int PutRaw(void* block, unsigned offset, int value) const override;
};
