// CRemoteSynthImpl: sinks and the notices that reach them.
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

// ------------------------------------------------------------ notices

bool CRemoteSynthImpl::AdviseSink(IRemoteSynthSink* sink) { return sinks_.Add(sink); }

bool CRemoteSynthImpl::UnadviseSink(IRemoteSynthSink* sink) { return sinks_.Remove(sink); }

bool CRemoteSynthImpl::AdviseMIDISink(IRemoteSynthMIDISink* sink) { return midiSinks_.Add(sink); }

bool CRemoteSynthImpl::UnadviseMIDISink(IRemoteSynthMIDISink* sink) {
  return midiSinks_.Remove(sink);
}

bool CRemoteSynthImpl::SetRTMIDISink(IRTMIDISink* sink) {
  rtSink_ = sink;
  return true;
}

void CRemoteSynthImpl::Post(long event, long a) { dispatch_->NotifyEvent(this, event, a, false); }

void CRemoteSynthImpl::PostConnectionState() {
  Post(kNoticeConnectionState, (connectionChecked_ ? 256 : 0) | (connected_ ? 1 : 0));
}

void CRemoteSynthImpl::OnAsyncEvent(long event, long a) {
  switch (event) {
    case kNoticeRcvDuringAudition: {
      if (GetAuditionState()) EndAudition(false);
      const long kind = (a >> 16) & 0xFF;
      if (kind == 1)
        PutCurSound({static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a)});
      else if (kind == 0)
        PutMode(static_cast<eMode>(a & 0xFF));
      return;
    }
    case kNoticeArmProgDump:
      dispatch_->SetTimerPeriod(progDumpTimer_, 100);
      return;
    case kNoticeSelectSound:
      PutCurSound({static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a)});
      return;
    case kNoticeArmCombiDump:
      dispatch_->SetTimerPeriod(combiDumpTimer_, 100);
      return;
    case kNoticeControlChange:
      RTCOnRcvMIDICC(static_cast<int>(a & 0xFF), static_cast<int>((a >> 8) & 0xFF),
                     static_cast<int>((a >> 16) & 0xFF), static_cast<eChgSource>((a >> 24) & 0xFF));
      return;
    case kNoticeRcvParamChange:
      OnRcvParamChange(link_.get(), static_cast<std::uint8_t>((a >> 48) & 0xFF),
                       static_cast<int>((a >> 32) & 0xFFFF),
                       static_cast<int>(static_cast<std::uint32_t>(a)));
      return;
    case kNoticeRcvModeChange:
      OnRcvModeChange(link_.get(), static_cast<eMode>(a));
      return;
    case kNoticeRcvProgramChange:
      OnRcvProgramChange(link_.get(), static_cast<eBankID>((a >> 8) & 0xFF),
                         static_cast<unsigned>(a & 0xFF));
      return;
    case kNoticeRcvMasterVolume:
      OnRcvMasterVolumeChange(link_.get(), static_cast<unsigned>(a));
      return;
    default:
      if (event >= kNoticeConnectionState && event <= kNoticeNeedAutomationAPI)
        DeliverToSinks(event, a);
      return;
  }
}

void CRemoteSynthImpl::DeliverToSinks(long event, long a) {
  const SSoundIndex sound{static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a)};
  if (event == kNoticeMIDIIn) {
    const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(a >> 8),
                                   static_cast<std::uint8_t>(a >> 16)};
    const unsigned len = static_cast<unsigned>((static_cast<unsigned long>(a) >> 24) & 0xFF);
    midiSinks_.ForEach([&](IRemoteSynthMIDISink* s) { s->OnRemoteSynthMIDIIn(this, bytes, len); });
    return;
  }
  sinks_.ForEach([&](IRemoteSynthSink* s) {
    switch (event) {
      case kNoticeConnectionState:
        s->OnRemoteSynthConnectionStateChanged(this, (a & 255) != 0, a >= 256);
        break;
      case kNoticeExtCtlState:
        s->OnRemoteSynthExtCtlStateChanged(
            this,
            SExtCtlState{static_cast<std::uint8_t>((a & 255) != 0),
                         static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a >> 16)});
        break;
      case kNoticeMasterVolume:
        s->OnRemoteSynthMasterVolumeChanged(this, static_cast<unsigned>(a));
        break;
      case kNoticeMode:
        s->OnRemoteSynthModeChanged(this, static_cast<int>(a));
        break;
      case kNoticeCurSound:
        s->OnRemoteSynthCurSoundChanged(this, sound);
        break;
      case kNoticeBankList:
        s->OnRemoteSynthBankListChanged(this, static_cast<eMode>((a >> 16) & 0xFF), sound);
        break;
      case kNoticeAuditionState:
        s->OnRemoteSynthAuditionStateChanged(this, a != 0);
        break;
      case kNoticeProgOSCMode:
        s->OnRemoteSynthProgOSCModeChanged(this, static_cast<int>(a));
        break;
      case kNoticeBeginUtility:
        s->OnRemoteSynthBeginUIUtility(this);
        break;
      case kNoticeEndUtility:
        s->OnRemoteSynthEndUIUtility(this, a != 0);
        break;
      case kNoticeSeqState:
        s->OnRemoteSynthSeqStateChanged(this, a != 0);
        break;
      case kNoticeNeedAutomationAPI:
        s->OnRemoteSynthNeedAutomationAPI(this, a);
        break;
      default:
        break;
    }
  });
}

void CRemoteSynthImpl::OnAsyncTimer(long id) {
  if (id == connectionTimer_) {
    WatchLink();
    if (!connectionChecked_) connectionChecked_ = true;
    PostConnectionState();
  } else if (id == progDumpTimer_ || id == combiDumpTimer_) {
    dispatch_->SetTimerPeriod(id, 0);
    // A send in progress brings the edit buffers over itself; so does a
    // connection's recall (the request armed by the mode the connection
    // brings the hardware to would land between its transfers and the
    // edits it puts back).
    if (protect_ != 0 || connecting_) return;
    if (id == progDumpTimer_)
      link_->SendCurProgDumpReq(true);
    else
      link_->SendCurCombiDumpReq(false);
  }
}

void CRemoteSynthImpl::BeginUtility() { Post(kNoticeBeginUtility, 0); }
void CRemoteSynthImpl::EndUtility(bool flag) { Post(kNoticeEndUtility, flag ? 1 : 0); }

void CRemoteSynthImpl::NeedAutomationAPI(short a, short b) {
  Post(kNoticeNeedAutomationAPI,
       static_cast<long>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(a)) << 16) |
                         static_cast<std::uint16_t>(b)));
}

void CRemoteSynthImpl::Pause(unsigned ms) {
  const unsigned scaled =
      static_cast<unsigned>(static_cast<unsigned long long>(ms) * pacing_ / 100);
  if (scaled) pace_->Wait(scaled);
}

void CRemoteSynthImpl::UIWait(unsigned ms) {
  const unsigned scaled =
      static_cast<unsigned>(static_cast<unsigned long long>(ms) * pacing_ / 100);
  if (scaled) link_->UIWait(scaled);
}

long long CRemoteSynthImpl::NowUsMs() const {
  return static_cast<long long>(HfcGetSystemTimeMs()) * 1000;
}

}  // namespace Oskend
