#pragma once
// A person at an X display, as the journeys need one: the top-level windows
// it sees (by name, with their place on the screen), the pointer and the
// keyboard driven through the XTest extension, so the input reaches the
// programs exactly as a real device's would, and any part of the screen read
// back as it is shown. One connection of its own; every call from one thread
// (the journey's).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace os {

class XDisplayDriver {
 public:
  using WindowId = unsigned long;
  struct Rect {
    int x = 0, y = 0, width = 0, height = 0;  // screen coordinates
  };
  struct TopWindow {
    WindowId id = 0;
    std::string name;  // empty for an unnamed window (a menu, a pop-up)
    Rect rect;
  };
  // Pixels of a screen rectangle, 0xRRGGBB, row after row.
  struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  };

  // Null, with the reason in `why`, when the display cannot be opened or
  // has no XTest extension.
  static std::unique_ptr<XDisplayDriver> Open(const std::string& display, std::string* why);
  ~XDisplayDriver();
  XDisplayDriver(const XDisplayDriver&) = delete;
  XDisplayDriver& operator=(const XDisplayDriver&) = delete;

  // The mapped children of the root window, bottom to top.
  std::vector<TopWindow> TopLevels();
  // The mapped children of a window (rectangles on the screen), bottom to top.
  std::vector<TopWindow> ChildrenOf(WindowId parent);

  // Pointer and buttons (1 left, 3 right), at screen coordinates.
  void MoveTo(int x, int y);
  void Press(int button = 1);
  void Release(int button = 1);
  void Click(int x, int y, int button = 1);
  // A key by its X name ("Return", "Escape", "a", "7"), pressed and let go;
  // false for a name the server's keyboard has no key for.
  bool Tap(const std::string& keyName);
  // Characters typed one after the other (letters, digits, '.', ' ', '-').
  bool Type(const std::string& text);

  // What a window manager does when the person clicks a window's close box:
  // asks the window's owner to close it (WM_DELETE_WINDOW).
  void CloseBox(WindowId window);

  // What the screen shows in a rectangle (clipped to the screen).
  Picture Grab(const Rect& r);
  // Waits until the server has carried out every request sent so far.
  void Sync();

 private:
  struct Impl;
  explicit XDisplayDriver(std::unique_ptr<Impl> impl);
  bool Key(unsigned long keysym);
  std::unique_ptr<Impl> impl_;
};

}  // namespace os
