#pragma once
// Fixed ring of timed short messages ordered by due time; events due
// together keep the order in which they were pushed. Never allocates after
// commit. Every operation takes the queue's own lock.
#include <cstdint>
#include <memory>

#include "platform/CHfcCriticalSection.h"

class EventQueue {
 public:
  struct Event {
    long long time = 0;  // due, in microseconds
    uint8_t data[4] = {};
    uint32_t length = 0;  // 1-4
  };

  bool commit(int capacity);  // false for a capacity below 1
  void decommit();
  bool push(const Event& e);  // false when full
  bool peeknext(long long* time);
  bool pop(Event* e);
  // Pops the next event only when it is due at or before notAfter.
  bool pop(Event* e, long long notAfter);
  void clear();
  int count();

 private:
  int Slot(int i) const { return (read_ + i) % capacity_; }

  CHfcCriticalSection cs_;
  std::unique_ptr<Event[]> events_;
  int capacity_ = 0;
  int count_ = 0;
  int write_ = 0;
  int read_ = 0;
};
