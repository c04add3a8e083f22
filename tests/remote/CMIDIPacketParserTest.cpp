#include <gtest/gtest.h>

#include "os/midi/PacketList.h"
#include "remote/CMIDIPacketParser.h"
#include "tests/remote/MIDITestSupport.h"

namespace {

using vesk::test::Bytes;
using vesk::test::Hex;
using vesk::test::RecordingCallback;

// Packet lists written as text: "||" ends a list, "|" a packet.
void Feed(CMIDIPacketParser& parser, const std::string& text, IMIDIInCallback* cb) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find("||", start);
    if (end == std::string::npos) end = text.size();
    const std::string list = text.substr(start, end - start);
    os::midi::PacketList packets;
    size_t p = 0;
    while (p <= list.size()) {
      size_t q = list.find('|', p);
      if (q == std::string::npos) q = list.size();
      const Bytes b = Hex(list.substr(p, q - p));
      packets.Add(0, b.data(), b.size());
      p = q + 1;
    }
    parser.ParseList(packets, nullptr, cb);
    start = end + 2;
  }
}

struct ParseCase {
  const char* what;
  const char* input;
  std::vector<std::string> delivered;
};

TEST(CMIDIPacketParser, DeliversWholeMessagesAndContainsLineFaults) {
  const ParseCase cases[] = {
      {"two short messages in a packet", "90 3C 40 80 3C 00", {"S 90 3C 40", "S 80 3C 00"}},
      {"an incomplete message", "90 3C", {}},
      {"running status is not supported", "3C 40", {}},
      {"short messages do not span packets", "90 3C | 40", {}},
      {"SysEx over three packets", "F0 42 30 | 01 02 | 03 F7", {"L F0 42 30 01 02 03 F7"}},
      {"SysEx over three lists", "F0 42 30 || 01 02 || 03 F7", {"L F0 42 30 01 02 03 F7"}},
      {"SysEx behind short messages in one packet", "90 3C 40 F0 42 | 01 F7",
       {"S 90 3C 40", "L F0 42 01 F7"}},
      {"messages behind the end of a SysEx", "F0 01 F7 B0 07 64 C0 05",
       {"L F0 01 F7", "S B0 07 64", "S C0 05"}},
      {"F0 inside an unfinished SysEx starts anew", "F0 42 01 | F0 42 02 F7", {"L F0 42 02 F7"}},
      {"a status byte ends an unfinished SysEx", "F0 42 01 | 90 3C 40 | 01 F7", {"S 90 3C 40"}},
      {"real time inside SysEx is passed on, not stored", "F0 42 F8 01 || FE 02 F7",
       {"S F8", "S FE", "L F0 42 01 02 F7"}},
      {"real time inside a short message", "90 F8 3C 40", {"S F8", "S 90 3C 40"}},
      {"system common messages", "F2 01 02 F3 05 F6 FA", {"S F2 01 02", "S F3 05", "S F6", "S FA"}},
      {"stray and undefined bytes are skipped", "F7 F4 F1 02 F9 FD C0 05", {"S C0 05"}},
      {"empty packets are skipped", " | 90 3C 40", {"S 90 3C 40"}},
      {"a new status drops the unfinished message", "90 3C C0 05", {"S C0 05"}},
  };
  for (const auto& c : cases) {
    CMIDIPacketParser parser;
    RecordingCallback rec;
    Feed(parser, c.input, &rec);
    EXPECT_EQ(rec.Texts(), c.delivered) << c.what;
  }
}

TEST(CMIDIPacketParser, LongSysexArrivesInFragmentsAtTheEndOfLists) {
  const Bytes msg = vesk::test::SysexOf(10000);
  // One packet of 256 bytes per list: a fragment once 4097 bytes gathered.
  CMIDIPacketParser parser;
  RecordingCallback rec;
  for (size_t pos = 0; pos < msg.size(); pos += 256) {
    os::midi::PacketList list;
    list.Add(0, msg.data() + pos, std::min<size_t>(256, msg.size() - pos));
    parser.ParseList(list, nullptr, &rec);
  }
  const auto calls = rec.Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].bytes.size(), 17u * 256u);
  EXPECT_EQ(calls[1].bytes.size(), 17u * 256u);
  EXPECT_EQ(calls[2].bytes.size(), 10000u - 34u * 256u);
  EXPECT_EQ(calls[2].bytes.back(), 0xF7);
  EXPECT_EQ(rec.LongBytes(), msg);
  EXPECT_FALSE(parser.InsideSysex());

  // All packets in one list: nothing is cut.
  CMIDIPacketParser whole;
  RecordingCallback rec2;
  os::midi::PacketList list;
  for (size_t pos = 0; pos < msg.size(); pos += 256)
    list.Add(0, msg.data() + pos, std::min<size_t>(256, msg.size() - pos));
  whole.ParseList(list, nullptr, &rec2);
  ASSERT_EQ(rec2.Calls().size(), 1u);
  EXPECT_EQ(rec2.LongBytes(), msg);
}

TEST(CMIDIPacketParser, AssemblyIsCappedAtTheLargestDump) {
  auto feed = [](CMIDIPacketParser& parser, const Bytes& msg, IMIDIInCallback* cb) {
    for (size_t pos = 0; pos < msg.size(); pos += 1024) {
      os::midi::PacketList list;
      list.Add(0, msg.data() + pos, std::min<size_t>(1024, msg.size() - pos));
      parser.ParseList(list, nullptr, cb);
    }
  };
  CMIDIPacketParser parser;
  RecordingCallback rec;
  const Bytes largest = vesk::test::SysexOf(CMIDIPacketParser::kMaxSysexBytes);
  feed(parser, largest, &rec);
  EXPECT_EQ(rec.LongBytes(), largest);

  rec.Clear();
  const Bytes tooLong = vesk::test::SysexOf(CMIDIPacketParser::kMaxSysexBytes + 1);
  feed(parser, tooLong, &rec);
  const Bytes got = rec.LongBytes();
  EXPECT_LT(got.size(), CMIDIPacketParser::kMaxSysexBytes);
  // Its end is told alone, after fragments short of the whole: the
  // receiver learns that the message it holds the beginning of ended (cut),
  // instead of taking the next one for more of it.
  const auto calls = rec.Calls();
  ASSERT_GE(calls.size(), 2u);
  for (size_t i = 0; i + 1 < calls.size(); ++i) EXPECT_NE(calls[i].bytes.back(), 0xF7);
  EXPECT_EQ(calls.back().bytes, Bytes{0xF7});

  // The line recovers with the next message.
  rec.Clear();
  feed(parser, Hex("F0 42 01 F7"), &rec);
  EXPECT_EQ(rec.Texts(), std::vector<std::string>{"L F0 42 01 F7"});
}

}  // namespace
