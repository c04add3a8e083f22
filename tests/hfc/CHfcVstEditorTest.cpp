#include <gtest/gtest.h>

#include "hfc/CHfcControl.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/CHfcVstEditor.h"
#include "hfc/CHfcWindowLayer.h"
#include "os/window/HeadlessWindow.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbServer.h"
#include "os/window/X11Window.h"

#include <cstdlib>

namespace {

using hfctest::Log;
using hfctest::RecordingControl;
using hfctest::RecordingLayer;

struct Host : IHfcVstEditorHost {
  bool beginEdit(int index) override {
    log.push_back("begin " + std::to_string(index));
    return true;
  }
  bool endEdit(int index) override {
    log.push_back("end " + std::to_string(index));
    return true;
  }
  bool sendVstEventsToHost(const tagHfcVstMidiEvent* events, int count) override {
    for (int i = 0; i < count; ++i) sent.push_back(events[i]);
    return true;
  }
  Log log;
  std::vector<tagHfcVstMidiEvent> sent;
};

// A product editor: one layer with one control, built in OnCreate and torn
// down in OnDestroy, counting its idle calls.
class Editor : public CHfcVstEditor {
 public:
  explicit Editor(Host* host, Log* log) : CHfcVstEditor(host), layer_(log), control_("knob", log) {
    m_rcEditor = {0, 0, 320, 200};
  }
  ~Editor() override {
    if (isOpen()) close();
  }
  bool OnCreate() override {
    ++creates;
    if (!layer_.Create(0, 0, 320, 200, this)) return false;
    layer_.Show(false);
    control_.Place(100, 50, 40, 40);
    layer_.AddControl(&control_, false);
    return refuseCreate ? false : true;
  }
  bool OnDestroy() override {
    ++destroys;
    layer_.Destroy();
    return CHfcVstEditor::OnDestroy();
  }
  void OnIdle() override { ++idles; }
  os::HeadlessWindow* headless() { return static_cast<os::HeadlessWindow*>(GetPlatformWindow()); }
  RecordingControl& control() { return control_; }

  int creates = 0;
  int destroys = 0;
  int idles = 0;
  bool refuseCreate = false;

 private:
  RecordingLayer layer_;
  RecordingControl control_;
};

struct EditorTest : testing::Test {
  vesk::test::TestEnvironment env;
  Host host;
  Log log;
  Editor editor{&host, &log};
};

TEST_F(EditorTest, OpenBuildsTheWindowAndCloseUndoesEverything) {
  tagHfcERect* rect = nullptr;
  ASSERT_TRUE(editor.getRect(&rect));
  EXPECT_EQ(rect->right, 320);
  EXPECT_EQ(rect->bottom, 200);
  EXPECT_FALSE(editor.isOpen());
  ASSERT_TRUE(editor.open(nullptr));
  EXPECT_TRUE(editor.isOpen());
  EXPECT_TRUE(editor.IsOpenedWithCreate());
  ASSERT_NE(editor.headless(), nullptr);
  EXPECT_EQ(editor.headless()->Width(), 320);
  EXPECT_TRUE(editor.headless()->IsVisible());
  EXPECT_NE(CHfcMouse::sm_pInstance, nullptr);
  EXPECT_NE(CHfcKey::sm_pInstance, nullptr);
  EXPECT_TRUE(editor.HasIdleTimer());
  editor.close();
  EXPECT_FALSE(editor.isOpen());
  EXPECT_EQ(editor.destroys, 1);
  EXPECT_EQ(editor.GetPlatformWindow(), nullptr);
  EXPECT_EQ(CHfcMouse::sm_pInstance, nullptr);
  EXPECT_EQ(CHfcKey::sm_pInstance, nullptr);
  EXPECT_FALSE(editor.HasIdleTimer());
  // Open again after a close.
  ASSERT_TRUE(editor.open(nullptr));
  EXPECT_EQ(editor.creates, 2);
  EXPECT_TRUE(editor.HasIdleTimer());
  editor.close();
}

TEST_F(EditorTest, IdleTimerFirstAfterASixthThenSixtyTimesASecond) {
  ASSERT_TRUE(editor.open(nullptr));
  env.loop().RunFor(166);
  EXPECT_EQ(editor.idles, 0);
  // With the timer the host's idle does no idle work.
  editor.idle();
  EXPECT_EQ(editor.idles, 0);
  env.loop().RunFor(1);
  EXPECT_EQ(editor.idles, 1);
  env.loop().RunFor(1000);
  EXPECT_EQ(editor.idles, 61);
  // Nothing while the window is hidden.
  editor.headless()->Hide();
  env.loop().RunFor(100);
  EXPECT_EQ(editor.idles, 61);
  editor.headless()->Show();
  editor.close();
  env.loop().RunFor(1000);
  EXPECT_EQ(editor.idles, 61);
}

TEST_F(EditorTest, WithoutTheTimerTheHostsIdleDoesTheWork) {
  struct NoTimer : Editor {
    NoTimer(Host* h, Log* l) : Editor(h, l) { m_bUseIdleTimer = false; }
  } plain(&host, &log);
  ASSERT_TRUE(plain.open(nullptr));
  EXPECT_FALSE(plain.HasIdleTimer());
  plain.idle();
  plain.idle();
  EXPECT_EQ(plain.idles, 2);
  plain.close();
}

TEST_F(EditorTest, ARefusedCreateLeavesTheEditorOpenWithoutMoves) {
  editor.refuseCreate = true;
  ASSERT_TRUE(editor.open(nullptr));
  EXPECT_TRUE(editor.isOpen());
  EXPECT_FALSE(editor.IsOpenedWithCreate());
  os::MouseEvent move;
  move.kind = os::MouseEvent::Kind::kMove;
  move.x = 110;
  move.y = 60;
  editor.headless()->InjectMouse(move);
  env.loop().RunPending();
  EXPECT_TRUE(log.empty());
  editor.close();
}

TEST_F(EditorTest, PressTrackAndReleaseGoToTheCaptureHolder) {
  ASSERT_TRUE(editor.open(nullptr));
  os::HeadlessWindow* w = editor.headless();
  os::MouseEvent e;
  e.kind = os::MouseEvent::Kind::kDown;
  e.button = os::MouseButton::kLeft;
  e.clickCount = 1;
  e.x = 110;
  e.y = 60;
  w->InjectMouse(e);
  env.loop().RunPending();
  EXPECT_EQ(log, (Log{"knob ldown 10,10", "layer ldown 110,60"}));
  // The control takes the capture (as a knob does on its press).
  editor.control().SetMouseCapture();
  log.clear();
  e.kind = os::MouseEvent::Kind::kDrag;
  e.x = 300;
  e.y = 5;
  w->InjectMouse(e);
  e.kind = os::MouseEvent::Kind::kUp;
  e.button = os::MouseButton::kRight;  // every release counts as the left one
  w->InjectMouse(e);
  env.loop().RunPending();
  EXPECT_EQ(log, (Log{"knob move 200,-45", "knob lup 200,-45"}));
  // Moves without a button come through the mouse hub to the window.
  editor.control().ReleaseMouseCapture();
  log.clear();
  e.kind = os::MouseEvent::Kind::kMove;
  e.x = 120;
  e.y = 70;
  w->InjectMouse(e);
  env.loop().RunPending();
  EXPECT_EQ(log, (Log{"knob move 20,20", "layer move 120,70"}));
  EXPECT_TRUE(editor.IsMouseOnWindow());
  editor.close();
}

TEST_F(EditorTest, ControlClickIsARightPressAndDoubleClicksKeepTheirButton) {
  ASSERT_TRUE(editor.open(nullptr));
  struct Case {
    os::MouseButton button;
    int mods;
    int clicks;
    const char* first;
  };
  // Every press ends with a left release, whichever button it was.
  const Case cases[] = {
      {os::MouseButton::kLeft, 0, 1, "knob ldown 10,10"},
      {os::MouseButton::kLeft, 8, 1, "knob rdown 10,10"},
      {os::MouseButton::kLeft, 0, 2, "knob ldouble 10,10"},
      {os::MouseButton::kRight, 0, 2, "knob rdouble 10,10"},
      {os::MouseButton::kRight, 0, 1, "knob rdown 10,10"},
  };
  for (const Case& c : cases) {
    log.clear();
    editor.headless()->InjectClick(c.button, 110, 60, c.mods, c.clicks);
    env.loop().RunPending();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), c.first);
    EXPECT_EQ(log.back(), "layer lup 110,60");
  }
  editor.close();
}

TEST_F(EditorTest, DrawingGoesThroughTheWindowsExposes) {
  ASSERT_TRUE(editor.open(nullptr));
  const int before = editor.headless()->PresentCount();
  editor.update();
  editor.draw(nullptr);
  EXPECT_EQ(editor.headless()->PresentCount(), before);
  env.loop().RunPending();
  EXPECT_EQ(editor.headless()->PresentCount(), before + 1);  // both joined into one
  editor.close();
}

// Whatever the window gives, the editor handles it as its own code running,
// so that a host's open or close meanwhile waits until it has returned.
TEST_F(EditorTest, EveryKindOfWindowEventRunsAsTheEditorsOwnCode) {
  struct Watching : Editor {
    Watching(Host* h, Log* l) : Editor(h, l) { m_bUseIdleTimer = false; }
    Log seen;
    void Seen(const char* what) { seen.push_back(std::string(what) + (IsDispatching() ? " inside" : " outside")); }
    void OnWindowMouse(const os::MouseEvent& e) override {
      Seen("mouse");
      Editor::OnWindowMouse(e);
    }
    bool OnWindowKey(const os::KeyEvent& e) override {
      Seen("key");
      return Editor::OnWindowKey(e);
    }
    void OnWindowFocus(bool gained) override {
      Seen("focus");
      Editor::OnWindowFocus(gained);
    }
    int OnWindowDrag(const os::DragEvent& e) override {
      Seen("drag");
      return Editor::OnWindowDrag(e);
    }
    void OnWindowExpose(const os::WindowRect& area) override {
      Seen("expose");
      Editor::OnWindowExpose(area);
    }
    void OnWindowBoundsChanged(const os::WindowRect& b, bool sized, bool moved) override {
      Seen("bounds");
      Editor::OnWindowBoundsChanged(b, sized, moved);
    }
    bool OnWindowCollapse(bool collapsed) override {
      Seen("collapse");
      return Editor::OnWindowCollapse(collapsed);
    }
    void OnWindowClose() override {
      Seen("close");
      Editor::OnWindowClose();
    }
  };
  Watching watching{&host, &log};
  ASSERT_TRUE(watching.open(nullptr));
  env.loop().RunPending();
  watching.seen.clear();
  os::HeadlessWindow* w = watching.headless();
  w->InjectMouse(os::MouseEvent{});
  w->InjectKey(os::KeyEvent::Kind::kDown, 'a');
  w->InjectFocus(true);
  w->InjectDrag(os::DragEvent::Kind::kEnter, 5, 5, 0, {});
  w->Invalidate({0, 0, 10, 10});
  w->InjectUserBounds({40, 30, 360, 230});
  w->InjectCollapse(true);
  w->InjectClose();
  env.loop().RunPending();
  EXPECT_EQ(watching.seen, (Log{"drag inside", "mouse inside", "key inside", "focus inside", "expose inside",
                                "bounds inside", "collapse inside", "close inside"}));
  EXPECT_FALSE(watching.IsDispatching());
}

TEST_F(EditorTest, HostNoticesGoThroughTheHostSeam) {
  EXPECT_TRUE(editor.BeginEdit(7));
  EXPECT_TRUE(editor.EndEdit(7));
  EXPECT_EQ(host.log, (Log{"begin 7", "end 7"}));
  EXPECT_TRUE(editor.SendMidiMessage(0xB0, 74, 100));
  ASSERT_EQ(host.sent.size(), 1u);
  EXPECT_EQ(host.sent[0].type, 1);
  EXPECT_EQ(host.sent[0].byteSize, 24);
  EXPECT_EQ(host.sent[0].deltaFrames, 0);
  EXPECT_EQ(host.sent[0].midiData[0], 0xB0);
  EXPECT_EQ(host.sent[0].midiData[1], 74);
  EXPECT_EQ(host.sent[0].midiData[2], 100);
  CHfcVstEditor lonely(nullptr);
  EXPECT_FALSE(lonely.BeginEdit(1));
  EXPECT_FALSE(lonely.SendMidiMessage(0x90, 60, 1));
  EXPECT_EQ(editor.setKnobMode(1), 0);
  EXPECT_EQ(CHfcControl::sm_iGlobalKnobMode, 1);
  editor.setKnobMode(2);
}

TEST_F(EditorTest, SleepReleasesTheCaptureAndResizeFollowsTheEditorSize) {
  ASSERT_TRUE(editor.open(nullptr));
  editor.top();
  EXPECT_TRUE(editor.IsOnTop());
  ASSERT_TRUE(editor.control().SetMouseCapture());
  editor.sleep();
  EXPECT_FALSE(editor.IsOnTop());
  EXPECT_EQ(CHfcMouse::sm_pInstance->GetCapture(), nullptr);
  EXPECT_FALSE(editor.Resize(400, 250, false));
  EXPECT_EQ(editor.headless()->Width(), 400);
  EXPECT_EQ(editor.headless()->Height(), 250);
  tagHfcRect client{};
  editor.GetClientRect(&client);
  EXPECT_EQ(client.right, 400);
  editor.close();
}

// A host window on an X server: the editor opens as its child, draws its
// layer through the server and takes a click.
using EditorUnderXvfb = vesk::test::UnderXvfb;

TEST_F(EditorUnderXvfb, OpensAsAChildOfTheHostWindow) {
  vesk::test::TestEnvironment env;
  Host host;
  Log log;
  auto hostWindow = os::X11Window::CreateTopLevel(display(), 0, 0, 320, 220, "host");
  ASSERT_NE(hostWindow, nullptr);
  hostWindow->Show();
  hostWindow->Sync();
  setenv("DISPLAY", display(), 1);
  {
    Editor editor(&host, &log);
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(static_cast<uintptr_t>(hostWindow->NativeId()))));
    unsetenv("DISPLAY");
    auto* child = dynamic_cast<os::X11Window*>(editor.GetPlatformWindow());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(editor.GetSystemWindow(),
              reinterpret_cast<void*>(static_cast<uintptr_t>(hostWindow->NativeId())));
    // The layer's picture: a colour the server must show.
    CHfcWindowLayer* layer = editor.GetLayerByIndex(0);
    ASSERT_NE(layer, nullptr);
    layer->GetDrawContext()->SetBrushColor(0xFF3366CC);
    layer->GetDrawContext()->FillRect(0, 0, 320, 200);
    editor.update();
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(env.loop().RunUntil(
        [&] {
          child->Sync();
          return child->ReadPixels(&pixels) && pixels.size() == 320u * 200u &&
                 (pixels[50 * 320 + 50] & 0xFFFFFF) == 0x3366CC;
        },
        2000));
    editor.close();
  }
  EXPECT_EQ(CHfcMouse::sm_pInstance, nullptr);
}

}  // namespace
