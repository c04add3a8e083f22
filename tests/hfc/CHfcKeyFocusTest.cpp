#include "hfc/CHfcKeyFocus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hfc/CHfcKey.h"
#include "hfc/HfcEventStatus.h"
#include "os/window/HeadlessWindow.h"
#include "tests/support/TestEnvironment.h"
// The X headers come after the test framework, whose names they would shadow.
#include <X11/X.h>
#include <X11/keysym.h>

namespace {

using Log = std::vector<std::string>;

struct FocusRecorder : CHfcKeyFocusListener {
  Log* log;
  std::string name;
  bool consumeDown = false;
  bool consumeChar = false;
  FocusRecorder(Log* l, std::string n) : log(l), name(std::move(n)) {}
  void OnHfcKeySetFocus(CHfcKeyFocus*) override { log->push_back(name + " set"); }
  void OnHfcKeyLostFocus(CHfcKeyFocus*) override { log->push_back(name + " lost"); }
  bool OnHfcKeyDown(CHfcKeyFocus*, int chr, int key, int mods) override {
    log->push_back(name + " down " + std::to_string(chr) + " " + std::to_string(key) + " " +
                   std::to_string(mods));
    return consumeDown;
  }
  bool OnHfcKeyUp(CHfcKeyFocus*, int chr, int key, int) override {
    log->push_back(name + " up " + std::to_string(chr) + " " + std::to_string(key));
    return false;
  }
  bool OnHfcKeyChar(CHfcKeyFocus*, int chr) override {
    log->push_back(name + " char " + std::to_string(chr));
    return consumeChar;
  }
};

// Keys injected into a headless window reach the focus the way a window
// glue would pass them: platform key -> CHfcKeyFocus.
struct KeyFocusFixture : testing::Test, os::WindowSink {
  vesk::test::TestEnvironment env;
  std::unique_ptr<os::HeadlessWindow> window = os::HeadlessWindow::Create(10, 10);
  CHfcKeyFocus focus;
  Log log;
  FocusRecorder a{&log, "a"};
  FocusRecorder b{&log, "b"};
  std::vector<int> answers;

  void SetUp() override { window->SetSink(this); }
  bool OnWindowKey(const os::KeyEvent& e) override {
    answers.push_back(focus.OnPlatformKey(e));
    return answers.back() == kHfcEventHandled;
  }
  void OnWindowFocus(bool gained) override { focus.OnPlatformFocus(gained); }
  void Key(uint32_t keysym, uint32_t state = 0,
           os::KeyEvent::Kind kind = os::KeyEvent::Kind::kDown) {
    window->InjectKey(kind, keysym, state);
    env.loop().RunPending();
  }
};

TEST_F(KeyFocusFixture, KeysAreConvertedAndPrintableOnesAlsoGiveACharacter) {
  ASSERT_TRUE(focus.SetFocus(&a, window.get()));
  env.loop().RunPending();
  log.clear();
  Key(XK_a, ShiftMask);
  Key(XK_Return);
  Key(XK_KP_Enter);
  Key(XK_eacute);  // above 127: negative, no character
  Key(XK_Left, 0, os::KeyEvent::Kind::kRepeat);
  Key(XK_a, 0, os::KeyEvent::Kind::kUp);
  EXPECT_EQ(log, (Log{"a down 97 0 1", "a char 97", "a down 13 0 0", "a down 13 13 0",
                      "a down -23 0 0", "a down 28 37 0", "a up 97 0"}));
  // Nothing consumed any of them: all left to the host.
  EXPECT_EQ(answers, std::vector<int>(6, kHfcEventNotHandled));
}

TEST_F(KeyFocusFixture, AKeyIsHandledWhenTheDownOrTheCharacterIsUsed) {
  focus.SetFocus(&a, window.get());
  a.consumeChar = true;
  Key(XK_b);
  Key(XK_Escape);
  a.consumeDown = true;
  Key(XK_Escape);
  EXPECT_EQ(answers, (std::vector<int>{kHfcEventHandled, kHfcEventNotHandled, kHfcEventHandled}));
  focus.ReleaseFocus();
  Key(XK_b);
  EXPECT_EQ(answers.back(), kHfcEventNotHandled);
}

TEST_F(KeyFocusFixture, FocusMovesFromOneListenerToAnother) {
  EXPECT_FALSE(focus.SetFocus(nullptr, window.get()));
  EXPECT_FALSE(focus.SetFocus(&a, nullptr));
  focus.ReleaseFocus();  // nobody has it: nothing
  EXPECT_TRUE(focus.SetFocus(&a, window.get()));
  EXPECT_TRUE(focus.SetFocus(&a, window.get()));  // again: no second notice
  env.loop().RunPending();
  EXPECT_TRUE(focus.IsFocused(&a));
  EXPECT_TRUE(focus.SetFocus(&b, window.get()));
  EXPECT_FALSE(focus.IsFocused(&a));
  EXPECT_TRUE(focus.IsFocused(&b));
  // The window loses the keyboard, then gets it back.
  window->InjectFocus(false);
  env.loop().RunPending();
  EXPECT_FALSE(focus.IsFocused(&b));
  window->InjectFocus(true);
  env.loop().RunPending();
  focus.ReleaseFocus();
  EXPECT_EQ(focus.GetFocusedListener(), nullptr);
  EXPECT_EQ(log, (Log{"a set", "a lost", "b set", "b lost", "b set", "b lost"}));
}

// A holder (a modal page) gets the keyboard back whenever a listener of
// its own lets it go; a straight move from one listener to another does not
// pass through it; while the window lacks the keyboard the holder gets it
// with the window's next focus, and the platform is not asked meanwhile.
TEST_F(KeyFocusFixture, AHolderTakesTheKeyboardBackWhenAListenerLetsItGo) {
  FocusRecorder holder{&log, "h"};
  focus.SetHolder(&holder, window.get());
  focus.SetFocus(&a, window.get());  // a text field of the page
  focus.SetFocus(&b, window.get());  // straight on to another
  focus.ReleaseFocus();              // b is done: back to the page
  EXPECT_TRUE(focus.IsFocused(&holder));
  Key(XK_Escape);
  focus.SetFocus(&a, window.get());
  window->InjectFocus(false);  // another program takes the keyboard
  env.loop().RunPending();
  focus.ReleaseFocus();
  EXPECT_EQ(focus.GetFocusedListener(), &holder);
  EXPECT_FALSE(window->HasFocus());
  window->InjectFocus(true);
  env.loop().RunPending();
  EXPECT_TRUE(focus.IsFocused(&holder));
  focus.ReleaseFocus();  // the holder itself lets go: nobody
  EXPECT_EQ(focus.GetFocusedListener(), nullptr);
  focus.SetFocus(&a, window.get());
  focus.SetHolder(nullptr, nullptr);  // the page ended
  focus.ReleaseFocus();
  EXPECT_EQ(focus.GetFocusedListener(), nullptr);
  EXPECT_EQ(log, (Log{"a set", "a lost", "b set", "b lost", "h set", "h down 27 27 0", "h lost", "a set",
                      "a lost", "h set", "h lost", "a set", "a lost"}));
}

struct HubRecorder : CHfcKeyListener {
  Log* log;
  explicit HubRecorder(Log* l) : log(l) {}
  bool OnHfcKeyDown(CHfcKey*, int a, int b) override {
    log->push_back("down " + std::to_string(a) + " " + std::to_string(b));
    return true;
  }
  bool OnHfcKeyGetFocus(CHfcKey*) override {
    log->push_back("get");
    return true;
  }
  bool OnHfcKeyLostFocus(CHfcKey*) override {
    log->push_back("lost");
    return true;
  }
};

TEST(CHfcKey, HubForwardsToItsFocusListener) {
  vesk::test::TestEnvironment env;
  EXPECT_FALSE(CHfcKey::Uninitialize());
  ASSERT_TRUE(CHfcKey::Initialize());
  CHfcKey* hub = CHfcKey::sm_pInstance;
  auto window = os::HeadlessWindow::Create(4, 4);
  Log log;
  HubRecorder r(&log);
  EXPECT_FALSE(hub->OnKeyDown(1, 2));
  hub->SetFocus(&r, window.get());
  hub->SetFocus(&r, window.get());  // already focused: nothing
  EXPECT_TRUE(window->HasFocus());
  EXPECT_TRUE(hub->OnKeyDown(1, 2));
  EXPECT_FALSE(hub->OnKeyUp(1, 2));
  hub->OnKeyLostFocus();
  EXPECT_EQ(hub->GetFocus(), nullptr);
  hub->OnKeyLostFocus();  // nobody: nothing
  EXPECT_EQ(log, (Log{"get", "down 1 2", "lost"}));
  EXPECT_TRUE(CHfcKey::Uninitialize());
  EXPECT_EQ(CHfcKey::sm_pInstance, nullptr);
}

}  // namespace
