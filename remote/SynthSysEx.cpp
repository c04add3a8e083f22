#include "remote/SynthSysEx.h"

#include <algorithm>
#include <cstddef>

#include "remote/ChunkEncode.h"
#include "remote/RemoteStatus.h"

namespace Oskend {

namespace {
constexpr uint8_t kF0 = 0xF0;
constexpr uint8_t kF7 = 0xF7;

// Every variable byte of a message is a data byte: a stray top bit would
// end or corrupt the message on the wire.
constexpr uint8_t D(int v) { return static_cast<uint8_t>(v & 0x7F); }

SynthSysEx::Bytes Own(uint8_t ch, std::initializer_list<uint8_t> body, size_t capacity = 0) {
  SynthSysEx::Bytes m;
  m.reserve(std::max(capacity, SynthSysEx::kHdrLen + body.size()));
  m = {kF0, SynthSysEx::kManufacturer, static_cast<uint8_t>(0x30 | (ch & 0x0F)), 0x00, 0x01, 0x0C};
  m.insert(m.end(), body);
  return m;
}
}  // namespace

unsigned SynthSysEx::DataSize(uint8_t kind) {
  switch (kind) {
    case kKindProg: return kProgSize;
    case kKindCombi: return kCombiSize;
    case kKindGlobal: return kGlobalSize;
    case kKindProgBank: return kProgBankSize;
    case kKindAllCombis: return kAllCombisSize;
    default: return 0;
  }
}

unsigned SynthSysEx::DumpWireSize(bool current, unsigned dataLen) {
  return (current ? kCurDumpHdrLen : kDumpHdrLen) + ChunkEncode::PackedSize(dataLen) + 1;
}

SynthSysEx::Bytes SynthSysEx::Hdr(uint8_t ch) { return Own(ch, {}); }

SXSig SynthSysEx::Sig(uint8_t ch, std::initializer_list<uint8_t> after) {
  Bytes b = Hdr(ch);
  b.insert(b.end(), after);
  return SXSig(b.data(), static_cast<unsigned>(b.size()));
}

bool SynthSysEx::IsOwn(const uint8_t* msg, unsigned len, uint8_t ch) {
  return len >= kHdrLen && msg[0] == kF0 && msg[1] == kManufacturer && msg[2] == (0x30 | (ch & 0x0F)) &&
         msg[3] == 0x00 && msg[4] == 0x01 && msg[5] == 0x0C;
}

uint8_t SynthSysEx::CombiBankToWire(int bank) {
  return D(bank <= 6 ? bank : bank + 0x39);
}

int SynthSysEx::CombiBankFromWire(uint8_t b) {
  const int v = b & 0x7F;
  return v < 0x40 ? v : v - 0x39;
}

SynthSysEx::Bytes SynthSysEx::IdentityRequest() { return {kF0, 0x7E, 0x7F, 0x06, 0x01, kF7}; }

SynthSysEx::Bytes SynthSysEx::ModeAndStateReq(uint8_t ch) { return Own(ch, {kFnModeAndStateReq, kF7}); }

SynthSysEx::Bytes SynthSysEx::CurDumpReq(uint8_t ch, uint8_t kind) {
  return Own(ch, {kFnCurDumpReq, D(kind), kF7});
}

SynthSysEx::Bytes SynthSysEx::DumpReq(uint8_t ch, uint8_t kind, uint8_t bank, uint8_t num) {
  return Own(ch, {kFnDumpReq, D(kind), D(bank), 0x00, D(num), kF7});
}

SynthSysEx::Bytes SynthSysEx::WriteReq(uint8_t ch, uint8_t kind, uint8_t bank, uint8_t num) {
  return Own(ch, {kFnWriteReq, D(kind), D(bank), 0x00, D(num), kF7});
}

SynthSysEx::Bytes SynthSysEx::BankStoreReq(uint8_t ch, uint8_t kind, uint8_t bank) {
  return Own(ch, {kFnBankStoreReq, D(kind), D(bank), kF7});
}

SynthSysEx::Bytes SynthSysEx::ModeChange(uint8_t ch, uint8_t mode) {
  return Own(ch, {kFnModeChange, D(mode), kF7});
}

void SynthSysEx::PutParamId(uint8_t* p, int id) {
  const uint32_t v = static_cast<uint32_t>(id);
  p[0] = static_cast<uint8_t>((v >> 15) & 1);
  p[1] = static_cast<uint8_t>((v >> 8) & 0x7F);
  p[2] = static_cast<uint8_t>((v >> 7) & 1);
  p[3] = static_cast<uint8_t>(v & 0x7F);
}

void SynthSysEx::PutParamValue(uint8_t* p, int value) {
  const uint32_t v = static_cast<uint32_t>(value);
  p[0] = static_cast<uint8_t>((v >> 28) & 0x0F);
  p[1] = static_cast<uint8_t>((v >> 21) & 0x7F);
  p[2] = static_cast<uint8_t>((v >> 14) & 0x7F);
  p[3] = static_cast<uint8_t>((v >> 7) & 0x7F);
  p[4] = static_cast<uint8_t>(v & 0x7F);
}

int SynthSysEx::GetParamId(const uint8_t* p) {
  return (p[3] & 0x7F) + 128 * (p[2] & 1) + 256 * (p[1] & 0x7F) + 32768 * (p[0] & 1);
}

int SynthSysEx::GetParamValue(const uint8_t* p) {
  const uint32_t v = (uint32_t(p[4]) & 0x7F) | ((uint32_t(p[3]) & 0x7F) << 7) |
                     ((uint32_t(p[2]) & 0x7F) << 14) | ((uint32_t(p[1]) & 0x7F) << 21) |
                     (uint32_t(p[0]) << 28);
  return static_cast<int>(v);
}

SynthSysEx::Bytes SynthSysEx::ParamChange(uint8_t ch, uint8_t section, int id, int value) {
  Bytes m = Own(ch, {kFnParamChange, D(section)}, kParamChangeLen);
  m.resize(kParamChangeLen);
  PutParamId(&m[8], id);
  PutParamValue(&m[12], value);
  m[17] = kF7;
  return m;
}

SynthSysEx::Bytes SynthSysEx::SysExFilter(uint8_t ch, uint8_t op, uint8_t value) {
  return Own(ch, {kFnSysExFilter, D(op), D(value), kF7});
}

SynthSysEx::Bytes SynthSysEx::MasterVolume(uint8_t ch, unsigned volume) {
  return {kF0, 0x7F, D(ch), 0x04, 0x01, D(volume), D(volume >> 7), kF7};
}

SynthSysEx::Bytes SynthSysEx::CurDumpHeader(uint8_t ch, uint8_t kind) {
  return Own(ch, {kFnCurDump, D(kind), KindTail(kind)});
}

SynthSysEx::Bytes SynthSysEx::DumpHeader(uint8_t ch, uint8_t kind, uint8_t bank, uint8_t num) {
  return Own(ch, {kFnDump, D(kind), D(bank), 0x00, D(num), KindTail(kind)});
}

SynthSysEx::Bytes SynthSysEx::Dump(const Bytes& header, const void* data, unsigned len) {
  Bytes m(header);
  const size_t at = m.size();
  m.resize(at + ChunkEncode::PackedSize(len) + 1);
  ChunkEncode::Encode(data, len, m.data() + at);
  m.back() = kF7;
  return m;
}

int SynthSysEx::ProgramChange(int mode, int bank, int program, uint8_t ch, bool bankMap,
                              std::vector<ShortMsg>* out) {
  const uint8_t n = ch & 0x0F;
  auto push = [out](uint8_t a, uint8_t b, uint8_t c, uint8_t len) {
    if (out) out->push_back(ShortMsg{{a, b, c}, len});
  };
  int maxBank;
  switch (mode) {
    case 0:
    case 1: maxBank = 0; break;
    case 2:
    case 3: maxBank = 3; break;
    case 4:
      push(0xF3, D(program), 0, 2);
      return kRemoteOK;
    default: return kRemoteFailed;
  }
  if (bank < 0 || bank > maxBank) return kRemoteFailed;
  push(static_cast<uint8_t>(0xB0 | n), 0x00, bankMap ? 63 : 0, 3);
  push(static_cast<uint8_t>(0xB0 | n), 0x20, D(bank), 3);
  push(static_cast<uint8_t>(0xC0 | n), D(program), 0, 2);
  return kRemoteOK;
}

bool SynthSysEx::ReceivedProgramBank(int mode, uint8_t msb, uint8_t lsb, int* bank) {
  if (mode == 0 || mode == 1) {
    *bank = lsb > 7 ? lsb - 1 : lsb;
    return true;
  }
  if (mode == 2 || mode == 3) {
    *bank = msb == 0 ? lsb : 0;
    return true;
  }
  return false;
}

}  // namespace Oskend
