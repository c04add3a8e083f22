// A knob in a framework window on an X server, dragged by pointer events
// that another client sends through the server.
#include <gtest/gtest.h>

#include <vector>

#include "hfc/CHfcCtrlKnob.h"
#include "hfc/CHfcWindowLayer.h"
#include "os/window/X11Window.h"
#include "tests/hfc/HfcCtrlScene.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbServer.h"

// Last: its macros clash with names of the headers above.
#include <X11/Xlib.h>

namespace {

using hfctest::CodedStrip;
using hfctest::FrameOf;
using hfctest::Log;
using KnobUnderXvfb = vesk::test::UnderXvfb;

class XHfcWindow : public CHfcWindow {
 public:
  explicit XHfcWindow(os::Window* window) { SetPlatformWindow(window); }
  ~XHfcWindow() override { SetPlatformWindow(nullptr); }
};

struct Follower : CHfcControlListener {
  Log log;
  void OnHfcCtrlBeginEdit(CHfcControl*) override { log.push_back("begin"); }
  void OnHfcCtrlEndEdit(CHfcControl*) override { log.push_back("end"); }
  void OnHfcCtrlIntValueChanged(CHfcControl* c, int v) override {
    log.push_back("value " + std::to_string(v));
    c->SetIntValue(v, true);
  }
};

// Sends a pointer event to the window from a client of its own.
void SendPointer(const char* display, uint64_t window, int type, int x, int y, unsigned state) {
  Display* other = XOpenDisplay(display);
  ASSERT_NE(other, nullptr);
  XEvent ev{};
  if (type == MotionNotify) {
    ev.xmotion.type = MotionNotify;
    ev.xmotion.display = other;
    ev.xmotion.window = static_cast<Window>(window);
    ev.xmotion.root = DefaultRootWindow(other);
    ev.xmotion.x = ev.xmotion.x_root = x;
    ev.xmotion.y = ev.xmotion.y_root = y;
    ev.xmotion.state = state;
    ev.xmotion.same_screen = True;
  } else {
    ev.xbutton.type = type;
    ev.xbutton.display = other;
    ev.xbutton.window = static_cast<Window>(window);
    ev.xbutton.root = DefaultRootWindow(other);
    ev.xbutton.x = ev.xbutton.x_root = x;
    ev.xbutton.y = ev.xbutton.y_root = y;
    ev.xbutton.button = Button1;
    ev.xbutton.state = state;
    ev.xbutton.same_screen = True;
  }
  const long mask = type == MotionNotify ? PointerMotionMask
                    : type == ButtonPress ? ButtonPressMask
                                          : ButtonReleaseMask;
  EXPECT_NE(XSendEvent(other, ev.xany.window, False, mask, &ev), 0);
  XSync(other, False);
  XCloseDisplay(other);
}

TEST_F(KnobUnderXvfb, ADragThroughTheServerTurnsTheKnob) {
  vesk::test::TestEnvironment env;
  hfctest::ScopedHubs hubs;
  auto top = os::X11Window::CreateTopLevel(display(), 0, 0, 160, 100, "knob");
  ASSERT_NE(top, nullptr);
  top->Show();
  top->Sync();
  XHfcWindow window(top.get());
  CHfcWindowLayer layer;
  ASSERT_TRUE(layer.Create(0, 0, 160, 100, &window));
  layer.Show(false);
  auto strip = CodedStrip(40, 40, 128);
  CHfcCtrlKnob knob;
  Follower page;
  tagHfcCtrlKnobParam p{60, 30, 0, 0, strip.get(), nullptr, 0, 0, 128, 0, 0, 127, 1};
  ASSERT_TRUE(knob.Create(&p, 1, 0));
  knob.SetListener(&page);
  layer.AddControl(&knob, false);
  knob.Show(true);
  knob.SetIntValue(64, true);
  knob.Update(true, true);
  ASSERT_TRUE(top->RequestFocus());
  ASSERT_TRUE(env.loop().RunUntil(
      [&] {
        top->Sync();
        top->Pump();
        return top->HasFocus();
      },
      2000));

  SendPointer(display(), top->NativeId(), ButtonPress, 80, 50, 0);
  for (int y = 49; y >= 40; --y) SendPointer(display(), top->NativeId(), MotionNotify, 80, y, Button1Mask);
  SendPointer(display(), top->NativeId(), ButtonRelease, 80, 40, Button1Mask);
  ASSERT_TRUE(env.loop().RunUntil(
      [&] {
        top->Sync();
        top->Pump();
        return !page.log.empty() && page.log.back() == "end";
      },
      2000));
  EXPECT_EQ(page.log.size(), 13u);  // begin, the value at the press, ten steps, end
  EXPECT_EQ(knob.GetIntValue(), 74);

  knob.Update(false, true);
  std::vector<uint32_t> pixels;
  ASSERT_TRUE(env.loop().RunUntil(
      [&] {
        top->Sync();
        return top->ReadPixels(&pixels) && pixels.size() == 160u * 100u &&
               FrameOf(pixels[50 * 160 + 80] | 0xFF000000u) == 74;
      },
      2000));
  layer.Destroy();
}

}  // namespace
