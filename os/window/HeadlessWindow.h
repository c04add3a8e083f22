#pragma once
// A window without a display: it keeps its pixels in memory, where a test
// reads them (or writes them to a PNG file), and its input comes from the
// test, delivered through os::MainLoop like a real window's. Its screen
// origin is not (0, 0) by default, so code that mixes up window and screen
// coordinates shows.
#include <memory>
#include <string>
#include <vector>

#include "os/window/Window.h"

namespace os {

class HeadlessWindow : public Window {
 public:
  static constexpr int kDefaultOriginX = 137;
  static constexpr int kDefaultOriginY = 89;

  // Null for a size below 1 x 1.
  static std::unique_ptr<HeadlessWindow> Create(int width, int height,
                                                int originX = kDefaultOriginX,
                                                int originY = kDefaultOriginY);
  ~HeadlessWindow() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  WindowPoint ScreenOrigin() const override { return origin_; }
  bool Resize(int width, int height) override;
  bool MoveTo(int x, int y) override;
  void Show() override { visible_ = true; }
  void Hide() override { visible_ = false; }
  bool IsVisible() const override { return visible_; }
  bool Present(const uint32_t* picture, int pictureWidth, int pictureHeight,
               const WindowRect& area) override;
  void SetCursor(CursorId id) override { cursor_ = id; }
  bool RequestFocus() override;
  bool HasFocus() const override { return focused_; }
  uint64_t NativeId() const override { return id_; }
  uint32_t RunDrag(const std::vector<DragItem>& items, int x, int y) override;
  bool SetCollapsed(bool collapsed) override {
    collapsed_ = collapsed;
    return true;
  }
  bool IsCollapsed() const override { return collapsed_; }

  // What the test sees.
  uint32_t Pixel(int x, int y) const;
  const std::vector<uint32_t>& Pixels() const { return pixels_; }
  bool WritePng(const std::string& path) const;
  CursorId Cursor() const { return cursor_; }
  int PresentCount() const { return presents_; }

  // What the test does. Window coordinates; the events get their screen
  // coordinates from the origin and reach the sink when the loop runs.
  void InjectMouse(MouseEvent e);
  // Press and release of one button at one point.
  void InjectClick(MouseButton button, int x, int y, int mods = 0, int clickCount = 1);
  // A key as the X server would give it: key symbol and modifier state.
  void InjectKey(KeyEvent::Kind kind, uint32_t keysym, uint32_t x11State = 0);
  void InjectFocus(bool gained);
  void InjectClose() { DeliverClose(); }
  // The user drags the window to new bounds (screen coordinates of the
  // content); the size is kept within the limits, as a window manager does.
  void InjectUserBounds(const WindowRect& bounds);
  // The user collapses or expands the window.
  void InjectCollapse(bool collapsed);
  // A drag step from outside; runs at once on the main thread. Returns the
  // effect the window answered; for kDrop, 0 means the drop was refused.
  int InjectDrag(DragEvent::Kind kind, int x, int y, int mods,
                 const std::vector<DragItem>& items);
  // The answer of the (imaginary) drop target of an outgoing drag, and what
  // the last outgoing drag carried.
  void SetDragTargetAnswer(uint32_t actions) { dragAnswer_ = actions; }
  const std::vector<DragItem>& LastDraggedItems() const { return dragged_; }

 private:
  HeadlessWindow(int width, int height, int originX, int originY);

  int width_;
  int height_;
  WindowPoint origin_;
  uint64_t id_;
  bool visible_ = false;
  bool focused_ = false;
  bool collapsed_ = false;
  CursorId cursor_ = CursorId::kArrow;
  int presents_ = 0;
  std::vector<uint32_t> pixels_;
  uint32_t dragAnswer_ = 0;
  std::vector<DragItem> dragged_;
};

}  // namespace os
