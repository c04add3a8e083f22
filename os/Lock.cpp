#include "os/Lock.h"

#include <cstdio>
#include <cstdlib>

#include "os/StaticTls.h"

namespace os {
namespace {
thread_local int tHeld VESK_STATIC_TLS = 0;
}

Lock::Lock(Kind kind) : counted_(kind == kPlain) {
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, kind == kRecursive ? PTHREAD_MUTEX_RECURSIVE : PTHREAD_MUTEX_NORMAL);
  pthread_mutex_init(&mutex_, &attr);
  pthread_mutexattr_destroy(&attr);
}

Lock::~Lock() { pthread_mutex_destroy(&mutex_); }

void Lock::lock() {
  pthread_mutex_lock(&mutex_);
  tHeld += counted_;
}

bool Lock::try_lock() {
  if (pthread_mutex_trylock(&mutex_) != 0) return false;
  tHeld += counted_;
  return true;
}

void Lock::unlock() {
  if (pthread_mutex_unlock(&mutex_) == 0) tHeld -= counted_;
}

int Lock::HeldByThisThread() { return tHeld; }

void CheckNoLockHeldAcrossWait(const char* what) {
#ifndef NDEBUG
  if (tHeld == 0) return;
  std::fprintf(stderr, "%s begins a wait while its thread holds %d os::Lock (see os/Sync.h)\n", what,
               tHeld);
  std::abort();
#else
  (void)what;
#endif
}

}  // namespace os
