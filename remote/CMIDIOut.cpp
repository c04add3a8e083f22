#include "remote/CMIDIOut.h"

#include <algorithm>
#include <cstring>

#include "os/Clock.h"

CMIDIOut::CMIDIOut() : platform_(MIDIOutCreate()) { room_.Create(); }

CMIDIOut::~CMIDIOut() { Close(); }

bool CMIDIOut::Open(const MIDIDevKey* key, int a, int b, int capacity) {
  Close();
  if (!key || key->type != kDevTypeTarget || capacity < 1) return false;
  if (!platform_->Open(key, a, b)) return false;
  {
    CHfcCriticalSectionLock lock(gate_);
    type_ = key->type;
    out_ = platform_.get();
  }
  queue_.commit(capacity);
  wake_.Create();
  mutex_.Create();
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
    CHfcCriticalSectionLock lock(gate_);
    if (!open_ && !out_) return;
    open_ = false;
    wake_.Set();
  }
  room_.Set();
  thread_.Join();
  wake_.Destroy();
  IMIDIOut* out = nullptr;
  {
    CHfcCriticalSectionLock lock(gate_);
    out = out_;
    out_ = nullptr;
    type_ = kDevTypeUnknown;
  }
  if (out) {
    // Messages already due still go out, in order: a disconnect sends its
    // last settings (Local Control) just before it closes the output.
    const long long now = static_cast<long long>(os::NowUs() / 1000 * 1000);
    COutputMutexLock wire(mutex_);
    EventQueue::Event e;
    while (queue_.pop(&e, now + 999)) out->SendShort(e.data, e.length);
  }
  if (out) out->Close();
  mutex_.Destroy();
  queue_.decommit();
}

int CMIDIOut::SendShort(long long timeUs, const void* data, unsigned len) {
  if (!data || len == 0 || len > sizeof(EventQueue::Event::data)) return Oskend::kRemoteFailed;
  EventQueue::Event e;
  e.time = timeUs;
  std::memcpy(e.data, data, len);
  e.length = len;
  CHfcCriticalSectionLock lock(gate_);
  if (!open_) return Oskend::kRemoteFailed;
  if (!queue_.push(e)) return Oskend::kRemoteQueueFull;
  wake_.Set();
  return 0;
}

int CMIDIOut::SendShortWaiting(long long timeUs, const void* data, unsigned len,
                               unsigned maxWaitMs) {
  const uint64_t deadline = os::NowUs() + static_cast<uint64_t>(maxWaitMs) * 1000;
  for (;;) {
    const int r = SendShort(timeUs, data, len);
    if (r != Oskend::kRemoteQueueFull) return r;
    const uint64_t now = os::NowUs();
    if (now >= deadline) return r;
    // Room comes only when the earliest event falls due: one due after the
    // deadline is not waited for.
    long long due = 0;
    if (queue_.peeknext(&due) && due > static_cast<long long>(deadline)) return r;
    room_.Wait(static_cast<unsigned>((deadline - now + 999) / 1000));
  }
}

int CMIDIOut::SendLong(const void* data, unsigned len) {
  IMIDIOut* out = nullptr;
  {
    // Close clears the output under this lock.
    CHfcCriticalSectionLock lock(gate_);
    if (!open_ || out_ == nullptr) return Oskend::kRemoteFailed;
    out = out_;
  }
  // The output object lives as long as this one; a Close meanwhile makes the
  // send fail.
  const bool sent = out->SendLong(data, len, IMIDIOut::kInfinite);
  CHfcCriticalSectionLock lock(gate_);
  if (open_) wake_.Set();
  return sent ? 0 : Oskend::kRemoteFailed;
}

bool CMIDIOut::ClearPendings() {
  CHfcCriticalSectionLock lock(gate_);
  if (!open_) return false;
  queue_.clear();
  wake_.Set();
  room_.Set();
  return true;
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
    long long due;
    if (!queue_.peeknext(&due)) {
      delayMs = -1;
      continue;
    }
    const long long now = static_cast<long long>(os::NowUs() / 1000 * 1000);
    delayMs = (due - now) / 1000;
    if (delayMs < 1) {
      EventQueue::Event e;
      COutputMutexLock wire(mutex_);
      // Checked again: the queue may have been cleared and refilled since.
      if (queue_.pop(&e, now + 999)) {
        out_->SendShort(e.data, e.length);
        room_.Set();
      }
      delayMs = 0;
    }
  }
  return 0;
}
