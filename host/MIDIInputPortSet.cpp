#include "host/MIDIInputPortSet.h"

MIDIInputPortSet::MIDIInputPortSet(os::midi::Client* client, std::string name, Read read)
    : client_(client), name_(std::move(name)), read_(std::make_shared<Read>(std::move(read))) {}

MIDIInputPortSet::~MIDIInputPortSet() {
  for (auto& [source, c] : connections_) {
    c.live->store(false);
    c.port.reset();
  }
  silenced_.clear();
}

os::midi::Status MIDIInputPortSet::Connect(Endpoint source) {
  auto it = connections_.find(source);
  if (it != connections_.end()) {
    ++it->second.count;
    return os::midi::kOk;
  }
  if (!client_) return os::midi::kErrInvalidPort;
  auto live = std::make_shared<std::atomic<bool>>(true);
  std::unique_ptr<os::midi::InputPort> port;
  os::midi::Status st = client_->CreateInputPort(
      name_,
      [live, read = read_, source](const os::midi::PacketList& list) {
        if (live->load(std::memory_order_acquire)) (*read)(list, source);
      },
      &port);
  if (st != os::midi::kOk) return st;
  st = port->ConnectSource(source);
  if (st != os::midi::kOk) {
    live->store(false);
    silenced_.push_back(std::move(port));
    return st;
  }
  connections_[source] = Connection{1, std::move(live), std::move(port)};
  return os::midi::kOk;
}

os::midi::Status MIDIInputPortSet::Disconnect(Endpoint source) {
  auto it = connections_.find(source);
  if (it == connections_.end()) return os::midi::kErrNoSuchEndpoint;
  if (--it->second.count > 0) return os::midi::kOk;
  it->second.live->store(false, std::memory_order_release);
  silenced_.push_back(std::move(it->second.port));
  connections_.erase(it);
  return os::midi::kOk;
}

bool MIDIInputPortSet::IsConnected(Endpoint source) const { return connections_.count(source) != 0; }

void MIDIInputPortSet::ReleaseDisconnected() {
  auto ports = std::move(silenced_);
  silenced_.clear();
  ports.clear();
}
