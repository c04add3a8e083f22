#include "os/Thread.h"

#include <mutex>
#include <system_error>
#include <thread>

#include "os/Monitor.h"
#include "os/SimState.h"

namespace os {

struct Thread::State {
  Monitor monitor;
  bool finished = false;
  std::thread thread;
  std::thread::id id;
};

Thread::Thread() = default;

Thread::~Thread() { Join(); }

bool Thread::Start(std::function<void()> body) {
  Join();
  auto st = std::make_shared<State>();
  detail::Sim* sim = detail::ActiveSim();
  // The new thread counts as running from now on, so simulated time cannot
  // move in the gap before it first runs.
  if (sim) {
    std::lock_guard<std::mutex> g(sim->m);
    sim->EnterTracked();
  }
  try {
    st->thread = std::thread([st, sim, body = std::move(body)]() mutable {
      if (sim) detail::ThreadIsTracked() = true;
      body();
      body = nullptr;
      Monitor::Hold lock(st->monitor.mutex());
      st->finished = true;
      st->monitor.NotifyAll();
      if (sim) {
        detail::ThreadIsTracked() = false;
        sim->LeaveTracked();
      }
    });
  } catch (const std::system_error&) {
    if (sim) {
      std::lock_guard<std::mutex> g(sim->m);
      sim->LeaveTracked();
    }
    return false;
  }
  st->id = st->thread.get_id();
  state_ = std::move(st);
  return true;
}

void Thread::Join() {
  if (!state_) return;
  if (state_->thread.joinable()) {
    if (std::this_thread::get_id() == state_->id) {
      state_->thread.detach();  // a thread cannot join itself
    } else {
      {
        Monitor::Hold lock(state_->monitor.mutex());
        state_->monitor.Wait(lock, [this] { return state_->finished; });
      }
      state_->thread.join();
    }
  }
  state_.reset();
}

bool Thread::Joinable() const { return state_ && state_->thread.joinable(); }

bool Thread::Finished() const {
  if (!state_) return true;
  Monitor::Hold lock(state_->monitor.mutex());
  return state_->finished;
}

bool Thread::IsCurrent() const {
  return state_ && std::this_thread::get_id() == state_->id;
}

}  // namespace os
