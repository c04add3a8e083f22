#include "platform/CHfcCriticalSection.h"

CHfcCriticalSection::CHfcCriticalSection() = default;

CHfcCriticalSection::~CHfcCriticalSection() = default;

int CHfcCriticalSection::Lock() {
  lock_.lock();
  return 0;
}

int CHfcCriticalSection::Unlock() {
  lock_.unlock();
  return 0;
}

bool CHfcCriticalSection::TryLock() { return lock_.try_lock(); }
