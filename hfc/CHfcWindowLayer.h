#pragma once
// A rectangular pane of a window holding an ordered list of controls. The
// window gives it mouse and drag events; the layer offers them to its
// controls in the order they were added and keeps what they leave for its
// own handlers. The layer never draws itself: its controls draw into its
// offscreen picture and the window composes it.
#include <vector>

#include "hfc/CHfcDragListener.h"
#include "hfc/CHfcKeyFocusListener.h"
#include "hfc/CHfcKeyListener.h"
#include "hfc/CHfcMouseListener.h"
#include "platform/HfcTypes.h"

class CHfcControl;
class CHfcDrawContext;
class CHfcOffscreenContext;
class CHfcWindow;

class CHfcWindowLayer : public CHfcMouseListener,
                        public CHfcKeyListener,
                        public CHfcDragListener,
                        public CHfcKeyFocusListener {
 public:
  CHfcWindowLayer() = default;
  ~CHfcWindowLayer() override;
  CHfcWindowLayer(const CHfcWindowLayer&) = delete;
  CHfcWindowLayer& operator=(const CHfcWindowLayer&) = delete;

  // False for a size below 1 x 1, when already created or when the
  // offscreen picture cannot be made. With a window the layer goes on top
  // of its stack, hidden.
  virtual bool Create(int x, int y, int width, int height, CHfcWindow* window);
  virtual bool Destroy();
  virtual bool Resize(int width, int height, bool redraw);
  // Always false: the result carries no information.
  virtual bool Move(int x, int y, bool redraw);
  virtual bool Show(bool now);
  virtual bool Hide(bool now);
  virtual bool AddControl(CHfcControl* control, bool update);
  virtual bool RemoveControl(CHfcControl* control, bool redraw);
  virtual void RemoveAllControls();
  virtual bool OnCreate() { return true; }
  virtual bool OnDestroy() { return true; }
  virtual void OnRemoveFromParent(CHfcWindow* window);
  virtual void OnSizeChanging(int* width, int* height) {}
  virtual void OnSizeChanged(int width, int height) {}
  virtual void OnMoving(int* x, int* y) {}
  virtual void OnMoved(int x, int y) {}
  // Draws the area (layer coordinates) of the window at once.
  virtual void Update(const tagHfcRect* rect);
  virtual void Update();

  bool IsCreated() const { return m_bCreated; }
  bool IsVisible() const { return m_bVisible; }
  const tagHfcRect& GetRect() const { return m_rect; }
  // The size of the offscreen picture (0 without one).
  int GetWidth() const;
  int GetHeight() const;
  // Position in the window's layer stack, -1 without a window.
  int GetIndex() const;
  CHfcWindow* GetParentWindow() const { return m_pWindow; }
  bool SetParentWindow(CHfcWindow* window);
  // Called by the window when it takes the layer out of its stack.
  void DetachFromStack() { m_pStack = nullptr; }
  const std::vector<CHfcControl*>& GetControls() const { return m_controls; }
  // What the controls draw into; null until the layer has its picture.
  CHfcDrawContext* GetDrawContext() const;
  CHfcOffscreenContext* GetOffscreen() const { return m_pOffscreen; }

  void CopyToWindow(bool now);
  void CopyToWindow(const tagHfcRect* rect, bool now);
  void CopyToWindow(int x, int y, int width, int height, bool now);
  void SetControlsDirty(bool dirty);
  // The control added last wins (the opposite of the press order).
  CHfcControl* FindControlByPosition(int x, int y, bool visibleOnly) const;
  bool GlobalToLocal(tagHfcPoint* point) const;
  bool LocalToGlobal(tagHfcPoint* point) const;
  bool SetFocus(CHfcKeyFocusListener* listener);
  bool ReleaseFocus(CHfcKeyFocusListener* listener);
  bool IsFocused(const CHfcKeyFocusListener* listener) const;
  bool SetKeyFocus() { return false; }
  void ReleaseKeyFocus() {}

  // A layer that holds the window's mouse (a modal veil over the window):
  // every mouse event over it that neither its controls nor its own
  // handlers take ends in it, and the layers under it get nothing.
  void SetHoldsMouse(bool on) { m_bHoldsMouse = on; }
  bool HoldsMouse() const { return m_bHoldsMouse; }

  // Mouse events in layer coordinates, from the window.
  virtual bool PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods);
  virtual bool PreMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods);
  virtual bool PreMouseLButtonUp(CHfcMouse* m, int x, int y, int mods);
  virtual bool PreMouseRButtonDown(CHfcMouse* m, int x, int y, int mods);
  virtual bool PreMouseRButtonDoubleClick(CHfcMouse* m, int x, int y, int mods);
  virtual bool PreMouseRButtonUp(CHfcMouse* m, int x, int y, int mods);
  virtual bool PreMouseMButtonDown(CHfcMouse* m, int x, int y, int mods);
  virtual bool PreMouseMButtonDoubleClick(CHfcMouse* m, int x, int y, int mods);
  virtual bool PreMouseMButtonUp(CHfcMouse* m, int x, int y, int mods);
  virtual bool PreMouseMove(CHfcMouse* m, int x, int y, int mods);
  virtual bool PreMouseWheelMoved(CHfcMouse* m, int x, int y, int axis, int delta, int mods);

  // Captured events (screen coordinates) go to the layer's own handlers.
  using CHfcMouseListener::OnHfcMouseLButtonDownGlobal;
  using CHfcMouseListener::OnHfcMouseLButtonDoubleClickGlobal;
  using CHfcMouseListener::OnHfcMouseLButtonUpGlobal;
  using CHfcMouseListener::OnHfcMouseRButtonDownGlobal;
  using CHfcMouseListener::OnHfcMouseRButtonDoubleClickGlobal;
  using CHfcMouseListener::OnHfcMouseRButtonUpGlobal;
  using CHfcMouseListener::OnHfcMouseMButtonDownGlobal;
  using CHfcMouseListener::OnHfcMouseMButtonDoubleClickGlobal;
  using CHfcMouseListener::OnHfcMouseMButtonUpGlobal;
  using CHfcMouseListener::OnHfcMouseMoveGlobal;
  bool OnHfcMouseLButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMoveGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseWheelMovedGlobal(CHfcMouse* m, int x, int y, int axis, int delta,
                                  int mods) override;

  // Drag steps from the window, screen coordinates.
  bool OnHfcDragTrackingEnterWindowGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor, int x, int y,
                                          int mods, int* action) override;
  bool OnHfcDragTrackingInWindowGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor, int x, int y,
                                       int mods, int* action) override;
  bool OnHfcDragTrackingLeaveWindowGlobal(CHfcDrag* drag) override;
  bool OnHfcDragReceiveGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor, int x, int y, int mods,
                              int* action) override;

 private:
  using MouseHandler = bool (CHfcMouseListener::*)(CHfcMouse*, int, int, int);
  // Offers (control, control-local x, y) to each visible control under the
  // layer point, from the first added on, until take() answers true; that
  // control is returned (null when none took it). enabledOnly leaves out
  // disabled controls. Controls that leave the layer during the walk are
  // skipped.
  template <typename Take>
  CHfcControl* FirstControlThatTakes(int x, int y, bool enabledOnly, Take take);
  // Calls call(control) for each control in order; a control may leave the
  // layer (or others join it) from inside a call: those that left are not
  // called, those that joined wait for the next walk.
  template <typename Call>
  void ForEachControl(Call call);
  bool RouteMouse(MouseHandler handler, CHfcMouse* m, int x, int y, int mods);
  bool RouteGlobal(bool (CHfcWindowLayer::*pre)(CHfcMouse*, int, int, int), CHfcMouse* m, int x,
                   int y, int mods);
  bool HoldsCapture() const;
  static bool Holds(const tagHfcRect& r, int x, int y);

  bool m_bCreated = false;
  bool m_bHoldsMouse = false;
  tagHfcRect m_rect{0, 0, 0, 0};
  CHfcWindow* m_pWindow = nullptr;
  // The window whose stack holds the layer; Destroy keeps it.
  CHfcWindow* m_pStack = nullptr;
  CHfcOffscreenContext* m_pOffscreen = nullptr;
  bool m_bVisible = false;
  std::vector<CHfcControl*> m_controls;
};
