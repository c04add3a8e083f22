// CRemoteSynthImpl: connecting to the synthesizer and what it sends unasked.
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
#include "os/ErrorReport.h"
#include "platform/HfcDebug.h"
#include "platform/HfcMessageBox.h"
#include "platform/HfcTime.h"
#include "platform/XEvent.h"
#include "os/MainLoop.h"
#include "remote/CRemoteMIDIImpl.h"
#include "remote/IMIDIIn.h"
#include "remote/IMIDIOut.h"
#include "remote/CRemoteSynthImplDetail.h"
#include "remote/IRTMIDISink.h"
#include "remote/IRemoteSynthMIDISink.h"
#include "remote/IRemoteSynthSink.h"
#include "remote/PERSISTPARAMS.h"
#include "remote/Persist.h"
#include "remote/RemoteStatus.h"

namespace Oskend {

using namespace synthimpl;

namespace {

// Marks a connection in progress, also when it ends in an exception, so
// that the connection timer does not look at a link half made.
struct Connecting {
  bool& flag;
  explicit Connecting(bool& f) : flag(f) { flag = true; }
  ~Connecting() { flag = false; }
};

}  // namespace

// ------------------------------------------------------------ connecting

void CRemoteSynthImpl::SendLocalControl(bool on) {
  const std::uint8_t msg[3] = {static_cast<std::uint8_t>(0xB0 | (link_->GetGlobalChannel() & 0x0F)),
                               122, static_cast<std::uint8_t>(on ? 127 : 0)};
  link_->SendShortMsg(NowUsMs(), msg, 3);
}

int CRemoteSynthImpl::AskWithoutProgress(const char* text, int buttonSet, int style) {
  const bool shown = link_->UIIsActive();
  if (shown) link_->UIDeactivate();
  const std::string caption = GetModalCaption(pmid_, standalone_);
  const int answer = HfcMessageBoxForWindow(text, caption.c_str(), parentWindow_, buttonSet, style);
  if (shown && answer == 1) link_->UIActivate();
  return answer;
}

bool CRemoteSynthImpl::RetryTransfer() {
  if (link_->UIIsAborted()) return false;
  return AskWithoutProgress(RetryText().c_str(), 1, 3) == 1;
}

bool CRemoteSynthImpl::Connect(bool standalone, bool recall) {
  // A connection asked for takes over from waiting for stored ports.
  awaitingPorts_ = false;
  ForgetImageWhenAway();
  return Attempt("CRemoteSynthImpl::Connect",
                 [&] { return ConnectSteps(standalone, recall) != 0; });
}

bool CRemoteSynthImpl::Attempt(const char* where, const std::function<bool()>& steps) {
  const Connecting connecting(connecting_);
  try {
    return steps();
  } catch (...) {
    os::ReportCaughtException(where);
    HfcDebugStr("Exception at RemoteSynth::Connection()");
    connected_ = false;
    nowInitializing_ = false;
    PostConnectionState();
    return false;
  }
}

void CRemoteSynthImpl::AbortConnection() {
  if (auto* link = dynamic_cast<CRemoteMIDIImpl*>(link_.get())) link->Abort();
}

bool CRemoteSynthImpl::IsExchanging() { return connected_ && (connecting_ || link_->UIIsActive()); }

namespace {

// The link's progress window, up for a whole connection when this made it
// appear, and taken down on every way out.
class ProgressShown {
 public:
  explicit ProgressShown(IRemoteMIDI& link) : link_(link), on_(link.UIActivate()) {}
  ~ProgressShown() {
    if (on_) link_.UIDeactivate();
  }
  ProgressShown(const ProgressShown&) = delete;
  ProgressShown& operator=(const ProgressShown&) = delete;

 private:
  IRemoteMIDI& link_;
  bool on_;
};

constexpr unsigned kConnectionTimerMs = 2000;

}  // namespace

int CRemoteSynthImpl::ConnectSteps(bool standalone, bool recall) {
  if (connected_) {
    PostConnectionState();
    return 1;
  }
  connected_ = false;
  SetParentWindow(parentWindow_);
  const ProgressShown progress(*link_);
  connectionChecked_ = true;
  standalone_ = standalone;
  recall_ = recall;
  if (!autoLoaded_ && !recallPending_) InitAllChunk(image_);
  if (!OpenPorts(standalone)) {
    FailConnection();
    return 0;
  }
  CompleteConnection(standalone, recall);
  return 1;
}

bool CRemoteSynthImpl::OpenPorts(bool standalone) {
  const std::string inName = SetupGetS(kSetupMIDIInName);
  const std::string outName = SetupGetS(kSetupMIDIOutName);
  bool scan = inName.empty();
  if (!scan) {
    if (link_->Connect(this, standalone, inName, outName)) return true;
    scan = AskWithoutProgress(kNotFound, 1, 5) == 1;
  }
  return scan && link_->Connect(this, standalone);
}

void CRemoteSynthImpl::FailConnection() {
  connected_ = false;
  link_->Fake_FullOption();
  // The synthesizer may be switched on later: its stored ports are
  // connected once they are there (with none stored, nothing names it).
  awaitingPorts_ =
      !SetupGetS(kSetupMIDIInName).empty() && !SetupGetS(kSetupMIDIOutName).empty();
  if (awaitingPorts_) {
    NoteImageWhenAway();
    dispatch_->SetTimerPeriod(connectionTimer_, kConnectionTimerMs);
  }
  PostConnectionState();
}

void CRemoteSynthImpl::CompleteConnection(bool standalone, bool recall) {
  Set_NowInitializing(true);
  connected_ = true;
  SetMIDIOUTtoDAW(SetupGetI(kSetupPlugInMIDIOut) != 0);
  SetPrgChgToGUI(SetupGetI(kSetupPrgChgToGUI) != 0);
  StorePortNames();
  SyncHardwareState();
  Set_NowInitializing(false);
  const bool switchedOff = SetUpLocalControl(standalone);
  // Inside a plug-in host the recall may have brought Local Control on
  // again with the global block: off once more.
  if (recall && RecallAll() && switchedOff) SwitchLocalControl(LocalControlRestore::kOn);
  dispatch_->SetTimerPeriod(connectionTimer_, kConnectionTimerMs);
  PostConnectionState();
  OnAsyncTimer(connectionTimer_);
}

void CRemoteSynthImpl::StorePortNames() {
  MIDIDevKey inKey, outKey;
  link_->GetConnectionState(&outKey, &inKey, nullptr, nullptr);
  // The link's connect by names matches these names of the ports.
  if (inKey.name != SetupGetS(kSetupMIDIInName)) {
    SetupPutS(kSetupMIDIInName, inKey.name);
    SetupPersistSave(kSetupMIDIInName);
  }
  if (outKey.name != SetupGetS(kSetupMIDIOutName)) {
    SetupPutS(kSetupMIDIOutName, outKey.name);
    SetupPersistSave(kSetupMIDIOutName);
  }
}

void CRemoteSynthImpl::SyncHardwareState() {
  recallProgBank_ = -1;
  SetDumpProgramChangeProtect(true);
  const int mode = image_.GetMode();
  const int progBank = image_.GetCurProg().GetBank(), progNumber = image_.GetCurProg().GetNumber();
  const int combiBank = image_.GetCurCombi().GetBank(),
            combiNumber = image_.GetCurCombi().GetNumber();
  const bool programMode = mode == eMode_ProgPlay || mode == eMode_ProgEdit;
  link_->SendGlobalDumpReq();
  Pause(100);
  link_->SendProgramChange(static_cast<eBankID>(progBank), progNumber);
  Pause(500);
  // The mode the hardware ends in is followed once, below: an answer handed
  // to this thread to be followed whenever it comes up could put the image
  // back into the performance mode passed on the way, or take the program
  // edit context to the timbre's program after the noted program is chosen.
  SendPassingModeChange(eMode_Combi);
  Pause(200);
  link_->SendProgramChange(static_cast<eBankID>(combiBank), combiNumber);
  Pause(100);
  // The hardware enters program mode on the program of its current timbre:
  // the timbre the editor entered it from, not the first one it starts with.
  if (programMode) link_->SendParamChange(eMode_Combi, kCurrentTimbreId, GetActiveTrack());
  SendPassingModeChange(static_cast<eMode>(mode));
  Pause(200);
  OnRcvModeChange(link_.get(), link_->GetMode());
  // A program chosen in program mode is chosen again the way the editor
  // chose it; it may not be the timbre's.
  if (programMode && soundMode_ == 2) SelectSound(progBank, progNumber);
  SetDumpProgramChangeProtect(false);
}

bool CRemoteSynthImpl::SetUpLocalControl(bool standalone) {
  const bool localOn = (image_.data()[kLocalControlByte] & 1) != 0;
  const bool autoLocal = SetupGetI(kSetupAutoLocalCtrl) != 0;
  if (!standalone && localOn && autoLocal) {
    SwitchLocalControl(LocalControlRestore::kOn);
    return true;
  }
  if (standalone && !localOn) SwitchLocalControl(LocalControlRestore::kOff);
  return false;
}

bool CRemoteSynthImpl::RecallAll() {
  if (!recallPending_) return ReceiveAllForConnection();
  const int r = HandleSendAll_withSoftwareSetup(image_, "Transmitting...", false);
  if (recallProgBank_ != -1) {
    image_.GetCurProg().data()[0] = static_cast<std::uint8_t>(recallProgBank_);
    recallProgBank_ = -1;
  }
  // A recall that did not reach the hardware stays pending for the next
  // connection, and the user hears of it.
  if (r < 0) {
    ReportFailure("Transmitting...", r);
    return false;
  }
  SetRecallPending(false);
  return true;
}

bool CRemoteSynthImpl::ReceiveAllForConnection() {
  int step = 0;
  int r;
  while ((r = HandleReceiveAll("Synchronizing...", &step, true)) < 0 && RetryTransfer()) {
  }
  if (r < 0) {
    // Whatever was answered, a memory received only in part does not take
    // the place of the edits.
    PutBackAwayEdits(false);
    return false;
  }
  if (keepAwayEdits_ && !PutBackAwayEdits(true)) return false;
  if (pendingHostData_.empty() || !LoadPendingHostData()) return true;
  int s;
  while ((s = HandleSendAll(image_, "Restoring song data...", false, false)) < 0 &&
         RetryTransfer()) {
  }
  OnApplyAll();
  if (s < 0) return false;
  pendingHostData_.clear();
  return true;
}

bool CRemoteSynthImpl::KeepAwayEdits() {
  if (awayEdits_.Empty()) return false;
  const bool keep = AskWithoutProgress(EditedWhileAwayText(AwayEditsWrite()).c_str(), 1, 5) == 1;
  // The connection goes on whatever the answer, under its window.
  if (!link_->UIIsActive()) link_->UIActivate();
  return keep;
}

bool CRemoteSynthImpl::AwayEditsWrite() const {
  const auto& records = awayEdits_.Records();
  return std::any_of(records.begin(), records.end(), [&](const CImageEdits::Record& r) {
    return awayWrites_.Asked(r.kind, r.bank, r.number);
  });
}

bool CRemoteSynthImpl::PutBackAwayEdits(bool send) {
  if (awayEdits_.Empty()) return true;
  awayEdits_.PutBack(imageBytes_.data());
  OnApplyAll();
  if (!send) return true;
  int r;
  while ((r = SendAwayEdits()) < 0 && RetryTransfer()) {
  }
  return r >= 0;
}

int CRemoteSynthImpl::SendAwayEdits() {
  using Kind = CImageEdits::Kind;
  const bool opened = link_->UIActivate();
  AwaySending sending;
  int r = 0;
  for (const CImageEdits::Record& edit : awayEdits_.Records()) {
    if (edit.kind == Kind::kCurrentCombination || edit.kind == Kind::kCurrentProgram) continue;
    link_->UIConfigure("Transmitting...", 1000, 1000, 0);
    r = edit.kind == Kind::kGlobal ? SendAwayGlobal(edit) : SendAwayStored(edit, sending);
    if (r < 0) break;
  }
  for (const bool combi : {true, false})
    if (r >= 0) r = SendAwayEditBuffer(combi, sending);
  if (opened) link_->UIDeactivate();
  return r;
}

int CRemoteSynthImpl::SendAwayGlobal(const CImageEdits::Record& edit) {
  const std::uint8_t* data = imageBytes_.data() + edit.at;
  std::vector<std::uint8_t> global(data, data + edit.size);
  if (const MODEANDSTATE* mas = link_->GetModeAndState()) global[kHardwareOwnByte] = mas->bytes[3];
  link_->UIProgress(50, 50, "GLOBAL");
  return link_->SendGlobalDump(global.data(), static_cast<unsigned>(edit.size));
}

int CRemoteSynthImpl::SendAwayStored(const CImageEdits::Record& edit, AwaySending& sending) {
  if (awayWrites_.WholeBank(edit.kind, edit.bank)) return SendAwayBank(edit, sending);
  const bool combi = edit.kind == CImageEdits::Kind::kCombination;
  const std::uint8_t* data = imageBytes_.data() + edit.at;
  const auto size = static_cast<unsigned>(edit.size);
  const bool write = awayWrites_.Asked(edit.kind, edit.bank, edit.number);
  link_->UIProgress(100, 100, combi ? "Performance" : kProgBankLabels[edit.bank & 3]);
  if (write) {
    // A write stores what the edit buffer holds: the sound goes there first.
    const int r = combi ? link_->SendCurCombiDump(data, size) : link_->SendCurProgDump(data, size);
    if (r < 0) return r;
    sending.current[combi ? 0 : 1] = data;
  }
  return combi ? link_->SendCombiDump(0, edit.number, data, size, write)
               : link_->SendProgDump(edit.bank, edit.number, data, size, write);
}

int CRemoteSynthImpl::SendAwayBank(const CImageEdits::Record& edit, AwaySending& sending) {
  const bool combi = edit.kind == CImageEdits::Kind::kCombination;
  bool& sent = sending.bankSent[combi ? L::kProgBankCount : static_cast<std::size_t>(edit.bank)];
  if (sent) return 0;
  sent = true;
  if (combi) {
    link_->UIProgress(200, 200, "Performance");
    return link_->SendCombiDump(-1, -1, imageBytes_.data() + L::kCombis, L::kCombisSize, true);
  }
  link_->UIProgress(200, 200, kProgBankLabels[edit.bank & 3]);
  return link_->SendProgDump(edit.bank, -1, imageBytes_.data() + L::kProgBanks + edit.bank * L::kProgBankSize,
                             L::kProgBankSize, true);
}

int CRemoteSynthImpl::SendAwayEditBuffer(bool combi, const AwaySending& sending) {
  const CImageEdits::Kind kind =
      combi ? CImageEdits::Kind::kCurrentCombination : CImageEdits::Kind::kCurrentProgram;
  const std::uint8_t* buffer =
      imageBytes_.data() + (combi ? L::kCombiEditBuffer : L::kProgEditBuffer);
  const std::size_t size = combi ? kCombiSize : kProgSize;
  // An edited buffer, and one a write went through, end holding the editor's.
  const std::uint8_t* there = sending.current[combi ? 0 : 1];
  if (there ? std::memcmp(there, buffer, size) == 0 : !awayEdits_.Holds(kind)) return 0;
  link_->UIConfigure("Transmitting...", 1000, 1000, 0);
  link_->UIProgress(100, 100, combi ? "CURRENT PERFORMANCE" : "CURRENT PROGRAM");
  const auto bytes = static_cast<unsigned>(size);
  return combi ? link_->SendCurCombiDump(buffer, bytes) : link_->SendCurProgDump(buffer, bytes);
}

void CRemoteSynthImpl::NoteImageWhenAway() {
  imageWhenAway_ = imageBytes_;
  awayWrites_.Clear();
}

void CRemoteSynthImpl::ForgetImageWhenAway() {
  imageWhenAway_.clear();
  imageWhenAway_.shrink_to_fit();
  awayEdits_ = CImageEdits();
  keepAwayEdits_ = false;
  awayWrites_.Clear();
}

void CRemoteSynthImpl::SwitchLocalControl(LocalControlRestore restore) {
  localControlRestore_ = restore;
  SendLocalControl(restore == LocalControlRestore::kOff);
}

void CRemoteSynthImpl::ReportFailure(const char* title, int status) {
  AskWithoutProgress(RemoteFailureText(title, status).c_str(), 0, 4);
}

void CRemoteSynthImpl::Disconnect() {
  awaitingPorts_ = false;
  ForgetImageWhenAway();
  if (localControlRestore_ != LocalControlRestore::kNothing)
    SendLocalControl(localControlRestore_ == LocalControlRestore::kOn);
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
  localControlRestore_ = LocalControlRestore::kNothing;
  PostConnectionState();
}

// ------------------------------------------------------------ lost and found

void CRemoteSynthImpl::WatchLink() {
  // Never under a session, a dialog or a connection in progress: the link
  // cannot be closed under a running exchange, and one window at a time.
  os::MainLoop* loop = os::MainLoop::Current();
  if (connecting_ || link_->UIIsActive() || (loop && loop->ModalDepth() > 0)) return;
  if (connected_) {
    if (!link_->PortsPresent()) LoseLink();
  } else if (awaitingPorts_) {
    Reattach();
  }
}

void CRemoteSynthImpl::LoseLink() {
  link_->Disconnect();
  connected_ = false;
  awaitingPorts_ = true;
  NoteImageWhenAway();
  PostConnectionState();
}

bool CRemoteSynthImpl::Reattach() {
  const std::string inName = SetupGetS(kSetupMIDIInName);
  const std::string outName = SetupGetS(kSetupMIDIOutName);
  if (inName.empty() || outName.empty()) return false;
  // Only once both ports are there: a connect that cannot succeed would show
  // its progress window every time the timer looks.
  std::vector<MIDIDevKey> ins, outs;
  MIDIInCreate()->AppendEnumDevices(&ins);
  MIDIOutCreate()->AppendEnumDevices(&outs);
  auto named = [](const std::vector<MIDIDevKey>& keys, const std::string& name) {
    return std::any_of(keys.begin(), keys.end(), [&](const MIDIDevKey& k) { return k.name == name; });
  };
  if (!named(ins, inName) || !named(outs, outName)) return false;
  // The synthesizer may have started afresh: taken up as a connection is,
  // so that it plays what the editor shows and the editor shows what it
  // holds.
  return Attempt("CRemoteSynthImpl::Reattach", [&] {
    const ProgressShown progress(*link_);
    if (!link_->Connect(this, standalone_, inName, outName)) return false;
    awaitingPorts_ = false;
    // Found before the connection's steps, which load the edit buffers anew;
    // asked about before they show the pages anything else. Only receiving
    // everything would overwrite them: a pending recall sends them.
    awayEdits_ = CImageEdits(imageWhenAway_, imageBytes_.data());
    keepAwayEdits_ = recall_ && !recallPending_ && KeepAwayEdits();
    CompleteConnection(standalone_, recall_);
    ForgetImageWhenAway();
    return true;
  });
}

// ------------------------------------------------------------ received


int CRemoteSynthImpl::OnRcvShortMsg(IRemoteMIDI*, long long time, const void* data, unsigned len,
                                    eChgSource source) {
  if (!connected_) return kRefused;
  if (protect_ >= 1) return 0;
  const auto* d = static_cast<const std::uint8_t*>(data);
  if (!d || len == 0) return 0;
  if ((d[0] & 0xF0) == 0xB0 && len >= 3) RTCControlChange(d, source);
  if (IRTMIDISink* s = rtSink_) s->OnRTMIDIIn(time, data, len);
  if (len == 2 || len == 3) {
    std::uint32_t word = d[0] | (d[1] << 8) | (len == 3 ? d[2] << 16 : 0);
    word |= len << 24;
    Post(kNoticeMIDIIn, static_cast<long>(word));
  }
  return 0;
}

int CRemoteSynthImpl::OnRcvProgramChange(IRemoteMIDI*, eBankID bank, unsigned number) {
  if (HandOver(kNoticeRcvProgramChange, ((bank & 0xFF) << 8) | (number & 0xFF))) return 0;
  if (auditionKind_ != 0) {
    Post(kNoticeRcvDuringAudition, 0x10000 + ((bank & 0xFF) << 8) + (number & 0xFF));
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
  Post(kNoticeCurSound, ((bank & 0xFF) << 8) | (number & 0xFF));
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
    Post(kNoticeBankList, 0x2FFFF);
  } else if (bank > 3) {
    return kRefused;
  } else if (number < 0) {
    if (len < L::kProgBankSize) return kRefused;
    std::memcpy(imageBytes_.data() + L::kProgBanks + bank * L::kProgBankSize, data,
                L::kProgBankSize);
    Post(kNoticeBankList, 0x200FF + bank * 256);
  } else {
    CHUNK_PROG dst = image_.GetProg(bank, number);
    if (!dst || len < kProgSize) return kRefused;
    std::memcpy(dst.data(), data, kProgSize);
    Post(kNoticeBankList, 0x20000 + bank * 256 + number);
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
    Post(kNoticeBankList, bank < 0 ? 0xFFFF : bank * 256 + 0xFF);
    return 0;
  }
  CHUNK_COMBI dst = image_.GetCombi(number);
  if (bank != 0 || !dst || len < kCombiSize) return kRefused;
  std::memcpy(dst.data(), data, kCombiSize);
  Post(kNoticeBankList, bank * 256 + number);
  return 0;
}

int CRemoteSynthImpl::OnRcvGlobalDump(IRemoteMIDI*, const void* data, unsigned len) {
  if (!data || len < kGlobalSize) return kRefused;
  std::memcpy(imageBytes_.data() + L::kGlobal, data, kGlobalSize);
  SecReinit(kSecGlobal, nullptr);
  return 0;
}

int CRemoteSynthImpl::OnRcvMasterVolumeChange(IRemoteMIDI*, unsigned volume) {
  if (HandOver(kNoticeRcvMasterVolume, static_cast<long>(volume))) return 0;
  masterVolume_ = std::min(volume, kMaxVolume);
  Post(kNoticeMasterVolume, static_cast<long>(masterVolume_.load()));
  RTCOnRcvMasterVolume(masterVolume_);
  return 0;
}

int CRemoteSynthImpl::OnRcvModeChange(IRemoteMIDI*, eMode m) {
  if (passingModeChange_) {
    // The answer to a passing mode change (SendPassingModeChange), which
    // waits for it: only the bank select the link remembers belongs to the
    // old mode.
    link_->OnModeChanged();
    return 0;
  }
  if (HandOver(kNoticeRcvModeChange, static_cast<long>(m))) return 0;
  if (auditionKind_ != 0) {
    Post(kNoticeRcvDuringAudition, m & 0xFF);
    return 0;
  }
  // While the editor moves whole data sets it switches the instrument's mode
  // itself and puts it back at the end; the instrument's answers are not
  // the user's choice and must neither move the pages nor reload an edit
  // buffer. A connection bringing the instrument into step follows them.
  if (protect_ > 0 && !nowInitializing_) return 0;
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
    if (m == 0) Post(kNoticeArmCombiDump, 0);
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
    Post(kNoticeArmProgDump, 0);
  } else {
    SecReinit(kSecGlobal, &change);
  }
  Post(kNoticeMode, m);
  link_->OnModeChanged();
  return 0;
}

int CRemoteSynthImpl::OnRcvParamChange(IRemoteMIDI*, std::uint8_t section, int id, int value) {
  static_assert(sizeof(long) >= 8, "a parameter change is handed over in one long");
  if (HandOver(kNoticeRcvParamChange, (static_cast<long>(section) << 48) |
                                          (static_cast<long>(id & 0xFFFF) << 32) |
                                          static_cast<long>(static_cast<std::uint32_t>(value))))
    return 0;
  // The link names the section by the mode it belongs to.
  switch (section) {
    case eMode_Combi:
    case eMode_CombiNoDump:
      SecRcvParam(kSecCombiPlay, id, value);
      break;
    case eMode_ProgPlay:
      SecRcvParam(kSecProgPlay, id, value);
      break;
    case eMode_ProgEdit:
      SecRcvParam(kSecProgEdit, id, value);
      break;
    case eMode_Global:
      SecRcvParam(kSecGlobal, id, value);
      break;
    default:
      break;
  }
  return 0;
}

int CRemoteSynthImpl::OnRcvPlayStopContinue(IRemoteMIDI*, int, bool a, bool b) {
  if (a != b) Post(kNoticeSeqState, a ? 1 : 0);
  return 0;
}

}  // namespace Oskend
