#include "os/midi/VirtualBus.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <map>
#include <mutex>
#include <set>

#include "os/Clock.h"
#include "os/ErrorReport.h"
#include "os/Lock.h"
#include "os/Monitor.h"
#include "os/midi/DeliveryThread.h"
#include "os/midi/EndpointUniqueId.h"
#include "os/midi/PacketSplitter.h"

namespace os::midi {
namespace {

using Packets = std::vector<std::vector<uint8_t>>;

// What one send or emission puts on a wire: packet lists in order. A SysEx
// send also names itself so its completion can be reported.
struct Transmission {
  std::vector<Packets> lists;
  size_t next = 0;
  SysexId sysex = 0;
};

struct WireState {
  uint64_t id = 0;
  VirtualBus::Wire settings;
  uint64_t freeAt = 0;    // when the last byte put on the wire has gone
  bool stepping = false;  // a step is posted
  std::deque<std::shared_ptr<Transmission>> fifo;
};

uint64_t WireTimeUs(const VirtualBus::Wire& w, size_t bytes) {
  if (w.bytesPerSecond == 0) return 0;
  return (static_cast<uint64_t>(bytes) * 1'000'000u + w.bytesPerSecond - 1) / w.bytesPerSecond;
}

}  // namespace

struct VirtualBus::Device::State {
  DeviceDesc desc;
  bool plugged = true;  // under the core's mutex
  WireState up;         // device -> host
  WireState down;       // host -> device
  // The received log and the receiver are under the monitor, so tests can
  // wait for arrivals.
  Monitor monitor;
  std::vector<Received> received;
  size_t receivedBytes = 0;
  std::function<void(const Received&)> receiver;
  int delivering = 0;
};

struct VirtualBus::Core : std::enable_shared_from_this<Core> {
  struct InPort {
    uint64_t client;
    ReadProc proc;
    std::set<EndpointId> sources;
  };
  struct Send {
    uint64_t client;
    std::shared_ptr<Device> device;
    std::shared_ptr<Transmission> tx;
    SysexDone done;
  };

  os::Lock m;  // taken before a delivery thread's monitor, never after
  bool shut = false;
  uint64_t nextId = 1;              // wires, ports, clients, sends: one space of tags
  EndpointId nextEndpoint = 0x00A0'0001;
  std::vector<std::shared_ptr<Device>> devices;  // plugged, in order
  std::set<uint64_t> clients;
  std::map<uint64_t, InPort> inPorts;
  std::map<SysexId, Send> sends;
  std::atomic<uint64_t> late{0};  // late cycles noted
  DeliveryThread up;    // to read procedures
  DeliveryThread down;  // to devices, and SysEx completions

  std::shared_ptr<Device> FindLocked(EndpointId id, bool source) {
    if (id == 0) return nullptr;
    for (auto& d : devices)
      if ((source ? d->source_ : d->destination_) == id) return d;
    return nullptr;
  }

  DeliveryThread& ThreadFor(bool toHost) { return toHost ? up : down; }

  void EnqueueLocked(const std::shared_ptr<Device>& dev, bool toHost,
                     std::shared_ptr<Transmission> tx) {
    WireState& w = toHost ? dev->state_->up : dev->state_->down;
    w.fifo.push_back(std::move(tx));
    KickLocked(dev, toHost);
  }

  void KickLocked(const std::shared_ptr<Device>& dev, bool toHost) {
    WireState& w = toHost ? dev->state_->up : dev->state_->down;
    if (w.stepping || w.fifo.empty()) return;
    w.stepping = true;
    ThreadFor(toHost).Post(std::max(NowUs(), w.freeAt), w.id, 0,
                           [self = shared_from_this(), dev, toHost] { self->Step(dev, toHost); });
  }

  // Moves the next packet list of a wire across it and posts its arrival.
  void Step(const std::shared_ptr<Device>& dev, bool toHost) {
    std::lock_guard<os::Lock> g(m);
    Device::State& st = *dev->state_;
    WireState& w = toHost ? st.up : st.down;
    w.stepping = false;
    if (shut || !st.plugged || w.fifo.empty()) return;
    std::shared_ptr<Transmission> tx = w.fifo.front();
    const Packets& list = tx->lists[tx->next++];
    uint64_t t = std::max(NowUs(), w.freeAt);
    const uint64_t latency = w.settings.latencyUs;
    PacketList packets;
    std::vector<Received> arrived;
    for (const auto& p : list) {
      t += WireTimeUs(w.settings, p.size());
      if (toHost)
        packets.Add(t + latency, p.data(), p.size());
      else
        arrived.push_back({t + latency, p});
    }
    w.freeAt = t;
    const uint64_t at = t + latency;
    if (toHost) {
      for (auto& [id, port] : inPorts) {
        if (!port.sources.count(dev->source_)) continue;
        up.Post(at, w.id, id,
                [self = shared_from_this(), id = id, packets] { self->DeliverToPort(id, packets); });
      }
    } else {
      down.Post(at, w.id, tx->sysex,
                [dev, arrived = std::move(arrived)] { DeliverToDevice(*dev, arrived); });
    }
    if (tx->next >= tx->lists.size()) {
      w.fifo.pop_front();
      if (tx->sysex)
        down.Post(at, w.id, tx->sysex,
                  [self = shared_from_this(), id = tx->sysex] { self->CompleteSysex(id, kOk); });
    }
    KickLocked(dev, toHost);
  }

  void DeliverToPort(uint64_t id, const PacketList& packets) {
    ReadProc proc;
    {
      std::lock_guard<os::Lock> g(m);
      auto it = inPorts.find(id);
      if (it == inPorts.end()) return;
      proc = it->second.proc;
    }
    if (proc) proc(packets);
  }

  static void DeliverToDevice(Device& dev, const std::vector<Received>& arrived) {
    Device::State& st = *dev.state_;
    std::function<void(const Received&)> receiver;
    {
      Monitor::Hold lock(st.monitor.mutex());
      for (const auto& r : arrived) {
        st.received.push_back(r);
        st.receivedBytes += r.bytes.size();
      }
      receiver = st.receiver;
      ++st.delivering;
      st.monitor.NotifyAll();
    }
    try {
      if (receiver)
        for (const auto& r : arrived) receiver(r);
    } catch (...) {
      // A receiver's fault must not end the delivery.
      os::ReportCaughtException("VirtualBus delivery to a receiver");
    }
    Monitor::Hold lock(st.monitor.mutex());
    --st.delivering;
    st.monitor.NotifyAll();
  }

  void CompleteSysex(SysexId id, Status status) {
    SysexDone done;
    {
      std::lock_guard<os::Lock> g(m);
      auto it = sends.find(id);
      if (it == sends.end()) return;  // withdrawn, or failed already
      done = std::move(it->second.done);
      sends.erase(it);
    }
    if (done) done(status);
  }

  // Puts a SysEx send on the wire, cut at the wire's packet size.
  SysexId AddSendLocked(uint64_t client, const std::shared_ptr<Device>& dev, const uint8_t* p,
                        size_t length, SysexDone done) {
    auto tx = std::make_shared<Transmission>();
    const size_t chunk = std::max<size_t>(dev->state_->down.settings.maxPacketBytes, 1);
    for (size_t pos = 0; pos < length; pos += chunk) {
      const size_t n = std::min(chunk, length - pos);
      tx->lists.push_back({std::vector<uint8_t>(p + pos, p + pos + n)});
    }
    tx->sysex = nextId++;
    sends[tx->sysex] = {client, dev, tx, std::move(done)};
    EnqueueLocked(dev, false, tx);
    return tx->sysex;
  }

  // Takes a send off its wire; its completion is then never reported.
  void WithdrawLocked(std::map<SysexId, Send>::iterator it) {
    auto& fifo = it->second.device->state_->down.fifo;
    fifo.erase(std::remove(fifo.begin(), fifo.end(), it->second.tx), fifo.end());
    sends.erase(it);
  }

  void Unplug(const std::shared_ptr<Device>& dev) {
    std::vector<SysexId> failed;
    uint64_t upId, downId;
    {
      std::lock_guard<os::Lock> g(m);
      Device::State& st = *dev->state_;
      if (!st.plugged) return;
      st.plugged = false;
      devices.erase(std::remove(devices.begin(), devices.end(), dev), devices.end());
      st.up.fifo.clear();
      st.down.fifo.clear();
      for (auto& [id, send] : sends)
        if (send.device == dev) failed.push_back(id);
      upId = st.up.id;
      downId = st.down.id;
    }
    up.Cancel(upId);
    down.Cancel(downId);
    // Reported from the system's thread, as any completion.
    for (SysexId id : failed)
      down.Post(NowUs(), 0, id,
                [self = shared_from_this(), id] { self->CompleteSysex(id, kErrEndpointGone); });
  }

  void DropClient(uint64_t client) {
    std::vector<uint64_t> ports, withdrawn;
    {
      std::lock_guard<os::Lock> g(m);
      clients.erase(client);
      for (auto it = inPorts.begin(); it != inPorts.end();) {
        if (it->second.client == client) {
          ports.push_back(it->first);
          it = inPorts.erase(it);
        } else {
          ++it;
        }
      }
      for (auto it = sends.begin(); it != sends.end();) {
        auto next = std::next(it);
        if (it->second.client == client) {
          withdrawn.push_back(it->first);
          WithdrawLocked(it);
        }
        it = next;
      }
    }
    for (uint64_t id : ports) up.Cancel(id);
    for (uint64_t id : withdrawn) down.Cancel(id);
  }

  void Shutdown() {
    std::vector<SysexDone> failed;
    {
      std::lock_guard<os::Lock> g(m);
      shut = true;
      for (auto& d : devices) d->state_->plugged = false;
      devices.clear();
      for (auto& [id, send] : sends) failed.push_back(std::move(send.done));
      sends.clear();
      inPorts.clear();
    }
    up.Stop();
    down.Stop();
    // The threads are gone; nobody may wait for these forever.
    for (auto& done : failed)
      if (done) done(kErrEndpointGone);
  }
};

namespace {

class VirtualInputPort : public InputPort {
 public:
  VirtualInputPort(std::shared_ptr<VirtualBus::Core> core, uint64_t id)
      : core_(std::move(core)), id_(id) {}
  ~VirtualInputPort() override {
    {
      std::lock_guard<os::Lock> g(core_->m);
      core_->inPorts.erase(id_);
    }
    core_->up.Cancel(id_);
  }
  Status ConnectSource(EndpointId source) override {
    std::lock_guard<os::Lock> g(core_->m);
    auto it = core_->inPorts.find(id_);
    if (it == core_->inPorts.end()) return kErrInvalidPort;
    if (!core_->FindLocked(source, true)) return kErrNoSuchEndpoint;
    it->second.sources.insert(source);
    return kOk;
  }

 private:
  std::shared_ptr<VirtualBus::Core> core_;
  uint64_t id_;
};

class VirtualOutputPort : public OutputPort {
 public:
  VirtualOutputPort(std::shared_ptr<VirtualBus::Core> core, uint64_t client)
      : core_(std::move(core)), client_(client) {}
  Status Send(EndpointId destination, const PacketList& packets) override {
    std::lock_guard<os::Lock> g(core_->m);
    if (!core_->clients.count(client_)) return kErrInvalidPort;
    auto dev = core_->FindLocked(destination, false);
    if (!dev) return kErrNoSuchEndpoint;
    if (packets.empty()) return kOk;
    auto tx = std::make_shared<Transmission>();
    for (size_t i = 0; i < packets.size(); ++i) {
      const Packet p = packets[i];
      tx->lists.push_back({std::vector<uint8_t>(p.data, p.data + p.length)});
    }
    core_->EnqueueLocked(dev, false, std::move(tx));
    return kOk;
  }

 private:
  std::shared_ptr<VirtualBus::Core> core_;
  uint64_t client_;
};

class VirtualClient : public Client {
 public:
  VirtualClient(std::shared_ptr<VirtualBus::Core> core, uint64_t id)
      : core_(std::move(core)), id_(id) {}
  ~VirtualClient() override { core_->DropClient(id_); }

  Status CreateInputPort(const std::string&, ReadProc read,
                         std::unique_ptr<InputPort>* port) override {
    if (!port) return kErrBadArgument;
    std::lock_guard<os::Lock> g(core_->m);
    if (core_->shut) return kErrNoService;
    const uint64_t id = core_->nextId++;
    core_->inPorts[id] = {id_, std::move(read), {}};
    *port = std::make_unique<VirtualInputPort>(core_, id);
    return kOk;
  }

  Status CreateOutputPort(const std::string&, std::unique_ptr<OutputPort>* port) override {
    if (!port) return kErrBadArgument;
    *port = std::make_unique<VirtualOutputPort>(core_, id_);
    return kOk;
  }

  Status SendSysex(EndpointId destination, const void* data, size_t length, SysexDone done,
                   SysexId* id) override {
    if (!data || length == 0 || !id) return kErrBadArgument;
    std::lock_guard<os::Lock> g(core_->m);
    if (!core_->clients.count(id_)) return kErrInvalidPort;
    auto dev = core_->FindLocked(destination, false);
    if (!dev) return kErrNoSuchEndpoint;
    *id = core_->AddSendLocked(id_, dev, static_cast<const uint8_t*>(data), length,
                               std::move(done));
    return kOk;
  }

  void CancelSysex(SysexId id) override {
    {
      std::lock_guard<os::Lock> g(core_->m);
      auto it = core_->sends.find(id);
      if (it != core_->sends.end() && it->second.client == id_) core_->WithdrawLocked(it);
    }
    core_->down.Cancel(id);
  }

 private:
  std::shared_ptr<VirtualBus::Core> core_;
  uint64_t id_;
};

}  // namespace

VirtualBus::VirtualBus() : core_(std::make_shared<Core>()) {
  core_->up.Start();
  core_->down.Start();
}

VirtualBus::~VirtualBus() {
  System::Uninstall(this);
  core_->Shutdown();
}

uint64_t VirtualBus::LateCycles() { return core_->late.load(); }

void VirtualBus::NoteLateCycle() { core_->late.fetch_add(1); }

std::shared_ptr<VirtualBus::Device> VirtualBus::AddDevice(const DeviceDesc& desc) {
  std::shared_ptr<Device> dev(new Device);
  dev->core_ = core_;
  dev->state_ = std::make_unique<Device::State>();
  Device::State& st = *dev->state_;
  st.desc = desc;
  st.up.settings = desc.toHost;
  st.down.settings = desc.toDevice;
  std::lock_guard<os::Lock> g(core_->m);
  dev->source_ = core_->nextEndpoint++;
  dev->destination_ = core_->nextEndpoint++;
  st.up.id = core_->nextId++;
  st.down.id = core_->nextId++;
  if (core_->shut)
    st.plugged = false;
  else
    core_->devices.push_back(dev);
  return dev;
}

size_t VirtualBus::SourceCount() {
  std::lock_guard<os::Lock> g(core_->m);
  return core_->devices.size();
}

EndpointId VirtualBus::Source(size_t index) {
  std::lock_guard<os::Lock> g(core_->m);
  return index < core_->devices.size() ? core_->devices[index]->source_ : 0;
}

size_t VirtualBus::DestinationCount() { return SourceCount(); }

EndpointId VirtualBus::Destination(size_t index) {
  std::lock_guard<os::Lock> g(core_->m);
  return index < core_->devices.size() ? core_->devices[index]->destination_ : 0;
}

Status VirtualBus::GetProperty(EndpointId endpoint, Property property, std::string* value) {
  if (!value) return kErrBadArgument;
  std::lock_guard<os::Lock> g(core_->m);
  bool isSource = true;
  auto dev = core_->FindLocked(endpoint, true);
  if (!dev) {
    dev = core_->FindLocked(endpoint, false);
    isSource = false;
  }
  if (!dev) return kErrNoSuchEndpoint;
  const DeviceDesc& s = dev->state_->desc;
  switch (property) {
    case Property::kName:
      *value = isSource ? s.sourceName : s.destinationName;
      return kOk;
    case Property::kManufacturer:
      if (!s.manufacturer) return kErrNoProperty;
      *value = *s.manufacturer;
      return kOk;
    case Property::kModel:
      if (!s.model) return kErrNoProperty;
      *value = *s.model;
      return kOk;
    case Property::kDeviceName:
      if (!s.hasDevice) return kErrNoDevice;
      *value = s.deviceName;
      return kOk;
    case Property::kUniqueId:
      *value = EndpointUniqueId::Text(EndpointUniqueId::Of(
          "virtual", s.deviceName, isSource ? s.sourceName : s.destinationName, isSource));
      return kOk;
  }
  return kErrNoProperty;
}

Status VirtualBus::CreateClient(const std::string&, std::unique_ptr<Client>* client) {
  if (!client) return kErrBadArgument;
  std::lock_guard<os::Lock> g(core_->m);
  if (core_->shut) return kErrNoService;
  const uint64_t id = core_->nextId++;
  core_->clients.insert(id);
  *client = std::make_unique<VirtualClient>(core_, id);
  return kOk;
}

VirtualBus::Device::~Device() = default;

bool VirtualBus::Device::plugged() const {
  std::lock_guard<os::Lock> g(core_->m);
  return state_->plugged;
}

void VirtualBus::Device::Emit(const void* data, size_t length) {
  if (!data || length == 0) return;
  const Wire& w = state_->up.settings;
  const PacketSplitter splitter(w.maxPacketBytes, w.groupMessages);
  Packets packets = splitter.Split(static_cast<const uint8_t*>(data), length);
  auto tx = std::make_shared<Transmission>();
  const size_t perList = std::max<size_t>(w.packetsPerList, 1);
  for (size_t i = 0; i < packets.size(); i += perList) {
    const size_t end = std::min(packets.size(), i + perList);
    tx->lists.emplace_back(std::make_move_iterator(packets.begin() + i),
                           std::make_move_iterator(packets.begin() + end));
  }
  std::lock_guard<os::Lock> g(core_->m);
  if (!state_->plugged) return;
  core_->EnqueueLocked(shared_from_this(), true, std::move(tx));
}

void VirtualBus::Device::EmitList(const std::vector<std::vector<uint8_t>>& packets) {
  if (packets.empty()) return;
  auto tx = std::make_shared<Transmission>();
  tx->lists.push_back(packets);
  std::lock_guard<os::Lock> g(core_->m);
  if (!state_->plugged) return;
  core_->EnqueueLocked(shared_from_this(), true, std::move(tx));
}

void VirtualBus::Device::SetReceiver(std::function<void(const Received&)> receiver) {
  Device::State& st = *state_;
  // Asked first: under a virtual clock every monitor shares one mutex.
  const bool fromDelivery = core_->down.IsCurrent();
  Monitor::Hold lock(st.monitor.mutex());
  st.receiver = std::move(receiver);
  if (!fromDelivery) st.monitor.Wait(lock, [&] { return st.delivering == 0; });
}

std::vector<VirtualBus::Received> VirtualBus::Device::ReceivedPackets() const {
  Monitor::Hold lock(state_->monitor.mutex());
  return state_->received;
}

std::vector<uint8_t> VirtualBus::Device::ReceivedBytes() const {
  Monitor::Hold lock(state_->monitor.mutex());
  std::vector<uint8_t> out;
  for (const auto& r : state_->received) out.insert(out.end(), r.bytes.begin(), r.bytes.end());
  return out;
}

bool VirtualBus::Device::WaitReceivedBytes(size_t count, uint64_t timeoutMs) const {
  Monitor::Hold lock(state_->monitor.mutex());
  return state_->monitor.WaitFor(lock, timeoutMs,
                                 [&] { return state_->receivedBytes >= count; });
}

void VirtualBus::Device::Unplug() {
  std::shared_ptr<Device> self;
  {
    std::lock_guard<os::Lock> g(core_->m);
    if (!state_->plugged) return;
    self = shared_from_this();
  }
  core_->Unplug(self);
}

}  // namespace os::midi
