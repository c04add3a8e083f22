#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "remote/ChunkDecode.h"
#include "remote/RemoteStatus.h"
#include "remote/SXRequest.h"
#include "remote/SynthSysEx.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Oskend::SXRequest;
using S = Oskend::SynthSysEx;

constexpr uint8_t kCh = 5;
constexpr unsigned kSend = SXRequest::kSend, kTx = SXRequest::kSendProgress, kWait = SXRequest::kWait,
                   kRx = SXRequest::kRecvProgress;

Bytes H(std::initializer_list<uint8_t> after) {
  Bytes b{0xF0, 0x42, 0x35, 0x00, 0x01, 0x0C};
  for (uint8_t x : after) b.push_back(x);
  return b;
}

SXSig Sig(std::initializer_list<uint8_t> after) {
  const Bytes b = H(after);
  return SXSig(b.data(), unsigned(b.size()));
}

struct Row {
  std::string name;
  SXRequest req;
  Bytes bytes;
  unsigned flags;
  unsigned rxExpected;
  std::vector<SXSig> replies;
  SXSig status;
  unsigned timeoutMs;
};

// Requests without data: every byte, the session kind, the awaited answer.
TEST(SXRequest, RequestsByteForByte) {
  const SXSig st = Sig({0x24});
  const std::vector<Row> rows = {
      {"identity", SXRequest::Identity(), {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}, kSend | kWait, 15,
       {SXSig{0xF0, 0x7E, 0xFF, 0x06, 0x02, 0x42}}, SXSig(), 1000},
      {"mode and state", SXRequest::ModeAndState(kCh), H({0x12, 0xF7}), kSend | kWait, 13, {Sig({0x42})}, SXSig(), 0},
      {"cur prog", SXRequest::CurProgDumpReq(kCh, true, false), H({0x74, 0x00, 0xF7}), kSend | kWait, 1693,
       {Sig({0x75, 0xFF})}, st, 0},
      {"cur prog, no wait, foreign", SXRequest::CurProgDumpReq(kCh, false, true), H({0x74, 0x00, 0xF7}),
       kSend | kRx, 1693, {Sig({0x75, 0xFF})}, st, 0},
      {"cur combi", SXRequest::CurCombiDumpReq(kCh, true, true), H({0x74, 0x01, 0xF7}), kSend | kWait | kRx, 1533,
       {Sig({0x75, 0x01})}, st, 0},
      {"prog", SXRequest::ProgDumpReq(kCh, 2, 100), H({0x72, 0x00, 0x02, 0x00, 100, 0xF7}), kSend | kWait, 1696,
       {Sig({0x73, 0xFF})}, st, 0},
      {"prog bank", SXRequest::ProgDumpReq(kCh, 3, -1), H({0x72, 0x0F, 0x03, 0x00, 0x00, 0xF7}),
       kSend | kWait | kRx, 215346, {Sig({0x73, 0xFF})}, st, 0},
      {"combi", SXRequest::CombiDumpReq(kCh, 0, 19), H({0x72, 0x01, 0x00, 0x00, 19, 0xF7}), kSend | kWait, 1536,
       {Sig({0x73, 0x01})}, st, 0},
      {"all combis, any bank", SXRequest::CombiDumpReq(kCh, 4, -1), H({0x72, 0x11, 0x00, 0x00, 0x00, 0xF7}),
       kSend | kWait | kRx, 30459, {Sig({0x73, 0x11})}, st, 0},
      {"global", SXRequest::GlobalDumpReq(kCh), H({0x72, 0x03, 0x00, 0x00, 0x00, 0xF7}), kSend | kWait | kRx, 1997,
       {Sig({0x73, 0x03})}, st, 0},
      {"prog write", SXRequest::ProgWriteReq(kCh, 1, 127), H({0x77, 0x00, 0x01, 0x00, 127, 0xF7}), kSend | kWait, 10,
       {Sig({0x24, 0x00})}, st, 10000},
      {"combi write", SXRequest::CombiWriteReq(kCh, 0, 7), H({0x77, 0x01, 0x00, 0x00, 7, 0xF7}), kSend | kWait, 10,
       {Sig({0x24, 0x00})}, st, 10000},
      {"prog bank store", SXRequest::ProgBankStoreReq(kCh, 2), H({0x76, 0x00, 0x02, 0xF7}), kSend | kWait, 10,
       {Sig({0x24, 0x00})}, st, 10000},
      {"combi bank store", SXRequest::CombiBankStoreReq(kCh), H({0x76, 0x01, 0x00, 0xF7}), kSend | kWait, 10,
       {Sig({0x24, 0x00})}, st, 10000},
      {"mode change", SXRequest::ModeChange(kCh, 0x82), H({0x4E, 0x02, 0xF7}), kSend | kWait, 9,
       {Sig({0x4E, 0xFF}), Sig({0x24, 0x00})}, st, 5000},
      {"param change", SXRequest::ParamChange(kCh, 3, 0x8123, 1000),
       H({0x41, 0x03, 0x01, 0x01, 0x00, 0x23, 0x00, 0x00, 0x00, 0x07, 0x68, 0xF7}), kSend, 0, {}, SXSig(), 0},
      {"filter query", SXRequest::SysExFilterQuery(kCh), H({0x55, 0x00, 0x00, 0xF7}), kSend | kWait, 10,
       {Sig({0x55, 0x01})}, st, 0},
      {"filter on", SXRequest::SysExFilterSet(kCh, true), H({0x55, 0x02, 0x01, 0xF7}), kSend, 0, {}, SXSig(), 0},
      {"filter off", SXRequest::SysExFilterSet(kCh, false), H({0x55, 0x02, 0x00, 0xF7}), kSend, 0, {}, SXSig(), 0},
      {"master volume", SXRequest::MasterVolume(kCh, 0x2F05), {0xF0, 0x7F, 0x05, 0x04, 0x01, 0x05, 0x5E, 0xF7},
       kSend, 0, {}, SXSig(), 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.req.Wire(), r.bytes);
    EXPECT_EQ(r.req.WireSize(), r.bytes.size());
    EXPECT_EQ(r.req.flags, r.flags);
    EXPECT_EQ(r.req.rxExpected, r.rxExpected);
    EXPECT_EQ(r.req.expect.Replies(), r.replies);
    EXPECT_EQ(r.req.expect.Status(), r.status);
    EXPECT_EQ(r.req.timeoutMs, r.timeoutMs);
  }
}

struct DumpRow {
  std::string name;
  std::function<SXRequest(const uint8_t*, unsigned)> make;
  unsigned len;
  Bytes header;
  unsigned flags;
  unsigned timeoutMs;
  unsigned wire;
};

// Dumps the editor sends: header, packed data, F7; answered by a status.
TEST(SXRequest, DumpsByteForByte) {
  const std::vector<DumpRow> rows = {
      {"cur prog", [](auto d, auto n) { return SXRequest::CurProgDump(kCh, d, n, false); }, 1472,
       H({0x75, 0x00, 0x00}), kSend | kWait, 10000, 1693},
      {"cur prog foreign", [](auto d, auto n) { return SXRequest::CurProgDump(kCh, d, n, true); }, 1472,
       H({0x75, 0x00, 0x00}), kSend | kTx | kWait, 10000, 1693},
      {"cur combi", [](auto d, auto n) { return SXRequest::CurCombiDump(kCh, d, n, false); }, 1332,
       H({0x75, 0x01, 0x24}), kSend | kWait, 0, 1533},
      {"prog", [](auto d, auto n) { return SXRequest::ProgDump(kCh, 3, 64, d, n, true); }, 1472,
       H({0x73, 0x00, 0x03, 0x00, 64, 0x00}), kSend | kTx | kWait, 0, 1696},
      {"prog reads one program only", [](auto d, auto n) { return SXRequest::ProgDump(kCh, 0, 1, d, n, false); },
       5000, H({0x73, 0x00, 0x00, 0x00, 1, 0x00}), kSend | kWait, 0, 1696},
      {"prog bank", [](auto d, auto n) { return SXRequest::ProgDump(kCh, 1, -1, d, n, false); }, 188416,
       H({0x73, 0x0F, 0x01, 0x00, 0x00, 0x00}), kSend | kTx | kWait, 0, 215346},
      {"combi", [](auto d, auto n) { return SXRequest::CombiDump(kCh, 0, 5, d, n, false); }, 1332,
       H({0x73, 0x01, 0x00, 0x00, 5, 0x24}), kSend | kWait, 0, 1536},
      {"all combis", [](auto d, auto n) { return SXRequest::CombiDump(kCh, 0, -1, d, n, false); }, 26640,
       H({0x73, 0x11, 0x00, 0x00, 0x00, 0x24}), kSend | kTx | kWait, 0, 30459},
      {"combi bank 6", [](auto d, auto n) { return SXRequest::CombiDump(kCh, 6, -1, d, n, false); }, 26640,
       H({0x73, 0x11, 0x06, 0x00, 0x00, 0x24}), kSend | kTx | kWait, 0, 30459},
      {"combi bank 7", [](auto d, auto n) { return SXRequest::CombiDump(kCh, 7, -1, d, n, false); }, 26640,
       H({0x73, 0x11, 0x40, 0x00, 0x00, 0x24}), kSend | kTx | kWait, 0, 30459},
      {"global", [](auto d, auto n) { return SXRequest::GlobalDump(kCh, d, n); }, 1736,
       H({0x73, 0x03, 0x00, 0x00, 0x00, 0x24}), kSend | kTx | kWait | kRx, 0, 1997},
  };
  for (const DumpRow& r : rows) {
    SCOPED_TRACE(r.name);
    Bytes data(r.len);
    for (unsigned i = 0; i < r.len; ++i) data[i] = uint8_t(i * 37 + 11);
    const SXRequest req = r.make(data.data(), r.len);
    const Bytes wire = req.Wire();
    ASSERT_EQ(wire.size(), r.wire);
    EXPECT_EQ(req.WireSize(), r.wire);
    EXPECT_EQ(Bytes(wire.begin(), wire.begin() + long(r.header.size())), r.header);
    EXPECT_EQ(wire.back(), 0xF7);
    for (size_t i = 1; i + 1 < wire.size(); ++i) ASSERT_LT(wire[i], 0x80) << i;
    Bytes back(ChunkDecode::UnpackedSize(unsigned(wire.size() - r.header.size() - 1)));
    ChunkDecode::Decode(wire.data() + r.header.size(), unsigned(wire.size() - r.header.size() - 1), back.data());
    EXPECT_EQ(Bytes(back), Bytes(data.begin(), data.begin() + long(back.size())));
    EXPECT_EQ(req.flags, r.flags);
    EXPECT_EQ(req.timeoutMs, r.timeoutMs);
    EXPECT_EQ(req.expect.Replies(), std::vector<SXSig>{Sig({0x24, 0x00})});
    EXPECT_EQ(req.expect.Status(), Sig({0x24}));
  }
}

TEST(SXRequest, ParamChangeFieldsCoverSignedValuesAndFullIds) {
  struct Case {
    int id, value;
    Bytes fields;  // bytes 8 to 16
  };
  const Case cases[] = {
      {0x8123, 1000, {0x01, 0x01, 0x00, 0x23, 0x00, 0x00, 0x00, 0x07, 0x68}},
      {0x0080, 0, {0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
      {0xFFFF, -1, {0x01, 0x7F, 0x01, 0x7F, 0x0F, 0x7F, 0x7F, 0x7F, 0x7F}},
      {0x7F7F, -64, {0x00, 0x7F, 0x00, 0x7F, 0x0F, 0x7F, 0x7F, 0x7F, 0x40}},
      {0, INT32_MIN, {0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00}},
      {0, INT32_MAX, {0x00, 0x00, 0x00, 0x00, 0x07, 0x7F, 0x7F, 0x7F, 0x7F}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const Bytes m = S::ParamChange(0, 0x93, c.id, c.value);
    ASSERT_EQ(m.size(), 18u);
    EXPECT_EQ(m[7], 0x13);  // section id & 0x7F
    EXPECT_EQ(Bytes(m.begin() + 8, m.begin() + 17), c.fields);
    EXPECT_EQ(S::GetParamId(&m[8]), c.id);
    EXPECT_EQ(S::GetParamValue(&m[12]), c.value);
  }
}

TEST(SXRequest, ProgramChangePerMode) {
  using Msg = S::ShortMsg;
  auto run = [](int mode, int bank, int prog, bool map, std::vector<Msg>* out) {
    out->clear();
    return S::ProgramChange(mode, bank, prog, 2, map, out);
  };
  auto bytes = [](const std::vector<Msg>& v) {
    std::vector<Bytes> r;
    for (const Msg& m : v) r.emplace_back(m.bytes, m.bytes + m.len);
    return r;
  };
  std::vector<Msg> out;
  EXPECT_EQ(run(0, 0, 9, false, &out), 0);
  EXPECT_EQ(bytes(out), (std::vector<Bytes>{{0xB2, 0x00, 0x00}, {0xB2, 0x20, 0x00}, {0xC2, 9}}));
  EXPECT_EQ(run(1, 0, 9, true, &out), 0);
  EXPECT_EQ(bytes(out), (std::vector<Bytes>{{0xB2, 0x00, 63}, {0xB2, 0x20, 0x00}, {0xC2, 9}}));
  EXPECT_EQ(run(3, 3, 127, false, &out), 0);
  EXPECT_EQ(bytes(out), (std::vector<Bytes>{{0xB2, 0x00, 0x00}, {0xB2, 0x20, 0x03}, {0xC2, 127}}));
  EXPECT_EQ(run(4, 9, 12, false, &out), 0);
  EXPECT_EQ(bytes(out), (std::vector<Bytes>{{0xF3, 12}}));
  // Refused: nothing to send.
  for (auto [mode, bank] : {std::pair{0, 1}, {1, -1}, {2, 4}, {3, -1}, {5, 0}, {6, 0}, {255, 0}}) {
    EXPECT_EQ(run(mode, bank, 0, false, &out), Oskend::kRemoteFailed) << mode << " " << bank;
    EXPECT_TRUE(out.empty());
  }
}

TEST(SXRequest, ReceivedProgramChangeBankPerMode) {
  int bank = -1;
  EXPECT_TRUE(S::ReceivedProgramBank(0, 0, 9, &bank));
  EXPECT_EQ(bank, 8);
  EXPECT_TRUE(S::ReceivedProgramBank(1, 0, 7, &bank));
  EXPECT_EQ(bank, 7);
  EXPECT_TRUE(S::ReceivedProgramBank(2, 0, 3, &bank));
  EXPECT_EQ(bank, 3);
  EXPECT_TRUE(S::ReceivedProgramBank(3, 63, 3, &bank));
  EXPECT_EQ(bank, 0);
  EXPECT_FALSE(S::ReceivedProgramBank(4, 0, 3, &bank));
  EXPECT_FALSE(S::ReceivedProgramBank(6, 0, 3, &bank));
}

TEST(SXRequest, CombinationBankBytes) {
  for (auto [bank, wire] : {std::pair{0, 0x00}, {6, 0x06}, {7, 0x40}, {10, 0x43}}) {
    EXPECT_EQ(S::CombiBankToWire(bank), wire);
    EXPECT_EQ(S::CombiBankFromWire(uint8_t(wire)), bank);
  }
  EXPECT_EQ(S::CombiBankFromWire(0x3F), 0x3F);
  EXPECT_EQ(S::CombiBankFromWire(0xC0), 7);
}

}  // namespace
