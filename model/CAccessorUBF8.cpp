#include "model/CAccessorUBF8.h"

int CAccessorUBF8::GetRaw(const void* b, unsigned o) const { return static_cast<int>(Field(b, o)); }
int CAccessorUBF8::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, static_cast<uint32_t>(v));
  return GetRaw(b, o);
}

int CAccessorUBF8SF2::GetRaw(const void* b, unsigned o) const {
  return static_cast<int>(Field(b, o) >> 2) + 1;
}
int CAccessorUBF8SF2::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, (static_cast<uint32_t>(v) - 1u) << 2);
  return GetRaw(b, o);
}

// Program status: 0, 1, 2, 3 are stored as 0, 1, 3, 4.
int CAccessorCMBSTS::GetRaw(const void* b, unsigned o) const {
  uint32_t f = Field(b, o);
  return static_cast<int>(f >= 3 ? f - 1 : f);
}
int CAccessorCMBSTS::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, static_cast<uint32_t>(v > 1 ? v + 1 : v));
  return GetRaw(b, o);
}

int CAccessorSBF8::GetRaw(const void* b, unsigned o) const { return SignExtend(Field(b, o)); }
int CAccessorSBF8::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, TwosComplement(v));
  return GetRaw(b, o);
}

int CAccessorSBF8C64::GetRaw(const void* b, unsigned o) const {
  return static_cast<int>(Field(b, o)) - 64;
}
int CAccessorSBF8C64::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, static_cast<uint32_t>(v) + 64u);
  return GetRaw(b, o);
}

int CAccessorSBF8C2::GetRaw(const void* b, unsigned o) const {
  return static_cast<int>(Field(b, o)) - 2;
}
int CAccessorSBF8C2::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, static_cast<uint32_t>(v) + 2u);
  return GetRaw(b, o);
}

// Effect bus routings: the synthesizer stores "off" and the busses at the
// top of its range with codes beyond the editor's list.
int CAccessorUBF8FXBUS1::GetRaw(const void* b, unsigned o) const {
  return Field(b, o) != 0 ? 1 : 0;
}
int CAccessorUBF8FXBUS1::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, v != 0 ? 7u : 0u);
  return GetRaw(b, o);
}

int CAccessorUBF8FXBUS2::GetRaw(const void* b, unsigned o) const {
  uint32_t f = Field(b, o);
  return static_cast<int>(f < 7 ? f : 6);
}
int CAccessorUBF8FXBUS2::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, v <= 5 ? static_cast<uint32_t>(v) : 12u);
  return GetRaw(b, o);
}

int CAccessorUBF8FXBUS3::GetRaw(const void* b, unsigned o) const {
  uint32_t f = Field(b, o);
  return static_cast<int>(f < 8 ? f : 7);
}
int CAccessorUBF8FXBUS3::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, v <= 6 ? static_cast<uint32_t>(v) : 13u);
  return GetRaw(b, o);
}

// Foot switch assignments: the stored codes have gaps that the list closes.
int CAccessorUBF8FOOTSW::GetRaw(const void* b, unsigned o) const {
  uint32_t f = Field(b, o);
  if (f <= 14) return static_cast<int>(f);
  if (f == 17) return 15;
  if (f >= 20 && f <= 37) return static_cast<int>(f) - 4;
  if (f >= 50 && f <= 53) return static_cast<int>(f) - 16;
  return 0;
}
int CAccessorUBF8FOOTSW::PutRaw(void* b, unsigned o, int v) const {
  uint32_t raw;
  if (v <= 14) raw = static_cast<uint32_t>(v);
  else if (v == 15) raw = 17;
  else if (v <= 33) raw = static_cast<uint32_t>(v) + 4u;
  else raw = static_cast<uint32_t>(v) + 16u;
  Store(b, o, raw);
  return GetRaw(b, o);
}

int CAccessorUBF8FOOTPEDAL::GetRaw(const void* b, unsigned o) const {
  uint32_t f = Field(b, o);
  return static_cast<int>(f < 28 ? f : 0);
}
int CAccessorUBF8FOOTPEDAL::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, static_cast<uint32_t>(v));
  return GetRaw(b, o);
}

// Master effect types continue the insert effect numbering.
int CAccessorUBF8MFX1TYPE::GetRaw(const void* b, unsigned o) const {
  uint32_t f = Field(b, o);
  return f >= 1 ? static_cast<int>(f) - 134 : static_cast<int>(f);
}
int CAccessorUBF8MFX1TYPE::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, v > 0 ? static_cast<uint32_t>(v) + 134u : static_cast<uint32_t>(v));
  return GetRaw(b, o);
}

int CAccessorUBF8MFX2TYPE::GetRaw(const void* b, unsigned o) const {
  uint32_t f = Field(b, o);
  return f >= 1 ? static_cast<int>(f) - 138 : static_cast<int>(f);
}
int CAccessorUBF8MFX2TYPE::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, v > 0 ? static_cast<uint32_t>(v) + 138u : static_cast<uint32_t>(v));
  return GetRaw(b, o);
}

#define VESK_PLAIN_ACCESSOR(Name)                                              \
  int Name::GetRaw(const void* b, unsigned o) const { return static_cast<int>(Field(b, o)); } \
  int Name::PutRaw(void* b, unsigned o, int v) const {                         \
    Store(b, o, static_cast<uint32_t>(v));                                     \
    return GetRaw(b, o);                                                       \
  }
#define VESK_SIGNED_ACCESSOR(Name)                                             \
  int Name::GetRaw(const void* b, unsigned o) const { return SignExtend(Field(b, o)); } \
  int Name::PutRaw(void* b, unsigned o, int v) const {                         \
    Store(b, o, TwosComplement(v));                                            \
    return GetRaw(b, o);                                                       \
  }

VESK_PLAIN_ACCESSOR(CAccessorUBF16B)
VESK_PLAIN_ACCESSOR(CAccessorUBF24B)
VESK_PLAIN_ACCESSOR(CAccessorUBF32B)
VESK_PLAIN_ACCESSOR(CAccessorUBF16L)
VESK_PLAIN_ACCESSOR(CAccessorUBF24L)
VESK_SIGNED_ACCESSOR(CAccessorSBF16B)
VESK_SIGNED_ACCESSOR(CAccessorSBF32B)
VESK_SIGNED_ACCESSOR(CAccessorSBF16L)
VESK_SIGNED_ACCESSOR(CAccessorSBF24L)

#undef VESK_PLAIN_ACCESSOR
#undef VESK_SIGNED_ACCESSOR

int CAccessorUBF32BSF4::GetRaw(const void* b, unsigned o) const {
  return static_cast<int>(Field(b, o) >> 4);
}
int CAccessorUBF32BSF4::PutRaw(void* b, unsigned o, int v) const {
  Store(b, o, static_cast<uint32_t>(v) << 4);
  return GetRaw(b, o);
}

int CAccessorBNKPGM::GetRaw(const void* b, unsigned o) const {
  if (b == nullptr) return 0;
  const unsigned char* p = static_cast<const unsigned char*>(b) + o;
  return (p[1] << 7) | (p[0] & 0x7F);
}
int CAccessorBNKPGM::PutRaw(void* b, unsigned o, int v) const {
  if (b != nullptr) {
    unsigned char* p = static_cast<unsigned char*>(b) + o;
    p[0] = static_cast<unsigned char>(v & 0x7F);
    p[1] = static_cast<unsigned char>((v >> 7) & 0xFF);
  }
  return GetRaw(b, o);
}
int CAccessorBNKPGM::Put(void* b, unsigned o, int v) const {
  PutRaw(b, o, v);
  return Get(b, o);
}

int CAccessorUBF8DP::PutRaw(void* b, unsigned o, int v) const {
  int r = CAccessorUBF8::PutRaw(b, o, v);
  Store(b, o + kDistance, static_cast<uint32_t>(v));
  return r;
}

int CAccessorUBF8DM::PutRaw(void* b, unsigned o, int v) const {
  int r = CAccessorUBF8::PutRaw(b, o, v);
  // The second copy lies before the field; an offset without room for it
  // would wrap around to far outside the block, so that copy is skipped.
  if (o >= static_cast<unsigned>(-kDistance)) Store(b, o + kDistance, static_cast<uint32_t>(v));
  return r;
}
