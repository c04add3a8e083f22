#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "hfc/CHfcWindow.h"
#include "os/window/HeadlessWindow.h"
#include "os/window/TopLevelWindow.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vesk::test::TestEnvironment;

// Stand-alone windows come out headless; the test keeps a hold of the
// last one made.
class StandAlone : public ::testing::Test {
 protected:
  void SetUp() override {
    os::SetTopLevelWindowFactory([this](int x, int y, int w, int h, const std::string& title) {
      auto window = os::HeadlessWindow::Create(w, h, x, y);
      window->SetTitle(title);
      made_ = window.get();
      return std::unique_ptr<os::Window>(std::move(window));
    });
  }
  void TearDown() override { os::SetTopLevelWindowFactory(nullptr); }

  TestEnvironment env_;
  os::HeadlessWindow* made_ = nullptr;
};

// Logs the hooks; deletion is counted, not done, so the test can look on.
class HookWindow : public CHfcWindow {
 public:
  std::vector<std::string> log;
  bool createAnswer = true;
  bool collapseAnswer = true;
  bool closeAnswer = true;
  bool limits = false;
  int* deleted = nullptr;

  bool OnCreate() override {
    log.push_back("create");
    return createAnswer;
  }
  bool OnDestroy() override {
    log.push_back("destroy");
    return CHfcWindow::OnDestroy();
  }
  void OnPostDestroy() override {
    log.push_back("post-destroy");
    if (deleted) {
      ++*deleted;
      delete this;
    }
  }
  bool OnClose() override {
    log.push_back("close");
    return closeAnswer;
  }
  bool OnCollapse() override {
    log.push_back("collapse");
    return collapseAnswer;
  }
  bool OnExpand() override {
    log.push_back("expand");
    return true;
  }
  bool OnGetMinSize(int* w, int* h) override {
    *w = 200;
    *h = 100;
    return limits;
  }
  bool OnGetMaxSize(int* w, int* h) override {
    *w = 800;
    *h = 600;
    return limits;
  }
  void OnSizeChanging(int* w, int* h) override {
    log.push_back("size-changing " + std::to_string(*w) + "x" + std::to_string(*h));
    *w -= *w % 10;  // snaps to tens
  }
  void OnMoving(int* x, int* y) override {
    log.push_back("moving " + std::to_string(*x) + "," + std::to_string(*y));
  }
  void OnSizeChanged(int w, int h) override {
    log.push_back("size-changed " + std::to_string(w) + "x" + std::to_string(h));
  }
  void OnMoved(int x, int y) override { log.push_back("moved " + std::to_string(x) + "," + std::to_string(y)); }
};

constexpr unsigned int kResizable = CHfcWindow::kAttrResizable;

TEST(CHfcWindowAttributes, KeepOnlyKnownBitsAndAddTheStandardHandler) {
  EXPECT_EQ(CHfcWindow::MacAttrToWindowAttributes(0), 0x02000000u);
  EXPECT_EQ(CHfcWindow::MacAttrToWindowAttributes(0xFFFFFFFFu), 0x1F27003Fu);
  EXPECT_EQ(CHfcWindow::MacAttrToWindowAttributes(0x000000C1u), 0x02000001u);
}

TEST_F(StandAlone, CreateMakesATitledTopLevelWindowOnce) {
  HookWindow w;
  char title[] = "Vesk Librarian";
  ASSERT_TRUE(w.Create(title, 40, 30, 320, 200, kResizable, nullptr, nullptr, nullptr));
  ASSERT_NE(made_, nullptr);
  EXPECT_EQ(w.GetPlatformWindow(), made_);
  EXPECT_EQ(w.log, (std::vector<std::string>{"create"}));
  // The content sits below the title bar.
  tagHfcRect r{};
  ASSERT_TRUE(w.GetWindowRect(&r));
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30 + 22);
  EXPECT_EQ(r.right - r.left, 320);
  EXPECT_EQ(r.bottom - r.top, 200);
  char back[256] = {};
  ASSERT_TRUE(w.GetTitle(back));
  EXPECT_STREQ(back, "Vesk Librarian");
  // No second window for the same object.
  const os::HeadlessWindow* first = made_;
  EXPECT_FALSE(w.Create(title, 0, 0, 10, 10, 0, nullptr, nullptr, nullptr));
  EXPECT_EQ(made_, first);
  // Size limits stay off when the hooks say no.
  EXPECT_EQ(made_->SizeLimits().minWidth, 0);
  EXPECT_EQ(made_->SizeLimits().maxWidth, 0);
}

TEST_F(StandAlone, RefusedCreateLeavesNoWindowBehind) {
  HookWindow w;
  w.createAnswer = false;
  char title[] = "x";
  EXPECT_FALSE(w.Create(title, 0, 0, 50, 50, 0, nullptr, nullptr, nullptr));
  EXPECT_EQ(w.GetPlatformWindow(), nullptr);
  EXPECT_FALSE(w.Destroy());
  EXPECT_FALSE(w.SetTitle(title));
  // Nor for a window that cannot be made.
  HookWindow tiny;
  EXPECT_FALSE(tiny.Create(title, 0, 0, 0, 50, 0, nullptr, nullptr, nullptr));
  EXPECT_TRUE(tiny.log.empty());
}

TEST_F(StandAlone, TitlesModifiedMarkAndFindingWindows) {
  HookWindow a;
  HookWindow b;
  char ta[] = "Program";
  char tb[] = "Combination";
  ASSERT_TRUE(a.Create(ta, 0, 0, 100, 100, 0, nullptr, nullptr, nullptr));
  os::HeadlessWindow* pa = made_;
  ASSERT_TRUE(b.Create(tb, 0, 0, 100, 100, 0, nullptr, nullptr, nullptr));

  EXPECT_FALSE(a.IsModified());
  ASSERT_TRUE(a.SetModified(true));
  EXPECT_TRUE(a.IsModified());
  // The mark shows on the desktop but is not part of the title.
  EXPECT_EQ(pa->ShownTitle(), "\u2022 Program");
  char back[256];
  a.GetTitle(back);
  EXPECT_STREQ(back, "Program");
  a.SetModified(false);
  EXPECT_EQ(pa->ShownTitle(), "Program");

  // Titles are cut at 255 characters; Mac Roman letters show in UTF-8.
  std::string longTitle(300, 'q');
  a.SetTitle(longTitle.data());
  a.GetTitle(back);
  EXPECT_EQ(std::strlen(back), 255u);
  char accented[] = "Caf\x8E";
  a.SetTitle(accented);
  EXPECT_EQ(pa->ShownTitle(), "Caf\u00E9");

  EXPECT_EQ(a.FindChildWindow(tb), &b);
  EXPECT_EQ(b.FindChildWindow(accented), &a);
  char none[] = "Combi";  // exact titles only
  EXPECT_EQ(a.FindChildWindow(none), nullptr);
  // The most recently activated of two windows with one title wins.
  b.SetTitle(accented);
  a.Activate();
  EXPECT_EQ(b.FindChildWindow(accented), &a);
  b.Activate();
  EXPECT_EQ(a.FindChildWindow(accented), &b);
  EXPECT_FALSE(a.EnumChildWindows());
}

TEST_F(StandAlone, SizeLimitsComeFromTheHooksAndBindUserResizes) {
  HookWindow w;
  w.limits = true;
  char title[] = "t";
  ASSERT_TRUE(w.Create(title, 10, 10, 300, 200, kResizable, nullptr, nullptr, nullptr));
  const os::WindowSizeLimits l = made_->SizeLimits();
  EXPECT_EQ(l.minWidth, 200);
  EXPECT_EQ(l.minHeight, 100);
  EXPECT_EQ(l.maxWidth, 800);
  EXPECT_EQ(l.maxHeight, 600);

  // The user drags the size beyond the maximum and moves the window at
  // the same time: the size hook comes before the move hook, and its
  // adjustment (snap to tens) is what the window gets.
  w.log.clear();
  made_->InjectUserBounds({50, 60, 50 + 1005, 60 + 50});
  env_.loop().RunPending();
  EXPECT_EQ(w.log, (std::vector<std::string>{"size-changing 800x100", "moving 50,60", "size-changed 800x100",
                                             "moved 50,60"}));
  w.log.clear();
  made_->InjectUserBounds({50, 60, 50 + 333, 60 + 150});
  env_.loop().RunPending();
  EXPECT_EQ(w.log, (std::vector<std::string>{"size-changing 333x150", "size-changed 330x150"}));
  EXPECT_EQ(w.GetWidth(), 330);
  EXPECT_EQ(w.GetHeight(), 150);

  // A window that is not resizable keeps its size.
  HookWindow fixed;
  ASSERT_TRUE(fixed.Create(title, 0, 0, 120, 90, 0, nullptr, nullptr, nullptr));
  made_->InjectUserBounds({0, 22, 400, 422});
  env_.loop().RunPending();
  EXPECT_EQ(fixed.GetWidth(), 120);
  EXPECT_EQ(fixed.GetHeight(), 90);
}

TEST_F(StandAlone, CollapseAsksTheHookAndARefusalPutsItBack) {
  HookWindow w;
  char title[] = "t";
  ASSERT_TRUE(w.Create(title, 0, 0, 100, 100, 0, nullptr, nullptr, nullptr));
  ASSERT_TRUE(w.Collapse());
  EXPECT_TRUE(made_->IsCollapsed());
  ASSERT_TRUE(w.Expand());
  EXPECT_FALSE(made_->IsCollapsed());

  w.collapseAnswer = false;
  made_->InjectCollapse(true);
  env_.loop().RunPending();
  EXPECT_FALSE(made_->IsCollapsed());
  w.collapseAnswer = true;
  made_->InjectCollapse(true);
  env_.loop().RunPending();
  EXPECT_TRUE(made_->IsCollapsed());
  made_->InjectCollapse(false);
  env_.loop().RunPending();
  EXPECT_EQ(w.log, (std::vector<std::string>{"create", "collapse", "collapse", "expand"}));

  CHfcWindow unbound;
  EXPECT_FALSE(unbound.Collapse());
  EXPECT_FALSE(unbound.IsModified());
  EXPECT_FALSE(unbound.SetModified(true));
}

TEST_F(StandAlone, CloseBoxDisposesWhenTheHookAgrees) {
  int deleted = 0;
  auto* w = new HookWindow;
  w->deleted = &deleted;
  char title[] = "Closing";
  ASSERT_TRUE(w->Create(title, 0, 0, 100, 100, 0, nullptr, nullptr, nullptr));
  w->closeAnswer = false;
  made_->InjectClose();
  env_.loop().RunPending();
  EXPECT_EQ(deleted, 0);
  EXPECT_EQ(w->log, (std::vector<std::string>{"create", "close"}));
  EXPECT_EQ(w->FindChildWindow(title), w);

  w->closeAnswer = true;
  made_->InjectClose();
  env_.loop().RunPending();
  EXPECT_EQ(deleted, 1);
  CHfcWindow other;
  EXPECT_EQ(other.FindChildWindow(title), nullptr);

  // Destroy goes the same way; a window it did not make is left alone.
  auto* v = new HookWindow;
  v->deleted = &deleted;
  ASSERT_TRUE(v->Create(title, 0, 0, 100, 100, 0, nullptr, nullptr, nullptr));
  EXPECT_TRUE(v->Destroy());
  EXPECT_EQ(deleted, 2);
  auto borrowed = os::HeadlessWindow::Create(10, 10);
  other.SetPlatformWindow(borrowed.get());
  EXPECT_FALSE(other.Destroy());
  borrowed->InjectClose();
  env_.loop().RunPending();
  EXPECT_EQ(other.GetPlatformWindow(), borrowed.get());
  other.SetPlatformWindow(nullptr);
}

}  // namespace
