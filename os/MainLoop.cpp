#include "os/MainLoop.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "os/Clock.h"
#include "os/Monitor.h"

namespace os {

namespace {
std::atomic<MainLoop*> g_current{nullptr};
}

struct MainLoop::Impl {
  struct Posted {
    Fn fn;
    const void* tag;
  };
  struct Timer {
    uint64_t due;
    uint64_t firstUs;
    uint64_t intervalUs;
    std::shared_ptr<Fn> fn;
    bool idle;
  };
  struct Modal {
    const void* token;
    bool quit;
  };

  Monitor monitor;
  std::deque<Posted> queue;  // guarded by monitor
  std::vector<Modal> modals;  // guarded by monitor
  bool quit = false;          // guarded by monitor
  std::map<TimerId, Timer> timers;  // main thread only
  TimerId nextTimer = 1;
  std::thread::id mainThread;

  uint64_t NextTimerDue() const {
    uint64_t due = kNoDeadline;
    for (const auto& [id, t] : timers)
      if (t.due < due) due = t.due;
    return due;
  }

  // Runs one posted event, or else the earliest due timer. Waits for one
  // until `deadline` or until stop() holds. Returns whether it ran anything.
  bool Step(uint64_t deadline, const std::function<bool()>& stop) {
    Monitor::Hold lock(monitor.mutex());
    const uint64_t timerDue = NextTimerDue();
    const uint64_t until = timerDue < deadline ? timerDue : deadline;
    monitor.WaitUntil(lock, until, [&] { return !queue.empty() || stop(); });
    if (!queue.empty()) {
      Posted p = std::move(queue.front());
      queue.pop_front();
      lock.unlock();
      p.fn();
      return true;
    }
    lock.unlock();
    return FireDueTimer();
  }

  bool FireDueTimer() {
    const uint64_t now = NowUs();
    TimerId which = 0;
    uint64_t best = kNoDeadline;
    for (const auto& [id, t] : timers)
      if (t.due <= now && t.due < best) {
        best = t.due;
        which = id;
      }
    if (which == 0) return false;
    Timer& t = timers[which];
    std::shared_ptr<Fn> fn = t.fn;
    if (t.intervalUs == 0) {
      timers.erase(which);
    } else {
      t.due += t.intervalUs;
      if (t.due <= now) t.due = now + t.intervalUs;  // missed periods are skipped
    }
    (*fn)();
    return true;
  }

  bool ModalQuit(const void* token) {
    for (auto it = modals.rbegin(); it != modals.rend(); ++it)
      if (it->token == token) return it->quit;
    return true;
  }
};

MainLoop::MainLoop() : impl_(std::make_unique<Impl>()) {
  impl_->mainThread = std::this_thread::get_id();
  MainLoop* expected = nullptr;
  if (!g_current.compare_exchange_strong(expected, this)) {
    std::fprintf(stderr, "MainLoop: a main loop exists already\n");
    std::abort();
  }
}

MainLoop::~MainLoop() {
  g_current.store(nullptr);
}

MainLoop* MainLoop::Current() { return g_current.load(); }

bool MainLoop::IsMainThread() const {
  return std::this_thread::get_id() == impl_->mainThread;
}

void MainLoop::Post(Fn fn, const void* tag) {
  Monitor::Hold lock(impl_->monitor.mutex());
  impl_->queue.push_back({std::move(fn), tag});
  impl_->monitor.NotifyAll();
}

size_t MainLoop::RemovePosted(const void* tag) {
  std::deque<Impl::Posted> removed;  // destroyed outside the lock
  Monitor::Hold lock(impl_->monitor.mutex());
  size_t n = 0;
  for (auto it = impl_->queue.begin(); it != impl_->queue.end();) {
    if (it->tag == tag) {
      removed.push_back(std::move(*it));
      it = impl_->queue.erase(it);
      ++n;
    } else {
      ++it;
    }
  }
  lock.unlock();
  return n;
}

size_t MainLoop::PendingCount() const {
  Monitor::Hold lock(impl_->monitor.mutex());
  return impl_->queue.size();
}

MainLoop::TimerId MainLoop::AddTimer(uint64_t firstDelayMs, uint64_t intervalMs, Fn fn,
                                     bool idle) {
  const TimerId id = impl_->nextTimer++;
  Impl::Timer t;
  t.firstUs = firstDelayMs * 1000;
  t.intervalUs = intervalMs * 1000;
  t.due = NowUs() + t.firstUs;
  t.fn = std::make_shared<Fn>(std::move(fn));
  t.idle = idle;
  impl_->timers.emplace(id, std::move(t));
  return id;
}

bool MainLoop::RemoveTimer(TimerId id) { return impl_->timers.erase(id) > 0; }

void MainLoop::NoteUserActivity() {
  const uint64_t now = NowUs();
  for (auto& [id, t] : impl_->timers)
    if (t.idle) t.due = now + t.firstUs;
}

void MainLoop::RunModal(const void* token) {
  {
    Monitor::Hold lock(impl_->monitor.mutex());
    impl_->modals.push_back({token, false});
  }
  auto done = [this, token] { return impl_->ModalQuit(token); };
  for (;;) {
    {
      Monitor::Hold lock(impl_->monitor.mutex());
      if (done()) break;
    }
    impl_->Step(kNoDeadline, done);
  }
  Monitor::Hold lock(impl_->monitor.mutex());
  for (auto it = impl_->modals.rbegin(); it != impl_->modals.rend(); ++it)
    if (it->token == token) {
      impl_->modals.erase(std::next(it).base());
      break;
    }
}

void MainLoop::QuitModal(const void* token) {
  Monitor::Hold lock(impl_->monitor.mutex());
  for (auto it = impl_->modals.rbegin(); it != impl_->modals.rend(); ++it)
    if (it->token == token) {
      it->quit = true;
      break;
    }
  impl_->monitor.NotifyAll();
}

void MainLoop::EndModalsFrom(int depth) {
  Monitor::Hold lock(impl_->monitor.mutex());
  for (size_t i = depth < 0 ? 0 : static_cast<size_t>(depth); i < impl_->modals.size(); ++i)
    impl_->modals[i].quit = true;
  impl_->monitor.NotifyAll();
}

bool MainLoop::IsModalRunning(const void* token) const {
  Monitor::Hold lock(impl_->monitor.mutex());
  for (const auto& m : impl_->modals)
    if (m.token == token) return true;
  return false;
}

int MainLoop::ModalDepth() const {
  Monitor::Hold lock(impl_->monitor.mutex());
  return static_cast<int>(impl_->modals.size());
}

void MainLoop::Run() {
  auto done = [this] { return impl_->quit; };
  for (;;) {
    {
      Monitor::Hold lock(impl_->monitor.mutex());
      if (impl_->quit) {
        impl_->quit = false;
        return;
      }
    }
    impl_->Step(kNoDeadline, done);
  }
}

void MainLoop::Quit() {
  Monitor::Hold lock(impl_->monitor.mutex());
  impl_->quit = true;
  impl_->monitor.NotifyAll();
}

size_t MainLoop::RunPending() {
  size_t n = 0;
  const auto never = [] { return false; };
  while (impl_->Step(0, never)) ++n;
  return n;
}

void MainLoop::RunFor(uint64_t ms) {
  const uint64_t end = DeadlineAfterMs(ms);
  const auto never = [] { return false; };
  for (;;) {
    RunPending();
    if (NowUs() >= end) return;
    impl_->Step(end, never);
  }
}

bool MainLoop::RunUntil(const std::function<bool()>& done, uint64_t timeoutMs) {
  const uint64_t end = DeadlineAfterMs(timeoutMs);
  const auto never = [] { return false; };
  for (;;) {
    if (done()) return true;
    if (NowUs() >= end) return false;
    impl_->Step(end, never);
  }
}

void MainLoop::CallAndWait(const Fn& fn) {
  if (IsMainThread()) {
    fn();
    return;
  }
  struct Done {
    Monitor monitor;
    bool done = false;
  };
  auto d = std::make_shared<Done>();
  Post([d, &fn] {
    fn();
    Monitor::Hold lock(d->monitor.mutex());
    d->done = true;
    d->monitor.NotifyAll();
  });
  Monitor::Hold lock(d->monitor.mutex());
  d->monitor.Wait(lock, [&] { return d->done; });
}

}  // namespace os
