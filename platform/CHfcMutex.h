#pragma once
// Recursive mutex created only by Create(); the destructor leaves it alone,
// as its owners destroy it explicitly.
#include <pthread.h>

class CHfcMutex {
 public:
  CHfcMutex();
  virtual ~CHfcMutex();
  CHfcMutex(const CHfcMutex&) = delete;
  CHfcMutex& operator=(const CHfcMutex&) = delete;

  bool Create();
  bool Destroy();
  bool Lock();
  bool Unlock();

 private:
  pthread_mutex_t mutex_;
  bool created_ = false;
};
