// Consistency of the sections' parameter tables: counts, places inside the
// blocks, ids, row conventions and display formats, and that every id the
// editor pages link resolves to a row.
#include <gtest/gtest.h>

#include "model/mathutl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/SectionTables.h"

namespace {

using namespace Oskend;

struct TableCase {
  const char* name;
  const TABLEDESC* desc;
  uint32_t count;
  uint32_t blockSize;  // 0: the section has no data block
};

// Page-0 values of the program edit section live in its own 43-byte block.
constexpr uint32_t kProgPage0BlockSize = 43;
// A category-name slot of the global section.
constexpr uint32_t kCategorySlotSize = 24;

const TableCase kTables[] = {
    {"AUTOMATION", &TABLEDESC_AUTOMATION, 71, 0},
    {"COMBIPLAY", &TABLEDESC_COMBIPLAY, 110, 1332},
    {"COMBIPLAYTRK", &TABLEDESC_COMBIPLAYTRK, 41, 44},
    {"PROGEDITPCM", &TABLEDESC_PROGEDITPCM, 677, 852},
    {"PROGEDIT", &TABLEDESC_PROGEDIT, 111, 1472},
    {"PROGPLAY", &TABLEDESC_PROGPLAY, 1, 1472},
    {"GLOBAL", &TABLEDESC_GLOBAL, 287, 1736},
    {"SETUP", &TABLEDESC_SETUP, 18, 404},
    {"RTCTL", &TABLEDESC_RTCTL, 8, 17},
};

std::string Where(const TableCase& t, uint32_t i) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%s row %u id 0x%X", t.name, i,
                static_cast<unsigned>(t.desc->rows[i].id));
  return buf;
}

bool IsNumeric(int32_t ptype) { return ptype >= PTYPE_CONT && ptype <= PTYPE_CONT10; }
bool IsEnum(int32_t ptype) {
  return ptype == PTYPE_ENUM || ptype == PTYPE_ENUMLONG || ptype == PTYPE_ONOFF;
}

// Bytes a field of this accessor kind occupies from its offset.
uint32_t FieldBytes(int32_t atype) {
  switch (atype) {
    case ATYPE_STR16:
      return 16;
    case ATYPE_STR24:
      return 24;
    case ATYPE_STRVZ32:
      return 32;
    case ATYPE_STRV256:
      return 256;
    case ATYPE_UBF16B:
    case ATYPE_SBF16B:
    case ATYPE_BNKPGM:
    case ATYPE_UBF16L:
    case ATYPE_SBF16L:
      return 2;
    case ATYPE_UBF24B:
    case ATYPE_UBF24L:
    case ATYPE_SBF24L:
      return 3;
    case ATYPE_UBF32B:
    case ATYPE_UBF32BSF4:
    case ATYPE_SBF32B:
      return 4;
    default:
      return 1;
  }
}

std::vector<std::string> Split(const char* text, char sep) {
  return mathutl::breakstring(text, sep);
}

// Checks one value list; returns the number of entries.
int CheckValueList(const std::string& where, const char* format) {
  const auto lines = Split(format, '\n');
  long prev = -1;
  bool first = true;
  for (const auto& line : lines) {
    long raw = first ? 0 : prev + 1;
    std::string name = line;
    if (const auto tab = line.find('\t'); tab != std::string::npos) {
      char* end = nullptr;
      raw = std::strtol(line.c_str(), &end, 0);
      EXPECT_EQ(end, line.c_str() + tab) << where << ": raw value of \"" << line << "\"";
      name = line.substr(tab + 1);
    }
    EXPECT_FALSE(name.empty() || name[0] == '|') << where << ": unnamed entry";
    EXPECT_TRUE(first || raw > prev) << where << ": raw values not rising at \"" << line << "\"";
    prev = raw;
    first = false;
  }
  return static_cast<int>(lines.size());
}

// Checks the range rules of a numeric row and that they cover [min, max] and no more.
void CheckRangeRules(const std::string& where, const SParamDesc& r) {
  ASSERT_LE(r.min, r.max) << where;
  EXPECT_GE(r.def, r.min) << where << ": default below range";
  EXPECT_LE(r.def, r.max) << where << ": default above range";
  std::vector<bool> covered(static_cast<size_t>(r.max - r.min + 1), false);
  const auto lines = Split(r.format, '\n');
  EXPECT_FALSE(lines.empty()) << where << ": no display rule";
  for (const auto& line : lines) {
    const auto pieces = Split(line.c_str(), '\t');
    ASSERT_TRUE(!pieces.empty() && pieces.size() <= 3) << where << ": rule \"" << line << "\"";
    int lo = r.min, hi = r.max;
    if (pieces.size() >= 2) {
      const int n = std::sscanf(pieces[0].c_str(), "%i~%i", &lo, &hi);
      ASSERT_GE(n, 1) << where << ": raw range of \"" << line << "\"";
      if (n == 1) hi = lo;
      EXPECT_LE(lo, hi) << where << ": raw range of \"" << line << "\"";
      EXPECT_GE(lo, r.min) << where << ": rule widens the range: \"" << line << "\"";
      EXPECT_LE(hi, r.max) << where << ": rule widens the range: \"" << line << "\"";
    }
    if (pieces.size() == 3) {
      float a = 0, b = 0;
      EXPECT_GE(std::sscanf(pieces[1].c_str(), "%f~%f", &a, &b), 1) << where << ": shown range";
    }
    const auto f = Split(pieces.back().c_str(), ',');
    ASSERT_FALSE(f.empty()) << where;
    const auto percents = std::count(f[0].begin(), f[0].end(), '%');
    EXPECT_LE(percents, 1) << where << ": \"" << f[0] << "\"";
    if (percents == 1) {
      EXPECT_NE(f[0].find_first_of("f", f[0].find('%')), std::string::npos) << where;
      EXPECT_EQ(f.size(), 2u) << where << ": a number format needs one expression";
    }
    for (int v = std::max(lo, r.min); v <= std::min(hi, r.max); ++v) covered[v - r.min] = true;
  }
  for (size_t i = 0; i < covered.size(); ++i) {
    if (!covered[i]) {
      ADD_FAILURE() << where << ": value " << r.min + static_cast<int>(i) << " has no rule";
      break;
    }
  }
}

TEST(SectionTables, RowCountsAsStated) {
  for (const auto& t : kTables) {
    EXPECT_EQ(t.desc->count, t.count) << t.name;
    EXPECT_NE(t.desc->rows, nullptr) << t.name;
  }
}

TEST(SectionTables, FieldsLieInsideTheirBlock) {
  for (const auto& t : kTables) {
    for (uint32_t i = 0; i < t.desc->count; ++i) {
      const SParamDesc& r = t.desc->rows[i];
      if (r.ptype == PTYPE_NONE) continue;
      const std::string where = Where(t, i);
      const uint32_t bytes = FieldBytes(r.atype);
      EXPECT_LE(r.lowBit, r.highBit) << where;
      if (r.ptype != PTYPE_STRING) {
        EXPECT_LT(r.highBit, bytes * 8) << where << ": bits beyond the field";
      }
      uint32_t size = t.blockSize;
      if (r.flags & PFLAG_OWNSTORAGE) {
        EXPECT_EQ(r.offset, 0u) << where << ": own storage starts at 0";
        size = r.ptype == PTYPE_STRING ? kCategorySlotSize : 4;
      } else if (r.flags & PFLAG_PROGEDITBLOCK) {
        size = kProgPage0BlockSize;
      }
      if (size == 0) continue;  // no data block: values are forwarded elsewhere
      EXPECT_LE(r.offset + bytes, size) << where << ": field ends past the block";
      if (r.atype == ATYPE_UBF8DP) {
        EXPECT_LT(r.offset + 264, size) << where << ": second copy";
      }
      if (r.atype == ATYPE_UBF8DM) {
        EXPECT_GE(r.offset, 264u) << where << ": second copy";
      }
    }
  }
}

// Bit positions (byte x 8 + bit) a row writes in its block, the second copy
// of the doubled kinds included; base is added to every offset.
std::vector<uint32_t> FieldBits(const SParamDesc& r, uint32_t base) {
  const uint32_t bytes = FieldBytes(r.atype);
  std::vector<uint32_t> bits;
  const auto addCopy = [&](uint32_t offset) {
    if (r.ptype == PTYPE_STRING || r.atype == ATYPE_BNKPGM) {
      for (uint32_t b = 0; b < bytes * 8; ++b) bits.push_back(offset * 8 + b);
    } else {
      // Value bit v of a wider field: little-endian kinds count bytes up
      // from the offset, big-endian kinds down from the last byte.
      const bool little = r.atype >= ATYPE_UBF16L && r.atype <= ATYPE_SBF24L;
      for (uint32_t v = r.lowBit; v <= r.highBit; ++v) {
        const uint32_t byte = little ? v / 8 : bytes - 1 - v / 8;
        bits.push_back((offset + byte) * 8 + v % 8);
      }
    }
  };
  addCopy(base + r.offset);
  if (r.atype == ATYPE_UBF8DP) addCopy(base + r.offset + 264);
  if (r.atype == ATYPE_UBF8DM) addCopy(base + r.offset - 264);
  return bits;
}

// Which rows of a table may share bits of the block: the values the
// combination keeps for its timbres are the insert effects' pans and the
// send pairs of timbres k and k + 6; its bus select spans the whole byte
// that also holds the control bus; the last four all-notes scale bytes lie
// under the first sub-category name.
bool MaySharePlace(const TableCase& t, int32_t a, int32_t b) {
  if (a > b) std::swap(a, b);
  const auto in = [](int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; };
  if (std::strcmp(t.name, "COMBIPLAY") == 0) {
    const int ia = a & 0xFF, ib = b & 0xFF;
    if (ia == ib && (ia == 0x36 || ia == 0x37)) return true;  // timbres k and k + 6
    if (in(a, 0x0245, 0x0745) && in(b, 0x120A, 0x120E)) return true;
    if (in(a, 0x120F, 0x1213) && in(b, 0x121E, 0x1222)) return b - a == 0x0F;
    return false;
  }
  if (std::strcmp(t.name, "GLOBAL") == 0) {
    return in(a, static_cast<int32_t>(0x81000180), static_cast<int32_t>(0x81000183)) &&
           b == static_cast<int32_t>(0x90000020);
  }
  return false;
}

TEST(SectionTables, RowsDoNotShareBitsUnlessTheyStandForOneValue) {
  for (const auto& t : kTables) {
    if (t.blockSize == 0) continue;
    // Owner row index of every bit of the image block; the section's own
    // storage is not part of it.
    std::vector<int> owner(static_cast<size_t>(t.blockSize) * 8, -1);
    for (uint32_t i = 0; i < t.desc->count; ++i) {
      const SParamDesc& r = t.desc->rows[i];
      if (r.ptype == PTYPE_NONE || (r.flags & (PFLAG_OWNSTORAGE | PFLAG_PROGEDITBLOCK))) continue;
      const std::vector<uint32_t> bits = FieldBits(r, 0);
      for (const uint32_t bit : bits) {
        if (bit >= owner.size()) continue;  // reported by the extent test
        const int other = owner[bit];
        if (other >= 0 && !MaySharePlace(t, t.desc->rows[other].id, r.id)) {
          ADD_FAILURE() << Where(t, i) << " shares byte " << bit / 8 << " bit " << bit % 8
                        << " with " << Where(t, static_cast<uint32_t>(other));
          break;
        }
        owner[bit] = static_cast<int>(i);
      }
    }
  }
}

TEST(SectionTables, IdsAreUniquePerTable) {
  for (const auto& t : kTables) {
    std::set<int32_t> seen;
    for (uint32_t i = 0; i < t.desc->count; ++i) {
      const SParamDesc& r = t.desc->rows[i];
      if (r.ptype == PTYPE_NONE || r.id == -1) continue;
      EXPECT_TRUE(seen.insert(r.id).second) << Where(t, i) << ": id used twice";
    }
  }
}

TEST(SectionTables, RowConventions) {
  for (const auto& t : kTables) {
    for (uint32_t i = 0; i < t.desc->count; ++i) {
      const SParamDesc& r = t.desc->rows[i];
      const std::string where = Where(t, i);
      ASSERT_NE(r.name, nullptr) << where;
      ASSERT_NE(r.label, nullptr) << where;
      ASSERT_NE(r.format, nullptr) << where;
      EXPECT_GT(std::strlen(r.name), 0u) << where << ": unnamed rows hold one space";
      EXPECT_EQ(r.accessor, nullptr) << where;
      EXPECT_EQ(r.converter, nullptr) << where;
      EXPECT_EQ(r.data, nullptr) << where;
      EXPECT_EQ(r.ref, r.def) << where << ": reference starts as the default";
      if (r.ptype == PTYPE_NONE) {
        EXPECT_EQ(r.atype, ATYPE_NONE) << where;
        EXPECT_TRUE(r.id == 0 || r.id == -1) << where;
        EXPECT_STREQ(r.format, "") << where;
        continue;
      }
      EXPECT_TRUE(r.ptype == PTYPE_STRING || IsNumeric(r.ptype) || IsEnum(r.ptype)) << where;
      if (r.ptype == PTYPE_STRING) {
        EXPECT_TRUE(r.atype == ATYPE_STR16 || r.atype == ATYPE_STR24 || r.atype == ATYPE_STRVZ32 ||
                    r.atype == ATYPE_STRV256)
            << where;
        EXPECT_STREQ(r.format, "") << where;
      } else {
        EXPECT_TRUE(r.atype >= ATYPE_UBF8 && r.atype <= ATYPE_SBF24L) << where;
        if (IsEnum(r.ptype)) {
          EXPECT_NE(r.atype, ATYPE_UBF24B) << where << ": no enumeration accessor";
          EXPECT_NE(r.atype, ATYPE_BNKPGM) << where << ": no enumeration accessor";
        }
      }
      // The send encodings are chosen by the whole flags word and match the accessor.
      static constexpr struct {
        uint32_t flags;
        int32_t atype;
      } kEncodings[] = {{PFLAG_FXBUS1, ATYPE_UBF8FXBUS1},
                        {PFLAG_FXBUS2, ATYPE_UBF8FXBUS2},
                        {PFLAG_FXBUS3, ATYPE_UBF8FXBUS3}};
      for (const auto& e : kEncodings) {
        EXPECT_EQ(r.flags == e.flags, r.atype == e.atype) << where << ": send encoding";
      }
      if (r.flags & PFLAG_NOTELIST) {
        EXPECT_TRUE(IsNumeric(r.ptype)) << where << ": note values are note numbers";
        EXPECT_NE(std::strstr(r.format, "\tC#"), nullptr) << where << ": note names";
      }
    }
  }
}

TEST(SectionTables, DisplayFormatsAreWellFormed) {
  for (const auto& t : kTables) {
    for (uint32_t i = 0; i < t.desc->count; ++i) {
      const SParamDesc& r = t.desc->rows[i];
      const std::string where = Where(t, i);
      if (std::strchr(r.format, '\f') != nullptr) {
        ADD_FAILURE() << where << ": section formats apply to every variant";
      }
      if (IsEnum(r.ptype)) {
        const int n = CheckValueList(where, r.format);
        EXPECT_EQ(r.min, 0) << where;
        EXPECT_EQ(r.max, n - 1) << where << ": range against the " << n << " entries";
        EXPECT_GE(r.def, 0) << where;
        EXPECT_LT(r.def, n) << where;
        if (r.ptype == PTYPE_ONOFF) {
          EXPECT_EQ(n, 2) << where;
        }
      } else if (IsNumeric(r.ptype)) {
        CheckRangeRules(where, r);
      }
    }
  }
}

// The automation rows name host parameters; the plug-in shows their names as
// they stand, padded to 16 characters.
TEST(SectionTables, AutomationRowsForwardToTheCombination) {
  const auto find = [](const TABLEDESC& d, int32_t id) {
    for (uint32_t i = 0; i < d.count; ++i)
      if (d.rows[i].id == id && d.rows[i].ptype != PTYPE_NONE) return &d.rows[i];
    return static_cast<const SParamDesc*>(nullptr);
  };
  for (uint32_t i = 0; i < TABLEDESC_AUTOMATION.count; ++i) {
    const SParamDesc& r = TABLEDESC_AUTOMATION.rows[i];
    const size_t len = std::strlen(r.name);
    EXPECT_TRUE(len == 16 || (len == 17 && std::strncmp(r.name, "Strings Cutoff", 14) == 0))
        << r.name;
    EXPECT_EQ(r.ptype, PTYPE_CONT) << r.name;
    EXPECT_EQ(r.flags, 0u) << r.name;
    const int page = (r.id >> 8) & 0xFF;
    if (page >= 0x02 && page <= 0x11) {
      const SParamDesc* row = find(TABLEDESC_COMBIPLAYTRK, r.id & 0xFF);
      ASSERT_NE(row, nullptr) << r.name;
      EXPECT_EQ(row->min, r.min) << r.name;
      EXPECT_EQ(row->max, r.max) << r.name;
    } else if (page != 0x19 && page != 0x1A && page != 0x1C) {  // effect blocks
      const SParamDesc* row = find(TABLEDESC_COMBIPLAY, r.id);
      ASSERT_NE(row, nullptr) << r.name;
      EXPECT_EQ(row->max, r.max) << r.name;
    }
  }
  EXPECT_STREQ(TABLEDESC_AUTOMATION.rows[60].name, "MFX1 Type       ");
}

}  // namespace

namespace {

// The oscillator section covers the program from byte 620 on, where the
// program edit section keeps a few common settings too: no bit is claimed twice.
TEST(SectionTables, ProgramAndOscillatorTablesShareNoBits) {
  constexpr uint32_t kOscBase = 620;
  std::set<uint32_t> osc;
  for (uint32_t i = 0; i < TABLEDESC_PROGEDITPCM.count; ++i) {
    const SParamDesc& r = TABLEDESC_PROGEDITPCM.rows[i];
    if (r.ptype == PTYPE_NONE) continue;
    for (const uint32_t bit : FieldBits(r, kOscBase)) osc.insert(bit);
  }
  for (uint32_t i = 0; i < TABLEDESC_PROGEDIT.count; ++i) {
    const SParamDesc& r = TABLEDESC_PROGEDIT.rows[i];
    if (r.ptype == PTYPE_NONE || (r.flags & (PFLAG_OWNSTORAGE | PFLAG_PROGEDITBLOCK))) continue;
    for (const uint32_t bit : FieldBits(r, 0)) {
      EXPECT_EQ(osc.count(bit), 0u)
          << std::hex << "0x" << r.id << std::dec << " byte " << bit / 8 << " bit " << bit % 8;
    }
  }
}

}  // namespace
