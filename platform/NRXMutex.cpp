#include "platform/NRXMutex.h"

#include <cerrno>

NRXMutex::NRXMutex(int kind) : kind_(kind) {
  if (kind == 3) {
    pthread_mutex_init(&mutex_, nullptr);
    return;
  }
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  int type = PTHREAD_MUTEX_NORMAL;
  if (kind == 1) type = PTHREAD_MUTEX_ERRORCHECK;
  if (kind == 2) type = PTHREAD_MUTEX_RECURSIVE;
  pthread_mutexattr_settype(&attr, type);
  pthread_mutex_init(&mutex_, &attr);
  pthread_mutexattr_destroy(&attr);
}

NRXMutex::~NRXMutex() { pthread_mutex_destroy(&mutex_); }

bool NRXMutex::Lock() { return pthread_mutex_lock(&mutex_) != EDEADLK; }

bool NRXMutex::Trylock() { return pthread_mutex_trylock(&mutex_) != EBUSY; }

int NRXMutex::Unlock() { return pthread_mutex_unlock(&mutex_); }

NRXStMutexLock::NRXStMutexLock(NRXMutex& m, bool tryOnly)
    : mutex_(m), locked_(tryOnly ? m.Trylock() : m.Lock()) {}

NRXStMutexLock::~NRXStMutexLock() {
  if (locked_) mutex_.Unlock();
}

NRXStMutexTrylock::NRXStMutexTrylock(NRXMutex& m) : mutex_(m), locked_(m.Trylock()) {}

NRXStMutexTrylock::~NRXStMutexTrylock() {
  if (locked_) mutex_.Unlock();
}

NRXStMutexUnlock::NRXStMutexUnlock(NRXMutex& m) : mutex_(m) { mutex_.Unlock(); }

NRXStMutexUnlock::~NRXStMutexUnlock() { mutex_.Lock(); }

NRXCondition::NRXCondition() { pthread_cond_init(&cond_, nullptr); }
NRXCondition::~NRXCondition() { pthread_cond_destroy(&cond_); }
int NRXCondition::Signal() { return pthread_cond_signal(&cond_); }
int NRXCondition::Broadcast() { return pthread_cond_broadcast(&cond_); }
int NRXCondition::Wait(NRXMutex& m) { return pthread_cond_wait(&cond_, m.native()); }
