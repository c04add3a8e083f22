// CRemoteSynthImpl: the numbered utility commands.
#include "remote/CRemoteSynthImpl.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "model/BankNames.h"
#include "model/CDirtyFlagSet.h"
#include "model/GetModalCaption.h"
#include "model/InitChunks.h"
#include "model/RTCSTAT.h"
#include "model/SModeChangeInfo.h"
#include "model/XEUtils.h"
#include "platform/HfcDebug.h"
#include "platform/HfcMessageBox.h"
#include "platform/HfcTime.h"
#include "platform/XEvent.h"
#include "remote/CRemoteMIDIImpl.h"
#include "remote/CRemoteSynthImplDetail.h"
#include "remote/IRTMIDISink.h"
#include "remote/IRemoteSynthMIDISink.h"
#include "remote/IRemoteSynthSink.h"
#include "remote/PERSISTPARAMS.h"
#include "remote/Persist.h"
#include "remote/RemoteStatus.h"

namespace Oskend {

using namespace synthimpl;

// ------------------------------------------------------------ commands

namespace {

// The insert-effect types Organ Vibrato/Chorus and Rotary Speaker go only
// into an organ program.
constexpr int kFxOrganVibratoChorus = 62;
constexpr int kFxRotarySpeaker = 63;
constexpr int kCategoryOrgan = 2;

// Swaps two runs of n bytes.
void SwapBytes(std::uint8_t* a, std::uint8_t* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) std::swap(a[i], b[i]);
}

}  // namespace

int CRemoteSynthImpl::RunGlobalStep(bool send) {
  // The window names the global block, as a whole transfer names its steps.
  // It goes as soon as the block is through: while it is up, real-time MIDI
  // from the host and the keyboard is refused.
  const bool opened = link_->UIActivate();
  // Named in the caption, as the banks of a whole transfer are: the
  // session's percentage replaces the label below it.
  link_->UIConfigure(send ? "GLOBAL Transmitting..." : "GLOBAL Receiving...", 1000, 1000, 0);
  link_->UIProgress(50, 50, "GLOBAL");
  const int r = send ? link_->SendGlobalDump(image_.data(), kGlobalSize) : link_->SendGlobalDumpReq();
  if (opened) link_->UIDeactivate();
  return r;
}

bool CRemoteSynthImpl::ResendProg() {
  if (link_->SendCurProgDump(image_.GetProgEditBuffer().data(), kProgSize) < 0) return false;
  const ModeChange change{2, 2};
  SecReinit(kSecProgPlay, &change);
  SecReinit(kSecProgEdit, &change);
  Pause(100);
  return true;
}

bool CRemoteSynthImpl::ResendCombi() {
  if (link_->SendCurCombiDump(image_.GetCombiEditBuffer().data(), kCombiSize) < 0) return false;
  const ModeChange change{0, 0};
  SecReinit(kSecCombiPlay, &change);
  Pause(100);
  return true;
}

bool CRemoteSynthImpl::ExecCommand(int command, int a1, int a2, int a3, int a4,
                                   unsigned long* out) {
  switch (command) {
    case kCmdTransmitAll:
    case kCmdReceiveAll:
    case kCmdSendSelection:
    case kCmdRequestSelection:
    case kCmdWriteCurrentSound: {
      // The caller names the failure from the status: report it.
      const int r = RunTransferCommand(command, a1, a2, a3, a4);
      if (out) *out = static_cast<unsigned long>(static_cast<std::uint32_t>(r));
      return r >= 0;
    }
    case kCmdCopyOscillator:
    case kCmdSwapOscillators:
    case kCmdWriteUncategorised:
    case kCmdCopyEG:
    case kCmdCopyLFO:
    case kCmdSwapLFOsOfOSC1:
    case kCmdSwapLFOsOfOSC2:
      return EditProgramBlocks(command, a1, a2, a3, a4);
    case kCmdCopyInsertEffect:
      return CopyIFX1(a2, a3);
    case kCmdSwapInsertEffects:
      return SwapInsertEffects(a1, a2);
    case kCmdCopyMasterEffects:
      return CopyMasterEffects(a1, a2, a3, a4);
    case kCmdInitCombination:
      return InitCombination();
    case kCmdTransmitGlobal:
      return RunGlobalStep(true) >= 0;
    case kCmdReceiveGlobal:
      return RunGlobalStep(false) >= 0;
    case kCmdCopyScale:
      return CopyScale(a1, a2, a3);
    case kCmdSaveSettings:
      return setupSection_.PersistSave();
    case kCmdNothing:
      return true;
    default:
      return false;
  }
}

int CRemoteSynthImpl::RunTransferCommand(int command, int a1, int a2, int a3, int a4) {
  switch (command) {
    case kCmdTransmitAll:
      return HandleSendAll(image_, "Transmitting...", true, false);
    case kCmdReceiveAll: {
      int step = 0;
      return HandleReceiveAll("Receiving...", &step, false);
    }
    case kCmdSendSelection:
      return SendSelection(a1, a2, a3, a4);
    case kCmdRequestSelection:
      return RequestSelection(a1, a2, a3, a4);
    case kCmdWriteCurrentSound:
      return WriteCurrentSound(a1, a2, a3);
    default:
      return kRemoteFailed;
  }
}

bool CRemoteSynthImpl::EditProgramBlocks(int command, int a1, int a2, int a3, int a4) {
  CHUNK_PROG edit = image_.GetProgEditBuffer();
  switch (command) {
    case kCmdCopyOscillator: {
      CHUNK_PROG src = GetProgramFromStorage(static_cast<eBankID>(a1), a2 % 128);
      if (a1 < 0 || a1 > 3 || a2 < 0 || a2 > 128 || a3 < 0 || a3 > 1 || a4 < 0 || a4 > 1 || !src)
        return false;
      edit.GetOSC(a4).Assign(src.GetOSC(a3));
      return ResendProg();
    }
    case kCmdSwapOscillators:
      if (!edit.GetCommon().IsPCMDoubleOSC()) return false;
      SwapBytes(edit.GetOSC1().data(), edit.GetOSC2().data(), CHUNK_PROG::kOSCStride);
      return ResendProg();
    case kCmdWriteUncategorised: {
      auto cur = image_.GetCurProg();
      edit.GetCommon().SetCategory(6);
      SetProgramToStorage(static_cast<eBankID>(cur.GetBank()), cur.GetNumber(), edit);
      if (link_->SendCurProgDump(edit.data(), kProgSize) < 0) return false;
      return link_->SendProgWriteReq(cur.GetBank(), cur.GetNumber()) >= 0;
    }
    case kCmdCopyEG:
      return CopyEG(a1, a2, a3, a4) && ResendProg();
    case kCmdCopyLFO:
      return CopyLFO(a1, a2, a3, a4) && ResendProg();
    case kCmdSwapLFOsOfOSC1:
    case kCmdSwapLFOsOfOSC2: {
      auto osc = edit.GetOSC(command - kCmdSwapLFOsOfOSC1);
      SwapBytes(osc.GetLFO1().data(), osc.GetLFO2().data(), CHUNK_LFO::kSize);
      return ResendProg();
    }
    default:
      return false;
  }
}

bool CRemoteSynthImpl::SwapInsertEffects(int a, int b) {
  if (a < 0 || a > 4 || b < 0 || b > 4 || a == b) return false;
  if (soundMode_ == 0) {
    auto c = image_.GetCombiEditBuffer();
    SwapBytes(c.GetIFX(a).data(), c.GetIFX(b).data(), CHUNK_IFXSET::kSize);
    return ResendCombi();
  }
  if (soundMode_ != 2) return false;
  CHUNK_PROG edit = image_.GetProgEditBuffer();
  SwapBytes(edit.GetIFX(a).data(), edit.GetIFX(b).data(), CHUNK_IFXSET::kSize);
  return ResendProg();
}

bool CRemoteSynthImpl::InitCombination() {
  auto cur = image_.GetCurCombi();
  CHUNK_COMBI_CONST init(INITCHUNK_COMBI().data());
  image_.GetCombiEditBuffer().Assign(init);
  if (CHUNK_COMBI stored = image_.GetCombi(cur.GetNumber())) stored.Assign(init);
  // Initialising sends the edit buffer alone: the stored sound is not to be
  // written into the synthesizer's memory, also when it is sent later.
  awayWrites_.Note(CImageEdits::Kind::kCombination, 0, cur.GetNumber(), false);
  const int r = link_->SendCurCombiDump(image_.GetCombiEditBuffer().data(), kCombiSize);
  const ModeChange change{0, 0};
  SecReinit(kSecCombiPlay, &change);
  const SSoundIndex s = GetCurSound(true);
  Post(kNoticeBankList, (s.bank << 8) | s.number);
  return r >= 0;
}

int CRemoteSynthImpl::SendSelection(int kind, int bank, int number, int flags) {
  if (kind < 0 || kind > 3) return kSynthStatus4;
  const bool combi = kind < 2;
  const bool stored = flags & 2, current = flags & 1, store = flags & 4;
  if (stored && (combi ? bank > 0 || number > 19 : bank > 3 || number > 127)) return kRefused;
  const bool opened = link_->UIActivate();
  int r = 0;
  if (stored) {
    const std::string word = "Transmitting...";
    if (combi) {
      if (bank < 0 || number < 0) {
        ConfigureSelection(combi, bank, word);
        r = bank < 0 ? link_->SendCombiDump(-1, -1, imageBytes_.data() + L::kCombis, L::kCombisSize,
                                            store)
                     : link_->SendCombiDump(bank, -1, imageBytes_.data() + L::kCombis,
                                            L::kCombisSize, store);
      } else {
        r = link_->SendCombiDump(bank, number, image_.GetCombi(number).data(), kCombiSize, false);
      }
    } else {
      if (bank < 0) {
        ConfigureSelection(combi, bank, word);
        r = link_->SendProgDump(-1, -1, imageBytes_.data() + L::kProgBanks, L::kProgBanksSize,
                                store);
      } else if (number < 0) {
        ConfigureSelection(combi, bank, word);
        r = link_->SendProgDump(bank, -1,
                                imageBytes_.data() + L::kProgBanks + bank * L::kProgBankSize,
                                L::kProgBankSize, store);
      } else {
        r = link_->SendProgDump(bank, number,
                                GetProgramFromStorage(static_cast<eBankID>(bank), number).data(),
                                kProgSize, false);
      }
    }
  }
  if (r >= 0 && current) {
    std::uint8_t rtc[kRTCStateSize];
    RTCSaveStat(rtc);
    if (combi) {
      r = link_->SendCurCombiDump(image_.GetCombiEditBuffer().data(), kCombiSize);
      if (r >= 0 && store && bank >= 0 && number >= 0) {
        if (CHUNK_COMBI dst = image_.GetCombi(number)) dst.Assign(image_.GetCombiEditBuffer());
        r = link_->SendCombiWriteReq(bank, number);
      }
    } else {
      r = link_->SendCurProgDump(image_.GetProgEditBuffer().data(), kProgSize);
      if (r >= 0 && store && bank >= 0 && number >= 0) {
        SetProgramToStorage(static_cast<eBankID>(bank), number, image_.GetProgEditBuffer());
        r = link_->SendProgWriteReq(bank, number);
      }
    }
    RTCRestoreStat(rtc);
  }
  if (opened) link_->UIDeactivate();
  return r;
}

int CRemoteSynthImpl::RequestSelection(int kind, int bank, int number, int flags) {
  if (kind < 0 || kind > 3) return kSynthStatus4;
  const bool combi = kind < 2;
  if ((flags & 2) && (combi ? bank > 0 || number > 19 : bank > 3 || number > 127)) return kRefused;
  const bool opened = link_->UIActivate();
  int r = 0;
  if (flags & 2) {
    if (bank < 0 || number < 0) ConfigureSelection(combi, bank, "Receiving...");
    if (combi)
      r = link_->SendCombiDumpReq(bank < 0 ? -1 : bank, bank < 0 ? -1 : number);
    else
      r = link_->SendProgDumpReq(bank < 0 ? -1 : bank, bank < 0 ? -1 : number);
    if (r >= 0) Pause(100);
  }
  if (r >= 0 && (flags & 1))
    r = combi ? link_->SendCurCombiDumpReq(true) : link_->SendCurProgDumpReq(true);
  if (opened) link_->UIDeactivate();
  return r;
}

void CRemoteSynthImpl::ConfigureSelection(bool combi, int bank, const std::string& word) {
  std::string title, label;
  if (bank < 0) {
    title = (combi ? "All Performance " : "All Program ") + word;
    label = combi ? "Performance" : "Program Bank";
  } else {
    const auto b = static_cast<eBankID>(bank);
    title = (combi ? "PERFORMANCE " + XEUtils::GetCombiBankString(b)
                   : "PROGRAM " + XEUtils::GetProgramBankString(b)) +
            " " + word;
    label = combi ? "PERFORMANCE" : "PROGRAM BANK";
  }
  link_->UIConfigure(title.c_str(), 1000, 1000, 0);
  link_->UIProgress(200, 200, label.c_str());
}

int CRemoteSynthImpl::WriteCurrentSound(int kind, int bank, int number) {
  if (kind == 0 || kind == 1) {
    if (bank != 0 || number < 0 || number > 19) return kRefused;
    int r = link_->SendCurCombiDump(image_.GetCombiEditBuffer().data(), kCombiSize);
    if (r >= 0) r = link_->SendCombiWriteReq(0, number);
    if (r >= 0) {
      link_->SendCurCombiDumpReq(true);
      image_.GetCombi(number).Assign(image_.GetCombiEditBuffer());
      RTCResetStat();
      Post(kNoticeBankList, number);
    }
    return r;
  }
  if (kind == 2 || kind == 3) {
    if (bank < 0 || bank > 3 || number < 0 || number > 127) return kRefused;
    // The name the write dialog gave the sound is the editor's alone (a
    // name is never sent as a parameter): the instrument's edit buffer,
    // read back after the first write, lacks it. It goes back in, and the
    // edit buffer is sent and written once more.
    const std::string name = progPlaySection_.GetParamS(kNameId);
    const int kept = progPlaySection_.GetParamI(kWriteKeptId);
    std::uint8_t rtc[kRTCStateSize];
    RTCSaveStat(rtc);
    int r = link_->SendProgWriteReq(bank, number);
    if (r >= 0) {
      link_->SendCurProgDumpReq(true);
      progPlaySection_.PutParamSEx(kNameId, name.c_str(), ISection::kNotify, eChgSource_Editor);
      progPlaySection_.PutParamIEx(kWriteKeptId, kept, ISection::kNotify, eChgSource_Editor);
      link_->SendCurProgDump(image_.GetProgEditBuffer().data(), kProgSize);
      RTCRestoreStat(rtc);
      r = link_->SendProgWriteReq(bank, number);
      link_->SendCurProgDumpReq(true);
      SetProgramToStorage(static_cast<eBankID>(bank), number, image_.GetProgEditBuffer());
      RTCResetStat();
      Post(kNoticeBankList, 0x20000 + bank * 256 + number);
    }
    return r;
  }
  return kSynthStatus4;
}

bool CRemoteSynthImpl::CopyEG(int bank, int number, int from, int to) {
  CHUNK_PROG src = GetProgramFromStorage(static_cast<eBankID>(bank), number % 128);
  if (bank < 0 || bank > 3 || number < 0 || number > 128 || from < 0 || from > 4 || to < 0 ||
      to > 4 || !src)
    return false;
  CHUNK_PROG dst = image_.GetProgEditBuffer();
  // Envelopes: 0 pitch (common part); 1, 3 filter and 2, 4 amp of oscillators 1, 2.
  auto apply = [&](auto eg) {
    if (to == 0)
      dst.GetCommon().SetPitchEG(eg);
    else if (to % 2 == 1)
      dst.GetOSC((to - 1) / 2).SetFilterEG(eg);
    else
      dst.GetOSC((to - 1) / 2).SetAmpEG(eg);
  };
  if (from == 0)
    apply(CHUNK_PITCHEG_CONST(src.GetCommon().GetPitchEG()));
  else if (from % 2 == 1)
    apply(CHUNK_FILTEREG_CONST(src.GetOSC((from - 1) / 2).GetFilterEG()));
  else
    apply(CHUNK_AMPEG_CONST(src.GetOSC((from - 1) / 2).GetAmpEG()));
  return true;
}

bool CRemoteSynthImpl::CopyLFO(int bank, int number, int from, int to) {
  CHUNK_PROG src = GetProgramFromStorage(static_cast<eBankID>(bank), number % 128);
  if (bank < 0 || bank > 3 || number < 0 || number > 128 || from < 0 || from > 4 || to < 0 ||
      to > 4 || !src)
    return false;
  CHUNK_PROG dst = image_.GetProgEditBuffer();
  // LFOs: 0, 1 of oscillator 1; 2, 3 of oscillator 2; 4 the common LFO.
  auto oscLFO = [](CHUNK_PROG p, int n) {
    auto osc = p.GetOSC(n / 2);
    return n % 2 == 0 ? osc.GetLFO1() : osc.GetLFO2();
  };
  if (to == 4) {
    if (from == 4)
      dst.GetCommon().SetCommonLFO(CHUNK_COMMONLFO_CONST(src.GetCommon().GetCommonLFO()));
    else
      dst.GetCommon().SetCommonLFO(CHUNK_LFO_CONST(oscLFO(src, from)));
  } else if (from == 4) {
    const CHUNK_COMMONLFO_CONST lfo(src.GetCommon().GetCommonLFO());
    if (to % 2 == 0)
      dst.GetOSC(to / 2).SetLFO1(lfo);
    else
      dst.GetOSC(to / 2).SetLFO2(lfo);
  } else {
    oscLFO(dst, to).Assign(oscLFO(src, from));
  }
  return true;
}

bool CRemoteSynthImpl::CopyIFX1(int bank, int number) {
  if (soundMode_ != 2) return false;
  CHUNK_PROG src = GetProgramFromStorage(static_cast<eBankID>(bank), number);
  if (bank < 0 || bank > 3 || number < 0 || number > 127 || !src) return false;
  CHUNK_PROG edit = image_.GetProgEditBuffer();
  const int type = src.GetIFX1().GetType();
  if ((type == kFxOrganVibratoChorus || type == kFxRotarySpeaker) &&
      edit.GetCommon().GetCategory() != kCategoryOrgan)
    return false;
  edit.SetIFX1(src.GetIFX1());
  if (link_->SendCurProgDump(edit.data(), kProgSize) < 0 && connected_) return false;
  SecUpdateFXType(kSecProgEdit);
  SecReinit(kSecProgEdit, nullptr);
  const ModeChange change{2, 2};
  SecReinit(kSecProgPlay, &change);
  Pause(100);
  return true;
}

bool CRemoteSynthImpl::CopyMasterEffects(int kind, int bank, int number, int parts) {
  const int from = (parts >> 8) & 0xFF, to = parts & 0xFF;
  if (from > 8) return false;
  const std::uint8_t* src = nullptr;
  if (kind == 0) {
    if (bank < 0 || number > 127) return false;
    CHUNK_PROG p = GetProgramFromStorage(static_cast<eBankID>(bank), number);
    if (!p) return false;
    src = p.data();
  } else if (kind == 1) {
    CHUNK_COMBI c = image_.GetCombi(number);
    if (!c) return false;
    src = c.data();
  } else {
    return false;
  }
  const bool combi = soundMode_ == 0;
  if (!combi && soundMode_ != 2) return false;
  std::uint8_t* dst =
      combi ? image_.GetCombiEditBuffer().data() : image_.GetProgEditBuffer().data();
  // Record places shared by programs and combinations.
  constexpr std::size_t kMFX1 = 404, kMFX2 = 472, kMFXSize = 68, kEQ = 544, kEQSize = 64;
  if (from == 0 && to == 0) {
    std::memmove(dst + kMFX1, src + kMFX1, kEQ + kEQSize - kMFX1);
  } else {
    auto place = [&](int part, std::size_t* offset, std::size_t* size) {
      if (part == 1)
        *offset = kMFX1, *size = kMFXSize;
      else if (part == 2)
        *offset = kMFX2, *size = kMFXSize;
      else if (part == 3)
        *offset = kEQ, *size = kEQSize;
      else
        return false;
      return true;
    };
    std::size_t so = 0, ss = 0, dof = 0, ds = 0;
    if (place(from, &so, &ss) && place(to, &dof, &ds) && ss == ds)
      std::memmove(dst + dof, src + so, ss);
  }
  return combi ? ResendCombi() : ResendProg();
}

bool CRemoteSynthImpl::CopyScale(int source, int key, int target) {
  if (source < 0 || source > 13 || key < 0 || key > 11 || target < 0 || target > 4) return false;
  std::uint8_t* global = image_.data();
  constexpr std::size_t kOctaveScales = 16, kAllNoteScale = 64;
  std::int8_t values[128] = {};
  if (source == 1 || source == 2) {
    for (int n = 0; n < 12; ++n) {
      const int table =
          source == 1 ? XEUtils::CopyScale_GetMajor(n) : XEUtils::CopyScale_GetMinor(n);
      const int offset = source == 1 ? XEUtils::CopyScale_GetMajorOffset(key)
                                     : XEUtils::CopyScale_GetMinorOffset(key);
      values[n] = static_cast<std::int8_t>((table - offset) * 128 / 330);
    }
  } else if (source >= 3 && source <= 8) {
    std::memcpy(values, XEUtils::CopyScale_GetRomScaleTable(source), 12);
  } else if (source == 9) {
    if (target == 4) std::memcpy(global + kAllNoteScale, XEUtils::CopyScale_GetStretchTable(), 128);
    SecReinit(kSecGlobal, nullptr);
    return true;
  } else if (source >= 10) {
    std::memcpy(values, global + kOctaveScales + (source - 10) * 12, 12);
  }
  if (target < 4) {
    std::memcpy(global + kOctaveScales + target * 12, values, 12);
  } else {
    for (int n = 0; n < 128; ++n)
      global[kAllNoteScale + n] = static_cast<std::uint8_t>(values[n % 12]);
  }
  SecReinit(kSecGlobal, nullptr);
  return true;
}

}  // namespace Oskend
