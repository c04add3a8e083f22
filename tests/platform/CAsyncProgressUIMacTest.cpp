#include <gtest/gtest.h>

#include <memory>

#include "os/ProgressWindow.h"
#include "os/Thread.h"
#include "platform/IAsyncProgressUI.h"
#include "platform/XEvent.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vesk::test::TestEnvironment;

struct CancelCounter : IAsyncProgressHandler {
  int cancels = 0;
  XEvent* signal = nullptr;
  void OnAsyncCanceled() override {
    ++cancels;
    if (signal) signal->Set();
  }
};

TEST(AsyncProgressUI, PercentRules) {
  TestEnvironment env;
  std::unique_ptr<IAsyncProgressUI> p(AsyncProgressUICreate());
  ASSERT_TRUE(p->BeginModal(nullptr, "Receive All", true, nullptr));
  auto* w = os::HeadlessProgressWindow::Current();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->title(), "Receive All");

  p->NotifyProgress("Global", 1024, 512);
  env.loop().RunPending();
  EXPECT_EQ(w->percent(), 50);
  EXPECT_EQ(w->text(), "Global");

  p->NotifyProgress("Bank A", 0, 5);  // range 0: percent 0
  EXPECT_EQ(env.loop().PendingCount(), 1u);
  env.loop().RunPending();
  EXPECT_EQ(w->percent(), 0);
  p->NotifyProgress("Bank A", 0, 5);  // unchanged: nothing posted
  EXPECT_EQ(env.loop().PendingCount(), 0u);
  p->NotifyProgress("Bank A", 1024, 1023);
  env.loop().RunPending();
  EXPECT_EQ(w->percent(), 99);

  EXPECT_FALSE(p->BeginModal(nullptr, "again", true, nullptr));
  p->EndModal();
  EXPECT_FALSE(p->IsActive());
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
}

TEST(AsyncProgressUI, WorkerReportsAndCancelsWhileTheMainThreadIsModal) {
  TestEnvironment env;
  std::unique_ptr<IAsyncProgressUI> p(AsyncProgressUICreate());
  CancelCounter handler;
  XEvent cancelled;
  cancelled.Create();
  handler.signal = &cancelled;
  ASSERT_TRUE(p->BeginModal(nullptr, "Transmit All", true, &handler));
  auto* w = os::HeadlessProgressWindow::Current();

  int seenPercent = -1;
  os::Thread session;
  session.Start([&] {
    p->NotifyProgress("Bank B", 1024, 256);
    // The user presses Cancel once the main thread shows 25 %.
    env.loop().Post([&] {
      seenPercent = w->percent();
      w->PressCancel();
    });
    EXPECT_TRUE(cancelled.Wait(10000));
    p->NotifyBreak();
  });
  EXPECT_TRUE(p->RunModal());
  session.Join();
  p->EndModal();
  EXPECT_EQ(seenPercent, 25);
  EXPECT_EQ(handler.cancels, 1);
}

TEST(AsyncProgressUI, BreakBeforeRunEndsTheLoopAtOnce) {
  TestEnvironment env;
  std::unique_ptr<IAsyncProgressUI> p(AsyncProgressUICreate());
  ASSERT_TRUE(p->BeginModal(nullptr, "t", true, nullptr));
  p->NotifyBreak();
  EXPECT_TRUE(p->RunModal());
  p->EndModal();
}

TEST(AsyncProgressUI, CancelWithoutHandlerOrWhenDisabledDoesNothing) {
  TestEnvironment env;
  std::unique_ptr<IAsyncProgressUI> p(AsyncProgressUICreate());
  ASSERT_TRUE(p->BeginModal(nullptr, "t", true, nullptr));
  os::HeadlessProgressWindow::Current()->PressCancel();
  p->EndModal();

  CancelCounter handler;
  ASSERT_TRUE(p->BeginModal(nullptr, "t", true, &handler));
  EXPECT_TRUE(p->SetCancellable(false));
  os::HeadlessProgressWindow::Current()->PressCancel();
  EXPECT_EQ(handler.cancels, 0);
  p->EndModal();
  EXPECT_FALSE(p->SetTitle("x"));  // no window
}

}  // namespace
