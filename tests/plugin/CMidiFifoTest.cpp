#include "plugin/CMidiFifo.h"

#include <gtest/gtest.h>

TEST(CMidiFifo, AFullQueueRefusesTheNewestAndKeepsTheOldest) {
  CMidiFifo fifo(4);
  for (uint8_t i = 0; i < 4; ++i) ASSERT_TRUE(fifo.Push(0x90, i, 100, i * 10u));
  EXPECT_FALSE(fifo.Push(0x80, 99, 0, 0));
  EXPECT_EQ(fifo.Count(), 4);
  tagMidiData m;
  for (uint8_t i = 0; i < 4; ++i) {
    ASSERT_TRUE(fifo.Pop(&m));
    EXPECT_EQ(m.status, 0x90);
    EXPECT_EQ(m.data1, i);
    EXPECT_EQ(m.time, i * 10u);
  }
  // Empty: nothing popped, the record untouched.
  m.status = 0x42;
  EXPECT_FALSE(fifo.Pop(&m));
  EXPECT_EQ(m.status, 0x42);
}

TEST(CMidiFifo, IndicesWrapAndANullTargetDropsTheEntry) {
  CMidiFifo fifo(1024);
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 1024; ++i) ASSERT_TRUE(fifo.Push(0xB0, i & 0x7F, round, i));
    EXPECT_FALSE(fifo.Push(0xB0, 0, 0, 0));
    tagMidiData m;
    ASSERT_TRUE(fifo.Pop(nullptr));
    for (int i = 1; i < 1024; ++i) {
      ASSERT_TRUE(fifo.Pop(&m));
      ASSERT_EQ(m.time, static_cast<uint32_t>(i));
      ASSERT_EQ(m.data2, round);
    }
    EXPECT_EQ(fifo.Count(), 0);
  }
  fifo.Push(1, 2, 3, 4);
  fifo.Reset();
  EXPECT_FALSE(fifo.Pop(nullptr));
}
