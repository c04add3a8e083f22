#pragma once
// The root layer over the real pages of the three modes and the real
// browsers, as the plug-in registers them before it opens its editor, on a
// page harness's window: for tests that drive the whole editor.
#include <memory>

#include "editor/shell/OskendBackgroundLayer.h"
#include "model/eMode.h"
#include "tests/support/pageharness/PageHarness.h"
#include "tests/support/pageharness/QuietPlugInHost.h"

namespace vesk::test {

class RealPagesRoot {
 public:
  explicit RealPagesRoot(PageHarness& harness) : h_(harness) {}
  ~RealPagesRoot() { Close(); }
  RealPagesRoot(const RealPagesRoot&) = delete;
  RealPagesRoot& operator=(const RealPagesRoot&) = delete;

  // Registers the pages and browsers, creates the root layer on the
  // window and shows it as it stands after its first two idle ticks.
  bool Open();
  // Closes an open browser and takes everything down again, so the next
  // test starts without registered pages.
  void Close();

  // The instrument switched to `mode`, and the root layer redrawn once the
  // switch has reached it.
  void ToMode(eMode mode);

  OskendBackgroundLayer* get() const { return root_.get(); }
  OskendBackgroundLayer* operator->() const { return root_.get(); }
  QuietPlugInHost& host() { return host_; }

 private:
  PageHarness& h_;
  QuietPlugInHost host_;
  std::unique_ptr<OskendBackgroundLayer> root_;
  bool registered_ = false;
};

}  // namespace vesk::test
