#include "tests/support/simsynth/SimSynth.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/CAccessorUBF8.h"
#include "model/ChunkProgAncesterBase.h"
#include "remote/SXMessage.h"
#include "remote/SynthSysEx.h"
#include "tests/support/simsynth/SimSynthParams.h"
#include "tests/support/simsynth/SynthReplies.h"

namespace vesk::test {

using Oskend::SynthSysEx;
using S = SynthSysEx;
using R = SynthReplies;

SimSynth::SimSynth(SimSynthSettings settings) : settings_(std::move(settings)), memory_(kImageSize, 0) {}

void SimSynth::FillPattern(uint32_t seed) {
  uint64_t x = 0x9E3779B97F4A7C15ull ^ seed;
  for (size_t i = 0; i < memory_.size(); i += 8) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    std::memcpy(memory_.data() + i, &x, std::min<size_t>(8, memory_.size() - i));
  }
}

namespace {

// Category words of the seven program categories and words before them,
// for readable names.
constexpr const char* kCategoryWords[7] = {"Piano", "E.Piano", "Organ", "Strings",
                                           "Brass", "Synth", "User"};
constexpr const char* kAdjectives[16] = {"Bright", "Warm",  "Soft", "Dark", "Big",   "Thin",
                                         "Wide",   "Deep",  "Clean", "Dirty", "Old", "New",
                                         "Hard",   "Sweet", "Cold", "Pure"};
// The category byte of a program record (low 5 bits; sub-category above)
// and of a performance record.
constexpr unsigned kProgCategory = 630;
constexpr unsigned kCombiCategory = 824;
constexpr unsigned kProgSends = 94;
constexpr unsigned kTimbreRecord = 628;
constexpr unsigned kTimbreStride = 44;
constexpr int kCurrentTimbreId = 0x10A;
// A timbre's switch (its parameter 0x2B): bit 6 of its byte 27.
constexpr unsigned kTimbreSwitch = 27;
constexpr uint8_t kTimbreSwitchBit = 0x40;

void PutName(uint8_t* record, const std::string& name) {
  Oskend::ProgAncesterLayout::WriteName(record, name);
}

void PutCategory(uint8_t* byte, int category) {
  *byte = static_cast<uint8_t>((*byte & ~0x1F) | (category & 0x1F));
}

}  // namespace

void SimSynth::ShapeAsInstrument() {
  uint8_t* m = memory_.data();
  // Program k of the 512 (bank * 128 + number) is of category k mod 7.
  for (int bank = 0; bank < int(S::kProgBanks); ++bank)
    for (int n = 0; n < int(S::kProgsPerBank); ++n) {
      uint8_t* p = m + ProgOffset(bank, n);
      const int category = (bank * 128 + n) % 7;
      const int k = bank * 128 + n;
      PutName(p, std::string(kAdjectives[k / 7 % 16]) + " " + kCategoryWords[category]);
      PutCategory(p + kProgCategory, category);
      // The two effect sends a timbre takes from its program are levels.
      p[kProgSends] &= 0x7F;
      p[kProgSends + 1] &= 0x7F;
    }
  const CAccessorBNKPGM program(0, 511);
  for (int c = 0; c < int(S::kCombis); ++c) {
    uint8_t* p = m + CombiOffset(c);
    char name[32];
    std::snprintf(name, sizeof name, "Perf %c-%d", 'A' + c / 5, c % 5 + 1);
    PutName(p, name);
    PutCategory(p + kCombiCategory, c % 7);
    // Timbre t plays one of the programs of category t mod 6, picked by
    // the pattern; the six main timbres play.
    for (int t = 0; t < 12; ++t) {
      uint8_t* timbre = p + kTimbreRecord + kTimbreStride * unsigned(t);
      const int k = (timbre[0] + 7 * timbre[1]) % 73;
      program.PutRaw(timbre, 0, 7 * k + t % 6);
      if (t < 6) timbre[kTimbreSwitch] |= kTimbreSwitchBit;
    }
  }
  std::memcpy(m + kProgEditOffset, m + ProgOffset(curBank_, curProg_), S::kProgSize);
  std::memcpy(m + kCombiEditOffset, m + CombiOffset(curProg_ % int(S::kCombis)), S::kCombiSize);
}

unsigned SimSynth::ProgOffset(int bank, int prog) {
  return kProgBanksOffset + unsigned(bank) * S::kProgBankSize + unsigned(prog) * S::kProgSize;
}

unsigned SimSynth::CombiOffset(int num) { return kCombisOffset + unsigned(num) * S::kCombiSize; }

uint8_t SimSynth::ReplyChannel() const {
  return static_cast<uint8_t>((settings_.channel + (settings_.wrongChannel ? 1 : 0)) & 0x0F);
}

SimSynth::Msg SimSynth::Faulted(Msg m) const {
  if (!settings_.strayBytes.empty() && m.size() >= 2 && m[0] == 0xF0) {
    const size_t at = std::clamp<size_t>(settings_.strayAt, 1, m.size() - 1);
    m.insert(m.begin() + at, settings_.strayBytes.begin(), settings_.strayBytes.end());
  }
  return m;
}

SimSynth::Msg SimSynth::StatusMsg(uint8_t s) const { return Faulted(R::Status(ReplyChannel(), s)); }

bool SimSynth::Region(uint8_t kind, int bank, int num, bool current, unsigned* offset, unsigned* size) const {
  if (current) {
    if (kind == S::kKindProg) *offset = kProgEditOffset;
    else if (kind == S::kKindCombi) *offset = kCombiEditOffset;
    else return false;
    *size = S::DataSize(kind);
    return true;
  }
  switch (kind) {
    case S::kKindProg:
      if (bank < 0 || bank >= int(S::kProgBanks) || num < 0 || num >= int(S::kProgsPerBank)) return false;
      *offset = ProgOffset(bank, num);
      break;
    case S::kKindProgBank:
      if (bank < 0 || bank >= int(S::kProgBanks)) return false;
      *offset = ProgOffset(bank, 0);
      break;
    case S::kKindCombi:
      if (bank != 0 || num < 0 || num >= int(S::kCombis)) return false;
      *offset = CombiOffset(num);
      break;
    case S::kKindAllCombis:
      if (bank != 0) return false;
      *offset = kCombisOffset;
      break;
    case S::kKindGlobal: *offset = kGlobalOffset; break;
    default: return false;
  }
  *size = S::DataSize(kind);
  return true;
}

SimSynth::Msg SimSynth::MakeDump(uint8_t kind, int bank, int num, bool current) const {
  unsigned off = 0, size = 0;
  if (!Region(kind, bank, num, current, &off, &size)) return {};
  const uint8_t ch = ReplyChannel();
  uint8_t bankByte = static_cast<uint8_t>(bank);
  if (kind == S::kKindCombi || kind == S::kKindAllCombis) bankByte = S::CombiBankToWire(bank);
  const Msg hdr = current ? S::CurDumpHeader(ch, kind)
                          : S::DumpHeader(ch, kind, bankByte, static_cast<uint8_t>(num < 0 ? 0 : num));
  Msg m = S::Dump(hdr, memory_.data() + off, size);
  if (settings_.dumpFault == SimSynthSettings::DumpFault::kTruncated) {
    const size_t cut = std::min<size_t>(settings_.dumpFaultBytes, m.size() - hdr.size() - 1);
    m.erase(m.end() - 1 - cut, m.end() - 1);
  } else if (settings_.dumpFault == SimSynthSettings::DumpFault::kOversize) {
    m.insert(m.end() - 1, settings_.dumpFaultBytes, 0x55);
  }
  return Faulted(std::move(m));
}

std::vector<SimSynth::Msg> SimSynth::Handle(const uint8_t* msg, unsigned len) {
  std::vector<Msg> out;
  if (!msg || len == 0) return out;
  if (msg[0] != 0xF0) {
    HandleShort(msg, len);
    return out;
  }
  if (len < 2 || msg[len - 1] != 0xF7) return out;  // not a complete message
  const uint8_t ch = settings_.channel;
  if (len == 6 && msg[1] == 0x7E && (msg[2] == 0x7F || msg[2] == ch) && msg[3] == 0x06 && msg[4] == 0x01) {
    out.push_back(Faulted(R::IdentityReply(ch, settings_.member, settings_.version)));
  } else if (len >= 8 && msg[1] == 0x7F && (msg[2] == ch || msg[2] == 0x7F) && msg[3] == 0x04 && msg[4] == 0x01) {
    volume_ = (msg[5] & 0x7Fu) + 128u * (msg[6] & 0x7Fu);
    log_.push_back({.kind = SimSynthEvent::kMasterVolume, .value = int(volume_)});
  } else if (S::IsOwn(msg, len, ch) && len >= 8) {
    HandleOwn(msg, len, out);
  }
  if (settings_.silent) out.clear();
  return out;
}

void SimSynth::HandleShort(const uint8_t* msg, unsigned len) {
  const uint8_t st = msg[0];
  if (st == 0xF3 && len >= 2) {
    curProg_ = msg[1] & 0x7F;
    log_.push_back({.kind = SimSynthEvent::kSongSelect, .number = curProg_});
    return;
  }
  if ((st & 0x0F) != settings_.channel) return;
  if ((st & 0xF0) == 0xB0 && len >= 3) {
    if (msg[1] == 0x00) bankMsb_ = msg[2];
    if (msg[1] == 0x20) bankLsb_ = msg[2];
  } else if ((st & 0xF0) == 0xC0 && len >= 2) {
    curBank_ = bankLsb_;
    curProg_ = msg[1] & 0x7F;
    LoadCurrentSound();
    log_.push_back({.kind = SimSynthEvent::kProgramChange, .bank = curBank_, .number = curProg_});
  }
}

void SimSynth::HandleOwn(const uint8_t* msg, unsigned len, std::vector<Msg>& out) {
  const uint8_t fn = msg[6];
  const uint8_t ch = ReplyChannel();
  switch (fn) {
    case S::kFnModeAndStateReq:
      out.push_back(Faulted(R::ModeAndStateReply(ch, mode_, settings_.state)));
      return;
    case S::kFnCurDumpReq:
    case S::kFnDumpReq: {
      if (settings_.dumpRequestStatus >= 0) {
        out.push_back(StatusMsg(static_cast<uint8_t>(settings_.dumpRequestStatus)));
        return;
      }
      const bool current = fn == S::kFnCurDumpReq;
      const uint8_t kind = msg[7];
      int bank = 0, num = 0;
      if (!current && len >= 12) {
        bank = (kind == S::kKindCombi || kind == S::kKindAllCombis) ? S::CombiBankFromWire(msg[8]) : msg[8];
        num = kind == S::kKindProgBank || kind == S::kKindAllCombis ? -1 : msg[10];
      } else if (!current) {
        out.push_back(StatusMsg(kInvalidStatus));
        return;
      }
      Msg d = MakeDump(kind, bank, num, current);
      out.push_back(d.empty() ? StatusMsg(kInvalidStatus) : std::move(d));
      return;
    }
    case S::kFnWriteReq: {
      unsigned from = 0, to = 0, size = 0;
      const uint8_t kind = len >= 12 ? msg[7] : 0xFF;
      const int bank = len >= 12 ? msg[8] : -1, num = len >= 12 ? msg[10] : -1;
      if ((kind != S::kKindProg && kind != S::kKindCombi) || !Region(kind, bank, num, false, &to, &size) ||
          !Region(kind, 0, 0, true, &from, &size)) {
        out.push_back(StatusMsg(kInvalidStatus));
        return;
      }
      std::memmove(memory_.data() + to, memory_.data() + from, size);
      log_.push_back({.kind = SimSynthEvent::kWrite, .dumpKind = kind, .bank = bank, .number = num});
      out.push_back(StatusMsg(settings_.statusByte));
      return;
    }
    case S::kFnBankStoreReq: {
      const uint8_t kind = len >= 10 ? msg[7] : 0xFF;
      const int bank = len >= 10 ? msg[8] : -1;
      const bool ok = (kind == S::kKindProg && bank >= 0 && bank < int(S::kProgBanks)) ||
                      (kind == S::kKindCombi && bank == 0);
      if (!ok) {
        out.push_back(StatusMsg(kInvalidStatus));
        return;
      }
      log_.push_back({.kind = SimSynthEvent::kBankStore, .dumpKind = kind, .bank = bank});
      out.push_back(StatusMsg(settings_.statusByte));
      return;
    }
    case S::kFnCurDump:
    case S::kFnDump:
      HandleDumpIn(msg, len, out);
      return;
    case S::kFnModeChange:
      EnterMode(settings_.programPlayAsEdit && (msg[7] & 0x7F) == 2 ? 3 : msg[7] & 0x7F);
      log_.push_back({.kind = SimSynthEvent::kModeChange, .mode = mode_});
      out.push_back(settings_.modeChangeByStatus ? StatusMsg(settings_.statusByte)
                                                 : Faulted(S::ModeChange(ch, mode_)));
      return;
    case S::kFnParamChange:
      if (len >= S::kParamChangeLen) {
        const int id = S::GetParamId(msg + 8), value = S::GetParamValue(msg + 12);
        // Made for each change: a copy of the instrument must not share
        // the sections laid over another's memory.
        SimSynthParams(memory_).Apply(mode_, msg[7], id, value);
        if (msg[7] <= 1 && id == kCurrentTimbreId) curTimbre_ = value;
        log_.push_back({.kind = SimSynthEvent::kParamChange, .section = msg[7], .id = id, .value = value});
      }
      return;
    case S::kFnSysExFilter:
      if (len >= 10 && msg[7] == 0x00) {
        out.push_back(Faulted(R::SysExFilterReply(ch, static_cast<uint8_t>(filter_))));
      } else if (len >= 10 && msg[7] == 0x02) {
        filter_ = msg[8] ? 1 : 0;
        log_.push_back({.kind = SimSynthEvent::kSysExFilter, .value = filter_});
      }
      return;
    default: return;
  }
}

void SimSynth::HandleDumpIn(const uint8_t* msg, unsigned len, std::vector<Msg>& out) {
  std::vector<uint8_t> scratch;
  const Oskend::SXMessage m = Oskend::SXMessage::DecodeWire(msg, len, settings_.channel, scratch);
  if (!m.IsDump()) return;
  const bool current = msg[6] == S::kFnCurDump;
  const uint8_t kind = msg[7];
  unsigned off = 0, size = 0;
  if (!m.accepted || !Region(kind, m.bank, m.number, current, &off, &size) || size != m.size) {
    log_.push_back({.kind = SimSynthEvent::kDumpRefused, .dumpKind = kind});
    out.push_back(StatusMsg(kInvalidStatus));
    return;
  }
  std::memcpy(memory_.data() + off, m.data, size);
  log_.push_back({.kind = SimSynthEvent::kDumpReceived,
                  .dumpKind = kind,
                  .bank = m.bank,
                  .number = m.number,
                  .current = current});
  out.push_back(StatusMsg(settings_.statusByte));
}

SimSynth::Msg SimSynth::PanelParamChange(uint8_t section, int id, int value) {
  return Faulted(S::ParamChange(ReplyChannel(), section, id, value));
}

std::vector<SimSynth::Msg> SimSynth::PanelProgramChange(int bank, int prog) {
  const uint8_t n = settings_.channel & 0x0F;
  // In combination mode the editor reads bank select values above 7 as the
  // bank plus one.
  const int lsb = (mode_ <= 1 && bank >= 7) ? bank + 1 : bank;
  curBank_ = bank;
  curProg_ = prog;
  LoadCurrentSound();
  return {{uint8_t(0xB0 | n), 0x00, 0x00},
          {uint8_t(0xB0 | n), 0x20, uint8_t(lsb & 0x7F)},
          {uint8_t(0xC0 | n), uint8_t(prog & 0x7F)}};
}

void SimSynth::EnterMode(uint8_t mode) {
  const uint8_t from = mode_;
  mode_ = mode;
  if (mode_ != 3 || from == 2 || from == 3) return;
  // Program edit entered from elsewhere than program play edits the
  // program of the performance's current timbre.
  const uint8_t* timbre =
      memory_.data() + kCombiEditOffset + kTimbreRecord + kTimbreStride * unsigned(curTimbre_ & 15);
  const int p = CAccessorBNKPGM(0, 511).GetRaw(timbre, 0);
  if (p < 0 || p >= int(S::kProgBanks * S::kProgsPerBank)) return;
  curBank_ = p / 128;
  curProg_ = p % 128;
  LoadCurrentSound();
}

void SimSynth::LoadCurrentSound() {
  if (mode_ <= 1) {
    if (curBank_ == 0 && curProg_ < int(S::kCombis))
      std::memcpy(memory_.data() + kCombiEditOffset, memory_.data() + CombiOffset(curProg_),
                  S::kCombiSize);
  } else if (mode_ <= 3 && curBank_ >= 0 && curBank_ < int(S::kProgBanks)) {
    std::memcpy(memory_.data() + kProgEditOffset, memory_.data() + ProgOffset(curBank_, curProg_),
                S::kProgSize);
  }
}

SimSynth::Msg SimSynth::PanelModeChange(uint8_t mode) {
  EnterMode(mode & 0x7F);
  return Faulted(S::ModeChange(ReplyChannel(), mode_));
}

SimSynth::Msg SimSynth::PanelMasterVolume(unsigned volume) {
  volume_ = volume & 0x3FFF;
  return S::MasterVolume(settings_.channel, volume_);
}

SimSynth::Msg SimSynth::PanelDump(uint8_t kind, int bank, int num, bool current) {
  return MakeDump(kind, bank, num, current);
}

}  // namespace vesk::test
