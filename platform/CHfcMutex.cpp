#include "platform/CHfcMutex.h"

CHfcMutex::CHfcMutex() = default;

// Left to Destroy(): owners that destroy it first must find it gone.
CHfcMutex::~CHfcMutex() = default;

bool CHfcMutex::Create() {
  lock_.emplace(os::Lock::kRecursive);
  return true;
}

bool CHfcMutex::Destroy() {
  if (!lock_) return false;
  lock_.reset();
  return true;
}

bool CHfcMutex::Lock() {
  if (!lock_) return false;
  lock_->lock();
  return true;
}

bool CHfcMutex::Unlock() {
  if (!lock_) return false;
  lock_->unlock();
  return true;
}
