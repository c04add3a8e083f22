#include "plugin/CPlugInMainLoop.h"

#include <exception>
#include <memory>
#include <utility>

#include "os/WakeSignal.h"

namespace {

// A waiting thread and the thread it waits for share the signal; it lives
// as long as either needs it, so the last signal never touches a
// semaphore or condition that the woken waiter has already destroyed.
using Handshake = std::shared_ptr<os::WakeSignal>;

// One call waiting for its turn on the main thread; the timers that try
// it again hold it. Whatever happens on the main thread, the caller is let
// go: a call that throws hands the exception over instead of leaving the
// caller waiting (and the loop is not ended by it).
struct Attempt : std::enable_shared_from_this<Attempt> {
  os::MainLoop* loop;
  std::function<bool()> ready;
  std::function<void()> fn;
  Handshake done;
  std::exception_ptr failure;

  void Run() {
    try {
      if (ready && !ready()) {
        auto self = shared_from_this();
        loop->AddTimer(10, 0, [self] { self->Run(); });
        return;
      }
      fn();
    } catch (...) {
      failure = std::current_exception();
    }
    // Only once the handler has ended: from here on the caller alone holds
    // the exception, and the race checker, which cannot see the count
    // inside an exception, sees nothing shared.
    done->Signal();
  }
};

}  // namespace

CPlugInMainLoop::CPlugInMainLoop(ModalNotice notice) {
  loop_ = os::MainLoop::Current();
  if (loop_) return;
  Handshake ready = std::make_shared<os::WakeSignal>();
  thread_ = std::make_unique<os::Thread>();
  const bool started = thread_->Start([this, ready, notice] {
    os::MainLoop loop;
    loop_ = &loop;
    const int listener = notice ? os::Window::AddModalListener(notice) : 0;
    ready->Signal();
    loop.Run();
    if (listener) os::Window::RemoveModalListener(listener);
    // Whatever is still posted is dropped with the loop.
  });
  if (!started) {
    thread_.reset();
    return;
  }
  ready->Wait();
}

CPlugInMainLoop::~CPlugInMainLoop() {
  if (!thread_) return;
  loop_->Quit();
  thread_->Join();
  loop_ = nullptr;
}

void CPlugInMainLoop::Call(const std::function<void()>& fn) { CallWhen(nullptr, fn); }

void CPlugInMainLoop::CallWhen(const std::function<bool()>& ready, const std::function<void()>& fn) {
  if (!loop_ || loop_->IsMainThread()) {
    fn();
    return;
  }
  auto attempt = std::make_shared<Attempt>();
  attempt->loop = loop_;
  attempt->ready = ready;
  attempt->fn = fn;
  attempt->done = std::make_shared<os::WakeSignal>();
  Handshake done = attempt->done;
  loop_->Post([attempt] { attempt->Run(); });
  done->Wait();
  // The signal comes after the last write of the main thread's. The
  // exception is taken out, as the main thread drops its hold on the
  // attempt whenever it gets to it.
  std::exception_ptr failure = std::move(attempt->failure);
  attempt.reset();
  if (failure) std::rethrow_exception(failure);
}
