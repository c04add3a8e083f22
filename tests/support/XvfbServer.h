#pragma once
// An Xvfb server of a test's own, for the tests of the X11 windows: each
// test starts one on a display number it picks itself, so parallel tests
// never collide; the fixture skips where Xvfb is not installed.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <memory>
#include <string>

namespace vesk::test {

// The full path of an executable found on $PATH, or empty.
std::string FindOnPath(const char* name);

class Xvfb {
 public:
  explicit Xvfb(const std::string& binary);
  ~Xvfb();
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;
  // ":N", empty when the server did not start.
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

struct UnderXvfb : testing::Test {
  std::unique_ptr<Xvfb> server;
  void SetUp() override;
  const char* display() const { return server->display().c_str(); }
};

}  // namespace vesk::test
