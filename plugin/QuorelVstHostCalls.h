#pragma once
// The calls the plug-in makes of its host on its own: automation, the begin
// and end of an edit, display updates and the notice of its modal runs.
// Hosts run GUI code inside them (an automate builds an undo step and
// touches widgets), and GUI toolkits are safe only on their own thread, so
// each call reaches the host on a thread of the host's own. Where the
// plug-in makes them, on the loop thread of its own (CPlugInMainLoop), they
// are queued here; the host's GUI thread takes them out, in the order they
// were made, inside one of its own calls: effEditIdle while the editor is
// open, else the next dispatcher call from a thread that opened the
// plug-in or its editor (QuorelVst says when). Once the host has begun to
// close the instance nothing more reaches it.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <thread>

#include "os/Lock.h"

class QuorelVstHostCalls {
 public:
  struct Call {
    int32_t opcode;
    int32_t index;
    intptr_t value;
    float opt;
  };
  // Makes one call of the host; runs on the delivering host thread.
  using Send = std::function<void(const Call&)>;

  explicit QuorelVstHostCalls(Send send) : send_(std::move(send)) {}
  QuorelVstHostCalls(const QuorelVstHostCalls&) = delete;
  QuorelVstHostCalls& operator=(const QuorelVstHostCalls&) = delete;

  // ---- Loop thread: a call for the host, after those queued before it.
  // A display update while one still waits is the same request: the host
  // reads the parameters when it gets the one that waits.
  void Queue(const Call& call);

  // ---- Host threads but the audio thread.
  // The calling thread opened the plug-in or its editor: a GUI thread.
  void NoteGuiThread();
  // Hands what waits to the host, oldest first, on the calling thread and
  // without a lock held. Another thread that comes meanwhile, or the host
  // calling the plug-in from inside one of these calls, finds the delivery
  // in hand and leaves it to it.
  void Deliver();
  // The host closes the instance: what waits is dropped, and what comes
  // later is not taken.
  void Close();

  // ---- Any thread, the audio thread too (no lock).
  bool IsGuiThread() const;
  bool Closed() const { return closed_.load(std::memory_order_acquire); }
  // Tests: how many calls wait.
  size_t Waiting() const;

 private:
  // Beyond this many waiting calls (a host that never calls the plug-in
  // while a control is dragged), an automate of the row the last waiting
  // call automates takes its place, so that the queue stays bounded; the
  // gesture keeps its begin, its end and its last value.
  static constexpr size_t kMergeAbove = 1024;
  static constexpr size_t kGuiThreads = 4;

  Send send_;
  mutable os::Lock lock_;
  std::deque<Call> waiting_;
  bool delivering_ = false;
  std::atomic<bool> closed_{false};
  std::array<std::atomic<std::thread::id>, kGuiThreads> guiThreads_{};
};
