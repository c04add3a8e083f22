#pragma once
// One row of a parameter description table, and the table descriptor.
// Static tables are constant data in this shape; the accessor, converter and
// data fields are filled only in prepared copies (CParamTable).
#include <cstdint>

class IAccessor;
class IStringConverter;

// Value kind of a row.
enum PTYPE : int32_t {
  PTYPE_NONE = 0,  // text/layout row
  PTYPE_CAPTION = 1,
  PTYPE_TITLE = 2,
  PTYPE_FRAME = 3,
  PTYPE_STRING = 4,
  PTYPE_CONT = 5,
  PTYPE_ENUM = 6,
  PTYPE_ENUMLONG = 7,
  PTYPE_ONOFF = 8,
  PTYPE_CONTRANGE = 9,
  PTYPE_CONT10 = 10,
};

// Accessor kind of a row (the field shape in the data block).
enum ATYPE : int32_t {
  ATYPE_NONE = 0,
  ATYPE_STR16 = 1,
  ATYPE_UBF8 = 2,
  ATYPE_UBF8SF2 = 3,
  ATYPE_UBF8DP = 4,
  ATYPE_UBF8DM = 5,
  ATYPE_CMBSTS = 6,
  ATYPE_SBF8 = 7,
  ATYPE_SBF8C64 = 8,
  ATYPE_SBF8C2 = 9,
  ATYPE_UBF8FXBUS1 = 10,
  ATYPE_UBF8FXBUS2 = 11,
  ATYPE_UBF8FXBUS3 = 12,
  ATYPE_UBF8FOOTSW = 13,
  ATYPE_UBF8FOOTPEDAL = 14,
  ATYPE_UBF8MFX1TYPE = 15,
  ATYPE_UBF8MFX2TYPE = 16,
  ATYPE_UBF16B = 17,
  ATYPE_SBF16B = 18,
  ATYPE_UBF24B = 19,
  ATYPE_UBF32B = 20,
  ATYPE_UBF32BSF4 = 21,
  ATYPE_SBF32B = 22,
  ATYPE_BNKPGM = 23,
  ATYPE_UBF16L = 24,
  ATYPE_SBF16L = 25,
  ATYPE_UBF24L = 26,
  ATYPE_SBF24L = 27,
  ATYPE_STR24 = 30,
  ATYPE_STRVZ32 = 31,
  ATYPE_STRV256 = 32,
};

// Row flag bits.
enum : uint32_t {
  PFLAG_READONLY1 = 0x1,
  PFLAG_READONLY2 = 0x2,
  PFLAG_HIDDEN = 0x4,
  PFLAG_LABELSTYLE7 = 0x80,
  PFLAG_NOTELIST = 0x100,
  PFLAG_NOTELIST_FROM1 = 0x200,  // a typed note number is stored one up
  PFLAG_OWNSTORAGE = 0x10,
  PFLAG_PROGEDITBLOCK = 0x400,
  PFLAG_FXBUS1 = 0x1000,
  PFLAG_FXBUS2 = 0x2000,
  PFLAG_FXBUS3 = 0x4000,
};

struct SParamDesc {
  const char* name;   // " " for unnamed rows; also the preferences key of setup rows
  const char* label;  // unit or caption, often ""
  int32_t id;         // -1: not addressable
  int32_t ptype;      // PTYPE
  int32_t atype;      // ATYPE
  uint32_t offset;    // first byte of the field in its data block
  uint16_t lowBit;
  uint16_t highBit;  // inclusive
  int32_t def;
  int32_t min;
  int32_t max;
  int32_t ref;
  uint32_t flags;
  const char* format;           // display rules or value list, per-variant pieces split by '\f'
  IAccessor* accessor;          // null in static tables
  IStringConverter* converter;  // null in static tables
  void* data;                   // null in static tables
};

struct TABLEDESC {
  const SParamDesc* rows;
  uint32_t count;
};
