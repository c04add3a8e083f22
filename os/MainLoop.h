#pragma once
// The main event loop: the one per process, in place of the application
// event loop of the original platform. The thread that creates it is the
// main thread. Other threads post work to it; it runs timers (plain and idle
// timers, the latter held back by user input); modal runs nest inside it.
// Programs call Run(); tests pump it by hand (RunPending, RunFor, RunUntil)
// with an os::VirtualClock installed, so time passes only when they say so.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace os {

class MainLoop {
 public:
  using Fn = std::function<void()>;
  using TimerId = uint64_t;

  MainLoop();
  ~MainLoop();
  MainLoop(const MainLoop&) = delete;
  MainLoop& operator=(const MainLoop&) = delete;

  // The loop of this process, or null before one is made.
  static MainLoop* Current();
  bool IsMainThread() const;

  // Any thread. Events run on the main thread in posting order. A tag lets
  // the poster withdraw what it posted and has not yet run.
  void Post(Fn fn, const void* tag = nullptr);
  size_t RemovePosted(const void* tag);
  size_t PendingCount() const;

  // Main thread. A timer first fires firstDelayMs from now, then every
  // intervalMs (0: once). An idle timer is pushed back to firstDelayMs after
  // every NoteUserActivity(), so it fires only while the user is idle.
  TimerId AddTimer(uint64_t firstDelayMs, uint64_t intervalMs, Fn fn, bool idle = false);
  bool RemoveTimer(TimerId id);
  void NoteUserActivity();

  // Main thread: runs the loop until QuitModal(token). QuitModal may be
  // called from any thread; for a token that is not running it does nothing.
  void RunModal(const void* token);
  void QuitModal(const void* token);
  bool IsModalRunning(const void* token) const;
  int ModalDepth() const;
  // Asks every modal run from `depth` up (0 is the outermost) to end, as
  // QuitModal does for one: the forms they belong to end as cancelled. A
  // run that starts itself again (a progress window waiting for its work)
  // goes on. Any thread.
  void EndModalsFrom(int depth);

  // Programs: run until Quit() (any thread).
  void Run();
  void Quit();

  // Tests. RunPending runs what is posted or due now without letting time
  // pass and returns how many items ran. RunFor runs until the clock has
  // moved on by ms. RunUntil runs until done() holds (true) or timeoutMs
  // passed (false).
  size_t RunPending();
  void RunFor(uint64_t ms);
  bool RunUntil(const std::function<bool()>& done, uint64_t timeoutMs);

  // Any thread: runs fn on the main thread and returns when it has run. On
  // the main thread it runs at once.
  void CallAndWait(const Fn& fn);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace os
