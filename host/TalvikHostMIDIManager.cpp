#include "host/TalvikHostMIDIManager.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>

#include "os/Clock.h"
#include "platform/NRXException.h"

namespace {

TalvikHostMIDIManager::CpuLoadProbe g_cpuLoadProbe;

bool IsExclusiveType(int type) {
  return type == TalvikHostMIDIManager::kFirstFamilyExclusive ||
         type == TalvikHostMIDIManager::kSecondFamilyExclusive;
}

int ModelOf(int type) {
  return type == TalvikHostMIDIManager::kSecondFamilyExclusive
             ? TalvikController::kModelSecondFamily
             : TalvikController::kModelFirstFamily;
}

void Check(os::midi::Status st, const char* what) {
  if (st != os::midi::kOk) throw NRXMacOSException(st, what);
}

// Bytes a short message takes, status included (1 for what stands alone).
size_t ForwardLength(uint8_t status) {
  switch (status & 0xF0) {
    case 0x80:
    case 0x90:
    case 0xA0:
    case 0xB0:
    case 0xE0:
      return 3;
    case 0xC0:
    case 0xD0:
      return 2;
    default:
      break;
  }
  if (status == 0xF1 || status == 0xF3) return 2;
  if (status == 0xF2) return 3;
  return 1;
}

// The maker's header: 42, (40+ch), 6E, at least 9 bytes.
bool MakerHeader(const uint8_t* m, int len) {
  return len >= 9 && m[1] == 0x42 && (m[2] & 0xF0) == 0x40 && m[3] == 0x6E;
}

}  // namespace

// Lock A with its depth counted, so a handshake can give up every level.
class TalvikHostMIDIManager::LockA {
 public:
  explicit LockA(TalvikHostMIDIManager& m) : m_(m) {
    m_.lockA_.Lock();
    ++m_.lockADepth_;
  }
  ~LockA() {
    --m_.lockADepth_;
    m_.lockA_.Unlock();
  }

 private:
  TalvikHostMIDIManager& m_;
};

class TalvikHostMIDIManager::TryLockA {
 public:
  explicit TryLockA(TalvikHostMIDIManager& m) : m_(m), locked_(m.lockA_.Trylock()) {
    if (locked_) ++m_.lockADepth_;
  }
  ~TryLockA() {
    if (!locked_) return;
    --m_.lockADepth_;
    m_.lockA_.Unlock();
  }
  explicit operator bool() const { return locked_; }

 private:
  TalvikHostMIDIManager& m_;
  bool locked_;
};

class TalvikHostMIDIManager::UnlockAFully {
 public:
  explicit UnlockAFully(TalvikHostMIDIManager& m) : m_(m), depth_(m.lockADepth_) {
    m_.lockADepth_ = 0;
    for (int i = 0; i < depth_; ++i) m_.lockA_.Unlock();
  }
  ~UnlockAFully() {
    for (int i = 0; i < depth_; ++i) m_.lockA_.Lock();
    m_.lockADepth_ = depth_;
  }

 private:
  TalvikHostMIDIManager& m_;
  int depth_;
};

void TalvikHostMIDIManager::SetCpuLoadProbe(CpuLoadProbe probe) { g_cpuLoadProbe = probe; }

TalvikHostMIDIManager::TalvikHostMIDIManager(os::midi::Client* client, HostedComponent* unit,
                                             void* midiController)
    : client_(client),
      unit_(unit),
      midiController_(midiController),
      mainThread_(std::this_thread::get_id()) {
  if (!client_) throw NRXNullException("inClient", nullptr);
  component_ = TalvikHostInterface::InitializeForHost(unit_, this);
  inputPort_ = std::make_unique<MIDIInputPortSet>(
      client_, kInputPortName,
      [this](const os::midi::PacketList& l, Endpoint src) { HandleMIDIPackets(&l, src); });
  clockPort_ = std::make_unique<MIDIInputPortSet>(
      client_, kClockPortName,
      [this](const os::midi::PacketList& l, Endpoint) { MIDIClockSync_HandleMIDIPackets(l); });
  Check(client_->CreateOutputPort(kOutputPortName, &outputPort_), "MIDIOutputPortCreate");
  if (unit_) {
    HostCallbackInfo info;
    info.userData = this;
    info.beatAndTempo = &MIDIClockSync_HostCallbacks_GetBeatAndTempoProc;
    const int32_t err = unit_->SetProperty(HostedComponent::kPropertyHostCallbacks,
                                           HostedComponent::kGlobalScope, 0, &info, sizeof info);
    if (err != 0) throw NRXMacOSException(err, "AudioUnitSetProperty");
  }
}

TalvikHostMIDIManager::~TalvikHostMIDIManager() {
  {
    LockA a(*this);
    for (auto& slot : slots_) ReleaseSlot(slot);
    if (clockSource_) clockPort_->Disconnect(clockSource_);
    clockSource_ = 0;
  }
  // Ending the ports waits for reads in progress, which take lock A.
  inputPort_.reset();
  clockPort_.reset();
  outputPort_.reset();
}

void TalvikHostMIDIManager::ReleaseDisconnectedPorts() {
  inputPort_->ReleaseDisconnected();
  clockPort_->ReleaseDisconnected();
}

TalvikHostMIDIManager::SourceData* TalvikHostMIDIManager::FindSource(Endpoint e) const {
  for (const auto& s : sources_)
    if (s->endpoint == e) return s.get();
  return nullptr;
}

// ---------------------------------------------------------------- slots --

void TalvikHostMIDIManager::SetSource(int slotIndex, Endpoint source, bool enable) {
  if (!(0 <= slotIndex && slotIndex < TalvikHostMIDIManager_MIDIReveiveSlotCount))
    throw NRXIfNotException(
        "0 <= inSlotIndex && inSlotIndex < TalvikHostMIDIManager_MIDIReveiveSlotCount", nullptr);
  // Declared first, so it runs after lock A is given up.
  struct AfterUnlock {
    TalvikHostMIDIManager& m;
    ~AfterUnlock() { m.ReleaseDisconnectedPorts(); }
  } after{*this};
  LockA a(*this);
  SlotData& slot = slots_[slotIndex];
  SourceData* sd = nullptr;
  if (source) {
    sd = FindSource(source);
    if (!sd) throw NRXNullException("newSourceData", nullptr);
  }
  const bool flag = sd ? (enable || sd->type == kOndrix) : false;
  if (slot.mSourceData == sd && slot.enabled == flag) return;

  ReleaseSlot(slot);

  slot.mSourceData = sd;
  slot.enabled = flag;
  slot.assembly.Reset();
  if (!sd) return;
  Check(inputPort_->Connect(sd->endpoint), "MIDIPortConnectSource");
  if (!flag) return;
  if (IsExclusiveType(sd->type)) {
    try {
      ExclusiveSetUp(slot);
    } catch (...) {
      // The controller is not in exclusive mode: no LED or LCD goes to it,
      // nothing tells the component it left, and choosing it again retries.
      slot.enabled = false;
      throw;
    }
  } else if (sd->type == kOndrix) {
    if (component_) component_->ControllerAttached(TalvikController::kModelOndrix, sd->endpoint);
  }
}

// Every failure while letting go of a source is dropped.
void TalvikHostMIDIManager::ReleaseSlot(SlotData& slot) {
  SourceData* old = slot.mSourceData;
  if (old && slot.enabled) {
    try {
      if (component_) component_->ControllerDetached(old->endpoint);
    } catch (...) {
    }
    if (IsExclusiveType(old->type)) {
      try {
        ExclusiveData* ex = old->mTAVOExclusiveData.get();
        if (!ex) throw NRXNullException("oldSourceData->mTAVOExclusiveData", nullptr);
        if (ex->sourceAfter) inputPort_->Disconnect(ex->sourceAfter);
        ChangeExclusiveMode(ModelOf(old->type), old->endpoint, ex->destination, ex->channel, 0);
      } catch (...) {
      }
    }
  }
  if (old) inputPort_->Disconnect(old->endpoint);
  slot.mSourceData = nullptr;
  slot.enabled = false;
  slot.assembly.Reset();
}

void TalvikHostMIDIManager::ExclusiveSetUp(SlotData& slot) {
  SourceData* sd = slot.mSourceData;
  ExclusiveData* ex = sd->mTAVOExclusiveData.get();
  if (!ex) throw NRXNullException("newSourceData->mTAVOExclusiveData", nullptr);
  bool portB = false;
  try {
    if (ex->sourceAfter) {
      Check(inputPort_->Connect(ex->sourceAfter), "MIDIPortConnectSource");
      portB = true;
    }
    int current = 0;
    DeviceInquiry(sd->endpoint, ex->destination, current);
    int channel = 1;
    if (component_) {
      unsigned char c = 1;
      component_->QueryControllerChannel(&c);
      channel = c >= 16 ? 0 : c;
    }
    ex->channel = channel;
    secondFamily_ = sd->type == kSecondFamilyExclusive;
    const int model = ModelOf(sd->type);
    ExclusiveInitialize(model, sd->endpoint, ex->destination, current, channel);
    if (component_) component_->ControllerAttached(model, sd->endpoint);
  } catch (...) {
    if (portB) inputPort_->Disconnect(ex->sourceAfter);
    throw;
  }
}

void TalvikHostMIDIManager::SetClockSyncSource(Endpoint source) {
  {
    LockA a(*this);
    if (source == clockSource_) return;
    if (clockSource_) clockPort_->Disconnect(clockSource_);
    clockSource_ = 0;
    if (source) {
      Check(clockPort_->Connect(source), "MIDIPortConnectSource");
      clockSource_ = source;
    }
  }
  ReleaseDisconnectedPorts();
}

void TalvikHostMIDIManager::GetSourceType(Endpoint source, int& type, int& index) {
  SourceData* sd = FindSource(source);
  if (!sd) throw NRXNullException("sourceData", nullptr);
  int t = sd->type;
  int i = sd->index;
  if (t >= kSecondFamilyPortA && t <= kSecondFamilyPortB) {
    t -= kSecondFamilyPortA;
    i += 0x10000;
  }
  type = t;
  index = i;
}

// -------------------------------------------------------- list rebuild --

void TalvikHostMIDIManager::RebuildDataList(const MIDIEndpointList& snapshot) {
  {
    LockA a(*this);
    BuildSourceDataList(snapshot);
  }
  ReleaseDisconnectedPorts();
}

void TalvikHostMIDIManager::BuildSourceDataList(const MIDIEndpointList& snapshot) {
  std::vector<Endpoint> now;
  for (int i = 0; i < snapshot.GetSourceCount(); ++i) now.push_back(snapshot.GetSource(i));
  for (int s = 0; s < TalvikHostMIDIManager_MIDIReveiveSlotCount; ++s) {
    SlotData& slot = slots_[s];
    if (slot.mSourceData &&
        std::find(now.begin(), now.end(), slot.mSourceData->endpoint) == now.end())
      ReleaseSlot(slot);
  }
  std::vector<std::unique_ptr<SourceData>> list;
  std::vector<SourceData*> fresh;
  int counter1 = 0, counter3 = 0;
  for (Endpoint e : now) {
    auto it = std::find_if(sources_.begin(), sources_.end(),
                           [e](const std::unique_ptr<SourceData>& s) { return s && s->endpoint == e; });
    if (it != sources_.end()) {
      (*it)->known = true;
      if ((*it)->type == kFirstFamilyExclusive) counter1 = std::max(counter1, (*it)->index);
      if ((*it)->type == kOndrix) counter3 = std::max(counter3, (*it)->index);
      list.push_back(std::move(*it));
    } else {
      auto sd = std::make_unique<SourceData>();
      sd->endpoint = e;
      fresh.push_back(sd.get());
      list.push_back(std::move(sd));
    }
  }
  sources_ = std::move(list);  // entries left behind are freed with their data
  Probe(snapshot, fresh, counter1, counter3);
  int n = 0;
  for (auto& s : sources_)
    if (s->type == kGeneric) s->index = ++n;
}

void TalvikHostMIDIManager::Probe(const MIDIEndpointList& snapshot,
                                  const std::vector<SourceData*>& fresh, int counter1,
                                  int counter3) {
  if (fresh.empty()) return;
  const std::vector<Endpoint> connected = BeginProbe(fresh);
  try {
    AskEveryDestination(snapshot);
  } catch (...) {
    EndProbe(connected);
    throw;
  }
  for (auto& rec : probeList_)
    if (rec->index >= 0) AdoptProbeReply(snapshot, *rec, counter1, counter3);
  EndProbe(connected);
}

std::vector<TalvikHostMIDIManager::Endpoint> TalvikHostMIDIManager::BeginProbe(
    const std::vector<SourceData*>& fresh) {
  std::vector<Endpoint> connected;
  for (SourceData* sd : fresh) {
    auto rec = std::make_unique<FindExData>();
    rec->index = -1;
    for (size_t i = 0; i < sources_.size(); ++i)
      if (sources_[i].get() == sd) rec->index = static_cast<int>(i);
    probeList_.push_back(std::move(rec));
    if (inputPort_->Connect(sd->endpoint) == os::midi::kOk) connected.push_back(sd->endpoint);
  }
  probing_ = true;
  if (client_->CreateOutputPort(kOutputPortName, &probePort_) != os::midi::kOk) probePort_.reset();
  return connected;
}

void TalvikHostMIDIManager::AskEveryDestination(const MIDIEndpointList& snapshot) {
  TalvikMessage identity, query;
  SetMIDIPacketListIdentityRequest(identity);
  SetMIDIPacketListPortQuery(query);
  for (const TalvikMessage* m : {&identity, &query}) {
    for (int d = 0; d < snapshot.GetDestCount(); ++d) {
      probedEndpoint_ = snapshot.GetDest(d);
      // A destination that cannot be reached is skipped, not the probe.
      try {
        SendAndWait(0, probedEndpoint_, *m, true);
      } catch (const NRXMacOSException&) {
      }
    }
  }
}

void TalvikHostMIDIManager::AdoptProbeReply(const MIDIEndpointList& snapshot,
                                            const FindExData& rec, int& counter1, int& counter3) {
  const size_t i = static_cast<size_t>(rec.index);
  SourceData* sd = sources_[i].get();
  if (sd->type == kOndrix) {
    sd->index = ++counter3;
    auto ex = std::make_unique<ExclusiveData>();
    ex->destination = rec.destination;
    sd->mTAVOExclusiveData = std::move(ex);
    return;
  }
  if (!IsExclusiveType(sd->type)) return;
  const bool second = sd->type == kSecondFamilyExclusive;
  // A second-family controller shares the number of the first-family one
  // found before it.
  sd->index = second ? counter1 : ++counter1;
  auto ex = std::make_unique<ExclusiveData>();
  ex->destination = rec.destination;
  int d = 0;
  while (d < snapshot.GetDestCount() && snapshot.GetDest(d) != rec.destination) ++d;
  if (d > 0 && d < snapshot.GetDestCount()) ex->destinationBefore = snapshot.GetDest(d - 1);
  if (i + 1 < sources_.size()) ex->sourceAfter = sources_[i + 1]->endpoint;
  sd->mTAVOExclusiveData = std::move(ex);
  if (i > 0) {
    sources_[i - 1]->type = second ? kSecondFamilyPortA : kFirstFamilyPortA;
    sources_[i - 1]->index = sd->index;
  }
  if (i + 1 < sources_.size()) {
    sources_[i + 1]->type = second ? kSecondFamilyPortB : kFirstFamilyPortB;
    sources_[i + 1]->index = sd->index;
  }
}

void TalvikHostMIDIManager::EndProbe(const std::vector<Endpoint>& connected) {
  probing_ = false;
  probePort_.reset();
  probedEndpoint_ = 0;
  for (Endpoint e : connected) inputPort_->Disconnect(e);
  probeList_.clear();
}

// ------------------------------------------------------------ handshakes --

void TalvikHostMIDIManager::Send(Endpoint destination, const TalvikMessage& message) {
  os::midi::PacketList list;
  list.Add(os::NowUs(), message.data(), message.size());
  Check(outputPort_->Send(destination, list), "MIDISend");
}

void TalvikHostMIDIManager::SendAndWait(Endpoint awaitedSource, Endpoint destination,
                                        const TalvikMessage& message, bool fullWait) {
  waiting_.store(true);
  awaitedSource_ = awaitedSource;
  os::midi::Status st;
  {
    UnlockAFully unlock(*this);
    os::midi::PacketList list;
    const uint64_t sent = os::NowUs();
    list.Add(sent, message.data(), message.size());
    st = (probePort_ ? probePort_ : outputPort_)->Send(destination, list);
    if (st == os::midi::kOk) {
      os::Monitor::Hold lock(replyMonitor_.mutex());
      replyMonitor_.WaitUntil(lock, sent + kReplyTimeoutUs,
                              [&] { return !fullWait && !waiting_.load(); });
    }
  }
  waiting_.store(false);
  Check(st, "MIDISend");
}

void TalvikHostMIDIManager::DeviceInquiry(Endpoint source, Endpoint destination, int& channel) {
  mDeviceInquiryGlobalMIDIChannel = -1;
  TalvikMessage m;
  SetMIDIPacketListIdentityRequest(m);
  SendAndWait(source, destination, m, false);
  if (!(mDeviceInquiryGlobalMIDIChannel != -1))
    throw NRXIfNotException("mDeviceInquiryGlobalMIDIChannel != -1", nullptr);
  channel = mDeviceInquiryGlobalMIDIChannel;
}

void TalvikHostMIDIManager::ChangeExclusiveMode(int model, Endpoint source, Endpoint destination,
                                                int channel, int mode) {
  requestedMode_ = mode;
  mChangeExclusiveModeCompleted = false;
  TalvikMessage m;
  SetMIDIPacketListExclusiveMode(model, channel, mode, m);
  SendAndWait(source, destination, m, false);
  if (!mChangeExclusiveModeCompleted) throw NRXIfNotException("mChangeExclusiveModeCompleted", nullptr);
}

void TalvikHostMIDIManager::ExclusiveInitialize(int model, Endpoint source, Endpoint destination,
                                                int oldChannel, int newChannel) {
  using namespace TalvikController;
  ChangeExclusiveMode(model, source, destination, oldChannel, 1);
  try {
    for (int step = 0; step < 4; ++step) {
      TalvikMessage m;
      const uint8_t* texts[4] = {ExclusiveInit_LCDText, ExclusiveInit_LCDText,
                                 ExclusiveInit_LCDText, ExclusiveInit_LCDText};
      switch (step) {
        case 0:
          SetMIDIPacketListInitial1(model, oldChannel, newChannel, 0, newChannel,
                                    ExclusiveInit_PadEnable, ExclusiveInit_PadChannel,
                                    ExclusiveInit_PadNoteNumber, m);
          break;
        case 1: {
          const bool flags[11] = {};
          SetMIDIPacketListInitial2(model, newChannel, ExclusiveInit_LEDPADState, flags,
                                    ExclusiveInit_LCDBacklitCondition, 3, ExclusiveInit_LCDText,
                                    m);
          break;
        }
        case 2:
          SetMIDIPacketListInitial3(model, newChannel, texts, m);
          break;
        default:
          SetMIDIPacketListInitial4(model, newChannel, texts, m);
          break;
      }
      initializeStep_ = step;
      mExclusiveInitializeCompleted = false;
      SendAndWait(source, destination, m, false);
      if (!mExclusiveInitializeCompleted)
        throw NRXIfNotException("mExclusiveInitializeCompleted", nullptr);
    }
  } catch (...) {
    ChangeExclusiveMode(model, source, destination, newChannel, 0);
    throw;
  }
}

void TalvikHostMIDIManager::DisableAfterFailure(SourceData* sd) {
  for (auto& slot : slots_) {
    if (slot.mSourceData != sd || !slot.enabled) continue;
    slot.enabled = false;
    // Its second port was connected by the set-up; the slot's own
    // connection stays until the slot lets go of the source.
    if (sd->mTAVOExclusiveData && sd->mTAVOExclusiveData->sourceAfter)
      inputPort_->Disconnect(sd->mTAVOExclusiveData->sourceAfter);
    try {
      if (component_) component_->ControllerDetached(sd->endpoint);
    } catch (...) {
    }
  }
}

void TalvikHostMIDIManager::SetCombiMIDIChannel_talvikvstinterface1(int channel) {
  if (std::this_thread::get_id() != mainThread_) {
    // Its handshakes belong to the main thread: the next Idle runs them.
    NRXStMutexLock b(lockB_);
    pendingCombiChannel_ = channel;
    return;
  }
  ApplyCombiMIDIChannel(channel);
}

void TalvikHostMIDIManager::ApplyCombiMIDIChannel(int channel) {
  LockA a(*this);
  std::exception_ptr first;
  for (auto& s : sources_) {
    SourceData* sd = s.get();
    if (!IsExclusiveType(sd->type) || !sd->mTAVOExclusiveData) continue;
    // Only controllers that were set up in a slot are in exclusive mode and
    // on a channel the host knows.
    const bool inUse = std::any_of(std::begin(slots_), std::end(slots_), [sd](const SlotData& sl) {
      return sl.mSourceData == sd && sl.enabled;
    });
    if (!inUse) continue;
    ExclusiveData& ex = *sd->mTAVOExclusiveData;
    if (ex.channel == channel) continue;
    const int old = ex.channel;
    ex.channel = channel;
    secondFamily_ = sd->type == kSecondFamilyExclusive;
    try {
      ExclusiveInitialize(ModelOf(sd->type), sd->endpoint, ex.destination, old, channel);
    } catch (...) {
      DisableAfterFailure(sd);
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

// ------------------------------------------------------------------ idle --

void TalvikHostMIDIManager::Idle() {
  ReleaseDisconnectedPorts();  // no lock is held yet
  LockA a(*this);
  std::deque<LedRequest> leds, ondrix;
  std::deque<LcdRequest> lcds;
  int combi;
  {
    NRXStMutexLock b(lockB_);
    leds.swap(ledQueue_);
    lcds.swap(lcdQueue_);
    ondrix.swap(ondrixQueue_);
    combi = pendingCombiChannel_;
    pendingCombiChannel_ = -1;
  }
  // A failed send drops the rest of its queue (its destination is most
  // likely gone) and the other queues still go out; the first failure is
  // reported.
  std::exception_ptr first;
  auto attempt = [&first](const std::function<void()>& fn) {
    try {
      fn();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  };
  attempt([&] {
    for (const LedRequest& r : leds)
      SendToAddressed(r.port, false, [&](const SourceData& sd, TalvikMessage& m) {
        SetMIDIPacketListLED(ModelOf(sd.type), sd.mTAVOExclusiveData->channel, r.id, r.state,
                             r.value, m);
      });
  });
  attempt([&] {
    for (const LcdRequest& r : lcds)
      SendToAddressed(r.port, false, [&](const SourceData& sd, TalvikMessage& m) {
        SetMIDIPacketListDispLCD(ModelOf(sd.type), sd.mTAVOExclusiveData->channel, r.colour,
                                 r.line, r.text, m);
      });
  });
  attempt([&] {
    for (const LedRequest& r : ondrix)
      SendToAddressed(r.port, true, [&](const SourceData&, TalvikMessage& m) {
        SetMIDIPacketListOndrixLED(r.id, r.state, r.value, m);
      });
  });
  if (combi >= 0) attempt([&] { ApplyCombiMIDIChannel(combi); });
  if (first) std::rethrow_exception(first);
}

void TalvikHostMIDIManager::SendToAddressed(
    int port, bool ondrix, const std::function<void(const SourceData&, TalvikMessage&)>& build) {
  for (auto& slot : slots_) {
    SourceData* sd = slot.mSourceData;
    if (!sd || sd->endpoint != static_cast<Endpoint>(port) || !slot.enabled) continue;
    if (ondrix ? sd->type != kOndrix : !IsExclusiveType(sd->type)) continue;
    if (!sd->mTAVOExclusiveData)
      throw NRXNullException("slotData.mSourceData->mTAVOExclusiveData", nullptr);
    TalvikMessage m;
    build(*sd, m);
    Send(sd->mTAVOExclusiveData->destination, m);
  }
}

void TalvikHostMIDIManager::SetLed_talvikvstinterface1(int port, LED_ID id, LED_STATE state,
                                                       int value) {
  NRXStMutexLock b(lockB_);
  if (ledQueue_.size() >= kRequestQueueLimit) ledQueue_.pop_front();
  ledQueue_.push_back({port, TalvikController::MapLedId(id), TalvikController::MapLedState(state),
                       value});
}

void TalvikHostMIDIManager::SetLcd_talvikvstinterface1(int port, LCD_ID id, LCD_COLOR colour,
                                                       unsigned char* text) {
  LcdRequest r{port, TalvikController::MapLcdLine(id), static_cast<int>(colour), {}};
  for (int i = 0; i < 8; ++i) r.text[i] = text ? text[i] : ' ';
  NRXStMutexLock b(lockB_);
  if (lcdQueue_.size() >= kRequestQueueLimit) lcdQueue_.pop_front();
  lcdQueue_.push_back(r);
}

void TalvikHostMIDIManager::SetLedOndr_talvikvstinterface1(int port, LED_ONDR_ID id,
                                                           LED_STATE state, int value) {
  NRXStMutexLock b(lockB_);
  if (ondrixQueue_.size() >= kRequestQueueLimit) ondrixQueue_.pop_front();
  ondrixQueue_.push_back({port, static_cast<int>(id), TalvikController::MapLedState(state), value});
}

void TalvikHostMIDIManager::GetCpuCost_talvikvstinterface1(bool* processing, double* load,
                                                           bool* reserved1, double* reserved2,
                                                           bool* reserved3) {
  const CpuLoadProbe probe = g_cpuLoadProbe;
  if (processing) *processing = probe.isProcessing ? probe.isProcessing() : false;
  if (load) {
    float l = 0.0f;
    if (!probe.getLoad || probe.getLoad(&l) == 0) l = 0.0f;
    *load = static_cast<double>(l) * 100.0;
  }
  if (reserved1) *reserved1 = false;
  if (reserved2) *reserved2 = 0.0;
  if (reserved3) *reserved3 = false;
}

size_t TalvikHostMIDIManager::QueuedRequests() {
  NRXStMutexLock b(lockB_);
  return ledQueue_.size() + lcdQueue_.size() + ondrixQueue_.size();
}

void TalvikHostMIDIManager::HandleBankOpen() {
  if (component_) component_->BankOpen();
}
void TalvikHostMIDIManager::HandleBankSaveAs() {
  if (component_) component_->BankSaveAs();
}
void TalvikHostMIDIManager::HandlePresetImport() {
  if (component_) component_->PresetImport();
}
void TalvikHostMIDIManager::HandlePresetExport() {
  if (component_) component_->PresetExport();
}
void TalvikHostMIDIManager::SetKnobMode(int mode) {
  if (component_) component_->SetKnobMode(mode);
}

// ------------------------------------------------------------ render side --

void TalvikHostMIDIManager::SetSampleRateAndBufferFrameSize(double rate, unsigned long frames) {
  sampleRate_.store(rate, std::memory_order_relaxed);
  frames_.store(static_cast<uint32_t>(frames), std::memory_order_relaxed);
}

void TalvikHostMIDIManager::InProcess(const HostAudioTimeStamp* ts) {
  if (ts && (ts->flags & HostAudioTimeStamp::kHostTimeValid))
    renderTimeNs_.store(ts->hostTimeNs, std::memory_order_release);
}

uint32_t TalvikHostMIDIManager::CalcMIDISampleOffset(uint64_t hostTimeNs) const {
  const uint64_t render = renderTimeNs_.load(std::memory_order_acquire);
  if (render == 0) return 0;
  const double rate = sampleRate_.load(std::memory_order_relaxed);
  const uint32_t frames = frames_.load(std::memory_order_relaxed);
  const double delta = static_cast<double>(static_cast<int64_t>(hostTimeNs - render));
  const double offset = std::trunc(rate * delta / 1e9 + 0.5);
  if (!(offset > 0)) return 0;
  if (frames == 0) return 0;
  if (offset >= static_cast<double>(frames)) return frames - 1;
  return static_cast<uint32_t>(offset);
}

size_t TalvikHostMIDIManager::RingLength() {
  LockA a(*this);
  return ring_.mLength();
}

// ----------------------------------------------------------- MIDI input --

void TalvikHostMIDIManager::HandleMIDIPackets(const os::midi::PacketList* list, Endpoint source) {
  if (list) {
    LockA a(*this);
    for (size_t i = 0; i < list->size(); ++i) {
      const os::midi::Packet p = (*list)[i];
      size_t done = 0;
      // A packet longer than an entry goes in as several entries, cut before
      // a status byte where one is near, so that no short message is split.
      do {
        size_t n = std::min(p.length - done, MIDIPacketRingBuffer::kDataBytes);
        if (done + n < p.length) {
          size_t cut = n;
          while (cut > n - 3 && cut > 1 && p.data[done + cut] < 0x80) --cut;
          if (p.data[done + cut] >= 0x80) n = cut;
        }
        ring_.Push(p.timeUs * 1000, p.data + done, n, source);
        if (!probing_) Forward(ring_.LastAsList());
        done += n;
      } while (done < p.length);
    }
  }
  TryLockA t(*this);
  if (!t) return;  // the packets wait in the ring for a later pass
  while (ring_.mLength() > 0) {
    const MIDIPacketRingBuffer::Entry& e = ring_.Front();
    Assembly a;
    if (AssemblyFor(e.source, a))
      for (uint16_t i = 0; i < e.length; ++i) {
        const int n = a.assembler->Feed(e.data[i]);
        if (n == 0) continue;
        try {
          HandleExclusiveMessage(a.assembler->buffer(), n, e.source, a.probe);
        } catch (...) {
        }
      }
    ring_.Pop();
  }
}

void TalvikHostMIDIManager::Forward(const MIDIPacketRingBuffer::Entry& e) {
  if (!unit_) return;
  const uint32_t offset = CalcMIDISampleOffset(e.timeStampNs);
  const size_t n = e.length;
  size_t i = 0;
  while (i < n) {
    const uint8_t b = e.data[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    if (b == 0xF0) {
      // System-exclusive is never played as short events: skip it through
      // its F7 (or up to whatever status cut it short).
      ++i;
      while (i < n && e.data[i] < 0x80) ++i;
      if (i < n && e.data[i] == 0xF7) ++i;
      continue;
    }
    if (b == 0xF7) {
      ++i;
      continue;
    }
    const uint8_t d1 = i + 1 < n ? e.data[i + 1] : 0;
    const uint8_t d2 = i + 2 < n ? e.data[i + 2] : 0;
    unit_->MIDIEvent(b, d1, d2, offset);
    i += ForwardLength(b);
  }
}

bool TalvikHostMIDIManager::AssemblyFor(Endpoint source, Assembly& out) {
  if (probing_) {
    for (auto& rec : probeList_) {
      if (rec->index < 0 || sources_[static_cast<size_t>(rec->index)]->endpoint != source)
        continue;
      out = {&rec->assembly, rec.get()};
      return true;
    }
    return false;
  }
  for (int s = TalvikHostMIDIManager_MIDIReveiveSlotCount - 1; s >= 0; --s) {
    SlotData& slot = slots_[s];
    if (slot.mSourceData && slot.mSourceData->endpoint == source && slot.enabled) {
      out = {&slot.assembly, nullptr};
      return true;
    }
  }
  return false;
}

void TalvikHostMIDIManager::HandleExclusiveMessage(const uint8_t* m, int len, Endpoint source,
                                                   FindExData* probe) {
  if (m[1] == 0x7E) {
    HandleIdentityReply(m, len);
    return;
  }
  if (!MakerHeader(m, len) || HandleHandshakeReply(m, len, source, probe)) return;
  if (len == 9 && component_)
    HandleControllerEvent(m[5] & 0x1F, len > 6 ? m[6] : 0, len > 7 ? m[7] : 0, source);
}

void TalvikHostMIDIManager::WakeWaiter() {
  waiting_.store(false);
  os::Monitor::Hold lock(replyMonitor_.mutex());
  replyMonitor_.NotifyAll();
}

void TalvikHostMIDIManager::HandleIdentityReply(const uint8_t* m, int len) {
  static const uint8_t kIdentity[] = {0x06, 0x02, 0x42, 0x6E, 0x00};
  if (waiting_.load() && len == 15 && std::equal(kIdentity, kIdentity + 5, m + 3) &&
      (m[8] == 0x00 || m[8] == 0x02) && m[9] == 0x00) {
    mDeviceInquiryGlobalMIDIChannel = m[2] & 0x0F;
    WakeWaiter();
  }
}

bool TalvikHostMIDIManager::HandleHandshakeReply(const uint8_t* m, int len, Endpoint source,
                                                 FindExData* probe) {
  switch (m[5] & 0x1F) {
    case 0x00:
      if (source == awaitedSource_ && len == 9 && m[7] == (requestedMode_ ? 3 : 2)) {
        mChangeExclusiveModeCompleted = true;
        WakeWaiter();
      }
      return true;
    case 0x1F:
      if (waiting_.load() && source == awaitedSource_ && len == 9 && m[6] == initializeStep_) {
        mExclusiveInitializeCompleted = m[7] == 0;
        WakeWaiter();
      }
      return true;
    case 0x1E:
      if (waiting_.load() && probe && len == 13 && m[6] == 0x05) NoteProbeReply(m, *probe);
      return true;
    default:
      return false;
  }
}

void TalvikHostMIDIManager::NoteProbeReply(const uint8_t* m, FindExData& probe) {
  const int model = m[4];
  SourceData* sd = sources_[static_cast<size_t>(probe.index)].get();
  const bool ports = m[8] == 0x03 && m[9] == 0x02 && m[10] == 0x02 && m[11] == 0x02;
  if ((model == TalvikController::kModelFirstFamily ||
       model == TalvikController::kModelSecondFamily) &&
      ports) {
    sd->type = model == TalvikController::kModelFirstFamily ? kFirstFamilyExclusive
                                                            : kSecondFamilyExclusive;
    probe.destination = probedEndpoint_;
  } else if (model == TalvikController::kModelOndrix) {
    sd->type = kOndrix;
    probe.destination = probedEndpoint_;
  }
}

void TalvikHostMIDIManager::HandleControllerEvent(int f, int a, int b, Endpoint source) {
  switch (f) {
    case 3: {
      static const int kIds[] = {1, 2, 3, 4, 5, 6, 7, 8, 0};
      const int id = a <= 8 ? kIds[a] : 0;
      const int v7 = b & 0x7F;
      component_->ControllerMessage3(source, id, v7 >= 64 ? v7 - 128 : v7);
      break;
    }
    case 4:
      component_->ControllerMessage4(source, a, b & 0x7F);
      break;
    case 5:
      component_->ControllerMessage5(source, a & 0x0F, (a & 0x40) >> 6, b & 0x7F);
      break;
    case 6:
      component_->ControllerMessage6(source, a != 0, b);
      break;
    case 7:
      component_->ControllerMessage7(source, a != 0, b);
      break;
    case 8: {
      static const int kSecondIds[] = {0, 1, 2, 3, 4, 5, 6, 7, 9, 10};
      int id = 0;
      if (!secondFamily_ && a <= 8) id = a;
      if (secondFamily_ && a <= 9) id = kSecondIds[a];
      component_->ControllerMessage8(source, id, b != 0);
      break;
    }
    case 11:
      component_->ControllerMessage11(source, a & 0x7F, b & 0x7F);
      break;
    default:
      break;
  }
}

// ------------------------------------------------------------ clock sync --

void TalvikHostMIDIManager::MIDIClockSync_HandleMIDIPackets(const os::midi::PacketList& list) {
  bool measured = false;
  for (size_t i = 0; i < list.size(); ++i) {
    const os::midi::Packet p = list[i];
    for (size_t k = 0; k < p.length; ++k) {
      if (p.data[k] != 0xF8) continue;
      const uint64_t t = p.timeUs;
      // The first clock has nothing before it, and clocks that share a
      // time stamp say nothing about the tempo.
      if (lastClockUs_ != 0 && t > lastClockUs_) {
        intervals_[intervalIndex_] = t - lastClockUs_;
        intervalIndex_ = (intervalIndex_ + 1) % kClockIntervals;
        measured = true;
      }
      lastClockUs_ = t;
      if (unit_) unit_->MIDIEvent(0xF8, 0, 0, CalcMIDISampleOffset(t * 1000));
    }
  }
  if (!measured) return;
  int T = static_cast<int>(tempo_.load(std::memory_order_relaxed));
  if (T < 20) T = 20;
  const int k = T < 301 ? T - 20 : 280;
  const int n = k * 94 / 280 + 5;
  uint64_t sum = 0;
  int idx = intervalIndex_;
  for (int j = 0; j < n; ++j) {
    idx = idx == 0 ? kClockIntervals - 1 : idx - 1;
    sum += intervals_[idx];
  }
  const double mean = static_cast<double>(sum) / n;
  const int d = k * 9 / 280 + 1;
  smoothedInterval_ += (mean - smoothedInterval_) / d;
  double tempo = smoothedInterval_ > 0 ? std::floor(2'500'000.0 / smoothedInterval_ + 0.5)
                                       : kMaxTempo;
  tempo = std::clamp(tempo, kMinTempo, kMaxTempo);
  tempo_.store(tempo, std::memory_order_relaxed);
}

int32_t TalvikHostMIDIManager::MIDIClockSync_HostCallbacks_GetBeatAndTempoProc(void* userData,
                                                                              double* beat,
                                                                              double* tempo) {
  auto* self = static_cast<TalvikHostMIDIManager*>(userData);
  if (beat) *beat = 0.0;
  if (tempo) *tempo = self ? self->Tempo() : 120.0;
  return 0;
}
