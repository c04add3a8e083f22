#include <gtest/gtest.h>

#include "spare/KeyVelZoneRules.h"

namespace {

using namespace KeyVelZoneRules;

struct ChangeCase {
  const char* what;
  Zone zone;
  int offset;
  int value;
  bool fromField;
  int expected;
};

// Key zone 40..100 with a top slope of 6 keys (index 5) and a bottom slope
// of 18 (index 9).
constexpr Zone kKeys{100, 40, 5, 9};
constexpr Zone kNoRoom{40, 40, 0, 0};

const ChangeCase kKeyCases[] = {
    {"top key below bottom + both slopes", kKeys, 44, 50, true, 64},
    {"top key with room", kKeys, 44, 90, true, 90},
    {"top key from the bar", kKeys, 44, 63, false, 64},
    {"bottom key above top - both slopes", kKeys, 47, 90, true, 76},
    {"bottom key with room", kKeys, 47, 10, true, 10},
    {"top slope index that fits", kKeys, 45, 3, true, 3},
    {"top slope index too wide steps down", kKeys, 45, 13, true, 12},
    {"top slope index with no room", kNoRoom, 45, 5, true, 0},
    {"top slope index below 0", kKeys, 45, -3, true, 0},
    {"top slope dragged onto a width", kKeys, 45, 90, false, 7},
    {"top slope dragged between 4 and 6", kKeys, 45, 95, false, 4},
    {"top slope dragged between 12 and 18", kKeys, 45, 85, false, 8},
    {"top slope dragged past the room", kKeys, 45, 40, false, 12},
    {"bottom slope dragged onto 24", kKeys, 46, 64, false, 10},
    {"bottom slope index limited by the top slope", kKeys, 46, 15, true, 13},
    {"bottom slope dragged below the bottom", kKeys, 46, 30, false, 0},
};

// Velocity zone 20..120, top slope 16 (index 2), bottom slope 24 (index 3).
constexpr Zone kVels{120, 20, 2, 3};

const ChangeCase kVelCases[] = {
    {"top velocity below bottom + both slopes", kVels, 48, 50, true, 60},
    {"bottom velocity above top - both slopes", kVels, 51, 100, true, 80},
    {"bottom velocity with room", kVels, 51, 1, true, 1},
    {"top slope index too wide", kVels, 49, 15, true, 9},
    {"top slope dragged to a tie between 16 and 24", kVels, 49, 100, false, 2},
    {"bottom slope dragged nearer to 24 than 32", kVels, 50, 47, false, 3},
    {"bottom slope with no room", Zone{20, 20, 0, 0}, 50, 7, true, 0},
};

TEST(KeyVelZoneRules, KeyZoneChanges) {
  for (const ChangeCase& c : kKeyCases) {
    int result = -999;
    ASSERT_TRUE(ApplyKeyChange(c.offset, c.value, c.fromField, c.zone, &result)) << c.what;
    EXPECT_EQ(result, c.expected) << c.what;
  }
}

TEST(KeyVelZoneRules, VelocityZoneChanges) {
  for (const ChangeCase& c : kVelCases) {
    int result = -999;
    ASSERT_TRUE(ApplyVelChange(c.offset, c.value, c.fromField, c.zone, &result)) << c.what;
    EXPECT_EQ(result, c.expected) << c.what;
  }
}

TEST(KeyVelZoneRules, OffsetsOutsideTheZoneStoreNothing) {
  int result = 5;
  for (int offset : {43, 48, 51, 52, 0}) EXPECT_FALSE(ApplyKeyChange(offset, 1, true, kKeys, &result));
  for (int offset : {44, 47, 52}) EXPECT_FALSE(ApplyVelChange(offset, 1, true, kVels, &result));
  EXPECT_EQ(result, 5);
}

TEST(KeyVelZoneRules, NearestIndex) {
  struct {
    int target, limit, expected;
  } cases[] = {
      {0, 127, 0},    {1, 127, 1},     {5, 127, 4},   {7, 127, 5},   {15, 127, 8},
      {16, 127, 9},   {66, 127, 14},   {100, 127, 15}, {72, 72, 15}, {100, 71, 14},
      {60, 42, 12},   {30, 0, 0},      {30, -5, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetNearestIndex(kKeySlopeWidths, c.target, c.limit), c.expected)
        << c.target << " within " << c.limit;
  EXPECT_EQ(GetNearestIndex(kVelSlopeWidths, 12, 127), 1);  // a tie: the smaller
  EXPECT_EQ(GetNearestIndex(kVelSlopeWidths, 13, 127), 2);
}

TEST(KeyVelZoneRules, NoteInput) {
  struct {
    int status, data1, data2, offset, expected;
  } cases[] = {
      {0x90, 60, 100, 44, 60},  {0x9F, 61, 90, 47, 61},  {0x92, 60, 100, 48, 100},
      {0x90, 60, 1, 51, 1},     {0x90, 60, 100, 45, -1}, {0x90, 60, 100, 50, -1},
      {0x80, 60, 100, 44, -1},  {0xB0, 60, 100, 48, -1}, {0x90, 60, 100, 43, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NoteInputValue(c.status, c.data1, c.data2, c.offset), c.expected)
        << std::hex << c.status << " " << std::dec << c.offset;
}

}  // namespace
