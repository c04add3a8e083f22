#include "remote/SXMessage.h"

#include <cstring>

#include "remote/ChunkDecode.h"
#include "remote/RemoteStatus.h"
#include "remote/SynthSysEx.h"

namespace Oskend {

using S = SynthSysEx;

bool SXMessage::IsDump() const {
  switch (kind) {
    case eSXKind::kCurProgDump:
    case eSXKind::kCurCombiDump:
    case eSXKind::kProgDump:
    case eSXKind::kCombiDump:
    case eSXKind::kGlobalDump: return true;
    default: return false;
  }
}

bool SXMessage::IdentifyDump(const uint8_t* msg, unsigned len, uint8_t ch, SXDumpInfo* info) {
  if (len < 8 || !S::IsOwn(msg, len, ch)) return false;
  const uint8_t fn = msg[6], kind = msg[7];
  SXDumpInfo r;
  if (fn == S::kFnCurDump) {
    if (kind == S::kKindProg) r.kind = eSXKind::kCurProgDump;
    else if (kind == S::kKindCombi) r.kind = eSXKind::kCurCombiDump;
    else return false;
    r.headerLen = S::kCurDumpHdrLen;
  } else if (fn == S::kFnDump) {
    switch (kind) {
      case S::kKindProg:
      case S::kKindProgBank: r.kind = eSXKind::kProgDump; break;
      case S::kKindCombi:
      case S::kKindAllCombis: r.kind = eSXKind::kCombiDump; break;
      case S::kKindGlobal: r.kind = eSXKind::kGlobalDump; break;
      default: return false;
    }
    r.headerLen = S::kDumpHdrLen;
  } else {
    return false;
  }
  if (len < r.headerLen) return false;
  r.dataSize = S::DataSize(kind);
  r.wireTotal = S::DumpWireSize(fn == S::kFnCurDump, r.dataSize);
  if (info) *info = r;
  return true;
}

namespace {

// The universal messages (0x7E non-real-time, 0x7F real-time): the identity
// reply and the master volume.
SXMessage DecodeUniversal(const uint8_t* msg, unsigned len, uint8_t ch) {
  SXMessage m;
  if (msg[1] == 0x7E) {
    if (len >= 14 && msg[3] == 0x06 && msg[4] == 0x02 && msg[5] == S::kManufacturer && msg[6] == 0x0C &&
        msg[7] == 0x01) {
      m.kind = eSXKind::kIdentityReply;
      m.channel = msg[2];
      std::memcpy(m.inquiry.bytes, msg + 5, DEVICEINQUIRYDATA::kSize);
    }
  } else if (msg[2] == ch && msg[3] == 0x04 && msg[4] == 0x01) {
    m.kind = eSXKind::kMasterVolume;
    // Byte 5 carries the low seven bits, byte 6 the high seven, as sent.
    m.volume = (msg[5] & 0x7Fu) + 128u * (msg[6] & 0x7Fu);
  }
  return m;
}

// The instrument's own messages that carry no dump; false for a function
// that is not one of them.
bool DecodeOwnShort(const uint8_t* msg, unsigned len, SXMessage* m) {
  switch (msg[6]) {
    case S::kFnStatus:
      if (len >= 8) {
        m->kind = eSXKind::kStatus;
        m->result = SynthStatusToResult(msg[7]);
      }
      return true;
    case S::kFnParamChange:
      if (len >= 17) {
        m->kind = eSXKind::kParamChange;
        m->section = msg[7];
        m->id = S::GetParamId(msg + 8);
        m->value = S::GetParamValue(msg + 12);
      }
      return true;
    case S::kFnModeAndState:
      if (len >= 12) {
        m->kind = eSXKind::kModeAndState;
        std::memcpy(m->modeAndState.bytes, msg + 7, 5);
        m->modeAndState.bytes[5] = MODEANDSTATE::kValid;
        m->mode = msg[7];
      }
      return true;
    case S::kFnModeChange:
      if (len >= 8) {
        m->kind = eSXKind::kModeChange;
        m->mode = msg[7];
      }
      return true;
    case S::kFnSysExFilter:
      m->kind = eSXKind::kSysExFilter;
      if (len >= 9 && msg[7] == 0x01) m->filterState = msg[8];
      return true;
    default:
      return false;
  }
}

// A dump: its kind and place, and its data when it has its kind's size.
SXMessage DecodeDump(const uint8_t* msg, const SXDumpInfo& info, const uint8_t* data,
                     unsigned dataLen) {
  SXMessage m;
  m.kind = info.kind;
  const uint8_t kind = msg[7];
  if (info.kind == eSXKind::kProgDump) {
    m.bank = msg[8] & 0x7F;
    m.number = kind == S::kKindProgBank ? -1 : msg[10] & 0x7F;
  } else if (info.kind == eSXKind::kCombiDump) {
    m.bank = S::CombiBankFromWire(msg[8]);
    m.number = kind == S::kKindAllCombis ? -1 : msg[10] & 0x7F;
  }
  // A dump of any other size than its kind's would leave part of the
  // image stale or run past the place it is copied to: refuse it whole.
  if (!data || dataLen != info.dataSize) {
    m.accepted = false;
    m.result = kRemoteFailed;
    return m;
  }
  m.data = data;
  m.size = dataLen;
  return m;
}

}  // namespace

SXMessage SXMessage::Decode(const uint8_t* msg, unsigned len, uint8_t ch, const uint8_t* data,
                            unsigned dataLen) {
  SXMessage m;
  if (!msg || len < 7 || msg[0] != 0xF0) return m;
  if (msg[1] == 0x7E || msg[1] == 0x7F) return DecodeUniversal(msg, len, ch);
  if (!S::IsOwn(msg, len, ch)) return m;
  if (DecodeOwnShort(msg, len, &m)) return m;
  SXDumpInfo info;
  if (!IdentifyDump(msg, len, ch, &info)) return m;
  return DecodeDump(msg, info, data, dataLen);
}

SXMessage SXMessage::DecodeWire(const uint8_t* wire, unsigned len, uint8_t ch, std::vector<uint8_t>& scratch) {
  if (len > 0 && wire[len - 1] == 0xF7) --len;
  SXDumpInfo info;
  if (!IdentifyDump(wire, len, ch, &info)) return Decode(wire, len, ch);
  const unsigned packed = len - info.headerLen;
  scratch.resize(ChunkDecode::UnpackedSize(packed));
  const unsigned n = ChunkDecode::Decode(wire + info.headerLen, packed, scratch.data());
  scratch.resize(n);
  return Decode(wire, info.headerLen, ch, scratch.data(), n);
}

}  // namespace Oskend
