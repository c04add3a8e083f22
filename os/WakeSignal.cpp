#include "os/WakeSignal.h"

#include <cerrno>
#include <mutex>

#include "os/Lock.h"
#include "os/Monitor.h"
#include "os/SimState.h"

namespace os {

WakeSignal::WakeSignal() {
  ::sem_init(&semaphore_, 0, 0);
  if (detail::ActiveSim() != nullptr) simulated_ = std::make_unique<Monitor>();
}

WakeSignal::~WakeSignal() { ::sem_destroy(&semaphore_); }

void WakeSignal::Signal() {
  // Only the first signal since the last wake posts: the semaphore's count
  // stays at most one.
  if (pending_.exchange(true, std::memory_order_acq_rel)) return;
  if (simulated_) {
    Monitor::Hold g(simulated_->mutex());
    simulated_->NotifyAll();
    return;
  }
  ::sem_post(&semaphore_);
}

void WakeSignal::Wait() {
  if (simulated_) {
    Monitor::Hold lock(simulated_->mutex());
    simulated_->Wait(lock, [this] { return pending_.load(std::memory_order_acquire); });
    pending_.exchange(false, std::memory_order_acq_rel);
    return;
  }
  // Every post follows the flag's change to set, and every wake consumes
  // one post and clears the flag: the count stays at most one.
  if (!pending_.load(std::memory_order_acquire)) CheckNoLockHeldAcrossWait("os::WakeSignal");
  while (::sem_wait(&semaphore_) != 0 && errno == EINTR) {
  }
  pending_.exchange(false, std::memory_order_acq_rel);
}

}  // namespace os
