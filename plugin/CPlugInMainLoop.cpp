#include "plugin/CPlugInMainLoop.h"

#include <memory>

#include "os/WakeSignal.h"

namespace {

// A waiting thread and the thread it waits for share the signal; it lives
// as long as either needs it, so the last signal never touches a
// semaphore or condition that the woken waiter has already destroyed.
using Handshake = std::shared_ptr<os::WakeSignal>;

// One call waiting for its turn on the main thread; the timers that try
// it again hold it.
struct Attempt : std::enable_shared_from_this<Attempt> {
  os::MainLoop* loop;
  std::function<bool()> ready;
  std::function<void()> fn;
  Handshake done;

  void Run() {
    if (!ready()) {
      auto self = shared_from_this();
      loop->AddTimer(10, 0, [self] { self->Run(); });
      return;
    }
    fn();
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

void CPlugInMainLoop::Call(const std::function<void()>& fn) {
  if (!loop_ || loop_->IsMainThread()) {
    fn();
    return;
  }
  loop_->CallAndWait(fn);
}

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
  attempt.reset();
  done->Wait();
}
