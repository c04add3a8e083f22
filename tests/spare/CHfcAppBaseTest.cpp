#include "spare/CHfcAppBase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hfc/CHfcWindow.h"
#include "tests/support/TestEnvironment.h"

namespace {

struct RecordingApp : CHfcAppBase {
  std::vector<std::string> calls;
  bool initOk = true;
  bool InitInstance() override {
    calls.push_back("init");
    return initOk && CHfcAppBase::InitInstance();
  }
  void ExitInstance() override {
    calls.push_back("exit");
    CHfcAppBase::ExitInstance();
  }
  void OnCommandPreferences() override { calls.push_back("pref"); }
  void OnCommandFileSaveAs() override { calls.push_back("svas"); }
  void OnCommandEditSelectAll() override { calls.push_back("sall"); }
  int OnMacEventKeyboardRawKeyUp(const tagHfcAppEvent&) override {
    calls.push_back("keyup");
    return 0;
  }
  int OnMacEventKeyboardHotKeyReleased(const tagHfcAppEvent&) override {
    calls.push_back("hotup");
    return 0;
  }
};

struct DestroyCountingWindow : CHfcWindow {
  int destroyed = 0;
  bool Destroy() override {
    ++destroyed;
    return true;
  }
};

TEST(CHfcAppBase, FirstInstanceStaysTheInstance) {
  RecordingApp first;
  {
    RecordingApp second;
    EXPECT_EQ(CHfcAppBase::sm_pInstance, &first);
  }
  EXPECT_EQ(CHfcAppBase::sm_pInstance, &first);
}

TEST(CHfcAppBase, CommandsDispatchByIdentifier) {
  RecordingApp app;
  struct Case {
    const char* command;
    int result;
    const char* call;
  };
  const Case cases[] = {{"pref", 0, "pref"}, {"svas", 0, "svas"}, {"sall", 0, "sall"},
                        {"open", 0, nullptr}, {"help", kHfcEventNotHandledErr, nullptr}};
  for (const Case& c : cases) {
    app.calls.clear();
    tagHfcAppEvent ev{HfcFourCC("cmds"), 1, HfcFourCC(c.command)};
    EXPECT_EQ(CHfcAppBase::OnMacEvent(ev, &app), c.result) << c.command;
    EXPECT_EQ(app.calls, c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{}) << c.command;
  }
  // Update-status and unknown kinds are left to other handlers.
  EXPECT_EQ(CHfcAppBase::OnMacEvent({HfcFourCC("cmds"), 2, HfcFourCC("pref")}, &app), kHfcEventNotHandledErr);
  EXPECT_EQ(CHfcAppBase::OnMacEvent({HfcFourCC("cmds"), 3, HfcFourCC("pref")}, &app), kHfcEventNotHandledErr);
  EXPECT_EQ(CHfcAppBase::OnMacEvent({HfcFourCC("mous"), 1, 0}, &app), kHfcEventNotHandledErr);
}

TEST(CHfcAppBase, KeyboardKindsReachTheirOperations) {
  RecordingApp app;
  EXPECT_EQ(CHfcAppBase::OnMacEvent({HfcFourCC("keyb"), 3, 0}, &app), 0);
  EXPECT_EQ(CHfcAppBase::OnMacEvent({HfcFourCC("keyb"), 6, 0}, &app), 0);
  EXPECT_EQ(CHfcAppBase::OnMacEvent({HfcFourCC("keyb"), 1, 0}, &app), kHfcEventNotHandledErr);
  EXPECT_EQ(CHfcAppBase::OnMacEvent({HfcFourCC("keyb"), 7, 0}, &app), kHfcEventNotHandledErr);
  EXPECT_EQ(app.calls, (std::vector<std::string>{"keyup", "hotup"}));
}

TEST(CHfcAppBase, QuitClosesTheMainWindowFirst) {
  vesk::test::TestEnvironment env;
  RecordingApp app;
  DestroyCountingWindow window;
  app.SetMainWindow(&window);
  // With a main window the quit command closes it and the loop runs on.
  env.loop().Post([] { CHfcAppBase::DeliverEvent({HfcFourCC("cmds"), 1, HfcFourCC("quit")}); });
  env.loop().Post([&] {
    EXPECT_EQ(window.destroyed, 1);
    EXPECT_EQ(app.GetMainWindow(), nullptr);
    // Without one, the system's quit request ends the loop.
    EXPECT_EQ(CHfcAppBase::DeliverQuitRequest(), 0);
  });
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(window.destroyed, 1);
  EXPECT_EQ(app.calls, (std::vector<std::string>{"init", "exit"}));
  // Once the run is over nothing is delivered to it.
  EXPECT_EQ(CHfcAppBase::DeliverEvent({HfcFourCC("cmds"), 1, HfcFourCC("pref")}), kHfcEventNotHandledErr);
}

TEST(CHfcAppBase, RefusedInitialisationNeverRunsTheLoop) {
  vesk::test::TestEnvironment env;
  RecordingApp app;
  app.initOk = false;
  EXPECT_EQ(app.Run(), -1);
  EXPECT_EQ(app.calls, std::vector<std::string>{"init"});
  EXPECT_FALSE(app.HasEventHandler());
}

}  // namespace
