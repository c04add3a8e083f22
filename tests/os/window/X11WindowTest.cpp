#include "os/window/X11Window.h"

#include <gtest/gtest.h>
// The X headers come after the test framework, whose names they would shadow.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "os/window/X11DropTarget.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbServer.h"

namespace {

using vesk::test::TestEnvironment;

struct Sink : os::WindowSink {
  std::vector<std::string> drags;
  int dragAnswer = 0;
  int OnWindowDrag(const os::DragEvent& e) override {
    static const char* kNames[] = {"enter", "over", "leave", "drop"};
    std::string entry = kNames[static_cast<int>(e.kind)];
    entry.append(" ").append(std::to_string(e.x)).append(",").append(std::to_string(e.y));
    if (e.items)
      for (const os::DragItem& item : *e.items) entry += " " + item.path;
    drags.push_back(entry);
    return dragAnswer;
  }
  std::vector<os::MouseEvent> mouse;
  std::vector<os::KeyEvent> keys;
  std::vector<bool> focus;
  void OnWindowFocus(bool gained) override { focus.push_back(gained); }
  void OnWindowMouse(const os::MouseEvent& e) override { mouse.push_back(e); }
  int closes = 0;
  std::vector<std::string> bounds;
  int snapWidthTo = 0;
  bool collapseAnswer = true;
  std::vector<bool> collapses;
  void OnWindowClose() override { ++closes; }
  void OnWindowBoundsChanging(os::WindowRect* b, bool sized, bool) override {
    bounds.push_back("changing " + std::to_string(b->right - b->left) + "x" + std::to_string(b->bottom - b->top) +
                     (sized ? " sized" : ""));
    if (snapWidthTo > 0) b->right = b->left + snapWidthTo;
  }
  bool OnWindowCollapse(bool collapsed) override {
    collapses.push_back(collapsed);
    return collapseAnswer;
  }
  bool OnWindowKey(const os::KeyEvent& e) override {
    keys.push_back(e);
    return true;
  }
};

using UnderXvfb = vesk::test::UnderXvfb;

// What another client reads of a window's property, as bytes.
std::string ReadProperty(Display* d, Window w, const char* name) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 1024, False, AnyPropertyType, &type, &format,
                         &count, &after, &data) != Success || !data)
    return "";
  std::string text(reinterpret_cast<char*>(data), count);
  XFree(data);
  return text;
}

TEST_F(UnderXvfb, TopLevelTitleLimitsCloseResizeAndIconicState) {
  TestEnvironment env;
  auto top = os::X11Window::CreateTopLevel(display(), 20, 20, 80, 60, "Caf\x8E");
  ASSERT_NE(top, nullptr);
  Sink sink;
  top->SetSink(&sink);
  top->Show();
  top->SetModified(true);
  top->SetSizeLimits({50, 40, 200, 0});
  top->Sync();
  const auto id = static_cast<Window>(top->NativeId());

  Display* other = XOpenDisplay(display());
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(ReadProperty(other, id, "_NET_WM_NAME"), "\u2022 Caf\u00E9");
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_NE(XGetWMNormalHints(other, id, &hints, &supplied), 0);
  EXPECT_EQ(hints.flags & (PMinSize | PMaxSize), PMinSize | PMaxSize);
  EXPECT_EQ(hints.min_width, 50);
  EXPECT_EQ(hints.min_height, 40);
  EXPECT_EQ(hints.max_width, 200);
  EXPECT_EQ(hints.max_height, 32767);

  // The window manager's delete request, a resize it makes, and its
  // iconic state.
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = id;
  close.xclient.message_type = XInternAtom(other, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(other, "WM_DELETE_WINDOW", False));
  ASSERT_NE(XSendEvent(other, id, False, NoEventMask, &close), 0);
  sink.snapWidthTo = 100;
  XResizeWindow(other, id, 120, 90);
  const Atom wmState = XInternAtom(other, "WM_STATE", False);
  long iconic[2] = {IconicState, 0};
  sink.collapseAnswer = false;
  XChangeProperty(other, id, wmState, wmState, 32, PropModeReplace, reinterpret_cast<unsigned char*>(iconic), 2);
  XSync(other, False);
  XCloseDisplay(other);

  top->Sync();
  top->Pump();
  env.loop().RunPending();
  top->Sync();
  top->Pump();
  env.loop().RunPending();
  EXPECT_EQ(sink.closes, 1);
  EXPECT_EQ(sink.bounds, std::vector<std::string>{"changing 120x90 sized"});
  EXPECT_EQ(top->Width(), 100);
  EXPECT_EQ(top->Height(), 90);
  EXPECT_EQ(sink.collapses, std::vector<bool>{true});
  EXPECT_TRUE(top->IsCollapsed());
}

TEST_F(UnderXvfb, DrawsAndTakesAClickAndAKey) {
  TestEnvironment env;

  auto top = os::X11Window::CreateTopLevel(display(), 30, 20, 64, 48, "smoke");
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(os::X11Window::CreateTopLevel(display(), 0, 0, 0, 10, "x"), nullptr);
  auto child = os::X11Window::CreateChild(display(), top->NativeId(), 8, 6, 16, 12);
  ASSERT_NE(child, nullptr);
  top->Show();
  child->Show();
  top->Sync();
  child->Sync();
  EXPECT_EQ(top->ScreenOrigin().x, 30);
  EXPECT_EQ(top->ScreenOrigin().y, 20);
  EXPECT_EQ(child->ScreenOrigin().x, 38);
  EXPECT_EQ(child->ScreenOrigin().y, 26);

  // A dark picture with a red square, shown through the server.
  std::vector<uint32_t> picture(64 * 48, 0xFF203040u);
  for (int y = 30; y < 40; ++y)
    for (int x = 40; x < 50; ++x) picture[y * 64 + x] = 0xFFFF0000u;
  ASSERT_TRUE(top->Present(picture.data(), 64, 48, {0, 0, 64, 48}));
  std::vector<uint32_t> childPicture(16 * 12, 0xFF00FF00u);
  ASSERT_TRUE(child->Present(childPicture.data(), 16, 12, {0, 0, 16, 12}));
  top->Sync();
  child->Sync();
  std::vector<uint32_t> pixels;
  ASSERT_TRUE(top->ReadPixels(&pixels));
  ASSERT_EQ(pixels.size(), 64u * 48u);
  EXPECT_EQ(pixels[0], 0xFF203040u);
  EXPECT_EQ(pixels[35 * 64 + 45], 0xFFFF0000u);
  EXPECT_EQ(pixels[29 * 64 + 45], 0xFF203040u);
  std::vector<uint32_t> childPixels;
  ASSERT_TRUE(child->ReadPixels(&childPixels));
  EXPECT_EQ(childPixels[5 * 16 + 5], 0xFF00FF00u);

  // A click and a key sent through the server by another client.
  Sink sink;
  top->SetSink(&sink);
  Display* other = XOpenDisplay(display());
  ASSERT_NE(other, nullptr);
  XEvent press{};
  press.xbutton.type = ButtonPress;
  press.xbutton.display = other;
  press.xbutton.window = static_cast<Window>(top->NativeId());
  press.xbutton.root = DefaultRootWindow(other);
  press.xbutton.x = 45;
  press.xbutton.y = 35;
  press.xbutton.x_root = 75;
  press.xbutton.y_root = 55;
  press.xbutton.button = Button3;
  press.xbutton.state = ControlMask;
  press.xbutton.same_screen = True;
  ASSERT_NE(XSendEvent(other, press.xbutton.window, False, ButtonPressMask, &press), 0);
  XEvent release = press;
  release.xbutton.type = ButtonRelease;
  ASSERT_NE(XSendEvent(other, press.xbutton.window, False, ButtonReleaseMask, &release), 0);
  XEvent key{};
  key.xkey.type = KeyPress;
  key.xkey.display = other;
  key.xkey.window = press.xbutton.window;
  key.xkey.root = press.xbutton.root;
  key.xkey.keycode = XKeysymToKeycode(other, XK_Left);
  key.xkey.state = Mod1Mask;
  key.xkey.same_screen = True;
  ASSERT_NE(XSendEvent(other, key.xkey.window, False, KeyPressMask, &key), 0);
  XSync(other, False);
  XCloseDisplay(other);

  top->Sync();
  top->Pump();
  env.loop().RunPending();
  ASSERT_EQ(sink.mouse.size(), 2u);
  EXPECT_EQ(sink.mouse[0].kind, os::MouseEvent::Kind::kDown);
  EXPECT_EQ(sink.mouse[0].button, os::MouseButton::kRight);
  EXPECT_EQ(sink.mouse[0].x, 45);
  EXPECT_EQ(sink.mouse[0].globalX, 75);
  EXPECT_EQ(sink.mouse[0].mods, 2);
  EXPECT_EQ(sink.mouse[0].clickCount, 1);
  EXPECT_EQ(sink.mouse[1].kind, os::MouseEvent::Kind::kUp);
  EXPECT_EQ(sink.mouse[1].button, os::MouseButton::kRight);
  ASSERT_EQ(sink.keys.size(), 1u);
  EXPECT_EQ(sink.keys[0].key, 37);
  EXPECT_EQ(sink.keys[0].chr, 28);
  EXPECT_EQ(sink.keys[0].mods, 4);

  // Focus goes to a shown window only; an unmapped one refuses (rather
  // than drawing a protocol error that would end the process).
  EXPECT_TRUE(top->RequestFocus());
  top->Sync();
  top->Pump();
  env.loop().RunPending();
  EXPECT_TRUE(top->HasFocus());
  EXPECT_EQ(sink.focus, std::vector<bool>{true});
  child->Hide();
  child->Sync();
  EXPECT_FALSE(child->RequestFocus());
  EXPECT_FALSE(child->ReadPixels(&childPixels));
}


TEST_F(UnderXvfb, TakingTheFocusUnderThePointerIsNoLossOfIt) {
  // A menu opens under the pointer while the focus follows the pointer: the
  // server takes the pointer's focus from the window and gives it the focus
  // of its own in one go, and the window must not hear a loss in between
  // (a menu closes when it loses the focus).
  TestEnvironment env;
  auto top = os::X11Window::CreateTopLevel(display(), 30, 20, 64, 48, "focus");
  ASSERT_NE(top, nullptr);
  top->Show();
  top->Sync();
  Sink sink;
  top->SetSink(&sink);
  auto settle = [&] {
    top->Sync();
    top->Pump();
    env.loop().RunPending();
  };
  Display* other = XOpenDisplay(display());
  ASSERT_NE(other, nullptr);
  XWarpPointer(other, None, DefaultRootWindow(other), 0, 0, 0, 0, 50, 40);
  XSetInputFocus(other, PointerRoot, RevertToPointerRoot, CurrentTime);
  XSync(other, False);
  settle();
  sink.focus.clear();

  ASSERT_TRUE(top->RequestFocus());
  settle();
  EXPECT_TRUE(top->HasFocus());
  EXPECT_EQ(sink.focus, std::vector<bool>{true});

  // Focus given to another window is a loss.
  const Window elsewhere = XCreateSimpleWindow(other, DefaultRootWindow(other), 200, 200, 10, 10, 0, 0, 0);
  XMapWindow(other, elsewhere);
  XSync(other, False);
  XSetInputFocus(other, elsewhere, RevertToPointerRoot, CurrentTime);
  XSync(other, False);
  settle();
  EXPECT_FALSE(top->HasFocus());
  EXPECT_EQ(sink.focus, (std::vector<bool>{true, false}));
  XCloseDisplay(other);
}

TEST(X11DropTarget, UriListsGiveLocalPaths) {
  const std::string list =
      "# comment\r\nfile:///home/u/My%20Sounds.VSKall\r\nhttp://x/y\r\n"
      "file://host/tmp/a.VSKpr\nfile:///bad%2\nfile:///nul%00x\nfile:///%41b\n";
  EXPECT_EQ(os::X11DropTarget::ParseUriList(list),
            (std::vector<std::string>{"/home/u/My Sounds.VSKall", "/tmp/a.VSKpr", "/Ab"}));
  EXPECT_TRUE(os::X11DropTarget::ParseUriList("").empty());
}

// Another client plays the drag source: it owns the drag selection, sends
// the protocol's messages and hands over a file list when asked.
class DragSource {
 public:
  DragSource(const std::string& display, ::Window target) : target_(target) {
    d_ = XOpenDisplay(display.c_str());
    if (!d_) return;
    window_ = XCreateSimpleWindow(d_, DefaultRootWindow(d_), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(d_, Atom("XdndSelection"), window_, CurrentTime);
    XSync(d_, False);
  }
  ~DragSource() {
    if (d_) XCloseDisplay(d_);
  }
  bool ok() const { return d_ != nullptr; }
  void Send(const char* type, long l1, long l2, long l3, long l4) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.display = d_;
    ev.xclient.window = target_;
    ev.xclient.message_type = Atom(type);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(window_);
    ev.xclient.data.l[1] = l1;
    ev.xclient.data.l[2] = l2;
    ev.xclient.data.l[3] = l3;
    ev.xclient.data.l[4] = l4;
    XSendEvent(d_, target_, False, NoEventMask, &ev);
    XSync(d_, False);
  }
  void Enter() { Send("XdndEnter", 5L << 24, static_cast<long>(Atom("text/uri-list")), 0, 0); }
  void Position(int rootX, int rootY) {
    Send("XdndPosition", 0, (static_cast<long>(rootX) << 16) | rootY, CurrentTime,
         static_cast<long>(Atom("XdndActionCopy")));
  }
  // Reads what the target sent; answers a data request with `files`.
  std::vector<std::string> Receive(const std::string& files) {
    std::vector<std::string> got;
    XSync(d_, False);
    while (XPending(d_) > 0) {
      XEvent ev;
      XNextEvent(d_, &ev);
      if (ev.type == ClientMessage) {
        char* name = XGetAtomName(d_, ev.xclient.message_type);
        std::string entry = name;
        XFree(name);
        entry.append(" ").append(std::to_string(ev.xclient.data.l[1] & 1));
        if (ev.xclient.data.l[4] || ev.xclient.data.l[2]) {
          const ::Atom action = static_cast<::Atom>(
              entry.rfind("XdndStatus", 0) == 0 ? ev.xclient.data.l[4] : ev.xclient.data.l[2]);
          if (action) {
            char* a = XGetAtomName(d_, action);
            entry += std::string(" ") + a;
            XFree(a);
          }
        }
        got.push_back(entry);
      } else if (ev.type == SelectionRequest) {
        const XSelectionRequestEvent& r = ev.xselectionrequest;
        XChangeProperty(d_, r.requestor, r.property, r.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(files.data()),
                        static_cast<int>(files.size()));
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.display = d_;
        reply.xselection.requestor = r.requestor;
        reply.xselection.selection = r.selection;
        reply.xselection.target = r.target;
        reply.xselection.property = r.property;
        reply.xselection.time = r.time;
        XSendEvent(d_, r.requestor, False, NoEventMask, &reply);
        XSync(d_, False);
        got.push_back("request");
      }
    }
    return got;
  }

 private:
  ::Atom Atom(const char* name) { return XInternAtom(d_, name, False); }
  Display* d_ = nullptr;
  ::Window window_ = 0;
  ::Window target_;
};

TEST_F(UnderXvfb, TakesFilesDroppedByAnotherClientAndRefusesWhatItDoesNotAccept) {
  TestEnvironment env;
  auto top = os::X11Window::CreateTopLevel(display(), 40, 30, 64, 48, "drop");
  ASSERT_NE(top, nullptr);
  top->Show();
  top->Sync();
  Sink sink;
  top->SetSink(&sink);
  auto step = [&] {
    top->Sync();
    top->Pump();
    top->Sync();
  };

  // First a drag that the window does not want: the drop is refused.
  {
    DragSource source(server->display(), static_cast<::Window>(top->NativeId()));
    ASSERT_TRUE(source.ok());
    source.Enter();
    source.Position(50, 40);
    step();
    source.Send("XdndDrop", 0, CurrentTime, 0, 0);
    step();
    EXPECT_EQ(source.Receive(""), (std::vector<std::string>{"XdndStatus 0", "XdndFinished 0"}));
  }
  EXPECT_EQ(sink.drags, (std::vector<std::string>{"enter 10,10 ", "leave 10,10 "}));

  // Then one it copies: the file list arrives as paths.
  sink.drags.clear();
  sink.dragAnswer = 2;
  DragSource source(server->display(), static_cast<::Window>(top->NativeId()));
  source.Enter();
  source.Position(45, 35);
  source.Position(47, 36);
  step();
  source.Send("XdndDrop", 0, CurrentTime, 0, 0);
  step();
  EXPECT_EQ(source.Receive("file:///tmp/One.VSKpr\r\nfile:///tmp/Two%20B.VSKall\r\n"),
            (std::vector<std::string>{"XdndStatus 1 XdndActionCopy", "XdndStatus 1 XdndActionCopy",
                                      "request"}));
  step();
  EXPECT_EQ(source.Receive(""), (std::vector<std::string>{"XdndFinished 1 XdndActionCopy"}));
  EXPECT_EQ(sink.drags, (std::vector<std::string>{"enter 5,5 ", "over 7,6 ",
                                                  "drop 7,6 /tmp/One.VSKpr /tmp/Two B.VSKall"}));

  // A source that never hands its data over loses the drop after a while.
  sink.drags.clear();
  source.Enter();
  source.Position(45, 35);
  step();
  source.Send("XdndDrop", 0, CurrentTime, 0, 0);
  step();
  env.clock().AdvanceMs(os::X11DropTarget::kDropTimeoutMs);
  env.loop().RunPending();
  step();
  EXPECT_EQ(sink.drags, (std::vector<std::string>{"enter 5,5 ", "leave 5,5 "}));
  // Its late answer changes nothing.
  EXPECT_EQ(source.Receive("file:///tmp/Late.VSKpr\n"),
            (std::vector<std::string>{"XdndStatus 1 XdndActionCopy", "request", "XdndFinished 0"}));
  step();
  EXPECT_EQ(sink.drags.size(), 2u);
}

TEST_F(UnderXvfb, ReadingAWindowThatReachesBeyondTheScreenIsRefused) {
  TestEnvironment env;
  auto top = os::X11Window::CreateTopLevel(display(), 300, 10, 64, 48, "edge");
  ASSERT_NE(top, nullptr);
  top->Show();
  top->Sync();
  std::vector<uint32_t> pixels;
  EXPECT_FALSE(top->ReadPixels(&pixels));
  ASSERT_TRUE(top->MoveTo(10, 10));
  top->Sync();
  EXPECT_TRUE(env.loop().RunUntil([&] { return top->ReadPixels(&pixels); }, 2000));
}

// While a modal run goes on, a window that was there keeps the pointer away
// from the windows embedded in it (a plug-in's editor in the host's window):
// the point over the embedded window belongs to an input-only cover.
TEST_F(UnderXvfb, AModalRunCoversTheWindowsEmbeddedInAWindowItHoldsOff) {
  TestEnvironment env;
  auto top = os::X11Window::CreateTopLevel(display(), 20, 20, 80, 60, "host");
  ASSERT_NE(top, nullptr);
  auto embedded = os::X11Window::CreateChild(display(), top->NativeId(), 10, 10, 40, 30);
  ASSERT_NE(embedded, nullptr);
  top->Show();
  embedded->Show();
  top->Sync();
  embedded->Sync();
  Display* other = XOpenDisplay(display());
  ASSERT_NE(other, nullptr);
  auto under = [&](int x, int y) {
    int cx = 0, cy = 0;
    Window child = 0;
    const Window w = static_cast<Window>(top->NativeId());
    XTranslateCoordinates(other, w, w, x, y, &cx, &cy, &child);
    return child;
  };
  const Window embeddedId = static_cast<Window>(embedded->NativeId());
  EXPECT_EQ(under(20, 20), embeddedId);
  {
    os::Window::ModalInput run;
    top->Sync();
    const Window cover = under(20, 20);
    EXPECT_NE(cover, embeddedId);
    EXPECT_NE(cover, 0u);
    EXPECT_EQ(under(70, 50), cover);  // the whole window
  }
  top->Sync();
  EXPECT_EQ(under(20, 20), embeddedId);
  EXPECT_EQ(under(70, 50), 0u);
  XCloseDisplay(other);
}

}  // namespace
