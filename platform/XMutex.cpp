#include "platform/XMutex.h"

bool XMutex::Create() {
  lock_.emplace(os::Lock::kRecursive);
  return true;
}

bool XMutex::Lock() {
  if (!lock_) return false;
  lock_->lock();
  return true;
}

bool XMutex::Unlock() {
  if (!lock_) return false;
  lock_->unlock();
  return true;
}

void XMutex::Destroy() { lock_.reset(); }
