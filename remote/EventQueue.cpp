#include "remote/EventQueue.h"

#include <climits>

bool EventQueue::commit(int capacity) {
  CHfcCriticalSectionLock lock(cs_);
  if (capacity < 1) return false;
  events_ = std::make_unique<Event[]>(capacity);
  capacity_ = capacity;
  count_ = write_ = read_ = 0;
  return true;
}

void EventQueue::decommit() {
  CHfcCriticalSectionLock lock(cs_);
  events_.reset();
  capacity_ = count_ = write_ = read_ = 0;
}

bool EventQueue::push(const Event& e) {
  CHfcCriticalSectionLock lock(cs_);
  if (count_ >= capacity_) return false;
  // Walk back from the newest event past those due strictly later.
  int pos = count_;
  while (pos > 0 && events_[Slot(pos - 1)].time > e.time) --pos;
  for (int i = count_; i > pos; --i) events_[Slot(i)] = events_[Slot(i - 1)];
  events_[Slot(pos)] = e;
  write_ = (write_ + 1) % capacity_;
  ++count_;
  return true;
}

bool EventQueue::peeknext(long long* time) {
  CHfcCriticalSectionLock lock(cs_);
  if (count_ == 0) return false;
  if (time) *time = events_[read_].time;
  return true;
}

bool EventQueue::pop(Event* e) { return pop(e, LLONG_MAX); }

bool EventQueue::pop(Event* e, long long notAfter) {
  CHfcCriticalSectionLock lock(cs_);
  if (count_ == 0 || events_[read_].time > notAfter) return false;
  if (e) *e = events_[read_];
  read_ = (read_ + 1) % capacity_;
  --count_;
  return true;
}

void EventQueue::clear() {
  CHfcCriticalSectionLock lock(cs_);
  count_ = write_ = read_ = 0;
}

int EventQueue::count() {
  CHfcCriticalSectionLock lock(cs_);
  return count_;
}
