#include "os/midi/alsa/AlsaSystem.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <deque>
#include <map>
#include <set>
#include <thread>
#include <vector>

#include "os/Clock.h"
#include "os/Monitor.h"
#include "os/midi/BackendCalls.h"
#include "os/midi/EndpointTable.h"
#include "os/midi/OutputPieces.h"
#include "os/midi/alsa/AlsaCardNames.h"
#include "os/midi/alsa/AlsaDrain.h"

namespace os::midi {
namespace {

// Pieces small enough for the sequencer's pool and a card's output buffer.
constexpr size_t kPieceBytes = 256;
constexpr unsigned kTickMs = 5;

std::optional<AlsaCardNames> CardNames(int card) {
  snd_ctl_t* ctl = nullptr;
  const std::string hw = "hw:" + std::to_string(card);
  if (snd_ctl_open(&ctl, hw.c_str(), SND_CTL_NONBLOCK) < 0) return std::nullopt;
  snd_ctl_card_info_t* info;
  snd_ctl_card_info_alloca(&info);
  std::optional<AlsaCardNames> out;
  if (snd_ctl_card_info(ctl, info) >= 0)
    out = AlsaCardNames::From(snd_ctl_card_info_get_name(info), snd_ctl_card_info_get_longname(info));
  snd_ctl_close(ctl);
  return out;
}

}  // namespace

struct AlsaSystem::Core {
  struct Addr {
    int client = 0;
    int port = 0;
    bool hardware = false;
  };
  struct InPort {
    uint64_t client = 0;
    int port = -1;
    ReadProc proc;
    bool alive = true;
    int calling = 0;
  };
  struct Piece {
    SysexId send = 0;  // the SysEx send it belongs to (0: short messages)
    bool last = false;
    std::vector<uint8_t> bytes;
  };
  struct Dest {
    Addr addr;
    std::deque<Piece> queue;
    size_t sendBytes = 0;  // of the SysEx send going out now
  };
  struct Send {
    uint64_t client;
    EndpointId destination;
    SysexDone done;
  };

  snd_seq_t* seq = nullptr;
  int self = -1;
  int outPort = -1;
  int announcePort = -1;
  int wakePipe[2] = {-1, -1};

  // Guards everything below; its waiters are the output thread's tick and
  // whoever ends a port or a client while a call into it is in progress.
  Monitor monitor{Monitor::kRealTime};
  // Counts the wakes of the output thread, which else sends once a tick.
  std::atomic<uint64_t> wakes{0};
  bool shut = false;
  uint64_t nextId = 1;
  EndpointTable table{0x0100'0001};
  std::map<EndpointId, Addr> addrs;
  std::set<uint64_t> clients;
  std::map<int, std::shared_ptr<InPort>> inPorts;  // by sequencer port
  std::map<EndpointId, Dest> dests;
  std::map<SysexId, Send> sends;
  std::vector<std::pair<uint64_t, SysexId>> finishing;  // when the last byte is out, send
  std::vector<EndpointId> gone;
  SysexId completing = 0;
  std::thread::id reader, writer;

  std::atomic<bool> dirty{true};
  std::atomic<bool> stop{false};
  std::thread inThread, outThread;

  ~Core() {
    for (int fd : wakePipe)
      if (fd >= 0) close(fd);
  }

  // Wakes the output thread and every waiter.
  void Notify() {
    wakes.fetch_add(1);
    monitor.NotifyAll();
  }

  // ---- under the monitor ----

  void RefreshLocked() {
    dirty.store(false);
    std::vector<EndpointTable::Entry> now;
    std::vector<Addr> nowAddrs;
    std::map<int, std::optional<AlsaCardNames>> cards;
    snd_seq_client_info_t* ci;
    snd_seq_port_info_t* pi;
    snd_seq_client_info_alloca(&ci);
    snd_seq_port_info_alloca(&pi);
    snd_seq_client_info_set_client(ci, -1);
    while (snd_seq_query_next_client(seq, ci) >= 0) {
      const int client = snd_seq_client_info_get_client(ci);
      if (client == SND_SEQ_CLIENT_SYSTEM || client == self) continue;
      const std::string clientName = snd_seq_client_info_get_name(ci);
      const int card = snd_seq_client_info_get_card(ci);
      if (card >= 0 && !cards.count(card)) cards[card] = CardNames(card);
      snd_seq_port_info_set_client(pi, client);
      snd_seq_port_info_set_port(pi, -1);
      while (snd_seq_query_next_port(seq, pi) >= 0) {
        const unsigned caps = snd_seq_port_info_get_capability(pi);
        if (caps & SND_SEQ_PORT_CAP_NO_EXPORT) continue;
        const int port = snd_seq_port_info_get_port(pi);
        const std::string portName = snd_seq_port_info_get_name(pi);
        // A card's ports end in a device that takes bytes at its own pace.
        const bool hardware = card >= 0;
        for (bool source : {true, false}) {
          const unsigned need = source ? SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ
                                       : SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
          if ((caps & need) != need) continue;
          EndpointTable::Entry e;
          // The address is part of the key: another port that takes the
          // same name later is another endpoint.
          e.key = std::to_string(client) + ":" + std::to_string(port) + ":" + clientName + ":" +
                  portName;
          e.source = source;
          e.name = portName;
          e.deviceName = clientName;
          if (card >= 0 && cards[card]) {
            e.manufacturer = cards[card]->manufacturer;
            e.model = cards[card]->model;
          }
          now.push_back(std::move(e));
          nowAddrs.push_back({client, port, hardware});
        }
      }
    }
    const auto keys = now;
    const auto left = table.Update(std::move(now));
    addrs.clear();
    for (size_t i = 0; i < keys.size(); ++i)
      if (const auto* e = table.FindKey(keys[i].key, keys[i].source)) addrs[e->id] = nowAddrs[i];
    gone.insert(gone.end(), left.begin(), left.end());
    if (!left.empty()) Notify();
  }

  void FreshLocked() {
    if (dirty.load()) RefreshLocked();
  }

  Dest* DestLocked(EndpointId destination, Status* status) {
    FreshLocked();
    const EndpointTable::Entry* e = table.Find(destination);
    if (!e || e->source) {
      *status = kErrNoSuchEndpoint;
      return nullptr;
    }
    Dest& d = dests[destination];
    d.addr = addrs[destination];
    return &d;
  }

  void QueueLocked(Dest* d, SysexId send, const uint8_t* data, size_t length) {
    auto pieces = send ? OutputPieces::Sysex(data, length, kPieceBytes)
                       : OutputPieces::Messages(data, length, kPieceBytes);
    for (size_t i = 0; i < pieces.size(); ++i)
      d->queue.push_back({send, i + 1 == pieces.size(), std::move(pieces[i])});
    Notify();
  }

  void WithdrawLocked(SysexId id) {
    auto it = sends.find(id);
    if (it == sends.end()) return;
    auto d = dests.find(it->second.destination);
    if (d != dests.end()) {
      auto& q = d->second.queue;
      q.erase(std::remove_if(q.begin(), q.end(), [&](const Piece& p) { return p.send == id; }),
              q.end());
      d->second.sendBytes = 0;
    }
    sends.erase(it);
  }

  // Writes one piece straight to its destination; a negative errno when the
  // sequencer refused it.
  int WriteLocked(const Dest& d, const Piece& p, snd_midi_event_t* encoder) {
    snd_seq_event_t ev;
    snd_seq_ev_clear(&ev);
    const bool sysex = p.send != 0 || p.bytes[0] == 0xF0 || p.bytes[0] < 0x80;
    if (sysex) {
      snd_seq_ev_set_sysex(&ev, p.bytes.size(), const_cast<uint8_t*>(p.bytes.data()));
    } else {
      snd_midi_event_reset_encode(encoder);
      if (snd_midi_event_encode(encoder, p.bytes.data(), long(p.bytes.size()), &ev) <= 0 ||
          ev.type == SND_SEQ_EVENT_NONE)
        return 0;  // not a message the sequencer knows: nothing to send
    }
    snd_seq_ev_set_source(&ev, outPort);
    snd_seq_ev_set_dest(&ev, d.addr.client, d.addr.port);
    snd_seq_ev_set_direct(&ev);
    return snd_seq_event_output_direct(seq, &ev);
  }

  // ---- threads ----

  void Complete(SysexId id, Status status) { CompleteSend(monitor, sends, completing, id, status); }

  void OutputLoop() {
    snd_midi_event_t* encoder = nullptr;
    snd_midi_event_new(kPieceBytes, &encoder);
    {
      Monitor::Hold hold(monitor.mutex());
      writer = std::this_thread::get_id();
    }
    while (!stop.load()) {
      std::vector<SysexId> ok, failed;
      {
        Monitor::Hold lock(monitor.mutex());
        const uint64_t seen = wakes.load();
        monitor.WaitFor(lock, kTickMs, [&] { return wakes.load() != seen; });
        if (stop.load()) break;
        FreshLocked();
        std::vector<EndpointId> left;
        left.swap(gone);
        for (EndpointId id : left) {
          for (auto& [sid, s] : sends)
            if (s.destination == id) failed.push_back(sid);
          dests.erase(id);
        }
        const uint64_t now = NowUs();
        for (auto& [id, d] : dests) {
          while (!d.queue.empty()) {
            const Piece& p = d.queue.front();
            const int r = encoder ? WriteLocked(d, p, encoder) : -ENOMEM;
            // The pool or the card's buffer is full: the rest waits for the
            // next tick, at the pace the device takes it.
            if (r == -EAGAIN || r == -ENOMEM) break;
            if (r < 0) {
              // The destination refused or is gone: its sends end now.
              for (auto& [sid, s] : sends)
                if (s.destination == id) failed.push_back(sid);
              d.queue.clear();
              dirty.store(true);
              break;
            }
            d.sendBytes += p.send ? p.bytes.size() : 0;
            if (p.send && p.last) {
              finishing.push_back({now + AlsaDrain::AfterLastPieceUs(d.sendBytes, d.addr.hardware),
                                   p.send});
              d.sendBytes = 0;
            }
            d.queue.pop_front();
          }
        }
        for (auto it = finishing.begin(); it != finishing.end();) {
          if (it->first <= now) {
            ok.push_back(it->second);
            it = finishing.erase(it);
          } else {
            ++it;
          }
        }
      }
      for (SysexId id : failed) Complete(id, kErrEndpointGone);
      for (SysexId id : ok) Complete(id, kOk);
    }
    if (encoder) snd_midi_event_free(encoder);
  }

  void InputLoop() {
    {
      Monitor::Hold hold(monitor.mutex());
      reader = std::this_thread::get_id();
    }
    snd_midi_event_t* decoder = nullptr;
    snd_midi_event_new(kPieceBytes, &decoder);
    if (decoder) snd_midi_event_no_status(decoder, 1);
    const int n = snd_seq_poll_descriptors_count(seq, POLLIN);
    std::vector<pollfd> fds(size_t(std::max(n, 0)) + 1);
    snd_seq_poll_descriptors(seq, fds.data() + 1, unsigned(n), POLLIN);
    fds[0] = {wakePipe[0], POLLIN, 0};
    uint8_t buf[kPieceBytes];
    while (!stop.load()) {
      if (poll(fds.data(), fds.size(), 100) < 0 && errno != EINTR) break;
      snd_seq_event_t* ev = nullptr;
      while (!stop.load() && snd_seq_event_input(seq, &ev) >= 0 && ev) {
        if (ev->source.client == SND_SEQ_CLIENT_SYSTEM) {
          dirty.store(true);
          Notify();
          continue;
        }
        std::shared_ptr<InPort> p;
        {
          Monitor::Hold hold(monitor.mutex());
          auto it = inPorts.find(ev->dest.port);
          if (it != inPorts.end() && it->second->alive) p = it->second;
        }
        if (!p) continue;
        PacketList list;
        if (ev->type == SND_SEQ_EVENT_SYSEX) {
          list.Add(NowUs(), ev->data.ext.ptr, ev->data.ext.len);
        } else if (decoder) {
          snd_midi_event_reset_decode(decoder);
          const long len = snd_midi_event_decode(decoder, buf, sizeof buf, ev);
          if (len > 0) list.Add(NowUs(), buf, size_t(len));
        }
        if (!list.empty()) Deliver(*p, list);
      }
    }
    if (decoder) snd_midi_event_free(decoder);
  }

  void Deliver(InPort& p, const PacketList& list) { DeliverReads(monitor, p, list); }

  void EndInPort(int port) {
    Monitor::Hold lock(monitor.mutex());
    auto it = inPorts.find(port);
    if (it == inPorts.end()) return;
    std::shared_ptr<InPort> p = it->second;
    p->alive = false;
    inPorts.erase(it);
    if (!shut) snd_seq_delete_simple_port(seq, port);
    if (std::this_thread::get_id() != reader) monitor.Wait(lock, [&] { return p->calling == 0; });
  }

  void DropClient(uint64_t id) {
    std::vector<int> ports;
    {
      Monitor::Hold lock(monitor.mutex());
      clients.erase(id);
      for (auto& [port, p] : inPorts)
        if (p->client == id) ports.push_back(port);
      std::vector<SysexId> withdrawn;
      for (auto& [sid, s] : sends)
        if (s.client == id) withdrawn.push_back(sid);
      for (SysexId sid : withdrawn) WithdrawLocked(sid);
      if (std::this_thread::get_id() != writer)
        monitor.Wait(lock, [&] {
          return std::find(withdrawn.begin(), withdrawn.end(), completing) == withdrawn.end();
        });
    }
    for (int port : ports) EndInPort(port);
  }

  void Shutdown() {
    std::vector<SysexDone> failed;
    {
      Monitor::Hold hold(monitor.mutex());
      if (shut) return;
      for (auto& [id, s] : sends) failed.push_back(std::move(s.done));
      sends.clear();
      Notify();
    }
    stop.store(true);
    if (wakePipe[1] >= 0) (void)!write(wakePipe[1], "x", 1);
    Notify();
    if (inThread.joinable()) inThread.join();
    if (outThread.joinable()) outThread.join();
    {
      Monitor::Hold hold(monitor.mutex());
      shut = true;
      for (auto& [port, p] : inPorts) p->alive = false;
      inPorts.clear();
      dests.clear();
      if (seq) snd_seq_close(seq);
      seq = nullptr;
      Notify();
    }
    for (auto& done : failed)
      if (done) done(kErrEndpointGone);
  }
};

namespace {

using Core = AlsaSystem::Core;

class AlsaInputPort : public InputPort {
 public:
  AlsaInputPort(std::shared_ptr<Core> core, int port) : core_(std::move(core)), port_(port) {}
  ~AlsaInputPort() override { core_->EndInPort(port_); }

  Status ConnectSource(EndpointId source) override {
    Monitor::Hold hold(core_->monitor.mutex());
    if (core_->shut || !core_->inPorts.count(port_)) return kErrInvalidPort;
    core_->FreshLocked();
    const EndpointTable::Entry* e = core_->table.Find(source);
    if (!e || !e->source) return kErrNoSuchEndpoint;
    const Core::Addr a = core_->addrs[source];
    const int r = snd_seq_connect_from(core_->seq, port_, a.client, a.port);
    return r == 0 || r == -EBUSY ? kOk : kErrNoSuchEndpoint;
  }

 private:
  std::shared_ptr<Core> core_;
  int port_;
};

class AlsaOutputPort : public OutputPort {
 public:
  AlsaOutputPort(std::shared_ptr<Core> core, uint64_t client)
      : core_(std::move(core)), client_(client) {}

  Status Send(EndpointId destination, const PacketList& packets) override {
    Monitor::Hold hold(core_->monitor.mutex());
    if (core_->shut || !core_->clients.count(client_)) return kErrInvalidPort;
    Status s = kOk;
    Core::Dest* d = core_->DestLocked(destination, &s);
    if (!d) return s;
    for (size_t i = 0; i < packets.size(); ++i) {
      const Packet p = packets[i];
      if (p.length) core_->QueueLocked(d, 0, p.data, p.length);
    }
    return kOk;
  }

 private:
  std::shared_ptr<Core> core_;
  uint64_t client_;
};

class AlsaClient : public Client {
 public:
  AlsaClient(std::shared_ptr<Core> core, uint64_t id) : core_(std::move(core)), id_(id) {}
  ~AlsaClient() override { core_->DropClient(id_); }

  Status CreateInputPort(const std::string& name, ReadProc read,
                         std::unique_ptr<InputPort>* port) override {
    if (!port) return kErrBadArgument;
    Monitor::Hold hold(core_->monitor.mutex());
    if (core_->shut || !core_->clients.count(id_)) return kErrInvalidPort;
    const int p = snd_seq_create_simple_port(
        core_->seq, name.empty() ? "in" : name.c_str(),
        SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (p < 0) return kErrNoService;
    auto in = std::make_shared<Core::InPort>();
    in->client = id_;
    in->port = p;
    in->proc = std::move(read);
    core_->inPorts[p] = in;
    *port = std::make_unique<AlsaInputPort>(core_, p);
    return kOk;
  }

  Status CreateOutputPort(const std::string&, std::unique_ptr<OutputPort>* port) override {
    if (!port) return kErrBadArgument;
    *port = std::make_unique<AlsaOutputPort>(core_, id_);
    return kOk;
  }

  Status SendSysex(EndpointId destination, const void* data, size_t length, SysexDone done,
                   SysexId* id) override {
    if (!data || length == 0 || !id) return kErrBadArgument;
    Monitor::Hold hold(core_->monitor.mutex());
    if (core_->shut || !core_->clients.count(id_)) return kErrInvalidPort;
    Status s = kOk;
    Core::Dest* d = core_->DestLocked(destination, &s);
    if (!d) return s;
    const SysexId send = core_->nextId++;
    core_->sends[send] = {id_, destination, std::move(done)};
    core_->QueueLocked(d, send, static_cast<const uint8_t*>(data), length);
    *id = send;
    return kOk;
  }

  void CancelSysex(SysexId id) override {
    Monitor::Hold lock(core_->monitor.mutex());
    auto it = core_->sends.find(id);
    if (it != core_->sends.end() && it->second.client == id_) core_->WithdrawLocked(id);
    if (std::this_thread::get_id() != core_->writer)
      core_->monitor.Wait(lock, [&] { return core_->completing != id; });
  }

 private:
  std::shared_ptr<Core> core_;
  uint64_t id_;
};

}  // namespace

std::unique_ptr<AlsaSystem> AlsaSystem::Open(const std::string& clientName, std::string* why) {
  if (access("/dev/snd/seq", R_OK | W_OK) != 0) {
    if (why) *why = "no sequencer device (/dev/snd/seq)";
    return nullptr;
  }
  auto core = std::make_shared<Core>();
  if (snd_seq_open(&core->seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0) {
    core->seq = nullptr;
    if (why) *why = "the sequencer refused a client";
    return nullptr;
  }
  snd_seq_set_client_name(core->seq, clientName.empty() ? "vesk" : clientName.c_str());
  core->self = snd_seq_client_id(core->seq);
  core->outPort = snd_seq_create_simple_port(core->seq, "out",
                                             SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_NO_EXPORT,
                                             SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
  core->announcePort = snd_seq_create_simple_port(
      core->seq, "announce", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT,
      SND_SEQ_PORT_TYPE_APPLICATION);
  if (core->outPort < 0 || core->announcePort < 0 || pipe(core->wakePipe) != 0) {
    snd_seq_close(core->seq);
    core->seq = nullptr;
    if (why) *why = "the sequencer refused the backend's ports";
    return nullptr;
  }
  // Ports that come and go are announced by the system client.
  snd_seq_connect_from(core->seq, core->announcePort, SND_SEQ_CLIENT_SYSTEM,
                       SND_SEQ_PORT_SYSTEM_ANNOUNCE);
  core->inThread = std::thread([c = core.get()] { c->InputLoop(); });
  core->outThread = std::thread([c = core.get()] { c->OutputLoop(); });
  return std::unique_ptr<AlsaSystem>(new AlsaSystem(core));
}

AlsaSystem::AlsaSystem(std::shared_ptr<Core> core) : core_(std::move(core)) {}

AlsaSystem::~AlsaSystem() {
  System::Uninstall(this);
  core_->Shutdown();
}

size_t AlsaSystem::SourceCount() {
  Monitor::Hold hold(core_->monitor.mutex());
  if (core_->shut) return 0;
  core_->FreshLocked();
  return core_->table.Count(true);
}

EndpointId AlsaSystem::Source(size_t index) {
  Monitor::Hold hold(core_->monitor.mutex());
  if (core_->shut) return 0;
  core_->FreshLocked();
  return core_->table.At(true, index);
}

size_t AlsaSystem::DestinationCount() {
  Monitor::Hold hold(core_->monitor.mutex());
  if (core_->shut) return 0;
  core_->FreshLocked();
  return core_->table.Count(false);
}

EndpointId AlsaSystem::Destination(size_t index) {
  Monitor::Hold hold(core_->monitor.mutex());
  if (core_->shut) return 0;
  core_->FreshLocked();
  return core_->table.At(false, index);
}

Status AlsaSystem::GetProperty(EndpointId endpoint, Property property, std::string* value) {
  if (!value) return kErrBadArgument;
  Monitor::Hold hold(core_->monitor.mutex());
  if (core_->shut) return kErrNoSuchEndpoint;
  core_->FreshLocked();
  return core_->table.Describe(endpoint, property, "alsa", value);
}

Status AlsaSystem::CreateClient(const std::string&, std::unique_ptr<Client>* client) {
  if (!client) return kErrBadArgument;
  Monitor::Hold hold(core_->monitor.mutex());
  if (core_->shut) return kErrNoService;
  const uint64_t id = core_->nextId++;
  core_->clients.insert(id);
  *client = std::make_unique<AlsaClient>(core_, id);
  return kOk;
}

}  // namespace os::midi
