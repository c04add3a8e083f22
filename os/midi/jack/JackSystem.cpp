#include "os/midi/jack/JackSystem.h"

#include <jack/jack.h>
#include <jack/metadata.h>
#include <jack/midiport.h>
#include <jack/uuid.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
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
#include "os/midi/jack/JackPipe.h"
#include "os/midi/jack/JackProcess.h"
#include "os/midi/jack/JackWakeup.h"

namespace os::midi {

const char* const kJackManufacturerKey = "urn:vesk:midi:manufacturer";
const char* const kJackModelKey = "urn:vesk:midi:model";

namespace {

// A piece is one JACK event; SysEx messages are cut to this size so that a
// long dump spreads over cycles instead of needing one huge buffer.
constexpr size_t kPieceBytes = 256;
constexpr size_t kInRingBytes = 1024 * 1024;
constexpr size_t kOutRingBytes = 64 * 1024;
// How long what goes to a destination waits for the server to use the
// connection made to it, or one a patchbay removed to come back.
constexpr jack_nframes_t kConnectionWaitSeconds = 2;
constexpr size_t kDoneRingBytes = 64 * 1024;
constexpr size_t kPacketsPerList = 64;
constexpr unsigned kIdleWaitMs = 20;
constexpr std::chrono::milliseconds kDrainGrace{50};

void Quiet(const char*) {}

// Under the process's metadata lock.
std::optional<std::string> MetadataOfLocked(jack_uuid_t subject, const char* key) {
  char* value = nullptr;
  char* type = nullptr;
  if (jack_get_property(subject, key, &value, &type) != 0 || !value) return std::nullopt;
  std::string out(value);
  jack_free(value);
  if (type) jack_free(type);
  return out;
}

// What a port publishes of its device: maker and model.
struct PortMaker {
  std::optional<std::string> manufacturer, model;
};

PortMaker ReadPortMaker(jack_uuid_t port) {
  const JackProcess::MetadataLock lock;
  return {MetadataOfLocked(port, kJackManufacturerKey), MetadataOfLocked(port, kJackModelKey)};
}

}  // namespace

struct JackSystem::Core : std::enable_shared_from_this<Core> {
  struct InPort {
    uint64_t client = 0;
    ReadProc proc;
    std::unique_ptr<JackInPipe> pipe;
    bool alive = true;
    int calling = 0;
    uint64_t lastTimeUs = 0;  // the input thread's
  };
  struct Piece {
    SysexId tag = 0;  // non-zero on the last piece of a SysEx send
    SysexId send = 0;
    std::vector<uint8_t> bytes;
  };
  struct Dest {
    std::string key;
    std::unique_ptr<JackOutPipe> pipe;
    std::deque<Piece> queue;  // waiting for room in the ring
    // The output ports and clients that wrote to it; the connection ends
    // once none is left and what they wrote has gone out.
    std::set<uint64_t> holders;
    std::chrono::steady_clock::time_point idleSince{};
  };
  struct Send {
    uint64_t client;
    EndpointId destination;
    SysexDone done;
  };
  struct RtSet {
    std::vector<JackInPipe*> ins;
    std::vector<JackOutPipe*> outs;
  };

  jack_client_t* client = nullptr;
  std::string name;
  // Maker and model of the ports listed, read once per port; dropped when
  // any property of the server changes.
  std::map<jack_uuid_t, PortMaker> makers;
  std::atomic<bool> makersStale{false};

  // Guards everything below but the atomics; whoever ends a port, a client
  // or a send waits on it for a call into the client in progress.
  Monitor monitor{Monitor::kRealTime};
  bool shut = false;
  uint64_t nextId = 1;  // clients, ports, sends: one space
  EndpointTable table{0x0200'0001};
  std::set<uint64_t> clients;
  std::map<uint64_t, std::shared_ptr<InPort>> inPorts;
  std::map<EndpointId, std::shared_ptr<Dest>> dests;
  std::map<SysexId, Send> sends;
  SysexId completing = 0;  // the send whose done runs now
  std::thread::id completer;
  std::thread::id reader;

  std::atomic<bool> dirty{true};
  std::atomic<bool> stop{false};
  std::atomic<bool> serverGone{false};
  std::atomic<RtSet*> rt{nullptr};
  std::atomic<bool> inProcess{false};
  std::atomic<uint64_t> cycles{0};  // process cycles ended
  std::atomic<uint64_t> late{0};    // late cycles noticed
  // Where the next cycle should start on the frame clock (the process
  // callback's).
  jack_nframes_t nextCycleStart = 0;
  bool cycleSeen = false;
  // Sets the process callback may still read, freed once it is past the
  // last publish (stamped with the cycles ended then).
  std::vector<RtSet*> retired;
  uint64_t publishStamp = 0;
  JackRing doneRing{kDoneRingBytes};
  JackWakeup inWake, outWake;
  std::thread inThread, outThread;

  ~Core() {
    delete rt.load();
    FreeRetiredLocked();
  }

  // ---- process callback and JACK notifications (no locks, no waits) ----

  static int Process(jack_nframes_t frames, void* arg) {
    Core* self = static_cast<Core*>(arg);
    self->inProcess.store(true);
    // Counted before this cycle's input reaches the rings: whoever reads
    // what it brings finds the count up already.
    self->NoteSkippedCycles(frames);
    RtSet* set = self->rt.load();
    bool in = false, out = false;
    if (set) {
      for (JackInPipe* p : set->ins) in |= p->Capture(self->client, frames);
      for (JackOutPipe* p : set->outs) out |= p->Flush(frames, &self->doneRing);
    }
    self->inProcess.store(false);
    self->cycles.fetch_add(1);
    if (in) self->inWake.Give();
    if (out) self->outWake.Give();
    return 0;
  }

  // A cycle that does not start where the last one ended on the frame
  // clock: the server ran cycles without this client, which was late itself
  // or waited for a client before it that was. (The server's xrun notices
  // are no such sign: its dummy driver reports a wake-up a few microseconds
  // late as one, about once a second on an idle machine.)
  void NoteSkippedCycles(jack_nframes_t frames) {
    jack_nframes_t start = 0;
    jack_time_t startUs = 0, nextUs = 0;
    float periodUs = 0;
    if (jack_get_cycle_times(client, &start, &startUs, &nextUs, &periodUs) != 0) return;
    if (cycleSeen && start != nextCycleStart) late.fetch_add(1);
    cycleSeen = true;
    nextCycleStart = start + frames;
  }

  static void PortRegistered(jack_port_id_t, int, void* arg) {
    Core* self = static_cast<Core*>(arg);
    self->dirty.store(true);
    self->outWake.Give();
  }

  static void ClientRegistered(const char*, int, void* arg) { PortRegistered(0, 0, arg); }

  static void PortRenamed(jack_port_id_t, const char*, const char*, void* arg) {
    PortRegistered(0, 0, arg);
  }

  static void PropertyChanged(jack_uuid_t, const char*, jack_property_change_t, void* arg) {
    Core* self = static_cast<Core*>(arg);
    self->makersStale.store(true);
    PortRegistered(0, 0, arg);
  }

  static void ServerGone(void* arg) {
    Core* self = static_cast<Core*>(arg);
    self->serverGone.store(true);
    self->dirty.store(true);
    self->outWake.Give();
  }

  // ---- under the monitor ----

  // Hands the process callback the pipes of the ports now open. The set it
  // replaces is retired, not freed: the callback may be reading it.
  void PublishLocked() {
    auto* set = new RtSet;
    for (auto& [id, p] : inPorts)
      if (p->alive && p->pipe) set->ins.push_back(p->pipe.get());
    for (auto& [id, d] : dests)
      if (d->pipe) set->outs.push_back(d->pipe.get());
    if (RtSet* old = rt.exchange(set)) retired.push_back(old);
    publishStamp = cycles.load();
  }

  // True once no process cycle can still read a set retired so far: the
  // callback is idle, or the cycle running at the last publish has ended.
  bool PastPublishLocked() const { return !inProcess.load() || cycles.load() != publishStamp; }

  void FreeRetiredLocked() {
    for (RtSet* old : retired) delete old;
    retired.clear();
  }

  void ReclaimLocked() {
    if (!retired.empty() && PastPublishLocked()) FreeRetiredLocked();
  }

  // Before a port's pipe goes or its port is unregistered: waits, the
  // lock given up, until the callback is past the set that held it. The
  // callback takes no lock and cannot be woken for, so the wait looks
  // again each millisecond; it lasts at most one cycle.
  void AwaitPastPublish(Monitor::Hold& hold) {
    while (!PastPublishLocked()) monitor.WaitFor(hold, 1, [this] { return PastPublishLocked(); });
    FreeRetiredLocked();
  }

  bool ServerAlive() const { return client != nullptr && !shut && !serverGone.load(); }

  // Lists the other clients' MIDI ports; returns the ids that went away.
  std::vector<EndpointId> RefreshLocked() {
    dirty.store(false);
    std::vector<EndpointTable::Entry> now;
    if (makersStale.exchange(false)) makers.clear();
    std::map<jack_uuid_t, PortMaker> seen;
    if (ServerAlive()) {
      for (bool source : {true, false}) {
        const char** names = jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE,
                                            source ? JackPortIsOutput : JackPortIsInput);
        if (!names) continue;
        for (const char** n = names; *n; ++n) {
          jack_port_t* port = jack_port_by_name(client, *n);
          if (!port || jack_port_is_mine(client, port)) continue;
          EndpointTable::Entry e;
          e.key = *n;
          e.source = source;
          e.name = jack_port_short_name(port);
          const size_t colon = e.key.find(':');
          e.deviceName = colon == std::string::npos ? std::string() : e.key.substr(0, colon);
          // Another MIDI system of this same process (the plug-in inside
          // the standalone host has one of its own) is not a device.
          if (JackProcess::IsOwnClient(e.deviceName)) continue;
          const jack_uuid_t uuid = jack_port_uuid(port);
          auto known = makers.find(uuid);
          const PortMaker maker = known != makers.end() ? known->second : ReadPortMaker(uuid);
          seen[uuid] = maker;
          e.manufacturer = maker.manufacturer;
          e.model = maker.model;
          now.push_back(std::move(e));
        }
        jack_free(names);
      }
    }
    makers.swap(seen);
    return table.Update(std::move(now));
  }

  void FreshLocked() {
    if (dirty.load()) {
      const auto gone = RefreshLocked();
      if (!gone.empty()) outWake.Give();  // the output thread ends what went to them
      goneSinceFeed.insert(goneSinceFeed.end(), gone.begin(), gone.end());
    }
  }
  std::vector<EndpointId> goneSinceFeed;

  // Moves queued pieces into the rings while they have room.
  void FeedLocked() {
    for (auto& [id, d] : dests) {
      while (!d->queue.empty()) {
        const Piece& p = d->queue.front();
        if (!d->pipe->Push(p.tag, p.bytes.data(), p.bytes.size())) break;
        d->queue.pop_front();
      }
    }
  }

  // The output port that writes to a destination, made on first use and
  // kept while `holder` (an output port or a client) lives.
  Dest* DestLocked(EndpointId destination, uint64_t holder, Status* status) {
    FreshLocked();
    const EndpointTable::Entry* e = table.Find(destination);
    if (!e || e->source) {
      *status = kErrNoSuchEndpoint;
      return nullptr;
    }
    auto it = dests.find(destination);
    if (it != dests.end()) {
      it->second->holders.insert(holder);
      return it->second.get();
    }
    const std::string portName = "out-" + std::to_string(nextId++);
    jack_port_t* port = jack_port_register(client, portName.c_str(), JACK_DEFAULT_MIDI_TYPE,
                                           JackPortIsOutput, 0);
    if (!port) {
      *status = kErrNoService;
      return nullptr;
    }
    const int r = jack_connect(client, jack_port_name(port), e->key.c_str());
    if (r != 0 && r != EEXIST) {
      jack_port_unregister(client, port);
      *status = kErrNoSuchEndpoint;
      return nullptr;
    }
    auto d = std::make_shared<Dest>();
    d->key = e->key;
    d->holders.insert(holder);
    d->pipe = std::make_unique<JackOutPipe>(port, kOutRingBytes, kConnectionWaitSeconds * jack_get_sample_rate(client));
    dests[destination] = d;
    PublishLocked();
    return d.get();
  }

  void QueueLocked(Dest* d, SysexId send, const uint8_t* data, size_t length, bool sysex) {
    // Short messages go one to an event; a SysEx send in pieces, the last
    // of which reports the send's end once it is written.
    auto pieces = sysex ? OutputPieces::Sysex(data, length, kPieceBytes)
                        : OutputPieces::Messages(data, length, kPieceBytes);
    for (size_t i = 0; i < pieces.size(); ++i) {
      const bool last = i + 1 == pieces.size();
      d->queue.push_back({sysex && last ? send : 0, send, std::move(pieces[i])});
    }
  }

  // Takes a send's pieces that have not reached the ring off the queue.
  void WithdrawLocked(SysexId id) {
    auto it = sends.find(id);
    if (it == sends.end()) return;
    auto d = dests.find(it->second.destination);
    if (d != dests.end()) {
      auto& q = d->second->queue;
      q.erase(std::remove_if(q.begin(), q.end(), [&](const Piece& p) { return p.send == id; }),
              q.end());
    }
    sends.erase(it);
  }

  void ReleaseLocked(uint64_t holder) {
    for (auto& [id, d] : dests) d->holders.erase(holder);
    outWake.Give();
  }

  // Ends the connections nobody holds once what was written to them has
  // gone out (and a cycle more, for the reader to take the last event).
  void DropUnheldLocked(Monitor::Hold& hold) {
    const auto now = std::chrono::steady_clock::now();
    std::vector<EndpointId> idle;
    for (auto& [id, d] : dests) {
      const bool busy = !d->holders.empty() || !d->queue.empty() || !d->pipe->Empty() ||
                        std::any_of(sends.begin(), sends.end(),
                                    [&](const auto& s) { return s.second.destination == id; });
      if (busy) {
        d->idleSince = {};
      } else if (d->idleSince == std::chrono::steady_clock::time_point{}) {
        d->idleSince = now;
      } else if (now - d->idleSince >= kDrainGrace) {
        idle.push_back(id);
      }
    }
    for (EndpointId id : idle) DropDestLocked(hold, id);
  }

  // Gives up the lock while the callback leaves the destination's pipe.
  void DropDestLocked(Monitor::Hold& hold, EndpointId id) {
    auto it = dests.find(id);
    if (it == dests.end()) return;
    std::shared_ptr<Dest> d = it->second;
    dests.erase(it);
    PublishLocked();
    AwaitPastPublish(hold);
    if (ServerAlive()) jack_port_unregister(client, d->pipe->port());
  }

  // ---- threads ----

  void Complete(SysexId id, Status status) { CompleteSend(monitor, sends, completing, id, status); }

  void OutputLoop() {
    {
      Monitor::Hold hold(monitor.mutex());
      completer = std::this_thread::get_id();
    }
    while (!stop.load()) {
      outWake.Wait(kIdleWaitMs);
      std::vector<SysexId> ok, failed;
      {
        Monitor::Hold hold(monitor.mutex());
        uint64_t tag;
        while (doneRing.ReadSpace() >= sizeof tag) {
          doneRing.Read(&tag, sizeof tag);
          ok.push_back(tag);
        }
        FreshLocked();
        std::vector<EndpointId> gone;
        gone.swap(goneSinceFeed);
        if (!ServerAlive()) {
          for (auto& [id, d] : dests) gone.push_back(id);
        }
        for (EndpointId id : gone) {
          for (auto& [sid, s] : sends)
            if (s.destination == id) failed.push_back(sid);
          DropDestLocked(hold, id);
        }
        FeedLocked();
        DropUnheldLocked(hold);
        ReclaimLocked();
      }
      for (SysexId id : ok) Complete(id, kOk);
      for (SysexId id : failed) Complete(id, kErrEndpointGone);
    }
  }

  void InputLoop() {
    {
      Monitor::Hold hold(monitor.mutex());
      reader = std::this_thread::get_id();
    }
    std::vector<uint8_t> bytes;
    while (!stop.load()) {
      inWake.Wait(kIdleWaitMs);
      std::vector<std::shared_ptr<InPort>> ports;
      {
        Monitor::Hold hold(monitor.mutex());
        for (auto& [id, p] : inPorts)
          if (p->alive) ports.push_back(p);
      }
      for (auto& p : ports) {
        for (;;) {
          PacketList list;
          uint64_t t;
          // The JACK clock and ours both run on the monotonic clock, from
          // different origins.
          const int64_t offset = int64_t(NowUs()) - int64_t(jack_get_time());
          while (list.size() < kPacketsPerList && p->pipe->Pop(&t, &bytes)) {
            // The offset wobbles by microseconds; times never go back.
            p->lastTimeUs = std::max(p->lastTimeUs, uint64_t(int64_t(t) + offset));
            list.Add(p->lastTimeUs, bytes.data(), bytes.size());
          }
          if (list.empty()) break;
          Deliver(*p, list);
        }
      }
    }
  }

  void Deliver(InPort& p, const PacketList& list) { DeliverReads(monitor, p, list); }

  // Ends an input port: no read after this returns (unless called from a
  // read, which then is the last).
  void EndInPort(uint64_t id) {
    std::shared_ptr<InPort> p;
    Monitor::Hold lock(monitor.mutex());
    auto it = inPorts.find(id);
    if (it == inPorts.end()) return;
    p = it->second;
    p->alive = false;
    inPorts.erase(it);
    PublishLocked();
    AwaitPastPublish(lock);
    if (ServerAlive() && p->pipe) jack_port_unregister(client, p->pipe->port());
    if (std::this_thread::get_id() != reader) monitor.Wait(lock, [&] { return p->calling == 0; });
    // The input thread may still hold p; the pipe goes with the last holder.
  }

  void DropClient(uint64_t id) {
    std::vector<uint64_t> ports;
    {
      Monitor::Hold lock(monitor.mutex());
      clients.erase(id);
      ReleaseLocked(id);
      for (auto& [pid, p] : inPorts)
        if (p->client == id) ports.push_back(pid);
      std::vector<SysexId> withdrawn;
      for (auto& [sid, s] : sends)
        if (s.client == id) withdrawn.push_back(sid);
      for (SysexId sid : withdrawn) WithdrawLocked(sid);
      if (std::this_thread::get_id() != completer)
        monitor.Wait(lock, [&] { return std::find(withdrawn.begin(), withdrawn.end(), completing) ==
                                   withdrawn.end(); });
    }
    for (uint64_t pid : ports) EndInPort(pid);
  }

  void Shutdown() {
    std::vector<SysexDone> failed;
    {
      Monitor::Hold hold(monitor.mutex());
      if (shut) return;
      for (auto& [id, s] : sends) failed.push_back(std::move(s.done));
      sends.clear();
    }
    stop.store(true);
    inWake.Give();
    outWake.Give();
    if (inThread.joinable()) inThread.join();
    if (outThread.joinable()) outThread.join();
    if (client) {
      jack_deactivate(client);
      jack_client_close(client);
      // Only once its ports are gone: until then the process's other
      // systems must not take them for devices.
      JackProcess::RemoveClient(name);
    }
    {
      Monitor::Hold hold(monitor.mutex());
      shut = true;
      for (auto& [id, p] : inPorts) p->alive = false;
      inPorts.clear();
      dests.clear();
      delete rt.exchange(nullptr);
      FreeRetiredLocked();
      monitor.NotifyAll();
    }
    for (auto& done : failed)
      if (done) done(kErrEndpointGone);
  }
};

namespace {

using Core = JackSystem::Core;

class JackInputPort : public InputPort {
 public:
  JackInputPort(std::shared_ptr<Core> core, uint64_t id) : core_(std::move(core)), id_(id) {}
  ~JackInputPort() override { core_->EndInPort(id_); }

  Status ConnectSource(EndpointId source) override {
    Monitor::Hold hold(core_->monitor.mutex());
    auto it = core_->inPorts.find(id_);
    if (it == core_->inPorts.end() || !core_->ServerAlive()) return kErrInvalidPort;
    core_->FreshLocked();
    const EndpointTable::Entry* e = core_->table.Find(source);
    if (!e || !e->source) return kErrNoSuchEndpoint;
    const int r =
        jack_connect(core_->client, e->key.c_str(), jack_port_name(it->second->pipe->port()));
    return r == 0 || r == EEXIST ? kOk : kErrNoSuchEndpoint;
  }

 private:
  std::shared_ptr<Core> core_;
  uint64_t id_;
};

class JackOutputPort : public OutputPort {
 public:
  JackOutputPort(std::shared_ptr<Core> core, uint64_t client, uint64_t id)
      : core_(std::move(core)), client_(client), id_(id) {}
  ~JackOutputPort() override {
    Monitor::Hold hold(core_->monitor.mutex());
    core_->ReleaseLocked(id_);
  }

  Status Send(EndpointId destination, const PacketList& packets) override {
    Monitor::Hold hold(core_->monitor.mutex());
    if (!core_->clients.count(client_) || !core_->ServerAlive()) return kErrInvalidPort;
    Status s = kOk;
    Core::Dest* d = core_->DestLocked(destination, id_, &s);
    if (!d) return s;
    for (size_t i = 0; i < packets.size(); ++i) {
      const Packet p = packets[i];
      if (p.length) core_->QueueLocked(d, 0, p.data, p.length, false);
    }
    core_->FeedLocked();
    return kOk;
  }

 private:
  std::shared_ptr<Core> core_;
  uint64_t client_;
  uint64_t id_;
};

class JackClient : public Client {
 public:
  JackClient(std::shared_ptr<Core> core, uint64_t id) : core_(std::move(core)), id_(id) {}
  ~JackClient() override { core_->DropClient(id_); }

  Status CreateInputPort(const std::string& name, ReadProc read,
                         std::unique_ptr<InputPort>* port) override {
    if (!port) return kErrBadArgument;
    Monitor::Hold hold(core_->monitor.mutex());
    if (!core_->clients.count(id_) || !core_->ServerAlive()) return kErrInvalidPort;
    const uint64_t id = core_->nextId++;
    const std::string portName = (name.empty() ? std::string("in") : name) + " " + std::to_string(id);
    jack_port_t* jp = jack_port_register(core_->client, portName.c_str(), JACK_DEFAULT_MIDI_TYPE,
                                         JackPortIsInput, 0);
    if (!jp) return kErrNoService;
    auto p = std::make_shared<Core::InPort>();
    p->client = id_;
    p->proc = std::move(read);
    p->pipe = std::make_unique<JackInPipe>(jp, kInRingBytes);
    core_->inPorts[id] = p;
    core_->PublishLocked();
    *port = std::make_unique<JackInputPort>(core_, id);
    return kOk;
  }

  Status CreateOutputPort(const std::string&, std::unique_ptr<OutputPort>* port) override {
    if (!port) return kErrBadArgument;
    uint64_t id;
    {
      Monitor::Hold hold(core_->monitor.mutex());
      id = core_->nextId++;
    }
    *port = std::make_unique<JackOutputPort>(core_, id_, id);
    return kOk;
  }

  Status SendSysex(EndpointId destination, const void* data, size_t length, SysexDone done,
                   SysexId* id) override {
    if (!data || length == 0 || !id) return kErrBadArgument;
    Monitor::Hold hold(core_->monitor.mutex());
    if (!core_->clients.count(id_) || !core_->ServerAlive()) return kErrInvalidPort;
    Status s = kOk;
    Core::Dest* d = core_->DestLocked(destination, id_, &s);
    if (!d) return s;
    const SysexId send = core_->nextId++;
    core_->sends[send] = {id_, destination, std::move(done)};
    core_->QueueLocked(d, send, static_cast<const uint8_t*>(data), length, true);
    core_->FeedLocked();
    *id = send;
    return kOk;
  }

  void CancelSysex(SysexId id) override {
    Monitor::Hold lock(core_->monitor.mutex());
    auto it = core_->sends.find(id);
    if (it != core_->sends.end() && it->second.client == id_) core_->WithdrawLocked(id);
    if (std::this_thread::get_id() != core_->completer)
      core_->monitor.Wait(lock, [&] { return core_->completing != id; });
  }

 private:
  std::shared_ptr<Core> core_;
  uint64_t id_;
};

}  // namespace

void JackSystem::Silence() {
  // The library's own complaints (no server, a full buffer) would flood the
  // standard error; what matters reaches the caller as a status.
  jack_set_error_function(&Quiet);
  jack_set_info_function(&Quiet);
}

std::unique_ptr<JackSystem> JackSystem::Open(const std::string& clientName, std::string* why) {
  Silence();
  jack_status_t status{};
  jack_client_t* client = jack_client_open(clientName.empty() ? "vesk" : clientName.c_str(),
                                           JackNoStartServer, &status);
  if (!client) {
    if (why) *why = "no JACK server is running";
    return nullptr;
  }
  auto core = std::make_shared<Core>();
  core->client = client;
  core->name = jack_get_client_name(client);
  // Noted before any port of it exists, so that the process's other MIDI
  // systems never list its ports.
  JackProcess::AddClient(core->name);
  core->rt.store(new Core::RtSet);
  jack_set_process_callback(client, &Core::Process, core.get());
  jack_set_port_registration_callback(client, &Core::PortRegistered, core.get());
  jack_set_client_registration_callback(client, &Core::ClientRegistered, core.get());
  jack_set_port_rename_callback(client, &Core::PortRenamed, core.get());
  jack_set_property_change_callback(client, &Core::PropertyChanged, core.get());
  jack_on_shutdown(client, &Core::ServerGone, core.get());
  if (jack_activate(client) != 0) {
    jack_client_close(client);
    JackProcess::RemoveClient(core->name);
    core->client = nullptr;
    if (why) *why = "the JACK server refused to run a client";
    return nullptr;
  }
  core->inThread = std::thread([c = core.get()] { c->InputLoop(); });
  core->outThread = std::thread([c = core.get()] { c->OutputLoop(); });
  return std::unique_ptr<JackSystem>(new JackSystem(core));
}

JackSystem::JackSystem(std::shared_ptr<Core> core) : core_(std::move(core)) {}

JackSystem::~JackSystem() {
  System::Uninstall(this);
  core_->Shutdown();
}

std::string JackSystem::ClientName() const { return core_->name; }

uint64_t JackSystem::LateCycles() { return core_->late.load(); }

size_t JackSystem::SourceCount() {
  Monitor::Hold hold(core_->monitor.mutex());
  core_->FreshLocked();
  return core_->table.Count(true);
}

EndpointId JackSystem::Source(size_t index) {
  Monitor::Hold hold(core_->monitor.mutex());
  core_->FreshLocked();
  return core_->table.At(true, index);
}

size_t JackSystem::DestinationCount() {
  Monitor::Hold hold(core_->monitor.mutex());
  core_->FreshLocked();
  return core_->table.Count(false);
}

EndpointId JackSystem::Destination(size_t index) {
  Monitor::Hold hold(core_->monitor.mutex());
  core_->FreshLocked();
  return core_->table.At(false, index);
}

Status JackSystem::GetProperty(EndpointId endpoint, Property property, std::string* value) {
  if (!value) return kErrBadArgument;
  Monitor::Hold hold(core_->monitor.mutex());
  core_->FreshLocked();
  return core_->table.Describe(endpoint, property, "jack", value);
}

Status JackSystem::CreateClient(const std::string&, std::unique_ptr<Client>* client) {
  if (!client) return kErrBadArgument;
  Monitor::Hold hold(core_->monitor.mutex());
  if (!core_->ServerAlive()) return kErrNoService;
  const uint64_t id = core_->nextId++;
  core_->clients.insert(id);
  *client = std::make_unique<JackClient>(core_, id);
  return kOk;
}

}  // namespace os::midi
