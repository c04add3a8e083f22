#include "platform/XMutex.h"

XMutex::~XMutex() { Destroy(); }

bool XMutex::Create() {
  Destroy();
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  created_ = pthread_mutex_init(&mutex_, &attr) == 0;
  pthread_mutexattr_destroy(&attr);
  return created_;
}

bool XMutex::Lock() { return created_ && pthread_mutex_lock(&mutex_) == 0; }
bool XMutex::Unlock() { return created_ && pthread_mutex_unlock(&mutex_) == 0; }

void XMutex::Destroy() {
  if (created_) pthread_mutex_destroy(&mutex_);
  created_ = false;
}
