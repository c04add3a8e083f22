#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "remote/RemoteStatus.h"
#include "remote/SXMessage.h"
#include "remote/SXRequest.h"
#include "remote/SynthSysEx.h"
#include "tests/support/simsynth/SimSynth.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Oskend::eSXKind;
using Oskend::SXMessage;
using Oskend::SXRequest;
using S = Oskend::SynthSysEx;
using vesk::test::SimSynth;
using vesk::test::SimSynthEvent;
using vesk::test::SimSynthSettings;

constexpr uint8_t kCh = 4;

// One exchange as the editor sees it: the request goes to the instrument,
// each answer is decoded and offered to the request's expectation.
struct Exchange {
  std::vector<Bytes> replies;
  std::vector<SXMessage> decoded;
  std::vector<Bytes> scratch;  // keeps decoded dump data alive
  bool ended = false;
  int result = 1;
};

Exchange Exchanged(SimSynth& synth, const SXRequest& req, uint8_t editorCh = kCh) {
  Exchange x;
  x.replies = synth.Handle(req.Wire());
  x.scratch.resize(x.replies.size());
  for (size_t i = 0; i < x.replies.size(); ++i) {
    const Bytes& r = x.replies[i];
    x.decoded.push_back(SXMessage::DecodeWire(r.data(), unsigned(r.size()), editorCh, x.scratch[i]));
    const SXMessage& m = x.decoded.back();
    if (m.kind == eSXKind::kNone || x.ended) continue;
    const unsigned hdrLen = unsigned(r.size()) - 1;
    x.ended = req.expect.EndResult(r.data(), hdrLen, m.result, &x.result);
  }
  return x;
}

Bytes Slice(const SimSynth& s, unsigned off, unsigned len) {
  return Bytes(s.Memory().begin() + off, s.Memory().begin() + off + len);
}

SimSynth MakeSynth() {
  SimSynthSettings st;
  st.channel = kCh;
  st.member[0] = 0x12;
  st.member[1] = 0x34;
  st.state[0] = 0x07;
  st.state[3] = 0x01;
  SimSynth s(st);
  s.FillPattern(99);
  return s;
}

TEST(SimSynth, AnswersIdentityAndModeAndState) {
  SimSynth synth = MakeSynth();
  synth.SetMode(3);
  Exchange id = Exchanged(synth, SXRequest::Identity());
  ASSERT_EQ(id.replies.size(), 1u);
  EXPECT_EQ(id.replies[0].size(), 15u);
  EXPECT_TRUE(id.ended);
  EXPECT_EQ(id.result, 0);
  EXPECT_EQ(id.decoded[0].channel, kCh);
  EXPECT_EQ(Bytes(id.decoded[0].inquiry.bytes, id.decoded[0].inquiry.bytes + 9),
            (Bytes{0x42, 0x0C, 0x01, 0x12, 0x34, 1, 0, 0, 0}));

  Exchange ms = Exchanged(synth, SXRequest::ModeAndState(kCh));
  ASSERT_TRUE(ms.ended);
  EXPECT_EQ(ms.replies[0].size(), 13u);
  EXPECT_EQ(Bytes(ms.decoded[0].modeAndState.bytes, ms.decoded[0].modeAndState.bytes + 6),
            (Bytes{3, 7, 0, 0, 1, 0xAA}));

  // Requests on another channel are not the instrument's business.
  EXPECT_TRUE(synth.Handle(SXRequest::ModeAndState(kCh + 1).Wire()).empty());
}

// Every dump request, round trip: the editor's request, the instrument's
// dump from its memory, the editor's decoder.
TEST(SimSynth, DumpRequestsRoundTrip) {
  struct Row {
    std::string name;
    SXRequest req;
    unsigned offset, size;
    eSXKind kind;
    int bank, number;
  };
  const std::vector<Row> rows = {
      {"cur prog", SXRequest::CurProgDumpReq(kCh, true, false), SimSynth::kProgEditOffset, 1472,
       eSXKind::kCurProgDump, 0, 0},
      {"cur combi", SXRequest::CurCombiDumpReq(kCh, true, false), SimSynth::kCombiEditOffset, 1332,
       eSXKind::kCurCombiDump, 0, 0},
      {"prog D127", SXRequest::ProgDumpReq(kCh, 3, 127), SimSynth::ProgOffset(3, 127), 1472, eSXKind::kProgDump, 3,
       127},
      {"prog bank B", SXRequest::ProgDumpReq(kCh, 1, -1), SimSynth::ProgOffset(1, 0), 188416, eSXKind::kProgDump, 1,
       -1},
      {"combi 19", SXRequest::CombiDumpReq(kCh, 0, 19), SimSynth::CombiOffset(19), 1332, eSXKind::kCombiDump, 0, 19},
      {"all combis", SXRequest::CombiDumpReq(kCh, 0, -1), SimSynth::kCombisOffset, 26640, eSXKind::kCombiDump, 0,
       -1},
      {"global", SXRequest::GlobalDumpReq(kCh), SimSynth::kGlobalOffset, 1736, eSXKind::kGlobalDump, 0, 0},
  };
  SimSynth synth = MakeSynth();
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Exchange x = Exchanged(synth, r.req);
    ASSERT_EQ(x.replies.size(), 1u);
    EXPECT_EQ(x.replies[0].size(), r.req.rxExpected);
    EXPECT_TRUE(x.ended);
    EXPECT_EQ(x.result, 0);
    const SXMessage& m = x.decoded[0];
    EXPECT_EQ(m.kind, r.kind);
    EXPECT_TRUE(m.accepted);
    EXPECT_EQ(m.bank, r.bank);
    EXPECT_EQ(m.number, r.number);
    ASSERT_EQ(m.size, r.size);
    EXPECT_EQ(Bytes(m.data, m.data + m.size), Slice(synth, r.offset, r.size));
  }
  // Places the instrument does not have are answered with a status.
  for (const SXRequest& bad : {SXRequest::ProgDumpReq(kCh, 4, 0), SXRequest::CombiDumpReq(kCh, 0, 20),
                               SXRequest::CombiDumpReq(kCh, 1, 0)}) {
    Exchange x = Exchanged(synth, bad);
    EXPECT_TRUE(x.ended);
    EXPECT_EQ(x.result, Oskend::kSynthStatus3);
  }
}

// Dumps from the editor land in the instrument's memory at their place;
// the writes and bank stores that follow them are answered by status.
TEST(SimSynth, AcceptsDumpsWritesAndStores) {
  SimSynth synth = MakeSynth();
  auto data = [](unsigned n, uint8_t salt) {
    Bytes d(n);
    for (unsigned i = 0; i < n; ++i) d[i] = uint8_t(i * 7 + salt);
    return d;
  };
  struct Row {
    std::string name;
    Bytes bytes;
    std::function<SXRequest(const Bytes&)> make;
    unsigned offset;
  };
  const std::vector<Row> rows = {
      {"cur prog", data(1472, 1), [](auto& d) { return SXRequest::CurProgDump(kCh, d.data(), 1472, false); },
       SimSynth::kProgEditOffset},
      {"cur combi", data(1332, 2), [](auto& d) { return SXRequest::CurCombiDump(kCh, d.data(), 1332, false); },
       SimSynth::kCombiEditOffset},
      {"prog C5", data(1472, 3), [](auto& d) { return SXRequest::ProgDump(kCh, 2, 5, d.data(), 1472, false); },
       SimSynth::ProgOffset(2, 5)},
      {"prog bank D", data(188416, 4),
       [](auto& d) { return SXRequest::ProgDump(kCh, 3, -1, d.data(), 188416, false); }, SimSynth::ProgOffset(3, 0)},
      {"combi 3", data(1332, 5), [](auto& d) { return SXRequest::CombiDump(kCh, 0, 3, d.data(), 1332, false); },
       SimSynth::CombiOffset(3)},
      {"all combis", data(26640, 6),
       [](auto& d) { return SXRequest::CombiDump(kCh, 0, -1, d.data(), 26640, false); }, SimSynth::kCombisOffset},
      {"global", data(1736, 7), [](auto& d) { return SXRequest::GlobalDump(kCh, d.data(), 1736); },
       SimSynth::kGlobalOffset},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    synth.ClearLog();
    Exchange x = Exchanged(synth, r.make(r.bytes));
    EXPECT_TRUE(x.ended);
    EXPECT_EQ(x.result, 0);
    EXPECT_EQ(Slice(synth, r.offset, unsigned(r.bytes.size())), r.bytes);
    ASSERT_EQ(synth.Log().size(), 1u);
    EXPECT_EQ(synth.Log()[0].kind, SimSynthEvent::kDumpReceived);
  }

  // The edit buffer written into memory.
  synth.ClearLog();
  Exchange w = Exchanged(synth, SXRequest::ProgWriteReq(kCh, 1, 9));
  EXPECT_TRUE(w.ended);
  EXPECT_EQ(w.result, 0);
  EXPECT_EQ(Slice(synth, SimSynth::ProgOffset(1, 9), 1472), data(1472, 1));
  Exchange cw = Exchanged(synth, SXRequest::CombiWriteReq(kCh, 0, 11));
  EXPECT_EQ(cw.result, 0);
  EXPECT_EQ(Slice(synth, SimSynth::CombiOffset(11), 1332), data(1332, 2));
  EXPECT_EQ(Exchanged(synth, SXRequest::ProgBankStoreReq(kCh, 3)).result, 0);
  EXPECT_EQ(Exchanged(synth, SXRequest::CombiBankStoreReq(kCh)).result, 0);
  ASSERT_EQ(synth.Log().size(), 4u);
  EXPECT_EQ(synth.Log()[0].kind, SimSynthEvent::kWrite);
  EXPECT_EQ(synth.Log()[0].bank, 1);
  EXPECT_EQ(synth.Log()[0].number, 9);
  EXPECT_EQ(synth.Log()[1].dumpKind, 1);
  EXPECT_EQ(synth.Log()[2].kind, SimSynthEvent::kBankStore);
  EXPECT_EQ(synth.Log()[2].bank, 3);
  EXPECT_EQ(synth.Log()[3].dumpKind, 1);

  // A program dump cut short is refused and memory stays as it was.
  const Bytes before = Slice(synth, SimSynth::ProgOffset(0, 0), 1472);
  const Bytes shortData = data(1400, 9);
  Exchange bad = Exchanged(synth, SXRequest::CurProgDump(kCh, shortData.data(), 1400, false));
  EXPECT_EQ(bad.result, Oskend::kSynthStatus3);
  EXPECT_EQ(synth.Log().back().kind, SimSynthEvent::kDumpRefused);
  EXPECT_EQ(Slice(synth, SimSynth::ProgOffset(0, 0), 1472), before);
}

TEST(SimSynth, ModeChangesParamChangesAndShortMessagesAreLogged) {
  SimSynth synth = MakeSynth();
  Exchange mc = Exchanged(synth, SXRequest::ModeChange(kCh, 2));
  EXPECT_TRUE(mc.ended);
  EXPECT_EQ(mc.result, 0);
  EXPECT_EQ(mc.decoded[0].kind, eSXKind::kModeChange);
  EXPECT_EQ(synth.Mode(), 2);

  synth.Settings().modeChangeByStatus = true;
  Exchange ms = Exchanged(synth, SXRequest::ModeChange(kCh, 0));
  EXPECT_TRUE(ms.ended);
  EXPECT_EQ(ms.result, 0);

  EXPECT_TRUE(synth.Handle(SXRequest::ParamChange(kCh, 3, 0x8123, -1000).Wire()).empty());
  EXPECT_TRUE(synth.Handle(SXRequest::MasterVolume(kCh, 12037).Wire()).empty());
  EXPECT_TRUE(synth.Handle(SXRequest::SysExFilterSet(kCh, false).Wire()).empty());
  Exchange fq = Exchanged(synth, SXRequest::SysExFilterQuery(kCh));
  EXPECT_TRUE(fq.ended);
  EXPECT_EQ(fq.decoded[0].filterState, 0);

  std::vector<S::ShortMsg> pc;
  ASSERT_EQ(S::ProgramChange(2, 3, 17, kCh, false, &pc), 0);
  for (const auto& m : pc) EXPECT_TRUE(synth.Handle(m.bytes, m.len).empty());
  EXPECT_EQ(synth.CurrentBank(), 3);
  EXPECT_EQ(synth.CurrentProgram(), 17);

  const auto& log = synth.Log();
  ASSERT_EQ(log.size(), 6u);
  EXPECT_EQ(log[0].kind, SimSynthEvent::kModeChange);
  EXPECT_EQ(log[0].mode, 2);
  EXPECT_EQ(log[2].kind, SimSynthEvent::kParamChange);
  EXPECT_EQ(log[2].section, 3);
  EXPECT_EQ(log[2].id, 0x8123);
  EXPECT_EQ(log[2].value, -1000);
  EXPECT_EQ(log[3].kind, SimSynthEvent::kMasterVolume);
  EXPECT_EQ(log[3].value, 12037);
  EXPECT_EQ(synth.MasterVolume(), 12037u);
  EXPECT_EQ(log[4].kind, SimSynthEvent::kSysExFilter);
  EXPECT_EQ(log[5].kind, SimSynthEvent::kProgramChange);
  EXPECT_EQ(log[5].bank, 3);
}

TEST(SimSynth, PanelMessagesDecodeOnTheEditorSide) {
  SimSynth synth = MakeSynth();
  std::vector<uint8_t> scratch;
  auto dec = [&](const Bytes& m) { return SXMessage::DecodeWire(m.data(), unsigned(m.size()), kCh, scratch); };

  const SXMessage pc = dec(synth.PanelParamChange(0x85, 0x8123, -7));
  EXPECT_EQ(pc.kind, eSXKind::kParamChange);
  EXPECT_EQ(pc.section, 5);
  EXPECT_EQ(pc.id, 0x8123);
  EXPECT_EQ(pc.value, -7);

  const SXMessage mc = dec(synth.PanelModeChange(3));
  EXPECT_EQ(mc.kind, eSXKind::kModeChange);
  EXPECT_EQ(mc.mode, 3);

  EXPECT_EQ(dec(synth.PanelMasterVolume(9000)).volume, 9000u);

  const SXMessage bank = dec(synth.PanelDump(S::kKindProgBank, 2, -1));
  EXPECT_EQ(bank.kind, eSXKind::kProgDump);
  EXPECT_EQ(bank.number, -1);
  EXPECT_EQ(Bytes(bank.data, bank.data + bank.size), Slice(synth, SimSynth::ProgOffset(2, 0), 188416));

  // A program change from the panel selects the same bank on the editor's
  // side, in either mode.
  for (auto [mode, bankNo] : {std::pair{0, 0}, {0, 7}, {2, 3}}) {
    synth.SetMode(uint8_t(mode));
    const auto msgs = synth.PanelProgramChange(bankNo, 42);
    ASSERT_EQ(msgs.size(), 3u);
    EXPECT_EQ(msgs[2], (Bytes{uint8_t(0xC0 | kCh), 42}));
    int got = -1;
    ASSERT_TRUE(S::ReceivedProgramBank(mode, msgs[0][2], msgs[1][2], &got));
    EXPECT_EQ(got, bankNo) << mode;
  }
}

TEST(SimSynth, FaultsOnDemand) {
  {
    SimSynth synth = MakeSynth();
    synth.Settings().silent = true;
    EXPECT_TRUE(synth.Handle(SXRequest::ModeAndState(kCh).Wire()).empty());
    EXPECT_TRUE(synth.Handle(SXRequest::ModeChange(kCh, 2).Wire()).empty());
    EXPECT_EQ(synth.Mode(), 2);  // carried out all the same
  }
  for (auto [status, code] : {std::pair{uint8_t(1), Oskend::kSynthStatus1}, {uint8_t(5), Oskend::kSynthStatus5},
                              {uint8_t(0x28), Oskend::kSynthStatus28}, {uint8_t(0x11), Oskend::kSynthStatusOther}}) {
    SimSynth synth = MakeSynth();
    synth.Settings().statusByte = status;
    EXPECT_EQ(Exchanged(synth, SXRequest::ProgWriteReq(kCh, 0, 0)).result, code);
    EXPECT_EQ(Exchanged(synth, SXRequest::CombiBankStoreReq(kCh)).result, code);
  }
  {
    SimSynth synth = MakeSynth();
    synth.Settings().dumpRequestStatus = 0;
    Exchange x = Exchanged(synth, SXRequest::GlobalDumpReq(kCh));
    EXPECT_TRUE(x.ended);
    EXPECT_EQ(x.result, Oskend::kRemoteFailed);
  }
  {
    SimSynth synth = MakeSynth();
    synth.Settings().wrongChannel = true;
    Exchange id = Exchanged(synth, SXRequest::Identity());
    EXPECT_EQ(id.decoded[0].channel, kCh);  // the identity tells the true channel
    Exchange x = Exchanged(synth, SXRequest::ModeAndState(kCh));
    ASSERT_EQ(x.replies.size(), 1u);
    EXPECT_EQ(x.replies[0][2], 0x30 | (kCh + 1));
    EXPECT_FALSE(x.ended);
  }
  for (auto fault : {SimSynthSettings::DumpFault::kTruncated, SimSynthSettings::DumpFault::kOversize}) {
    SimSynth synth = MakeSynth();
    synth.Settings().dumpFault = fault;
    Exchange x = Exchanged(synth, SXRequest::CurProgDumpReq(kCh, true, false));
    ASSERT_EQ(x.replies.size(), 1u);
    EXPECT_EQ(x.replies[0].size(), fault == SimSynthSettings::DumpFault::kTruncated ? 1693u - 8 : 1693u + 8);
    EXPECT_EQ(x.replies[0].back(), 0xF7);
    EXPECT_FALSE(x.decoded[0].accepted);
    EXPECT_EQ(x.result, Oskend::kRemoteFailed);
  }
  {
    SimSynth synth = MakeSynth();
    synth.Settings().strayBytes = {0xF8, 0xFE};
    synth.Settings().strayAt = 100;
    const auto r = synth.Handle(SXRequest::CurCombiDumpReq(kCh, true, false).Wire());
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].size(), 1533u + 2);
    EXPECT_EQ(r[0][100], 0xF8);
    EXPECT_EQ(r[0][101], 0xFE);
    synth.Settings().strayBytes = {0xF0};
    synth.Settings().strayAt = 100000;
    const auto st = synth.Handle(SXRequest::ModeAndState(kCh).Wire());
    EXPECT_EQ(st[0][st[0].size() - 2], 0xF0);  // kept before the F7
  }
  // An incomplete message is ignored.
  SimSynth synth = MakeSynth();
  Bytes cut = SXRequest::ModeAndState(kCh).Wire();
  cut.pop_back();
  EXPECT_TRUE(synth.Handle(cut).empty());
}

}  // namespace

// ---- What the instrument does by itself ----

// Places in a performance record (the edit buffer) and a program record.
constexpr unsigned kTimbre0 = 628, kTimbreStride = 44;
constexpr unsigned TimbreAt(int t) { return kTimbre0 + kTimbreStride * unsigned(t); }

int TimbreProgram(const SimSynth& s, unsigned combi, int t) {
  const uint8_t* p = s.Memory().data() + combi + TimbreAt(t);
  return (p[1] << 7) | (p[0] & 0x7F);
}

void Send(SimSynth& s, const std::vector<S::ShortMsg>& msgs) {
  for (const auto& m : msgs) EXPECT_TRUE(s.Handle(m.bytes, m.len).empty());
}

std::vector<S::ShortMsg> ProgramChange(int mode, int bank, int number) {
  std::vector<S::ShortMsg> pc;
  EXPECT_EQ(S::ProgramChange(mode, bank, number, kCh, false, &pc), 0);
  return pc;
}

SimSynth ShapedSynth() {
  SimSynth s = MakeSynth();
  s.ShapeAsInstrument();
  return s;
}

TEST(SimSynth, ShapedMemoryHoldsNamedSoundsAndTimbresOfTheirOwnCategory) {
  const SimSynth s = ShapedSynth();
  auto printable = [&](unsigned at) {
    for (unsigned i = 0; i < 24; ++i)
      if (s.Memory()[at + i] < 0x20 || s.Memory()[at + i] > 0x7E) return false;
    return true;
  };
  for (int b = 0; b < 4; ++b)
    for (int n = 0; n < 128; ++n) {
      const unsigned at = SimSynth::ProgOffset(b, n);
      ASSERT_TRUE(printable(at)) << b << ":" << n;
      ASSERT_LE(s.Memory()[at + 630] & 0x1F, 6) << b << ":" << n;
    }
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&s.Memory()[SimSynth::ProgOffset(0, 2)]), 24),
            "Bright Organ            ");
  for (int c = 0; c < 20; ++c) {
    ASSERT_TRUE(printable(SimSynth::CombiOffset(c))) << c;
    for (int t = 0; t < 12; ++t) {
      const int p = TimbreProgram(s, SimSynth::CombiOffset(c), t);
      ASSERT_LT(p, 512) << c << " " << t;
      EXPECT_EQ(s.Memory()[SimSynth::ProgOffset(p / 128, p % 128) + 630] & 0x1F, t % 6) << c << " " << t;
      if (t < 6) {
        EXPECT_NE(s.Memory()[SimSynth::CombiOffset(c) + TimbreAt(t) + 27] & 0x40, 0) << c << " " << t;
      }
    }
  }
  // The edit buffers hold the current sounds.
  EXPECT_EQ(Slice(s, SimSynth::kProgEditOffset, 1472), Slice(s, SimSynth::ProgOffset(0, 0), 1472));
  EXPECT_EQ(Slice(s, SimSynth::kCombiEditOffset, 1332), Slice(s, SimSynth::CombiOffset(0), 1332));
}

// A program change, from the editor or on the panel, loads the stored sound
// of the mode into its edit buffer.
TEST(SimSynth, AProgramChangeLoadsTheStoredSoundIntoTheEditBuffer) {
  struct Case {
    uint8_t mode;
    int bank, number;
    unsigned edit, stored, size;
  } cases[] = {
      {0, 0, 7, SimSynth::kCombiEditOffset, SimSynth::CombiOffset(7), 1332},
      {2, 2, 17, SimSynth::kProgEditOffset, SimSynth::ProgOffset(2, 17), 1472},
      {3, 1, 5, SimSynth::kProgEditOffset, SimSynth::ProgOffset(1, 5), 1472},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.mode));
    SimSynth s = ShapedSynth();
    s.SetMode(c.mode);
    ASSERT_NE(Slice(s, c.edit, c.size), Slice(s, c.stored, c.size));
    Send(s, ProgramChange(c.mode, c.bank, c.number));
    EXPECT_EQ(Slice(s, c.edit, c.size), Slice(s, c.stored, c.size));

    SimSynth panel = ShapedSynth();
    panel.SetMode(c.mode);
    panel.PanelProgramChange(c.bank, c.number);
    EXPECT_EQ(Slice(panel, c.edit, c.size), Slice(panel, c.stored, c.size));
  }
}

// Program edit entered from a performance edits the program of the timbre
// the editor chose last (its parameter 0x10A); entered from program play it
// keeps the program that plays.
TEST(SimSynth, ProgramEditFollowsTheChosenTimbreComingFromAPerformance) {
  SimSynth s = ShapedSynth();
  EXPECT_TRUE(s.Handle(SXRequest::ParamChange(kCh, 0, 0x10A, 4).Wire()).empty());
  EXPECT_EQ(s.CurrentTimbre(), 4);
  Exchanged(s, SXRequest::ModeChange(kCh, 3));
  const int p = TimbreProgram(s, SimSynth::kCombiEditOffset, 4);
  EXPECT_EQ(s.CurrentBank() * 128 + s.CurrentProgram(), p);
  EXPECT_EQ(Slice(s, SimSynth::kProgEditOffset, 1472), Slice(s, SimSynth::ProgOffset(p / 128, p % 128), 1472));

  Exchanged(s, SXRequest::ModeChange(kCh, 2));
  Send(s, ProgramChange(2, 1, 5));
  Exchanged(s, SXRequest::ModeChange(kCh, 3));
  EXPECT_EQ(std::make_pair(s.CurrentBank(), s.CurrentProgram()), std::make_pair(1, 5));
  EXPECT_EQ(Slice(s, SimSynth::kProgEditOffset, 1472), Slice(s, SimSynth::ProgOffset(1, 5), 1472));
}

// A timbre given another program, or switched on, takes that program's
// insert effect into its slot and the program's two sends (program bytes
// 94-95) into itself and its upper twin; a program change also clears the
// timbre's tone adjustments and, for a timbre that plays alone unsplit,
// brings the program's master effects and EQ.
TEST(SimSynth, ATimbreTakesTheEffectsOfItsNewProgram) {
  constexpr int kSlotOf[6] = {100, 176, 24, -1, 252, 328};
  struct Case {
    const char* what;
    int timbre;
    bool switchOn;    // the change is the timbre's switch going on
    int on[12];       // timbre switches before the change
    bool takesSlot;   // the timbre owns its effect slot
    bool takesMaster;
  } cases[] = {
      {"program of timbre 2", 1, false, {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, true, false},
      {"program of timbre 4: no slot of its own", 3, false, {1, 0, 0, 1, 0, 0}, true, false},
      {"program of timbre 8 while timbre 2 plays", 7, false, {0, 1, 0, 0, 0, 0, 0, 1}, false, false},
      {"program of timbre 3 playing alone", 2, false, {0, 0, 1, 0, 0, 0}, true, true},
      {"timbre 5 switched on", 4, true, {1, 0, 0, 0, 0, 0}, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimSynth s = ShapedSynth();
    s.SetMode(0);
    uint8_t* combi = s.Memory().data() + SimSynth::kCombiEditOffset;
    for (int t = 0; t < 12; ++t) {
      uint8_t& sw = combi[TimbreAt(t) + 27];
      sw = uint8_t((sw & ~0x40) | (c.on[t] ? 0x40 : 0));
    }
    combi[626] = 0;  // not split
    const Bytes before(combi, combi + 1332);
    int program = TimbreProgram(s, SimSynth::kCombiEditOffset, c.timbre);
    if (c.switchOn) {
      s.Handle(SXRequest::ParamChange(kCh, 0, 0x22B + 0x100 * c.timbre, 1).Wire());
    } else {
      program = (program + 7) % 512;  // another program of the same category
      s.Handle(SXRequest::ParamChange(kCh, 0, 0x200 + 0x100 * c.timbre, program).Wire());
      ASSERT_EQ(TimbreProgram(s, SimSynth::kCombiEditOffset, c.timbre), program);
    }
    const Bytes prog = Slice(s, SimSynth::ProgOffset(program / 128, program % 128), 1472);
    const Bytes after(combi, combi + 1332);
    auto range = [](const Bytes& b, unsigned at, unsigned n) { return Bytes(b.begin() + at, b.begin() + at + n); };
    const int slot = c.timbre % 6;
    const Bytes sends = range(prog, 94, 2);
    for (unsigned at : {TimbreAt(slot) + 15, TimbreAt(slot + 6) + 15}) {
      EXPECT_EQ(range(after, at, 2), c.takesSlot ? sends : range(before, at, 2)) << at;
    }
    if (kSlotOf[slot] >= 0) {
      const unsigned at = unsigned(kSlotOf[slot]);
      EXPECT_EQ(range(after, at, 68), c.takesSlot ? range(prog, 24, 68) : range(before, at, 68));
    }
    EXPECT_EQ(range(after, TimbreAt(c.timbre) + 36, 8),
              c.switchOn ? range(before, TimbreAt(c.timbre) + 36, 8) : Bytes(8, 0));
    EXPECT_EQ(range(after, 404, 208), c.takesMaster ? range(prog, 404, 208) : range(before, 404, 208));
  }
}
