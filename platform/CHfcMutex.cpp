#include "platform/CHfcMutex.h"

#include <cstring>

CHfcMutex::CHfcMutex() { std::memset(&mutex_, 0, sizeof mutex_); }

// Left to Destroy(): destroying here would break owners that already did.
CHfcMutex::~CHfcMutex() = default;

bool CHfcMutex::Create() {
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  created_ = pthread_mutex_init(&mutex_, &attr) == 0;
  pthread_mutexattr_destroy(&attr);
  return created_;
}

bool CHfcMutex::Destroy() {
  if (!created_) return false;
  created_ = false;
  return pthread_mutex_destroy(&mutex_) == 0;
}

bool CHfcMutex::Lock() { return created_ && pthread_mutex_lock(&mutex_) == 0; }
bool CHfcMutex::Unlock() { return created_ && pthread_mutex_unlock(&mutex_) == 0; }
