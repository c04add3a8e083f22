#include <gtest/gtest.h>

#include "os/midi/OutputPieces.h"

namespace {

using os::midi::OutputPieces;
using Bytes = std::vector<uint8_t>;

Bytes SysexOf(size_t total) {
  Bytes b(total, 0x11);
  b.front() = 0xF0;
  if (total > 1) b.back() = 0xF7;
  return b;
}

TEST(OutputPieces, ASysExSendIsCutAtThePieceSizeAndNothingIsLost) {
  struct Case {
    size_t length;
    size_t piece;
    size_t pieces;
    size_t lastLength;
  } cases[] = {
      {1, 256, 1, 1},          {255, 256, 1, 255},   {256, 256, 1, 256},
      {257, 256, 2, 1},        {215346, 256, 842, 50}, {10, 0, 10, 1},  // size 0 counts as 1
  };
  for (const Case& c : cases) {
    const Bytes b = SysexOf(c.length);
    const auto pieces = OutputPieces::Sysex(b.data(), b.size(), c.piece);
    ASSERT_EQ(pieces.size(), c.pieces) << c.length;
    EXPECT_EQ(pieces.back().size(), c.lastLength) << c.length;
    Bytes joined;
    for (const auto& p : pieces) joined.insert(joined.end(), p.begin(), p.end());
    EXPECT_EQ(joined, b) << c.length;
  }
  EXPECT_TRUE(OutputPieces::Sysex(nullptr, 5, 256).empty());
}

TEST(OutputPieces, APacketBecomesOneEventPerMessage) {
  const Bytes packet = {0x90, 0x3C, 0x40, 0xF8, 0xF0, 1, 2, 3, 4, 0xF7, 0xC0, 5};
  const auto pieces = OutputPieces::Messages(packet.data(), packet.size(), 4);
  const OutputPieces::Pieces want = {{0x90, 0x3C, 0x40}, {0xF8}, {0xF0, 1, 2, 3}, {4, 0xF7}, {0xC0, 5}};
  EXPECT_EQ(pieces, want);
  EXPECT_TRUE(OutputPieces::Messages(packet.data(), 0, 4).empty());
}

}  // namespace
