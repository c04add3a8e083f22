#pragma once
// Recursive lock on the wire to the synthesizer, held by the sender of a
// whole SysEx message and by the timed output per short message. A SysEx
// can take seconds on the wire, so a thread waiting for this lock waits on
// an os::Monitor: simulated time keeps running for the holder meanwhile.
#include <memory>
#include <thread>

#include "os/Monitor.h"

class COutputMutex {
 public:
  COutputMutex() = default;
  ~COutputMutex() = default;
  COutputMutex(const COutputMutex&) = delete;
  COutputMutex& operator=(const COutputMutex&) = delete;

  bool Create();
  void Destroy();  // only while nobody holds it
  bool Lock();     // false when not created
  bool Unlock();   // false when not held by the caller

 private:
  std::unique_ptr<os::Monitor> monitor_;
  std::thread::id owner_;
  int depth_ = 0;
};

// Holds a COutputMutex for a scope.
class COutputMutexLock {
 public:
  explicit COutputMutexLock(COutputMutex& m) : m_(m), held_(m.Lock()) {}
  ~COutputMutexLock() {
    if (held_) m_.Unlock();
  }
  COutputMutexLock(const COutputMutexLock&) = delete;
  COutputMutexLock& operator=(const COutputMutexLock&) = delete;

 private:
  COutputMutex& m_;
  bool held_;
};
