#pragma once
// Timed work on a tracked thread of its own: items run in order of due time
// (on os::NowUs; items due together in posting order), never with a lock of
// this object held. Each item carries two tags, so that all the work of one
// wire or of one port can be withdrawn at once.
#include <cstdint>
#include <functional>
#include <map>
#include <thread>
#include <utility>

#include "os/Monitor.h"
#include "os/Thread.h"

namespace os::midi {

class DeliveryThread {
 public:
  using Fn = std::function<void()>;

  DeliveryThread();
  ~DeliveryThread();
  DeliveryThread(const DeliveryThread&) = delete;
  DeliveryThread& operator=(const DeliveryThread&) = delete;

  bool Start();
  // Drops what is pending and joins the thread; posts are ignored after.
  void Stop();
  // Tags are non-zero to be withdrawable; 0 matches nothing.
  void Post(uint64_t dueUs, uint64_t tagA, uint64_t tagB, Fn fn);
  // Drops the pending items that carry `tag` and, when one that carries it
  // is running on another thread, waits for it to finish. Returns how many
  // were dropped.
  size_t Cancel(uint64_t tag);
  bool IsCurrent();

 private:
  struct Item {
    uint64_t tagA;
    uint64_t tagB;
    Fn fn;
  };
  using Key = std::pair<uint64_t, uint64_t>;  // due time, posting order

  void Run();
  bool RunningCarries(uint64_t tag) const;

  Monitor monitor_;
  std::map<Key, Item> items_;
  uint64_t seq_ = 0;
  uint64_t changes_ = 0;
  bool stopped_ = false;
  bool running_ = false;
  uint64_t runA_ = 0;
  uint64_t runB_ = 0;
  std::thread::id runner_;
  Thread thread_;
};

}  // namespace os::midi
