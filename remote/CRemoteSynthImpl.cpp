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
#include "os/MainLoop.h"
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
  sinks_.Clear();
  midiSinks_.Clear();
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
    SelectSound(bank, number);
  } else {
    link_->SendProgramChange(bank, number);
    if (sm == 0)
      image_.GetCurCombi().Set(bank, number);
    else if (sm == 2)
      image_.GetCurProg().Set(bank, number);
  }
  return GetCurSound(true);
}

void CRemoteSynthImpl::SelectSound(int bank, int number) {
  // The answers to the switch and the switch back are not followed: the
  // model stays in its mode, and in program edit its program does not
  // follow the performance's timbre.
  const int sm = soundMode_;
  const bool switched = image_.GetMode() != sm;
  if (switched) {
    SendPassingModeChange(static_cast<eMode>(sm));
    Pause(100);
  }
  link_->SendProgramChange(static_cast<eBankID>(bank), number);
  // The link keeps the bank in the low byte and the number in the high one.
  const std::uint16_t pair = link_->GetBnkPgmPair();
  ApplyProgramChange(pair & 0xFF, pair >> 8);
  if (switched) SendPassingModeChange(static_cast<eMode>(image_.GetMode()));
}

// The synthesizer answers a mode change by reporting the mode it is in now.
// Around a sound change or an audition the model keeps its mode bytes
// itself: taken as a change made on the instrument, that answer would end
// the audition just begun (or being kept), or re-enter program edit, whose
// program follows the performance's timbre, in place of the sound chosen.
void CRemoteSynthImpl::SendPassingModeChange(eMode mode) {
  passingModeChange_ = true;
  link_->SendModeChange(mode);
  passingModeChange_ = false;
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
    SendPassingModeChange(static_cast<eMode>(soundMode_.load()));
  Post(kNoticeAuditionState, 1);
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
    if (link_->GetMode() != a.virtualMode)
      SendPassingModeChange(static_cast<eMode>(a.virtualMode));
    if (link_->GetMode() != a.mode) SendPassingModeChange(static_cast<eMode>(a.mode));
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
      SendPassingModeChange(static_cast<eMode>(a.soundMode));
      Pause(100);
    }
    if (link_->GetBnkPgmPair() != (a.bank | (a.number << 8))) {
      link_->SendProgramChange(static_cast<eBankID>(a.bank), a.number);
      Pause(100);
    }
    if (link_->GetMode() != a.mode) SendPassingModeChange(static_cast<eMode>(a.mode));
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
  Post(kNoticeAuditionState, 0);
  return true;
}

bool CRemoteSynthImpl::MIDIOut(const void* bytes, unsigned length) {
  return RTMIDIOut(NowUsMs(), bytes, length, eChgSource_Editor);
}

bool CRemoteSynthImpl::RTMIDIOut(long long timeUs, const void* bytes, unsigned length,
                                 eChgSource source) {
  if (link_->UIIsActive()) return false;
  const auto* d = static_cast<const std::uint8_t*>(bytes);
  // From another thread (the plug-in's worker) the knob follows on the main
  // thread, while the message leaves at its time from here.
  if (d && length >= 3 && (d[0] & 0xF0) == 0xB0) RTCControlChange(d, source);
  return link_->SendShortMsg(timeUs, bytes, length) >= 0;
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

bool CRemoteSynthImpl::HandOver(long notice, long a) {
  // The image and the sections are the main thread's.
  os::MainLoop* loop = os::MainLoop::Current();
  if (!loop || loop->IsMainThread()) return false;
  Post(notice, a);
  return true;
}

void CRemoteSynthImpl::RTCControlChange(const std::uint8_t* d, eChgSource source) {
  const long packed =
      static_cast<long>(d[0] | (d[1] << 8) | (d[2] << 16) | (static_cast<unsigned>(source) << 24));
  if (!HandOver(kNoticeControlChange, packed)) RTCOnRcvMIDICC(d[0], d[1], d[2], source);
}

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
