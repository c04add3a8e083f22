#pragma once
#include <list>
#include <map>
#include <memory>

#include "os/MainLoop.h"
#include "platform/IAsyncDispatch.h"
#include "platform/NRXMutex.h"

namespace AsyncDispatchMac {

class CAsyncDispatchMac : public IAsyncDispatch {
 public:
  static constexpr long kFirstTimerId = 128;
  static constexpr long kLastTimerId = 1151;

  CAsyncDispatchMac();
  ~CAsyncDispatchMac() override;

  bool CreateTimer(IAsyncDispatchHandler* handler, long* outId) override;
  bool SetTimerPeriod(long id, long periodMs) override;
  bool DestroyTimer(long id) override;
  void NotifyEvent(IAsyncDispatchHandler* handler, long a, long b, bool forceAsync) override;
  void PurgeHandler(IAsyncDispatchHandler* handler) override;

 private:
  struct Pending {
    IAsyncDispatchHandler* handler;
    long a;
    long b;
  };
  struct TimerEvent {
    IAsyncDispatchHandler* handler;
    long periodMs;
  };
  // Loop events reach the dispatcher through this token only; once the
  // dispatcher is gone the token is expired and the event is dropped.
  struct Token {
    CAsyncDispatchMac* self;
  };

  void ReStartTimer(long id, long periodMs);
  void KillTimer(long id);
  void OnTimer(long id);
  void OnFlushQueue();

  os::MainLoop* loop_;
  std::shared_ptr<Token> token_;
  std::unique_ptr<NRXMutex> queueLock_;
  std::map<long, os::MainLoop::TimerId> installed_;  // 0 = stopped
  std::list<Pending> pending_;
  std::map<long, TimerEvent> timers_;
};

}  // namespace AsyncDispatchMac
