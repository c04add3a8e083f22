#include "os/window/X11Window.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

#include "os/Lock.h"
#include "os/window/KeyMap.h"
#include "os/window/X11DropTarget.h"

namespace os {

namespace {

// Two presses of one button this close in time and space make a double
// click.
constexpr unsigned long kDoubleClickMs = 500;
constexpr int kDoubleClickSlop = 4;

// X font cursor shapes by cursor id.
constexpr unsigned int kCursorShapes[kCursorCount] = {
    XC_left_ptr,  XC_left_ptr, XC_left_ptr, XC_left_ptr,        XC_X_cursor,        XC_xterm,
    XC_crosshair, XC_plus,     XC_watch,    XC_fleur,           XC_hand1,           XC_hand2,
    XC_watch,     XC_watch,    XC_watch,    XC_pirate,          XC_sb_left_arrow,   XC_sb_right_arrow,
};

// A window inside a host's window lives as long as the host lets it: the
// host may destroy its own window, and with it ours, before it tells us to
// close. Xlib's default answer to a request on a window that is gone ends
// the whole process, which here is the host. Errors on the connections of
// these windows are therefore ignored; those of any other connection go to
// the handler that was in place before.
os::Lock g_displaysMutex;
std::set<Display*> g_displays;
XErrorHandler g_previousHandler = nullptr;

int OnXError(Display* display, XErrorEvent* error) {
  {
    std::lock_guard<os::Lock> g(g_displaysMutex);
    if (g_displays.count(display)) return 0;
  }
  return g_previousHandler ? g_previousHandler(display, error) : 0;
}

void WatchErrors(Display* display) {
  std::lock_guard<os::Lock> g(g_displaysMutex);
  static std::once_flag installed;
  std::call_once(installed, [] { g_previousHandler = XSetErrorHandler(&OnXError); });
  g_displays.insert(display);
}

void UnwatchErrors(Display* display) {
  std::lock_guard<os::Lock> g(g_displaysMutex);
  g_displays.erase(display);
}

MouseButton ButtonOf(unsigned int xbutton) {
  switch (xbutton) {
    case Button1: return MouseButton::kLeft;
    case Button2: return MouseButton::kMiddle;
    case Button3: return MouseButton::kRight;
    default: return MouseButton::kNone;
  }
}

// Where the pointer is, on the window and on the screen, and the modifiers
// held: what every pointer event carries.
template <typename XPointerEvent>
MouseEvent PointerEventOf(const XPointerEvent& p) {
  MouseEvent e;
  e.x = p.x;
  e.y = p.y;
  e.globalX = p.x_root;
  e.globalY = p.y_root;
  e.mods = TranslateModifiers(p.state);
  return e;
}

// Wheel steps arrive as presses of buttons 4 (up), 5 (down), 6 (left) and
// 7 (right); their releases carry nothing.
bool IsWheelButton(unsigned int xbutton) { return xbutton >= 4 && xbutton <= 7; }

MouseEvent WheelEventOf(const XButtonEvent& b) {
  MouseEvent e = PointerEventOf(b);
  e.kind = MouseEvent::Kind::kWheel;
  e.wheelAxis = b.button <= 5 ? 1 : 0;
  e.wheelDelta = (b.button == 4 || b.button == 6) ? 1 : -1;
  return e;
}

MouseEvent MotionEventOf(const XMotionEvent& m) {
  MouseEvent e = PointerEventOf(m);
  e.kind = (m.state & (Button1Mask | Button2Mask | Button3Mask)) ? MouseEvent::Kind::kDrag
                                                                  : MouseEvent::Kind::kMove;
  return e;
}

}  // namespace

struct X11Window::Impl {
  Display* display = nullptr;
  ::Window window = 0;
  Visual* visual = nullptr;
  int depth = 0;
  GC gc = nullptr;
  bool topLevel = false;
  Atom deleteAtom = 0;
  Atom stateAtom = 0;
  Cursor cursors[kCursorCount] = {};
  std::set<unsigned int> keysDown;
  // Click counting.
  unsigned int lastButton = 0;
  Time lastPressTime = 0;
  int lastX = 0;
  int lastY = 0;
  int clicks = 0;
  std::unique_ptr<X11DropTarget> dropTarget;
  // The server destroyed the window (its parent went).
  bool destroyed = false;
  // The input-only child that covers the window while it is held off.
  ::Window shield = 0;

  // A press or release of the left, middle or right button, with the
  // presses counted.
  MouseEvent ButtonEventOf(const XButtonEvent& b, bool press);
  // A key as typed (the symbol with Shift, without the other modifiers); a
  // press of a key already down is a repeat.
  KeyEvent KeyEventOf(XKeyEvent& k, bool press);
  // Focus taken from the pointer by the window under it comes as a loss of
  // the pointer's focus and, in the same breath, a gain of its own: no loss
  // at all for the window.
  bool IsRegainedAtOnce(const XFocusChangeEvent& f);

  ~Impl() {
    if (!display) return;
    dropTarget.reset();
    for (Cursor c : cursors)
      if (c) XFreeCursor(display, c);
    if (gc) XFreeGC(display, gc);
    if (window && !destroyed) XDestroyWindow(display, window);
    // Errors of the requests above are still answered while closing.
    XSync(display, False);
    XCloseDisplay(display);
    UnwatchErrors(display);
  }
};

std::unique_ptr<X11Window> X11Window::CreateTopLevel(const char* displayName, int x, int y,
                                                     int width, int height,
                                                     const std::string& title) {
  return Make(displayName, 0, true, x, y, width, height, title);
}

std::unique_ptr<X11Window> X11Window::CreateChild(const char* displayName, uint64_t parentId,
                                                  int x, int y, int width, int height) {
  if (parentId == 0) return nullptr;
  return Make(displayName, parentId, false, x, y, width, height, std::string());
}

std::unique_ptr<X11Window> X11Window::Make(const char* displayName, uint64_t parentId,
                                           bool topLevel, int x, int y, int width, int height,
                                           const std::string& title) {
  if (width < 1 || height < 1) return nullptr;
  auto impl = std::make_unique<Impl>();
  impl->display = XOpenDisplay(displayName);
  if (!impl->display) return nullptr;
  Display* d = impl->display;
  WatchErrors(d);
  const int screen = DefaultScreen(d);
  XVisualInfo vi;
  if (!XMatchVisualInfo(d, screen, 24, TrueColor, &vi) || vi.red_mask != 0xFF0000 ||
      vi.green_mask != 0xFF00 || vi.blue_mask != 0xFF)
    return nullptr;
  impl->visual = vi.visual;
  impl->depth = vi.depth;
  const ::Window parent = topLevel ? RootWindow(d, screen) : static_cast<::Window>(parentId);
  XSetWindowAttributes attrs{};
  attrs.colormap = XCreateColormap(d, parent, vi.visual, AllocNone);
  attrs.background_pixel = 0;
  attrs.border_pixel = 0;
  attrs.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                     KeyPressMask | KeyReleaseMask | FocusChangeMask | StructureNotifyMask |
                     PropertyChangeMask;
  impl->window = XCreateWindow(d, parent, x, y, width, height, 0, vi.depth, InputOutput, vi.visual,
                               CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attrs);
  if (!impl->window) return nullptr;
  impl->gc = XCreateGC(d, impl->window, 0, nullptr);
  impl->topLevel = topLevel;
  if (topLevel) {
    impl->stateAtom = XInternAtom(d, "WM_STATE", False);
    impl->deleteAtom = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, impl->window, &impl->deleteAtom, 1);
  }
  // Held keys then repeat as presses without releases in between.
  XkbSetDetectableAutoRepeat(d, True, nullptr);
  XSync(d, False);
  std::unique_ptr<X11Window> made(new X11Window(std::move(impl), width, height));
  if (topLevel) {
    made->SetTitle(title);
    made->ApplySizeLimits();
  }
  made->origin_ = made->ScreenOrigin();
  return made;
}

X11Window::X11Window(std::unique_ptr<Impl> impl, int width, int height)
    : impl_(std::move(impl)), width_(width), height_(height) {
  impl_->dropTarget = std::make_unique<X11DropTarget>(
      impl_->display, impl_->window, [this](const DragEvent& e) { return DeliverDrag(e); });
  if (MainLoop* loop = MainLoop::Current()) timer_ = loop->AddTimer(10, 10, [this] { Pump(); });
}

X11Window::~X11Window() {
  if (timer_)
    if (MainLoop* loop = MainLoop::Current()) loop->RemoveTimer(timer_);
}

WindowPoint X11Window::ScreenOrigin() const {
  Display* d = impl_->display;
  int rx = 0, ry = 0;
  ::Window child;
  XTranslateCoordinates(d, impl_->window, DefaultRootWindow(d), 0, 0, &rx, &ry, &child);
  return {rx, ry};
}

bool X11Window::Resize(int width, int height) {
  if (width < 1 || height < 1) return false;
  XResizeWindow(impl_->display, impl_->window, width, height);
  width_ = width;
  height_ = height;
  XFlush(impl_->display);
  return true;
}

bool X11Window::MoveTo(int x, int y) {
  XMoveWindow(impl_->display, impl_->window, x, y);
  // The program's own move is no move by the user.
  if (impl_->topLevel) origin_ = {x, y};
  XFlush(impl_->display);
  return true;
}

void X11Window::Show() {
  XMapWindow(impl_->display, impl_->window);
  XFlush(impl_->display);
  visible_ = true;
}

void X11Window::Hide() {
  XUnmapWindow(impl_->display, impl_->window);
  XFlush(impl_->display);
  visible_ = false;
}

bool X11Window::Present(const uint32_t* picture, int pictureWidth, int pictureHeight,
                        const WindowRect& area) {
  if (!picture || impl_->destroyed) return false;
  WindowRect r = area;
  if (!ClipArea(pictureWidth, pictureHeight, &r)) return false;
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  // The picture's words already are the visual's pixels; Xlib swaps bytes
  // when the server's order differs.
  XImage* image = XCreateImage(impl_->display, impl_->visual, impl_->depth, ZPixmap, 0,
                               reinterpret_cast<char*>(const_cast<uint32_t*>(picture)),
                               pictureWidth, pictureHeight, 32, pictureWidth * 4);
  if (!image) return false;
  image->byte_order = LSBFirst;
  XPutImage(impl_->display, impl_->window, impl_->gc, image, r.left, r.top, r.left, r.top, w, h);
  image->data = nullptr;  // the picture is not ours to free
  XDestroyImage(image);
  XFlush(impl_->display);
  return true;
}

void X11Window::SetCursor(CursorId id) {
  const int i = static_cast<int>(id);
  if (i < 0 || i >= kCursorCount) return;
  if (!impl_->cursors[i]) impl_->cursors[i] = XCreateFontCursor(impl_->display, kCursorShapes[i]);
  XDefineCursor(impl_->display, impl_->window, impl_->cursors[i]);
  XFlush(impl_->display);
}

bool X11Window::Viewable() const {
  XWindowAttributes attrs;
  return XGetWindowAttributes(impl_->display, impl_->window, &attrs) &&
         attrs.map_state == IsViewable;
}

bool X11Window::RequestFocus() {
  // Focus on (and reading) a window that is not viewable is a protocol
  // error, which Xlib's default handler answers by ending the process; a
  // host's window may well be unmapped still.
  if (!visible_ || !Viewable()) return false;
  XSetInputFocus(impl_->display, impl_->window, RevertToParent, CurrentTime);
  XFlush(impl_->display);
  return true;
}

uint64_t X11Window::NativeId() const { return impl_->window; }

uint32_t X11Window::RunDrag(const std::vector<DragItem>&, int, int) { return kDragActionNone; }

bool X11Window::SetCollapsed(bool collapsed) {
  Display* d = impl_->display;
  if (!impl_->topLevel) return false;
  const bool sent = collapsed ? XIconifyWindow(d, impl_->window, DefaultScreen(d)) != 0
                              : (XMapWindow(d, impl_->window), true);
  XFlush(d);
  return sent;
}

void X11Window::ApplyInputShield(bool on) {
  Display* d = impl_->display;
  if (impl_->destroyed) return;
  if (on) {
    if (!impl_->shield) {
      // As large as X allows, so that it covers the window at any size.
      XSetWindowAttributes attrs{};
      impl_->shield = XCreateWindow(d, impl_->window, 0, 0, 32767, 32767, 0, 0, InputOnly,
                                    CopyFromParent, 0, &attrs);
    }
    if (impl_->shield) XMapRaised(d, impl_->shield);
  } else if (impl_->shield) {
    XUnmapWindow(d, impl_->shield);
  }
  XFlush(d);
}

void X11Window::ApplyTitle() {
  if (!impl_->topLevel) return;
  Display* d = impl_->display;
  const std::string shown = ShownTitle();
  const auto* bytes = reinterpret_cast<const unsigned char*>(shown.data());
  const int length = static_cast<int>(shown.size());
  XChangeProperty(d, impl_->window, XInternAtom(d, "_NET_WM_NAME", False),
                  XInternAtom(d, "UTF8_STRING", False), 8, PropModeReplace, bytes, length);
  XChangeProperty(d, impl_->window, XA_WM_NAME, XInternAtom(d, "UTF8_STRING", False), 8,
                  PropModeReplace, bytes, length);
  XFlush(d);
}

void X11Window::ApplySizeLimits() {
  if (!impl_->topLevel) return;
  const WindowSizeLimits& l = SizeLimits();
  XSizeHints hints{};
  // A place the program gives is the place of the content, not of the
  // frame the window manager adds: moving back to a remembered place then
  // lands exactly there.
  hints.flags = PWinGravity;
  hints.win_gravity = StaticGravity;
  if (l.minWidth > 0 || l.minHeight > 0) {
    hints.flags |= PMinSize;
    hints.min_width = std::max(l.minWidth, 1);
    hints.min_height = std::max(l.minHeight, 1);
  }
  if (l.maxWidth > 0 || l.maxHeight > 0) {
    // A free side gets the largest size X allows.
    hints.flags |= PMaxSize;
    hints.max_width = l.maxWidth > 0 ? l.maxWidth : 32767;
    hints.max_height = l.maxHeight > 0 ? l.maxHeight : 32767;
  }
  XSetWMNormalHints(impl_->display, impl_->window, &hints);
  XFlush(impl_->display);
}

void X11Window::OnConfigured(int width, int height) {
  const bool sized = width != width_ || height != height_;
  width_ = width;
  height_ = height;
  if (!impl_->topLevel) return;
  const WindowPoint origin = ScreenOrigin();
  const bool moved = origin.x != origin_.x || origin.y != origin_.y;
  origin_ = origin;
  if (sized || moved) DeliverBounds({origin.x, origin.y, origin.x + width, origin.y + height}, sized, moved);
}

void X11Window::OnStateChanged() {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(impl_->display, impl_->window, impl_->stateAtom, 0, 2, False, impl_->stateAtom,
                         &type, &format, &count, &after, &data) != Success)
    return;
  // WM_STATE holds the state as its first 32-bit field: 3 is iconic.
  const bool iconic = data && format == 32 && count >= 1 && reinterpret_cast<long*>(data)[0] == IconicState;
  if (data) XFree(data);
  if (iconic == collapsed_) return;
  collapsed_ = iconic;
  DeliverCollapse(iconic);
}

void X11Window::Sync() { XSync(impl_->display, False); }

void X11Window::Pump() {
  Display* d = impl_->display;
  while (XPending(d) > 0) {
    XEvent ev;
    XNextEvent(d, &ev);
    Handle(&ev);
  }
}

bool X11Window::ReadPixels(std::vector<uint32_t>* pixels) {
  if (!Viewable()) return false;
  // The server refuses (and Xlib then ends the process) to read a window
  // that reaches beyond the screen.
  const WindowPoint origin = ScreenOrigin();
  Screen* screen = DefaultScreenOfDisplay(impl_->display);
  if (origin.x < 0 || origin.y < 0 || origin.x + width_ > WidthOfScreen(screen) ||
      origin.y + height_ > HeightOfScreen(screen))
    return false;
  XImage* image =
      XGetImage(impl_->display, impl_->window, 0, 0, width_, height_, AllPlanes, ZPixmap);
  if (!image) return false;
  pixels->assign(static_cast<size_t>(width_) * height_, 0);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      (*pixels)[static_cast<size_t>(y) * width_ + x] =
          0xFF000000u | (static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
  XDestroyImage(image);
  return true;
}

MouseEvent X11Window::Impl::ButtonEventOf(const XButtonEvent& b, bool press) {
  MouseEvent e = PointerEventOf(b);
  e.button = ButtonOf(b.button);
  if (press) {
    const bool again = b.button == lastButton && b.time - lastPressTime <= kDoubleClickMs &&
                       std::abs(b.x - lastX) <= kDoubleClickSlop &&
                       std::abs(b.y - lastY) <= kDoubleClickSlop;
    clicks = again ? clicks + 1 : 1;
    lastButton = b.button;
    lastPressTime = b.time;
    lastX = b.x;
    lastY = b.y;
  }
  e.kind = press ? MouseEvent::Kind::kDown : MouseEvent::Kind::kUp;
  e.clickCount = clicks;
  return e;
}

KeyEvent X11Window::Impl::KeyEventOf(XKeyEvent& k, bool press) {
  KeyEvent e;
  char text[8];
  KeySym sym = NoSymbol;
  XLookupString(&k, text, sizeof(text), &sym, nullptr);
  TranslateKeysym(static_cast<uint32_t>(sym), &e.chr, &e.key);
  e.mods = TranslateModifiers(k.state);
  if (press) {
    e.kind = keysDown.insert(k.keycode).second ? KeyEvent::Kind::kDown : KeyEvent::Kind::kRepeat;
  } else {
    keysDown.erase(k.keycode);
    e.kind = KeyEvent::Kind::kUp;
  }
  return e;
}

bool X11Window::Impl::IsRegainedAtOnce(const XFocusChangeEvent& f) {
  if (f.type != FocusOut || f.detail != NotifyPointer || XEventsQueued(display, QueuedAfterReading) == 0)
    return false;
  XEvent next;
  if (!XCheckTypedWindowEvent(display, window, FocusIn, &next)) return false;
  XPutBackEvent(display, &next);
  return true;
}

void X11Window::Handle(void* raw) {
  XEvent& ev = *static_cast<XEvent*>(raw);
  if (impl_->dropTarget->Handle(ev)) return;
  switch (ev.type) {
    case ButtonPress:
    case ButtonRelease:
      if (IsWheelButton(ev.xbutton.button)) {
        if (ev.type == ButtonPress) Deliver(WheelEventOf(ev.xbutton));
      } else if (ButtonOf(ev.xbutton.button) != MouseButton::kNone) {
        Deliver(impl_->ButtonEventOf(ev.xbutton, ev.type == ButtonPress));
      }
      return;
    case MotionNotify:
      Deliver(MotionEventOf(ev.xmotion));
      return;
    case KeyPress:
    case KeyRelease:
      DeliverKey(impl_->KeyEventOf(ev.xkey, ev.type == KeyPress));
      return;
    case Expose: {
      const XExposeEvent& x = ev.xexpose;
      DeliverExpose({x.x, x.y, x.x + x.width, x.y + x.height});
      return;
    }
    case FocusIn:
    case FocusOut:
      if (impl_->IsRegainedAtOnce(ev.xfocus)) return;
      focused_ = ev.type == FocusIn;
      if (!focused_) impl_->keysDown.clear();
      DeliverFocus(focused_);
      return;
    case ConfigureNotify:
      OnConfigured(ev.xconfigure.width, ev.xconfigure.height);
      return;
    case DestroyNotify:
      if (ev.xdestroywindow.window == impl_->window) {
        impl_->destroyed = true;
        visible_ = false;
      }
      return;
    case PropertyNotify:
      if (impl_->topLevel && ev.xproperty.atom == impl_->stateAtom) OnStateChanged();
      return;
    case ClientMessage:
      if (static_cast<Atom>(ev.xclient.data.l[0]) == impl_->deleteAtom && impl_->deleteAtom)
        DeliverClose();
      return;
    default:
      return;
  }
}

}  // namespace os
