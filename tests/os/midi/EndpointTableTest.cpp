#include <gtest/gtest.h>

#include "os/midi/EndpointTable.h"

namespace {

using os::midi::EndpointTable;

std::vector<EndpointTable::Entry> Listing(std::vector<std::pair<std::string, bool>> keys) {
  std::vector<EndpointTable::Entry> out;
  for (auto& [k, s] : keys) {
    EndpointTable::Entry e;
    e.key = k;
    e.source = s;
    out.push_back(e);
  }
  return out;
}

TEST(EndpointTable, AnIdLastsWhileItsPortIsListedAndIsNeverGivenAgain) {
  EndpointTable t(100);
  EXPECT_TRUE(t.Update(Listing({{"a:out", true}, {"a:in", false}, {"b:out", true}})).empty());
  const auto aOut = t.At(true, 0), aIn = t.At(false, 0), bOut = t.At(true, 1);
  EXPECT_EQ(t.Count(true), 2u);
  EXPECT_NE(aOut, aIn);
  EXPECT_EQ(t.At(true, 2), 0u);

  // b goes; a keeps its ids in a new order.
  EXPECT_EQ(t.Update(Listing({{"a:in", false}, {"a:out", true}})), std::vector<uint32_t>{bOut});
  EXPECT_EQ(t.At(true, 0), aOut);
  EXPECT_EQ(t.At(false, 0), aIn);
  EXPECT_EQ(t.Find(bOut), nullptr);

  // b comes back: a new endpoint. Same name as source and destination: two.
  t.Update(Listing({{"a:out", true}, {"b:out", true}, {"b:out", false}}));
  EXPECT_NE(t.FindKey("b:out", true)->id, bOut);
  EXPECT_NE(t.FindKey("b:out", true)->id, t.FindKey("b:out", false)->id);
  EXPECT_EQ(t.FindKey("a:out", true)->id, aOut);
}

}  // namespace
