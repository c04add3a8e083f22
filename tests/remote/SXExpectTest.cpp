#include <gtest/gtest.h>

#include <vector>

#include "remote/RemoteStatus.h"
#include "remote/SXExpect.h"
#include "remote/SXMessage.h"
#include "remote/SXRequest.h"
#include "remote/SynthSysEx.h"
#include "tests/support/simsynth/SynthReplies.h"

namespace {

using Bytes = std::vector<uint8_t>;
using S = Oskend::SynthSysEx;
using R = vesk::test::SynthReplies;

TEST(SXSig, WildcardsAndLength) {
  const SXSig sig{0xF0, 0x42, 0x30, 0x00, 0x01, 0x0C, 0x73, 0xFF};
  const Bytes dump{0xF0, 0x42, 0x30, 0x00, 0x01, 0x0C, 0x73, 0x0F, 0x00};
  EXPECT_TRUE(sig.Match(dump.data(), unsigned(dump.size())));
  EXPECT_TRUE(sig.Match(dump.data(), 8));
  EXPECT_FALSE(sig.Match(dump.data(), 7));
  const Bytes other{0xF0, 0x42, 0x31, 0x00, 0x01, 0x0C, 0x73, 0x0F};
  EXPECT_FALSE(sig.Match(other.data(), 8));
  EXPECT_FALSE(SXSig().Match(dump.data(), 9));
  EXPECT_FALSE(sig.Match(nullptr, 0));
  const uint8_t raw[] = {1, 2, 3};
  EXPECT_EQ(SXSig(raw, 3), (SXSig{1, 2, 3}));
}

// How each answer ends a waiting session: a table of request x incoming
// message -> outcome.
TEST(SXExpect, SessionOutcomes) {
  constexpr uint8_t ch = 0;
  struct Row {
    const char* name;
    Oskend::SXRequest req;
    Bytes msg;
    bool ends;
    int result;
  };
  const int failed = Oskend::kRemoteFailed;
  const Row rows[] = {
      {"write ok", Oskend::SXRequest::ProgWriteReq(ch, 0, 0), R::Status(ch, 0), true, 0},
      {"write status 3", Oskend::SXRequest::ProgWriteReq(ch, 0, 0), R::Status(ch, 3), true, Oskend::kSynthStatus3},
      {"write status 0x28", Oskend::SXRequest::ProgWriteReq(ch, 0, 0), R::Status(ch, 0x28), true,
       Oskend::kSynthStatus28},
      {"write, other channel", Oskend::SXRequest::ProgWriteReq(ch, 0, 0), R::Status(1, 0), false, 0},
      {"dump request, status 0", Oskend::SXRequest::ProgDumpReq(ch, 0, 0), R::Status(ch, 0), true, failed},
      {"dump request, status 5", Oskend::SXRequest::ProgDumpReq(ch, 0, 0), R::Status(ch, 5), true,
       Oskend::kSynthStatus5},
      {"dump request, mode change", Oskend::SXRequest::ProgDumpReq(ch, 0, 0), S::ModeChange(ch, 2), false, 0},
      {"mode and state", Oskend::SXRequest::ModeAndState(ch), R::ModeAndStateReply(ch, 3, Bytes(4, 0).data()), true,
       0},
      {"mode and state, status", Oskend::SXRequest::ModeAndState(ch), R::Status(ch, 0), false, 0},
      {"identity", Oskend::SXRequest::Identity(),
       R::IdentityReply(7, Bytes(2, 0).data(), Bytes(4, 0).data()), true, 0},
      {"mode change echo", Oskend::SXRequest::ModeChange(ch, 2), S::ModeChange(ch, 2), true, 0},
      {"mode change reported as 3", Oskend::SXRequest::ModeChange(ch, 2), S::ModeChange(ch, 3), true, 0},
      {"mode change status 0", Oskend::SXRequest::ModeChange(ch, 2), R::Status(ch, 0), true, 0},
      {"mode change status 1", Oskend::SXRequest::ModeChange(ch, 2), R::Status(ch, 1), true, Oskend::kSynthStatus1},
      {"mode change, param change", Oskend::SXRequest::ModeChange(ch, 2), S::ParamChange(ch, 0, 1, 2), false, 0},
      {"filter query", Oskend::SXRequest::SysExFilterQuery(ch), R::SysExFilterReply(ch, 1), true, 0},
      {"no wait: nothing ends it", Oskend::SXRequest::ParamChange(ch, 0, 0, 0), R::Status(ch, 0), false, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<uint8_t> scratch;
    const Bytes body(r.msg.begin(), r.msg.end() - 1);  // without F7, as received
    const Oskend::SXMessage m = Oskend::SXMessage::DecodeWire(r.msg.data(), unsigned(r.msg.size()), ch, scratch);
    if (m.kind == Oskend::eSXKind::kNone) {
      EXPECT_FALSE(r.ends);
      continue;
    }
    int out = 12345;
    EXPECT_EQ(r.req.expect.EndResult(body.data(), unsigned(body.size()), m.result, &out), r.ends);
    EXPECT_EQ(r.req.expect.Concerns(body.data(), unsigned(body.size())), r.ends);
    if (r.ends) {
      EXPECT_EQ(out, r.result);
    }
  }
}

// A dump header that is still arriving counts as activity for its request
// or its status, not for others.
TEST(SXExpect, ArrivingDumpHeaderConcernsItsRequestOnly) {
  const Bytes hdr = S::DumpHeader(0, S::kKindProgBank, 1, 0);
  EXPECT_TRUE(Oskend::SXRequest::ProgDumpReq(0, 1, -1).expect.Concerns(hdr.data(), unsigned(hdr.size())));
  EXPECT_FALSE(Oskend::SXRequest::CombiDumpReq(0, 0, -1).expect.Concerns(hdr.data(), unsigned(hdr.size())));
  EXPECT_FALSE(Oskend::SXRequest::GlobalDumpReq(0).expect.Concerns(hdr.data(), 7));
}

}  // namespace
