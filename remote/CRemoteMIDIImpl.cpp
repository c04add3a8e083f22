#include "remote/CRemoteMIDIImpl.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "model/XEUtils.h"
#include "os/Clock.h"
#include "os/ErrorReport.h"
#include "os/midi/System.h"
#include "platform/NRXException.h"
#include "remote/CoreMIDIEndpoint.h"
#include "remote/RemoteStatus.h"
#include "remote/SXMessage.h"
#include "remote/SynthSysEx.h"

namespace Oskend {

using S = SynthSysEx;

namespace {

constexpr unsigned kPairWaitMs = 50;
constexpr unsigned kFilterPauseMs = 50;
constexpr unsigned kStorePauseMs = 100;
constexpr unsigned kReceiveLeadMs = 5;
// The pause before a session that failed while the system ran late runs
// again: some twenty cycles of a JACK server at its usual buffer size.
constexpr unsigned kLateSettleMs = 100;
constexpr uint16_t kNoPair = 0xFFFF;
constexpr uint8_t kNoBankSelect = 255;

enum ConnectForm { kByScan, kByDisplayName, kByNames };

uint16_t Pair(int bank, int program) {
  return static_cast<uint16_t>((bank & 0xFF) | ((program & 0xFF) << 8));
}

std::string PairText(const MIDIDevKey& out, const MIDIDevKey& in) {
  return "\"" + out.name + "\" -> \"" + in.name + "\"";
}

}  // namespace

IRemoteMIDI* RemoteMIDICreate() { return new CRemoteMIDIImpl(); }

CRemoteMIDIImpl::CRemoteMIDIImpl()
    : dispatch_(AsyncDispatchCreate()), session_(parentWindow) {
  modeAndState_ = MODEANDSTATE();
  // The scan's own exchanges run before there is a connection to lose.
  session_.Progress().SetLostCheck([this] { return connected_ && !PortsPresent(); });
}

CRemoteMIDIImpl::~CRemoteMIDIImpl() {
  Disconnect();
  if (dispatch_) dispatch_->PurgeHandler(this);
}

// ---------------------------------------------------------------- progress

bool CRemoteMIDIImpl::UIActivate() {
  if (!session_.Progress().UIActivate(parentWindow)) return false;
  if (out_ && out_->IsOpen()) {
    out_->ClearPendings();
    const uint8_t allSoundOff[3] = {static_cast<uint8_t>(0xB0 | (Ch() & 0x0F)), 0x78, 0x00};
    out_->SendShort(static_cast<long long>(os::NowUs()), allSoundOff, 3);
  }
  return true;
}

void CRemoteMIDIImpl::UIDeactivate() {
  if (session_.Progress().IsShowing()) session_.Progress().UIDeactivate();
  session_.Progress().ClearCancelled();
}

bool CRemoteMIDIImpl::UIIsActive() { return session_.Progress().IsShowing(); }

bool CRemoteMIDIImpl::UIIsAborted() { return aborted_ || session_.Progress().Cancelled(); }

void CRemoteMIDIImpl::Abort() {
  aborted_ = true;
  session_.Progress().OnAsyncCanceled();
}

bool CRemoteMIDIImpl::UIConfigure(const char* text, unsigned max, unsigned scale, unsigned offset) {
  return session_.Progress().UIConfigure(text, max, scale, offset);
}

void CRemoteMIDIImpl::UIProgress(unsigned total, unsigned pos, const char* text) {
  session_.Progress().Touch();
  session_.Progress().NotifyPos(total, pos, text);
}

int CRemoteMIDIImpl::UIWait(unsigned ms) {
  if (aborted_) return kRemoteAborted;
  if (int r = session_.Begin(SXRequest())) return r;
  ProgressWithUI& p = session_.Progress();
  int r = 0;
  if (p.IsShowing()) {
    p.Arm(true);
    r = p.Wait(ms, true);
    if (r == kRemoteTimeout) r = 0;
  } else {
    SleepMs(ms);
  }
  session_.End();
  return r;
}

void CRemoteMIDIImpl::SleepMs(unsigned ms) {
  XEvent never;
  never.Create();
  never.Wait(ms);
}

// ---------------------------------------------------------------- sessions

int CRemoteMIDIImpl::DoSXSession(const SXRequest& request) {
  if (!connected_) return kRemoteFailed;
  return RunSession(request);
}

int CRemoteMIDIImpl::RunSession(const SXRequest& request) {
  if (const int r = RunSessionOnce(request); r != kRemoteLate) return r;
  // What the late cycle still brings of the first run arrives while no
  // session waits for it, and is dropped.
  SleepMs(kLateSettleMs);
  return RunSessionOnce(request);
}

int CRemoteMIDIImpl::RunSessionOnce(const SXRequest& request) {
  if (!running_) return kRemoteFailed;
  if (aborted_) return kRemoteAborted;
  if (int r = session_.Begin(request)) return r;
  // An abort from here on ends the wait that the session arms.
  if (aborted_) {
    session_.End();
    return kRemoteAborted;
  }
  const bool waits = session_.Waits();
  const unsigned timeout = session_.TimeoutMs();
  const bool modal = session_.ShowsProgress();
  const uint64_t late = os::midi::System::Current().LateCycles();
  work_.Set();
  int result = 0;
  if (waits) result = session_.Progress().Wait(timeout, modal);
  if (session_.Progress().Cancelled()) rcv_.Abort();
  // Every send ends: a block that cannot go out fails within its bound.
  done_.Wait(XEvent::kInfinite);
  // A session that awaits nothing reports how its send went.
  if (!waits) result = sendResult_;
  result = LateOr(result, late);
  session_.End();
  return result;
}

int CRemoteMIDIImpl::LateOr(int result, uint64_t lateBefore) {
  if (result == kRemoteAborted || result == kRemoteBusy) return result;
  // Also an exchange the synthesizer answered well: a block doubled and
  // another lost leave a dump of the right size with the wrong bytes.
  return os::midi::System::Current().LateCycles() > lateBefore ? kRemoteLate : result;
}

uint32_t CRemoteMIDIImpl::ThreadProc() {
  for (;;) {
    work_.Wait(XEvent::kInfinite);
    if (!running_) break;
    const unsigned flags = session_.Flags();
    if (flags & SXRequest::kRecvProgress) SleepMs(kReceiveLeadMs);
    int r = 0;
    if ((flags & SXRequest::kSend) && out_) {
      CMIDIOut::WireHold wire(*out_);
      r = session_.HandleSendSysex(
          [this](const uint8_t* p, unsigned n) { return out_->SendLong(p, n); });
      if (r != 0) {
        // Closes the message on the wire, so the instrument drops it.
        const uint8_t eox = 0xF7;
        out_->SendLong(&eox, 1);
      }
    } else if (flags & SXRequest::kSend) {
      r = kRemoteFailed;
    }
    // A failed send ends the wait at once: no answer can come to it.
    if (r != 0 || !(flags & SXRequest::kWait)) session_.Progress().NotifyEnd(r);
    sendResult_ = r;
    done_.Set();
  }
  return 0;
}

// ---------------------------------------------------------------- connect

bool CRemoteMIDIImpl::Connect(IRemoteMIDICallback* callback, bool standalone) {
  return ConnectFrame(callback, standalone, kByScan, "", "");
}

bool CRemoteMIDIImpl::Connect(IRemoteMIDICallback* callback, bool standalone, std::string port) {
  return ConnectFrame(callback, standalone, kByDisplayName, port, "");
}

bool CRemoteMIDIImpl::Connect(IRemoteMIDICallback* callback, bool standalone, std::string in,
                              std::string out) {
  if (in.empty() || out.empty()) return false;
  return ConnectFrame(callback, standalone, kByNames, in, out);
}

bool CRemoteMIDIImpl::TryPair(std::unique_ptr<IMIDIIn>& in, const MIDIDevKey& inKey,
                              const MIDIDevKey& outKey, unsigned attempt) {
  auto out = std::make_unique<CMIDIOut>();
  if (!out->Open(&outKey, 0, 0, kOutputQueueEvents)) return false;
  {
    std::lock_guard<os::Lock> g(outLock_);
    out_ = std::move(out);
  }
  UIProgress(1, attempt, PairText(outKey, inKey).c_str());
  UIWait(kPairWaitMs);
  inPort_ = in.get();
  if (RunSession(SXRequest::Identity()) >= 0) {
    in_ = std::move(in);
    inKey_ = inKey;
    outKey_ = outKey;
    connected_ = true;
    return true;
  }
  inPort_ = nullptr;
  DropOutput();
  return false;
}

bool CRemoteMIDIImpl::ConnectFrame(IRemoteMIDICallback* callback, bool standalone, int form,
                                   const std::string& a, const std::string& b) {
  StartLink(callback, standalone);
  const bool opened = UIActivate();
  RescanDevices();
  try {
    if (form == kByScan)
      FindByScan();
    else
      FindByName(form, a, b);
  } catch (...) {
    os::ReportCaughtException("CRemoteMIDIImpl::Connect");
    connected_ = false;
  }
  if (opened) UIDeactivate();
  if (connected_ && AskModeAndState()) return true;
  Disconnect();
  return false;
}

void CRemoteMIDIImpl::StartLink(IRemoteMIDICallback* callback, bool standalone) {
  Disconnect();
  callback_ = callback;
  rcv_.Reserve(kRawReserve, kDecodedReserve);
  session_.Progress().Initialize(standalone);
  work_.Create();
  done_.Create();
  running_ = true;
  if (!thread_.Run(this)) running_ = false;
  connected_ = false;
  standalone_ = standalone;
}

void CRemoteMIDIImpl::RescanDevices() {
  inKeys_.clear();
  outKeys_.clear();
  MIDIInCreate()->AppendEnumDevices(&inKeys_);
  MIDIOutCreate()->AppendEnumDevices(&outKeys_);
}

void CRemoteMIDIImpl::FindByScan() {
  struct Opened {
    MIDIDevKey key;
    std::unique_ptr<IMIDIIn> port;
  };
  std::vector<Opened> inputs;
  for (const MIDIDevKey& k : inKeys_) {
    if (k.type != kDevTypeTarget) continue;
    std::unique_ptr<IMIDIIn> port = MIDIInCreate();
    if (port->Open(&k, this, kOutputQueueEvents, kRawReserve)) inputs.push_back({k, std::move(port)});
  }
  UIConfigure("Searching...", std::max<unsigned>(1, inputs.size() * outKeys_.size()), 1, 0);
  const ProgressWithUI& p = session_.Progress();
  unsigned attempts = 0;
  for (const MIDIDevKey& ok : outKeys_) {
    if (connected_ || p.Cancelled() || aborted_) break;
    for (Opened& in : inputs) {
      if (connected_ || p.Cancelled() || aborted_) break;
      if (!in.port || in.key.type != ok.type) continue;
      if (TryPair(in.port, in.key, ok, attempts++)) break;
    }
  }
  for (Opened& in : inputs)
    if (in.port) in.port->Close();
}

void CRemoteMIDIImpl::FindByName(int form, const std::string& a, const std::string& b) {
  std::unique_ptr<IMIDIIn> port;
  MIDIDevKey inKey;
  for (const MIDIDevKey& k : inKeys_) {
    const bool match = form == kByNames
                           ? k.name == a
                           : k.type == kDevTypeTarget && XEUtils::GetMIDIPortName(inKeys_, k) == a;
    if (!match) continue;
    port = MIDIInCreate();
    if (!port->Open(&k, this, kOutputQueueEvents, kRawReserve)) port.reset();
    inKey = k;
    break;
  }
  UIConfigure("Searching...", 1, 1, 0);
  if (!port) return;
  for (const MIDIDevKey& ok : outKeys_) {
    if (session_.Progress().Cancelled()) break;
    const bool match = form == kByNames
                           ? ok.name == b
                           : ok.type == inKey.type && XEUtils::GetMIDIPortName(outKeys_, ok) == a;
    if (!match) continue;
    if (TryPair(port, inKey, ok, 0)) break;
    if (form == kByNames) break;
  }
  if (port) port->Close();
}

bool CRemoteMIDIImpl::AskModeAndState() {
  SendSysEXFilter(0, false);
  SleepMs(kFilterPauseMs);
  if (SendSysEXFilter(2, true) >= 0) SleepMs(kFilterPauseMs);
  return SendModeAndStateReq() >= 0;
}

void CRemoteMIDIImpl::Disconnect() {
  const int fs = filterState_;
  if (fs == 0 || fs == 1) SendSysEXFilter(2, fs != 0);
  filterState_ = -1;

  running_ = false;
  if (work_.IsCreated()) work_.Set();
  thread_.Join();
  work_.Destroy();
  done_.Destroy();

  inPort_ = nullptr;
  if (in_) {
    in_->Close();
    in_.reset();
  }
  DropOutput();

  connected_ = false;
  rcv_.End();
  SetGlobalChannel(0);
  mode_ = 0;
  pairProg_ = pairCombi_ = pairMulti_ = kNoPair;
  bankMap_ = false;
  {
    std::lock_guard<os::Lock> g(records_);
    std::memset(inquiry_.bytes, 0, DEVICEINQUIRYDATA::kSize);
    modeAndState_ = MODEANDSTATE();
  }
  bankMsb_ = bankLsb_ = kNoBankSelect;
  callback_ = nullptr;
  inKey_ = MIDIDevKey();
  outKey_ = MIDIDevKey();
}

// ---------------------------------------------------------------- state

bool CRemoteMIDIImpl::PortsPresent() {
  if (!connected_) return false;
  os::midi::System& sys = os::midi::System::Current();
  try {
    for (const MIDIDevKey* key : {&inKey_, &outKey_}) {
      std::string name;
      if (sys.GetProperty(CoreMIDIEndpoint::EndpointFromKey(key), os::midi::Property::kName,
                          &name) != os::midi::kOk)
        return false;
    }
  } catch (const NRXException&) {
    return false;
  }
  return true;
}

bool CRemoteMIDIImpl::GetConnectionState(MIDIDevKey* out, MIDIDevKey* in,
                                         DEVICEINQUIRYDATA* inquiry, MODEANDSTATE* state) {
  if (out) *out = outKey_;
  if (in) *in = inKey_;
  std::lock_guard<os::Lock> g(records_);
  if (inquiry) *inquiry = inquiry_;
  if (state) *state = modeAndState_;
  return connected_;
}

void CRemoteMIDIImpl::OnModeChanged() { bankMsb_ = bankLsb_ = kNoBankSelect; }
void CRemoteMIDIImpl::OnReinitialized() { bankMsb_ = bankLsb_ = kNoBankSelect; }

eMode CRemoteMIDIImpl::GetMode() { return static_cast<eMode>(mode_.load()); }

std::atomic<uint16_t>* CRemoteMIDIImpl::PairOf(int mode) {
  // The synthesizer reports program mode as program edit, also when it was
  // asked for program play: both program modes share the program pair, or a
  // sound chosen in program mode would be lost. The combination shown
  // without a dump keeps none.
  switch (mode) {
    case 0: return &pairCombi_;
    case 2:
    case 3: return &pairProg_;
    case 4: return &pairMulti_;
    default: return nullptr;
  }
}

uint16_t CRemoteMIDIImpl::GetBnkPgmPair() {
  const std::atomic<uint16_t>* pair = PairOf(mode_.load());
  return pair ? pair->load() : 0;
}

int CRemoteMIDIImpl::GetGlobalChannel() { return channel_; }
void CRemoteMIDIImpl::SetGlobalChannel(int channel) {
  // A channel outside 0-15 would spill into the status nibble of every message.
  channel_ = static_cast<uint8_t>(channel & 0x0F);
}
const MODEANDSTATE* CRemoteMIDIImpl::GetModeAndState() { return &modeAndState_; }
BankMap CRemoteMIDIImpl::GetBankMap() { return static_cast<BankMap>(bankMap_ ? 1 : 0); }
void CRemoteMIDIImpl::SetBankMap(BankMap map) { bankMap_ = map == 1; }
eDevType CRemoteMIDIImpl::GetDevType() { return out_ ? out_->GetDevType() : kDevTypeUnknown; }
bool CRemoteMIDIImpl::ForeignPort() { return GetDevType() != kDevTypeTarget; }

unsigned CRemoteMIDIImpl::GetSystemVersion() {
  std::lock_guard<os::Lock> g(records_);
  const uint8_t* v = inquiry_.Version();
  return (unsigned(v[0]) << 16) + (unsigned(v[1]) << 8) + v[2];
}

int CRemoteMIDIImpl::HasEXBPelmar() {
  std::lock_guard<os::Lock> g(records_);
  if (!modeAndState_.IsValid() || !(modeAndState_.State(1) & 1)) return 0;
  return 1 + (modeAndState_.State(4) & 1);
}

int CRemoteMIDIImpl::HasEXBZt40() {
  std::lock_guard<os::Lock> g(records_);
  return modeAndState_.IsValid() ? (modeAndState_.State(1) >> 2) & 1 : 0;
}

int CRemoteMIDIImpl::HasEXBFireWire() {
  std::lock_guard<os::Lock> g(records_);
  return modeAndState_.IsValid() ? (modeAndState_.State(1) >> 1) & 1 : 0;
}

void CRemoteMIDIImpl::Fake_FullOption() {
  std::lock_guard<os::Lock> g(records_);
  modeAndState_.bytes[1] = 7;
  modeAndState_.bytes[4] = 1;
  modeAndState_.bytes[5] = MODEANDSTATE::kValid;
}

// ---------------------------------------------------------------- senders

int CRemoteMIDIImpl::SendShortMsg(long long timeUs, const void* data, unsigned len) {
  if (!connected_) return kRemoteFailed;
  return QueueShort(timeUs, data, len);
}

void CRemoteMIDIImpl::DropOutput() {
  if (!out_) return;
  out_->Close();
  std::lock_guard<os::Lock> g(outLock_);
  out_.reset();
}

int CRemoteMIDIImpl::QueueShort(long long timeUs, const void* data, unsigned len) {
  int r;
  {
    std::lock_guard<os::Lock> g(outLock_);
    r = out_ ? out_->SendShort(timeUs, data, len) : kRemoteFailed;
  }
  // The callers (host, keyboard and editor MIDI) have nobody to tell: the
  // loss is counted and told in the log.
  if (r == kRemoteQueueFull) dropped_.Count();
  dropped_.Tell();
  return r;
}

int CRemoteMIDIImpl::SendProgramChange(eBankID bank, int program) {
  const int mode = mode_;
  std::vector<S::ShortMsg> msgs;
  if (int r = S::ProgramChange(mode, bank, program, Ch(), bankMap_, &msgs)) return r;
  if (connected_ && out_) {
    const long long now = static_cast<long long>(os::NowUs() / 1000 * 1000);
    for (const S::ShortMsg& m : msgs)
      if (int r = QueueShort(now, m.bytes, m.len)) return r;
  }
  // A multi's program has no bank.
  if (std::atomic<uint16_t>* pair = PairOf(mode)) *pair = Pair(mode == 4 ? 0 : bank, program);
  return 0;
}

int CRemoteMIDIImpl::SendModeAndStateReq() { return DoSXSession(SXRequest::ModeAndState(Ch())); }

int CRemoteMIDIImpl::SendCurProgDumpReq(bool wait) {
  return DoSXSession(SXRequest::CurProgDumpReq(Ch(), wait, ForeignPort()));
}

int CRemoteMIDIImpl::SendCurCombiDumpReq(bool wait) {
  return DoSXSession(SXRequest::CurCombiDumpReq(Ch(), wait, ForeignPort()));
}

int CRemoteMIDIImpl::SendProgDumpReq(int bank, int program) {
  if (!connected_) return kRemoteFailed;
  if (bank >= 0) return DoSXSession(SXRequest::ProgDumpReq(Ch(), bank, program));
  int r = 0;
  for (int b = 0; b < int(S::kProgBanks) && r >= 0; ++b)
    r = DoSXSession(SXRequest::ProgDumpReq(Ch(), b, -1));
  return r;
}

int CRemoteMIDIImpl::SendCombiDumpReq(int bank, int number) {
  if (!connected_) return kRemoteFailed;
  if (bank < 0 && number >= 0) return 1;
  return DoSXSession(SXRequest::CombiDumpReq(Ch(), std::max(bank, 0), number));
}

int CRemoteMIDIImpl::SendGlobalDumpReq() { return DoSXSession(SXRequest::GlobalDumpReq(Ch())); }

int CRemoteMIDIImpl::SendProgWriteReq(int bank, int program) {
  return DoSXSession(SXRequest::ProgWriteReq(Ch(), bank, program));
}

int CRemoteMIDIImpl::SendCombiWriteReq(int bank, int number) {
  return DoSXSession(SXRequest::CombiWriteReq(Ch(), bank, number));
}

int CRemoteMIDIImpl::SendProgBankStoreReq(int bank) {
  if (!connected_) return kRemoteFailed;
  if (bank >= 0) return DoSXSession(SXRequest::ProgBankStoreReq(Ch(), bank));
  int r = 0;
  for (int b = 0; b < int(S::kProgBanks) && r >= 0; ++b)
    r = DoSXSession(SXRequest::ProgBankStoreReq(Ch(), b));
  return r;
}

int CRemoteMIDIImpl::SendCombiBankStoreReq(int bank) {
  if (!connected_) return kRemoteFailed;
  if (bank != 0) return kSynthStatus3;
  return DoSXSession(SXRequest::CombiBankStoreReq(Ch()));
}

int CRemoteMIDIImpl::SendCurProgDump(const void* data, unsigned len) {
  return DoSXSession(SXRequest::CurProgDump(Ch(), data, len, ForeignPort()));
}

int CRemoteMIDIImpl::SendCurCombiDump(const void* data, unsigned len) {
  return DoSXSession(SXRequest::CurCombiDump(Ch(), data, len, ForeignPort()));
}

int CRemoteMIDIImpl::SendProgDump(int bank, int program, const void* data, unsigned len,
                                  bool write) {
  if (!connected_) return kRemoteFailed;
  if (bank > int(S::kProgBanks) - 1) return kRemoteAborted;
  if (bank < 0) {
    // Each bank comes from its own part of the data, which must all be there.
    if (!data || len < S::kProgBanks * S::kProgBankSize) return kRemoteFailed;
    int r = 0;
    for (int b = 0; b < int(S::kProgBanks); ++b) {
      const auto* part = static_cast<const uint8_t*>(data) + size_t(b) * S::kProgBankSize;
      r = DoSXSession(SXRequest::ProgDump(Ch(), b, -1, part, S::kProgBankSize, true));
      if (r < 0) return r;
      if (write) {
        SleepMs(kStorePauseMs);
        r = SendProgBankStoreReq(b);
        if (r < 0) return r;
      }
    }
    return r;
  }
  int r = DoSXSession(SXRequest::ProgDump(Ch(), bank, program, data, len, ForeignPort()));
  if (r < 0 || !write) return r;
  SleepMs(kStorePauseMs);
  return program < 0 ? SendProgBankStoreReq(bank) : SendProgWriteReq(bank, program);
}

int CRemoteMIDIImpl::SendCombiDump(int bank, int number, const void* data, unsigned len,
                                   bool write) {
  if (!connected_) return kRemoteFailed;
  int r;
  if (bank < 0) {
    if (!data || len < S::kAllCombisSize) return kRemoteFailed;
    bank = 0;
    r = DoSXSession(SXRequest::CombiDump(Ch(), 0, -1, data, S::kAllCombisSize, true));
  } else {
    r = DoSXSession(SXRequest::CombiDump(Ch(), bank, number, data, len, ForeignPort()));
  }
  if (r < 0 || !write) return r;
  SleepMs(kStorePauseMs);
  return number < 0 || bank < 0 ? SendCombiBankStoreReq(bank)
                                : SendCombiWriteReq(bank, number & 0x7F);
}

int CRemoteMIDIImpl::SendGlobalDump(const void* data, unsigned len) {
  return DoSXSession(SXRequest::GlobalDump(Ch(), data, len));
}

int CRemoteMIDIImpl::SendMasterVolumeChange(unsigned volume) {
  return DoSXSession(SXRequest::MasterVolume(Ch(), volume));
}

int CRemoteMIDIImpl::SendModeChange(eMode mode) {
  if (!connected_) return kRemoteFailed;
  mode_ = static_cast<uint8_t>(mode);
  return DoSXSession(SXRequest::ModeChange(Ch(), static_cast<uint8_t>(mode & 0x7F)));
}

int CRemoteMIDIImpl::SendParamChange(uint8_t section, int id, int value) {
  return DoSXSession(SXRequest::ParamChange(Ch(), section, id, value));
}

int CRemoteMIDIImpl::SendSysEXFilter(int op, bool on) {
  if (op == 0) return DoSXSession(SXRequest::SysExFilterQuery(Ch()));
  if (op == 2) return DoSXSession(SXRequest::SysExFilterSet(Ch(), on));
  return kRemoteFailed;
}

// ---------------------------------------------------------------- receiving

void CRemoteMIDIImpl::OnMIDIShort(IMIDIIn* port, long long, const void* data, unsigned len) {
  if (!port || port != inPort_ || !data || len == 0) return;
  try {
    const auto* d = static_cast<const uint8_t*>(data);
    const uint8_t status = d[0] & 0xF0;
    const bool global = (d[0] & 0x0F) == (Ch() & 0x0F) && d[0] < 0xF0;
    IRemoteMIDICallback* cb = callback_;
    if (global && status == 0xB0 && len >= 3) {
      if (d[1] == 0x00) bankMsb_ = d[2];
      if (d[1] == 0x20) bankLsb_ = d[2];
    } else if (global && status == 0xC0 && len >= 2) {
      const int mode = mode_;
      const int program = d[1] & 0x7F;
      int bank = 0;
      if (S::ReceivedProgramBank(mode, bankMsb_, bankLsb_, &bank)) {
        if (std::atomic<uint16_t>* pair = PairOf(mode)) *pair = Pair(bank, program);
        if (cb) cb->OnRcvProgramChange(this, static_cast<eBankID>(bank), program);
      }
    }
    if (cb) cb->OnRcvShortMsg(this, 0, data, len, eChgSource_SynthMIDI);
  } catch (...) {
    // The link's input callbacks pass nothing on to the input thread.
    os::ReportCaughtException("CRemoteMIDIImpl::OnMIDIShort");
  }
}

void CRemoteMIDIImpl::OnMIDILong(IMIDIIn* port, long long, const void* data, unsigned len) {
  if (!port || port != inPort_ || !data || len == 0) return;
  try {
    const auto* p = static_cast<const uint8_t*>(data);
    const uint8_t* const end = p + len;
    bool complete = true;
    while (p < end) {
      if (!rcv_.Inside()) {
        p = std::find(p, end, 0xF0);
        if (p == end) break;
        rcv_.Enter();
      }
      const uint8_t* eox = std::find(p, end, 0xF7);
      complete = eox != end;
      rcv_.Write(p, static_cast<unsigned>(eox - p), complete);
      OnRcvSysEx(complete);
      if (!complete) break;
      rcv_.End();
      p = eox + 1;
    }
    if (complete || session_.Active() || session_.Progress().IsShowing()) return;
    unsigned total = 0;
    SXSig header;
    if (rcv_.GetEstimation(&total, &header) && header.Bytes().size() >= 7 && total >= kBigDumpBytes)
      dispatch_->NotifyEvent(this, kEventBigDump, 0, true);
  } catch (...) {
    // The link's input callbacks pass nothing on to the input thread.
    os::ReportCaughtException("CRemoteMIDIImpl::OnMIDILong");
  }
}

void CRemoteMIDIImpl::OnRcvSysEx(bool complete) {
  SXRcvCtx::View v = rcv_.Get();
  if (!v.decoding) {
    SXDumpInfo info;
    if (SXMessage::IdentifyDump(v.raw, v.rawLen, Ch(), &info)) {
      rcv_.Estimated(info.wireTotal, info.headerLen, complete);
      v = rcv_.Get();
    }
  }
  if (!complete) {
    if (v.decoding) session_.NotifyPosRX(v.raw, v.rawLen, v.written);
    return;
  }
  const SXMessage m = v.decoding ? SXMessage::Decode(v.raw, v.rawLen, Ch(), v.data, v.dataLen)
                                 : SXMessage::Decode(v.raw, v.rawLen, Ch());
  IRemoteMIDICallback* cb = callback_;
  int result = 0;
  switch (m.kind) {
    case eSXKind::kNone: return;
    case eSXKind::kIdentityReply: {
      std::lock_guard<os::Lock> g(records_);
      inquiry_ = m.inquiry;
      SetGlobalChannel(m.channel);
      break;
    }
    case eSXKind::kMasterVolume:
      if (cb) cb->OnRcvMasterVolumeChange(this, m.volume);
      break;
    case eSXKind::kStatus: result = m.result; break;
    case eSXKind::kParamChange:
      if (cb) result = cb->OnRcvParamChange(this, m.section, m.id, m.value);
      break;
    case eSXKind::kModeAndState:
      {
        std::lock_guard<os::Lock> g(records_);
        modeAndState_ = m.modeAndState;
      }
      mode_ = m.mode;
      if (cb) cb->OnRcvModeAndState(this, &modeAndState_);
      break;
    case eSXKind::kModeChange:
      mode_ = m.mode;
      if (cb) cb->OnRcvModeChange(this, static_cast<eMode>(m.mode));
      break;
    case eSXKind::kSysExFilter:
      if (m.filterState >= 0) filterState_ = m.filterState;
      break;
    case eSXKind::kCurProgDump:
    case eSXKind::kCurCombiDump:
    case eSXKind::kProgDump:
    case eSXKind::kCombiDump:
    case eSXKind::kGlobalDump:
      if (!m.accepted) {
        result = m.result;
      } else if (cb) {
        const auto bank = static_cast<eBankID>(m.bank);
        switch (m.kind) {
          case eSXKind::kCurProgDump: result = cb->OnRcvCurProgDump(this, m.data, m.size); break;
          case eSXKind::kCurCombiDump: result = cb->OnRcvCurCombiDump(this, m.data, m.size); break;
          case eSXKind::kProgDump:
            result = cb->OnRcvProgDump(this, bank, m.number, m.data, m.size);
            break;
          case eSXKind::kCombiDump:
            result = cb->OnRcvCombiDump(this, bank, m.number, m.data, m.size);
            break;
          default: result = cb->OnRcvGlobalDump(this, m.data, m.size); break;
        }
      }
      break;
  }
  session_.NotifyEndRX(v.raw, v.rawLen, result);
}

void CRemoteMIDIImpl::OnAsyncEvent(long a, long) {
  if (a != kEventBigDump || !connected_ || session_.Active() || session_.Progress().IsShowing())
    return;
  unsigned total = 0;
  SXSig header;
  if (!rcv_.GetEstimation(&total, &header) || header.Bytes().size() < 7 || total < kBigDumpBytes)
    return;
  SXRequest r;
  r.flags = SXRequest::kWait | SXRequest::kRecvProgress;
  r.rxExpected = total;
  r.expect = SXExpect(header, header);
  DoSXSession(r);
}

}  // namespace Oskend
