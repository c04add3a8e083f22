#pragma once
// A window's keyboard focus: one focus listener at a time gets the window's
// keys. The window passes its platform key and focus events in; the focus
// asks the platform window for the keyboard when a listener takes it.
#include "hfc/CHfcKeyFocusListener.h"
#include "os/window/WindowEvents.h"

namespace os {
class Window;
}

class CHfcKeyFocus {
 public:
  CHfcKeyFocus() = default;
  virtual ~CHfcKeyFocus() = default;
  CHfcKeyFocus(const CHfcKeyFocus&) = delete;
  CHfcKeyFocus& operator=(const CHfcKeyFocus&) = delete;

  // False for a null listener or window, or when the window refuses the
  // keyboard focus (nothing is kept then).
  bool SetFocus(CHfcKeyFocusListener* listener, os::Window* window);
  void ReleaseFocus();
  // A listener that holds the keyboard (a modal page) while it is set: when
  // the listener that has the focus lets it go, the focus goes back to the
  // holder; the platform is asked for the keyboard only while the window
  // has it (else the holder gets it with the window's next focus). Null
  // ends the hold.
  void SetHolder(CHfcKeyFocusListener* holder, os::Window* window);
  CHfcKeyFocusListener* GetHolder() const { return m_pHolder; }
  // Asks the platform for the keyboard again for the current listener.
  bool SetSystemKeyFocus();

  CHfcKeyFocusListener* GetFocusedListener() const { return m_pFocused; }
  bool HasSystemFocus() const { return m_bHasSystemFocus; }
  // The listener holds the focus and the window holds the keyboard.
  bool IsFocused(const CHfcKeyFocusListener* listener) const {
    return m_bHasSystemFocus && listener && m_pFocused == listener;
  }

  // Platform events of the window. Keys answer kHfcEventHandled when the
  // listener used them, else kHfcEventNotHandled so the host may use them.
  int OnPlatformKey(const os::KeyEvent& e);
  void OnPlatformFocus(bool gained);

 private:
  // Lets the listener go (telling it); returns it.
  CHfcKeyFocusListener* Drop();

  CHfcKeyFocusListener* m_pFocused = nullptr;
  CHfcKeyFocusListener* m_pHolder = nullptr;
  os::Window* m_pHolderWindow = nullptr;
  bool m_bHasSystemFocus = false;
  os::Window* m_pWindow = nullptr;
};
