// CRemoteSynthImpl: whole transfers of the image in both directions.
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

// ------------------------------------------------------------ whole transfers

int CRemoteSynthImpl::HandleReceiveAll(const char* title, int* step, bool useFilter) {
  int s = step ? *step : 0;
  const int allSw = SetupGetI(kSetupAllSw);
  const bool opened = link_->UIActivate();
  UIWait(200);
  const std::string t = title ? title : "";
  int r;
  [&] {
    link_->UIConfigure(t.c_str(), 1000, 1000, 0);
    link_->UIProgress(50, 50, "GLOBAL");
    r = link_->SendGlobalDumpReq();
    if (r < 0) {
      s = 0;
      return;
    }
    UIWait(100);
    const bool filtering = useFilter && allSw == 0;
    if (!filtering || SetupGetI(kSetupProgSw) != 0) {
      if (s < 4) {
        const int from = s;
        s = 0;
        for (int b = from; b < 4; ++b) {
          if (filtering && SetupGetI(kSetupProgBankSw[b]) == 0) continue;
          const std::string caption = kProgBankLabels[b] + t;
          link_->UIConfigure(caption.c_str(), 1000, 1000, 0);
          link_->UIProgress(200, 200, kProgBankLabels[b]);
          r = link_->SendProgDumpReq(b, -1);
          if (r < 0) {
            s = b;
            return;
          }
          UIWait(100);
        }
      }
      if (s == 0 || s == 4) {
        s = 0;
        link_->UIConfigure(t.c_str(), 1000, 1000, 0);
        link_->UIProgress(100, 100, "CURRENT PROGRAM");
        r = link_->SendCurProgDumpReq(true);
        if (r < 0) {
          s = 4;
          return;
        }
        UIWait(100);
      }
    }
    if (filtering && SetupGetI(kSetupCombiSw) == 0) return;
    if (s < 6) {
      s = 0;
      const std::string caption = "Performance" + t;
      link_->UIConfigure(caption.c_str(), 1000, 1000, 0);
      link_->UIProgress(200, 200, "Performance");
      r = link_->SendCombiDumpReq(0, -1);
      if (r < 0) {
        s = 5;
        return;
      }
      UIWait(100);
    }
    if (s == 0 || s == 6) {
      s = 0;
      link_->UIConfigure(t.c_str(), 1000, 1000, 0);
      link_->UIProgress(100, 100, "CURRENT PERFORMANCE");
      r = link_->SendCurCombiDumpReq(true);
      if (r < 0) {
        s = 6;
        return;
      }
      UIWait(100);
    }
  }();
  if (opened) link_->UIDeactivate();
  if (step) *step = s;
  return r;
}

bool CRemoteSynthImpl::SendStep(int status, int* first) {
  if (status < 0 && *first >= 0) *first = status;
  if (status >= 0 && *first >= 0) *first = status;
  return status >= 0;
}

int CRemoteSynthImpl::HandleSendAll(CHUNK_REMOTESYNTH_CONST image, const char* title, bool write,
                                    bool) {
  return RunSendFrame(image, title, write, false);
}

int CRemoteSynthImpl::HandleSendAll_withSoftwareSetup(CHUNK_REMOTESYNTH_CONST image,
                                                      const char* title, bool write) {
  return RunSendFrame(image, title, write, SetupGetI(kSetupAllSw) == 0);
}

int CRemoteSynthImpl::RunSendFrame(CHUNK_REMOTESYNTH_CONST src, const char* title, bool write,
                                   bool filtered) {
  // The transfer works on its own copy: the caller's image stays as it was,
  // and what the synthesizer echoes meanwhile cannot change what is sent.
  std::vector<std::uint8_t> copy(src.data(), src.data() + CHUNK_REMOTESYNTH::kSize);
  SendFrame f{copy.data(), title ? title : "", write, filtered};
  SetDumpProgramChangeProtect(true);
  const bool opened = link_->UIActivate();
  link_->SendModeAndStateReq();
  f.progBank = f.img[L::kCurProg];
  f.progNumber = f.img[L::kCurProg + 1];
  f.combiBank = f.img[L::kCurCombi];
  f.combiNumber = f.img[L::kCurCombi + 1];
  UIWait(10);
  if (const MODEANDSTATE* mas = link_->GetModeAndState()) copy[kHardwareOwnByte] = mas->bytes[3];

  const bool progs = !filtered || SetupGetI(kSetupProgSw) != 0;
  const bool combis = !filtered || SetupGetI(kSetupCombiSw) != 0;
  // Each step goes on only when the one before it went well.
  (void)(SendGlobalStep(f) && (!progs || SendProgBanksStep(f)) && (!combis || SendCombisStep(f)) &&
         (!progs || SendCurrentProgStep(f)) && (!combis || SendCurrentCombiStep(f)));

  Pause(200);
  link_->SendModeChange(static_cast<eMode>(f.img[L::kMode]));
  Pause(300);
  SetDumpProgramChangeProtect(false);
  if (opened) link_->UIDeactivate();
  return f.status;
}

bool CRemoteSynthImpl::SendGlobalStep(SendFrame& f) {
  if (f.filtered) {
    link_->UIConfigure(f.title.c_str(), 1000, 50, 0);
    link_->UIProgress(50, 0, "GLOBAL");
    const int r = link_->SendGlobalDump(f.img, kGlobalSize);
    Pause(1000);
    return SendStep(r, &f.status);
  }
  link_->UIConfigure(f.title.c_str(), 1000, 1000, 0);
  link_->UIProgress(50, 50, "GLOBAL");
  if (!SendStep(link_->SendGlobalDump(f.img, kGlobalSize), &f.status)) return false;
  UIWait(100);
  return true;
}

bool CRemoteSynthImpl::SendProgBanksStep(SendFrame& f) {
  link_->SendModeChange(eMode_ProgPlay);
  if (!f.filtered) UIWait(100);
  for (int b = 0; b < 4; ++b) {
    if (f.filtered && SetupGetI(kSetupProgBankSw[b]) == 0) continue;
    const std::string caption = kProgBankLabels[b] + f.title;
    link_->UIConfigure(caption.c_str(), 1000, 1000, 0);
    link_->UIProgress(200, 200, kProgBankLabels[b]);
    const std::uint8_t* bank = f.img + L::kProgBanks + b * L::kProgBankSize;
    if (!SendStep(link_->SendProgDump(b, -1, bank, L::kProgBankSize, f.write), &f.status))
      return false;
    UIWait(100);
  }
  return true;
}

bool CRemoteSynthImpl::SendCombisStep(SendFrame& f) {
  link_->SendModeChange(eMode_Combi);
  const char* label = f.filtered ? "Performance" : "PERFORMANCE ";
  if (!f.filtered) UIWait(100);
  const std::string caption = label + f.title;
  link_->UIConfigure(caption.c_str(), 1000, 1000, 0);
  link_->UIProgress(f.filtered ? 200 : 400, f.filtered ? 200 : 400, label);
  if (!SendStep(link_->SendCombiDump(0, -1, f.img + L::kCombis, L::kCombisSize, f.write), &f.status))
    return false;
  UIWait(100);
  return true;
}

bool CRemoteSynthImpl::SendCurrentProgStep(SendFrame& f) {
  link_->SendModeChange(eMode_ProgPlay);
  Pause(1000);
  link_->SendProgramChange(static_cast<eBankID>(f.progBank), f.progNumber);
  link_->UIConfigure(f.title.c_str(), 100, 100, 0);
  link_->UIProgress(10, 10, "CURRENT PROGRAM");
  UIWait(200);
  const int r = link_->SendCurProgDump(f.img + L::kProgEditBuffer, kProgSize);
  Pause(100);
  return SendStep(r, &f.status);
}

bool CRemoteSynthImpl::SendCurrentCombiStep(SendFrame& f) {
  link_->SendModeChange(eMode_Combi);
  Pause(200);
  link_->SendProgramChange(static_cast<eBankID>(f.combiBank), f.combiNumber);
  if (f.filtered)
    link_->UIConfigure(f.title.c_str(), 1000, 10, 660);
  else
    link_->UIConfigure(f.title.c_str(), 1000, 1000, 0);
  link_->UIProgress(10, 10, "CURRENT PERFORMANCE");
  UIWait(300);
  if (!SendStep(link_->SendCurCombiDump(f.img + L::kCombiEditBuffer, kCombiSize), &f.status))
    return false;
  Pause(100);
  return true;
}

void CRemoteSynthImpl::OnApplyAll() {
  SecInitSolo(kSecProgPlay);
  SecInitSolo(kSecProgEdit);
  SecInitSolo(kSecCombiPlay);
  SecReinit(kSecGlobal, nullptr);
  SecReinit(kSecProgPlay, nullptr);
  SecReinit(kSecProgEdit, nullptr);
  SecReinit(kSecCombiPlay, nullptr);
  Post(kNoticeBankList, 0x2FFFF);
  Post(kNoticeBankList, 0xFFFF);
  Post(kNoticeMode, image_.GetMode());
  PostCurSound();
  link_->OnModeChanged();
}

void CRemoteSynthImpl::PostCurSound() {
  const SSoundIndex cur = GetCurSound(true);
  Post(kNoticeCurSound, (cur.bank << 8) | cur.number);
}

}  // namespace Oskend
