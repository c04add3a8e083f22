#include "platform/CHfcCriticalSection.h"

CHfcCriticalSection::CHfcCriticalSection() {
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(&mutex_, &attr);
  pthread_mutexattr_destroy(&attr);
}

CHfcCriticalSection::~CHfcCriticalSection() { pthread_mutex_destroy(&mutex_); }

int CHfcCriticalSection::Lock() { return pthread_mutex_lock(&mutex_); }
int CHfcCriticalSection::Unlock() { return pthread_mutex_unlock(&mutex_); }
bool CHfcCriticalSection::TryLock() { return pthread_mutex_trylock(&mutex_) == 0; }
