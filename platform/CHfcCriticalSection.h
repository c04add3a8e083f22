#pragma once
// The framework's standard recursive lock around shared state: an
// os::Lock, so the rule of os/Sync.h holds for it (no wait while it is
// held).
#include "os/Lock.h"

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
  os::Lock lock_{os::Lock::kRecursive};
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
