// The browser a sound selector of a tab page opens.
#include <gtest/gtest.h>

#include "editor/shell/TabPageTables.h"

namespace {

TEST(TabPageTablesTest, ASelectorKindPicksItsBrowser) {
  const int expected[] = {3, 1, 2, 0, 0, 5, 6, 7};
  for (int kind = 0; kind < 8; ++kind) EXPECT_EQ(GetBrowserKindOfSelector(kind), expected[kind]);
  EXPECT_EQ(GetBrowserKindOfSelector(8), -1);
  EXPECT_EQ(GetBrowserKindOfSelector(-1), -1);
}

}  // namespace
