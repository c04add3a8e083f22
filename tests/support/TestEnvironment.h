#pragma once
// The usual frame of a test: simulated time and a main loop owned by the
// test's thread, which is the main thread for the code under test.
#include <memory>

#include "os/Clock.h"
#include "os/MainLoop.h"

namespace vesk::test {

class TestEnvironment {
 public:
  explicit TestEnvironment(uint64_t startUs = 1'000'000'000ull);
  ~TestEnvironment();

  os::VirtualClock& clock() { return *clock_; }
  os::MainLoop& loop() { return *loop_; }

 private:
  std::unique_ptr<os::VirtualClock> clock_;
  std::unique_ptr<os::MainLoop> loop_;
};

}  // namespace vesk::test
