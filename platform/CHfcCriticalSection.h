#pragma once
// The framework's standard recursive lock around shared state.
#include <pthread.h>

class CHfcCriticalSection {
 public:
  CHfcCriticalSection();
  virtual ~CHfcCriticalSection();
  CHfcCriticalSection(const CHfcCriticalSection&) = delete;
  CHfcCriticalSection& operator=(const CHfcCriticalSection&) = delete;

  int Lock();
  int Unlock();
  bool TryLock();

 private:
  pthread_mutex_t mutex_;
};

// Scope guard for a CHfcCriticalSection.
class CHfcCriticalSectionLock {
 public:
  explicit CHfcCriticalSectionLock(CHfcCriticalSection& cs) : cs_(cs) { cs_.Lock(); }
  ~CHfcCriticalSectionLock() { cs_.Unlock(); }
  CHfcCriticalSectionLock(const CHfcCriticalSectionLock&) = delete;
  CHfcCriticalSectionLock& operator=(const CHfcCriticalSectionLock&) = delete;

 private:
  CHfcCriticalSection& cs_;
};
