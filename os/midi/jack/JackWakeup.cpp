#include "os/midi/jack/JackWakeup.h"

#include <cerrno>
#include <ctime>

namespace os::midi {

void JackWakeup::Wait(unsigned ms) {
  timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  ts.tv_nsec += static_cast<long>(ms % 1000) * 1'000'000;
  ts.tv_sec += ms / 1000 + ts.tv_nsec / 1'000'000'000;
  ts.tv_nsec %= 1'000'000'000;
  while (sem_timedwait(&sem_, &ts) != 0 && errno == EINTR) {
  }
  while (sem_trywait(&sem_) == 0) {
  }
}

}  // namespace os::midi
