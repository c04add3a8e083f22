#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEKnob.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "os/window/X11Window.h"
#include "tests/editor/controls/SkinnedControlRecords.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbServer.h"
// The X headers come after the test framework, whose names they would shadow.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

// A page: it stores what the user asked for back into the control, as the
// editor's pages do.
struct Page : CHfcControlListener {
  std::vector<std::string> log;
  void OnHfcCtrlIntValueChanged(CHfcControl* c, int v) override {
    log.push_back("int " + std::to_string(v));
    c->SetIntValue(v, true);
  }
  void OnHfcCtrlPtrValueChanged(CHfcControl* c, void* text) override {
    log.push_back(std::string("text ") + static_cast<const char*>(text));
    c->SetPtrValue(text, true);
  }
};

// Sends input to a window as another client of the server would.
class Client {
 public:
  Client(const char* display, os::X11Window* target) : d_(XOpenDisplay(display)), target_(target) {}
  ~Client() {
    if (d_) XCloseDisplay(d_);
  }
  bool ok() const { return d_ != nullptr; }
  void Button(bool press, int x, int y, unsigned long time) {
    XEvent e{};
    e.xbutton.type = press ? ButtonPress : ButtonRelease;
    Fill(&e.xbutton, x, y, time);
    e.xbutton.button = Button1;
    e.xbutton.state = press ? 0 : Button1Mask;
    XSendEvent(d_, e.xbutton.window, False, press ? ButtonPressMask : ButtonReleaseMask, &e);
  }
  void Drag(int x, int y, unsigned long time) {
    XEvent e{};
    e.xmotion.type = MotionNotify;
    XButtonEvent b{};
    Fill(&b, x, y, time);
    e.xmotion.display = b.display;
    e.xmotion.window = b.window;
    e.xmotion.root = b.root;
    e.xmotion.x = b.x;
    e.xmotion.y = b.y;
    e.xmotion.x_root = b.x_root;
    e.xmotion.y_root = b.y_root;
    e.xmotion.time = time;
    e.xmotion.state = Button1Mask;
    e.xmotion.same_screen = True;
    XSendEvent(d_, e.xmotion.window, False, PointerMotionMask, &e);
  }
  void Key(KeySym sym) {
    XEvent e{};
    e.xkey.type = KeyPress;
    e.xkey.display = d_;
    e.xkey.window = static_cast<Window>(target_->NativeId());
    e.xkey.root = DefaultRootWindow(d_);
    e.xkey.keycode = XKeysymToKeycode(d_, sym);
    e.xkey.same_screen = True;
    XSendEvent(d_, e.xkey.window, False, KeyPressMask, &e);
    e.xkey.type = KeyRelease;
    XSendEvent(d_, e.xkey.window, False, KeyReleaseMask, &e);
  }
  void Flush() { XSync(d_, False); }

 private:
  void Fill(XButtonEvent* b, int x, int y, unsigned long time) {
    b->display = d_;
    b->window = static_cast<Window>(target_->NativeId());
    b->root = DefaultRootWindow(d_);
    b->x = x;
    b->y = y;
    b->x_root = x + target_->ScreenOrigin().x;
    b->y_root = y + target_->ScreenOrigin().y;
    b->time = time;
    b->same_screen = True;
  }
  Display* d_;
  os::X11Window* target_;
};

using ControlsUnderXvfb = vesk::test::UnderXvfb;

TEST_F(ControlsUnderXvfb, AKnobIsDraggedAndAFieldTypedIntoThroughTheServer) {
  vesk::test::TestEnvironment env;
  ASSERT_TRUE(ResourceManager::Initialize());
  ASSERT_TRUE(FontManager::Initialize());
  {
    hfctest::ScopedHubs hubs;
    auto top = os::X11Window::CreateTopLevel(display(), 0, 0, 240, 100, "controls");
    ASSERT_NE(top, nullptr);
    top->Show();
    top->Sync();
    CHfcWindow window;
    window.SetPlatformWindow(top.get());
    CHfcWindowLayer layer;
    ASSERT_TRUE(layer.Create(0, 0, 240, 100, &window));
    layer.Show(false);
    CHfcBmp* page = skintest::Skin("Background_Base");
    Page listener;

    XEKnob knob;
    ASSERT_TRUE(skintest::CreateFactoryKnob(&knob, 20, 20, 0, 127, 0, 4, page));
    knob.SetIntValue(64, false);
    knob.SetPtrValue(const_cast<char*>("64"), false);
    knob.SetListener(&listener);
    layer.AddControl(&knob, false);
    knob.Show(true);

    CHfcCtrlCharEditText field;
    tagHfcCtrlCharEditTextParamEx2 p{};
    tagHfcBmpFontInfo* font = skintest::Font("FontGeneva9");
    p.x = 100;
    p.y = 40;
    p.width = 96;
    p.height = 13;
    p.font = font->bmp;
    p.background = page;
    p.backgroundX = 100;
    p.backgroundY = 40;
    p.overlay = skintest::Skin("EditText_96X13");
    p.rows = 1;
    p.columns = 16;
    p.selectionColor = 0x2B0000FF;
    p.cursorColor = 0xFF000000;
    p.sensitivity = 1.0;
    p.fineSensitivity = 0.1;
    p.proportional = 1;
    p.fontInfo = font;
    p.textColor = 0xFF000000;
    ASSERT_TRUE(field.CreateEx2(&p, 2, 0));
    field.SetPtrValue(const_cast<char*>("Init"), false);
    field.SetListener(&listener);
    layer.AddControl(&field, false);
    field.Show(true);

    auto pump = [&] {
      top->Sync();
      top->Pump();
      env.loop().RunPending();
    };
    ASSERT_TRUE(top->RequestFocus());
    ASSERT_TRUE(env.loop().RunUntil(
        [&] {
          pump();
          return top->HasFocus();
        },
        2000));

    Client user(display(), top.get());
    ASSERT_TRUE(user.ok());
    // Ten pixels up over the knob, quickly: ten values up.
    user.Button(true, 38, 24, 1000);
    for (int i = 1; i <= 10; ++i) user.Drag(38, 24 - i, 1000 + i);
    user.Button(false, 38, 14, 1020);
    // A double click on the field, a new text and return.
    user.Button(true, 120, 46, 2000);
    user.Button(false, 120, 46, 2010);
    user.Button(true, 120, 46, 2100);
    user.Button(false, 120, 46, 2110);
    user.Key(XK_h);
    user.Key(XK_i);
    user.Key(XK_Return);
    user.Flush();
    ASSERT_TRUE(env.loop().RunUntil(
        [&] {
          pump();
          return !listener.log.empty() && listener.log.back().rfind("text", 0) == 0;
        },
        2000));
    std::vector<std::string> expected;
    for (int v = 65; v <= 74; ++v) expected.push_back("int " + std::to_string(v));
    expected.push_back("text hi");
    EXPECT_EQ(listener.log, expected);
    EXPECT_EQ(knob.GetIntValue(), 74);
    EXPECT_STREQ(static_cast<char*>(field.GetPtrValue()), "hi");
    EXPECT_FALSE(field.IsEditing());

    // The redrawn controls reach the server's picture.
    knob.Update(false, true);
    field.Update(false, true);
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(top->ReadPixels(&pixels));
    ASSERT_EQ(pixels.size(), 240u * 100u);
    // The lit ring at the top of the knob (value 74 lights past it).
    const uint32_t top_ring = pixels[(20 + 3) * 240 + 20 + 18];
    EXPECT_GT((top_ring >> 16) & 0xFF, (top_ring & 0xFF) + 40);
    // Dark text pixels in the field.
    int dark = 0;
    for (int y = 42; y < 51; ++y)
      for (int x = 102; x < 120; ++x) dark += (pixels[y * 240 + x] & 0xFF) < 0x60;
    EXPECT_GT(dark, 4);

    knob.Destroy();
    field.Destroy();
    layer.Destroy();
    window.SetPlatformWindow(nullptr);
  }
  FontManager::Uninitialize();
  ResourceManager::Uninitialize();
}

}  // namespace
