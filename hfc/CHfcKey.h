#pragma once
// The process-wide key hub: one key listener holds its focus and gets the
// key calls that the hub is given.
#include "hfc/CHfcKeyListener.h"

namespace os {
class Window;
}

class CHfcKey {
 public:
  static CHfcKey* sm_pInstance;
  static int sm_iRefCount;

  static bool Initialize();
  static bool Uninitialize();

  virtual ~CHfcKey();

  // view: the platform window that gets the keyboard focus for listener.
  void SetFocus(CHfcKeyListener* listener, os::Window* view);
  void ReleaseFocus();
  CHfcKeyListener* GetFocus() const { return m_pFocus; }
  os::Window* GetFocusView() const { return m_pFocusView; }

  virtual bool OnKeyDown(int a, int b);
  virtual bool OnKeyUp(int a, int b);
  virtual bool OnKeyChar(int a, int b);
  virtual void OnKeyLostFocus();

 private:
  CHfcKey() = default;

  CHfcKeyListener* m_pFocus = nullptr;
  os::Window* m_pFocusView = nullptr;
};
