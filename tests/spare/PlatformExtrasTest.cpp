#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

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

// What the kernel's device directory says independently of the interface
// list: the Ethernet device (link type 1, not loopback) of the lowest index
// with a six-byte address that is not all zero.
std::optional<std::array<unsigned char, 6>> PrimaryAddressFromSysfs() {
  namespace fs = std::filesystem;
  std::optional<std::array<unsigned char, 6>> best;
  long bestIndex = 0;
  std::error_code ec;
  for (const fs::directory_entry& dev : fs::directory_iterator("/sys/class/net", ec)) {
    auto read = [&](const char* name) {
      std::ifstream in(dev.path() / name);
      std::string text;
      std::getline(in, text);
      return text;
    };
    if (read("type") != "1") continue;
    if (std::stoul(read("flags"), nullptr, 16) & 0x8) continue;  // loopback
    std::array<unsigned int, 6> b{};
    const std::string text = read("address");
    if (text.size() != 17 || std::sscanf(text.c_str(), "%x:%x:%x:%x:%x:%x", &b[0], &b[1], &b[2],
                                         &b[3], &b[4], &b[5]) != 6)
      continue;
    if (std::all_of(b.begin(), b.end(), [](unsigned int x) { return x == 0; })) continue;
    const long index = std::stol(read("ifindex"));
    if (best && index >= bestIndex) continue;
    best.emplace();
    std::copy(b.begin(), b.end(), best->begin());
    bestIndex = index;
  }
  return best;
}

TEST(HardwareAddress, MachineQueryFillsOrZeroes) {
  unsigned char address[6] = {9, 9, 9, 9, 9, 9};
  const bool ok = MacGetPrimaryMacAddress(address);
  const auto expected = PrimaryAddressFromSysfs();
  ASSERT_EQ(ok, expected.has_value());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(address[i], expected ? (*expected)[i] : 0) << i;
}

}  // namespace
