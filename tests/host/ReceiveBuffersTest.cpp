#include <gtest/gtest.h>

#include <numeric>

#include "host/MIDIPacketRingBuffer.h"
#include "host/MidiEntry.h"
#include "host/TalvikSysExAssembler.h"
#include "platform/NRXException.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(MIDIPacketRingBufferTest, FullRingOverwritesItsOldestPacket) {
  MIDIPacketRingBuffer ring(1024);
  for (uint8_t i = 0; i < 4; ++i) {
    const uint8_t d[] = {0x90, i, 0x40};
    ring.Push(1000 + i, d, 3, 7);
  }
  for (int i = 4; i < 1024 + 3; ++i) {
    const uint8_t d[] = {0x80};
    ring.Push(1000 + i, d, 1, 7);
  }
  EXPECT_EQ(ring.mLength(), 1024u);
  EXPECT_EQ(ring.Front().timeStampNs, 1003u);  // the first three are gone
  EXPECT_EQ(ring.Front().data[1], 3);
  EXPECT_EQ(ring.LastAsList().timeStampNs, 1000u + 1024 + 2);
  EXPECT_EQ(ring.LastAsList().numPackets, 1u);
  ring.Pop();
  EXPECT_EQ(ring.mLength(), 1023u);
}

TEST(MIDIPacketRingBufferTest, ClockBytesNeverEnterAndAnEmptyRingRefuses) {
  MIDIPacketRingBuffer ring(4);
  try {
    ring.Front();
    ADD_FAILURE();
  } catch (const NRXIfNotException& e) {
    EXPECT_NE(std::string(e.what()).find("mLength > 0"), std::string::npos);
  }
  EXPECT_THROW(ring.LastAsList(), NRXIfNotException);
  const uint8_t clocks[] = {0xF8, 0xF8, 0xF8};
  ring.Push(1, clocks, 3, 9);
  EXPECT_EQ(ring.LastAsList().length, 0);
  const uint8_t mixed[] = {0x90, 0xF8, 0x40, 0x7F, 0xF8};
  ring.Push(2, mixed, 5, 9);
  const auto& e = ring.LastAsList();
  EXPECT_EQ(Bytes(e.data, e.data + e.length), (Bytes{0x90, 0x40, 0x7F}));
  EXPECT_EQ(e.source, 9u);
}

// Feeds bytes and returns the lengths of the messages completed.
std::vector<int> Assemble(TalvikSysExAssembler& a, const Bytes& bytes) {
  std::vector<int> done;
  for (uint8_t b : bytes)
    if (int n = a.Feed(b)) done.push_back(n);
  return done;
}

Bytes SysEx(size_t total, uint8_t second = 0x42) {
  Bytes m(total, 0x11);
  m[0] = 0xF0;
  m[1] = second;
  m[total - 1] = 0xF7;
  return m;
}

TEST(TalvikSysExAssemblerTest, MessagesUpTo128BytesWithTheMakersOrUniversalId) {
  struct Case {
    const char* name;
    Bytes bytes;
    std::vector<int> want;
  };
  const Case cases[] = {
      {"9 bytes", SysEx(9), {9}},
      {"universal", SysEx(15, 0x7E), {15}},
      {"128 bytes", SysEx(128), {128}},
      {"129 bytes", SysEx(129), {}},
      {"200 bytes", SysEx(200), {}},
      {"other maker", SysEx(9, 0x41), {}},
      {"lone F7", {0xF7, 0x42, 0xF7}, {}},
      {"restart", {0xF0, 0x42, 0x01, 0xF0, 0x7E, 0x02, 0xF7}, {4}},
      {"after a dropped one", [] {
         Bytes b = SysEx(129);
         Bytes c = SysEx(9);
         b.insert(b.end(), c.begin(), c.end());
         return b;
       }(),
       {9}},
  };
  for (const Case& c : cases) {
    TalvikSysExAssembler a;
    EXPECT_EQ(Assemble(a, c.bytes), c.want) << c.name;
  }
  TalvikSysExAssembler a;
  const Bytes m = SysEx(128);
  ASSERT_EQ(Assemble(a, m), std::vector<int>{128});
  EXPECT_EQ(Bytes(a.buffer(), a.buffer() + 128), m);
}

TEST(MidiEntryTest, RecordLayoutIsExplicitAndLittleEndian) {
  MidiEntry e;
  e.displayName = "not stored";
  e.enable = 1;
  e.portKind = -1;
  e.deviceKey = 0x10001;
  e.entryClass = 1;
  e.uniqueID = 0x12345678;
  e.endpoint = 0xA00003;
  e.reservedA = 0xAABBCCDD;
  e.reservedB = 5;
  const MidiEntry::Record r = e.Serialize();
  const Bytes want = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // names are no file data
                      1, 0, 0, 0,                          // enable and padding
                      0xFF, 0xFF, 0xFF, 0xFF,              // port kind -1
                      0x01, 0x00, 0x01, 0x00,              // device key
                      0x01, 0, 0, 0,                       // entry class
                      0x78, 0x56, 0x34, 0x12,              // unique ID
                      0x03, 0x00, 0xA0, 0x00,              // endpoint
                      0xDD, 0xCC, 0xBB, 0xAA,              // reserved A
                      0x05, 0, 0, 0};                      // reserved B
  EXPECT_EQ(Bytes(r.begin(), r.end()), want);
  const MidiEntry back = MidiEntry::Parse(r.data());
  EXPECT_EQ(back.Serialize(), r);
  EXPECT_EQ(back.portName, nullptr);
  EXPECT_FALSE(MidiEntry::IsNoPort(r.data()));
  const MidiEntry::Record none{};
  EXPECT_TRUE(MidiEntry::IsNoPort(none.data()));
}

}  // namespace
