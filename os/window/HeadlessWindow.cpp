#include "os/window/HeadlessWindow.h"

#include <algorithm>
#include <cstring>

#include "os/window/KeyMap.h"
#include "os/window/PngFile.h"

namespace os {

namespace {
uint64_t g_nextId = 1;
}

std::unique_ptr<HeadlessWindow> HeadlessWindow::Create(int width, int height, int originX,
                                                       int originY) {
  if (width < 1 || height < 1) return nullptr;
  return std::unique_ptr<HeadlessWindow>(new HeadlessWindow(width, height, originX, originY));
}

HeadlessWindow::HeadlessWindow(int width, int height, int originX, int originY)
    : width_(width),
      height_(height),
      origin_{originX, originY},
      id_(g_nextId++),
      pixels_(static_cast<size_t>(width) * height, 0) {}

HeadlessWindow::~HeadlessWindow() = default;

bool HeadlessWindow::Resize(int width, int height) {
  if (width < 1 || height < 1) return false;
  std::vector<uint32_t> next(static_cast<size_t>(width) * height, 0);
  for (int y = 0; y < std::min(height, height_); ++y)
    std::memcpy(&next[static_cast<size_t>(y) * width], &pixels_[static_cast<size_t>(y) * width_],
                sizeof(uint32_t) * std::min(width, width_));
  pixels_.swap(next);
  width_ = width;
  height_ = height;
  return true;
}

bool HeadlessWindow::MoveTo(int x, int y) {
  origin_ = {x, y};
  return true;
}

void HeadlessWindow::InjectUserBounds(const WindowRect& bounds) {
  int width = bounds.right - bounds.left;
  int height = bounds.bottom - bounds.top;
  ClampToLimits(&width, &height);
  const bool sized = width != width_ || height != height_;
  const bool moved = bounds.left != origin_.x || bounds.top != origin_.y;
  if (!sized && !moved) return;
  Resize(width, height);
  MoveTo(bounds.left, bounds.top);
  DeliverBounds({bounds.left, bounds.top, bounds.left + width, bounds.top + height}, sized, moved);
}

void HeadlessWindow::InjectCollapse(bool collapsed) {
  if (collapsed_ == collapsed) return;
  collapsed_ = collapsed;
  DeliverCollapse(collapsed);
}

bool HeadlessWindow::Present(const uint32_t* picture, int pictureWidth, int pictureHeight,
                             const WindowRect& area) {
  if (!picture) return false;
  WindowRect r = area;
  if (!ClipArea(pictureWidth, pictureHeight, &r)) return false;
  const size_t bytes = sizeof(uint32_t) * static_cast<size_t>(r.right - r.left);
  for (int y = r.top; y < r.bottom; ++y)
    std::memcpy(&pixels_[static_cast<size_t>(y) * width_ + r.left],
                picture + static_cast<size_t>(y) * pictureWidth + r.left, bytes);
  ++presents_;
  return true;
}

bool HeadlessWindow::RequestFocus() {
  if (!focused_) InjectFocus(true);
  return true;
}

uint32_t HeadlessWindow::RunDrag(const std::vector<DragItem>& items, int, int) {
  dragged_ = items;
  return dragAnswer_;
}

uint32_t HeadlessWindow::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

bool HeadlessWindow::WritePng(const std::string& path) const {
  return WritePngFile(path, pixels_.data(), width_, height_, width_);
}

void HeadlessWindow::InjectMouse(MouseEvent e) {
  e.globalX = e.x + origin_.x;
  e.globalY = e.y + origin_.y;
  Deliver(e);
}

void HeadlessWindow::InjectClick(MouseButton button, int x, int y, int mods, int clickCount) {
  MouseEvent e;
  e.kind = MouseEvent::Kind::kDown;
  e.button = button;
  e.clickCount = clickCount;
  e.x = x;
  e.y = y;
  e.mods = mods;
  InjectMouse(e);
  e.kind = MouseEvent::Kind::kUp;
  InjectMouse(e);
}

void HeadlessWindow::InjectKey(KeyEvent::Kind kind, uint32_t keysym, uint32_t x11State) {
  KeyEvent e;
  e.kind = kind;
  TranslateKeysym(keysym, &e.chr, &e.key);
  e.mods = TranslateModifiers(x11State);
  DeliverKey(e);
}

void HeadlessWindow::InjectFocus(bool gained) {
  focused_ = gained;
  DeliverFocus(gained);
}

int HeadlessWindow::InjectDrag(DragEvent::Kind kind, int x, int y, int mods,
                               const std::vector<DragItem>& items) {
  DragEvent e;
  e.kind = kind;
  e.x = x;
  e.y = y;
  e.globalX = x + origin_.x;
  e.globalY = y + origin_.y;
  e.mods = mods;
  e.items = &items;
  return DeliverDrag(e);
}

}  // namespace os
