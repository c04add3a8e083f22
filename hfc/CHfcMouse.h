#pragma once
// The process-wide mouse hub: holds the mouse capture (the one listener that
// gets every move and release while a control is dragged), remembers the
// last mouse event that a window saw, sets cursors, and hands raw mouse
// moves and wheel events to registered listeners.
#include <list>

#include "hfc/CHfcMouseListener.h"
#include "os/window/WindowEvents.h"
#include "platform/CHfcCriticalSection.h"
#include "platform/CHfcListenerList.h"
#include "platform/HfcTypes.h"

class CHfcWindow;

class CHfcMouse {
 public:
  static CHfcMouse* sm_pInstance;
  static int sm_iRefCount;
  static int* m_piMacCursorId;
  static int m_iNumCursors;

  // full: the hub also delivers presses' releases and drags to the capture
  // holder (a standalone program); otherwise only moves and the wheel go to
  // the registered listeners (the plug-in editor).
  static bool Initialize(bool full);
  static bool Uninitialize();
  static void SetCursorById(int id);
  static void SetCursorByIndex(int index);
  static int LoadCursor(int);

  virtual ~CHfcMouse();

  // The global press (or double click) and release of the event's button
  // to target, with the event's screen point; false for no button.
  static bool SendPressGlobal(CHfcMouseListener* target, CHfcMouse* hub, const os::MouseEvent& e,
                              bool twice);
  static bool SendReleaseGlobal(CHfcMouseListener* target, CHfcMouse* hub,
                                const os::MouseEvent& e);

  void SetCapture(CHfcMouseListener* listener, CHfcWindow* window);
  void ReleaseCapture();
  CHfcMouseListener* GetCapture() const { return m_pCapture; }
  virtual void OnLostCaptureBySystem();
  // The screen point of the last mouse event a window saw.
  void GetPoint(tagHfcPoint* point) const;

  void MacAddEventListener(CHfcMouseListener* listener);
  void MacRemoveEventListener(CHfcMouseListener* listener);

  // Entry of the platform's mouse events; answers kHfcEventHandled or
  // kHfcEventNotHandled.
  int OnPlatformMouseEvent(const os::MouseEvent& e);

  // Written by the window for every mouse event it receives.
  CHfcMouseListener* m_pOwnerWindow = nullptr;
  tagHfcPoint m_ptGlobal{0, 0};
  tagHfcPoint m_ptWindow{0, 0};
  int m_iModifiers = 0;

 protected:
  explicit CHfcMouse(bool full);
  virtual int OnMacMouseDown(const os::MouseEvent& e);
  virtual int OnMacMouseUp(const os::MouseEvent& e);
  virtual int OnMacMouseMoved(const os::MouseEvent& e);
  virtual int OnMacMouseDragged(const os::MouseEvent& e);
  virtual int OnMacMouseWheelMoved(const os::MouseEvent& e);
  virtual int OnMacMouseMoved2(const os::MouseEvent& e);

 private:
  static void MacLoadOemCursors();
  int OfferToListeners(const os::MouseEvent& e, bool wheel);

  CHfcMouseListener* m_pCapture = nullptr;
  bool m_bFull;
  CHfcListenerList<CHfcMouseListener> m_listeners;
};
