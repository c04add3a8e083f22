#pragma once
// The receiving side of the X drag-and-drop protocol (XDND, version 5) for
// one window: turns the source's enter, position, leave and drop messages
// into drag steps for the window's sink, answers with status and finished
// messages, and fetches the dropped data (file lists as 'FILE' items with
// paths, plain text as one 'TEXT' item). Main thread only.
#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

#include "os/MainLoop.h"
#include "os/window/WindowEvents.h"

namespace os {

class X11DropTarget {
 public:
  // deliver runs one drag step on the sink and returns its effect (0..3).
  X11DropTarget(Display* display, ::Window window, std::function<int(const DragEvent&)> deliver);
  ~X11DropTarget();
  X11DropTarget(const X11DropTarget&) = delete;
  X11DropTarget& operator=(const X11DropTarget&) = delete;

  // True when the event belonged to the protocol.
  bool Handle(const XEvent& ev);

  // A source that does not hand over the data within this time loses the
  // drop.
  static constexpr uint64_t kDropTimeoutMs = 2000;

  // Paths of the file:// entries of a text/uri-list, percent-decoded.
  static std::vector<std::string> ParseUriList(const std::string& text);

 private:
  void OnEnter(const XClientMessageEvent& m);
  void OnPosition(const XClientMessageEvent& m);
  void OnLeave();
  void OnDrop(const XClientMessageEvent& m);
  void OnSelection(const XSelectionEvent& s);
  void SendToSource(Atom type, long l1, long l2, long l4);
  void SendStatus(int effect);
  void SendFinished(int effect);
  void Reset();
  DragEvent Event(DragEvent::Kind kind) const;
  Atom ActionFor(int effect) const;

  Display* display_;
  ::Window window_;
  std::function<int(const DragEvent&)> deliver_;
  Atom aware_, enter_, position_, status_, leave_, drop_, finished_, selection_, typeList_;
  Atom copy_, move_, link_, uriList_, textPlain_, utf8Text_, property_;

  ::Window source_ = 0;
  Atom wanted_ = None;  // the type the drop will be fetched as
  bool entered_ = false;
  int effect_ = 0;
  int x_ = 0, y_ = 0, globalX_ = 0, globalY_ = 0, mods_ = 0;
  std::vector<DragItem> offered_;  // one item per offered type, no data yet
  std::vector<DragItem> dropped_;
  bool dropPending_ = false;
  MainLoop::TimerId timeout_ = 0;
};

}  // namespace os
