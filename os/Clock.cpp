#include "os/Clock.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "os/SimState.h"
#include "os/StaticTls.h"

namespace os {
namespace detail {

namespace {
std::atomic<Sim*> g_sim{nullptr};
}

Sim* ActiveSim() { return g_sim.load(std::memory_order_acquire); }

bool& ThreadIsTracked() {
  thread_local bool tracked VESK_STATIC_TLS = false;
  return tracked;
}

void Sim::EnterTracked() { ++running; }

void Sim::LeaveTracked() {
  --running;
  MaybeAdvance();
}

void Sim::MaybeAdvance() {
  if (running > 0) return;
  uint64_t earliest = kNoDeadline;
  bool anyTracked = false;
  bool canRun = false;
  for (SimWaiter* w : waiters) {
    if (!w->tracked) continue;
    anyTracked = true;
    if ((*w->pred)() || w->deadline <= now) {
      // Woken already, or about to be: it has not run yet.
      w->cv->notify_all();
      canRun = true;
    }
    if (w->deadline < earliest) earliest = w->deadline;
  }
  if (canRun || !anyTracked) return;
  if (earliest == kNoDeadline) {
    // Every tracked thread waits for something nobody tracked will do. An
    // untracked thread may still do it, so this is reported, not fatal.
    if (stalls++ == 0)
      std::fprintf(stderr, "virtual clock: every tracked thread waits and nothing is due\n");
    return;
  }
  now.store(earliest, std::memory_order_release);
  WakeDue();
}

void Sim::WakeDue() {
  for (SimWaiter* w : waiters)
    if (w->deadline <= now) w->cv->notify_all();
}

void SetActiveSim(Sim* s) { g_sim.store(s, std::memory_order_release); }

}  // namespace detail

uint64_t NowUs() {
  if (detail::Sim* s = detail::ActiveSim()) return s->now.load(std::memory_order_acquire);
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

namespace {
detail::Sim* g_owned = nullptr;
}

VirtualClock::VirtualClock(uint64_t startUs) {
  if (detail::ActiveSim() != nullptr) {
    std::fprintf(stderr, "VirtualClock: a virtual clock is installed already\n");
    std::abort();
  }
  g_owned = new detail::Sim;
  g_owned->now = startUs;
  g_owned->running = 1;  // the installing thread
  detail::ThreadIsTracked() = true;
  detail::SetActiveSim(g_owned);
}

VirtualClock::~VirtualClock() {
  detail::SetActiveSim(nullptr);
  detail::ThreadIsTracked() = false;
  delete g_owned;
  g_owned = nullptr;
}

bool VirtualClock::Active() { return detail::ActiveSim() != nullptr; }

uint64_t VirtualClock::Now() const { return NowUs(); }

void VirtualClock::Advance(uint64_t us) {
  std::lock_guard<std::mutex> g(g_owned->m);
  g_owned->now.fetch_add(us, std::memory_order_acq_rel);
  g_owned->WakeDue();
}

uint64_t VirtualClock::Stalls() const {
  std::lock_guard<std::mutex> g(g_owned->m);
  return g_owned->stalls;
}

}  // namespace os
