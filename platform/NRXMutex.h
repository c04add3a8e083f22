#pragma once
// POSIX mutex of the utility library. Kind 0 normal, 1 error-checking,
// 2 recursive, 3 default attributes; any other kind acts as 0 but is kept.
#include <pthread.h>

class NRXMutex {
 public:
  explicit NRXMutex(int kind);
  ~NRXMutex();
  NRXMutex(const NRXMutex&) = delete;
  NRXMutex& operator=(const NRXMutex&) = delete;

  bool Lock();     // false only on EDEADLK
  bool Trylock();  // false only on EBUSY
  int Unlock();    // the system result
  int kind() const { return kind_; }
  pthread_mutex_t* native() { return &mutex_; }

 private:
  pthread_mutex_t mutex_;
  int kind_;
};

// Scoped lock; with tryOnly it only tries. Unlocks at scope end when held.
class NRXStMutexLock {
 public:
  NRXStMutexLock(NRXMutex& m, bool tryOnly = false);
  ~NRXStMutexLock();
  NRXStMutexLock(const NRXStMutexLock&) = delete;
  NRXStMutexLock& operator=(const NRXStMutexLock&) = delete;
  bool IsLocked() const { return locked_; }

 private:
  NRXMutex& mutex_;
  bool locked_;
};

// Scoped try-lock; releases at scope end when it got the lock.
class NRXStMutexTrylock {
 public:
  explicit NRXStMutexTrylock(NRXMutex& m);
  ~NRXStMutexTrylock();
  NRXStMutexTrylock(const NRXStMutexTrylock&) = delete;
  NRXStMutexTrylock& operator=(const NRXStMutexTrylock&) = delete;
  bool IsLocked() const { return locked_; }

 private:
  NRXMutex& mutex_;
  bool locked_;
};

// Lets other threads in for a scope: unlocks now, locks again at scope end.
class NRXStMutexUnlock {
 public:
  explicit NRXStMutexUnlock(NRXMutex& m);
  ~NRXStMutexUnlock();
  NRXStMutexUnlock(const NRXStMutexUnlock&) = delete;
  NRXStMutexUnlock& operator=(const NRXStMutexUnlock&) = delete;

 private:
  NRXMutex& mutex_;
};

class NRXCondition {
 public:
  NRXCondition();
  ~NRXCondition();
  NRXCondition(const NRXCondition&) = delete;
  NRXCondition& operator=(const NRXCondition&) = delete;
  int Signal();
  int Broadcast();
  int Wait(NRXMutex& m);

 private:
  pthread_cond_t cond_;
};
