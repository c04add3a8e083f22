#include "tests/support/TestEnvironment.h"

namespace vesk::test {

TestEnvironment::TestEnvironment(uint64_t startUs)
    : clock_(std::make_unique<os::VirtualClock>(startUs)),
      loop_(std::make_unique<os::MainLoop>()) {}

TestEnvironment::~TestEnvironment() {
  loop_.reset();
  clock_.reset();
}

}  // namespace vesk::test
