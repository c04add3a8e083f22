#include "os/midi/jack/JackDevice.h"

#include <jack/jack.h>
#include <jack/metadata.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <thread>

#include "os/Monitor.h"
#include "os/midi/OutputPieces.h"
#include "os/midi/jack/JackPipe.h"
#include "os/midi/jack/JackProcess.h"
#include "os/midi/jack/JackSystem.h"
#include "os/midi/jack/JackWakeup.h"

namespace os::midi {
namespace {
constexpr size_t kPieceBytes = 256;
// Room for a whole memory's worth of dumps sent back to back: a stand-in
// instrument that decodes slowly must not lose what the editor sends.
constexpr size_t kRingBytes = 4 * 1024 * 1024;
}  // namespace

struct JackDevice::State {
  jack_client_t* client = nullptr;
  std::unique_ptr<JackInPipe> in;
  std::unique_ptr<JackOutPipe> out;
  std::atomic<bool> stop{false};
  JackWakeup wake;
  std::thread thread;
  std::thread::id threadId;

  // Guards the queue and the receiver; SetReceiver waits on it for a
  // delivery in progress.
  mutable Monitor monitor{Monitor::kRealTime};
  std::deque<std::vector<uint8_t>> queue;
  size_t queuedBytes = 0;
  std::function<void(const uint8_t*, size_t)> receiver;
  bool delivering = false;

  std::atomic<unsigned> lateMs{0};

  static int Process(jack_nframes_t frames, void* arg) {
    State* s = static_cast<State*>(arg);
    const bool in = s->in->Capture(s->client, frames);
    // A late cycle a test asked for: the callback's only wait.
    if (in && s->lateMs.load(std::memory_order_relaxed) != 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(s->lateMs.exchange(0)));
    const bool out = s->out->Flush(frames, nullptr);
    if (in || out) s->wake.Give();
    return 0;
  }

  void Feed() {
    Monitor::Hold hold(monitor.mutex());
    while (!queue.empty() && out->Push(0, queue.front().data(), queue.front().size())) {
      queuedBytes -= queue.front().size();
      queue.pop_front();
    }
  }

  void Run() {
    std::vector<uint8_t> bytes;
    while (!stop.load()) {
      wake.Wait(10);
      uint64_t t;
      while (in->Pop(&t, &bytes)) {
        std::function<void(const uint8_t*, size_t)> r;
        {
          Monitor::Hold hold(monitor.mutex());
          r = receiver;
          delivering = true;
        }
        if (r) r(bytes.data(), bytes.size());
        Monitor::Hold hold(monitor.mutex());
        delivering = false;
        monitor.NotifyAll();
      }
      Feed();
    }
  }
};

JackDevice::JackDevice() : state_(std::make_unique<State>()) {}

std::unique_ptr<JackDevice> JackDevice::Open(const Desc& desc, std::string* why) {
  JackSystem::Silence();
  jack_status_t status{};
  jack_client_t* client =
      jack_client_open(desc.clientName.c_str(), JackNoStartServer, &status);
  if (!client) {
    if (why) *why = "no JACK server is running";
    return nullptr;
  }
  std::unique_ptr<JackDevice> dev(new JackDevice);
  State& s = *dev->state_;
  s.client = client;
  jack_port_t* src = jack_port_register(client, desc.sourceName.c_str(), JACK_DEFAULT_MIDI_TYPE,
                                        JackPortIsOutput, 0);
  jack_port_t* dst = jack_port_register(client, desc.destinationName.c_str(),
                                        JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
  if (!src || !dst) {
    jack_client_close(client);
    s.client = nullptr;
    if (why) *why = "the JACK server refused the device's ports";
    return nullptr;
  }
  for (jack_port_t* p : {src, dst}) {
    const JackProcess::MetadataLock lock;
    if (desc.manufacturer)
      jack_set_property(client, jack_port_uuid(p), kJackManufacturerKey,
                        desc.manufacturer->c_str(), nullptr);
    if (desc.model)
      jack_set_property(client, jack_port_uuid(p), kJackModelKey, desc.model->c_str(), nullptr);
  }
  s.in = std::make_unique<JackInPipe>(dst, kRingBytes);
  s.out = std::make_unique<JackOutPipe>(src, kRingBytes);
  jack_set_process_callback(client, &State::Process, &s);
  if (jack_activate(client) != 0) {
    jack_client_close(client);
    s.client = nullptr;
    if (why) *why = "the JACK server refused to run the device";
    return nullptr;
  }
  s.thread = std::thread([&s] { s.Run(); });
  s.threadId = s.thread.get_id();
  return dev;
}

JackDevice::~JackDevice() {
  State& s = *state_;
  s.stop.store(true);
  s.wake.Give();
  if (s.thread.joinable()) s.thread.join();
  if (s.client) {
    jack_deactivate(s.client);
    jack_client_close(s.client);
  }
}

std::string JackDevice::SourceKey() const { return jack_port_name(state_->out->port()); }

std::string JackDevice::DestinationKey() const { return jack_port_name(state_->in->port()); }

void JackDevice::SetReceiver(std::function<void(const uint8_t*, size_t)> receiver) {
  State& s = *state_;
  Monitor::Hold lock(s.monitor.mutex());
  s.receiver = std::move(receiver);
  if (std::this_thread::get_id() != s.threadId) s.monitor.Wait(lock, [&] { return !s.delivering; });
}

void JackDevice::Emit(const uint8_t* data, size_t length) {
  if (!data || length == 0) return;
  auto pieces = OutputPieces::Messages(data, length, kPieceBytes);
  {
    Monitor::Hold hold(state_->monitor.mutex());
    for (auto& p : pieces) {
      state_->queuedBytes += p.size();
      state_->queue.push_back(std::move(p));
    }
  }
  state_->Feed();
}

size_t JackDevice::Pending() const {
  Monitor::Hold hold(state_->monitor.mutex());
  return state_->queuedBytes + (state_->out->Empty() ? 0 : 1);
}

void JackDevice::LateAtNextInput(unsigned ms) { state_->lateMs.store(ms); }

uint64_t JackDevice::Dropped() const { return state_->in->Dropped(); }

size_t JackDevice::Writers() const {
  const int n = jack_port_connected(state_->in->port());
  return n > 0 ? static_cast<size_t>(n) : 0;
}

}  // namespace os::midi
