#pragma once
// A window on an X server: a top-level window (the standalone program,
// manual tests) or a child of a window that a host owns (a Linux VST 2 host
// hands the editor an X11 window id). Each window has its own connection;
// the main loop reads it every 10 ms (and whenever Pump is called) and hands
// the events to the sink. Other clients may drop files and text on it (the
// X drag-and-drop protocol). Needs a TrueColor visual of depth 24 or 32 with
// the usual red, green and blue masks; creation fails otherwise.
#include <memory>
#include <string>
#include <vector>

#include "os/MainLoop.h"
#include "os/window/Window.h"

namespace os {

class X11Window : public Window {
 public:
  // displayName null means $DISPLAY. Null on any failure.
  static std::unique_ptr<X11Window> CreateTopLevel(const char* displayName, int x, int y,
                                                   int width, int height, const std::string& title);
  static std::unique_ptr<X11Window> CreateChild(const char* displayName, uint64_t parentId, int x,
                                                int y, int width, int height);
  ~X11Window() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  WindowPoint ScreenOrigin() const override;
  bool Resize(int width, int height) override;
  bool MoveTo(int x, int y) override;
  void Show() override;
  void Hide() override;
  bool IsVisible() const override { return visible_; }
  bool Present(const uint32_t* picture, int pictureWidth, int pictureHeight,
               const WindowRect& area) override;
  void SetCursor(CursorId id) override;
  bool RequestFocus() override;
  bool HasFocus() const override { return focused_; }
  uint64_t NativeId() const override;
  // Outgoing drags between X clients are not offered: always 0.
  uint32_t RunDrag(const std::vector<DragItem>& items, int x, int y) override;
  // Iconifies through the window manager (nothing happens without one).
  bool SetCollapsed(bool collapsed) override;
  bool IsCollapsed() const override { return collapsed_; }

  // Reads every event the server has sent and passes it on.
  void Pump();
  // Waits until the server has handled every request sent so far.
  void Sync();
  // The window's pixels as the server holds them (alpha set to 0xFF);
  // false while the window is not viewable or not wholly on the screen.
  bool ReadPixels(std::vector<uint32_t>* pixels);

 private:
  struct Impl;
  explicit X11Window(std::unique_ptr<Impl> impl, int width, int height);
  static std::unique_ptr<X11Window> Make(const char* displayName, uint64_t parentId, bool topLevel,
                                         int x, int y, int width, int height,
                                         const std::string& title);
  void Handle(void* xevent);
  void ApplyTitle() override;
  void ApplySizeLimits() override;
  // An input-only child above every other child: the pointer's events then
  // come to this window (which holds them off) and never to an embedded
  // window of other code.
  void ApplyInputShield(bool on) override;
  // The window manager changed the size or place of a top-level window.
  void OnConfigured(int width, int height);
  // The window manager's state of the window (normal or iconic) changed.
  void OnStateChanged();
  bool Viewable() const;

  std::unique_ptr<Impl> impl_;
  int width_;
  int height_;
  bool visible_ = false;
  bool focused_ = false;
  bool collapsed_ = false;
  WindowPoint origin_;
  MainLoop::TimerId timer_ = 0;
};

}  // namespace os
