#pragma once
// A wake-up that a JACK process callback may give without blocking (a
// POSIX semaphore), and that an ordinary thread waits on with a time-out.
#include <semaphore.h>

#include <cstdint>

namespace os::midi {

class JackWakeup {
 public:
  JackWakeup() { sem_init(&sem_, 0, 0); }
  ~JackWakeup() { sem_destroy(&sem_); }
  JackWakeup(const JackWakeup&) = delete;
  JackWakeup& operator=(const JackWakeup&) = delete;

  void Give() { sem_post(&sem_); }
  // Waits up to `ms`; takes every wake-up given meanwhile.
  void Wait(unsigned ms);

 private:
  sem_t sem_;
};

}  // namespace os::midi
