#include "os/window/X11DropTarget.h"

#include <X11/Xatom.h>

#include <cstring>

#include "os/window/KeyMap.h"

namespace os {

namespace {

constexpr long kXdndVersion = 5;
constexpr uint32_t kFileType = 0x46494C45u;  // 'FILE'
constexpr uint32_t kTextType = 0x54455854u;  // 'TEXT'

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

X11DropTarget::X11DropTarget(Display* display, ::Window window,
                             std::function<int(const DragEvent&)> deliver)
    : display_(display), window_(window), deliver_(std::move(deliver)) {
  aware_ = XInternAtom(display, "XdndAware", False);
  enter_ = XInternAtom(display, "XdndEnter", False);
  position_ = XInternAtom(display, "XdndPosition", False);
  status_ = XInternAtom(display, "XdndStatus", False);
  leave_ = XInternAtom(display, "XdndLeave", False);
  drop_ = XInternAtom(display, "XdndDrop", False);
  finished_ = XInternAtom(display, "XdndFinished", False);
  selection_ = XInternAtom(display, "XdndSelection", False);
  typeList_ = XInternAtom(display, "XdndTypeList", False);
  copy_ = XInternAtom(display, "XdndActionCopy", False);
  move_ = XInternAtom(display, "XdndActionMove", False);
  link_ = XInternAtom(display, "XdndActionLink", False);
  uriList_ = XInternAtom(display, "text/uri-list", False);
  textPlain_ = XInternAtom(display, "text/plain", False);
  utf8Text_ = XInternAtom(display, "text/plain;charset=utf-8", False);
  property_ = XInternAtom(display, "VESK_DROP", False);
  const long version = kXdndVersion;
  XChangeProperty(display, window, aware_, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&version), 1);
  XFlush(display);
}

X11DropTarget::~X11DropTarget() {
  if (timeout_)
    if (MainLoop* loop = MainLoop::Current()) loop->RemoveTimer(timeout_);
}

bool X11DropTarget::Handle(const XEvent& ev) {
  if (ev.type == SelectionNotify) {
    if (ev.xselection.selection != selection_) return false;
    OnSelection(ev.xselection);
    return true;
  }
  if (ev.type != ClientMessage) return false;
  const XClientMessageEvent& m = ev.xclient;
  if (m.message_type == enter_)
    OnEnter(m);
  else if (m.message_type == position_)
    OnPosition(m);
  else if (m.message_type == leave_)
    OnLeave();
  else if (m.message_type == drop_)
    OnDrop(m);
  else
    return false;
  return true;
}

void X11DropTarget::OnEnter(const XClientMessageEvent& m) {
  if (dropPending_) return;  // still fetching the last drop
  Reset();
  source_ = static_cast<::Window>(m.data.l[0]);
  std::vector<Atom> types;
  if (m.data.l[1] & 1) {
    Atom actual;
    int format;
    unsigned long count = 0, rest = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, source_, typeList_, 0, 1024, False, XA_ATOM, &actual, &format,
                           &count, &rest, &data) == Success &&
        data && actual == XA_ATOM && format == 32) {
      const long* atoms = reinterpret_cast<const long*>(data);
      for (unsigned long i = 0; i < count; ++i) types.push_back(static_cast<Atom>(atoms[i]));
    }
    if (data) XFree(data);
  } else {
    for (int i = 2; i <= 4; ++i)
      if (m.data.l[i]) types.push_back(static_cast<Atom>(m.data.l[i]));
  }
  // Files first, then text; nothing else is offered to the framework.
  for (Atom t : types)
    if (t == uriList_) wanted_ = t;
  for (Atom t : types)
    if (wanted_ == None && (t == utf8Text_ || t == textPlain_)) wanted_ = t;
  if (wanted_ != None) {
    DragItem item;
    item.type = wanted_ == uriList_ ? kFileType : kTextType;
    offered_.push_back(item);
  }
}

void X11DropTarget::OnPosition(const XClientMessageEvent& m) {
  if (!source_ || static_cast<::Window>(m.data.l[0]) != source_) return;
  globalX_ = static_cast<int>((m.data.l[2] >> 16) & 0xFFFF);
  globalY_ = static_cast<int>(m.data.l[2] & 0xFFFF);
  ::Window child;
  XTranslateCoordinates(display_, DefaultRootWindow(display_), window_, globalX_, globalY_, &x_,
                        &y_, &child);
  ::Window root, under;
  int rx, ry, wx, wy;
  unsigned int mask = 0;
  if (XQueryPointer(display_, window_, &root, &under, &rx, &ry, &wx, &wy, &mask))
    mods_ = TranslateModifiers(mask);
  if (offered_.empty()) {
    effect_ = 0;
  } else {
    effect_ = deliver_(Event(entered_ ? DragEvent::Kind::kOver : DragEvent::Kind::kEnter));
    entered_ = true;
  }
  SendStatus(effect_);
}

void X11DropTarget::OnLeave() {
  if (entered_ && !dropPending_) deliver_(Event(DragEvent::Kind::kLeave));
  if (!dropPending_) Reset();
}

void X11DropTarget::OnDrop(const XClientMessageEvent& m) {
  if (!source_ || static_cast<::Window>(m.data.l[0]) != source_ || dropPending_) return;
  if (effect_ == 0 || wanted_ == None) {
    // Nothing here accepted the drag: the drop is refused, not taken.
    if (entered_) deliver_(Event(DragEvent::Kind::kLeave));
    SendFinished(0);
    Reset();
    return;
  }
  dropPending_ = true;
  XConvertSelection(display_, selection_, wanted_, property_, window_,
                    static_cast<Time>(m.data.l[2]));
  XFlush(display_);
  if (MainLoop* loop = MainLoop::Current()) {
    timeout_ = loop->AddTimer(kDropTimeoutMs, 0, [this] {
      timeout_ = 0;
      if (!dropPending_) return;
      deliver_(Event(DragEvent::Kind::kLeave));
      SendFinished(0);
      Reset();
    });
  }
}

void X11DropTarget::OnSelection(const XSelectionEvent& s) {
  if (!dropPending_) return;
  std::string data;
  if (s.property != None) {
    Atom actual;
    int format;
    unsigned long count = 0, rest = 0;
    unsigned char* bytes = nullptr;
    if (XGetWindowProperty(display_, window_, property_, 0, 16 * 1024 * 1024, True,
                           AnyPropertyType, &actual, &format, &count, &rest, &bytes) == Success &&
        bytes && format == 8)
      data.assign(reinterpret_cast<const char*>(bytes), count);
    if (bytes) XFree(bytes);
  }
  dropped_.clear();
  if (wanted_ == uriList_) {
    for (const std::string& path : ParseUriList(data)) {
      DragItem item;
      item.type = kFileType;
      item.index = static_cast<int32_t>(dropped_.size());
      item.path = path;
      dropped_.push_back(std::move(item));
    }
  } else if (!data.empty()) {
    DragItem item;
    item.type = kTextType;
    item.data.assign(data.begin(), data.end());
    dropped_.push_back(std::move(item));
  }
  int effect = 0;
  if (dropped_.empty()) {
    deliver_(Event(DragEvent::Kind::kLeave));
  } else {
    DragEvent e = Event(DragEvent::Kind::kDrop);
    e.items = &dropped_;
    effect = deliver_(e);
  }
  SendFinished(effect);
  Reset();
}

void X11DropTarget::SendToSource(Atom type, long l1, long l2, long l4) {
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.display = display_;
  ev.xclient.window = source_;
  ev.xclient.message_type = type;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = static_cast<long>(window_);
  ev.xclient.data.l[1] = l1;
  ev.xclient.data.l[2] = l2;
  ev.xclient.data.l[4] = l4;
  XSendEvent(display_, source_, False, NoEventMask, &ev);
  XFlush(display_);
}

void X11DropTarget::SendStatus(int effect) {
  // Bit 0: accepted; bit 1: keep sending positions.
  SendToSource(status_, (effect != 0 ? 1 : 0) | 2, 0, static_cast<long>(ActionFor(effect)));
}

void X11DropTarget::SendFinished(int effect) {
  if (!source_) return;
  SendToSource(finished_, effect != 0 ? 1 : 0, static_cast<long>(ActionFor(effect)), 0);
}

void X11DropTarget::Reset() {
  source_ = 0;
  wanted_ = None;
  entered_ = false;
  effect_ = 0;
  offered_.clear();
  dropPending_ = false;
  if (timeout_) {
    if (MainLoop* loop = MainLoop::Current()) loop->RemoveTimer(timeout_);
    timeout_ = 0;
  }
}

DragEvent X11DropTarget::Event(DragEvent::Kind kind) const {
  DragEvent e;
  e.kind = kind;
  e.x = x_;
  e.y = y_;
  e.globalX = globalX_;
  e.globalY = globalY_;
  e.mods = mods_;
  e.items = &offered_;
  return e;
}

Atom X11DropTarget::ActionFor(int effect) const {
  switch (effect) {
    case 1: return move_;
    case 2: return copy_;
    case 3: return link_;
    default: return None;
  }
}

std::vector<std::string> X11DropTarget::ParseUriList(const std::string& text) {
  std::vector<std::string> paths;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#' || line.compare(0, 7, "file://") != 0) continue;
    // file://host/path or file:///path: the path starts at the next slash.
    const size_t slash = line.find('/', 7);
    if (slash == std::string::npos) continue;
    std::string path;
    bool bad = false;
    for (size_t i = slash; i < line.size(); ++i) {
      if (line[i] != '%') {
        path += line[i];
        continue;
      }
      const int hi = i + 2 < line.size() ? HexValue(line[i + 1]) : -1;
      const int lo = i + 2 < line.size() ? HexValue(line[i + 2]) : -1;
      if (hi < 0 || lo < 0 || (hi == 0 && lo == 0)) {
        bad = true;
        break;
      }
      path += static_cast<char>(hi * 16 + lo);
      i += 2;
    }
    if (!bad) paths.push_back(path);
  }
  return paths;
}

}  // namespace os
