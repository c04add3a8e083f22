#include "plugin/CMidiFifo.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

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

TEST(CMidiFifo, EntriesKeepTheirOrderWhileTheIndicesWrapMidRing) {
  // Three in, three out on a ring of four: every round starts one cell
  // further on, so writes and reads cross the end of the ring.
  CMidiFifo fifo(4);
  uint32_t next = 0, expected = 0;
  for (int round = 0; round < 10; ++round) {
    for (int i = 0; i < 3; ++i, ++next) ASSERT_TRUE(fifo.Push(0x90, next & 0x7F, 1, next));
    EXPECT_EQ(fifo.Count(), 3);
    tagMidiData m;
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(fifo.Pop(&m));
      ASSERT_EQ(m.time, expected++) << round;
    }
  }
  EXPECT_FALSE(fifo.Pop(nullptr));
}

// Producers and a consumer on threads of their own, as the audio thread,
// the worker and the MIDI input thread use the queues: nothing is lost,
// nothing comes twice, and each producer's messages keep their order.
TEST(CMidiFifo, ProducersAndAConsumerOnOtherThreadsLoseNothingAndKeepOrder) {
  constexpr uint32_t kEach = 50000;
  for (int producers : {1, 3}) {
    CMidiFifo fifo(64);
    std::vector<std::thread> threads;
    for (int p = 0; p < producers; ++p)
      threads.emplace_back([&fifo, p] {
        for (uint32_t i = 0; i < kEach;)
          if (fifo.Push(0xB0, static_cast<uint8_t>(p), 0, i)) ++i;
          else std::this_thread::yield();
      });
    std::vector<uint32_t> seen(static_cast<size_t>(producers), 0);
    uint32_t total = 0;
    bool ordered = true;
    std::thread consumer([&] {
      tagMidiData m;
      while (total < kEach * static_cast<uint32_t>(producers)) {
        if (!fifo.Pop(&m)) {
          std::this_thread::yield();
          continue;
        }
        ordered = ordered && m.status == 0xB0 && m.data1 < producers && m.time == seen[m.data1];
        ++seen[m.data1];
        ++total;
      }
    });
    for (std::thread& t : threads) t.join();
    consumer.join();
    EXPECT_TRUE(ordered) << producers;
    for (int p = 0; p < producers; ++p) EXPECT_EQ(seen[static_cast<size_t>(p)], kEach) << p;
    EXPECT_EQ(fifo.Count(), 0);
    EXPECT_FALSE(fifo.Pop(nullptr));
  }
}
