// The plug-in's own loop thread, as inside a Linux host (no loop of the
// program's): calls handed to it from another thread.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <stdexcept>
#include <string>

#include "plugin/CPlugInMainLoop.h"

namespace {

// What a call handed over from another thread ends in, within a bound: a
// call that never lets its caller go is a failure, not a hang.
std::string Outcome(const std::function<void()>& call) {
  auto result = std::async(std::launch::async, [&]() -> std::string {
    try {
      call();
      return "returned";
    } catch (const std::runtime_error& e) {
      return e.what();
    }
  });
  if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) return "still waiting";
  return result.get();
}

TEST(CPlugInMainLoop, ACallThatThrowsLetsItsCallerGoAndTheLoopRunsOn) {
  CPlugInMainLoop loop;
  ASSERT_TRUE(loop.OwnsThread());
  auto fails = [] { throw std::runtime_error("failed"); };
  auto ready = [] { return true; };
  auto readyFails = []() -> bool { throw std::runtime_error("not ready"); };
  EXPECT_EQ(Outcome([&] { loop.Call(fails); }), "failed");
  EXPECT_EQ(Outcome([&] { loop.CallWhen(ready, fails); }), "failed");
  EXPECT_EQ(Outcome([&] { loop.CallWhen(readyFails, [] {}); }), "not ready");
  // The loop still serves calls, on its own thread.
  bool onLoop = false;
  EXPECT_EQ(Outcome([&] { loop.Call([&] { onLoop = loop.IsMainThread(); }); }), "returned");
  EXPECT_TRUE(onLoop);
}

}  // namespace
