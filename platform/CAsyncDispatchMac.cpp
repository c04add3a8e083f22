#include "platform/CAsyncDispatchMac.h"

IAsyncDispatch* AsyncDispatchCreate() { return new AsyncDispatchMac::CAsyncDispatchMac(); }

namespace AsyncDispatchMac {

CAsyncDispatchMac::CAsyncDispatchMac()
    : loop_(os::MainLoop::Current()),
      token_(std::make_shared<Token>(Token{this})),
      queueLock_(std::make_unique<NRXMutex>(2)) {}

CAsyncDispatchMac::~CAsyncDispatchMac() {
  token_->self = nullptr;  // loop events already posted now find nothing
  token_.reset();
  {
    NRXStMutexLock lock(*queueLock_);
    pending_.clear();
  }
  // From here NotifyEvent and OnFlushQueue do nothing.
  std::unique_ptr<NRXMutex> lock = std::move(queueLock_);
  if (loop_) {
    loop_->RemovePosted(this);
    for (auto& [id, timer] : installed_)
      if (timer) loop_->RemoveTimer(timer);
  }
}

bool CAsyncDispatchMac::CreateTimer(IAsyncDispatchHandler* handler, long* outId) {
  for (long id = kFirstTimerId; id <= kLastTimerId; ++id) {
    if (timers_.count(id)) continue;
    installed_[id] = 0;
    timers_[id] = TimerEvent{handler, 0};
    if (outId) *outId = id;
    return true;
  }
  return false;
}

bool CAsyncDispatchMac::SetTimerPeriod(long id, long periodMs) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return false;
  if (periodMs < 1) {
    KillTimer(id);
    it->second.periodMs = 0;
  } else {
    ReStartTimer(id, periodMs);
    it->second.periodMs = periodMs;
  }
  return true;
}

bool CAsyncDispatchMac::DestroyTimer(long id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return false;
  if (it->second.periodMs != 0) KillTimer(id);
  timers_.erase(it);
  return true;
}

void CAsyncDispatchMac::ReStartTimer(long id, long periodMs) {
  if (installed_.count(id)) KillTimer(id);
  if (!loop_) return;  // no loop: the timer never fires, as a refused install
  std::weak_ptr<Token> weak = token_;
  installed_[id] = loop_->AddTimer(
      static_cast<uint64_t>(periodMs), static_cast<uint64_t>(periodMs),
      [weak, id] {
        if (auto t = weak.lock(); t && t->self) t->self->OnTimer(id);
      },
      /*idle=*/true);
}

void CAsyncDispatchMac::KillTimer(long id) {
  auto it = installed_.find(id);
  if (it == installed_.end()) return;
  if (it->second && loop_) loop_->RemoveTimer(it->second);
  it->second = 0;
}

void CAsyncDispatchMac::OnTimer(long id) {
  auto it = timers_.find(id);
  if (it == timers_.end() || it->second.handler == nullptr) return;
  it->second.handler->OnAsyncTimer(id);
}

void CAsyncDispatchMac::NotifyEvent(IAsyncDispatchHandler* handler, long a, long b,
                                    bool forceAsync) {
  if (!queueLock_) return;
  if (!forceAsync && loop_ && loop_->IsMainThread()) {
    if (handler) handler->OnAsyncEvent(a, b);
    return;
  }
  {
    NRXStMutexLock lock(*queueLock_);
    pending_.push_back(Pending{handler, a, b});
  }
  if (!loop_) return;
  std::weak_ptr<Token> weak = token_;
  loop_->Post(
      [weak] {
        if (auto t = weak.lock(); t && t->self) t->self->OnFlushQueue();
      },
      this);
}

void CAsyncDispatchMac::OnFlushQueue() {
  // A handler may delete this dispatcher; the token tells whether it lives.
  std::shared_ptr<Token> token = token_;
  for (;;) {
    if (!token->self || !queueLock_) return;
    Pending p;
    {
      NRXStMutexLock lock(*queueLock_);
      if (pending_.empty()) return;
      p = pending_.front();
      pending_.pop_front();
    }
    if (p.handler) p.handler->OnAsyncEvent(p.a, p.b);
  }
}

void CAsyncDispatchMac::PurgeHandler(IAsyncDispatchHandler* handler) {
  if (queueLock_) {
    NRXStMutexLock lock(*queueLock_);
    pending_.remove_if([handler](const Pending& p) { return p.handler == handler; });
  }
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (it->second.handler == handler) {
      KillTimer(it->first);
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace AsyncDispatchMac
