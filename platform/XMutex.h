#pragma once
// Recursive mutex that remembers whether it was created.
#include <pthread.h>

class XMutex {
 public:
  XMutex() = default;
  ~XMutex();
  XMutex(const XMutex&) = delete;
  XMutex& operator=(const XMutex&) = delete;

  bool Create();
  bool Lock();
  bool Unlock();
  void Destroy();
  bool IsCreated() const { return created_; }

 private:
  pthread_mutex_t mutex_{};
  bool created_ = false;
};
