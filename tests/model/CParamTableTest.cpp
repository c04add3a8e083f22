#include "model/CParamTable.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "model/CAccessorUBF8.h"
#include "model/IAccessorI.h"
#include "model/IAccessorS.h"
#include "model/IStringConverter.h"
#include "os/Thread.h"

namespace {

TEST(CParamTable, ExtractFormatForVariant) {
  struct Case {
    const char* format;
    unsigned char pmid;
    const char* result;
  };
  const Case cases[] = {
      {"0\fA\f1\fB", 0, "A"},
      {"0\fA\f1\fB", 1, "B"},
      {"0\fA\f1\fB", 2, ""},
      {"0x01\fB", 1, "B"},
      {"12\fX", 12, "X"},
      {"0x0C\fX", 12, "X"},
      {"014\fX", 12, "X"},
      {"%.0f,v", 7, "%.0f,v"},
      {"1\fA\f2", 2, ""},  // a last piece without a partner never applies
      {"", 0, ""},
      {nullptr, 0, ""},
      {"\f", 0, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CParamTable::extractformatforpmid(c.format, c.pmid), c.result)
        << (c.format ? c.format : "null") << " / " << int(c.pmid);
}

SParamDesc Row(const char* name, int32_t id, int32_t ptype, int32_t atype, uint32_t offset,
               uint16_t low, uint16_t high, int32_t def, int32_t min, int32_t max,
               const char* format, uint32_t flags = 0) {
  return SParamDesc{name, "", id, ptype, atype, offset, low, high, def, min, max,
                    0,    flags, format, nullptr, nullptr, nullptr};
}

const SParamDesc kRows[] = {
    Row("Title", 5, PTYPE_NONE, ATYPE_UBF8, 0, 0, 7, 0, 0, 0, ""),
    Row("Level", 1, PTYPE_CONT, ATYPE_UBF8, 0, 0, 6, 100, 0, 127, "%.0f,v"),
    Row("Time", 2, PTYPE_CONT, ATYPE_UBF8, 1, 0, 7, 3, 10, 20, "1~49\t20~980\t%.0f,v"),
    Row("Switch", 3, PTYPE_ONOFF, ATYPE_UBF8, 2, 7, 7, 1, 0, 0, "0\tOff\n1\tOn"),
    Row("Name", 4, PTYPE_STRING, ATYPE_STR24, 4, 0, 0, 0, 0, 0, ""),
    Row(" ", -1, PTYPE_CONT, ATYPE_UBF8, 3, 0, 7, 0, 0, 127, "%.0f,v"),
    Row("Caption", 6, PTYPE_CAPTION, ATYPE_UBF8, 3, 0, 7, 0, 0, 0, ""),
    Row("NoAccessor", 7, PTYPE_CONT, ATYPE_NONE, 3, 0, 7, 0, 0, 9, ""),
    Row("Variant", 8, PTYPE_ENUM, ATYPE_UBF8, 3, 0, 7, 0, 0, 0, "0\fA\nB\f1\fC\nD\nE"),
    Row("Duplicate", 1, PTYPE_CONT, ATYPE_UBF16B, 30, 0, 15, 0, 0, 999, "%.0f,v"),
};
const TABLEDESC kDesc{kRows, static_cast<uint32_t>(std::size(kRows))};

TEST(CParamTable, PreparesRowsAndTheIdMap) {
  CParamTable* table = CParamTable::GetInstance(kDesc, 0);
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->GetCount(), std::size(kRows));
  const std::vector<SParamDesc>& rows = table->Rows();

  // A PTYPE 0 row is not addressable and is read-only.
  EXPECT_EQ(rows[0].id, -1);
  EXPECT_EQ(rows[0].flags & PFLAG_READONLY1, PFLAG_READONLY1);
  EXPECT_EQ(rows[0].accessor, nullptr);

  // Range from the converter, reference = default.
  EXPECT_EQ(rows[1].min, 0);
  EXPECT_EQ(rows[1].max, 127);
  EXPECT_EQ(rows[1].ref, 100);
  EXPECT_EQ(rows[2].min, 1);
  EXPECT_EQ(rows[2].max, 49);
  EXPECT_EQ(rows[3].max, 1);

  // A prepared numeric row reads and writes the block.
  std::array<unsigned char, 64> block{};
  auto* level = static_cast<IAccessorI*>(rows[1].accessor);
  EXPECT_EQ(level->Put(block.data(), rows[1].offset, 200), 72);
  EXPECT_EQ(rows[2].converter->Format(25), std::string("500\0" "500\0", 8));
  auto* sw = static_cast<IAccessorI*>(rows[3].accessor);
  EXPECT_EQ(sw->Put(block.data(), rows[3].offset, 1), 1);
  EXPECT_EQ(block[2], 0x80);
  auto* name = static_cast<IAccessorS*>(rows[4].accessor);
  ASSERT_NE(name, nullptr);
  name->Put(block.data(), rows[4].offset, "Init");
  EXPECT_EQ(block[4], 'I');
  EXPECT_EQ(block[27], ' ');

  // Kinds without accessor or converter keep null pointers.
  EXPECT_EQ(rows[6].accessor, nullptr);
  EXPECT_EQ(rows[6].converter, nullptr);
  EXPECT_EQ(rows[7].accessor, nullptr);
  EXPECT_NE(rows[7].converter, nullptr);

  // The variant's own value list.
  EXPECT_EQ(rows[8].max, 1);

  // Id map: id -1, PTYPE 0 and ATYPE 0 rows are left out; the last row
  // with an id wins.
  std::map<int32_t, uint32_t> expected{{1, 9}, {2, 2}, {3, 3}, {4, 4}, {6, 6}, {8, 8}};
  EXPECT_EQ(table->IdMap(), expected);
  EXPECT_EQ(table->FindIndex(5), -1);
  EXPECT_EQ(table->FindIndex(7), -1);
  EXPECT_EQ(table->GetRow(99), nullptr);
  EXPECT_EQ(table->GetRow(9), &rows[9]);

  // The static table is left as it was.
  EXPECT_EQ(kRows[0].id, 5);
  EXPECT_EQ(kRows[1].accessor, nullptr);
}

TEST(CParamTable, OneTablePerDescriptorAndVariant) {
  CParamTable* a = CParamTable::GetInstance(kDesc, 0);
  EXPECT_EQ(CParamTable::GetInstance(kDesc, 0), a);
  CParamTable* b = CParamTable::GetInstance(kDesc, 1);
  EXPECT_NE(b, a);
  EXPECT_EQ(b->Rows()[8].max, 2);  // "C\nD\nE" for variant 1
  EXPECT_NE(a->Rows()[1].accessor, b->Rows()[1].accessor);
  EXPECT_EQ(a->Rows()[4].accessor, b->Rows()[4].accessor);  // the one shared text accessor
}

TEST(CParamTable, SetupEntryKeepsAPreparedRow) {
  CParamTable* table = CParamTable::GetInstance(kDesc, 0);
  SParamDesc row = table->Rows()[1];
  row.min = -3;
  CParamTable::SetupEntry(&row, 0);
  EXPECT_EQ(row.min, -3);  // already has both: untouched
}

TEST(CParamTable, ConcurrentRequestsGetOneTable) {
  static const SParamDesc rows[] = {
      Row("A", 1, PTYPE_CONT, ATYPE_UBF8, 0, 0, 6, 0, 0, 127, "%.0f,v"),
      Row("B", 2, PTYPE_ENUM, ATYPE_UBF8, 1, 0, 6, 0, 0, 0, "X\nY"),
  };
  static const TABLEDESC desc{rows, 2};
  std::vector<CParamTable*> seen(8);
  std::vector<std::unique_ptr<os::Thread>> threads;
  for (int i = 0; i < 8; ++i) {
    threads.push_back(std::make_unique<os::Thread>());
    threads.back()->Start([&seen, i] { seen[i] = CParamTable::GetInstance(desc, 3); });
  }
  for (auto& t : threads) t->Join();
  for (CParamTable* t : seen) EXPECT_EQ(t, seen[0]);
}

}  // namespace
