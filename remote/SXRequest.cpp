#include "remote/SXRequest.h"

#include <algorithm>

#include "remote/ChunkEncode.h"
#include "remote/SynthSysEx.h"

namespace Oskend {

using S = SynthSysEx;

namespace {

SXRequest Make(unsigned flags, std::vector<uint8_t> msg, unsigned rxExpected, SXExpect expect,
               unsigned timeoutMs = 0) {
  SXRequest r;
  r.flags = flags;
  r.header = std::move(msg);
  r.rxExpected = rxExpected;
  r.expect = std::move(expect);
  r.timeoutMs = timeoutMs;
  return r;
}

// A dump the editor sends; the synthesizer answers with a status message.
SXRequest DumpOut(unsigned flags, std::vector<uint8_t> hdr, uint8_t ch, const void* data, unsigned len,
                  unsigned timeoutMs = 0) {
  SXRequest r = Make(flags, std::move(hdr), S::kStatusLen,
                     SXExpect(S::Sig(ch, {S::kFnStatus, 0x00}), S::Sig(ch, {S::kFnStatus})), timeoutMs);
  r.data = static_cast<const uint8_t*>(data);
  r.dataLen = r.data ? len : 0;
  return r;
}

SXRequest StatusReply(std::vector<uint8_t> msg, uint8_t ch) {
  return Make(SXRequest::kSend | SXRequest::kWait, std::move(msg), S::kStatusLen,
              SXExpect(S::Sig(ch, {S::kFnStatus, 0x00}), S::Sig(ch, {S::kFnStatus})),
              SXRequest::kWriteTimeoutMs);
}

constexpr unsigned kSW = SXRequest::kSend | SXRequest::kWait;

}  // namespace

unsigned SXRequest::WireSize() const {
  const unsigned h = static_cast<unsigned>(header.size());
  return data && dataLen ? h + ChunkEncode::PackedSize(dataLen) + 1 : h;
}

std::vector<uint8_t> SXRequest::Wire() const {
  if (!data || !dataLen) return header;
  return S::Dump(header, data, dataLen);
}

SXRequest SXRequest::Identity() {
  return Make(kSW, S::IdentityRequest(), S::kIdentityReplyLen,
              SXExpect(SXSig{0xF0, 0x7E, 0xFF, 0x06, 0x02, 0x42}, SXSig()), kIdentityTimeoutMs);
}

SXRequest SXRequest::ModeAndState(uint8_t ch) {
  return Make(kSW, S::ModeAndStateReq(ch), S::kModeAndStateReplyLen,
              SXExpect(S::Sig(ch, {S::kFnModeAndState}), SXSig()));
}

SXRequest SXRequest::CurProgDumpReq(uint8_t ch, bool wait, bool foreignPort) {
  return Make(kSend | (wait ? kWait : 0) | (foreignPort ? kRecvProgress : 0), S::CurDumpReq(ch, S::kKindProg),
              S::DumpWireSize(true, S::kProgSize),
              SXExpect(S::Sig(ch, {S::kFnCurDump, 0xFF}), S::Sig(ch, {S::kFnStatus})));
}

SXRequest SXRequest::CurCombiDumpReq(uint8_t ch, bool wait, bool foreignPort) {
  return Make(kSend | (wait ? kWait : 0) | (foreignPort ? kRecvProgress : 0), S::CurDumpReq(ch, S::kKindCombi),
              S::DumpWireSize(true, S::kCombiSize),
              SXExpect(S::Sig(ch, {S::kFnCurDump, S::kKindCombi}), S::Sig(ch, {S::kFnStatus})));
}

SXRequest SXRequest::ProgDumpReq(uint8_t ch, int bank, int prog) {
  const SXSig status = S::Sig(ch, {S::kFnStatus});
  if (prog < 0)
    return Make(kSW | kRecvProgress, S::DumpReq(ch, S::kKindProgBank, uint8_t(bank), 0),
                S::DumpWireSize(false, S::kProgBankSize), SXExpect(S::Sig(ch, {S::kFnDump, 0xFF}), status));
  return Make(kSW, S::DumpReq(ch, S::kKindProg, uint8_t(bank), uint8_t(prog)), S::DumpWireSize(false, S::kProgSize),
              SXExpect(S::Sig(ch, {S::kFnDump, 0xFF}), status));
}

SXRequest SXRequest::CombiDumpReq(uint8_t ch, int bank, int num) {
  const SXSig status = S::Sig(ch, {S::kFnStatus});
  if (num < 0)
    return Make(kSW | kRecvProgress, S::DumpReq(ch, S::kKindAllCombis, 0, 0),
                S::DumpWireSize(false, S::kAllCombisSize),
                SXExpect(S::Sig(ch, {S::kFnDump, S::kKindAllCombis}), status));
  return Make(kSW, S::DumpReq(ch, S::kKindCombi, uint8_t(bank), uint8_t(num)), S::DumpWireSize(false, S::kCombiSize),
              SXExpect(S::Sig(ch, {S::kFnDump, S::kKindCombi}), status));
}

SXRequest SXRequest::GlobalDumpReq(uint8_t ch) {
  return Make(kSW | kRecvProgress, S::DumpReq(ch, S::kKindGlobal, 0, 0), S::DumpWireSize(false, S::kGlobalSize),
              SXExpect(S::Sig(ch, {S::kFnDump, S::kKindGlobal}), S::Sig(ch, {S::kFnStatus})));
}

SXRequest SXRequest::ProgWriteReq(uint8_t ch, int bank, int prog) {
  return StatusReply(S::WriteReq(ch, S::kKindProg, uint8_t(bank), uint8_t(prog)), ch);
}

SXRequest SXRequest::CombiWriteReq(uint8_t ch, int bank, int num) {
  return StatusReply(S::WriteReq(ch, S::kKindCombi, uint8_t(bank), uint8_t(num)), ch);
}

SXRequest SXRequest::ProgBankStoreReq(uint8_t ch, int bank) {
  return StatusReply(S::BankStoreReq(ch, S::kKindProg, uint8_t(bank)), ch);
}

SXRequest SXRequest::CombiBankStoreReq(uint8_t ch) {
  return StatusReply(S::BankStoreReq(ch, S::kKindCombi, 0), ch);
}

SXRequest SXRequest::CurProgDump(uint8_t ch, const void* data, unsigned len, bool foreignPort) {
  return DumpOut(kSW | (foreignPort ? kSendProgress : 0), S::CurDumpHeader(ch, S::kKindProg), ch, data, len,
                 kWriteTimeoutMs);
}

SXRequest SXRequest::CurCombiDump(uint8_t ch, const void* data, unsigned len, bool foreignPort) {
  return DumpOut(kSW | (foreignPort ? kSendProgress : 0), S::CurDumpHeader(ch, S::kKindCombi), ch, data, len);
}

SXRequest SXRequest::ProgDump(uint8_t ch, int bank, int prog, const void* data, unsigned len, bool foreignPort) {
  if (prog < 0)
    return DumpOut(kSW | kSendProgress, S::DumpHeader(ch, S::kKindProgBank, uint8_t(bank), 0), ch, data, len);
  return DumpOut(kSW | (foreignPort ? kSendProgress : 0), S::DumpHeader(ch, S::kKindProg, uint8_t(bank), uint8_t(prog)),
                 ch, data, std::min(len, S::kProgSize));
}

SXRequest SXRequest::CombiDump(uint8_t ch, int bank, int num, const void* data, unsigned len, bool foreignPort) {
  if (num < 0)
    return DumpOut(kSW | kSendProgress, S::DumpHeader(ch, S::kKindAllCombis, S::CombiBankToWire(bank), 0), ch, data,
                   len);
  return DumpOut(kSW | (foreignPort ? kSendProgress : 0), S::DumpHeader(ch, S::kKindCombi, uint8_t(bank), uint8_t(num)),
                 ch, data, len);
}

SXRequest SXRequest::GlobalDump(uint8_t ch, const void* data, unsigned len) {
  return DumpOut(kSW | kSendProgress | kRecvProgress, S::DumpHeader(ch, S::kKindGlobal, 0, 0), ch, data, len);
}

SXRequest SXRequest::ModeChange(uint8_t ch, uint8_t mode) {
  // The synthesizer confirms a mode change by reporting the mode it is in
  // now (possibly another number for the same mode) or with status 0.
  return Make(kSW, S::ModeChange(ch, mode), 9,
              SXExpect({S::Sig(ch, {S::kFnModeChange, 0xFF}), S::Sig(ch, {S::kFnStatus, 0x00})},
                       S::Sig(ch, {S::kFnStatus})),
              kModeChangeTimeoutMs);
}

SXRequest SXRequest::ParamChange(uint8_t ch, uint8_t section, int id, int value) {
  return Make(kSend, S::ParamChange(ch, section, id, value), 0, SXExpect());
}

SXRequest SXRequest::SysExFilterQuery(uint8_t ch) {
  return Make(kSW, S::SysExFilter(ch, 0, 0), S::kSysExFilterReplyLen,
              SXExpect(S::Sig(ch, {S::kFnSysExFilter, 0x01}), S::Sig(ch, {S::kFnStatus})));
}

SXRequest SXRequest::SysExFilterSet(uint8_t ch, bool on) {
  return Make(kSend, S::SysExFilter(ch, 2, on ? 1 : 0), 0, SXExpect());
}

SXRequest SXRequest::MasterVolume(uint8_t ch, unsigned volume) {
  return Make(kSend, S::MasterVolume(ch, volume), 0, SXExpect());
}

}  // namespace Oskend
