#include "os/midi/DeliveryThread.h"

#include <mutex>
#include <vector>

#include "os/Clock.h"
#include "os/ErrorReport.h"

namespace os::midi {

DeliveryThread::DeliveryThread() = default;

DeliveryThread::~DeliveryThread() { Stop(); }

bool DeliveryThread::Start() {
  {
    Monitor::Hold lock(monitor_.mutex());
    stopped_ = false;
  }
  return thread_.Start([this] { Run(); });
}

void DeliveryThread::Stop() {
  std::map<Key, Item> dropped;
  {
    Monitor::Hold lock(monitor_.mutex());
    stopped_ = true;
    dropped.swap(items_);
    ++changes_;
    monitor_.NotifyAll();
  }
  // Dropped items are destroyed here, without the lock: what they hold may
  // take other locks on its way out.
  dropped.clear();
  thread_.Join();
}

void DeliveryThread::Post(uint64_t dueUs, uint64_t tagA, uint64_t tagB, Fn fn) {
  Monitor::Hold lock(monitor_.mutex());
  if (stopped_) {
    lock.unlock();
    return;
  }
  items_.emplace(Key{dueUs, seq_++}, Item{tagA, tagB, std::move(fn)});
  ++changes_;
  monitor_.NotifyAll();
}

bool DeliveryThread::RunningCarries(uint64_t tag) const {
  return running_ && (runA_ == tag || runB_ == tag);
}

size_t DeliveryThread::Cancel(uint64_t tag) {
  if (tag == 0) return 0;
  std::vector<Item> dropped;
  {
    Monitor::Hold lock(monitor_.mutex());
    for (auto it = items_.begin(); it != items_.end();) {
      if (it->second.tagA == tag || it->second.tagB == tag) {
        dropped.push_back(std::move(it->second));
        it = items_.erase(it);
      } else {
        ++it;
      }
    }
    if (!dropped.empty()) {
      ++changes_;
      monitor_.NotifyAll();
    }
    if (std::this_thread::get_id() != runner_)
      monitor_.Wait(lock, [&] { return !RunningCarries(tag); });
  }
  return dropped.size();
}

bool DeliveryThread::IsCurrent() {
  Monitor::Hold lock(monitor_.mutex());
  return std::this_thread::get_id() == runner_;
}

void DeliveryThread::Run() {
  Monitor::Hold lock(monitor_.mutex());
  runner_ = std::this_thread::get_id();
  while (!stopped_) {
    if (items_.empty()) {
      monitor_.Wait(lock, [&] { return stopped_ || !items_.empty(); });
      continue;
    }
    const uint64_t due = items_.begin()->first.first;
    if (due > NowUs()) {
      const uint64_t seen = changes_;
      monitor_.WaitUntil(lock, due,
                         [&] { return stopped_ || changes_ != seen || NowUs() >= due; });
      continue;
    }
    auto it = items_.begin();
    Item item = std::move(it->second);
    items_.erase(it);
    running_ = true;
    runA_ = item.tagA;
    runB_ = item.tagB;
    lock.unlock();
    try {
      item.fn();
    } catch (...) {
      // Work of a client must not end the system's thread.
      os::ReportCaughtException("DeliveryThread work item");
    }
    item.fn = nullptr;
    lock.lock();
    running_ = false;
    monitor_.NotifyAll();
  }
  runner_ = std::thread::id();
}

}  // namespace os::midi
