#include "platform/XEvent.h"

#include <mutex>

XEvent::~XEvent() { Destroy(); }

bool XEvent::Create() {
  Destroy();
  monitor_ = std::make_unique<os::Monitor>();
  return true;
}

void XEvent::Destroy() { monitor_.reset(); }

bool XEvent::Reset() {
  if (!monitor_) return false;
  os::Monitor::Hold lock(monitor_->mutex());
  signalled_ = false;
  return true;
}

void XEvent::Set() {
  if (!monitor_) return;
  os::Monitor::Hold lock(monitor_->mutex());
  signalled_ = true;
  monitor_->NotifyAll();
}

bool XEvent::Wait(unsigned int ms) {
  if (!monitor_) return false;
  os::Monitor::Hold lock(monitor_->mutex());
  const uint64_t deadline = ms == kInfinite ? os::kNoDeadline : os::DeadlineAfterMs(ms);
  if (!monitor_->WaitUntil(lock, deadline, [this] { return signalled_; })) return false;
  signalled_ = false;
  return true;
}
