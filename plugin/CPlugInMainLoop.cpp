#include "plugin/CPlugInMainLoop.h"

#include <condition_variable>
#include <mutex>

CPlugInMainLoop::CPlugInMainLoop() {
  loop_ = os::MainLoop::Current();
  if (loop_) return;
  std::mutex m;
  std::condition_variable cv;
  bool ready = false;
  thread_ = std::make_unique<os::Thread>();
  const bool started = thread_->Start([this, &m, &cv, &ready] {
    os::MainLoop loop;
    {
      std::lock_guard<std::mutex> g(m);
      loop_ = &loop;
      ready = true;
    }
    cv.notify_all();
    loop.Run();
    // Whatever is still posted is dropped with the loop.
  });
  if (!started) {
    thread_.reset();
    return;
  }
  std::unique_lock<std::mutex> lock(m);
  cv.wait(lock, [&] { return ready; });
}

CPlugInMainLoop::~CPlugInMainLoop() {
  if (!thread_) return;
  loop_->Quit();
  thread_->Join();
  loop_ = nullptr;
}

void CPlugInMainLoop::Call(const std::function<void()>& fn) {
  if (!loop_ || loop_->IsMainThread() || !thread_) {
    fn();
    return;
  }
  loop_->CallAndWait(fn);
}
