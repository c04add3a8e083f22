#pragma once
// Work for the main thread from any thread: task numbers queued by
// DemandIdleTask and run by the main thread's idle tick. Ids 1 to 4 are
// alerts: one asked for while the same alert is being shown is dropped, and
// an id already waiting is never queued twice. Id 0 ends a tick at once.
#include <atomic>
#include <deque>
#include <functional>
#include <mutex>

#include "os/Lock.h"

class IdleTaskQueue {
 public:
  enum Task {
    kEndTick = 0,
    kNone = 1,
    kAlertDeviceChanged = 2,
    kAlertMIDIDeviceChanged = 3,
    kAlertDeviceInfoError = 4,
    kNone5 = 5,
    kHardwareDevicesChanged = 6,
    kMIDIDeviceChanged = 7,
    kClockSourceChanged = 8,
    kDeviceFormatChanged = 9,
  };
  using Runner = std::function<void(int id)>;

  void Demand(int id);
  // Runs the queued tasks through `run`, tasks queued meanwhile included;
  // a task that throws ends the tick (the exception goes on to the caller).
  void RunTick(const Runner& run);
  int Doing() const { return doing_; }
  std::deque<int> Pending();

 private:
  os::Lock mutex_{os::Lock::kRecursive};
  std::deque<int> queue_;
  std::atomic<int> doing_{0};  // written by the main thread only
};

// The program's one queue.
IdleTaskQueue& GetIdleTaskQueue();
void DemandIdleTask(int id);
