// Structural checks over every effect type table: counts, layout conventions,
// bit fields inside the 64-byte block, and the shape of the display formats.
#include <gtest/gtest.h>

#include "model/CParamTable.h"
#include "model/mathutl.h"
#include "model/IStringConverter.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fxcatalog/FxDisplayRules.h"
#include "fxcatalog/FxTypeTables.h"
#include "tests/fxcatalog/FxCatalogCases.h"

namespace {

using fxtest::IsParamRow;
using fxtest::kTables;
using fxtest::TableCase;

std::vector<std::string> SplitLines(const char* text) {
  return mathutl::breakstring(text, '\n');
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return out;
    start = tab + 1;
  }
}

bool ParseInt(const std::string& s, long* value) {
  if (s.empty()) return false;
  char* end = nullptr;
  *value = std::strtol(s.c_str(), &end, 0);
  return *end == '\0';
}

// "n" or "a~b" with integers.
bool ParseRawRange(const std::string& s, long* lo, long* hi) {
  size_t tilde = s.find('~', 1);
  if (tilde == std::string::npos) return ParseInt(s, lo) && ParseInt(s, hi);
  return ParseInt(s.substr(0, tilde), lo) && ParseInt(s.substr(tilde + 1), hi) && *lo <= *hi;
}

// "x" or "x~y" with decimal numbers (the shown range of a rule).
bool IsShownRange(const std::string& s) {
  size_t tilde = s.find('~', 1);
  auto isNumber = [](const std::string& n) {
    if (n.empty()) return false;
    char* end = nullptr;
    std::strtod(n.c_str(), &end);
    return *end == '\0';
  };
  if (tilde == std::string::npos) return isNumber(s);
  return isNumber(s.substr(0, tilde)) && isNumber(s.substr(tilde + 1));
}

// A printf format followed by one expression per conversion: "%.0f:%.0f,v,(100-v)".
bool IsFormatWithExpressions(const std::string& s) {
  size_t comma = s.find(',');
  if (comma == std::string::npos) return false;
  std::string fmt = s.substr(0, comma);
  int conversions = 0;
  for (size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != '%') continue;
    if (i + 1 < fmt.size() && fmt[i + 1] == '%') {
      ++i;
      continue;
    }
    ++conversions;
  }
  int expressions = 0;
  size_t start = comma + 1;
  for (;;) {
    size_t next = s.find(',', start);
    if (s.substr(start, next - start).empty()) return false;
    ++expressions;
    if (next == std::string::npos) break;
    start = next + 1;
  }
  return conversions > 0 && conversions == expressions;
}

// Continuous rows: a lone format, or rule lines "raw TAB text",
// "raw range TAB format" or "raw range TAB shown range TAB format".
void CheckContinuousFormat(const SParamDesc& row) {
  std::vector<std::string> lines = SplitLines(row.format);
  ASSERT_FALSE(lines.empty());
  if (lines.size() == 1 && lines[0].find('\t') == std::string::npos) {
    EXPECT_TRUE(IsFormatWithExpressions(lines[0])) << lines[0];
    return;
  }
  for (const std::string& line : lines) {
    std::vector<std::string> f = SplitTabs(line);
    long lo = 0, hi = 0;
    ASSERT_GE(f.size(), 2u) << line;
    ASSERT_LE(f.size(), 3u) << line;
    EXPECT_TRUE(ParseRawRange(f[0], &lo, &hi)) << line;
    if (f.size() == 3) {
      EXPECT_TRUE(IsShownRange(f[1])) << line;
      EXPECT_TRUE(IsFormatWithExpressions(f[2])) << line;
    } else if (f[1].find('%') != std::string::npos) {
      EXPECT_TRUE(IsFormatWithExpressions(f[1])) << line;
    } else {
      EXPECT_FALSE(f[1].empty()) << line;
    }
  }
}

struct EnumTally {
  int wholeList = 0;    // min and max both 0
  int fullRange = 0;    // range names the first and last entry
  int partRange = 0;    // range names a part of the list
};

// Enumerated rows: one entry per line, "value TAB text" or the text alone
// (one more than the entry before, the first 0); a range names entry values.
void CheckEnumFormat(const SParamDesc& row, EnumTally* tally) {
  std::vector<std::string> lines = SplitLines(row.format);
  ASSERT_GE(lines.size(), 2u);
  std::vector<long> values;
  long next = 0;
  for (const std::string& line : lines) {
    std::vector<std::string> f = SplitTabs(line);
    ASSERT_LE(f.size(), 2u) << line;
    long v = next;
    if (f.size() == 2) {
      ASSERT_TRUE(ParseInt(f[0], &v)) << line;
    }
    EXPECT_FALSE(f.back().empty()) << line;
    values.push_back(v);
    next = v + 1;
  }
  if (row.ptype == PTYPE_ONOFF) {
    EXPECT_STREQ(row.format, "Off\nOn");
  }
  if (row.min == 0 && row.max == 0) {
    ++tally->wholeList;
    return;
  }
  std::set<long> known(values.begin(), values.end());
  EXPECT_TRUE(known.count(row.min)) << row.min;
  EXPECT_TRUE(known.count(row.max)) << row.max;
  EXPECT_LT(row.min, row.max);
  if (row.min == values.front() && row.max == values.back())
    ++tally->fullRange;
  else
    ++tally->partRange;
}

int FieldBytes(int32_t atype) {
  switch (atype) {
    case ATYPE_UBF8:
    case ATYPE_SBF8:
      return 1;
    case ATYPE_UBF16L:
    case ATYPE_SBF16L:
      return 2;
    case ATYPE_UBF24L:
    case ATYPE_SBF24L:
      return 3;
    default:
      return 0;
  }
}

bool IsOneOf(const char* key, std::initializer_list<const char*> keys) {
  for (const char* k : keys)
    if (std::strcmp(k, key) == 0) return true;
  return false;
}

bool IsMfx1(const char* key) {
  return IsOneOf(key, {"mfx1chorus", "mfx1flanger", "mfx1classicchoflg", "mfx1phaser"});
}

bool IsInsertEffect(const char* key) {
  return !IsMfx1(key) && std::strcmp(key, "nofx") != 0 && std::strcmp(key, "tfxeq") != 0 &&
         std::strncmp(key, "mfx2", 4) != 0;
}

struct Field {
  int byte, lo, hi, atype, min, max;
};

void ExpectField(const SParamDesc& row, const char* name, const Field& f, const char* format) {
  SCOPED_TRACE(name);
  EXPECT_STREQ(row.name, name);
  EXPECT_EQ(row.offset, static_cast<uint32_t>(f.byte));
  EXPECT_EQ(row.lowBit, f.lo);
  EXPECT_EQ(row.highBit, f.hi);
  EXPECT_EQ(row.atype, f.atype);
  if (f.min != f.max) {
    EXPECT_EQ(row.min, f.min);
    EXPECT_EQ(row.max, f.max);
  }
  EXPECT_STREQ(row.format, format);
}

// The dry/wet balance and dynamic modulation that end every insert effect.
void CheckLastThree(const TableCase& t, const std::vector<const SParamDesc*>& params) {
  ASSERT_GE(params.size(), 3u);
  const SParamDesc& wet = *params[params.size() - 3];
  const SParamDesc& src = *params[params.size() - 2];
  const SParamDesc& amt = *params[params.size() - 1];
  bool isSigned = IsOneOf(t.key, {"rflt", "chs", "bmod", "flng", "rfln", "efln", "phs", "rphs", "ephs",
                                  "autofade"});
  if (isSigned) {
    ExpectField(wet, "Wet/Dry", {0, 1, 8, ATYPE_SBF16L, -100, 100}, FXFMT_WETDRY_SIGNED);
    ExpectField(src, "Source", {1, 1, 6, ATYPE_UBF16L, 0, 0}, FXFMT_MODSOURCE);
    ExpectField(amt, "Amount", {1, 7, 14, ATYPE_SBF16L, -100, 100}, "%+.0f,v");
  } else {
    ExpectField(wet, "Wet/Dry", {0, 1, 7, ATYPE_UBF8, 0, 100}, FXFMT_WETDRY);
    ExpectField(src, "Source", {1, 0, 5, ATYPE_UBF16L, 0, 0}, FXFMT_MODSOURCE);
    ExpectField(amt, "Amount", {1, 6, 13, ATYPE_SBF16L, -100, 100}, "%+.0f,v");
  }
  EXPECT_EQ(src.ptype, PTYPE_ENUMLONG);
}

TEST(FxCatalogTest, EveryTableFollowsTheConventions) {
  std::map<std::pair<std::string, int32_t>, int32_t> refExceptions;
  for (const auto& r : fxtest::kRefExceptions) refExceptions[{r.key, r.id}] = r.ref;
  const std::set<std::string> wideTitles = {"peq_fln", "peq_dly", "cmp_peq", "od_amp", "od_fln", "od_dly"};
  const std::set<std::string> trimTables = {"peq", "geq", "isolator", "gcab", "bcab",
                                            "reso", "peq_phs", "peq_fln", "peq_dly", "tfxeq"};
  const std::set<std::string> labels = {"", "Hz", "dB", "ms", "%", "sec", "deg", "cent", "bit", "1/2tone"};

  std::map<int, int> headerWidths;
  std::set<std::string> tablesWithTrim;
  EnumTally enums;
  int totalRows = 0, totalParams = 0, style7Labels = 0, modSourceRows = 0, wetDryRows = 0;
  int refDiffs = 0, defaultsBelowMin = 0, insertTables = 0;
  std::set<const SParamDesc*> seenRows;

  ASSERT_EQ(std::size(kTables), 99u);
  for (const TableCase& t : kTables) {
    SCOPED_TRACE(t.key);
    EXPECT_TRUE(seenRows.insert(t.rows).second) << "table listed twice";
    ASSERT_EQ(t.desc->rows, t.rows);
    ASSERT_EQ(t.desc->count, t.rowCount);
    const SParamDesc* rows = t.rows;
    const uint32_t n = t.rowCount;
    totalRows += static_cast<int>(n);
    ASSERT_GE(n, 5u);

    // Row 0: a header frame one grid row high.
    EXPECT_EQ(rows[0].ptype, PTYPE_FRAME);
    EXPECT_EQ(rows[0].max, 1);
    EXPECT_EQ(rows[0].flags, IsMfx1(t.key) ? 1u : 0u);
    ++headerWidths[rows[0].min];
    // Row 1: the effect's name.
    EXPECT_STREQ(rows[1].name, t.displayName);
    EXPECT_EQ(rows[1].id, -1);
    EXPECT_EQ(rows[1].ptype, wideTitles.count(t.key) ? PTYPE_TITLE : PTYPE_NONE);
    // Row 2: the first column's frame (none in the empty effect).
    if (std::strcmp(t.key, "nofx") != 0) {
      EXPECT_EQ(rows[2].ptype, PTYPE_FRAME);
    }
    // The last row is a parameter.
    EXPECT_TRUE(IsParamRow(rows[n - 1]));

    std::vector<const SParamDesc*> params;
    std::set<int32_t> ids;
    uint8_t used[64] = {};
    for (uint32_t i = 0; i < n; ++i) {
      const SParamDesc& row = rows[i];
      SCOPED_TRACE(testing::Message() << "row " << i << " \"" << row.name << "\"");
      ASSERT_NE(row.name, nullptr);
      ASSERT_NE(row.label, nullptr);
      ASSERT_NE(row.format, nullptr);
      EXPECT_EQ(row.accessor, nullptr);
      EXPECT_EQ(row.converter, nullptr);
      EXPECT_EQ(row.data, nullptr);
      if (!IsParamRow(row)) {
        EXPECT_EQ(row.id, -1);
        EXPECT_EQ(row.atype, ATYPE_NONE);
        EXPECT_STREQ(row.label, "");
        EXPECT_EQ(row.ref, 0);
        if (row.ptype == PTYPE_FRAME) {
          EXPECT_GE(row.min, 1);
          EXPECT_LE(row.min, 4);
          EXPECT_GE(row.max, 1);
          EXPECT_LE(row.max, 10);
          EXPECT_TRUE(row.flags <= 7 && row.flags != 6) << row.flags;
        } else {
          EXPECT_EQ(row.flags, 0u);
        }
        // A column break is followed by the empty header row of the new column.
        if (row.ptype == PTYPE_NONE && std::strcmp(row.name, "\n") == 0) {
          ASSERT_LT(i + 1, n);
          EXPECT_EQ(rows[i + 1].ptype, PTYPE_NONE);
          EXPECT_STREQ(rows[i + 1].name, "");
        }
        continue;
      }

      params.push_back(&row);
      EXPECT_TRUE(row.ptype >= PTYPE_CONT && row.ptype <= PTYPE_CONTRANGE && row.ptype != PTYPE_CONT10);
      EXPECT_TRUE(row.id >= 0 && ids.insert(row.id).second) << "id " << row.id;
      EXPECT_TRUE(labels.count(row.label)) << row.label;
      EXPECT_TRUE(row.flags == 0 || row.flags == PFLAG_LABELSTYLE7) << row.flags;
      if (row.flags == PFLAG_LABELSTYLE7) ++style7Labels;

      // The field lies inside the block and shares no bit with another parameter.
      const int bytes = FieldBytes(row.atype);
      ASSERT_NE(bytes, 0) << "accessor kind " << row.atype;
      EXPECT_LE(row.offset + bytes, 64u);
      EXPECT_LE(row.lowBit, row.highBit);
      EXPECT_LT(row.highBit, 8 * bytes);
      for (int bit = row.lowBit; bit <= row.highBit && row.offset + bytes <= 64u; ++bit) {
        int abs = static_cast<int>(row.offset) * 8 + bit;
        EXPECT_EQ(used[abs / 8] & (1 << (abs % 8)), 0) << "bit " << abs << " already used";
        used[abs / 8] |= static_cast<uint8_t>(1 << (abs % 8));
      }

      auto exception = refExceptions.find({t.key, row.id});
      if (exception != refExceptions.end()) {
        EXPECT_EQ(row.ref, exception->second);
        EXPECT_NE(row.ref, row.def);
        ++refDiffs;
      } else {
        EXPECT_EQ(row.ref, row.def);
      }
      if (row.def < row.min) ++defaultsBelowMin;
      if (row.format == FXFMT_MODSOURCE) ++modSourceRows;
      if (row.format == FXFMT_WETDRY) ++wetDryRows;
      if (std::strcmp(row.name, "Trim") == 0 && row.offset == 2 && row.lowBit == 6 && row.highBit == 12 &&
          row.atype == ATYPE_UBF16L && row.min == 0 && row.max == 100)
        tablesWithTrim.insert(t.key);

      if (row.ptype == PTYPE_CONT || row.ptype == PTYPE_CONTRANGE)
        CheckContinuousFormat(row);
      else
        CheckEnumFormat(row, &enums);
    }
    EXPECT_EQ(params.size(), t.paramCount);
    totalParams += static_cast<int>(params.size());
    if (IsInsertEffect(t.key)) {
      ++insertTables;
      CheckLastThree(t, params);
    }
  }

  EXPECT_EQ(totalRows, 3207);
  EXPECT_EQ(totalParams, 1491);
  EXPECT_EQ(insertTables, 89);
  EXPECT_EQ(headerWidths, (std::map<int, int>{{1, 4}, {2, 15}, {3, 22}, {4, 58}}));
  EXPECT_EQ(tablesWithTrim, trimTables);
  EXPECT_EQ(refDiffs, 25);
  EXPECT_EQ(defaultsBelowMin, 9);
  EXPECT_EQ(style7Labels, 817);
  EXPECT_EQ(modSourceRows, 205);
  EXPECT_EQ(wetDryRows, 88);
  EXPECT_EQ(enums.wholeList, 310);
  EXPECT_EQ(enums.fullRange, 66);
  EXPECT_EQ(enums.partRange, 23);
}

TEST(FxCatalogTest, LayoutRowsAndSharedLists) {
  EXPECT_STREQ(PARAM_ENTRY_NEXTLINE.name, "\n");
  EXPECT_STREQ(PARAM_ENTRY_SPACING.name, "");
  for (const SParamDesc* row : {&PARAM_ENTRY_NEXTLINE, &PARAM_ENTRY_SPACING}) {
    EXPECT_EQ(row->id, -1);
    EXPECT_EQ(row->ptype, PTYPE_NONE);
    EXPECT_STREQ(row->format, "");
  }

  std::vector<std::string> sources = SplitLines(FXFMT_MODSOURCE);
  ASSERT_EQ(sources.size(), 38u);
  for (const std::string& s : sources) EXPECT_EQ(s.size(), 23u) << s;
  EXPECT_EQ(sources[0].substr(0, 4), "Off ");
  EXPECT_EQ(sources[4].substr(0, 13), "Gate2+Damper ");
  EXPECT_EQ(sources[31].substr(0, 11), "FootSW:#82 ");
  EXPECT_EQ(sources[37].substr(0, 6), "Tempo ");

  std::vector<std::string> notes = SplitLines(FXFMT_NOTELENGTH);
  ASSERT_EQ(notes.size(), 10u);
  EXPECT_EQ(notes[0], std::string("0\t\x19  \r (1/32)"));
  EXPECT_EQ(notes[1], std::string("1\t\x1A" "3\r (1/24)"));
  EXPECT_EQ(notes[7], std::string("7\t\x1D" "3\r (1/3)"));
  EXPECT_EQ(notes[9], std::string("9\t\x1E  \r (1/1)"));

  // The empty effect: three unnamed parameters with nothing to set.
  const fxtest::TableCase* nofx = fxtest::FindTable("nofx");
  ASSERT_NE(nofx, nullptr);
  const Field places[] = {{3, 6, 13, ATYPE_UBF16L, 0, 0}, {4, 6, 12, ATYPE_UBF16L, 0, 0},
                          {5, 5, 11, ATYPE_UBF16L, 0, 0}};
  for (int id = 0; id < 3; ++id) {
    const SParamDesc* row = fxtest::FindParam(*nofx, id);
    ASSERT_NE(row, nullptr);
    ExpectField(*row, "", places[id], "%.0f,v");
    EXPECT_EQ(row->min, 0);
    EXPECT_EQ(row->max, 0);
  }
}

// The rows named by the display cases exist, so the cases stay valid.
TEST(FxCatalogTest, DisplayCasesNameExistingRows) {
  for (const fxtest::DisplayCase& c : fxtest::kDisplayCases) {
    SCOPED_TRACE(testing::Message() << c.key << " " << c.name);
    const fxtest::TableCase* t = fxtest::FindTable(c.key);
    ASSERT_NE(t, nullptr);
    const SParamDesc* row = fxtest::FindParam(*t, c.id);
    ASSERT_NE(row, nullptr);
    EXPECT_STREQ(row->name, c.name);
  }
}

// Needs the value converters of the model: each case's raw value must show
// as its text once a row's format is turned into a converter.
TEST(FxCatalogTest, DisplayTexts) {
  for (const fxtest::DisplayCase& c : fxtest::kDisplayCases) {
    SCOPED_TRACE(testing::Message() << c.key << " " << c.name << " " << c.raw);
    const fxtest::TableCase* t = fxtest::FindTable(c.key);
    ASSERT_NE(t, nullptr);
    ASSERT_NE(fxtest::FindParam(*t, c.id), nullptr);
    CParamTable* table = CParamTable::GetInstance(*t->desc, 0);
    const SParamDesc* row = table->GetRow(static_cast<uint32_t>(table->FindIndex(c.id)));
    ASSERT_NE(row, nullptr);
    ASSERT_NE(row->converter, nullptr);
    // Long form of the display pair.
    EXPECT_STREQ(row->converter->Format(c.raw).c_str(), c.text);
  }
}

}  // namespace

namespace {

// Every parameter row prepares into an accessor and a converter, and is
// found by its id. A continuous row's range holds its stated range (some
// stated defaults lie outside their rules, as the synthesizer has them).
TEST(FxCatalogTest, EveryParameterRowPreparesWithItsRange) {
  for (const fxtest::TableCase& t : fxtest::kTables) {
    CParamTable* table = CParamTable::GetInstance(*t.desc, 0);
    ASSERT_EQ(table->GetCount(), t.rowCount) << t.key;
    for (uint32_t i = 0; i < t.rowCount; ++i) {
      const SParamDesc& stated = t.rows[i];
      const SParamDesc* row = table->GetRow(i);
      if (stated.ptype < PTYPE_CONT || stated.ptype > PTYPE_CONTRANGE) continue;
      SCOPED_TRACE(testing::Message() << t.key << " row " << i << " " << stated.name);
      ASSERT_NE(row->accessor, nullptr);
      ASSERT_NE(row->converter, nullptr);
      if (stated.min < stated.max &&
          (stated.ptype == PTYPE_CONT || stated.ptype == PTYPE_CONTRANGE)) {
        EXPECT_LE(row->min, stated.min);
        EXPECT_GE(row->max, stated.max);
      }
      EXPECT_EQ(table->FindIndex(stated.id), static_cast<int32_t>(i));
    }
  }
}

}  // namespace
