#include <gtest/gtest.h>

#include "os/midi/PacketSplitter.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct SplitCase {
  const char* what;
  size_t maxPacket;
  bool group;
  Bytes input;
  std::vector<Bytes> packets;
};

TEST(PacketSplitter, CutsAsAnInterfaceDoes) {
  const SplitCase cases[] = {
      {"one message per packet", 256, false, {0x90, 0x3C, 0x40, 0x80, 0x3C, 0x00},
       {{0x90, 0x3C, 0x40}, {0x80, 0x3C, 0x00}}},
      {"grouped messages share a packet", 256, true, {0x90, 0x3C, 0x40, 0x80, 0x3C, 0x00},
       {{0x90, 0x3C, 0x40, 0x80, 0x3C, 0x00}}},
      {"SysEx cut at the packet size", 4, false, {0xF0, 1, 2, 3, 4, 5, 0xF7},
       {{0xF0, 1, 2, 3}, {4, 5, 0xF7}}},
      {"SysEx starts behind short messages", 4, true,
       {0x90, 0x3C, 0x40, 0xF0, 1, 2, 3, 0xF7, 0xC0, 0x05},
       {{0x90, 0x3C, 0x40, 0xF0}, {1, 2, 3, 0xF7}, {0xC0, 0x05}}},
      {"messages follow the end of a SysEx", 8, true, {0xF0, 1, 0xF7, 0x90, 0x3C, 0x40, 0xF8},
       {{0xF0, 1, 0xF7, 0x90, 0x3C, 0x40, 0xF8}}},
      {"a short message that does not fit moves on", 4, true, {0xC0, 1, 0x90, 0x3C, 0x40},
       {{0xC0, 1}, {0x90, 0x3C, 0x40}}},
      {"a short message is never cut", 2, true, {0x90, 0x3C, 0x40}, {{0x90, 0x3C, 0x40}}},
      {"an unfinished SysEx runs to the end", 3, false, {0xF0, 1, 2, 3, 4},
       {{0xF0, 1, 2}, {3, 4}}},
  };
  for (const auto& c : cases) {
    const os::midi::PacketSplitter splitter(c.maxPacket, c.group);
    EXPECT_EQ(splitter.Split(c.input.data(), c.input.size()), c.packets) << c.what;
  }
}

}  // namespace
