#include "host/IdleTaskQueue.h"

#include <algorithm>

void IdleTaskQueue::Demand(int id) {
  std::lock_guard lock(mutex_);
  if (id >= 1 && id <= 4 && id == doing_) return;
  if (std::find(queue_.begin(), queue_.end(), id) != queue_.end()) return;
  queue_.push_back(id);
}

void IdleTaskQueue::RunTick(const Runner& run) {
  for (;;) {
    int id;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) return;
      id = queue_.front();
      queue_.pop_front();
    }
    if (id == kEndTick) return;
    const int outer = doing_.exchange(id);
    struct Restore {
      std::atomic<int>& doing;
      int outer;
      ~Restore() { doing = outer; }
    } restore{doing_, outer};
    run(id);
  }
}

std::deque<int> IdleTaskQueue::Pending() {
  std::lock_guard lock(mutex_);
  return queue_;
}

IdleTaskQueue& GetIdleTaskQueue() {
  static IdleTaskQueue queue;
  return queue;
}

void DemandIdleTask(int id) { GetIdleTaskQueue().Demand(id); }
