#pragma once
// Plain records of what a native window reports. Coordinates: x, y are
// relative to the window's top-left pixel; globalX, globalY are screen
// coordinates. Modifier flags are the framework's (1 Shift, 2 Command,
// 4 Option, 8 Control), already converted by the backend.
#include <cstdint>
#include <string>
#include <vector>

namespace os {

struct WindowRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
};

struct WindowPoint {
  int32_t x = 0;
  int32_t y = 0;
};

enum class MouseButton : int { kNone = 0, kLeft = 1, kRight = 2, kMiddle = 3 };

struct MouseEvent {
  // kMove: no button held; kDrag: moved while a button is held.
  enum class Kind { kDown, kUp, kMove, kDrag, kWheel };
  Kind kind = Kind::kMove;
  MouseButton button = MouseButton::kNone;
  int clickCount = 0;
  int x = 0;
  int y = 0;
  int globalX = 0;
  int globalY = 0;
  int mods = 0;
  int wheelAxis = 1;  // 0 horizontal, 1 vertical
  int wheelDelta = 0;  // signed steps
};

struct KeyEvent {
  enum class Kind { kDown, kRepeat, kUp };
  Kind kind = Kind::kDown;
  int chr = 0;  // character code, sign-extended byte
  int key = 0;  // framework key code, 0 for other keys
  int mods = 0;
};

// Drop actions as bits: a source or target may offer several.
enum DragAction : uint32_t {
  kDragActionNone = 0,
  kDragActionCopy = 1,
  kDragActionLink = 2,
  kDragActionMove = 16,
};

struct DragItem {
  uint32_t type = 0;  // four-character code; 'FILE' for a path
  int32_t index = 0;  // items with one index form one dragged object
  std::vector<uint8_t> data;
  std::string path;  // only for 'FILE'
};

struct DragEvent {
  enum class Kind { kEnter, kOver, kLeave, kDrop };
  Kind kind = Kind::kEnter;
  int x = 0;
  int y = 0;
  int globalX = 0;
  int globalY = 0;
  int mods = 0;
  const std::vector<DragItem>* items = nullptr;
};

}  // namespace os
