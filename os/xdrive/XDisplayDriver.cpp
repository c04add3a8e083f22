#include "os/xdrive/XDisplayDriver.h"

#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>

namespace os {

struct XDisplayDriver::Impl {
  Display* display = nullptr;
  ~Impl() {
    if (display) XCloseDisplay(display);
  }
};

namespace {

// The window's title: the UTF-8 one of today's desktops, else the old one.
std::string NameOf(Display* d, Window w) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string name;
  if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), 0, 1024, False,
                         XInternAtom(d, "UTF8_STRING", False), &type, &format, &count, &after, &data) == Success &&
      data && format == 8)
    name.assign(reinterpret_cast<char*>(data), count);
  if (data) XFree(data);
  if (!name.empty()) return name;
  char* old = nullptr;
  if (XFetchName(d, w, &old) && old) {
    name = old;
    XFree(old);
  }
  return name;
}

// Windows of other programs come and go between two requests about them:
// an error about one that went is no reason to end the process.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

}  // namespace

XDisplayDriver::XDisplayDriver(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
XDisplayDriver::~XDisplayDriver() = default;

std::unique_ptr<XDisplayDriver> XDisplayDriver::Open(const std::string& display, std::string* why) {
  auto impl = std::make_unique<Impl>();
  impl->display = XOpenDisplay(display.c_str());
  if (!impl->display) {
    if (why) *why = "the X display " + display + " cannot be opened";
    return nullptr;
  }
  XSetErrorHandler(&IgnoreError);
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(impl->display, &event, &error, &major, &minor)) {
    if (why) *why = "the X display " + display + " has no XTest extension";
    return nullptr;
  }
  return std::unique_ptr<XDisplayDriver>(new XDisplayDriver(std::move(impl)));
}

std::vector<XDisplayDriver::TopWindow> XDisplayDriver::ChildrenOf(WindowId parent) {
  std::vector<TopWindow> out;
  Display* d = impl_->display;
  Window root = 0, up = 0;
  Window* kids = nullptr;
  unsigned count = 0;
  if (!XQueryTree(d, parent, &root, &up, &kids, &count)) return out;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, kids[i], &a) || a.map_state != IsViewable) continue;
    TopWindow w;
    w.id = kids[i];
    Window child = 0;
    XTranslateCoordinates(d, kids[i], root, 0, 0, &w.rect.x, &w.rect.y, &child);
    w.rect.width = a.width;
    w.rect.height = a.height;
    w.name = NameOf(d, kids[i]);
    out.push_back(w);
  }
  if (kids) XFree(kids);
  return out;
}

std::vector<XDisplayDriver::TopWindow> XDisplayDriver::TopLevels() {
  return ChildrenOf(DefaultRootWindow(impl_->display));
}

void XDisplayDriver::MoveTo(int x, int y) {
  XTestFakeMotionEvent(impl_->display, DefaultScreen(impl_->display), x, y, CurrentTime);
  XFlush(impl_->display);
}

void XDisplayDriver::Press(int button) {
  XTestFakeButtonEvent(impl_->display, static_cast<unsigned>(button), True, CurrentTime);
  XFlush(impl_->display);
}

void XDisplayDriver::Release(int button) {
  XTestFakeButtonEvent(impl_->display, static_cast<unsigned>(button), False, CurrentTime);
  XFlush(impl_->display);
}

void XDisplayDriver::Click(int x, int y, int button) {
  MoveTo(x, y);
  Press(button);
  Release(button);
  Sync();
}

bool XDisplayDriver::Key(unsigned long keysym) {
  Display* d = impl_->display;
  const KeyCode code = XKeysymToKeycode(d, keysym);
  if (code == 0) return false;
  // A character on the key's shifted level needs Shift held.
  const bool shifted = XkbKeycodeToKeysym(d, code, 0, 0) != keysym &&
                       XkbKeycodeToKeysym(d, code, 0, 1) == keysym;
  const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
  if (shifted) XTestFakeKeyEvent(d, shift, True, CurrentTime);
  XTestFakeKeyEvent(d, code, True, CurrentTime);
  XTestFakeKeyEvent(d, code, False, CurrentTime);
  if (shifted) XTestFakeKeyEvent(d, shift, False, CurrentTime);
  XSync(d, False);
  return true;
}

bool XDisplayDriver::Tap(const std::string& keyName) {
  const KeySym sym = XStringToKeysym(keyName.c_str());
  return sym != NoSymbol && Key(sym);
}

bool XDisplayDriver::Type(const std::string& text) {
  for (const char c : text) {
    const std::string name = c == '.' ? "period" : c == ' ' ? "space" : c == '-' ? "minus"
                           : c == '_' ? "underscore" : c == '/' ? "slash" : std::string(1, c);
    if (!Tap(name)) return false;
  }
  return true;
}

XDisplayDriver::Picture XDisplayDriver::Grab(const Rect& r) {
  Picture p;
  Display* d = impl_->display;
  const int screen = DefaultScreen(d);
  const int x0 = std::max(0, r.x), y0 = std::max(0, r.y);
  const int x1 = std::min(DisplayWidth(d, screen), r.x + r.width);
  const int y1 = std::min(DisplayHeight(d, screen), r.y + r.height);
  if (x1 <= x0 || y1 <= y0) return p;
  XImage* image = XGetImage(d, DefaultRootWindow(d), x0, y0, static_cast<unsigned>(x1 - x0),
                            static_cast<unsigned>(y1 - y0), AllPlanes, ZPixmap);
  if (!image) return p;
  p.width = x1 - x0;
  p.height = y1 - y0;
  p.pixels.resize(static_cast<size_t>(p.width) * p.height);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      p.pixels[static_cast<size_t>(y) * p.width + x] =
          static_cast<uint32_t>(XGetPixel(image, x, y) & 0xFFFFFFu);
  XDestroyImage(image);
  return p;
}

void XDisplayDriver::CloseBox(WindowId window) {
  Display* d = impl_->display;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, window, False, NoEventMask, &e);
  XSync(d, False);
}

void XDisplayDriver::Sync() { XSync(impl_->display, False); }

}  // namespace os
