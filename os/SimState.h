#pragma once
// Internal to os/: the shared state of an installed VirtualClock.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>

namespace os::detail {

// One thread in a Monitor wait. Each Monitor wakes only its own waiters;
// the clock wakes the one whose turn it is.
struct SimWaiter {
  const std::function<bool()>* pred;
  uint64_t deadline;
  std::condition_variable* cv;
  bool tracked;
};

struct Sim {
  std::mutex m;
  std::atomic<uint64_t> now{0};  // written under m, read without it
  int running = 0;  // tracked threads that are not waiting in a Monitor
  std::list<SimWaiter*> waiters;  // every thread in a Monitor wait
  uint64_t stalls = 0;

  // With `m` held: when no tracked thread can run, move time to the earliest
  // deadline among the tracked waiters and wake those it reaches.
  void MaybeAdvance();
  // With `m` held: wakes every waiter whose deadline has come.
  void WakeDue();
  void EnterTracked();  // with `m` held
  void LeaveTracked();  // with `m` held
};

// The installed simulation, or null.
Sim* ActiveSim();
bool& ThreadIsTracked();

}  // namespace os::detail
