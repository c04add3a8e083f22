#include <gtest/gtest.h>

#include "os/Clock.h"
#include "os/HardwareAddress.h"
#include "os/Thread.h"
#include "spare/CHfcSemaphore.h"
#include "spare/HfcCpu.h"
#include "spare/HfcHardwareAddress.h"
#include "tests/support/TestEnvironment.h"

namespace {

TEST(CHfcSemaphore, TimedWaitRunsOutInSimulatedTime) {
  vesk::test::TestEnvironment env;
  CHfcSemaphore sem(7, 0);  // unknown policy: first-in first-out
  EXPECT_EQ(sem.GetPolicy(), 0);
  const uint64_t before = os::NowUs();
  EXPECT_EQ(sem.Wait(1500), -1);
  EXPECT_EQ(os::NowUs() - before, 1'500'000u);
  EXPECT_TRUE(sem.Signal());
  EXPECT_EQ(sem.Wait(1500), 0);
  EXPECT_EQ(os::NowUs() - before, 1'500'000u);
}

TEST(CHfcSemaphore, CountsSignalsAcrossThreads) {
  vesk::test::TestEnvironment env;
  CHfcSemaphore sem(1, 2);
  EXPECT_TRUE(sem.Wait());
  EXPECT_TRUE(sem.Wait());
  os::Thread signaller;
  ASSERT_TRUE(signaller.Start([&] { EXPECT_TRUE(sem.Signal()); }));
  EXPECT_TRUE(sem.Wait());
  signaller.Join();
}

TEST(HfcCpu, FixedAnswers) {
  EXPECT_EQ(HfcGetCpuType(), 1);
  EXPECT_EQ(HfcGetCpuSupport(), 0x4Du);
  EXPECT_FALSE(HfcMacIsAltiVecAvailable());
}

TEST(HardwareAddress, ChoosesTheLowestEthernetInterface) {
  using os::NetworkInterface;
  const std::vector<unsigned char> a = {0x02, 0x11, 0x22, 0x33, 0x44, 0x55};
  const std::vector<unsigned char> b = {0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE};
  const std::vector<unsigned char> zero(6, 0);
  struct Case {
    std::vector<NetworkInterface> interfaces;
    bool found;
    std::vector<unsigned char> address;
  };
  const Case cases[] = {
      {{}, false, {}},
      {{{"lo", 1, false, true, zero}}, false, {}},
      {{{"lo", 1, false, true, zero}, {"eth1", 3, true, false, b}, {"eth0", 2, true, false, a}}, true, a},
      {{{"tun0", 2, false, false, a}, {"eth0", 4, true, false, b}}, true, b},
      {{{"eth0", 2, true, false, zero}, {"eth1", 3, true, false, {1, 2, 3}}}, false, {}},
  };
  for (const Case& c : cases) {
    const auto got = os::PrimaryHardwareAddress(c.interfaces);
    ASSERT_EQ(got.has_value(), c.found);
    if (got) {
      EXPECT_EQ(std::vector<unsigned char>(got->begin(), got->end()), c.address);
    }
  }
}

TEST(HardwareAddress, MachineQueryFillsOrZeroes) {
  unsigned char address[6] = {9, 9, 9, 9, 9, 9};
  const bool ok = MacGetPrimaryMacAddress(address);
  const auto expected = os::PrimaryHardwareAddress(os::ListNetworkInterfaces());
  EXPECT_EQ(ok, expected.has_value());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(address[i], expected ? (*expected)[i] : 0);
}

}  // namespace
