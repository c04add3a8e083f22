#pragma once
// Delivers numbered notifications and timers to a handler on the main thread.

class IAsyncDispatchHandler {
 public:
  virtual ~IAsyncDispatchHandler() = default;
  virtual void OnAsyncTimer(long timerId) = 0;
  virtual void OnAsyncEvent(long a, long b) = 0;
};

class IAsyncDispatch {
 public:
  virtual ~IAsyncDispatch() = default;
  // Reserves a timer id (128 upward, 1024 at most) for the handler; the timer
  // runs only after SetTimerPeriod.
  virtual bool CreateTimer(IAsyncDispatchHandler* handler, long* outId) = 0;
  // Starts, restarts (period >= 1 ms) or stops (period < 1) a timer.
  virtual bool SetTimerPeriod(long id, long periodMs) = 0;
  virtual bool DestroyTimer(long id) = 0;
  // On the main thread without forceAsync: delivered before returning.
  // Otherwise queued and delivered from the main loop in posting order.
  virtual void NotifyEvent(IAsyncDispatchHandler* handler, long a, long b, bool forceAsync) = 0;
  // Drops every queued notification and timer of a handler that is going
  // away, so nothing is delivered to it afterwards. Main thread.
  virtual void PurgeHandler(IAsyncDispatchHandler* handler) = 0;
};

// Must be called on the main thread (the thread that owns os::MainLoop).
IAsyncDispatch* AsyncDispatchCreate();
