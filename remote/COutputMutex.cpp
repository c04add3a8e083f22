#include "remote/COutputMutex.h"

#include <mutex>

bool COutputMutex::Create() {
  monitor_ = std::make_unique<os::Monitor>();
  owner_ = std::thread::id();
  depth_ = 0;
  return true;
}

void COutputMutex::Destroy() { monitor_.reset(); }

bool COutputMutex::Lock() {
  if (!monitor_) return false;
  const auto me = std::this_thread::get_id();
  std::unique_lock<std::mutex> lock(monitor_->mutex());
  monitor_->Wait(lock, [&] { return depth_ == 0 || owner_ == me; });
  owner_ = me;
  ++depth_;
  return true;
}

bool COutputMutex::Unlock() {
  if (!monitor_) return false;
  std::unique_lock<std::mutex> lock(monitor_->mutex());
  if (depth_ == 0 || owner_ != std::this_thread::get_id()) return false;
  if (--depth_ == 0) {
    owner_ = std::thread::id();
    monitor_->NotifyAll();
  }
  return true;
}
