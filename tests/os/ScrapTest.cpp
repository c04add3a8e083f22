#include <gtest/gtest.h>

#include "os/Scrap.h"

namespace {

constexpr uint32_t kText = 0x54455854;  // 'TEXT'
constexpr uint32_t kOther = 0x58505247;

TEST(Scrap, FlavorsRoundTripAndClear) {
  os::Scrap::Clear();
  EXPECT_FALSE(os::Scrap::Has(kText));
  std::vector<uint8_t> out{9};
  EXPECT_FALSE(os::Scrap::Get(kText, &out));
  EXPECT_EQ(os::Scrap::Size(kText), 0u);

  const uint8_t text[] = {'a', 0, 'b'};
  ASSERT_TRUE(os::Scrap::Put(kText, text, sizeof text));
  ASSERT_TRUE(os::Scrap::Put(kOther, nullptr, 0));  // an empty flavor still counts
  EXPECT_TRUE(os::Scrap::Has(kOther));
  EXPECT_EQ(os::Scrap::Size(kText), 3u);
  ASSERT_TRUE(os::Scrap::Get(kText, &out));
  EXPECT_EQ(out, (std::vector<uint8_t>{'a', 0, 'b'}));

  // Replacing one flavor keeps the other; null data with a size is refused.
  const uint8_t shorter[] = {'z'};
  ASSERT_TRUE(os::Scrap::Put(kText, shorter, 1));
  ASSERT_TRUE(os::Scrap::Get(kText, &out));
  EXPECT_EQ(out, (std::vector<uint8_t>{'z'}));
  EXPECT_FALSE(os::Scrap::Put(kText, nullptr, 4));
  EXPECT_EQ(os::Scrap::Size(kText), 1u);
  EXPECT_TRUE(os::Scrap::Has(kOther));

  os::Scrap::Clear();
  EXPECT_FALSE(os::Scrap::Has(kText));
  EXPECT_FALSE(os::Scrap::Has(kOther));
}

}  // namespace
