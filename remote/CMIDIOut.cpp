#include "remote/CMIDIOut.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "os/Clock.h"

CMIDIOut::CMIDIOut() : platform_(MIDIOutCreate()) {}

CMIDIOut::~CMIDIOut() { Close(); }

bool CMIDIOut::Open(const MIDIDevKey* key, int a, int b, int capacity) {
  Close();
  if (!key || key->type != kDevTypeTarget || capacity < 1) return false;
  if (!platform_->Open(key, a, b)) return false;
  {
    std::lock_guard<os::Lock> lock(gate_);
    type_ = key->type;
    out_ = platform_.get();
  }
  queue_.commit(capacity);
  wake_.Create();
  open_ = true;
  wake_.Reset();
  if (!thread_.Run(this)) {
    Close();
    return false;
  }
  return true;
}

void CMIDIOut::Close() {
  {
    std::lock_guard<os::Lock> lock(gate_);
    if (!open_ && !out_) return;
    open_ = false;
    wake_.Set();
  }
  thread_.Join();
  wake_.Destroy();
  IMIDIOut* out = nullptr;
  {
    std::lock_guard<os::Lock> lock(gate_);
    out = out_;
    out_ = nullptr;
    type_ = kDevTypeUnknown;
  }
  if (out) {
    // Messages already due still go out, in order: a disconnect sends its
    // last settings (Local Control) just before it closes the output. The
    // output thread has ended; a SysEx sender would have to be done too.
    const long long now = static_cast<long long>(os::NowUs() / 1000 * 1000);
    EventQueue::Event e;
    while (queue_.pop(&e, now + 999)) out->SendShort(e.data, e.length);
    out->Close();
  }
  queue_.decommit();
}

int CMIDIOut::SendShort(long long timeUs, const void* data, unsigned len) {
  if (!data || len == 0 || len > sizeof(EventQueue::Event::data)) return Oskend::kRemoteFailed;
  EventQueue::Event e;
  e.time = timeUs;
  std::memcpy(e.data, data, len);
  e.length = len;
  std::lock_guard<os::Lock> lock(gate_);
  if (!open_) return Oskend::kRemoteFailed;
  if (!queue_.push(e)) return Oskend::kRemoteQueueFull;
  wake_.Set();
  return 0;
}

int CMIDIOut::SendLong(const void* data, unsigned len) {
  IMIDIOut* out = nullptr;
  {
    // Close clears the output under this lock.
    std::lock_guard<os::Lock> lock(gate_);
    if (!open_ || out_ == nullptr) return Oskend::kRemoteFailed;
    out = out_;
  }
  // The output object lives as long as this one; a Close meanwhile makes the
  // send fail.
  const bool sent = out->SendLong(data, len, IMIDIOut::kInfinite);
  return sent ? 0 : Oskend::kRemoteFailed;
}

bool CMIDIOut::ClearPendings() {
  std::lock_guard<os::Lock> lock(gate_);
  if (!open_) return false;
  queue_.clear();
  wake_.Set();
  return true;
}

CMIDIOut::WireHold::WireHold(CMIDIOut& out) : out_(out) {
  os::Monitor::Hold lock(out_.wire_.mutex());
  out_.longOnWire_ = true;
  out_.wire_.Wait(lock, [this] { return !out_.shortOnWire_; });
}

CMIDIOut::WireHold::~WireHold() {
  {
    os::Monitor::Hold lock(out_.wire_.mutex());
    out_.longOnWire_ = false;
  }
  // The output thread looks again at what fell due meanwhile.
  std::lock_guard<os::Lock> lock(out_.gate_);
  if (out_.open_) out_.wake_.Set();
}

bool CMIDIOut::TakeWireForShort() {
  os::Monitor::Hold lock(wire_.mutex());
  if (longOnWire_) return false;
  shortOnWire_ = true;
  return true;
}

void CMIDIOut::GiveWireBack() {
  os::Monitor::Hold lock(wire_.mutex());
  shortOnWire_ = false;
  wire_.NotifyAll();
}

uint32_t CMIDIOut::ThreadProc() {
  long long delayMs = -1;  // -1: until woken
  while (open_) {
    if (delayMs != 0) {
      const unsigned wait = delayMs < 0
          ? XEvent::kInfinite
          : static_cast<unsigned>(std::min<long long>(delayMs, XEvent::kInfinite - 1));
      wake_.Wait(wait);
      if (!open_) break;
    }
    long long due = 0;
    if (!queue_.peeknext(&due)) {
      delayMs = -1;
      continue;
    }
    const long long now = static_cast<long long>(os::NowUs() / 1000 * 1000);
    delayMs = (due - now) / 1000;
    if (delayMs >= 1) continue;
    // A SysEx on the wire keeps what is due queued; its end wakes us.
    if (!TakeWireForShort()) {
      delayMs = -1;
      continue;
    }
    EventQueue::Event e;
    // Checked again: the queue may have been cleared and refilled since.
    if (queue_.pop(&e, now + 999)) out_->SendShort(e.data, e.length);
    GiveWireBack();
    delayMs = 0;
  }
  return 0;
}
