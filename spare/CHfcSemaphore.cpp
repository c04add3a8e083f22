#include "spare/CHfcSemaphore.h"

#include <mutex>

#include "os/Monitor.h"

const long CHfcSemaphore::sm_aiMacPolicies[2] = {0, 1};

struct CHfcSemaphore::State {
  os::Monitor monitor;
  long count = 0;
};

CHfcSemaphore::CHfcSemaphore(long policy, long initialCount)
    : state_(std::make_unique<State>()),
      policy_(policy >= 0 && policy <= 1 ? sm_aiMacPolicies[policy] : sm_aiMacPolicies[0]) {
  state_->count = initialCount > 0 ? initialCount : 0;
}

CHfcSemaphore::~CHfcSemaphore() = default;

bool CHfcSemaphore::Wait() {
  os::Monitor::Hold lock(state_->monitor.mutex());
  state_->monitor.Wait(lock, [this] { return state_->count > 0; });
  --state_->count;
  return true;
}

int CHfcSemaphore::Wait(unsigned long ms) {
  os::Monitor::Hold lock(state_->monitor.mutex());
  if (!state_->monitor.WaitFor(lock, ms, [this] { return state_->count > 0; })) {
    return -1;
  }
  --state_->count;
  return 0;
}

bool CHfcSemaphore::Signal() {
  {
    os::Monitor::Hold lock(state_->monitor.mutex());
    ++state_->count;
  }
  state_->monitor.NotifyAll();
  return true;
}
