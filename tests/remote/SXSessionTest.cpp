#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "os/ProgressWindow.h"
#include "os/Thread.h"
#include "remote/ChunkEncode.h"
#include "remote/RemoteStatus.h"
#include "remote/SXRcvCtx.h"
#include "remote/SXSessionCtx.h"
#include "remote/SynthSysEx.h"
#include "tests/support/TestEnvironment.h"

namespace vesk::test {
namespace {

using Oskend::SXRequest;
using S = Oskend::SynthSysEx;
using Bytes = std::vector<uint8_t>;

Bytes Own(uint8_t ch, std::initializer_list<uint8_t> tail) {
  Bytes b = S::Hdr(ch);
  b.insert(b.end(), tail);
  return b;
}

class SXSessionTest : public ::testing::Test {
 protected:
  uint64_t NowMs() const { return os::NowUs() / 1000; }
  // One session: `arrive` plays the receiving thread, then the caller waits.
  int Run(const SXRequest& req, const std::function<void()>& arrive) {
    EXPECT_EQ(ctx.Begin(req), 0);
    arrive();
    const int r = ctx.Progress().Wait(ctx.TimeoutMs(), ctx.ShowsProgress());
    ctx.End();
    return r;
  }

  TestEnvironment env;
  CHfcWindow* parent = nullptr;
  SXSessionCtx ctx{parent};
};

TEST_F(SXSessionTest, RepliesEndTheSessionByTheirSignatures) {
  struct Case {
    const char* name;
    SXRequest req;
    Bytes msg;
    int msgResult;
    int expected;
  };
  const SXRequest dumpReq = SXRequest::ProgDumpReq(0, 0, 5);
  const SXRequest mode = SXRequest::ModeChange(0, 2);
  const std::vector<Case> cases = {
      {"wildcard matches any kind", dumpReq, Own(0, {0x73, 0x0F, 0x00}), 0, 0},
      {"the dump's own result", dumpReq, Own(0, {0x73, 0x00}), Oskend::kRemoteFailed,
       Oskend::kRemoteFailed},
      {"shorter than the signature", dumpReq, Own(0, {0x73}), 0, Oskend::kRemoteTimeout},
      {"another channel", dumpReq, Own(1, {0x73, 0x00}), 0, Oskend::kRemoteTimeout},
      {"another function", dumpReq, Own(0, {0x42, 0x00}), 0, Oskend::kRemoteTimeout},
      {"status 0 where a dump was due", dumpReq, Own(0, {0x24, 0x00}), 0, Oskend::kRemoteFailed},
      {"status 3", dumpReq, Own(0, {0x24, 0x03}), Oskend::kSynthStatus3, Oskend::kSynthStatus3},
      {"identity on any channel", SXRequest::Identity(),
       Bytes{0xF0, 0x7E, 0x09, 0x06, 0x02, 0x42, 0x0C, 0x01}, 0, 0},
      {"mode change echoed", mode, Own(0, {0x4E, 0x03}), 0, 0},
      {"mode change confirmed by status 0", mode, Own(0, {0x24, 0x00}), 0, 0},
      {"mode change refused", mode, Own(0, {0x24, 0x04}), Oskend::kSynthStatus4,
       Oskend::kSynthStatus4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const uint64_t start = NowMs();
    EXPECT_EQ(Run(c.req, [&] { ctx.NotifyEndRX(c.msg.data(), unsigned(c.msg.size()), c.msgResult); }),
              c.expected);
    if (c.expected == Oskend::kRemoteTimeout) {
      EXPECT_EQ(NowMs() - start, c.req.timeoutMs ? c.req.timeoutMs : 1000u);
    }
  }
  // A reply that comes after its session ended changes nothing.
  const Bytes late = Own(0, {0x73, 0x00});
  ctx.NotifyEndRX(late.data(), unsigned(late.size()), 0);
  EXPECT_EQ(Run(dumpReq, [] {}), Oskend::kRemoteTimeout);
}

TEST_F(SXSessionTest, OneSessionAtATime) {
  const SXRequest req = SXRequest::ParamChange(0, 3, 1, 2);
  ASSERT_EQ(ctx.Begin(req), 0);
  EXPECT_EQ(ctx.Begin(req), Oskend::kRemoteBusy);
  int other = 0;
  os::Thread t;
  t.Start([&] { other = ctx.Begin(req); });
  t.Join();
  EXPECT_EQ(other, Oskend::kRemoteBusy);
  ctx.End();
  t.Start([&] {
    other = ctx.Begin(req);
    if (other == 0) ctx.End();
  });
  t.Join();
  EXPECT_EQ(other, 0);
}

TEST_F(SXSessionTest, LongMessagesGoOutInBlocksWithSendProgress) {
  Bytes bank(S::kProgBankSize);
  for (size_t i = 0; i < bank.size(); ++i) bank[i] = uint8_t(i * 7 + (i >> 9));
  const SXRequest req = SXRequest::ProgDump(0, 1, -1, bank.data(), unsigned(bank.size()), true);
  ASSERT_EQ(ctx.Begin(req), 0);
  auto* window = os::HeadlessProgressWindow::Current();
  ASSERT_NE(window, nullptr);

  std::vector<unsigned> sizes;
  Bytes wire;
  std::string afterFirst;
  EXPECT_EQ(ctx.HandleSendSysex([&](const uint8_t* p, unsigned n) {
    if (sizes.size() == 1) {
      env.loop().RunPending();
      afterFirst = window->text();
    }
    sizes.push_back(n);
    wire.insert(wire.end(), p, p + n);
    return 0;
  }),
            0);
  env.loop().RunPending();
  ASSERT_EQ(sizes.size(), 211u);
  EXPECT_EQ(sizes.front(), 1024u);
  EXPECT_EQ(sizes.back(), 306u);
  EXPECT_TRUE(wire == req.Wire());
  EXPECT_EQ(wire.size(), 215346u);
  // 1024 of 215346 bytes is position 4 of 1024: 0 %.
  EXPECT_EQ(afterFirst, "Transmitting...\n0 %");
  EXPECT_EQ(window->text(), "Transmitting...\n100 %");
  ctx.End();
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);

  // A failing block stops the message there with its code.
  ASSERT_EQ(ctx.Begin(req), 0);
  int blocks = 0;
  EXPECT_EQ(ctx.HandleSendSysex([&](const uint8_t*, unsigned) {
    return ++blocks == 3 ? Oskend::kRemoteFailed : 0;
  }),
            Oskend::kRemoteFailed);
  EXPECT_EQ(blocks, 3);
  ctx.End();
}

TEST_F(SXSessionTest, ReceiveProgressAndCancelFromTheWindow) {
  SXRequest req = SXRequest::ProgDumpReq(0, 2, -1);
  const Bytes hdr = Own(0, {0x73, 0x0F, 0x02, 0x00, 0x00, 0x00});
  std::string shown;
  ASSERT_EQ(ctx.Begin(req), 0);
  env.loop().Post([&] {
    ctx.NotifyPosRX(hdr.data(), unsigned(hdr.size()), 215346 / 2);
    env.loop().Post([&] {
      shown = os::HeadlessProgressWindow::Current()->text();
      os::HeadlessProgressWindow::Current()->PressCancel();
    });
  });
  EXPECT_EQ(ctx.Progress().Wait(ctx.TimeoutMs(), true), Oskend::kRemoteAborted);
  EXPECT_EQ(shown, "Receiving...\n50 %");
  EXPECT_TRUE(ctx.Progress().Cancelled());
  ctx.End();
  EXPECT_FALSE(ctx.Progress().Cancelled());
}

TEST_F(SXSessionTest, ModalTimeOutRunsFromTheLastActivity) {
  const SXRequest req = SXRequest::GlobalDumpReq(0);
  const Bytes hdr = Own(0, {0x73, 0x03, 0x00, 0x00, 0x00, 0x24});
  uint64_t start = NowMs();
  EXPECT_EQ(Run(req, [] {}), Oskend::kRemoteTimeout);
  EXPECT_GE(NowMs() - start, 10000u);
  EXPECT_LE(NowMs() - start, 10100u);

  start = NowMs();
  env.loop().AddTimer(6000, 0, [&] { ctx.NotifyPosRX(hdr.data(), unsigned(hdr.size()), 500); });
  EXPECT_EQ(Run(req, [] {}), Oskend::kRemoteTimeout);
  EXPECT_GE(NowMs() - start, 16000u);
  EXPECT_LE(NowMs() - start, 16100u);
}

TEST(SXRcvCtxTest, DecodesADumpOnceItsHeaderIsKnown) {
  Bytes data(S::kGlobalSize);
  for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(255 - i);
  Bytes msg = S::Dump(S::DumpHeader(0, S::kKindGlobal, 0, 0), data.data(), unsigned(data.size()));
  msg.pop_back();  // the receiver never stores the F7

  SXRcvCtx rcv;
  rcv.Write(msg.data(), 20, false);  // outside a message: nothing
  EXPECT_EQ(rcv.Get().written, 0u);
  rcv.Enter();
  rcv.Write(msg.data(), 20, false);
  EXPECT_FALSE(rcv.GetEstimation(nullptr, nullptr));
  rcv.Estimated(1997, 12, false);
  unsigned total = 0;
  SXSig header;
  ASSERT_TRUE(rcv.GetEstimation(&total, &header));
  EXPECT_EQ(total, 1997u);
  EXPECT_EQ(header.Bytes(), Bytes(msg.begin(), msg.begin() + 12));
  rcv.Write(msg.data() + 20, unsigned(msg.size() - 20), true);
  SXRcvCtx::View v = rcv.Get();
  EXPECT_EQ(v.written, msg.size());
  EXPECT_EQ(Bytes(v.data, v.data + v.dataLen), data);

  // Aborted: nothing more is stored and no estimation is given.
  rcv.Enter();
  rcv.Write(msg.data(), 100, false);
  rcv.Abort();
  rcv.Estimated(1997, 12, false);
  rcv.Write(msg.data() + 100, 100, false);
  EXPECT_FALSE(rcv.GetEstimation(nullptr, nullptr));
  EXPECT_EQ(rcv.Get().written, 100u);
  EXPECT_TRUE(rcv.End());
  EXPECT_FALSE(rcv.Get().inside);
}

}  // namespace
}  // namespace vesk::test
