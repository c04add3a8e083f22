#include "os/midi/CombinedSystem.h"

#include <mutex>

#include "os/Lock.h"

namespace os::midi {
namespace {

constexpr unsigned kShift = 28;
constexpr EndpointId kInnerMask = (EndpointId(1) << kShift) - 1;
constexpr size_t kMaxBackends = 15;

// The backend clients of one client of the combination. Ports keep it, so a
// port that outlives its client fails instead of reaching freed memory.
struct ClientSet {
  os::Lock m;
  bool gone = false;
  std::vector<std::unique_ptr<Client>> clients;  // null where a backend refused
};

class CombinedInputPort : public InputPort {
 public:
  CombinedInputPort(std::shared_ptr<ClientSet> set, std::string name, ReadProc read)
      : set_(std::move(set)), name_(std::move(name)), read_(std::move(read)) {
    ports_.resize(set_->clients.size());
  }
  ~CombinedInputPort() override {
    std::vector<std::unique_ptr<InputPort>> ports;
    {
      std::lock_guard<os::Lock> g(set_->m);
      ports.swap(ports_);
    }
    // Destroyed without the lock: each waits for a read in progress.
    ports.clear();
  }

  Status ConnectSource(EndpointId source) override {
    size_t b;
    EndpointId inner;
    if (!CombinedSystem::Split(source, &b, &inner)) return kErrNoSuchEndpoint;
    std::lock_guard<os::Lock> g(set_->m);
    if (set_->gone) return kErrInvalidPort;
    if (b >= set_->clients.size() || !set_->clients[b]) return kErrNoSuchEndpoint;
    if (!ports_[b]) {
      const Status s = set_->clients[b]->CreateInputPort(name_, read_, &ports_[b]);
      if (s != kOk) return s;
    }
    return ports_[b]->ConnectSource(inner);
  }

 private:
  std::shared_ptr<ClientSet> set_;
  std::string name_;
  ReadProc read_;
  std::vector<std::unique_ptr<InputPort>> ports_;  // under set_->m
};

class CombinedOutputPort : public OutputPort {
 public:
  CombinedOutputPort(std::shared_ptr<ClientSet> set, std::string name)
      : set_(std::move(set)), name_(std::move(name)) {
    ports_.resize(set_->clients.size());
  }
  ~CombinedOutputPort() override {
    std::vector<std::unique_ptr<OutputPort>> ports;
    {
      std::lock_guard<os::Lock> g(set_->m);
      ports.swap(ports_);
    }
  }

  Status Send(EndpointId destination, const PacketList& packets) override {
    size_t b;
    EndpointId inner;
    if (!CombinedSystem::Split(destination, &b, &inner)) return kErrNoSuchEndpoint;
    std::lock_guard<os::Lock> g(set_->m);
    if (set_->gone) return kErrInvalidPort;
    if (b >= set_->clients.size() || !set_->clients[b]) return kErrNoSuchEndpoint;
    if (!ports_[b]) {
      const Status s = set_->clients[b]->CreateOutputPort(name_, &ports_[b]);
      if (s != kOk) return s;
    }
    return ports_[b]->Send(inner, packets);
  }

 private:
  std::shared_ptr<ClientSet> set_;
  std::string name_;
  std::vector<std::unique_ptr<OutputPort>> ports_;
};

// SysEx ids of the combination carry the backend in their top bits.
constexpr unsigned kSysexShift = 56;

class CombinedClient : public Client {
 public:
  explicit CombinedClient(std::shared_ptr<ClientSet> set) : set_(std::move(set)) {}
  ~CombinedClient() override {
    std::vector<std::unique_ptr<Client>> clients;
    {
      std::lock_guard<os::Lock> g(set_->m);
      set_->gone = true;
      clients.swap(set_->clients);
    }
    clients.clear();
  }

  Status CreateInputPort(const std::string& name, ReadProc read,
                         std::unique_ptr<InputPort>* port) override {
    if (!port) return kErrBadArgument;
    *port = std::make_unique<CombinedInputPort>(set_, name, std::move(read));
    return kOk;
  }

  Status CreateOutputPort(const std::string& name, std::unique_ptr<OutputPort>* port) override {
    if (!port) return kErrBadArgument;
    *port = std::make_unique<CombinedOutputPort>(set_, name);
    return kOk;
  }

  Status SendSysex(EndpointId destination, const void* data, size_t length, SysexDone done,
                   SysexId* id) override {
    if (!id) return kErrBadArgument;
    size_t b;
    EndpointId inner;
    if (!CombinedSystem::Split(destination, &b, &inner)) return kErrNoSuchEndpoint;
    std::lock_guard<os::Lock> g(set_->m);
    if (set_->gone) return kErrInvalidPort;
    if (b >= set_->clients.size() || !set_->clients[b]) return kErrNoSuchEndpoint;
    SysexId innerId = 0;
    const Status s = set_->clients[b]->SendSysex(inner, data, length, std::move(done), &innerId);
    if (s != kOk) return s;
    *id = (SysexId(b + 1) << kSysexShift) | (innerId & ((SysexId(1) << kSysexShift) - 1));
    return kOk;
  }

  void CancelSysex(SysexId id) override {
    const size_t b = static_cast<size_t>(id >> kSysexShift);
    if (b == 0) return;
    Client* client = nullptr;
    {
      std::lock_guard<os::Lock> g(set_->m);
      if (b - 1 < set_->clients.size()) client = set_->clients[b - 1].get();
    }
    // Without the lock: the backend may wait for a completion in progress,
    // and that completion may send again. The client stays alive, as this
    // object does while its owner calls it.
    if (client) client->CancelSysex(id & ((SysexId(1) << kSysexShift) - 1));
  }

 private:
  std::shared_ptr<ClientSet> set_;
};

}  // namespace

CombinedSystem::CombinedSystem(std::vector<std::unique_ptr<System>> backends) {
  for (auto& b : backends) {
    if (!b || backends_.size() >= kMaxBackends) continue;
    backends_.push_back(std::shared_ptr<System>(std::move(b)));
  }
}

CombinedSystem::~CombinedSystem() { System::Uninstall(this); }

bool CombinedSystem::Split(EndpointId combined, size_t* backend, EndpointId* inner) {
  const size_t b = combined >> kShift;
  if (b == 0 || (combined & kInnerMask) == 0) return false;
  *backend = b - 1;
  *inner = combined & kInnerMask;
  return true;
}

EndpointId CombinedSystem::Join(size_t backend, EndpointId inner) {
  if (backend >= kMaxBackends || inner == 0 || inner > kInnerMask) return 0;
  return (EndpointId(backend + 1) << kShift) | inner;
}

std::vector<EndpointId> CombinedSystem::List(bool sources) {
  std::vector<EndpointId> out;
  for (size_t b = 0; b < backends_.size(); ++b) {
    System& s = *backends_[b];
    const size_t n = sources ? s.SourceCount() : s.DestinationCount();
    for (size_t i = 0; i < n; ++i) {
      const EndpointId id = Join(b, sources ? s.Source(i) : s.Destination(i));
      if (id) out.push_back(id);
    }
  }
  return out;
}

size_t CombinedSystem::SourceCount() { return List(true).size(); }

EndpointId CombinedSystem::Source(size_t index) {
  const auto all = List(true);
  return index < all.size() ? all[index] : 0;
}

size_t CombinedSystem::DestinationCount() { return List(false).size(); }

EndpointId CombinedSystem::Destination(size_t index) {
  const auto all = List(false);
  return index < all.size() ? all[index] : 0;
}

Status CombinedSystem::GetProperty(EndpointId endpoint, Property property, std::string* value) {
  size_t b;
  EndpointId inner;
  if (!Split(endpoint, &b, &inner) || b >= backends_.size()) return kErrNoSuchEndpoint;
  return backends_[b]->GetProperty(inner, property, value);
}

Status CombinedSystem::CreateClient(const std::string& name, std::unique_ptr<Client>* client) {
  if (!client) return kErrBadArgument;
  auto set = std::make_shared<ClientSet>();
  bool any = false;
  for (auto& b : backends_) {
    std::unique_ptr<Client> c;
    if (b->CreateClient(name, &c) == kOk && c) any = true;
    set->clients.push_back(std::move(c));
  }
  if (!any) return kErrNoService;
  *client = std::make_unique<CombinedClient>(std::move(set));
  return kOk;
}

uint64_t CombinedSystem::LateCycles() {
  uint64_t n = 0;
  for (auto& b : backends_) n += b->LateCycles();
  return n;
}

}  // namespace os::midi
