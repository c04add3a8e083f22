#include "model/mathutl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

TEST(mathutl, BreakstringKeepsInnerAndLeadingEmptyPieces) {
  EXPECT_EQ(mathutl::breakstring("a,,b,", ','), (Strings{"a", "", "b"}));
  EXPECT_EQ(mathutl::breakstring(",a", ','), (Strings{"", "a"}));
  EXPECT_EQ(mathutl::breakstring("", ','), Strings{});
  EXPECT_EQ(mathutl::breakstring(nullptr, ','), Strings{});
  EXPECT_EQ(mathutl::breakstring(",", ','), Strings{""});
  EXPECT_EQ(mathutl::breakstring("abc", ','), Strings{"abc"});
}

TEST(mathutl, BreakenumstringReadsValuesAndNames) {
  std::vector<int> values;
  Strings longs, shorts;
  mathutl::breakenumstring("5\tA\nB\n0x10\tC|c", &values, &longs, &shorts);
  EXPECT_EQ(values, (std::vector<int>{5, 6, 16}));
  EXPECT_EQ(longs, (Strings{"A", "B", "C"}));
  EXPECT_EQ(shorts, (Strings{"A", "B", "c"}));

  mathutl::breakenumstring("L/R\nIFX1|I1\n\nX|\n", &values, &longs, &shorts);
  EXPECT_EQ(values, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(longs, (Strings{"L/R", "IFX1", "", "X"}));
  EXPECT_EQ(shorts, (Strings{"L/R", "I1", "", "X"}));

  // Outputs are emptied even when absent ones are skipped.
  mathutl::breakenumstring("", &values, nullptr, nullptr);
  EXPECT_TRUE(values.empty());
}

TEST(mathutl, MakemultiszBuildsDisplayPairs) {
  EXPECT_EQ(mathutl::makemultisz("Long", ""), std::string("Long\0Long\0", 10));
  EXPECT_EQ(mathutl::makemultisz("Long", nullptr), std::string("Long\0Long\0", 10));
  EXPECT_EQ(mathutl::makemultisz("Long", "L"), std::string("Long\0L\0", 7));
  EXPECT_EQ(mathutl::makemultisz(nullptr, nullptr), std::string("\0\0", 2));
}

TEST(mathutl, StrcmprankRanksMatches) {
  struct Case { const char* a; const char* b; int rank; };
  const Case cases[] = {
      {"Off", "of", 2}, {"On", "ON", 4}, {"All", "", 3}, {"All", "All", 5},
      {"All", "Al", 3}, {"Al", "All", 3}, {"On", "x", 0}, {"", "", 5},
      {"All", nullptr, 3},
  };
  for (const Case& c : cases)
    EXPECT_EQ(mathutl::strcmprank(c.a, c.b), c.rank) << c.a << " / " << (c.b ? c.b : "null");
}

TEST(mathutl, SubstringsChunkNamesAndFormatting) {
  EXPECT_EQ(mathutl::extractsubstring("a|b|c", 1, '|'), "b");
  EXPECT_EQ(mathutl::extractsubstring("a|b", 2, '|'), "");
  EXPECT_EQ(mathutl::extractsubstring(nullptr, 0, '|'), "");

  const char stored[] = "Name\x01rest";
  EXPECT_EQ(mathutl::extractchunkname(stored), "Name");
  const char full[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  EXPECT_EQ(mathutl::extractchunkname(full), "ABCDEFGHIJKLMNOPQRSTUVWX");

  EXPECT_EQ(mathutl::formatstring("%d-%s", 7, "x"), "7-x");
  EXPECT_EQ(mathutl::formatstring("%s", std::string(400, 'a').c_str()).size(), 255u);
}

}  // namespace
