#include <gtest/gtest.h>

#include <vector>

#include "remote/RemoteStatus.h"
#include "remote/SXMessage.h"
#include "remote/SynthSysEx.h"
#include "tests/support/simsynth/SynthReplies.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Oskend::eSXKind;
using Oskend::SXMessage;
using S = Oskend::SynthSysEx;
using R = vesk::test::SynthReplies;

constexpr uint8_t kCh = 9;

Bytes H(std::initializer_list<uint8_t> after, uint8_t ch = kCh) {
  Bytes b = S::Hdr(ch);
  b.insert(b.end(), after);
  return b;
}

SXMessage Dec(const Bytes& m) {
  static Bytes scratch;
  return SXMessage::DecodeWire(m.data(), unsigned(m.size()), kCh, scratch);
}

TEST(SXMessage, ShortRepliesAndNotices) {
  {
    const SXMessage m = Dec({0xF0, 0x7E, 0x0B, 0x06, 0x02, 0x42, 0x0C, 0x01, 0x05, 0x06, 0x01, 0x02, 0x03, 0x04, 0xF7});
    EXPECT_EQ(m.kind, eSXKind::kIdentityReply);
    EXPECT_EQ(m.channel, 0x0B);  // accepted on any channel
    EXPECT_EQ(m.inquiry.Manufacturer(), 0x42);
    EXPECT_EQ(Bytes(m.inquiry.bytes, m.inquiry.bytes + 9),
              (Bytes{0x42, 0x0C, 0x01, 0x05, 0x06, 0x01, 0x02, 0x03, 0x04}));
    EXPECT_EQ(m.result, 0);
  }
  {
    const SXMessage m = Dec(H({0x42, 0x03, 0x07, 0x00, 0x00, 0x01, 0xF7}));
    EXPECT_EQ(m.kind, eSXKind::kModeAndState);
    EXPECT_EQ(m.mode, 3);
    EXPECT_EQ(Bytes(m.modeAndState.bytes, m.modeAndState.bytes + 6), (Bytes{0x03, 0x07, 0x00, 0x00, 0x01, 0xAA}));
    EXPECT_TRUE(m.modeAndState.IsValid());
  }
  {
    const SXMessage m = Dec(H({0x4E, 0x02, 0xF7}));
    EXPECT_EQ(m.kind, eSXKind::kModeChange);
    EXPECT_EQ(m.mode, 2);
  }
  {
    const SXMessage m = Dec(H({0x41, 0x03, 0x01, 0x01, 0x00, 0x23, 0x0F, 0x7F, 0x7F, 0x7F, 0x7F, 0xF7}));
    EXPECT_EQ(m.kind, eSXKind::kParamChange);
    EXPECT_EQ(m.section, 3);
    EXPECT_EQ(m.id, 0x8123);
    EXPECT_EQ(m.value, -1);
  }
  {
    const SXMessage m = Dec(H({0x55, 0x01, 0x01, 0xF7}));
    EXPECT_EQ(m.kind, eSXKind::kSysExFilter);
    EXPECT_EQ(m.filterState, 1);
    const SXMessage other = Dec(H({0x55, 0x03, 0xF7}));
    EXPECT_EQ(other.kind, eSXKind::kSysExFilter);
    EXPECT_EQ(other.filterState, -1);
  }
  {
    // Byte 5 is the low part, byte 6 the high part, as the editor sends it.
    const Bytes sent = S::MasterVolume(kCh, 12037);
    const SXMessage m = Dec(sent);
    EXPECT_EQ(m.kind, eSXKind::kMasterVolume);
    EXPECT_EQ(m.volume, 12037u);
    EXPECT_EQ(Dec({0xF0, 0x7F, kCh, 0x04, 0x01, 0x7F, 0x00, 0xF7}).volume, 127u);
    EXPECT_EQ(Dec({0xF0, 0x7F, kCh, 0x04, 0x01, 0x00, 0x01, 0xF7}).volume, 128u);
  }
}

// The codes are the interface: callers compare and store them as numbers.
static_assert(Oskend::kRemoteOK == 0 && uint32_t(Oskend::kRemoteFailed) == 0x80000001u &&
              uint32_t(Oskend::kRemoteAborted) == 0x80000002u &&
              uint32_t(Oskend::kRemoteBusy) == 0x80000003u &&
              uint32_t(Oskend::kRemoteTimeout) == 0x80000004u &&
              uint32_t(Oskend::kRemoteQueueFull) == 0x80000005u);
static_assert(uint32_t(Oskend::kSynthStatus1) == 0xC0000001u &&
              uint32_t(Oskend::kSynthStatus2) == 0xC0000002u &&
              uint32_t(Oskend::kSynthStatus3) == 0xC0000003u &&
              uint32_t(Oskend::kSynthStatus4) == 0xC0000004u &&
              uint32_t(Oskend::kSynthStatus5) == 0xC0000005u &&
              uint32_t(Oskend::kSynthStatus28) == 0xC0000040u &&
              uint32_t(Oskend::kSynthStatusOther) == 0xC00000FFu);

TEST(SXMessage, StatusBytesMapToResults) {
  const std::pair<uint8_t, uint32_t> rows[] = {
      {0x00, 0},           {0x01, 0xC0000001}, {0x02, 0xC0000002}, {0x03, 0xC0000003}, {0x04, 0xC0000004},
      {0x05, 0xC0000005},  {0x28, 0xC0000040}, {0x06, 0xC00000FF}, {0x27, 0xC00000FF}, {0x7F, 0xC00000FF},
  };
  for (auto [s, code] : rows) {
    const SXMessage m = Dec(R::Status(kCh, s));
    EXPECT_EQ(m.kind, eSXKind::kStatus);
    EXPECT_EQ(static_cast<uint32_t>(m.result), code) << int(s);
    EXPECT_EQ(static_cast<uint32_t>(Oskend::SynthStatusToResult(s)), code);
  }
}

TEST(SXMessage, IgnoresForeignShortAndUnknownMessages) {
  const Bytes ignored[] = {
      H({0x24, 0x00, 0x00, 0xF7}, kCh + 1),                      // another channel
      {0xF0, 0x7F, kCh + 1, 0x04, 0x01, 0x00, 0x01, 0xF7},        // volume on another channel
      {0xF0, 0x43, 0x39, 0x00, 0x01, 0x0C, 0x24, 0x00, 0xF7},     // another maker
      H({0x24}),                                                  // status too short
      H({0x41, 0x03, 0x01, 0x01, 0x00, 0x23, 0x00, 0x00, 0x00}),  // param change too short
      H({0x42, 0x03, 0x07, 0x00, 0x00}),                          // mode and state too short
      H({0x4E}),                                                  // mode change too short
      H({0x73, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7}),        // unknown dump kind
      H({0x75, 0x03, 0x24, 0x00, 0xF7}),                          // unknown current dump kind
      H({0x73, 0x00, 0x00, 0x00, 0xF7}),                          // dump header cut short
      H({0x12, 0xF7}),                                            // a request, not a reply
      {0xF0, 0x7E, 0x00, 0x06, 0x02, 0x43, 0x0C, 0x01, 0, 0, 0, 0, 0, 0, 0xF7},  // other maker's identity
      {0xF0, 0x7E, 0x00, 0x06, 0x02, 0x42, 0x0C, 0x01, 0, 0, 0, 0, 0xF7},        // identity too short
      {},
  };
  for (const Bytes& m : ignored) EXPECT_EQ(Dec(m).kind, eSXKind::kNone) << ::testing::PrintToString(m);
}

TEST(SXMessage, DumpsCarryPlaceAndExactData) {
  struct Row {
    Bytes header;
    unsigned size;
    eSXKind kind;
    int bank, number;
  };
  const Row rows[] = {
      {S::CurDumpHeader(kCh, 0), 1472, eSXKind::kCurProgDump, 0, 0},
      {S::CurDumpHeader(kCh, 1), 1332, eSXKind::kCurCombiDump, 0, 0},
      {H({0x73, 0x00, 0x83, 0x00, 0xFF, 0x00}), 1472, eSXKind::kProgDump, 3, 127},
      {H({0x73, 0x0F, 0x02, 0x00, 0x00, 0x00}), 188416, eSXKind::kProgDump, 2, -1},
      {H({0x73, 0x01, 0x40, 0x00, 0x13, 0x24}), 1332, eSXKind::kCombiDump, 7, 19},
      {H({0x73, 0x01, 0x05, 0x00, 0x02, 0x24}), 1332, eSXKind::kCombiDump, 5, 2},
      {H({0x73, 0x11, 0x00, 0x00, 0x00, 0x24}), 26640, eSXKind::kCombiDump, 0, -1},
      {H({0x73, 0x03, 0x00, 0x00, 0x00, 0x24}), 1736, eSXKind::kGlobalDump, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::PrintToString(r.header));
    Bytes data(r.size);
    for (unsigned i = 0; i < r.size; ++i) data[i] = uint8_t(i ^ (i >> 8));
    const Bytes wire = S::Dump(r.header, data.data(), r.size);

    Oskend::SXDumpInfo info;
    ASSERT_TRUE(SXMessage::IdentifyDump(wire.data(), unsigned(r.header.size()), kCh, &info));
    EXPECT_EQ(info.kind, r.kind);
    EXPECT_EQ(info.headerLen, r.header.size());
    EXPECT_EQ(info.wireTotal, wire.size());
    EXPECT_EQ(info.dataSize, r.size);

    const SXMessage m = Dec(wire);
    EXPECT_EQ(m.kind, r.kind);
    EXPECT_TRUE(m.accepted);
    EXPECT_EQ(m.bank, r.bank);
    EXPECT_EQ(m.number, r.number);
    ASSERT_EQ(m.size, r.size);
    EXPECT_EQ(Bytes(m.data, m.data + m.size), data);

    // One data byte short or over: refused whole, the session fails.
    for (unsigned bad : {r.size - 1, r.size + 1, 0u}) {
      Bytes other(bad, 0x11);
      const SXMessage b = Dec(S::Dump(r.header, other.data(), bad));
      EXPECT_EQ(b.kind, r.kind);
      EXPECT_FALSE(b.accepted) << bad;
      EXPECT_EQ(b.data, nullptr);
      EXPECT_EQ(b.size, 0u);
      EXPECT_EQ(b.result, Oskend::kRemoteFailed);
    }
  }
}

}  // namespace
