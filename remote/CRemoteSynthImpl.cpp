#include "remote/CRemoteSynthImpl.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "editor/shell/CDirtyFlagSet.h"
#include "editor/shell/GetModalCaption.h"
#include "editor/shell/XEUtils.h"
#include "model/BankNames.h"
#include "model/InitChunks.h"
#include "model/RTCSTAT.h"
#include "model/SModeChangeInfo.h"
#include "platform/HfcDebug.h"
#include "platform/HfcMessageBox.h"
#include "platform/HfcTime.h"
#include "platform/XEvent.h"
#include "remote/CRemoteMIDIImpl.h"
#include "remote/IRTMIDISink.h"
#include "remote/IRemoteSynthMIDISink.h"
#include "remote/IRemoteSynthSink.h"
#include "remote/PERSISTPARAMS.h"
#include "remote/Persist.h"
#include "remote/RemoteStatus.h"

namespace Oskend {

namespace {

using L = RemoteSynthLayout;

constexpr std::size_t kGlobalSize = CHUNK_GLOBAL::kSize;
constexpr std::size_t kProgSize = CHUNK_PROG::kSize;
constexpr std::size_t kCombiSize = CHUNK_COMBI::kSize;
constexpr std::size_t kLocalControlByte = 1730;  // bit 0: the hardware's Local Control
constexpr std::size_t kHardwareOwnByte = 1733;   // sent as the hardware reports it
constexpr int kSetupAllSw = static_cast<int>(0x80008100u);
constexpr int kSetupProgSw = static_cast<int>(0x80008200u);
constexpr int kSetupProgBankSw[4] = {static_cast<int>(0x80008300u), static_cast<int>(0x80008400u),
                                     static_cast<int>(0x80008500u), static_cast<int>(0x80008600u)};
constexpr int kSetupCombiSw = static_cast<int>(0x80009100u);
constexpr int kSetupAutoLocalCtrl = static_cast<int>(0x8000a800u);
constexpr int kSetupAutoLoadData = static_cast<int>(0x8000aa00u);
constexpr int kSetupAutoLoadFileName = static_cast<int>(0x8000ab00u);
constexpr int kSetupMIDIInName = static_cast<int>(0x8000ac00u);
constexpr int kSetupMIDIOutName = static_cast<int>(0x8000ad00u);
constexpr int kSetupPlugInMIDIOut = static_cast<int>(0x8000b000u);
constexpr int kSetupPrgChgToGUI = static_cast<int>(0x8000b200u);

// Internal notice: arm the one-shot request of the current combination.
constexpr long kEventArmCombiDump = 0x100;

const char* const kProgBankLabels[4] = {"PROGRAM A ", "PROGRAM B ", "PROGRAM C ", "PROGRAM D "};
const char kNotFound[] = "Vesk Hardware not found.\nRescan all the MIDI devices?";

std::string RetryText() {
  return std::string(
             "- If you're using a USB hub, try connecting the Vesk directly to a USB port on the "
             "computer.\n\n- Don't touch the keyboard or the mouse while data dump.\n\nWhen you "
             "lose synchronization, perform ") +
         '"' + "Receive \nAll" + '"' + " in the " + '"' + "Utility" + '"' + " menu.\n\nRetry?";
}

}  // namespace

IRemoteSynth* RemoteSynthCreate(AudioEffect* effect) { return new CRemoteSynthImpl(effect); }

// ------------------------------------------------------------ construction

CRemoteSynthImpl::CRemoteSynthImpl(AudioEffect* effect)
    : effect_(effect),
      setup_(INITCHUNK_SETUP().begin(), INITCHUNK_SETUP().end()),
      imageBytes_(CHUNK_REMOTESYNTH::kSize),
      rom_(CHUNK_REMOTESYNTH::kSize),
      image_(imageBytes_.data()) {
  InitAllChunk(image_);
  ResetAuditionArea();
  pace_ = std::make_unique<XEvent>();
  pace_->Create();
  dispatch_.reset(AsyncDispatchCreate());
  dispatch_->CreateTimer(this, &connectionTimer_);
  dispatch_->CreateTimer(this, &progDumpTimer_);
  dispatch_->CreateTimer(this, &combiDumpTimer_);
  link_.reset(RemoteMIDICreate());
  virtualMode_ = static_cast<std::uint8_t>(image_.GetMode());
  soundMode_ = image_.GetMode();
  progBanks_.AddBanks(L::kProgBankCount, L::kProgsPerBank, BANKNAMES_PROG_RAM_INT,
                      imageBytes_.data() + L::kProgBanks, L::kProgBanksSize);
  combiBanks_.AddBanks(1, L::kCombiCount, BANKNAMES_COMBI, imageBytes_.data() + L::kCombis,
                       L::kCombisSize);
  BindSections();
  autoLoaded_ = false;
  const std::string name = SetupGetS(kSetupAutoLoadFileName);
  if (SetupGetI(kSetupAllSw) == 0 && SetupGetI(kSetupAutoLoadData) != 0 && !name.empty())
    autoLoaded_ = AutoLoadData(name.c_str());
}

CRemoteSynthImpl::~CRemoteSynthImpl() {
  // The sinks may be gone already: nobody hears of the closing disconnect.
  {
    CHfcCriticalSectionLock g(sinkLock_);
    sinks_.clear();
    midiSinks_.clear();
  }
  rtSink_ = nullptr;
  Disconnect();
  dispatch_->PurgeHandler(this);
  if (combiDumpTimer_) dispatch_->DestroyTimer(combiDumpTimer_);
  if (progDumpTimer_) dispatch_->DestroyTimer(progDumpTimer_);
  if (connectionTimer_) dispatch_->DestroyTimer(connectionTimer_);
  link_.reset();
  dispatch_.reset();
}

void CRemoteSynthImpl::ResetAuditionArea() {
  audition_.mode = audition_.virtualMode = audition_.soundMode = 0xFF;
  audition_.bank = audition_.number = 0;
  std::fill(audition_.sound.begin(), audition_.sound.end(), 0);
  std::fill(std::begin(audition_.rtc), std::end(audition_.rtc), 0);
}

// ------------------------------------------------------------ notices

bool CRemoteSynthImpl::AdviseSink(IRemoteSynthSink* sink) {
  CHfcCriticalSectionLock g(sinkLock_);
  if (!sink || std::find(sinks_.begin(), sinks_.end(), sink) != sinks_.end()) return false;
  sinks_.push_back(sink);
  return true;
}

bool CRemoteSynthImpl::UnadviseSink(IRemoteSynthSink* sink) {
  CHfcCriticalSectionLock g(sinkLock_);
  auto it = std::find(sinks_.begin(), sinks_.end(), sink);
  if (!sink || it == sinks_.end()) return false;
  sinks_.erase(it);
  return true;
}

bool CRemoteSynthImpl::AdviseMIDISink(IRemoteSynthMIDISink* sink) {
  CHfcCriticalSectionLock g(sinkLock_);
  if (!sink || std::find(midiSinks_.begin(), midiSinks_.end(), sink) != midiSinks_.end())
    return false;
  midiSinks_.push_back(sink);
  return true;
}

bool CRemoteSynthImpl::UnadviseMIDISink(IRemoteSynthMIDISink* sink) {
  CHfcCriticalSectionLock g(sinkLock_);
  auto it = std::find(midiSinks_.begin(), midiSinks_.end(), sink);
  if (!sink || it == midiSinks_.end()) return false;
  midiSinks_.erase(it);
  return true;
}

bool CRemoteSynthImpl::SetRTMIDISink(IRTMIDISink* sink) {
  rtSink_ = sink;
  return true;
}

void CRemoteSynthImpl::Post(long event, long a) { dispatch_->NotifyEvent(this, event, a, false); }

void CRemoteSynthImpl::OnAsyncEvent(long event, long a) {
  switch (event) {
    case 1: {
      if (GetAuditionState()) EndAudition(false);
      const long kind = (a >> 16) & 0xFF;
      if (kind == 1)
        PutCurSound({static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a)});
      else if (kind == 0)
        PutMode(static_cast<eMode>(a & 0xFF));
      return;
    }
    case 2:
      dispatch_->SetTimerPeriod(progDumpTimer_, 100);
      return;
    case 3:
      PutCurSound({static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a)});
      return;
    case kEventArmCombiDump:
      dispatch_->SetTimerPeriod(combiDumpTimer_, 100);
      return;
    default:
      if (event >= 4 && event <= 16) DeliverToSinks(event, a);
      return;
  }
}

void CRemoteSynthImpl::DeliverToSinks(long event, long a) {
  CHfcCriticalSectionLock g(sinkLock_);
  const SSoundIndex sound{static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a)};
  if (event == 11) {
    const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(a >> 8),
                                   static_cast<std::uint8_t>(a >> 16)};
    const unsigned len = static_cast<unsigned>((static_cast<unsigned long>(a) >> 24) & 0xFF);
    for (IRemoteSynthMIDISink* s : midiSinks_) s->OnRemoteSynthMIDIIn(this, bytes, len);
    return;
  }
  for (IRemoteSynthSink* s : sinks_) {
    switch (event) {
      case 4:
        s->OnRemoteSynthConnectionStateChanged(this, (a & 255) != 0, a >= 256);
        break;
      case 5:
        s->OnRemoteSynthExtCtlStateChanged(
            this,
            SExtCtlState{static_cast<std::uint8_t>((a & 255) != 0),
                         static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a >> 16)});
        break;
      case 6:
        s->OnRemoteSynthMasterVolumeChanged(this, static_cast<unsigned>(a));
        break;
      case 7:
        s->OnRemoteSynthModeChanged(this, static_cast<int>(a));
        break;
      case 8:
        s->OnRemoteSynthCurSoundChanged(this, sound);
        break;
      case 9:
        s->OnRemoteSynthBankListChanged(this, static_cast<eMode>((a >> 16) & 0xFF), sound);
        break;
      case 10:
        s->OnRemoteSynthAuditionStateChanged(this, a != 0);
        break;
      case 12:
        s->OnRemoteSynthProgOSCModeChanged(this, static_cast<int>(a));
        break;
      case 13:
        s->OnRemoteSynthBeginUIUtility(this);
        break;
      case 14:
        s->OnRemoteSynthEndUIUtility(this, a != 0);
        break;
      case 15:
        s->OnRemoteSynthSeqStateChanged(this, a != 0);
        break;
      case 16:
        s->OnRemoteSynthNeedAutomationAPI(this, a);
        break;
      default:
        break;
    }
  }
}

void CRemoteSynthImpl::OnAsyncTimer(long id) {
  if (id == connectionTimer_) {
    if (!connectionChecked_) connectionChecked_ = true;
    Post(4, (connectionChecked_ ? 256 : 0) | (GetConnected() ? 1 : 0));
  } else if (id == progDumpTimer_) {
    dispatch_->SetTimerPeriod(progDumpTimer_, 0);
    // A send in progress brings the edit buffers over itself.
    if (protect_ == 0) link_->SendCurProgDumpReq(true);
  } else if (id == combiDumpTimer_) {
    dispatch_->SetTimerPeriod(combiDumpTimer_, 0);
    if (protect_ == 0) link_->SendCurCombiDumpReq(false);
  }
}

void CRemoteSynthImpl::BeginUtility() { Post(13, 0); }
void CRemoteSynthImpl::EndUtility(bool flag) { Post(14, flag ? 1 : 0); }

void CRemoteSynthImpl::NeedAutomationAPI(short a, short b) {
  Post(16, static_cast<long>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(a)) << 16) |
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

// ------------------------------------------------------------ accessors

bool CRemoteSynthImpl::GetMIDIConnectionState(MIDIDevKey* in, MIDIDevKey* out,
                                              DEVICEINQUIRYDATA* inquiry, MODEANDSTATE* state,
                                              bool* checked) {
  if (checked) *checked = connectionChecked_;
  return link_->GetConnectionState(out, in, inquiry, state);
}

int CRemoteSynthImpl::GetGlobalChannel() { return link_->GetGlobalChannel(); }
int CRemoteSynthImpl::GetCurTimbreMIDICh(int, int) { return link_->GetGlobalChannel(); }
int CRemoteSynthImpl::GetCurTimbreMIDICh(IRemoteMIDI*, int, int) {
  return link_->GetGlobalChannel();
}
BankMap CRemoteSynthImpl::GetBankMap() { return link_->GetBankMap(); }
void CRemoteSynthImpl::SetBankMap(BankMap map) { link_->SetBankMap(map); }
unsigned CRemoteSynthImpl::GetSystemVersion() { return link_->GetSystemVersion(); }
std::vector<MIDIDevKey>* CRemoteSynthImpl::GetMIDIInKeyDevArray() {
  return link_->GetMIDIInKeyDevArray();
}
std::vector<MIDIDevKey>* CRemoteSynthImpl::GetMIDIOutKeyDevArray() {
  return link_->GetMIDIOutKeyDevArray();
}
void CRemoteSynthImpl::SetPrgChgToGUI(bool on) { link_->SetPrgChgToGUI(on); }
bool CRemoteSynthImpl::GetSongRunning() { return link_->GetSongRunning(); }

void CRemoteSynthImpl::SetMIDIOUTtoDAW(bool on) {
  if (IRTMIDISink* s = rtSink_) s->SetMIDIOUTtoDAW(on);
}

void CRemoteSynthImpl::SetAudioOutCh(int channel) {
  if (IRTMIDISink* s = rtSink_) s->SetAudioOutCh(channel);
}

void CRemoteSynthImpl::SetExtCtlState(MIDIClock clock) {
  extCtl_ = SExtCtlState{0, 0, static_cast<std::uint8_t>(clock)};
}

void CRemoteSynthImpl::SetParentWindow(CHfcWindow* window) {
  parentWindow_ = window;
  if (auto* link = dynamic_cast<CRemoteMIDIImpl*>(link_.get())) link->parentWindow = window;
}

void CRemoteSynthImpl::SetDumpProgramChangeProtect(bool on) {
  if (on)
    ++protect_;
  else
    --protect_;
}

bool CRemoteSynthImpl::LoadUIState(std::uint8_t index, UISTATEDATA* out) {
  if (index > 3 || !out) return false;
  auto rec = index < 2 ? image_.GetCurCombi() : image_.GetCurProg();
  std::memcpy(out->bytes, rec.UIState().data(), sizeof out->bytes);
  return true;
}

bool CRemoteSynthImpl::SaveUIState(std::uint8_t index, const UISTATEDATA& state) {
  if (index > 3) return false;
  auto rec = index < 2 ? image_.GetCurCombi() : image_.GetCurProg();
  std::memcpy(rec.UIState().data(), state.bytes, sizeof state.bytes);
  return true;
}

int CRemoteSynthImpl::GetProgramMode(eBankID bank, int number) {
  auto cur = image_.GetCurProg();
  if (cur.GetBank() == bank && cur.GetNumber() == number)
    return image_.GetProgEditBuffer().GetCommon().GetOSCMode();
  CHUNK_PROG p = GetProgramFromStorage(bank, number);
  return p ? p.GetCommon().GetOSCMode() : 0;
}

CHUNK_PROG CRemoteSynthImpl::GetProgramFromStorage(eBankID bank, int number) {
  if (bank < 0 || bank > 3) return CHUNK_PROG();
  return image_.GetProg(bank, number & 127);
}

void CRemoteSynthImpl::SetupProgEditBuffer(eBankID bank, int number) {
  CHUNK_PROG src = GetProgramFromStorage(bank, number);
  if (src) image_.GetProgEditBuffer().Assign(src);
}

IBankList* CRemoteSynthImpl::GetAllSounds(int mode) {
  if (mode == 0 || mode == 1) return &combiBanks_;
  if (mode == 2 || mode == 3) return &progBanks_;
  return nullptr;
}

bool CRemoteSynthImpl::IsEnableProgramChangeBank(eMode mode, eBankID bank) {
  if (mode != 2 && mode != 3) return true;
  return bank >= 0 && bank <= 3;
}

bool CRemoteSynthImpl::IsEnableProgramChangeProgBank(eMode mode, eBankID bank, int number) {
  return IsEnableProgramChangeBank(mode, bank) && IsEnableProgramChangeProgram(mode, number);
}

// ------------------------------------------------------------ connecting

void CRemoteSynthImpl::SendLocalControl(bool on) {
  const std::uint8_t msg[3] = {static_cast<std::uint8_t>(0xB0 | (link_->GetGlobalChannel() & 0x0F)),
                               122, static_cast<std::uint8_t>(on ? 127 : 0)};
  link_->SendShortMsg(NowUsMs(), msg, 3);
}

bool CRemoteSynthImpl::RetryTransfer() {
  if (link_->UIIsAborted()) return false;
  const std::string caption = GetModalCaption(pmid_, standalone_);
  return HfcMessageBoxForWindow(RetryText().c_str(), caption.c_str(), parentWindow_, 1, 3) == 1;
}

bool CRemoteSynthImpl::Connect(bool standalone, bool recall) {
  try {
    return ConnectSteps(standalone, recall) != 0;
  } catch (...) {
    HfcDebugStr("Exception at RemoteSynth::Connection()");
    connected_ = false;
    nowInitializing_ = false;
    Post(4, (connectionChecked_ ? 256 : 0));
    return false;
  }
}

void CRemoteSynthImpl::AbortConnection() {
  if (auto* link = dynamic_cast<CRemoteMIDIImpl*>(link_.get())) link->Abort();
}

int CRemoteSynthImpl::ConnectSteps(bool standalone, bool recall) {
  if (connected_) {
    Post(4, (connectionChecked_ ? 256 : 0) | 1);
    return 1;
  }
  connected_ = false;
  SetParentWindow(parentWindow_);
  const bool activated = link_->UIActivate();
  struct Deactivate {
    IRemoteMIDI* link;
    bool on;
    ~Deactivate() {
      if (on) link->UIDeactivate();
    }
  } deactivate{link_.get(), activated};
  connectionChecked_ = true;
  standalone_ = standalone;
  if (!autoLoaded_ && !recallPending_) InitAllChunk(image_);

  const std::string inName = SetupGetS(kSetupMIDIInName);
  const std::string outName = SetupGetS(kSetupMIDIOutName);
  bool ok = false;
  bool scan = inName.empty();
  if (!scan) {
    ok = link_->Connect(this, standalone, inName, outName);
    if (!ok) {
      const std::string caption = GetModalCaption(pmid_, standalone);
      scan = HfcMessageBoxForWindow(kNotFound, caption.c_str(), parentWindow_, 1, 5) == 1;
    }
  }
  if (!ok && scan) ok = link_->Connect(this, standalone);
  if (!ok) {
    connected_ = false;
    link_->Fake_FullOption();
    Post(4, (connectionChecked_ ? 256 : 0));
    return 0;
  }

  Set_NowInitializing(true);
  connected_ = true;
  SetMIDIOUTtoDAW(SetupGetI(kSetupPlugInMIDIOut) != 0);
  SetPrgChgToGUI(SetupGetI(kSetupPrgChgToGUI) != 0);

  MIDIDevKey inKey, outKey;
  link_->GetConnectionState(&outKey, &inKey, nullptr, nullptr);
  // The link's connect by names matches these names of the ports.
  const std::string& nowIn = inKey.name;
  const std::string& nowOut = outKey.name;
  if (nowIn != inName) {
    SetupPutS(kSetupMIDIInName, nowIn);
    SetupPersistSave(kSetupMIDIInName);
  }
  if (nowOut != outName) {
    SetupPutS(kSetupMIDIOutName, nowOut);
    SetupPersistSave(kSetupMIDIOutName);
  }

  recallProgBank_ = -1;
  SetDumpProgramChangeProtect(true);
  const int progBank = image_.GetCurProg().GetBank(), progNumber = image_.GetCurProg().GetNumber();
  const int combiBank = image_.GetCurCombi().GetBank(),
            combiNumber = image_.GetCurCombi().GetNumber();
  link_->SendGlobalDumpReq();
  Pause(100);
  link_->SendProgramChange(static_cast<eBankID>(progBank), progNumber);
  Pause(500);
  link_->SendModeChange(eMode_Combi);
  Pause(200);
  link_->SendProgramChange(static_cast<eBankID>(combiBank), combiNumber);
  Pause(100);
  link_->SendModeChange(static_cast<eMode>(image_.GetMode()));
  Pause(200);
  SetDumpProgramChangeProtect(false);
  Set_NowInitializing(false);

  const bool localOn = (image_.data()[kLocalControlByte] & 1) != 0;
  const bool autoLocal = SetupGetI(kSetupAutoLocalCtrl) != 0;
  if (!standalone && localOn && autoLocal) {
    localControlRestore_ = 2;
    SendLocalControl(false);
  } else if (standalone && !localOn) {
    localControlRestore_ = 1;
    SendLocalControl(true);
  }

  if (recall) {
    bool recalled = false;
    if (!recallPending_) {
      int step = 0;
      int r;
      while ((r = HandleReceiveAll("Synchronizing...", &step, true)) < 0 && RetryTransfer()) {
      }
      recalled = r >= 0;
      if (recalled && !pendingHostData_.empty() && LoadPendingHostData()) {
        int s;
        while ((s = HandleSendAll(image_, "Restoring song data...", false, false)) < 0 &&
               RetryTransfer()) {
        }
        OnApplyAll();
        if (s >= 0) pendingHostData_.clear();
        recalled = s >= 0;
      }
    } else {
      const int r = HandleSendAll_withSoftwareSetup(image_, "Transmitting...", false);
      if (recallProgBank_ != -1) {
        image_.GetCurProg().data()[0] = static_cast<std::uint8_t>(recallProgBank_);
        recallProgBank_ = -1;
      }
      recalled = r >= 0;
      // A recall that did not reach the hardware stays pending for the next
      // connection, and the user hears of it.
      if (recalled) {
        SetRecallPending(false);
      } else {
        ReportFailure("Transmitting...", r);
      }
    }
    if (recalled && !standalone && localOn && autoLocal) {
      localControlRestore_ = 2;
      SendLocalControl(false);
    }
  }

  dispatch_->SetTimerPeriod(connectionTimer_, 2000);
  Post(4, (connectionChecked_ ? 256 : 0) | (connected_ ? 1 : 0));
  OnAsyncTimer(connectionTimer_);
  return 1;
}

void CRemoteSynthImpl::ReportFailure(const char* title, int status) {
  std::string text = title;
  if (status == kRemoteTimeout)
    text += " Error!\nTimeOut";
  else if (status == kSynthStatus1)
    text += " Error!\nWrite Protected.";
  else if (status == kSynthStatus3)
    text += " Error!\nMode is Wrong";
  else
    text += " Error";
  const std::string caption = GetModalCaption(pmid_, standalone_);
  HfcMessageBoxForWindow(text.c_str(), caption.c_str(), parentWindow_, 0, 4);
}

void CRemoteSynthImpl::Disconnect() {
  if (localControlRestore_ == 1)
    SendLocalControl(false);
  else if (localControlRestore_ == 2)
    SendLocalControl(true);
  link_->Disconnect();
  connected_ = false;
  connectionChecked_ = false;
  standalone_ = false;
  virtualMode_ = static_cast<std::uint8_t>(image_.GetMode());
  // The sound mode names a kind of sound (0 combination, 2 program), which the
  // commands and the current-sound logic rely on; a mode without a sound of
  // its own (global) keeps the kind last edited.
  const int mode = image_.GetMode();
  if (mode <= 3) soundMode_ = mode < 2 ? 0 : 2;
  extCtl_ = SExtCtlState{};
  localControlRestore_ = 0;
  Post(4, 0);
}

// ------------------------------------------------------------ modes and sounds

unsigned CRemoteSynthImpl::PutMasterVolume(unsigned volume) {
  link_->SendMasterVolumeChange(std::min(volume, kMaxVolume));
  OnRcvMasterVolumeChange(link_.get(), volume);
  return GetMasterVolume();
}

eMode CRemoteSynthImpl::PutMode(eMode mode) {
  link_->SendModeChange(mode);
  OnRcvModeChange(link_.get(), link_->GetMode());
  return GetMode();
}

SSoundIndex CRemoteSynthImpl::GetCurSound(bool flag) {
  if (soundMode_ == 0) {
    auto c = image_.GetCurCombi();
    return {static_cast<std::uint8_t>(c.GetBank()), static_cast<std::uint8_t>(c.GetNumber())};
  }
  if (soundMode_ == 2) {
    auto p = image_.GetCurProg();
    return XEUtils::BankProg2SoundIndex(static_cast<eBankID>(p.GetBank()), p.GetNumber(),
                                        eMode_ProgPlay, flag);
  }
  return {};
}

SSoundIndex CRemoteSynthImpl::PutCurSound(const SSoundIndex& sound) {
  eBankID bank = eBankID_A;
  int number = 0;
  const int sm = soundMode_;
  XEUtils::SoundIndex2BankProg(sound, &bank, &number, static_cast<eMode>(sm));
  if (!IsEnableProgramChangeProgBank(static_cast<eMode>(sm), bank, number))
    return GetCurSound(true);
  if (auditionKind_ != 1) {
    const bool switched = image_.GetMode() != sm;
    if (switched) {
      link_->SendModeChange(static_cast<eMode>(sm));
      Pause(100);
    }
    link_->SendProgramChange(bank, number);
    // The link keeps the bank in the low byte and the number in the high one.
    const std::uint16_t pair = link_->GetBnkPgmPair();
    ApplyProgramChange(pair & 0xFF, pair >> 8);
    if (switched) link_->SendModeChange(static_cast<eMode>(image_.GetMode()));
  } else {
    link_->SendProgramChange(bank, number);
    if (sm == 0)
      image_.GetCurCombi().Set(bank, number);
    else if (sm == 2)
      image_.GetCurProg().Set(bank, number);
  }
  return GetCurSound(true);
}

bool CRemoteSynthImpl::BeginAudition(AUDCTX kind) {
  // Only the kinds that save the current sound start an audition.
  if (auditionKind_ != 0 || kind < 1 || kind > 3) return false;
  {
    const int sm = soundMode_;
    if (sm == 0) {
      auto cur = image_.GetCurCombi();
      audition_.bank = static_cast<std::uint8_t>(cur.GetBank());
      audition_.number = static_cast<std::uint8_t>(cur.GetNumber());
      std::memcpy(audition_.sound.data(), image_.GetCombiEditBuffer().data(), kCombiSize);
    } else if (sm == 2) {
      auto cur = image_.GetCurProg();
      audition_.bank = static_cast<std::uint8_t>(cur.GetBank());
      audition_.number = static_cast<std::uint8_t>(cur.GetNumber());
      std::memcpy(audition_.sound.data(), image_.GetProgEditBuffer().data(), kProgSize);
    } else {
      return false;
    }
    RTCSaveStat(audition_.rtc);
  }
  auditionKind_ = kind;
  audition_.mode = static_cast<std::uint8_t>(image_.GetMode());
  audition_.virtualMode = virtualMode_;
  audition_.soundMode = static_cast<std::uint8_t>(soundMode_.load());
  if (kind == 1 && link_->GetMode() != soundMode_)
    link_->SendModeChange(static_cast<eMode>(soundMode_.load()));
  Post(10, 1);
  return true;
}

bool CRemoteSynthImpl::EndAudition(bool keep) {
  const int kind = auditionKind_;
  if (kind == 0) return false;
  const AuditionArea& a = audition_;
  auto restoreModes = [&] {
    image_.SetMode(a.mode);
    virtualMode_ = a.virtualMode;
    soundMode_ = a.soundMode;
  };
  // The saved sound goes back into the edit buffer of its own kind.
  auto restoreSaved = [&] {
    if (a.soundMode == 0) {
      std::memcpy(image_.GetCombiEditBuffer().data(), a.sound.data(), kCombiSize);
      image_.GetCurCombi().Set(a.bank, a.number);
      SecUpdateFXType(kSecCombiPlay);
    } else {
      std::memcpy(image_.GetProgEditBuffer().data(), a.sound.data(), kProgSize);
      image_.GetCurProg().Set(a.bank, a.number);
      SecUpdateFXType(kSecProgEdit);
    }
  };
  if (kind == 3) {
    if (!keep) {
      restoreSaved();
      RTCRestoreStat(a.rtc);
    }
    restoreModes();
  } else if (keep && kind == 1) {
    if (link_->GetMode() != a.virtualMode) link_->SendModeChange(static_cast<eMode>(a.virtualMode));
    if (link_->GetMode() != a.mode) link_->SendModeChange(static_cast<eMode>(a.mode));
    if (a.soundMode == 0) {
      auto cur = image_.GetCurCombi();
      CHUNK_COMBI stored = image_.GetCombi(cur.GetNumber());
      if (stored) image_.GetCombiEditBuffer().Assign(stored);
      SecUpdateFXType(kSecCombiPlay);
    } else if (a.soundMode == 2) {
      auto cur = image_.GetCurProg();
      CHUNK_PROG stored =
          GetProgramFromStorage(static_cast<eBankID>(cur.GetBank()), cur.GetNumber());
      if (stored) image_.GetProgEditBuffer().Assign(stored);
      SecUpdateFXType(kSecProgEdit);
    }
    RTCResetStat();
    restoreModes();
  } else if (keep) {
    restoreModes();
  } else {
    if (link_->GetMode() != a.soundMode) {
      Pause(200);
      link_->SendModeChange(static_cast<eMode>(a.soundMode));
      Pause(100);
    }
    if (link_->GetBnkPgmPair() != (a.bank | (a.number << 8))) {
      link_->SendProgramChange(static_cast<eBankID>(a.bank), a.number);
      Pause(100);
    }
    if (link_->GetMode() != a.mode) link_->SendModeChange(static_cast<eMode>(a.mode));
    if (a.soundMode == 0)
      link_->SendCurCombiDump(a.sound.data(), kCombiSize);
    else
      link_->SendCurProgDump(a.sound.data(), kProgSize);
    restoreSaved();
    Pause(100);
    RTCRestoreStat(a.rtc);
    restoreModes();
  }
  auditionKind_ = 0;
  ResetAuditionArea();
  Post(10, 0);
  return true;
}

bool CRemoteSynthImpl::MIDIOut(const void* bytes, unsigned length) {
  return RTMIDIOut(NowUsMs(), bytes, length, eChgSource_Editor);
}

bool CRemoteSynthImpl::RTMIDIOut(long long timeUs, const void* bytes, unsigned length,
                                 eChgSource source) {
  if (link_->UIIsActive()) return false;
  const auto* d = static_cast<const std::uint8_t*>(bytes);
  if (d && length >= 3 && (d[0] & 0xF0) == 0xB0) RTCOnRcvMIDICC(d[0], d[1], d[2], source);
  return link_->SendShortMsg(timeUs, bytes, length) >= 0;
}

// ------------------------------------------------------------ received

int CRemoteSynthImpl::OnRcvShortMsg(IRemoteMIDI*, long long time, const void* data, unsigned len,
                                    eChgSource source) {
  if (!connected_) return kRefused;
  if (protect_ >= 1) return 0;
  const auto* d = static_cast<const std::uint8_t*>(data);
  if (!d || len == 0) return 0;
  if ((d[0] & 0xF0) == 0xB0 && len >= 3) RTCOnRcvMIDICC(d[0], d[1], d[2], source);
  if (IRTMIDISink* s = rtSink_) s->OnRTMIDIIn(time, data, len);
  if (len == 2 || len == 3) {
    std::uint32_t word = d[0] | (d[1] << 8) | (len == 3 ? d[2] << 16 : 0);
    word |= len << 24;
    Post(11, static_cast<long>(word));
  }
  return 0;
}

int CRemoteSynthImpl::OnRcvProgramChange(IRemoteMIDI*, eBankID bank, unsigned number) {
  if (auditionKind_ != 0) {
    Post(1, 0x10000 + ((bank & 0xFF) << 8) + (number & 0xFF));
    return 0;
  }
  if (protect_ > 0) return 0;
  const int sm = soundMode_;
  if (sm == 0 && (bank != 0 || number > 19)) return kRefused;
  if (sm == 2 && (number > 127 || !IsEnableProgramChangeBank(eMode_ProgPlay, bank)))
    return kRefused;
  ApplyProgramChange(bank, static_cast<int>(number));
  return 0;
}

void CRemoteSynthImpl::ApplyProgramChange(int bank, int number) {
  const int sm = soundMode_;
  if (sm == 0) {
    CHUNK_COMBI stored = image_.GetCombi(number);
    if (bank != 0 || !stored) return;
    image_.GetCurCombi().Set(bank, number);
    image_.GetCombiEditBuffer().Assign(stored);
    SecInitSolo(kSecCombiPlay);
    SecReinit(kSecCombiPlay, nullptr);
  } else if (sm == 2) {
    CHUNK_PROG stored = GetProgramFromStorage(static_cast<eBankID>(bank), number);
    if (!stored || number > 127) return;
    image_.GetCurProg().Set(bank, number);
    image_.GetProgEditBuffer().Assign(stored);
    SecInitSolo(kSecProgPlay);
    SecReinit(kSecProgPlay, nullptr);
    SecReinit(kSecProgEdit, nullptr);
  }
  RTCResetStat();
  Post(8, ((bank & 0xFF) << 8) | (number & 0xFF));
}

int CRemoteSynthImpl::OnRcvCurProgDump(IRemoteMIDI*, const void* data, unsigned len) {
  if (auditionKind_ != 0 || protect_ > 0) return 0;
  if (!data || len < kProgSize) return kRefused;
  std::memcpy(image_.GetProgEditBuffer().data(), data, kProgSize);
  const ModeChange change{2, 2};
  SecReinit(kSecProgPlay, &change);
  SecReinit(kSecProgEdit, &change);
  RTCSetCategory(image_.GetProgEditBuffer().GetCommon().GetCategory());
  return 0;
}

int CRemoteSynthImpl::OnRcvProgDump(IRemoteMIDI*, eBankID bank, int number, const void* data,
                                    unsigned len) {
  if (!data) return kRefused;
  if (bank < 0) {
    if (len < L::kProgBanksSize) return kRefused;
    std::memcpy(imageBytes_.data() + L::kProgBanks, data, L::kProgBanksSize);
    Post(9, 0x2FFFF);
  } else if (bank > 3) {
    return kRefused;
  } else if (number < 0) {
    if (len < L::kProgBankSize) return kRefused;
    std::memcpy(imageBytes_.data() + L::kProgBanks + bank * L::kProgBankSize, data,
                L::kProgBankSize);
    Post(9, 0x200FF + bank * 256);
  } else {
    CHUNK_PROG dst = image_.GetProg(bank, number);
    if (!dst || len < kProgSize) return kRefused;
    std::memcpy(dst.data(), data, kProgSize);
    Post(9, 0x20000 + bank * 256 + number);
  }
  return 0;
}

int CRemoteSynthImpl::OnRcvCurCombiDump(IRemoteMIDI*, const void* data, unsigned len) {
  if (auditionKind_ != 0 || protect_ > 0) return 0;
  if (!data || len < kCombiSize) return kRefused;
  std::memcpy(image_.GetCombiEditBuffer().data(), data, kCombiSize);
  SecInitSolo(kSecCombiPlay);
  SecReinit(kSecCombiPlay, nullptr);
  return 0;
}

int CRemoteSynthImpl::OnRcvCombiDump(IRemoteMIDI*, eBankID bank, int number, const void* data,
                                     unsigned len) {
  if (!data) return kRefused;
  if (bank < 0 || number < 0) {
    if (bank > 0 || len < L::kCombisSize) return kRefused;
    std::memcpy(imageBytes_.data() + L::kCombis, data, L::kCombisSize);
    Post(9, bank < 0 ? 0xFFFF : bank * 256 + 0xFF);
    return 0;
  }
  CHUNK_COMBI dst = image_.GetCombi(number);
  if (bank != 0 || !dst || len < kCombiSize) return kRefused;
  std::memcpy(dst.data(), data, kCombiSize);
  Post(9, bank * 256 + number);
  return 0;
}

int CRemoteSynthImpl::OnRcvGlobalDump(IRemoteMIDI*, const void* data, unsigned len) {
  if (!data || len < kGlobalSize) return kRefused;
  std::memcpy(imageBytes_.data() + L::kGlobal, data, kGlobalSize);
  SecReinit(kSecGlobal, nullptr);
  return 0;
}

int CRemoteSynthImpl::OnRcvMasterVolumeChange(IRemoteMIDI*, unsigned volume) {
  masterVolume_ = std::min(volume, kMaxVolume);
  Post(6, static_cast<long>(masterVolume_.load()));
  RTCOnRcvMasterVolume(masterVolume_);
  return 0;
}

int CRemoteSynthImpl::OnRcvModeChange(IRemoteMIDI*, eMode m) {
  if (auditionKind_ != 0) {
    Post(1, m & 0xFF);
    return 0;
  }
  const int old = image_.GetMode();
  if (m != 0 && m != 1 && m != 3 && m != 6) return 0;
  image_.SetMode(m);
  const ModeChange change{static_cast<std::uint8_t>(old), static_cast<std::uint8_t>(m)};
  if (m == 0 || m == 1) {
    virtualMode_ = static_cast<std::uint8_t>(m);
    soundMode_ = 0;
    SecReinit(kSecCombiPlay, &change);
    // The follow-up request runs on the main thread, never on the thread
    // that delivers what the synthesizer sends.
    if (m == 0) Post(kEventArmCombiDump, 0);
  } else if (m == 3) {
    virtualMode_ = 3;
    soundMode_ = 2;
    const int t = GetActiveTrack();
    lastTimbre_ = t;
    const int p = TimbreProgram(t);
    if (p >= 0) {
      SetupProgEditBuffer(static_cast<eBankID>(p / 128), p % 128);
      image_.GetCurProg().Set(p / 128, p % 128);
    }
    ProgEditFollowTimbre(t, progResetStatus_ || p != lastTimbreProgram_);
    lastTimbreProgram_ = p;
    SetProgResetStatus(false);
    SecReinit(kSecProgEdit, &change);
    Post(2, 0);
  } else {
    SecReinit(kSecGlobal, &change);
  }
  Post(7, m);
  link_->OnModeChanged();
  return 0;
}

int CRemoteSynthImpl::OnRcvParamChange(IRemoteMIDI*, std::uint8_t section, int id, int value) {
  switch (section) {
    case 0:
    case 1:
      SecRcvParam(kSecCombiPlay, id, value);
      break;
    case 2:
      SecRcvParam(kSecProgPlay, id, value);
      break;
    case 3:
      SecRcvParam(kSecProgEdit, id, value);
      break;
    case 6:
      SecRcvParam(kSecGlobal, id, value);
      break;
    default:
      break;
  }
  return 0;
}

int CRemoteSynthImpl::OnRcvPlayStopContinue(IRemoteMIDI*, int, bool a, bool b) {
  if (a != b) Post(15, a ? 1 : 0);
  return 0;
}

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
  Post(9, 0x2FFFF);
  Post(9, 0xFFFF);
  Post(7, image_.GetMode());
  const SSoundIndex cur = GetCurSound(true);
  Post(8, (cur.bank << 8) | cur.number);
  link_->OnModeChanged();
}

// ------------------------------------------------------------ commands

namespace {

// Swaps two runs of n bytes.
void SwapBytes(std::uint8_t* a, std::uint8_t* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) std::swap(a[i], b[i]);
}

}  // namespace

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
  CHUNK_PROG edit = image_.GetProgEditBuffer();
  switch (command) {
    case 1:
      return HandleSendAll(image_, "Transmitting...", true, false) >= 0;
    case 2: {
      int step = 0;
      return HandleReceiveAll("Receiving...", &step, false) >= 0;
    }
    case 3:
    case 4: {
      const int r = command == 3 ? SendSelection(a1, a2, a3, a4) : RequestSelection(a1, a2, a3, a4);
      if (out) *out = static_cast<unsigned long>(static_cast<std::uint32_t>(r));
      return r >= 0;
    }
    case 5: {
      const int r = WriteCurrentSound(a1, a2, a3);
      if (out) *out = static_cast<unsigned long>(static_cast<std::uint32_t>(r));
      return r >= 0;
    }
    case 6: {
      CHUNK_PROG src = GetProgramFromStorage(static_cast<eBankID>(a1), a2 % 128);
      if (a1 < 0 || a1 > 3 || a2 < 0 || a2 > 128 || a3 < 0 || a3 > 1 || a4 < 0 || a4 > 1 || !src)
        return false;
      edit.GetOSC(a4).Assign(src.GetOSC(a3));
      return ResendProg();
    }
    case 7:
      if (!edit.GetCommon().IsPCMDoubleOSC()) return false;
      SwapBytes(edit.GetOSC1().data(), edit.GetOSC2().data(), CHUNK_PROG::kOSCStride);
      return ResendProg();
    case 8: {
      auto cur = image_.GetCurProg();
      edit.GetCommon().SetCategory(6);
      SetProgramToStorage(static_cast<eBankID>(cur.GetBank()), cur.GetNumber(), edit);
      if (link_->SendCurProgDump(edit.data(), kProgSize) < 0) return false;
      return link_->SendProgWriteReq(cur.GetBank(), cur.GetNumber()) >= 0;
    }
    case 9:
      if (!CopyEG(a1, a2, a3, a4)) return false;
      return ResendProg();
    case 10:
      if (!CopyLFO(a1, a2, a3, a4)) return false;
      return ResendProg();
    case 11:
    case 12: {
      auto osc = edit.GetOSC(command - 11);
      SwapBytes(osc.GetLFO1().data(), osc.GetLFO2().data(), CHUNK_LFO::kSize);
      return ResendProg();
    }
    case 14:
      return CopyIFX1(a2, a3);
    case 15: {
      if (a1 < 0 || a1 > 4 || a2 < 0 || a2 > 4 || a1 == a2) return false;
      if (soundMode_ == 0) {
        auto c = image_.GetCombiEditBuffer();
        SwapBytes(c.GetIFX(a1).data(), c.GetIFX(a2).data(), CHUNK_IFXSET::kSize);
        return ResendCombi();
      }
      if (soundMode_ != 2) return false;
      SwapBytes(edit.GetIFX(a1).data(), edit.GetIFX(a2).data(), CHUNK_IFXSET::kSize);
      return ResendProg();
    }
    case 16:
      return CopyMasterEffects(a1, a2, a3, a4);
    case 18: {
      auto cur = image_.GetCurCombi();
      CHUNK_COMBI_CONST init(INITCHUNK_COMBI().data());
      image_.GetCombiEditBuffer().Assign(init);
      if (CHUNK_COMBI stored = image_.GetCombi(cur.GetNumber())) stored.Assign(init);
      const int r = link_->SendCurCombiDump(image_.GetCombiEditBuffer().data(), kCombiSize);
      const ModeChange change{0, 0};
      SecReinit(kSecCombiPlay, &change);
      const SSoundIndex s = GetCurSound(true);
      Post(9, (s.bank << 8) | s.number);
      return r >= 0;
    }
    case 25:
      return link_->SendGlobalDump(image_.data(), kGlobalSize) >= 0;
    case 26:
      return link_->SendGlobalDumpReq() >= 0;
    case 27:
      return CopyScale(a1, a2, a3);
    case 47:
      return setupSection_.PersistSave();
    case 48:
      return true;
    default:
      return false;
  }
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
      Post(9, number);
    }
    return r;
  }
  if (kind == 2 || kind == 3) {
    if (bank < 0 || bank > 3 || number < 0 || number > 127) return kRefused;
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
      Post(9, 0x20000 + bank * 256 + number);
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
  const int type = src.GetIFX1().data()[64];
  if ((type == 62 || type == 63) && edit.GetCommon().GetCategory() != 2) return false;
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

// ------------------------------------------------------------ streams and files

bool CRemoteSynthImpl::LoadStream(std::istream& in, std::uint32_t selector, bool noSend,
                                  bool fromHost, CDirtyFlagSet& dirty) {
  const std::streampos pos = in.tellg();
  in.seekg(0, std::ios::end);
  const std::streampos end = in.tellg();
  in.seekg(pos);
  if (pos < 0 || end < 0 || end - pos < 5) return true;

  std::vector<std::uint8_t> scratch(imageBytes_);
  CHUNK_REMOTESYNTH img(scratch.data());
  PERSISTPARAMS params;
  params.index = selector;
  params.image = img;
  setupSection_.BuildFilter(&params.filter);
  try {
    if (!PersistLoadStream(in, pmid_, &params, dirty)) return false;
  } catch (...) {
    return false;
  }

  const bool maySend = connected_ && !noSend;
  const int type = static_cast<int>(params.type);
  const bool store = type >= 3 && type <= 5 ? true : !fromHost;
  auto curProg = image_.GetCurProg();
  auto curCombi = image_.GetCurCombi();
  auto postSound = [&] {
    const SSoundIndex cur = GetCurSound(true);
    Post(8, (cur.bank << 8) | cur.number);
  };
  switch (params.type) {
    case FTYPE::All: {
      if (img.GetMode() > 3) img.SetMode(0);
      if (!IsEnableProgramChangeBank(eMode_ProgPlay,
                                     static_cast<eBankID>(img.GetCurProg().GetBank())))
        img.GetCurProg().data()[0] = 0;
      if (maySend && HandleSendAll(img, "Transmitting...", true, false) < 0) return false;
      std::memcpy(imageBytes_.data(), scratch.data(), CHUNK_REMOTESYNTH::kSize);
      if (image_.GetMode() == 1) image_.SetMode(0);
      if (image_.GetMode() == 3) image_.SetMode(2);
      virtualMode_ = static_cast<std::uint8_t>(image_.GetMode());
      soundMode_ = image_.GetMode() < 2 ? 0 : 2;
      OnApplyAll();
      return true;
    }
    case FTYPE::Bank:
    case FTYPE::VSTBank: {
      if (img.GetMode() > 3) img.SetMode(0);
      if (connected_ && !nowInitializing_) {
        if (!IsEnableProgramChangeBank(eMode_ProgPlay,
                                       static_cast<eBankID>(img.GetCurProg().GetBank())))
          img.GetCurProg().data()[0] = 0;
        if (!noSend && HandleSendAll_withSoftwareSetup(img, "Transmitting...", false) < 0)
          return false;
      } else if (img.GetCurProg().GetBank() >= 4) {
        img.GetCurProg().data()[0] = 0;
      }
      std::memcpy(imageBytes_.data(), scratch.data(), CHUNK_REMOTESYNTH::kSize - 1);
      image_.SetMode(0);
      virtualMode_ = 0;
      soundMode_ = 0;
      OnApplyAll();
      return true;
    }
    case FTYPE::AllProgs: {
      const std::uint8_t* banks = scratch.data() + L::kProgBanks;
      if (maySend && link_->SendProgDump(-1, -1, banks, L::kProgBanksSize, store) < 0) return false;
      std::memcpy(imageBytes_.data() + L::kProgBanks, banks, L::kProgBanksSize);
      SetupProgEditBuffer(static_cast<eBankID>(curProg.GetBank()), curProg.GetNumber());
      Post(9, 0x2FFFF);
      postSound();
      return true;
    }
    case FTYPE::AllCombis: {
      const std::uint8_t* combis = scratch.data() + L::kCombis;
      if (maySend && link_->SendCombiDump(-1, -1, combis, L::kCombisSize, store) < 0) return false;
      std::memcpy(imageBytes_.data() + L::kCombis, combis, L::kCombisSize);
      if (CHUNK_COMBI stored = image_.GetCombi(curCombi.GetNumber()))
        image_.GetCombiEditBuffer().Assign(stored);
      Post(9, 0xFFFF);
      postSound();
      return true;
    }
    case FTYPE::ProgBank: {
      if (selector > 3) return false;
      const int bank = static_cast<int>(selector);
      const std::uint8_t* data = scratch.data() + L::kProgBanks + bank * L::kProgBankSize;
      if (maySend && link_->SendProgDump(bank, -1, data, L::kProgBankSize, store) < 0) return false;
      std::memcpy(imageBytes_.data() + L::kProgBanks + bank * L::kProgBankSize, data,
                  L::kProgBankSize);
      if (curProg.GetBank() == bank)
        SetupProgEditBuffer(static_cast<eBankID>(bank), curProg.GetNumber());
      Post(9, 0x200FF + bank * 256);
      postSound();
      return true;
    }
    case FTYPE::Prog:
    case FTYPE::VSTProg: {
      const int bank = curProg.GetBank(), number = curProg.GetNumber();
      const std::uint8_t* prog = scratch.data() + L::kProgEditBuffer;
      // The edit buffer goes first: storing writes the edit buffer into the
      // program's place, which must then already hold the loaded program.
      if (maySend && (link_->SendCurProgDump(prog, kProgSize) < 0 ||
                      link_->SendProgDump(bank, number, prog, kProgSize, store) < 0))
        return false;
      if (CHUNK_PROG stored = GetProgramFromStorage(static_cast<eBankID>(bank), number))
        std::memcpy(stored.data(), prog, kProgSize);
      std::memcpy(image_.GetProgEditBuffer().data(), prog, kProgSize);
      SecInitSolo(kSecProgPlay);
      SecReinit(kSecProgPlay, nullptr);
      SecReinit(kSecProgEdit, nullptr);
      Post(9, 0x20000 + bank * 256 + number);
      postSound();
      return true;
    }
    case FTYPE::Combi:
    case FTYPE::VSTCombi: {
      const int bank = curCombi.GetBank(), number = curCombi.GetNumber();
      const std::uint8_t* combi = scratch.data() + L::kCombiEditBuffer;
      if (maySend && (link_->SendCurCombiDump(combi, kCombiSize) < 0 ||
                      link_->SendCombiDump(bank, number, combi, kCombiSize, store) < 0))
        return false;
      if (CHUNK_COMBI stored = image_.GetCombi(number))
        std::memcpy(stored.data(), combi, kCombiSize);
      std::memcpy(image_.GetCombiEditBuffer().data(), combi, kCombiSize);
      SecInitSolo(kSecCombiPlay);
      SecReinit(kSecCombiPlay, nullptr);
      Post(9, bank * 256 + number);
      postSound();
      return true;
    }
    default:
      return false;
  }
}

bool CRemoteSynthImpl::LoadStreamFromHost(std::istream& in, bool noRecall, bool onlyWhenChanged) {
  CDirtyFlagSet dirty;
  const bool ok = LoadStream(in, 0, false, true, dirty);
  if (!noRecall && !(connected_ && !nowInitializing_)) {
    if (!onlyWhenChanged || dirty.isDirty()) SetRecallPending(true);
  }
  return ok;
}

bool CRemoteSynthImpl::SaveStream(std::ostream& out, FTYPE type, std::uint32_t selector) {
  if (!pendingHostData_.empty()) {
    out.write(pendingHostData_.data(), static_cast<std::streamsize>(pendingHostData_.size()));
    return static_cast<bool>(out);
  }
  PERSISTPARAMS params;
  params.type = type;
  params.index = selector;
  params.image = image_;
  setupSection_.BuildFilter(&params.filter);
  // A file records the mode the pages show.
  const int mode = image_.GetMode();
  image_.SetMode(virtualMode_);
  const bool ok = PersistSaveStream(out, pmid_, &params);
  image_.SetMode(mode);
  return ok;
}

bool CRemoteSynthImpl::LoadFile(const char* path, std::uint32_t selector) {
  std::ifstream in(path ? path : "", std::ios::binary);
  if (!in) return false;
  CDirtyFlagSet dirty;
  return LoadStream(in, selector, false, false, dirty);
}

bool CRemoteSynthImpl::SaveFile(const char* path, FTYPE type, std::uint32_t selector) {
  std::ofstream out(path ? path : "", std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const bool ok = SaveStream(out, type, selector);
  out.close();
  return ok && !out.fail();
}

bool CRemoteSynthImpl::SelectFileName(const char* path, std::uint32_t) {
  SetupPutS(kSetupAutoLoadFileName, path ? path : "");
  return true;
}

bool CRemoteSynthImpl::AutoLoadData(const char* path) {
  std::ifstream in(path ? path : "", std::ios::binary);
  if (!in) return false;
  CDirtyFlagSet dirty;
  if (!LoadStream(in, 0, true, false, dirty)) return false;
  image_.GetCurProg().Set(0, 0);
  std::fill(image_.GetCurProg().UIState().begin(), image_.GetCurProg().UIState().end(), 0);
  image_.SetMode(0);
  virtualMode_ = 0;
  soundMode_ = 0;
  SetupProgEditBuffer(eBankID_A, 0);
  OnApplyAll();
  return true;
}

bool CRemoteSynthImpl::LoadPendingHostData() {
  std::istringstream in(pendingHostData_);
  PERSISTPARAMS params;
  params.image = image_;
  setupSection_.BuildFilter(&params.filter);
  CDirtyFlagSet dirty;
  try {
    if (!PersistLoadStream(in, pmid_, &params, dirty)) return false;
  } catch (...) {
    return false;
  }
  if (image_.GetMode() > 3) image_.SetMode(0);
  virtualMode_ = static_cast<std::uint8_t>(image_.GetMode());
  soundMode_ = image_.GetMode() < 2 ? 0 : 2;
  return true;
}

// ------------------------------------------------------------ sections

ISoundSection* CRemoteSynthImpl::GetEditBuffer(int mode) {
  if (mode == 0 || mode == 1) return &combiPlaySection_;
  if (mode == 2) return &progPlaySection_;
  if (mode == 3) return &progEditSection_;
  return nullptr;
}

ISoundSection* CRemoteSynthImpl::GetFakeEditBuffer(int mode) {
  if (mode == 0 || mode == 1) return &combiPlaySection_;
  if (mode == 2 || mode == 3) return &progPlaySection_;
  return nullptr;
}

ISoundSection* CRemoteSynthImpl::GetTempoEditBuffer(int mode) {
  if (mode == 0 || mode == 1) return &combiPlaySection_;
  if (mode == 2 || mode == 3) return &progEditSection_;
  return nullptr;
}

ISection* CRemoteSynthImpl::GetRealtimeControl() { return &rtcSection_; }
ISection* CRemoteSynthImpl::GetAutomation() { return &automationSection_; }
ISection* CRemoteSynthImpl::GetGlobal() { return &globalSection_; }
ISection* CRemoteSynthImpl::GetSetup() { return &setupSection_; }

void CRemoteSynthImpl::SetGlobalChannel(int channel) {
  CStringConverterEnumCombiMIDICh::SetGlobalChannel(channel);
}

int CRemoteSynthImpl::GetRemoteTempo() {
  const int sm = soundMode_;
  if (sm == 0 || sm == 1) return combiPlaySection_.GetParamI(kTempoId);
  // The program's own tempo; the program play section has no such row.
  if (sm == 2 || sm == 3) return progEditSection_.GetParamI(kTempoId);
  return 10000;
}

CHUNK_PROG CRemoteSynthImpl::GetProgramBankFromStorage(eBankID bank) {
  return GetProgramFromStorage(bank, 0);
}

bool CRemoteSynthImpl::SetProgramToStorage(eBankID bank, int number, CHUNK_PROG_CONST src) {
  CHUNK_PROG dst = GetProgramFromStorage(bank, number);
  if (!dst || !src) return false;
  dst.Assign(src);
  return true;
}

CHUNK_PROG CRemoteSynthImpl::GetProgramFromBuffer(CHUNK_REMOTESYNTH image, eBankID bank,
                                                  int number) {
  if (bank < 0 || bank > 3 || !image) return CHUNK_PROG();
  return image.GetProg(bank, number & 127);
}

void CRemoteSynthImpl::LoadProgramFromStorage(CHUNK_PROG dst, CHUNK_PROG_CONST src) {
  dst.Assign(src);
}

void CRemoteSynthImpl::BindSections() {
  setupSection_.Init(this, setup_.data(), nullptr);
  rtcSection_.Init(this, &progPlaySection_, &progEditSection_, &combiPlaySection_, nullptr,
                   &globalSection_);
  automationSection_.Init(this, &rtcSection_, &progPlaySection_, &combiPlaySection_);
  globalSection_.Init(this, &rtcSection_, &progPlaySection_, &progEditSection_, &combiPlaySection_,
                      image_);
  progPlaySection_.Init(this, &rtcSection_, &progEditSection_, image_);
  progEditSection_.Init(this, &rtcSection_, &progPlaySection_, image_);
  combiPlaySection_.Init(this, &rtcSection_, image_, &progPlaySection_, &progEditSection_);
  setupSection_.PersistLoad();
}

int CRemoteSynthImpl::SetupGetI(int id) { return setupSection_.GetParamI(id); }

std::string CRemoteSynthImpl::SetupGetS(int id) {
  // A plain read of a text row gives its long form.
  const std::string s = setupSection_.GetParamS(id);
  return std::string(s.c_str());
}

void CRemoteSynthImpl::SetupPutS(int id, const std::string& text) {
  setupSection_.PutParamS(id, text.c_str());
}

void CRemoteSynthImpl::SetupPersistSave(int id) { setupSection_.PersistSave(id); }

void CRemoteSynthImpl::SecReinit(Sec sec, const ModeChange* change) {
  SModeChangeInfo info;
  if (change) {
    info.oldMode = change->oldMode;
    info.newMode = change->newMode;
  }
  const SModeChangeInfo* p = change ? &info : nullptr;
  switch (sec) {
    case kSecGlobal:
      globalSection_.OnReinitialized(p);
      break;
    case kSecProgPlay:
      progPlaySection_.OnReinitialized(p);
      break;
    case kSecProgEdit:
      progEditSection_.OnReinitialized(p);
      break;
    case kSecCombiPlay:
      combiPlaySection_.OnReinitialized(p);
      break;
    default:
      break;
  }
}

void CRemoteSynthImpl::SecInitSolo(Sec sec) {
  switch (sec) {
    case kSecProgPlay:
      progPlaySection_.InitSolo();
      break;
    case kSecProgEdit:
      progEditSection_.InitSolo();
      break;
    case kSecCombiPlay:
      combiPlaySection_.InitSolo();
      break;
    default:
      break;
  }
}

void CRemoteSynthImpl::SecUpdateFXType(Sec sec) {
  if (sec == kSecProgEdit) progEditSection_.UpdateFXType();
  if (sec == kSecCombiPlay) combiPlaySection_.UpdateFXType();
}

void CRemoteSynthImpl::SecRcvParam(Sec sec, int id, int value) {
  switch (sec) {
    case kSecGlobal:
      globalSection_.OnRcvMIDIParam(id, value, eChgSource_Synth);
      break;
    case kSecProgPlay:
      progPlaySection_.OnRcvMIDIParam(id, value, eChgSource_Synth);
      break;
    case kSecProgEdit:
      progEditSection_.OnRcvMIDIParam(id, value, eChgSource_Synth);
      break;
    case kSecCombiPlay:
      combiPlaySection_.OnRcvMIDIParam(id, value, eChgSource_Synth);
      break;
    default:
      break;
  }
}

void CRemoteSynthImpl::RTCSaveStat(std::uint8_t* state) {
  RTCSTAT stat{};
  rtcSection_.SaveStat(&stat);
  std::memcpy(state, stat.knobs, kRTCStateSize);
}

void CRemoteSynthImpl::RTCRestoreStat(const std::uint8_t* state) {
  RTCSTAT stat{};
  std::memcpy(stat.knobs, state, kRTCStateSize);
  rtcSection_.RestoreStat(stat, ISection::kPlainWrite);
}

void CRemoteSynthImpl::RTCResetStat() { rtcSection_.ResetStat(ISection::kPlainWrite); }

void CRemoteSynthImpl::RTCOnRcvMIDICC(int status, int d1, int d2, eChgSource source) {
  rtcSection_.OnRcvMIDICC(static_cast<std::uint8_t>(status), static_cast<std::uint8_t>(d1),
                          static_cast<std::uint8_t>(d2), source);
}

void CRemoteSynthImpl::RTCOnRcvMasterVolume(unsigned volume) {
  rtcSection_.OnRcvMasterVolume(volume);
}

void CRemoteSynthImpl::RTCSetCategory(int category) {
  const int v = rtcSection_.GetParamI(kRTCEditState);
  rtcSection_.PutParamIEx(kRTCEditState, v - v % 6 + category, ISection::kNotify, eChgSource_Synth);
}

int CRemoteSynthImpl::TimbreProgram(int t) {
  ISection* timbre = nullptr;
  const int id = 0x200 + t * 256;
  if (!combiPlaySection_.FindSectionByPID(id, &timbre) || !timbre) return -1;
  return timbre->GetParamI(id);
}

void CRemoteSynthImpl::ProgEditFollowTimbre(int, bool reset) {
  if (reset) progEditSection_.InitSolo();
}

}  // namespace Oskend
