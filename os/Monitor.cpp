#include "os/Monitor.h"

#include <chrono>

#include "os/Lock.h"
#include "os/SimState.h"

namespace os {

namespace {
uint64_t SteadyNowUs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}
}  // namespace

Monitor::Monitor(Clocking clocking) {
  // Under a virtual clock every Monitor shares the simulation's lock, so
  // that the clock sees at once which threads wait and for what; each keeps
  // its own condition, so that a notice wakes only its own waiters.
  detail::Sim* s = clocking == kFollowClock ? detail::ActiveSim() : nullptr;
  mutex_ = s ? &s->m : &own_mutex_;
  virtual_ = s != nullptr;
  realTime_ = clocking == kRealTime;
}

Monitor::~Monitor() = default;

uint64_t Monitor::Now() const { return realTime_ ? SteadyNowUs() : NowUs(); }

bool Monitor::WaitFor(std::unique_lock<std::mutex>& lock, uint64_t ms, const std::function<bool()>& pred) {
  const uint64_t now = Now();
  const uint64_t deadline = ms >= (kNoDeadline - now) / 1000 ? kNoDeadline : now + ms * 1000;
  return WaitUntil(lock, deadline, pred);
}

bool Monitor::WaitUntil(std::unique_lock<std::mutex>& lock, uint64_t deadlineUs,
                        const std::function<bool()>& pred) {
  if (!virtual_) {
    if (pred()) return true;
    if (deadlineUs != kNoDeadline && deadlineUs <= Now()) return false;
    CheckNoLockHeldAcrossWait("os::Monitor");
    if (deadlineUs == kNoDeadline) {
      cv_.wait(lock, pred);
      return true;
    }
    using namespace std::chrono;
    const steady_clock::time_point tp{microseconds(deadlineUs)};
    return cv_.wait_until(lock, tp, pred);
  }

  detail::Sim* sim = detail::ActiveSim();
  if (pred()) return true;
  if (sim->now >= deadlineUs) return false;
  CheckNoLockHeldAcrossWait("os::Monitor");
  const bool tracked = detail::ThreadIsTracked();
  detail::SimWaiter me{&pred, deadlineUs, &cv_, tracked};
  sim->waiters.push_back(&me);
  if (tracked) --sim->running;
  bool result;
  for (;;) {
    if (pred()) { result = true; break; }
    if (sim->now >= deadlineUs) { result = false; break; }
    if (tracked) sim->MaybeAdvance();
    if (pred()) { result = true; break; }
    if (sim->now >= deadlineUs) { result = false; break; }
    cv_.wait(lock);
  }
  sim->waiters.remove(&me);
  if (tracked) ++sim->running;
  return result;
}

void Monitor::NotifyAll() { cv_.notify_all(); }

ScopedTrackedThread::ScopedTrackedThread() : entered_(false) {
  detail::Sim* sim = detail::ActiveSim();
  if (sim == nullptr || detail::ThreadIsTracked()) return;
  std::lock_guard<std::mutex> g(sim->m);
  sim->EnterTracked();
  detail::ThreadIsTracked() = true;
  entered_ = true;
}

ScopedTrackedThread::~ScopedTrackedThread() {
  if (!entered_) return;
  detail::Sim* sim = detail::ActiveSim();
  if (sim == nullptr) return;
  std::lock_guard<std::mutex> g(sim->m);
  detail::ThreadIsTracked() = false;
  sim->LeaveTracked();
}

}  // namespace os
