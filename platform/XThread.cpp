#include "platform/XThread.h"

XThread::~XThread() { thread_.Join(); }

uint32_t XThread::threadentry(void* proc) {
  return static_cast<IXThreadProc*>(proc)->ThreadProc();
}

bool XThread::Run(IXThreadProc* proc) {
  Join();
  return thread_.Start([this, proc] { exitValue_ = threadentry(proc); });
}

uint32_t XThread::Join() {
  thread_.Join();
  return exitValue_;
}
