#include "os/Monitor.h"

#include <chrono>

#include "os/SimState.h"

namespace os {

Monitor::Monitor() {
  if (detail::Sim* s = detail::ActiveSim()) {
    mutex_ = &s->m;
    cv_ = &s->cv;
    virtual_ = true;
  } else {
    mutex_ = &own_mutex_;
    cv_ = &own_cv_;
    virtual_ = false;
  }
}

Monitor::~Monitor() = default;

bool Monitor::WaitUntil(std::unique_lock<std::mutex>& lock, uint64_t deadlineUs,
                        const std::function<bool()>& pred) {
  if (!virtual_) {
    if (pred()) return true;
    if (deadlineUs != kNoDeadline && deadlineUs <= NowUs()) return false;
    if (deadlineUs == kNoDeadline) {
      cv_->wait(lock, pred);
      return true;
    }
    using namespace std::chrono;
    const steady_clock::time_point tp{microseconds(deadlineUs)};
    return cv_->wait_until(lock, tp, pred);
  }

  detail::Sim* sim = detail::ActiveSim();
  if (pred()) return true;
  if (sim->now >= deadlineUs) return false;
  const bool tracked = detail::ThreadIsTracked();
  detail::SimWaiter me{&pred, deadlineUs};
  if (tracked) {
    sim->waiters.push_back(&me);
    --sim->running;
  }
  bool result;
  for (;;) {
    if (pred()) { result = true; break; }
    if (sim->now >= deadlineUs) { result = false; break; }
    if (tracked) sim->MaybeAdvance();
    if (pred()) { result = true; break; }
    if (sim->now >= deadlineUs) { result = false; break; }
    cv_->wait(lock);
  }
  if (tracked) {
    sim->waiters.remove(&me);
    ++sim->running;
  }
  return result;
}

void Monitor::NotifyAll() { cv_->notify_all(); }

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
