#include "os/midi/alsa/AlsaDevice.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include "os/Monitor.h"
#include "os/midi/OutputPieces.h"

namespace os::midi {
namespace {
constexpr size_t kPieceBytes = 256;
}  // namespace

struct AlsaDevice::State {
  snd_seq_t* seq = nullptr;
  int source = -1;
  int destination = -1;
  std::string name;
  int wake[2] = {-1, -1};
  std::atomic<bool> stop{false};
  std::thread thread;
  std::thread::id threadId;
  // Guards the receiver and the two claims below.
  Monitor monitor{Monitor::kRealTime};
  std::function<void(const uint8_t*, size_t)> receiver;
  bool delivering = false;
  // An Emit is sending: one at a time keeps the order. It is claimed, not
  // held as a lock, as an Emit waits while the sequencer is full.
  bool emitting = false;

  void Run() {
    snd_midi_event_t* decoder = nullptr;
    snd_midi_event_new(kPieceBytes, &decoder);
    if (decoder) snd_midi_event_no_status(decoder, 1);
    const int n = snd_seq_poll_descriptors_count(seq, POLLIN);
    std::vector<pollfd> fds(size_t(n > 0 ? n : 0) + 1);
    snd_seq_poll_descriptors(seq, fds.data() + 1, unsigned(n > 0 ? n : 0), POLLIN);
    fds[0] = {wake[0], POLLIN, 0};
    uint8_t buf[kPieceBytes];
    while (!stop.load()) {
      if (poll(fds.data(), fds.size(), 100) < 0 && errno != EINTR) break;
      snd_seq_event_t* ev = nullptr;
      while (!stop.load() && snd_seq_event_input(seq, &ev) >= 0 && ev) {
        if (ev->dest.port != destination) continue;
        const uint8_t* data = nullptr;
        long len = 0;
        if (ev->type == SND_SEQ_EVENT_SYSEX) {
          data = static_cast<const uint8_t*>(ev->data.ext.ptr);
          len = long(ev->data.ext.len);
        } else if (decoder) {
          snd_midi_event_reset_decode(decoder);
          len = snd_midi_event_decode(decoder, buf, sizeof buf, ev);
          data = buf;
        }
        if (len <= 0) continue;
        std::function<void(const uint8_t*, size_t)> r;
        {
          Monitor::Hold hold(monitor.mutex());
          r = receiver;
          delivering = true;
        }
        if (r) r(data, size_t(len));
        Monitor::Hold hold(monitor.mutex());
        delivering = false;
        monitor.NotifyAll();
      }
    }
    if (decoder) snd_midi_event_free(decoder);
  }
};

AlsaDevice::AlsaDevice() : state_(std::make_unique<State>()) {}

std::unique_ptr<AlsaDevice> AlsaDevice::Open(const std::string& clientName, std::string* why) {
  if (access("/dev/snd/seq", R_OK | W_OK) != 0) {
    if (why) *why = "no sequencer device (/dev/snd/seq)";
    return nullptr;
  }
  std::unique_ptr<AlsaDevice> dev(new AlsaDevice);
  State& s = *dev->state_;
  if (snd_seq_open(&s.seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0) {
    s.seq = nullptr;
    if (why) *why = "the sequencer refused a client";
    return nullptr;
  }
  snd_seq_set_client_name(s.seq, clientName.c_str());
  s.name = clientName;
  const unsigned type = SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION;
  s.source = snd_seq_create_simple_port(s.seq, "out", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ, type);
  s.destination =
      snd_seq_create_simple_port(s.seq, "in", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE, type);
  if (s.source < 0 || s.destination < 0 || pipe(s.wake) != 0) {
    if (why) *why = "the sequencer refused the device's ports";
    return nullptr;
  }
  s.thread = std::thread([&s] { s.Run(); });
  s.threadId = s.thread.get_id();
  return dev;
}

AlsaDevice::~AlsaDevice() {
  State& s = *state_;
  s.stop.store(true);
  if (s.wake[1] >= 0) (void)!write(s.wake[1], "x", 1);
  if (s.thread.joinable()) s.thread.join();
  if (s.seq) snd_seq_close(s.seq);
  for (int fd : s.wake)
    if (fd >= 0) close(fd);
}

std::string AlsaDevice::ClientName() const { return state_->name; }

void AlsaDevice::SetReceiver(std::function<void(const uint8_t*, size_t)> receiver) {
  State& s = *state_;
  Monitor::Hold lock(s.monitor.mutex());
  s.receiver = std::move(receiver);
  if (std::this_thread::get_id() != s.threadId) s.monitor.Wait(lock, [&] { return !s.delivering; });
}

void AlsaDevice::Emit(const uint8_t* data, size_t length) {
  State& s = *state_;
  {
    Monitor::Hold lock(s.monitor.mutex());
    s.monitor.Wait(lock, [&] { return !s.emitting; });
    s.emitting = true;
  }
  // Given back however the sending ends.
  struct Release {
    State& s;
    ~Release() {
      Monitor::Hold hold(s.monitor.mutex());
      s.emitting = false;
      s.monitor.NotifyAll();
    }
  } release{s};
  EmitClaimed(data, length);
}

void AlsaDevice::EmitClaimed(const uint8_t* data, size_t length) {
  State& s = *state_;
  snd_midi_event_t* encoder = nullptr;
  if (snd_midi_event_new(kPieceBytes, &encoder) < 0) return;
  for (auto& piece : OutputPieces::Messages(data, length, kPieceBytes)) {
    snd_seq_event_t ev;
    snd_seq_ev_clear(&ev);
    if (piece[0] == 0xF0 || piece[0] < 0x80) {
      snd_seq_ev_set_sysex(&ev, piece.size(), piece.data());
    } else {
      snd_midi_event_reset_encode(encoder);
      if (snd_midi_event_encode(encoder, piece.data(), long(piece.size()), &ev) <= 0 ||
          ev.type == SND_SEQ_EVENT_NONE)
        continue;
    }
    snd_seq_ev_set_source(&ev, s.source);
    snd_seq_ev_set_subs(&ev);
    snd_seq_ev_set_direct(&ev);
    // The sequencer is full: wait until it has room.
    while (!s.stop.load()) {
      const int r = snd_seq_event_output_direct(s.seq, &ev);
      if (r != -EAGAIN && r != -ENOMEM) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  snd_midi_event_free(encoder);
}

}  // namespace os::midi
