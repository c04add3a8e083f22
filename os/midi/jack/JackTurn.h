#pragma once
// A thread's turn at memory that JACK hands between threads with barriers
// of its own (its lock-free rings, the port buffers the server passes from
// one client's cycle to the next): libjack is not built with
// ThreadSanitizer, so the sanitizer cannot see that order and would take
// every copy for a race. A turn tells it: each side holds one while it
// reads or writes such memory, the reader's beginning after every turn
// ended before. In other builds a turn is nothing. Any thread, the process
// callback too: never blocks, never allocates.
#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace os::midi {

class JackTurn {
 public:
  explicit JackTurn(const void* at) : at_(const_cast<void*>(at)) {
#if defined(__SANITIZE_THREAD__)
    if (at_) __tsan_acquire(at_);
#endif
  }
  ~JackTurn() {
#if defined(__SANITIZE_THREAD__)
    if (at_) __tsan_release(at_);
#endif
  }
  JackTurn(const JackTurn&) = delete;
  JackTurn& operator=(const JackTurn&) = delete;

 private:
  void* at_;
};

}  // namespace os::midi
