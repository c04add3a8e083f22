#pragma once
// The part of the framework window that layers and controls rely on: the
// platform window behind it, screen/view coordinates, the redraw request
// and the window's keyboard focus. Layer stacking, composing and the
// platform event glue build on this class.
#include "hfc/CHfcDragListener.h"
#include "hfc/CHfcKeyFocus.h"
#include "hfc/CHfcMouseListener.h"
#include "platform/HfcTypes.h"

namespace os {
class Window;
}

class CHfcWindow : public CHfcMouseListener, public CHfcDragListener {
 public:
  CHfcWindow() = default;
  ~CHfcWindow() override = default;
  CHfcWindow(const CHfcWindow&) = delete;
  CHfcWindow& operator=(const CHfcWindow&) = delete;

  void SetPlatformWindow(os::Window* window) { m_pPlatformWindow = window; }
  os::Window* GetPlatformWindow() const { return m_pPlatformWindow; }
  CHfcKeyFocus* GetKeyFocus() { return &m_keyFocus; }

  // Screen point to the window's view coordinates and back; false without
  // a platform window.
  virtual bool GlobalToLocal(tagHfcPoint* point);
  virtual bool LocalToGlobal(tagHfcPoint* point);
  // Redraws the area (view coordinates) at once (now) or at the next flush.
  virtual bool DrawLayers(const tagHfcRect* rect, bool now) { return false; }

  // Keyboard focus of the window: nothing without a platform window.
  bool SetFocus(CHfcKeyFocusListener* listener);
  // Releases when who is null or holds the focus.
  bool ReleaseFocus(CHfcKeyFocusListener* who);
  bool IsFocused(const CHfcKeyFocusListener* listener) const;

 private:
  os::Window* m_pPlatformWindow = nullptr;
  CHfcKeyFocus m_keyFocus;
};
