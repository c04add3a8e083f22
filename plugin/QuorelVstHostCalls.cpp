#include "plugin/QuorelVstHostCalls.h"

#include <mutex>

#include "plugin/Vst2Abi.h"

static_assert(std::atomic<std::thread::id>::is_always_lock_free,
              "the audio thread asks which threads are the host's GUI threads");

void QuorelVstHostCalls::Queue(const Call& call) {
  std::lock_guard<os::Lock> g(lock_);
  if (Closed()) return;
  if (call.opcode == audioMasterUpdateDisplay) {
    for (const Call& c : waiting_)
      if (c.opcode == audioMasterUpdateDisplay) return;
  }
  if (call.opcode == audioMasterAutomate && waiting_.size() > kMergeAbove &&
      waiting_.back().opcode == audioMasterAutomate && waiting_.back().index == call.index) {
    waiting_.back() = call;
    return;
  }
  waiting_.push_back(call);
}

void QuorelVstHostCalls::NoteGuiThread() {
  const std::thread::id self = std::this_thread::get_id();
  for (auto& slot : guiThreads_) {
    std::thread::id seen = slot.load(std::memory_order_acquire);
    if (seen == std::thread::id() && slot.compare_exchange_strong(seen, self, std::memory_order_acq_rel))
      return;
    // (A failed exchange leaves what the slot holds in seen.)
    if (seen == self) return;
  }
  // More GUI threads than slots: the first ones keep theirs.
}

bool QuorelVstHostCalls::IsGuiThread() const {
  const std::thread::id self = std::this_thread::get_id();
  for (const auto& slot : guiThreads_)
    if (slot.load(std::memory_order_acquire) == self) return true;
  return false;
}

void QuorelVstHostCalls::Deliver() {
  {
    std::lock_guard<os::Lock> g(lock_);
    if (delivering_ || waiting_.empty()) return;
    delivering_ = true;
  }
  for (;;) {
    Call call;
    {
      std::lock_guard<os::Lock> g(lock_);
      if (waiting_.empty() || Closed()) {
        delivering_ = false;
        return;
      }
      call = waiting_.front();
      waiting_.pop_front();
    }
    send_(call);
  }
}

void QuorelVstHostCalls::Close() {
  std::lock_guard<os::Lock> g(lock_);
  closed_.store(true, std::memory_order_release);
  waiting_.clear();
}

size_t QuorelVstHostCalls::Waiting() const {
  std::lock_guard<os::Lock> g(lock_);
  return waiting_.size();
}
