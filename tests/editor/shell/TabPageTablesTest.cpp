// The tables of the tab pages: the key-tracking graph ids of a form item
// and the browser a sound selector opens.
#include <gtest/gtest.h>

#include "editor/shell/TabPageTables.h"

namespace {

TEST(TabPageTablesTest, AKeyTrackingItemBindsItsBaseAndTheOddItemsExtraId) {
  const struct {
    int item, base, extra;
  } cases[] = {{0x12500, 0x1F00, -1},  {0x12501, 0x2F00, 0xD00}, {0x12502, 0x1800, -1},
               {0x12503, 0x2800, 0xD00}, {0x12504, 0x1B00, -1}, {0x12505, 0x2B00, 0xD00},
               {0x124FF, -1, -1},        {0x12506, -1, -1}};
  for (const auto& c : cases) {
    const SKeyTrkGraphIds ids = GetKeyTrkGraphIds(c.item);
    EXPECT_EQ(ids.base, c.base) << std::hex << c.item;
    EXPECT_EQ(ids.extra, c.extra) << std::hex << c.item;
  }
}

TEST(TabPageTablesTest, ASelectorKindPicksItsBrowser) {
  const int expected[] = {3, 1, 2, 0, 0, 5, 6, 7};
  for (int kind = 0; kind < 8; ++kind) EXPECT_EQ(GetBrowserKindOfSelector(kind), expected[kind]);
  EXPECT_EQ(GetBrowserKindOfSelector(8), -1);
  EXPECT_EQ(GetBrowserKindOfSelector(-1), -1);
}

}  // namespace
