#pragma once
// Thread wrapper of the plug-in and the link. The owner stops a thread by
// clearing its own running flag, setting the event the thread waits on and
// calling Join().
#include <cstdint>

#include "os/Thread.h"

class IXThreadProc {
 public:
  virtual ~IXThreadProc() = default;
  virtual uint32_t ThreadProc() = 0;
};

class XThread {
 public:
  XThread() = default;
  ~XThread();
  XThread(const XThread&) = delete;
  XThread& operator=(const XThread&) = delete;

  // Joins a previous thread first (it must have been told to stop), then
  // starts one that calls proc->ThreadProc(). False when none could start.
  bool Run(IXThreadProc* proc);
  // Waits for the thread to end and forgets it; the exit value is returned.
  uint32_t Join();
  bool HasThread() const { return thread_.Joinable(); }

  static uint32_t threadentry(void* proc);

 private:
  os::Thread thread_;
  uint32_t exitValue_ = 0;
};
