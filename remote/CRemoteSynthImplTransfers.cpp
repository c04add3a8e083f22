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
  const std::uint8_t* img = copy.data();
  const std::string t = title ? title : "";
  SetDumpProgramChangeProtect(true);
  const bool opened = link_->UIActivate();
  link_->SendModeAndStateReq();
  const int progBank = img[L::kCurProg], progNumber = img[L::kCurProg + 1];
  const int combiBank = img[L::kCurCombi], combiNumber = img[L::kCurCombi + 1];
  UIWait(10);
  if (const MODEANDSTATE* mas = link_->GetModeAndState()) copy[kHardwareOwnByte] = mas->bytes[3];

  int status = 0;  // the first failing data step, else the last success
  [&] {
    const bool progs = !filtered || SetupGetI(kSetupProgSw) != 0;
    const bool combis = !filtered || SetupGetI(kSetupCombiSw) != 0;
    if (filtered) {
      link_->UIConfigure(t.c_str(), 1000, 50, 0);
      link_->UIProgress(50, 0, "GLOBAL");
      const int r = link_->SendGlobalDump(img, kGlobalSize);
      Pause(1000);
      if (!SendStep(r, &status)) return;
    } else {
      link_->UIConfigure(t.c_str(), 1000, 1000, 0);
      link_->UIProgress(50, 50, "GLOBAL");
      if (!SendStep(link_->SendGlobalDump(img, kGlobalSize), &status)) return;
      UIWait(100);
    }
    if (progs) {
      link_->SendModeChange(eMode_ProgPlay);
      if (!filtered) UIWait(100);
      for (int b = 0; b < 4; ++b) {
        if (filtered && SetupGetI(kSetupProgBankSw[b]) == 0) continue;
        const std::string caption = kProgBankLabels[b] + t;
        link_->UIConfigure(caption.c_str(), 1000, 1000, 0);
        link_->UIProgress(200, 200, kProgBankLabels[b]);
        if (!SendStep(link_->SendProgDump(b, -1, img + L::kProgBanks + b * L::kProgBankSize,
                                          L::kProgBankSize, write),
                      &status))
          return;
        UIWait(100);
      }
    }
    if (combis) {
      link_->SendModeChange(eMode_Combi);
      const char* label = filtered ? "Performance" : "PERFORMANCE ";
      if (!filtered) UIWait(100);
      const std::string caption = label + t;
      link_->UIConfigure(caption.c_str(), 1000, 1000, 0);
      link_->UIProgress(filtered ? 200 : 400, filtered ? 200 : 400, label);
      if (!SendStep(link_->SendCombiDump(0, -1, img + L::kCombis, L::kCombisSize, write), &status))
        return;
      UIWait(100);
    }
    if (progs) {
      link_->SendModeChange(eMode_ProgPlay);
      Pause(1000);
      link_->SendProgramChange(static_cast<eBankID>(progBank), progNumber);
      link_->UIConfigure(t.c_str(), 100, 100, 0);
      link_->UIProgress(10, 10, "CURRENT PROGRAM");
      UIWait(200);
      const int r = link_->SendCurProgDump(img + L::kProgEditBuffer, kProgSize);
      Pause(100);
      if (!SendStep(r, &status)) return;
    }
    if (combis) {
      link_->SendModeChange(eMode_Combi);
      Pause(200);
      link_->SendProgramChange(static_cast<eBankID>(combiBank), combiNumber);
      if (filtered)
        link_->UIConfigure(t.c_str(), 1000, 10, 660);
      else
        link_->UIConfigure(t.c_str(), 1000, 1000, 0);
      link_->UIProgress(10, 10, "CURRENT PERFORMANCE");
      UIWait(300);
      if (SendStep(link_->SendCurCombiDump(img + L::kCombiEditBuffer, kCombiSize), &status))
        Pause(100);
    }
  }();
  Pause(200);
  link_->SendModeChange(static_cast<eMode>(img[L::kMode]));
  Pause(300);
  SetDumpProgramChangeProtect(false);
  if (opened) link_->UIDeactivate();
  return status;
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
  const SSoundIndex cur = GetCurSound(true);
  Post(kNoticeCurSound, (cur.bank << 8) | cur.number);
  link_->OnModeChanged();
}

}  // namespace Oskend
