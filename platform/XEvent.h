#pragma once
// Auto-reset signal: a successful Wait clears it, a Set with nobody waiting
// stays pending, and an event nobody sets is a timed sleep. Waits run on the
// monotonic clock (simulated under os::VirtualClock), so a step of the wall
// clock cannot shorten or stretch them.
#include <memory>

#include "os/Monitor.h"

class XEvent {
 public:
  static constexpr unsigned int kInfinite = 0xFFFFFFFFu;

  XEvent() = default;
  ~XEvent();
  XEvent(const XEvent&) = delete;
  XEvent& operator=(const XEvent&) = delete;

  bool Create();  // destroys first, so it also recreates
  bool Reset();
  // True when set (and clears it); false after ms milliseconds without a
  // set, or when the event was never created. kInfinite waits for a set.
  bool Wait(unsigned int ms);
  void Set();
  void Destroy();
  bool IsCreated() const { return monitor_ != nullptr; }

 private:
  std::unique_ptr<os::Monitor> monitor_;
  bool signalled_ = false;
};
